// The wheel of a report's chart page: the report's charts drawn with the wheel design in
// use (the settings' CurrentWheel), as a printed picture.
#pragma once

#include <QPainter>
#include <QRect>
#include <vector>

#include "core/reports/driver/report_driver.h"
#include "core/reports/frontpage/front_page.h"
#include "render/wheel_renderer.h"

namespace korvana {

// The report set's extra wheel points of one chart as the wheel draws them: the computed
// ones only, each under its abbreviation (its name when it has none or "?") in dark
// magenta, apart from the chart points' colours (the report set gives none).
std::vector<WheelExtraPoint> ReportWheelExtraPoints(const TExtraPlotPoints& extra);

// Draws the run's wheel into `rect`: the first chart, or both charts for a two-chart set
// (synastry and returns); the report set's points when it chooses any, else the
// settings' wheel selection; the run's aspect set; printing margins, and colour only when
// the preferences print in colour; the wheel placed in the rectangle and drawn for the
// output kind as the canvas says. False when the run has no chart or the design file
// does not exist.
bool PaintReportWheel(const ReportRun& run, QPainter& painter, const QRect& rect, const WheelCanvas& canvas);

}  // namespace korvana
