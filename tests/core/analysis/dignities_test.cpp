// The dignity engine on the shipped tables and hand-made charts.
#include <gtest/gtest.h>

#include "classical_fixtures.h"
#include "core/analysis/dignities.h"
#include "core/time/angle_math.h"

#include <cmath>
#include <tuple>

namespace korvana {
namespace {

using testing::BareChart;
using testing::OwnPlaceScheme;
using testing::Place;
using testing::ShippedTables;

// With the Ascendant at 0 Aries a Sun in 180..360 is above the horizon (a day chart).
constexpr double DaySun = 270.0;   // 0 Capricorn, in the 10th house
constexpr double NightSun = 65.0;  // 5 Gemini, below the horizon (Jupiter's face)

TEST(DignityRulers, OfADegreeUnderEachOption) {
  const auto& t = ShippedTables();
  AlmutenScheme s = OwnPlaceScheme(0);
  // 15 Aries by day: Mars domicile, Sun exaltation and day triplicity, Jupiter night
  // triplicity, Saturn participating, Mercury's term (12-20), Sun's face, Venus
  // detriment, Saturn fall.
  EXPECT_EQ(DignityRulersAt(15.0, s, true, t), (DignitySlots{PointMars, PointSun, PointSun, PointJupiter, PointSaturn, PointMercury,
                                                             PointSun, PointVenus, PointSaturn}));
  EXPECT_EQ(DignityRulersAt(15.0, s, false, t)[DignityTriplicity], PointJupiter);
  EXPECT_EQ(DignityRulersAt(15.0, s, false, t)[DignityTriplicityOther], PointSun);
  // Term systems and triplicity variants; 5 Scorpio: Egyptian Mars, Ptolemaic Mars,
  // Chaldean Mars; 10 Scorpio: Egyptian Venus, Ptolemaic Jupiter, Chaldean Jupiter.
  struct Case { double longitude; int termSystem; int term; };
  for (Case c : {Case{215, 0, PointMars}, Case{215, 1, PointMars}, Case{215, 2, PointMars}, Case{220, 0, PointVenus},
                 Case{220, 1, PointJupiter}, Case{220, 2, PointJupiter}, Case{359.5, 0, PointSaturn}, Case{0.0, 0, PointJupiter}}) {
    s.termSystem = static_cast<std::uint8_t>(c.termSystem);
    EXPECT_EQ(DignityRulersAt(c.longitude, s, true, t)[DignityTerm], c.term) << c.longitude << " system " << c.termSystem;
  }
  s.termSystem = 3;  // no such system: no term ruler
  EXPECT_EQ(DignityRulersAt(220, s, true, t)[DignityTerm], 0);
  s.termSystem = 0;
  // Water by day: Dorothean Venus, Ptolemaic Venus, Lilly Mars; by night Mars, Moon, Mars.
  for (auto [variant, day, night] : {std::tuple{0, PointVenus, PointMars}, std::tuple{1, PointVenus, PointMoon},
                                     std::tuple{2, PointMars, PointMars}}) {
    s.triplicityByte = static_cast<std::uint8_t>(variant | 0x80);  // only the low 7 bits count
    EXPECT_EQ(DignityRulersAt(100, s, true, t)[DignityTriplicity], day) << variant;
    EXPECT_EQ(DignityRulersAt(100, s, false, t)[DignityTriplicity], night) << variant;
  }
  // The modern scheme gives Scorpio to Pluto; detriment of Taurus follows it.
  s.rulershipScheme = 2;
  EXPECT_EQ(DignityRulersAt(215, s, true, t)[DignityRuler], PointPluto);
  EXPECT_EQ(DignityRulersAt(45, s, true, t)[DignityDetriment], PointPluto);
  s.rulershipScheme = 9;  // no such record: no sign rulers at all
  EXPECT_EQ(DignityRulersAt(215, s, true, t)[DignityRuler], 0);
}

TEST(DignityRulers, DegreeShiftMovesTheFirstDegreeBack) {
  const auto& t = ShippedTables();
  AlmutenScheme s = OwnPlaceScheme(0);
  // 0°30' Taurus: without the shift Taurus (Venus; Venus's term; Mercury's face) ...
  DignitySlots plain = DignityRulersAt(30.5, s, true, t);
  EXPECT_EQ(plain[DignityRuler], PointVenus);
  EXPECT_EQ(plain[DignityTerm], PointVenus);
  EXPECT_EQ(plain[DignityFace], PointMercury);
  // ... with it the last degree of Aries (Mars; degree 30: Saturn's term; Venus's face).
  s.degreeShift = 1;
  DignitySlots shifted = DignityRulersAt(30.5, s, true, t);
  EXPECT_EQ(shifted[DignityRuler], PointMars);
  EXPECT_EQ(shifted[DignityTerm], PointSaturn);
  EXPECT_EQ(shifted[DignityFace], PointVenus);
  EXPECT_EQ(shifted[DignityDetriment], PointVenus);
  // 0°30' Aries becomes degree 360, the last of Pisces.
  DignitySlots wrapped = DignityRulersAt(0.5, s, true, t);
  EXPECT_EQ(wrapped[DignityRuler], PointJupiter);
  EXPECT_EQ(wrapped[DignityTerm], PointSaturn);
  EXPECT_EQ(wrapped[DignityFace], PointMars);
}

TEST(ScoreDignities, OwnPlaceDomicileOnlyAndFallOnly) {
  AlmutenScheme s = OwnPlaceScheme(2);  // Lilly's triplicities: Mars rules water day and night
  s.houseWeights[1] = 5;
  s.houseWeights[8] = -2;
  CalculatedChart c = BareChart();
  Place(c, PointSun, NightSun);
  Place(c, PointMars, 15.0);   // 15 Aries, house 1: only its domicile
  Place(c, PointMoon, 215.0);  // 5 Scorpio, house 8: only its fall
  DignityScores d = ScoreDignities(s, c, ShippedTables());
  ASSERT_TRUE(d.scored);
  EXPECT_EQ(d.score[PointMars], 5 + 5);
  EXPECT_EQ(d.Marker(PointMars, DignityRuler), '+');
  EXPECT_FALSE(d.Marked(PointMars, 9));
  EXPECT_EQ(d.score[PointMoon], -4 - 5 - 2);
  EXPECT_EQ(d.Marker(PointMoon, DignityFall), '-');
  EXPECT_EQ(d.Marker(PointMoon, 9), 'p');
  for (int slot : {0, 1, 2, 5, 6, 7}) EXPECT_FALSE(d.Marked(PointMoon, slot)) << slot;
  // A point that rules nothing in the tables scores -99; the ranking is by score.
  EXPECT_EQ(d.score[PointUranus], NotARuler);
  EXPECT_EQ(d.ranking[0], PointMars);
  EXPECT_EQ(d.ranking[LastPoint - 1], PointLilith);  // ties keep PointId order
}

TEST(ScoreDignities, MutualReceptionByDomicile) {
  AlmutenScheme s = OwnPlaceScheme(0);
  CalculatedChart c = BareChart();
  Place(c, PointSun, NightSun);
  Place(c, PointVenus, 15.0);  // Venus in Aries (Mars's sign, her detriment)
  Place(c, PointMars, 45.0);   // Mars in Taurus (Venus's sign, his detriment)
  DignityScores d = ScoreDignities(s, c, ShippedTables());
  for (int p : {PointVenus, PointMars}) {
    SCOPED_TRACE(p);
    EXPECT_EQ(d.Marker(p, DignityRuler), 'm');
    EXPECT_EQ(d.Marker(p, DignityDetriment), '-');
    EXPECT_FALSE(d.Marked(p, 9));  // a domicile reception saves from peregrine here
  }
  // Venus: detriment -5, reception +5. Mars: detriment -5, reception +5, and at 15 Taurus
  // nothing else (Jupiter's term, the Moon's face).
  EXPECT_EQ(d.score[PointVenus], 0);
  EXPECT_EQ(d.score[PointMars], 0);
  // Without the flag the reception scores but the planet stays peregrine.
  s.receptionCounts[0] = 0;
  DignityScores e = ScoreDignities(s, c, ShippedTables());
  EXPECT_EQ(e.Marker(PointVenus, 9), 'p');
  EXPECT_EQ(e.score[PointVenus], -5);
}

TEST(ScoreDignities, SectConditionOneScoresNothingForANightChart) {
  AlmutenScheme s = OwnPlaceScheme(0);
  s.sectCondition = 1;
  CalculatedChart c = BareChart();
  Place(c, PointMars, 15.0);
  Place(c, PointSun, NightSun);
  DignityScores night = ScoreDignities(s, c, ShippedTables());
  EXPECT_FALSE(night.scored);
  for (int p = 1; p <= LastPoint; ++p) EXPECT_EQ(night.score[static_cast<std::size_t>(p)], 0) << p;
  EXPECT_EQ(GenitureRulers(night), (std::array<int, 5>{}));
  Place(c, PointSun, DaySun);
  EXPECT_TRUE(ScoreDignities(s, c, ShippedTables()).scored);
  s.sectCondition = 2;  // night charts only
  EXPECT_FALSE(ScoreDignities(s, c, ShippedTables()).scored);
}

TEST(ScoreDignities, PositionListHouseWeightsAndDayHourBonus) {
  // The geniture scheme: Sun, Moon, Ascendant, Fortune and the syzygy; here a list of
  // Ascendant and "domicile ruler of the Ascendant" only, with day and hour bonuses.
  AlmutenScheme s = OwnPlaceScheme(0);
  s.ownPlace = 0;
  s.peregrineWeight = 0;
  s.dignityWeights = {5, 4, 3, 0, 0, 2, 1, 0, 0};
  s.receptionWeights = {};
  s.positions = {};
  s.positions[0] = PointAscendant;
  s.positions[1] = 1000 + PointAscendant;  // where the Ascendant's ruler stands
  s.positions[2] = 999;                 // an undefined code: 0 Aries
  for (int h = 1; h <= 12; ++h) s.houseWeights[static_cast<std::size_t>(h)] = static_cast<std::int16_t>(h * 100);
  CalculatedChart c = BareChart(15.0);  // Ascendant 15 Aries
  Place(c, PointSun, 200.0);               // 20 Libra: day chart, house 7
  Place(c, PointMars, 130.0);              // 10 Leo, house 4
  DignityScores d = ScoreDignities(s, c, ShippedTables());
  ASSERT_EQ(d.positions.size(), 3u);
  EXPECT_DOUBLE_EQ(d.positions[1], 130.0);
  EXPECT_DOUBLE_EQ(d.positions[2], 0.0);
  // 15 Aries: Mars 5, Sun 4 + 3 (day) + 1 (face), Mercury 2 (term). 10 Leo: Sun 5 + 3,
  // Venus 2 (term 6-11), Jupiter 1 (face 10-20). 0 Aries: Mars 5, Sun 4 + 3, Jupiter 2,
  // Mars 1. Then the house weights of the computed planets.
  EXPECT_EQ(d.score[PointMars], 5 + 5 + 1 + 400);
  EXPECT_EQ(d.score[PointSun], 8 + 8 + 7 + 700);
  EXPECT_EQ(d.score[PointJupiter], 1 + 2);  // not computed: no house weight
  EXPECT_EQ(d.score[PointVenus], 2);
  EXPECT_EQ(d.ranking[0], PointSun);
  // The day and hour bonus go to the rulers of the planetary day and hour when known.
  s.dayBonus = 7;
  s.hourBonus = 6;
  c.Chart.Latitude = 50;
  c.Moment.JDEphem = 2460311.5;  // a Tuesday at midnight
  c.Moment.RAMC = 0;
  c.Equatorial[PointSun] = {0.0, 0.0};  // the Sun at lower culmination: a night hour
  DignityScores b = ScoreDignities(s, c, ShippedTables());
  ASSERT_NE(b.dayRuler, 0);
  EXPECT_EQ(b.score[static_cast<std::size_t>(b.dayRuler)] - d.score[static_cast<std::size_t>(b.dayRuler)],
            7 + (b.hourRuler == b.dayRuler ? 6 : 0));
  // Without the birth time the houses and the hour are the noon chart's: the house weights
  // and the hour bonus are left out, the dignities and the day bonus stay.
  s.dayBonus = 0;
  c.Chart.TimeUnknown = true;
  DignityScores untimed = ScoreDignities(s, c, ShippedTables());
  EXPECT_EQ(untimed.score[PointMars], 5 + 5 + 1);
  EXPECT_EQ(untimed.score[PointSun], 8 + 8 + 7);
  EXPECT_EQ(untimed.score[PointVenus], 2);
}

TEST(ScoreDignities, OffsetCuspsMoveAPlanetIntoTheNextHouse) {
  AlmutenScheme s = OwnPlaceScheme(0);
  s.cuspOffsets = {8.0f, 5.0f, 3.0f};
  CalculatedChart c = BareChart(0.0);
  auto cusps = OffsetCusps(c, s);
  EXPECT_DOUBLE_EQ(cusps[1], 352.0);
  EXPECT_DOUBLE_EQ(cusps[2], 25.0);
  EXPECT_DOUBLE_EQ(cusps[3], 57.0);
  EXPECT_DOUBLE_EQ(cusps[10], 262.0);
  // A house system of its own: Whole Sign from an Ascendant at 15 Aries starts at 0.
  s.cuspOffsets = {};
  s.houseSystem = HousesWholeSign;
  c = BareChart(15.0);
  EXPECT_DOUBLE_EQ(OffsetCusps(c, s)[1], 0.0);
  s.houseSystem = HousesEqual;  // the chart's own system: its own cusps
  EXPECT_DOUBLE_EQ(OffsetCusps(c, s)[1], 15.0);
}

TEST(GenitureRulers, TiesAtTheTop) {
  DignityScores d;
  d.scored = true;
  d.ranking = {};
  d.ranking[0] = PointSun;
  d.ranking[1] = PointMoon;
  d.ranking[2] = PointMars;
  d.ranking[3] = PointVenus;
  d.score[PointSun] = 10;
  d.score[PointMoon] = 8;
  d.score[PointMars] = 8;
  EXPECT_EQ(GenitureRulers(d), (std::array<int, 5>{PointSun, 0, 0, 0, 0}));
  d.score[PointMoon] = 10;
  EXPECT_EQ(GenitureRulers(d), (std::array<int, 5>{PointSun, PointMoon, 0, 0, 0}));
  d.score[PointMars] = 10;
  d.score[PointVenus] = 10;
  EXPECT_EQ(GenitureRulers(d), (std::array<int, 5>{PointSun, PointMoon, PointMars, PointVenus, 0}));
}

TEST(AlmutenOfDegree, WinnersWithTheTopScore) {
  AlmutenScheme house = testing::ShippedScheme("house.txt");
  CalculatedChart c = BareChart();
  Place(c, PointSun, DaySun);
  // 15 Aries by day: the Sun (exaltation 4, triplicity 3, face 1) over Mars (domicile 5).
  AlmutenResult a = AlmutenOfDegree(house, c, 15.0, ShippedTables());
  EXPECT_EQ(a.count, 1);
  EXPECT_EQ(a.ranking[0], PointSun);
  EXPECT_EQ(a.score[PointSun], 8);
  EXPECT_EQ(a.ranking[1], PointMars);
  // 5 Aries by night: Mars (domicile 5, face 1) = 6; Jupiter (night triplicity 3, term 2)
  // = 5; the Sun 4. 3 Aries by night with Jupiter's term: the same.
  Place(c, PointSun, NightSun);
  a = AlmutenOfDegree(house, c, 5.0, ShippedTables());
  EXPECT_EQ(a.ranking[0], PointMars);
  EXPECT_EQ(a.score[PointMars], 6);
  EXPECT_EQ(a.score[PointJupiter], 5);
  // A tie: 25 Cancer by day (Egyptian term of Jupiter 19-26, face of the Moon 20-30):
  // Moon 5 + 1 = 6, Jupiter 4 + 2 = 6, Venus 3.
  Place(c, PointSun, DaySun);
  a = AlmutenOfDegree(house, c, 115.0, ShippedTables());
  EXPECT_EQ(a.count, 2);
  EXPECT_EQ(WinnersOf(a).points, (std::array<int, 3>{PointMoon, PointJupiter, 0}));
}

TEST(Syzygies, LastNewAndFullMoonBeforeAMoment) {
  // 2024-01-11 11:57 UT was a new moon (20°44' Capricorn), 2023-12-27 00:33 UT a full moon.
  const double jd = 2460325.0;  // 2024-01-16 12:00 UT
  Syzygies z = LastSyzygies(jd, 0.0);
  EXPECT_NEAR(z.newMoonJD, 2460320.998, 0.01);
  EXPECT_NEAR(z.newMoonSun, 290.74, 0.05);
  EXPECT_NEAR(z.newMoonMoon, z.newMoonSun, 0.01);
  EXPECT_NEAR(z.fullMoonJD, 2460305.523, 0.01);
  EXPECT_NEAR(std::fabs(SignedMod(360.0, z.fullMoonMoon - z.fullMoonSun)), 180.0, 0.01);
  EXPECT_TRUE(z.lastIsNew);
  EXPECT_LT(z.newMoonJD, jd);
  // Just after a syzygy the search still finds the one before the moment.
  Syzygies right = LastSyzygies(2460321.0, 0.0);
  EXPECT_NEAR(right.newMoonJD, 2460320.998, 0.01);
  EXPECT_LT(right.newMoonJD, 2460321.0);
}

}  // namespace
}  // namespace korvana
