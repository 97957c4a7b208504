// The astrological glyphs: the character codes of the symbol font that settings, aspect
// files and report tables store, mapped to Unicode symbols drawn with DejaVu Sans.
//
// Codes: chart points 182..217 (181 + PointId), Aries 220, Taurus 221, Gemini..Pisces
// 130..139, retrograde 140, aspects 141..166 (140 + AspectType). A symbol that DejaVu Sans
// lacks is written as a short abbreviation. The point and aspect texts come from the core's
// point catalogue and aspect glyph table. Any other code stands for itself.
#pragma once

#include <QFont>
#include <QString>
#include <cstdint>
#include <string_view>

namespace korvana {

// Name of the font family glyphs are drawn with.
inline constexpr const char* GlyphFontFamily = "DejaVu Sans";

// First code of the aspect glyphs (aspect n has code AspectGlyphBase + n); the aspect
// glyph texts come from the analysis layer's table.
inline constexpr int AspectGlyphBase = 140;

// The text drawn for one glyph code.
QString GlyphText(std::uint8_t code);

// True for the faces that hold glyphs instead of letters ("ZP Symbol", "ZP Sans Serif",
// "ZP Astro"), compared without regard to case.
bool IsGlyphFace(std::string_view face);

// A UTF-8 text written in a glyph face, with each glyph code replaced by its symbol. A code
// may be given as the Windows-1252 character of that byte or as the code point of the same
// number; characters below 128 stay as they are.
QString GlyphFaceText(std::string_view utf8);

// The font for a face name as the program's texts name it: glyph faces become the glyph
// font, "Default" becomes "Arial"; other names stay (fontconfig finds the nearest font).
QString ResolveFontFamily(std::string_view face);

}  // namespace korvana
