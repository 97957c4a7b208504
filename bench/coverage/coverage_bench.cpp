// Report coverage on the shipped report sets: walks of random charts per second (the
// whole of a coverage run: casting, classical preparation, the walk), the random charts
// alone, and the outline (reading the compiled report and compiling the source again
// for its lines).
#include <benchmark/benchmark.h>

#include "core/astro/ephemeris.h"
#include "core/reports/coverage/random_charts.h"
#include "core/reports/coverage/set_coverage.h"

namespace korvana {
namespace {

const std::string Template = std::string(KORVANA_TEMPLATE_DIR) + "/";
const char* const Sets[] = {"modern", "traditional"};

struct Setup {
  SilentMessages messages;
  ProgramSettings settings;
  TKVReport sets[2];
  Setup() {
    settings.SystemPath = settings.CompilePath = settings.EphemPath = Template;
    settings.UserPath = settings.ChartPath = Template + "userdata/";
    settings.SourcePath = Template + "source/";
    settings.Rulers = Template + "rulers2.fil";
    settings.Degrees = Template + "degdig2.fil";
    settings.Trips = Template + "tripdig2.fil";
    SwissEphemerisUsable(Template + "swisseph/");
    for (int k = 0; k < 2; ++k) LoadReportSet(Template + Sets[k] + ".swp", sets[k], settings, messages);
  }
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

// state.range(0): the set (0 modern, 1 traditional); state.range(1): charts per run.
void BM_CoverageOfRandomCharts(benchmark::State& state) {
  Setup& s = Shared();
  const TKVReport& set = s.sets[state.range(0)];
  const int charts = static_cast<int>(state.range(1));
  const std::vector<CoverageRun> runs = RandomCoverageRuns(set, charts, DefaultCoverageSeed, s.settings);
  int walked = 0;
  for (auto _ : state) {
    const SetCoverage c = MeasureCoverage(set, runs, s.settings);
    if (c.runs != charts) state.SkipWithError("a run was refused");
    walked += c.runs;
  }
  state.SetLabel(Sets[state.range(0)]);
  state.counters["charts_per_second"] = benchmark::Counter(walked, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CoverageOfRandomCharts)->Args({0, 100})->Args({1, 100})->Args({0, 500})->Unit(benchmark::kMillisecond);

void BM_RandomCharts(benchmark::State& state) {
  Setup& s = Shared();
  RandomCharts random(DefaultCoverageSeed);
  for (auto _ : state) benchmark::DoNotOptimize(random.Next(s.settings));
}
BENCHMARK(BM_RandomCharts);

void BM_CoverageOutline(benchmark::State& state) {
  Setup& s = Shared();
  for (auto _ : state) {
    const SetCoverage c = CoverageOutline(s.sets[state.range(0)], s.settings);
    if (!c.sourceLines) state.SkipWithError("the source lines are not known");
  }
  state.SetLabel(Sets[state.range(0)]);
}
BENCHMARK(BM_CoverageOutline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvana

BENCHMARK_MAIN();
