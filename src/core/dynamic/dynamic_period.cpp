#include "core/dynamic/dynamic_period.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>

#include "core/util/ini_file.h"

namespace korvana {
namespace {

// The date fields as plain integers while they are being worked on.
struct Fields {
  int year, month, day, hour, minute, second;
};

Fields FieldsOf(const DateTimeRec& d) { return {d.Year, d.Month, d.Day, d.Hour, d.Minute, d.Second}; }

void CheckYear(int year) {
  if (year < std::numeric_limits<std::int16_t>::min() || year > std::numeric_limits<std::int16_t>::max())
    throw EDateRangeError("The period leaves the years that can be represented.");
}

DateTimeRec RecOf(const Fields& f, TCalendar calendar) {
  CheckYear(f.year);
  return {static_cast<std::int16_t>(f.year), static_cast<std::uint8_t>(f.month), static_cast<std::uint8_t>(f.day),
          static_cast<std::uint8_t>(f.hour), static_cast<std::uint8_t>(f.minute),
          static_cast<std::uint8_t>(f.second), calendar};
}

void NormaliseMonth(Fields& f) {
  while (f.month > 12) f.month -= 12, ++f.year;
  while (f.month < 1) f.month += 12, --f.year;
}

// Moves whole units of `value` (outside 0..size-1) into `upper`.
void Carry(int& value, int& upper, int size) {
  const int whole = value >= 0 ? value / size : -((-value + size - 1) / size);
  value -= whole * size;
  upper += whole;
}

float ParseZoneHours(std::string text) {
  for (char& c : text)
    if (std::string_view("0123456789-+ ").find(c) == std::string_view::npos) c = '.';
  char* end = nullptr;
  const float value = std::strtof(text.c_str(), &end);
  while (end && *end == ' ') ++end;
  if (end == text.c_str() || (end && *end != '\0') || !std::isfinite(value)) return 0.0f;
  return value;
}

template <typename T>
T ReadRanged(const IniFile& ini, const std::string& section, const char* key, T fallback) {
  const std::int32_t v = ini.ReadInteger(section, key, fallback);
  if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) return fallback;
  return static_cast<T>(v);
}

}  // namespace

TDynRepUserData LoadDynamicSettings(const IniFile& ini, const std::string& section) {
  TDynRepUserData s;
  s.DurationUnit = ReadRanged<std::uint8_t>(ini, section, "DurationUnit", 0);
  s.Duration = ini.ReadInteger(section, "Duration", 1);
  s.RepZoneHrs = ParseZoneHours(ini.ReadString(section, "RepZoneHrs", "0.0"));
  s.RepZoneAbbr = ini.ReadString(section, "RepZoneAbbr", "UT");
  s.BaseDate = {ReadRanged<std::int16_t>(ini, section, "Year", 2003), ReadRanged<std::uint8_t>(ini, section, "Month", 1),
                ReadRanged<std::uint8_t>(ini, section, "Day", 1), 0, 0, 0, calAuto};
  s.UseCurrentDateAsBase = ini.ReadBool(section, "UseCurrentDateAsBase", true);
  s.DoGoTo = ini.ReadBool(section, "DoGoTo", true);
  s.GoToStartOf = ini.ReadInteger(section, "GoToStartOf", 0);
  s.DoAdjust = ini.ReadBool(section, "DoAdjust", false);
  s.AdjustAmount = ini.ReadInteger(section, "AdjustAmount", -1);
  s.AdjustUnits = ini.ReadInteger(section, "AdjustUnits", 0);
  return s;
}

void SaveDynamicSettings(IniFile& ini, const std::string& section, const TDynRepUserData& s) {
  ini.WriteInteger(section, "DurationUnit", s.DurationUnit);
  ini.WriteInteger(section, "Duration", s.Duration);
  std::string zone = std::to_string(s.RepZoneHrs);
  ini.WriteString(section, "RepZoneHrs", zone);
  ini.WriteString(section, "RepZoneAbbr", s.RepZoneAbbr);
  ini.WriteInteger(section, "Year", s.BaseDate.Year);
  ini.WriteInteger(section, "Month", s.BaseDate.Month);
  ini.WriteInteger(section, "Day", s.BaseDate.Day);
  ini.WriteBool(section, "UseCurrentDateAsBase", s.UseCurrentDateAsBase);
  ini.WriteBool(section, "DoGoTo", s.DoGoTo);
  ini.WriteInteger(section, "GoToStartOf", s.GoToStartOf);
  ini.WriteBool(section, "DoAdjust", s.DoAdjust);
  ini.WriteInteger(section, "AdjustAmount", s.AdjustAmount);
  ini.WriteInteger(section, "AdjustUnits", s.AdjustUnits);
}

DateTimeRec PeriodStart(const TDynRepUserData& s, const DateTimeRec& today) {
  if (!s.UseCurrentDateAsBase) return s.BaseDate;
  Fields f{today.Year, today.Month, today.Day, 0, 0, 0};
  if (s.DoGoTo) {
    if (s.GoToStartOf == 0) f.day = 1;
    if (s.GoToStartOf == 1) f.day = 1, f.month = ((f.month - 1) / 3) * 3 + 1;
    if (s.GoToStartOf == 2) f.day = 1, f.month = 1;
    if (s.DoAdjust) {
      if (s.AdjustUnits == 0) f.month += s.AdjustAmount;
      if (s.AdjustUnits == 1) f.month += 3 * s.AdjustAmount;
      if (s.AdjustUnits == 2) f.year += s.AdjustAmount;
      NormaliseMonth(f);
    }
  }
  return RecOf(f, today.Calendar);
}

DateTimeRec TodayLocal() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {static_cast<std::int16_t>(local.tm_year + 1900), static_cast<std::uint8_t>(local.tm_mon + 1),
          static_cast<std::uint8_t>(local.tm_mday), 0, 0, 0, calAuto};
}

DateTimeRec PeriodStart(const TDynRepUserData& settings) { return PeriodStart(settings, TodayLocal()); }

std::optional<PeriodLength> ParsePeriodLength(std::string_view text) {
  if (text.size() < 2 || text.size() > 6 || text[0] < '1' || text[0] > '9') return std::nullopt;
  std::int32_t n = 0;
  for (char c : text.substr(0, text.size() - 1)) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  switch (text.back()) {
    case 'y': return PeriodLength{n, DurationYears};
    case 'm': return PeriodLength{n, DurationMonths};
    case 'd': return PeriodLength{n, DurationDays};
    case 'h': return PeriodLength{n, DurationHours};
    default: return std::nullopt;
  }
}

DateTimeRec PeriodEnd(const TDynRepUserData& s, const DateTimeRec& start) {
  Fields f = FieldsOf(start);
  switch (s.DurationUnit) {
    case DurationYears: f.year += s.Duration; break;
    case DurationMonths: f.month += s.Duration; break;
    case DurationDays: f.day += s.Duration; break;
    case DurationHours: f.hour += s.Duration; break;
    case DurationMinutes: f.minute += s.Duration; break;
    case DurationSeconds: f.second += s.Duration; break;
    default: break;
  }
  Carry(f.second, f.minute, 60);
  Carry(f.minute, f.hour, 60);
  Carry(f.hour, f.day, 24);
  if (f.day != start.Day) {
    // Days roll into months and years through the Julian day.
    DateTimeRec base = start;
    base.Hour = static_cast<std::uint8_t>(f.hour);
    base.Minute = static_cast<std::uint8_t>(f.minute);
    base.Second = static_cast<std::uint8_t>(f.second);
    const double jd = DateRecToJD(base, IsGregorianDate(base)) + (f.day - start.Day);
    DateTimeRec end = JDToDateRec(calAuto, jd);
    end.Calendar = start.Calendar;
    return end;
  }
  NormaliseMonth(f);
  return RecOf(f, start.Calendar);
}

double PeriodMomentUT(const TDynRepUserData& s, const DateTimeRec& date) {
  return DateRecToJD(date, IsGregorianDate(date)) + s.RepZoneHrs / 24.0;
}

PeriodBounds PeriodBoundsOf(const TDynRepUserData& s, const DateTimeRec& start) {
  return {PeriodMomentUT(s, start), PeriodMomentUT(s, PeriodEnd(s, start))};
}

TDynRepUserData ExtendedPeriod(const TDynRepUserData& s, DateTimeRec& start) {
  if (s.DurationUnit != DurationYears && s.DurationUnit != DurationMonths) return s;
  TDynRepUserData extended = s;
  CheckYear(start.Year - 1);
  start.Year = static_cast<std::int16_t>(start.Year - 1);
  extended.Duration += s.DurationUnit == DurationYears ? 2 : 24;
  return extended;
}

}  // namespace korvana
