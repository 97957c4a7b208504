// The point catalogue: the one table of what the program calls each chart point and how
// it draws its glyph. Charts, calculation, analysis, the report compiler, the English
// column of the report languages and the glyph drawing all read it; the Spanish,
// Norwegian and French names stay with the report language tables.
//
// The glyph codes are the symbol font's code space, where points take 182..217
// (181 + PointId), signs 130..139, 220 and 221, the retrograde mark 140 and aspects
// 141..166. The glyph text draws a code with an ordinary Unicode font (DejaVu Sans has
// every character used): the astrological symbol where there is one, otherwise a short
// abbreviation.
#pragma once

#include <array>
#include <string_view>

#include "core/points/point_id.h"

namespace korvana {

struct PointEntry {
  std::string_view longName;      // "The Moon", "Vulcan", "The Part of Fortune": report text
  std::string_view shortName;     // "Moon", "North Node": listings, tables, chart titles
  std::string_view abbreviation;  // "Mon", "MC", "EqA": lettered wheel points
  // The word report source texts name the point by. It differs from the short name on
  // purpose: the compiler reads words between blanks, so names of two words are written
  // as one ("NorthNode", "PartFortune", and "TheEarth" for the Earth). "East Point" keeps
  // its blank, so no word of a source text names that point.
  std::string_view keyword;
  int glyphCode;                  // 182..217
  std::string_view glyphText;     // UTF-8
};

// Indexed by PointId; slot 0 is the empty entry (empty texts, glyph code 0).
inline constexpr std::array<PointEntry, LastPoint + 1> PointCatalogue = {{
    {"", "", "", "", 0, ""},
    {"The Moon", "Moon", "Mon", "Moon", 182, "\u263D"},
    {"The Earth", "Earth", "Ear", "TheEarth", 183, "\u2641"},
    {"The Sun", "Sun", "Sun", "Sun", 184, "\u2609"},
    {"Vulcan", "Vulcan", "Vul", "Vulcan", 185, "Vc"},
    {"Mercury", "Mercury", "Mer", "Mercury", 186, "\u263F"},
    {"Venus", "Venus", "Ven", "Venus", 187, "\u2640"},
    {"Mars", "Mars", "Mar", "Mars", 188, "\u2642"},
    {"Jupiter", "Jupiter", "Jup", "Jupiter", 189, "\u2643"},
    {"Saturn", "Saturn", "Sat", "Saturn", 190, "\u2644"},
    {"Uranus", "Uranus", "Ura", "Uranus", 191, "\u2645"},
    {"Neptune", "Neptune", "Nep", "Neptune", 192, "\u2646"},
    {"Pluto", "Pluto", "Plu", "Pluto", 193, "\u2647"},
    {"Chiron", "Chiron", "Chi", "Chiron", 194, "\u26B7"},
    {"Vesta", "Vesta", "Ves", "Vesta", 195, "\u26B6"},
    {"Pallas", "Pallas", "Pal", "Pallas", 196, "\u26B4"},
    {"Juno", "Juno", "Jun", "Juno", 197, "\u26B5"},
    {"Ceres", "Ceres", "Cer", "Ceres", 198, "\u26B3"},
    {"Hygeia", "Hygeia", "Hyg", "Hygeia", 199, "Hy"},
    {"Astraea", "Astraea", "Ast", "Astraea", 200, "At"},
    {"The North Node", "North Node", "NNo", "NorthNode", 201, "\u260A"},
    {"The South Node", "South Node", "SNo", "SouthNode", 202, "\u260B"},
    {"The Ascendant", "Ascendant", "Asc", "Ascendant", 203, "AC"},
    {"The Midheaven", "Midheaven", "MC", "Midheaven", 204, "MC"},
    {"The Vertex", "Vertex", "Vtx", "Vertex", 205, "Vx"},
    {"The East Point", "East Point", "EqA", "East Point", 206, "Ep"},
    {"The Part of Fortune", "Part of Fortune", "PF", "PartFortune", 207, "\u2297"},
    {"Cupido", "Cupido", "Cup", "Cupido", 208, "Cu"},
    {"Hades", "Hades", "Had", "Hades", 209, "Ha"},
    {"Zeus", "Zeus", "Zeu", "Zeus", 210, "Ze"},
    {"Kronos", "Kronos", "Kro", "Kronos", 211, "Kr"},
    {"Apollon", "Apollon", "Apo", "Apollon", 212, "Ap"},
    {"Admetos", "Admetos", "Adm", "Admetos", 213, "Ad"},
    {"Vulcanus", "Vulcanus", "Vus", "Vulcanus", 214, "Vu"},
    {"Poseidon", "Poseidon", "Pos", "Poseidon", 215, "Po"},
    {"TransPluto", "TransPluto", "TPl", "TransPluto", 216, "TP"},
    {"Lilith", "Lilith", "Lil", "Lilith", 217, "\u26B8"},
}};

// The entry of a point; the empty entry for a number outside 1..36.
constexpr const PointEntry& PointEntryOf(int id) { return PointCatalogue[IsPointId(id) ? id : 0]; }

// One field of the entry; "" (or glyph code 0) for a number outside 1..36.
constexpr std::string_view PointLongName(int id) { return PointEntryOf(id).longName; }
constexpr std::string_view PointShortName(int id) { return PointEntryOf(id).shortName; }
constexpr std::string_view PointAbbrev(int id) { return PointEntryOf(id).abbreviation; }
constexpr std::string_view PointKeyword(int id) { return PointEntryOf(id).keyword; }
constexpr int PointGlyph(int id) { return PointEntryOf(id).glyphCode; }

// The point whose glyph code this is; 0 for a code that is no point's glyph.
constexpr int PointOfGlyph(int glyphCode) {
  for (int id = FirstPoint; id <= LastPoint; ++id)
    if (PointCatalogue[id].glyphCode == glyphCode) return id;
  return 0;
}

// The text that draws a point glyph code; "" for a code that is no point's glyph.
constexpr std::string_view PointGlyphText(int glyphCode) {
  return PointEntryOf(PointOfGlyph(glyphCode)).glyphText;
}

// One text field of points 1..36 as a list from the Moon (point n at index n - 1), for
// tables laid out that way: PointColumn(&PointEntry::shortName).
constexpr std::array<std::string_view, LastPoint> PointColumn(std::string_view PointEntry::*field) {
  std::array<std::string_view, LastPoint> column{};
  for (int id = FirstPoint; id <= LastPoint; ++id) column[id - 1] = PointCatalogue[id].*field;
  return column;
}

// The point whose short name, long name or abbreviation equals the text without regard to
// case ("moon", "The Moon", "MON"); 0 when none does. Keywords are not matched.
int PointIdOfName(std::string_view name);

}  // namespace korvana
