#include "cli/chart_options.h"

#include <ostream>

#include "cli/environment.h"
#include "core/charts/chart_reference.h"
#include "core/time/entry_parsing.h"
#include "core/time/time_zone.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::cli {

const std::set<std::string> ChartOptionNames = {"chart", "name", "date",  "time",
                                                "zone",  "lat",  "lon",   "place", "country"};

bool ReadOptions(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
                 const std::set<std::string>& flagOptions, OptionMap& out) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0 || a.size() <= 2) return false;
    std::string name = a.substr(2), value;
    if (flagOptions.count(name)) {
      if (out.count(name)) return false;
      out[name] = "1";
      continue;
    }
    if (const auto eq = name.find('='); eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
    } else {
      if (i + 1 >= args.size()) return false;
      value = args[++i];
    }
    if (!valueOptions.count(name) || out.count(name)) return false;
    out[name] = value;
  }
  return true;
}

int CheckChartChoice(CommandContext& ctx, const OptionMap& o, const std::string& command,
                     const std::string& usage) {
  const bool byReference = o.count("chart") != 0;
  bool byFields = false;
  for (const auto& name : ChartOptionNames) byFields = byFields || (name != "chart" && o.count(name));
  if (byReference == byFields) return UsageError(ctx, usage);
  if (byFields)
    for (const char* required : {"date", "time", "zone", "lat", "lon"})
      if (!o.count(required)) {
        ctx.err << "korvana: " << command << " needs --" << required << "\n";
        return UsageError(ctx, usage);
      }
  return 0;
}

std::optional<ChartRecord> ChartFromFields(const OptionMap& o, ProgramSettings& s, Messages& messages) {
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
