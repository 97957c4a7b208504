// The dominant element, mode and planet and the spread over the houses, on hand-made
// charts whose totals are worked out by hand in the comments.
#include "core/analysis/chart_emphasis.h"

#include <gtest/gtest.h>

#include "aspect_fixtures.h"
#include "classical_fixtures.h"
#include "core/analysis/chart_figures.h"

namespace korvana {
namespace {

// Places each point in the middle of a sign (1..12); sign 0 leaves it uncomputed.
struct Signs {
  int sun, moon, asc, mercury, venus, mars, jupiter, saturn, uranus, neptune, pluto;
};

CalculatedChart ChartInSigns(const Signs& s) {
  CalculatedChart c;
  const std::pair<int, int> placed[] = {{PointSun, s.sun},       {PointMoon, s.moon},       {PointAscendant, s.asc},
                                        {PointMercury, s.mercury}, {PointVenus, s.venus},   {PointMars, s.mars},
                                        {PointJupiter, s.jupiter}, {PointSaturn, s.saturn}, {PointUranus, s.uranus},
                                        {PointNeptune, s.neptune}, {PointPluto, s.pluto}};
  for (auto [point, sign] : placed)
    if (sign >= 1) c.Point(point) = testing::At((sign - 1) * 30.0 + 15.0);
  return c;
}

TEST(WeighElementsTest, WeightedTotalsAndTheTieRule) {
  struct Case {
    const char* name;
    Signs signs;
    bool timeKnown;
    std::array<int, 4> elements;
    std::array<int, 3> modes;
    int element, mode;
  };
  const Case cases[] = {
      // Fire: Sun 3 + Mercury 2 + Jupiter 1 + Pluto 1; water: Moon 3 + Ascendant 3 + Neptune 1.
      // The tie goes to the Sun's element.
      {"tie of fire and water", {1, 4, 4, 1, 2, 3, 5, 6, 7, 8, 9}, true, {7, 3, 3, 7}, {12, 4, 4}, 0, 0},
      {"without the Ascendant", {1, 4, 4, 1, 2, 3, 5, 6, 7, 8, 9}, false, {7, 3, 3, 4}, {9, 4, 4}, 0, 0},
      // Fire: Moon 3 + Mars 2 + Saturn 1; water: Mercury 2 + Venus 2 + Jupiter 1 + Pluto 1;
      // the Sun's earth is not tied, so the Moon's fire wins.
      {"tie broken by the Moon", {2, 5, 3, 8, 12, 9, 4, 1, 11, 7, 12}, true, {6, 3, 5, 6}, {3, 9, 8}, 0, 1},
      {"nothing computed", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, true, {0, 0, 0, 0}, {0, 0, 0}, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ElementBalance b = WeighElements(ChartInSigns(c.signs), c.timeKnown);
    EXPECT_EQ(b.elements, c.elements);
    EXPECT_EQ(b.modes, c.modes);
    EXPECT_EQ(b.dominantElement, c.element);
    EXPECT_EQ(b.dominantMode, c.mode);
  }
}

std::size_t Slot(int planet) {
  return static_cast<std::size_t>(std::find(FigurePlanets.begin(), FigurePlanets.end(), planet) - FigurePlanets.begin());
}

TEST(ScorePlanetsTest, RulersLightsAnglesDignityAndAspects) {
  const RulershipTables& tables = testing::ShippedTables();
  ASSERT_NE(tables.Scheme(tables.schemeT), nullptr);
  const RulershipScheme rulers = *tables.Scheme(tables.schemeT);
  const AspectSet set = testing::StandardSet();
  std::array<double, 13> cusps{};  // equal houses from 0 Aries: house n is sign n
  for (int h = 1; h <= 12; ++h) cusps[static_cast<std::size_t>(h)] = 30.0 * (h - 1);
  struct Case {
    const char* name;
    std::vector<std::pair<int, double>> points;
    bool timeKnown;
    int sun, moon, mars;  // expected scores
    int dominant;
  };
  const Case cases[] = {
      // Sun 15 Leo: ruler of its own sign 2, domicile 3.
      // Moon 15 Cancer, 4th house: the same 5, angular 2, opposition to Mars 1.
      // Mars 15 Capricorn, 10th house: chart ruler 4 (Aries rising), exalted 2, angular 2,
      // opposition to the Moon 1; the Midheaven at 275 is 10 degrees away.
      {"timed", {{PointSun, 135}, {PointMoon, 105}, {PointMars, 285}}, true, 5, 8, 9, PointMars},
      {"untimed: no chart ruler, no houses", {{PointSun, 135}, {PointMoon, 105}, {PointMars, 285}}, false, 5, 6, 3,
       PointMoon},
      // Mars a degree from the Midheaven: on the angle 2, conjunct the Midheaven 1, square
      // the Ascendant 1; 9 degrees from the opposition, the Moon loses its aspect.
      {"a planet on an angle", {{PointSun, 135}, {PointMoon, 105}, {PointMars, 276}}, true, 5, 7, 12, PointMars},
      // Sun exalted in Aries 2; Moon exalted in Taurus 2: the Sun wins the tie.
      {"a tie goes to the Sun", {{PointSun, 15}, {PointMoon, 45}}, false, 2, 2, 0, PointSun},
      // Mars in Libra, its detriment, with nothing else: a negative score still wins alone.
      {"a planet alone", {{PointMars, 195}}, false, 0, 0, -2, PointMars},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CalculatedChart chart;
    for (auto [p, lon] : c.points) chart.Point(p) = testing::At(lon);
    chart.Point(PointAscendant) = testing::At(5, 360);
    chart.Point(PointMidheaven) = testing::At(275, 360);
    PlanetScoreInputs in;
    in.aspects = &set;
    in.rulers = &rulers;
    if (c.timeKnown) in.cusps = &cusps;
    PlanetScores s = ScorePlanets(chart, in);
    EXPECT_EQ(s.scores[Slot(PointSun)], c.sun);
    EXPECT_EQ(s.scores[Slot(PointMoon)], c.moon);
    EXPECT_EQ(s.scores[Slot(PointMars)], c.mars);
    EXPECT_EQ(s.dominant, c.dominant);
  }
  EXPECT_EQ(ScorePlanets(CalculatedChart{}, PlanetScoreInputs{}).dominant, 0);
}

TEST(SpreadOverHousesTest, HalvesAndQuadrants) {
  std::array<double, 13> cusps{};
  for (int h = 1; h <= 12; ++h) cusps[static_cast<std::size_t>(h)] = 30.0 * (h - 1);
  struct Case {
    const char* name;
    std::array<int, 10> houses;  // house of each planet, Sun .. Pluto (0: not placed)
    int eastern, western, northern, southern;
    std::array<int, 4> quadrants;
    int quadrant;
  };
  const Case cases[] = {
      {"above the horizon", {7, 8, 8, 9, 10, 11, 12, 1, 2, 4}, 5, 5, 3, 7, {2, 1, 4, 3}, 3},
      {"east of the meridian", {10, 11, 12, 1, 2, 3, 10, 4, 5, 6}, 7, 3, 6, 4, {3, 3, 0, 4}, 4},
      {"a shared lead is no emphasis", {1, 2, 3, 1, 4, 5, 6, 4, 7, 10}, 5, 5, 8, 2, {4, 4, 1, 1}, 0},
      {"too few in the lead", {1, 2, 3, 4, 5, 7, 8, 10, 0, 0}, 4, 4, 5, 3, {3, 2, 2, 1}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CalculatedChart chart;
    for (std::size_t i = 0; i < 10; ++i)
      if (c.houses[i] > 0) chart.Point(FigurePlanets[i]) = testing::At(30.0 * (c.houses[i] - 1) + 10.0);
    HouseSpread s = SpreadOverHouses(chart, cusps);
    EXPECT_EQ(s.houses, c.houses);
    EXPECT_EQ(s.eastern, c.eastern);
    EXPECT_EQ(s.western, c.western);
    EXPECT_EQ(s.northern, c.northern);
    EXPECT_EQ(s.southern, c.southern);
    EXPECT_EQ(s.quadrants, c.quadrants);
    EXPECT_EQ(EmphasisedQuadrant(s), c.quadrant);
  }
}

}  // namespace
}  // namespace korvana
