#include "render/wheel_fonts.h"

#include <cmath>

#include "render/glyphs.h"
#include "render/wheel_renderer.h"

namespace korvana {
namespace {

constexpr const char* kScreenGlyphFace = "ZP Sans Serif";
constexpr const char* kPrintTextFace = "Arial";

bool ScreenRange(double scaled_size) { return scaled_size >= 7.0 && scaled_size <= 16.0; }

}  // namespace

std::string WheelFontFace(WheelTextKind kind, int output_kind, double scaled_size, bool turned,
                          const ProgramSettings& settings) {
  if (kind == WheelTextKind::Text) {
    if (output_kind == kWheelPrinter || output_kind == kWheelPdf) return kPrintTextFace;
    return ScreenRange(scaled_size) && !turned ? kScreenGlyphFace : settings.ScreenTTFont;
  }
  if (output_kind == kWheelPrinter || !ScreenRange(scaled_size) || turned) {
    return settings.EMTTFont;
  }
  return kScreenGlyphFace;
}

int WheelFontPointSize(double scaled_size, double canvas_dpi) {
  if (!(canvas_dpi > 0)) canvas_dpi = 96;
  const double points = scaled_size * 96.0 / canvas_dpi;
  if (!std::isfinite(points) || points < 1) return 1;
  return static_cast<int>(std::nearbyint(std::min(points, 4000.0)));
}

QFont WheelFont(WheelTextKind kind, int output_kind, double scaled_size, bool turned,
                double canvas_dpi, bool bold, bool italic, const ProgramSettings& settings) {
  QFont font(ResolveFontFamily(WheelFontFace(kind, output_kind, scaled_size, turned, settings)));
  font.setPointSize(WheelFontPointSize(scaled_size, canvas_dpi));
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

}  // namespace korvana
