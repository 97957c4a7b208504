// The chart points, numbered 1 to 36, and their names. Every table of point data in the
// program (names, glyph codes, colours, orbs, wheel selections) is indexed by PointId.
#pragma once

#include <array>
#include <string_view>

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

// Name tables indexed by PointId; slot 0 is empty.
// "The Moon", "The Earth", "The Sun", "Vulcan", ... "The North Node", ... "Lilith".
extern const std::array<std::string_view, LastPoint + 1> PointLongNames;
// "Moon", "Earth", "Sun", ... "North Node", "South Node", "Ascendant", ... "Lilith".
extern const std::array<std::string_view, LastPoint + 1> PointShortNames;
// "Mon", "Ear", "Sun", "Vul", ... "MC", "Vtx", "EqA", "PF", ... "TPl", "Lil".
extern const std::array<std::string_view, LastPoint + 1> PointAbbrevs;

// The names of a point; "" for a number outside 1..36.
std::string_view PointLongName(int id);
std::string_view PointShortName(int id);
std::string_view PointAbbrev(int id);

// The glyph character of a point in the symbol font: 181 + id (182..217); 0 outside 1..36.
int PointGlyph(int id);

// The point whose short or long name or abbreviation equals the text (without regard to
// case, "The " optional); 0 when none does.
int PointIdOfName(std::string_view name);

}  // namespace korvana
