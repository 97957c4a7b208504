// The dynamic settings of a report set and the period they describe: where it starts
// (a given date, or today moved back to the start of its month, quarter or year and
// shifted), how long it runs and its bounds in Universal Time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/time/date_time_rec.h"

namespace korvana {

class IniFile;

enum DurationUnits : std::uint8_t { DurationYears = 0, DurationMonths, DurationDays, DurationHours, DurationMinutes, DurationSeconds };

// TDynRepUserData. The member defaults are the program's before any report set with
// dynamic sections is loaded; LoadDynamicSettings has defaults of its own.
struct TDynRepUserData {
  std::uint8_t DurationUnit = DurationYears;
  std::int32_t Duration = 1;
  float RepZoneHrs = 0.0f;  // hours added to local time to get UT, positive west
  std::string RepZoneAbbr = "UT";
  DateTimeRec BaseDate{2003, 1, 1, 0, 0, 0, calAuto};
  bool UseCurrentDateAsBase = false;
  bool DoGoTo = true;
  std::int32_t GoToStartOf = 0;  // 0 month, 1 quarter, 2 year
  bool DoAdjust = false;
  std::int32_t AdjustAmount = 0;
  std::int32_t AdjustUnits = 0;  // 0 months, 1 quarters, 2 years
  friend bool operator==(const TDynRepUserData&, const TDynRepUserData&) = default;
};

// Reads the thirteen keys of `section` ("DurationUnit", "Duration", "RepZoneHrs",
// "RepZoneAbbr", "Year", "Month", "Day", "UseCurrentDateAsBase", "DoGoTo",
// "GoToStartOf", "DoAdjust", "AdjustAmount", "AdjustUnits"), with the defaults 0, 1,
// 0.0, "UT", 2003, 1, 1, true, true, 0, false, -1, 0 for missing keys. "RepZoneHrs"
// takes "." or "," as its decimal separator (any character other than digits, signs and
// blanks counts as one) and is 0 when it is not a number. A "Year" outside the 16-bit
// range, or a "Month" or "Day" outside 0..255, keeps the default.
TDynRepUserData LoadDynamicSettings(const IniFile& ini, const std::string& section);

// Writes all thirteen keys ("RepZoneHrs" with a decimal point, booleans as 0/1).
void SaveDynamicSettings(IniFile& ini, const std::string& section, const TDynRepUserData& settings);

// The start of the period, at 0:00:00: BaseDate when UseCurrentDateAsBase is false;
// otherwise `today` moved back to the start of its month, quarter or year (DoGoTo) and
// then, with DoGoTo and DoAdjust, shifted by AdjustAmount months, quarters or years.
DateTimeRec PeriodStart(const TDynRepUserData& settings, const DateTimeRec& today);
// The same with today's local date from the system clock.
DateTimeRec PeriodStart(const TDynRepUserData& settings);
// Today's local date from the system clock, at 0:00:00.
DateTimeRec TodayLocal();

// A period's length as the command line writes it: 1 to 99999 followed by "y" (years),
// "m" (months), "d" (days) or "h" (hours), as in "1y" or "18m"; nullopt for anything else.
struct PeriodLength {
  std::int32_t Duration = 1;
  std::uint8_t DurationUnit = DurationYears;
};
std::optional<PeriodLength> ParsePeriodLength(std::string_view text);

// The end of a period that starts at `start`: Duration added to the field DurationUnit
// names, seconds carried into minutes, minutes into hours and hours into days. When the
// day changed, the date is the calendar date that many days after the start (days roll
// into months and years); otherwise months beyond 12 (or below 1) roll into the year and
// the day number is kept even where the month is shorter (31 January + 1 month is "31
// February", whose Julian day falls on 3 March). Throws EDateRangeError when the year
// leaves the 16-bit range.
DateTimeRec PeriodEnd(const TDynRepUserData& settings, const DateTimeRec& start);

// Julian day (UT) of a local period date in the reference zone: DateRecToJD in the
// date's own calendar plus RepZoneHrs / 24.
double PeriodMomentUT(const TDynRepUserData& settings, const DateTimeRec& date);

// The bounds in UT of the period that starts at `start`.
struct PeriodBounds {
  double startUT = 0.0;
  double endUT = 0.0;
};
PeriodBounds PeriodBoundsOf(const TDynRepUserData& settings, const DateTimeRec& start);

// The settings of the extended search: with DurationUnit years or months, the start year
// lowered by one and the duration raised by 2 years or 24 months, so that the search
// covers a year more on each side of `start`; other units are returned unchanged. The
// start is given (and returned) in `start`.
TDynRepUserData ExtendedPeriod(const TDynRepUserData& settings, DateTimeRec& start);

}  // namespace korvana
