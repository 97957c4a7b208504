#include "core/time/entry_parsing.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

#include "core/time/date_time_rec.h"
#include "core/time/angle_math.h"
#include "core/util/codepage.h"
#include "core/util/messages.h"
#include "core/util/text.h"

namespace korvana {

const char* const DateFormatMessage =
    "The format of the date is not recognised.\r\n\r\nEnter a day number (1 to 31), a month "
    "number (1 to 12) or abbreviation, and a year number.\r\neg. \"15 Dec 2016\", \"Dec 15 "
    "16\", \"12/15/16\" etc...";
const char* const DateInvalidMessage = "This date is not a valid calendar date.";
const char* const TimeFormatMessage =
    "The format of the time is not recognised.\r\nEnter an hours number (0 to 23), a minutes "
    "number (0 to 59) and optionally a seconds number (0 to 59).\r\nIf you are NOT using the "
    "24 hour clock, you can also enter \"AM\", \"PM\", \"am\", \"pm\", \"A\", \"P\", \"a\" or "
    "\"p\".\r\neg. \"12 15 PM\", \"15:45:17\", \"7 AM\", \"6 35p\" etc...";
const char* const ZoneFormatMessage =
    "The format of the timezone is not recognised.\r\n\r\nEnter a valid mnemonic or an hours "
    "number (+/-), and optionally a minutes number and a seconds number\r\neg. \"LMT\", "
    "\"EST\", \"-9:30\" etc...";
const char* const LatLongFormatMessage =
    "The format of the latitude or longitude is not recognised.\r\n\r\nEnter a degrees "
    "number, a hemisphere indicator (N, S, E, W) and optionally a minutes number and a "
    "seconds number\r\neg. \"34N23\", \"117W59\", \"23 S 55\" etc...";
const char* const AngleFormatMessage =
    "The format of the angle is not recognised.\r\n\r\nExamples of valid angles are 10 "
    "11'59\"; 16Ar25; 27 PISCES; etc... Please re-enter the angle.";

const std::array<const char*, 12> MonthAbbrevs = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const std::array<const char*, 12> MonthNamesUpper = {
    "JANUARY", "FEBRUARY", "MARCH",     "APRIL",   "MAY",      "JUNE",
    "JULY",    "AUGUST",   "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};
const std::array<const char*, 12> SignNames = {"Aries", "Taurus",  "Gemini",      "Cancer",
                                               "Leo",   "Virgo",   "Libra",       "Scorpio",
                                               "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
const std::array<const char*, 12> SignAbbrevs = {"Ar", "Ta", "Ge", "Cn", "Le", "Vi",
                                                 "Li", "Sc", "Sg", "Cp", "Aq", "Pi"};

namespace {

const char* const DegreeSign = "\xC2\xB0";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Replaces every character of `chars` by a blank.
void Blank(std::string& s, std::string_view chars) {
  for (char& c : s)
    if (chars.find(c) != std::string_view::npos) c = ' ';
}

// Replaces every occurrence of `what` by a blank; true when there was one.
bool BlankOut(std::string& s, std::string_view what) {
  bool found = false;
  for (std::size_t pos = s.find(what); pos != std::string::npos; pos = s.find(what, pos)) {
    s.replace(pos, what.size(), " ");
    found = true;
  }
  return found;
}

// Removes a token that starts with a blank, where it is not followed by a letter.
bool RemoveToken(std::string& s, std::string_view token) {
  bool found = false;
  std::size_t pos = 0;
  while ((pos = s.find(token, pos)) != std::string::npos) {
    std::size_t end = pos + token.size();
    bool letterEnd = IsLetter(token.back());
    if (letterEnd && end < s.size() && IsLetter(s[end])) {
      pos += 1;
      continue;
    }
    s.replace(pos, token.size(), " ");
    found = true;
  }
  return found;
}

std::vector<std::string> Words(std::string_view s) {
  std::vector<std::string> words;
  std::string current;
  for (char c : s) {
    if (c == ' ' || c == '\t') {
      if (!current.empty()) words.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) words.push_back(std::move(current));
  return words;
}

// A word of decimal digits only (at most nine of them).
std::optional<int> Digits(std::string_view w) {
  if (w.empty() || w.size() > 9) return std::nullopt;
  int v = 0;
  for (char c : w) {
    if (!IsDigit(c)) return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

bool HasNonDigit(std::string_view w) {
  for (char c : w)
    if (!IsDigit(c)) return true;
  return false;
}

std::string Prepare(std::string_view text) { return ToUpperAscii(Trim(text)); }

template <typename R>
R Fail(const R&, const char* message, Messages* showErrors) {
  R fresh;
  fresh.error = true;
  fresh.message = message;
  if (showErrors) showErrors->Error(message);
  return fresh;
}

std::string Pad(int value, int width) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  return buf;
}

}  // namespace

DateEntry ParseDate(std::string_view text, Messages* showErrors, bool monthFirst, int pivotYear) {
  DateEntry result;
  auto formatError = [&] { return Fail(result, DateFormatMessage, showErrors); };
  auto invalid = [&] { return Fail(result, DateInvalidMessage, showErrors); };

  std::string raw = Prepare(text);
  if (raw.empty()) return formatError();

  // A blank between a number character and any other character: 15DEC2016 -> 15 DEC 2016.
  const std::string_view numberChars = "+-0123456789";
  std::string s;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (i > 0) {
      bool a = numberChars.find(raw[i - 1]) != std::string_view::npos;
      bool b = numberChars.find(raw[i]) != std::string_view::npos;
      if (a != b) s += ' ';
    }
    s += raw[i];
  }

  for (std::string_view t : {" ST", " ND", " RD", " TH", " AD", " CE", " A.D.", " C.E."})
    RemoveToken(s, t);
  bool gregorianRequested = false;
  bool julianRequested = false;
  bool bc = false;
  for (std::string_view t : {" NS", " N.S."})
    if (RemoveToken(s, t)) gregorianRequested = true;
  for (std::string_view t : {" OS", " O.S."})
    if (RemoveToken(s, t)) julianRequested = true;
  for (std::string_view t : {" BCE", " BC", " B.C.E.", " B.C."})
    if (RemoveToken(s, t)) bc = true;

  Blank(s, "./\\,;'\"");
  std::vector<std::string> words = Words(s);
  if (!words.empty() && words.back() == "B") {
    bc = true;
    words.pop_back();
  }
  if (words.size() != 3) return formatError();

  std::string monthWord, dayWord;
  if (HasNonDigit(words[0])) {
    monthWord = words[0];
    dayWord = words[1];
  } else if (HasNonDigit(words[1])) {
    monthWord = words[1];
    dayWord = words[0];
  } else if (monthFirst) {
    monthWord = words[0];
    dayWord = words[1];
  } else {
    monthWord = words[1];
    dayWord = words[0];
  }

  std::optional<int> day = Digits(dayWord);
  std::optional<int> month;
  if (!HasNonDigit(monthWord)) {
    month = Digits(monthWord);
    if (month && day && *month > 12) std::swap(*month, *day);
  } else {
    for (int i = 0; i < 12; ++i) {
      std::string_view name = MonthNamesUpper[i];
      if (monthWord.size() <= name.size() && name.substr(0, monthWord.size()) == monthWord) {
        month = i + 1;
        break;
      }
    }
  }
  if (!day || !month) return formatError();

  // The year: an optional sign and digits.
  std::string_view yearWord = words[2];
  bool negative = false;
  if (!yearWord.empty() && (yearWord[0] == '-' || yearWord[0] == '+')) {
    negative = yearWord[0] == '-';
    yearWord.remove_prefix(1);
  }
  std::optional<int> yearDigits = Digits(yearWord);
  if (!yearDigits) return formatError();
  long long year = negative ? -static_cast<long long>(*yearDigits) : *yearDigits;
  if (bc) {
    if (negative || year == 0) return invalid();
    year = 1 - year;
  } else if (!negative && yearWord.size() <= 2 && year < 100) {
    int base = pivotYear / 100 * 100;
    year = year >= pivotYear % 100 ? base + year : base + 100 + year;
  }

  if (*month < 1 || *month > 12 || *day < 1 || *day > 31 || year < -32768 || year > 32767)
    return invalid();

  DateTimeRec entered;
  entered.Year = static_cast<std::int16_t>(year);
  entered.Month = static_cast<std::uint8_t>(*month);
  entered.Day = static_cast<std::uint8_t>(*day);
  bool eraGregorian = IsGregorianDate(entered);
  bool readGregorian = gregorianRequested || (eraGregorian && !julianRequested);
  bool markedOther = readGregorian != eraGregorian;
  DateTimeRec out = entered;
  try {
    double jd = DateRecToJD(entered, readGregorian);
    // The day must exist in the calendar it is read in (this also keeps 5..14 October
    // 1582, which exist only as Julian dates, as entered).
    DateTimeRec back = JDToDateRec(readGregorian ? calGregorian : calJulian, jd);
    back.Calendar = calAuto;
    if (back != entered) return invalid();
    if (markedOther) {
      out = JDToDateRec(calAuto, jd);
      readGregorian = jd + 0.5 >= 2299161;
    }
  } catch (const EDateRangeError&) {
    return invalid();
  }
  result.gregorian = readGregorian;
  result.year = out.Year;
  result.month = out.Month;
  result.day = out.Day;
  return result;
}

DateTimeRec MomentOf(const DateEntry& date, const TimeEntry& time) {
  DateTimeRec moment;
  moment.Year = static_cast<std::int16_t>(date.year);
  moment.Month = static_cast<std::uint8_t>(date.month);
  moment.Day = static_cast<std::uint8_t>(date.day);
  moment.Hour = static_cast<std::uint8_t>(time.hour);
  moment.Minute = static_cast<std::uint8_t>(time.minute);
  moment.Second = static_cast<std::uint8_t>(time.second);
  return moment;
}

TimeEntry ParseTime(std::string_view text, Messages* showErrors) {
  TimeEntry result;
  auto formatError = [&] { return Fail(result, TimeFormatMessage, showErrors); };
  std::string s = Prepare(text);
  if (s.empty()) return formatError();
  if (s == "NOON" || s == "MIDDAY") s = "12";
  if (s == "MIDNIGHT") s = "0";

  enum { None, Morning, Afternoon } half = None;
  struct Mark { const char* text; bool pm; };
  for (Mark m : {Mark{"AM", false}, {"PM", true}, {"A.M.", false}, {"P.M.", true},
                 {"A.M", false}, {"P.M", true}, {"A", false}, {"P", true}}) {
    if (BlankOut(s, m.text)) half = m.pm ? Afternoon : Morning;
  }
  Blank(s, ":./\\,;'\"-");
  std::vector<std::string> words = Words(s);
  if (words.empty() || words.size() > 3) return formatError();
  int values[3] = {0, 0, 0};
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::optional<int> v = Digits(words[i]);
    if (!v) return formatError();
    values[i] = *v;
  }
  int hour = values[0];
  if (half == Afternoon && hour < 12) hour += 12;
  if (half == Morning && hour == 12) hour = 0;
  if (hour > 23 || values[1] > 59 || values[2] > 59) return formatError();
  result.hour = hour;
  result.minute = values[1];
  result.second = values[2];
  return result;
}

ZoneEntry ParseZone(std::string_view text, Messages* showErrors, const ZoneList& zones) {
  ZoneEntry result;
  auto formatError = [&] { return Fail(result, ZoneFormatMessage, showErrors); };
  std::string s = Prepare(text);
  Blank(s, ":./\\,;'\"");
  std::vector<std::string> words = Words(s);
  if (words.empty() || words.size() > 5) return formatError();

  const std::string& first = words[0];
  bool numeric = false;
  for (std::size_t i = 0; i < first.size() && i < 3; ++i)
    if (first[i] == '+' || first[i] == '-' || IsDigit(first[i])) numeric = true;
  if (s.rfind("BZ2D", 0) == 0) numeric = false;

  std::size_t numbersFrom = 0;
  std::string abbrev;
  if (!numeric) {
    abbrev = first;
    numbersFrom = 1;
    if (first != "LMT") {
      if (const ZoneListEntry* z = zones.Find(first)) {
        // The stored hours win; numbers after the mnemonic (the "ACST -9:30" form the
        // program writes back into a zone field) are accepted when they read as numbers.
        if (words.size() > 4) return formatError();
        for (std::size_t i = 1; i < words.size(); ++i) {
          std::string w = words[i];
          if (i == 1) {
            std::erase(w, '-');
            std::erase(w, '+');
          }
          if (!Digits(w)) return formatError();
        }
        result.abbrev = z->abbrev;
        result.hours = static_cast<float>(z->hours);
        return result;
      }
    }
  }
  if (words.size() - numbersFrom > 3) return formatError();
  double parts[3] = {0, 0, 0};
  bool negative = false;
  for (std::size_t i = numbersFrom; i < words.size(); ++i) {
    std::string w = words[i];
    if (i == numbersFrom) {
      negative = w.find('-') != std::string::npos;
      std::erase(w, '-');
      std::erase(w, '+');
    }
    std::optional<int> v = Digits(w);
    if (!v) return formatError();
    parts[i - numbersFrom] = *v;
  }
  // A zone lies within a day of Universal Time, as a clock reads it: hours 0-23, minutes
  // and seconds 0-59 (no "+25:61" carried into "+26:01", no 99 hours).
  if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return formatError();
  double hours = parts[0] + parts[1] / 60 + parts[2] / 3600;
  result.hours = static_cast<float>(negative ? -hours : hours);
  result.abbrev = abbrev;
  return result;
}

CoordinateEntry ParseLatLong(std::string_view text, bool isLongitude, Messages* showErrors) {
  CoordinateEntry result;
  auto formatError = [&] { return Fail(result, LatLongFormatMessage, showErrors); };
  std::string s = Prepare(text);
  char hemisphere = 0;
  for (char letter : {'N', 'W', 'S', 'E'})
    if (BlankOut(s, std::string(1, letter))) hemisphere = letter;
  bool ok = isLongitude ? (hemisphere == 'W' || hemisphere == 'E')
                        : (hemisphere == 'N' || hemisphere == 'S');
  if (!ok) return formatError();
  BlankOut(s, DegreeSign);
  Blank(s, ":./\\,;'\"-\xB0");
  std::vector<std::string> words = Words(s);
  if (words.empty() || words.size() > 3) return formatError();
  int parts[3] = {0, 0, 0};
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::optional<int> v = Digits(words[i]);
    if (!v) return formatError();
    parts[i] = *v;
  }
  double limit = isLongitude ? 180 : 90;
  double value = parts[0] + parts[1] / 60.0 + parts[2] / 3600.0 + 0.00001;
  if (parts[0] >= limit || parts[1] >= 60 || parts[2] >= 60 || value > limit)
    return formatError();
  result.degrees = (hemisphere == 'S' || hemisphere == 'E') ? -value : value;
  return result;
}

AngleEntry ParseAngle(std::string_view text, Messages* showErrors) {
  AngleEntry result;
  auto formatError = [&] { return Fail(result, AngleFormatMessage, showErrors); };
  std::string raw = Prepare(text);
  BlankOut(raw, DegreeSign);
  // Letters and the rest are separate words: 16AR25 -> 16 AR 25.
  std::string s;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (i > 0 && IsLetter(raw[i - 1]) != IsLetter(raw[i])) s += ' ';
    s += raw[i];
  }
  Blank(s, ":./\\,;'\"-\xB0");
  int sign = 0;
  std::vector<int> numbers;
  for (const std::string& w : Words(s)) {
    if (IsLetter(w[0])) {
      if (sign != 0) return formatError();
      for (int i = 0; i < 12 && sign == 0; ++i)
        if (EqualsNoCase(w, SignNames[i]) || EqualsNoCase(w, SignAbbrevs[i])) sign = i + 1;
      if (sign == 0) return formatError();
    } else {
      std::optional<int> v = Digits(w);
      if (!v) return formatError();
      numbers.push_back(*v);
    }
  }
  if (numbers.empty() || numbers.size() > 3) return formatError();
  numbers.resize(3, 0);
  int degreeLimit = sign ? 30 : 360;
  if (numbers[0] >= degreeLimit || numbers[1] >= 60 || numbers[2] >= 60) return formatError();
  result.degrees = (sign ? (sign - 1) * 30 : 0) + numbers[0] + numbers[1] / 60.0 +
                   numbers[2] / 3600.0;
  return result;
}

std::string FormatDate(bool monthFirst, int day, int month, int year,
                       const std::array<std::string, 12>* monthNames, bool dotAfterDay) {
  std::string monthText = month >= 1 && month <= 12
                              ? (monthNames ? (*monthNames)[month - 1] : MonthAbbrevs[month - 1])
                              : std::to_string(month);
  std::string dayText = std::to_string(day) + (dotAfterDay ? "." : "");
  std::string yearText = year > 0 ? Pad(year, 4) : Pad(1 - year, 4) + " BC";
  return monthFirst ? monthText + " " + dayText + " " + yearText
                    : dayText + " " + monthText + " " + yearText;
}

std::string FormatTime(bool twelveHour, int hour, int minute, int second) {
  int shown = twelveHour && hour >= 13 ? hour - 12 : hour;
  std::string text = std::to_string(shown) + ":" + Pad(minute, 2);
  if (second > 0) text += ":" + Pad(second, 2);
  if (twelveHour) text += hour < 12 ? " am" : " pm";
  return text;
}

std::string FormatZoneHours(double hours) {
  double a = std::fabs(hours) + 0.00014;
  if (!std::isfinite(a) || a > 1e6) return "?";
  int h = static_cast<int>(a);
  double rest = (a - h) * 60;
  int m = static_cast<int>(rest);
  int s = static_cast<int>((rest - m) * 60);
  std::string text = std::string(hours >= 0 ? "+" : "-") + std::to_string(h) + ":" + Pad(m, 2);
  if (s != 0) text += ":" + Pad(s, 2);
  return text;
}

DMS SplitDMS(double x) {
  double a = x + 0.00001;
  DMS d;
  d.degrees = static_cast<int>(a);
  double rest = (a - d.degrees) * 60;
  d.minutes = static_cast<int>(rest);
  d.seconds = static_cast<int>((rest - d.minutes) * 60);
  return d;
}

std::string FormatLatLong(bool isLongitude, double degrees) {
  if (!std::isfinite(degrees) || std::fabs(degrees) > 1e6) return "?";
  DMS d = SplitDMS(std::fabs(degrees));
  char hemisphere = isLongitude ? (degrees >= 0 ? 'W' : 'E') : (degrees >= 0 ? 'N' : 'S');
  std::string text = Pad(d.degrees, isLongitude ? 3 : 2) + DegreeSign + hemisphere +
                     Pad(d.minutes, 2) + "'";
  if (d.seconds > 0) text += Pad(d.seconds, 2) + "\"";
  return text;
}

int SignGlyphCode(int sign) {
  if (sign == 1) return 220;
  if (sign == 2) return 221;
  return 130 + sign - 3;
}

namespace {

struct AngleParts {
  int sign = 0;  // 0..11
  int degrees = 0, minutes = 0, seconds = 0;
};

std::optional<AngleParts> SplitAngle(double value, bool bySign) {
  if (!std::isfinite(value)) return std::nullopt;
  double x = ModReal(360, std::fabs(value) + 0.00001);
  AngleParts p;
  if (bySign) {
    p.sign = static_cast<int>(x / 30);
    if (p.sign > 11) p.sign = 11;
    x -= 30.0 * p.sign;
  }
  p.degrees = static_cast<int>(x);
  double rest = (x - p.degrees) * 60;
  p.minutes = static_cast<int>(rest);
  p.seconds = static_cast<int>((rest - p.minutes) * 60);
  return p;
}

bool ShowSeconds(bool alwaysSeconds, bool noSeconds, int seconds) {
  if (noSeconds) return false;
  return alwaysSeconds || seconds > 0;
}

}  // namespace

std::string FormatZodiacal(int degreeDigits, const SignTexts& signTexts, bool symbols,
                           bool alwaysSeconds, bool noSeconds, double longitude) {
  std::optional<AngleParts> p = SplitAngle(longitude, true);
  if (!p || degreeDigits < 1 || degreeDigits > 3) return "?";
  std::string sign;
  if (signTexts.glyphs) {
    AppendUtf8(sign, U'\u2648' + p->sign);
  } else {
    sign = signTexts.abbrevs ? (*signTexts.abbrevs)[p->sign] : SignAbbrevs[p->sign];
  }
  std::string text = Pad(p->degrees, degreeDigits);
  bool seconds = ShowSeconds(alwaysSeconds, noSeconds, p->seconds);
  if (symbols) {
    text += DegreeSign + sign + Pad(p->minutes, 2) + "'";
    if (seconds) text += Pad(p->seconds, 2) + "\"";
  } else {
    text += sign + Pad(p->minutes, 2);
    if (seconds) text += " " + Pad(p->seconds, 2);
  }
  return text;
}

std::string FormatAngle(int degreeDigits, bool symbols, bool alwaysSeconds, bool noSeconds,
                        double value) {
  std::optional<AngleParts> p = SplitAngle(value, false);
  if (!p || degreeDigits < 1 || degreeDigits > 3) return "?";
  std::string text = value < 0 ? "-" : "";
  text += Pad(p->degrees, degreeDigits);
  bool seconds = ShowSeconds(alwaysSeconds, noSeconds, p->seconds);
  if (symbols) {
    text += DegreeSign + Pad(p->minutes, 2) + "'";
    if (seconds) text += Pad(p->seconds, 2) + "\"";
  } else {
    text += Pad(p->minutes, 2);
    if (seconds) text += " " + Pad(p->seconds, 2);
  }
  return text;
}

std::string OrdinalSuffix(int n) {
  if (n >= 4 && n <= 20) return "th";
  switch (std::abs(n % 10)) {
    case 1: return "st";
    case 2: return "nd";
    case 3: return "rd";
    default: return "th";
  }
}

NormalisedField NormaliseField(std::string_view text, FieldKind kind, const EntryOptions& options,
                               Messages* showErrors) {
  NormalisedField out;
  switch (kind) {
    case FieldKind::Date: {
      DateEntry d = ParseDate(text, showErrors, options.monthFirst, options.pivotYear);
      out.error = d.error;
      out.text = d.error ? d.message : FormatDate(options.monthFirst, d.day, d.month, d.year);
      break;
    }
    case FieldKind::Time: {
      TimeEntry t = ParseTime(text, showErrors);
      out.error = t.error;
      out.text = t.error ? t.message : FormatTime(options.twelveHour, t.hour, t.minute, t.second);
      break;
    }
    case FieldKind::Zone: {
      static const ZoneList empty;
      ZoneEntry z = ParseZone(text, showErrors, options.zones ? *options.zones : empty);
      out.error = z.error;
      out.text = z.error ? z.message : std::string(Trim(z.abbrev + " " + FormatZoneHours(z.hours)));
      break;
    }
    case FieldKind::Latitude:
    case FieldKind::Longitude: {
      bool lon = kind == FieldKind::Longitude;
      CoordinateEntry c = ParseLatLong(text, lon, showErrors);
      out.error = c.error;
      out.text = c.error ? c.message : FormatLatLong(lon, c.degrees);
      break;
    }
  }
  return out;
}

std::string KeepBlanksDigitsCapitals(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c == ' ' || IsDigit(c) || (c >= 'A' && c <= 'Z')) out += c;
  return out;
}

std::string LimitText(std::string_view text, std::size_t maxLength) {
  if (text.size() <= maxLength) return std::string(text);
  std::size_t end = maxLength;
  // Step back over UTF-8 continuation bytes so that no character is cut.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end));
}

std::vector<std::string> SplitBounded(std::string_view text, char delimiter, std::size_t maxParts) {
  std::vector<std::string> parts;
  if (maxParts == 0) return parts;
  std::size_t start = 0;
  while (parts.size() + 1 < maxParts) {
    std::size_t pos = text.find(delimiter, start);
    if (pos == std::string_view::npos) break;
    parts.emplace_back(text.substr(start, pos - start));
    start = pos + 1;
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

BirthTimeEntry ParseBirthTime(std::string_view text, Messages* showErrors) {
  text = Trim(text);
  BirthTimeEntry entry;
  if (StartsWithNoCase(text, UnknownTimeWord)) {
    entry.unknown = true;
    text = Trim(text.substr(UnknownTimeWord.size()));
    if (text.empty()) text = "12:00";
  }
  entry.time = ParseTime(text, showErrors);
  return entry;
}

}  // namespace korvana
