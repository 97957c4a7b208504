// korvana atlas find "PLACE[, STATE][, COUNTRY]" [--limit N] [--json]: the places of the
// data folder's atlas that a typed name finds, most populous first, one a line: name,
// state and country, then latitude, longitude (degrees, north and east positive) and
// the IANA zone, separated by tabs. --json prints them as one JSON object.
#include <climits>
#include <cstdio>
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "cli/json_output.h"
#include "cli/validators.h"
#include "core/charts/atlas.h"
#include "core/config/program_settings.h"
#include "core/util/messages.h"

namespace korvana::cli {
namespace {

struct FindArguments {
  std::string query;
  int limit = 20;
  bool json = false;
};

std::string Coordinate(double degrees) {
  char text[32];
  std::snprintf(text, sizeof text, "%.5f", degrees);
  return text;
}

void PrintText(std::ostream& out, const std::vector<AtlasPlace>& places) {
  for (const AtlasPlace& p : places) {
    out << p.name << ", " << (p.state.empty() ? "" : p.state + ", ") << p.country << "\t"
        << Coordinate(p.latitude) << "\t" << Coordinate(p.longitude) << "\t" << p.zone << "\n";
  }
}

void PrintJson(std::ostream& out, const std::string& query, const std::vector<AtlasPlace>& places) {
  JsonValue list = JsonValue::array();
  for (const AtlasPlace& p : places) {
    list.push_back({{"name", p.name}, {"state", p.state}, {"country", p.country},
                    {"country_code", p.countryCode}, {"latitude", p.latitude},
                    {"longitude", p.longitude}, {"zone", p.zone}, {"population", p.population}});
  }
  WriteJson(out, JsonValue{{"query", query}, {"places", list}});
}

int Find(CommandContext& ctx, const FindArguments& a) {
  const std::string path = ctx.env.Settings().SystemPath + std::string(Atlas::FileName);
  try {
    const Atlas atlas(path);
    const AtlasLookup lookup = atlas.Find(a.query, a.limit);
    if (lookup.status != AtlasStatus::Found) {
      ctx.env.MessagesSink().Error(AtlasStatusMessage(lookup.status, a.query));
      return 1;
    }
    if (a.json) {
      PrintJson(ctx.out, a.query, lookup.places);
    } else {
      PrintText(ctx.out, lookup.places);
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
  return [a](CommandContext& ctx) { return Find(ctx, *a); };
}

CommandRun Build(CommandOptions& app) {
  return AddSubcommands(app, {{"find", "atlas find \"PLACE[, STATE][, COUNTRY]\" [--limit N] [--json]",
                               "the places a typed name finds, most populous first", FindCommand}});
}

CommandRegistration reg({"atlas", "atlas find \"PLACE[, STATE][, COUNTRY]\" [--limit N] [--json]",
                         "find places in the atlas: coordinates and zone", Build});

}  // namespace
}  // namespace korvana::cli
