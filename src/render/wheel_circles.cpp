// Wheel circles with their coloured sign sectors, and the final circle drawn again over
// the aspect lines.
#include "render/wheel_painter.h"

#include <QPainterPath>
#include <QPen>
#include <cmath>

namespace korvana::wheel {

void WheelPainter::DrawCircles() {
  const int count = std::clamp<int>(d_.circleCount, 0, WheelMaxCircles);
  for (int i = 1; i <= count; ++i) {
    const WheelCircle& c = *d_.Circle(i);
    const int r = CircleRadius(i);
    const QRectF box(centre_.x() - r, centre_.y() - r, 2.0 * r, 2.0 * r);
    p_.setPen(Qt::NoPen);
    if (c.filled && in_.useColour) {
      p_.setBrush(ToQColor(c.fillColor));
      p_.drawEllipse(box);
    } else if (c.filled) {
      p_.setBrush(Qt::white);
      p_.drawEllipse(box);
    }
    // Coloured sign sectors of a band whose outer circle this is.
    for (const auto& layer : d_.zodiac) {
      for (int chart = 0; chart < d_.chartCount; ++chart) {
        const ZodiacBandStyle& z = layer[static_cast<std::size_t>(chart)];
        if (!z.sectorFilled || !in_.useColour || z.band.outer != i ||
            !WheelDesign::UsableBand(z.band)) {
          continue;
        }
        DrawSectors(CircleRadius(z.band.inner), r);
      }
    }
    if (c.outline) {
      QPen pen(Ink(ToQColor(c.penColor)));
      pen.setStyle(PenStyleOf(c.penStyle));
      pen.setWidthF(std::clamp<int>(c.penWidth, 1, std::max(1, radius_ / 10)));
      p_.setPen(pen);
      p_.setBrush(Qt::NoBrush);
      p_.drawEllipse(box);
    }
  }
  if (std::fabs(dial_ - 360.0) > 1e-6) {
    const double dot = std::max(1, Round(0.005 * radius_));
    p_.setPen(Qt::NoPen);
    p_.setBrush(Qt::black);
    p_.drawEllipse(centre_, dot, dot);
  }
  p_.setBrush(Qt::NoBrush);
}

void WheelPainter::DrawSectors(int r_in, int r_out) {
  const QRectF outer(centre_.x() - r_out, centre_.y() - r_out, 2.0 * r_out, 2.0 * r_out);
  const QRectF inner(centre_.x() - r_in, centre_.y() - r_in, 2.0 * r_in, 2.0 * r_in);
  p_.setPen(Qt::NoPen);
  for (int n = 1; n <= 12; ++n) {
    const double start = 30.0 * (n - 1);
    QPainterPath path;
    path.moveTo(At(r_out, start));
    path.arcTo(outer, QtAngle(start), 30.0);
    path.lineTo(At(r_in, start + 30.0));
    path.arcTo(inner, QtAngle(start + 30.0), -30.0);
    path.closeSubpath();
    p_.setBrush(ToQColor(s_.SignColorLight[static_cast<std::size_t>(n)]));
    p_.drawPath(path);
  }
  p_.setBrush(Qt::NoBrush);
}

void WheelPainter::DrawFinalCircle(bool lines) {
  const int last = std::clamp<int>(d_.circleCount, 0, WheelMaxCircles);
  if (!lines || last == 0 || last == d_.aspects.circle[0] || last == d_.aspects.circle[1]) {
    return;
  }
  const WheelCircle& c = *d_.Circle(last);
  if (!c.outline || !c.filled) return;
  const int r = CircleRadius(last);
  QPen pen(Ink(ToQColor(c.penColor)));
  pen.setStyle(PenStyleOf(c.penStyle));
  pen.setWidth(std::clamp<int>(c.penWidth, 1, std::max(1, radius_ / 10)));
  p_.setPen(pen);
  p_.setBrush(in_.useColour ? ToQColor(c.fillColor) : QColor(Qt::white));
  p_.drawEllipse(centre_, r, r);
  p_.setBrush(Qt::NoBrush);
}

}  // namespace korvana::wheel
