// korvana jd --date D --time T [--zone Z] [--builtin] [--month-first]: the Julian days
// of a local moment (local, Universal Time, Ephemeris Time), delta T and the true
// obliquity, from the Swiss Ephemeris or with --builtin from the program's own formulas.
#include <cstdio>
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "core/config/program_settings.h"
#include "core/time/entry_parsing.h"
#include "core/time/errors.h"
#include "core/time/instant.h"
#include "core/time/time_zone.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

// What the command line asks of jd.
struct JdArguments {
  std::string date;
  std::string time;
  std::optional<std::string> zone;
  bool builtin = false;
  bool monthFirst = false;
};

std::string Fixed(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

int Jd(CommandContext& ctx, const JdArguments& a) {
  const bool builtin = a.builtin;
  DateEntry date = ParseDate(a.date, nullptr, a.monthFirst);
  if (date.error) {
    ctx.err << "korvana: " << WithUnixLineBreaks(date.message) << "\n";
    return 1;
  }
  TimeEntry time = ParseTime(a.time, nullptr);
  if (time.error) {
    ctx.err << "korvana: " << WithUnixLineBreaks(time.message) << "\n";
    return 1;
  }
  ZoneEntry zone;
  zone.abbrev = "UT";
  if (a.zone) {
    ZoneList zones;
    try {
      zones = LoadZoneList(ctx.env.Settings().TimeZones);
    } catch (const EZoneFormatError& e) {
      ctx.err << "korvana: warning: " << e.what() << "\n";
    }
    zone = ParseZone(*a.zone, nullptr, zones);
    if (zone.error) {
      ctx.err << "korvana: " << WithUnixLineBreaks(zone.message) << "\n";
      return 1;
    }
  }

  DateTimeRec rec;
  rec.Year = static_cast<std::int16_t>(date.year);
  rec.Month = static_cast<std::uint8_t>(date.month);
  rec.Day = static_cast<std::uint8_t>(date.day);
  rec.Hour = static_cast<std::uint8_t>(time.hour);
  rec.Minute = static_cast<std::uint8_t>(time.minute);
  rec.Second = static_cast<std::uint8_t>(time.second);
  try {
    TLocalInstant instant;
    instant.UseEphemerisLibrary = !builtin;
    instant.SetLocal(rec, zone.abbrev, zone.abbrev == "LMT" ? ZoneLocalMean : ZoneStandard, zone.hours);
    ctx.out << "date       " << instant.DateText() << " "
            << FormatTime(false, time.hour, time.minute, time.second) << " "
            << std::string(Trim(zone.abbrev + " " + FormatZoneHours(zone.hours))) << "\n"
            << "local JD   " << Fixed(instant.LocalJD, 6) << "\n"
            << "UT JD      " << Fixed(instant.JDUT, 6) << "\n"
            << "ET JD      " << Fixed(instant.JDEphem, 6) << "\n"
            << "delta T    " << Fixed(instant.DeltaT * 86400, 2) << " s\n"
            << "obliquity  " << Fixed(instant.TrueObliquity(), 6) << " ("
            << (builtin ? "built-in formulas" : "Swiss Ephemeris") << ")\n";
  } catch (const std::exception& e) {
    ctx.err << "korvana: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

CommandRun Build(CommandOptions& app) {
  auto a = std::make_shared<JdArguments>();
  app.Value("--date", a->date, "the local date").ValueName("DATE").Required();
  app.Value("--time", a->time, "the local time").ValueName("TIME").Required();
  app.Value("--zone", a->zone, "the zone (default: Universal Time)").ValueName("ZONE");
  app.Flag("--builtin", a->builtin, "the program's own formulas instead of the Swiss Ephemeris");
  app.Flag("--month-first", a->monthFirst, "read a numeric date month first");
  return [a](CommandContext& ctx) { return Jd(ctx, *a); };
}

CommandRegistration reg({"jd", "jd --date DATE --time TIME [--zone ZONE] [--builtin] [--month-first]",
                         "Julian days, delta T and true obliquity of a local date and time", Build});

}  // namespace
}  // namespace korvana::cli
