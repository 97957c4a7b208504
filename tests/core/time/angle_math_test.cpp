#include "core/time/angle_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/time/spherical_astronomy.h"

namespace korvana {
namespace {

TEST(ZPMaths, ModularArithmetic) {
  struct Case { double m, x, mod, signedMod; };
  const Case cases[] = {
      {360, -30, 330, -30},  {360, 720, 0, 0},     {24, 25.5, 1.5, 1.5},
      {360, 190, 190, -170}, {360, -190, 170, 170}, {360, 180, 180, -180},
      {360, -1e-18, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(ModReal(c.m, c.x), c.mod) << c.m << " " << c.x;
    EXPECT_DOUBLE_EQ(SignedMod(c.m, c.x), c.signedMod) << c.m << " " << c.x;
    double r = ModReal(c.m, c.x);
    EXPECT_TRUE(r >= 0 && r < c.m);
  }
}

TEST(ZPMaths, Mod360WorksIn32BitsAndRefusesOverflow) {
  EXPECT_DOUBLE_EQ(Mod360(-30), 330);
  EXPECT_DOUBLE_EQ(Mod360(725.25), 5.25);
  EXPECT_DOUBLE_EQ(Mod360(-1e-12), 360 - 1e-12);
  EXPECT_LT(Mod360(-1e-18), 360.0);
  EXPECT_NEAR(Mod360(2.0e9 + 10), std::fmod(2.0e9 + 10, 360), 1e-6);
  EXPECT_THROW(Mod360(2.2e9), EIntOverflow);
  EXPECT_THROW(Mod360(-2.2e9), EIntOverflow);
  EXPECT_THROW(Mod360(std::nan("")), EIntOverflow);
  EXPECT_THROW(Mod360(INFINITY), EIntOverflow);
}

TEST(ZPMaths, ArcFunctions) {
  EXPECT_EQ(ArcTan2(0, 0), 0);
  EXPECT_DOUBLE_EQ(ArcTan2(1, 0), HalfPi);
  EXPECT_DOUBLE_EQ(ArcTan2(-1, 0), -HalfPi);
  EXPECT_DOUBLE_EQ(ArcTan2(0, -1), Pi);  // (-pi, pi]: the negative axis gives +pi
  EXPECT_DOUBLE_EQ(ArcTan2(1, -1), 3 * Pi / 4);
  EXPECT_DOUBLE_EQ(ArcTan2(-1, -1), -3 * Pi / 4);
  EXPECT_DOUBLE_EQ(ArcTan2(-1, 1), -Pi / 4);
  EXPECT_DOUBLE_EQ(ArcSin(0.5), Pi / 6);
  EXPECT_DOUBLE_EQ(ArcCos(0.5), Pi / 3);
  EXPECT_DOUBLE_EQ(ArcSin(1 + 1e-16), HalfPi);  // rounding just past 1 does not give NaN
  EXPECT_NEAR(TanDeg(45), 1.0, 1e-15);
  EXPECT_NEAR(TanRad(Pi / 4), 1.0, 1e-15);
  EXPECT_DOUBLE_EQ(RadToDeg(DegToRad(123.4)), 123.4);
}

TEST(ZPMaths, MidPointAndSign) {
  EXPECT_NEAR(MidPoint(350, 10), 0, 1e-12);
  EXPECT_NEAR(MidPoint(10, 350), 0, 1e-12);
  EXPECT_DOUBLE_EQ(MidPoint(0, 90), 45);
  EXPECT_DOUBLE_EQ(MidPoint(0, 180), 90);
  EXPECT_DOUBLE_EQ(MidPoint(300, 100), 20);

  struct Case { double lon; int sign; };
  for (Case c : {Case{0, 1}, {29.999, 1}, {30, 2}, {359.9, 12}, {360, 1}, {-10, 12}})
    EXPECT_EQ(SignOf(c.lon), c.sign) << c.lon;
}

TEST(ZPMaths, Interpolate3) {
  // A parabola y = n^2 through n = -1, 0, 1 is reproduced exactly.
  EXPECT_DOUBLE_EQ(Interpolate3(0.5, 1, 0, 1), 0.25);
  EXPECT_DOUBLE_EQ(Interpolate3(-0.5, 3, 2, 1), 1.5);
}

TEST(ZPMaths, PolarToScreen) {
  // The left horizon (a = b) is to the left of the centre; 90 degrees on is below it.
  EXPECT_EQ(PolarToScreen(100, 30, 30), (ScreenPoint{-100, 0}));
  EXPECT_EQ(PolarToScreen(100, 120, 30), (ScreenPoint{0, 100}));
  EXPECT_EQ(PolarToScreen(100, 210, 30), (ScreenPoint{100, 0}));
  EXPECT_EQ(PolarToScreen(10, 45, 0), (ScreenPoint{-7, 7}));
}

TEST(ZPMaths, SortIndexByRealIsStable) {
  std::vector<double> key = {5, 1, 3, 1, 0, 3};
  std::vector<int> index = {9, 0, 1, 2, 3, 4, 5};  // slot 0 is outside the range sorted
  SortIndexByReal(key, index, 1, 6);
  EXPECT_EQ(index, (std::vector<int>{9, 4, 1, 3, 2, 5, 0}));
}

TEST(ZPMaths, SortIndexByIntWithBase) {
  std::vector<std::int32_t> key = {19000315, 18831118, 19180331, 18831118, 19000101, 1};
  std::vector<int> index = {1, 2, 3, 4, 5, 6};  // 1-based indexes into key
  SortIndexByInt(key, 1, index, 6);
  EXPECT_EQ(index, (std::vector<int>{6, 2, 4, 5, 1, 3}));

  std::vector<std::int32_t> many;
  std::vector<int> idx;
  for (int i = 0; i < 300; ++i) {
    many.push_back((i * 7919) % 301);
    idx.push_back(i);
  }
  SortIndexByInt(many, 0, idx, 300);
  for (int i = 1; i < 300; ++i) ASSERT_LE(many[idx[i - 1]], many[idx[i]]);
}

TEST(Mathbox, JulianDays) {
  EXPECT_DOUBLE_EQ(DateToJulianDay(1, 1, 2000, 12), 2451545.0);
  EXPECT_DOUBLE_EQ(DateToJulianDay(4, 10, 1582, 0), 2299159.5);
  EXPECT_DOUBLE_EQ(DateToJulianDay(15, 10, 1582, 0), 2299160.5);
  EXPECT_DOUBLE_EQ(DateToJulianDay(1, 1, -4712, 12), 0.0);
  CalendarDay a = JulianDayToDate(2299159.5);
  EXPECT_EQ(a.year, 1582);
  EXPECT_EQ(a.month, 10);
  EXPECT_DOUBLE_EQ(a.day, 4);
  CalendarDay b = JulianDayToDate(2299160.5);
  EXPECT_EQ(b.month, 10);
  EXPECT_DOUBLE_EQ(b.day, 15);
  CalendarDay c = JulianDayToDate(DateToJulianDay(15, 3, -43, 18));
  EXPECT_EQ(c.year, -43);
  EXPECT_EQ(c.month, 3);
  EXPECT_DOUBLE_EQ(c.day, 15.75);
  DateTimeRec r = JulianDayToDateTime(2451545.25);
  EXPECT_EQ(r.Year, 2000);
  EXPECT_EQ(r.Day, 1);
  EXPECT_EQ(r.Hour, 18);
}

TEST(Mathbox, AngularSeparation) {
  EXPECT_NEAR(AngularSeparation(0, 0, 0, 5.0 / 60), 5.0 / 60, 1e-12);
  EXPECT_NEAR(AngularSeparation(0, 359.95, 0, 0.05), 0.1, 1e-9);  // across 0 degrees
  EXPECT_NEAR(AngularSeparation(10, 20, 10, 20), 0, 1e-12);
  EXPECT_NEAR(AngularSeparation(0, 0, 0, 90), 90, 1e-9);
  EXPECT_NEAR(AngularSeparation(60, 0, 60, 1), RadToDeg(ArcCos(0.75 + 0.25 * CosDeg(1))), 1e-9);
}

TEST(Mathbox, ObliquityNutationSiderealTime) {
  EXPECT_DOUBLE_EQ(Obliquity(0), 23.452294);
  EXPECT_NEAR(Obliquity(1), 23.439281, 1e-5);  // J2000
  NutationValues n = Nutation(CenturiesSince1900(2446895.5));  // 1987 April 10
  EXPECT_NEAR(n.deltaPsi * 3600, -3.788, 0.5);
  EXPECT_NEAR(n.deltaEpsilon * 3600, 9.443, 0.5);
  // 1987 April 10, 19:21:00 UT: 8h 34m 57.09s (Meeus, example 12.b).
  EXPECT_NEAR(GreenwichSiderealTime(2446896.30625), 8 + 34.0 / 60 + 57.0896 / 3600, 1e-6);
  double s0 = SiderealTimeAt0h(2446895.5);
  EXPECT_NEAR(s0, 13 + 10.0 / 60 + 46.3668 / 3600, 2e-4);
  EXPECT_NEAR(SiderealTimeAt(19.35, s0), 8 + 34.0 / 60 + 57.09 / 3600, 2e-4);
  EXPECT_DOUBLE_EQ(RamcFromSiderealTime(-150, 1), 165);
  EXPECT_DOUBLE_EQ(GeocentricLatitude(false, 45), 45);
  EXPECT_NEAR(GeocentricLatitude(true, 45), 45 - 692.743 / 3600, 1e-3);
}

TEST(Mathbox, CoordinateTransforms) {
  SphericalPosition p = AddSpherical(1, 0, 0, 1, 0, 90);
  EXPECT_NEAR(p.longitude, 45, 1e-12);
  EXPECT_NEAR(p.latitude, 0, 1e-12);
  EXPECT_NEAR(p.distance, std::sqrt(2.0), 1e-12);
  SphericalPosition cancel = AddSpherical(1, 0, 0, 1, 0, 180);
  EXPECT_NEAR(cancel.distance, 0, 1e-12);
  EXPECT_FALSE(std::isnan(cancel.latitude));

  double eps = 23.4392911;
  EquatorialPosition e = EclipticToEquatorial(CosDeg(eps), SinDeg(eps), 0, 90);
  EXPECT_NEAR(e.rightAscension, 90, 1e-9);
  EXPECT_NEAR(e.declination, eps, 1e-9);
  EquatorialPosition w = EclipticToEquatorial(CosDeg(eps), SinDeg(eps), 0, 270);
  EXPECT_NEAR(w.rightAscension, 270, 1e-9);
  EXPECT_NEAR(w.declination, -eps, 1e-9);
}

}  // namespace
}  // namespace korvana
