// Drawing a chart wheel after a wheel design onto any QPainter surface (screen, image,
// PDF, metafile): circles with coloured sign sectors, the zodiac band with its ticks and
// sector symbols, house cusps with arrowheads, house numbers, cusp labels, the spread
// point rings with degree and minute texts, and the aspect area.
#pragma once

#include <QPainter>
#include <QPointF>
#include <QRect>
#include <array>
#include <string>
#include <vector>

#include "core/analysis/aspect_file.h"
#include "core/astro/calculated_chart.h"
#include "core/charts/chart_record.h"
#include "core/config/program_settings.h"
#include "core/util/messages.h"
#include "core/wheels/wheel_design.h"

namespace korvana {

enum WheelOutputKind { WheelScreen = 0, WheelPrinter = 1, WheelPdf = 2 };

// One extra plot point of a chart (a report set's extra wheel point): drawn in the
// extra-point ring with its own short name and colour.
struct WheelExtraPoint {
  double longitude = 0;
  double speed = 0;           // negative: retrograde mark
  std::string name;           // short name drawn in place of a glyph
  Color colour = 0;
};

struct WheelChart {
  const CalculatedChart* chart = nullptr;
  bool ascendantUnknown = false;   // no birth time: Ascendant and Midheaven hidden
  bool midheavenUnknown = false;
  std::vector<WheelExtraPoint> extraPoints{};
  const ChartRecord* record = nullptr;   // the chart's own data, for the details block
};

struct WheelRenderInput {
  std::vector<WheelChart> charts;                    // one per chart of the design
  std::array<bool, LastPoint + 1> selection{};       // points shown, by PointId
  const AspectSet* aspects = nullptr;                // null: no aspect lines
  int outputKind = WheelScreen;
  bool useColour = true;
};

// Where a point at radius r and longitude `longitude` lies on a wheel centred at
// `centre` whose rotation puts longitude `rotation` at the left-hand horizon; longitudes
// run counter-clockwise.
QPointF WheelPolar(QPointF centre, double r, double longitude, double rotation);

// The longitude at the left-hand horizon: the design's fixed rotation, else the first
// chart's Ascendant (cusp 1).
double WheelRotation(const WheelDesign& design, const CalculatedChart* first_chart);

// Draws the wheel centred in `area` (its radius is half the smaller side). A design that
// needs more charts than given shows "Wheel design has wrong number of charts" and draws
// nothing; returns whether the wheel was drawn.
bool RenderWheel(QPainter& painter, const QRect& area, const WheelDesign& design,
                 const WheelRenderInput& input, const ProgramSettings& settings,
                 Messages& messages);

}  // namespace korvana
