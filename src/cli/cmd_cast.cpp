// korvana cast: casts a chart (from a chart file or from its fields) and prints the
// moment, every point with its speeds and equatorial coordinates, and the house cusps;
// --json prints the same as one JSON object.
#include <cmath>
#include <cstdio>
#include <map>
#include <ostream>
#include <set>
#include <sstream>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/environment.h"
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

constexpr const char* Usage =
    "cast (--chart FILE:N | --name NAME --date DATE --time TIME --zone ZONE --lat LAT --lon LON\n"
    "              [--place PLACE] [--country COUNTRY])\n"
    "              [--houses N] [--zodiac N] [--mean-node] [--backend swiss|own] [--json]";

const std::set<std::string> ValueOptions = [] {
  std::set<std::string> names = ChartOptionNames;
  names.insert({"houses", "zodiac", "backend"});
  return names;
}();
const std::set<std::string> FlagOptions = {"mean-node", "json"};

std::string Number(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string JsonString(std::string_view s) {
  std::string out = "\"";
  for (unsigned char ch : s) {
    switch (ch) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (ch < 0x20) {
          char esc[8];
          std::snprintf(esc, sizeof esc, "\\u%04x", ch);
          out += esc;
        } else {
          out += static_cast<char>(ch);
        }
    }
  }
  return out + "\"";
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
  out << "{\n  \"chart\": {\"name\": " << JsonString(c.Name) << ", \"place\": " << JsonString(c.Place)
      << ", \"country\": " << JsonString(c.Country) << ", \"date\": \"" << c.Moment.Year << "-"
      << int(c.Moment.Month) << "-" << int(c.Moment.Day) << "\", \"time\": \"" << int(c.Moment.Hour)
      << ":" << int(c.Moment.Minute) << ":" << int(c.Moment.Second)
      << "\", \"zoneHours\": " << Number(c.ZoneHours, 6) << ", \"latitude\": " << Number(c.Latitude, 6)
      << ", \"longitude\": " << Number(c.Longitude, 6) << ", \"zodiac\": " << int(c.Zodiac)
      << ", \"zodiacName\": " << JsonString(ZodiacName(c.Zodiac))
      << ", \"meanNode\": " << (c.MeanNode ? "true" : "false") << "},\n";
  out << "  \"backend\": \"" << (swiss ? "swiss" : "own") << "\",\n";
  out << "  \"moment\": {\"JDUT\": " << Number(m.JDUT, 8) << ", \"JDEphem\": " << Number(m.JDEphem, 8)
      << ", \"HouseLatitude\": " << Number(m.HouseLatitude, 8) << ", \"Obliquity\": "
      << Number(m.Obliquity, 8) << ", \"RAMC\": " << Number(m.RAMC, 8)
      << ", \"ZodiacOffset\": " << Number(m.ZodiacOffset, 8) << "},\n";
  out << "  \"points\": [\n";
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    const PointPos& p = chart.Point(id);
    const EquatorialPos& e = chart.Equatorial[id];
    out << "    {\"id\": " << id << ", \"name\": " << JsonString(PointShortName(id))
        << ", \"computed\": " << (p.Computed() ? "true" : "false");
    if (p.Computed()) {
      out << ", \"position\": " << JsonString(Zodiacal(p.Longitude))
          << ", \"Longitude\": " << Number(p.Longitude, 8) << ", \"Latitude\": " << Number(p.Latitude, 8)
          << ", \"Distance\": " << Number(p.Distance, 10) << ", \"LongitudeSpeed\": "
          << Number(p.LongitudeSpeed, 8) << ", \"LatitudeSpeed\": " << Number(p.LatitudeSpeed, 8)
          << ", \"DistanceSpeed\": " << Number(p.DistanceSpeed, 10)
          << ", \"RightAscension\": " << Number(e.RightAscension, 8)
          << ", \"Declination\": " << Number(e.Declination, 8);
    }
    out << "}" << (id < LastPoint ? "," : "") << "\n";
  }
  const ChartHouses& h = chart.Houses;
  out << "  ],\n  \"houses\": {\"HouseSystem\": " << int(h.HouseSystem)
      << ", \"name\": " << JsonString(HouseSystemName(h.HouseSystem)) << ", \"Cusps\": [";
  for (int i = 1; i <= 12; ++i) out << (i > 1 ? ", " : "") << Number(h.Cusps[i], 8);
  out << "], \"MCIsCusp10\": " << (h.MCIsCusp10 ? "true" : "false")
      << ", \"AscIsCusp1\": " << (h.AscIsCusp1 ? "true" : "false") << "}\n}\n";
}

int Run(CommandContext& ctx) {
  std::map<std::string, std::string> o;
  if (!ReadOptions(ctx.args, ValueOptions, FlagOptions, o)) return UsageError(ctx, Usage);
  if (int rc = CheckChartChoice(ctx, o, "cast", Usage)) return rc;
  std::optional<int> houses, zodiac;
  if (o.count("houses")) {
    houses = ParseInt32(o["houses"]);
    if (!houses || *houses < 1 || *houses > HouseSystemCount) {
      ctx.err << "korvana: --houses takes a house system number from 1 to " << HouseSystemCount << "\n";
      return 2;
    }
  }
  if (o.count("zodiac")) {
    zodiac = ParseInt32(o["zodiac"]);
    if (!zodiac || *zodiac < 0 || *zodiac >= ZodiacCount) {
      ctx.err << "korvana: --zodiac takes a zodiac number from 0 to " << ZodiacCount - 1 << "\n";
      return 2;
    }
  }
  CalcBackend backend = CalcBackend::Automatic;
  if (o.count("backend")) {
    if (o["backend"] == "swiss") backend = CalcBackend::Swiss;
    else if (o["backend"] == "own") backend = CalcBackend::Own;
    else {
      ctx.err << "korvana: --backend takes swiss or own\n";
      return 2;
    }
  }

  ProgramSettings& s = ctx.env.Settings();
  Messages& messages = ctx.env.MessagesSink();
  CalculatedChart chart;
  bool swiss = false;
  try {
    auto chosen = ReadChosenChart(o, s, messages);
    if (!chosen) return 1;
    ChartRecord& record = chosen->record;
    if (zodiac) record.Zodiac = static_cast<std::uint8_t>(*zodiac);
    if (o.count("mean-node")) record.MeanNode = true;
    CastOptions options = CastOptionsFor(*chosen, s);
    if (houses) options.HouseSystem = *houses;
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
  if (o.count("json"))
    PrintJson(ctx.out, chart, swiss);
  else
    PrintText(ctx.out, chart, swiss, s);
  return 0;
}

CommandRegistration reg({"cast", Usage, "cast a chart: points, speeds, equatorial coordinates, houses", Run});

}  // namespace
}  // namespace korvana::cli
