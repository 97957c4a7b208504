// The time line of a dynamic report entry: a ruler of the report period with date labels
// in two bands, and under it the entry's span as a bar with a mark at each end and at each
// exact date. The layout is computed here as plain lines and texts so that any drawing
// surface can paint it; the render layer paints it into the metafile a report embeds.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/dynamic/dynamic_entries.h"
#include "core/time/date_time_rec.h"

namespace korvana {

// The unit of the ruler's lower labels, chosen by the period's length in whole days:
// below 2 hours ("0".."23"), 2-31 days of the month, 32-731 short month names, 732-2500
// quarters ("Q1".."Q4"), 2501 and more two-digit years.
enum class TimeLineUnit { Hours, Days, Months, Quarters, Years };
TimeLineUnit TimeLineUnitFor(int spanDays);

// The report period as the ruler shows it: its local start date in the reference zone
// (RepZoneHrs, hours added to local time to get UT) and its bounds in UT.
struct TimeLinePeriod {
  DateTimeRec start{};
  float zoneHours = 0.0f;
  double startUT = 0.0;
  double endUT = 0.0;
};

// Integer picture coordinates, y growing downwards.
struct TimeLineBox {
  int left = 0, top = 0, right = 0, bottom = 0;
};
struct TimeLineSegment {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  friend bool operator==(const TimeLineSegment&, const TimeLineSegment&) = default;
};
// A text whose top left corner is at (x, y).
struct TimeLineText {
  int x = 0, y = 0;
  std::string text;
  bool upper = false;  // in the band above the ticks
};

// What the labels are measured and named with: the width of a text in the surface's
// font, and the system's abbreviated month names (January first).
struct TimeLineFonts {
  std::function<int(const std::string&)> width;
  std::array<std::string, 12> shortMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
};

// Everything one time line draws. The frame, the two rules and the ticks are drawn with
// the surface's pen; the bar (an outline two units high) and the marks with a black pen.
struct TimeLineDrawing {
  TimeLineBox frame;
  std::array<TimeLineSegment, 2> rules{};    // across the frame at the upper and lower levels
  std::vector<TimeLineSegment> ticks;        // lower ticks and upper separators
  std::vector<TimeLineText> labels;
  TimeLineBox bar;                           // the entry's span
  std::vector<TimeLineSegment> marks;        // at the span's ends and at each exact time
  bool drawsEntry = false;                   // false for a period shorter than a day
};

// Lays out the time line of `entry` (StartTime, EndTime, ExactTimes as UT Julian days) in
// `box`. The ruler steps unit by unit from the period's start in the reference zone;
// every step that falls before 99 % of the width gets a tick, and a label is written
// centred in its slot only when it is narrower than the slot. Upper labels name the
// month, year or decade that just ended (the day for hour labels). A bar that begins
// before the period starts at the left edge, one ending after it at the right edge; exact
// times are marked where they fall, also outside the frame. A period shorter than one
// whole day gets the frame and rules only.
TimeLineDrawing LayOutTimeLine(const TimeLineBox& box, const TimeLinePeriod& period, const TDynamicTextEntry& entry,
                               const TimeLineFonts& fonts);

// Draws the time line of one entry as a placeable metafile at `path`; false when it
// cannot. The render layer supplies it; reports without it carry no time lines.
class TimeLinePictures {
 public:
  virtual ~TimeLinePictures() = default;
  virtual bool DrawTimeLine(const TimeLinePeriod& period, const TDynamicTextEntry& entry, const std::string& path) = 0;
};

}  // namespace korvana
