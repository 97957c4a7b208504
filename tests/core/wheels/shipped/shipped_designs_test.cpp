#include <gtest/gtest.h>

#include <string>

#include "core/util/files.h"
#include "core/wheels/wheel_design.h"
#include "core/wheels/wheel_design_text.h"
#include "support/recording_messages.h"

namespace korvana {
namespace {

// The designs shipped with the program, as the build made them.
class ShippedWheelDesign : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedWheelDesign, LoadsAndIsConsistent) {
  const std::string name = GetParam();
  testing::RecordingMessages messages;
  auto d = LoadWheelDesign(std::string(KORVANA_TEMPLATE_DIR) + "/userdata/" + name, messages);
  ASSERT_TRUE(d) << messages.Only();
  EXPECT_EQ(d->chartCount, name.ends_with(".wh2") ? 2 : 1);
  EXPECT_GT(d->designRadius, 0);
  EXPECT_FLOAT_EQ(d->dialDegrees, 360.0f);
  // Circles shrink from the first to the last and all lie within the wheel.
  for (int i = 1; i <= d->circleCount; ++i) {
    const float r = d->Circle(i)->radius;
    EXPECT_GT(r, 0.0f) << i;
    EXPECT_LE(r, 1.0f) << i;
    if (i > 1) {
      EXPECT_LT(r, d->Circle(i - 1)->radius) << i;
    }
  }
  // Every present style spans a real band of the design's own circles.
  auto check_band = [&](const WheelBand& b, const std::string& what) {
    if (b.inner == 0 && b.outer == 0) return;
    EXPECT_TRUE(WheelDesign::UsableBand(b)) << what;
    EXPECT_LE(b.inner, d->circleCount) << what;
    EXPECT_LE(b.outer, d->circleCount) << what;
    if (WheelDesign::UsableBand(b)) {
      EXPECT_LT(d->Circle(b.inner)->radius, d->Circle(b.outer)->radius) << what;
    }
  };
  int zodiac_bands = 0;
  for (int layer = 0; layer < WheelLayers; ++layer) {
    for (int chart = 0; chart < WheelMaxCharts; ++chart) {
      const std::string at = " " + std::to_string(layer + 1) + " " + std::to_string(chart + 1);
      check_band(d->cusps[layer][chart].band, "cusps" + at);
      check_band(d->cuspLabels[layer][chart].band, "cusp labels" + at);
      check_band(d->houseNumbers[layer][chart].band, "house numbers" + at);
      const ZodiacBandStyle& z = d->zodiac[layer][chart];
      check_band(z.band, "zodiac" + at);
      if (z.band.inner != 0) {
        ++zodiac_bands;
        EXPECT_GT(z.longTickInterval, 0) << "zodiac" + at;
        EXPECT_EQ(360 % z.longTickInterval, 0) << "zodiac" + at;
        EXPECT_TRUE(z.sectorFilled);
      }
    }
  }
  EXPECT_EQ(zodiac_bands, 1);
  for (int chart = 0; chart < WheelMaxCharts; ++chart) {
    const std::string at = " " + std::to_string(chart + 1);
    check_band(d->extraRings[chart].band, "extra points" + at);
    const PointRingStyle& ring = d->pointRings[chart];
    check_band(ring.band, "points" + at);
    if (chart < d->chartCount) {
      EXPECT_NE(ring.band.inner, 0) << "every chart of the design shows its points" << at;
      EXPECT_GT(ring.radius[RingGlyph], 0.0f) << at;
      EXPECT_GT(ring.radius[RingDegree], 0.0f) << at;
      EXPECT_GT(ring.glyphFontSize, ring.degreeFontSize) << at;
    } else {
      EXPECT_EQ(ring.band.inner, 0) << at;
    }
  }
  // Aspect lines in the centre, between charts of the design.
  for (int p = 0; p < 2; ++p) {
    ASSERT_NE(d->Circle(d->aspects.circle[p]), nullptr);
    EXPECT_EQ(d->aspects.circle[p], d->circleCount) << "the innermost circle";
    EXPECT_GE(d->aspects.chart[p], 1);
    EXPECT_LE(d->aspects.chart[p], d->chartCount);
  }
  EXPECT_EQ(d->extraRings[0].band.inner != 0, name == "uniex1.wh1");
}

INSTANTIATE_TEST_SUITE_P(Designs, ShippedWheelDesign,
                         ::testing::Values("uni5.wh1", "biinter.wh2", "small1.wh1",
                                           "uniex1.wh1"));

// The version-1 test design is written by the build in the older layout; loading it must
// give back, field for field, the design its description names.
TEST(Version1WheelDesign, LoadsAsTheDesignItsDescriptionNames) {
  auto text = ReadFileBytes(std::string(KORVANA_SOURCE_DATA_DIR) + "/wheels/version1.wh1.txt");
  ASSERT_TRUE(text);
  WheelDesign described;
  ASSERT_NO_THROW(described = ParseWheelDescription(*text));
  auto bytes = ReadFileBytes(KORVANA_TEST_WHEEL_V1);
  ASSERT_TRUE(bytes);
  ASSERT_EQ(bytes->size(), WheelDesignV1Size);
  testing::RecordingMessages messages;
  auto loaded = LoadWheelDesign(KORVANA_TEST_WHEEL_V1, messages);
  ASSERT_TRUE(loaded) << messages.Only();
  // The conversion leaves whatever the older record held under circles beyond the count
  // and under absent styles; compare what the drawing reads.
  auto drawn_part = [](const WheelDesign& d) {
    WheelDesign part;
    part.version = 2;
    part.circleCount = d.circleCount;
    part.chartCount = d.chartCount;
    part.designRadius = d.designRadius;
    for (int i = 0; i < d.circleCount; ++i) part.circles[i] = d.circles[i];
    part.cusps[0][0] = d.cusps[0][0];
    part.cuspLabels[0][0] = d.cuspLabels[0][0];
    part.houseNumbers[0][0] = d.houseNumbers[0][0];
    part.zodiac[0][0] = d.zodiac[0][0];
    part.pointRings = d.pointRings;
    part.aspects = d.aspects;
    part.dialDegrees = d.dialDegrees;
    part.fixedRotation = d.fixedRotation;
    part.rotationDegrees = d.rotationDegrees;
    return SerializeWheelDesign(part);
  };
  EXPECT_EQ(drawn_part(*loaded), drawn_part(described));
  for (int layer = 0; layer < WheelLayers; ++layer) {
    for (int chart = 0; chart < WheelMaxCharts; ++chart) {
      if (layer == 0 && chart == 0) continue;
      EXPECT_EQ(loaded->cusps[layer][chart].band.inner, 0);
      EXPECT_EQ(loaded->cuspLabels[layer][chart].band.inner, 0);
      EXPECT_EQ(loaded->houseNumbers[layer][chart].band.inner, 0);
    }
  }
  EXPECT_EQ(loaded->cuspLabels[0][0].arrangement, 2);
  EXPECT_EQ(loaded->zodiac[0][0].content, ContentSignGlyphTurned);
}

// What the older layout cannot hold is refused rather than silently dropped.
TEST(Version1WheelDesign, DesignsBeyondTheOlderLayoutAreNotWritten) {
  auto text = ReadFileBytes(std::string(KORVANA_SOURCE_DATA_DIR) + "/wheels/version1.wh1.txt");
  ASSERT_TRUE(text);
  const WheelDesign base = ParseWheelDescription(*text);
  ASSERT_TRUE(SerializeWheelDesignV1(base));
  WheelDesign eleven = base;
  eleven.circleCount = 11;
  WheelDesign second_layer = base;
  second_layer.cusps[1][0].band = {2, 3};
  WheelDesign extra = base;
  extra.extraRings[0].band = {3, 4};
  WheelDesign swapped = base;
  swapped.swapDegreeAndMinute = true;
  for (const WheelDesign* d : {&eleven, &second_layer, &extra, &swapped}) {
    EXPECT_FALSE(SerializeWheelDesignV1(*d));
  }
}

}  // namespace
}  // namespace korvana
