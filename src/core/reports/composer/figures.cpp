#include "core/analysis/chart_figures.h"
#include "core/reports/composer/statement_eval.h"

namespace korvana {

namespace {

// Title words of the figure words, Stellium first.
constexpr std::array<const char*, 6> FigureTitles = {"Stellium", "T-Square", "Grand Trine", "Grand Cross", "Yod",
                                                     "Kite"};

}  // namespace

// Aspect figures (Pattern statements): the chart holds a figure of the kind; its core
// members share a quality; its focus (or, for a stellium, its sign or house; for a grand
// trine or cross, any member) is in a sign or a house. %P names the members of the first
// figure that satisfies the statement, with the sign or house of a stellium.
bool ReportComposer::Eval::Figures() {
  const StatementCode code = st.Statement();
  if (code != StatementCode::Figure && code != StatementCode::FigureInQuality && code != StatementCode::FigureInSign &&
      code != StatementCode::FigureInHouse)
    return false;
  bool& t = result.truth;
  const int kindWord = Word(WordClass::Figure);
  const FigureKind kind = static_cast<FigureKind>(kindWord + 1);
  // A house asks for the birth time; the other forms read the planets alone without it.
  if (code == StatementCode::FigureInHouse) TimeUnknown(subject);
  FigureInputs in;
  in.aspects = c.inputs.aspects;
  if (TimeKnown()) in.cusps = &OffsetCusps(subject);
  const CalculatedChart& chart = Subject();
  auto signOf = [&](int id) { return SignOfLongitude(chart.Longitude(id)); };
  auto houseOf = [&](int id) { return in.cusps ? HouseOf(*in.cusps, chart.Longitude(id)) : 0; };
  auto fits = [&](const ChartFigure& f) {
    if (f.kind != kind) return false;
    switch (code) {
      case StatementCode::FigureInQuality: {
        const int q = Word(WordClass::Quality);
        for (int id : FigureCore(f))
          if (!QualityOfSign(q, signOf(id))) return false;
        return true;
      }
      case StatementCode::FigureInSign:
        if (f.kind == FigureKind::Stellium) return f.sign != 0 && f.sign == S1();
        if (f.focus != 0) return signOf(f.focus) == S1();
        for (int id : f.members)
          if (signOf(id) == S1()) return true;
        return false;
      case StatementCode::FigureInHouse:
        if (f.kind == FigureKind::Stellium) return f.house != 0 && f.house == x;
        if (f.focus != 0) return houseOf(f.focus) == x;
        for (int id : f.members)
          if (houseOf(id) == x) return true;
        return false;
      default:
        return true;
    }
  };
  const ChartFigure* match = nullptr;
  if (kindWord >= 0 && kindWord < FigureKindCount) {
    for (const ChartFigure& f : c.FiguresOf(chart, in))
      if (fits(f)) {
        match = &f;
        break;
      }
  }
  t = match != nullptr;
  if (match) {
    string members = PointList(match->members);
    if (match->sign != 0) members += " " + InSignWords(match->sign);
    if (match->house != 0) members += " " + InHouseWords(match->house);
    Fill('P', members);
  }

  const string name = WordOf(FigureTitles, kindWord);
  string title = "The chart " + (neg ? Row(Phrase::DoesNot) + "hold " : string("holds ")) + ArticleFor(name) + name;
  switch (code) {
    case StatementCode::FigureInQuality:
      title += " in " + Quality(Word(WordClass::Quality)) + " Signs";
      break;
    case StatementCode::FigureInSign:
      title += (kind == FigureKind::Stellium ? " in " : " focused in ") + Sign(S1());
      break;
    case StatementCode::FigureInHouse:
      title += (kind == FigureKind::Stellium ? " in the " : " focused in the ") + House(x) + " House";
      break;
    default:
      break;
  }
  result.title = title;
  return true;
}

}  // namespace korvana
