#include "core/time/date_time_rec.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/date_time_fixture.h"

#include "core/util/records.h"

namespace korvana {
namespace {

using testing::Rec;

TEST(DateTimeRec, StoredLayoutIsEightLittleEndianBytes) {
  ByteWriter w;
  WriteDateTimeRec(w, Rec(-43, 3, 15, 23, 59, 58, calJulian));
  ASSERT_EQ(w.Size(), DateTimeRecSize);
  EXPECT_EQ(w.Data(), std::string("\xD5\xFF\x03\x0F\x17\x3B\x3A\x02", 8));
  ByteReader r(w.Data());
  EXPECT_EQ(ReadDateTimeRec(r), Rec(-43, 3, 15, 23, 59, 58, calJulian));
  EXPECT_TRUE(r.AtEnd());
}

TEST(DateTimeRec, TruncatedRecordThrows) {
  std::string seven(7, '\x01');
  ByteReader r(seven);
  EXPECT_THROW(ReadDateTimeRec(r), ERecordError);
}

TEST(DateTimeRec, CalendarSwitchIn1582) {
  EXPECT_FALSE(IsGregorianDate(Rec(1582, 10, 4)));
  EXPECT_FALSE(IsGregorianDate(Rec(1582, 10, 14)));
  EXPECT_TRUE(IsGregorianDate(Rec(1582, 10, 15)));
  EXPECT_TRUE(IsGregorianDate(Rec(1582, 11, 1)));
  EXPECT_FALSE(IsGregorianDate(Rec(1582, 9, 30)));
  EXPECT_FALSE(IsGregorianDate(Rec(-100, 12, 31)));

  EXPECT_DOUBLE_EQ(DateRecToJD(Rec(1582, 10, 4), false), 2299159.5);
  EXPECT_DOUBLE_EQ(DateRecToJD(Rec(1582, 10, 15), true), 2299160.5);
  EXPECT_EQ(JDToDateRec(calAuto, 2299159.5), Rec(1582, 10, 4));
  EXPECT_EQ(JDToDateRec(calAuto, 2299160.5), Rec(1582, 10, 15));
}

TEST(DateTimeRec, J2000Noon) {
  DateTimeRec noon = Rec(2000, 1, 1, 12);
  EXPECT_DOUBLE_EQ(DateRecToJD(noon, true), 2451545.0);
  EXPECT_EQ(JDToDateRec(calAuto, 2451545.0), noon);
}

TEST(DateTimeRec, KnownJulianDaysOfEarlyDates) {
  // -4712 January 1 at noon (Julian calendar) is the origin of the Julian day count;
  // 1 BC (year 0) is a leap year in the Julian calendar.
  EXPECT_DOUBLE_EQ(DateRecToJD(Rec(-4712, 1, 1, 12), false), 0.0);
  EXPECT_DOUBLE_EQ(DateRecToJD(Rec(0, 3, 1), false) - DateRecToJD(Rec(0, 2, 28), false), 2.0);
  EXPECT_DOUBLE_EQ(DateRecToJD(Rec(-1, 3, 1), false) - DateRecToJD(Rec(-1, 2, 28), false), 1.0);
  // Proleptic Gregorian: 2000 is a leap year, 1900 and -100 are not, -400 is.
  EXPECT_DOUBLE_EQ(DateRecToJD(Rec(1900, 3, 1), true) - DateRecToJD(Rec(1900, 2, 28), true), 1.0);
  EXPECT_DOUBLE_EQ(DateRecToJD(Rec(-100, 3, 1), true) - DateRecToJD(Rec(-100, 2, 28), true), 1.0);
  EXPECT_DOUBLE_EQ(DateRecToJD(Rec(-400, 3, 1), true) - DateRecToJD(Rec(-400, 2, 28), true), 2.0);
}

// Every day from -4000 to 3000 in both calendars comes back from its Julian day, and
// consecutive days are one Julian day apart.
TEST(DateTimeRec, EveryDayRoundTripsInBothCalendars) {
  static const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (TCalendar cal : {calGregorian, calJulian}) {
    bool gregorian = cal == calGregorian;
    double previous = DateRecToJD(Rec(-4001, 12, 31), gregorian);
    int failures = 0;
    for (int y = -4000; y <= 3000 && failures < 5; ++y) {
      bool leap = gregorian ? (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)) : (y % 4 == 0);
      for (int m = 1; m <= 12; ++m) {
        int days = monthDays[m - 1] + (m == 2 && leap ? 1 : 0);
        for (int d = 1; d <= days; ++d) {
          DateTimeRec r = Rec(y, m, d, 0, 0, 0, cal);
          double jd = DateRecToJD(r, gregorian);
          if (jd != previous + 1 || JDToDateRec(cal, jd) != r) {
            ++failures;
            ADD_FAILURE() << "calendar " << int(cal) << " date " << y << "-" << m << "-" << d
                          << " jd " << jd;
          }
          previous = jd;
        }
      }
    }
  }
}

TEST(DateTimeRec, TenthOfASecondRounding) {
  double ten = DateRecToJD(Rec(2020, 6, 1, 10), true);
  EXPECT_EQ(JDToDateRec(calAuto, ten - 0.05 / 86400), Rec(2020, 6, 1, 10, 0, 0));
  EXPECT_EQ(JDToDateRec(calAuto, ten - 0.2 / 86400), Rec(2020, 6, 1, 9, 59, 59));
  // A moment just before midnight that rounds up moves to the next day.
  double midnight = DateRecToJD(Rec(2020, 12, 31, 0), true) + 1;
  EXPECT_EQ(JDToDateRec(calAuto, midnight - 0.01 / 86400), Rec(2021, 1, 1));
}

TEST(DateTimeRec, EveryWholeSecondOfADayReadsBack) {
  for (int s = 0; s < 86400; s += 7) {
    DateTimeRec r = Rec(1776, 7, 4, s / 3600, s / 60 % 60, s % 60);
    ASSERT_EQ(JDToDateRec(calAuto, DateRecToJD(r, true)), r) << s;
  }
}

TEST(DateTimeRec, ModeForcesCalendarAndIsStored) {
  double jd = DateRecToJD(Rec(1700, 3, 1), true);
  EXPECT_EQ(JDToDateRec(calJulian, jd), Rec(1700, 2, 19, 0, 0, 0, calJulian));
  EXPECT_EQ(JDToDateRec(calGregorian, jd), Rec(1700, 3, 1, 0, 0, 0, calGregorian));
  // Before the switch calAuto reads Julian; calGregorian still converts.
  double early = DateRecToJD(Rec(1000, 1, 1), false);
  EXPECT_EQ(JDToDateRec(calAuto, early), Rec(1000, 1, 1));
  EXPECT_EQ(JDToDateRec(calGregorian, early), Rec(1000, 1, 6, 0, 0, 0, calGregorian));
}

TEST(DateTimeRec, OutOfRangeYearIsAnError) {
  EXPECT_THROW(JDToDateRec(calAuto, 2451545.0 + 40000.0 * 365.25), EDateRangeError);
  EXPECT_THROW(JDToDateRec(calAuto, std::nan("")), EDateRangeError);
}

TEST(DateTimeRec, ConvertCalendar) {
  // 4 July 1776 read as Julian is 15 July 1776 Gregorian, and back.
  EXPECT_EQ(ConvertCalendar(Rec(1776, 7, 4), calJulian), Rec(1776, 7, 15, 0, 0, 0, calGregorian));
  EXPECT_EQ(ConvertCalendar(Rec(1776, 7, 15), calGregorian), Rec(1776, 7, 4, 0, 0, 0, calJulian));
  EXPECT_EQ(ConvertCalendar(Rec(1776, 7, 15, 13, 5, 9), calAuto), Rec(1776, 7, 15, 13, 5, 9));
}

TEST(DateTimeRec, DateToJDMixed) {
  // Same formula as DateRecToJD with the fraction carried by the day.
  EXPECT_DOUBLE_EQ(DateToJDMixed(1, 2000, 1.5, false), 2451545.0);
  EXPECT_DOUBLE_EQ(DateToJDMixed(10, 1582, 4.0, false), 2299159.5);
  EXPECT_DOUBLE_EQ(DateToJDMixed(10, 1582, 15.0, false), 2299160.5);
  // otherCalendar: 1776-07-04 as a Julian date after 1582.
  EXPECT_DOUBLE_EQ(DateToJDMixed(7, 1776, 4.0, true), DateRecToJD(Rec(1776, 7, 4), false));
  EXPECT_DOUBLE_EQ(DateToJDMixed(7, 1500, 4.0, true), DateRecToJD(Rec(1500, 7, 4), true));
  // The fraction of 14 October is still Julian era.
  EXPECT_DOUBLE_EQ(DateToJDMixed(10, 1582, 14.75, false),
                   DateRecToJD(Rec(1582, 10, 14, 18), false));
}

}  // namespace
}  // namespace korvana
