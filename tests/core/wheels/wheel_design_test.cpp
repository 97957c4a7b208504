#include "core/wheels/wheel_design.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

void Put16(std::string& d, std::size_t off, int v) {
  d[off] = static_cast<char>(v & 0xFF);
  d[off + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& d, std::size_t off, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) d[off + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
void PutF(std::string& d, std::size_t off, float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, 4);
  Put32(d, off, bits);
}
int Get16(const std::string& d, std::size_t off) {
  return static_cast<std::int16_t>(static_cast<std::uint8_t>(d[off]) |
                                   (static_cast<std::uint8_t>(d[off + 1]) << 8));
}

std::string MinimalV2() {
  std::string d(WheelDesignSize, '\0');
  Put16(d, 0, 2);
  Put16(d, 82, 1);
  Put16(d, 84, 1);
  return d;
}

// Fields are read from the documented offsets: the last entries of every table, so a
// wrong record size or base offset shows.
TEST(WheelDesignLayout, FieldsComeFromTheirOffsets) {
  std::string d = MinimalV2();
  Put16(d, 82, 20);
  Put16(d, 84, 5);
  Put16(d, 86, 300);
  PutF(d, 114 + 19 * 4, 0.75f);
  Put16(d, 194 + 19 * 2, -1);
  Put16(d, 234 + 19 * 2, 3);
  Put16(d, 274 + 19 * 2, 4);
  Put32(d, 314 + 19 * 4, 0x00112233);
  Put16(d, 394 + 19 * 2, -1);
  Put32(d, 434 + 19 * 4, 0x00445566);
  PutF(d, 514 + 9 * 32 + 28, 0.125f);       // cusps, layer 2 chart 5: arrow length
  Put16(d, 514 + 9 * 32 + 22, -1);          // arrow on the Ascendant
  Put16(d, 834 + 9 * 42 + 40, -1);          // cusp labels: minute bold
  PutF(d, 834 + 9 * 42 + 36, 9.5f);         // minute font size
  Put16(d, 1254 + 9 * 14 + 12, -1);         // house numbers: bold
  PutF(d, 1254 + 9 * 14 + 4, 0.5f);
  Put16(d, 1394 + 9 * 68 + 58, 1);          // zodiac: short-tick interval
  Put16(d, 1394 + 9 * 68 + 36, 30);         // long-tick interval
  Put32(d, 1394 + 9 * 68 + 44, 0x000000FF); // tick colour
  Put16(d, 2074 + 4 * 76 + 62, -1);         // extra ring of chart 5: sign abbreviations
  Put16(d, 2456, 7);                        // aspect circle of partner 2
  Put16(d, 2460, 2);                        // aspect chart of partner 2
  PutF(d, 2466, 0.02f);
  Put16(d, 2470, 2);
  Put16(d, 2474, 9);                        // point ring of chart 1: inner circle
  PutF(d, 2474 + 4 * 76 + 4 + 4 * 4, 0.9f); // point ring of chart 5: retrograde radius
  Put16(d, 2474 + 4 * 76 + 58, -1);         // pointer from the outer circle bent
  PutF(d, 2854, 90.0f);
  Put16(d, 2858, -1);
  PutF(d, 2860, 15.0f);
  Put16(d, 2864, -1);

  auto w = ParseWheelDesign(d);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->circleCount, 20);
  EXPECT_EQ(w->chartCount, 5);
  EXPECT_EQ(w->designRadius, 300);
  const WheelCircle& c = w->circles[19];
  EXPECT_FLOAT_EQ(c.radius, 0.75f);
  EXPECT_TRUE(c.outline);
  EXPECT_EQ(c.penStyle, 3);
  EXPECT_EQ(c.penWidth, 4);
  EXPECT_EQ(c.penColor, 0x00112233u);
  EXPECT_TRUE(c.filled);
  EXPECT_EQ(c.fillColor, 0x00445566u);
  EXPECT_FLOAT_EQ(w->cusps[1][4].arrowLength, 0.125f);
  EXPECT_TRUE(w->cusps[1][4].arrowAsc);
  EXPECT_FALSE(w->cusps[1][4].arrowMc);
  EXPECT_TRUE(w->cuspLabels[1][4].minuteBold);
  EXPECT_FLOAT_EQ(w->cuspLabels[1][4].minuteFontSize, 9.5f);
  EXPECT_TRUE(w->houseNumbers[1][4].bold);
  EXPECT_FLOAT_EQ(w->houseNumbers[1][4].radius, 0.5f);
  EXPECT_EQ(w->zodiac[1][4].shortTickInterval, 1);
  EXPECT_EQ(w->zodiac[1][4].longTickInterval, 30);
  EXPECT_EQ(w->zodiac[1][4].tickColor, 0xFFu);
  EXPECT_TRUE(w->extraRings[4].signAbbreviations);
  EXPECT_FALSE(w->pointRings[4].signAbbreviations);
  EXPECT_EQ(w->aspects.circle[1], 7);
  EXPECT_EQ(w->aspects.chart[1], 2);
  EXPECT_FLOAT_EQ(w->aspects.tickLength[1], 0.02f);
  EXPECT_EQ(w->aspects.tickPenWidth, 2);
  EXPECT_EQ(w->pointRings[0].band.inner, 9);
  EXPECT_FLOAT_EQ(w->pointRings[4].radius[RingRetrograde], 0.9f);
  EXPECT_TRUE(w->pointRings[4].pointerBent[1]);
  EXPECT_FALSE(w->pointRings[4].pointerBent[0]);
  EXPECT_FLOAT_EQ(w->dialDegrees, 90.0f);
  EXPECT_TRUE(w->fixedRotation);
  EXPECT_FLOAT_EQ(w->rotationDegrees, 15.0f);
  EXPECT_TRUE(w->swapDegreeAndMinute);

  // Written back unchanged, the record is the same bytes.
  EXPECT_EQ(SerializeWheelDesign(*w), d);
}

TEST(WheelDesignLayout, TruthValuesAndUninterpretedBytesSurviveAWrite) {
  std::string d = MinimalV2();
  Put16(d, 194, 1);                // not -1: counts as false
  Put16(d, 2858, 1);
  for (std::size_t i = 2; i < 82; ++i) d[i] = static_cast<char>(i);   // uninterpreted
  for (std::size_t i = 2866; i < WheelDesignSize; ++i) d[i] = 'x';
  PutF(d, 2860, std::numeric_limits<float>::quiet_NaN());
  auto w = ParseWheelDesign(d);
  ASSERT_TRUE(w);
  EXPECT_FALSE(w->circles[0].outline);
  EXPECT_FALSE(w->fixedRotation);
  EXPECT_EQ(w->rotationDegrees, 0.0f) << "a damaged number reads as 0";

  w->circleCount = 4;
  w->circles[1].outline = true;
  std::string out = SerializeWheelDesign(*w);
  EXPECT_EQ(out.substr(2, 80), d.substr(2, 80));
  EXPECT_EQ(out.substr(2866), d.substr(2866));
  EXPECT_EQ(Get16(out, 194), 1) << "a stored false keeps its value";
  EXPECT_EQ(Get16(out, 196), -1);
  EXPECT_EQ(Get16(out, 82), 4);
}

TEST(WheelDesignLayout, BandsOutsideTheCircleTableAreUnusable) {
  struct Case { int inner, outer; bool usable; };
  for (Case c : {Case{1, 2, true}, Case{20, 1, true}, Case{0, 3, false}, Case{3, 0, false},
                 Case{21, 3, false}, Case{2, -1, false}}) {
    WheelBand band{static_cast<std::int16_t>(c.inner), static_cast<std::int16_t>(c.outer)};
    EXPECT_EQ(WheelDesign::UsableBand(band), c.usable) << c.inner << "," << c.outer;
  }
  WheelDesign w;
  EXPECT_EQ(w.Circle(0), nullptr);
  EXPECT_EQ(w.Circle(21), nullptr);
  EXPECT_EQ(w.Circle(20), &w.circles[19]);
}

// A version-1 record with three circles and two charts, each style field marked.
std::string SampleV1() {
  std::string d(WheelDesignV1Size, '\0');
  Put16(d, 0, 1);
  for (std::size_t i = 2; i < 82; ++i) d[i] = 'h';
  Put16(d, 82, 3);
  Put16(d, 84, 2);
  Put16(d, 86, 250);
  for (int i = 0; i < 10; ++i) {   // all ten slots filled; only three are in use
    PutF(d, 114 + 4 * i, 0.1f * static_cast<float>(i + 1));
    Put16(d, 154 + 2 * i, -1);
    Put16(d, 174 + 2 * i, i % 6);
    Put16(d, 194 + 2 * i, i + 1);
    Put32(d, 214 + 4 * i, 0x010000u * static_cast<std::uint32_t>(i + 1));
    Put16(d, 254 + 2 * i, i == 1 ? -1 : 0);
    Put32(d, 274 + 4 * i, 0x0000F0u + static_cast<std::uint32_t>(i));
  }
  Put16(d, 314, 2);                 // cusp lines: circles 2..3
  Put16(d, 316, 3);
  PutF(d, 314 + 28, 0.05f);
  Put16(d, 346, 1);                 // cusp labels: circles 1..2
  Put16(d, 348, 2);
  Put16(d, 346 + 4, 3);
  Put16(d, 388, 1);                 // house numbers
  Put16(d, 390, 2);
  PutF(d, 388 + 8, 11.0f);
  Put16(d, 402, 2);                 // zodiac band
  Put16(d, 404, 3);
  Put16(d, 402 + 4, 3);
  Put16(d, 402 + 36, 30);
  PutF(d, 402 + 24, 360.0f);        // dial degrees
  Put16(d, 402 + 28, -1);           // fixed rotation
  PutF(d, 402 + 30, 0.0f);          // rotation degrees
  PutF(d, 402 + 30, 45.0f);
  Put16(d, 462, 1);                 // aspect circles
  Put16(d, 464, 1);
  Put16(d, 466, 1);
  Put16(d, 468, 1);
  PutF(d, 470, 0.03f);
  for (int chart = 0; chart < 5; ++chart) {
    Put16(d, 482 + chart * 76, chart + 1);
    Put16(d, 482 + chart * 76 + 2, chart + 2);
  }
  for (std::size_t i = 862; i < WheelDesignV1Size; ++i) d[i] = 'z';
  return d;
}

TEST(WheelDesignVersion1, ConvertsToTheCurrentLayout) {
  auto bytes = ConvertWheelDesignV1(SampleV1());
  ASSERT_TRUE(bytes);
  ASSERT_EQ(bytes->size(), WheelDesignSize);
  auto w = ParseWheelDesign(*bytes);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->version, 2);
  EXPECT_EQ(w->circleCount, 3);
  EXPECT_EQ(w->chartCount, 2);
  EXPECT_EQ(w->designRadius, 250);
  EXPECT_EQ(bytes->substr(2, 80), std::string(80, 'h'));
  for (int i = 0; i < 3; ++i) {
    const WheelCircle& c = w->circles[static_cast<std::size_t>(i)];
    EXPECT_FLOAT_EQ(c.radius, 0.1f * static_cast<float>(i + 1)) << i;
    EXPECT_TRUE(c.outline) << i;
    EXPECT_EQ(c.penStyle, i % 6) << i;
    EXPECT_EQ(c.penWidth, i + 1) << i;
    EXPECT_EQ(c.penColor, 0x010000u * static_cast<std::uint32_t>(i + 1)) << i;
    EXPECT_EQ(c.filled, i == 1) << i;
    EXPECT_EQ(c.fillColor, 0x0000F0u + static_cast<std::uint32_t>(i)) << i;
  }
  EXPECT_EQ(w->cusps[0][0].band.inner, 2);
  EXPECT_EQ(w->cusps[0][0].band.outer, 3);
  EXPECT_FLOAT_EQ(w->cusps[0][0].arrowLength, 0.05f);
  EXPECT_EQ(w->cuspLabels[0][0].band.inner, 1);
  EXPECT_EQ(w->cuspLabels[0][0].arrangement, 3);
  EXPECT_FLOAT_EQ(w->houseNumbers[0][0].fontSize, 11.0f);
  EXPECT_EQ(w->zodiac[0][0].band.outer, 3);
  EXPECT_EQ(w->zodiac[0][0].content, ContentSignGlyphTurned);
  EXPECT_EQ(w->zodiac[0][0].longTickInterval, 30);
  EXPECT_EQ(Get16(*bytes, 1394 + 60), 2);
  EXPECT_FLOAT_EQ(w->dialDegrees, 360.0f);
  EXPECT_TRUE(w->fixedRotation);
  EXPECT_FLOAT_EQ(w->rotationDegrees, 45.0f);
  EXPECT_FALSE(w->swapDegreeAndMinute);
  EXPECT_EQ(w->aspects.circle[0], 1);
  EXPECT_FLOAT_EQ(w->aspects.tickLength[0], 0.03f);
  // Point rings of the charts in use only.
  EXPECT_EQ(w->pointRings[0].band.inner, 1);
  EXPECT_EQ(w->pointRings[1].band.outer, 3);
  EXPECT_EQ(w->pointRings[2].band.inner, 0);
  // Every other cusp, label and house-number style and every extra ring is absent,
  // whatever bytes the older record left under them.
  for (int layer = 0; layer < 2; ++layer) {
    for (int chart = 0; chart < 5; ++chart) {
      if (layer == 0 && chart == 0) continue;
      EXPECT_EQ(w->cusps[layer][chart].band.inner, 0) << layer << chart;
      EXPECT_EQ(w->cuspLabels[layer][chart].band.inner, 0) << layer << chart;
      EXPECT_EQ(w->houseNumbers[layer][chart].band.inner, 0) << layer << chart;
      EXPECT_EQ(w->zodiac[layer][chart].band.inner, 0) << layer << chart;
      EXPECT_EQ(w->zodiac[layer][chart].band.outer, 0) << layer << chart;
    }
    EXPECT_EQ(w->extraRings[layer].band.inner, 0);
  }
}

TEST(WheelDesignVersion1, CountsBeyondTheLayoutCannotBeConverted) {
  for (auto [circles, charts] : {std::pair{11, 1}, std::pair{0, 1}, std::pair{3, 6},
                                 std::pair{3, 0}}) {
    std::string d = SampleV1();
    Put16(d, 82, circles);
    Put16(d, 84, charts);
    EXPECT_FALSE(ConvertWheelDesignV1(d)) << circles << " circles, " << charts << " charts";
  }
  EXPECT_FALSE(ConvertWheelDesignV1(SampleV1().substr(0, WheelDesignV1Size - 1)));
}

class LoadWheelDesignTest : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  testing::RecordingMessages messages;
};

TEST_F(LoadWheelDesignTest, ReadsBothVersions) {
  std::string v2 = MinimalV2();
  Put16(v2, 84, 2);
  auto w = LoadWheelDesign(folder.Write("two.wh2", v2 + "trailing"), messages);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->chartCount, 2);
  auto old = LoadWheelDesign(folder.Write("old.wh1", SampleV1()), messages);
  ASSERT_TRUE(old);
  EXPECT_EQ(old->version, 2);
  EXPECT_EQ(old->circleCount, 3);
  EXPECT_TRUE(messages.Empty()) << messages.Only();
}

TEST_F(LoadWheelDesignTest, MissingFileIsRaisedToTheCaller) {
  const std::string path = folder / "none.wh1";
  try {
    LoadWheelDesign(path, messages);
    FAIL() << "no error raised";
  } catch (const EWheelDesignError& e) {
    EXPECT_EQ(std::string(e.what()), "Wheel file does not exist: " + path);
  }
  EXPECT_TRUE(messages.Empty());
}

TEST_F(LoadWheelDesignTest, BrokenFilesFailWithTheirMessages) {
  std::string v2_counts = MinimalV2();
  Put16(v2_counts, 82, 21);
  std::string v2_charts = MinimalV2();
  Put16(v2_charts, 84, 0);
  std::string v1_circles = SampleV1();
  Put16(v1_circles, 82, 11);
  std::string bad_version = MinimalV2();
  Put16(bad_version, 0, 7);
  std::string negative_version = MinimalV2();
  Put16(negative_version, 0, -3);
  struct Case { const char* name; std::string content; std::string text; };
  const std::string unreadable = "Unable to read wheel file: \r\n\r\n";
  const Case cases[] = {
      {"empty", "", unreadable},
      {"one byte", std::string(1, '\2'), unreadable},
      {"short v2", MinimalV2().substr(0, WheelDesignSize - 1), unreadable},
      {"short v1", SampleV1().substr(0, 500), unreadable},
      {"v2 circles", v2_counts, unreadable},
      {"v2 charts", v2_charts, unreadable},
      {"v1 circles", v1_circles, unreadable},
      {"version 7", bad_version, "Invalid wheel file version: 7\r\n\r\n"},
      {"version -3", negative_version, "Invalid wheel file version: -3\r\n\r\n"},
  };
  for (const Case& c : cases) {
    messages.messages.clear();
    const std::string path = folder.Write(std::string(c.name) + ".wh1", c.content);
    EXPECT_FALSE(LoadWheelDesign(path, messages)) << c.name;
    ASSERT_EQ(messages.messages.size(), 1u) << c.name;
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error) << c.name;
    EXPECT_EQ(messages.messages[0].text, c.text + path) << c.name;
  }
  // A folder in place of the file is no design file.
  EXPECT_THROW(LoadWheelDesign(folder.Path(), messages), EWheelDesignError);
}

// Damaged records of both versions (truncations and random bytes over valid ones) load
// or fail with a message, never crash; whatever loads keeps its counts in range.
TEST_F(LoadWheelDesignTest, DamagedRecordsNeverBreakTheLoader) {
  std::mt19937 rng(12345);
  const std::string seeds[] = {MinimalV2(), SampleV1()};
  int loaded = 0;
  for (int round = 0; round < 400; ++round) {
    std::string d = seeds[round % 2];
    const int flips = 1 + static_cast<int>(rng() % 40);
    for (int i = 0; i < flips; ++i) d[rng() % d.size()] = static_cast<char>(rng());
    if (round % 5 == 0) {
      d[0] = static_cast<char>(1 + round % 2);
      d[1] = 0;
    }
    if (round % 7 == 0) d.resize(rng() % d.size());
    messages.messages.clear();
    auto w = LoadWheelDesign(folder.Write("damaged.wh1", d), messages);
    if (w) {
      ++loaded;
      EXPECT_GE(w->circleCount, 1);
      EXPECT_LE(w->circleCount, WheelMaxCircles);
      EXPECT_GE(w->chartCount, 1);
      EXPECT_LE(w->chartCount, WheelMaxCharts);
      EXPECT_EQ(SerializeWheelDesign(*w).size(), WheelDesignSize);
    } else {
      EXPECT_EQ(messages.messages.size(), 1u);
    }
  }
  EXPECT_GT(loaded, 0);
}

}  // namespace
}  // namespace korvana
