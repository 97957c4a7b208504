#include "render/wheel_renderer.h"

#include <cmath>

#include "render/wheel_painter.h"

namespace korvana {

QPointF WheelPolar(QPointF centre, double r, double longitude, double rotation) {
  const double theta = (longitude - rotation) * 3.141592653589793 / 180.0;
  return QPointF(centre.x() - r * std::cos(theta), centre.y() + r * std::sin(theta));
}

double WheelRotation(const WheelDesign& design, const CalculatedChart* first_chart) {
  if (design.fixedRotation || !first_chart) return design.rotationDegrees;
  const double asc = first_chart->Houses.Cusps[1];
  return std::isfinite(asc) ? asc : 0.0;
}

bool RenderWheel(QPainter& painter, const QRect& area, const WheelDesign& design,
                 const WheelRenderInput& input, const ProgramSettings& settings,
                 Messages& messages) {
  int available = 0;
  for (const WheelChart& c : input.charts) {
    if (!c.chart) break;
    ++available;
  }
  if (available < design.chartCount) {
    messages.Error("Wheel design has wrong number of charts");
    return false;
  }
  if (area.width() < 2 || area.height() < 2) return true;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  wheel::WheelPainter(painter, area, design, input, settings).Draw();
  painter.restore();
  return true;
}

}  // namespace korvana
