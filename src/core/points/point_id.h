// The chart points, numbered 1 to 36. Every table of point data in the program (names and
// glyph codes in point_catalogue.h, colours, orbs, wheel selections) is indexed by PointId.
#pragma once

namespace korvana {

enum PointId : int {
  ptMoon = 1,
  ptEarth = 2,
  ptSun = 3,
  ptVulcan = 4,
  ptMercury = 5,
  ptVenus = 6,
  ptMars = 7,
  ptJupiter = 8,
  ptSaturn = 9,
  ptUranus = 10,
  ptNeptune = 11,
  ptPluto = 12,
  ptChiron = 13,
  ptVesta = 14,
  ptPallas = 15,
  ptJuno = 16,
  ptCeres = 17,
  ptHygeia = 18,
  ptAstraea = 19,
  ptNorthNode = 20,
  ptSouthNode = 21,
  ptAscendant = 22,
  ptMidheaven = 23,
  ptVertex = 24,
  ptEastPoint = 25,
  ptPartOfFortune = 26,
  ptCupido = 27,
  ptHades = 28,
  ptZeus = 29,
  ptKronos = 30,
  ptApollon = 31,
  ptAdmetos = 32,
  ptVulcanus = 33,
  ptPoseidon = 34,
  ptTransPluto = 35,
  ptLilith = 36
};

constexpr int FirstPoint = 1;
constexpr int LastPoint = 36;  // the same number as PointCount of the program settings

constexpr bool IsPointId(int id) { return id >= FirstPoint && id <= LastPoint; }

}  // namespace korvana
