// Cusp labels of the first chart: ticks, the signs (with intercepted signs), degrees and
// minutes of cusps 1..6 and of their opposites, and the decorated arrangements' outlines
// around the twelve cusp directions.
#include "render/wheel_painter.h"

#include <QPen>
#include <QPolygonF>
#include <array>
#include <cmath>

#include "render/glyphs.h"

namespace korvana::wheel {

void WheelPainter::DrawCuspLabels() {
  if (!First() || First()->Chart.TimeUnknown) return;
  for (int layer = 0; layer < WheelLayers; ++layer) {
    const CuspLabelStyle& c = d_.cuspLabels[layer][0];
    if (c.band.inner == 0 || c.band.outer == 0) break;
    if (!WheelDesign::UsableBand(c.band)) continue;
    const int r_in = CircleRadius(c.band.inner), r_out = CircleRadius(c.band.outer);
    const double band = std::abs(r_out - r_in);
    QPen pen(Qt::black);
    pen.setWidth(1);
    p_.setPen(pen);
    for (int k = 1; k <= 6; ++k) {
      const double l = CuspOf(k);
      for (double side : {0.0, 180.0}) {
        if (c.innerTick != 0) Line(r_in, l + side, r_in + Round((r_out - r_in) * c.innerTick), l + side);
        if (c.outerTick != 0) Line(r_out, l + side, r_out + Round((r_in - r_out) * c.outerTick), l + side);
      }
    }
    double fs = 0.5, fd = 0.5, fm = 0.5, e = 5.0;
    switch (c.arrangement & 0xFF) {
      case 2: fs = 0.5; fd = 0.75; fm = 0.25; e = 0; break;
      case 3: fs = 0.4; fd = 0.65; fm = 0.15; e = 0; break;
      case 4: fs = fd = fm = 0.2; e = 5; break;
      default: break;
    }
    const double r_s = Round(band * fs + r_in), r_d = Round(band * fd + r_in),
                 r_m = Round(band * fm + r_in);
    if (!c.signShown) {
      e /= 2;
      if (!c.degreeShown || !c.minuteShown) e = 0;
    }
    if (c.signShown) {
      const QFont font = Font(c.signFontSize, c.signBold, c.signItalic, WheelTextKind::Glyph);
      auto sign_at = [&](int sign, double r, double l) {
        Text(At(r, l), GlyphText(s_.SignGlyph[static_cast<std::size_t>(sign)]), font,
             Ink(ToQColor(s_.SignColor[static_cast<std::size_t>(sign)])));
      };
      if (c.interceptedShown) {
        for (int k = 1; k <= 6; ++k) {
          const int s1 = SignOf(CuspOf(k)), s2 = SignOf(CuspOf(k + 1));
          const int n = ((s2 - s1 + 12) % 12) - 1;
          for (int i = 1; i <= n; ++i) {
            const int sigma = (s1 + i - 1) % 12 + 1;
            sign_at(sigma, r_s, (sigma - 1) * 30.0 + 15.0);
            sign_at((sigma + 5) % 12 + 1, r_s, (sigma - 1) * 30.0 + 195.0);
          }
        }
      }
      for (int k = 1; k <= 6; ++k) {
        const int sign = SignOf(CuspOf(k));
        sign_at(sign, r_s, CuspOf(k));
        sign_at((sign + 5) % 12 + 1, r_s, CuspOf(k) + 180.0);
      }
    }
    for (int k = 1; k <= 6; ++k) {
      const double l = CuspOf(k);
      if (c.degreeShown) {
        const QFont font = Font(c.degreeFontSize, c.degreeBold, false, WheelTextKind::Text);
        Text(At(r_d, l - e), DegreeText(l), font, Qt::black);
        Text(At(r_d, l + 180.0 + e), DegreeText(l), font, Qt::black);
      }
      if (c.minuteShown) {
        const QFont font = Font(c.minuteFontSize, c.minuteBold, false, WheelTextKind::Text);
        Text(At(r_m, l + e), MinuteText(l), font, Qt::black);
        Text(At(r_m, l + 180.0 - e), MinuteText(l), font, Qt::black);
      }
    }
    DrawCuspDecoration(c, layer, r_in, r_out);
  }
}

void WheelPainter::DrawCuspDecoration(const CuspLabelStyle& c, int layer, int r_in, int r_out) {
  const int code = c.arrangement & 0xFF;
  if (code < 2 || code > 4) return;
  const double band = std::abs(r_out - r_in);
  if (band < 1 || r_in < 0) return;
  // Solid, as wide as the other cusps of the same layer, in the colour of the band's
  // inner circle.
  const WheelCircle* inner = d_.Circle(c.band.inner);
  QPen pen(Ink(inner ? ToQColor(inner->penColor) : QColor(Qt::black)));
  pen.setStyle(Qt::SolidLine);
  pen.setWidth(std::clamp<int>(d_.cusps[static_cast<std::size_t>(layer)][0].penWidthOther, 1,
                               std::max(1, radius_ / 20)));
  p_.setPen(pen);
  p_.setBrush(Qt::NoBrush);
  // The twelve cusp directions: cusps 1..6, then their opposites (cusps 7..12).
  std::array<double, 13> cusp{};
  for (int k = 1; k <= 6; ++k) {
    cusp[static_cast<std::size_t>(k)] = Wrap(CuspOf(k));
    cusp[static_cast<std::size_t>(k + 6)] = Wrap(CuspOf(k) + 180.0);
  }
  auto position = [&](int i) { return cusp[static_cast<std::size_t>((i - 1 + 12) % 12 + 1)]; };
  const double deg = 180.0 / Pi;

  if (code == 2) {
    // A slim six-sided outline along each cusp, its sides joined to the neighbours'.
    const double r_a = Round(0.2 * band + r_in), r_b = Round(0.8 * band + r_in);
    if (r_a <= 0) return;
    const double d_b = 3.0, d_a = r_b * 3.0 / r_a;
    for (int i = 1; i <= 12; ++i) {
      const double a = position(i), prev = position(i - 1);
      QPolygonF outline;
      outline << At(r_a, a + d_a) << At(r_in, a) << At(r_a, a - d_a) << At(r_b, a - d_b)
              << At(r_out, a) << At(r_b, a + d_b);
      p_.drawPolygon(outline);
      Line(r_a, a - d_a, r_a, prev + d_a);
      Line(r_b, a - d_b, r_b, prev + d_b);
    }
    return;
  }

  if (code == 3) {
    // A circle near the inner edge at each cusp, tied to the point on the outer edge, and
    // arcs joining the circles of neighbouring cusps.
    const double t = Round(band / 3.0), r_t = r_in + t;
    if (t <= 0 || t >= band) return;
    const double beta = std::asin(std::min(1.0, t / std::sqrt(band * band - t * t))) * deg;
    const double alpha = std::asin(std::min(1.0, t / r_t)) * deg;
    for (int i = 1; i <= 12; ++i) {
      const double a = position(i);
      const QPointF centre = At(r_t, a);
      const double from = a + 90.0 - beta, to = a - 90.0 + beta;
      Arc(centre, t, from, to);   // the side facing the wheel's centre
      const QPointF apex = At(r_out, a);
      p_.drawLine(WheelPolar(centre, t, from, rotation_), apex);
      p_.drawLine(WheelPolar(centre, t, to, rotation_), apex);
    }
    for (int i = 1; i <= 12; ++i) {
      const double a = position(i), next = position(i + 1);
      // Cusps closer together than their circles leave no arc between them.
      if (Wrap(next - a) <= 2 * alpha || Wrap(next - a) > 180.0) continue;
      Arc(centre_, r_t, a + alpha, next - alpha);
    }
    return;
  }

  // Code 4: a pointed arch at each cusp, its apex on the outer edge, each side an S-curve
  // of two arcs meeting at the middle radius.
  const double u = r_in + r_out;
  if (u <= 0 || r_out <= 0) return;
  const double m1 = Round(band * r_in / u), m2 = Round(band * r_out / u);
  const double g = std::asin(std::min(1.0, m2 / r_out)) * deg;
  for (int i = 1; i <= 12; ++i) {
    const double a = position(i);
    Arc(At(r_in, a - g), m1, a - g - 90.0 - g / 2, a - g);
    Arc(At(r_out, a - g), m2, a + 90.0 - g / 2, a - g + 180.0);
    Arc(At(r_in, a + g), m1, a + g, a + g + 90.0 + g / 2);
    Arc(At(r_out, a + g), m2, a + g - 180.0, a - 90.0 + g / 2);
  }
}

}  // namespace korvana::wheel
