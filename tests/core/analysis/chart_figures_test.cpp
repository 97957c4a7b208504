// Aspect figures over small hand-made charts: each case places a few points and lists
// every figure the finder must report, in its order, and nothing else.
#include "core/analysis/chart_figures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "aspect_fixtures.h"

namespace korvana {
namespace {

struct Placed {
  int point;
  double longitude;
};

// Equal houses from the Ascendant, which is placed with the Midheaven 270 degrees on.
std::array<double, 13> EqualCusps(double asc) {
  std::array<double, 13> cusps{};
  for (int h = 1; h <= 12; ++h) cusps[static_cast<std::size_t>(h)] = std::fmod(asc + 30.0 * (h - 1), 360.0);
  return cusps;
}

std::string Name(int id) {
  switch (id) {
    case PointSun: return "Sun";
    case PointMoon: return "Moon";
    case PointMercury: return "Mercury";
    case PointVenus: return "Venus";
    case PointMars: return "Mars";
    case PointJupiter: return "Jupiter";
    case PointSaturn: return "Saturn";
    case PointPluto: return "Pluto";
    case PointAscendant: return "Ascendant";
    case PointMidheaven: return "Midheaven";
    default: return "#" + std::to_string(id);
  }
}

std::string Describe(const ChartFigure& f) {
  static const char* kinds[] = {"", "Stellium", "TSquare", "GrandTrine", "GrandCross", "Yod", "Kite"};
  std::string s = kinds[static_cast<int>(f.kind)];
  if (f.sign) s += " sign " + std::to_string(f.sign);
  if (f.house) s += " house " + std::to_string(f.house);
  s += ":";
  for (int id : f.members) s += " " + Name(id);
  if (f.focus) s += " > " + Name(f.focus);
  return s;
}

TEST(FindFiguresTest, FiguresOfHandMadeCharts) {
  struct Case {
    const char* name;
    std::vector<Placed> points;
    double ascendant;  // < 0: the birth time is unknown
    std::vector<std::string> figures;
  };
  const Case cases[] = {
      {"lone planets", {{PointSun, 10}, {PointMoon, 200}}, 0, {}},
      {"three planets in Capricorn",
       {{PointSun, 280}, {PointMercury, 285}, {PointVenus, 295}, {PointMoon, 100}},
       -1,
       {"Stellium sign 10: Sun Mercury Venus"}},
      {"the Node never makes up a stellium",
       {{PointSun, 280}, {PointMercury, 285}, {PointNorthNode, 290}},
       -1,
       {}},
      {"three planets in one house across a sign boundary",
       {{PointSun, 20}, {PointMercury, 35}, {PointVenus, 40}},
       15,
       {"Stellium house 1: Sun Mercury Venus"}},
      {"without the birth time no stellium by house",
       {{PointSun, 20}, {PointMercury, 35}, {PointVenus, 40}},
       -1,
       {}},
      {"T-square", {{PointMars, 0}, {PointSaturn, 181}, {PointMoon, 91}}, -1, {"TSquare: Mars Saturn Moon > Moon"}},
      {"a square beyond the set's orb makes no T-square",
       {{PointMars, 0}, {PointSaturn, 180}, {PointMercury, 97}},
       -1,
       {}},
      {"grand cross holds its T-squares",
       {{PointSun, 0}, {PointMoon, 90}, {PointMars, 180}, {PointJupiter, 270}},
       -1,
       {"GrandCross: Sun Moon Mars Jupiter"}},
      {"grand trine", {{PointSun, 0}, {PointJupiter, 121}, {PointSaturn, 239}}, -1, {"GrandTrine: Sun Jupiter Saturn"}},
      {"kite: a grand trine with a planet opposite one corner",
       {{PointSun, 0}, {PointJupiter, 120}, {PointSaturn, 240}, {PointVenus, 180}},
       -1,
       {"GrandTrine: Sun Jupiter Saturn", "Kite: Jupiter Saturn Venus Sun > Sun"}},
      {"yod", {{PointMercury, 0}, {PointVenus, 60}, {PointPluto, 210}}, -1, {"Yod: Mercury Venus Pluto > Pluto"}},
      {"the Midheaven as the apex of a yod", {{PointMercury, 30}, {PointVenus, 90}}, 330,
       {"Yod: Mercury Venus Midheaven > Midheaven"}},
      {"no angle without the birth time", {{PointMercury, 30}, {PointVenus, 90}}, -1, {}},
      {"the Ascendant as the apex of a T-square", {{PointMars, 90}, {PointSaturn, 270}}, 0,
       {"TSquare: Mars Saturn Ascendant > Ascendant"}},
  };
  const AspectSet set = testing::StandardSet();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CalculatedChart chart;
    for (const Placed& p : c.points) chart.Point(p.point) = testing::At(p.longitude);
    FigureInputs in;
    in.aspects = &set;
    std::array<double, 13> cusps{};
    if (c.ascendant >= 0) {
      cusps = EqualCusps(c.ascendant);
      chart.Point(PointAscendant) = testing::At(c.ascendant, 360);
      chart.Point(PointMidheaven) = testing::At(std::fmod(c.ascendant + 270, 360.0), 360);
      in.cusps = &cusps;
    }
    std::vector<std::string> found;
    for (const ChartFigure& f : FindFigures(chart, in)) found.push_back(Describe(f));
    EXPECT_EQ(found, c.figures);
  }
}

TEST(FindFiguresTest, WithoutAspectsOnlyStelliumsAndTheKiteCoreIsItsTrine) {
  CalculatedChart chart;
  for (auto [p, lon] : {std::pair{PointSun, 0.0}, {PointJupiter, 120.0}, {PointSaturn, 240.0}, {PointVenus, 180.0},
                        {PointMars, 18.0}, {PointMercury, 24.0}})
    chart.Point(p) = testing::At(lon);
  FigureInputs none;
  std::vector<ChartFigure> stelliums = FindFigures(chart, none);
  ASSERT_EQ(stelliums.size(), 1u);
  EXPECT_EQ(Describe(stelliums[0]), "Stellium sign 1: Sun Mercury Mars");

  const AspectSet set = testing::StandardSet();
  FigureInputs in;
  in.aspects = &set;
  int kites = 0;
  for (const ChartFigure& f : FindFigures(chart, in))
    if (f.kind == FigureKind::Kite) {
      ++kites;
      std::vector<int> core = FigureCore(f);
      std::sort(core.begin(), core.end());
      EXPECT_EQ(core, (std::vector<int>{PointSun, PointJupiter, PointSaturn})) << Describe(f);
    }
  EXPECT_EQ(kites, 1);
}

}  // namespace
}  // namespace korvana
