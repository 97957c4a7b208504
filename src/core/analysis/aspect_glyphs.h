// Glyph codes of the aspects and the symbols they stand for.
//
// An aspect record stores the one-byte code of its glyph in the symbol font's code
// space, where points take 182..217, signs 130..139, 220 and 221, and the retrograde
// mark 140. Aspects take 141..166: code 140 + aspect number. The table below gives the
// text that draws each aspect code with an ordinary Unicode font (DejaVu Sans has every
// character used): the astrological symbol where the font has one, otherwise a short
// abbreviation. It is the same table that the render layer's glyph text uses.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/analysis/aspect_type.h"

namespace korvana {

// The glyph code of aspect n is AspectGlyphOffset + n.
constexpr int AspectGlyphOffset = 140;

// The glyph code of an aspect number (141..166); 0 outside 1..26.
constexpr int AspectGlyphCode(int aspectType) {
  return IsAspectType(aspectType) ? AspectGlyphOffset + aspectType : 0;
}

// UTF-8 text of each aspect glyph, indexed by aspect number (slot 0 empty).
inline constexpr std::array<std::string_view, LastAspectType + 1> AspectGlyphTexts = {
    "",
    "\u260C",   // Conjunction
    "\u260D",   // Opposition
    "\u25B3",   // Trine
    "\u25A1",   // Square
    "\u2736",   // Sextile (six-pointed star)
    "\u2220",   // Semisquare
    "S\u2220",  // Sesquisquare
    "\u22BB",   // Semisextile
    "\u22BC",   // Quincunx
    "Q",        // Quintile
    "bQ",       // BiQuintile
    "sQ",       // SemiQuintile
    "qQ",       // SesquiQuintile
    "S7",       // Septile
    "bS7",      // BiSeptile
    "tS7",      // TriSeptile
    "N",        // Novile
    "bN",       // BiNovile
    "qN",       // QuadriNovile
    "U",        // Undecagon
    "bU",       // BiUndecagon
    "tU",       // TriUndecagon
    "qU",       // QuadriUndecagon
    "pU",       // QuinqueUndecagon
    "\u2225",   // Parallel
    "\u22D5",   // ContraParallel
};

// The text that draws an aspect glyph code; "" for a code that is not an aspect glyph.
constexpr std::string_view AspectGlyphText(int glyphCode) {
  int n = glyphCode - AspectGlyphOffset;
  return IsAspectType(n) ? AspectGlyphTexts[static_cast<std::size_t>(n)] : std::string_view();
}

}  // namespace korvana
