// The report driver on the shipped modern report set and the first sample chart: the
// whole report, and its parts (classical preparation, reading the compiled report,
// evaluating every statement, the RTF markup of the paragraphs).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "../support/shipped_report_run.h"
#include "core/reports/compiler/compiled_reader.h"

namespace korvana {
namespace {

struct Setup : bench::ShippedReportRun {
  Setup() : ShippedReportRun((std::filesystem::temp_directory_path() / "korvana-bench-report.rtf").string()) {}
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

void BM_WholeReport(benchmark::State& state) {
  Setup& s = Shared();
  ReportDriver driver;
  std::size_t bytes = 0;
  for (auto _ : state) {
    ReportOutcome o = driver.GenerateRtfReport(s.run);
    if (!o.written) state.SkipWithError("no report written");
    bytes = std::filesystem::file_size(s.run.outputFile);
  }
  state.counters["rtf_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WholeReport)->Unit(benchmark::kMillisecond);

void BM_ClassicalPreparation(benchmark::State& state) {
  Setup& s = Shared();
  for (auto _ : state)
    benchmark::DoNotOptimize(PrepareClassicalAnalysis(s.run.charts, 0, s.report, s.settings, s.tables));
}
BENCHMARK(BM_ClassicalPreparation)->Unit(benchmark::kMillisecond);

void BM_ReadCompiledReport(benchmark::State& state) {
  Setup& s = Shared();
  for (auto _ : state) benchmark::DoNotOptimize(CompiledReportReader::Load(s.run.compiledFile, false));
}
BENCHMARK(BM_ReadCompiledReport)->Unit(benchmark::kMillisecond);

void BM_EvaluateEveryStatement(benchmark::State& state) {
  Setup& s = Shared();
  auto reader = CompiledReportReader::Load(s.run.compiledFile, false);
  ReportComposer composer;
  composer.inputs.aspects = &s.aspects;
  composer.inputs.tables = &s.tables;
  composer.classical = PrepareClassicalAnalysis(s.run.charts, 0, s.report, s.settings, s.tables);
  std::size_t n = 0;
  for (auto _ : state) {
    composer.ResetForRun();
    for (const PlacedRecord& r : reader.Records()) {
      if (r.record.IsSection()) continue;
      benchmark::DoNotOptimize(composer.EvaluateStatement(r.record, s.run.charts, 0, 0, false));
      ++n;
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(n));
}
BENCHMARK(BM_EvaluateEveryStatement)->Unit(benchmark::kMillisecond);

void BM_ParagraphMarkup(benchmark::State& state) {
  Setup& s = Shared();
  auto reader = CompiledReportReader::Load(s.run.compiledFile, false);
  RtfLayout layout = RtfLayout::FromSettings(s.settings);
  ReportOwners owners;
  owners.names = s.run.ownerNames;
  for (auto _ : state) {
    RtfFile file;
    for (const PlacedRecord& r : reader.Records()) {
      std::string text = r.record.text;
      SubstituteNames(text, owners);
      ConvertTokens(layout, text);
      ConvertTables(layout, text);
      ConvertLists(layout, text);
      ConvertBars(text);
      WriteText(file, StyledParagraph(layout, text, BodyText, false, 0));
    }
    benchmark::DoNotOptimize(file.Data().size());
  }
}
BENCHMARK(BM_ParagraphMarkup)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvana

BENCHMARK_MAIN();
