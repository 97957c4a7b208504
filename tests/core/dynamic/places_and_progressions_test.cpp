// House and sign passages with retrograde loops, and secondary progressions against the
// ephemeris at the progressed moment.
#include <gtest/gtest.h>

#include <vector>

#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"
#include "core/astro/houses.h"
#include "core/dynamic/configurations.h"
#include "dynamic_test_support.h"

namespace korvana {
namespace {

using testing::Second;

constexpr double Jan2025 = 2460676.5;

class DynamicEngineTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SwissEphemerisUsable(SystemSwissEphemerisFolder)); }
  SearchRequest Request(DynamicTechnique technique, std::vector<int> movers, double start, double days) {
    SearchRequest r;
    r.radix = CastChart(testing::ChartAt(1987, 3, 9, 6, 0, 52.0, -13.4));
    r.technique = technique;
    r.movingPoints = std::move(movers);
    r.start = start;
    r.end = start + days;
    return r;
  }
};

std::vector<std::uint8_t> Types(const Configuration& c) {
  std::vector<std::uint8_t> t;
  for (const auto& e : c.events) t.push_back(e.type);
  return t;
}

// Saturn entered Aries on 25 May 2025, turned back into Pisces on 1 September and
// entered Aries again on 14 February 2026: both signs keep the loop in one
// configuration, and every pass lies on the cusp to the second.
TEST_F(DynamicEngineTest, ARetrogradeLoopStaysInOneConfigurationOfEachSign) {
  SearchRequest r = Request(DynamicTechnique::Transits, {PointSaturn}, Jan2025, 730);
  r.signs = true;
  const auto found = FindConfigurations(r);
  ASSERT_EQ(found.size(), 2u);
  const Configuration& pisces = found[0];
  const Configuration& aries = found[1];
  EXPECT_EQ(pisces.place, 12);
  EXPECT_EQ(Types(pisces), (std::vector<std::uint8_t>{EventEntersSign, EventLeavesSignForLoop, EventReentersSign,
                                                      EventLeavesSign}));
  EXPECT_EQ(aries.place, 1);
  EXPECT_EQ(Types(aries), (std::vector<std::uint8_t>{EventEntersSign, EventLeavesSignForLoop, EventReentersSign,
                                                     EventLeavesSign}));
  // Entered before the start, still there at the end.
  EXPECT_EQ(pisces.events.front().time, r.start);
  EXPECT_EQ(aries.events.back().time, r.end);
  auto saturn = [](double t) { return testing::Direct(PointSaturn, t); };
  for (std::size_t i = 1; i < 4; ++i) {
    const double t = aries.events[i - 1].time;
    ASSERT_TRUE(testing::PassesNear(saturn, t, 60 * Second, 0.0)) << i;
    EXPECT_NEAR(testing::Bisect(saturn, t - 60 * Second, t + 60 * Second, 0.0), t, Second);
    EXPECT_EQ(pisces.events[i].time, aries.events[i - 1].time);
  }
}

// The Moon's house passages over a month: one configuration per stay, each entered
// where the previous one was left, each pass on the radix cusp.
TEST_F(DynamicEngineTest, HousePassagesFollowTheRadixCusps) {
  SearchRequest r = Request(DynamicTechnique::Transits, {PointMoon}, Jan2025, 30);
  r.houses = true;
  const auto found = FindConfigurations(r);
  ASSERT_GE(found.size(), 13u);
  auto moon = [](double t) { return testing::Direct(PointMoon, t); };
  for (std::size_t i = 0; i < found.size(); ++i) {
    const Configuration& c = found[i];
    ASSERT_EQ(Types(c), (std::vector<std::uint8_t>{EventEntersHouse, EventLeavesHouse}));
    if (i + 1 < found.size()) {
      EXPECT_EQ(c.events.back().time, found[i + 1].events.front().time);
      EXPECT_EQ(found[i + 1].place, c.place % 12 + 1);
      const double cusp = r.radix.Houses.Cusps[static_cast<std::size_t>(found[i + 1].place)];
      const double t = c.events.back().time;
      ASSERT_TRUE(testing::PassesNear(moon, t, 60 * Second, cusp));
      EXPECT_NEAR(testing::Bisect(moon, t - 60 * Second, t + 60 * Second, cusp), t, Second);
    }
  }
  // The house the Moon starts in is the one its radix position of that moment falls in.
  EXPECT_EQ(found[0].place, HouseOf(r.radix.Houses.Cusps, moon(r.start)));
}

// A day for a year: the progressed Sun's aspects fall where the ephemeris puts the Sun
// at birth + (t - birth) / 365.24219; the MC moves with it by solar arc, the Ascendant
// rises with that MC.
TEST_F(DynamicEngineTest, ProgressionsFollowTheProgressedMoment) {
  SearchRequest r = Request(DynamicTechnique::Progressions, {PointSun, PointMoon, PointMidheaven, PointAscendant},
                            Jan2025, 365.25 * 30);
  r.radixPoints = {PointSun, PointMoon, PointMercury, PointVenus, PointMars, PointJupiter, PointSaturn};
  r.aspects = {{1, 0, 1, 1}, {4, 90, 1, 1}, {3, 120, 1, 1}};
  const auto found = FindConfigurations(r);
  const double birth = r.radix.Moment.JDUT;
  auto progressed = [&](int id) {
    return [&, id](double t) {
      const double sun = testing::Direct(PointSun, birth + (t - birth) / ProgressedYearDays);
      const double mc = Mod360(r.radix.Longitude(PointMidheaven) + sun - r.radix.Longitude(PointSun));
      if (id == PointMidheaven) return mc;
      if (id == PointAscendant) {
        const double eps = r.radix.Moment.Obliquity;
        return AscendantOf(Mod360(RadToDeg(ArcTan2(SinDeg(mc) * CosDeg(eps), CosDeg(mc)))), eps, r.radix.Moment.HouseLatitude);
      }
      return testing::Direct(id, birth + (t - birth) / ProgressedYearDays);
    };
  };
  int exact = 0;
  std::vector<int> moversSeen(4, 0);
  for (const Configuration& c : found) {
    const int mover = r.movingPoints[static_cast<std::size_t>(c.movingIndex)];
    const double radix = r.radix.Longitude(r.radixPoints[static_cast<std::size_t>(c.radixIndex)]);
    const double angle = r.aspects[static_cast<std::size_t>(c.aspect == 1 ? 0 : c.aspect == 4 ? 1 : 2)].angle;
    for (const ConfigurationEvent& e : c.events) {
      if (e.type != EventExact) continue;
      const auto longitude = progressed(mover);
      double target = radix + angle;
      if (!testing::PassesNear(longitude, e.time, 600 * Second, target)) target = radix - angle;
      ASSERT_TRUE(testing::PassesNear(longitude, e.time, 600 * Second, target)) << "point " << mover;
      EXPECT_NEAR(testing::Bisect(longitude, e.time - 600 * Second, e.time + 600 * Second, target), e.time, Second)
          << "point " << mover;
      ++exact;
      ++moversSeen[static_cast<std::size_t>(c.movingIndex)];
    }
  }
  // Thirty years move every one of them across several aspects.
  for (std::size_t i = 0; i < moversSeen.size(); ++i) EXPECT_GE(moversSeen[i], 2) << "mover " << i;
  EXPECT_GT(exact, 20);
}

TEST_F(DynamicEngineTest, RefusesWhatItCannotFollow) {
  SearchRequest r = Request(DynamicTechnique::Transits, {PointAscendant}, Jan2025, 10);
  EXPECT_THROW(FindConfigurations(r), ESearchRequestError);
  r = Request(DynamicTechnique::Transits, {PointSun}, Jan2025, 0);
  EXPECT_THROW(FindConfigurations(r), ESearchRequestError);
  r = Request(DynamicTechnique::Transits, {PointSun}, Jan2025, 10);
  r.aspects = {{1, 0, 90, 1}};
  EXPECT_THROW(FindConfigurations(r), ESearchRequestError);
}

}  // namespace
}  // namespace korvana
