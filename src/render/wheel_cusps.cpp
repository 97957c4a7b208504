// House cusps of the first chart with their arrowheads, and the house numbers. With house
// expansion the cusp lines leave out the point rings, where the rings draw them.
#include "render/wheel_painter.h"

#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace korvana::wheel {

bool WheelPainter::CuspPen(const CuspStyle& c, int k, QPen& pen, int& width) const {
  const bool angular = k % 3 == 1;
  const Color colour = angular ? c.colorAngular : c.colorOther;
  if ((colour & 0xFFFFFF) == 0xFFFFFF) return false;   // white: these cusps not drawn
  pen = QPen(Ink(ToQColor(colour)));
  pen.setStyle(PenStyleOf(angular ? c.penStyleAngular : c.penStyleOther));
  width = std::clamp<int>(angular ? c.penWidthAngular : c.penWidthOther, 1,
                          std::max(1, radius_ / 20));
  pen.setWidth(width);
  return true;
}

std::vector<RadialSpan> WheelPainter::RingSpans() const {
  std::vector<RadialSpan> spans;
  auto add = [&](const WheelBand& band) {
    const double a = CircleRadius(band.inner), b = CircleRadius(band.outer);
    spans.push_back({std::min(a, b), std::max(a, b)});
  };
  for (int ring = 0; ring < d_.chartCount && ring < WheelMaxCharts; ++ring) {
    if (!ChartOf(ring)) continue;
    const PointRingStyle& st = d_.pointRings[static_cast<std::size_t>(ring)];
    if (WheelDesign::UsableBand(st.band)) add(st.band);
    if (ExtraRingDrawn(ring)) add(d_.extraRings[static_cast<std::size_t>(ring)].band);
  }
  return spans;
}

void WheelPainter::DrawCusps() {
  if (!First() || First()->Chart.TimeUnknown) return;  // houses unknown without the birth time
  const bool expansion = HouseExpansionOn();
  const std::vector<RadialSpan> rings = expansion ? RingSpans() : std::vector<RadialSpan>{};
  for (int layer = 0; layer < WheelLayers; ++layer) {
    const CuspStyle& c = d_.cusps[layer][0];
    if (!WheelDesign::UsableBand(c.band)) continue;
    const int r_in = CircleRadius(c.band.inner), r_out = CircleRadius(c.band.outer);
    const int L = Round(radius_ * c.arrowLength);
    const double alpha = std::round(c.arrowHalfAngle * 180.0 / Pi);
    for (int k = 1; k <= 12; ++k) {
      QPen pen;
      int width = 1;
      if (!CuspPen(c, k, pen, width)) continue;
      p_.setPen(pen);
      const int w = Round(width / 2.0);
      const double lambda = CuspOf(k);
      const bool arrow = L > 0 && ((k == 1 && c.arrowAsc) || (k == 10 && c.arrowMc));
      if (!arrow) {
        if (!expansion) {
          Line(r_in + w, lambda, r_out - w, lambda);
          continue;
        }
        // Inside the point rings the rings draw the cusps, stepping around their points.
        for (const RadialSpan& part :
             UncoveredSpans(std::min(r_in, r_out), std::max(r_in, r_out), rings)) {
          if (part.to - w > part.from + w) Line(part.from + w, lambda, part.to - w, lambda);
        }
        continue;
      }
      Line(r_in + w, lambda, r_out - L / 2.0, lambda);
      QPolygonF dart;
      dart << At(r_out, lambda) << At(r_out - L, lambda + alpha)
           << At(r_out - Round(0.8 * L), lambda) << At(r_out - L, lambda - alpha);
      p_.setBrush(pen.color());
      pen.setStyle(Qt::SolidLine);
      p_.setPen(pen);
      p_.drawPolygon(dart);
      p_.setBrush(Qt::NoBrush);
    }
  }
}

void WheelPainter::DrawHouseNumbers() {
  if (!First() || First()->Chart.TimeUnknown) return;
  for (int layer = 0; layer < WheelLayers; ++layer) {
    const HouseNumberStyle& h = d_.houseNumbers[layer][0];
    if (!WheelDesign::UsableBand(h.band)) continue;
    const int r_in = CircleRadius(h.band.inner), r_out = CircleRadius(h.band.outer);
    const double r = Round(r_in + (r_out - r_in) * h.radius);
    const QFont font = Font(h.fontSize, h.bold, false, WheelTextKind::Text);
    for (int n = 1; n <= 6; ++n) {
      const double mid = CuspOf(n) + SignedGap(CuspOf(n + 1) - CuspOf(n)) / 2.0;
      Text(At(r, mid), QString::number(n), font, Qt::black);
      Text(At(r, mid + 180.0), QString::number(n + 6), font, Qt::black);
    }
  }
}

}  // namespace korvana::wheel
