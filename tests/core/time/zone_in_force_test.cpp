#include "core/time/zone_in_force.h"

#include <gtest/gtest.h>

#include "support/date_time_fixture.h"

namespace korvana {
namespace {

DateTimeRec At(int year, int month, int day, int hour, int minute) {
  return testing::Rec(year, month, day, hour, minute, 0, calGregorian);
}

TEST(ZoneInForce, KindsOfClockAcrossHistory) {
  struct Case {
    const char* what;
    const char* zone;
    DateTimeRec moment;
    double longitudeWest;
    ZoneKind kind;
    double hours;  // west positive
    const char* abbreviation;
    int standardUnits;
  };
  const Case cases[] = {
      {"Ulm before Germany kept standard time", "Europe/Berlin", At(1879, 3, 14, 11, 30), -10.0,
       ZoneKind::LocalMeanTime, -10.0 / 15, "LMT", -900},
      {"London's double summer time", "Europe/London", At(1941, 7, 1, 12, 0), 0.1, ZoneKind::DoubleSummer, -2, "BDST",
       0},
      {"New York's war time", "America/New_York", At(1943, 7, 1, 12, 0), 74.0, ZoneKind::WarTime, 4, "EWT", 5 * 900},
      {"Lord Howe Island's half hour of summer time", "Australia/Lord_Howe", At(2024, 1, 15, 12, 0), -159.08,
       ZoneKind::HalfHourDaylight, -11, "+11", static_cast<int>(-10.5 * 900)},
      {"Adelaide in summer", "Australia/Adelaide", At(2026, 12, 10, 12, 0), -138.6, ZoneKind::Daylight, -10.5, "ACDT",
       static_cast<int>(-9.5 * 900)},
      {"Adelaide in winter", "Australia/Adelaide", At(2026, 7, 10, 12, 0), -138.6, ZoneKind::Standard, -9.5, "ACST",
       static_cast<int>(-9.5 * 900)},
  };
  for (const Case& c : cases) {
    const std::optional<ZoneInForce> z = ZoneInForceAt(c.zone, c.moment, c.longitudeWest);
    ASSERT_TRUE(z.has_value()) << c.what;
    EXPECT_EQ(z->kind, c.kind) << c.what;
    EXPECT_NEAR(z->hours, c.hours, 1e-9) << c.what;
    EXPECT_EQ(z->abbreviation, c.abbreviation) << c.what;
    if (c.kind != ZoneKind::LocalMeanTime) {
      EXPECT_EQ(z->standardUnits, c.standardUnits) << c.what;
    }
    EXPECT_EQ(z->fit, LocalTimeFit::Unique) << c.what;
  }
}

TEST(ZoneInForce, TimesTheClocksSkipOrRepeatAreSaidSo) {
  // Adelaide's clocks went from 2:00 to 3:00 on 1 Oct 2023 and from 3:00 back to 2:00 on
  // 7 Apr 2024.
  const auto gap = ZoneInForceAt("Australia/Adelaide", At(2023, 10, 1, 2, 30), -138.6);
  ASSERT_TRUE(gap.has_value());
  EXPECT_EQ(gap->fit, LocalTimeFit::InGap);
  EXPECT_NEAR(gap->hours, -9.5, 1e-9) << "read with the clock before the jump";
  const auto fold = ZoneInForceAt("Australia/Adelaide", At(2024, 4, 7, 2, 30), -138.6);
  ASSERT_TRUE(fold.has_value());
  EXPECT_EQ(fold->fit, LocalTimeFit::InFold);
  EXPECT_NEAR(fold->hours, -10.5, 1e-9) << "read as the first of the two";
  EXPECT_FALSE(ZoneInForceAt("Nowhere/Atlantis", At(2024, 1, 1, 0, 0), 0).has_value());
  EXPECT_FALSE(ZoneInForceAt("", At(2024, 1, 1, 0, 0), 0).has_value());
}

TEST(ZoneChanges, ListEachChangeWithTheClockBeforeAndAfterAndTheZoneFromThenOn) {
  struct Expected {
    DateTimeRec from, to;
    ZoneKind kind;
    double hours;
    const char* abbreviation;
  };
  struct Case {
    const char* what;
    const char* zone;
    int fromYear, toYear;
    double longitudeWest;
    std::vector<Expected> changes;
  };
  const Case cases[] = {
      {"London's double summer time came and went in 1941",
       "Europe/London",
       1941,
       1941,
       0.1,
       {{At(1941, 5, 4, 2, 0), At(1941, 5, 4, 3, 0), ZoneKind::DoubleSummer, -2, "BDST"},
        {At(1941, 8, 10, 3, 0), At(1941, 8, 10, 2, 0), ZoneKind::Daylight, -1, "BST"}}},
      {"Berlin left local mean time for standard time in 1893",
       "Europe/Berlin",
       1890,
       1900,
       -13.4,
       {{At(1893, 4, 1, 0, 0), At(1893, 4, 1, 0, 6), ZoneKind::Standard, -1, "CET"}}},
      {"Sydney's clocks go back in April and forward in October",
       "Australia/Sydney",
       2024,
       2024,
       -151.2,
       {{At(2024, 4, 7, 3, 0), At(2024, 4, 7, 2, 0), ZoneKind::Standard, -10, "AEST"},
        {At(2024, 10, 6, 2, 0), At(2024, 10, 6, 3, 0), ZoneKind::Daylight, -11, "AEDT"}}},
      {"a clock set back past midnight", "Asia/Pyongyang", 2015, 2015, -125.75,
       {{At(2015, 8, 15, 0, 0), At(2015, 8, 14, 23, 30), ZoneKind::Standard, -8.5, "KST"}}},
      {"no changes in a span without any", "Asia/Tokyo", 1960, 2000, -139.7, {}},
      {"an empty span", "Europe/London", 2000, 1999, 0.1, {}},
  };
  for (const Case& c : cases) {
    const auto changes = ZoneChangesBetween(c.zone, c.fromYear, c.toYear, c.longitudeWest);
    ASSERT_TRUE(changes.has_value()) << c.what;
    ASSERT_EQ(changes->size(), c.changes.size()) << c.what;
    for (std::size_t i = 0; i < c.changes.size(); ++i) {
      const ZoneChange& got = (*changes)[i];
      const Expected& want = c.changes[i];
      EXPECT_EQ(got.from.Year, want.from.Year) << c.what;
      EXPECT_EQ(got.from.Month, want.from.Month) << c.what;
      EXPECT_EQ(got.from.Day, want.from.Day) << c.what;
      EXPECT_EQ(got.from.Hour, want.from.Hour) << c.what;
      EXPECT_EQ(got.to.Day, want.to.Day) << c.what;
      EXPECT_EQ(got.to.Hour, want.to.Hour) << c.what;
      EXPECT_EQ(got.to.Minute, want.to.Minute) << c.what;
      EXPECT_EQ(got.zone.kind, want.kind) << c.what;
      EXPECT_NEAR(got.zone.hours, want.hours, 1e-9) << c.what;
      EXPECT_EQ(got.zone.abbreviation, want.abbreviation) << c.what;
    }
  }
  EXPECT_FALSE(ZoneChangesBetween("Nowhere/Atlantis", 1900, 2000, 0).has_value());
}

}  // namespace
}  // namespace korvana
