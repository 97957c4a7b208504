// korvana zone lookup --table N --date D --time T --lon L [--month-first]: the zone in
// force at a place (its zone history table and longitude) on a local date and time, as
// the chart dialogs show it, with their warnings on stderr.
// korvana zone tables: the zone history tables of the data folder.
#include <climits>
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "cli/validators.h"
#include "core/config/program_settings.h"
#include "core/time/errors.h"
#include "core/time/zone_tables.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

// What the command line asks of zone lookup.
struct LookupArguments {
  int table = 0;
  std::string date, time, lon;
  bool monthFirst = false;
};

int Lookup(CommandContext& ctx, const LookupArguments& a) {
  EntryOptions options;
  options.monthFirst = a.monthFirst;
  ZoneTableFiles files{ctx.env.Settings().PlacesParentPath};
  try {
    std::optional<std::string> text =
        ZoneTextForPlace(files, a.table, a.date, a.time, a.lon, options, ctx.env.MessagesSink());
    if (!text) return 1;
    ctx.out << *text << "\n";
    return 0;
  } catch (const ETZError& e) {
    ctx.env.MessagesSink().Error(e.what());
    return 1;
  }
}

int Tables(CommandContext& ctx) {
  ZoneTableFiles files{ctx.env.Settings().PlacesParentPath};
  try {
    for (const std::string& row : ListTables(files)) ctx.out << row << "\n";
    return 0;
  } catch (const ETZError& e) {
    ctx.env.MessagesSink().Error(e.what());
    return 1;
  }
}

CommandRun LookupCommand(CommandOptions& app) {
  auto a = std::make_shared<LookupArguments>();
  app.Value("--table", a->table, "the place's zone history table")
      .ValueName("N")
      .Required()
      .Check(WholeNumber(INT_MIN, INT_MAX, "a table number"));
  app.Value("--date", a->date, "the local date").ValueName("DATE").Required();
  app.Value("--time", a->time, "the local time").ValueName("TIME").Required();
  app.Value("--lon", a->lon, "the place's longitude").ValueName("LONGITUDE").Required();
  app.Flag("--month-first", a->monthFirst, "read a numeric date month first");
  return [a](CommandContext& ctx) { return Lookup(ctx, *a); };
}

CommandRun Build(CommandOptions& app) {
  return AddSubcommands(
      app, {{"lookup", "zone lookup --table N --date DATE --time TIME --lon LONGITUDE [--month-first]",
             "the zone in force at a place on a local date and time", LookupCommand},
            {"tables", "zone tables", "the zone history tables of the data folder",
             [](CommandOptions&) -> CommandRun { return Tables; }}});
}

CommandRegistration reg({"zone",
                         "zone lookup --table N --date DATE --time TIME --lon LONGITUDE [--month-first] | zone tables",
                         "look up the zone of a place on a date; list the zone history tables", Build});

}  // namespace
}  // namespace korvana::cli
