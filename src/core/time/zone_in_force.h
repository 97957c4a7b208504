// The zone in force at a place's local date and time, from the system's IANA time zone
// database (read through cctz): what a chart entered by place needs in place of a typed
// zone.
//
// The kinds are those the atlas reports: standard time, daylight saving time, war time
// (the United States' "EWT"/"EPT" of 1942-45 and the like), double summer time (two hours
// ahead of standard), local mean time before the place kept a standard time, and daylight
// saving of half an hour. Offsets are given west positive, as the program's zones are.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/time/date_time_rec.h"

namespace korvana {

enum class ZoneKind : int {
  Standard = 0,
  Daylight = 1,
  WarTime = 2,
  DoubleSummer = 3,
  LocalMeanTime = 4,
  HalfHourDaylight = 5,
};

// How a local time fits the zone's clock on that day.
enum class LocalTimeFit {
  Unique,  // it happened once
  InGap,   // the clocks jumped over it (daylight saving began); read with the offset before
  InFold,  // it happened twice (daylight saving ended); read as the first of the two
};

struct ZoneInForce {
  ZoneKind kind = ZoneKind::Standard;
  double hours = 0;          // the chart's zone hours, west positive (for local mean time: longitude / 15)
  int standardUnits = 0;     // the standard offset in units of 1/900 hour, west positive
  std::string abbreviation;  // "AEDT", "LMT", "EWT", ...
  LocalTimeFit fit = LocalTimeFit::Unique;
};

// The zone in force in `ianaZone` (such as "Australia/Adelaide") at the local Gregorian
// date and time of `moment` (taken as Gregorian), for a place at `longitudeWest` degrees (west positive).
// Nothing when the zone is unknown to the system's database.
std::optional<ZoneInForce> ZoneInForceAt(const std::string& ianaZone, const DateTimeRec& moment,
                                         double longitudeWest);

// The zone in force in `ianaZone` at the moment whose Universal (Gregorian) date and time
// is `universal`: what a moment found by calculation (a return) is shown in. Always
// unique (fit Unique). Nothing when the zone is unknown to the system's database.
std::optional<ZoneInForce> ZoneInForceAtUniversal(const std::string& ianaZone, const DateTimeRec& universal,
                                                  double longitudeWest);

// One change of a place's clock.
struct ZoneChange {
  DateTimeRec from;  // the local time at which the clocks changed, as they showed it
  DateTimeRec to;    // what they showed from then on (earlier than `from` when set back)
  ZoneInForce zone;  // the zone in force after the change
};

// The changes of the clock of `ianaZone` whose local time (before the change) falls in
// the years fromYear..toYear, in time order, for a place at `longitudeWest`. The first
// change of a zone that began with local mean time is its adoption of standard time.
// Empty when there are none (or fromYear > toYear); nothing when the zone is unknown.
std::optional<std::vector<ZoneChange>> ZoneChangesBetween(const std::string& ianaZone, int fromYear, int toYear,
                                                          double longitudeWest);

}  // namespace korvana
