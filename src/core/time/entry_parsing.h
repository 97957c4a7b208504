// Parsing and formatting of everything the user types: dates, clock times, zones,
// latitudes and longitudes, zodiacal angles.
//
// Each parser returns a result whose `error` flag is set when the text cannot be read;
// the outputs then keep their defaults and `message` holds the fixed text for that kind
// of entry. When a Messages sink is passed the message is also shown through it (as an
// error); pass nullptr to parse silently. Texts are UTF-8.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/time/date_time_rec.h"
#include "core/time/time_zone.h"

namespace korvana {

class Messages;

// The fixed messages of the parsers.
extern const char* const DateFormatMessage;
extern const char* const DateInvalidMessage;
extern const char* const TimeFormatMessage;
extern const char* const ZoneFormatMessage;
extern const char* const LatLongFormatMessage;
extern const char* const AngleFormatMessage;

// Two-digit years are read with this pivot: 30..99 are 1930..1999, 00..29 2000..2029.
constexpr int DefaultPivotYear = 1930;

// Month abbreviations the program writes ("Jan" .. "Dec").
extern const std::array<const char*, 12> MonthAbbrevs;
// Month names that typed entries are matched against ("JANUARY" .. "DECEMBER").
extern const std::array<const char*, 12> MonthNamesUpper;
// Sign names ("Aries" .. "Pisces") and their two-letter abbreviations ("Ar" .. "Pi").
extern const std::array<const char*, 12> SignNames;
extern const std::array<const char*, 12> SignAbbrevs;

struct DateEntry {
  bool error = false;
  std::string message;
  bool gregorian = true;  // the calendar in which year/month/day are written
  int year = 1900;        // astronomical year (0 = 1 BC)
  int month = 1;
  int day = 1;
};

// Reads a date such as "15 Dec 2016", "Dec 15 16", "12/15/16", "15DEC2016", "4 Jul 1776
// OS", "15 Mar 44 BC". monthFirst decides which of two numbers is the month; two-digit
// years are placed with pivotYear. A date marked with the calendar its era does not use
// is returned converted into the calendar of its era. Errors: DateFormatMessage for
// unreadable text, DateInvalidMessage for a day that does not exist.
DateEntry ParseDate(std::string_view text, Messages* showErrors, bool monthFirst,
                    int pivotYear = DefaultPivotYear);

struct TimeEntry {
  bool error = false;
  std::string message;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Reads a clock time: up to three numbers, "AM"/"PM" forms, "NOON", "MIDDAY",
// "MIDNIGHT". Error: TimeFormatMessage.
TimeEntry ParseTime(std::string_view text, Messages* showErrors);

// A birth time that may not be known: "unknown" (any letter case; the chart is cast for
// noon) or "unknown TIME" (cast for TIME), else a time as ParseTime reads it. Errors as
// ParseTime's.
inline constexpr std::string_view UnknownTimeWord = "unknown";
struct BirthTimeEntry {
  TimeEntry time;
  bool unknown = false;
};
BirthTimeEntry ParseBirthTime(std::string_view text, Messages* showErrors);

// The local moment a read date and clock time stand for (the calendar left to the date).
DateTimeRec MomentOf(const DateEntry& date, const TimeEntry& time);

struct ZoneEntry {
  bool error = false;
  std::string message;
  float hours = 0;     // zone hours, positive west
  std::string abbrev;  // empty for a numeric zone
};

// Reads a zone: a number of hours ("-9:30", "+5"), "LMT" with hours, or a mnemonic that
// is looked up in the zone list (its stored hours are taken) or, when not listed, gets
// the hours of the numbers that follow it. Hours run 0-23, minutes and seconds 0-59.
// Error: ZoneFormatMessage.
ZoneEntry ParseZone(std::string_view text, Messages* showErrors, const ZoneList& zones);

struct CoordinateEntry {
  bool error = false;
  std::string message;
  double degrees = 0;  // north and west positive
};

// Reads a latitude ("34N23", "23 S 55") or longitude ("117W59"). The value carries
// 0.00001 degree more than the degrees, minutes and seconds typed, so that it formats
// back to the same text. Error: LatLongFormatMessage.
CoordinateEntry ParseLatLong(std::string_view text, bool isLongitude, Messages* showErrors);

struct AngleEntry {
  bool error = false;
  std::string message;
  double degrees = 0;  // zodiacal longitude
};

// Reads a zodiacal angle: "16Ar25", "27 PISCES", "10 11'59\"" (plain degrees, minutes,
// seconds). With a sign the degrees must be below 30, without one below 360; minutes and
// seconds below 60. Error: AngleFormatMessage.
AngleEntry ParseAngle(std::string_view text, Messages* showErrors);

// "15 Dec 2016" (or "Dec 15 2016" with monthFirst); the year with four digits, years
// <= 0 as 1 - year and " BC". monthNames replaces "Jan".."Dec" (a report language);
// dotAfterDay writes "15." (the third report language).
std::string FormatDate(bool monthFirst, int day, int month, int year,
                       const std::array<std::string, 12>* monthNames = nullptr,
                       bool dotAfterDay = false);

// "15:45", "15:45:17"; with twelveHour "3:45 pm", "0:15 am", "12:00 pm".
std::string FormatTime(bool twelveHour, int hour, int minute, int second);

// "+10:00", "-5:30", "+0:00", "-9:30:15".
std::string FormatZoneHours(double hours);

// Latitude "33°S52'", longitude "151°E12'30\"" (seconds only when above 0).
std::string FormatLatLong(bool isLongitude, double degrees);

// How a zodiac sign is written by FormatZodiacal.
struct SignTexts {
  // Glyph mode: the sign's glyph as a character (Unicode astrological symbol).
  bool glyphs = false;
  // The two-letter abbreviations to use (a report language); null for "Ar" .. "Pi".
  const std::array<std::string, 12>* abbrevs = nullptr;
};

// The glyph code of a sign (1..12) in the program's glyph font: Aries 220, Taurus 221,
// Gemini to Pisces 130..139.
int SignGlyphCode(int sign);

// A zodiacal longitude: with symbols "16°Ar25'" (and "30\"" seconds), without symbols
// "16Ar25" (and " 30"). degreeDigits (1..3) zero-fills the degrees. Seconds appear with
// alwaysSeconds, never with noSeconds, otherwise when not zero. "?" on failure.
std::string FormatZodiacal(int degreeDigits, const SignTexts& sign, bool symbols,
                           bool alwaysSeconds, bool noSeconds, double longitude);

// An angle without sign: with symbols "10°11'" (and "59\""), without "1011" (and " 59");
// negative values get "-" in front. "?" on failure.
std::string FormatAngle(int degreeDigits, bool symbols, bool alwaysSeconds, bool noSeconds,
                        double value);

struct DMS {
  int degrees = 0;
  int minutes = 0;
  int seconds = 0;
};

// The integer degrees, minutes and seconds of x + 0.00001 (x >= 0).
DMS SplitDMS(double x);

// "st", "nd", "rd", "th": "th" for 4..20, else by the last digit.
std::string OrdinalSuffix(int n);

// The kinds of edit fields that NormaliseField handles.
enum class FieldKind { Date = 0, Time = 1, Zone = 2, Latitude = 3, Longitude = 4 };

// The display settings the parsers and formatters of edit fields depend on.
struct EntryOptions {
  bool monthFirst = false;
  bool twelveHour = false;
  int pivotYear = DefaultPivotYear;
  const ZoneList* zones = nullptr;  // the zone list for mnemonics (none: no mnemonics)
};

struct NormalisedField {
  bool error = false;
  std::string text;  // the canonical text on success, the message on error
};

// What an edit field does when it loses the focus: the text is parsed (the message shown
// through showErrors when it is given) and, when it parses, replaced by its canonical
// form. The zone's form is the abbreviation, a blank and FormatZoneHours, trimmed on
// the left.
NormalisedField NormaliseField(std::string_view text, FieldKind kind, const EntryOptions& options,
                               Messages* showErrors);

// Keeps only blanks, digits and capital letters A-Z.
std::string KeepBlanksDigitsCapitals(std::string_view text);

// The text cut to at most maxLength bytes, never inside a UTF-8 character.
std::string LimitText(std::string_view text, std::size_t maxLength);

// Splits at each delimiter into at most maxParts parts; the last part keeps the rest.
std::vector<std::string> SplitBounded(std::string_view text, char delimiter, std::size_t maxParts);

}  // namespace korvana
