#include "core/wheels/wheel_design_text.h"

#include <gtest/gtest.h>

#include <string>

#include "core/config/colors.h"

namespace korvana {
namespace {

// The message of the fault a description raises; "" when it reads.
std::string DescriptionFault(std::string_view text) {
  try {
    ParseWheelDescription(text);
    return "";
  } catch (const EWheelDescriptionError& e) {
    return e.what();
  }
}

TEST(WheelDescription, SetsTheFieldsOfEverySection) {
  const auto r = ParseWheelDescription(R"(
; comment line
[design]
circles = 3      ; trailing comment
charts = 2
design_radius = 280
fixed_rotation = yes
rotation_degrees = 12.5
[circle 3]
radius = 0.4
pen_color = #FF8000
filled = YES
[cusps 2 5]
inner = 3
outer = 1
[zodiac 1 2]
content = 3
long_tick_interval = 10
[points 2]
radii = 0.9, 0.7, 0.5, 0.3, 0.1
pointer_bent = yes, no
[extra_points 1]
point_abbreviations = yes
[aspects]
chart2 = 2
)");
  const WheelDesign& d = r;
  EXPECT_EQ(d.version, 2);
  EXPECT_EQ(d.circleCount, 3);
  EXPECT_EQ(d.chartCount, 2);
  EXPECT_EQ(d.designRadius, 280);
  EXPECT_FLOAT_EQ(d.dialDegrees, 360.0f) << "an ordinary zodiac unless told";
  EXPECT_TRUE(d.fixedRotation);
  EXPECT_FLOAT_EQ(d.rotationDegrees, 12.5f);
  EXPECT_FLOAT_EQ(d.circles[2].radius, 0.4f);
  EXPECT_EQ(d.circles[2].penColor, MakeColor(255, 128, 0));
  EXPECT_TRUE(d.circles[2].filled);
  EXPECT_EQ(d.cusps[1][4].band.inner, 3);
  EXPECT_EQ(d.zodiac[0][1].content, 3);
  EXPECT_EQ(d.zodiac[0][1].longTickInterval, 10);
  EXPECT_FLOAT_EQ(d.pointRings[1].radius[RingMinute], 0.3f);
  EXPECT_TRUE(d.pointRings[1].pointerBent[0]);
  EXPECT_FALSE(d.pointRings[1].pointerBent[1]);
  EXPECT_TRUE(d.extraRings[0].pointAbbreviations);
  EXPECT_EQ(d.aspects.chart[1], 2);
}

TEST(WheelDescription, FaultsNameTheirLine) {
  struct Case { const char* text; const char* error; };
  const Case cases[] = {
      {"[design]\ncircles = 1\ncharts = 1\nwidth = 3\n", "line 4: unknown key: width"},
      {"[design]\ncircles = x\n", "line 2: not a 16-bit whole number: x"},
      {"[design]\ncircles = 70000\n", "line 2: not a 16-bit whole number: 70000"},
      {"[circle 21]\n", "line 1: number out of range: 21"},
      {"[circle 0]\n", "line 1: number out of range: 0"},
      {"[cusps 3 1]\n", "line 1: number out of range: 3"},
      {"[cusps 1]\n", "line 1: section [cusps] needs 2 number(s)"},
      {"[ring 1]\n", "line 1: unknown section [ring]"},
      {"[wheel]\n", "line 1: unknown section [wheel]"},
      {"[circle 1]\npen_color = red\n", "line 2: not a colour #RRGGBB: red"},
      {"[circle 1]\nfilled = true\n", "line 2: not yes or no: true"},
      {"[points 1]\nradii = 1, 2\n", "line 2: expected 5 numbers: 1, 2"},
      {"[design\n", "line 1: unclosed section header"},
      {"circles = 2\n", "line 1: value outside a section"},
      {"[design]\ncircles\n", "line 2: expected key = value"},
      {"[design]\ncircles = 21\ncharts = 1\n", "[design] circles must be 1..20"},
      {"[design]\ncircles = 2\n", "[design] charts must be 1..5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DescriptionFault(c.text), c.error) << c.text;
  }
}

}  // namespace
}  // namespace korvana
