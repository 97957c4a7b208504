#include "render/wheel_drawing.h"

#include <QFont>
#include <cmath>

#include "core/util/text.h"
#include "render/chart_details.h"
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

void DrawWheelDesignAt(QPainter& painter, const WheelRequest& request, const QRect& rect,
                       const WheelChart* chart, const ProgramSettings& settings,
                       Messages& messages) {
  WheelRequest half = request;
  half.layout = WheelLayout::Single;
  half.rect = rect;
  half.vertical = AlignEnd;
  half.input.charts.clear();
  if (chart) half.input.charts.push_back(*chart);
  DrawWheelDesign(painter, half, settings, messages);
}

// Two single wheels in the two halves of the request's rectangle: the first chart on the
// left; on the right the second chart, or `message` when it is missing or the same chart
// as the first.
void SideBySide(QPainter& painter, const WheelRequest& request,
                const ProgramSettings& settings, Messages& messages, const QString& message) {
  const QRect& r = request.rect;
  const int half_width = r.width() / 2;
  const auto& charts = request.input.charts;
  DrawWheelDesignAt(painter, request, QRect(r.left(), r.top(), half_width, r.height()),
                    charts.empty() ? nullptr : &charts[0], settings, messages);
  const QRect right_rect(r.left() + half_width, r.top(), r.width() - half_width, r.height());
  if (charts.size() < 2 || !charts[1].chart || SameChart(charts[0], charts[1])) {
    HalfMessage(painter, right_rect, message);
    return;
  }
  DrawWheelDesignAt(painter, request, right_rect, &charts[1], settings, messages);
}

}  // namespace

WheelLayout WheelLayoutFor(const std::string& designFile, bool compositeSet, bool report,
                           const ProgramSettings& settings) {
  if (EqualsNoCase(designFile, settings.BiWheel)) return WheelLayout::SideBySide;
  if (compositeSet && !report) return WheelLayout::CompositePair;
  return WheelLayout::Single;
}

LoadedWheel LoadWheelForLayout(const std::string& designFile, bool compositeSet, bool report,
                               const ProgramSettings& settings, Messages& messages) {
  LoadedWheel loaded;
  loaded.layout = WheelLayoutFor(designFile, compositeSet, report, settings);
  const std::string& drawn =
      loaded.layout == WheelLayout::Single ? designFile : settings.DefWheel;
  try {
    loaded.design = ReadWheelDesign(drawn);
  } catch (const EWheelFileMissing&) {
    // no design file: nothing to draw
  } catch (const EWheelDesignError& e) {
    messages.Error(e.what());
  }
  return loaded;
}

QRect WheelArea(const QRect& rect, int outputKind, int horizontal, int vertical) {
  int left = rect.left(), top = rect.top();
  int right = rect.left() + rect.width(), bottom = rect.top() + rect.height();
  if (outputKind == WheelPrinter) {
    const int dx = Round(rect.width() / 20.0), dy = Round(rect.height() / 20.0);
    left += 2 * dx;
    top += dy;
    bottom -= dy;
  }
  const int width = right - left, height = bottom - top;
  if (height > width) {
    if (vertical == AlignStart) bottom = top + width;
    else if (vertical == AlignEnd) top = bottom - width;
  } else if (width > height) {
    if (horizontal == AlignStart) right = left + height;
    else if (horizontal == AlignEnd) left = right - height;
  }
  return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

QRect WheelDetailsRect(const QRect& rect, int outputKind) {
  int top = rect.top(), bottom = rect.top() + rect.height();
  if (outputKind == WheelPrinter) {
    const int dy = Round(rect.height() / 20.0);
    top += dy;
    bottom -= dy;
  }
  const int height = bottom - top;
  const double reference = height > rect.width() ? 0.75 * height : height;
  return QRect(rect.left(), top, rect.width(), std::max(0, Round(0.2 * reference)));
}

void DrawWheelDesign(QPainter& painter, const WheelRequest& request,
                     const ProgramSettings& settings, Messages& messages) {
  const WheelDesign* design = request.design;
  if (!design) return;
  WheelRenderInput input = request.input;
  input.useColour = request.input.outputKind != WheelPrinter || settings.PrintInColor;
  const QRect area =
      WheelArea(request.rect, input.outputKind, request.horizontal, request.vertical);
  if (!RenderWheel(painter, area, *design, input, settings, messages)) return;

  const QRect details = WheelDetailsRect(request.rect, input.outputKind);
  const std::size_t shown = design->chartCount > 1 ? 2 : 1;
  for (std::size_t i = 0; i < std::min(shown, input.charts.size()); ++i) {
    const WheelChart& chart = input.charts[i];
    if (!chart.record) continue;
    ChartDetailsOptions options;
    options.report = request.report;
    if (request.report) options.sourceNames = request.compositeSourceNames;
    options.genderWords = request.genderWords;
    options.hasTime = !(chart.ascendantUnknown && chart.midheavenUnknown);
    if (chart.chart) options.houseSystem = chart.chart->Houses.HouseSystem;
    DrawChartDetails(painter, *chart.record, details, i == 0 ? DetailsLeft : DetailsRight,
                     input.outputKind, true, settings, options);
  }
}

bool FirstSlotNeedsRestore(const WheelRequest& request) {
  if (request.returnReports || request.layout == WheelLayout::SideBySide) return false;
  const auto& charts = request.input.charts;
  if (charts.size() < 2 || !charts[1].chart) return false;
  const ChartRecord* first = charts[0].record ? charts[0].record
                             : charts[0].chart ? &charts[0].chart->Chart
                                               : nullptr;
  return first && first->ChartType == ChartTypeReturn;
}

void DrawChartWheel(QPainter& painter, const WheelRequest& request,
                    const ProgramSettings& settings, Messages& messages) {
  if (request.layout == WheelLayout::SideBySide) {
    SideBySide(painter, request, settings, messages,
               request.returnReports
                   ? QStringLiteral("\r\nUse Options > Return Options to calculate 2nd chart")
                   : QStringLiteral("\r\nUse Chart > New or Chart > Open to select 2nd chart"));
    return;
  }
  WheelRequest drawn = request;
  if (FirstSlotNeedsRestore(request)) drawn.input.charts[0] = request.input.charts[1];
  if (drawn.layout == WheelLayout::Single) {
    DrawWheelDesign(painter, drawn, settings, messages);
    return;
  }
  SideBySide(painter, drawn, settings, messages,
             QStringLiteral("\r\nUse Chart>New or Chart>Open to select the 2nd chart"));
}

}  // namespace korvana
