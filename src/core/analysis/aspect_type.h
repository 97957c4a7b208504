// The aspect numbering shared by aspect files, the aspect name tables, interpretation
// files and dynamic reports: 1 Conjunction .. 26 ContraParallel.
//
// The English names here are the defaults that aspect files and tools use when nothing
// else names an aspect; the translated names live with the report phrase tables.
#pragma once

#include <array>
#include <string_view>

namespace korvana {

enum class AspectType : int {
  Conjunction = 1,
  Opposition,
  Trine,
  Square,
  Sextile,
  Semisquare,
  Sesquisquare,
  Semisextile,
  Quincunx,
  Quintile,
  BiQuintile,
  SemiQuintile,
  SesquiQuintile,
  Septile,
  BiSeptile,
  TriSeptile,
  Novile,
  BiNovile,
  QuadriNovile,
  Undecagon,
  BiUndecagon,
  TriUndecagon,
  QuadriUndecagon,
  QuinqueUndecagon,
  Parallel,
  ContraParallel
};

constexpr int FirstAspectType = 1;
constexpr int LastAspectType = 26;

constexpr bool IsAspectType(int n) { return n >= FirstAspectType && n <= LastAspectType; }

// English names by aspect number; slot 0 is empty.
inline constexpr std::array<std::string_view, LastAspectType + 1> AspectTypeNames = {
    "",           "Conjunction",      "Opposition",      "Trine",          "Square",
    "Sextile",    "Semisquare",       "Sesquisquare",    "Semisextile",    "Quincunx",
    "Quintile",   "BiQuintile",       "SemiQuintile",    "SesquiQuintile", "Septile",
    "BiSeptile",  "TriSeptile",       "Novile",          "BiNovile",       "QuadriNovile",
    "Undecagon",  "BiUndecagon",      "TriUndecagon",    "QuadriUndecagon", "QuinqueUndecagon",
    "Parallel",   "ContraParallel"};

// The English name of an aspect number; "" outside 1..26.
constexpr std::string_view AspectTypeName(int n) {
  return IsAspectType(n) ? AspectTypeNames[static_cast<std::size_t>(n)] : std::string_view();
}

}  // namespace korvana
