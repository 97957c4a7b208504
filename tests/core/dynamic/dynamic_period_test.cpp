// Period arithmetic of the dynamic settings and their INI round trip.
#include <gtest/gtest.h>

#include "core/dynamic/dynamic_period.h"
#include "core/util/ini_file.h"

namespace korvana {
namespace {

DateTimeRec Date(int y, int m, int d) {
  return {static_cast<std::int16_t>(y), static_cast<std::uint8_t>(m), static_cast<std::uint8_t>(d), 0, 0, 0, calAuto};
}

TDynRepUserData Today(int goTo, bool adjust = false, int amount = 0, int units = 0) {
  TDynRepUserData s;
  s.UseCurrentDateAsBase = true;
  s.DoGoTo = true;
  s.GoToStartOf = goTo;
  s.DoAdjust = adjust;
  s.AdjustAmount = amount;
  s.AdjustUnits = units;
  return s;
}

struct StartCase {
  const char* what;
  TDynRepUserData settings;
  DateTimeRec today;
  DateTimeRec start;
};

TEST(PeriodStartTest, MovesTodayBackAndShiftsIt) {
  TDynRepUserData given = Today(2, true, -5, 2);
  given.UseCurrentDateAsBase = false;
  given.BaseDate = Date(2010, 6, 17);
  TDynRepUserData noGoTo = Today(0, true, 3, 0);
  noGoTo.DoGoTo = false;
  const StartCase cases[] = {
      {"month", Today(0), Date(2026, 5, 15), Date(2026, 5, 1)},
      {"quarter from October", Today(1), Date(2026, 10, 20), Date(2026, 10, 1)},
      {"quarter from December", Today(1), Date(2026, 12, 31), Date(2026, 10, 1)},
      {"quarter from January", Today(1), Date(2026, 1, 5), Date(2026, 1, 1)},
      {"quarter from March", Today(1), Date(2026, 3, 31), Date(2026, 1, 1)},
      {"year less a year", Today(2, true, -1, 2), Date(2026, 8, 9), Date(2025, 1, 1)},
      {"month less a quarter in February", Today(0, true, -1, 1), Date(2026, 2, 14), Date(2025, 11, 1)},
      {"month plus 14 months", Today(0, true, 14, 0), Date(2026, 11, 3), Date(2028, 1, 1)},
      {"given date unchanged", given, Date(2026, 5, 15), Date(2010, 6, 17)},
      {"adjustment needs go-to", noGoTo, Date(2026, 5, 15), Date(2026, 5, 15)},
  };
  for (const StartCase& c : cases) EXPECT_EQ(PeriodStart(c.settings, c.today), c.start) << c.what;
}

struct EndCase {
  const char* what;
  int unit;
  int duration;
  DateTimeRec start;
  DateTimeRec end;
};

TEST(PeriodEndTest, AddsTheDurationAndCarries) {
  const DateTimeRec lateHour{2026, 12, 31, 23, 0, 0, calAuto};
  const EndCase cases[] = {
      {"one year", DurationYears, 1, Date(2026, 5, 1), Date(2027, 5, 1)},
      {"18 months", DurationMonths, 18, Date(2026, 9, 1), Date(2028, 3, 1)},
      {"31st plus a month keeps day 31", DurationMonths, 1, Date(2026, 1, 31), Date(2026, 2, 31)},
      {"days roll into the next year", DurationDays, 45, Date(2026, 12, 1), Date(2027, 1, 15)},
      {"hours carry into a new day and year", DurationHours, 2, lateHour, DateTimeRec{2027, 1, 1, 1, 0, 0, calAuto}},
      {"minutes carry into hours", DurationMinutes, 150, Date(2026, 3, 3), DateTimeRec{2026, 3, 3, 2, 30, 0, calAuto}},
  };
  for (const EndCase& c : cases) {
    TDynRepUserData s;
    s.DurationUnit = static_cast<std::uint8_t>(c.unit);
    s.Duration = c.duration;
    EXPECT_EQ(PeriodEnd(s, c.start), c.end) << c.what;
  }
}

TEST(PeriodEndTest, AMonthShortOfDaysFallsIntoTheNextMonthAsAJulianDay) {
  TDynRepUserData s;
  s.DurationUnit = DurationMonths;
  const PeriodBounds b = PeriodBoundsOf(s, Date(2026, 1, 31));
  EXPECT_DOUBLE_EQ(b.endUT, DateRecToJD(Date(2026, 3, 3), true));
}

TEST(PeriodBoundsTest, TheReferenceZoneShiftsBothBounds) {
  TDynRepUserData s;
  s.RepZoneHrs = 5.0f;
  const PeriodBounds b = PeriodBoundsOf(s, Date(2026, 5, 1));
  EXPECT_DOUBLE_EQ(b.startUT, DateRecToJD(Date(2026, 5, 1), true) + 5.0 / 24);
  EXPECT_DOUBLE_EQ(b.endUT, DateRecToJD(Date(2027, 5, 1), true) + 5.0 / 24);
}

TEST(ExtendedPeriodTest, CoversAYearMoreOnEachSideForYearsAndMonths) {
  struct Case {
    int unit, duration, extendedDuration, startYear;
  };
  const Case cases[] = {
      {DurationYears, 2, 4, 2025}, {DurationMonths, 6, 30, 2025}, {DurationDays, 10, 10, 2026}, {DurationHours, 5, 5, 2026}};
  for (const Case& c : cases) {
    TDynRepUserData s;
    s.DurationUnit = static_cast<std::uint8_t>(c.unit);
    s.Duration = c.duration;
    DateTimeRec start = Date(2026, 5, 1);
    const TDynRepUserData extended = ExtendedPeriod(s, start);
    EXPECT_EQ(extended.Duration, c.extendedDuration) << c.unit;
    EXPECT_EQ(extended.DurationUnit, c.unit);
    EXPECT_EQ(start, Date(c.startYear, 5, 1)) << c.unit;
  }
}

TEST(DynamicSettingsTest, SaveAndLoadRoundTripAndDefaults) {
  TDynRepUserData s;
  s.DurationUnit = DurationMonths;
  s.Duration = 18;
  s.RepZoneHrs = -10.5f;
  s.RepZoneAbbr = "AEST";
  s.BaseDate = Date(1999, 12, 31);
  s.UseCurrentDateAsBase = true;
  s.GoToStartOf = 1;
  s.DoAdjust = true;
  s.AdjustAmount = -3;
  s.AdjustUnits = 2;
  IniFile ini = IniFile::FromText("");
  SaveDynamicSettings(ini, "Dynamic", s);
  EXPECT_EQ(LoadDynamicSettings(ini, "Dynamic"), s);

  const TDynRepUserData d = LoadDynamicSettings(IniFile::FromText("[Dynamic]\nRepZoneHrs=-5,5\nYear=70000\n"), "Dynamic");
  EXPECT_FLOAT_EQ(d.RepZoneHrs, -5.5f);
  EXPECT_EQ(d.BaseDate, Date(2003, 1, 1));
  EXPECT_TRUE(d.UseCurrentDateAsBase);
  EXPECT_EQ(d.AdjustAmount, -1);
  EXPECT_FLOAT_EQ(LoadDynamicSettings(IniFile::FromText("[Dynamic]\nRepZoneHrs=abc\n"), "Dynamic").RepZoneHrs, 0.0f);
}

}  // namespace
}  // namespace korvana
