#include "core/points/point_catalogue.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

namespace korvana {
namespace {

// What users see of each point: the names printed in reports and listings, the word report
// source texts use, and the glyph code with the text that draws it. These are the texts
// shipped reports and chart titles were written with; a change here changes every report.
struct PointCase {
  int id;
  const char* longName;
  const char* shortName;
  const char* abbreviation;
  const char* keyword;
  int glyphCode;
  const char* glyphText;
};

constexpr PointCase Cases[] = {
    {PointMoon, "The Moon", "Moon", "Mon", "Moon", 182, "\u263D"},
    {PointEarth, "The Earth", "Earth", "Ear", "TheEarth", 183, "\u2641"},
    {PointSun, "The Sun", "Sun", "Sun", "Sun", 184, "\u2609"},
    {PointVulcan, "Vulcan", "Vulcan", "Vul", "Vulcan", 185, "Vc"},
    {PointMercury, "Mercury", "Mercury", "Mer", "Mercury", 186, "\u263F"},
    {PointVenus, "Venus", "Venus", "Ven", "Venus", 187, "\u2640"},
    {PointMars, "Mars", "Mars", "Mar", "Mars", 188, "\u2642"},
    {PointJupiter, "Jupiter", "Jupiter", "Jup", "Jupiter", 189, "\u2643"},
    {PointSaturn, "Saturn", "Saturn", "Sat", "Saturn", 190, "\u2644"},
    {PointUranus, "Uranus", "Uranus", "Ura", "Uranus", 191, "\u2645"},
    {PointNeptune, "Neptune", "Neptune", "Nep", "Neptune", 192, "\u2646"},
    {PointPluto, "Pluto", "Pluto", "Plu", "Pluto", 193, "\u2647"},
    {PointChiron, "Chiron", "Chiron", "Chi", "Chiron", 194, "\u26B7"},
    {PointVesta, "Vesta", "Vesta", "Ves", "Vesta", 195, "\u26B6"},
    {PointPallas, "Pallas", "Pallas", "Pal", "Pallas", 196, "\u26B4"},
    {PointJuno, "Juno", "Juno", "Jun", "Juno", 197, "\u26B5"},
    {PointCeres, "Ceres", "Ceres", "Cer", "Ceres", 198, "\u26B3"},
    {PointHygeia, "Hygeia", "Hygeia", "Hyg", "Hygeia", 199, "Hy"},
    {PointAstraea, "Astraea", "Astraea", "Ast", "Astraea", 200, "At"},
    {PointNorthNode, "The North Node", "North Node", "NNo", "NorthNode", 201, "\u260A"},
    {PointSouthNode, "The South Node", "South Node", "SNo", "SouthNode", 202, "\u260B"},
    {PointAscendant, "The Ascendant", "Ascendant", "Asc", "Ascendant", 203, "AC"},
    {PointMidheaven, "The Midheaven", "Midheaven", "MC", "Midheaven", 204, "MC"},
    {PointVertex, "The Vertex", "Vertex", "Vtx", "Vertex", 205, "Vx"},
    {PointEastPoint, "The East Point", "East Point", "EqA", "East Point", 206, "Ep"},
    {PointPartOfFortune, "The Part of Fortune", "Part of Fortune", "PF", "PartFortune", 207, "\u2297"},
    {PointCupido, "Cupido", "Cupido", "Cup", "Cupido", 208, "Cu"},
    {PointHades, "Hades", "Hades", "Had", "Hades", 209, "Ha"},
    {PointZeus, "Zeus", "Zeus", "Zeu", "Zeus", 210, "Ze"},
    {PointKronos, "Kronos", "Kronos", "Kro", "Kronos", 211, "Kr"},
    {PointApollon, "Apollon", "Apollon", "Apo", "Apollon", 212, "Ap"},
    {PointAdmetos, "Admetos", "Admetos", "Adm", "Admetos", 213, "Ad"},
    {PointVulcanus, "Vulcanus", "Vulcanus", "Vus", "Vulcanus", 214, "Vu"},
    {PointPoseidon, "Poseidon", "Poseidon", "Pos", "Poseidon", 215, "Po"},
    {PointTransPluto, "TransPluto", "TransPluto", "TPl", "TransPluto", 216, "TP"},
    {PointLilith, "Lilith", "Lilith", "Lil", "Lilith", 217, "\u26B8"},
};

TEST(PointCatalogue, EveryPointAsUsersSeeIt) {
  std::set<int> seen;
  for (const PointCase& c : Cases) {
    SCOPED_TRACE(c.id);
    seen.insert(c.id);
    EXPECT_EQ(PointLongName(c.id), c.longName);
    EXPECT_EQ(PointShortName(c.id), c.shortName);
    EXPECT_EQ(PointAbbrev(c.id), c.abbreviation);
    EXPECT_EQ(PointKeyword(c.id), c.keyword);
    EXPECT_EQ(PointGlyph(c.id), c.glyphCode);
    EXPECT_EQ(PointGlyphText(c.glyphCode), c.glyphText);
    EXPECT_EQ(PointOfGlyph(c.glyphCode), c.id);
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(LastPoint));
}

TEST(PointCatalogue, ColumnsListPointsFromTheMoon) {
  const auto shortNames = PointColumn(&PointEntry::shortName);
  const auto keywords = PointColumn(&PointEntry::keyword);
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    EXPECT_EQ(shortNames[static_cast<std::size_t>(id - 1)], PointShortName(id)) << id;
    EXPECT_EQ(keywords[static_cast<std::size_t>(id - 1)], PointKeyword(id)) << id;
  }
}

TEST(PointCatalogue, NumbersOutsideThePointsGiveTheEmptyEntry) {
  for (int id : {0, -1, LastPoint + 1, 100, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(PointLongName(id), "");
    EXPECT_EQ(PointShortName(id), "");
    EXPECT_EQ(PointAbbrev(id), "");
    EXPECT_EQ(PointKeyword(id), "");
    EXPECT_EQ(PointGlyph(id), 0);
  }
}

TEST(PointCatalogue, CodesThatAreNoPointGlyph) {
  // Either side of the point range, a sign, the retrograde mark, an aspect, and 0 (the
  // glyph code of the empty entry, which must not find a point).
  for (int code : {181, 218, 220, 130, 140, 141, 0, -182, 182 + 256}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(PointOfGlyph(code), 0);
    EXPECT_EQ(PointGlyphText(code), "");
  }
}

// Also shows that no two points share a name: the later one would give the earlier id.
TEST(PointIdOfName, FindsEveryNameWithoutRegardToCase) {
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    SCOPED_TRACE(id);
    EXPECT_EQ(PointIdOfName(PointShortName(id)), id);
    EXPECT_EQ(PointIdOfName(PointLongName(id)), id);
    EXPECT_EQ(PointIdOfName(PointAbbrev(id)), id);
  }
  EXPECT_EQ(PointIdOfName("the north node"), PointNorthNode);
  EXPECT_EQ(PointIdOfName("MON"), PointMoon);
  EXPECT_EQ(PointIdOfName("part of FORTUNE"), PointPartOfFortune);
}

TEST(PointIdOfName, UnknownTextsAndKeywordsFindNothing) {
  // Keywords are the compiler's words, not names: "NorthNode" has no blank.
  for (const char* text : {"", "Moo", "Moon ", "NorthNode", "PartFortune", "Eros", "The"})
    EXPECT_EQ(PointIdOfName(text), 0) << '"' << text << '"';
}

}  // namespace
}  // namespace korvana
