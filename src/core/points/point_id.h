// The chart points, numbered 1 to 36. Every table of point data in the program (names and
// glyph codes in point_catalogue.h, colours, orbs, wheel selections) is indexed by PointId.
#pragma once

namespace korvana {

enum PointId : int {
  PointMoon = 1,
  PointEarth = 2,
  PointSun = 3,
  PointVulcan = 4,
  PointMercury = 5,
  PointVenus = 6,
  PointMars = 7,
  PointJupiter = 8,
  PointSaturn = 9,
  PointUranus = 10,
  PointNeptune = 11,
  PointPluto = 12,
  PointChiron = 13,
  PointVesta = 14,
  PointPallas = 15,
  PointJuno = 16,
  PointCeres = 17,
  PointHygeia = 18,
  PointAstraea = 19,
  PointNorthNode = 20,
  PointSouthNode = 21,
  PointAscendant = 22,
  PointMidheaven = 23,
  PointVertex = 24,
  PointEastPoint = 25,
  PointPartOfFortune = 26,
  PointCupido = 27,
  PointHades = 28,
  PointZeus = 29,
  PointKronos = 30,
  PointApollon = 31,
  PointAdmetos = 32,
  PointVulcanus = 33,
  PointPoseidon = 34,
  PointTransPluto = 35,
  PointLilith = 36
};

constexpr int FirstPoint = 1;
constexpr int LastPoint = 36;  // the same number as PointCount of the program settings

constexpr bool IsPointId(int id) { return id >= FirstPoint && id <= LastPoint; }

// The points cast from the moment's sidereal time (the angles, and the Part of Fortune
// from the Ascendant): unknown when the birth time is.
constexpr bool NeedsBirthTime(int id) { return id >= PointAscendant && id <= PointPartOfFortune; }

}  // namespace korvana
