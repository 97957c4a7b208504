#include "core/analysis/chart_figures.h"
#include "core/reports/composer/statement_eval.h"

namespace korvana {

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

  lang::TitleFields f = Fields();
  f.word = Word(lang::TitleWords::Figure, kindWord);
  const bool stellium = kind == FigureKind::Stellium;
  lang::Title title = lang::Title::FigureHeld;
  switch (code) {
    case StatementCode::FigureInQuality:
      f.quality = Quality(Word(WordClass::Quality));
      title = lang::Title::FigureInQuality;
      break;
    case StatementCode::FigureInSign:
      f.sign = Sign(S1());
      title = stellium ? lang::Title::FigureInSign : lang::Title::FigureFocusInSign;
      break;
    case StatementCode::FigureInHouse:
      f.house = House(x);
      title = stellium ? lang::Title::FigureInHouse : lang::Title::FigureFocusInHouse;
      break;
    default:
      break;
  }
  result.title = Title(title, f);
  return true;
}

}  // namespace korvana
