// The entries that draw chart wheels into a rectangle of any surface: the design step
// (printing margins, squaring and alignment of the area, the chart details block) and the
// dispatch that draws a two-chart request, or the pair of a composite set on screen, as
// two single wheels side by side.
#pragma once

#include <QPainter>
#include <QRect>
#include <string>
#include <vector>

#include "render/wheel_renderer.h"

namespace korvana {

// Alignment of the wheel in its area: 0 centred, 1 left/top, 2 right/bottom.
enum WheelAlign { kAlignCentre = 0, kAlignStart = 1, kAlignEnd = 2 };

struct WheelRequest {
  WheelRenderInput input;           // charts (one or two), selection, aspects, output kind
  std::string design_file;          // full path of the design
  QRect rect;
  int horizontal = kAlignCentre;
  int vertical = kAlignCentre;
  bool return_reports = false;      // the report set has return reports
  bool report = false;              // drawn for a report being generated (not the screen)
  // The report set is a composite set. On screen the charts are then the two source
  // charts of the pair; in a report the composite chart stands for both.
  bool composite_set = false;
  // A composite set in a report: the names of the two source charts, written in the
  // details block in place of the composite chart's name.
  std::vector<std::string> composite_source_names;
};

// The area a wheel takes in `rect`: printing margins for the printer, then square by the
// alignments (a centred alignment leaves the area and the wheel is centred in it).
QRect WheelArea(const QRect& rect, int output_kind, int horizontal, int vertical);

// The rectangle of the details block drawn with a wheel in `rect`: the rectangle itself
// (for the printer with its top and bottom margins, the left edge kept) cut to a height of
// round(0.2 x the reference height), which is 0.75 x the height when the rectangle is
// taller than wide, else the full height.
QRect WheelDetailsRect(const QRect& rect, int output_kind);

// Loads the design and draws it for the request's charts, then the details block of the
// first chart at the top left and, when the design shows more than one chart, that of the
// second chart at the top right (a chart without a record gets no block). A design file
// that does not exist draws nothing; other failures show their messages and draw nothing.
void DrawWheelDesign(QPainter& painter, const WheelRequest& request,
                     const ProgramSettings& settings, Messages& messages);

// True when a request that is not drawn with the two-chart default design finds a return
// chart (chart type 4) in its first slot although the report set has no return reports,
// and a second chart to restore that slot from. The caller that owns the chart slots
// copies the second slot into the first when this holds; DrawChartWheel draws the
// restored pair either way.
bool FirstSlotNeedsRestore(const WheelRequest& request, const ProgramSettings& settings);

// Draws the wheel of a request:
//  1. The two-chart default design (settings.BiWheel, names compared without regard to
//     case) is drawn as two single wheels with settings.DefWheel: the first chart on the
//     left, the second on the right, or, when it is missing or the same chart, a message
//     there asking for a second chart.
//  2. Otherwise, for a report or a set that is not a composite set, the design is drawn
//     for the charts (the first slot restored first, see FirstSlotNeedsRestore).
//  3. Otherwise (a composite set on screen) the two source charts are drawn side by side
//     as in 1, with a message asking for the second chart when it is missing or the same.
void DrawChartWheel(QPainter& painter, const WheelRequest& request,
                    const ProgramSettings& settings, Messages& messages);

}  // namespace korvana
