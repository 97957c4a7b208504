#include "render/chart_details.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>
#include <limits>

#include "render/glyphs.h"
#include "support/paint_recorder.h"

namespace korvana {
namespace {

std::vector<std::string> Texts(const std::vector<ChartDetailsLine>& lines) {
  std::vector<std::string> out;
  for (const ChartDetailsLine& l : lines) out.push_back(l.text);
  return out;
}

class ChartDetailsTest : public ::testing::Test {
 protected:
  ProgramSettings settings;
  ChartRecord chart;
  ChartDetailsOptions options;
  void SetUp() override {
    settings.MonthFirst = false;
    settings.AMPM = true;
    chart.Name = "Anna Smith";
    chart.EventKind = EventFemale;
    chart.Moment = DateTimeRec{2016, 12, 15, 15, 45, 0, calAuto};
    chart.Place = "London";
    chart.Country = "England";
    chart.ZoneHours = 5.0f;
    chart.ZoneAbbrev = "EST";
    chart.Latitude = 51.5;
    chart.Longitude = -0.25;
    chart.Zodiac = 0;
    options.houseSystem = 5;
  }
  std::vector<std::string> Lines() { return Texts(ChartDetailsLines(chart, options, settings)); }
};

TEST_F(ChartDetailsTest, LinesOfANatalChart) {
  const std::vector<ChartDetailsLine> lines = ChartDetailsLines(chart, options, settings);
  const std::vector<ChartDetailsLine> expected = {
      {"Anna Smith", true, false, 1.3},
      {"Female", false, false, 1.0},
      {"15 Dec 2016 3:45 pm EST +5:00", false, false, 1.0},
      {"London, England", false, false, 1.0},
      {"51°N30' 000°E15'", false, false, 1.0},
      {"Tropical Placidus", false, true, 1.0},
  };
  EXPECT_EQ(Texts(lines), Texts(expected));
  EXPECT_EQ(lines, expected);
}

TEST_F(ChartDetailsTest, DateTimeAndZoneFollowTheSettings) {
  settings.MonthFirst = true;
  EXPECT_EQ(Lines()[2], "Dec 15 2016 3:45 pm EST +5:00");
  settings.AMPM = false;
  EXPECT_EQ(Lines()[2], "Dec 15 2016 15:45 EST +5:00");
  chart.Moment.Hour = 0;
  chart.Moment.Minute = 15;
  chart.Moment.Second = 7;
  settings.AMPM = true;
  EXPECT_EQ(Lines()[2], "Dec 15 2016 0:15:07 am EST +5:00");
  // No clock time for a chart without one; a numeric zone has no abbreviation.
  options.hasTime = false;
  chart.ZoneAbbrev.clear();
  chart.ZoneHours = -9.5f;
  EXPECT_EQ(Lines()[2], "Dec 15 2016 -9:30");
}

TEST_F(ChartDetailsTest, CountryOnlyWhenPlaceAndCountryFitFifteenCharacters) {
  struct Case { const char* place; const char* country; const char* line; };
  const Case cases[] = {
      {"London", "England", "London, England"},              // 13
      {"Los Angeles", "Cali", "Los Angeles, Cali"},          // 15: still joined
      {"Los Angeles", "Calif", "Los Angeles"},               // 16
      {"Zürich", "Schweiz", "Zürich, Schweiz"},               // 13 characters, 14 bytes
      {"Zürichsee", "Schweiz", "Zürichsee"},                  // 16 characters
      {"Paris", "", "Paris"},                                // no country
  };
  for (const Case& c : cases) {
    chart.Place = c.place;
    chart.Country = c.country;
    EXPECT_EQ(Lines()[3], c.line) << c.place << " / " << c.country;
  }
}

TEST_F(ChartDetailsTest, GeocentricLatitudeAndParallax) {
  chart.GeocentricLat = true;
  chart.ParallaxMoon = true;
  chart.Latitude = -33.8666667;
  chart.Longitude = 151.2166667 * -1;
  chart.Zodiac = 2;
  options.houseSystem = 2;
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[4], "33°S52' (G) 151°E13'");
  EXPECT_EQ(lines[5], "Lahiri Koch");
  EXPECT_EQ(lines[6], "Parallax");
}

TEST_F(ChartDetailsTest, CompositeChartsInReports) {
  chart.Name = "Anna and Ben";
  chart.ChartType = ChartTypeCombined;
  chart.ChartSubType = 2;  // midpoint composite
  chart.Place.clear();
  chart.Country.clear();
  // On screen a midpoint composite shows its moment and place lines.
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Anna and Ben", "Composite - Midpoints",
                                               "15 Dec 2016 3:45 pm EST +5:00", "",
                                               "51°N30' 000°E15'", "Tropical Placidus"}));
  // In a report: the two source names, the title and the calculation choices only.
  options.report = true;
  options.sourceNames = {"Anna Smith", "Ben Jones"};
  const std::vector<ChartDetailsLine> lines = ChartDetailsLines(chart, options, settings);
  EXPECT_EQ(Texts(lines), (std::vector<std::string>{"Anna Smith", "Ben Jones",
                                                    "Composite - Midpoints",
                                                    "Tropical Placidus"}));
  EXPECT_TRUE(lines[0].bold && lines[1].bold);
  EXPECT_DOUBLE_EQ(lines[1].sizeFactor, 1.3);
  // A Davison chart in a report is a real chart: its moment and place stay.
  chart.ChartSubType = 15;
  chart.Place = "Midpoint in Space";
  const std::vector<std::string> davison = Lines();
  ASSERT_EQ(davison.size(), 7u);
  EXPECT_EQ(davison[2], "Relationship - Davison");
  EXPECT_EQ(davison[4], "Midpoint in Space");
}

TEST_F(ChartDetailsTest, DamagedRecordsStillGiveLines) {
  chart.ChartType = 99;
  chart.ChartSubType = -4;
  chart.Zodiac = 200;
  chart.Moment.Month = 0;
  chart.Moment.Hour = 200;
  chart.Latitude = std::nan("");
  chart.Longitude = 1e300;
  chart.ZoneHours = std::numeric_limits<float>::infinity();
  options.houseSystem = 99;
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[4], "? ?");
  EXPECT_EQ(lines[5], "Tropical");
}

TEST(ChartDetailsFamily, TextFaceByOutputAndSize) {
  ProgramSettings settings;
  settings.ScreenTTFont = "Courier";
  struct Case { int kind, pixels; double dpi; QString family; };
  const Case cases[] = {
      {1, 20, 96, ResolveFontFamily("Arial")},
      {2, 200, 96, ResolveFontFamily("Arial")},
      {0, 20, 96, ResolveFontFamily("ZP Sans Serif")},   // 15 points
      {0, 9, 96, ResolveFontFamily("ZP Sans Serif")},    // 7 points (6.75 rounded)
      {0, 8, 96, QStringLiteral("Courier")},             // 6 points
      {0, 22, 96, ResolveFontFamily("ZP Sans Serif")},   // 16.5 points, rounded to even: 16
      {0, 23, 96, QStringLiteral("Courier")},            // 17 points
      {0, 40, 192, ResolveFontFamily("ZP Sans Serif")},  // 15 points on a finer canvas
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChartDetailsFamily(c.kind, c.pixels, c.dpi, settings), c.family)
        << "kind " << c.kind << " pixels " << c.pixels << " dpi " << c.dpi;
  }
}

// The drawn block: sizes, sides and line positions.
class ChartDetailsDrawingTest : public ChartDetailsTest {
 protected:
  std::vector<testing::RecordedText> Draw(testing::PaintRecorder& device, const QRect& rect,
                                       int side, int kind, bool from_top) {
    {
      QPainter painter(&device);
      DrawChartDetails(painter, chart, rect, side, kind, from_top, settings, options);
    }
    return device.Lines();
  }
};

TEST_F(ChartDetailsDrawingTest, LinesRunDownFromTheTopAtTheChosenSide) {
  const QRect rect(100, 50, 400, 146);  // font height round(146 / 7.3) = 20
  const std::vector<std::string> expected = Lines();
  for (int side : {DetailsLeft, DetailsRight, DetailsCentre}) {
    testing::PaintRecorder device(1000, 1000);
    const std::vector<testing::RecordedText> lines = Draw(device, rect, side, 2, true);
    ASSERT_EQ(lines.size(), expected.size());
    double top = 50;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const testing::RecordedText& line = lines[i];
      SCOPED_TRACE("side " + std::to_string(side) + " line " + std::to_string(i));
      EXPECT_EQ(line.text.toStdString(), expected[i]);
      const int size = i == 0 ? 26 : 20;
      EXPECT_EQ(line.font.pixelSize(), size);
      EXPECT_EQ(line.font.bold(), i == 0);
      EXPECT_EQ(line.font.italic(), i == 5);
      EXPECT_EQ(line.font.family(), ResolveFontFamily("Arial"));
      EXPECT_EQ(line.colour, QColor(Qt::black));
      EXPECT_NEAR(device.Top(line), top, 0.01);
      top += size + 2;
      const double left = line.baseline.x(), right = left + device.Advance(line);
      const double edge = side == DetailsLeft ? left : side == DetailsRight ? right : (left + right) / 2;
      EXPECT_NEAR(edge, side == DetailsLeft ? 100 : side == DetailsRight ? 500 : 300, 0.01);
    }
  }
}

TEST_F(ChartDetailsDrawingTest, FromTheBottomTheBlockEndsAtTheBottom) {
  chart.ParallaxMoon = true;
  testing::PaintRecorder device(1000, 1000);
  const std::vector<testing::RecordedText> lines = Draw(device, QRect(0, 300, 400, 146), 0, 0, false);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines.front().text, "Anna Smith");
  EXPECT_EQ(lines.back().text, "Parallax");
  EXPECT_NEAR(device.Top(lines.back()) + 20 + 2, 446, 0.01);
  EXPECT_NEAR(device.Top(lines.front()), 446 - (26 + 2) - 6 * (20 + 2), 0.01);
}

TEST_F(ChartDetailsDrawingTest, ThePrinterScalesByTheCanvasResolution) {
  const QRect rect(0, 0, 400, 146);
  testing::PaintRecorder fine(1000, 1000, 192);
  std::vector<testing::RecordedText> lines = Draw(fine, rect, 0, 1, true);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0].font.pixelSize(), 52);
  EXPECT_EQ(lines[1].font.pixelSize(), 40);
  EXPECT_NEAR(fine.Top(lines[1]), 52 + 2, 0.01);
  // Report pictures (kind 2) and the screen do not scale.
  testing::PaintRecorder pdf(1000, 1000, 192);
  lines = Draw(pdf, rect, 0, 2, true);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[1].font.pixelSize(), 20);
}

TEST_F(ChartDetailsDrawingTest, ARectangleTooLowDrawsNothing) {
  testing::PaintRecorder device(100, 100);
  EXPECT_TRUE(Draw(device, QRect(0, 0, 100, 3), 0, 0, true).empty());
  EXPECT_FALSE(Draw(device, QRect(0, 0, 100, 4), 0, 0, true).empty());
}

}  // namespace
}  // namespace korvana
