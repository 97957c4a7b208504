#include "core/dynamic/time_line.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/time/instant.h"

namespace korvana {
namespace {

int Nearest(double v) { return static_cast<int>(std::lround(v)); }

// The unit that ends at each length in days (inclusive), longest last.
struct UnitRange {
  int lastDay;
  TimeLineUnit unit;
};
constexpr UnitRange UnitRanges[] = {
    {1, TimeLineUnit::Hours}, {31, TimeLineUnit::Days}, {731, TimeLineUnit::Months}, {2500, TimeLineUnit::Quarters}};

struct Previous {
  int year, month, day, hour;
};

std::string TwoDigits(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", ((n % 100) + 100) % 100);
  return text;
}

// One pass of the ruler: the lower label of the unit beginning at the instant, the step
// over it, and the upper label that closes the unit above (empty when none does).
struct Step {
  std::string lower, upper;
};

Step Advance(TimeLineUnit unit, TLocalInstant& at, const Previous& prev, double f, const TimeLineFonts& fonts) {
  const DateTimeRec d = at.LocalDate;
  const bool past = f > 0.99;
  Step s;
  switch (unit) {
    case TimeLineUnit::Hours:
      s.lower = std::to_string(d.Hour);
      if (d.Hour == 23) s.upper = at.DateText();  // the day this hour ends
      at.Add(3, 1);
      break;
    case TimeLineUnit::Days:
      s.lower = std::to_string(d.Day);
      at.Add(2, 1);
      if (at.LocalDate.Month != prev.month || past)
        s.upper = fonts.shortMonths[static_cast<std::size_t>((prev.month + 11) % 12)] + " " + std::to_string(prev.year);
      break;
    case TimeLineUnit::Months:
      s.lower = fonts.shortMonths[static_cast<std::size_t>((d.Month + 11) % 12)];
      at.Add(1, 1);
      if (at.LocalDate.Year != prev.year || past) s.upper = std::to_string(prev.year);
      break;
    case TimeLineUnit::Quarters:
      s.lower = "Q" + std::to_string((d.Month - 1) / 3 + 1);
      at.Add(1, static_cast<std::int16_t>(3 - (d.Month - 1) % 3));
      if (at.LocalDate.Year != prev.year || past) s.upper = std::to_string(prev.year);
      break;
    case TimeLineUnit::Years: {
      s.lower = TwoDigits(d.Year);
      at.Add(0, 1);
      const int year = at.LocalDate.Year;
      if (year % 10 == 0 || past) {
        char decade[16];
        std::snprintf(decade, sizeof decade, "%04ds", ((year - 1) / 10) * 10);
        s.upper = decade;
      }
      break;
    }
  }
  return s;
}

void LayOutRuler(const TimeLineBox& b, int y1, int y2, const TimeLinePeriod& period, double span,
                 const TimeLineFonts& fonts, TimeLineDrawing& out) {
  const int width = b.right - b.left;
  const TimeLineUnit unit = TimeLineUnitFor(static_cast<int>(span));
  TLocalInstant at;
  at.UseEphemerisLibrary = false;  // only the UT day is read
  at.DisplayOptions.MarkFromYear = at.DisplayOptions.MarkToYear = -32768;
  at.RaiseOnError = false;
  at.SetLocal(period.start, "", ZoneStandard, period.zoneHours);
  Previous prev{period.start.Year, period.start.Month, period.start.Day, period.start.Hour};
  int xL = b.left, xU = b.left;
  double f = 0;
  // Ten thousand steps are far more than any unit needs across 110 % of its period.
  for (int pass = 0; pass < 10000 && f <= 1.1; ++pass) {
    const Step s = Advance(unit, at, prev, f, fonts);
    f = (at.JDUT - period.startUT) / span;
    int x = b.left + Nearest(width * f);
    if (f < 0.99) out.ticks.push_back({x, y1, x, y2});
    x = std::min(x, b.right);
    const int lowerWidth = fonts.width(s.lower);
    if (lowerWidth < x - xL) out.labels.push_back({xL + Nearest((x - xL - lowerWidth) * 0.5), y1 + 1, s.lower, false});
    xL = x;
    if (!s.upper.empty()) {
      if (f < 0.99) out.ticks.push_back({x, b.top, x, y1});
      const int upperWidth = fonts.width(s.upper);
      if (upperWidth < x - xU) out.labels.push_back({xU + Nearest((x - xU - upperWidth) * 0.5), b.top + 1, s.upper, true});
      xU = x;
    }
    const DateTimeRec& d = at.LocalDate;
    prev = {d.Year, d.Month, d.Day, d.Hour};
  }
}

}  // namespace

TimeLineUnit TimeLineUnitFor(int spanDays) {
  for (const UnitRange& r : UnitRanges)
    if (spanDays <= r.lastDay) return r.unit;
  return TimeLineUnit::Years;
}

TimeLineDrawing LayOutTimeLine(const TimeLineBox& b, const TimeLinePeriod& period, const TDynamicTextEntry& entry,
                               const TimeLineFonts& fonts) {
  TimeLineDrawing out;
  const int height = b.bottom - b.top;
  const int width = b.right - b.left;
  const int y1 = b.top + Nearest(height * 0.3333);
  const int y2 = b.top + Nearest(height * 0.6667);
  const int y3 = b.top + Nearest(height * 0.8333);
  out.frame = b;
  out.rules = {TimeLineSegment{b.left, y1, b.right, y1}, TimeLineSegment{b.left, y2, b.right, y2}};
  const double span = std::trunc(period.endUT - period.startUT);
  if (!(span >= 1)) return out;

  LayOutRuler(b, y1, y2, period, span, fonts, out);

  auto position = [&](double t) { return b.left + Nearest(width * (t - period.startUT) / span); };
  const int xs = std::max(position(entry.StartTime), b.left);
  const int xe = std::min(position(entry.EndTime), b.right);
  const int h = b.bottom - y2;
  out.bar = {xs, y3 - 1, xe, y3 + 1};
  auto mark = [&](int x) { out.marks.push_back({x, y2 + h / 3, x, b.bottom - h / 3}); };
  mark(xs);
  mark(xe);
  for (double t : entry.ExactTimes) mark(position(t));
  out.drawsEntry = true;
  return out;
}

}  // namespace korvana
