// Shared pieces of the wheel ring and decoration tests: settings with glyphs and colours, a
// chart with given cusps and points, a wheel drawn onto the paint recorder, and the
// questions the tests ask of the recording (is there ink of a colour near a point, where
// does a text sit on the wheel).
#pragma once

#include <QPainter>
#include <QPointF>
#include <cmath>
#include <optional>
#include <vector>

#include "core/astro/calculated_chart.h"
#include "core/config/program_settings.h"
#include "render/wheel_renderer.h"
#include "support/paint_recorder.h"
#include "support/recording_messages.h"

namespace korvana::testing {

inline constexpr int WheelCanvas = 600;   // the wheel's square: centre (300, 300), R 300
inline const QPointF WheelCentre(300, 300);

inline ProgramSettings GlyphSettings() {
  ProgramSettings s;
  const int sign_codes[13] = {0, 220, 221, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139};
  for (int n = 1; n <= 12; ++n) {
    s.SignGlyph[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(sign_codes[n]);
    s.SignColor[static_cast<std::size_t>(n)] = Rgb{200, 0, 0};
    s.SignColorLight[static_cast<std::size_t>(n)] = Rgb{255, 230, 230};
  }
  s.SignColor[13] = Rgb{255, 0, 0};
  for (int id = 1; id <= LastPoint; ++id) {
    s.PointGlyph[static_cast<std::size_t>(id)] = static_cast<std::uint8_t>(181 + id);
    s.PointColor[static_cast<std::size_t>(id)] = MakeColor(0, 0, 160);
  }
  return s;
}

// A chart with the given cusps 1..12 and points (id, longitude); every other point is
// placed far from them at 300 degrees.
inline CalculatedChart ChartWith(const std::array<double, 12>& cusps,
                                 const std::vector<std::pair<int, double>>& points) {
  CalculatedChart c;
  for (int k = 1; k <= 12; ++k) c.Houses.Cusps[static_cast<std::size_t>(k)] = cusps[static_cast<std::size_t>(k - 1)];
  for (int id = 1; id <= LastPoint; ++id) c.Point(id).Longitude = 300;
  for (auto [id, lon] : points) c.Point(id).Longitude = lon;
  return c;
}

inline WheelChart ChartOnly(const CalculatedChart* chart) {
  WheelChart c;
  c.chart = chart;
  return c;
}

inline void SetCircle(WheelDesign& d, int index, float radius, Color pen = MakeColor(0, 0, 0)) {
  WheelCircle& c = d.circles[static_cast<std::size_t>(index - 1)];
  c.radius = radius;
  c.outline = true;
  c.penWidth = 1;
  c.penColor = pen;
  d.circleCount = static_cast<std::int16_t>(std::max<int>(d.circleCount, index));
}

// Draws the wheel onto a recorder of WheelCanvas square.
inline PaintRecording RecordWheel(const WheelDesign& d, const WheelRenderInput& input,
                                  const ProgramSettings& s) {
  PaintRecorder recorder(WheelCanvas, WheelCanvas);
  RecordingMessages messages;
  {
    QPainter painter(&recorder);
    RenderWheel(painter, QRect(0, 0, WheelCanvas, WheelCanvas), d, input, s, messages);
  }
  return recorder.recording;
}

inline double SegmentDistance(QPointF p, const QLineF& l) {
  const QPointF d = l.p2() - l.p1();
  const double len2 = d.x() * d.x() + d.y() * d.y();
  double t = len2 > 0 ? ((p - l.p1()).x() * d.x() + (p - l.p1()).y() * d.y()) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const QPointF q = l.p1() + t * d;
  return std::hypot(p.x() - q.x(), p.y() - q.y());
}

// Whether a line or a path drawn with a pen of `colour` passes within `tolerance` of `p`.
inline bool InkNear(const PaintRecording& r, QPointF p, const QColor& colour,
                    double tolerance = 1.5) {
  for (const RecordedLine& l : r.lines) {
    if (l.pen.color() == colour && SegmentDistance(p, l.line) <= tolerance) return true;
  }
  for (const RecordedShape& s : r.shapes) {
    if (s.pen.color() != colour || s.pen.style() == Qt::NoPen) continue;
    const QPolygonF outline = s.path.toFillPolygon();
    for (int i = 0; i + 1 < outline.size(); ++i) {
      if (SegmentDistance(p, QLineF(outline[i], outline[i + 1])) <= tolerance) return true;
    }
  }
  return false;
}

// The recorded line of a colour whose ends lie within `tolerance` of a and b (either way).
inline std::optional<QLineF> LineBetween(const PaintRecording& r, QPointF a, QPointF b,
                                         const QColor& colour, double tolerance = 1.0) {
  auto near = [&](QPointF x, QPointF y) { return std::hypot(x.x() - y.x(), x.y() - y.y()) <= tolerance; };
  for (const RecordedLine& l : r.lines) {
    if (l.pen.color() != colour) continue;
    if ((near(l.line.p1(), a) && near(l.line.p2(), b)) || (near(l.line.p1(), b) && near(l.line.p2(), a))) {
      return l.line;
    }
  }
  return std::nullopt;
}

// The recorded path of a colour that starts near `from` and ends near `to`.
inline const RecordedShape* PathFromTo(const PaintRecording& r, QPointF from, QPointF to,
                                       const QColor& colour, double tolerance = 1.0) {
  auto near = [&](QPointF x, QPointF y) { return std::hypot(x.x() - y.x(), x.y() - y.y()) <= tolerance; };
  for (const RecordedShape& s : r.shapes) {
    if (s.pen.color() != colour || s.path.elementCount() < 2) continue;
    if (near(s.path.pointAtPercent(0), from) && near(s.path.pointAtPercent(1), to)) return &s;
  }
  return nullptr;
}

// Radius and longitude on a wheel of WheelCanvas drawn with rotation `rho`.
struct WheelSpot {
  double radius = 0;
  double longitude = 0;
};
inline WheelSpot SpotOf(QPointF p, double rho) {
  const double dx = p.x() - WheelCentre.x(), dy = p.y() - WheelCentre.y();
  double lon = std::atan2(dy, -dx) * 180.0 / 3.141592653589793 + rho;
  lon = std::fmod(lon + 720.0, 360.0);
  return {std::hypot(dx, dy), lon};
}

inline double AngleApart(double a, double b) {
  double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180 ? 360 - d : d;
}

}  // namespace korvana::testing
