// The entries that draw chart wheels into a rectangle of any surface: the design step
// (printing margins, squaring and alignment of the area, the chart details block) and the
// dispatch that draws a two-chart request, or the pair of a composite set on screen, as
// two single wheels side by side.
#pragma once

#include <QPainter>
#include <QRect>
#include <optional>
#include <string>
#include <vector>

#include "core/charts/chart_record.h"
#include "render/wheel_renderer.h"

namespace korvana {

// Alignment of the wheel in its area: 0 centred, 1 left/top, 2 right/bottom.
enum WheelAlign { AlignCentre = 0, AlignStart = 1, AlignEnd = 2 };

// How a request's charts are laid out in its rectangle.
enum class WheelLayout {
  Single,         // the design, drawn for the request's charts
  SideBySide,     // the two-chart default design: two single wheels side by side
  CompositePair,  // a composite set on screen: its two source charts side by side
};

struct WheelRequest {
  WheelRenderInput input;           // charts (one or two), selection, aspects, output kind
  // The design drawn: the whole wheel for Single, each half for the side-by-side layouts.
  // Null draws nothing.
  const WheelDesign* design = nullptr;
  WheelLayout layout = WheelLayout::Single;
  QRect rect;
  int horizontal = AlignCentre;
  int vertical = AlignCentre;
  bool returnReports = false;       // the report set has return reports
  bool report = false;              // drawn for a report being generated (not the screen)
  // A composite set in a report: the names of the two source charts, written in the
  // details block in place of the composite chart's name.
  std::vector<std::string> compositeSourceNames;
  // The words for a male and a female natal chart in the details block: the report
  // language's in a report, English on screen.
  GenderWordPair genderWords;
};

// The layout a design file is drawn in: the two-chart default design (settings.BiWheel,
// names compared without regard to case) side by side; otherwise a composite set on
// screen (not in a report) as the pair of its source charts; otherwise the design itself.
WheelLayout WheelLayoutFor(const std::string& designFile, bool compositeSet, bool report,
                           const ProgramSettings& settings);

// A design file loaded for drawing in a layout: the side-by-side layouts draw each half
// with the default design (settings.DefWheel), Single the file itself. A design file that
// does not exist gives no design and no message; a damaged one shows its messages and
// gives no design.
struct LoadedWheel {
  WheelLayout layout = WheelLayout::Single;
  std::optional<WheelDesign> design;
};
LoadedWheel LoadWheelForLayout(const std::string& designFile, bool compositeSet, bool report,
                               const ProgramSettings& settings, Messages& messages);

// The area a wheel takes in `rect`: printing margins for the printer, then square by the
// alignments (a centred alignment leaves the area and the wheel is centred in it).
QRect WheelArea(const QRect& rect, int outputKind, int horizontal, int vertical);

// The rectangle of the details block drawn with a wheel in `rect`: the rectangle itself
// (for the printer with its top and bottom margins, the left edge kept) cut to a height of
// round(0.2 x the reference height), which is 0.75 x the height when the rectangle is
// taller than wide, else the full height.
QRect WheelDetailsRect(const QRect& rect, int outputKind);

// Draws the request's design for its charts, then the details block of the first chart at
// the top left and, when the design shows more than one chart, that of the second chart at
// the top right (a chart without a record gets no block). Without a design nothing is
// drawn; a design that needs more charts than given shows its message and draws nothing.
void DrawWheelDesign(QPainter& painter, const WheelRequest& request,
                     const ProgramSettings& settings, Messages& messages);

// True when a request that is not laid out side by side finds a return
// chart (chart type 4) in its first slot although the report set has no return reports,
// and a second chart to restore that slot from. The caller that owns the chart slots
// copies the second slot into the first when this holds; DrawChartWheel draws the
// restored pair either way.
bool FirstSlotNeedsRestore(const WheelRequest& request);

// Draws the wheel of a request by its layout:
//  - SideBySide: two single wheels, the first chart on the left, the second on the
//    right, or, when it is missing or the same chart, a message there asking for a
//    second chart (to calculate it with the return options for a set with returns).
//  - Single: the design for the charts (the first slot restored first, see
//    FirstSlotNeedsRestore).
//  - CompositePair: the two source charts side by side as for SideBySide, with a
//    message asking for the second chart when it is missing or the same.
void DrawChartWheel(QPainter& painter, const WheelRequest& request,
                    const ProgramSettings& settings, Messages& messages);

}  // namespace korvana
