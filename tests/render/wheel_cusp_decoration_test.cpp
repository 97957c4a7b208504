// The outlines that cusp-label arrangements 2, 3 and 4 draw around the cusp directions,
// checked on the recorded drawing: their corners, arc centres and the way each arc runs.
#include <gtest/gtest.h>

#include <cmath>

#include "render/wheel_test_fixture.h"

namespace korvana {
namespace {

using testing::LineBetween;
using testing::PathFromTo;

const QColor DecorationInk(160, 0, 160);
const std::array<double, 12> Cusps = {100, 125, 160, 190, 220, 250, 280, 305, 340, 10, 40, 70};
constexpr double Deg = 180.0 / 3.141592653589793;

// A label band from circle 2 (R x 0.75 = 225, its pen magenta, not outlined) to circle 1
// (R x 0.95 = 285): band 60. No cusp lines; their other-cusps pen width 3 is the width of
// the decoration.
WheelDesign DecorationDesign(int code) {
  WheelDesign d;
  d.chartCount = 1;
  d.designRadius = 300;
  testing::SetCircle(d, 1, 0.95f);
  testing::SetCircle(d, 2, 0.75f, MakeColor(160, 0, 160));
  d.circles[1].outline = false;
  d.cuspLabels[0][0].band = {2, 1};
  d.cuspLabels[0][0].arrangement = static_cast<std::int16_t>(code);
  d.cusps[0][0].penWidthOther = 3;
  d.cusps[0][0].penWidthAngular = 5;
  return d;
}

class CuspDecorationTest : public ::testing::Test {
 protected:
  ProgramSettings settings = testing::GlyphSettings();
  CalculatedChart chart = testing::ChartWith(Cusps, {});
  WheelRenderInput input;
  double rho = Cusps[0];
  void SetUp() override { input.charts = {testing::ChartOnly(&chart)}; }
  QPointF At(double r, double lon) const { return WheelPolar(testing::WheelCentre, r, lon, rho); }
  QPointF Around(QPointF centre, double r, double angle) const { return WheelPolar(centre, r, angle, rho); }
  testing::PaintRecording Record(int code) const {
    return testing::RecordWheel(DecorationDesign(code), input, settings);
  }
  static int Inked(const testing::PaintRecording& r, const QColor& colour) {
    int n = 0;
    for (const auto& l : r.lines) n += l.pen.color() == colour;
    for (const auto& s : r.shapes) n += s.pen.color() == colour;
    return n;
  }
};

TEST_F(CuspDecorationTest, OnlyTheLowByteCodesTwoToFourDecorate) {
  struct Case {
    int code;
    bool decorated;
  };
  for (const Case c : {Case{0, false}, Case{1, false}, Case{5, false}, Case{2, true},
                       Case{3, true}, Case{4, true}, Case{0x0103, true}, Case{0x0201, false}}) {
    EXPECT_EQ(Inked(Record(c.code), DecorationInk) > 0, c.decorated) << "code " << c.code;
  }
}

TEST_F(CuspDecorationTest, PenIsTheOtherCuspsWidthInTheInnerCirclesColour) {
  const auto r = Record(2);
  int seen = 0;
  for (const auto& l : r.lines) {
    if (l.pen.color() != DecorationInk) continue;
    ++seen;
    EXPECT_EQ(l.pen.widthF(), 3.0);
    EXPECT_EQ(l.pen.style(), Qt::SolidLine);
  }
  EXPECT_EQ(seen, 24);   // two joining lines at each of the twelve cusp directions
  input.useColour = false;
  const auto mono = Record(2);
  EXPECT_EQ(Inked(mono, DecorationInk), 0);
  EXPECT_EQ(Inked(mono, Qt::black), Inked(r, DecorationInk) + Inked(r, Qt::black));
}

TEST_F(CuspDecorationTest, CodeTwoDrawsSixSidedOutlinesJoinedToTheirNeighbours) {
  const auto r = Record(2);
  const double r_a = 237, r_b = 273, d_b = 3, d_a = r_b * 3 / r_a;
  // Cusp 1 (100) and the cusp before it, cusp 12 (opposite cusp 6: 70); cusp 7 (280)
  // after cusp 6 (250).
  struct Position {
    double a, previous;
  };
  for (const Position p : {Position{100, 70}, Position{280, 250}, Position{160, 125}}) {
    const QPointF corners[6] = {At(r_a, p.a + d_a), At(225, p.a), At(r_a, p.a - d_a),
                                At(r_b, p.a - d_b), At(285, p.a), At(r_b, p.a + d_b)};
    bool found = false;
    for (const auto& s : r.shapes) {
      if (s.pen.color() != DecorationInk || s.path.elementCount() < 6) continue;
      bool all = true;
      for (int i = 0; i < 6; ++i) {
        const QPointF e = s.path.elementAt(i);
        all = all && std::hypot(e.x() - corners[i].x(), e.y() - corners[i].y()) < 0.5;
      }
      found = found || all;
    }
    EXPECT_TRUE(found) << "outline at " << p.a;
    EXPECT_TRUE(LineBetween(r, At(r_a, p.a - d_a), At(r_a, p.previous + d_a), DecorationInk)) << p.a;
    EXPECT_TRUE(LineBetween(r, At(r_b, p.a - d_b), At(r_b, p.previous + d_b), DecorationInk)) << p.a;
  }
}

TEST_F(CuspDecorationTest, CodeThreeCirclesFaceTheCentreAndTieToTheOuterEdge) {
  const auto r = Record(3);
  const double t = 20, r_t = 245;
  const double beta = std::asin(t / std::sqrt(60.0 * 60 - t * t)) * Deg;
  const double alpha = std::asin(t / r_t) * Deg;
  for (double a : {100.0, 280.0, 190.0}) {
    const QPointF centre = At(r_t, a);
    const QPointF from = Around(centre, t, a + 90 - beta), to = Around(centre, t, a - 90 + beta);
    const testing::RecordedShape* arc = PathFromTo(r, from, to, DecorationInk);
    ASSERT_NE(arc, nullptr) << a;
    // Counter-clockwise on screen from the first end: through the side facing the centre
    // (on the inner circle), not through the outer side.
    const QPointF middle = arc->path.pointAtPercent(0.5);
    const QPointF inner_side = At(225, a);
    EXPECT_LT(std::hypot(middle.x() - inner_side.x(), middle.y() - inner_side.y()), 1.5) << a;
    EXPECT_TRUE(LineBetween(r, from, At(285, a), DecorationInk)) << a;
    EXPECT_TRUE(LineBetween(r, to, At(285, a), DecorationInk)) << a;
  }
  // Arcs about the wheel's centre join neighbouring circles: cusp 1 to cusp 2, cusp 6 to
  // cusp 7 (the opposite of cusp 1).
  for (auto [c1, c2] : {std::pair{100.0, 125.0}, std::pair{250.0, 280.0}}) {
    const testing::RecordedShape* arc =
        PathFromTo(r, At(r_t, c1 + alpha), At(r_t, c2 - alpha), DecorationInk);
    ASSERT_NE(arc, nullptr) << c1;
    const QPointF middle = arc->path.pointAtPercent(0.5), expected = At(r_t, (c1 + c2) / 2);
    EXPECT_LT(std::hypot(middle.x() - expected.x(), middle.y() - expected.y()), 1.5) << c1;
  }
}

TEST_F(CuspDecorationTest, CodeFourDrawsPointedArchesWithTheirApexOnTheOuterEdge) {
  const auto r = Record(4);
  const double m1 = 26, m2 = 34, g = std::asin(m2 / 285) * Deg;
  for (double a : {100.0, 340.0}) {
    struct ArcCase {
      QPointF centre;
      double radius, from, to;
    };
    const ArcCase arcs[4] = {
        {At(225, a - g), m1, a - g - 90 - g / 2, a - g},
        {At(285, a - g), m2, a + 90 - g / 2, a - g + 180},
        {At(225, a + g), m1, a + g, a + g + 90 + g / 2},
        {At(285, a + g), m2, a + g - 180, a - 90 + g / 2},
    };
    for (int i = 0; i < 4; ++i) {
      const ArcCase& c = arcs[i];
      const testing::RecordedShape* arc = PathFromTo(
          r, Around(c.centre, c.radius, c.from), Around(c.centre, c.radius, c.to), DecorationInk);
      ASSERT_NE(arc, nullptr) << "cusp " << a << " arc " << i;
      // Counter-clockwise from the first angle to the second: the middle lies half-way.
      const QPointF middle = arc->path.pointAtPercent(0.5);
      const QPointF expected = Around(c.centre, c.radius, (c.from + c.to) / 2);
      EXPECT_LT(std::hypot(middle.x() - expected.x(), middle.y() - expected.y()), 1.5)
          << "cusp " << a << " arc " << i;
    }
    // The two arcs of each side meet at the middle radius; both sides end at the apex.
    const QPointF apex = At(285, a);
    for (const QPointF p : {Around(arcs[1].centre, m2, arcs[1].from), Around(arcs[3].centre, m2, arcs[3].to)}) {
      EXPECT_LT(std::hypot(p.x() - apex.x(), p.y() - apex.y()), 1.0) << a;
    }
    const QPointF joint = At(251, a - g), joint_end = Around(arcs[0].centre, m1, arcs[0].to);
    EXPECT_LT(std::hypot(joint.x() - joint_end.x(), joint.y() - joint_end.y()), 0.5);
  }
}

}  // namespace
}  // namespace korvana
