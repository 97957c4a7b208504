// Solar and lunar returns: which return a base date finds, the search's convergence and
// precision, the return place's zone, and the failures.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "record_fixture.h"
#include "core/astro/ephemeris.h"
#include "core/astro/zodiac.h"
#include "core/derived/returns.h"
#include "core/time/angle_math.h"
#include "core/time/date_time_rec.h"

namespace korvana {
namespace {

using testing::RecordAt;

double ArcSeconds(double a, double b) { return std::fabs(SignedMod(360, a - b)) * 3600; }


class ReturnsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SwissEphemerisUsable(SystemSwissEphemerisFolder));
    options.cast.Backend = CalcBackend::Swiss;
  }
  CalculatedChart Natal(const ChartRecord& r) { return CastChart(r, options.cast); }
  // The tropical longitude of a body at a moment straight from the library.
  static double LibraryLongitude(double jdUT, int body) {
    double xx[6];
    char serr[AS_MAXCH];
    swe_calc_ut(jdUT, body, SEFLG_SPEED, xx, serr);
    return xx[0];
  }
  ReturnOptions options;
};

// Born 14 March 1990 at noon UT; the base lies a day after the birthday in 2020.
TEST_F(ReturnsTest, CurrentNearestAndNextAroundABirthday) {
  const CalculatedChart natal = Natal(RecordAt(1990, 3, 14, 12, 0, 0, 51.5, 0.1));
  const ChartRecord base = RecordAt(2020, 3, 15, 12, 0, 0, 51.5, 0.1);
  const double baseJD = DateRecToJD(base.Moment, true);
  struct Case {
    ReturnWhich which;
    int year, month, day;  // the return's UT date
  };
  const Case cases[] = {{ReturnWhich::Current, 2020, 3, 14}, {ReturnWhich::Nearest, 2020, 3, 14},
                        {ReturnWhich::Next, 2021, 3, 14}};
  for (const Case& c : cases) {
    const ReturnResult r = CastReturn(natal, base, ReturnSolar, c.which, options);
    const DateTimeRec ut = JDToDateRec(calAuto, r.search.jdUT);
    EXPECT_EQ(ut.Year, c.year) << int(c.which);
    EXPECT_EQ(ut.Month, c.month) << int(c.which);
    EXPECT_NEAR(ut.Day, c.day, 1) << int(c.which);
    if (c.which == ReturnWhich::Next)
      EXPECT_GT(r.search.jdUT, baseJD);
    else
      EXPECT_LT(r.search.jdUT, baseJD);
    EXPECT_LE(ArcSeconds(LibraryLongitude(r.search.jdUT, SE_SUN), natal.Longitude(PointSun)), 0.05);
    EXPECT_LE(ArcSeconds(r.chart.Longitude(PointSun), natal.Longitude(PointSun)), 0.05);
    EXPECT_EQ(r.search.attempts, 1);
  }
}

TEST_F(ReturnsTest, TheReturnChartTakesTheBasePlaceAndIsMarkedAsAReturn) {
  ChartRecord natalRecord = RecordAt(1975, 8, 2, 6, 30, -2, 60.2, -25.0);
  natalRecord.EventKind = EventFemale;
  const CalculatedChart natal = Natal(natalRecord);
  ChartRecord base = RecordAt(2011, 8, 1, 9, 0, 5, 40.7, 74.0);
  base.Place = "New York";
  base.Country = "USA";
  base.ZoneAbbrev = "EST";
  options.geocentricLat = true;
  for (ReturnKind kind : {ReturnSolar, ReturnLunar}) {
    const ReturnResult r = CastReturn(natal, base, kind, ReturnWhich::Nearest, options);
    const ChartRecord& c = r.chart.Chart;
    EXPECT_EQ(c.Name, "Native");
    EXPECT_EQ(c.Place, "New York");
    EXPECT_EQ(c.Country, "USA");
    EXPECT_EQ(c.ZoneAbbrev, "EST");
    EXPECT_EQ(c.ZoneHours, 5.0f);
    EXPECT_DOUBLE_EQ(c.Latitude, 40.7);
    EXPECT_DOUBLE_EQ(c.Longitude, 74.0);
    EXPECT_TRUE(c.GeocentricLat);
    EXPECT_EQ(c.EventKind, EventEvent);
    EXPECT_EQ(c.ChartType, ChartTypeReturn);
    EXPECT_EQ(c.ChartSubType, kind);
    EXPECT_EQ(c.ChartTypeParam, kind == ReturnSolar ? PointSun : PointMoon);
    EXPECT_EQ(r.chart.Houses.HouseSystem, natal.Houses.HouseSystem);
    // The local time written is the moment in the base's zone, to the second.
    const double local = r.search.jdUT - 5.0 / 24;
    EXPECT_NEAR(DateRecToJD(c.Moment, true), local, 0.51 / 86400);
    EXPECT_LE(ArcSeconds(r.chart.Longitude(ReturnBody(kind)), natal.Longitude(ReturnBody(kind))), 0.05);
  }
}

TEST_F(ReturnsTest, ALunarReturnConvergesInOneRunFromAnyStartWithinAMonth) {
  const CalculatedChart natal = Natal(RecordAt(1962, 11, 5, 3, 15, 0, -33.9, -151.2));
  for (double day = 0; day < 30; day += 0.73) {
    ChartRecord base = RecordAt(2004, 6, 1, 0, 0, 0, -33.9, -151.2);
    const double jd = DateRecToJD(base.Moment, true) + day;
    base.Moment = JDToDateRec(calAuto, jd);
    for (ReturnWhich which : {ReturnWhich::Current, ReturnWhich::Nearest, ReturnWhich::Next}) {
      const ReturnResult r = CastReturn(natal, base, ReturnLunar, which, options);
      EXPECT_EQ(r.search.attempts, 1) << day;
      EXPECT_LE(r.search.casts, 21) << day;  // the start and at most 20 steps
      EXPECT_LE(ArcSeconds(LibraryLongitude(r.search.jdUT, SE_MOON), natal.Longitude(PointMoon)), 0.05) << day;
      const double from = DateRecToJD(base.Moment, true);
      if (which == ReturnWhich::Next) {
        EXPECT_TRUE(r.search.jdUT >= from && r.search.jdUT < from + 27.6) << day;
      }
      if (which == ReturnWhich::Current) {
        EXPECT_TRUE(r.search.jdUT <= from && r.search.jdUT > from - 27.6) << day;
      }
    }
  }
}

// Fifty random births and return years 1900-2050 (fixed seed): the Sun and the Moon at
// the moment found stand within 0.05" of their natal longitudes.
TEST_F(ReturnsTest, RandomChartsReturnWithinTheTolerance) {
  std::mt19937 random(20261211);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  double worst[2] = {0, 0};
  int worstCasts[2] = {0, 0};
  for (int n = 0; n < 50; ++n) {
    const double birthJD = 2415020.5 + unit(random) * 365.25 * 150;  // 1900..2050
    ChartRecord natalRecord = RecordAt(2000, 1, 1, 0, 0, 0, -60 + 120 * unit(random), -180 + 360 * unit(random));
    natalRecord.Moment = JDToDateRec(calAuto, birthJD);
    const CalculatedChart natal = Natal(natalRecord);
    ChartRecord base = natalRecord;
    base.Moment = JDToDateRec(calAuto, 2415020.5 + unit(random) * 365.25 * 150);
    for (ReturnKind kind : {ReturnSolar, ReturnLunar}) {
      const ReturnResult r = CastReturn(natal, base, kind, ReturnWhich::Nearest, options);
      const int body = kind == ReturnSolar ? SE_SUN : SE_MOON;
      const double off = ArcSeconds(LibraryLongitude(r.search.jdUT, body), natal.Longitude(ReturnBody(kind)));
      const int k = kind == ReturnSolar ? 0 : 1;
      worst[k] = std::max(worst[k], off);
      worstCasts[k] = std::max(worstCasts[k], r.search.casts);
      EXPECT_LE(off, 0.05) << n << " " << kind;
      EXPECT_EQ(r.search.attempts, 1) << n << " " << kind;
    }
  }
  std::printf("worst solar return %.5f\", lunar return %.5f\"; most casts %d and %d\n", worst[0], worst[1],
              worstCasts[0], worstCasts[1]);
}

TEST_F(ReturnsTest, AConverseReturnIsSoughtBackwardsFromTheMirroredBase) {
  const CalculatedChart natal = Natal(RecordAt(1990, 3, 14, 12, 0, 0, 51.5, 0.1));
  // Thirty years and a day after the birth; its mirror lies thirty years and a day before.
  const ChartRecord base = RecordAt(2020, 3, 15, 12, 0, 0, 51.5, 0.1);
  const double mirror = 2 * natal.Moment.JDUT - DateRecToJD(base.Moment, true);
  options.converse = true;
  const ReturnResult next = CastReturn(natal, base, ReturnSolar, ReturnWhich::Next, options);
  const ReturnResult current = CastReturn(natal, base, ReturnSolar, ReturnWhich::Current, options);
  EXPECT_LT(next.search.jdUT, mirror);
  EXPECT_GT(next.search.jdUT, mirror - 366);
  EXPECT_GT(current.search.jdUT, mirror);
  EXPECT_LT(current.search.jdUT, mirror + 366);
  EXPECT_EQ(JDToDateRec(calAuto, next.search.jdUT).Year, 1959);
  EXPECT_EQ(JDToDateRec(calAuto, current.search.jdUT).Year, 1960);
}

TEST_F(ReturnsTest, TheReturnPlacesZoneInForceGivesTheLocalTime) {
  // Born in January: the return falls in Sydney's summer (AEDT, eleven hours east).
  const CalculatedChart natal = Natal(RecordAt(1980, 1, 20, 4, 0, 0, -33.87, -151.21));
  ChartRecord base = RecordAt(2015, 1, 1, 12, 0, -10, -33.87, -151.21);
  options.ianaZone = "Australia/Sydney";
  const ReturnResult summer = CastReturn(natal, base, ReturnSolar, ReturnWhich::Next, options);
  EXPECT_EQ(summer.chart.Chart.ZoneHours, -11.0f);
  EXPECT_EQ(summer.chart.Chart.ZoneAbbrev, "AEDT");
  EXPECT_NEAR(DateRecToJD(summer.chart.Chart.Moment, true), summer.search.jdUT + 11.0 / 24, 0.51 / 86400);
  // A lunar return in July: standard time.
  base.Moment = {2015, 7, 1, 0, 0, 0, calAuto};
  const ReturnResult winter = CastReturn(natal, base, ReturnLunar, ReturnWhich::Next, options);
  EXPECT_EQ(winter.chart.Chart.ZoneHours, -10.0f);
  EXPECT_EQ(winter.chart.Chart.ZoneAbbrev, "AEST");
}

TEST_F(ReturnsTest, APrecessionCorrectedSiderealReturnComesBackToTheTropicalPlace) {
  ChartRecord r = RecordAt(1950, 6, 1, 12, 0, 0, 28.6, -77.2);
  r.Zodiac = ZodiacLahiri;
  const CalculatedChart natal = Natal(r);
  const ChartRecord base = RecordAt(2000, 6, 1, 12, 0, 0, 28.6, -77.2);
  const ReturnResult sidereal = CastReturn(natal, base, ReturnSolar, ReturnWhich::Nearest, options);
  options.precessionCorrected = true;
  const ReturnResult corrected = CastReturn(natal, base, ReturnSolar, ReturnWhich::Nearest, options);
  const double natalTropical = natal.Longitude(PointSun) - natal.Moment.ZodiacOffset;
  EXPECT_LE(ArcSeconds(LibraryLongitude(corrected.search.jdUT, SE_SUN), natalTropical), 0.1);
  EXPECT_LE(ArcSeconds(sidereal.chart.Longitude(PointSun), natal.Longitude(PointSun)), 0.05);
  // Fifty years of precession (about 42') part the two by some seventeen hours.
  EXPECT_NEAR((sidereal.search.jdUT - corrected.search.jdUT) * 24, 17, 1.5);
}

TEST_F(ReturnsTest, AMomentBeyondTheEphemerisIsReported) {
  const CalculatedChart natal = Natal(RecordAt(1990, 3, 14, 12, 0, 0, 51.5, 0.1));
  const ChartRecord base = RecordAt(9000, 1, 1, 0, 0, 0, 51.5, 0.1);
  try {
    CastReturn(natal, base, ReturnSolar, ReturnWhich::Nearest, options);
    ADD_FAILURE() << "no error";
  } catch (const EReturnError& e) {
    EXPECT_STREQ(e.what(), "Unable to find return because date is out of range of the ephemeris.");
  }
}

TEST(ReturnAccuracyTest, TheEphemerisAccuracyOverTheSpeed) {
  struct Case {
    ReturnKind kind;
    bool swiss;
    int year;
    double speed, seconds;
  };
  const Case cases[] = {
      {ReturnSolar, true, 2010, 1.0, 0.24},       {ReturnSolar, true, 1950, 1.0, 2.4},
      {ReturnSolar, true, 1500, 1.0, 7.2},        {ReturnSolar, true, 2060, -1.0, 7.2},
      {ReturnLunar, true, 1900, 12.0, 1.8},       {ReturnLunar, true, 1700, 12.0, 6.0},
      {ReturnLunar, false, 2000, 12.0, 20.0},     {ReturnSolar, false, 2000, 0.96, 20.0},
      {ReturnSolar, false, 2000, 0.0001, 43200},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(ReturnAccuracySeconds(c.kind, c.swiss, c.year, c.speed), c.seconds, 1e-9) << c.year << " " << c.speed;
}

}  // namespace
}  // namespace korvana
