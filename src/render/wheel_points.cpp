// Point rings: the chart's shown points spread apart, each with its pointer lines, glyph,
// sign, retrograde mark, degree and minute.
#include "render/wheel_painter.h"

#include <QPen>
#include <QPolygonF>
#include <cmath>

#include "core/astro/point_id.h"
#include "render/glyphs.h"

namespace korvana::wheel {

std::array<double, LastPoint + 1> WheelPainter::Longitudes(const CalculatedChart& chart) const {
  std::array<double, LastPoint + 1> lon{};
  for (int id = 1; id <= LastPoint; ++id) lon[static_cast<std::size_t>(id)] = chart.Longitude(id);
  return lon;
}

PointList WheelPainter::ListFor(int ring) const {
  const WheelChart& wc = in_.charts[static_cast<std::size_t>(ring)];
  PointList list = BuildPointList(Longitudes(*wc.chart), in_.selection, wc.ascendant_unknown,
                                  wc.midheaven_unknown);
  return list;
}

void WheelPainter::DrawPointRing(int ring) {
  const PointRingStyle& st = d_.point_rings[static_cast<std::size_t>(ring)];
  if (!WheelDesign::UsableBand(st.band) || !in_.charts[static_cast<std::size_t>(ring)].chart) return;
  const CalculatedChart& chart = *in_.charts[static_cast<std::size_t>(ring)].chart;
  const auto lon = Longitudes(chart);
  PointList list = ListFor(ring);
  WheelCusps cusps{};
  for (int k = 1; k <= 12; ++k) cusps[static_cast<std::size_t>(k)] = chart.Houses.Cusps[static_cast<std::size_t>(k)];
  SpreadPoints(list, lon, cusps);
  const int r_in = CircleRadius(st.band.inner), r_out = CircleRadius(st.band.outer);
  std::array<double, 5> r{};
  for (std::size_t k = 0; k < 5; ++k) r[k] = Round(r_in + (r_out - r_in) * st.radius[k]);
  const QFont glyph_font = Font(st.glyph_font_size, st.glyph_bold, st.glyph_italic, WheelTextKind::Glyph);
  const QFont sign_font = Font(st.sign_font_size, false, false, WheelTextKind::Glyph);
  const QFont retro_font = Font(st.minute_font_size, false, false, WheelTextKind::Glyph);
  const QFont degree_font = Font(st.degree_font_size, st.degree_bold, false, WheelTextKind::Text);
  const QFont minute_font = Font(st.minute_font_size, false, false, WheelTextKind::Text);
  for (int id : list.order) {
    const auto u = static_cast<std::size_t>(id);
    const double lambda = Wrap(lon[u]), mu = list.display[u];
    const QColor colour = Ink(ToQColor(s_.PointColor[u]));
    for (int side = 0; side < 2; ++side) {
      if (st.pointer_length[static_cast<std::size_t>(side)] == 0) continue;
      const double from = side == 0 ? r_in : r_out, to = side == 0 ? r_out : r_in;
      const double L = Round((to - from) * st.pointer_length[static_cast<std::size_t>(side)]);
      QPen pen(colour);
      pen.setWidth(std::clamp<int>(st.pointer_pen_width, 1, std::max(1, radius_ / 20)));
      p_.setPen(pen);
      if (st.pointer_bent[static_cast<std::size_t>(side)]) {
        QPolygonF bent;
        bent << At(from, lambda) << At(from + std::trunc(L / 3), lambda)
             << At(from + std::trunc(2 * L / 3), mu) << At(from + L, mu);
        p_.drawPolyline(bent);
      } else {
        Line(from, lambda, from + L, lambda);
      }
    }
    if (st.radius[kRingGlyph] > 0) {
      const QString text = st.point_abbreviations
                               ? PointAbbrevText(id)
                               : GlyphText(s_.PointGlyph[u]);
      Text(At(r[kRingGlyph], mu), text, st.point_abbreviations ? degree_font : glyph_font,
           colour);
    }
    const int sign = SignOf(lambda);
    if (st.radius[kRingSign] > 0) {
      Text(At(r[kRingSign], mu),
           st.sign_abbreviations ? SignAbbrev(sign)
                                 : GlyphText(s_.SignGlyph[static_cast<std::size_t>(sign)]),
           sign_font, Ink(ToQColor(s_.SignColor[static_cast<std::size_t>(sign)])));
    }
    if (st.radius[kRingRetrograde] > 0 && chart.Point(id).LongitudeSpeed < 0) {
      Text(At(r[kRingRetrograde], mu),
           st.point_abbreviations ? QString("R") : GlyphText(140), retro_font,
           Ink(ToQColor(s_.SignColor[13])));
    }
    double r_degree = r[kRingDegree], r_minute = r[kRingMinute];
    const bool right_half = Wrap(rotation_ - mu - 90.0) < 180.0;
    if (d_.swap_degree_and_minute && right_half && st.radius[kRingDegree] > 0 &&
        st.radius[kRingMinute] > 0) {
      std::swap(r_degree, r_minute);
    }
    if (st.radius[kRingDegree] > 0) Text(At(r_degree, mu), DegreeText(lambda), degree_font, Qt::black);
    if (st.radius[kRingMinute] > 0) Text(At(r_minute, mu), MinuteText(lambda), minute_font, Qt::black);
  }
}

}  // namespace korvana::wheel
