// The time line of a dynamic entry: the label scale chosen by the period's length, the
// labels and ticks of month, year, multi-year and decade rulers, and the entry's bar and
// marks. Labels are measured at 6 units a character on a 1000-unit ruler.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/dynamic/time_line.h"

namespace korvana {
namespace {

constexpr TimeLineBox Box{0, 0, 1000, 84};

TimeLineFonts Fonts(int perCharacter = 6) {
  TimeLineFonts f;
  f.width = [perCharacter](const std::string& t) { return perCharacter * static_cast<int>(t.size()); };
  return f;
}

// A period from a local start date in the zone, `length` long in the given unit.
TimeLinePeriod PeriodOf(DateTimeRec start, int length, std::uint8_t unit, float zone = 0) {
  TDynRepUserData s;
  s.BaseDate = start;
  s.Duration = length;
  s.DurationUnit = unit;
  s.RepZoneHrs = zone;
  const PeriodBounds b = PeriodBoundsOf(s, start);
  return {start, zone, b.startUT, b.endUT};
}

std::vector<std::string> Labels(const TimeLineDrawing& d, bool upper) {
  std::vector<std::string> texts;
  for (const TimeLineText& t : d.labels)
    if (t.upper == upper) texts.push_back(t.text);
  return texts;
}

TEST(TimeLineScale, TheLowerLabelsFollowThePeriodsLength) {
  const struct {
    int days;
    TimeLineUnit unit;
  } cases[] = {{0, TimeLineUnit::Hours},    {1, TimeLineUnit::Hours},       {2, TimeLineUnit::Days},
               {31, TimeLineUnit::Days},    {32, TimeLineUnit::Months},     {365, TimeLineUnit::Months},
               {731, TimeLineUnit::Months}, {732, TimeLineUnit::Quarters},  {2500, TimeLineUnit::Quarters},
               {2501, TimeLineUnit::Years}, {36525, TimeLineUnit::Years}};
  for (const auto& c : cases) EXPECT_EQ(TimeLineUnitFor(c.days), c.unit) << c.days << " days";
}

TEST(TimeLineRuler, LabelsOfEachScale) {
  std::vector<std::string> days, months, quarters;
  for (int d = 1; d <= 31; ++d) days.push_back(std::to_string(d));
  months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (int y = 0; y < 3; ++y)
    for (const char* q : {"Q1", "Q2", "Q3", "Q4"}) quarters.push_back(q);
  const struct {
    const char* name;
    TimeLinePeriod period;
    std::vector<std::string> lower, upper;
  } cases[] = {
      {"a month of 31 days", PeriodOf({2026, 1, 1, 0, 0, 0, calAuto}, 1, DurationMonths), days, {"Jan 2026"}},
      {"a year", PeriodOf({2026, 1, 1, 0, 0, 0, calAuto}, 1, DurationYears), months, {"2026"}},
      {"three years", PeriodOf({2026, 1, 1, 0, 0, 0, calAuto}, 3, DurationYears), quarters, {"2026", "2027", "2028"}},
      {"ten years across a decade", PeriodOf({2015, 1, 1, 0, 0, 0, calAuto}, 10, DurationYears),
       {"15", "16", "17", "18", "19", "20", "21", "22", "23", "24"}, {"2010s", "2020s"}},
      {"a day in the zone ten hours east", PeriodOf({2026, 3, 9, 0, 0, 0, calAuto}, 1, DurationDays, -10),
       {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19",
        "20", "21", "22", "23"},
       {"9 Mar 2026"}},
  };
  for (const auto& c : cases) {
    const TimeLineDrawing d = LayOutTimeLine(Box, c.period, {}, Fonts(c.lower.size() > 20 ? 1 : 6));
    EXPECT_EQ(Labels(d, false), c.lower) << c.name;
    EXPECT_EQ(Labels(d, true), c.upper) << c.name;
  }
}

TEST(TimeLineRuler, TicksStopShortOfTheEndAndWideLabelsAreLeftOut) {
  const TimeLinePeriod year = PeriodOf({2026, 1, 1, 0, 0, 0, calAuto}, 1, DurationYears);
  const TimeLineDrawing d = LayOutTimeLine(Box, year, {}, Fonts());
  // Eleven month ends fall inside the period (the twelfth is its end); each has its tick
  // between the rules, and the year's end none.
  int lower = 0;
  for (const TimeLineSegment& t : d.ticks) {
    EXPECT_LT(t.x1, 990);
    if (t.y1 == d.rules[0].y1 && t.y2 == d.rules[1].y1) ++lower;
  }
  EXPECT_EQ(lower, 11);
  // A month's slot is 77 units (February) to 85 units wide: a label of 78 units fits
  // every month but February; one of 90 units none.
  EXPECT_TRUE(Labels(LayOutTimeLine(Box, year, {}, Fonts(30)), false).empty());
  const std::vector<std::string> allButFebruary = {"Jan", "Mar", "Apr", "May", "Jun", "Jul",
                                                   "Aug", "Sep", "Oct", "Nov", "Dec"};
  EXPECT_EQ(Labels(LayOutTimeLine(Box, year, {}, Fonts(26)), false), allButFebruary);
  // Each label is centred in its slot, the first one in January's.
  const TimeLineText& jan = d.labels.front();
  EXPECT_EQ(jan.text, "Jan");
  EXPECT_EQ(jan.x, (85 - 18 + 1) / 2);
  EXPECT_EQ(jan.y, d.rules[0].y1 + 1);
}

TEST(TimeLineEntry, BarAndMarksOfTheEntrysSpan) {
  const TimeLinePeriod year = PeriodOf({2026, 1, 1, 0, 0, 0, calAuto}, 1, DurationYears);
  const double day = (year.endUT - year.startUT) / 1000;  // not a whole number of units
  const int y2 = Box.top + 56, y3 = Box.top + 70, h = Box.bottom - y2;
  const struct {
    const char* name;
    double start, end;
    std::vector<double> exact;
    int xs, xe;
    std::vector<int> marks;
  } cases[] = {
      {"inside the period", year.startUT + 100 * day, year.startUT + 300 * day, {year.startUT + 200 * day}, 100, 300,
       {100, 300, 200}},
      {"begun before it, exact before it", year.startUT - 100 * day, year.startUT + 50 * day,
       {year.startUT - 40 * day}, 0, 50, {0, 50, -40}},
      {"ending after it, without exact times", year.startUT + 900 * day, year.endUT + 30, {}, 900, 1000, {900, 1000}},
  };
  for (const auto& c : cases) {
    TDynamicTextEntry e;
    e.StartTime = c.start;
    e.EndTime = c.end;
    e.ExactTimes = c.exact;
    const TimeLineDrawing d = LayOutTimeLine(Box, year, e, Fonts());
    ASSERT_TRUE(d.drawsEntry) << c.name;
    EXPECT_EQ(d.bar.left, c.xs) << c.name;
    EXPECT_EQ(d.bar.right, c.xe) << c.name;
    EXPECT_EQ(d.bar.top, y3 - 1);
    EXPECT_EQ(d.bar.bottom, y3 + 1);
    std::vector<int> xs;
    for (const TimeLineSegment& m : d.marks) {
      xs.push_back(m.x1);
      EXPECT_EQ(m.y1, y2 + h / 3);
      EXPECT_EQ(m.y2, Box.bottom - h / 3);
    }
    EXPECT_EQ(xs, c.marks) << c.name;
  }
}

TEST(TimeLineEntry, APeriodShorterThanADayDrawsOnlyTheFrame) {
  const TimeLinePeriod hours = PeriodOf({2026, 1, 1, 0, 0, 0, calAuto}, 12, DurationHours);
  TDynamicTextEntry e;
  e.StartTime = hours.startUT;
  e.EndTime = hours.endUT;
  const TimeLineDrawing d = LayOutTimeLine(Box, hours, e, Fonts());
  EXPECT_FALSE(d.drawsEntry);
  EXPECT_TRUE(d.labels.empty());
  EXPECT_TRUE(d.ticks.empty());
  EXPECT_EQ(d.rules[0].y1, 28);
  EXPECT_EQ(d.rules[1].y1, 56);
}

}  // namespace
}  // namespace korvana
