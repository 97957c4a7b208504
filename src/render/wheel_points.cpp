// Point rings and extra-point rings: the chart's shown points (or its extra points) spread
// apart, each with its pointer lines, glyph (or name), sign, retrograde mark, degree and
// minute; with house expansion, the ring's own chart's cusps drawn across the ring, each
// stepping aside around the spread points.
#include "render/wheel_painter.h"

#include <QFontMetricsF>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "core/points/point_id.h"
#include "render/glyphs.h"

namespace korvana::wheel {

std::array<double, LastPoint + 1> WheelPainter::Longitudes(const CalculatedChart& chart) const {
  std::array<double, LastPoint + 1> lon{};
  for (int id = 1; id <= LastPoint; ++id) lon[static_cast<std::size_t>(id)] = chart.Longitude(id);
  return lon;
}

PointList WheelPainter::ListFor(int ring) const {
  const WheelChart& wc = in_.charts[static_cast<std::size_t>(ring)];
  return BuildPointList(Longitudes(*wc.chart), SelectionForChart(in_.selection, wc.chart->Chart.TimeUnknown),
                        wc.ascendantUnknown, wc.midheavenUnknown);
}

WheelCusps WheelPainter::CuspsOf(const CalculatedChart& chart) const {
  WheelCusps cusps{};
  for (int k = 1; k <= 12; ++k) {
    cusps[static_cast<std::size_t>(k)] = chart.Houses.Cusps[static_cast<std::size_t>(k)];
  }
  return cusps;
}

void WheelPainter::DrawPointRing(int ring) {
  const PointRingStyle& st = d_.pointRings[static_cast<std::size_t>(ring)];
  const CalculatedChart* chart = ChartOf(ring);
  if (!WheelDesign::UsableBand(st.band) || !chart) return;
  const auto lon = Longitudes(*chart);
  PointList list = ListFor(ring);
  const WheelCusps cusps = CuspsOf(*chart);
  WheelCusps offsets{};
  SpreadPoints(list, lon, cusps, HouseExpansionOn() ? &offsets : nullptr);
  std::vector<RingItem> items;
  for (int id : list.order) {
    const auto u = static_cast<std::size_t>(id);
    RingItem item;
    item.lambda = Wrap(lon[u]);
    item.mu = list.display[u];
    item.speed = chart->Point(id).LongitudeSpeed;
    item.glyph = st.pointAbbreviations ? PointAbbrevText(id) : GlyphText(s_.PointGlyph[u]);
    item.glyphIsText = st.pointAbbreviations;
    item.colour = Ink(ToQColor(s_.PointColor[u]));
    items.push_back(std::move(item));
  }
  DrawRingItems(st, items);
  if (HouseExpansionOn()) DrawRingCusps(ring, st, offsets);
}

std::vector<WheelExtraPoint> WheelPainter::ExtraPointsOf(int ring) const {
  std::vector<WheelExtraPoint> points;
  if (ring < 0 || ring >= static_cast<int>(in_.charts.size())) return points;
  for (const WheelExtraPoint& p : in_.charts[static_cast<std::size_t>(ring)].extraPoints) {
    if (!std::isfinite(p.longitude)) continue;   // a point that could not be placed
    WheelExtraPoint placed = p;
    placed.longitude = Wrap(p.longitude);
    points.push_back(std::move(placed));
  }
  std::stable_sort(points.begin(), points.end(), [](const auto& a, const auto& b) {
    return a.longitude < b.longitude;
  });
  return points;
}

bool WheelPainter::ExtraRingDrawn(int ring) const {
  return WheelDesign::UsableBand(d_.extraRings[static_cast<std::size_t>(ring)].band) &&
         ChartOf(ring) && !ExtraPointsOf(ring).empty();
}

void WheelPainter::DrawExtraRing(int ring) {
  if (!ExtraRingDrawn(ring)) return;
  const PointRingStyle& st = d_.extraRings[static_cast<std::size_t>(ring)];
  const std::vector<WheelExtraPoint> points = ExtraPointsOf(ring);
  // Sorted and finite already, so the spread positions keep the order of `points`.
  std::vector<double> display;
  for (const WheelExtraPoint& p : points) display.push_back(p.longitude);
  SpreadLongitudes(display, CuspsOf(*ChartOf(ring)));
  std::vector<RingItem> items;
  for (std::size_t i = 0; i < points.size() && i < display.size(); ++i) {
    RingItem item;
    item.lambda = points[i].longitude;
    item.mu = display[i];
    item.speed = points[i].speed;
    item.glyph = QString::fromStdString(points[i].name);
    item.glyphIsText = true;
    item.colour = Ink(ToQColor(points[i].colour));
    items.push_back(std::move(item));
  }
  DrawRingItems(st, items);
  // The extra points move no cusps: the cusps cross this ring straight.
  if (HouseExpansionOn()) DrawRingCusps(ring, st, WheelCusps{});
}

QFont WheelPainter::FittedGlyphFont(const QFont& font, const QString& glyph) const {
  const QFontMetricsF metrics(font, p_.device());
  const double room = metrics.horizontalAdvance(QChar(0x2609));  // the Sun's symbol
  const double width = metrics.horizontalAdvance(glyph);
  if (glyph.size() < 2 || width <= room || room <= 0) return font;
  QFont fitted = font;
  if (font.pixelSize() > 0)
    fitted.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * room / width)));
  else
    fitted.setPointSizeF(font.pointSizeF() * room / width);
  return fitted;
}

void WheelPainter::DrawRingItems(const PointRingStyle& st, const std::vector<RingItem>& items) {
  const int r_in = CircleRadius(st.band.inner), r_out = CircleRadius(st.band.outer);
  std::array<double, 5> r{};
  for (std::size_t k = 0; k < 5; ++k) r[k] = Round(r_in + (r_out - r_in) * st.radius[k]);
  const QFont glyph_font = Font(st.glyphFontSize, st.glyphBold, st.glyphItalic, WheelTextKind::Glyph);
  const QFont sign_font = Font(st.signFontSize, false, false, WheelTextKind::Glyph);
  const QFont retro_font = Font(st.minuteFontSize, false, false, WheelTextKind::Glyph);
  const QFont degree_font = Font(st.degreeFontSize, st.degreeBold, false, WheelTextKind::Text);
  const QFont minute_font = Font(st.minuteFontSize, false, false, WheelTextKind::Text);
  for (const RingItem& item : items) {
    const double lambda = item.lambda, mu = item.mu;
    for (int side = 0; side < 2; ++side) {
      if (st.pointerLength[static_cast<std::size_t>(side)] == 0) continue;
      const double from = side == 0 ? r_in : r_out, to = side == 0 ? r_out : r_in;
      const double L = Round((to - from) * st.pointerLength[static_cast<std::size_t>(side)]);
      QPen pen(item.colour);
      pen.setWidth(std::clamp<int>(st.pointerPenWidth, 1, std::max(1, radius_ / 20)));
      p_.setPen(pen);
      if (st.pointerBent[static_cast<std::size_t>(side)]) {
        QPolygonF bent;
        bent << At(from, lambda) << At(from + std::trunc(L / 3), lambda)
             << At(from + std::trunc(2 * L / 3), mu) << At(from + L, mu);
        p_.drawPolyline(bent);
      } else {
        Line(from, lambda, from + L, lambda);
      }
    }
    if (st.radius[RingGlyph] > 0) {
      // Abbreviations and names are letters: they take the degree font as the point
      // abbreviations always have. A lettered glyph ("AC", "MC") is narrowed to a symbol's
      // width, the room the spreading gave it.
      Text(At(r[RingGlyph], mu), item.glyph,
           item.glyphIsText ? degree_font : FittedGlyphFont(glyph_font, item.glyph), item.colour);
    }
    const int sign = SignOf(lambda);
    if (st.radius[RingSign] > 0) {
      Text(At(r[RingSign], mu),
           st.signAbbreviations ? SignAbbrev(sign)
                                 : GlyphText(s_.SignGlyph[static_cast<std::size_t>(sign)]),
           sign_font, Ink(ToQColor(s_.SignColor[static_cast<std::size_t>(sign)])));
    }
    if (st.radius[RingRetrograde] > 0 && item.speed < 0) {
      Text(At(r[RingRetrograde], mu),
           st.pointAbbreviations ? QString("R") : GlyphText(140), retro_font,
           Ink(ToQColor(s_.SignColor[13])));
    }
    double r_degree = r[RingDegree], r_minute = r[RingMinute];
    const bool right_half = Wrap(rotation_ - mu - 90.0) < 180.0;
    if (d_.swapDegreeAndMinute && right_half && st.radius[RingDegree] > 0 &&
        st.radius[RingMinute] > 0) {
      std::swap(r_degree, r_minute);
    }
    if (st.radius[RingDegree] > 0) Text(At(r_degree, mu), DegreeText(lambda), degree_font, Qt::black);
    if (st.radius[RingMinute] > 0) Text(At(r_minute, mu), MinuteText(lambda), minute_font, Qt::black);
  }
}

void WheelPainter::DrawRingCusps(int ring, const PointRingStyle& st, const WheelCusps& offsets) {
  const CalculatedChart* chart = ChartOf(ring);
  if (!chart || chart->Chart.TimeUnknown) return;
  const double r_in = CircleRadius(st.band.inner), r_out = CircleRadius(st.band.outer);
  const double band = r_out - r_in;
  const int e = Round(0.05 * band);
  for (int layer = 0; layer < WheelLayers; ++layer) {
    const CuspStyle& c = d_.cusps[layer][static_cast<std::size_t>(ring)];
    if (!WheelDesign::UsableBand(c.band)) continue;
    // Only a cusp layer that crosses this ring draws here.
    const double c_in = CircleRadius(c.band.inner), c_out = CircleRadius(c.band.outer);
    if (std::min(std::max(c_in, c_out), std::max(r_in, r_out)) <=
        std::max(std::min(c_in, c_out), std::min(r_in, r_out))) {
      continue;
    }
    for (int k = 1; k <= 12; ++k) {
      QPen pen;
      int width = 1;
      if (!CuspPen(c, k, pen, width)) continue;
      p_.setPen(pen);
      p_.setBrush(Qt::NoBrush);
      const int w = Round(width / 2.0);
      const double lambda = Wrap(chart->Houses.Cusps[static_cast<std::size_t>(k)]);
      const double delta = offsets[static_cast<std::size_t>(k)];
      if (!std::isfinite(lambda)) continue;
      if (delta == 0 || !std::isfinite(delta)) {
        Line(r_in + w, lambda, r_out - w, lambda);
        continue;
      }
      // Stepping aside: out along the true cusp, across to the displayed one, along it,
      // and back to the true cusp before the ring's outer edge.
      const double mu = Wrap(lambda + delta);
      Line(r_in + w, lambda, r_in + e - w, lambda);
      ShortArc(centre_, r_in + e, lambda, mu);
      Line(r_in + e + w, mu, r_out - e - w, mu);
      ShortArc(centre_, r_out - e, mu, lambda);
      Line(r_out - e + w, lambda, r_out - w, lambda);
    }
  }
}

}  // namespace korvana::wheel
