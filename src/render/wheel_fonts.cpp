#include "render/wheel_fonts.h"

#include <cmath>

#include "render/glyphs.h"
#include "render/wheel_renderer.h"

namespace korvana {
namespace {

constexpr const char* ScreenGlyphFace = "ZP Sans Serif";
constexpr const char* PrintTextFace = "Arial";

bool ScreenRange(double scaledSize) { return scaledSize >= 7.0 && scaledSize <= 16.0; }

}  // namespace

std::string WheelFontFace(WheelTextKind kind, int outputKind, double scaledSize, bool turned,
                          const ProgramSettings& settings) {
  if (kind == WheelTextKind::Text) {
    if (outputKind == WheelPrinter || outputKind == WheelPdf) return PrintTextFace;
    return ScreenRange(scaledSize) && !turned ? ScreenGlyphFace : settings.ScreenTTFont;
  }
  if (outputKind == WheelPrinter || !ScreenRange(scaledSize) || turned) {
    return settings.EMTTFont;
  }
  return ScreenGlyphFace;
}

int WheelFontPointSize(double scaledSize, double canvas_dpi) {
  if (!(canvas_dpi > 0)) canvas_dpi = 96;
  const double points = scaledSize * 96.0 / canvas_dpi;
  if (!std::isfinite(points) || points < 1) return 1;
  return static_cast<int>(std::nearbyint(std::min(points, 4000.0)));
}

QFont WheelFont(WheelTextKind kind, int outputKind, double scaledSize, bool turned,
                double canvas_dpi, bool bold, bool italic, const ProgramSettings& settings) {
  QFont font(ResolveFontFamily(WheelFontFace(kind, outputKind, scaledSize, turned, settings)));
  font.setPointSize(WheelFontPointSize(scaledSize, canvas_dpi));
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

}  // namespace korvana
