// korvana parse date|time|zone|lat|lon|angle TEXT [--month-first]: reads a typed entry
// as the chart dialogs do and prints its canonical text and its value(s); an entry that
// does not parse prints the dialog's message on stderr and exits with 1.
#include <cstdio>
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "core/config/program_settings.h"
#include "core/time/entry_parsing.h"
#include "core/time/errors.h"
#include "core/time/time_zone.h"

namespace korvana::cli {
namespace {

constexpr const char* Usage = "parse date|time|zone|lat|lon|angle TEXT [--month-first]";

std::string Number(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.9g", v);
  return buf;
}

std::string Flat(std::string text) {
  for (std::size_t p; (p = text.find("\r\n")) != std::string::npos;) text.replace(p, 2, "\n");
  return text;
}

int Refused(CommandContext& ctx, const std::string& message) {
  ctx.err << "korvana: " << Flat(message) << "\n";
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

int Parse(CommandContext& ctx) {
  std::vector<std::string> positional;
  bool monthFirst = false;
  for (const std::string& a : ctx.args) {
    if (a == "--month-first")
      monthFirst = true;
    else
      positional.push_back(a);
  }
  if (positional.size() != 2) return UsageError(ctx, Usage);
  const std::string& kind = positional[0];
  const std::string& text = positional[1];

  if (kind == "date") {
    DateEntry d = ParseDate(text, nullptr, monthFirst);
    if (d.error) return Refused(ctx, d.message);
    ctx.out << FormatDate(monthFirst, d.day, d.month, d.year) << "\n"
            << "year " << d.year << " month " << d.month << " day " << d.day << " calendar "
            << (d.gregorian ? "gregorian" : "julian") << "\n";
  } else if (kind == "time") {
    TimeEntry t = ParseTime(text, nullptr);
    if (t.error) return Refused(ctx, t.message);
    ctx.out << FormatTime(false, t.hour, t.minute, t.second) << "\n"
            << "hour " << t.hour << " minute " << t.minute << " second " << t.second << "\n";
  } else if (kind == "zone") {
    ZoneList zones = LoadZones(ctx);
    EntryOptions options;
    options.zones = &zones;
    NormalisedField f = NormaliseField(text, FieldKind::Zone, options, nullptr);
    if (f.error) return Refused(ctx, f.text);
    ZoneEntry z = ParseZone(text, nullptr, zones);
    ctx.out << f.text << "\n"
            << "hours " << Number(z.hours) << " abbreviation " << (z.abbrev.empty() ? "(none)" : z.abbrev)
            << "\n";
  } else if (kind == "lat" || kind == "lon") {
    bool lon = kind == "lon";
    CoordinateEntry c = ParseLatLong(text, lon, nullptr);
    if (c.error) return Refused(ctx, c.message);
    ctx.out << FormatLatLong(lon, c.degrees) << "\n"
            << "degrees " << Number(c.degrees) << " (" << (lon ? "west" : "north") << " positive)\n";
  } else if (kind == "angle") {
    AngleEntry a = ParseAngle(text, nullptr);
    if (a.error) return Refused(ctx, a.message);
    ctx.out << FormatZodiacal(2, SignTexts{}, true, false, false, a.degrees) << "\n"
            << "degrees " << Number(a.degrees) << "\n";
  } else {
    return UsageError(ctx, Usage);
  }
  return 0;
}

CommandRegistration reg({"parse", Usage,
                         "read a typed date, time, zone, latitude, longitude or angle and print its canonical form",
                         Parse});

}  // namespace
}  // namespace korvana::cli
