// The chart search as "Search All Files" runs it: every file of a folder of 100 chart
// files of 1,000 charts each, searched one file a step, for a pattern that matches some
// names and for one that matches none.
#include <benchmark/benchmark.h>

#include "core/config/program_settings.h"
#include "core/session/chart_search.h"
#include "support/generated_chart_files.h"
#include "support/temp_folder.h"

namespace {

const korvana::testing::TempFolder& Charts() {
  static const korvana::testing::TempFolder folder;
  static const int written = korvana::testing::WriteChartFiles(folder, "charts/", 100, 1000);
  (void)written;
  return folder;
}

void Search(benchmark::State& state, const char* pattern) {
  const korvana::ProgramSettings settings;
  const std::string folder = Charts() / "charts/";
  for (auto _ : state) {
    korvana::ChartSearch search({folder}, pattern, settings);
    while (!search.Finished()) search.Step();
    benchmark::DoNotOptimize(search.Matches().size());
  }
  state.counters["charts/s"] = benchmark::Counter(100000.0 * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}

void BM_SearchAllFilesSomeMatch(benchmark::State& state) { Search(state, "*77*"); }
void BM_SearchAllFilesNoneMatch(benchmark::State& state) { Search(state, "*nobody*"); }

// One step: one file of 1,000 charts, the work done between two screen updates.
void BM_SearchOneFile(benchmark::State& state) {
  const korvana::ProgramSettings settings;
  const std::string file = Charts() / "charts/file1.cht";
  for (auto _ : state) {
    korvana::TMatchingChartArray matches;
    benchmark::DoNotOptimize(korvana::ReadChartNames(file, "*77*", matches, settings));
  }
}

BENCHMARK(BM_SearchAllFilesSomeMatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchAllFilesNoneMatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchOneFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
