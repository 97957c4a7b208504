// The transit search against the Swiss Ephemeris itself: every exact time is checked by
// a bisection on direct positions, and an hourly scan must find no configuration the
// search missed.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <vector>

#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"
#include "core/dynamic/configurations.h"
#include "core/dynamic/moving_point.h"
#include "core/time/angle_math.h"
#include "dynamic_test_support.h"

namespace korvana {

// Test names and messages show a chart by its moment.
void PrintTo(const ChartRecord& c, std::ostream* out) {
  *out << c.Moment.Year << "-" << int(c.Moment.Month) << "-" << int(c.Moment.Day) << " " << int(c.Moment.Hour) << ":"
       << int(c.Moment.Minute) << " UT";
}

namespace {

using testing::ChartAt;
using testing::Second;

const std::vector<int> Movers = {PointSun,  PointMoon,   PointMercury, PointVenus,   PointMars,
                                 PointJupiter, PointSaturn, PointUranus, PointNeptune, PointPluto};
const std::vector<int> Targets = {PointSun, PointMoon, PointAscendant, PointMidheaven};
const std::vector<DynamicAspect> Majors = {{1, 0, 1, 1}, {2, 180, 1, 1}, {3, 120, 1, 1}, {4, 90, 1, 1}, {5, 60, 1, 1}};

double Direct(int pointId, double jd) { return testing::Direct(pointId, jd); }

// The signed distance of the mover from one exact longitude.
double Off(int pointId, double jd, double exact) { return SignedMod(360, Direct(pointId, jd) - exact); }

double Bisect(int pointId, double lo, double hi, double exact) {
  return testing::Bisect([pointId](double t) { return Direct(pointId, t); }, lo, hi, exact);
}

std::vector<double> ExactLongitudes(const CalculatedChart& radix, int target, const DynamicAspect& a) {
  const double r = radix.Longitude(target);
  if (a.angle == 0 || a.angle == 180) return {r + a.angle};
  return {r + a.angle, r - a.angle};
}

class TransitSearchTest : public ::testing::TestWithParam<ChartRecord> {
 protected:
  void SetUp() override { ASSERT_TRUE(SwissEphemerisUsable(SystemSwissEphemerisFolder)); }
  SearchRequest Request() {
    SearchRequest r;
    r.radix = CastChart(GetParam());
    r.movingPoints = Movers;
    r.radixPoints = Targets;
    r.aspects = Majors;
    r.start = 2461041.5;  // 2026-01-01 0h UT
    r.end = r.start + 365;
    return r;
  }
};

TEST_P(TransitSearchTest, ExactTimesAgreeWithABisectionOnTheEphemeris) {
  const SearchRequest request = Request();
  const auto found = FindConfigurations(request);
  int checked = 0;
  for (const Configuration& c : found) {
    const int mover = request.movingPoints[static_cast<std::size_t>(c.movingIndex)];
    const DynamicAspect& aspect = Majors[static_cast<std::size_t>(c.aspect - 1)];
    for (const ConfigurationEvent& e : c.events) {
      if (e.type != EventExact) continue;
      // The exact longitude the mover stands on at that moment.
      double exact = 0, best = 360;
      for (double x : ExactLongitudes(request.radix, request.radixPoints[static_cast<std::size_t>(c.radixIndex)], aspect))
        if (std::abs(Off(mover, e.time, x)) < best) best = std::abs(Off(mover, e.time, x)), exact = x;
      const double lo = e.time - 60 * Second, hi = e.time + 60 * Second;
      ASSERT_NE(Off(mover, lo, exact) < 0, Off(mover, hi, exact) < 0) << "no pass near " << e.time;
      EXPECT_NEAR(Bisect(mover, lo, hi, exact), e.time, Second) << "point " << mover;
      ++checked;
    }
  }
  EXPECT_GT(checked, 50);
}

TEST_P(TransitSearchTest, AnHourlyScanFindsNothingTheSearchMissed) {
  const SearchRequest request = Request();
  const auto found = FindConfigurations(request);
  constexpr double Hour = 1.0 / 24.0;
  for (std::size_t m = 0; m < Movers.size(); ++m) {
    std::vector<double> hourly;
    for (double t = request.start; t <= request.end; t += Hour) hourly.push_back(Direct(Movers[m], t));
    for (std::size_t r = 0; r < Targets.size(); ++r) {
      for (const DynamicAspect& aspect : Majors) {
        for (double exact : ExactLongitudes(request.radix, Targets[r], aspect)) {
          for (std::size_t i = 0; i < hourly.size(); ++i) {
            const double off = SignedMod(360, hourly[i] - exact);
            if (std::abs(off) > aspect.enterOrb) continue;
            const double t = request.start + static_cast<double>(i) * Hour;
            bool covered = false;
            for (const Configuration& c : found)
              covered = covered || (c.category == 0 && c.movingIndex == static_cast<int>(m) &&
                                    c.radixIndex == static_cast<int>(r) && c.aspect == aspect.type &&
                                    c.events.front().time <= t + Second && c.events.back().time >= t - Second);
            ASSERT_TRUE(covered) << "point " << Movers[m] << " aspect " << aspect.type << " to " << Targets[r]
                                 << " in orb at " << t;
            // A pass of the exact longitude between this hour and the next must be an
            // exact event of the search.
            if (i + 1 < hourly.size()) {
              const double next = SignedMod(360, hourly[i + 1] - exact);
              if ((off < 0) == (next < 0) || std::abs(next) > aspect.enterOrb) continue;
              const double when = Bisect(Movers[m], t, t + Hour, exact);
              bool listed = false;
              for (const Configuration& c : found)
                for (const ConfigurationEvent& e : c.events)
                  listed = listed || (e.type == EventExact && c.movingIndex == static_cast<int>(m) &&
                                      c.radixIndex == static_cast<int>(r) && c.aspect == aspect.type &&
                                      std::abs(e.time - when) <= Second);
              EXPECT_TRUE(listed) << "exact pass of point " << Movers[m] << " at " << when << " not found";
            }
          }
        }
      }
    }
  }
}

// A European winter morning, an American evening and a southern night.
INSTANTIATE_TEST_SUITE_P(NatalCharts, TransitSearchTest,
                         ::testing::Values(ChartAt(1987, 3, 9, 6, 0, 52.0, -13.4), ChartAt(1955, 11, 23, 17, 45, 40.7, 74.0),
                                           ChartAt(2001, 7, 2, 23, 10, -33.9, -151.2)),
                         [](const ::testing::TestParamInfo<ChartRecord>& info) {
                           return "Born" + std::to_string(info.param.Moment.Year);
                         });

}  // namespace
}  // namespace korvana
