// A solar and a lunar return search with the Swiss Ephemeris back end, from base dates
// spread over the years so that every search starts at another angle from its target.
// The counter "casts" is the mean number of charts a search cast (its start included).
//   bench_returns [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include "core/astro/ephemeris.h"
#include "core/derived/returns.h"

namespace {

using namespace korvana;

ChartRecord At(int year, int month, int day, int hour) {
  ChartRecord c;
  c.Name = "Native";
  c.Moment = {static_cast<std::int16_t>(year), static_cast<std::uint8_t>(month), static_cast<std::uint8_t>(day),
              static_cast<std::uint8_t>(hour), 0, 0, calAuto};
  c.Latitude = 48.4;
  c.Longitude = -10.0;
  return c;
}

void SearchReturn(benchmark::State& state, ReturnKind kind) {
  if (!SwissEphemerisUsable(SystemSwissEphemerisFolder)) {
    state.SkipWithError("the Swiss Ephemeris files are missing");
    return;
  }
  ReturnOptions options;
  options.cast.Backend = CalcBackend::Swiss;
  options.cast.EphemPath = "";
  const CalculatedChart natal = CastChart(At(1961, 8, 4, 19), options.cast);
  std::int64_t n = 0, casts = 0;
  for (auto _ : state) {
    // A base that moves by 37 days and 5 hours each time through the years 1980..2039.
    const ChartRecord base = At(1980 + static_cast<int>(n % 60), 1 + static_cast<int>(n * 37 / 28 % 12),
                                1 + static_cast<int>(n * 37 % 28), static_cast<int>(n * 5 % 24));
    const ReturnResult r = CastReturn(natal, base, kind, ReturnWhich::Nearest, options);
    casts += r.search.casts;
    ++n;
    benchmark::DoNotOptimize(r);
  }
  state.counters["casts"] = benchmark::Counter(static_cast<double>(casts), benchmark::Counter::kAvgIterations);
}

void BM_SolarReturn(benchmark::State& state) { SearchReturn(state, ReturnSolar); }
void BM_LunarReturn(benchmark::State& state) { SearchReturn(state, ReturnLunar); }

BENCHMARK(BM_SolarReturn)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LunarReturn)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
