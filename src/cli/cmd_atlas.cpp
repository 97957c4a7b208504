// korvana atlas find "PLACE[, STATE][, COUNTRY]" [--date D --time T] [--limit N] [--json]:
// the places of the data folder's atlas that a typed name finds, most populous first,
// one a line: name, state and country, then latitude, longitude (degrees, north and east
// positive) and the IANA zone, separated by tabs; with a local date and time also the
// zone in force then (abbreviation, hours west positive, kind, and whether the time fell
// in a gap or fold of the clock). --json prints them as one JSON object.
//
// korvana atlas countries | states COUNTRY | places COUNTRY [--state STATE] [--limit N]:
// browsing the atlas: the countries with their number of places, a country's first-level
// divisions, and the places of a country or division most populous first (as find prints
// them).
//
// korvana atlas changes "PLACE[, STATE][, COUNTRY]" [--from YEAR --to YEAR] [--json]: the
// changes of the clock at the one place the name finds, one a line: the local date and
// time of the change, the time the clocks then showed, and the zone from then on.
#include <climits>
#include <functional>
#include <cstdio>
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "cli/json_output.h"
#include "cli/validators.h"
#include "core/charts/atlas.h"
#include "core/charts/chart_place.h"
#include "core/config/program_settings.h"
#include "core/time/entry_parsing.h"
#include "core/time/zone_in_force.h"
#include "core/util/messages.h"

namespace korvana::cli {
namespace {

struct FindArguments {
  std::string query;
  int limit = 20;
  bool json = false;
  std::optional<std::string> date, time;
};

constexpr const char* ZoneKindNames[] = {"standard",        "daylight",        "war time",
                                         "double summer time", "local mean time", "half-hour daylight"};

const char* FitName(LocalTimeFit fit) {
  switch (fit) {
    case LocalTimeFit::InGap: return "in the gap when the clocks went forward";
    case LocalTimeFit::InFold: return "in the hour the clocks repeated (the first taken)";
    case LocalTimeFit::Unique: break;
  }
  return "";
}

// The zone in force at a place on the asked local date and time.
std::optional<ZoneInForce> ZoneAt(const AtlasPlace& p, const std::optional<DateTimeRec>& moment) {
  if (!moment) return std::nullopt;
  return ZoneInForceAt(p.zone, *moment, -p.longitude);
}

std::string Coordinate(double degrees) {
  char text[32];
  std::snprintf(text, sizeof text, "%.5f", degrees);
  return text;
}

void PrintText(std::ostream& out, const std::vector<AtlasPlace>& places, const std::optional<DateTimeRec>& moment) {
  for (const AtlasPlace& p : places) {
    out << p.name << ", " << (p.state.empty() ? "" : p.state + ", ") << p.country << "\t"
        << Coordinate(p.latitude) << "\t" << Coordinate(p.longitude) << "\t" << p.zone;
    if (const auto z = ZoneAt(p, moment)) {
      out << "\t" << z->abbreviation << "\t" << FormatZoneHours(z->hours) << "\t"
          << ZoneKindNames[static_cast<int>(z->kind)];
      if (z->fit != LocalTimeFit::Unique) out << "\t" << FitName(z->fit);
    }
    out << "\n";
  }
}

void PrintJson(std::ostream& out, const std::string& query, const std::vector<AtlasPlace>& places,
               const std::optional<DateTimeRec>& moment) {
  JsonValue list = JsonValue::array();
  for (const AtlasPlace& p : places) {
    JsonValue place = {{"name", p.name}, {"state", p.state}, {"country", p.country},
                       {"country_code", p.countryCode}, {"latitude", p.latitude},
                       {"longitude", p.longitude}, {"zone", p.zone}, {"population", p.population}};
    if (const auto z = ZoneAt(p, moment)) {
      place["zone_in_force"] = {{"abbreviation", z->abbreviation},
                                {"hours", z->hours},
                                {"type", static_cast<int>(z->kind)},
                                {"standard_units", z->standardUnits},
                                {"gap", z->fit == LocalTimeFit::InGap},
                                {"fold", z->fit == LocalTimeFit::InFold}};
    }
    list.push_back(std::move(place));
  }
  WriteJson(out, JsonValue{{"query", query}, {"places", list}});
}

int Find(CommandContext& ctx, const FindArguments& a) {
  ProgramSettings& s = ctx.env.Settings();
  std::optional<DateTimeRec> moment;
  if (a.date) {
    const DateEntry date = ParseDate(*a.date, &ctx.env.MessagesSink(), s.MonthFirst, s.CenturyPivotYear);
    if (date.error) return 1;
    const TimeEntry time = ParseTime(*a.time, &ctx.env.MessagesSink());
    if (time.error) return 1;
    moment = MomentOf(date, time);
  }
  const std::string path = s.SystemPath + std::string(Atlas::FileName);
  try {
    const Atlas atlas(path);
    const AtlasLookup lookup = atlas.Find(a.query, a.limit);
    if (lookup.status != AtlasStatus::Found) {
      ctx.env.MessagesSink().Error(AtlasStatusMessage(lookup.status, a.query));
      return 1;
    }
    if (a.json) {
      PrintJson(ctx.out, a.query, lookup.places, moment);
    } else {
      PrintText(ctx.out, lookup.places, moment);
    }
    return 0;
  } catch (const EAtlasError& e) {
    ctx.env.MessagesSink().Error(e.what());
    return 1;
  }
}

CommandRun FindCommand(CommandOptions& app) {
  auto a = std::make_shared<FindArguments>();
  app.Value("QUERY", a->query, "the place, optionally followed by its state and country, comma-separated")
      .Required();
  app.Value("--limit", a->limit, "list at most N places (0: all; default 20)")
      .ValueName("N")
      .Check(WholeNumber(0, INT_MAX, "a number of places"));
  app.Flag("--json", a->json, "print one JSON object");
  app.Value("--date", a->date, "a local date: also show the zone in force then").ValueName("DATE");
  app.Value("--time", a->time, "the local time with --date").ValueName("TIME");
  app.AfterParse([a] {
    if (a->date.has_value() != a->time.has_value()) throw UsageError("atlas find takes --date and --time together");
  });
  return [a](CommandContext& ctx) { return Find(ctx, *a); };
}

struct ChangesArguments {
  std::string query;
  int from = 1800;
  int to = 2100;
  bool json = false;
};

std::string LocalTime(const DateTimeRec& t) {
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.Year, t.Month, t.Day, t.Hour, t.Minute);
  return text;
}

void PrintChanges(std::ostream& out, const std::vector<ZoneChange>& changes) {
  for (const ZoneChange& c : changes) {
    out << LocalTime(c.from) << " -> " << LocalTime(c.to) << "\t" << c.zone.abbreviation << "\t"
        << FormatZoneHours(c.zone.hours) << "\t" << ZoneKindNames[static_cast<int>(c.zone.kind)] << "\n";
  }
}

JsonValue ChangesJson(const AtlasPlace& p, const std::vector<ZoneChange>& changes) {
  JsonValue list = JsonValue::array();
  for (const ZoneChange& c : changes) {
    list.push_back({{"from", LocalTime(c.from)},
                    {"to", LocalTime(c.to)},
                    {"abbreviation", c.zone.abbreviation},
                    {"hours", c.zone.hours},
                    {"type", static_cast<int>(c.zone.kind)},
                    {"standard_units", c.zone.standardUnits}});
  }
  return {{"name", p.name}, {"state", p.state}, {"country", p.country}, {"zone", p.zone}, {"changes", list}};
}

int Changes(CommandContext& ctx, const ChangesArguments& a) {
  const std::string path = ctx.env.Settings().SystemPath + std::string(Atlas::FileName);
  try {
    const Atlas atlas(path);
    const auto single = FindSingleAtlasPlace(atlas, a.query, ctx.env.MessagesSink());
    if (!single) return 1;
    const AtlasPlace& p = *single;
    const auto changes = ZoneChangesBetween(p.zone, a.from, a.to, -p.longitude);
    if (!changes) {
      ctx.env.MessagesSink().Error(UnknownZoneMessage(p));
      return 1;
    }
    if (a.json) {
      WriteJson(ctx.out, ChangesJson(p, *changes));
    } else {
      ctx.out << p.name << ", " << (p.state.empty() ? "" : p.state + ", ") << p.country << " (" << p.zone << ")\n";
      PrintChanges(ctx.out, *changes);
    }
    return 0;
  } catch (const EAtlasError& e) {
    ctx.env.MessagesSink().Error(e.what());
    return 1;
  }
}

CommandRun ChangesCommand(CommandOptions& app) {
  auto a = std::make_shared<ChangesArguments>();
  app.Value("QUERY", a->query, "the place, optionally followed by its state and country, comma-separated")
      .Required();
  app.Value("--from", a->from, "the first year (default 1800)").ValueName("YEAR").Check(WholeNumber(-9999, 9999, "a year"));
  app.Value("--to", a->to, "the last year (default 2100)").ValueName("YEAR").Check(WholeNumber(-9999, 9999, "a year"));
  app.Flag("--json", a->json, "print one JSON object");
  app.AfterParse([a] {
    if (a->from > a->to) throw UsageError("atlas changes needs --from no later than --to");
  });
  return [a](CommandContext& ctx) { return Changes(ctx, *a); };
}

// Browsing: the countries, a country's divisions, and the places of either.
struct BrowseArguments {
  std::string country;
  std::string state;
  int limit = 50;
};

// Runs `work` on the data folder's atlas; a damaged or missing atlas is reported.
int WithAtlas(CommandContext& ctx, const std::function<int(const Atlas&)>& work) {
  try {
    const Atlas atlas(ctx.env.Settings().SystemPath + std::string(Atlas::FileName));
    return work(atlas);
  } catch (const EAtlasError& e) {
    ctx.env.MessagesSink().Error(e.what());
    return 1;
  }
}

CommandRun CountriesCommand(CommandOptions&) {
  return [](CommandContext& ctx) {
    return WithAtlas(ctx, [&](const Atlas& atlas) {
      for (const AtlasRegion& c : atlas.Countries()) ctx.out << c.code << "\t" << c.name << "\t" << c.places << "\n";
      return 0;
    });
  };
}

CommandRun StatesCommand(CommandOptions& app) {
  auto a = std::make_shared<BrowseArguments>();
  app.Value("COUNTRY", a->country, "the country's code or name").Required();
  return [a](CommandContext& ctx) {
    return WithAtlas(ctx, [&](const Atlas& atlas) {
      const auto country = atlas.CountryCode(a->country);
      if (!country) {
        ctx.env.MessagesSink().Error(AtlasStatusMessage(AtlasStatus::CountryNotFound, a->country));
        return 1;
      }
      for (const AtlasRegion& s : atlas.States(*country)) ctx.out << s.code << "\t" << s.name << "\t" << s.places << "\n";
      return 0;
    });
  };
}

CommandRun PlacesCommand(CommandOptions& app) {
  auto a = std::make_shared<BrowseArguments>();
  app.Value("COUNTRY", a->country, "the country's code or name").Required();
  app.Value("--state", a->state, "only the places of this first-level division (code or name)").ValueName("STATE");
  app.Value("--limit", a->limit, "list at most N places (0: all; default 50)")
      .ValueName("N")
      .Check(WholeNumber(0, INT_MAX, "a number of places"));
  return [a](CommandContext& ctx) {
    return WithAtlas(ctx, [&](const Atlas& atlas) {
      const auto country = atlas.CountryCode(a->country);
      if (!country) {
        ctx.env.MessagesSink().Error(AtlasStatusMessage(AtlasStatus::CountryNotFound, a->country));
        return 1;
      }
      std::string stateCode;
      if (!a->state.empty()) {
        const auto state = atlas.StateCode(*country, a->state);
        if (!state) {
          ctx.env.MessagesSink().Error(AtlasStatusMessage(AtlasStatus::StateNotFound, a->state + ", " + a->country));
          return 1;
        }
        stateCode = *state;
      }
      PrintText(ctx.out, atlas.PlacesIn(*country, stateCode, a->limit), std::nullopt);
      return 0;
    });
  };
}

constexpr const char* FindSynopsis =
    "atlas find \"PLACE[, STATE][, COUNTRY]\" [--date DATE --time TIME] [--limit N] [--json]";
constexpr const char* ChangesSynopsis = "atlas changes \"PLACE[, STATE][, COUNTRY]\" [--from YEAR --to YEAR] [--json]";

CommandRun Build(CommandOptions& app) {
  return AddSubcommands(app, {{"find", FindSynopsis, "the places a typed name finds, most populous first", FindCommand},
                              {"changes", ChangesSynopsis, "the changes of a place's clock over the years", ChangesCommand},
                              {"countries", "atlas countries", "the countries of the atlas with their number of places",
                               CountriesCommand},
                              {"states", "atlas states COUNTRY", "a country's first-level divisions", StatesCommand},
                              {"places", "atlas places COUNTRY [--state STATE] [--limit N]",
                               "the places of a country or division, most populous first", PlacesCommand}});
}

CommandRegistration reg({"atlas", "atlas find|changes|countries|states|places ...",
                         "find places in the atlas: coordinates, zone and the zone's changes", Build});

}  // namespace
}  // namespace korvana::cli
