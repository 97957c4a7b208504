// korvana classical: the classical analysis of a chart as text - the dignity table of
// the report set's almuten scheme (rulers per slot, markers, score), the ranking, the
// rulers of the geniture, the almutens of every point and cusp, the temperament, the
// planetary day and hour rulers and the hyleg.
#include <cstdio>
#include <memory>
#include <ostream>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/environment.h"
#include "core/analysis/aspect_file.h"
#include "core/analysis/classical_analysis.h"
#include "core/astro/cast_chart.h"
#include "core/astro/houses.h"
#include "core/points/point_catalogue.h"
#include "core/charts/chart_record.h"
#include "core/charts/chart_reference.h"
#include "core/config/program_settings.h"
#include "core/reports/reportset/report_set.h"
#include "core/time/entry_parsing.h"
#include "core/time/time_zone.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

// What the command line asks of classical.
struct ClassicalArguments {
  OptionMap chart;
  std::optional<std::string> scheme;
};

std::string Zodiacal(double longitude) { return FormatZodiacal(2, SignTexts{}, true, false, true, longitude); }

std::string Padded(std::string text, std::size_t width) {
  std::size_t chars = 0;
  for (unsigned char ch : text) chars += (ch & 0xC0) != 0x80;
  if (chars < width) text.append(width - chars, ' ');
  return text;
}

std::string Name(int point) { return IsPointId(point) ? std::string(PointShortName(point)) : "--"; }

std::string Score(std::int32_t score) {
  if (score < -98) return "--";
  return (score >= 0 ? "+" : "-") + std::to_string(score >= 0 ? score : -score);
}

// The points of the dignity table, in its order.
constexpr int TablePoints[] = {PointMoon, PointSun, PointMercury, PointVenus, PointMars, PointJupiter, PointSaturn,
                               PointUranus, PointNeptune, PointPluto, PointNorthNode, PointSouthNode, PointPartOfFortune};
constexpr int TableSlots[] = {DignityRuler, DignityExaltation, DignityTriplicity, DignityTerm, DignityFace, DignityDetriment, DignityFall};

void PrintDignityTable(std::ostream& out, const ClassicalAnalysis& a, const CalculatedChart& chart,
                       const RulershipTables& tables) {
  if (!a.reportScheme) {
    out << "Dignity Read Failure\n";
    return;
  }
  const AlmutenScheme& s = *a.reportScheme;
  out << ToUpperAscii(s.title) << "\n";
  const RulershipScheme* rs = tables.Scheme(s.rulershipScheme);
  out << "  rulers: " << (rs ? rs->name : std::string("(none)")) << ", triplicities: variant "
      << s.TriplicityVariant() << ", terms: system " << int(s.termSystem)
      << (s.OwnPlaceMode() ? ", each planet at its own place" : "") << "\n";
  if (!a.reportScores.scored) {
    out << "  (the scheme's sect condition excludes this chart: nothing scored)\n";
    return;
  }
  out << Padded("Pt", 17);
  for (const char* t : {"Ruler", "Exalt", "Trip", "Term", "Face", "Detri", "Fall"}) out << Padded(t, 10);
  out << "Score\n";
  const bool day = IsDayChart(chart);
  for (int p : TablePoints) {
    if (chart.Longitude(p) < 0) continue;
    const DignitySlots slots = DignityRulersAt(chart.Longitude(p), s, day, tables);
    if (slots[DignityRuler] == 0) continue;
    out << Padded(Name(p), 17);
    for (int t : TableSlots) {
      std::string cell = slots[static_cast<std::size_t>(t)] ? Name(slots[static_cast<std::size_t>(t)]) : "--";
      if (char m = a.reportScores.Marker(p, t); m != 0 && m != ' ') cell += m;
      out << Padded(cell, 10);
    }
    out << Score(a.reportScores.score[static_cast<std::size_t>(p)]);
    if (a.reportScores.Marker(p, 9) == 'p') out << " p";
    out << "\n";
  }
  out << "Ranking:";
  for (int p : a.reportScores.ranking)
    if (a.reportScores.score[static_cast<std::size_t>(p)] > NotARuler)
      out << " " << Name(p) << " " << Score(a.reportScores.score[static_cast<std::size_t>(p)]);
  out << "\n";
}

std::string Winners(const AlmutenWinners& w) {
  if (w.count == 0) return "--";
  std::string text;
  for (int i = 0; i < 3 && i < w.count; ++i) text += (i ? ", " : "") + Name(w.points[static_cast<std::size_t>(i)]);
  if (w.count > 3) text += " (" + std::to_string(w.count) + " tied)";
  return text;
}

void Print(std::ostream& out, const ClassicalAnalysis& a, const CalculatedChart& chart,
           const RulershipTables& tables, const ClassicalFiles& files) {
  const ChartRecord& c = chart.Chart;
  out << "chart: " << c.Name << ", " << FormatDate(false, c.Moment.Day, c.Moment.Month, c.Moment.Year) << " "
      << FormatTime(false, c.Moment.Hour, c.Moment.Minute, c.Moment.Second) << " " << FormatZoneHours(c.ZoneHours)
      << ", " << FormatLatLong(false, c.Latitude) << " " << FormatLatLong(true, c.Longitude) << ", "
      << (IsDayChart(chart) ? "day" : "night") << " chart, houses: " << HouseSystemName(chart.Houses.HouseSystem)
      << "\n";
  out << "scheme: " << files.reportScheme << "\n\n";
  PrintDignityTable(out, a, chart, tables);

  out << "\nRulers of the geniture:";
  if (!a.genitureScheme) out << " (" << files.genitureScheme << " unreadable)";
  else if (a.genitureRulers[0] == 0) out << " none";
  for (int r : a.genitureRulers)
    if (r) out << " " << Name(r) << " (" << Score(a.genitureScores.score[static_cast<std::size_t>(r)]) << ")";
  out << "\n\nAlmutens (" << files.houseScheme << (a.almutensKnown ? "" : " unreadable") << "):\n";
  if (a.almutensKnown) {
    for (int p = FirstPoint; p <= LastPoint; ++p) {
      if (chart.Longitude(p) < 0) continue;
      out << "  " << Padded(Name(p), 16) << Padded(Zodiacal(chart.Longitude(p)), 12)
          << Winners(a.almutens.points[static_cast<std::size_t>(p)]) << "\n";
    }
    for (int h = 1; h <= 12; ++h)
      out << "  " << Padded("Cusp " + std::to_string(h), 16) << Padded(Zodiacal(chart.Houses.Cusps[static_cast<std::size_t>(h)]), 12)
          << Winners(a.almutens.cusps[static_cast<std::size_t>(h)]) << "\n";
  }
  out << "\nTemperament:\n";
  for (const auto& line : Split(a.temperament.text, '|')) out << "  " << line << "\n";
  out << "  Hot " << a.temperament.counts[0] << ", Cold " << a.temperament.counts[1] << ", Wet "
      << a.temperament.counts[2] << ", Dry " << a.temperament.counts[3] << ": "
      << TemperamentNames[static_cast<std::size_t>(a.temperamentType)] << "\n";
  out << "\nPlanetary day: " << Name(a.hours.dayRuler) << ", hour: " << Name(a.hours.hourRuler);
  if (a.hours.hour >= 0) out << " (" << (a.hours.hour < 12 ? "day" : "night") << " hour " << a.hours.hour % 12 + 1 << ")";
  out << "\nHyleg: " << Name(a.hyleg) << ", its almutens: " << Winners(a.hylegAlmutens) << "\n";
  out << "Algol: " << (a.algolLongitude >= 0 ? Zodiacal(a.algolLongitude) : std::string("--")) << "\n";
}

int Run(CommandContext& ctx, const ClassicalArguments& o) {

  ProgramSettings& s = ctx.env.Settings();
  Messages& messages = ctx.env.MessagesSink();
  const std::optional<CalculatedChart> cast = CastChosenChart(ctx, o.chart);
  if (!cast) return 1;
  const CalculatedChart& chart = *cast;

  RulershipTables tables;
  if (!LoadRulershipTables(s.Rulers, s.Degrees, s.Trips, messages, tables)) return 1;
  std::string scheme = o.scheme ? ResolveInFolder(*o.scheme, s.SystemPath) : ctx.env.Report().almutenFile;
  if (o.scheme && !FileExists(scheme)) {
    ctx.err << "korvana: the almuten scheme " << scheme << " was not found\n";
    return 1;
  }
  ClassicalFiles files = DefaultClassicalFiles(s.SystemPath, scheme);
  AspectSet aspects;
  const TKVReport& report = ctx.env.Report();
  SilentMessages quiet;
  const bool haveAspects = !report.aspectFile.empty() && LoadAspectFile(report.aspectFile, aspects, quiet);
  ClassicalAnalysis a = AnalyseClassical(chart, files, tables, haveAspects ? &aspects : nullptr);
  Print(ctx.out, a, chart, tables, files);
  return 0;
}

CommandRun Build(CommandOptions& app) {
  auto a = std::make_shared<ClassicalArguments>();
  AddChartOptions(app, a->chart);
  app.Value("--scheme", a->scheme, "the almuten scheme (default: the current report set's)")
      .ValueName("FILE.alm");
  return [a](CommandContext& ctx) { return Run(ctx, *a); };
}

CommandRegistration reg({"classical", std::string("classical ") + ChartSynopsis + " [--scheme FILE.alm]",
                         "the classical analysis of a chart: dignities, rulers of the geniture, almutens, "
                         "temperament, day and hour rulers, hyleg",
                         Build});

}  // namespace
}  // namespace korvana::cli
