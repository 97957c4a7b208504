// Primary directions against the classical arcs: to the MC the difference of right
// ascension, to the Ascendant the difference of oblique ascension.
#include <gtest/gtest.h>

#include <cmath>

#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"
#include "core/dynamic/configurations.h"
#include "core/dynamic/primary_directions.h"
#include "dynamic_test_support.h"

namespace korvana {
namespace {

double RightAscension(double longitude, double eps) {
  return Mod360(RadToDeg(std::atan2(SinDeg(longitude) * CosDeg(eps), CosDeg(longitude))));
}
double ObliqueAscension(double longitude, double eps, double latitude) {
  const double declination = RadToDeg(std::asin(SinDeg(eps) * SinDeg(longitude)));
  return RightAscension(longitude, eps) - RadToDeg(std::asin(TanDeg(latitude) * TanDeg(declination)));
}

TEST(PrimaryDirectionsTest, ArcsToTheAnglesAreTheClassicalAscensions) {
  ASSERT_TRUE(SwissEphemerisUsable(SystemSwissEphemerisFolder));
  const CalculatedChart c = CastChart(testing::ChartAt(1987, 3, 9, 6, 0, 52.0, -13.4));
  const double eps = c.Moment.Obliquity, phi = c.Moment.HouseLatitude, ramc = c.Moment.RAMC;
  for (int id : {PointSun, PointMoon, PointMercury, PointJupiter, PointSaturn}) {
    const double p = c.Longitude(id);
    EXPECT_NEAR(DirectionArc(p, c.Longitude(PointMidheaven), ramc, eps, phi), Mod360(RightAscension(p, eps) - ramc),
                1e-9)
        << id;
    EXPECT_NEAR(DirectionArc(p, c.Longitude(PointAscendant), ramc, eps, phi),
                Mod360(ObliqueAscension(p, eps, phi) - (ramc + 90)), 1e-9)
        << id;
  }
  // Beyond the polar circle a point of high declination never sets.
  EXPECT_EQ(DirectionArc(90, 0, ramc, eps, 80.0), -1.0);
}

TEST(PrimaryDirectionsTest, ConfigurationsFallAtTheNaibodKey) {
  ASSERT_TRUE(SwissEphemerisUsable(SystemSwissEphemerisFolder));
  SearchRequest r;
  r.radix = CastChart(testing::ChartAt(1987, 3, 9, 6, 0, 52.0, -13.4));
  r.technique = DynamicTechnique::Primaries;
  r.movingPoints = {PointSun, PointJupiter};
  r.radixPoints = {PointMidheaven};
  r.aspects = {{1, 0, 1, 1}};
  r.start = r.radix.Moment.JDUT;
  r.end = r.start + 100 * 365.25;
  const auto found = FindConfigurations(r);
  ASSERT_EQ(found.size(), 2u);
  for (const Configuration& c : found) {
    const int id = r.movingPoints[static_cast<std::size_t>(c.movingIndex)];
    const double arc = Mod360(RightAscension(r.radix.Longitude(id), r.radix.Moment.Obliquity) - r.radix.Moment.RAMC);
    ASSERT_EQ(c.events.size(), 3u);
    EXPECT_EQ(c.events[1].type, EventExact);
    EXPECT_NEAR(c.events[1].time, r.start + arc / NaibodArcPerYear * 365.24219, 1e-6);
    // A degree of orb on either side is a year of the key.
    EXPECT_NEAR(c.events[2].time - c.events[0].time, 2 / NaibodArcPerYear * 365.24219, 1e-6);
  }
}

}  // namespace
}  // namespace korvana
