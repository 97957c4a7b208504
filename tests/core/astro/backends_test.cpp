// The two calculation back ends against the Swiss Ephemeris library itself.
#include <gtest/gtest.h>
#include <swephexp.h>

#include "astro_test_support.h"
#include "core/astro/cast_chart.h"
#include "core/astro/own_backend.h"
#include "core/points/point_catalogue.h"
#include "core/time/angle_math.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::ArcSeconds;
using testing::ChartAt;

class BackendTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(testing::UseSystemSwissFiles()); }
};

TEST(SwissEphemerisUsableTest, OnlyAFolderWhoseFilesServeTheCalculationIsUsable) {
  korvana::testing::TempFolder empty;
  EXPECT_FALSE(SwissEphemerisUsable(empty.Path()));
  EXPECT_FALSE(SwissEphemerisInUse());
  EXPECT_FALSE(SwissEphemerisUsable(""));
  EXPECT_TRUE(SwissEphemerisUsable(SystemSwissEphemerisFolder));
  EXPECT_TRUE(SwissEphemerisInUse());
}

TEST_F(BackendTest, SwissBackEndGivesTheLibrarysApparentPositions) {
  const struct {
    int body, point;
  } bodies[] = {{SE_MOON, PointMoon},       {SE_SUN, PointSun},         {SE_MERCURY, PointMercury},
                {SE_VENUS, PointVenus},     {SE_MARS, PointMars},       {SE_JUPITER, PointJupiter},
                {SE_SATURN, PointSaturn},   {SE_URANUS, PointUranus},   {SE_NEPTUNE, PointNeptune},
                {SE_PLUTO, PointPluto},     {SE_CHIRON, PointChiron},   {SE_VESTA, PointVesta},
                {SE_PALLAS, PointPallas},   {SE_JUNO, PointJuno},       {SE_CERES, PointCeres},
                {SE_TRUE_NODE, PointNorthNode}, {SE_CUPIDO, PointCupido}, {SE_ISIS, PointTransPluto},
                {SE_OSCU_APOG, PointLilith}};
  for (int year : {1905, 1962, 2024}) {
    ChartRecord chart = ChartAt(year, 5, 17, 13, 45, 51.5, 0.12);
    CastOptions options;
    options.Backend = CalcBackend::Swiss;
    CalculatedChart c = CastChart(chart, options);
    for (auto [body, point] : bodies) {
      double xx[6];
      char serr[AS_MAXCH];
      ASSERT_GE(swe_calc_ut(c.Moment.JDUT, body, SEFLG_SPEED, xx, serr), 0) << serr;
      SCOPED_TRACE(std::string(PointShortName(point)) + " " + std::to_string(year));
      EXPECT_NEAR(c.Point(point).Longitude, xx[0], 1e-9);
      EXPECT_NEAR(c.Point(point).Latitude, xx[1], 1e-9);
      EXPECT_NEAR(c.Point(point).Distance, xx[2], 1e-9);
      EXPECT_NEAR(c.Point(point).LongitudeSpeed, xx[3], 1e-9);
    }
    // Hygeia and Astraea have no data file here: left uncomputed.
    EXPECT_FALSE(c.Point(PointHygeia).Computed());
    EXPECT_EQ(c.Point(PointHygeia), PointPos{});
  }
}

TEST_F(BackendTest, OwnBackEndAgreesWithTheLibraryFrom1900To2050) {
  for (double jd = 2415020.5; jd < 2469807.5; jd += 1234.567) {  // 1900..2050
    DateTimeRec d = JDToDateRec(calAuto, jd);
    ChartRecord chart = ChartAt(d.Year, d.Month, d.Day, d.Hour, d.Minute, 40.0, 74.0);
    CastOptions swiss, own;
    swiss.Backend = CalcBackend::Swiss;
    own.Backend = CalcBackend::Own;
    CalculatedChart a = CastChart(chart, swiss);
    CalculatedChart b = CastChart(chart, own);
    for (int id : {PointMoon, PointSun, PointEarth, PointMercury, PointVenus, PointMars, PointJupiter, PointSaturn,
                   PointUranus, PointNeptune, PointPluto}) {
      double e = ArcSeconds(a.Longitude(id), b.Longitude(id));
      EXPECT_LE(e, id == PointMoon ? 10.0 : 2.0) << PointShortName(id) << " at JD " << jd;
      EXPECT_NEAR(a.Point(id).Latitude, b.Point(id).Latitude, (id == PointMoon ? 10.0 : 2.0) / 3600)
          << PointShortName(id) << " at JD " << jd;
      // One-hour differences against the library's instantaneous motion.
      EXPECT_NEAR(a.Point(id).LongitudeSpeed, b.Point(id).LongitudeSpeed, 0.01)
          << PointShortName(id) << " at JD " << jd;
    }
  }
}

}  // namespace
}  // namespace korvana

namespace korvana {
namespace {

TEST_F(BackendTest, TopocentricMoonOnBothBackEnds) {
  ChartRecord chart = testing::ChartAt(1994, 10, 3, 21, 40, 59.9, -10.75);  // Oslo
  chart.ParallaxMoon = true;
  CastOptions swiss, own;
  swiss.Backend = CalcBackend::Swiss;
  own.Backend = CalcBackend::Own;
  CalculatedChart a = CastChart(chart, swiss);
  CalculatedChart b = CastChart(chart, own);
  double xx[6];
  char serr[AS_MAXCH];
  swe_set_topo(10.75, 59.9, 0);
  ASSERT_GE(swe_calc_ut(a.Moment.JDUT, SE_MOON, SEFLG_SPEED | SEFLG_TOPOCTR, xx, serr), 0);
  EXPECT_NEAR(a.Longitude(PointMoon), xx[0], 1e-9);
  EXPECT_NEAR(a.Point(PointMoon).Latitude, xx[1], 1e-9);
  // The own parallax correction: within the Moon's 10" against the library's.
  EXPECT_LE(testing::ArcSeconds(b.Longitude(PointMoon), xx[0]), 10.0);
  EXPECT_LE(testing::ArcSeconds(b.Point(PointMoon).Latitude, xx[1]), 10.0);
  // Parallax moves the Moon by up to a degree: without it the position differs.
  chart.ParallaxMoon = false;
  CalculatedChart geocentric = CastChart(chart, own);
  EXPECT_GT(testing::ArcSeconds(geocentric.Longitude(PointMoon), b.Longitude(PointMoon)), 60.0);
}

TEST_F(BackendTest, ComputeAsteroidGivesThePositionOrTheLibrarysError) {
  ChartRecord chart = testing::ChartAt(2015, 3, 20, 9, 45, 0, 0);
  CastOptions swiss;
  swiss.Backend = CalcBackend::Swiss;
  CalculatedChart c = CastChart(chart, swiss);
  AsteroidResult ceres = ComputeAsteroid(1, 12.5, c.Moment.JDUT);  // Ceres is asteroid 1
  EXPECT_EQ(ceres.error, "");
  EXPECT_NEAR(ceres.position.Longitude, Mod360(c.Longitude(PointCeres) + 12.5), 1e-9);
  EXPECT_NEAR(ceres.position.LongitudeSpeed, c.Point(PointCeres).LongitudeSpeed, 1e-9);
  AsteroidResult hygeia = ComputeAsteroid(10, 0.0, c.Moment.JDUT);  // no file here
  EXPECT_FALSE(hygeia.position.Computed());
  EXPECT_NE(hygeia.error.find("se00010s.se1"), std::string::npos) << hygeia.error;
  EXPECT_FALSE(ComputeAsteroid(0, 0.0, c.Moment.JDUT).error.empty());
  EXPECT_FALSE(ComputeAsteroid(-5, 0.0, c.Moment.JDUT).position.Computed());
}

}  // namespace
}  // namespace korvana
