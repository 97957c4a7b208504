#include "render/wheel_drawing.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "render/render_test_support.h"
#include "support/paint_recorder.h"
#include "support/recording_messages.h"

namespace korvana {
namespace {

TEST(WheelArea, MarginsSquaringAndAlignment) {
  struct Case { QRect rect; int kind, h, v; QRect area; };
  const Case cases[] = {
      {QRect(0, 0, 400, 600), WheelScreen, 0, 1, QRect(0, 0, 400, 400)},     // keeps top
      {QRect(0, 0, 400, 600), WheelScreen, 0, 2, QRect(0, 200, 400, 400)},   // keeps bottom
      {QRect(0, 0, 400, 600), WheelScreen, 0, 0, QRect(0, 0, 400, 600)},     // centred in it
      {QRect(10, 0, 600, 400), WheelScreen, 1, 0, QRect(10, 0, 400, 400)},   // keeps left
      {QRect(10, 0, 600, 400), WheelScreen, 2, 0, QRect(210, 0, 400, 400)},  // keeps right
      // Printer: left += 2 * round(w / 20), top += round(h / 20), bottom -= round(h / 20).
      {QRect(0, 0, 1000, 1000), WheelPrinter, 1, 0, QRect(100, 50, 900, 900)},
      {QRect(0, 0, 1000, 1000), WheelPdf, 1, 0, QRect(0, 0, 1000, 1000)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WheelArea(c.rect, c.kind, c.h, c.v), c.area)
        << c.rect.width() << "x" << c.rect.height() << " kind " << c.kind << " h " << c.h
        << " v " << c.v;
  }
}

TEST(WheelDetailsRect, TopStripOfTheReceivedRectangle) {
  struct Case { QRect rect; int kind; QRect details; };
  const Case cases[] = {
      {QRect(0, 0, 800, 400), WheelScreen, QRect(0, 0, 800, 80)},      // 0.2 x 400
      {QRect(5, 7, 400, 800), WheelPdf, QRect(5, 7, 400, 120)},        // 0.2 x 0.75 x 800
      {QRect(0, 0, 400, 400), WheelScreen, QRect(0, 0, 400, 80)},      // square: full height
      // Printer: top and bottom margins of round(h / 20), the left edge kept.
      {QRect(0, 0, 1000, 1000), WheelPrinter, QRect(0, 50, 1000, 180)},
      {QRect(10, 0, 600, 1000), WheelPrinter, QRect(10, 50, 600, 135)},  // 0.2 x 0.75 x 900
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WheelDetailsRect(c.rect, c.kind), c.details)
        << c.rect.width() << "x" << c.rect.height() << " kind " << c.kind;
  }
}

WheelChart ChartWithRecord(const CalculatedChart& chart) {
  WheelChart w;
  w.chart = &chart;
  w.record = &chart.Chart;
  return w;
}

class WheelDrawingTest : public ::testing::Test {
 protected:
  ProgramSettings settings;
  CalculatedChart first, second;
  testing::RecordingMessages messages;
  WheelRequest request;
  // The design file drawn and whether the set is a composite set: loaded into the
  // request, with its layout, just before each drawing.
  std::string designFile;
  bool compositeSet = false;
  LoadedWheel loaded;
  const WheelRequest& Prepared() {
    loaded = LoadWheelForLayout(designFile, compositeSet, request.report, settings, messages);
    request.design = loaded.design ? &*loaded.design : nullptr;
    request.layout = loaded.layout;
    return request;
  }
  void SetUp() override {
    const std::string dir = std::string(KORVANA_TEMPLATE_DIR) + "/userdata/";
    settings.DefWheel = dir + "uni5.wh1";
    settings.BiWheel = dir + "biinter.wh2";
    for (int k = 1; k <= 12; ++k) {
      first.Houses.Cusps[static_cast<std::size_t>(k)] = 30.0 * (k - 1);
      second.Houses.Cusps[static_cast<std::size_t>(k)] = 30.0 * (k - 1) + 7;
    }
    for (int id = 1; id <= LastPoint; ++id) {
      first.Point(id).Longitude = 10.0 * id;
      second.Point(id).Longitude = 10.0 * id + 3;
    }
    first.Chart.Name = "First Chart";
    second.Chart.Name = "Second Chart";
    request.input.selection.fill(true);
    request.input.charts = {WheelChart{.chart = &first}};
    request.rect = QRect(0, 0, 800, 400);
  }
  QImage Draw() {
    QImage image = testing::WhiteImage(800, 400);
    QPainter painter(&image);
    DrawChartWheel(painter, Prepared(), settings, messages);
    return image;
  }
  static double Ink(const QImage& image, QRect r) { return testing::TotalInk(image.copy(r)); }
  // The texts of the drawing, recorded.
  std::vector<testing::RecordedText> Record(testing::PaintRecorder& device) {
    device.recording = {};
    {
      QPainter painter(&device);
      DrawChartWheel(painter, Prepared(), settings, messages);
    }
    return device.Lines();
  }
  static bool Has(const testing::PaintRecorder& device, const char* text) {
    return device.Find(QString::fromUtf8(text)).has_value();
  }
};

constexpr const char* CompositeMessage = "Use Chart>New or Chart>Open to select the 2nd chart";

TEST_F(WheelDrawingTest, BiWheelWithOneChartAsksForTheSecond) {
  designFile = settings.BiWheel;
  const QImage image = Draw();
  EXPECT_TRUE(messages.Empty()) << messages.Only();
  EXPECT_GT(Ink(image, QRect(0, 0, 400, 400)), 0.05) << "the first wheel on the left";
  const double right = Ink(image, QRect(400, 0, 400, 400));
  EXPECT_GT(right, 0.0) << "the message on the right";
  EXPECT_LT(right, 0.02) << "no wheel on the right";
  EXPECT_EQ(Ink(image, QRect(400, 0, 400, 150)), 0.0) << "the message is centred";

  // The same chart twice counts as one.
  request.input.charts = {WheelChart{.chart = &first}, WheelChart{.chart = &first}};
  EXPECT_LT(Ink(Draw(), QRect(400, 0, 400, 400)), 0.02);
}

TEST_F(WheelDrawingTest, BiWheelWithTwoChartsDrawsBothSideBySide) {
  designFile = settings.BiWheel;
  request.input.charts = {WheelChart{.chart = &first}, WheelChart{.chart = &second}};
  const QImage image = Draw();
  EXPECT_GT(Ink(image, QRect(0, 0, 400, 400)), 0.05);
  EXPECT_GT(Ink(image, QRect(400, 0, 400, 400)), 0.05);
  EXPECT_TRUE(messages.Empty());
}

TEST_F(WheelDrawingTest, ATwoChartDesignWithOneChartShowsTheMessage) {
  settings.BiWheel = "other.wh2";
  designFile = std::string(KORVANA_TEMPLATE_DIR) + "/userdata/biinter.wh2";
  const QImage image = Draw();
  EXPECT_EQ(messages.Only(), "Wheel design has wrong number of charts");
  EXPECT_EQ(testing::TotalInk(image), 0.0);
  messages.messages.clear();
  request.input.charts = {WheelChart{.chart = &first}, WheelChart{.chart = &second}};
  EXPECT_GT(testing::TotalInk(Draw()), 0.05);
  EXPECT_TRUE(messages.Empty());
}

TEST_F(WheelDrawingTest, AMissingDesignDrawsNothingQuietly) {
  designFile = "/nonexistent/none.wh1";
  EXPECT_EQ(testing::TotalInk(Draw()), 0.0);
  EXPECT_TRUE(messages.Empty());
}

TEST_F(WheelDrawingTest, DetailsBlocksAtTheTopLeftAndTopRight) {
  testing::PaintRecorder device(800, 400);
  designFile = settings.DefWheel;
  request.input.charts = {ChartWithRecord(first)};
  Record(device);
  EXPECT_TRUE(messages.Empty()) << messages.Only();
  const auto name = device.Find("First Chart");
  ASSERT_TRUE(name.has_value());
  // Details rectangle (0, 0, 800, 80): font height round(80 / 7.3) = 11, the name 1.3 x.
  EXPECT_EQ(name->font.pixelSize(), 14);
  EXPECT_NEAR(name->baseline.x(), 0, 0.01);
  EXPECT_NEAR(device.Top(*name), 0, 0.01);
  EXPECT_TRUE(Has(device, "Tropical Placidus"));

  // A two-chart design: the second chart's block is right-aligned at the right edge.
  settings.BiWheel = "other.wh2";
  designFile = std::string(KORVANA_TEMPLATE_DIR) + "/userdata/biinter.wh2";
  request.input.charts = {ChartWithRecord(first), ChartWithRecord(second)};
  Record(device);
  const auto right = device.Find("Second Chart");
  ASSERT_TRUE(right.has_value());
  EXPECT_NEAR(right->baseline.x() + device.Advance(*right), 800, 0.01);
  EXPECT_NEAR(device.Find("First Chart")->baseline.x(), 0, 0.01);

  // No block for a chart without a record, none when the wheel is not drawn.
  request.input.charts = {WheelChart{.chart = &first}, ChartWithRecord(second)};
  Record(device);
  EXPECT_FALSE(Has(device, "First Chart"));
  EXPECT_TRUE(Has(device, "Second Chart"));
  request.input.charts = {ChartWithRecord(first)};
  EXPECT_TRUE(Record(device).empty());
  EXPECT_EQ(messages.Only(), "Wheel design has wrong number of charts");
}

TEST_F(WheelDrawingTest, ACompositeSetOnScreenShowsBothSourceCharts) {
  testing::PaintRecorder device(800, 400);
  designFile = settings.DefWheel;
  compositeSet = true;
  request.input.charts = {ChartWithRecord(first)};
  Record(device);
  const auto message = device.Find(CompositeMessage);
  ASSERT_TRUE(message.has_value()) << "the message asks for the second chart";
  EXPECT_NEAR(message->baseline.x() + device.Advance(*message) / 2, 600, 1.0) << "centred";
  EXPECT_GT(device.Top(*message), 150);
  EXPECT_NEAR(device.Find("First Chart")->baseline.x(), 0, 0.01);

  // The same chart twice also asks for the second.
  request.input.charts = {ChartWithRecord(first), ChartWithRecord(first)};
  Record(device);
  EXPECT_TRUE(Has(device, CompositeMessage));

  // Two source charts: each in its half, with its own details, no message.
  request.input.charts = {ChartWithRecord(first), ChartWithRecord(second)};
  Record(device);
  EXPECT_FALSE(Has(device, CompositeMessage));
  EXPECT_NEAR(device.Find("First Chart")->baseline.x(), 0, 0.01);
  EXPECT_NEAR(device.Find("Second Chart")->baseline.x(), 400, 0.01);
  EXPECT_TRUE(messages.Empty()) << messages.Only();

  // Not with the two-chart default design: that keeps its own message.
  designFile = settings.BiWheel;
  request.input.charts = {ChartWithRecord(first)};
  Record(device);
  EXPECT_FALSE(Has(device, CompositeMessage));
  EXPECT_TRUE(Has(device, "Use Chart > New or Chart > Open to select 2nd chart"));
}

TEST_F(WheelDrawingTest, ACompositeSetInAReportDrawsTheCompositeWithTheSourceNames) {
  testing::PaintRecorder device(800, 400);
  CalculatedChart composite = first;
  composite.Chart.Name = "Anna and Ben";
  composite.Chart.ChartType = ChartTypeCombined;
  composite.Chart.ChartSubType = 2;
  composite.Chart.Place = "London";
  designFile = settings.DefWheel;
  compositeSet = true;
  request.report = true;
  request.compositeSourceNames = {"Anna", "Ben"};
  request.input.charts = {ChartWithRecord(composite), ChartWithRecord(composite)};
  const std::vector<testing::RecordedText> lines = Record(device);
  EXPECT_FALSE(Has(device, CompositeMessage));
  EXPECT_FALSE(Has(device, "Anna and Ben"));
  const auto anna = device.Find("Anna"), ben = device.Find("Ben");
  ASSERT_TRUE(anna && ben);
  EXPECT_NEAR(device.Top(*ben) - device.Top(*anna), 14 + 2, 0.01);
  EXPECT_TRUE(Has(device, "Composite - Midpoints"));
  EXPECT_FALSE(Has(device, "London")) << "no place for a midpoint composite in a report";
}

TEST_F(WheelDrawingTest, AReturnChartLeftInTheFirstSlotIsReplacedByTheSecond) {
  testing::PaintRecorder device(800, 400);
  first.Chart.ChartType = ChartTypeReturn;
  first.Chart.ChartSubType = 5;
  designFile = settings.DefWheel;
  request.input.charts = {ChartWithRecord(first), ChartWithRecord(second)};
  EXPECT_TRUE(FirstSlotNeedsRestore(Prepared()));
  Record(device);
  EXPECT_TRUE(Has(device, "Second Chart"));
  EXPECT_FALSE(Has(device, "First Chart"));

  // A set with return reports keeps the return chart.
  request.returnReports = true;
  EXPECT_FALSE(FirstSlotNeedsRestore(Prepared()));
  Record(device);
  EXPECT_TRUE(Has(device, "First Chart"));
  EXPECT_FALSE(Has(device, "Second Chart"));
}

TEST_F(WheelDrawingTest, WhenTheFirstSlotIsRestored) {
  CalculatedChart natal = second, ret = first;
  ret.Chart.ChartType = ChartTypeReturn;
  struct Case { const CalculatedChart* a; const CalculatedChart* b; bool returns; bool bi; bool restore; };
  const Case cases[] = {
      {&ret, &natal, false, false, true},
      {&ret, &natal, true, false, false},     // the set has return reports
      {&natal, &ret, false, false, false},    // the return chart is in the second slot
      {&ret, nullptr, false, false, false},   // nothing to restore from
      {&ret, &natal, false, true, false},     // the two-chart default design
  };
  int n = 0;
  for (const Case& c : cases) {
    request.returnReports = c.returns;
    designFile = c.bi ? settings.BiWheel : settings.DefWheel;
    request.input.charts = {WheelChart{.chart = c.a}};
    if (c.b) request.input.charts.push_back(WheelChart{.chart = c.b});
    EXPECT_EQ(FirstSlotNeedsRestore(Prepared()), c.restore) << "case " << n;
    ++n;
  }
}

}  // namespace
}  // namespace korvana
