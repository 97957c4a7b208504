#include "render/wheel_renderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <cmath>

#include "core/analysis/find_aspect.h"
#include "core/astro/point_id.h"
#include "core/wheels/wheel_spreading.h"
#include "render/glyphs.h"

namespace korvana {
namespace {

constexpr const char* kSignAbbrevs[13] = {"",   "Ar", "Ta", "Ge", "Cn", "Le", "Vi",
                                          "Li", "Sc", "Sg", "Cp", "Aq", "Pi"};
constexpr int kSignRulers[13] = {0, 7, 6, 5, 1, 3, 5, 6, 12, 8, 9, 10, 11};
constexpr int kDecanRulers[37] = {0, 7, 3, 8, 6, 5, 9, 5, 6, 10, 1, 12, 11, 3, 8, 7, 5, 9, 6,
                                  6, 10, 5, 12, 11, 1, 8, 7, 3, 9, 6, 5, 10, 5, 6, 11, 1, 12};

double Wrap(double x) {
  double r = std::fmod(x, 360.0);
  if (r < 0) r += 360.0;
  return r >= 360.0 ? 0.0 : r;
}
double SignedGap(double x) {
  const double g = Wrap(x);
  return g > 180.0 ? g - 360.0 : g;
}
int Round(double x) { return static_cast<int>(std::nearbyint(x)); }   // halves to even

QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
QColor ToQColor(const Rgb& c) { return QColor(c.red, c.green, c.blue); }

Qt::PenStyle PenStyleOf(int style) {
  switch (style) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}

// Degrees and minutes of a longitude within its sign, as the wheel writes them.
QString DegreeText(double longitude) {
  return QString::asprintf("%02d", static_cast<int>(std::floor(Wrap(longitude))) % 30) +
         QChar(0x00B0);
}
QString MinuteText(double longitude) {
  const double x = Wrap(longitude);
  int minutes = static_cast<int>(std::floor((x - std::floor(x)) * 60.0));
  if (minutes > 59) minutes = 59;
  return QString::asprintf("%02d'", minutes);
}
int SignOf(double longitude) { return static_cast<int>(Wrap(longitude) / 30.0) % 12 + 1; }

class WheelPainter {
 public:
  WheelPainter(QPainter& p, const QRect& area, const WheelDesign& d, const WheelRenderInput& in,
               const ProgramSettings& s)
      : p_(p), d_(d), in_(in), s_(s) {
    centre_ = QPointF(area.left() + area.width() / 2, area.top() + area.height() / 2);
    radius_ = std::min(area.width(), area.height()) / 2;
    rotation_ = WheelRotation(d, in.charts.empty() ? nullptr : in.charts[0].chart);
    scale_ = d.design_radius > 0 ? static_cast<double>(radius_) / d.design_radius : 1.0;
    dial_ = d.dial_degrees >= 1.0f && d.dial_degrees <= 3600.0f ? d.dial_degrees : 360.0;
  }

  void Draw() {
    DrawCircles();
    for (int layer = 0; layer < kWheelLayers; ++layer) {
      for (int chart = 0; chart < d_.chart_count; ++chart) DrawZodiac(d_.zodiac[layer][chart]);
    }
    DrawCusps();
    DrawCuspLabels();
    DrawHouseNumbers();
    for (int ring = 0; ring < d_.chart_count; ++ring) DrawPointRing(ring);
    const bool lines = DrawAspects();
    DrawFinalCircle(lines);
  }

 private:
  int CircleRadius(int index) const {
    const WheelCircle* c = d_.Circle(index);
    return c ? Round(radius_ * std::clamp(c->radius, 0.0f, 4.0f)) : 0;
  }
  QPointF At(double r, double longitude) const {
    return WheelPolar(centre_, r, longitude, rotation_);
  }
  // Qt's angle (counter-clockwise from 3 o'clock) of a longitude.
  double QtAngle(double longitude) const { return Wrap(longitude - rotation_ + 180.0); }
  double ToDialLongitude(double division) const { return 360.0 * division / dial_; }

  QFont Font(double design_size, bool bold, bool italic, bool glyph) const {
    QFont f(glyph ? QString(GlyphFontFamily) : ResolveFontFamily("Arial"));
    const double dpi = p_.device() ? p_.device()->logicalDpiY() : 96;
    f.setPointSizeF(std::max(1, Round(design_size * scale_ * 96.0 / dpi)));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
  }
  // Text centred on a point.
  void Text(QPointF at, const QString& text, const QFont& font, const QColor& colour) {
    p_.setFont(font);
    p_.setPen(colour);
    const QFontMetricsF m(font, p_.device());
    const double w = m.horizontalAdvance(text) + 2, h = m.height();
    p_.drawText(QRectF(at.x() - w / 2, at.y() - h / 2, w, h), Qt::AlignCenter, text);
  }
  void TurnedText(QPointF at, double longitude, const QString& text, const QFont& font,
                  const QColor& colour, double width_factor) {
    QFont f = font;
    if (width_factor > 0.05 && std::fabs(width_factor - 1.0) > 1e-3) {
      f.setStretch(std::clamp(Round(width_factor * 100), 1, 4000));
    }
    p_.save();
    p_.translate(at);
    p_.rotate(-(longitude - rotation_ + 90.0));
    Text(QPointF(0, 0), text, f, colour);
    p_.restore();
  }
  QColor Ink(const QColor& colour) const { return in_.use_colour ? colour : QColor(Qt::black); }
  void Line(double r1, double l1, double r2, double l2) { p_.drawLine(At(r1, l1), At(r2, l2)); }

  void DrawCircles() {
    const int count = std::clamp<int>(d_.circle_count, 0, kWheelMaxCircles);
    for (int i = 1; i <= count; ++i) {
      const WheelCircle& c = *d_.Circle(i);
      const int r = CircleRadius(i);
      const QRectF box(centre_.x() - r, centre_.y() - r, 2.0 * r, 2.0 * r);
      p_.setPen(Qt::NoPen);
      if (c.filled && in_.use_colour) {
        p_.setBrush(ToQColor(c.fill_color));
        p_.drawEllipse(box);
      } else if (c.filled) {
        p_.setBrush(Qt::white);
        p_.drawEllipse(box);
      }
      // Coloured sign sectors of a band whose outer circle this is.
      for (const auto& layer : d_.zodiac) {
        for (int chart = 0; chart < d_.chart_count; ++chart) {
          const ZodiacBandStyle& z = layer[static_cast<std::size_t>(chart)];
          if (!z.sector_filled || !in_.use_colour || z.band.outer != i ||
              !WheelDesign::UsableBand(z.band)) {
            continue;
          }
          DrawSectors(CircleRadius(z.band.inner), r);
        }
      }
      if (c.outline) {
        QPen pen(Ink(ToQColor(c.pen_color)));
        pen.setStyle(PenStyleOf(c.pen_style));
        pen.setWidthF(std::clamp<int>(c.pen_width, 1, std::max(1, radius_ / 10)));
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

  void DrawSectors(int r_in, int r_out) {
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

  void DrawZodiac(const ZodiacBandStyle& z) {
    if (!WheelDesign::UsableBand(z.band)) return;
    const int r_in = CircleRadius(z.band.inner), r_out = CircleRadius(z.band.outer);
    const double r_t = Round(r_in + (r_out - r_in) * z.symbol_radius);
    const double base = z.ticks_outwards ? r_in : r_out;
    const double other = z.ticks_outwards ? r_out : r_in;
    const double dir = other >= base ? 1.0 : -1.0;
    const double long_len = Round((other - base) * z.long_tick_length);
    const double medium_len = Round((other - base) * z.medium_tick_length);
    const double short_len = Round((other - base) * z.short_tick_length);
    const int divisions = static_cast<int>(dial_);
    QPen pen(Ink(ToQColor(z.tick_color)));
    pen.setWidth(1);
    const QFont font = Font(z.font_size, z.bold, z.italic, true);
    const QFont text_font = Font(z.font_size, z.bold, z.italic, false);
    const int L = z.long_tick_interval;   // a zero or negative interval draws no such tick
    for (int v = 0; v < divisions; ++v) {
      const double a = ToDialLongitude(v);
      p_.setPen(pen);
      if (L > 0 && v % L == 0) {
        Line(base - 2 * dir, a, base + long_len + 2 * dir, a);
        if (z.content == kContentDivisionNumbers) {
          Text(At(r_t, a), QString::number(v), text_font, Qt::black);
        }
      } else if (z.medium_tick_interval > 0 && v % z.medium_tick_interval == 0) {
        Line(base, a, base + medium_len, a);
      } else if (z.short_tick_interval > 0 && v % z.short_tick_interval == 0) {
        Line(base, a, base + short_len, a);
      }
      if (L > 1 && (2 * v + L) % (2 * L) == 0) DrawSectorSymbol(z, r_t, a, font, text_font);
    }
  }

  void DrawSectorSymbol(const ZodiacBandStyle& z, double r_t, double a, const QFont& glyph_font,
                        const QFont& text_font) {
    const int sign = static_cast<int>(a / 30.0) % 12 + 1;
    const int ruler = z.long_tick_interval == 10
                          ? kDecanRulers[static_cast<int>(a / 10.0) % 36 + 1]
                          : kSignRulers[sign];
    QString text;
    bool glyph = true, turned = false;
    switch (z.content) {
      case kContentSignGlyphTurned: turned = true; [[fallthrough]];
      case kContentSignGlyph:
        text = GlyphText(s_.SignGlyph[static_cast<std::size_t>(sign)]);
        break;
      case kContentSignAbbrevTurned: turned = true; [[fallthrough]];
      case kContentSignAbbrev:
        text = kSignAbbrevs[sign];
        glyph = false;
        break;
      case kContentRulerGlyphTurned: turned = true; [[fallthrough]];
      case kContentRulerGlyph:
        text = GlyphText(s_.PointGlyph[static_cast<std::size_t>(ruler)]);
        break;
      case kContentRulerAbbrevTurned: turned = true; [[fallthrough]];
      case kContentRulerAbbrev:
        text = QString::fromUtf8(PointAbbrev(ruler).data(),
                                 static_cast<qsizetype>(PointAbbrev(ruler).size()));
        glyph = false;
        break;
      default: return;
    }
    const QColor colour = Ink(ToQColor(s_.SignColor[static_cast<std::size_t>(sign)]));
    const QFont& font = glyph ? glyph_font : text_font;
    if (turned) {
      TurnedText(At(r_t, a), a, text, font, colour, z.turned_width_factor);
    } else {
      Text(At(r_t, a), text, font, colour);
    }
  }

  const CalculatedChart* First() const {
    return in_.charts.empty() ? nullptr : in_.charts[0].chart;
  }
  double CuspOf(int k) const {
    return First()->Houses.Cusps[static_cast<std::size_t>((k - 1) % 12 + 1)];
  }

  void DrawCusps() {
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

  void DrawHouseNumbers() {
    if (!First()) return;
    for (int layer = 0; layer < kWheelLayers; ++layer) {
      const HouseNumberStyle& h = d_.house_numbers[layer][0];
      if (!WheelDesign::UsableBand(h.band)) continue;
      const int r_in = CircleRadius(h.band.inner), r_out = CircleRadius(h.band.outer);
      const double r = Round(r_in + (r_out - r_in) * h.radius);
      const QFont font = Font(h.font_size, h.bold, false, false);
      for (int n = 1; n <= 6; ++n) {
        const double mid = CuspOf(n) + SignedGap(CuspOf(n + 1) - CuspOf(n)) / 2.0;
        Text(At(r, mid), QString::number(n), font, Qt::black);
        Text(At(r, mid + 180.0), QString::number(n + 6), font, Qt::black);
      }
    }
  }

  void DrawCuspLabels() {
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
        const QFont font = Font(c.sign_font_size, c.sign_bold, c.sign_italic, true);
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
          const QFont font = Font(c.degree_font_size, c.degree_bold, false, false);
          Text(At(r_d, l - e), DegreeText(l), font, Qt::black);
          Text(At(r_d, l + 180.0 + e), DegreeText(l), font, Qt::black);
        }
        if (c.minute_shown) {
          const QFont font = Font(c.minute_font_size, c.minute_bold, false, false);
          Text(At(r_m, l + e), MinuteText(l), font, Qt::black);
          Text(At(r_m, l + 180.0 - e), MinuteText(l), font, Qt::black);
        }
      }
    }
  }

  std::array<double, LastPoint + 1> Longitudes(const CalculatedChart& chart) const {
    std::array<double, LastPoint + 1> lon{};
    for (int id = 1; id <= LastPoint; ++id) lon[static_cast<std::size_t>(id)] = chart.Longitude(id);
    return lon;
  }
  PointList ListFor(int ring) const {
    const WheelChart& wc = in_.charts[static_cast<std::size_t>(ring)];
    PointList list = BuildPointList(Longitudes(*wc.chart), in_.selection, wc.ascendant_unknown,
                                    wc.midheaven_unknown);
    return list;
  }

  void DrawPointRing(int ring) {
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
    const QFont glyph_font = Font(st.glyph_font_size, st.glyph_bold, st.glyph_italic, true);
    const QFont sign_font = Font(st.sign_font_size, false, false, true);
    const QFont retro_font = Font(st.minute_font_size, false, false, true);
    const QFont degree_font = Font(st.degree_font_size, st.degree_bold, false, false);
    const QFont minute_font = Font(st.minute_font_size, false, false, false);
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
                                 ? QString::fromUtf8(PointAbbrev(id).data(),
                                                     static_cast<qsizetype>(PointAbbrev(id).size()))
                                 : GlyphText(s_.PointGlyph[u]);
        Text(At(r[kRingGlyph], mu), text, st.point_abbreviations ? degree_font : glyph_font,
             colour);
      }
      const int sign = SignOf(lambda);
      if (st.radius[kRingSign] > 0) {
        Text(At(r[kRingSign], mu),
             st.sign_abbreviations ? QString(kSignAbbrevs[sign])
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

  bool DrawAspects() {
    const AspectArea& a = d_.aspects;
    const WheelCircle* c1 = d_.Circle(a.circle[0]);
    const WheelCircle* c2 = d_.Circle(a.circle[1]);
    if (!c1 || !c2) return false;
    int chart_of[2];
    for (int p = 0; p < 2; ++p) {
      chart_of[p] = a.chart[static_cast<std::size_t>(p)] - 1;
      if (chart_of[p] < 0 || chart_of[p] >= static_cast<int>(in_.charts.size()) ||
          !in_.charts[static_cast<std::size_t>(chart_of[p])].chart) {
        return false;
      }
    }
    const bool same = chart_of[0] == chart_of[1];
    double r[2], t[2];
    PointList lists[2];
    for (int p = 0; p < 2; ++p) {
      r[p] = Round(radius_ * std::clamp(d_.Circle(a.circle[static_cast<std::size_t>(p)])->radius, 0.0f, 4.0f));
      t[p] = Round(radius_ * std::clamp(a.tick_length[static_cast<std::size_t>(p)], 0.0f, 1.0f));
      lists[p] = ListFor(chart_of[p]);
    }
    const int tick_width = std::clamp<int>(a.tick_pen_width, 1, std::max(1, radius_ / 20));
    for (int p = 0; p < (same ? 1 : 2); ++p) {
      if (t[p] <= 0) continue;
      const CalculatedChart& chart = *in_.charts[static_cast<std::size_t>(chart_of[p])].chart;
      for (int id : lists[p].order) {
        QPen pen(Ink(ToQColor(s_.PointColor[static_cast<std::size_t>(id)])));
        pen.setWidth(tick_width);
        p_.setPen(pen);
        Line(r[p] - tick_width / 2.0, chart.Longitude(id), r[p] - t[p], chart.Longitude(id));
      }
    }
    if (!in_.aspects) return false;
    const CalculatedChart& ca = *in_.charts[static_cast<std::size_t>(chart_of[0])].chart;
    const CalculatedChart& cb = *in_.charts[static_cast<std::size_t>(chart_of[1])].chart;
    const QFont glyph_font = Font(7, false, false, true);
    bool drawn = false;
    for (std::size_t i = 0; i < lists[0].order.size(); ++i) {
      const int pi = lists[0].order[i];
      for (std::size_t j = same ? i + 1 : 0; j < lists[1].order.size(); ++j) {
        const int pj = lists[1].order[j];
        if (same && ((pi == ptNorthNode && pj == ptNorthNode + 1) ||
                     (pj == ptNorthNode && pi == ptNorthNode + 1))) {
          continue;
        }
        const AspectMatch m = FindAspect(*in_.aspects, pi, pj, ca.Point(pi), cb.Point(pj), OrbNatal);
        if (m.record < 2 || m.record >= static_cast<int>(in_.aspects->records.size())) continue;
        const AspectRecord& rec = in_.aspects->records[static_cast<std::size_t>(m.record)];
        const QColor colour = Ink(ToQColor(rec.color));
        QPen pen(colour);
        if (rec.lineStyle >= 0) {
          pen.setStyle(PenStyleOf(rec.lineStyle));
          pen.setWidth(1);
        } else {
          pen.setWidth(std::clamp(-rec.lineStyle, 1, 20));
        }
        const QPointF from = At(r[0] - t[0], ca.Longitude(pi));
        const QPointF to = At(r[1] - t[1], cb.Longitude(pj));
        const QLineF line(from, to);
        const double length = line.length();
        if (length < 1) continue;
        // A gap in the middle of the line for the aspect's glyph.
        const double gap = std::min(0.45, (radius_ * 0.06 / length) * 0.75);
        p_.setPen(pen);
        p_.drawLine(from, line.pointAt(0.5 - gap));
        p_.drawLine(line.pointAt(0.5 + gap), to);
        Text(line.pointAt(0.5), GlyphText(rec.glyph), glyph_font, colour);
        drawn = true;
      }
    }
    return drawn;
  }

  void DrawFinalCircle(bool lines) {
    const int last = std::clamp<int>(d_.circle_count, 0, kWheelMaxCircles);
    if (!lines || last == 0 || last == d_.aspects.circle[0] || last == d_.aspects.circle[1]) {
      return;
    }
    const WheelCircle& c = *d_.Circle(last);
    if (!c.outline || !c.filled) return;
    const int r = CircleRadius(last);
    QPen pen(Ink(ToQColor(c.pen_color)));
    pen.setStyle(PenStyleOf(c.pen_style));
    pen.setWidth(std::clamp<int>(c.pen_width, 1, std::max(1, radius_ / 10)));
    p_.setPen(pen);
    p_.setBrush(in_.use_colour ? ToQColor(c.fill_color) : QColor(Qt::white));
    p_.drawEllipse(centre_, r, r);
    p_.setBrush(Qt::NoBrush);
  }

  QPainter& p_;
  const WheelDesign& d_;
  const WheelRenderInput& in_;
  const ProgramSettings& s_;
  QPointF centre_;
  int radius_ = 0;
  double rotation_ = 0;
  double scale_ = 1;
  double dial_ = 360;
};

}  // namespace

QPointF WheelPolar(QPointF centre, double r, double longitude, double rotation) {
  const double theta = (longitude - rotation) * 3.141592653589793 / 180.0;
  return QPointF(centre.x() - r * std::cos(theta), centre.y() + r * std::sin(theta));
}

double WheelRotation(const WheelDesign& design, const CalculatedChart* first_chart) {
  if (design.fixed_rotation || !first_chart) return design.rotation_degrees;
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
  if (available < design.chart_count) {
    messages.Error("Wheel design has wrong number of charts");
    return false;
  }
  if (area.width() < 2 || area.height() < 2) return true;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  WheelPainter(painter, area, design, input, settings).Draw();
  painter.restore();
  return true;
}

}  // namespace korvana
