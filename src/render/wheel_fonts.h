// The fonts of wheel texts. Each text of a wheel is either plain text (degrees, minutes,
// numbers, abbreviations) or a glyph, and the face it is written in depends on where the
// wheel goes: printed wheels and report pictures use fixed faces, the screen uses the
// sans-serif glyph face for the sizes it reads well at and the screen face for the rest.
// The logical face names are then resolved to installed fonts (glyphs.h), so glyphs show
// without special fonts.
#pragma once

#include <QFont>
#include <string>

#include "core/config/program_settings.h"

namespace korvana {

enum class WheelTextKind { Text, Glyph };

// The face a wheel text is written in (the program's face names, not yet resolved):
// text: "Arial" when printing or making a report picture (output kind 1 or 2); on screen
// "ZP Sans Serif" for scaled sizes from 7 to 16 points, settings.ScreenTTFont outside that
// range or when turned. Glyphs: settings.EMTTFont when printing (output kind 1), outside
// 7..16 points or when turned, else "ZP Sans Serif".
std::string WheelFontFace(WheelTextKind kind, int outputKind, double scaledSize, bool turned,
                          const ProgramSettings& settings);

// The point size of a scaled design size on a canvas of `canvas_dpi` pixels per inch:
// round(scaled size x 96 / dpi), halves to even, at least 1.
int WheelFontPointSize(double scaledSize, double canvas_dpi);

// The font of a wheel text: the face above resolved to an installed family, the point
// size above, bold and italic as asked.
QFont WheelFont(WheelTextKind kind, int outputKind, double scaledSize, bool turned,
                double canvas_dpi, bool bold, bool italic, const ProgramSettings& settings);

}  // namespace korvana
