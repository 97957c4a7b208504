// korvana transits | progressions | directions: the configurations of a chart's moving
// points with its radix points, houses and signs through a period, with their entering,
// exact and leaving times in the reference zone. Primary directions give aspects only.
#include <cmath>
#include <cstdio>
#include <memory>
#include <ostream>
#include <regex>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/environment.h"
#include "cli/json_output.h"
#include "core/analysis/aspect_type.h"
#include "core/dynamic/configurations.h"
#include "core/dynamic/dynamic_period.h"
#include "core/points/point_catalogue.h"
#include "core/time/entry_parsing.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

struct DynamicArguments {
  DynamicTechnique technique = DynamicTechnique::Transits;
  std::string chart;
  std::optional<std::string> from, duration, points, radix, aspects, orbs, zone;
  bool houses = false, signs = false, json = false;
};

// Sun to Pluto; progressions add the North Node and the angles.
const std::vector<int> TransitDefault = {PointSun, PointMoon, PointMercury, PointVenus, PointMars,
                                         PointJupiter, PointSaturn, PointUranus, PointNeptune, PointPluto};
const std::vector<int> RadixDefault = {PointSun,    PointMoon,   PointMercury, PointVenus,     PointMars,
                                       PointJupiter, PointSaturn, PointUranus,  PointNeptune,  PointPluto,
                                       PointNorthNode, PointAscendant, PointMidheaven};
const std::vector<int> MajorAspects = {1, 2, 3, 4, 5};

// The exact angle of each aspect number.
constexpr double AspectAngles[LastAspectType + 1] = {0,   0,     180,   120,   90,    60,    45,    135,   30,
                                                     150, 72,    144,   36,    108,   360.0 / 7, 720.0 / 7, 1080.0 / 7,
                                                     40,  80,    160,   360.0 / 11, 720.0 / 11, 1080.0 / 11,
                                                     1440.0 / 11, 1800.0 / 11, 0, 0};

int PointNumber(const std::string& word) {
  if (std::regex_match(word, std::regex("[0-9]+"))) return IsPointId(std::stoi(word)) ? std::stoi(word) : 0;
  for (int id = FirstPoint; id <= LastPoint; ++id)
    if (EqualsNoCase(word, PointShortName(id)) || EqualsNoCase(word, PointAbbrev(id)) ||
        EqualsNoCase(word, PointKeyword(id)))
      return id;
  return 0;
}

int AspectNumber(const std::string& word) {
  if (std::regex_match(word, std::regex("[0-9]+"))) return IsAspectType(std::stoi(word)) ? std::stoi(word) : 0;
  for (int a = FirstAspectType; a <= LastAspectType; ++a)
    if (EqualsNoCase(word, AspectTypeName(a))) return a;
  return 0;
}

// A comma list of names or numbers; a word that names nothing is a usage error.
std::vector<int> NumberList(const std::string& text, int (*number)(const std::string&), const char* what) {
  std::vector<int> ids;
  for (const std::string& word : SplitBounded(text, ',', 64)) {
    const std::string w(Trim(word));
    const int id = number(w);
    if (id == 0) throw UsageError(std::string("unknown ") + what + " \"" + w + "\"");
    ids.push_back(id);
  }
  return ids;
}

// "1y", "18m", "30d", "12h".
TDynRepUserData PeriodOfLength(const std::optional<std::string>& text) {
  TDynRepUserData period;
  if (!text) return period;
  const auto length = ParsePeriodLength(*text);
  if (!length) throw UsageError("--duration takes a number and y, m, d or h (\"1y\", \"18m\")");
  period.Duration = length->Duration;
  period.DurationUnit = length->DurationUnit;
  return period;
}

std::pair<double, double> Orbs(const std::optional<std::string>& text) {
  if (!text) return {1.0, 1.0};
  std::smatch m;
  if (!std::regex_match(*text, m, std::regex("([0-9]+(?:\\.[0-9]+)?)(?:,([0-9]+(?:\\.[0-9]+)?))?")))
    throw UsageError("--orbs takes ENTER,LEAVE in degrees (\"1,1.5\")");
  const double enter = std::stod(m[1]);
  const double leave = m[2].matched ? std::stod(m[2]) : enter;
  if (enter >= 90 || leave >= 90) throw UsageError("--orbs must stay below 90 degrees");
  return {enter, leave};
}

const char* EventWord(int type) {
  switch (type) {
    case EventExact: return "exact";
    case EventEntersOrb: return "enters";
    case EventLeavesOrb: return "leaves";
    case EventInOrbAtStart: return "in orb from";
    case EventInOrbAtEnd: return "in orb until";
    case EventEntersHouse: case EventEntersSign: return "enters";
    case EventReentersHouse: case EventReentersSign: return "enters again";
    case EventLeavesHouseForLoop: case EventLeavesSignForLoop: return "leaves for a while";
    default: return "leaves";
  }
}

std::string TimeText(double jdUT, double zoneHours) {
  const DateTimeRec d = JDToDateRec(calAuto, jdUT - zoneHours / 24.0);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", d.Year, d.Month, d.Day, d.Hour, d.Minute, d.Second);
  return text;
}

std::string Subject(const SearchRequest& r, const Configuration& c) {
  const std::string mover(PointShortName(r.movingPoints[static_cast<std::size_t>(c.movingIndex)]));
  if (c.category == 0)
    return mover + " " + std::string(AspectTypeName(c.aspect)) + " " +
           std::string(PointShortName(r.radixPoints[static_cast<std::size_t>(c.radixIndex)]));
  if (c.category == 1) return mover + " in house " + std::to_string(c.place);
  return mover + " in " + SignNames[static_cast<std::size_t>(c.place - 1)];
}

SearchRequest RequestOf(const DynamicArguments& a, const CalculatedChart& radix, const DateTimeRec& start,
                        const TDynRepUserData& period) {
  SearchRequest r;
  r.radix = radix;
  r.technique = a.technique;
  std::vector<int> movers = TransitDefault;
  if (a.technique != DynamicTechnique::Transits) movers.insert(movers.end(), {PointNorthNode, PointAscendant, PointMidheaven});
  if ((a.houses || a.signs) && a.technique == DynamicTechnique::Primaries)
    throw UsageError("primary directions follow aspects only, not houses or signs");
  r.movingPoints = a.points ? NumberList(*a.points, PointNumber, "point") : movers;
  for (int id : r.movingPoints)
    if (!CanFollow(a.technique, id))
      throw UsageError(std::string(PointShortName(id)) + " cannot be followed as a moving point here");
  r.radixPoints = a.radix ? NumberList(*a.radix, PointNumber, "point") : RadixDefault;
  const auto [enter, leave] = Orbs(a.orbs);
  for (int n : a.aspects ? NumberList(*a.aspects, AspectNumber, "aspect") : MajorAspects) {
    if (n >= static_cast<int>(AspectType::Parallel)) throw UsageError("parallels are not followed through time");
    r.aspects.push_back({n, AspectAngles[n], enter, leave});
  }
  r.houses = a.houses;
  r.signs = a.signs;
  const PeriodBounds b = PeriodBoundsOf(period, start);
  r.start = b.startUT;
  r.end = b.endUT;
  return r;
}

const char* TechniqueName(DynamicTechnique t) {
  switch (t) {
    case DynamicTechnique::Progressions: return "progressions";
    case DynamicTechnique::Primaries: return "directions";
    default: return "transits";
  }
}

void WriteText(std::ostream& out, const SearchRequest& r, const std::vector<Configuration>& found, double zone,
               const std::string& zoneName) {
  out << "from " << TimeText(r.start, zone) << " until " << TimeText(r.end, zone) << " " << zoneName << "\n";
  for (const Configuration& c : found) {
    out << Subject(r, c) << ":";
    for (std::size_t i = 0; i < c.events.size(); ++i)
      out << (i ? "," : "") << " " << EventWord(c.events[i].type) << " " << TimeText(c.events[i].time, zone);
    out << "\n";
  }
  out << found.size() << (found.size() == 1 ? " configuration" : " configurations") << "\n";
}

void WriteJsonResult(std::ostream& out, const SearchRequest& r, const std::vector<Configuration>& found, double zone,
                     const std::string& zoneName) {
  JsonValue doc;
  doc["technique"] = TechniqueName(r.technique);
  doc["chart"] = r.radix.Chart.Name;
  doc["from"] = TimeText(r.start, zone);
  doc["until"] = TimeText(r.end, zone);
  doc["zone"] = zoneName;
  JsonValue list = JsonValue::array();
  for (const Configuration& c : found) {
    JsonValue item;
    item["point"] = PointShortName(r.movingPoints[static_cast<std::size_t>(c.movingIndex)]);
    if (c.category == 0) {
      item["aspect"] = AspectTypeName(c.aspect);
      item["radix"] = PointShortName(r.radixPoints[static_cast<std::size_t>(c.radixIndex)]);
    } else {
      item[c.category == 1 ? "house" : "sign"] = c.place;
    }
    JsonValue events = JsonValue::array();
    for (const ConfigurationEvent& e : c.events)
      events.push_back({{"event", EventWord(e.type)}, {"type", e.type}, {"time", TimeText(e.time, zone)},
                        {"jd", RoundedTo(e.time, 6)}});
    item["events"] = events;
    list.push_back(item);
  }
  doc["configurations"] = list;
  WriteJson(out, doc);
}

int Run(CommandContext& ctx, const DynamicArguments& a) {
  ProgramSettings& s = ctx.env.Settings();
  Messages& messages = ctx.env.MessagesSink();
  const std::optional<CalculatedChart> radix = CastChosenChart(ctx, OptionMap{{"chart", a.chart}});
  if (!radix) return 1;
  TDynRepUserData period = PeriodOfLength(a.duration);
  DateTimeRec start = PeriodStart(TDynRepUserData{.UseCurrentDateAsBase = true});
  if (a.from) {
    const DateEntry d = ParseDate(*a.from, &messages, s.MonthFirst);
    if (d.error) return 1;
    start = {static_cast<std::int16_t>(d.year), static_cast<std::uint8_t>(d.month), static_cast<std::uint8_t>(d.day),
             0, 0, 0, calAuto};
  }
  std::string zoneName = "UT";
  if (a.zone) {
    const ZoneEntry z = ParseZone(*a.zone, &messages, {});
    if (z.error) return 1;
    period.RepZoneHrs = z.hours;
    zoneName = z.abbrev.empty() ? FormatZoneHours(z.hours) : z.abbrev;
  }
  try {
    const SearchRequest request = RequestOf(a, *radix, start, period);
    const std::vector<Configuration> found = FindConfigurations(request);
    if (a.json) WriteJsonResult(ctx.out, request, found, period.RepZoneHrs, zoneName);
    else WriteText(ctx.out, request, found, period.RepZoneHrs, zoneName);
    return 0;
  } catch (const UsageError&) {
    throw;
  } catch (const std::exception& e) {
    ctx.err << "korvana: " << e.what() << "\n";
    return 1;
  }
}

CommandBuild BuildFor(DynamicTechnique technique) {
  return [technique](CommandOptions& app) -> CommandRun {
    auto a = std::make_shared<DynamicArguments>();
    a->technique = technique;
    app.Value("--chart", a->chart, "the radix chart: FILE:N").ValueName("FILE:N").Required();
    app.Value("--from", a->from, "the first day (default: the first of this month)").ValueName("DATE");
    app.Value("--duration", a->duration, "the length: 1y, 18m, 30d, 12h (default 1y)").ValueName("LENGTH");
    app.Value("--points", a->points, "the moving points: names or numbers, comma separated").ValueName("LIST");
    app.Value("--radix", a->radix, "the radix points (default Sun to Pluto, North Node, Ascendant, MC)")
        .ValueName("LIST");
    app.Value("--aspects", a->aspects, "aspect names or numbers (default the five major aspects)").ValueName("LIST");
    app.Value("--orbs", a->orbs, "the entering and leaving orbs in degrees (default 1,1)").ValueName("ENTER,LEAVE");
    app.Value("--zone", a->zone, "the reference zone for the times: hours west positive (default UT)")
        .ValueName("ZONE");
    app.Flag("--houses", a->houses, "also the moving points' passages through the radix houses");
    app.Flag("--signs", a->signs, "also their passages through the signs");
    app.Flag("--json", a->json, "write JSON");
    return [a](CommandContext& ctx) { return Run(ctx, *a); };
  };
}

constexpr const char* Synopsis =
    " --chart FILE:N [--from DATE] [--duration 1y|18m|30d] [--points LIST] [--radix LIST] [--aspects LIST]"
    " [--orbs ENTER,LEAVE] [--zone Z] [--houses] [--signs] [--json]";

CommandRegistration transits({"transits", std::string("transits") + Synopsis,
                              "the transits to a chart through a period", BuildFor(DynamicTechnique::Transits)});
CommandRegistration progressions({"progressions", std::string("progressions") + Synopsis,
                                  "the secondary progressions of a chart through a period",
                                  BuildFor(DynamicTechnique::Progressions)});
CommandRegistration directions({"directions", std::string("directions") + Synopsis,
                                "the primary directions of a chart (semi-arc, Naibod key) through a period",
                                BuildFor(DynamicTechnique::Primaries)});

}  // namespace
}  // namespace korvana::cli
