// Glyph codes of the aspects and the symbols they stand for.
//
// An aspect record stores the one-byte code of its glyph in the symbol font's code
// space, where points take 182..217, signs 130..139, 220 and 221, and the retrograde
// mark 140. Aspects take 151..176: code 150 + aspect number. The table below gives the
// text that draws each aspect code with an ordinary Unicode font (DejaVu Sans has every
// character used): the astrological symbol where the font has one, otherwise the sign
// or letters astrologers commonly write for that aspect.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/analysis/aspect_type.h"

namespace korvana {

constexpr int AspectGlyphBase = 150;

// The glyph code of an aspect number (151..176); 0 outside 1..26.
constexpr int AspectGlyphCode(int aspectType) {
  return IsAspectType(aspectType) ? AspectGlyphBase + aspectType : 0;
}

// UTF-8 text of each aspect glyph, indexed by aspect number (slot 0 empty).
inline constexpr std::array<std::string_view, LastAspectType + 1> AspectGlyphTexts = {
    "",
    "\u260C",        // Conjunction
    "\u260D",        // Opposition
    "\u25B3",        // Trine
    "\u25A1",        // Square
    "\u2736",        // Sextile (six-pointed star)
    "\u2220",        // Semisquare
    "\u25A1\u2220",  // Sesquisquare (square and a half)
    "\u22BB",        // Semisextile
    "\u22BC",        // Quincunx
    "Q",             // Quintile
    "bQ",            // BiQuintile
    "\u22A5",        // SemiQuintile (decile)
    "\u00B1",        // SesquiQuintile (tridecile)
    "S",             // Septile
    "2S",            // BiSeptile
    "3S",            // TriSeptile
    "N",             // Novile
    "2N",            // BiNovile
    "4N",            // QuadriNovile
    "U",             // Undecagon
    "2U",            // BiUndecagon
    "3U",            // TriUndecagon
    "4U",            // QuadriUndecagon
    "5U",            // QuinqueUndecagon
    "\u2225",        // Parallel
    "\u22D5",        // ContraParallel
};

// The text that draws an aspect glyph code; "" for a code that is not an aspect glyph.
constexpr std::string_view AspectGlyphText(int glyphCode) {
  int n = glyphCode - AspectGlyphBase;
  return IsAspectType(n) ? AspectGlyphTexts[static_cast<std::size_t>(n)] : std::string_view();
}

}  // namespace korvana
