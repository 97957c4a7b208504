// The shipped modern report for the first sample chart written as PDF (page layout and
// Qt's PDF writer, fonts embedded) beside the same report as RTF; both draw the chart
// page's wheel.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "../support/shipped_report_run.h"
#include "core/reports/frontpage/front_page.h"
#include "core/reports/pdf/pdf_report.h"
#include "render/front_page_pictures.h"
#include "render/pdf_engine_qt.h"
#include "render/report_wheel.h"

namespace korvana {
namespace {

struct Setup : bench::ShippedReportRun {
  const std::string folder = (std::filesystem::temp_directory_path() / "korvana-bench-pdf/").string();
  TFrontPagePictures pictures{PaintReportWheel};
  RtfFrontPageWriter front{&pictures};

  Setup() : ShippedReportRun("") {
    std::filesystem::create_directories(folder);
    settings.ReportPath = folder;
    run.pictureFolder = folder;
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

#include "../support/gui_benchmark_main.h"
