#include "render/wheel_renderer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "render/render_test_support.h"
#include "render/wheel_test_fixture.h"
#include "support/paint_recorder.h"
#include "support/recording_messages.h"

namespace korvana {
namespace {


CalculatedChart SampleChart(double ascendant) {
  CalculatedChart c;
  for (int k = 1; k <= 12; ++k) c.Houses.Cusps[static_cast<std::size_t>(k)] = std::fmod(ascendant + 30.0 * (k - 1), 360.0);
  for (int id = 1; id <= LastPoint; ++id) c.Point(id).Longitude = std::fmod(17.0 * id + 3.5, 360.0);
  c.Point(5).LongitudeSpeed = -0.5;
  return c;
}

// One circle of radius 0.9, outlined black, nothing else.
WheelDesign CirclesOnly() {
  WheelDesign d;
  d.circleCount = 1;
  d.chartCount = 1;
  d.designRadius = 200;
  d.circles[0].radius = 0.9f;
  d.circles[0].outline = true;
  d.circles[0].penWidth = 2;
  return d;
}

bool Dark(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return qRed(p) + qGreen(p) + qBlue(p) < 3 * 128;
}

TEST(WheelGeometry, FixedRotationZeroPutsAriesOnTheLeft) {
  WheelDesign d = CirclesOnly();
  d.fixedRotation = true;
  d.rotationDegrees = 0;
  const CalculatedChart chart = SampleChart(100.0);
  const double rho = WheelRotation(d, &chart);
  EXPECT_EQ(rho, 0.0);
  const QPointF c(200, 200);
  const QPointF aries = WheelPolar(c, 100, 0.0, rho);
  EXPECT_NEAR(aries.x(), 100.0, 1e-9);
  EXPECT_NEAR(aries.y(), 200.0, 1e-9);
  // Counter-clockwise: 90 degrees at the bottom, 180 on the right.
  EXPECT_NEAR(WheelPolar(c, 100, 90.0, rho).y(), 300.0, 1e-9);
  EXPECT_NEAR(WheelPolar(c, 100, 180.0, rho).x(), 300.0, 1e-9);
  // Without fixed rotation the Ascendant is on the left.
  d.fixedRotation = false;
  EXPECT_EQ(WheelRotation(d, &chart), 100.0);
  EXPECT_NEAR(WheelPolar(c, 100, 100.0, WheelRotation(d, &chart)).x(), 100.0, 1e-9);
}

class WheelRenderTest : public ::testing::Test {
 protected:
  ProgramSettings settings = testing::GlyphSettings();
  CalculatedChart chart = SampleChart(100.0);
  testing::RecordingMessages messages;
  WheelRenderInput input;
  void SetUp() override {
    input.charts = {WheelChart{.chart = &chart}};
    input.selection.fill(true);
    input.selection[0] = false;
  }
  QImage Render(const WheelDesign& d, bool* drawn = nullptr) {
    QImage image = testing::WhiteImage(400, 400);
    QPainter painter(&image);
    const bool ok = RenderWheel(painter, QRect(0, 0, 400, 400), d, input, settings, messages);
    painter.end();
    if (drawn) *drawn = ok;
    return image;
  }
};

TEST_F(WheelRenderTest, TooFewChartsShowTheMessageAndDrawNothing) {
  WheelDesign d = CirclesOnly();
  d.chartCount = 2;
  bool drawn = true;
  const QImage image = Render(d, &drawn);
  EXPECT_FALSE(drawn);
  EXPECT_EQ(messages.Only(), "Wheel design has wrong number of charts");
  EXPECT_EQ(testing::TotalInk(image), 0.0);
}

TEST_F(WheelRenderTest, ADesignOfOnlyCirclesDrawsOnlyItsCircles) {
  const QImage image = Render(CirclesOnly());
  EXPECT_TRUE(messages.Empty());
  // The circle of radius 180 about (200, 200) and nothing inside or outside it.
  EXPECT_TRUE(Dark(image, 20, 200));
  EXPECT_TRUE(Dark(image, 200, 380));
  EXPECT_FALSE(Dark(image, 200, 200));
  int inked_inside = 0;
  for (int y = 40; y < 360; y += 4) {
    for (int x = 40; x < 360; x += 4) {
      const double r = std::hypot(x - 200.0, y - 200.0);
      if (r < 170 && Dark(image, x, y)) ++inked_inside;
    }
  }
  EXPECT_EQ(inked_inside, 0);
}

TEST_F(WheelRenderTest, ADialOtherThan360MarksItsCentre) {
  WheelDesign d = CirclesOnly();
  EXPECT_FALSE(Dark(Render(d), 200, 200));
  d.dialDegrees = 90;
  EXPECT_TRUE(Dark(Render(d), 200, 200));
}

// A 90-degree dial has 90 divisions round the wheel, each 4 degrees of the turn.
TEST_F(WheelRenderTest, ANinetyDegreeDialDrawsNinetyDivisionsOfFourDegrees) {
  WheelDesign d = CirclesOnly();
  d.circleCount = 2;
  d.circles[1].radius = 0.7f;
  d.dialDegrees = 90;
  d.fixedRotation = true;
  ZodiacBandStyle& z = d.zodiac[0][0];
  z.band = {2, 1};
  z.longTickInterval = 1;
  z.longTickLength = 0.5f;
  z.ticksOutwards = true;
  testing::PaintRecorder device(400, 400);
  QPainter painter(&device);
  ASSERT_TRUE(RenderWheel(painter, QRect(0, 0, 400, 400), d, input, settings, messages));
  painter.end();
  std::vector<double> angles;
  for (const auto& l : device.recording.lines) {
    const double r1 = QLineF(QPointF(200, 200), l.line.p1()).length();
    if (std::fabs(r1 - 138) > 3) continue;   // from just inside the band's inner circle
    const QPointF p = l.line.p1();
    angles.push_back(std::fmod(std::atan2(p.y() - 200, 200 - p.x()) * 180.0 / M_PI + 360.0, 360.0));
  }
  ASSERT_EQ(angles.size(), 90u);
  std::sort(angles.begin(), angles.end());
  for (std::size_t i = 0; i < angles.size(); ++i) EXPECT_NEAR(angles[i], 4.0 * i, 0.01) << i;
}

TEST_F(WheelRenderTest, BrokenStylesAreSkippedAndSoundOnesDrawn) {
  WheelDesign d = CirclesOnly();
  d.circleCount = 2;
  d.circles[1].radius = 0.6f;
  ZodiacBandStyle& z = d.zodiac[0][0];
  z.band = {2, 1};
  z.longTickInterval = 0;       // no long ticks and no sector symbols
  z.mediumTickInterval = 0;
  z.shortTickInterval = 1;      // a short tick at every degree
  z.shortTickLength = 0.5f;
  z.ticksOutwards = true;
  d.cusps[0][0].band = {25, 1};   // outside the circle table: skipped
  d.cusps[0][0].colorAngular = MakeColor(0, 0, 0);
  d.aspects.circle = {2, 2};
  d.aspects.chart = {1, 3};       // a chart the drawing does not have
  d.pointRings[0].band = {0, 2};
  const QImage image = Render(d);
  EXPECT_TRUE(messages.Empty());
  // The short ticks fill the inner half of the band; its outer half stays clear.
  int inner_ink = 0, outer_ink = 0;
  for (int a = 0; a < 360; a += 3) {
    const double t = a * 3.141592653589793 / 180.0;
    inner_ink += Dark(image, static_cast<int>(200 + 130 * std::cos(t)), static_cast<int>(200 + 130 * std::sin(t)));
    outer_ink += Dark(image, static_cast<int>(200 + 165 * std::cos(t)), static_cast<int>(200 + 165 * std::sin(t)));
  }
  EXPECT_GT(inner_ink, 30);
  EXPECT_EQ(outer_ink, 0);
}

TEST_F(WheelRenderTest, TheShippedDesignDrawsEveryPart) {
  testing::RecordingMessages load_messages;
  auto design = LoadWheelDesign(std::string(KORVANA_TEMPLATE_DIR) + "/userdata/uni5.wh1",
                                load_messages);
  ASSERT_TRUE(design) << load_messages.Only();
  const QImage full = Render(*design);
  EXPECT_TRUE(messages.Empty());
  // Ink in each ring: zodiac band, point ring, house numbers; sector colours present.
  const auto ring_ink = [&](const QImage& image, double r_from, double r_to) {
    int inked = 0;
    for (int a = 0; a < 360; ++a) {
      const double t = a * 3.141592653589793 / 180.0;
      for (double r = r_from; r < r_to; r += 2) {
        inked += Dark(image, static_cast<int>(200 + r * std::cos(t)), static_cast<int>(200 + r * std::sin(t)));
      }
    }
    return inked;
  };
  EXPECT_GT(ring_ink(full, 158, 178), 200) << "zodiac band";
  EXPECT_GT(ring_ink(full, 102, 154), 200) << "point ring";
  // Hiding every point clears the point ring but keeps the zodiac band.
  input.selection.fill(false);
  const QImage empty = Render(*design);
  EXPECT_LT(ring_ink(empty, 104, 152), ring_ink(full, 104, 152) / 4);
  EXPECT_EQ(ring_ink(empty, 158, 178), ring_ink(full, 158, 178));
  const QRgb sector = full.pixel(200, 200 - 172);
  EXPECT_GT(qRed(sector), qBlue(sector)) << "sign sectors take their light colour";
}

}  // namespace
}  // namespace korvana
