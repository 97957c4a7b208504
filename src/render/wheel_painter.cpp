// The wheel painter's shared helpers: geometry, fonts, texts and the drawing order.
#include "render/wheel_painter.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "core/points/point_catalogue.h"
#include "render/glyphs.h"

namespace korvana::wheel {

namespace {

constexpr const char* WheelSignAbbrevs[13] = {"",   "Ar", "Ta", "Ge", "Cn", "Le", "Vi",
                                          "Li", "Sc", "Sg", "Cp", "Aq", "Pi"};

}  // namespace

double Wrap(double x) { return WheelLongitude(x); }
double SignedGap(double x) { return WheelGap(x); }
int Round(double x) { return static_cast<int>(std::nearbyint(x)); }

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
std::vector<RadialSpan> UncoveredSpans(double from, double to,
                                       const std::vector<RadialSpan>& covered) {
  std::vector<RadialSpan> sorted = covered;
  std::sort(sorted.begin(), sorted.end(),
            [](const RadialSpan& a, const RadialSpan& b) { return a.from < b.from; });
  std::vector<RadialSpan> out;
  double at = from;
  for (const RadialSpan& c : sorted) {
    if (c.to <= at || c.from >= to) continue;
    if (c.from > at) out.push_back({at, c.from});
    at = std::max(at, c.to);
  }
  if (at < to) out.push_back({at, to});
  return out;
}

int SignOf(double longitude) { return static_cast<int>(Wrap(longitude) / 30.0) % 12 + 1; }
QString SignAbbrev(int sign) { return QString::fromLatin1(WheelSignAbbrevs[(sign - 1 + 12) % 12 + 1]); }
QString PointAbbrevText(int id) {
  const std::string_view a = PointAbbrev(id);
  return QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()));
}

WheelPainter::WheelPainter(QPainter& p, const QRect& area, const WheelDesign& d,
                           const WheelRenderInput& in, const ProgramSettings& s)
    : p_(p), d_(d), in_(in), s_(s) {
  centre_ = QPointF(area.left() + area.width() / 2, area.top() + area.height() / 2);
  radius_ = std::min(area.width(), area.height()) / 2;
  rotation_ = WheelRotation(d, in.charts.empty() ? nullptr : in.charts[0].chart);
  scale_ = d.designRadius > 0 ? static_cast<double>(radius_) / d.designRadius : 1.0;
  dial_ = d.dialDegrees >= 1.0f && d.dialDegrees <= 3600.0f ? d.dialDegrees : 360.0;
}

void WheelPainter::Draw() {
  DrawCircles();
  for (int layer = 0; layer < WheelLayers; ++layer) {
    for (int chart = 0; chart < d_.chartCount; ++chart) DrawZodiac(d_.zodiac[layer][chart]);
  }
  DrawCusps();
  DrawCuspLabels();
  DrawHouseNumbers();
  for (int ring = 0; ring < d_.chartCount; ++ring) {
    DrawPointRing(ring);
    DrawExtraRing(ring);
  }
  const bool lines = DrawAspects();
  DrawFinalCircle(lines);
}

int WheelPainter::CircleRadius(int index) const {
  const WheelCircle* c = d_.Circle(index);
  return c ? Round(radius_ * std::clamp(c->radius, 0.0f, 4.0f)) : 0;
}

QPointF WheelPainter::At(double r, double longitude) const {
  return WheelPolar(centre_, r, longitude, rotation_);
}

double WheelPainter::QtAngle(double longitude) const { return Wrap(longitude - rotation_ + 180.0); }

double WheelPainter::ToDialLongitude(double division) const { return 360.0 * division / dial_; }

QFont WheelPainter::Font(double design_size, bool bold, bool italic, WheelTextKind kind,
                         bool turned) const {
  const double dpi = p_.device() ? p_.device()->logicalDpiY() : 96;
  return WheelFont(kind, in_.outputKind, design_size * scale_, turned, dpi, bold, italic, s_);
}

void WheelPainter::Text(QPointF at, const QString& text, const QFont& font, const QColor& colour) {
  p_.setFont(font);
  p_.setPen(colour);
  const QFontMetricsF m(font, p_.device());
  const double w = m.horizontalAdvance(text) + 2, h = m.height();
  p_.drawText(QRectF(at.x() - w / 2, at.y() - h / 2, w, h), Qt::AlignCenter, text);
}

void WheelPainter::TurnedText(QPointF at, double longitude, const QString& text, const QFont& font,
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

QColor WheelPainter::Ink(const QColor& colour) const { return in_.useColour ? colour : QColor(Qt::black); }

void WheelPainter::Line(double r1, double l1, double r2, double l2) { p_.drawLine(At(r1, l1), At(r2, l2)); }

const CalculatedChart* WheelPainter::First() const {
  return in_.charts.empty() ? nullptr : in_.charts[0].chart;
}

const CalculatedChart* WheelPainter::ChartOf(int ring) const {
  if (ring < 0 || ring >= static_cast<int>(in_.charts.size())) return nullptr;
  return in_.charts[static_cast<std::size_t>(ring)].chart;
}

bool WheelPainter::HouseExpansionOn() const {
  return s_.HouseExpansion && std::fabs(dial_ - 360.0) < 1e-6;
}

void WheelPainter::Arc(QPointF centre, double r, double from, double to) {
  const double sweep = Wrap(to - from);
  if (!(r > 0) || sweep == 0) return;
  const QRectF box(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
  const double start = Wrap(from - rotation_ + 180.0);   // Qt's angle of the first end
  QPainterPath path;
  path.arcMoveTo(box, start);
  path.arcTo(box, start, sweep);
  p_.setBrush(Qt::NoBrush);
  p_.drawPath(path);
}

void WheelPainter::ShortArc(QPointF centre, double r, double from, double to) {
  if (SignedGap(to - from) >= 0) {
    Arc(centre, r, from, to);
  } else {
    Arc(centre, r, to, from);
  }
}

double WheelPainter::CuspOf(int k) const {
  return First()->Houses.Cusps[static_cast<std::size_t>((k - 1) % 12 + 1)];
}

}  // namespace korvana::wheel
