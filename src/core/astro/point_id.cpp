#include "core/astro/point_id.h"

#include "core/config/program_settings.h"
#include "core/util/text.h"

namespace korvana {

static_assert(LastPoint == PointCount, "the point tables and the settings tables must agree");

const std::array<std::string_view, LastPoint + 1> PointLongNames = {
    "",
    "The Moon", "The Earth", "The Sun", "Vulcan", "Mercury", "Venus", "Mars", "Jupiter",
    "Saturn", "Uranus", "Neptune", "Pluto", "Chiron", "Vesta", "Pallas", "Juno", "Ceres",
    "Hygeia", "Astraea", "The North Node", "The South Node", "The Ascendant",
    "The Midheaven", "The Vertex", "The East Point", "The Part of Fortune", "Cupido",
    "Hades", "Zeus", "Kronos", "Apollon", "Admetos", "Vulcanus", "Poseidon", "TransPluto",
    "Lilith"};

const std::array<std::string_view, LastPoint + 1> PointShortNames = {
    "",
    "Moon", "Earth", "Sun", "Vulcan", "Mercury", "Venus", "Mars", "Jupiter", "Saturn",
    "Uranus", "Neptune", "Pluto", "Chiron", "Vesta", "Pallas", "Juno", "Ceres", "Hygeia",
    "Astraea", "North Node", "South Node", "Ascendant", "Midheaven", "Vertex",
    "East Point", "Part of Fortune", "Cupido", "Hades", "Zeus", "Kronos", "Apollon",
    "Admetos", "Vulcanus", "Poseidon", "TransPluto", "Lilith"};

const std::array<std::string_view, LastPoint + 1> PointAbbrevs = {
    "",
    "Mon", "Ear", "Sun", "Vul", "Mer", "Ven", "Mar", "Jup", "Sat", "Ura", "Nep", "Plu",
    "Chi", "Ves", "Pal", "Jun", "Cer", "Hyg", "Ast", "NNo", "SNo", "Asc", "MC", "Vtx",
    "EqA", "PF", "Cup", "Had", "Zeu", "Kro", "Apo", "Adm", "Vus", "Pos", "TPl", "Lil"};

std::string_view PointLongName(int id) { return IsPointId(id) ? PointLongNames[id] : ""; }
std::string_view PointShortName(int id) { return IsPointId(id) ? PointShortNames[id] : ""; }
std::string_view PointAbbrev(int id) { return IsPointId(id) ? PointAbbrevs[id] : ""; }
int PointGlyph(int id) { return IsPointId(id) ? 181 + id : 0; }

int PointIdOfName(std::string_view name) {
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    if (EqualsNoCase(name, PointShortNames[id]) || EqualsNoCase(name, PointLongNames[id]) ||
        EqualsNoCase(name, PointAbbrevs[id]))
      return id;
  }
  return 0;
}

}  // namespace korvana
