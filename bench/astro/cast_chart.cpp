// Casting charts through each back end, and the same Swiss Ephemeris calls made
// directly, so that the casting overhead shows as the ratio of the two.
//   bench_cast_chart [--benchmark_filter=...]
#include <benchmark/benchmark.h>
#include <swephexp.h>

#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"

namespace {

using namespace korvana;

// Charts a few hours and days apart so that nothing is served from a cache of the
// previous moment.
ChartRecord ChartNumber(std::int64_t n) {
  ChartRecord c;
  c.Moment.Year = static_cast<std::int16_t>(1950 + n % 80);
  c.Moment.Month = static_cast<std::uint8_t>(1 + n % 12);
  c.Moment.Day = static_cast<std::uint8_t>(1 + n % 28);
  c.Moment.Hour = static_cast<std::uint8_t>(n % 24);
  c.Moment.Minute = static_cast<std::uint8_t>(n % 60);
  c.Latitude = 51.5;
  c.Longitude = 0.12;
  return c;
}

void CastWith(benchmark::State& state, CalcBackend backend) {
  if (!SwissEphemerisUsable(SystemSwissEphemerisFolder)) {
    state.SkipWithError("the Swiss Ephemeris files are missing");
    return;
  }
  CastOptions options;
  options.Backend = backend;
  options.EphemPath = "";  // no asteroid files: the planets and points are what is measured
  std::int64_t n = 0;
  for (auto _ : state) {
    CalculatedChart c = CastChart(ChartNumber(n++), options);
    benchmark::DoNotOptimize(c);
  }
  state.counters["charts/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}

void BM_CastChartSwiss(benchmark::State& state) { CastWith(state, CalcBackend::Swiss); }
void BM_CastChartOwn(benchmark::State& state) { CastWith(state, CalcBackend::Own); }

// What the Swiss back end asks of the library for one chart, called directly: the
// moment's delta T (and that of the ephemeris the files give), the sidereal time, the 28
// bodies with speeds, Vulcan's two geometric Suns of the built-in theory, the obliquity and
// the Placidus houses.
constexpr std::int32_t VulcanSunFlags =
    SEFLG_MOSEPH | SEFLG_TRUEPOS | SEFLG_NONUT | SEFLG_NOABERR | SEFLG_NOGDEFL;

void BM_RawSwissCalls(benchmark::State& state) {
  if (!SwissEphemerisUsable(SystemSwissEphemerisFolder)) {
    state.SkipWithError("the Swiss Ephemeris files are missing");
    return;
  }
  const int bodies[] = {SE_MOON,   SE_SUN,    SE_MERCURY, SE_VENUS,  SE_MARS,
                        SE_JUPITER, SE_SATURN, SE_URANUS, SE_NEPTUNE, SE_PLUTO,
                        SE_CHIRON, SE_VESTA,  SE_PALLAS,  SE_JUNO,   SE_CERES,
                        SE_AST_OFFSET + 10, SE_AST_OFFSET + 5, SE_TRUE_NODE,
                        SE_CUPIDO, SE_HADES,  SE_ZEUS,    SE_KRONOS, SE_APOLLON,
                        SE_ADMETOS, SE_VULKANUS, SE_POSEIDON, SE_ISIS, SE_OSCU_APOG};
  std::int64_t n = 0;
  for (auto _ : state) {
    ChartRecord c = ChartNumber(n++);
    double jd = swe_julday(c.Moment.Year, c.Moment.Month, c.Moment.Day,
                           c.Moment.Hour + c.Moment.Minute / 60.0, SE_GREG_CAL);
    double xx[6];
    char serr[AS_MAXCH];
    const double deltaT = swe_deltat(jd);
    benchmark::DoNotOptimize(swe_deltat_ex(jd, SEFLG_SWIEPH, serr));
    benchmark::DoNotOptimize(swe_sidtime(jd));
    for (int body : bodies) {
      swe_calc_ut(jd, body, SEFLG_SPEED, xx, serr);
      benchmark::DoNotOptimize(xx);
    }
    for (double hour : {0.0, 1.0 / 24}) {
      swe_calc(jd + deltaT + hour, SE_SUN, VulcanSunFlags, xx, serr);
      benchmark::DoNotOptimize(xx);
    }
    swe_calc_ut(jd, SE_ECL_NUT, 0, xx, serr);
    double cusps[13], ascmc[10];
    swe_houses_ex(jd, 0, c.Latitude, -c.Longitude, 'P', cusps, ascmc);
    benchmark::DoNotOptimize(cusps);
  }
  state.counters["charts/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}

BENCHMARK(BM_RawSwissCalls);
BENCHMARK(BM_CastChartSwiss);
BENCHMARK(BM_CastChartOwn);

}  // namespace

BENCHMARK_MAIN();
