// The composer: statement tests, chart selection, the evaluation context and the titles
// in the four report languages.
#include <gtest/gtest.h>

#include "core/analysis/rulerships.h"
#include "core/reports/composer/composer.h"
#include "report_fixture.h"

namespace korvana {
namespace {

using testing::MakeChart;
using testing::Place;
using testing::Statement;

// Domicile rulers of the traditional scheme, Aries first.
RulershipTables TraditionalTables() {
  RulershipTables t;
  RulershipScheme s;
  s.code = 'T';
  const int rulers[12] = {PointMars, PointVenus, PointMercury, PointMoon, PointSun, PointMercury,
                          PointVenus, PointMars, PointJupiter, PointSaturn, PointSaturn, PointJupiter};
  const int exalted[12] = {PointSun, PointMoon, 0, PointJupiter, 0, PointMercury, PointSaturn, 0, 0, PointMars, 0, PointVenus};
  for (int sign = 1; sign <= 12; ++sign) {
    s.domicile[static_cast<std::size_t>(sign)] = static_cast<std::uint8_t>(rulers[sign - 1]);
    s.exaltation[static_cast<std::size_t>(sign)] = static_cast<std::uint8_t>(exalted[sign - 1]);
  }
  t.schemes.push_back(s);
  t.schemeT = t.schemeM = t.schemeE = t.schemeH = 1;
  return t;
}

class ComposerTest : public ::testing::Test {
 protected:
  ComposerTest() {
    composer.inputs.aspects = &aspects;
    composer.inputs.tables = &tables;
    composer.inputs.ownerNames = {"Anna", "Ben"};
    composer.ResetForRun();
    charts.push_back(MakeChart("Anna Smith"));
  }
  StatementResult Eval(const CompiledRecord& st, int language = 0) {
    composer.inputs.language = language;
    return composer.EvaluateStatement(st, charts, static_cast<int>(charts.size()) - 1, 0, twoCharts);
  }
  CalculatedChart& First() { return charts[0]; }

  AspectSet aspects = testing::MajorAspects();
  RulershipTables tables = TraditionalTables();
  ReportComposer composer;
  std::vector<CalculatedChart> charts;
  bool twoCharts = false;
};

TEST_F(ComposerTest, SignStatementTitlesInEachLanguageWithNegation) {
  Place(First(), PointMars, 45.0);  // Taurus
  struct Case {
    int language;
    bool negated;
    int sign;
    const char* title;
  };
  const Case cases[] = {
      {0, true, 1, "Mars is not in Aries"},       {1, true, 1, "Marte no está en Aries"},
      {2, true, 1, "Mars ikke er i Væren"},       {3, true, 1, "Mars n'est pas est en Bélier"},
      {0, false, 2, "Mars is in Taurus"},         {1, false, 2, "Marte está en Tauro"},
      {2, false, 2, "Mars er i Tyren"},           {3, false, 2, "Mars est en Taureau"},
  };
  for (const Case& c : cases) {
    StatementResult r = Eval(Statement(StatementCode::PointInSign, {PointMars, c.sign}, c.negated), c.language);
    EXPECT_TRUE(r.truth) << c.title;
    EXPECT_EQ(r.title, c.title);
  }
  // The same statement fails for the sign Mars is in when negated.
  EXPECT_FALSE(Eval(Statement(StatementCode::PointInSign, {PointMars, 2}, true)).truth);
  EXPECT_FALSE(Eval(Statement(StatementCode::PointInSign, {PointMars, 1}, false)).truth);
}

TEST_F(ComposerTest, HouseTitlesFollowTheWordOrderOfTheLanguage) {
  Place(First(), PointMars, 275.0);  // 10th house with Aries rising
  EXPECT_EQ(Eval(Statement(StatementCode::PointInHouse, {PointMars, 10}), 0).title, "Mars is in the 10th House");
  StatementResult en = Eval(Statement(StatementCode::PointInHouse, {PointMars, 10}, true), 0);
  EXPECT_FALSE(en.truth);
  EXPECT_EQ(en.title, "Mars is not in the 10th House");
  StatementResult sp = Eval(Statement(StatementCode::PointInHouse, {PointMars, 4}, true), 1);
  EXPECT_TRUE(sp.truth);
  EXPECT_EQ(sp.title, "Marte no está en la Casa 4");
  EXPECT_EQ(Eval(Statement(StatementCode::PointInHouse, {PointMars, 4}, true), 2).title, "Mars ikke er i Hus 4.");
  // The quesited house word stands for the house chosen for the report.
  composer.inputs.quesitedHouse = 10;
  EXPECT_TRUE(Eval(Statement(StatementCode::PointInHouse, {PointMars, 13})).truth);
}

TEST_F(ComposerTest, RulerAndCuspTitlesPutTheHouseWordsFirstInSpanish) {
  charts[0] = MakeChart("Anna", 90.0);  // Cancer rising: Aries on the 10th cusp, ruled by Mars
  Place(First(), PointMars, 200.0);
  EXPECT_EQ(Eval(Statement(StatementCode::HouseRulerIsPoint, {10, PointMars}), 0).title,
            "Ruler of the 10th House is Mars");
  StatementResult sp = Eval(Statement(StatementCode::HouseRulerIsPoint, {10, PointMars}), 1);
  EXPECT_TRUE(sp.truth);
  EXPECT_EQ(sp.title, "El Regente de la Casa 10 es Marte");
  EXPECT_FALSE(Eval(Statement(StatementCode::HouseRulerIsPoint, {10, PointVenus})).truth);
  EXPECT_EQ(Eval(Statement(StatementCode::CuspInSign, {10, 1}), 0).title, "10th House Cusp is in Aries");
  EXPECT_EQ(Eval(Statement(StatementCode::CuspInSign, {10, 1}), 1).title, "La Cúspide de la Casa 10 está en Aries");
  EXPECT_EQ(Eval(Statement(StatementCode::CuspInSign, {10, 2}, true), 0).title, "10th House Cusp is not in Taurus");
  // Code 31 leaves out the empty Norwegian article.
  EXPECT_EQ(Eval(Statement(StatementCode::PointRulesHouse, {PointMars, 10}), 0).title,
            "Mars is the Ruler of the 10th House");
  EXPECT_EQ(Eval(Statement(StatementCode::PointRulesHouse, {PointMars, 10}), 2).title, "Mars er Hersker av 10. Hus");
}

TEST_F(ComposerTest, AspectOrbTitleAndApplyingOrSeparating) {
  Place(First(), PointMoon, 100.0, 13.0);
  Place(First(), PointSaturn, 100.0 - 122.2167, 0.03);  // the Moon moves away from the trine
  First().Point(PointSaturn).Longitude += 360.0;
  StatementResult trine = Eval(Statement(StatementCode::PointAspectsPoint, {PointMoon, 3, PointSaturn}));
  EXPECT_TRUE(trine.truth);
  EXPECT_EQ(trine.title, "Moon Trine Saturn (Orb 2°13')");
  EXPECT_FALSE(Eval(Statement(StatementCode::PointApproachesPoint, {PointMoon, 3, PointSaturn})).truth);
  StatementResult leaving = Eval(Statement(StatementCode::PointSeparatesFromPoint, {PointMoon, 3, PointSaturn}));
  EXPECT_TRUE(leaving.truth);
  EXPECT_EQ(leaving.title, "Moon is leaving a Trine with Saturn");
  // Soft takes any of conjunction, trine and sextile; Hard does not.
  EXPECT_TRUE(Eval(Statement(StatementCode::PointAspectsPoint, {PointMoon, 10, PointSaturn})).truth);
  EXPECT_FALSE(Eval(Statement(StatementCode::PointAspectsPoint, {PointMoon, 11, PointSaturn})).truth);
  // With Saturn on the other side the Moon moves towards the trine.
  First().Point(PointSaturn).Longitude = 100.0 + 122.2167;
  StatementResult approaching = Eval(Statement(StatementCode::PointApproachesPoint, {PointMoon, 3, PointSaturn}));
  EXPECT_TRUE(approaching.truth);
  EXPECT_EQ(approaching.title, "Moon is approaching a Trine with Saturn");
  // "Conjunct" reads as a noun after "approaching a": the title names the Conjunction.
  First().Point(PointSaturn).Longitude = 102.0;
  StatementResult conjunction = Eval(Statement(StatementCode::PointApproachesPoint, {PointMoon, 1, PointSaturn}));
  EXPECT_TRUE(conjunction.truth);
  EXPECT_EQ(conjunction.title, "Moon is approaching a Conjunction with Saturn");
  EXPECT_EQ(
      Eval(Statement(StatementCode::PointAspectsPoint, {PointMoon, 1, PointSaturn})).title.rfind("Moon Conjunct Saturn", 0),
      0u);
}

TEST_F(ComposerTest, AntiscionMirrorsTheFirstPoint) {
  Place(First(), PointSun, 10.0, 1.0);
  Place(First(), PointJupiter, 171.0, 0.1);  // (540 - 10) mod 360 = 170
  EXPECT_TRUE(Eval(Statement(StatementCode::PointAspectsPoint, {PointSun, 6, PointJupiter})).truth);
  First().Point(PointJupiter).Longitude = 190.0;  // the plain opposition, not the antiscion
  EXPECT_FALSE(Eval(Statement(StatementCode::PointAspectsPoint, {PointSun, 6, PointJupiter})).truth);
  First().Point(PointJupiter).Longitude = 351.0;  // contra-antiscion: 360 - 10
  EXPECT_TRUE(Eval(Statement(StatementCode::PointAspectsPoint, {PointSun, 7, PointJupiter})).truth);
}

TEST_F(ComposerTest, PlanetInHouseCountsOnlyTheClassicalPlanets) {
  Place(First(), PointUranus, 280.0);
  Place(First(), PointAscendant, 285.0, 360);  // angles never count
  EXPECT_FALSE(Eval(Statement(StatementCode::PlanetInHouse, {10})).truth);
  Place(First(), PointSaturn, 275.0);
  StatementResult r = Eval(Statement(StatementCode::PlanetInHouse, {10}));
  EXPECT_TRUE(r.truth);
  EXPECT_EQ(r.title, "A Planet is in the 10th House");
}

TEST_F(ComposerTest, SecondPointComesFromTheLastPair) {
  Place(First(), PointMoon, 100.0, 13.0);
  Place(First(), PointVenus, 101.0, 1.0);
  Place(First(), PointMars, 30.0, 0.5);
  EXPECT_TRUE(Eval(Statement(StatementCode::PointAspectsPoint, {PointMoon, 1, PointVenus})).truth);
  // "Moon Sets After" names one point: the pair's other point (Venus) is the second.
  StatementResult r = Eval(Statement(StatementCode::PointRisesOrSets, {PointMoon, 2, 2}));
  EXPECT_EQ(r.title, "Moon Sets After Venus");
  EXPECT_FALSE(r.truth);  // Venus lies 1 degree ahead of the Moon: before
  // The first point of the pair when the statement's point is the pair's second.
  EXPECT_EQ(Eval(Statement(StatementCode::PointRisesOrSets, {PointVenus, 2, 2})).title, "Venus Sets After Moon");
  EXPECT_TRUE(Eval(Statement(StatementCode::PointRisesOrSets, {PointVenus, 2, 2})).truth);
  // A negated rises/sets statement puts "does not" before the verb.
  EXPECT_EQ(Eval(Statement(StatementCode::PointRisesOrSets, {PointVenus, 1, 1}, true)).title,
            "Venus does not Rises Before Moon");
}

TEST_F(ComposerTest, TwoChartAspectIsRetriedWithTheChartsExchanged) {
  twoCharts = true;
  charts.push_back(MakeChart("Ben Jones"));
  Place(charts[0], PointVenus, 10.0, 1.0);
  Place(charts[1], PointMars, 130.0, 0.5);
  StatementResult direct = Eval(Statement(StatementCode::PointAspectsPoint, {PointVenus, 3, PointMars}));
  EXPECT_TRUE(direct.truth);
  EXPECT_FALSE(direct.swapped);
  EXPECT_EQ(direct.title, "Anna's Venus is Trine Ben's Mars (Orb 0°00')");

  charts[1].Point(PointMars).Longitude = 50.0;  // no aspect this way round
  Place(charts[1], PointVenus, 200.0, 1.0);
  Place(charts[0], PointMars, 80.0, 0.5);
  StatementResult swapped = Eval(Statement(StatementCode::PointAspectsPoint, {PointVenus, 3, PointMars}));
  EXPECT_TRUE(swapped.truth);
  EXPECT_TRUE(swapped.swapped);
  EXPECT_EQ(swapped.title, "Ben's Venus is Trine Anna's Mars (Orb 0°00')");

  // Chart selection 1 puts both points on the first chart.
  EXPECT_FALSE(
      composer.EvaluateStatement(Statement(StatementCode::PointAspectsPoint, {PointVenus, 3, PointMars}), charts, 1, 1, true)
          .truth);
  // A Chart statement chooses the chart of both points for selection 0.
  charts[1].Point(PointMars).Longitude = 80.0;  // Ben's Mars trine Ben's Venus
  StatementResult chart = Eval(Statement(StatementCode::Chart, {2}));
  EXPECT_FALSE(chart.truth);
  EXPECT_EQ(chart.title, "Ben's Chart");
  StatementResult onBen = Eval(Statement(StatementCode::PointAspectsPoint, {PointVenus, 3, PointMars}));
  EXPECT_TRUE(onBen.truth);
  EXPECT_EQ(onBen.title, "Venus Trine Mars (Orb 0°00')");
}

TEST_F(ComposerTest, DignitiesAndDebilitiesAtThePlanetsOwnPlace) {
  struct Case {
    int point;
    double longitude;
    StatementCode code;
    bool truth;
    const char* title;
  };
  const Case cases[] = {
      {PointMars, 10.0, StatementCode::PointDignified, true, "Mars is Dignified by Rulership"},
      {PointSun, 10.0, StatementCode::PointDignified, true, "Sun is Dignified by Exaltation"},
      {PointMars, 190.0, StatementCode::PointDignified, false, "Mars is Dignified"},
      {PointMars, 190.0, StatementCode::PointDebilitated, true, "Mars is Debilitated by Detriment"},
      {PointSaturn, 10.0, StatementCode::PointDebilitated, true, "Saturn is Debilitated by Fall"},
      {PointJupiter, 130.0, StatementCode::PointDebilitated, true, "Jupiter is Debilitated by Peregrine"},
      {PointVenus, 40.0, StatementCode::PointDebilitated, false, "Venus is Debilitated"},
  };
  for (const Case& c : cases) {
    Place(First(), c.point, c.longitude);
    StatementResult r = Eval(Statement(c.code, {c.point}));
    EXPECT_EQ(r.truth, c.truth) << c.title;
    EXPECT_EQ(r.title, c.title);
  }
  // A dignified Venus close to Algol, then square to Mars.
  composer.classical.algolLongitude = 42.0;
  EXPECT_EQ(Eval(Statement(StatementCode::PointDebilitated, {PointVenus})).title,
            "Venus is Debilitated by Conjunction with Algol");
  composer.classical.algolLongitude = 200.0;
  Place(First(), PointMars, 131.0);
  EXPECT_EQ(Eval(Statement(StatementCode::PointDebilitated, {PointVenus})).title,
            "Venus is Debilitated by Aspect with Malefic");
  // The condition words through the slot tests, with the traditional scheme when the report
  // set's almuten scheme cannot be read.
  Place(First(), PointMars, 190.0, -0.2);
  EXPECT_EQ(Eval(Statement(StatementCode::PointCondition, {PointMars, 14})).title, "Mars is Retrograde");
  EXPECT_TRUE(Eval(Statement(StatementCode::PointCondition, {PointMars, 14})).truth);
  EXPECT_FALSE(Eval(Statement(StatementCode::PointCondition, {PointMars, 13})).truth);
  Place(First(), PointVenus, 40.0);
  EXPECT_TRUE(
      Eval(Statement(StatementCode::PointConditionOfPoint, {PointVenus, 1, PointVenus})).truth);  // Venus rules Taurus
  EXPECT_EQ(Eval(Statement(StatementCode::PointConditionOfPoint, {PointVenus, 1, PointVenus})).title,
            "Venus is in Rulership of Venus");
  // Dispositors and rulers of houses with the statement's rulership scheme.
  EXPECT_TRUE(
      Eval(Statement(StatementCode::DispositorIsPoint, {PointMars, PointVenus})).truth);  // Mars in Libra: Venus disposes
  EXPECT_EQ(Eval(Statement(StatementCode::DispositorIsPoint, {PointMars, PointVenus})).title, "Dispositor of Mars is Venus");
  EXPECT_TRUE(Eval(Statement(StatementCode::DispositorInSign, {PointMars, 2})).truth);  // Venus is in Taurus
  EXPECT_TRUE(Eval(Statement(StatementCode::HouseRulerInHouse, {1, 7}))
                  .truth);  // Mars rules the 1st (Aries) and stands in the 7th
  EXPECT_FALSE(Eval(Statement(StatementCode::HouseRulerInHouse, {1, 2})).truth);
  EXPECT_EQ(Eval(Statement(StatementCode::HouseRulerInHouse, {1, 7})).title,
            "Ruler of the 1st House is in the 7th House");
}

TEST_F(ComposerTest, ComplexionIsComputedOncePerRun) {
  // Fire: Aries rising, the Moon and Mars in Leo, the Sun in Aries; the other planets
  // make no aspect with the Ascendant or the Moon.
  charts[0] = MakeChart("Anna", 0.0);
  Place(First(), PointMoon, 125.0, 13.0);
  Place(First(), PointSun, 5.0, 1.0);
  Place(First(), PointMars, 125.0);
  Place(First(), PointMercury, 45.0);
  Place(First(), PointVenus, 150.0);
  Place(First(), PointJupiter, 200.0);
  Place(First(), PointSaturn, 230.0);
  for (int type = 0; type < 9; ++type) {
    if (Eval(Statement(StatementCode::ComplexionalType, {type + 1})).truth) break;
  }
  ASSERT_TRUE(composer.CurrentComplexion().computed);
  const int first = composer.CurrentComplexion().type;
  // Water now: Cancer rising, the Moon in Pisces, the Sun in Scorpio (a cold chart); the
  // run keeps its complexion.
  charts[0] = MakeChart("Anna", 95.0);
  Place(First(), PointMoon, 345.0, 13.0);
  Place(First(), PointSun, 220.0, 1.0);
  Place(First(), PointMars, 20.0);
  Place(First(), PointMercury, 25.0);
  Place(First(), PointVenus, 130.0);
  Place(First(), PointJupiter, 140.0);
  Place(First(), PointSaturn, 145.0);
  EXPECT_TRUE(Eval(Statement(StatementCode::ComplexionalType, {first + 1})).truth);
  EXPECT_EQ(composer.CurrentComplexion().type, first);
  composer.ResetForRun();
  EXPECT_FALSE(Eval(Statement(StatementCode::ComplexionalType, {first + 1})).truth);
  EXPECT_NE(composer.CurrentComplexion().type, first);
  // Code 49 writes the scores as its extra text.
  StatementResult scores = Eval(Statement(StatementCode::ComplexionalScores, {}));
  EXPECT_TRUE(scores.truth);
  EXPECT_TRUE(scores.extraTextSet);
  EXPECT_NE(scores.extraText.find("||Final complexional scores:|Hot: \t"), std::string::npos);
  EXPECT_NE(scores.extraText.find("|Dry: \t"), std::string::npos);
}

TEST_F(ComposerTest, DriverStatementsReachingTheComposerAreFalse) {
  using enum StatementCode;
  for (StatementCode code : {KeywordTitlesOn, KeywordTitlesOff, Rulerships, Untimed, DynamicReport, DynamicBackground,
                             Asteroid, AsteroidTable, AsteroidMaxOrb, InterpFile, CheckForText, SectionCount,
                             TestBothCharts, static_cast<StatementCode>(2), NoMatch}) {
    StatementResult r = Eval(Statement(code, {1, 1}));
    EXPECT_FALSE(r.truth) << int(code);
    EXPECT_EQ(r.title, UnhandledStatementTitle) << int(code);
  }
}

TEST_F(ComposerTest, PlanetaryRulersAndAsteroidsAsPoints) {
  composer.classical.hourRuler = PointMars;
  composer.classical.dayRuler = PointVenus;
  Place(First(), PointMars, 45.0);
  Place(First(), PointVenus, 200.0);
  EXPECT_EQ(Eval(Statement(StatementCode::PointTitle, {37})).title, "Planetary Hour Ruler (Mars)");
  EXPECT_TRUE(Eval(Statement(StatementCode::PointInSign, {37, 2})).truth);
  EXPECT_EQ(Eval(Statement(StatementCode::PointInSign, {38, 7})).title, "Planetary Day Ruler (Venus) is in Libra");
  ReportAsteroid eros;
  eros.name = "Eros";
  eros.position.Longitude = 61.0;
  composer.asteroids.push_back(eros);
  StatementResult r = Eval(Statement(StatementCode::PointInSign, {10000, 3}));
  EXPECT_TRUE(r.truth);
  EXPECT_EQ(r.title, "Eros is in Gemini");
  // An asteroid that is not defined is never true.
  EXPECT_FALSE(Eval(Statement(StatementCode::PointInSign, {10001, 3})).truth);
}

TEST_F(ComposerTest, UntimedChartsTakeEitherSignOfTheDay) {
  Place(First(), PointMoon, 55.0, 13.0);  // Taurus at the cast time
  composer.untimed = true;
  composer.ingress[PointMoon] = UntimedIngress{2, 3, true, 14, 5};
  StatementResult gemini = Eval(Statement(StatementCode::PointInSign, {PointMoon, 3}));
  EXPECT_TRUE(gemini.truth);
  EXPECT_TRUE(gemini.extraTextSet);
  EXPECT_EQ(gemini.extraText, "Moon is in Gemini from 14:05.");
  StatementResult taurus = Eval(Statement(StatementCode::PointInSign, {PointMoon, 2}));
  EXPECT_EQ(taurus.extraText, "Moon is in Taurus until 14:05.");
  EXPECT_FALSE(Eval(Statement(StatementCode::PointInSign, {PointMoon, 4})).truth);
  StatementResult moves = Eval(Statement(StatementCode::UntimedIngress, {PointMoon}));
  EXPECT_TRUE(moves.truth);
  EXPECT_EQ(moves.title, "The Moon moves from Taurus into Gemini at 14:05.");
}

// A chart without its birth time states no house, angle or sect as a fact, negated or not;
// what the time does not decide (signs, aspects between planets) stands.
TEST_F(ComposerTest, AChartWithoutItsBirthTimeStatesNoHouseAngleOrSect) {
  Place(First(), PointMars, 275.0);  // Capricorn, 10th house with Aries rising
  Place(First(), PointMoon, 215.0);  // sextile Mars
  const CompiledRecord timed[] = {
      Statement(StatementCode::PointInHouse, {PointMars, 10}),
      Statement(StatementCode::PointInHouse, {PointMars, 4}),
      Statement(StatementCode::PointInSign, {PointAscendant, 1}),
      Statement(StatementCode::PointAspectsPoint, {PointMars, 3, PointAscendant}),
      Statement(StatementCode::PointAspectsPoint, {PointMars, 1, PointMidheaven}),
      Statement(StatementCode::SectOfBirth, {1}),
      Statement(StatementCode::SectOfBirth, {2}),
      Statement(StatementCode::PlanetInHouse, {10}),
      Statement(StatementCode::PointMoreDignified, {PointSun, PointMoon}),
  };
  const CompiledRecord untimed[] = {
      Statement(StatementCode::PointInSign, {PointMars, 10}),
      Statement(StatementCode::PointAspectsPoint, {PointMoon, 5, PointMars}),
  };
  for (const bool unknown : {false, true}) {
    First().Chart.TimeUnknown = unknown;
    for (const CompiledRecord& st : timed) {
      CompiledRecord negated = st;
      negated.negated = true;
      const int holding = int(Eval(st).truth) + int(Eval(negated).truth);
      // With the time one of the statement and its negation holds; without it neither.
      EXPECT_EQ(holding, unknown ? 0 : 1) << "code " << int(st.code) << " param " << st.params[1] << " unknown " << unknown;
    }
    for (const CompiledRecord& st : untimed) EXPECT_TRUE(Eval(st).truth) << int(st.code) << " unknown " << unknown;
  }
}

TEST_F(ComposerTest, DegreeParagraphTitles) {
  Place(First(), PointMars, 45.5);
  StatementResult r = Eval(Statement(StatementCode::PlanetDegree, {PointMars}));
  EXPECT_TRUE(r.truth);
  EXPECT_TRUE(r.extraTextSet);  // the reader's message, no interpretation file is open
  EXPECT_EQ(r.title, "Mars is located at the 16th degree of Taurus");
  EXPECT_EQ(Eval(Statement(StatementCode::PlanetDegree, {PointMars}), 2).title, "Mars befinner seg 16 grader i Tyren");
  EXPECT_EQ(Eval(Statement(StatementCode::HouseCuspDegree, {10})).title,
            "The 10th house cusp is located at the 1st degree of Capricorn");
  const std::pair<int, const char*> ordinals[] = {{1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},
                                                  {11, "11th"}, {12, "12th"}, {13, "13th"}, {21, "21st"},
                                                  {22, "22nd"}, {23, "23rd"}, {30, "30th"}};
  for (const auto& [n, text] : ordinals) EXPECT_EQ(DegreeOrdinal(0, n), text);
  EXPECT_EQ(DegreeOrdinal(2, 22), "22");
}

TEST_F(ComposerTest, StarsetRangeAndItsPoints) {
  First().Moment.JDEphem = 2451545.0;  // the star epoch 2000 itself: no precession
  EXPECT_TRUE(Eval(Statement(StatementCode::StarEpoch, {2000})).truth);
  EXPECT_TRUE(Eval(Statement(StatementCode::Starset, {10 * 3600, 20 * 3600 - 60})).truth);
  EXPECT_NEAR(composer.StarsetStart(), 10.0, 0.01);
  EXPECT_NEAR(composer.StarsetEnd(), 20.0, 0.01);
  Place(First(), PointSun, 15.0, 1.0);
  Place(First(), PointMars, 25.0);
  Place(First(), PointChiron, 12.0);
  EXPECT_TRUE(Eval(Statement(StatementCode::PointAlignedStarset, {PointSun})).truth);
  EXPECT_FALSE(Eval(Statement(StatementCode::PointAlignedStarset, {PointMars})).truth);
  EXPECT_FALSE(Eval(Statement(StatementCode::PointAlignedStarset, {PointChiron})).truth);  // not a starset point
  composer.starsetName = "Pleiades";
  StatementResult aligned = Eval(Statement(StatementCode::PointAlignedStarsetTitled, {PointSun}));
  EXPECT_EQ(aligned.title, "The Sun is aligned with starset Pleiades");
  EXPECT_TRUE(Eval(Statement(StatementCode::PlanetAlignedStarset, {})).truth);
  First().Point(PointSun).Longitude = 100.0;
  EXPECT_FALSE(Eval(Statement(StatementCode::PlanetAlignedStarset, {})).truth);
}

TEST_F(ComposerTest, OptionMaskAndExplanations) {
  composer.inputs.chosenOption = 2;
  EXPECT_TRUE(Eval(Statement(StatementCode::Option, {0b110})).truth);
  EXPECT_FALSE(Eval(Statement(StatementCode::Option, {0b101})).truth);
  composer.inputs.chosenOption = 0;
  EXPECT_FALSE(Eval(Statement(StatementCode::Option, {-1})).truth);
  composer.inputs.showExplanations = false;
  EXPECT_FALSE(Eval(Statement(StatementCode::Explanation, {})).truth);
  EXPECT_TRUE(Eval(Statement(StatementCode::Explanation, {}, true)).truth);
}

TEST_F(ComposerTest, UncomputedPointsAreNeverTrue) {
  for (const CompiledRecord& st :
       {Statement(StatementCode::PointInSign, {PointChiron, 1}), Statement(StatementCode::PointInHouse, {PointChiron, 1}),
        Statement(StatementCode::PointAspectsPoint, {PointChiron, 1, PointSun}),
        Statement(StatementCode::PointInEarlyDegrees, {PointChiron}),
        Statement(StatementCode::PointOrientality, {PointChiron, 1}),
        Statement(StatementCode::PointInFace, {PointChiron, 1, 1})})
    EXPECT_FALSE(Eval(st).truth) << int(st.code);
}

}  // namespace
}  // namespace korvana
