// korvana zone lookup --table N --date D --time T --lon L [--month-first]: the zone in
// force at a place (its zone history table and longitude) on a local date and time, as
// the chart dialogs show it, with their warnings on stderr.
// korvana zone tables: the zone history tables of the data folder.
#include <map>
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "core/config/program_settings.h"
#include "core/time/errors.h"
#include "core/time/zone_tables.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

constexpr const char* Usage =
    "zone lookup --table N --date DATE --time TIME --lon LONGITUDE [--month-first] | zone tables";

int Lookup(CommandContext& ctx) {
  std::map<std::string, std::string> values;
  EntryOptions options;
  for (std::size_t i = 1; i < ctx.args.size(); ++i) {
    const std::string& a = ctx.args[i];
    if (a == "--month-first") {
      options.monthFirst = true;
    } else if ((a == "--table" || a == "--date" || a == "--time" || a == "--lon") &&
               i + 1 < ctx.args.size() && !values.count(a)) {
      values[a] = ctx.args[++i];
    } else {
      return UsageError(ctx, Usage);
    }
  }
  if (values.size() != 4) return UsageError(ctx, Usage);
  std::optional<std::int32_t> table = ParseInt32(values["--table"]);
  if (!table) return UsageError(ctx, Usage);
  ZoneTableFiles files{ctx.env.Settings().PlacesParentPath};
  try {
    std::optional<std::string> text = ZoneTextForPlace(files, *table, values["--date"], values["--time"],
                                                       values["--lon"], options, ctx.env.MessagesSink());
    if (!text) return 1;
    ctx.out << *text << "\n";
    return 0;
  } catch (const ETZError& e) {
    ctx.env.MessagesSink().Error(e.what());
    return 1;
  }
}

int Tables(CommandContext& ctx) {
  if (ctx.args.size() != 1) return UsageError(ctx, Usage);
  ZoneTableFiles files{ctx.env.Settings().PlacesParentPath};
  try {
    for (const std::string& row : ListTables(files)) ctx.out << row << "\n";
    return 0;
  } catch (const ETZError& e) {
    ctx.env.MessagesSink().Error(e.what());
    return 1;
  }
}

int Zone(CommandContext& ctx) {
  if (ctx.args.empty()) return UsageError(ctx, Usage);
  if (ctx.args[0] == "lookup") return Lookup(ctx);
  if (ctx.args[0] == "tables") return Tables(ctx);
  return UsageError(ctx, Usage);
}

CommandRegistration reg({"zone", Usage, "look up the zone of a place on a date; list the zone history tables",
                         Zone});

}  // namespace
}  // namespace korvana::cli
