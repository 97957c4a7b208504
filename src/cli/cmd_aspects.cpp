// korvana aspects: casts a chart and lists every aspect between its points that the
// aspect file (the current report set's, or --aspect-file) defines. --points limits the
// points to a selection string as report sets keep them ("1" at position i: point i on).
#include <cmath>
#include <iomanip>
#include <map>
#include <ostream>
#include <set>
#include <sstream>

#include "cli/command.h"
#include "cli/environment.h"
#include "core/analysis/aspect_file.h"
#include "core/analysis/aspect_type.h"
#include "core/analysis/find_aspect.h"
#include "core/astro/cast_chart.h"
#include "core/astro/point_id.h"
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

constexpr const char* Usage =
    "aspects (--chart FILE:N | --name NAME --date DATE --time TIME --zone ZONE --lat LAT --lon LON\n"
    "                 [--place PLACE] [--country COUNTRY]) [--aspect-file FILE] [--points SELECTION]";

const std::set<std::string> KnownOptions = {"chart", "name",  "date",    "time",       "zone",
                                            "lat",   "lon",   "place",   "country",    "aspect-file",
                                            "points"};

// --name value options; false for anything else, a repeated option or a missing value.
bool ReadOptions(const std::vector<std::string>& args, std::map<std::string, std::string>& out) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0 || a.size() <= 2) return false;
    std::string name = a.substr(2), value;
    if (const auto eq = name.find('='); eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
    } else {
      if (i + 1 >= args.size()) return false;
      value = args[++i];
    }
    if (!KnownOptions.count(name) || out.count(name)) return false;
    out[name] = value;
  }
  return true;
}

// The chart the fields describe, with the program's default calculation choices; the
// parsers report a bad field through the messages and give nullopt.
std::optional<ChartRecord> ChartFromFields(const std::map<std::string, std::string>& o,
                                           ProgramSettings& s, Messages& messages) {
  auto option = [&](const char* name) {
    auto it = o.find(name);
    return it == o.end() ? std::string() : it->second;
  };
  ChartRecord c = NewChartRecord(s);
  c.Name = std::string(Trim(option("name")));
  c.Place = std::string(Trim(option("place")));
  c.Country = std::string(Trim(option("country")));
  const DateEntry date = ParseDate(option("date"), &messages, s.MonthFirst, s.CenturyPivotYear);
  if (date.error) return std::nullopt;
  const TimeEntry time = ParseTime(option("time"), &messages);
  if (time.error) return std::nullopt;
  ZoneList zones;
  if (FileExists(s.TimeZones)) {
    try {
      zones = LoadZoneList(s.TimeZones);
    } catch (const std::exception& e) {
      messages.Warning(e.what());
    }
  }
  const ZoneEntry zone = ParseZone(option("zone"), &messages, zones);
  if (zone.error) return std::nullopt;
  const CoordinateEntry lat = ParseLatLong(option("lat"), false, &messages);
  if (lat.error) return std::nullopt;
  const CoordinateEntry lon = ParseLatLong(option("lon"), true, &messages);
  if (lon.error) return std::nullopt;
  c.Moment.Year = static_cast<std::int16_t>(date.year);
  c.Moment.Month = static_cast<std::uint8_t>(date.month);
  c.Moment.Day = static_cast<std::uint8_t>(date.day);
  c.Moment.Hour = static_cast<std::uint8_t>(time.hour);
  c.Moment.Minute = static_cast<std::uint8_t>(time.minute);
  c.Moment.Second = static_cast<std::uint8_t>(time.second);
  c.ZoneHours = zone.hours;
  c.ZoneAbbrev = zone.abbrev.substr(0, ChartZoneAbbrevLength);
  c.Latitude = lat.degrees;
  c.Longitude = lon.degrees;
  return c;
}

std::string ModeText(const AspectFileHeader& h) {
  std::string mode;
  switch (h.BaseMode()) {
    case SelectBySign: mode = "by sign"; break;
    case SelectByMoiety: mode = h.AlsoBySign() ? "moieties, by sign" : "moieties"; break;
    default: mode = h.AlsoBySign() ? "by orb and by sign" : "by orb"; break;
  }
  return mode + (h.separationMeasure == -1 ? ", great-circle separation" : ", separation in longitude");
}

std::string Padded(std::string_view text, std::size_t width) {
  std::string s(text);
  // Pad by characters, not bytes, so that degree signs keep the columns.
  std::size_t chars = 0;
  for (unsigned char ch : s) chars += (ch & 0xC0) != 0x80;
  if (chars < width) s.append(width - chars, ' ');
  return s;
}

std::string Position(double longitude) {
  return FormatZodiacal(2, SignTexts{}, true, false, true, longitude);
}

std::string OrbText(float orb) {
  return std::string(orb < 0 ? "-" : "+") + FormatAngle(1, true, false, true, std::fabs(orb));
}

int Run(CommandContext& ctx) {
  std::map<std::string, std::string> o;
  if (!ReadOptions(ctx.args, o)) return UsageError(ctx, Usage);
  const bool byReference = o.count("chart") != 0;
  const bool byFields = o.count("name") || o.count("date") || o.count("time") || o.count("zone") ||
                        o.count("lat") || o.count("lon") || o.count("place") || o.count("country");
  if (byReference == byFields) return UsageError(ctx, Usage);
  if (byFields)
    for (const char* required : {"date", "time", "zone", "lat", "lon"})
      if (!o.count(required)) {
        ctx.err << "korvana: aspects needs --" << required << "\n";
        return UsageError(ctx, Usage);
      }

  ProgramSettings& s = ctx.env.Settings();
  Messages& messages = ctx.env.MessagesSink();

  CalculatedChart chart;
  try {
    ChartRecord record;
    int houseSystem = 0;
    if (byReference) {
      // Reading the chart also gives the settings its user sidereal offset.
      StoredChart stored = ReadChartReference(o["chart"], s);
      record = stored.chart;
      houseSystem = stored.houseSystem;
    } else {
      auto fields = ChartFromFields(o, s, messages);
      if (!fields) return 1;
      record = *fields;
    }
    CastOptions options = CastOptionsFrom(s);
    if (houseSystem >= 1 && houseSystem <= HouseSystemCount) options.HouseSystem = houseSystem;
    chart = CastChart(record, options);
  } catch (const std::exception& e) {
    ctx.err << "korvana: " << e.what() << "\n";
    return 1;
  }

  std::string aspectFile;
  if (o.count("aspect-file")) {
    aspectFile = o["aspect-file"];
    if (!FileExists(aspectFile) && !FindPathNoCase(aspectFile))
      aspectFile = ResolveInFolder(aspectFile, s.UserPath);
  } else {
    aspectFile = ctx.env.Report().aspectFile;
    if (aspectFile.empty()) {
      ctx.err << "korvana: the current report set names no aspect file; give one with --aspect-file\n";
      return 1;
    }
  }
  AspectSet set;
  if (!LoadAspectFile(aspectFile, set, messages)) {
    if (set.loaded) ctx.err << "korvana: the aspect file " << aspectFile << " is cut short\n";
    return 1;
  }

  const ChartRecord& c = chart.Chart;
  std::ostream& out = ctx.out;
  out << "chart: " << c.Name << ", " << FormatDate(s.MonthFirst, c.Moment.Day, c.Moment.Month, c.Moment.Year)
      << " " << FormatTime(s.AMPM, c.Moment.Hour, c.Moment.Minute, c.Moment.Second) << " "
      << FormatZoneHours(c.ZoneHours) << ", " << FormatLatLong(false, c.Latitude) << " "
      << FormatLatLong(true, c.Longitude) << "\n";
  out << "aspect file: " << aspectFile << " (" << ModeText(set.header) << ")\n";

  // Points not computed take no part; --points narrows the rest.
  auto selected = [&](int p) {
    if (!chart.Point(p).Computed()) return false;
    auto it = o.find("points");
    if (it == o.end()) return true;
    const std::size_t i = static_cast<std::size_t>(p - 1);
    return i < it->second.size() && it->second[i] == '1';
  };
  int found = 0;
  for (int a = FirstPoint; a <= LastPoint; ++a) {
    if (!selected(a)) continue;
    for (int b = a + 1; b <= LastPoint; ++b) {
      if (!selected(b)) continue;
      const AspectMatch m = FindAspect(set, a, b, chart.Point(a), chart.Point(b));
      if (!m.Found()) continue;
      const AspectRecord& r = *set.Record(m.record);
      std::string name = r.name.empty() ? std::string(AspectTypeName(r.aspectType)) : r.name;
      out << Padded(PointShortName(a), 16) << Padded(Position(chart.Longitude(a)), 10) << "  "
          << Padded(name, 17) << Padded(PointShortName(b), 16) << Padded(Position(chart.Longitude(b)), 10)
          << "  orb " << Padded(OrbText(m.orb), 8) << "  " << (m.applying ? "applying" : "separating")
          << "\n";
      ++found;
    }
  }
  out << found << (found == 1 ? " aspect" : " aspects") << "\n";
  return 0;
}

CommandRegistration reg({"aspects", Usage, "the aspects between a chart's points", Run});

}  // namespace
}  // namespace korvana::cli
