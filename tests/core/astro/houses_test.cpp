// House systems against the Swiss Ephemeris library's own house code, and the
// particulars of the program's systems.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>

#include "astro_test_support.h"
#include "core/astro/cast_chart.h"
#include "core/astro/houses.h"
#include "core/time/angle_math.h"

namespace korvana {
namespace {

using testing::ArcSeconds;

// Points holding only what the houses read: the angles (tropical here, offset 0).
std::array<PointPos, LastPoint + 1> AnglePoints(double ramc, double eps, double phi) {
  std::array<PointPos, LastPoint + 1> p{};
  p[PointAscendant].Longitude = AscendantOf(ramc, eps, phi);
  p[PointMidheaven].Longitude = LongitudeOfRightAscension(ramc, eps);
  return p;
}

TEST(HousesTest, QuadrantAndEqualSystemsAgreeWithTheLibraryWithinOneArcSecond) {
  const struct {
    int code;
    char swe;
  } systems[] = {{HousesPlacidus, 'P'},    {HousesKoch, 'K'},       {HousesCampanus, 'C'},
                 {HousesRegiomontanus, 'R'}, {HousesPorphyry, 'O'}, {HousesTopocentric, 'T'},
                 {HousesAlcabitius, 'B'},  {HousesMorinus, 'M'},    {HousesMeridian, 'X'},
                 {HousesEqual, 'E'},       {HousesWholeSign, 'W'}};
  const double eps = 23.4392911;
  for (auto [code, letter] : systems) {
    for (double phi = -60; phi <= 60; phi += 7.5) {
      for (double ramc = 3.7; ramc < 360; ramc += 29.3) {
        double cusps[13], ascmc[10];
        swe_houses_armc(ramc, phi, eps, letter, cusps, ascmc);
        ChartHouses h;
        h.HouseSystem = static_cast<std::uint8_t>(code);
        ComputeHouses(h, AnglePoints(ramc, eps, phi), 0.0, phi, eps, ramc);
        ASSERT_EQ(h.HouseSystem, code);
        for (int i = 1; i <= 12; ++i) {
          EXPECT_LE(ArcSeconds(h.Cusps[i], cusps[i]), 1.0)
              << HouseSystemName(code) << " cusp " << i << " latitude " << phi << " RAMC " << ramc;
        }
        EXPECT_LE(ArcSeconds(AscendantOf(ramc, eps, phi), ascmc[SE_ASC]), 1.0);
        EXPECT_LE(ArcSeconds(LongitudeOfRightAscension(ramc, eps), ascmc[SE_MC]), 1.0);
        if (phi != 0) {
          EXPECT_LE(ArcSeconds(VertexOf(ramc, eps, phi), ascmc[SE_VERTEX]), 1.0);
        }
        EXPECT_LE(ArcSeconds(EastPointOf(ramc, eps), ascmc[SE_EQUASC]), 1.0);
        EXPECT_EQ(h.Cusps, h.CuspsAsCast);
      }
    }
  }
}

// Inside the polar circles the ecliptic can rise west of the Midheaven for part of the
// day; the Ascendant stays the rising (eastern) point, and the systems built on it follow.
TEST(HousesTest, PolarAscendantIsTheEasternHorizonPointAsInTheLibrary) {
  const struct {
    int code;
    char swe;
  } systems[] = {{HousesEqual, 'E'},    {HousesWholeSign, 'W'},     {HousesPorphyry, 'O'},
                 {HousesAlcabitius, 'B'}, {HousesCampanus, 'C'},    {HousesRegiomontanus, 'R'},
                 {HousesTopocentric, 'T'}};
  const double eps = 23.4392911;
  for (double phi : {66.0, 67.0, 68.5, 69.65, 71.0, 72.0, -66.0, -67.0, -68.5, -69.65, -71.0, -72.0}) {
    for (double ramc = 0.7; ramc < 360; ramc += 4.9) {
      SCOPED_TRACE("latitude " + std::to_string(phi) + " RAMC " + std::to_string(ramc));
      double cusps[13], ascmc[10];
      swe_houses_armc(ramc, phi, eps, 'E', cusps, ascmc);
      const double asc = AscendantOf(ramc, eps, phi);
      ASSERT_LE(ArcSeconds(asc, ascmc[SE_ASC]), 1.0);
      // East of the Midheaven, whichever hemisphere.
      EXPECT_GT(SignedMod(360, asc - LongitudeOfRightAscension(ramc, eps)), 0.0);
      for (auto [code, letter] : systems) {
        swe_houses_armc(ramc, phi, eps, letter, cusps, ascmc);
        ChartHouses h;
        h.HouseSystem = static_cast<std::uint8_t>(code);
        ComputeHouses(h, AnglePoints(ramc, eps, phi), 0.0, phi, eps, ramc);
        ASSERT_EQ(h.HouseSystem, code);
        for (int i = 1; i <= 12; ++i)
          EXPECT_LE(ArcSeconds(h.Cusps[i], cusps[i]), 1.0) << HouseSystemName(code) << " cusp " << i;
        if (h.AscIsCusp1) {
          EXPECT_LE(ArcSeconds(h.Cusps[1], asc), 1.0) << HouseSystemName(code);
        }
      }
    }
  }
}

TEST(HousesTest, KochAndPlacidusSwitchToEqualInsideThePolarCircles) {
  const double eps = 23.44;
  for (int code : {HousesPlacidus, HousesKoch}) {
    for (auto [phi, expected] : {std::pair<double, int>{70.0, HousesEqual}, {-70.0, HousesEqual}, {66.0, code}}) {
      ChartHouses h;
      h.HouseSystem = static_cast<std::uint8_t>(code);
      auto p = AnglePoints(100, eps, phi);
      ComputeHouses(h, p, 0.0, phi, eps, 100);
      EXPECT_EQ(h.HouseSystem, expected) << HouseSystemName(code) << " at " << phi;
      if (expected == HousesEqual) {
        EXPECT_DOUBLE_EQ(h.Cusps[1], p[PointAscendant].Longitude);
        EXPECT_TRUE(h.AscIsCusp1);
        EXPECT_FALSE(h.MCIsCusp10);
      } else {
        EXPECT_TRUE(h.MCIsCusp10);
      }
    }
  }
}

TEST(HousesTest, EqualTypeSystemsStartFromTheirPoint) {
  std::array<PointPos, LastPoint + 1> p{};
  p[PointAscendant].Longitude = 137.0;  // 17 Leo
  p[PointMidheaven].Longitude = 50.0;
  p[PointSun].Longitude = 200.5;
  p[PointMoon].Longitude = 10.0;
  p[PointMars].Longitude = 300.0;
  p[PointNorthNode].Longitude = 77.0;
  p[PointVertex].Longitude = 290.0;
  p[PointEastPoint].Longitude = 140.0;
  p[PointPartOfFortune].Longitude = 5.0;
  const struct {
    int code;
    double cusp1;
    bool mc, asc;
  } cases[] = {{HousesEqual, 137, false, true},      {HousesZeroAries, 0, false, false},
               {HousesSolarSign, 180, false, false}, {HousesSunOn1st, 200.5, false, false},
               {HousesMoonOn1st, 10, false, false},  {HousesMarsOn1st, 300, false, false},
               {HousesNodeOn1st, 77, false, false},  {HousesVertexOn7th, 110, false, false},
               {HousesEPOn1st, 140, false, false},   {HousesMCOn10th, 140, true, false},
               {HousesWholeSign, 120, false, false}, {HousesPFOn1st, 5, false, false},
               {HousesAscIn1st, 122, false, false}};
  for (const auto& c : cases) {
    ChartHouses h;
    h.HouseSystem = static_cast<std::uint8_t>(c.code);
    ComputeHouses(h, p, 0.0, 45.0, 23.44, 30.0);
    SCOPED_TRACE(HouseSystemName(c.code));
    EXPECT_EQ(h.HouseSystem, c.code);
    EXPECT_NEAR(h.Cusps[1], c.cusp1, 1e-9);
    EXPECT_NEAR(h.Cusps[2], ModReal(360, c.cusp1 + 30), 1e-9);
    EXPECT_NEAR(h.Cusps[12], ModReal(360, c.cusp1 + 330), 1e-9);
    EXPECT_EQ(h.MCIsCusp10, c.mc);
    EXPECT_EQ(h.AscIsCusp1, c.asc);
  }
  // Asc in 1st: the Ascendant 15 degrees into the first house.
  ChartHouses h;
  h.HouseSystem = HousesAscIn1st;
  ComputeHouses(h, p, 0.0, 45.0, 23.44, 30.0);
  EXPECT_EQ(HouseOf(h.Cusps, 137.0), 1);
  EXPECT_NEAR(ModReal(360, 137.0 - h.Cusps[1]), 15.0, 1e-9);
}

TEST(HousesTest, BhavaPutsTheAnglesInTheMiddleOfTheirHouses) {
  const double eps = 23.44, phi = 48.0, ramc = 250.0;
  auto p = AnglePoints(ramc, eps, phi);
  ChartHouses porphyry, bhava;
  porphyry.HouseSystem = HousesPorphyry;
  bhava.HouseSystem = HousesBhava;
  ComputeHouses(porphyry, p, 0.0, phi, eps, ramc);
  ComputeHouses(bhava, p, 0.0, phi, eps, ramc);
  EXPECT_EQ(bhava.HouseSystem, HousesBhava);
  for (int i = 1; i <= 12; ++i) {
    int before = i == 1 ? 12 : i - 1;
    EXPECT_NEAR(bhava.Cusps[i], MidPoint(porphyry.Cusps[before], porphyry.Cusps[i]), 1e-9);
  }
  EXPECT_EQ(HouseOf(bhava.Cusps, p[PointAscendant].Longitude), 1);
  EXPECT_EQ(HouseOf(bhava.Cusps, p[PointMidheaven].Longitude), 10);
  EXPECT_FALSE(bhava.AscIsCusp1);
}

TEST(HousesTest, QuadrantCuspsTakeTheZodiacOffset) {
  const double eps = 23.44, phi = 35.0, ramc = 123.0, offset = 337.5;
  auto tropical = AnglePoints(ramc, eps, phi);
  auto sidereal = tropical;
  sidereal[PointAscendant].Longitude = ModReal(360, tropical[PointAscendant].Longitude + offset);
  sidereal[PointMidheaven].Longitude = ModReal(360, tropical[PointMidheaven].Longitude + offset);
  for (int code : {HousesPlacidus, HousesKoch, HousesCampanus, HousesPorphyry, HousesAlcabitius}) {
    ChartHouses a, b;
    a.HouseSystem = b.HouseSystem = static_cast<std::uint8_t>(code);
    ComputeHouses(a, tropical, 0.0, phi, eps, ramc);
    ComputeHouses(b, sidereal, offset, phi, eps, ramc);
    for (int i = 1; i <= 12; ++i)
      EXPECT_NEAR(ArcSeconds(b.Cusps[i], a.Cusps[i] + offset), 0.0, 1e-6) << code << " " << i;
  }
}

TEST(HouseOfTest, CuspsBelongToTheHouseTheyOpen) {
  std::array<double, 13> cusps{};
  for (int i = 1; i <= 12; ++i) cusps[i] = ModReal(360, 350 + 30.0 * (i - 1) + (i % 3));
  EXPECT_EQ(HouseOf(cusps, cusps[5]), 5);
  EXPECT_EQ(HouseOf(cusps, cusps[1]), 1);
  EXPECT_EQ(HouseOf(cusps, cusps[1] - 1e-9), 12);
  EXPECT_EQ(HouseOf(cusps, cusps[5] - 1e-9), 4);
  EXPECT_EQ(HouseOf(cusps, 0.5), 1);   // past 0 Aries, still in house 1
  EXPECT_EQ(HouseOf(cusps, 359.9), 1);
}

}  // namespace
}  // namespace korvana
