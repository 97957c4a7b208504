// The report driver on the shipped modern report set and the first sample chart: the
// whole report, and its parts (classical preparation, reading the compiled report,
// evaluating every statement, the RTF markup of the paragraphs).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "core/analysis/aspect_file.h"
#include "core/analysis/rulerships.h"
#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"
#include "core/charts/chart_files.h"
#include "core/reports/compiler/compiled_reader.h"
#include "core/reports/driver/report_driver.h"
#include "core/reports/driver/report_questions.h"
#include "core/reports/reportset/report_set.h"

namespace korvana {
namespace {

struct Setup {
  const std::string base = std::string(KORVANA_TEMPLATE_DIR) + "/";
  std::string out = (std::filesystem::temp_directory_path() / "korvana-bench-report.rtf").string();
  SilentMessages messages;
  ProgramSettings settings;
  TKVReport report;
  AspectSet aspects;
  RulershipTables tables;
  ReportRun run;

  Setup() {
    settings.SystemPath = settings.CompilePath = settings.EphemPath = base;
    settings.UserPath = settings.ChartPath = base + "userdata/";
    settings.SourcePath = base + "source/";
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
    run.outputFile = out;
    run.report = &report;
    run.settings = &settings;
    run.aspects = &aspects;
    run.tables = &tables;
    run.messages = &messages;
  }
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
    bytes = std::filesystem::file_size(s.out);
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
