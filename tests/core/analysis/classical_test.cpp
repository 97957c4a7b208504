// The classical summary: temperament, planetary day and hour, hyleg, balance, combustion,
// sect, the stronger of two planets and the slot tests.
#include <gtest/gtest.h>

#include "aspect_fixtures.h"
#include "classical_fixtures.h"
#include "core/analysis/classical.h"

namespace korvana {
namespace {

using testing::BareChart;
using testing::Place;
using testing::ShippedTables;

TEST(Temperament, CountsToType) {
  struct Case { std::array<int, 4> counts; int type; };
  const Case cases[] = {
      {{3, 2, 1, 4}, 3},    // heat 0.6 balanced, moisture 0.2 Dry
      {{4, 1, 4, 1}, 4},    // Sanguine
      {{4, 1, 1, 4}, 5},    // Choleric
      {{1, 4, 1, 4}, 6},    // Melancholic
      {{1, 4, 4, 1}, 7},    // Phlegmatic
      {{2, 2, 2, 2}, 8},    // Balanced
      {{4, 1, 1, 1}, 0},    // Hot, moisture balanced
      {{1, 4, 3, 3}, 1},    // Cold
      {{3, 3, 4, 1}, 2},    // Wet
      {{13, 7, 7, 13}, 5},  // 0.65 and 0.35 exactly count: Choleric
      {{0, 0, 0, 0}, 4},    // nothing counted: heat and moisture 1
  };
  for (const Case& c : cases)
    EXPECT_EQ(Temperament(c.counts), c.type) << c.counts[0] << c.counts[1] << c.counts[2] << c.counts[3];
  EXPECT_EQ(TemperamentNames[3], "Dry");
  EXPECT_EQ(TemperamentNames[4], "Sanguine");
}

TEST(TemperamentSummary, ItemsInOrderWithTheirQualities) {
  // Only oppositions count as aspects here. Ascendant 10 Aries (its ruler Mars at 5
  // Cancer), Saturn opposite the Ascendant, the Moon at 20 Taurus with Jupiter opposite,
  // the Sun at 15 Capricorn (winter; the Moon 125 degrees ahead: first quarter).
  CalculatedChart c = BareChart(10.0);
  Place(c, PointMars, 95.0);
  Place(c, PointSaturn, 190.0);
  Place(c, PointMoon, 50.0);
  Place(c, PointJupiter, 230.0);
  Place(c, PointSun, 285.0);
  Place(c, PointVenus, 40.0);
  AspectSet aspects = testing::StandardSet();
  for (int n = 1; n <= 9; ++n) aspects.records[static_cast<std::size_t>(n)].inUse = (n == 2);
  TemperamentInputs in;
  in.aspects = &aspects;
  in.tables = &ShippedTables();
  in.genitureRulers = {PointSun, PointUranus, 0, 0, 0};  // Uranus (10) is not a classical factor
  in.moonAlmutens.count = 2;
  in.moonAlmutens.points = {PointVenus, PointMoon, 0};
  TemperamentResult r = TemperamentSummary(c, in);
  EXPECT_EQ(r.text,
            "Sign of Ascendant: Aries = Hot and Dry"
            "|Ruler of Ascendant: Mars (Cancer) = Cold and Wet"
            "|Aspect to the Ascendant: Saturn (Libra) = Hot and Wet"
            "|Sign of Moon: Taurus = Cold and Dry"
            "|Phase of Moon: First Quarter = Hot and Dry"
            "|Aspect to the Moon: Jupiter (Scorpio) = Cold and Wet"
            "|Season: Winter = Cold and Wet"
            "|Ruler of Geniture: The Sun (Winter) = Cold and Wet"
            "|Almuten of the Moon: Venus (Taurus) = Cold and Dry"
            "|Almuten of the Moon: The Moon (Taurus) = Cold and Dry");
  EXPECT_EQ(r.counts, (std::array<int, 4>{3, 7, 5, 5}));
  EXPECT_EQ(Temperament(r.counts), 1);  // heat 0.3: Cold; moisture balanced
  // Without an aspect set no aspect items appear.
  in.aspects = nullptr;
  EXPECT_EQ(TemperamentSummary(c, in).text.find("Aspect"), std::string::npos);
}

TEST(Season, SouthernHemisphereTurnsTheYear) {
  CalculatedChart c = BareChart(0.0, -34.0);
  Place(c, PointSun, 10.0);  // 10 Aries
  EXPECT_EQ(Season(c), 2);  // Fall
  EXPECT_EQ(SeasonQualities(Season(c)), QualityCold | QualityDry);
  c.Chart.Latitude = 51.0;
  EXPECT_EQ(Season(c), 0);  // Spring
  EXPECT_EQ(QualityText(SeasonQualities(0)), "Hot and Wet");
  EXPECT_EQ(QualityText(0), "None");
}

// A chart with the Sun on the celestial equator (semi-arcs of 90 degrees) at hour angle
// `ha`, local time given by the Julian day (zone 0).
CalculatedChart HourChart(double jd, double ha, double declination = 0.0, double latitude = 50.0) {
  CalculatedChart c = BareChart(0.0, latitude);
  c.Moment.JDEphem = jd;
  c.Equatorial[PointSun] = {100.0, declination};
  c.Moment.RAMC = 100.0 + ha;
  return c;
}

TEST(PlanetaryDayAndHour, ChaldeanRulers) {
  constexpr double TuesdayMidnight = 2460311.5;  // 2024-01-02 00:00
  // 04:00 before sunrise on a Tuesday: still Monday's planetary day (the Moon); the
  // eleventh night hour (n = 22) belongs to Saturn.
  PlanetaryHours h = PlanetaryDayAndHour(HourChart(TuesdayMidnight + 4.0 / 24, -120.0));
  EXPECT_EQ(h.weekday, 1);
  EXPECT_EQ(h.dayRuler, PointMoon);
  EXPECT_EQ(h.hour, 22);
  EXPECT_EQ(h.hourRuler, PointSaturn);
  // Noon on Tuesday: Mars's day, the seventh hour is Jupiter's.
  h = PlanetaryDayAndHour(HourChart(TuesdayMidnight + 0.5, 0.0));
  EXPECT_EQ(h.dayRuler, PointMars);
  EXPECT_EQ(h.hour, 6);
  EXPECT_EQ(h.hourRuler, PointJupiter);
  // Just after sunrise on Sunday the Sun rules the first hour; at 18:30 on Saturday the
  // first night hour of Saturn's day is Mercury's.
  h = PlanetaryDayAndHour(HourChart(TuesdayMidnight - 2 + 6.0 / 24, -89.99));
  EXPECT_EQ(h.dayRuler, PointSun);
  EXPECT_EQ(h.hour, 0);
  EXPECT_EQ(h.hourRuler, PointSun);
  h = PlanetaryDayAndHour(HourChart(TuesdayMidnight - 3 + 18.5 / 24, 97.5));
  EXPECT_EQ(h.dayRuler, PointSaturn);
  EXPECT_EQ(h.hour, 12);
  EXPECT_EQ(h.hourRuler, PointMercury);
  // The zone shifts the local day: 23:00 UT on Monday is Tuesday 01:00 at zone -2.
  CalculatedChart east = HourChart(TuesdayMidnight - 1.0 / 24, 180.0);
  east.Chart.ZoneHours = -2.0f;
  EXPECT_EQ(PlanetaryDayAndHour(east).dayRuler, PointMoon);  // before sunrise: Monday's day
}

TEST(PlanetaryDayAndHour, NoRulersWhenTheSunDoesNotSet) {
  PlanetaryHours h = PlanetaryDayAndHour(HourChart(2460480.0, 0.0, 23.4, 70.0));
  EXPECT_EQ(h.dayRuler, 0);
  EXPECT_EQ(h.hourRuler, 0);
  EXPECT_EQ(PlanetaryDayAndHour(HourChart(2460480.0, 0.0, 23.4, -70.0)).dayRuler, 0);  // polar night
  EXPECT_NE(PlanetaryDayAndHour(HourChart(2460480.0, 0.0, 23.4, 60.0)).dayRuler, 0);
}

TEST(Hyleg, SunByDayMoonByNightInTheHylegiacalHouses) {
  CalculatedChart c = BareChart(0.0);
  auto cusps = c.Houses.Cusps;
  Place(c, PointSun, 275.0);  // day, house 10
  Place(c, PointMoon, 100.0);
  EXPECT_EQ(Hyleg(c, cusps), PointSun);
  Place(c, PointSun, 215.0);  // day, house 8
  EXPECT_EQ(Hyleg(c, cusps), PointAscendant);
  Place(c, PointSun, 100.0);  // night: the Moon
  Place(c, PointMoon, 185.0); // house 7
  EXPECT_EQ(Hyleg(c, cusps), PointMoon);
  Place(c, PointMoon, 95.0);  // house 4
  EXPECT_EQ(Hyleg(c, cusps), PointAscendant);
  // The offset cusps decide: 25 Scorpio lies in the 8th house of the chart's cusps but in
  // the 9th when the 9th cusp is moved 5 degrees back.
  auto offset = cusps;
  offset[9] = 235.0;
  Place(c, PointMoon, 236.0);
  EXPECT_EQ(Hyleg(c, cusps), PointAscendant);
  EXPECT_EQ(Hyleg(c, offset), PointMoon);
}

TEST(BalanceLevel, WeightedElementsModalitiesAndPolarities) {
  CalculatedChart c = BareChart(0.0);  // Ascendant 0 Aries (3), Midheaven 0 Capricorn (3)
  for (int p : {PointMoon, PointSun, PointMercury, PointVenus, PointMars}) Place(c, p, 10.0);         // Aries: 12
  for (int p : {PointJupiter, PointSaturn, PointUranus, PointNeptune, PointPluto}) Place(c, p, 130.0);  // Leo: 5
  Place(c, PointChiron, 200.0);  // no weight
  // Total 23: fire 20, earth 3, air 0, water 0 (expected 5.75 each); positive 20,
  // negative 3 (expected 11.5); cardinal 18, fixed 5, mutable 0 (expected 7.67).
  struct Case { int group; int level; };
  for (Case k : {Case{5, 3}, Case{6, 2}, Case{7, 1}, Case{8, 1}, Case{0, 3}, Case{1, 1}, Case{2, 3}, Case{3, 2},
                 Case{4, 1}}) {
    EXPECT_EQ(BalanceLevelOf(c, k.group), k.level) << "group " << k.group;
    EXPECT_TRUE(BalanceLevel(c, k.group, k.level));
    EXPECT_FALSE(BalanceLevel(c, k.group, k.level % 3 + 1));
  }
}

TEST(IsCombust, TheOrbBoundary) {
  CalculatedChart c = BareChart();
  Place(c, PointSun, 100.0);
  struct Case { double longitude; bool combust; };
  for (Case k : {Case{92.0, true}, Case{108.0, true}, Case{91.99, false}, Case{108.01, false},
                 Case{100.0, true}, Case{280.0, false}}) {
    Place(c, PointMars, k.longitude);
    EXPECT_EQ(IsCombust(c, PointMars), k.combust) << k.longitude;
  }
  EXPECT_TRUE(IsCombust(c, PointSun));
  Place(c, PointSun, 3.0);
  Place(c, PointMars, 355.0);  // across 0 Aries
  EXPECT_TRUE(IsCombust(c, PointMars));
  EXPECT_FALSE(IsCombust(c, PointMars, 7.5));
  EXPECT_FALSE(IsCombust(c, PointJupiter));  // not computed
}

TEST(InSect, DiurnalAndNocturnalPlanets) {
  CalculatedChart c = BareChart(0.0);
  Place(c, PointSun, 270.0);      // above the horizon: a day chart
  Place(c, PointJupiter, 200.0);  // above
  Place(c, PointSaturn, 90.0);    // below
  Place(c, PointMars, 90.0);      // below
  Place(c, PointVenus, 200.0);    // above
  Place(c, PointMercury, 250.0);  // behind the Sun: as the Sun
  Place(c, PointUranus, 200.0);
  EXPECT_TRUE(InSect(c, PointSun));
  EXPECT_TRUE(InSect(c, PointJupiter));
  EXPECT_FALSE(InSect(c, PointSaturn));
  EXPECT_TRUE(InSect(c, PointMars));
  EXPECT_FALSE(InSect(c, PointVenus));
  EXPECT_TRUE(InSect(c, PointMercury));
  Place(c, PointMercury, 285.0);  // ahead of the Sun, above: as the Moon, not opposite
  EXPECT_FALSE(InSect(c, PointMercury));
  EXPECT_FALSE(InSect(c, PointUranus));
}

TEST(Stronger, ScoreThenSect) {
  CalculatedChart c = BareChart(0.0);
  Place(c, PointSun, 270.0);
  Place(c, PointJupiter, 200.0);  // in sect by day
  Place(c, PointSaturn, 90.0);    // out of sect
  DignityScores d;
  d.score[PointJupiter] = 3;
  d.score[PointSaturn] = 5;
  EXPECT_EQ(Stronger(c, d, PointJupiter, PointSaturn), PointSaturn);
  d.score[PointSaturn] = 3;
  EXPECT_EQ(Stronger(c, d, PointSaturn, PointJupiter), PointJupiter);
  Place(c, PointSaturn, 200.0);  // both in sect: the first
  EXPECT_EQ(Stronger(c, d, PointSaturn, PointJupiter), PointSaturn);
}

TEST(SlotTest, KindsAgainstTheSlotsAtTheFirstPlanetsPlace) {
  AlmutenScheme s = testing::OwnPlaceScheme(0);
  CalculatedChart c = BareChart(0.0);
  Place(c, PointSun, 270.0);        // day chart
  Place(c, PointVenus, 15.0, -0.5); // 15 Aries: Mars, Sun, Sun, Jupiter, Saturn, Mercury, Sun, Venus, Saturn
  Place(c, PointMars, 272.0);       // combust
  Place(c, PointMercury, 200.0);
  DignityScores d = ScoreDignities(s, c, ShippedTables());
  SlotTestContext ctx{&s, &ShippedTables(), &d, 8.0};
  struct Case { int kind; int b; bool result; };
  const Case cases[] = {
      {0, PointMars, true},   {0, PointSun, false},     {1, PointSun, true},      {2, PointSun, true},
      {2, PointJupiter, false}, {3, PointMercury, true}, {4, PointSun, true},     {5, PointVenus, true},
      {6, PointSaturn, true}, {6, PointMars, false},    {9, PointSun, true},      {9, PointMercury, false},
      {10, PointMercury, true}, {10, PointMars, false},  // Mars holds the domicile but is combust
      {11, PointSaturn, true}, {11, PointMars, false},  {12, 0, false},        {13, 0, true},
      {14, PointMars, false}, {-1, PointMars, false},
  };
  for (const Case& k : cases) EXPECT_EQ(SlotTest(c, ctx, k.kind, PointVenus, k.b), k.result) << "kind " << k.kind << " b " << k.b;
  EXPECT_TRUE(SlotTest(c, ctx, 7, PointVenus, 0));   // Venus in her detriment, no dignity: peregrine
  EXPECT_FALSE(SlotTest(c, ctx, 8, PointVenus, 0));
  EXPECT_TRUE(SlotTest(c, ctx, 8, PointMars, 0));
}

}  // namespace
}  // namespace korvana
