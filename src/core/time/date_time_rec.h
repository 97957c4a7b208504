// DateTimeRec: the packed local date and clock time that chart files and dialogs carry,
// and its conversions to and from Julian days under the Julian and Gregorian calendars.
//
// Years are astronomical: 0 is 1 BC, -1 is 2 BC. A date is Gregorian from 15 October
// 1582 on; earlier dates are Julian. Julian days are doubles; the day starts at noon.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "core/util/records.h"

namespace korvana {

// Which calendar a date is written in. calAuto lets the date decide (IsGregorianDate).
enum TCalendar : std::uint8_t { calAuto = 0, calGregorian = 1, calJulian = 2 };

// Exactly 8 bytes when stored: Year (signed 16-bit), Month, Day, Hour, Minute, Second,
// Calendar (one byte each). Field names are those of the stored record.
struct DateTimeRec {
  std::int16_t Year = 1900;
  std::uint8_t Month = 1;
  std::uint8_t Day = 1;
  std::uint8_t Hour = 0;
  std::uint8_t Minute = 0;
  std::uint8_t Second = 0;
  TCalendar Calendar = calAuto;

  friend bool operator==(const DateTimeRec&, const DateTimeRec&) = default;
};

constexpr std::size_t DateTimeRecSize = 8;

// Reads/writes the 8-byte stored form (little-endian year). Reading throws ERecordError
// when fewer than 8 bytes remain; the fields are taken as stored, without validation.
DateTimeRec ReadDateTimeRec(ByteReader& reader);
void WriteDateTimeRec(ByteWriter& writer, const DateTimeRec& rec);

// Thrown when a conversion produces a date whose year does not fit the signed 16-bit
// Year field (or a field that does not fit its byte).
class EDateRangeError : public std::range_error {
 public:
  using std::range_error::range_error;
};

// True when Year + Month/100 + Day/10000 >= 1582.1015, i.e. from 15 October 1582 on.
// Compared exactly (as the integer Year*10000 + Month*100 + Day).
bool IsGregorianDate(const DateTimeRec& rec);
bool IsGregorianDate(int year, int month, int day);

// Julian day of the date and clock time, read in the Gregorian calendar when gregorian
// is true, else in the Julian one. Callers pass IsGregorianDate(rec) unless they convert
// between calendars. Days past the end of a month roll over into the next month.
double DateRecToJD(const DateTimeRec& rec, bool gregorian);

// Date and clock time of a Julian day. A tenth of a second is added before the split so
// that a moment just short of a whole second is shown as that second; the parts are then
// truncated. mode calGregorian / calJulian forces the calendar; calAuto uses the Julian
// calendar before JD 2299160.5 (15 October 1582) and the Gregorian one from then on.
// The result's Calendar is mode. Throws EDateRangeError when the year leaves the 16-bit
// range or jd is not a finite number.
DateTimeRec JDToDateRec(TCalendar mode, double jd);

// direction calGregorian: rec is read as a Gregorian date and the same day is returned
// in the Julian calendar; direction calJulian: read as Julian, returned as Gregorian.
// Any other direction returns rec unchanged.
DateTimeRec ConvertCalendar(const DateTimeRec& rec, TCalendar direction);

// Julian day of a date whose day carries the fraction of the day. The Gregorian
// correction is applied when the date lies in the Gregorian era; otherCalendar reverses
// that test (a Julian-calendar date after 1582 or a Gregorian one before).
double DateToJDMixed(int month, int year, double dayWithFraction, bool otherCalendar);

}  // namespace korvana
