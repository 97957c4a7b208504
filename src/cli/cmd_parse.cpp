// korvana parse date|time|zone|lat|lon|angle TEXT [--month-first]: reads a typed entry
// as the chart dialogs do and prints its canonical text and its value(s); an entry that
// does not parse prints the dialog's message on stderr and exits with 1.
#include <cstdio>
#include <functional>
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "core/config/program_settings.h"
#include "core/time/entry_parsing.h"
#include "core/time/errors.h"
#include "core/time/time_zone.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

constexpr const char* Usage = "parse date|time|zone|lat|lon|angle TEXT [--month-first]";

std::string Number(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.9g", v);
  return buf;
}

int Refused(CommandContext& ctx, const std::string& message) {
  ctx.err << "korvana: " << WithUnixLineBreaks(message) << "\n";
  return 1;
}

// The zone list of the data folder; an unreadable list is reported and mnemonics are
// then read as unknown ones.
ZoneList LoadZones(CommandContext& ctx) {
  try {
    return LoadZoneList(ctx.env.Settings().TimeZones);
  } catch (const EZoneFormatError& e) {
    ctx.err << "korvana: warning: " << e.what() << "\n";
    return {};
  }
}

// What the command line asks of parse: the entry's text, and how a numeric date reads.
struct ParseArguments {
  std::string text;
  bool monthFirst = false;
};

int Date(CommandContext& ctx, const ParseArguments& a) {
  DateEntry d = ParseDate(a.text, nullptr, a.monthFirst);
  if (d.error) return Refused(ctx, d.message);
  ctx.out << FormatDate(a.monthFirst, d.day, d.month, d.year) << "\n"
          << "year " << d.year << " month " << d.month << " day " << d.day << " calendar "
          << (d.gregorian ? "gregorian" : "julian") << "\n";
  return 0;
}

int Time(CommandContext& ctx, const ParseArguments& a) {
  TimeEntry t = ParseTime(a.text, nullptr);
  if (t.error) return Refused(ctx, t.message);
  ctx.out << FormatTime(false, t.hour, t.minute, t.second) << "\n"
          << "hour " << t.hour << " minute " << t.minute << " second " << t.second << "\n";
  return 0;
}

int Zone(CommandContext& ctx, const ParseArguments& a) {
  ZoneList zones = LoadZones(ctx);
  EntryOptions options;
  options.zones = &zones;
  NormalisedField f = NormaliseField(a.text, FieldKind::Zone, options, nullptr);
  if (f.error) return Refused(ctx, f.text);
  ZoneEntry z = ParseZone(a.text, nullptr, zones);
  ctx.out << f.text << "\n"
          << "hours " << Number(z.hours) << " abbreviation " << (z.abbrev.empty() ? "(none)" : z.abbrev) << "\n";
  return 0;
}

int Coordinate(CommandContext& ctx, const ParseArguments& a, bool lon) {
  CoordinateEntry c = ParseLatLong(a.text, lon, nullptr);
  if (c.error) return Refused(ctx, c.message);
  ctx.out << FormatLatLong(lon, c.degrees) << "\n"
          << "degrees " << Number(c.degrees) << " (" << (lon ? "west" : "north") << " positive)\n";
  return 0;
}

int Angle(CommandContext& ctx, const ParseArguments& a) {
  AngleEntry e = ParseAngle(a.text, nullptr);
  if (e.error) return Refused(ctx, e.message);
  ctx.out << FormatZodiacal(2, SignTexts{}, true, false, false, e.degrees) << "\n"
          << "degrees " << Number(e.degrees) << "\n";
  return 0;
}

using EntryReader = std::function<int(CommandContext&, const ParseArguments&)>;

// One entry kind: its TEXT goes to the arguments the parse command shares; --month-first
// after the text falls through to the parse command.
CommandInfo EntryKind(const char* name, const char* summary, std::shared_ptr<ParseArguments> a, EntryReader read) {
  return {name, std::string("parse ") + name + " TEXT [--month-first]", summary,
          [a, read](CommandOptions& app) -> CommandRun {
            app.FallThrough();
            app.Value("TEXT", a->text, "the typed entry").Required();
            return [a, read](CommandContext& ctx) { return read(ctx, *a); };
          }};
}

CommandRun Build(CommandOptions& app) {
  auto a = std::make_shared<ParseArguments>();
  app.Flag("--month-first", a->monthFirst, "read a numeric date month first");
  const auto latitude = [](CommandContext& ctx, const ParseArguments& p) { return Coordinate(ctx, p, false); };
  const auto longitude = [](CommandContext& ctx, const ParseArguments& p) { return Coordinate(ctx, p, true); };
  return AddSubcommands(app, {EntryKind("date", "a date", a, Date), EntryKind("time", "a time", a, Time),
                              EntryKind("zone", "a zone", a, Zone), EntryKind("lat", "a latitude", a, latitude),
                              EntryKind("lon", "a longitude", a, longitude),
                              EntryKind("angle", "a zodiacal angle", a, Angle)});
}

CommandRegistration reg({"parse", Usage,
                         "read a typed date, time, zone, latitude, longitude or angle and print its canonical form",
                         Build});

}  // namespace
}  // namespace korvana::cli
