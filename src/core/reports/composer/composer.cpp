#include "core/reports/composer/composer.h"

#include "core/reports/composer/statement_eval.h"

namespace korvana {

using std::string;

string StatementPointName(int language, std::int32_t value, int resolvedId,
                          const std::vector<ReportAsteroid>& asteroids, bool withArticle) {
  if (value >= AsteroidPointBase) {
    std::size_t i = static_cast<std::size_t>(value - AsteroidPointBase);
    return i < asteroids.size() ? asteroids[i].name : string();
  }
  if (value == HourRulerPointValue || value == DayRulerPointValue) {
    string planet(lang::PointName(language, resolvedId));
    return string(value == HourRulerPointValue ? "Planetary Hour Ruler (" : "Planetary Day Ruler (") + planet + ")";
  }
  return string(withArticle ? lang::PointNameWithArticle(language, value) : lang::PointName(language, value));
}

string DegreeOrdinal(int language, int n) {
  if (language == lang::LanguageNorwegian) return std::to_string(n);
  if (language == lang::LanguageSpanish) return std::to_string(n) + "º";
  if (language == lang::LanguageFrench) return std::to_string(n) + (n == 1 ? "er" : "e");
  string suffix;
  int last2 = n % 100;
  if (last2 >= 4 && last2 <= 20) suffix = "th";
  else if (n % 10 == 1) suffix = "st";
  else if (n % 10 == 2) suffix = "nd";
  else if (n % 10 == 3) suffix = "rd";
  else suffix = "th";
  return std::to_string(n) + suffix;
}

void ReportComposer::ResetForRun() {
  complexion_ = Complexion{};
  selectedChart_ = 0;
  havePair_ = false;
  lastFirst_ = lastSecond_ = BoundPoint{};
  starsetStart_ = starsetEnd_ = 0;
  starsetSet_ = false;
  starEpoch_ = 2000;
  rulershipScheme = RulersTraditional;
  untimed = false;
  ingress = UntimedIngressTable{};
  asteroids.clear();
  textCounter = 0;
  starsetName.clear();
  figures_ = FigureCache{};
}

const std::vector<ChartFigure>& ReportComposer::FiguresOf(const CalculatedChart& chart, const FigureInputs& in) {
  const std::optional<std::array<double, 13>> cusps = in.cusps ? std::optional(*in.cusps) : std::nullopt;
  if (!figures_.filled || figures_.aspects != in.aspects || figures_.points != chart.Points || figures_.cusps != cusps) {
    figures_.figures = FindFigures(chart, in);
    figures_.aspects = in.aspects;
    figures_.points = chart.Points;
    figures_.cusps = cusps;
    figures_.filled = true;
  }
  return figures_.figures;
}

StatementResult ReportComposer::EvaluateStatement(const CompiledRecord& statement,
                                                  const std::vector<CalculatedChart>& charts, int highChart,
                                                  int chartSelection, bool twoCharts) {
  if (charts.empty()) {
    StatementResult r;
    r.title = UnhandledStatementTitle;
    return r;
  }
  if (highChart < 0) highChart = 0;
  if (static_cast<std::size_t>(highChart) >= charts.size()) highChart = static_cast<int>(charts.size()) - 1;
  Eval e(*this, statement, charts, highChart, twoCharts);
  e.Bind(chartSelection);
  e.CheckTimedPoints();
  e.Run();
  StatementResult& r = e.result;
  r.truth = !e.unknowable && r.truth != statement.negated;
  // A statement that does not hold writes nothing, and a negated one names nothing.
  if (!r.truth || statement.negated) r.placeholders.clear();
  if (r.truth && !r.title.empty()) r.title = lang::ApplyContractions(r.title, inputs.language);
  return r;
}

}  // namespace korvana
