#include "render/wheel_drawing.h"

#include <QFont>
#include <cmath>

#include "core/util/text.h"
#include "render/glyphs.h"

namespace korvana {
namespace {

int Round(double x) { return static_cast<int>(std::nearbyint(x)); }

bool SameChart(const WheelChart& a, const WheelChart& b) {
  if (!a.chart || !b.chart) return false;
  return a.chart == b.chart || *a.chart == *b.chart;
}

void HalfMessage(QPainter& painter, const QRect& half, const QString& text) {
  painter.save();
  QFont font(ResolveFontFamily("Arial"));
  font.setPixelSize(std::max(8, half.height() / 30));
  painter.setFont(font);
  painter.setPen(Qt::black);
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  painter.drawText(half, Qt::AlignCenter | Qt::TextWordWrap, shown);
  painter.restore();
}

}  // namespace

QRect WheelArea(const QRect& rect, int output_kind, int horizontal, int vertical) {
  int left = rect.left(), top = rect.top();
  int right = rect.left() + rect.width(), bottom = rect.top() + rect.height();
  if (output_kind == kWheelPrinter) {
    const int dx = Round(rect.width() / 20.0), dy = Round(rect.height() / 20.0);
    left += 2 * dx;
    top += dy;
    bottom -= dy;
  }
  const int width = right - left, height = bottom - top;
  if (height > width) {
    if (vertical == kAlignStart) bottom = top + width;
    else if (vertical == kAlignEnd) top = bottom - width;
  } else if (width > height) {
    if (horizontal == kAlignStart) right = left + height;
    else if (horizontal == kAlignEnd) left = right - height;
  }
  return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

void DrawWheelDesign(QPainter& painter, const WheelRequest& request,
                     const ProgramSettings& settings, Messages& messages) {
  std::optional<WheelDesign> design;
  try {
    design = LoadWheelDesign(request.design_file, messages);
  } catch (const WheelDesignError&) {
    return;   // no design file: nothing to draw
  }
  if (!design) return;
  WheelRenderInput input = request.input;
  input.use_colour = request.input.output_kind != kWheelPrinter || settings.PrintInColor;
  const QRect area =
      WheelArea(request.rect, input.output_kind, request.horizontal, request.vertical);
  RenderWheel(painter, area, *design, input, settings, messages);
}

void DrawChartWheel(QPainter& painter, const WheelRequest& request,
                    const ProgramSettings& settings, Messages& messages) {
  if (!EqualsNoCase(request.design_file, settings.BiWheel)) {
    DrawWheelDesign(painter, request, settings, messages);
    return;
  }
  const QRect& r = request.rect;
  const int half_width = r.width() / 2;
  WheelRequest left = request;
  left.design_file = settings.DefWheel;
  left.rect = QRect(r.left(), r.top(), half_width, r.height());
  left.vertical = kAlignEnd;
  left.input.charts.resize(std::min<std::size_t>(1, request.input.charts.size()));
  DrawWheelDesign(painter, left, settings, messages);

  const QRect right_rect(r.left() + half_width, r.top(), r.width() - half_width, r.height());
  const auto& charts = request.input.charts;
  if (charts.size() < 2 || !charts[1].chart || SameChart(charts[0], charts[1])) {
    HalfMessage(painter, right_rect,
                request.return_reports
                    ? QStringLiteral("\r\nUse Options > Return Options to calculate 2nd chart")
                    : QStringLiteral("\r\nUse Chart > New or Chart > Open to select 2nd chart"));
    return;
  }
  WheelRequest right = left;
  right.rect = right_rect;
  right.input.charts = {charts[1]};
  DrawWheelDesign(painter, right, settings, messages);
}

}  // namespace korvana
