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
using testing::TraditionalTables;

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
      {2, true, 1, "Mars er ikke i Væren"},       {3, true, 1, "Mars n'est pas en Bélier"},
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
  EXPECT_EQ(Eval(Statement(StatementCode::PointInHouse, {PointMars, 4}, true), 2).title, "Mars er ikke i 4. hus");
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
  EXPECT_EQ(Eval(Statement(StatementCode::PointRulesHouse, {PointMars, 10}), 0).title,
            "Mars is the Ruler of the 10th House");
  EXPECT_EQ(Eval(Statement(StatementCode::PointRulesHouse, {PointMars, 10}), 2).title, "Mars er hersker av 10. hus");
}

// Each language's own word order, negation, articles and agreement: no English word left in
// the other languages, "no está" / "er ikke" / "n'est pas" around the verb, "la Luna" but
// "Marte", feminine adjectives for the Moon.
TEST_F(ComposerTest, TitlesReadNativelyInEachLanguage) {
  Place(First(), PointMoon, 200.0, 13.0);           // Libra, 7th house, waxing (Sun in Leo)
  Place(First(), PointSaturn, 322.2167, 0.03);      // the Moon applies to its trine
  Place(First(), PointMars, 190.0, -0.2);           // retrograde in Libra; rules the 1st (Aries)
  composer.inputs.quesitedHouse = 7;
  struct Case {
    CompiledRecord statement;
    std::array<const char*, 4> titles;  // English, Spanish, Norwegian, French
  };
  const Case cases[] = {
      {Statement(StatementCode::PointInSign, {PointMoon, 7}),
       {"Moon is in Libra", "La Luna está en Libra", "Måne er i Vekten", "La Lune est en Balance"}},
      {Statement(StatementCode::PointInHouse, {PointMoon, 7}),
       {"Moon is in the 7th House", "La Luna está en la Casa 7", "Måne er i 7. hus", "La Lune est dans la 7ème Maison"}},
      {Statement(StatementCode::PointInHouse, {PointMoon, 1}, true),
       {"Moon is not in the 1st House", "La Luna no está en la Casa 1", "Måne er ikke i 1. hus",
        "La Lune n'est pas dans la 1re Maison"}},
      {Statement(StatementCode::PointCondition, {PointMars, 14}),
       {"Mars is Retrograde", "Marte está retrógrado", "Mars er retrograd", "Mars est rétrograde"}},
      {Statement(StatementCode::PointCondition, {PointMoon, 13}),
       {"Moon is Direct", "La Luna está directa", "Måne er direkte", "La Lune est directe"}},
      {Statement(StatementCode::PointPhase, {PointMoon, 1}),
       {"Moon is Waxing", "La Luna está creciente", "Måne er voksende", "La Lune est croissante"}},
      {Statement(StatementCode::PointApproachesPoint, {PointMoon, 3, PointSaturn}),
       {"Moon is approaching a Trine with Saturn", "La Luna está en Trígono a Saturno (aplicativo)",
        "Måne er i trigon til Saturn (tilnærmende)", "La Lune est en Trigone avec Saturne (appliquant)"}},
      {Statement(StatementCode::PointRulesHouse, {PointMars, 1}),
       {"Mars is the Ruler of the 1st House", "Marte es el Regente de la Casa 1", "Mars er hersker av 1. hus",
        "Mars est le maître de la 1re Maison"}},
      {Statement(StatementCode::PointRulesHouse, {PointVenus, 1}, true),
       {"Venus is not the Ruler of the 1st House", "Venus no es el Regente de la Casa 1",
        "Venus er ikke hersker av 1. hus", "Vénus n'est pas le maître de la 1re Maison"}},
      {Statement(StatementCode::HouseRulerIsPoint, {1, PointMars}),
       {"Ruler of the 1st House is Mars", "El Regente de la Casa 1 es Marte", "Hersker av 1. hus er Mars",
        "Le maître de la 1re Maison est Mars"}},
      {Statement(StatementCode::HouseRulerInHouse, {1, 7}),
       {"Ruler of the 1st House is in the 7th House", "El Regente de la Casa 1 está en la Casa 7",
        "Hersker av 1. hus er i 7. hus", "Le maître de la 1re Maison est dans la 7ème Maison"}},
      {Statement(StatementCode::HemisphereOfBirth, {1}),
       {"The chart is located in the Northern Hemisphere", "La carta está situada en el hemisferio norte",
        "Horoskopet er stilt på den nordlige halvkule", "Le thème est situé dans l'hémisphère nord"}},
      {Statement(StatementCode::SectOfBirth, {2}),
       {"The chart is Nocturnal", "La carta es nocturna", "Horoskopet er et nattehoroskop", "Le thème est nocturne"}},
      {Statement(StatementCode::Element, {6, 4}),
       {"Element Fire is Strong", "El elemento Fuego es fuerte", "Elementet Ild er sterkt", "L'élément Feu est fort"}},
      {Statement(StatementCode::HoraryHouses, {}),
       {"Quesited House is the 7th", "La casa de lo preguntado es la Casa 7", "Spørsmålets hus er 7. hus",
        "La maison de la question est la 7ème Maison"}},
  };
  for (const Case& c : cases)
    for (int language = 0; language < 4; ++language)
      EXPECT_EQ(Eval(c.statement, language).title, c.titles[static_cast<std::size_t>(language)]) << language;
  // English titles are spelt right too.
  EXPECT_EQ(Eval(Statement(StatementCode::PointMoreDignified, {PointMars, PointSaturn})).title,
            "Mars is more dignified than Saturn");
  // The polarity is named by a masculine noun, so that the quality and strength words agree.
  EXPECT_EQ(Eval(Statement(StatementCode::Polarity, {1, 4}), 1).title, "El polo Masculino es fuerte");
  EXPECT_EQ(Eval(Statement(StatementCode::Polarity, {1, 4}), 3).title, "Le pôle Masculin est fort");
  // Spanish contractions join the lower-case article inside a title: "a el" becomes "al".
  Place(First(), PointSun, 80.0, 1.0);
  EXPECT_EQ(Eval(Statement(StatementCode::PointAspectsPoint, {PointMoon, 3, PointSun}), 1).title,
            "La Luna está en Trígono al Sol (Orbe 0°00')");
}

// With Aries rising Mars rules both the 1st and the 8th house: a planet makes no aspect
// with itself, so the "rulers" of those houses never perfect, apply or separate.
TEST_F(ComposerTest, APlanetRulingBothHousesMakesNoAspectWithItself) {
  Place(First(), PointMars, 10.0, 0.6);
  Place(First(), PointVenus, 188.0, 1.2);  // rules the 7th (Libra), applying to oppose Mars
  struct Case {
    CompiledRecord statement;
    bool truth;
  };
  const Case cases[] = {
      {Statement(StatementCode::HouseRulerAspectsHouseRuler, {1, 1, 8}), false},
      {Statement(StatementCode::HouseRulerAspectsHouseRuler, {1, 9, 8}), false},
      {Statement(StatementCode::HouseRulerApproachesHouseRuler, {1, 9, 8}), false},
      {Statement(StatementCode::PointAspectsHouseRuler, {PointMars, 9, 8}), false},
      {Statement(StatementCode::PointApproachesHouseRuler, {PointMars, 9, 1}), false},
      {Statement(StatementCode::PointSeparatesFromHouseRuler, {PointMars, 9, 1}), false},
      // Two different rulers still meet.
      {Statement(StatementCode::HouseRulerAspectsHouseRuler, {1, 9, 7}), true},
      {Statement(StatementCode::HouseRulerApproachesHouseRuler, {8, 2, 7}), true},
      {Statement(StatementCode::PointApproachesHouseRuler, {PointMars, 2, 7}), true},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(Eval(cases[i].statement).truth, cases[i].truth) << "case " << i;
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

TEST_F(ComposerTest, TwoChartAspectToAnAngleNeedsOnlyTheAnglesOwnersBirthTime) {
  twoCharts = true;
  charts.push_back(MakeChart("Ben Jones", 90.0));  // Anna's Ascendant at 0 Aries
  charts[1].Chart.TimeUnknown = true;               // Ben's angles are not known
  charts[1].Point(PointAscendant).Longitude = -1;
  Place(charts[1], PointSun, 1.0, 1.0);             // Ben's Sun on Anna's Ascendant
  StatementResult onAnnas = Eval(Statement(StatementCode::PointAspectsPoint, {PointSun, 1, PointAscendant}));
  EXPECT_TRUE(onAnnas.truth);
  EXPECT_TRUE(onAnnas.swapped);
  EXPECT_EQ(onAnnas.title, "Ben's Sun is Conjunct Anna's Ascendant (Orb 1°00')");
  // Without the contact, nothing is said: one way round is not known, whichever way the
  // statement is put and even when it is negated.
  charts[1].Point(PointSun).Longitude = 250.0;
  EXPECT_FALSE(Eval(Statement(StatementCode::PointAspectsPoint, {PointSun, 1, PointAscendant})).truth);
  EXPECT_FALSE(Eval(Statement(StatementCode::PointAspectsPoint, {PointSun, 1, PointAscendant}, true)).truth);
  EXPECT_FALSE(Eval(Statement(StatementCode::PointAspectsPoint, {PointAscendant, 1, PointSun}, true)).truth);
  // Between two timed points the negation still holds.
  EXPECT_TRUE(Eval(Statement(StatementCode::PointAspectsPoint, {PointSun, 1, PointSun}, true)).truth);
}

TEST_F(ComposerTest, TwoChartHouseStatementPlacesOnePersonsPointInTheOthersHouses) {
  twoCharts = true;
  charts[0] = MakeChart("Anna Smith", 0.0);  // Anna: Aries rising, equal houses
  charts.push_back(MakeChart("Ben Jones", 90.0));  // Ben: Cancer rising
  Place(charts[0], PointVenus, 100.0);  // Anna's 4th, Ben's 1st
  Place(charts[1], PointVenus, 200.0);  // Ben's 4th, Anna's 7th
  struct Case {
    int house;
    bool negated;
    bool truth;
    bool swapped;
    const char* title;
  };
  const Case cases[] = {
      // Anna's Venus in Ben's 1st: the first way round.
      {1, false, true, false, "Anna's Venus is in Ben's 1st House"},
      // Ben's Venus in Anna's 7th: found only with the charts exchanged.
      {7, false, true, true, "Ben's Venus is in Anna's 7th House"},
      // Each Venus is in its own 4th house, which an overlay does not look at; a test that
      // fails both ways round names the first.
      {4, false, false, false, ""},
      {4, true, true, false, "Anna's Venus is not in Ben's 4th House"},
      {1, true, false, false, "Anna's Venus is not in Ben's 1st House"},
  };
  for (const Case& c : cases) {
    StatementResult r = Eval(Statement(StatementCode::PointInHouse, {PointVenus, c.house}, c.negated));
    EXPECT_EQ(r.truth, c.truth) << c.title;
    EXPECT_EQ(r.swapped, c.swapped) << c.title;
    if (r.truth) {
      EXPECT_EQ(r.title, c.title);
    }
  }
  // A Chart statement keeps the point in its owner's own houses.
  Eval(Statement(StatementCode::Chart, {1}));
  StatementResult own = Eval(Statement(StatementCode::PointInHouse, {PointVenus, 4}));
  EXPECT_TRUE(own.truth);
  EXPECT_FALSE(own.swapped);
  EXPECT_EQ(own.title, "Venus is in the 4th House");
  Eval(Statement(StatementCode::Chart, {0}));

  // Ben's birth time is unknown: his houses say nothing, Anna's still take his Venus.
  charts[1].Chart.TimeUnknown = true;
  EXPECT_FALSE(Eval(Statement(StatementCode::PointInHouse, {PointVenus, 1})).truth);
  EXPECT_FALSE(Eval(Statement(StatementCode::PointInHouse, {PointVenus, 1}, true)).truth);
  StatementResult intoAnnas = Eval(Statement(StatementCode::PointInHouse, {PointVenus, 7}));
  EXPECT_TRUE(intoAnnas.truth);
  EXPECT_TRUE(intoAnnas.swapped);
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
  EXPECT_EQ(Eval(Statement(StatementCode::PlanetDegree, {PointMars}), 2).title, "Mars befinner seg på 16. grad i Tyren");
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
