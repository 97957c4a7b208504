// The shipped modern report for the first sample chart written as PDF (page layout and
// Qt's PDF writer, fonts embedded) beside the same report as RTF; both draw the chart
// page's wheel.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>

#include "core/analysis/aspect_file.h"
#include "core/analysis/rulerships.h"
#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"
#include "core/charts/chart_files.h"
#include "core/reports/driver/report_questions.h"
#include "core/reports/frontpage/front_page.h"
#include "core/reports/pdf/pdf_report.h"
#include "core/reports/reportset/report_set.h"
#include "render/front_page_pictures.h"
#include "render/pdf_engine_qt.h"
#include "render/report_wheel.h"

namespace korvana {
namespace {

struct Setup {
  const std::string base = std::string(KORVANA_TEMPLATE_DIR) + "/";
  const std::string folder = (std::filesystem::temp_directory_path() / "korvana-bench-pdf/").string();
  SilentMessages messages;
  ProgramSettings settings;
  TKVReport report;
  AspectSet aspects;
  RulershipTables tables;
  TFrontPagePictures pictures{PaintReportWheel};
  RtfFrontPageWriter front{&pictures};
  ReportRun run;

  Setup() {
    std::filesystem::create_directories(folder);
    settings.SystemPath = settings.CompilePath = settings.EphemPath = base;
    settings.UserPath = settings.ChartPath = base + "userdata/";
    settings.SourcePath = base + "source/";
    settings.ReportPath = folder;
    SwissEphemerisUsable(base + "swisseph/");
    LoadReportSet(base + "modern.swp", report, settings, messages);
    LoadAspectFile(report.aspectFile, aspects, messages);
    LoadRulershipTables(base + "rulers2.fil", base + "degdig2.fil", base + "tripdig2.fil", messages, tables);
    std::vector<StoredChart> stored = ReadAllCharts(base + "userdata/main.cht", settings);
    CastOptions options = CastOptionsFrom(settings);
    options.HouseSystem = stored.at(0).houseSystem;
    run.charts.push_back(CastChart(stored.at(0).chart, options));
    run.ownerNames = {GivenNameOf(stored.at(0).chart.Name)};
    run.compiledFile = report.compiledFile;
    run.indexFile = base + "modern.ind";
    run.pictureFolder = folder;
    run.report = &report;
    run.settings = &settings;
    run.aspects = &aspects;
    run.tables = &tables;
    run.messages = &messages;
    run.frontPage = &front;
  }
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

void Report(benchmark::State& state, bool pdf) {
  Setup& s = Shared();
  ReportRun run = s.run;
  run.outputFile = s.folder + (pdf ? "report.pdf" : "report.rtf");
  ReportDriver driver;
  PdfReportOptions options;
  options.pictures = &s.pictures;
  for (auto _ : state) {
    TQtPdfEngine engine;
    const ReportOutcome o = pdf ? GeneratePdfReport(driver, run, engine, options) : driver.GenerateRtfReport(run);
    if (!o.written) state.SkipWithError("no report written");
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(run.outputFile));
}

void BM_PdfReport(benchmark::State& state) { Report(state, true); }
BENCHMARK(BM_PdfReport)->Unit(benchmark::kMillisecond);

void BM_RtfReport(benchmark::State& state) { Report(state, false); }
BENCHMARK(BM_RtfReport)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvana

int main(int argc, char** argv) {
  // Fonts need a GUI application; no screen is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
