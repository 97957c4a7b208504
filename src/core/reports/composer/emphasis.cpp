#include "core/analysis/chart_emphasis.h"
#include "core/analysis/chart_figures.h"
#include "core/reports/composer/statement_eval.h"

namespace korvana {

static_assert(lang::HouseSystemWordCount == HouseSystemCount, "every house system has its report words");

// Where the chart's weight falls: the dominant element, mode and planet, the emphasised
// hemisphere and quadrant, the chart ruler and its placement, the house system that
// replaced the chosen one, and whether the birth time is known. The ruler statements
// read the rulership scheme of the last Rulerships statement.
bool ReportComposer::Eval::Emphasis() {
  bool& t = result.truth;
  string& title = result.title;
  const StatementCode code = st.Statement();
  const CalculatedChart& chart = Subject();
  switch (code) {
    case StatementCode::DominantElement:
    case StatementCode::DominantMode: {
      const bool element = code == StatementCode::DominantElement;
      const int q = Word(WordClass::Quality);
      const ElementBalance b = WeighElements(chart, TimeKnown());
      // Quality words: cardinal 2 .. mutable 4, fire 5 .. water 8.
      const int wanted = element ? (q >= 5 && q <= 8 ? q - 5 : -2) : (q >= 2 && q <= 4 ? q - 2 : -2);
      const int winner = element ? b.dominantElement : b.dominantMode;
      t = winner >= 0 && winner == wanted;
      if (t) {
        std::vector<int> points;
        for (const PointWeight& w : ElementWeights) {
          if (w.point == PointAscendant && !TimeKnown()) continue;
          if (!chart.Point(w.point).Computed()) continue;
          const int sign = SignOfLongitude(chart.Longitude(w.point));
          if ((element ? ElementOfSign(sign) : ModeOfSign(sign)) == winner) points.push_back(w.point);
        }
        Fill('P', PointList(points));
      }
      lang::TitleFields f = Fields();
      f.quality = Quality(q);
      title = Title(element ? lang::Title::DominantElement : lang::Title::DominantMode, f);
      return true;
    }
    case StatementCode::DominantPlanet: {
      PlanetScoreInputs in;
      in.aspects = c.inputs.aspects;
      in.rulers = c.inputs.tables ? c.inputs.tables->Scheme(StatementSchemeRecord()) : nullptr;
      if (TimeKnown()) in.cusps = &OffsetCusps(subject);
      const PlanetScores s = ScorePlanets(chart, in);
      t = s.dominant != 0 && s.dominant == p1.id && p1.value == p1.id;
      if (t) Fill('P', Placement(s.dominant));
      title = Title(lang::Title::DominantPlanet, Fields());
      return true;
    }
    case StatementCode::HemisphereEmphasis:
    case StatementCode::SideEmphasis:
    case StatementCode::QuadrantEmphasis: {
      TimeUnknown(subject);
      const HouseSpread spread = SpreadOverHouses(chart, OffsetCusps(subject));
      auto inHouses = [&](auto test) {
        std::vector<int> points;
        for (std::size_t i = 0; i < FigurePlanets.size(); ++i)
          if (spread.houses[i] != 0 && test(spread.houses[i])) points.push_back(FigurePlanets[i]);
        return points;
      };
      std::vector<int> members;
      lang::TitleFields f = Fields();
      if (code == StatementCode::QuadrantEmphasis) {
        const bool valid = x >= 1 && x <= 4;
        t = valid && EmphasisedQuadrant(spread) == x;
        members = inHouses([&](int h) { return (h - 1) / 3 + 1 == x; });
        f.house = valid ? House(x) : string();
        title = Title(lang::Title::QuadrantEmphasis, f);
      } else if (code == StatementCode::HemisphereEmphasis) {
        const bool north = Word(WordClass::Latitude) == 0;
        t = (north ? spread.northern : spread.southern) >= HalfEmphasis;
        members = inHouses([&](int h) { return north ? h <= 6 : h >= 7; });
        f.word = Word(lang::TitleWords::Hemisphere, Word(WordClass::Latitude));
        title = Title(lang::Title::HemisphereEmphasis, f);
      } else {
        const bool east = Word(WordClass::Side) == 0;
        t = (east ? spread.eastern : spread.western) >= HalfEmphasis;
        members = inHouses([&](int h) { return (h >= 4 && h <= 9) != east; });
        f.word = Word(lang::TitleWords::Side, Word(WordClass::Side));
        title = Title(lang::Title::HemisphereEmphasis, f);
      }
      if (t) Fill('P', PointList(members));
      return true;
    }
    case StatementCode::ChartRuler:
    case StatementCode::ChartRulerInSign:
    case StatementCode::ChartRulerInHouse: {
      TimeUnknown(subject);
      const double asc = chart.Longitude(PointAscendant);
      const int ruler = asc >= 0 ? Domicile(SignOfLongitude(asc), StatementSchemeRecord()) : 0;
      const bool placed = ruler != 0 && chart.Point(ruler).Computed();
      lang::TitleFields f = Fields();
      if (code == StatementCode::ChartRuler) {
        t = placed && ruler == p1.id && p1.value == p1.id;
        title = Title(lang::Title::ChartRulerIsPoint, f);
      } else if (code == StatementCode::ChartRulerInSign) {
        t = placed && SignOfLongitude(chart.Longitude(ruler)) == S1();
        f.sign = Sign(S1());
        title = Title(lang::Title::ChartRulerInSign, f);
      } else {
        t = placed && HouseOfPoint(ruler, subject) == x;
        f.house = House(x);
        title = Title(lang::Title::ChartRulerInHouse, f);
      }
      if (t) Fill('P', Placement(ruler));
      return true;
    }
    case StatementCode::HouseSystemFallback: {
      TimeUnknown(subject);
      const int requested = chart.Houses.RequestedSystem, used = chart.Houses.HouseSystem;
      t = requested >= 1 && requested <= HouseSystemCount && requested != used;
      // The title reads the same whether or not the statement is negated.
      lang::TitleFields f;
      if (t) {
        f.word = S(lang::HouseSystemWord(L, requested));
        f.word2 = S(lang::HouseSystemWord(L, used));
        Fill('H', f.word2);
        Fill('R', f.word);
        title = Title(lang::Title::HouseSystemReplaced, f);
      } else {
        title = Title(lang::Title::HouseSystemKept, f);
      }
      return true;
    }
    case StatementCode::TimeUnknown:
      t = chart.Chart.TimeUnknown;
      title = Title(neg ? lang::Title::BirthTimeKnown : lang::Title::BirthTimeUnknown, lang::TitleFields{});
      return true;
    default:
      return false;
  }
}

}  // namespace korvana
