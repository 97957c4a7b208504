#include "core/analysis/chart_emphasis.h"
#include "core/analysis/chart_figures.h"
#include "core/reports/composer/statement_eval.h"

namespace korvana {

namespace {

constexpr std::array<const char*, 2> LatitudeWords = {"Northern", "Southern"};
constexpr std::array<const char*, 2> SideWords = {"Eastern", "Western"};

}  // namespace

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
      title = "Dominant " + Row(element ? Phrase::Element : Phrase::Mode) + Is() + Quality(q);
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
      title = "Dominant " + Row(Phrase::Planet) + Is() + P1();
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
      if (code == StatementCode::QuadrantEmphasis) {
        const bool valid = x >= 1 && x <= 4;
        t = valid && EmphasisedQuadrant(spread) == x;
        members = inHouses([&](int h) { return (h - 1) / 3 + 1 == x; });
        title = "The " + (valid ? House(x) + " " : string()) + "Quadrant is " + Not() + "emphasised";
      } else if (code == StatementCode::HemisphereEmphasis) {
        const bool north = Word(WordClass::Latitude) == 0;
        t = (north ? spread.northern : spread.southern) >= HalfEmphasis;
        members = inHouses([&](int h) { return north ? h <= 6 : h >= 7; });
        title = "The " + WordOf(LatitudeWords, Word(WordClass::Latitude)) + " Hemisphere is " + Not() + "emphasised";
      } else {
        const bool east = Word(WordClass::Side) == 0;
        t = (east ? spread.eastern : spread.western) >= HalfEmphasis;
        members = inHouses([&](int h) { return (h >= 4 && h <= 9) != east; });
        title = "The " + WordOf(SideWords, Word(WordClass::Side)) + " Hemisphere is " + Not() + "emphasised";
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
      const string head = Row(Phrase::RulerOf) + " Chart" + Is();
      if (code == StatementCode::ChartRuler) {
        t = placed && ruler == p1.id && p1.value == p1.id;
        title = head + P1();
      } else if (code == StatementCode::ChartRulerInSign) {
        t = placed && SignOfLongitude(chart.Longitude(ruler)) == S1();
        title = head + Row(Phrase::In) + " " + Sign(S1());
      } else {
        t = placed && HouseOfPoint(ruler, subject) == x;
        title = head + Row(Phrase::InThe) + " " + House(x) + " " + Row(Phrase::House);
      }
      if (t) Fill('P', Placement(ruler));
      return true;
    }
    case StatementCode::HouseSystemFallback: {
      TimeUnknown(subject);
      const int requested = chart.Houses.RequestedSystem, used = chart.Houses.HouseSystem;
      t = requested >= 1 && requested <= HouseSystemCount && requested != used;
      if (t) {
        Fill('H', S(HouseSystemName(used)));
        Fill('R', S(HouseSystemName(requested)));
        title = S(HouseSystemName(requested)) + " Houses replaced by " + S(HouseSystemName(used)) + " Houses";
      } else {
        title = "The chosen House System is used";
      }
      return true;
    }
    case StatementCode::TimeUnknown:
      t = chart.Chart.TimeUnknown;
      title = "The Birth Time is " + string(neg ? "Known" : "Unknown");
      return true;
    default:
      return false;
  }
}

}  // namespace korvana
