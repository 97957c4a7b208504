// The entries that draw chart wheels into a rectangle of any surface: the design step
// (printing margins, squaring and alignment of the area) and the dispatch that draws a
// two-chart request as two single wheels side by side.
#pragma once

#include <QPainter>
#include <QRect>
#include <string>

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
  bool return_reports = false;      // the report set has return reports (message wording)
};

// The area a wheel takes in `rect`: printing margins for the printer, then square by the
// alignments (a centred alignment leaves the area and the wheel is centred in it).
QRect WheelArea(const QRect& rect, int output_kind, int horizontal, int vertical);

// Loads the design and draws it for the request's charts. A design file that does not
// exist draws nothing; other failures show their messages and draw nothing.
void DrawWheelDesign(QPainter& painter, const WheelRequest& request,
                     const ProgramSettings& settings, Messages& messages);

// Draws the wheel of a request. The two-chart default design (settings.BiWheel, names
// compared without regard to case) is drawn as two single wheels with settings.DefWheel:
// the first chart on the left, the second on the right, or a message there asking for a
// second chart when it is missing or the same chart.
void DrawChartWheel(QPainter& painter, const WheelRequest& request,
                    const ProgramSettings& settings, Messages& messages);

}  // namespace korvana
