// korvana cast: casts a chart (from a chart file or from its fields) and prints the
// moment, every point with its speeds and equatorial coordinates, and the house cusps;
// --json prints the same as one JSON object.
#include <cmath>
#include <cstdio>
#include <memory>
#include <ostream>
#include <sstream>
#include <vector>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/environment.h"
#include "cli/json_output.h"
#include "cli/validators.h"
#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"
#include "core/astro/houses.h"
#include "core/points/point_catalogue.h"
#include "core/astro/zodiac.h"
#include "core/charts/chart_record.h"
#include "core/charts/chart_reference.h"
#include "core/config/program_settings.h"
#include "core/time/entry_parsing.h"
#include "core/time/time_zone.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

// What the command line asks of cast.
struct CastArguments {
  OptionMap chart;
  std::optional<int> houses;
  std::optional<int> zodiac;
  bool meanNode = false;
  std::optional<std::string> backend;
  bool json = false;
};

std::string Number(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string Zodiacal(double longitude) {
  return FormatZodiacal(2, SignTexts{}, true, true, false, longitude);
}

std::string Padded(std::string_view text, std::size_t width) {
  std::string s(text);
  std::size_t chars = 0;
  for (unsigned char ch : s) chars += (ch & 0xC0) != 0x80;  // characters, not bytes
  if (chars < width) s.append(width - chars, ' ');
  return s;
}

void PrintText(std::ostream& out, const CalculatedChart& chart, bool swiss, const ProgramSettings& s) {
  const ChartRecord& c = chart.Chart;
  const ChartMoment& m = chart.Moment;
  out << "chart: " << c.Name << ", "
      << FormatDate(s.MonthFirst, c.Moment.Day, c.Moment.Month, c.Moment.Year) << " "
      << FormatTime(false, c.Moment.Hour, c.Moment.Minute, c.Moment.Second) << " "
      << FormatZoneHours(c.ZoneHours) << ", " << FormatLatLong(false, c.Latitude) << " "
      << FormatLatLong(true, c.Longitude) << "\n";
  out << "back end: " << (swiss ? "Swiss Ephemeris" : "own") << "\n";
  out << "zodiac: " << ZodiacName(c.Zodiac) << " (offset " << Number(m.ZodiacOffset, 6) << ")"
      << ", node: " << (c.MeanNode ? "mean" : "true") << "\n";
  out << "JD UT " << Number(m.JDUT, 6) << "  JD ET " << Number(m.JDEphem, 6) << "  house latitude "
      << Number(m.HouseLatitude, 6) << "  obliquity " << Number(m.Obliquity, 6) << "  RAMC "
      << Number(m.RAMC, 6) << "\n\n";
  out << Padded("point", 16) << Padded("position", 14) << Padded("longitude", 12)
      << Padded("latitude", 11) << Padded("distance", 14) << Padded("lon/day", 11)
      << Padded("lat/day", 11) << Padded("dist/day", 12) << Padded("RA", 12) << "decl\n";
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    const PointPos& p = chart.Point(id);
    out << Padded(PointShortName(id), 16);
    if (!p.Computed()) {
      out << "not computed\n";
      continue;
    }
    const EquatorialPos& e = chart.Equatorial[id];
    out << Padded(Zodiacal(p.Longitude) + (p.Retrograde() ? " R" : ""), 14)
        << Padded(Number(p.Longitude, 6), 12) << Padded(Number(p.Latitude, 6), 11)
        << Padded(Number(p.Distance, 9), 14) << Padded(Number(p.LongitudeSpeed, 6), 11)
        << Padded(Number(p.LatitudeSpeed, 6), 11) << Padded(Number(p.DistanceSpeed, 8), 12)
        << Padded(Number(e.RightAscension, 6), 12) << Number(e.Declination, 6) << "\n";
  }
  const ChartHouses& h = chart.Houses;
  out << "\nhouses: " << HouseSystemName(h.HouseSystem) << " (" << int(h.HouseSystem) << ")"
      << "  MC is cusp 10: " << (h.MCIsCusp10 ? "yes" : "no")
      << "  Asc is cusp 1: " << (h.AscIsCusp1 ? "yes" : "no") << "\n";
  for (int i = 1; i <= 12; ++i)
    out << Padded("cusp " + std::to_string(i), 9) << Padded(Zodiacal(h.Cusps[i]), 14)
        << Number(h.Cusps[i], 6) << "\n";
}

void PrintJson(std::ostream& out, const CalculatedChart& chart, bool swiss) {
  const ChartRecord& c = chart.Chart;
  const ChartMoment& m = chart.Moment;
  JsonValue doc;
  doc["chart"] = {{"name", c.Name},
                  {"place", c.Place},
                  {"country", c.Country},
                  {"date", std::to_string(c.Moment.Year) + "-" + std::to_string(c.Moment.Month) + "-" +
                               std::to_string(c.Moment.Day)},
                  {"time", std::to_string(c.Moment.Hour) + ":" + std::to_string(c.Moment.Minute) + ":" +
                               std::to_string(c.Moment.Second)},
                  {"zoneHours", RoundedTo(c.ZoneHours, 6)},
                  {"latitude", RoundedTo(c.Latitude, 6)},
                  {"longitude", RoundedTo(c.Longitude, 6)},
                  {"zodiac", int(c.Zodiac)},
                  {"zodiacName", ZodiacName(c.Zodiac)},
                  {"meanNode", c.MeanNode}};
  doc["backend"] = swiss ? "swiss" : "own";
  doc["moment"] = {{"JDUT", RoundedTo(m.JDUT, 8)},
                   {"JDEphem", RoundedTo(m.JDEphem, 8)},
                   {"HouseLatitude", RoundedTo(m.HouseLatitude, 8)},
                   {"Obliquity", RoundedTo(m.Obliquity, 8)},
                   {"RAMC", RoundedTo(m.RAMC, 8)},
                   {"ZodiacOffset", RoundedTo(m.ZodiacOffset, 8)}};
  JsonValue points = JsonValue::array();
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    const PointPos& p = chart.Point(id);
    const EquatorialPos& e = chart.Equatorial[id];
    JsonValue point = {{"id", id}, {"name", PointShortName(id)}, {"computed", p.Computed()}};
    if (p.Computed()) {
      point["position"] = Zodiacal(p.Longitude);
      point["Longitude"] = RoundedTo(p.Longitude, 8);
      point["Latitude"] = RoundedTo(p.Latitude, 8);
      point["Distance"] = RoundedTo(p.Distance, 10);
      point["LongitudeSpeed"] = RoundedTo(p.LongitudeSpeed, 8);
      point["LatitudeSpeed"] = RoundedTo(p.LatitudeSpeed, 8);
      point["DistanceSpeed"] = RoundedTo(p.DistanceSpeed, 10);
      point["RightAscension"] = RoundedTo(e.RightAscension, 8);
      point["Declination"] = RoundedTo(e.Declination, 8);
    }
    points.push_back(std::move(point));
  }
  doc["points"] = std::move(points);
  const ChartHouses& h = chart.Houses;
  JsonValue cusps = JsonValue::array();
  for (int i = 1; i <= 12; ++i) cusps.push_back(RoundedTo(h.Cusps[i], 8));
  doc["houses"] = {{"HouseSystem", int(h.HouseSystem)},
                   {"name", HouseSystemName(h.HouseSystem)},
                   {"Cusps", std::move(cusps)},
                   {"MCIsCusp10", h.MCIsCusp10},
                   {"AscIsCusp1", h.AscIsCusp1}};
  WriteJson(out, doc);
}

// Positions that are missing or come from a lesser source are said on stderr; the chart
// is printed all the same.
void SayWhatWasNotComputed(std::ostream& err, const CalculatedChart& chart, bool swiss,
                           const ProgramSettings& s) {
  if (swiss && SwissEphemerisInUse() && SwissSourceAt(chart.Moment.JDUT) == EphemerisSource::BuiltInTheory)
    err << "korvana: the Swiss Ephemeris files in " << s.SwissEphemPath
        << " do not cover this date; the library uses its built-in theory\n";
  std::vector<int> missing = UncomputedPoints(chart);
  if (missing.empty()) return;
  err << "korvana: not computed for this chart:";
  for (std::size_t i = 0; i < missing.size(); ++i) err << (i == 0 ? " " : ", ") << PointShortName(missing[i]);
  err << "\n";
}

int CastOne(CommandContext& ctx, const CastArguments& a) {
  CalcBackend backend = CalcBackend::Automatic;
  if (a.backend) backend = *a.backend == "swiss" ? CalcBackend::Swiss : CalcBackend::Own;

  ProgramSettings& s = ctx.env.Settings();
  Messages& messages = ctx.env.MessagesSink();
  CalculatedChart chart;
  bool swiss = false;
  try {
    auto chosen = ReadChosenChart(a.chart, s, messages);
    if (!chosen) return 1;
    ChartRecord& record = chosen->record;
    if (a.zodiac) record.Zodiac = static_cast<std::uint8_t>(*a.zodiac);
    if (a.meanNode) record.MeanNode = true;
    CastOptions options = CastOptionsFor(*chosen, s);
    if (a.houses) options.HouseSystem = *a.houses;
    options.Backend = backend;
    swiss = backend == CalcBackend::Swiss ||
            (backend == CalcBackend::Automatic && SwissEphemerisInUse());
    if (backend == CalcBackend::Swiss && !SwissEphemerisInUse())
      ctx.err << "korvana: the Swiss Ephemeris files in " << s.SwissEphemPath
              << " are not usable; the library uses its built-in theory\n";
    chart = CastChart(record, options);
  } catch (const std::exception& e) {
    ctx.err << "korvana: " << e.what() << "\n";
    return 1;
  }
  SayWhatWasNotComputed(ctx.err, chart, swiss, s);
  if (a.json)
    PrintJson(ctx.out, chart, swiss);
  else
    PrintText(ctx.out, chart, swiss, s);
  return 0;
}

// One chart, or each chart of a run: the text blocks of the charts cast, a blank line
// between two, or one JSON array of them. A chart that cannot be cast is said on stderr
// and leaves no gap in the output.
int Run(CommandContext& ctx, const CastArguments& a) {
  const bool array = a.json && NamesChartRun(a.chart);
  bool first = true;
  const int status = ForEachChart(ctx, a.chart, [&](const OptionMap& chart) {
    CastArguments one = a;
    one.chart = chart;
    std::ostringstream text;
    CommandContext own{text, ctx.err, ctx.env};
    const int cast = CastOne(own, one);
    if (cast == 0) {
      ctx.out << (first ? (array ? "[\n" : "") : (a.json ? ",\n" : "\n")) << text.str();
      first = false;
    }
    return cast;
  });
  if (array && !first) ctx.out << "]\n";
  return status;
}

CommandRun Build(CommandOptions& app) {
  auto a = std::make_shared<CastArguments>();
  AddChartOptions(app, a->chart);
  app.Value("--houses", a->houses, "the house system number instead of the chart's")
      .ValueName("N")
      .Check(WholeNumber(1, HouseSystemCount, "a house system number"));
  app.Value("--zodiac", a->zodiac, "the zodiac number instead of the chart's")
      .ValueName("N")
      .Check(WholeNumber(0, ZodiacCount - 1, "a zodiac number"));
  app.Flag("--mean-node", a->meanNode, "the mean lunar node instead of the true one");
  app.Value("--backend", a->backend, "the planetary back end (default: as the settings choose)")
      .ValueName("swiss|own")
      .Check(OneOf({"swiss", "own"}));
  app.Flag("--json", a->json, "print one JSON object instead of text (an array of them for a run of charts)");
  return [a](CommandContext& ctx) { return Run(ctx, *a); };
}

CommandRegistration reg({"cast",
                         std::string("cast ") + ChartSynopsis +
                             " [--houses N] [--zodiac N] [--mean-node] [--backend swiss|own] [--json]",
                         "cast a chart: points, speeds, equatorial coordinates, houses", Build});

}  // namespace
}  // namespace korvana::cli
