#include "core/analysis/aspect_source.h"

#include <algorithm>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "core/analysis/aspect_glyphs.h"
#include "core/analysis/aspect_type.h"
#include "core/points/point_catalogue.h"
#include "core/util/files.h"

namespace korvana {
namespace {

TEST(AspectSource, BuildsRecordsHeaderAndMoieties) {
  AspectSet set = ParseAspectSource(
      "# comment\n"
      "SelectionMode 1\nMoietyCombination -1\nSeparationMeasure 0\nMoietyChoice 0\n"
      "Aspect Conjunction 0 yes 10 20 30 -2 8 7 6 5   # trailing comment\n"
      "Aspect opposition 180 no 0 0 0 1 8 7 6 5\n"
      "Moiety 6 Moon\nMoiety 2 Part of Fortune\n");
  EXPECT_EQ(set.header.selectionMode, 1);
  EXPECT_EQ(set.header.moietyCombination, -1);
  ASSERT_EQ(set.Count(), 2);
  const AspectRecord& c = set.records[1];
  EXPECT_EQ(c.aspectType, 1);
  EXPECT_EQ(c.name, "Conjunction");
  EXPECT_EQ(c.glyph, AspectGlyphCode(1));
  EXPECT_TRUE(c.inUse);
  EXPECT_EQ(c.color, 0x001E140Au);
  EXPECT_EQ(c.lineStyle, -2);
  for (int column = 0; column < 3; ++column) {
    EXPECT_EQ(c.Orb(OrbApplying, OrbLuminary, column), 8);
    EXPECT_EQ(c.Orb(OrbSeparating, OrbLuminary, column), 7);
    EXPECT_EQ(c.Orb(OrbApplying, OrbOther, column), 6);
    EXPECT_EQ(c.Orb(OrbSeparating, OrbOther, column), 5);
  }
  EXPECT_EQ(set.records[2].name, "Opposition");
  EXPECT_FALSE(set.records[2].inUse);
  EXPECT_FLOAT_EQ(set.moietyFactors[PointMoon], 0.75f);
  EXPECT_FLOAT_EQ(set.displayedMoieties[PointPartOfFortune], 2.0f);
  EXPECT_EQ(set.moietyFactors[PointSun], 0.0f);
}

TEST(AspectSource, RejectsBrokenSourcesNamingTheLine) {
  const std::string first9 =
      "Aspect Conjunction 0 yes 0 0 0 1 1 1 1 1\nAspect Opposition 180 yes 0 0 0 1 1 1 1 1\n"
      "Aspect Trine 120 yes 0 0 0 1 1 1 1 1\nAspect Square 90 yes 0 0 0 1 1 1 1 1\n"
      "Aspect Sextile 60 yes 0 0 0 1 1 1 1 1\nAspect Semisquare 45 yes 0 0 0 1 1 1 1 1\n"
      "Aspect Sesquisquare 135 yes 0 0 0 1 1 1 1 1\nAspect Semisextile 30 yes 0 0 0 1 1 1 1 1\n"
      "Aspect Quincunx 150 yes 0 0 0 1 1 1 1 1\n";
  std::string fiftyOne = first9;
  for (int i = 10; i <= 51; ++i) fiftyOne += "Aspect Novile 40 no 0 0 0 1 1 1 1 1\n";
  struct Case {
    const char* what;
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {"no aspects", "SelectionMode 0\n", "no aspects"},
      {"unknown statement", "Aspekt Conjunction 0 yes 0 0 0 1 1 1 1 1\n", "line 1: unknown statement"},
      {"unknown aspect", "Aspect Conjunktion 0 yes 0 0 0 1 1 1 1 1\n", "line 1: unknown aspect"},
      {"order of the first nine", "Aspect Conjunction 0 yes 0 0 0 1 1 1 1 1\nAspect Trine 120 yes 0 0 0 1 1 1 1 1\n",
       "line 2: aspect 2 must be the Opposition"},
      {"fields missing", "Aspect Conjunction 0 yes 0 0 0 1 1 1 1\n", "line 1: expected"},
      {"bad angle", "Aspect Conjunction zero yes 0 0 0 1 1 1 1 1\n", "line 1: expected a number for the angle"},
      {"fraction by zero", "Aspect Conjunction 1/0 yes 0 0 0 1 1 1 1 1\n", "line 1: expected a number"},
      {"bad use", "Aspect Conjunction 0 maybe 0 0 0 1 1 1 1 1\n", "line 1: expected yes or no"},
      {"colour out of range", "Aspect Conjunction 0 yes 256 0 0 1 1 1 1 1\n", "line 1: expected a whole number 0..255 for red"},
      {"negative orb", "Aspect Conjunction 0 yes 0 0 0 1 1 -1 1 1\n", "line 1: LUMSEP is negative"},
      {"more than 50", fiftyOne, "line 51: more than 50 aspects"},
      {"unknown point", first9 + "Moiety 3 Moonlight\n", "line 10: unknown point"},
      {"second moiety", first9 + "Moiety 3 Moon\nMoiety 4 the moon\n", "line 11: a second moiety"},
      {"moiety without base orb", "Aspect Conjunction 0 yes 0 0 0 1 0 1 1 1\nMoiety 3 Sun\n",
       "line 2: moieties need"},
  };
  for (const Case& c : cases) {
    try {
      ParseAspectSource(c.text);
      ADD_FAILURE() << c.what << ": no error";
    } catch (const EAspectSourceError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << c.what << ": " << e.what();
    }
  }
}

// The shipped sources: the order selection by sign needs, each aspect's own glyph and
// name, and orbs with which no two aspects in use can claim the same pair of points.
class ShippedAspectSource : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedAspectSource, IsSound) {
  auto text = ReadFileBytes(std::string(KORVANA_SOURCE_DATA_DIR) + "/aspects/" + GetParam());
  ASSERT_TRUE(text);
  AspectSet set = ParseAspectSource(*text);
  const double angles[] = {0, 0, 180, 120, 90, 60, 45, 135, 30, 150};
  ASSERT_GE(set.Count(), 26);
  for (int n = 1; n <= set.Count(); ++n) {
    const AspectRecord& r = set.records[n];
    if (n <= 26) {
      EXPECT_EQ(r.aspectType, n);  // record i is aspect i for the dynamic selection
    }
    if (n <= 9) {
      EXPECT_EQ(r.angle, angles[n]) << n;
    }
    EXPECT_EQ(r.glyph, AspectGlyphCode(r.aspectType)) << n;
    EXPECT_EQ(r.name, AspectTypeName(r.aspectType)) << n;
    if (r.inUse) {
      EXPECT_TRUE(r.HasNatalOrb()) << n;
    }
  }
  // The widest orb a pair can get.
  double scale = 1.0;
  if (set.header.BaseMode() == SelectByMoiety) {
    std::vector<float> f(set.moietyFactors.begin() + 1, set.moietyFactors.end());
    std::sort(f.rbegin(), f.rend());
    scale = f[0] + f[1];
  }
  auto widest = [&](const AspectRecord& r) {
    return scale * *std::max_element(r.orbs.begin(), r.orbs.begin() + 12);
  };
  for (int i = 1; i <= set.Count(); ++i)
    for (int j = i + 1; j <= set.Count(); ++j) {
      const AspectRecord &a = set.records[i], &b = set.records[j];
      if (!a.inUse || !b.inUse) continue;
      EXPECT_GE(std::fabs(a.angle - b.angle), widest(a) + widest(b)) << i << " and " << j;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedAspectSource, ::testing::Values("modern.txt", "traditional.txt"));

TEST(ShippedAspectSource, TraditionalSetGivesTheSunAndMoonTheirClassicalOrb) {
  auto text = ReadFileBytes(std::string(KORVANA_SOURCE_DATA_DIR) + "/aspects/traditional.txt");
  ASSERT_TRUE(text);
  AspectSet set = ParseAspectSource(*text);
  EXPECT_EQ(set.header.moietyCombination, -1);
  EXPECT_FLOAT_EQ(set.displayedMoieties[PointSun], 7.5f);
  EXPECT_FLOAT_EQ(set.displayedMoieties[PointMoon], 6.0f);
}

TEST(AspectGlyphs, CodesAreTheirOwnAndAllDrawable) {
  for (int n = FirstAspectType; n <= LastAspectType; ++n) {
    int code = AspectGlyphCode(n);
    EXPECT_FALSE(code >= 182 && code <= 217) << n;  // points
    EXPECT_FALSE(code >= 130 && code <= 140) << n;  // signs and the retrograde mark
    EXPECT_EQ(code, 140 + n) << n;                  // the codes the aspect files store
    EXPECT_FALSE(code == 220 || code == 221) << n;  // Aries and Taurus
    EXPECT_GT(code, 0);
    EXPECT_LT(code, 256);
    EXPECT_FALSE(AspectGlyphText(code).empty()) << n;
    for (int m = FirstAspectType; m < n; ++m) EXPECT_NE(AspectGlyphCode(m), code);
  }
  EXPECT_EQ(AspectGlyphText(AspectGlyphCode(1)), "\u260C");
  EXPECT_EQ(AspectGlyphText(AspectGlyphCode(2)), "\u260D");
  EXPECT_TRUE(AspectGlyphText(140).empty());
  EXPECT_TRUE(AspectGlyphText(167).empty());
  EXPECT_TRUE(AspectGlyphText(PointGlyph(PointSun)).empty());
}

}  // namespace
}  // namespace korvana
