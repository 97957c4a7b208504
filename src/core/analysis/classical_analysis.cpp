#include "core/analysis/classical_analysis.h"

#include "core/astro/stars.h"

namespace korvana {

ClassicalFiles DefaultClassicalFiles(const std::string& systemPath, const std::string& reportScheme) {
  return {reportScheme, systemPath + "geniture.alm", systemPath + "house.alm", systemPath + "algol.fst"};
}

ClassicalAnalysis AnalyseClassical(const CalculatedChart& chart, const ClassicalFiles& files,
                                   const RulershipTables& tables, const AspectSet* aspects) {
  ClassicalAnalysis a;
  a.hours = PlanetaryDayAndHour(chart);

  a.offsetCusps = chart.Houses.Cusps;
  a.reportScheme = AlmutenSchemeOrNone(files.reportScheme);
  if (a.reportScheme) {
    a.reportScores = ScoreDignities(*a.reportScheme, chart, tables);
    a.offsetCusps = OffsetCusps(chart, *a.reportScheme);
  }

  a.genitureScheme = AlmutenSchemeOrNone(files.genitureScheme);
  if (a.genitureScheme) {
    a.genitureScores = ScoreDignities(*a.genitureScheme, chart, tables);
    a.genitureRulers = GenitureRulers(a.genitureScores);
  }

  std::optional<AlmutenScheme> house = AlmutenSchemeOrNone(files.houseScheme);
  if (house) {
    a.almutensKnown = true;
    a.almutens = AlmutensOfChart(*house, chart, tables);
  }

  if (chart.Longitude(PointSun) >= 0 && chart.Longitude(PointMoon) >= 0 && chart.Longitude(PointAscendant) >= 0) {
    a.hyleg = Hyleg(chart, a.offsetCusps);
    if (house && chart.Longitude(a.hyleg) >= 0)
      a.hylegAlmutens = WinnersOf(AlmutenOfDegree(*house, chart, chart.Longitude(a.hyleg), tables));

    TemperamentInputs in;
    in.aspects = aspects;
    in.tables = &tables;
    in.genitureRulers = a.genitureRulers;
    in.moonAlmutens = a.almutens.points[PointMoon];
    a.temperament = TemperamentSummary(chart, in);
    a.temperamentType = Temperament(a.temperament.counts);
  }

  if (!files.starFile.empty()) a.algolLongitude = StarLongitude(files.starFile, 1, chart);
  return a;
}

}  // namespace korvana
