// The Davison chart: the midpoint in space and time, written as Universal Time and cast
// with the Swiss Ephemeris and the program's own sidereal time.
#include <gtest/gtest.h>

#include "record_fixture.h"
#include "core/astro/ephemeris.h"
#include "core/derived/combined_chart.h"
#include "core/time/angle_math.h"
#include "core/time/spherical_astronomy.h"

namespace korvana {
namespace {

using testing::RecordAt;


TEST(DavisonTest, LongitudesMeetOnTheShorterArcInTheWestPositiveRange) {
  struct Case {
    double a, b, expected;
  };
  const Case cases[] = {
      {170, -170, 180}, {-170, 170, 180}, {10, 20, 15}, {-10, 10, 0}, {-100, -120, -110}, {100, -100, 180},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(DavisonLongitude(c.a, c.b), c.expected) << c.a << " " << c.b;
}

TEST(DavisonTest, TheMeanMomentAndPlaceAreWrittenAsUniversalTimeAndCast) {
  ASSERT_TRUE(SwissEphemerisUsable(SystemSwissEphemerisFolder));
  // 1 Jan 2000 00:00 UT and 3 Jan 2000 12:00 at five hours west (17:00 UT): 2 Jan 08:30 UT.
  ChartRecord a = RecordAt(2000, 1, 1, 0, 0, 0, 40, 170);
  a.Zodiac = 2;
  const ChartRecord b = RecordAt(2000, 1, 3, 12, 0, 5, -20, -170);
  DavisonOptions options;
  options.meanNode = true;
  const CalculatedChart d = MakeDavison(a, b, HousesKoch, options);
  const ChartRecord& r = d.Chart;
  EXPECT_EQ(r.Moment, (DateTimeRec{2000, 1, 2, 8, 30, 0, calAuto}));
  EXPECT_EQ(r.ZoneHours, 0.0f);
  EXPECT_EQ(r.ZoneAbbrev, "GMT");
  EXPECT_EQ(r.Place, "Midpoint in Space");
  EXPECT_EQ(r.Country, "");
  EXPECT_DOUBLE_EQ(r.Latitude, 10);
  EXPECT_DOUBLE_EQ(r.Longitude, 180);
  EXPECT_EQ(r.Zodiac, 2);
  EXPECT_TRUE(r.MeanNode);
  EXPECT_EQ(r.ChartType, ChartTypeCombined);
  EXPECT_EQ(r.ChartSubType, CompositeDavison);
  EXPECT_EQ(d.Houses.HouseSystem, HousesKoch);
  EXPECT_NEAR(d.Moment.JDUT, 2451545.5 + 8.5 / 24, 1e-9);
  // The sidereal time of the 1900 formulas at 8.5 hours after midnight.
  const double ramc = RamcFromSiderealTime(180, SiderealTimeAt(8.5, SiderealTimeAt0h(2451545.5)));
  EXPECT_NEAR(d.Moment.RAMC, ramc, 1e-6);
  // The positions are the Swiss Ephemeris's for that moment, in the first chart's zodiac.
  CastOptions swiss;
  swiss.Backend = CalcBackend::Swiss;
  swiss.HouseSystem = HousesKoch;
  const CalculatedChart plain = CastChart(r, swiss);
  EXPECT_NEAR(d.Longitude(PointSun), plain.Longitude(PointSun), 1e-9);
  EXPECT_NEAR(d.Longitude(PointNorthNode), plain.Longitude(PointNorthNode), 1e-9);
}

TEST(DavisonTest, TheCombinedChartFollowsTheMethodAndTheCompatibilityChecksComeInOrder) {
  ASSERT_TRUE(SwissEphemerisUsable(SystemSwissEphemerisFolder));
  CastOptions o;
  const CalculatedChart a = CastChart(RecordAt(1980, 5, 1, 10, 0, 0, 50, 0), o);
  o.HouseSystem = HousesEqual;
  const CalculatedChart b = CastChart(RecordAt(1985, 7, 1, 20, 0, -1, 45, -10), o);
  CombinedChartOptions options;
  EXPECT_EQ(MakeCombinedChart(a, b, options).Chart.ChartSubType, CompositeMidpoints);
  options.method = CompositeDavison;
  const CalculatedChart davison = MakeCombinedChart(a, b, options);
  EXPECT_EQ(davison.Chart.ChartSubType, CompositeDavison);
  EXPECT_EQ(davison.Chart.Name, "Combined");
  EXPECT_EQ(davison.Chart.Place, "Midpoint in Space");

  EXPECT_EQ(ChartsIncompatibility(a, a, CompositeMidpoints), "");
  EXPECT_EQ(ChartsIncompatibility(a, b, CompositeDavison), "");
  EXPECT_EQ(ChartsIncompatibility(a, b, CompositeMidpoints),
            "A midpoint composite requires the charts to have the same house system, but the charts have "
            "different house systems so cannot be combined.");
  CalculatedChart other = b;
  other.Chart.MeanNode = true;
  EXPECT_EQ(ChartsIncompatibility(a, other, CompositeDavison),
            "The charts do not have the same Lunar Node type and therefore cannot be combined.");
  other.Chart.Zodiac = 1;  // the zodiac is said first
  EXPECT_EQ(ChartsIncompatibility(a, other, CompositeDavison),
            "The charts do not have the same zodiac system and therefore cannot be combined.");
}


TEST(DavisonTest, ACombinedChartWithAnUnknownBirthTimeHasNoAnglesOrHouses) {
  ASSERT_TRUE(SwissEphemerisUsable(SystemSwissEphemerisFolder));
  CastOptions o;
  o.HouseSystem = HousesEqual;
  const CalculatedChart timed = CastChart(RecordAt(1980, 5, 1, 10, 0, 0, 50, 0), o);
  ChartRecord r = RecordAt(1985, 7, 1, 12, 0, -1, 45, -10);
  r.TimeUnknown = true;
  const CalculatedChart untimed = CastChart(r, o);
  const CalculatedChart other = CastChart(RecordAt(1985, 7, 1, 20, 0, -1, 45, -10), o);
  struct Case {
    int method;
    bool firstUnknown, secondUnknown;
  };
  const Case cases[] = {
      {CompositeMidpoints, false, true}, {CompositeMidpoints, true, false}, {CompositeDavison, false, true},
      {CompositeDavison, true, false},   {CompositeMidpoints, false, false}, {CompositeDavison, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.method) + (c.firstUnknown ? " first" : "") + (c.secondUnknown ? " second" : ""));
    CombinedChartOptions options;
    options.method = c.method;
    const CalculatedChart& a = c.firstUnknown ? untimed : timed;
    const CalculatedChart& b = c.secondUnknown ? untimed : c.firstUnknown ? timed : other;
    const CalculatedChart combined = MakeCombinedChart(a, b, options);
    const bool unknown = c.firstUnknown || c.secondUnknown;
    EXPECT_EQ(combined.Chart.TimeUnknown, unknown);
    EXPECT_EQ(combined.Point(PointAscendant).Computed(), !unknown);
    EXPECT_EQ(combined.Point(PointMidheaven).Computed(), !unknown);
    EXPECT_EQ(combined.Point(PointPartOfFortune).Computed(), !unknown);
    EXPECT_TRUE(combined.Point(PointSun).Computed());
    EXPECT_TRUE(combined.Point(PointMoon).Computed());
  }
}

}  // namespace
}  // namespace korvana
