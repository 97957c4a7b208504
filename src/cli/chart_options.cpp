#include "cli/chart_options.h"

#include <ostream>

#include "cli/environment.h"
#include "core/charts/atlas.h"
#include "core/charts/chart_place.h"
#include "core/charts/chart_reference.h"
#include "core/time/entry_parsing.h"
#include "core/time/time_zone.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::cli {

namespace {

struct ChartOption {
  const char* name;
  const char* valueName;
  const char* description;
};

constexpr ChartOption ChartReference = {"chart", "FILE:N",
                                        "chart N (from 1) of a chart file; FILE:N-M or FILE:all for each of a run"};
constexpr ChartOption ChartFields[] = {
    {"name", "NAME", "the chart's name"},
    {"date", "DATE", "the local date, as the chart dialog reads it"},
    {"time", "TIME", "the local time; \"unknown\" (cast for noon) or \"unknown TIME\" when the birth time is not known"},
    {"zone", "ZONE", "the zone: a mnemonic or hours, west positive"},
    {"lat", "LAT", "the latitude, e.g. 51N29"},
    {"lon", "LON", "the longitude, e.g. 0W00"},
    {"place", "PLACE", "the place's name; without --lat, --lon and --zone it is looked up in the atlas"},
    {"country", "COUNTRY", "the country's name (or \"STATE, COUNTRY\") for the place"},
    {"places", "FILE.plc", "look the place up in the place files, starting with FILE, instead of the atlas"},
};

// The fields a place lookup fills in.
constexpr const char* LookedUpFields[] = {"zone", "lat", "lon"};

void AddOne(CommandOptions& app, OptionMap& options, const ChartOption& option) {
  app.ValueTo(
         std::string("--") + option.name, [&options, name = option.name](const std::string& v) { options[name] = v; },
         option.description)
      .ValueName(option.valueName);
}

// Throws the usage error when the options do not name exactly one chart.
void CheckChartChoice(const CommandOptions& app, const OptionMap& o, ChartSource source) {
  const bool byReference = o.count("chart") != 0;
  bool byFields = false;
  for (const ChartOption& f : ChartFields) byFields = byFields || o.count(f.name);
  const std::string command = app.Path();
  if (byReference && byFields) throw UsageError(command + " takes --chart or the chart's fields, not both");
  if (!byReference && !byFields)
    throw UsageError(command + (source == ChartSource::Fields ? " needs the chart's fields"
                                                              : " needs --chart or the chart's fields"));
  if (byReference) return;
  std::vector<const char*> required = {"date", "time"};
  if (source == ChartSource::Fields) required.insert(required.begin(), "name");
  for (const char* field : required)
    if (!o.count(field)) throw UsageError(command + " needs --" + field);
  if (LooksPlaceUp(o)) return;
  if (o.count("places")) throw UsageError(command + " takes --places to look up --place, without --zone, --lat and --lon");
  for (const char* field : LookedUpFields)
    if (!o.count(field)) throw UsageError(command + " needs --" + field + " (or --place alone to look the place up)");
}

// The zone list of the settings for mnemonics; a damaged list is shown and left out.
ZoneList ZonesOf(const ProgramSettings& s, Messages& messages) {
  if (!FileExists(s.TimeZones)) return {};
  try {
    return LoadZoneList(s.TimeZones);
  } catch (const EZoneFormatError& e) {
    messages.Warning(e.what());
    return {};
  }
}

// Fills the place, coordinates and zone of `c` from the atlas or the place files.
bool LookPlaceUp(const OptionMap& o, const ProgramSettings& s, const ZoneList& zones, ChartRecord& c,
                 Messages& messages) {
  std::optional<LocatedPlace> found;
  if (auto file = o.find("places"); file != o.end()) {
    const PlaceFileContext context{{s.PlacesPath, WithTrailingSlash(s.SystemPath) + "State.ini"},
                                   {WithTrailingSlash(s.SystemPath)},
                                   &zones};
    found = LocateInPlaceFiles(ResolvePlaceFile(file->second, s), c.Place, c.Country, c.Moment, context, messages);
  } else {
    try {
      const Atlas atlas(WithTrailingSlash(s.SystemPath) + std::string(Atlas::FileName));
      found = LocateInAtlas(atlas, c.Place, c.Country, c.Moment, messages);
    } catch (const EAtlasError& e) {
      messages.Error(std::string(e.what()) + "\nGive --lat, --lon and --zone, or look the place up with --places FILE.plc.");
      return false;
    }
  }
  if (!found) return false;
  if (const std::string fit = LocalTimeFitMessage(*found); !fit.empty()) messages.Warning(fit);
  c.Place = found->place;
  c.Country = found->country;
  c.Latitude = found->latitude;
  c.Longitude = found->longitude;
  c.ZoneHours = static_cast<float>(found->zoneHours);
  c.ZoneAbbrev = found->zoneAbbrev.substr(0, ChartZoneAbbrevLength);
  if (!c.TimeUnknown) c.ClockFit = found->fit;
  return true;
}

}  // namespace

bool LooksPlaceUp(const OptionMap& o) {
  if (!o.count("place")) return false;
  for (const char* field : LookedUpFields)
    if (o.count(field)) return false;
  return true;
}

std::string ResolvePlaceFile(const std::string& given, const ProgramSettings& settings) {
  if (FileExists(given) || given.find('/') != std::string::npos || settings.PlacesPath.empty()) return given;
  const std::string inFolder = WithTrailingSlash(settings.PlacesPath) + given;
  return FindPathNoCase(inFolder).value_or(given);
}

const char* const ChartSynopsis =
    "(--chart FILE:N | --name NAME --date DATE --time TIME (--zone ZONE --lat LAT --lon LON [--place PLACE] "
    "[--country COUNTRY] | --place PLACE [--country COUNTRY] [--places FILE.plc]))";

void AddChartOptions(CommandOptions& app, OptionMap& options, ChartSource source) {
  if (source == ChartSource::ReferenceOrFields) AddOne(app, options, ChartReference);
  for (const ChartOption& f : ChartFields) AddOne(app, options, f);
  app.AfterParse([app, &options, source] { CheckChartChoice(app, options, source); });
}

std::optional<ChartRecord> ChartFromFields(const OptionMap& o, ProgramSettings& s, Messages& messages) {
  auto option = [&](const char* name) {
    auto it = o.find(name);
    return it == o.end() ? std::string() : it->second;
  };
  ChartRecord c = NewChartRecord(s);
  c.Name = WithoutControlCharacters(Trim(option("name")));
  c.Place = WithoutControlCharacters(Trim(option("place")));
  c.Country = WithoutControlCharacters(Trim(option("country")));
  const DateEntry date = ParseDate(option("date"), &messages, s.MonthFirst, s.CenturyPivotYear);
  if (date.error) return std::nullopt;
  const BirthTimeEntry birth = ParseBirthTime(option("time"), &messages);
  if (birth.time.error) return std::nullopt;
  c.TimeUnknown = birth.unknown;
  const TimeEntry& time = birth.time;
  c.Moment = MomentOf(date, time);
  const ZoneList zones = ZonesOf(s, messages);
  if (LooksPlaceUp(o)) {
    if (!LookPlaceUp(o, s, zones, c, messages)) return std::nullopt;
    return c;
  }
  const ZoneEntry zone = ParseZone(option("zone"), &messages, zones);
  if (zone.error) return std::nullopt;
  const CoordinateEntry lat = ParseLatLong(option("lat"), false, &messages);
  if (lat.error) return std::nullopt;
  const CoordinateEntry lon = ParseLatLong(option("lon"), true, &messages);
  if (lon.error) return std::nullopt;
  c.ZoneHours = zone.hours;
  c.ZoneAbbrev = zone.abbrev.substr(0, ChartZoneAbbrevLength);
  c.Latitude = lat.degrees;
  c.Longitude = lon.degrees;
  return c;
}

std::optional<ChosenChart> ReadChosenChart(const OptionMap& options, ProgramSettings& settings,
                                           Messages& messages) {
  if (auto ref = options.find("chart"); ref != options.end()) {
    StoredChart stored = ReadChartReference(ref->second, settings);
    return ChosenChart{stored.chart, stored.houseSystem};
  }
  auto fields = ChartFromFields(options, settings, messages);
  if (!fields) return std::nullopt;
  return ChosenChart{*fields, 0};
}

CastOptions CastOptionsFor(const ChosenChart& chart, const ProgramSettings& settings) {
  CastOptions options = CastOptionsFrom(settings);
  if (chart.houseSystem >= 1 && chart.houseSystem <= HouseSystemCount) {
    options.HouseSystem = chart.houseSystem;
  }
  return options;
}

bool NamesChartRun(const OptionMap& options) {
  const auto ref = options.find("chart");
  return ref != options.end() && ParseChartRun(ref->second).has_value();
}

int ForEachChart(CommandContext& ctx, const OptionMap& options, const std::function<int(const OptionMap&)>& each,
                 const std::function<void()>& between) {
  if (!NamesChartRun(options)) return each(options);
  std::vector<std::string> references;
  try {
    references = ChartRunReferences(*ParseChartRun(options.at("chart")), ctx.env.Settings());
  } catch (const std::exception& e) {
    ctx.err << "korvana: " << e.what() << "\n";
    return 1;
  }
  int status = 0;
  OptionMap one = options;
  for (std::size_t i = 0; i < references.size(); ++i) {
    if (i > 0 && between) between();
    one["chart"] = references[i];
    if (each(one) != 0) status = 1;
  }
  return status;
}

std::optional<CalculatedChart> CastChosenChart(CommandContext& ctx, const OptionMap& options) {
  ProgramSettings& settings = ctx.env.Settings();
  try {
    auto chosen = ReadChosenChart(options, settings, ctx.env.MessagesSink());
    if (!chosen) return std::nullopt;
    return CastChart(chosen->record, CastOptionsFor(*chosen, settings));
  } catch (const std::exception& e) {
    ctx.err << "korvana: " << e.what() << "\n";
    return std::nullopt;
  }
}

}  // namespace korvana::cli
