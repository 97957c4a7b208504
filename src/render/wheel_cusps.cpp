// House cusps of the first chart with their arrowheads, and the house numbers.
#include "render/wheel_painter.h"

#include <QPen>
#include <QPolygonF>
#include <cmath>

namespace korvana::wheel {

void WheelPainter::DrawCusps() {
  if (!First()) return;
  for (int layer = 0; layer < kWheelLayers; ++layer) {
    const CuspStyle& c = d_.cusps[layer][0];
    if (!WheelDesign::UsableBand(c.band)) continue;
    const int r_in = CircleRadius(c.band.inner), r_out = CircleRadius(c.band.outer);
    const int L = Round(radius_ * c.arrow_length);
    const double alpha = std::round(c.arrow_half_angle * 180.0 / 3.141592653589793);
    for (int k = 1; k <= 12; ++k) {
      const bool angular = k % 3 == 1;
      const Color colour = angular ? c.color_angular : c.color_other;
      if ((colour & 0xFFFFFF) == 0xFFFFFF) continue;   // white: these cusps not drawn
      QPen pen(Ink(ToQColor(colour)));
      pen.setStyle(PenStyleOf(angular ? c.pen_style_angular : c.pen_style_other));
      const int width = std::clamp<int>(angular ? c.pen_width_angular : c.pen_width_other, 1,
                                        std::max(1, radius_ / 20));
      pen.setWidth(width);
      p_.setPen(pen);
      const int w = Round(width / 2.0);
      const double lambda = CuspOf(k);
      const bool arrow = L > 0 && ((k == 1 && c.arrow_asc) || (k == 10 && c.arrow_mc));
      if (!arrow) {
        Line(r_in + w, lambda, r_out - w, lambda);
        continue;
      }
      Line(r_in + w, lambda, r_out - L / 2.0, lambda);
      QPolygonF dart;
      dart << At(r_out, lambda) << At(r_out - L, lambda + alpha)
           << At(r_out - Round(0.8 * L), lambda) << At(r_out - L, lambda - alpha);
      p_.setBrush(Ink(ToQColor(colour)));
      pen.setStyle(Qt::SolidLine);
      p_.setPen(pen);
      p_.drawPolygon(dart);
      p_.setBrush(Qt::NoBrush);
    }
  }
}

void WheelPainter::DrawHouseNumbers() {
  if (!First()) return;
  for (int layer = 0; layer < kWheelLayers; ++layer) {
    const HouseNumberStyle& h = d_.house_numbers[layer][0];
    if (!WheelDesign::UsableBand(h.band)) continue;
    const int r_in = CircleRadius(h.band.inner), r_out = CircleRadius(h.band.outer);
    const double r = Round(r_in + (r_out - r_in) * h.radius);
    const QFont font = Font(h.font_size, h.bold, false, WheelTextKind::Text);
    for (int n = 1; n <= 6; ++n) {
      const double mid = CuspOf(n) + SignedGap(CuspOf(n + 1) - CuspOf(n)) / 2.0;
      Text(At(r, mid), QString::number(n), font, Qt::black);
      Text(At(r, mid + 180.0), QString::number(n + 6), font, Qt::black);
    }
  }
}

}  // namespace korvana::wheel
