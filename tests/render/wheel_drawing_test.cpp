#include "render/wheel_drawing.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "render/render_test_support.h"
#include "support/recording_messages.h"

namespace korvana {
namespace {

TEST(WheelArea, MarginsSquaringAndAlignment) {
  struct Case { QRect rect; int kind, h, v; QRect area; };
  const Case cases[] = {
      {QRect(0, 0, 400, 600), kWheelScreen, 0, 1, QRect(0, 0, 400, 400)},     // keeps top
      {QRect(0, 0, 400, 600), kWheelScreen, 0, 2, QRect(0, 200, 400, 400)},   // keeps bottom
      {QRect(0, 0, 400, 600), kWheelScreen, 0, 0, QRect(0, 0, 400, 600)},     // centred in it
      {QRect(10, 0, 600, 400), kWheelScreen, 1, 0, QRect(10, 0, 400, 400)},   // keeps left
      {QRect(10, 0, 600, 400), kWheelScreen, 2, 0, QRect(210, 0, 400, 400)},  // keeps right
      // Printer: left += 2 * round(w / 20), top += round(h / 20), bottom -= round(h / 20).
      {QRect(0, 0, 1000, 1000), kWheelPrinter, 1, 0, QRect(100, 50, 900, 900)},
      {QRect(0, 0, 1000, 1000), kWheelPdf, 1, 0, QRect(0, 0, 1000, 1000)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WheelArea(c.rect, c.kind, c.h, c.v), c.area)
        << c.rect.width() << "x" << c.rect.height() << " kind " << c.kind << " h " << c.h
        << " v " << c.v;
  }
}

class WheelDrawingTest : public ::testing::Test {
 protected:
  ProgramSettings settings;
  CalculatedChart first, second;
  testing::RecordingMessages messages;
  WheelRequest request;
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
    request.input.selection.fill(true);
    request.input.charts = {WheelChart{&first}};
    request.rect = QRect(0, 0, 800, 400);
  }
  QImage Draw() {
    QImage image = testing::WhiteImage(800, 400);
    QPainter painter(&image);
    DrawChartWheel(painter, request, settings, messages);
    return image;
  }
  static double Ink(const QImage& image, QRect r) { return testing::TotalInk(image.copy(r)); }
};

TEST_F(WheelDrawingTest, BiWheelWithOneChartAsksForTheSecond) {
  request.design_file = settings.BiWheel;
  const QImage image = Draw();
  EXPECT_TRUE(messages.Empty()) << messages.Only();
  EXPECT_GT(Ink(image, QRect(0, 0, 400, 400)), 0.05) << "the first wheel on the left";
  const double right = Ink(image, QRect(400, 0, 400, 400));
  EXPECT_GT(right, 0.0) << "the message on the right";
  EXPECT_LT(right, 0.02) << "no wheel on the right";
  EXPECT_EQ(Ink(image, QRect(400, 0, 400, 150)), 0.0) << "the message is centred";

  // The same chart twice counts as one.
  request.input.charts = {WheelChart{&first}, WheelChart{&first}};
  EXPECT_LT(Ink(Draw(), QRect(400, 0, 400, 400)), 0.02);
}

TEST_F(WheelDrawingTest, BiWheelWithTwoChartsDrawsBothSideBySide) {
  request.design_file = settings.BiWheel;
  request.input.charts = {WheelChart{&first}, WheelChart{&second}};
  const QImage image = Draw();
  EXPECT_GT(Ink(image, QRect(0, 0, 400, 400)), 0.05);
  EXPECT_GT(Ink(image, QRect(400, 0, 400, 400)), 0.05);
  EXPECT_TRUE(messages.Empty());
}

TEST_F(WheelDrawingTest, ATwoChartDesignWithOneChartShowsTheMessage) {
  settings.BiWheel = "other.wh2";
  request.design_file = std::string(KORVANA_TEMPLATE_DIR) + "/userdata/biinter.wh2";
  const QImage image = Draw();
  EXPECT_EQ(messages.Only(), "Wheel design has wrong number of charts");
  EXPECT_EQ(testing::TotalInk(image), 0.0);
  messages.messages.clear();
  request.input.charts = {WheelChart{&first}, WheelChart{&second}};
  EXPECT_GT(testing::TotalInk(Draw()), 0.05);
  EXPECT_TRUE(messages.Empty());
}

TEST_F(WheelDrawingTest, AMissingDesignDrawsNothingQuietly) {
  request.design_file = "/nonexistent/none.wh1";
  EXPECT_EQ(testing::TotalInk(Draw()), 0.0);
  EXPECT_TRUE(messages.Empty());
}

}  // namespace
}  // namespace korvana
