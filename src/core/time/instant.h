// Dates as text, and the two moment classes: TInstant (a moment on the Ephemeris Time
// and Universal Time scales, with delta T, centuries since the standard epochs and the
// obliquity) and TLocalInstant (a TInstant that also knows its zone and its local date).
//
// Delta T and the true obliquity come from the Swiss Ephemeris by default; with
// UseEphemerisLibrary off they come from the program's own table and formulas.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/time/date_time_rec.h"
#include "core/time/spherical_astronomy.h"
#include "core/time/time_zone.h"

namespace korvana {

struct TDTDisplayOptionsTime {
  bool Use24Hour = true;
  std::string AmText = "am";
  std::string PmText = "pm";
  bool ShowSeconds = true;
  bool Reserved = false;
};

// Date and time display options. The defaults are the program's initial values with
// day-first dates and the 24-hour clock; SystemDisplayOptions() derives the two
// locale-dependent choices from the user's locale.
struct TDTDisplayOptions {
  TDTDisplayOptionsTime Time;
  bool MonthFirst = false;
  bool SystemMonthNames = false;  // the locale's short month names instead of "Jan".."Dec"
  std::int32_t MarkFromYear = 1500;  // dates in these years (inclusive) get " NS"/" OS"
  std::int32_t MarkToYear = 1800;
  bool ConvertToRequested = true;
  bool Reserved = false;
  std::int32_t CenturyBase = 1900;
  std::int32_t CenturyPivot = 95;
};

// The initial options for this user: MonthFirst when the locale's short date format
// begins with the month, Use24Hour unless the locale's time format shows a morning or
// afternoon designator.
TDTDisplayOptions SystemDisplayOptions();

// A date to be shown as text.
class TADate {
 public:
  explicit TADate(const DateTimeRec& rec, const TDTDisplayOptions& options = {})
      : rec_(rec), options_(options) {}

  // "4 Jul 1776 NS", "15 Oct 1582 NS", "1 Jan 0044 BC": day and month (or month first),
  // then with the year its four digits, the era mark and the calendar mark. A date whose
  // Calendar asks for the other calendar than its era uses is converted first and marked
  // " OS" / " NS". Throws EDateRangeError when the conversion leaves the year range.
  std::string Text(bool withYear) const;
  std::string FullText() const { return Text(true); }

 private:
  DateTimeRec rec_;
  TDTDisplayOptions options_;
};

// A clock time to be shown as text: hour without leading zero, two-digit minutes,
// seconds when ShowSeconds; the 12-hour clock adds " " and AmText / PmText.
class TATime {
 public:
  explicit TATime(const DateTimeRec& rec, const TDTDisplayOptions& options = {})
      : rec_(rec), options_(options) {}
  std::string Text() const;

 private:
  DateTimeRec rec_;
  TDTDisplayOptions options_;
};

// Delta T in days for T Julian centuries from J2000, from the Swiss Ephemeris or from
// the program's own table (1620..2018, every second year) and formulas.
double DeltaTDays(double t2000, bool useEphemerisLibrary);
// The program's own delta T in seconds for T centuries from J2000.
double DeltaTBuiltInSeconds(double t2000);

class TInstant {
 public:
  double JDEphem = 0;
  double JDUT = 0;
  double T1900 = 0;  // (JDEphem - 2415020) / 36525
  double T2000 = 0;  // (JDEphem - 2451545) / 36525
  double T2000Millennia = 0;
  DateTimeRec UTDate;
  double DeltaT = 0;  // JDEphem - JDUT in days
  bool UseEphemerisLibrary = true;

  virtual ~TInstant() = default;

  double DeltaTDays(double t2000) const { return korvana::DeltaTDays(t2000, UseEphemerisLibrary); }

  // From an Ephemeris Time moment.
  void SetEphemeris(double jd);
  // From a Universal Time moment.
  void SetUT(double jd);
  // Keeps JDUT and takes deltaT (days) as the difference to Ephemeris Time: JDEphem and
  // the centuries follow. For a calculation that knows the delta T its positions used.
  void SetDeltaT(double deltaT);

  // The true obliquity of the ecliptic in degrees.
  double TrueObliquity() const;
  // Nutation in longitude and obliquity (degrees) from the main terms, for T2000.
  NutationValues Nutation() const;
  // Precession in longitude since 1900 with the sign reversed plus the two main nutation
  // terms, in degrees; what the sidereal zodiacs add to their 1900 position.
  double ZodiacDrift() const;

 private:
  void SetFromEphemeris();
};

class TLocalInstant : public TInstant {
 public:
  explicit TLocalInstant(const TDTDisplayOptions& options = {}) : DisplayOptions(options) {}

  TATimeZone Zone;
  float ZoneHours = 0;  // hours to add to local time to get UT (positive west)
  std::string ZoneName = "UT";
  std::string ZoneAbbrev = "UT";
  std::uint8_t ZoneType = ZoneUniversal;
  double LocalJD = 0;
  DateTimeRec LocalDate;
  TDTDisplayOptions DisplayOptions;
  bool RaiseOnError = true;
  std::string LastError;

  // SetUT(jd), then LocalJD = jd - ZoneHours / 24 and LocalDate from LocalJD.
  void SetUTLocal(double jd);
  // A local date and clock time in a zone: how every chart moment enters the
  // calculation. Days past the end of a month roll over; the record's Calendar choice
  // is kept in LocalDate for display.
  void SetLocal(const DateTimeRec& rec, const std::string& zoneAbbrev, std::uint8_t zoneType,
                float zoneHours);
  // As SetLocal from a local Julian day.
  void SetLocalJD(float zoneHours, double localJD);

  // unit 0 years, 1 months (through the local date; the day is kept and rolls over
  // where the month is shorter), 2 days, 3 hours, 4 minutes, 5 seconds (through UT).
  // The zone stays. Throws EDateRangeError when the year leaves its range.
  void Add(int unit, std::int16_t amount);
  void AddYears(std::int16_t n) { Add(0, n); }
  void AddMonths(std::int16_t n) { Add(1, n); }
  void AddDays(std::int16_t n) { Add(2, n); }
  void AddHours(std::int16_t n) { Add(3, n); }

  // TADate::FullText of LocalDate with DisplayOptions. A failure is kept in LastError
  // and raised again only when RaiseOnError is set (otherwise "" is returned).
  std::string DateText();
};

}  // namespace korvana
