#include "core/analysis/aspect_preferences.h"

#include <gtest/gtest.h>

#include "aspect_fixtures.h"
#include "core/analysis/find_aspect.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::At;
using testing::MakeRecord;
using testing::StandardSet;

// A set whose record orbs are all different, so that a misplaced index shows.
AspectSet NumberedOrbs() {
  AspectSet set = StandardSet();
  for (int n = 1; n <= 9; ++n)
    for (int i = 0; i < 12; ++i) set.records[n].orbs[i] = n * 100 + i;
  set.records[2].inUse = false;
  return set;
}

TEST(OrbGrid, ListsTheRecordsInUseWithTheirFourNatalOrbs) {
  auto rows = OrbGridRows(NumberedOrbs());
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[0].record, 1);
  EXPECT_EQ(rows[1].record, 3);
  EXPECT_EQ(rows[1].name, "Aspect 3");
  // Lum App, Lum Sep, Oth App, Oth Sep = elements 0, 6, 3, 9.
  EXPECT_EQ(rows[1].orbs, (std::array<double, 4>{300, 306, 303, 309}));
}

TEST(OrbGrid, TheTwoChoicesAreNeverBothOff) {
  struct Case {
    int mode;
    bool byOrb, bySign;
  };
  for (Case c : {Case{0, true, false}, Case{4, true, true}, Case{2, false, true}}) {
    OrbChoices got = OrbChoicesOf(StandardSet(c.mode));
    EXPECT_EQ(got.byOrb, c.byOrb) << c.mode;
    EXPECT_EQ(got.bySign, c.bySign) << c.mode;
  }
  OrbChoices c;  // by orb only
  c.SetByOrb(false);
  EXPECT_TRUE(c.bySign);
  EXPECT_FALSE(c.GridEditable());
  c.SetBySign(false);
  EXPECT_TRUE(c.byOrb);
  EXPECT_TRUE(c.GridEditable());
}

TEST(OrbGrid, ApplyWritesTheOrbsAndTheModeAndClearsTheOtherFields) {
  struct Case {
    bool byOrb, bySign;
    int mode;
  };
  for (Case c : {Case{true, false, 0}, Case{true, true, 4}, Case{false, true, 2}}) {
    AspectSet set = NumberedOrbs();
    set.header.moietyCombination = -1;
    set.header.separationMeasure = -1;
    set.header.moietyChoice = -1;
    auto rows = OrbGridRows(set);
    rows[1].orbs = {1, 2, 3, 4};
    OrbChoices choices;
    choices.byOrb = c.byOrb;
    choices.bySign = c.bySign;
    ASSERT_TRUE(ApplyOrbGrid(set, rows, choices));
    EXPECT_EQ(set.header.selectionMode, c.mode);
    EXPECT_EQ(set.header.moietyCombination, 0);
    EXPECT_EQ(set.header.separationMeasure, 0);
    EXPECT_EQ(set.header.moietyChoice, 0);
    const AspectRecord& r = set.records[3];
    EXPECT_EQ(r.orbs[0], 1);
    EXPECT_EQ(r.orbs[6], 2);
    EXPECT_EQ(r.orbs[3], 3);
    EXPECT_EQ(r.orbs[9], 4);
    EXPECT_EQ(r.orbs[2], 302);  // the dynamic column is not the grid's
    EXPECT_EQ(set.records[2].orbs[0], 200);
  }
}

TEST(OrbGrid, ApplyRefusesNegativeOrbsAndUnknownRecords) {
  AspectSet set = NumberedOrbs();
  const std::string before = SerializeAspectFile(set);
  auto rows = OrbGridRows(set);
  rows[0].orbs[2] = -1;
  EXPECT_FALSE(ApplyOrbGrid(set, rows, OrbChoices{}));
  rows = OrbGridRows(set);
  rows[0].record = 12;
  EXPECT_FALSE(ApplyOrbGrid(set, rows, OrbChoices{}));
  EXPECT_EQ(SerializeAspectFile(set), before);
}

TEST(OrbGrid, AppliedOrbsAreTheOnesFindAspectUses) {
  AspectSet set = StandardSet();
  auto rows = OrbGridRows(set);
  rows[2].orbs = {10, 10, 2, 2};  // trine
  ASSERT_TRUE(ApplyOrbGrid(set, rows, OrbChoices{}));
  EXPECT_EQ(FindAspect(set, PointSun, PointMars, At(10, 1), At(139, 0.5)).record, 3);
  EXPECT_FALSE(FindAspect(set, PointVenus, PointMars, At(10, 1), At(133, 0.5)).Found());
}

// A moiety set like the shipped traditional one: 26 records, orbs 7.5.
AspectSet MoietySet() {
  AspectSet set;
  set.loaded = true;
  set.header.selectionMode = SelectByMoiety;
  set.header.moietyCombination = -1;
  set.header.count = 26;
  for (int n = 1; n <= 26; ++n)
    set.records[n] = MakeRecord(n, n <= 9 ? testing::StandardAngles[n] : 7 * n, 7.5, 7.5, 7.5, 7.5);
  for (int p = 1; p <= 36; ++p) set.moietyFactors[p] = 0.2f;
  set.RecomputeDisplayedMoieties();
  return set;
}

TEST(MoietyGrid, ListsTheTenPointsAndCombust) {
  AspectSet set = MoietySet();
  EXPECT_TRUE(UsesMoietyGrid(set));
  EXPECT_FALSE(UsesMoietyGrid(StandardSet()));
  auto rows = MoietyGridRows(set, 8.0);
  ASSERT_EQ(rows.size(), 11u);
  const char* names[] = {"Moon", "Sun", "Mercury", "Venus", "Mars", "Jupiter", "Saturn",
                         "Ascendant", "Midheaven", "Part of Fortune", "Combust"};
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].name, names[i]) << i;
  EXPECT_FLOAT_EQ(rows[0].orb, 1.5f);  // 7.5 * 0.2
  EXPECT_EQ(rows[10].point, 0);
  EXPECT_EQ(rows[10].orb, 8.0);
}

TEST(MoietyGrid, SunAndMoonMoietiesAddUpToTheOrbOfEveryAspect) {
  AspectSet set = MoietySet();
  auto rows = MoietyGridRows(set, 8.0);
  rows[0].orb = 6;    // Moon
  rows[1].orb = 7.5;  // Sun
  rows[10].orb = 9;   // Combust
  double combust = 8.0;
  ASSERT_TRUE(ApplyMoietyGrid(set, rows, combust));
  EXPECT_EQ(combust, 9.0);
  EXPECT_EQ(set.header.selectionMode, 1);
  EXPECT_EQ(set.header.moietyCombination, -1);
  EXPECT_FLOAT_EQ(set.moietyFactors[PointMoon], 0.8f);
  EXPECT_FLOAT_EQ(set.moietyFactors[PointSun], 1.0f);
  EXPECT_FLOAT_EQ(set.moietyFactors[PointMars], 0.2f);  // 1.5 / 7.5
  for (int n = 1; n <= 24; ++n)
    for (int i : {0, 3, 6, 9}) EXPECT_EQ(set.records[n].orbs[i], 7.5) << n;
  // 13.5 for the conjunction, the square and a 24th aspect alike.
  EXPECT_EQ(FindAspect(set, PointSun, PointMoon, At(0, 1), At(13.4, 13)).record, 1);
  EXPECT_FALSE(FindAspect(set, PointSun, PointMoon, At(0, 1), At(13.6, 13)).Found());
  EXPECT_EQ(FindAspect(set, PointSun, PointMoon, At(0, 1), At(76.6, 13)).record, 4);
  for (int n = 1; n <= 23; ++n) set.records[n].inUse = false;
  EXPECT_EQ(FindAspect(set, PointSun, PointMoon, At(0, 1), At(7 * 24 - 13.4, 13)).record, 24);
  EXPECT_FALSE(FindAspect(set, PointSun, PointMoon, At(0, 1), At(7 * 24 - 13.6, 13)).Found());
}

TEST(MoietyGrid, ASunMoietyOfZeroIsRefused) {
  for (double sun : {0.0, -1.0}) {
    AspectSet set = MoietySet();
    const std::string before = SerializeAspectFile(set);
    auto rows = MoietyGridRows(set, 8.0);
    rows[1].orb = sun;
    double combust = 8.0;
    rows[10].orb = 3;
    EXPECT_FALSE(ApplyMoietyGrid(set, rows, combust)) << sun;
    EXPECT_EQ(SerializeAspectFile(set), before) << sun;
    EXPECT_EQ(combust, 8.0) << sun;
  }
}

TEST(MoietyGrid, CommitSavesAndLoadsBackTheSameMoieties) {
  testing::TempFolder tmp;
  testing::RecordingMessages messages;
  AspectSet set = MoietySet();
  auto rows = MoietyGridRows(set, 8.0);
  for (std::size_t i = 0; i < 10; ++i) rows[i].orb = 1.0 + static_cast<double>(i);
  double combust = 8.0;
  ASSERT_TRUE(ApplyMoietyGrid(set, rows, combust));
  ASSERT_TRUE(CommitAspectPreferences(tmp / "traditional.asp", set, messages));
  EXPECT_TRUE(messages.messages.empty());
  auto again = MoietyGridRows(set, combust);
  for (std::size_t i = 0; i < 10; ++i) EXPECT_NEAR(again[i].orb, rows[i].orb, 1e-5) << i;
  EXPECT_FALSE(CommitAspectPreferences(tmp / "missing/traditional.asp", set, messages));
}

}  // namespace
}  // namespace korvana
