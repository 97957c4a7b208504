#include "render/report_wheel.h"

#include "core/reports/language/language.h"
#include "core/util/files.h"
#include "render/wheel_drawing.h"

namespace korvana {

std::vector<WheelExtraPoint> ReportWheelExtraPoints(const TExtraPlotPoints& extra) {
  std::vector<WheelExtraPoint> points;
  for (const TExtraPlotPoint& p : extra.points) {
    if (!p.position.Computed()) continue;
    WheelExtraPoint w;
    w.longitude = p.position.Longitude;
    w.speed = p.position.LongitudeSpeed;
    w.name = !p.abbreviation.empty() && p.abbreviation != "?" ? p.abbreviation : p.name;
    w.colour = MakeColor(139, 0, 139);
    points.push_back(std::move(w));
  }
  return points;
}

bool PaintReportWheel(const ReportRun& run, QPainter& painter, const QRect& rect, const WheelCanvas& canvas) {
  const ProgramSettings& s = *run.settings;
  if (run.charts.empty() || !FileExists(s.CurrentWheel)) return false;
  const TKVReport& report = *run.report;
  const bool returns = report.includesSolarReturn || report.includesLunarReturn;
  const LoadedWheel wheel = LoadWheelForLayout(s.CurrentWheel, report.composite, true, s, *run.messages);
  WheelRequest request;
  const std::size_t shown = report.synastry || returns ? run.charts.size() : 1;
  for (std::size_t i = 0; i < shown && i < run.charts.size(); ++i) {
    WheelChart chart;
    chart.chart = &run.charts[i];
    chart.record = &run.charts[i].Chart;
    if (i < run.extraPoints.size()) chart.extraPoints = ReportWheelExtraPoints(run.extraPoints[i]);
    request.input.charts.push_back(std::move(chart));
  }
  bool any = false;
  for (int id = 1; id <= LastPoint; ++id) any = any || report.pointSelection[static_cast<std::size_t>(id)];
  for (int id = 1; id <= LastPoint; ++id) {
    const auto i = static_cast<std::size_t>(id);
    request.input.selection[i] = any ? report.pointSelection[i] : s.WheelPointSelection[i];
  }
  request.input.aspects = run.aspects;
  request.input.outputKind = canvas.outputKind == 2 ? WheelPdf : WheelPrinter;
  request.horizontal = canvas.horizontal;
  request.vertical = canvas.vertical;
  request.report = true;
  request.design = wheel.design ? &*wheel.design : nullptr;
  request.layout = wheel.layout;
  request.rect = rect;
  request.returnReports = returns;
  if (report.composite) request.compositeSourceNames = run.compositeSourceNames;
  const auto language = static_cast<std::size_t>(report.language >= 0 && report.language < lang::LanguageCount
                                                     ? report.language
                                                     : lang::LanguageEnglish);
  request.genderWords = {lang::GenderWords[language][0], lang::GenderWords[language][1]};
  DrawChartWheel(painter, request, s, *run.messages);
  return true;
}

}  // namespace korvana
