// Point rings with house expansion (cusps stepping aside around spread points) and the
// extra-point rings, checked on the recorded drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/wheels/wheel_spreading.h"
#include "render/glyphs.h"
#include "render/wheel_test_fixture.h"

namespace korvana {
namespace {

using testing::AngleApart;
using testing::InkNear;
using testing::LineBetween;
using testing::PathFromTo;
using testing::SpotOf;

const QColor CuspInk(0, 128, 0);
const std::array<double, 12> Cusps = {100, 125, 160, 190, 220, 250, 280, 305, 340, 10, 40, 70};

// Circles at R x 0.95, 0.75, 0.55, 0.35 (285, 225, 165, 105 on the 600 canvas); chart 1's
// cusps from circle 4 to circle 1, its point ring between circles 4 and 3, its extra-point
// ring between circles 3 and 2.
WheelDesign RingDesign() {
  WheelDesign d;
  d.chartCount = 1;
  d.designRadius = 300;
  testing::SetCircle(d, 1, 0.95f);
  testing::SetCircle(d, 2, 0.75f);
  testing::SetCircle(d, 3, 0.55f);
  testing::SetCircle(d, 4, 0.35f);
  CuspStyle& c = d.cusps[0][0];
  c.band = {4, 1};
  c.colorAngular = c.colorOther = MakeColor(0, 128, 0);
  c.penWidthAngular = c.penWidthOther = 2;   // w = 1
  PointRingStyle& ring = d.pointRings[0];
  ring.band = {4, 3};
  ring.radius = {0.5f, 0.8f, 0, 0.2f, 0};
  ring.glyphFontSize = ring.degreeFontSize = ring.minuteFontSize = 9;
  PointRingStyle& extra = d.extraRings[0];
  extra.band = {3, 2};
  extra.radius = {0.5f, 0.85f, 0, 0.15f, 0.3f};   // name, degree, -, minute, retrograde
  extra.glyphFontSize = extra.degreeFontSize = extra.minuteFontSize = 9;
  return d;
}

class WheelRingsTest : public ::testing::Test {
 protected:
  ProgramSettings settings = testing::GlyphSettings();
  // Seven points crowded near the end of house 1 (100..125): more than it has room for, so
  // they spill past cusp 2 and cusp 2 steps aside.
  CalculatedChart chart = testing::ChartWith(
      Cusps, {{1, 115}, {2, 116}, {3, 117}, {4, 118}, {5, 119}, {6, 120}, {7, 121}});
  WheelRenderInput input;
  WheelDesign design = RingDesign();
  double rho = Cusps[0];

  void SetUp() override {
    input.charts = {testing::ChartOnly(&chart)};
    for (int id = 1; id <= 7; ++id) input.selection[static_cast<std::size_t>(id)] = true;
  }
  QPointF At(double r, double lon) const { return WheelPolar(testing::WheelCentre, r, lon, rho); }
  // Where the spreading displays cusp 2 with house expansion.
  double DisplayedCusp2() const {
    std::array<double, WheelPointCount + 1> lon{};
    for (int id = 1; id <= LastPoint; ++id) lon[static_cast<std::size_t>(id)] = chart.Longitude(id);
    PointList list = BuildPointList(lon, input.selection, false, false);
    WheelCusps cusps{}, offsets{};
    for (int k = 1; k <= 12; ++k) cusps[static_cast<std::size_t>(k)] = Cusps[static_cast<std::size_t>(k - 1)];
    SpreadPoints(list, lon, cusps, &offsets);
    return 125.0 + offsets[2];
  }
  testing::PaintRecording Record() const { return testing::RecordWheel(design, input, settings); }
};

TEST_F(WheelRingsTest, WithoutHouseExpansionCuspsCrossThePointRingStraight) {
  const auto r = Record();
  EXPECT_TRUE(LineBetween(r, At(106, 125), At(284, 125), CuspInk));
  EXPECT_TRUE(LineBetween(r, At(106, 160), At(284, 160), CuspInk));
}

TEST_F(WheelRingsTest, HouseExpansionStepsACuspAsideWithPiecesAndArcs) {
  settings.HouseExpansion = true;
  const double mu = DisplayedCusp2();
  ASSERT_GT(mu - 125.0, 6.0) << "the fixture must push cusp 2 aside";
  const auto r = Record();
  // Ring 105..165: e = 3, w = 1. Out along the true cusp, across at r_in + e, along the
  // displayed cusp, back across at r_out - e, and out along the true cusp again.
  EXPECT_TRUE(LineBetween(r, At(106, 125), At(107, 125), CuspInk));
  EXPECT_TRUE(LineBetween(r, At(109, mu), At(161, mu), CuspInk));
  EXPECT_TRUE(LineBetween(r, At(163, 125), At(164, 125), CuspInk));
  for (double radius : {108.0, 162.0}) {
    const testing::RecordedShape* arc = PathFromTo(r, At(radius, 125), At(radius, mu), CuspInk);
    ASSERT_NE(arc, nullptr) << "arc at radius " << radius;
    // The shorter way round, about the wheel's centre.
    const auto middle = SpotOf(arc->path.pointAtPercent(0.5), rho);
    EXPECT_NEAR(middle.radius, radius, 1.0);
    EXPECT_LT(AngleApart(middle.longitude, (125 + mu) / 2), 1.0);
  }
  // Nothing on the true cusp inside the ring; the cusp beyond the ring is still drawn.
  EXPECT_FALSE(InkNear(r, At(135, 125), CuspInk));
  EXPECT_TRUE(LineBetween(r, At(166, 125), At(284, 125), CuspInk));
  // A cusp without offset crosses the ring as one line, and the rest of its band.
  EXPECT_TRUE(LineBetween(r, At(106, 160), At(164, 160), CuspInk));
  EXPECT_TRUE(LineBetween(r, At(166, 160), At(284, 160), CuspInk));
}

TEST_F(WheelRingsTest, HouseExpansionNeedsAnOrdinaryDial) {
  settings.HouseExpansion = true;
  design.dialDegrees = 90;
  const auto r = Record();
  EXPECT_TRUE(LineBetween(r, At(106, 125), At(284, 125), CuspInk));
  EXPECT_FALSE(InkNear(r, At(135, DisplayedCusp2()), CuspInk));
}

TEST_F(WheelRingsTest, HouseExpansionLeavesTheCuspsOutOfAnotherChartsRing) {
  // A second chart whose ring lies inside chart 1's cusp band and has no cusp lines of its
  // own: with house expansion chart 1's cusps stop at that ring.
  CalculatedChart second = testing::ChartWith(Cusps, {{1, 30}});
  input.charts.push_back(testing::ChartOnly(&second));
  design.chartCount = 2;
  design.extraRings[0].band = {0, 0};
  design.pointRings[1] = design.pointRings[0];
  design.pointRings[1].band = {3, 2};
  settings.HouseExpansion = true;
  const auto r = Record();
  EXPECT_FALSE(InkNear(r, At(195, 190), CuspInk));
  EXPECT_TRUE(LineBetween(r, At(226, 190), At(284, 190), CuspInk));
  EXPECT_TRUE(LineBetween(r, At(106, 190), At(164, 190), CuspInk));
  settings.HouseExpansion = false;
  EXPECT_TRUE(InkNear(Record(), At(195, 190), CuspInk));
}

struct ExtraExpect {
  const char* name;
  double longitude;
  QColor colour;
};

TEST_F(WheelRingsTest, ExtraPointsShowTheirNamesInTheirColoursAtSpreadPositions) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // Given out of order; the one that could not be placed is left out.
  input.charts[0].extraPoints = {
      {202.0, 0.1, "Chk", MakeColor(200, 0, 0)},
      {200.0, -0.2, "Ers", MakeColor(0, 150, 0)},
      {nan, 0.0, "Bad", MakeColor(0, 0, 0)},
      {201.5, 0.0, "Psy", MakeColor(0, 0, 200)},
  };
  std::vector<double> display = {200.0, 201.5, 202.0};
  WheelCusps cusps{};
  for (int k = 1; k <= 12; ++k) cusps[static_cast<std::size_t>(k)] = Cusps[static_cast<std::size_t>(k - 1)];
  SpreadLongitudes(display, cusps);
  ASSERT_GT(display[2] - display[0], 10.0) << "the three must be spread apart";
  const ExtraExpect expected[] = {{"Ers", display[0], QColor(0, 150, 0)},
                                  {"Psy", display[1], QColor(0, 0, 200)},
                                  {"Chk", display[2], QColor(200, 0, 0)}};

  const auto r = Record();
  auto find = [&](const QString& text) -> const testing::RecordedText* {
    for (const auto& t : r.texts) {
      if (t.text == text) return &t;
    }
    return nullptr;
  };
  for (const ExtraExpect& e : expected) {
    const testing::RecordedText* t = find(e.name);
    ASSERT_NE(t, nullptr) << e.name;
    EXPECT_EQ(t->colour, e.colour) << e.name;
    const auto spot = SpotOf(t->Centre(), rho);
    EXPECT_NEAR(spot.radius, 195, 6) << e.name;   // the name radius of the ring
    EXPECT_LT(AngleApart(spot.longitude, e.longitude), 1.5) << e.name << " at " << spot.longitude;
  }
  EXPECT_EQ(find("Bad"), nullptr);
  // The retrograde mark only for the one moving backwards, at its display longitude.
  int marks = 0;
  for (const auto& t : r.texts) {
    if (t.text != GlyphText(140)) continue;
    ++marks;
    const auto spot = SpotOf(t.Centre(), rho);
    EXPECT_NEAR(spot.radius, 183, 6);
    EXPECT_LT(AngleApart(spot.longitude, display[0]), 1.5);
  }
  EXPECT_EQ(marks, 1);
  // Degrees of the true longitudes within the sign, at the degree radius, one each.
  for (const char* degree : {"20", "21", "22"}) {
    int found = 0;
    for (const auto& t : r.texts) {
      found += t.text == QString(degree) + QChar(0x00B0) &&
               std::fabs(SpotOf(t.Centre(), rho).radius - 216) < 6;
    }
    EXPECT_EQ(found, 1) << degree;
  }
}

TEST_F(WheelRingsTest, NoExtraRingWithoutPointsOrWithoutItsCircles) {
  const int plain = static_cast<int>(Record().texts.size());
  input.charts[0].extraPoints = {{200.0, 0.0, "Ers", MakeColor(0, 150, 0)}};
  EXPECT_GT(static_cast<int>(Record().texts.size()), plain);
  design.extraRings[0].band = {3, 0};
  EXPECT_EQ(static_cast<int>(Record().texts.size()), plain);
}

TEST_F(WheelRingsTest, HouseExpansionKeepsTheCuspsAcrossTheExtraRing) {
  settings.HouseExpansion = true;
  // Empty extra list: the ring is not drawn and the cusp lines run through its place.
  EXPECT_TRUE(LineBetween(Record(), At(166, 190), At(284, 190), CuspInk));
  // Drawn extra ring: its extra points move no cusps, so the cusp crosses it straight.
  input.charts[0].extraPoints = {{200.0, 0.0, "Ers", MakeColor(0, 150, 0)}};
  const auto r = Record();
  EXPECT_TRUE(LineBetween(r, At(166, 190), At(224, 190), CuspInk));
  EXPECT_TRUE(LineBetween(r, At(226, 190), At(284, 190), CuspInk));
}

}  // namespace
}  // namespace korvana
