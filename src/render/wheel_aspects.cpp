// The aspect area: ticks at the points of each partner and the aspect lines with their
// glyphs.
#include "render/wheel_painter.h"

#include <QLineF>
#include <QPen>
#include <cmath>

#include "core/analysis/find_aspect.h"
#include "core/points/point_id.h"
#include "render/glyphs.h"

namespace korvana::wheel {

bool WheelPainter::DrawAspects() {
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
    t[p] = Round(radius_ * std::clamp(a.tickLength[static_cast<std::size_t>(p)], 0.0f, 1.0f));
    lists[p] = ListFor(chart_of[p]);
  }
  const int tick_width = std::clamp<int>(a.tickPenWidth, 1, std::max(1, radius_ / 20));
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
  const QFont glyph_font = Font(7, false, false, WheelTextKind::Glyph);
  bool drawn = false;
  for (std::size_t i = 0; i < lists[0].order.size(); ++i) {
    const int pi = lists[0].order[i];
    for (std::size_t j = same ? i + 1 : 0; j < lists[1].order.size(); ++j) {
      const int pj = lists[1].order[j];
      if (same && ((pi == PointNorthNode && pj == PointNorthNode + 1) ||
                   (pj == PointNorthNode && pi == PointNorthNode + 1))) {
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

}  // namespace korvana::wheel
