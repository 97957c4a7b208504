#include "cli/chart_options.h"

#include <ostream>

#include "cli/environment.h"
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
    {"time", "TIME", "the local time"},
    {"zone", "ZONE", "the zone: a mnemonic or hours, west positive"},
    {"lat", "LAT", "the latitude, e.g. 51N29"},
    {"lon", "LON", "the longitude, e.g. 0W00"},
    {"place", "PLACE", "the place's name"},
    {"country", "COUNTRY", "the country's name"},
};

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
  std::vector<const char*> required = {"date", "time", "zone", "lat", "lon"};
  if (source == ChartSource::Fields) required.insert(required.begin(), "name");
  for (const char* field : required)
    if (!o.count(field)) throw UsageError(command + " needs --" + field);
}

}  // namespace

const char* const ChartSynopsis =
    "(--chart FILE:N | --name NAME --date DATE --time TIME --zone ZONE --lat LAT --lon LON [--place PLACE] "
    "[--country COUNTRY])";

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
  const TimeEntry time = ParseTime(option("time"), &messages);
  if (time.error) return std::nullopt;
  ZoneList zones;
  if (FileExists(s.TimeZones)) {
    try {
      zones = LoadZoneList(s.TimeZones);
    } catch (const EZoneFormatError& e) {
      messages.Warning(e.what());
    }
  }
  const ZoneEntry zone = ParseZone(option("zone"), &messages, zones);
  if (zone.error) return std::nullopt;
  const CoordinateEntry lat = ParseLatLong(option("lat"), false, &messages);
  if (lat.error) return std::nullopt;
  const CoordinateEntry lon = ParseLatLong(option("lon"), true, &messages);
  if (lon.error) return std::nullopt;
  c.Moment = MomentOf(date, time);
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
