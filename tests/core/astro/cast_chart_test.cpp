// The chart-level rules of casting: nodes and Lilith, derived points, zodiacs.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <string>
#include <vector>

#include "astro_test_support.h"
#include "core/astro/cast_chart.h"
#include "core/astro/zodiac.h"
#include "core/points/point_catalogue.h"
#include "core/time/angle_math.h"
#include "core/util/files.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::ArcSeconds;
using testing::ChartAt;

class CastChartTest : public ::testing::TestWithParam<CalcBackend> {
 protected:
  void SetUp() override { ASSERT_TRUE(testing::UseSystemSwissFiles()); }
  CalculatedChart Cast(const ChartRecord& chart, int houses = HousesPlacidus) {
    CastOptions o;
    o.Backend = GetParam();
    o.HouseSystem = houses;
    return CastChart(chart, o);
  }
};

TEST_P(CastChartTest, MeanNodeChoosesTheMeanNodeAndTheMeanApogee) {
  ChartRecord chart = ChartAt(1987, 3, 9, 6, 0, 52.0, -13.4);
  CalculatedChart trueKind = Cast(chart);
  chart.MeanNode = true;
  CalculatedChart meanKind = Cast(chart);
  double xx[6];
  char serr[AS_MAXCH];
  const std::int32_t flags = GetParam() == CalcBackend::Swiss ? SEFLG_SPEED : SEFLG_MOSEPH;
  const double tolerance = GetParam() == CalcBackend::Swiss ? 1e-6 : 60.0;
  for (auto [body, c, id] : {std::tuple{SE_TRUE_NODE, &trueKind, PointNorthNode},
                             {SE_MEAN_NODE, &meanKind, PointNorthNode},
                             {SE_OSCU_APOG, &trueKind, PointLilith},
                             {SE_MEAN_APOG, &meanKind, PointLilith}}) {
    swe_calc_ut(c->Moment.JDUT, body, flags, xx, serr);
    EXPECT_LE(ArcSeconds(c->Longitude(id), xx[0]), tolerance) << body;
  }
  // The two kinds differ (by up to a degree or two for the node, more for Lilith).
  EXPECT_GT(ArcSeconds(trueKind.Longitude(PointNorthNode), meanKind.Longitude(PointNorthNode)), 60);
  for (const CalculatedChart* c : {&trueKind, &meanKind}) {
    const PointPos& north = c->Point(PointNorthNode);
    const PointPos& south = c->Point(PointSouthNode);
    EXPECT_NEAR(south.Longitude, Mod360(north.Longitude + 180), 1e-9);
    EXPECT_EQ(south.Latitude, 0.0);
    EXPECT_EQ(north.DistanceSpeed, 0.0);
    EXPECT_EQ(south.LongitudeSpeed, north.LongitudeSpeed);
  }
}

TEST_P(CastChartTest, VertexAtTheEquatorIsNinetyDegreesPlusTheOffset) {
  ChartRecord chart = ChartAt(2001, 9, 1, 18, 30, 0.0, 78.5);
  EXPECT_DOUBLE_EQ(Cast(chart).Longitude(PointVertex), 90.0);
  chart.Zodiac = ZodiacLahiri;
  CalculatedChart sidereal = Cast(chart);
  EXPECT_NEAR(sidereal.Longitude(PointVertex), Mod360(90.0 + sidereal.Moment.ZodiacOffset), 1e-9);
}

TEST_P(CastChartTest, PartOfFortuneByDayAndByNight) {
  // London, midsummer: the Sun is up at noon and down at midnight.
  for (int hour : {12, 0}) {
    ChartRecord chart = ChartAt(2010, 6, 21, hour, 0, 51.5, 0.1);
    for (bool dayOnly : {false, true}) {
      chart.PFDayOnly = dayOnly;
      CalculatedChart c = Cast(chart);
      double asc = c.Longitude(PointAscendant), sun = c.Longitude(PointSun), moon = c.Longitude(PointMoon);
      bool sunBelow = ModReal(360, sun - asc) <= 180;
      ASSERT_EQ(sunBelow, hour == 0);
      bool night = sunBelow && !dayOnly;
      double expected = night ? Mod360(asc + sun - moon) : Mod360(asc + moon - sun);
      SCOPED_TRACE(std::to_string(hour) + (dayOnly ? " day only" : ""));
      EXPECT_NEAR(c.Longitude(PointPartOfFortune), expected, 1e-9);
      EXPECT_NEAR(c.Point(PointPartOfFortune).Latitude,
                  night ? -c.Point(PointMoon).Latitude : c.Point(PointMoon).Latitude, 1e-12);
    }
  }
}

TEST_P(CastChartTest, SiderealZodiacShiftsEveryLongitudeButNotTheEquatorialCoordinates) {
  ChartRecord chart = ChartAt(1975, 11, 30, 4, 12, -33.9, -151.2);
  CalculatedChart tropical = Cast(chart, HousesKoch);
  chart.Zodiac = ZodiacFaganAllen;
  CalculatedChart sidereal = Cast(chart, HousesKoch);
  double o = sidereal.Moment.ZodiacOffset;
  EXPECT_GT(o, 300.0);
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    if (!tropical.Point(id).Computed()) continue;
    SCOPED_TRACE(PointShortName(id));
    EXPECT_LE(ArcSeconds(sidereal.Longitude(id), tropical.Longitude(id) + o), 1e-6);
    EXPECT_NEAR(sidereal.Equatorial[id].RightAscension, tropical.Equatorial[id].RightAscension, 1e-9);
    EXPECT_NEAR(sidereal.Equatorial[id].Declination, tropical.Equatorial[id].Declination, 1e-9);
  }
  for (int i = 1; i <= 12; ++i)
    EXPECT_LE(ArcSeconds(sidereal.Houses.Cusps[i], tropical.Houses.Cusps[i] + o), 1e-6);
}

TEST_P(CastChartTest, DraconicZodiacPutsTheNodeAtZero) {
  ChartRecord chart = ChartAt(1999, 8, 11, 11, 3, 48.8, -2.3);
  chart.Zodiac = ZodiacDraconic;
  for (bool mean : {false, true}) {
    chart.MeanNode = mean;
    CalculatedChart c = Cast(chart);
    // The own back end's node reads exactly 0; the library's apparent node nearly so.
    double tolerance = GetParam() == CalcBackend::Own ? 1e-6 : 60.0;
    EXPECT_LE(ArcSeconds(c.Longitude(PointNorthNode), 0.0), tolerance) << mean;
  }
}

TEST_P(CastChartTest, EquatorialCoordinatesAndMomentAreFilled) {
  ChartRecord chart = ChartAt(2000, 1, 1, 12, 0, 51.48, 0.0);
  CalculatedChart c = Cast(chart);
  EXPECT_NEAR(c.Moment.JDUT, 2451545.0, 1e-9);
  EXPECT_NEAR(c.Moment.JDEphem - c.Moment.JDUT, 63.8 / 86400, 1.0 / 86400);
  EXPECT_NEAR(c.Moment.Obliquity, 23.4377, 0.001);
  // The Sun at J2000: RA 281.3, declination -23.0.
  EXPECT_NEAR(c.Equatorial[PointSun].RightAscension, 281.29, 0.02);
  EXPECT_NEAR(c.Equatorial[PointSun].Declination, -23.03, 0.02);
  EXPECT_EQ(c.Houses.Cusps, c.Houses.CuspsAsCast);
  EXPECT_NEAR(c.Houses.Cusps[1], c.Longitude(PointAscendant), 1e-9);
  EXPECT_NEAR(c.Houses.Cusps[10], c.Longitude(PointMidheaven), 1e-9);
}

TEST_P(CastChartTest, VulcanOptionPlacesVulcanThreeDegreesFromMercuryTowardsTheSun) {
  ChartRecord chart = ChartAt(1990, 2, 14, 9, 0, 40.7, 74.0);
  chart.VulcanOption = 1;
  CalculatedChart c = Cast(chart);
  double d = SignedMod(360, c.Longitude(PointMercury) - c.Longitude(PointSun));
  ASSERT_GE(std::fabs(d), 3.0);
  EXPECT_NEAR(c.Longitude(PointVulcan), Mod360(c.Longitude(PointMercury) - (d > 0 ? 3 : -3)), 1e-9);
  EXPECT_EQ(c.Point(PointVulcan).LongitudeSpeed, c.Point(PointMercury).LongitudeSpeed);
  EXPECT_EQ(c.Point(PointVulcan).Latitude, c.Point(PointMercury).Latitude);
  chart.VulcanOption = 0;
  // Without the option Vulcan is the hypothetical body, within 8 degrees of the Sun.
  CalculatedChart plain = Cast(chart);
  EXPECT_LE(std::fabs(SignedMod(360, plain.Longitude(PointVulcan) - plain.Longitude(PointSun))), 8.0);
}

INSTANTIATE_TEST_SUITE_P(BothBackEnds, CastChartTest,
                         ::testing::Values(CalcBackend::Swiss, CalcBackend::Own),
                         [](const auto& info) {
                           return info.param == CalcBackend::Swiss ? "Swiss" : "Own";
                         });

// Charts inside the polar circles over a day: the Ascendant is the library's rising
// degree, and the Equal houses and the Part of Fortune's day or night follow it.
TEST(CastChartPolarTest, AscendantEqualHousesAndSectFollowTheRisingDegree) {
  ASSERT_TRUE(testing::UseSystemSwissFiles());
  CastOptions options;
  options.Backend = CalcBackend::Swiss;
  options.HouseSystem = HousesEqual;
  for (double latitude : {67.0, 68.5, 69.65, 72.0, -67.0, -69.65, -72.0}) {
    for (int hour = 0; hour < 24; ++hour) {
      const ChartRecord chart = ChartAt(2001, 6, 21, hour, 20, latitude, -18.95);
      SCOPED_TRACE("latitude " + std::to_string(latitude) + " hour " + std::to_string(hour));
      const CalculatedChart c = CastChart(chart, options);
      double cusps[13], ascmc[10];
      swe_houses_ex(c.Moment.JDUT, 0, latitude, 18.95, 'E', cusps, ascmc);
      const double asc = ascmc[SE_ASC];
      EXPECT_LE(ArcSeconds(c.Longitude(PointAscendant), asc), 1.0);
      ASSERT_EQ(c.Houses.HouseSystem, HousesEqual);
      for (int i = 1; i <= 12; ++i) EXPECT_LE(ArcSeconds(c.Houses.Cusps[i], cusps[i]), 1.0) << "cusp " << i;
      const double sun = c.Longitude(PointSun), moon = c.Longitude(PointMoon);
      const bool night = ModReal(360, sun - asc) <= 180;
      EXPECT_LE(ArcSeconds(c.Longitude(PointPartOfFortune), night ? sun - moon + asc : moon - sun + asc), 1.0);
    }
  }
}

TEST(ZodiacTest, OffsetsOfTheZodiacs) {
  EXPECT_EQ(ZodiacOffset(ZodiacTropical, false, 0.5, 0.0), 0.0);
  EXPECT_NEAR(ZodiacOffset(ZodiacLahiri, false, 0.0, 0.0), 337.53953, 1e-12);
  EXPECT_NEAR(ZodiacOffset(ZodiacUserDefined, false, -1.5, 0.0, 10.0), 8.5, 1e-12);
  EXPECT_NEAR(ZodiacOffset(ZodiacRaman, false, 25.0, 0.0), ModReal(360, 338.98556 + 25.0), 1e-12);
  EXPECT_EQ(ZodiacOffset(42, false, 1.0, 0.0), 0.0);
  EXPECT_EQ(ZodiacName(ZodiacDjwhalKhul), "Djwhal Khul");
}

TEST(ZodiacTest, LahiriOnTheFirstOfJanuary1900) {
  ChartRecord chart = ChartAt(1900, 1, 1, 0, 0, 0.0, 0.0);
  chart.Zodiac = ZodiacLahiri;
  CalculatedChart c = CastChart(chart, {});
  // 337.53953 plus the drift of that date (the nutation terms only, a few arcseconds).
  EXPECT_NEAR(c.Moment.ZodiacOffset, 337.53953, 0.01);
  EXPECT_NE(c.Moment.ZodiacOffset, 337.53953);
  EXPECT_EQ(SignOf(c.Moment.ZodiacOffset), 12);  // 0 Aries reads about 7 Pisces 32
}

TEST(ZodiacTest, PrecessLongitudeMovesAStarFromItsEpoch) {
  // Fifty years of precession are about 0.7 degrees.
  double jd2050 = 2469807.5;
  EXPECT_NEAR(PrecessLongitude(2000, jd2050, 56.0), 56.0 + 50 * 50.29 / 3600, 0.01);
  EXPECT_NEAR(PrecessLongitude(2000, 2451545.0, 359.9999), 359.9999, 0.01);
}

}  // namespace
}  // namespace korvana

namespace korvana {
namespace {

TEST(CastChartInputTest, PlacesAndZonesOutOfRangeAreRefused) {
  const double nan = std::nan("");
  const struct {
    double latitude, longitude;
    float zone;
  } bad[] = {{90.5, 0, 0}, {-91, 0, 0}, {nan, 0, 0}, {0, 400, 0}, {0, nan, 0}, {0, 0, 25}, {0, 0, std::nanf("")}};
  for (const auto& b : bad) {
    ChartRecord chart = testing::ChartAt(2000, 1, 1, 0, 0, b.latitude, b.longitude);
    chart.ZoneHours = b.zone;
    EXPECT_THROW(CastChart(chart, {}), ECastError) << b.latitude << " " << b.longitude << " " << b.zone;
  }
  // The poles themselves are places: Koch and Placidus give Equal houses there.
  ChartRecord pole = testing::ChartAt(2000, 1, 1, 0, 0, 90.0, 0.0);
  CastOptions koch;
  koch.HouseSystem = HousesKoch;
  CalculatedChart c = CastChart(pole, koch);
  EXPECT_EQ(c.Houses.HouseSystem, HousesEqual);
  for (int i = 1; i <= 12; ++i) EXPECT_TRUE(c.Houses.Cusps[i] >= 0 && c.Houses.Cusps[i] < 360);
  // Every house system at both poles and on the equator gives cusps, never a failure.
  for (double latitude : {90.0, -90.0, 0.0}) {
    for (int code = 1; code <= HouseSystemCount; ++code) {
      CastOptions o;
      o.HouseSystem = code;
      CalculatedChart h = CastChart(testing::ChartAt(2000, 1, 1, 0, 0, latitude, 0.0), o);
      for (int i = 1; i <= 12; ++i)
        EXPECT_TRUE(h.Houses.Cusps[i] >= 0 && h.Houses.Cusps[i] < 360) << latitude << " " << code;
    }
  }
}

TEST(CastChartInputTest, DatesBeyondTheEphemerisAreRefusedByEitherBackEnd) {
  // The library's files reach from 5400 BC to 5400 AD, its built-in theory (all the own
  // back end has) from 3000 BC to 3000 AD.
  struct Case { int year; bool refusedBySwiss, refusedByOwn; };
  const Case cases[] = {{1879, false, false}, {-500, false, false}, {5000, false, true},
                        {6000, true, true},   {32767, true, true},  {-20000, true, true}};
  ASSERT_TRUE(testing::UseSystemSwissFiles());
  for (const CalcBackend backend : {CalcBackend::Swiss, CalcBackend::Own}) {
    for (const Case& c : cases) {
      CastOptions options;
      options.Backend = backend;
      const ChartRecord chart = testing::ChartAt(c.year, 1, 1, 12, 0, 51.5, 0.1);
      if (backend == CalcBackend::Swiss ? c.refusedBySwiss : c.refusedByOwn) {
        try {
          CastChart(chart, options);
          ADD_FAILURE() << c.year << " was cast";
        } catch (const ECastError& e) {
          EXPECT_STREQ(e.what(), OutsideEphemerisMessage) << c.year;
        }
      } else {
        EXPECT_NO_THROW(CastChart(chart, options)) << c.year;
      }
    }
  }
}

// Before 1800 and after 2400 the positions come from the long-range files: the
// asteroids too, as far as their orbits are known; what is left out is listed.
TEST(CastChartRangeTest, LongRangeFilesComputeEveryBodyTheyHold) {
  ASSERT_TRUE(testing::UseSystemSwissFiles());
  CastOptions options;
  options.Backend = CalcBackend::Swiss;
  struct Case {
    int year;
    std::vector<int> uncomputed;
  };
  // Hygeia and Astraea need files of their own; Chiron's orbit is known from 675 to 4650;
  // Vulcan comes from the built-in theory, which ends at 3000 BC.
  const Case cases[] = {{1600, {PointHygeia, PointAstraea}},
                        {2450, {PointHygeia, PointAstraea}},
                        {-44, {PointChiron, PointHygeia, PointAstraea}},
                        {-5000, {PointVulcan, PointChiron, PointHygeia, PointAstraea}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.year);
    const CalculatedChart chart = CastChart(ChartAt(c.year, 3, 15, 12, 0, 41.9, -12.5), options);
    EXPECT_EQ(UncomputedPoints(chart), c.uncomputed);
    EXPECT_EQ(SwissSourceAt(chart.Moment.JDUT), EphemerisSource::Files);
    double xx[6];
    char serr[AS_MAXCH];
    for (auto [id, body] : {std::pair{PointMars, SE_MARS}, {PointCeres, SE_CERES}, {PointChiron, SE_CHIRON}}) {
      const std::int32_t flags = swe_calc_ut(chart.Moment.JDUT, body, SEFLG_SPEED, xx, serr);
      if (flags < 0) continue;
      EXPECT_NE(flags & SEFLG_SWIEPH, 0) << PointShortName(id) << " " << serr;
      EXPECT_LE(ArcSeconds(chart.Longitude(id), xx[0]), 1e-6) << PointShortName(id);
    }
  }
}

// A data folder with the 1800-2400 files only: earlier dates fall back to the library's
// theory, later than its range nothing is computed, and the source says which.
TEST(CastChartRangeTest, SourceTellsFilesFromTheBuiltInTheory) {
  testing::TempFolder folder;
  for (const char* name : {"sepl_18.se1", "semo_18.se1", "seas_18.se1"}) {
    ASSERT_TRUE(CopyFileTo(std::string(SystemSwissEphemerisFolder) + name, folder / name, false)) << name;
  }
  ASSERT_TRUE(SwissEphemerisUsable(folder.Path()));
  EXPECT_EQ(SwissSourceAt(2451545.0), EphemerisSource::Files);                // 2000
  EXPECT_EQ(SwissSourceAt(2305447.5), EphemerisSource::BuiltInTheory);        // 1600
  EXPECT_EQ(SwissSourceAt(swe_julday(5000, 1, 1, 0, SE_GREG_CAL)), EphemerisSource::None);
  ASSERT_TRUE(testing::UseSystemSwissFiles());
  EXPECT_EQ(SwissSourceAt(2305447.5), EphemerisSource::Files);
}

// The moment carries the delta T the library computed the positions with: that of its
// files, or where the folder has no file for the date that of its built-in theory (some
// 80 seconds more at the beginning of the era).
TEST(CastChartRangeTest, MomentCarriesTheDeltaTOfThePositions) {
  testing::TempFolder basic;
  for (const char* name : {"sepl_18.se1", "semo_18.se1", "seas_18.se1"}) {
    ASSERT_TRUE(CopyFileTo(std::string(SystemSwissEphemerisFolder) + name, basic / name, false)) << name;
  }
  struct Case {
    std::string folder;
    int year;
    std::int32_t ephemeris;
  };
  const Case cases[] = {{SystemSwissEphemerisFolder, -43, SEFLG_SWIEPH}, {SystemSwissEphemerisFolder, 1990, SEFLG_SWIEPH},
                        {basic.Path(), -43, SEFLG_MOSEPH},              {basic.Path(), 1990, SEFLG_SWIEPH}};
  CastOptions options;
  options.Backend = CalcBackend::Swiss;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder + " " + std::to_string(c.year));
    ASSERT_TRUE(SwissEphemerisUsable(c.folder));
    const CalculatedChart chart = CastChart(ChartAt(c.year, 3, 15, 12, 0, 41.9, -12.5), options);
    double xx[6];
    char serr[AS_MAXCH];
    const std::int32_t flags = swe_calc_ut(chart.Moment.JDUT, SE_MOON, SEFLG_SPEED, xx, serr);
    ASSERT_EQ(flags & (SEFLG_SWIEPH | SEFLG_MOSEPH), c.ephemeris);
    const double deltaT = swe_deltat_ex(chart.Moment.JDUT, c.ephemeris, serr);
    EXPECT_NEAR((chart.Moment.JDEphem - chart.Moment.JDUT) * 86400, deltaT * 86400, 1e-3);
    // The positions belong to JDEphem: the same ephemeris asked at that Ephemeris Time.
    for (auto [id, body] : {std::pair{PointMoon, SE_MOON}, {PointSun, SE_SUN}, {PointMars, SE_MARS}}) {
      swe_calc(chart.Moment.JDEphem, body, SEFLG_SPEED | c.ephemeris, xx, serr);
      EXPECT_LE(ArcSeconds(chart.Longitude(id), xx[0]), 1e-3) << PointShortName(id);
    }
  }
  ASSERT_TRUE(testing::UseSystemSwissFiles());
}

}  // namespace
}  // namespace korvana
