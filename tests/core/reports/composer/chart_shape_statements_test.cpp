// The statements of the chart's shape: aspect figures, dominant element, mode and planet,
// hemisphere and quadrant emphasis, the chart ruler, the house system fallback and the
// unknown birth time. One chart made by hand carries every case; each case states the
// truth, the title and what the statement's placeholders name.
#include <gtest/gtest.h>

#include "core/analysis/chart_emphasis.h"
#include "core/analysis/chart_figures.h"
#include "core/astro/houses.h"
#include "core/reports/language/language.h"
#include "core/reports/composer/composer.h"
#include "report_fixture.h"

namespace korvana {
namespace {

using testing::MakeChart;
using testing::Place;
using testing::Statement;
using enum StatementCode;

// Figure words and qualities as compiled.
enum : int { Stellium = 1, TSquare, GrandTrine, GrandCross, Yod, Kite };
enum : int { Cardinal = 3, Fixed = 4, Fire = 6, Water = 9 };

class ChartShapeTest : public ::testing::Test {
 protected:
  // Aries rising, equal houses: house n is sign n.
  //   Sun 15 Leo, Mercury 20 Leo, Venus 25 Leo: a stellium in Leo and in the 5th house.
  //   Mars 15 Aries opposite Saturn 15 Libra, both square the Moon 15 Cancer: a T-square.
  //   Sun, Mars and Jupiter 15 Sagittarius: a fire grand trine; with Saturn a kite headed
  //   by Mars (so is the grand trine of Mercury, Mars and Jupiter).
  //   Uranus 15 and Pluto 20 Taurus, Neptune 15 Virgo.
  ChartShapeTest() {
    composer.inputs.aspects = &aspects;
    composer.inputs.tables = &tables;
    composer.inputs.ownerNames = {"Anna"};
    composer.ResetForRun();
    CalculatedChart c = MakeChart("Anna Smith", 0.0);
    for (auto [p, lon] : {std::pair{PointMercury, 140.0}, {PointVenus, 145.0}, {PointMars, 15.0}, {PointSaturn, 195.0},
                          {PointMoon, 105.0}, {PointJupiter, 255.0}, {PointUranus, 45.0}, {PointNeptune, 165.0},
                          {PointPluto, 50.0}})
      Place(c, p, lon);
    charts.push_back(c);
  }
  StatementResult Eval(const CompiledRecord& st, int language = 0) {
    composer.inputs.language = language;
    return composer.EvaluateStatement(st, charts, 0, 0, false);
  }
  static std::string Fill(const StatementResult& r, char letter) {
    for (const auto& [l, text] : r.placeholders)
      if (l == letter) return text;
    return "<none>";
  }

  struct Case {
    StatementCode code;
    std::vector<std::int32_t> params;
    bool negated;
    bool truth;
    const char* title;  // checked when true
    const char* members;  // %P, "<none>" when not filled
  };
  void Check(const std::vector<Case>& cases, int language = 0) {
    for (const Case& c : cases) {
      CompiledRecord st = Statement(c.code, {}, c.negated);
      for (std::size_t i = 0; i < c.params.size(); ++i) st.params[i] = c.params[i];
      SCOPED_TRACE(std::to_string(CodeByte(c.code)) + (c.negated ? " negated" : "") + ", first parameter " +
                   std::to_string(c.params.empty() ? 0 : c.params[0]));
      StatementResult r = Eval(st, language);
      EXPECT_EQ(r.truth, c.truth);
      if (r.truth) {
        EXPECT_EQ(r.title, c.title);
      }
      EXPECT_EQ(Fill(r, 'P'), c.members);
    }
  }

  AspectSet aspects = testing::MajorAspects(8.0);
  RulershipTables tables = testing::TraditionalTables();
  ReportComposer composer;
  std::vector<CalculatedChart> charts;
};

TEST_F(ChartShapeTest, AspectFigures) {
  Check({
      {Figure, {Stellium}, false, true, "The chart holds a Stellium", "the Sun, Mercury and Venus in Leo"},
      {FigureInSign, {Stellium, 5}, false, true, "The chart holds a Stellium in Leo", "the Sun, Mercury and Venus in Leo"},
      {FigureInSign, {Stellium, 6}, false, false, "", "<none>"},
      {FigureInHouse, {Stellium, 5}, false, true, "The chart holds a Stellium in the 5th House",
       "the Sun, Mercury and Venus in the 5th house"},
      {Figure, {TSquare}, false, true, "The chart holds a T-Square", "Mars, Saturn and the Moon"},
      {FigureInSign, {TSquare, 4}, false, true, "The chart holds a T-Square focused in Cancer",
       "Mars, Saturn and the Moon"},
      {FigureInSign, {TSquare, 1}, false, false, "", "<none>"},  // Mars is a member, not the apex
      {FigureInHouse, {TSquare, 4}, false, true, "The chart holds a T-Square focused in the 4th House",
       "Mars, Saturn and the Moon"},
      {FigureInQuality, {TSquare, Cardinal}, false, true, "The chart holds a T-Square in Cardinal Signs",
       "Mars, Saturn and the Moon"},
      {FigureInQuality, {TSquare, Fixed}, false, false, "", "<none>"},
      {FigureInQuality, {GrandTrine, Fire}, false, true, "The chart holds a Grand Trine in Fire Signs",
       "the Sun, Mars and Jupiter"},
      {FigureInQuality, {GrandTrine, Water}, false, false, "", "<none>"},
      {Figure, {Kite}, false, true, "The chart holds a Kite", "the Sun, Jupiter, Saturn and Mars"},
      {FigureInSign, {Kite, 1}, false, true, "The chart holds a Kite focused in Aries",
       "the Sun, Jupiter, Saturn and Mars"},
      {FigureInQuality, {Kite, Fire}, false, true, "The chart holds a Kite in Fire Signs",
       "the Sun, Jupiter, Saturn and Mars"},
      {Figure, {GrandCross}, false, false, "", "<none>"},
      {Figure, {GrandCross}, true, true, "The chart does not hold a Grand Cross", "<none>"},
      {Figure, {Yod}, false, false, "", "<none>"},  // the set has no quincunx
  });
  // The report language's names and words, in the members and in the titles.
  Check({{Figure, {TSquare}, false, true, "La carta contiene una cuadratura en T", "Marte, Saturno y la Luna"},
         {FigureInHouse, {Stellium, 5}, false, true, "La carta contiene un stellium en la Casa 5",
          "el Sol, Mercurio y Venus en la casa 5"},
         {FigureInSign, {TSquare, 4}, false, true, "La carta contiene una cuadratura en T con foco en Cáncer",
          "Marte, Saturno y la Luna"},
         {FigureInQuality, {GrandTrine, Fire}, false, true, "La carta contiene un gran trígono (Fuego)",
          "el Sol, Marte y Júpiter"},
         {Figure, {GrandCross}, true, true, "La carta no contiene una gran cruz", "<none>"}},
        1);
}

TEST_F(ChartShapeTest, WithoutTheBirthTimeHousesAreUnknownAndSignsStand) {
  charts[0].Chart.TimeUnknown = true;
  Check({
      {Figure, {Stellium}, false, true, "The chart holds a Stellium", "the Sun, Mercury and Venus in Leo"},
      {FigureInHouse, {Stellium, 5}, false, false, "", "<none>"},
      {FigureInHouse, {Stellium, 5}, true, false, "", "<none>"},  // unknown either way
      {FigureInHouse, {Stellium, 7}, true, false, "", "<none>"},
      {ChartRuler, {PointMars}, false, false, "", "<none>"},
      {ChartRuler, {PointVenus}, true, false, "", "<none>"},
      {HemisphereEmphasis, {1}, false, false, "", "<none>"},
      {QuadrantEmphasis, {2}, true, false, "", "<none>"},
      // Without the Ascendant fire weighs 10 and still leads; the mode tie stays the Sun's.
      {DominantElement, {Fire}, false, true, "Dominant Element is Fire", "the Sun, Mercury, Venus, Mars and Jupiter"},
      {TimeUnknown, {}, false, true, "The Birth Time is Unknown", "<none>"},
  });
}

TEST_F(ChartShapeTest, DominantsHemispheresQuadrantsAndTheChartRuler) {
  Check({
      // Fire: Sun 3, Ascendant 3, Mercury 2, Venus 2, Mars 2, Jupiter 1 = 13.
      {DominantElement, {Fire}, false, true, "Dominant Element is Fire",
       "the Sun, the Ascendant, Mercury, Venus, Mars and Jupiter"},
      {DominantElement, {Water}, false, false, "", "<none>"},
      {DominantElement, {Cardinal}, false, false, "", "<none>"},  // a mode is no element
      // Cardinal: Moon 3, Ascendant 3, Mars 2, Saturn 1 = 9; fixed: Sun 3, Mercury 2,
      // Venus 2, Uranus 1, Pluto 1 = 9: the tie goes to the Sun's mode.
      {DominantMode, {Fixed}, false, true, "Dominant Mode is Fixed", "the Sun, Mercury, Venus, Uranus and Pluto"},
      {DominantMode, {Cardinal}, false, false, "", "<none>"},
      // Eight planets in houses 1 to 6, seven in houses 4 to 9; five in the second quadrant.
      {HemisphereEmphasis, {1}, false, true, "The Northern Hemisphere is emphasised",
       "the Sun, the Moon, Mercury, Venus, Mars, Uranus, Neptune and Pluto"},
      {HemisphereEmphasis, {2}, false, false, "", "<none>"},
      {SideEmphasis, {2}, false, true, "The Western Hemisphere is emphasised",
       "the Sun, the Moon, Mercury, Venus, Jupiter, Saturn and Neptune"},
      {SideEmphasis, {1}, false, false, "", "<none>"},
      {QuadrantEmphasis, {2}, false, true, "The 2nd Quadrant is emphasised",
       "the Sun, the Moon, Mercury, Venus and Neptune"},
      {QuadrantEmphasis, {1}, false, false, "", "<none>"},
      {QuadrantEmphasis, {5}, false, false, "", "<none>"},
      {ChartRuler, {PointMars}, false, true, "Ruler of the Chart is Mars", "Mars in Aries, in the 1st house"},
      {ChartRuler, {PointVenus}, false, false, "", "<none>"},
      {ChartRulerInSign, {1}, false, true, "Ruler of the Chart is in Aries", "Mars in Aries, in the 1st house"},
      {ChartRulerInHouse, {1}, false, true, "Ruler of the Chart is in the 1st House", "Mars in Aries, in the 1st house"},
      {ChartRulerInHouse, {7}, false, false, "", "<none>"},
      {ChartRulerInHouse, {7}, true, true, "Ruler of the Chart is not in the 7th House", "<none>"},
      {TimeUnknown, {}, false, false, "", "<none>"},
  });
}

TEST_F(ChartShapeTest, EmphasisTitlesInTheReportLanguage) {
  Check(
      {
          {DominantElement, {Fire}, false, true, "El elemento dominante es Fuego",
           "el Sol, el Ascendente, Mercurio, Venus, Marte y Júpiter"},
          {DominantMode, {Fixed}, false, true, "El modo dominante es Fijo", "el Sol, Mercurio, Venus, Urano y Plutón"},
          {HemisphereEmphasis, {1}, false, true, "El hemisferio norte está acentuado",
           "el Sol, la Luna, Mercurio, Venus, Marte, Urano, Neptuno y Plutón"},
          {SideEmphasis, {2}, false, true, "El hemisferio occidental está acentuado",
           "el Sol, la Luna, Mercurio, Venus, Júpiter, Saturno y Neptuno"},
          {QuadrantEmphasis, {2}, false, true, "El cuadrante 2 está acentuado",
           "el Sol, la Luna, Mercurio, Venus y Neptuno"},
          {ChartRuler, {PointMars}, false, true, "El regente de la carta es Marte", "Marte en Aries, en la casa 1"},
          {ChartRulerInSign, {1}, false, true, "El regente de la carta está en Aries", "Marte en Aries, en la casa 1"},
          {ChartRulerInHouse, {7}, true, true, "El regente de la carta no está en la Casa 7", "<none>"},
          {TimeUnknown, {}, true, true, "La hora de nacimiento se conoce", "<none>"},
      },
      1);
}

TEST_F(ChartShapeTest, ExactlyOneDominantPlanetTheOneTheScoresName) {
  PlanetScoreInputs in;
  in.aspects = &aspects;
  in.rulers = tables.Scheme(tables.schemeT);
  in.cusps = &charts[0].Houses.Cusps;
  const int expected = ScorePlanets(charts[0], in).dominant;
  ASSERT_NE(expected, 0);
  int trueCount = 0;
  for (int p : FigurePlanets) {
    StatementResult r = Eval(Statement(DominantPlanet, {p}));
    if (!r.truth) continue;
    ++trueCount;
    EXPECT_EQ(p, expected);
    EXPECT_EQ(r.title, "Dominant Planet is " + std::string(lang::PointName(0, p)));
    EXPECT_NE(Fill(r, 'P').find(" in "), std::string::npos) << Fill(r, 'P');
  }
  EXPECT_EQ(trueCount, 1);
  EXPECT_FALSE(Eval(Statement(DominantPlanet, {PointNorthNode})).truth);
}

TEST_F(ChartShapeTest, HouseSystemFallbackNamesBothSystems) {
  StatementResult none = Eval(Statement(HouseSystemFallback, {}));
  EXPECT_FALSE(none.truth);  // houses not cast here: nothing was asked for
  charts[0].Houses.RequestedSystem = HousesPlacidus;
  charts[0].Houses.HouseSystem = HousesEqual;
  StatementResult r = Eval(Statement(HouseSystemFallback, {}));
  EXPECT_TRUE(r.truth);
  EXPECT_EQ(r.title, "Placidus Houses replaced by Equal Houses");
  EXPECT_EQ(Fill(r, 'H'), "Equal");
  EXPECT_EQ(Fill(r, 'R'), "Placidus");
  // A Spanish report names the systems in Spanish, in the paragraph and in the title.
  StatementResult es = Eval(Statement(HouseSystemFallback, {}), 1);
  EXPECT_EQ(es.title, "Casas Placidus sustituidas por casas iguales");
  EXPECT_EQ(Fill(es, 'H'), "iguales");
  EXPECT_EQ(Fill(es, 'R'), "Placidus");
  charts[0].Houses.RequestedSystem = HousesEqual;
  EXPECT_FALSE(Eval(Statement(HouseSystemFallback, {})).truth);
  EXPECT_TRUE(Eval(Statement(HouseSystemFallback, {}, true)).truth);
}

TEST(HouseSystemWords, EveryLanguageNamesEverySystemAndEnglishKeepsTheCatalogueNames) {
  for (int system = 1; system <= HouseSystemCount; ++system) {
    SCOPED_TRACE(system);
    EXPECT_EQ(lang::HouseSystemWord(lang::LanguageEnglish, system), HouseSystemName(system));
    for (int language = 1; language < lang::LanguageCount; ++language)
      EXPECT_FALSE(lang::HouseSystemWord(language, system).empty()) << "language " << language;
  }
  EXPECT_EQ(lang::HouseSystemWord(lang::LanguageSpanish, HousesPorphyry), "Porfirio");
  EXPECT_TRUE(lang::HouseSystemWord(lang::LanguageSpanish, 0).empty());
  EXPECT_TRUE(lang::HouseSystemWord(lang::LanguageSpanish, HouseSystemCount + 1).empty());
}

}  // namespace
}  // namespace korvana
