// The midpoint composite: circular means, the anchor rules and the cusps turned past
// 180 degrees.
#include <gtest/gtest.h>

#include <vector>

#include "core/derived/composite.h"
#include "core/time/angle_math.h"

namespace korvana {
namespace {

// A chart with only the points and cusps a composite reads: every cusp 30 degrees after
// the one before from `firstCusp` plus `cuspOffset(k)`.
CalculatedChart Synthetic(double firstCusp, double (*cuspOffset)(int)) {
  CalculatedChart c;
  c.Chart.Name = "Synthetic";
  for (int k = 1; k <= 12; ++k) c.Houses.Cusps[static_cast<std::size_t>(k)] = Mod360(firstCusp + 30 * (k - 1) + cuspOffset(k));
  return c;
}

double NoOffset(int) { return 0; }
// Alternately 178 and 182 degrees on: the midpoints jump to the far side every other cusp.
double AlternatingOffset(int k) { return k % 2 == 1 ? 178 : 182; }

TEST(CircularMeanTest, TakesTheShorterArcAcrossZeroAries) {
  struct Case {
    std::vector<double> longitudes;
    double mean;
  };
  const Case cases[] = {
      {{350, 10}, 0},        {{10, 350}, 0},         {{100, 200}, 150},      {{359.5, 0.5}, 0},
      {{350, 0, 10}, 0},     {{300, 330, 60}, 350},  {{42}, 42},             {{179, 181}, 180},
      {{0, 180}, 270},  // opposite points: the start after the first of the two equal gaps
  };
  for (const Case& c : cases) {
    const double m = CircularMean(c.longitudes);
    EXPECT_NEAR(SignedMod(360, m - c.mean), 0, 1e-9) << c.longitudes[0] << " " << m;
  }
}

TEST(CompositeTest, SunsAt350And10GiveZeroAriesAndEveryValueIsAMean) {
  CalculatedChart a = Synthetic(0, NoOffset);
  CalculatedChart b = Synthetic(0, NoOffset);
  a.Point(PointSun) = {350, 1.0, 0.98, 1.01, 0, 0};
  b.Point(PointSun) = {10, -0.5, 1.01, 0.99, 0, 0};
  a.Equatorial[PointSun] = {351, -4};
  b.Equatorial[PointSun] = {9, 2};
  a.Point(PointMars) = {120, 1, 1, 0.5, 0, 0};  // Mars missing from the second chart
  const CalculatedChart c = MakeComposite(a, b, AnchorFirstHouse);
  EXPECT_NEAR(SignedMod(360, c.Longitude(PointSun)), 0, 1e-9) << c.Longitude(PointSun);
  EXPECT_DOUBLE_EQ(c.Point(PointSun).Latitude, 0.25);
  EXPECT_EQ(c.Point(PointSun).LongitudeSpeed, 0.0);
  EXPECT_NEAR(SignedMod(360, c.Equatorial[PointSun].RightAscension), 0, 1e-9);
  EXPECT_DOUBLE_EQ(c.Equatorial[PointSun].Declination, -1);
  EXPECT_FALSE(c.Point(PointMars).Computed());
  EXPECT_EQ(c.Chart.Name, "Combined");
  EXPECT_EQ(c.Chart.ChartType, ChartTypeCombined);
  EXPECT_EQ(c.Chart.ChartSubType, CompositeMidpoints);
}

TEST(CompositeTest, CuspsRunForwardFromTheAnchorTurningMidpointsOnTheFarSide) {
  const CalculatedChart a = Synthetic(0, NoOffset);
  const CalculatedChart b = Synthetic(0, AlternatingOffset);
  // Raw midpoints are 89 after cusp k for odd k and 89 before it for even k; every other
  // one is turned to the far side, so the cusps alternate 89 and 91 degrees from the
  // first chart's, on the side the anchor cusp sets.
  const std::array<double, 13> onFirst = CompositeCusps(a.Houses.Cusps, b.Houses.Cusps, 1);
  const std::array<double, 13> onTenth = CompositeCusps(a.Houses.Cusps, b.Houses.Cusps, 10);
  for (int k = 1; k <= 12; ++k) {
    const auto i = static_cast<std::size_t>(k);
    EXPECT_NEAR(onFirst[i], Mod360(30 * (k - 1) + (k % 2 == 1 ? 89 : 91)), 1e-9) << k;
    EXPECT_NEAR(onTenth[i], Mod360(30 * (k - 1) - (k % 2 == 0 ? 89 : 91)), 1e-9) << k;
  }
}

TEST(CompositeTest, TheAnchorFollowsTheSettingOrTheCloserAngles) {
  struct Case {
    const char* what;
    double ascB, mcB;
    int setting;
    int anchor;
  };
  // The first chart has its Ascendant at 0 and its Midheaven at 270.
  const Case cases[] = {
      {"Ascendants 179 apart, Midheavens 10: Asc before MC, anchored on the 10th", 181, 280, AnchorAutomatic, 10},
      {"the same anchored on the 1st by the setting", 181, 280, AnchorFirstHouse, 1},
      {"the same anchored on the 10th by the setting", 181, 280, AnchorTenthHouse, 10},
      {"Asc before MC but the Ascendants closer", 10, 100, AnchorAutomatic, 1},
      {"Asc after MC", 20, 280, AnchorAutomatic, 1},
      {"an unknown setting counts as automatic", 181, 280, 7, 10},
  };
  for (const Case& c : cases) {
    CalculatedChart a = Synthetic(0, NoOffset);
    CalculatedChart b = Synthetic(0, AlternatingOffset);
    a.Point(PointAscendant).Longitude = 0;
    a.Point(PointMidheaven).Longitude = 270;
    b.Point(PointAscendant).Longitude = c.ascB;
    b.Point(PointMidheaven).Longitude = c.mcB;
    const CalculatedChart composite = MakeComposite(a, b, c.setting);
    const double firstCusp = c.anchor == 10 ? Mod360(-91) : 89;
    EXPECT_NEAR(composite.Houses.Cusps[1], firstCusp, 1e-9) << c.what;
    EXPECT_EQ(composite.Longitude(PointAscendant), composite.Houses.Cusps[1]) << c.what;
  }
}

}  // namespace
}  // namespace korvana
