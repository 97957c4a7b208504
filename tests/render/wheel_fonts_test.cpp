#include "render/wheel_fonts.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetricsF>
#include <string>

#include "render/wheel_renderer.h"

namespace korvana {
namespace {

struct FaceCase {
  WheelTextKind kind;
  int outputKind;
  double scaledSize;
  bool turned;
  const char* face;
};

// Settings whose two configurable faces can be told apart from the fixed ones.
ProgramSettings FaceSettings() {
  ProgramSettings s;
  s.EMTTFont = "EM Face";
  s.ScreenTTFont = "Screen Face";
  return s;
}

TEST(WheelFontFace, ChoosesTheFaceByKindOutputSizeAndTurn) {
  using K = WheelTextKind;
  const FaceCase cases[] = {
      // Texts: fixed face for printing and report pictures, whatever the size or turn.
      {K::Text, WheelPrinter, 12, false, "Arial"},
      {K::Text, WheelPdf, 30, true, "Arial"},
      // On screen: the sans-serif glyph face from 7 to 16 points, else the screen face.
      {K::Text, WheelScreen, 12, false, "ZP Sans Serif"},
      {K::Text, WheelScreen, 7, false, "ZP Sans Serif"},
      {K::Text, WheelScreen, 16, false, "ZP Sans Serif"},
      {K::Text, WheelScreen, 6.9, false, "Screen Face"},
      {K::Text, WheelScreen, 16.1, false, "Screen Face"},
      {K::Text, WheelScreen, 12, true, "Screen Face"},
      // Glyphs: the glyph face when printing, outside 7..16 or turned.
      {K::Glyph, WheelScreen, 12, false, "ZP Sans Serif"},
      {K::Glyph, WheelPrinter, 12, false, "EM Face"},
      {K::Glyph, WheelPdf, 12, false, "ZP Sans Serif"},
      {K::Glyph, WheelScreen, 6.5, false, "EM Face"},
      {K::Glyph, WheelScreen, 17, false, "EM Face"},
      {K::Glyph, WheelScreen, 12, true, "EM Face"},
      {K::Glyph, WheelPdf, 40, false, "EM Face"},
  };
  const ProgramSettings s = FaceSettings();
  for (const FaceCase& c : cases) {
    EXPECT_EQ(WheelFontFace(c.kind, c.outputKind, c.scaledSize, c.turned, s), c.face)
        << "kind " << static_cast<int>(c.kind) << ", output " << c.outputKind << ", size "
        << c.scaledSize << ", turned " << c.turned;
  }
}

TEST(WheelFontFace, PointSizeIsTheScaledSizeAt96DotsRoundedHalfToEven) {
  EXPECT_EQ(WheelFontPointSize(12, 96), 12);
  EXPECT_EQ(WheelFontPointSize(12, 192), 6);
  EXPECT_EQ(WheelFontPointSize(12, 72), 16);
  EXPECT_EQ(WheelFontPointSize(12.5, 96), 12);
  EXPECT_EQ(WheelFontPointSize(13.5, 96), 14);
  // Degenerate sizes and canvases still give a usable font.
  EXPECT_EQ(WheelFontPointSize(0.2, 96), 1);
  EXPECT_EQ(WheelFontPointSize(-3, 96), 1);
  EXPECT_EQ(WheelFontPointSize(12, 0), 12);
}

// The program's faces resolve to installed fonts: glyph faces to DejaVu Sans, which holds
// the astrological symbols, and "Arial" to its metric twin Liberation Sans.
TEST(WheelFontFace, FacesResolveToInstalledFontsThatHoldTheGlyphs) {
  ProgramSettings s;   // the default faces ("ZP Astro")
  const QFont screen_glyph = WheelFont(WheelTextKind::Glyph, WheelScreen, 12, false, 96, false, false, s);
  const QFont printed_glyph = WheelFont(WheelTextKind::Glyph, WheelPrinter, 12, false, 96, true, false, s);
  const QFont printed_text = WheelFont(WheelTextKind::Text, WheelPrinter, 12, false, 96, false, true, s);
  EXPECT_EQ(QFontInfo(screen_glyph).family(), "DejaVu Sans");
  EXPECT_EQ(QFontInfo(printed_glyph).family(), "DejaVu Sans");
  EXPECT_EQ(QFontInfo(printed_text).family(), "Liberation Sans");
  EXPECT_EQ(screen_glyph.pointSize(), 12);
  EXPECT_TRUE(printed_glyph.bold());
  EXPECT_TRUE(printed_text.italic());
  for (char16_t symbol : {u'\u2609', u'\u2648', u'\u2653', u'\u2644'}) {
    EXPECT_TRUE(QFontMetricsF(screen_glyph).inFont(QChar(symbol))) << static_cast<int>(symbol);
  }
}

}  // namespace
}  // namespace korvana
