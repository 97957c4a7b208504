#include "core/analysis/find_aspect.h"

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "aspect_fixtures.h"
#include "core/time/angle_math.h"

namespace korvana {
namespace {

using testing::At;
using testing::MakeRecord;
using testing::StandardSet;

struct FindCase {
  const char* what;
  int pointA, pointB;
  PointPos a, b;
  AspectMatch expected;
};

void PrintTo(const FindCase& c, std::ostream* os) { *os << c.what; }

void ExpectMatch(const AspectMatch& got, const AspectMatch& want, const std::string& what) {
  EXPECT_EQ(got.record, want.record) << what;
  if (want.record != 0) {
    EXPECT_NEAR(got.orb, want.orb, 1e-4) << what;
    EXPECT_EQ(got.applying, want.applying) << what;
  }
}

// --- Selection by orb (mode 0), separation in longitude.

class ByOrb : public ::testing::TestWithParam<FindCase> {};

TEST_P(ByOrb, FindsTheFirstRecordWithinTheOrbOfItsClassAndDirection) {
  const FindCase& c = GetParam();
  AspectSet set = StandardSet(SelectByOrb);
  ExpectMatch(FindAspect(set, c.pointA, c.pointB, c.a, c.b), c.expected, c.what);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ByOrb,
    ::testing::Values(
        // Exactly at the angle: applying when the relative speed is negative.
        FindCase{"exact trine, B slower", PointSun, PointMars, At(10, 1), At(130, 0.5), {3, 0, true}},
        FindCase{"exact trine, B faster", PointSun, PointMars, At(10, 1), At(130, 1.5), {3, 0, false}},
        // B 7 degrees past the trine and slower: closing in on 120, within the luminary 8.
        FindCase{"luminary applying orb", PointSun, PointMars, At(10, 1), At(137, 0.5), {3, 7, true}},
        // The same geometry without a luminary uses the other class (5 / 3): nothing.
        FindCase{"other class is narrower", PointVenus, PointMars, At(10, 1), At(137, 0.5), {}},
        FindCase{"the Moon is a luminary too", PointMars, PointMoon, At(10, 1), At(137, 0.5), {3, 7, true}},
        // Separating at 7: the separating luminary orb (6) is too small.
        FindCase{"separating orb applies when separating", PointSun, PointMars, At(10, 1), At(137, 1.5), {}},
        // B lies 118 degrees behind A: q is negated and A pulls away towards 120.
        FindCase{"diff above 180 negates the orb", PointSun, PointMars, At(10, 1), At(252, 0.5), {3, 2, true}},
        FindCase{"conjunction across 0 Aries", PointSun, PointMoon, At(359, 1), At(3, 13), {1, 4, false}},
        FindCase{"no aspect between the angles", PointSun, PointMoon, At(0, 1), At(105, 13), {}},
        FindCase{"point not a number", PointSun, PointMoon,
                 At(std::numeric_limits<double>::quiet_NaN()), At(3, 13), {}},
        FindCase{"speed not a number", PointSun, PointMoon, At(10, 1),
                 At(130, std::numeric_limits<double>::quiet_NaN()), {3, 0, false}},
        FindCase{"point ids outside 1..36", 0, 99, At(10, 1), At(137, 0.5), {}}));

TEST(FindAspect, SkipsRecordsNotInUseInEveryMode) {
  for (int mode : {SelectByOrb, SelectByOrb + SelectAlsoBySign, SelectBySign}) {
    AspectSet set = StandardSet(mode);
    set.records[3].inUse = false;  // trine
    EXPECT_FALSE(FindAspect(set, PointSun, PointMars, At(10, 1), At(130, 0.5)).Found()) << mode;
    set.records[3].inUse = true;
    EXPECT_EQ(FindAspect(set, PointSun, PointMars, At(10, 1), At(130, 0.5)).record, 3) << mode;
  }
  AspectSet moiety = StandardSet(SelectByMoiety);
  moiety.header.moietyCombination = -1;
  moiety.moietyFactors[PointSun] = moiety.moietyFactors[PointMars] = 0.5f;
  moiety.records[3].inUse = false;
  EXPECT_FALSE(FindAspect(moiety, PointSun, PointMars, At(10, 1), At(130, 0.5)).Found());
}

TEST(FindAspect, AnOrbOfZeroNeverMatchesEvenAtTheExactAngle) {
  AspectSet set = StandardSet();
  set.records[3].SetOrb(OrbSeparating, OrbLuminary, OrbNatal, 0);
  EXPECT_FALSE(FindAspect(set, PointSun, PointMars, At(10, 1), At(130, 1.5)).Found());
  // Applying, the applying orb still counts.
  EXPECT_EQ(FindAspect(set, PointSun, PointMars, At(10, 1), At(130, 0.5)).record, 3);
}

TEST(FindAspect, TheFirstRecordInFileOrderWins) {
  AspectSet set = StandardSet();
  set.records[1] = MakeRecord(1, 0, 40, 40, 40, 40);  // a conjunction reaching past 30
  EXPECT_EQ(FindAspect(set, PointSun, PointMars, At(0, 1), At(29, 0.5)).record, 1);
  set.records[1].inUse = false;
  EXPECT_EQ(FindAspect(set, PointSun, PointMars, At(0, 1), At(29, 0.5)).record, 8);
}

TEST(FindAspect, UsesTheColumnItIsGiven) {
  AspectSet set = StandardSet();  // dynamic column: 1 degree everywhere
  EXPECT_EQ(FindAspect(set, PointSun, PointMars, At(10, 1), At(133, 0.5), OrbNatal).record, 3);
  EXPECT_FALSE(FindAspect(set, PointSun, PointMars, At(10, 1), At(133, 0.5), OrbDynamic).Found());
  EXPECT_EQ(FindAspect(set, PointSun, PointMars, At(10, 1), At(130.5, 0.5), OrbDynamic).record, 3);
  EXPECT_FALSE(FindAspect(set, PointSun, PointMars, At(10, 1), At(130.5, 0.5), 7).Found());
}

TEST(FindAspect, AnUnloadedOrEmptySetFindsNothing) {
  AspectSet empty;
  EXPECT_FALSE(FindAspect(empty, PointSun, PointMars, At(10, 1), At(130, 0.5)).Found());
  AspectSet noRecords = StandardSet();
  noRecords.header.count = 0;
  EXPECT_FALSE(FindAspect(noRecords, PointSun, PointMars, At(10, 1), At(130, 0.5)).Found());
}

TEST(FindAspect, ModeThreeIsReadAsSelectionByOrb) {
  AspectSet set = StandardSet(3);
  ExpectMatch(FindAspect(set, PointSun, PointMars, At(10, 1), At(137, 0.5)), {3, 7, true}, "mode 3");
}

// --- Selection by sign only (mode 2).

class BySign : public ::testing::TestWithParam<FindCase> {};

TEST_P(BySign, TakesTheRecordThatTheSignsName) {
  const FindCase& c = GetParam();
  AspectSet set = StandardSet(SelectBySign);
  ExpectMatch(FindAspect(set, c.pointA, c.pointB, c.a, c.b), c.expected, c.what);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BySign,
    ::testing::Values(
        FindCase{"29 Aries - 1 Taurus is a semisextile", PointSun, PointMoon, At(29, 1), At(31, 13), {8, -28, true}},
        FindCase{"1 Aries - 29 Aries is a conjunction", PointSun, PointMoon, At(1, 1), At(29, 13), {1, 28, true}},
        FindCase{"six signs: opposition", PointSun, PointMoon, At(5, 1), At(185, 13), {2, 0, true}},
        FindCase{"Pisces - Cancer: four signs round 0 Aries", PointSun, PointMoon, At(355, 1), At(95, 13), {3, -20, true}},
        FindCase{"five signs: quincunx", PointVenus, PointMars, At(0, 1), At(179, 0.5), {9, 29, true}},
        FindCase{"three signs: square, orbs do not matter", PointVenus, PointMars, At(0, 1), At(119, 0.5), {4, 29, true}}));

TEST(FindAspect, BySignNeedsTheRecordInUseWithANatalOrbAndHeld) {
  AspectSet set = StandardSet(SelectBySign);
  set.records[8].inUse = false;
  EXPECT_FALSE(FindAspect(set, PointSun, PointMoon, At(29, 1), At(31, 13)).Found());
  set = StandardSet(SelectBySign);
  for (int i : {0, 3, 6, 9}) set.records[8].orbs[i] = 0;
  set.records[8].orbs[1] = set.records[8].orbs[2] = 5;  // other columns do not count
  EXPECT_FALSE(FindAspect(set, PointSun, PointMoon, At(29, 1), At(31, 13)).Found());
  set = StandardSet(SelectBySign);
  set.header.count = 5;  // record 8 is not held
  EXPECT_FALSE(FindAspect(set, PointSun, PointMoon, At(29, 1), At(31, 13)).Found());
}

TEST(SignAspectRecord, FollowsTheSignDistanceTable) {
  const int expected[7] = {1, 8, 5, 4, 3, 9, 2};
  for (int d = 0; d <= 6; ++d) {
    EXPECT_EQ(SignAspectRecord(15, 15 + 30.0 * d), expected[d]) << d;
    EXPECT_EQ(SignAspectRecord(15 + 30.0 * d, 15), expected[d]) << d;
    EXPECT_EQ(SignAspectRecord(345, ModReal(360, 345 + 30.0 * d)), expected[d]) << d;
  }
  EXPECT_EQ(SignAspectRecord(std::numeric_limits<double>::infinity(), 0), 0);
}

// --- By orb and by sign (mode 4).

TEST(FindAspect, ByOrbAndSignKeepsOnlyInSignAspects) {
  AspectSet set = StandardSet(SelectByOrb + SelectAlsoBySign);
  // 118 degrees, Aries to Leo (four signs): a trine, reported applying with orb -2 even
  // though the speeds say separating.
  ExpectMatch(FindAspect(set, PointSun, PointMars, At(10, 1), At(128, 0.5)), {3, -2, true}, "in sign");
  // 118 degrees, Aries to Cancer (three signs): out of sign, nothing at all.
  EXPECT_FALSE(FindAspect(set, PointSun, PointMars, At(1, 1), At(119, 0.5)).Found());
  // Out of sign with B behind A: the orb keeps its unnegated sign when it stands.
  ExpectMatch(FindAspect(set, PointSun, PointMars, At(128, 1), At(10, 0.5)), {3, -2, true}, "reversed");
}

// --- Moiety mode (mode 1).

AspectSet MoietySet(int combination, int choice) {
  AspectSet set = StandardSet(SelectByMoiety);
  for (int n = 1; n <= 9; ++n) set.records[n] = MakeRecord(n, testing::StandardAngles[n], 7.5, 7.5, 0.1, 0.1);
  set.header.moietyCombination = static_cast<std::int16_t>(combination);
  set.header.moietyChoice = static_cast<std::int16_t>(choice);
  set.moietyFactors[PointSun] = 1.0f;
  set.moietyFactors[PointMoon] = 0.8f;
  set.moietyFactors[PointMars] = 0.5f;
  return set;
}

TEST(FindAspect, MoietiesAreAddedWhenTheHeaderSaysSo) {
  AspectSet set = MoietySet(-1, 0);
  // Sun + Moon: (1 + 0.8) * 7.5 = 13.5 for every aspect.
  EXPECT_EQ(FindAspect(set, PointSun, PointMoon, At(0, 1), At(13.4, 13)).record, 1);
  EXPECT_FALSE(FindAspect(set, PointSun, PointMoon, At(0, 1), At(13.6, 13)).Found());
  EXPECT_EQ(FindAspect(set, PointSun, PointMoon, At(0, 1), At(103.4, 13)).record, 4);
  // Mars + Moon: 1.3 * 7.5 = 9.75, and the luminary orbs serve every pair.
  EXPECT_EQ(FindAspect(set, PointMars, PointMoon, At(0, 1), At(9.7, 13)).record, 1);
  EXPECT_FALSE(FindAspect(set, PointMars, PointMoon, At(0, 1), At(9.8, 13)).Found());
}

TEST(FindAspect, MoietyOfTheLargerOrOfTheFirstPoint) {
  AspectSet larger = MoietySet(0, 0);  // the larger factor: Moon 0.8 -> 6
  EXPECT_EQ(FindAspect(larger, PointMars, PointMoon, At(0, 1), At(5.9, 13)).record, 1);
  EXPECT_FALSE(FindAspect(larger, PointMars, PointMoon, At(0, 1), At(6.1, 13)).Found());
  AspectSet first = MoietySet(0, -1);  // the first point's factor
  EXPECT_FALSE(FindAspect(first, PointMars, PointMoon, At(0, 1), At(5.9, 13)).Found());
  EXPECT_EQ(FindAspect(first, PointMars, PointMoon, At(0, 1), At(3.7, 13)).record, 1);
  EXPECT_EQ(FindAspect(first, PointMoon, PointMars, At(0, 1), At(5.9, 0.5)).record, 1);
}

// --- Great-circle separation.

TEST(FindAspect, GreatCircleSeparationUsesLatitudes) {
  AspectSet set = StandardSet();
  set.records[1] = MakeRecord(1, 0, 6, 4, 6, 4);
  // Same longitude, five degrees of latitude apart.
  PointPos sun = At(100, 1);
  PointPos closing = At(100, 1, 5, -12);  // half a degree nearer an hour later
  PointPos opening = At(100, 1, 5, 12);
  ExpectMatch(FindAspect(set, PointSun, PointMoon, sun, closing), {1, 0, false}, "longitude");
  set.header.separationMeasure = -1;
  ExpectMatch(FindAspect(set, PointSun, PointMoon, sun, closing), {1, 5, true}, "great circle applying");
  EXPECT_FALSE(FindAspect(set, PointSun, PointMoon, sun, opening).Found()) << "separating orb is 4";
  set.records[1].SetOrb(OrbSeparating, OrbLuminary, OrbNatal, 6);
  ExpectMatch(FindAspect(set, PointSun, PointMoon, sun, opening), {1, 5, false}, "great circle separating");
}

}  // namespace
}  // namespace korvana
