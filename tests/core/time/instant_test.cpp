#include "core/time/instant.h"

#include "core/time/angle_math.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/date_time_fixture.h"

namespace korvana {
namespace {

using testing::Rec;

TEST(TADate, TextWithEraAndCalendarMarks) {
  struct Case { DateTimeRec rec; bool monthFirst; bool withYear; const char* text; };
  const Case cases[] = {
      {Rec(1776, 7, 4), false, true, "4 Jul 1776 NS"},
      {Rec(1582, 10, 15), false, true, "15 Oct 1582 NS"},
      {Rec(1582, 10, 4), false, true, "4 Oct 1582 OS"},
      {Rec(-43, 1, 1), false, true, "1 Jan 0044 BC"},
      {Rec(0, 3, 15), false, true, "15 Mar 0001 BC"},
      {Rec(2016, 12, 15), true, true, "Dec 15 2016"},
      {Rec(2016, 12, 15), false, false, "15 Dec"},
      {Rec(1801, 1, 1), false, true, "1 Jan 1801"},
      {Rec(1500, 1, 1), false, true, "1 Jan 1500 OS"},
      // A Gregorian-era date asked for in the Julian calendar is converted and marked.
      {Rec(1700, 6, 15, 0, 0, 0, calJulian), false, true, "4 Jun 1700 OS"},
      {Rec(1700, 6, 15, 0, 0, 0, calAuto), false, true, "15 Jun 1700 NS"},
      {Rec(1900, 1, 14, 0, 0, 0, calJulian), false, true, "2 Jan 1900 OS"},
      {Rec(1500, 1, 1, 0, 0, 0, calGregorian), false, true, "10 Jan 1500 NS"},
  };
  for (const Case& c : cases) {
    TDTDisplayOptions options;
    options.MonthFirst = c.monthFirst;
    EXPECT_EQ(TADate(c.rec, options).Text(c.withYear), c.text) << c.text;
  }
  TDTDisplayOptions keep;
  keep.ConvertToRequested = false;
  EXPECT_EQ(TADate(Rec(1700, 6, 15, 0, 0, 0, calJulian), keep).FullText(), "15 Jun 1700 NS");
}

TEST(TATime, Text) {
  TDTDisplayOptions o;
  EXPECT_EQ(TATime(Rec(2000, 1, 1, 15, 4, 5), o).Text(), "15:04:05");
  o.Time.ShowSeconds = false;
  o.Time.Use24Hour = false;
  EXPECT_EQ(TATime(Rec(2000, 1, 1, 15, 4, 5), o).Text(), "3:04 pm");
  EXPECT_EQ(TATime(Rec(2000, 1, 1, 0, 15), o).Text(), "0:15 am");
  EXPECT_EQ(TATime(Rec(2000, 1, 1, 12, 0), o).Text(), "12:00 pm");
}

TEST(DeltaT, BuiltInTableAndFormulas) {
  auto at = [](double year) { return DeltaTBuiltInSeconds((year - 2000) / 100); };
  EXPECT_NEAR(at(1900), -2.7, 1e-9);    // entry 140
  EXPECT_NEAR(at(2020), 83.0, 1e-9);    // extrapolated along the last step
  EXPECT_NEAR(at(1000), 1625.6, 1e-9);  // 50.6 + 67.5 T + 22.5 T^2 with T = -10
  EXPECT_NEAR(at(1620), 124.0, 1e-9);   // entry 0
  EXPECT_NEAR(at(1621), 119.5, 1e-9);   // half way to entry 1
  EXPECT_NEAR(at(2018), 81.0, 1e-9);    // entry 199
  EXPECT_NEAR(at(2100), 102.3 + 123.5 + 32.5, 1e-9);
  EXPECT_NEAR(at(500), 2715.6 + 573.36 * -15 + 46.5 * 225, 1e-9);
  EXPECT_NEAR(DeltaTDays(-1, false), -2.7 / 86400, 1e-15);
}

TEST(DeltaT, EphemerisLibraryAgreesWithTheTableNearTheTable) {
  // Around 2000 delta T is about 64 seconds in both.
  double lib = DeltaTDays(0, true) * 86400;
  EXPECT_NEAR(lib, 63.8, 1.0);
  EXPECT_NEAR(lib, DeltaTBuiltInSeconds(0), 1.0);
}

TEST(TInstant, SetUTAndSetEphemerisAreInverse) {
  for (bool library : {true, false}) {
    TInstant a;
    a.UseEphemerisLibrary = library;
    a.SetUT(2451545.0);
    EXPECT_EQ(a.UTDate, Rec(2000, 1, 1, 12));
    EXPECT_NEAR(a.DeltaT * 86400, 63.8, 1.0);
    EXPECT_DOUBLE_EQ(a.JDEphem, a.JDUT + a.DeltaT);
    EXPECT_DOUBLE_EQ(a.T2000, (a.JDEphem - 2451545) / 36525);
    EXPECT_DOUBLE_EQ(a.T1900, (a.JDEphem - 2415020) / 36525);
    EXPECT_DOUBLE_EQ(a.T2000Millennia, a.T2000 / 10);
    TInstant b;
    b.UseEphemerisLibrary = library;
    b.SetEphemeris(a.JDEphem);
    EXPECT_NEAR(b.JDUT, a.JDUT, 1e-9);
  }
}

TEST(TInstant, ObliquityNutationDrift) {
  TInstant lib;
  lib.SetUT(2451545.0);
  TInstant own;
  own.UseEphemerisLibrary = false;
  own.SetUT(2451545.0);
  // True obliquity at J2000 is about 23.4377 degrees (mean 23.4393 plus nutation).
  EXPECT_NEAR(lib.TrueObliquity(), 23.4377, 0.0005);
  EXPECT_NEAR(own.TrueObliquity(), lib.TrueObliquity(), 0.0005);
  NutationValues n = own.Nutation();
  EXPECT_NEAR(n.deltaPsi * 3600, -13.9, 1.0);  // about -13.9" on 2000 January 1
  EXPECT_NEAR(n.deltaEpsilon * 3600, -5.8, 1.0);
  // Precession since 1900 is about 1.397 degrees a century, reversed.
  EXPECT_NEAR(own.ZodiacDrift(), -1.397, 0.01);
  TInstant t1900;
  t1900.UseEphemerisLibrary = false;
  t1900.SetEphemeris(2415020.0);
  EXPECT_NEAR(t1900.ZodiacDrift(), (17.23 * SinDeg(933060.0 / 3600) +
                                    1.27 * SinDeg(2013816.0 / 3600)) / 3600, 1e-12);
}

TEST(TLocalInstant, CreatedInUniversalTime) {
  TLocalInstant t;
  EXPECT_EQ(t.ZoneAbbrev, "UT");
  EXPECT_EQ(t.ZoneName, "UT");
  EXPECT_EQ(t.Zone.Abbrev, "UT");
  EXPECT_EQ(t.ZoneHours, 0);
  EXPECT_TRUE(t.RaiseOnError);
  EXPECT_TRUE(t.UseEphemerisLibrary);
}

TEST(TLocalInstant, SetLocalAppliesTheZone) {
  TLocalInstant t;
  t.SetLocal(Rec(2000, 1, 1, 7), "EST", ZoneStandard, 5);
  EXPECT_NEAR(t.JDUT, 2451545.0, 1e-9);
  EXPECT_NEAR(t.LocalJD, 2451545.0 - 5.0 / 24, 1e-9);
  EXPECT_EQ(t.LocalDate, Rec(2000, 1, 1, 7));
  EXPECT_EQ(t.UTDate, Rec(2000, 1, 1, 12));
  EXPECT_EQ(t.Zone.Abbrev, "EST");
  EXPECT_EQ(t.Zone.Hours, 5);

  // East of Greenwich: ACST -9:30.
  t.SetLocal(Rec(2000, 1, 1, 21, 30), "ACST", ZoneStandard, -9.5f);
  EXPECT_EQ(t.UTDate, Rec(2000, 1, 1, 12));

  t.SetLocalJD(-10, 2451545.0);
  EXPECT_EQ(t.LocalDate, Rec(2000, 1, 1, 12));
  EXPECT_EQ(t.UTDate, Rec(2000, 1, 1, 2));
}

TEST(TLocalInstant, AddUnits) {
  TLocalInstant t;
  t.SetLocal(Rec(2001, 1, 31, 10), "CET", ZoneStandard, -1);
  t.AddMonths(1);  // 31 February rolls over into March
  EXPECT_EQ(t.LocalDate, Rec(2001, 3, 3, 10));

  t.SetLocal(Rec(2000, 1, 31, 10), "CET", ZoneStandard, -1);
  t.AddMonths(1);
  EXPECT_EQ(t.LocalDate, Rec(2000, 3, 2, 10));

  t.SetLocal(Rec(2000, 11, 15, 10), "CET", ZoneStandard, -1);
  t.AddMonths(14);
  EXPECT_EQ(t.LocalDate, Rec(2002, 1, 15, 10));
  t.AddMonths(-13);
  EXPECT_EQ(t.LocalDate, Rec(2000, 12, 15, 10));
  t.AddMonths(-12);
  EXPECT_EQ(t.LocalDate, Rec(1999, 12, 15, 10));
  t.AddYears(-2000);
  EXPECT_EQ(t.LocalDate, Rec(-1, 12, 15, 10));
  t.AddYears(2001);
  t.AddDays(17);
  EXPECT_EQ(t.LocalDate, Rec(2001, 1, 1, 10));
  t.AddHours(-11);
  EXPECT_EQ(t.LocalDate, Rec(2000, 12, 31, 23));
  t.Add(4, 61);
  EXPECT_EQ(t.LocalDate, Rec(2001, 1, 1, 0, 1));
  t.Add(5, -61);
  EXPECT_EQ(t.LocalDate, Rec(2000, 12, 31, 23, 59, 59));
  EXPECT_EQ(t.ZoneHours, -1);
  EXPECT_NEAR(t.JDUT - t.LocalJD, -1.0 / 24, 1e-9);

  t.SetLocal(Rec(32000, 1, 1), "UT", ZoneUniversal, 0);
  EXPECT_THROW(t.AddYears(1000), EDateRangeError);
}

TEST(TLocalInstant, DateTextAndErrors) {
  TLocalInstant t;
  t.SetLocal(Rec(1700, 6, 15, 0, 0, 0, calJulian), "LMT", ZoneLocalMean, 0);
  EXPECT_EQ(t.DateText(), "4 Jun 1700 OS");
  t.SetLocal(Rec(2016, 12, 15, 18), "UT", ZoneUniversal, 0);
  EXPECT_EQ(t.DateText(), "15 Dec 2016");

  // A Julian-calendar request at the end of the year range cannot be converted.
  TLocalInstant edge;
  edge.LocalDate = Rec(-32768, 1, 1, 0, 0, 0, calGregorian);
  EXPECT_THROW(edge.DateText(), EDateRangeError);
  EXPECT_FALSE(edge.LastError.empty());
  edge.RaiseOnError = false;
  EXPECT_EQ(edge.DateText(), "");
  EXPECT_FALSE(edge.LastError.empty());
}

}  // namespace
}  // namespace korvana
