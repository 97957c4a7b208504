// Cusp labels of the first chart: ticks, the signs (with intercepted signs), degrees and
// minutes of cusps 1..6 and of their opposites.
#include "render/wheel_painter.h"

#include <QPen>
#include <cmath>

#include "render/glyphs.h"

namespace korvana::wheel {

void WheelPainter::DrawCuspLabels() {
  if (!First()) return;
  for (int layer = 0; layer < kWheelLayers; ++layer) {
    const CuspLabelStyle& c = d_.cusp_labels[layer][0];
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
        if (c.inner_tick != 0) Line(r_in, l + side, r_in + Round((r_out - r_in) * c.inner_tick), l + side);
        if (c.outer_tick != 0) Line(r_out, l + side, r_out + Round((r_in - r_out) * c.outer_tick), l + side);
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
    if (!c.sign_shown) {
      e /= 2;
      if (!c.degree_shown || !c.minute_shown) e = 0;
    }
    if (c.sign_shown) {
      const QFont font = Font(c.sign_font_size, c.sign_bold, c.sign_italic, WheelTextKind::Glyph);
      auto sign_at = [&](int sign, double r, double l) {
        Text(At(r, l), GlyphText(s_.SignGlyph[static_cast<std::size_t>(sign)]), font,
             Ink(ToQColor(s_.SignColor[static_cast<std::size_t>(sign)])));
      };
      if (c.intercepted_shown) {
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
      if (c.degree_shown) {
        const QFont font = Font(c.degree_font_size, c.degree_bold, false, WheelTextKind::Text);
        Text(At(r_d, l - e), DegreeText(l), font, Qt::black);
        Text(At(r_d, l + 180.0 + e), DegreeText(l), font, Qt::black);
      }
      if (c.minute_shown) {
        const QFont font = Font(c.minute_font_size, c.minute_bold, false, WheelTextKind::Text);
        Text(At(r_m, l + e), MinuteText(l), font, Qt::black);
        Text(At(r_m, l + 180.0 - e), MinuteText(l), font, Qt::black);
      }
    }
  }
}

}  // namespace korvana::wheel
