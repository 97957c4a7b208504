#include "core/time/date_time_rec.h"

#include <cmath>
#include <limits>

namespace korvana {

DateTimeRec ReadDateTimeRec(ByteReader& reader) {
  DateTimeRec rec;
  rec.Year = reader.I16();
  rec.Month = reader.U8();
  rec.Day = reader.U8();
  rec.Hour = reader.U8();
  rec.Minute = reader.U8();
  rec.Second = reader.U8();
  rec.Calendar = static_cast<TCalendar>(reader.U8());
  return rec;
}

void WriteDateTimeRec(ByteWriter& writer, const DateTimeRec& rec) {
  writer.I16(rec.Year);
  writer.U8(rec.Month);
  writer.U8(rec.Day);
  writer.U8(rec.Hour);
  writer.U8(rec.Minute);
  writer.U8(rec.Second);
  writer.U8(static_cast<std::uint8_t>(rec.Calendar));
}

bool IsGregorianDate(int year, int month, int day) {
  // Year + Month/100 + Day/10000 >= 1582.1015, without the rounding of decimal fractions.
  return static_cast<long long>(year) * 10000 + month * 100 + day >= 15821015LL;
}

bool IsGregorianDate(const DateTimeRec& rec) {
  return IsGregorianDate(rec.Year, rec.Month, rec.Day);
}

namespace {

// The common part of every date-to-Julian-day formula: day carries its fraction.
double JDFromParts(int year, int month, double day, bool gregorian) {
  double y = year;
  double m = month;
  if (month < 3) {
    y -= 1;
    m += 12;
  }
  double jd = std::floor(365.25 * y) + std::trunc(30.6001 * (m + 1)) + day + 1720994.5;
  if (gregorian) {
    double a = std::floor(y / 100);
    jd += 2 - a + std::floor(a / 4);
  }
  return jd;
}

}  // namespace

double DateRecToJD(const DateTimeRec& rec, bool gregorian) {
  double hours = rec.Hour + rec.Minute / 60.0 + rec.Second / 3600.0;
  return JDFromParts(rec.Year, rec.Month, rec.Day + hours / 24, gregorian);
}

DateTimeRec JDToDateRec(TCalendar mode, double jd) {
  if (!std::isfinite(jd)) throw EDateRangeError("Julian day is not a number");
  double shifted = jd + 0.5 + 1.0 / 864000;
  double z = std::floor(shifted);
  double f = shifted - z;
  double a = z;
  if (mode == calGregorian || (mode == calAuto && z >= 2299161)) {
    double alpha = std::floor((z - 1867216.25) / 36524.25);
    a = z + 1 + alpha - std::floor(alpha / 4);
  }
  double b = a + 1524;
  double c = std::floor((b - 122.1) / 365.25);
  double d = std::floor(365.25 * c);
  double e = std::floor((b - d) / 30.6001);
  double day = b - d - std::floor(30.6001 * e) + f;
  double month = e <= 13 ? e - 1 : e - 13;
  double year = month < 3 ? c - 4715 : c - 4716;
  if (year < std::numeric_limits<std::int16_t>::min() ||
      year > std::numeric_limits<std::int16_t>::max())
    throw EDateRangeError("Date out of range: the year does not fit the date record");

  DateTimeRec rec;
  rec.Year = static_cast<std::int16_t>(year);
  rec.Month = static_cast<std::uint8_t>(month);
  double whole = std::trunc(day);
  rec.Day = static_cast<std::uint8_t>(whole);
  double rest = (day - whole) * 24;
  whole = std::trunc(rest);
  rec.Hour = static_cast<std::uint8_t>(whole);
  rest = (rest - whole) * 60;
  whole = std::trunc(rest);
  rec.Minute = static_cast<std::uint8_t>(whole);
  rest = (rest - whole) * 60;
  rec.Second = static_cast<std::uint8_t>(std::trunc(rest));
  rec.Calendar = mode;
  return rec;
}

DateTimeRec ConvertCalendar(const DateTimeRec& rec, TCalendar direction) {
  if (direction == calGregorian) return JDToDateRec(calJulian, DateRecToJD(rec, true));
  if (direction == calJulian) return JDToDateRec(calGregorian, DateRecToJD(rec, false));
  return rec;
}

double DateToJDMixed(int month, int year, double dayWithFraction, bool otherCalendar) {
  bool gregorianEra =
      static_cast<double>(year) * 10000 + month * 100.0 + dayWithFraction >= 15821015.0;
  return JDFromParts(year, month, dayWithFraction, gregorianEra != otherCalendar);
}

}  // namespace korvana
