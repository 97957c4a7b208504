// The transit search over one year: ten moving points (Sun to Pluto) to thirteen radix
// points with nine aspects, houses and signs; the counters report the ephemeris calls
// and configurations of one search. The progressions of the same selection over ten
// years run beside it.
//   bench_dynamic [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"
#include "core/dynamic/configurations.h"
#include "core/dynamic/moving_point.h"

namespace {

using namespace korvana;

SearchRequest YearOf(DynamicTechnique technique, double days) {
  ChartRecord c;
  c.Moment = {1987, 3, 9, 6, 0, 0, calAuto};
  c.Latitude = 52.0;
  c.Longitude = -13.4;
  SearchRequest r;
  r.radix = CastChart(c);
  r.technique = technique;
  r.movingPoints = {PointSun, PointMoon, PointMercury, PointVenus, PointMars,
                    PointJupiter, PointSaturn, PointUranus, PointNeptune, PointPluto};
  r.radixPoints = {PointSun,    PointMoon,   PointMercury, PointVenus,  PointMars,  PointJupiter, PointSaturn,
                   PointUranus, PointNeptune, PointPluto,  PointNorthNode, PointAscendant, PointMidheaven};
  r.aspects = {{1, 0, 1, 1},  {2, 180, 1, 1}, {3, 120, 1, 1}, {4, 90, 1, 1},  {5, 60, 1, 1},
               {6, 45, 1, 1}, {7, 135, 1, 1}, {8, 30, 1, 1},  {9, 150, 1, 1}};
  r.houses = true;
  r.signs = true;
  r.start = 2461041.5;  // 1 January 2026
  r.end = r.start + days;
  return r;
}

void Search(benchmark::State& state, DynamicTechnique technique, double days) {
  if (!SwissEphemerisUsable(SystemSwissEphemerisFolder)) {
    state.SkipWithError("the Swiss Ephemeris files are missing");
    return;
  }
  const SearchRequest request = YearOf(technique, days);
  std::size_t configurations = 0;
  const std::uint64_t callsBefore = EphemerisCallCount();
  for (auto _ : state) {
    const auto found = FindConfigurations(request);
    configurations = found.size();
    benchmark::DoNotOptimize(found.data());
  }
  const auto runs = static_cast<double>(state.iterations());
  state.counters["ephemeris_calls"] = static_cast<double>(EphemerisCallCount() - callsBefore) / runs;
  state.counters["configurations"] = static_cast<double>(configurations);
}

void BM_TransitsOneYear(benchmark::State& state) { Search(state, DynamicTechnique::Transits, 365); }
BENCHMARK(BM_TransitsOneYear)->Unit(benchmark::kMillisecond);

void BM_ProgressionsTenYears(benchmark::State& state) { Search(state, DynamicTechnique::Progressions, 3652.5); }
BENCHMARK(BM_ProgressionsTenYears)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
