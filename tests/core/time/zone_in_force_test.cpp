#include "core/time/zone_in_force.h"

#include <gtest/gtest.h>

#include "date_time_fixture.h"

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

}  // namespace
}  // namespace korvana
