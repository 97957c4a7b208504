#include "core/time/zone_in_force.h"

#include <cctz/civil_time.h>
#include <cctz/time_zone.h>

#include <chrono>
#include <cmath>

namespace korvana {
namespace {

using Seconds = cctz::time_point<cctz::seconds>;

constexpr int SecondsPerHour = 3600;

// The offset (east, seconds) of standard time nearest before `when`, or after it when
// the zone kept summer time for the whole span before (war years): the clock of the
// nearest instant that was not daylight saving time, within four years.
int StandardOffset(const cctz::time_zone& zone, Seconds when, const cctz::time_zone::absolute_lookup& at) {
  if (!at.is_dst) return at.offset;
  constexpr auto Month = std::chrono::hours(24 * 30);
  for (int k = 1; k <= 48; ++k) {
    for (const Seconds probe : {when - k * Month, when + k * Month}) {
      const auto other = zone.lookup(probe);
      if (!other.is_dst && std::string(other.abbr) != "LMT") return other.offset;
    }
  }
  return at.offset - SecondsPerHour;
}

// War time is named so by the database: "EWT", "CPT" ("war" and "peace" time).
bool IsWarTimeName(const std::string& abbreviation) {
  return abbreviation.size() == 3 && (abbreviation.compare(1, 2, "WT") == 0 || abbreviation.compare(1, 2, "PT") == 0);
}

// The zone in force at the instant `when` (fit left Unique).
ZoneInForce ZoneAtInstant(const cctz::time_zone& zone, Seconds when, double longitudeWest) {
  const cctz::time_zone::absolute_lookup at = zone.lookup(when);
  ZoneInForce z;
  z.abbreviation = at.abbr;
  const int standard = StandardOffset(zone, when, at);
  z.standardUnits = static_cast<int>(std::lround(-standard / 4.0));  // 1/900 hour = 4 seconds
  const int ahead = at.offset - standard;
  if (z.abbreviation == "LMT") {
    z.kind = ZoneKind::LocalMeanTime;
    z.hours = longitudeWest / 15.0;
    return z;
  }
  if (!at.is_dst) z.kind = ZoneKind::Standard;
  else if (IsWarTimeName(z.abbreviation)) z.kind = ZoneKind::WarTime;
  else if (ahead == 2 * SecondsPerHour) z.kind = ZoneKind::DoubleSummer;
  else if (ahead == SecondsPerHour / 2) z.kind = ZoneKind::HalfHourDaylight;
  else z.kind = ZoneKind::Daylight;
  z.hours = -at.offset / static_cast<double>(SecondsPerHour);
  return z;
}

DateTimeRec RecordOf(const cctz::civil_second& t) {
  DateTimeRec r;
  r.Year = static_cast<std::int16_t>(t.year());
  r.Month = static_cast<std::uint8_t>(t.month());
  r.Day = static_cast<std::uint8_t>(t.day());
  r.Hour = static_cast<std::uint8_t>(t.hour());
  r.Minute = static_cast<std::uint8_t>(t.minute());
  r.Second = static_cast<std::uint8_t>(t.second());
  return r;
}

}  // namespace

std::optional<ZoneInForce> ZoneInForceAt(const std::string& ianaZone, const DateTimeRec& moment,
                                         double longitudeWest) {
  cctz::time_zone zone;
  if (ianaZone.empty() || !cctz::load_time_zone(ianaZone, &zone)) return std::nullopt;
  const cctz::civil_second local(moment.Year, moment.Month, moment.Day, moment.Hour, moment.Minute, moment.Second);
  const cctz::time_zone::civil_lookup civil = zone.lookup(local);
  ZoneInForce z;
  z.fit = civil.kind == cctz::time_zone::civil_lookup::SKIPPED    ? LocalTimeFit::InGap
          : civil.kind == cctz::time_zone::civil_lookup::REPEATED ? LocalTimeFit::InFold
                                                                  : LocalTimeFit::Unique;
  // A time in a gap is read with the clock as it was before the jump; a time in a fold
  // as the first of the two (`pre`, the earlier instant).
  const Seconds when = z.fit == LocalTimeFit::InGap ? civil.trans - cctz::seconds(1) : civil.pre;
  const LocalTimeFit fit = z.fit;
  z = ZoneAtInstant(zone, when, longitudeWest);
  z.fit = fit;
  return z;
}

std::optional<ZoneInForce> ZoneInForceAtUniversal(const std::string& ianaZone, const DateTimeRec& universal,
                                                  double longitudeWest) {
  cctz::time_zone zone;
  if (ianaZone.empty() || !cctz::load_time_zone(ianaZone, &zone)) return std::nullopt;
  const cctz::civil_second ut(universal.Year, universal.Month, universal.Day, universal.Hour, universal.Minute,
                              universal.Second);
  return ZoneAtInstant(zone, cctz::convert(ut, cctz::utc_time_zone()), longitudeWest);
}

std::optional<std::vector<ZoneChange>> ZoneChangesBetween(const std::string& ianaZone, int fromYear, int toYear,
                                                          double longitudeWest) {
  cctz::time_zone zone;
  if (ianaZone.empty() || !cctz::load_time_zone(ianaZone, &zone)) return std::nullopt;
  std::vector<ZoneChange> changes;
  if (fromYear > toYear) return changes;
  // Start a day early: a change on the first of January, local time, lies up to a day
  // before it in Universal Time.
  Seconds at = zone.lookup(cctz::civil_second(fromYear, 1, 1, 0, 0, 0)).pre - cctz::seconds(SecondsPerHour * 24);
  cctz::time_zone::civil_transition transition;
  while (zone.next_transition(at, &transition)) {
    const cctz::civil_second from = transition.from;
    if (from.year() > toYear) break;
    at = zone.lookup(transition.to).trans;
    if (from.year() < fromYear) continue;
    changes.push_back({RecordOf(transition.from), RecordOf(transition.to), ZoneAtInstant(zone, at, longitudeWest)});
  }
  return changes;
}

}  // namespace korvana
