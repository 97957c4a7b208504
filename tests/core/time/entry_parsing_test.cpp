#include "core/time/entry_parsing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/recording_messages.h"

namespace korvana {
namespace {

struct DateCase {
  const char* text;
  bool monthFirst;
  int year, month, day;  // year 0 with month 0: refused as unrecognised; month -1: invalid
  bool gregorian = true;
};

TEST(ParseDate, AcceptsAndRefusesTheDocumentedForms) {
  const DateCase cases[] = {
      {"12/15/16", true, 2016, 12, 15},
      {"15 Dec 2016", true, 2016, 12, 15},
      {"Dec 15 16", true, 2016, 12, 15},
      {"15.12.16", false, 2016, 12, 15},
      {"12/15/16", false, 2016, 12, 15},  // month above 12 swaps with the day
      {"15DEC2016", false, 2016, 12, 15},
      {"15th December, 2016 AD", false, 2016, 12, 15},
      {"december 15th 2016", false, 2016, 12, 15},
      {"15 dece 2016", false, 2016, 12, 15},
      {"1 Jan 29", false, 2029, 1, 1},
      {"1 Jan 30", false, 1930, 1, 1},
      {"1 Jan 030", false, 30, 1, 1, false},
      {"15 Mar 44 BC", false, -43, 3, 15, false},
      {"15 Mar 44 B.C.", false, -43, 3, 15, false},
      {"15 Mar 44B", false, -43, 3, 15, false},
      {"1 Jan 1 BCE", false, 0, 1, 1, false},
      {"1 Jan -43", false, -43, 1, 1, false},
      {"4 Jul 1776 OS", false, 1776, 7, 15, true},
      {"4 Jul 1776 O.S.", false, 1776, 7, 15, true},
      {"4 Jul 1776 NS", false, 1776, 7, 4, true},
      {"1 Jan 1500 NS", false, 1499, 12, 23, false},
      {"10 Oct 1582", false, 1582, 10, 10, false},
      {"4 Oct 1582", false, 1582, 10, 4, false},
      {"15 Oct 1582", false, 1582, 10, 15, true},
      {"29 Feb 1900 OS", false, 1900, 3, 13, true},  // a Julian leap day
      {"29 Feb 2000", false, 2000, 2, 29, true},
      {"31 Feb 2000", false, 0, -1, 0},
      {"29 Feb 1900", false, 0, -1, 0},
      {"0 Jan 2000", false, 0, -1, 0},
      {"32 Jan 2000", false, 0, -1, 0},
      {"13/13/2000", false, 0, -1, 0},
      {"1 Jan 0 BC", false, 0, -1, 0},
      {"1 Jan 99999", false, 0, -1, 0},
      {"", false, 0, 0, 0},
      {"15 Dec", false, 0, 0, 0},
      {"15 Dec 2016 12", false, 0, 0, 0},
      {"15-12-2016", false, 0, 0, 0},
      {"15 Xyz 2016", false, 0, 0, 0},
      {"-15 Dec 2016", false, 0, 0, 0},
      {"Dec Dec 2016", false, 0, 0, 0},
      {"15 Dec 20x6", false, 0, 0, 0},
  };
  for (const DateCase& c : cases) {
    SCOPED_TRACE(c.text);
    DateEntry d = ParseDate(c.text, nullptr, c.monthFirst);
    if (c.month == 0) {
      EXPECT_TRUE(d.error);
      EXPECT_EQ(d.message, DateFormatMessage);
    } else if (c.month == -1) {
      EXPECT_TRUE(d.error);
      EXPECT_EQ(d.message, "This date is not a valid calendar date.");
    } else {
      ASSERT_FALSE(d.error) << d.message;
      EXPECT_EQ(d.year, c.year);
      EXPECT_EQ(d.month, c.month);
      EXPECT_EQ(d.day, c.day);
      EXPECT_EQ(d.gregorian, c.gregorian);
    }
    if (d.error) {  // outputs stay at their defaults
      EXPECT_EQ(d.year, 1900);
      EXPECT_EQ(d.month, 1);
      EXPECT_EQ(d.day, 1);
    }
  }
}

TEST(ParseDate, PivotYearIsAParameter) {
  EXPECT_EQ(ParseDate("1 Jan 49", nullptr, false, 1950).year, 2049);
  EXPECT_EQ(ParseDate("1 Jan 50", nullptr, false, 1950).year, 1950);
}

TEST(ParseDate, MessageIsShownOnlyWhenAsked) {
  testing::RecordingMessages messages;
  ParseDate("nonsense", nullptr, false);
  EXPECT_TRUE(messages.Empty());
  ParseDate("31 Feb 2000", &messages, false);
  EXPECT_EQ(messages.Only(), DateInvalidMessage);
}

struct TimeCase { const char* text; int h, m, s; bool ok; };

TEST(ParseTime, Cases) {
  const TimeCase cases[] = {
      {"12 am", 0, 0, 0, true},      {"12 pm", 12, 0, 0, true},    {"6 35p", 18, 35, 0, true},
      {"noon", 12, 0, 0, true},      {"Midday", 12, 0, 0, true},   {"midnight", 0, 0, 0, true},
      {"15:45:17", 15, 45, 17, true}, {"7 AM", 7, 0, 0, true},     {"12 15 PM", 12, 15, 0, true},
      {"11.30 p.m.", 23, 30, 0, true}, {"1-2-3", 1, 2, 3, true},   {"9:05 A.M", 9, 5, 0, true},
      {"23:59:59", 23, 59, 59, true}, {"0", 0, 0, 0, true},
      {"24:00", 0, 0, 0, false},     {"12:60", 0, 0, 0, false},    {"1:2:60", 0, 0, 0, false},
      {"1 2 3 4", 0, 0, 0, false},   {"", 0, 0, 0, false},         {"PM", 0, 0, 0, false},
      {"12 15 XM", 0, 0, 0, false},  {"13 pm", 13, 0, 0, true},
  };
  for (const TimeCase& c : cases) {
    SCOPED_TRACE(c.text);
    TimeEntry t = ParseTime(c.text, nullptr);
    EXPECT_EQ(!t.error, c.ok) << t.message;
    if (c.ok) {
      EXPECT_EQ(t.hour, c.h);
      EXPECT_EQ(t.minute, c.m);
      EXPECT_EQ(t.second, c.s);
    } else {
      EXPECT_EQ(t.message, TimeFormatMessage);
    }
  }
}

class ParseZoneTest : public ::testing::Test {
 protected:
  ZoneList zones{{{"EST", "Eastern Time", 5}, {"ACST", "Australian Central Time", -9.5},
                  {"BZ2D", "Brazil Zone 2 Daylight", 2}}};
};

TEST_F(ParseZoneTest, Cases) {
  struct Case { const char* text; const char* abbrev; double hours; bool ok; };
  const Case cases[] = {
      {"-9:30", "", -9.5, true},        {"+5", "", 5, true},           {"5 30 36", "", 5.51, true},
      {"EST", "EST", 5, true},          {"est", "EST", 5, true},       {"ACST", "ACST", -9.5, true},
      {"LMT 10 04", "LMT", 10 + 4.0 / 60, true}, {"LMT -10:04", "LMT", -(10 + 4.0 / 60), true},
      {"LMT", "LMT", 0, true},          {"XYZ", "XYZ", 0, true},       {"XYZ 3 30", "XYZ", 3.5, true},
      {"BZ2D", "BZ2D", 2, true},        {"9-", "", -9, true},
      {"", "", 0, false},               {"-9:3x", "", 0, false},       {"EST x", "", 0, false},
      {"EST 5", "EST", 5, true},        {"EST +4:00", "EST", 5, true}, {"ACST -9:30", "ACST", -9.5, true},
      {"1 2 3 4", "", 0, false},        {"a b c d e f", "", 0, false}, {"-", "", 0, false},
      // Out of a clock's range: refused, never carried or kept.
      {"-23:59:59", "", -(23 + 59.0 / 60 + 59.0 / 3600), true},
      {"+25:61", "", 0, false},         {"+99", "", 0, false},         {"5 60", "", 0, false},
      {"5 0 60", "", 0, false},         {"XYZ 3 75", "", 0, false},    {"LMT 24", "", 0, false},
      {"-0530", "", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ZoneEntry z = ParseZone(c.text, nullptr, zones);
    EXPECT_EQ(!z.error, c.ok) << z.message;
    if (c.ok) {
      EXPECT_EQ(z.abbrev, c.abbrev);
      EXPECT_NEAR(z.hours, c.hours, 1e-5);
    } else {
      EXPECT_EQ(z.message, ZoneFormatMessage);
    }
  }
}

TEST(ParseLatLong, Cases) {
  struct Case { const char* text; bool lon; double value; bool ok; };
  const Case cases[] = {
      {"34N23", false, 34 + 23.0 / 60 + 0.00001, true},
      {"117W59", true, 117 + 59.0 / 60 + 0.00001, true},
      {"23 S 55", false, -(23 + 55.0 / 60 + 0.00001), true},
      {"151E12'30\"", true, -(151 + 12.0 / 60 + 30.0 / 3600 + 0.00001), true},
      {"33\xC2\xB0S52'", false, -(33 + 52.0 / 60 + 0.00001), true},
      {"0n0", false, 0.00001, true},
      {"89 59 59 n", false, 89 + 59.0 / 60 + 59.0 / 3600 + 0.00001, true},
      {"95N", false, 0, false},
      {"90N", false, 0, false},
      {"34E23", false, 0, false},
      {"34N23", true, 0, false},
      {"180W", true, 0, false},
      {"34N60", false, 0, false},
      {"34N23 10 5", false, 0, false},
      {"N", false, 0, false},
      {"34X23N", false, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    CoordinateEntry e = ParseLatLong(c.text, c.lon, nullptr);
    EXPECT_EQ(!e.error, c.ok);
    if (c.ok)
      EXPECT_NEAR(e.degrees, c.value, 1e-12);
    else
      EXPECT_EQ(e.message, LatLongFormatMessage);
  }
}

TEST(ParseAngle, Cases) {
  struct Case { const char* text; double value; bool ok; };
  const Case cases[] = {
      {"16Ar25", 16 + 25.0 / 60, true},
      {"27 PISCES", 357, true},
      {"10 11'59\"", 10 + 11.0 / 60 + 59.0 / 3600, true},
      {"0 cp 30 15", 270 + 30.0 / 60 + 15.0 / 3600, true},
      {"sg 5", 245, true},
      {"359", 359, true},
      {"12\xC2\xB0Le07'", 132 + 7.0 / 60, true},
      {"30 Ar", 0, false},
      {"360", 0, false},
      {"10 60", 0, false},
      {"16 Xy 25", 0, false},
      {"16 Ar Ta", 0, false},
      {"Aries", 0, false},
      {"", 0, false},
      {"1 2 3 4", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    AngleEntry a = ParseAngle(c.text, nullptr);
    EXPECT_EQ(!a.error, c.ok);
    if (c.ok)
      EXPECT_NEAR(a.degrees, c.value, 1e-12);
    else
      EXPECT_EQ(a.message, AngleFormatMessage);
  }
}

TEST(Formatters, DatesAndTimes) {
  EXPECT_EQ(FormatDate(false, 4, 7, 1776), "4 Jul 1776");
  EXPECT_EQ(FormatDate(true, 15, 12, 2016), "Dec 15 2016");
  EXPECT_EQ(FormatDate(false, 15, 3, -43), "15 Mar 0044 BC");
  EXPECT_EQ(FormatDate(false, 1, 1, 0), "1 Jan 0001 BC");
  EXPECT_EQ(FormatDate(false, 1, 1, 30), "1 Jan 0030");
  std::array<std::string, 12> german = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                        "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
  EXPECT_EQ(FormatDate(false, 3, 3, 2001, &german, true), "3. Mär 2001");

  EXPECT_EQ(FormatTime(true, 15, 45, 0), "3:45 pm");
  EXPECT_EQ(FormatTime(true, 0, 15, 0), "0:15 am");
  EXPECT_EQ(FormatTime(true, 12, 0, 0), "12:00 pm");
  EXPECT_EQ(FormatTime(false, 9, 5, 7), "9:05:07");
  EXPECT_EQ(FormatTime(false, 23, 0, 0), "23:00");
}

TEST(Formatters, ZonesAndCoordinates) {
  EXPECT_EQ(FormatZoneHours(-9.5), "-9:30");
  EXPECT_EQ(FormatZoneHours(5), "+5:00");
  EXPECT_EQ(FormatZoneHours(-10), "-10:00");
  EXPECT_EQ(FormatZoneHours(0), "+0:00");
  EXPECT_EQ(FormatZoneHours(10 + 4.0 / 60 + 15.0 / 3600), "+10:04:15");
  EXPECT_EQ(FormatZoneHours(static_cast<float>(-9.5)), "-9:30");

  EXPECT_EQ(FormatLatLong(false, -(33 + 52.0 / 60)), "33\xC2\xB0S52'");
  EXPECT_EQ(FormatLatLong(true, -(151 + 12.0 / 60 + 30.0 / 3600)), "151\xC2\xB0" "E12'30\"");
  EXPECT_EQ(FormatLatLong(true, 0), "000\xC2\xB0W00'");
  EXPECT_EQ(FormatLatLong(false, 5.5), "05\xC2\xB0N30'");
}

TEST(Formatters, ZodiacalAndAngles) {
  SignTexts plain;
  EXPECT_EQ(FormatZodiacal(2, plain, true, false, false, 16 + 25.0 / 60), "16\xC2\xB0" "Ar25'");
  EXPECT_EQ(FormatZodiacal(2, plain, false, false, false, 357), "27Pi00");
  EXPECT_EQ(FormatZodiacal(1, plain, false, true, false, 132 + 7.0 / 60), "12Le07 00");
  EXPECT_EQ(FormatZodiacal(3, plain, true, false, false, 5 + 30.0 / 3600), "005\xC2\xB0" "Ar00'30\"");
  EXPECT_EQ(FormatZodiacal(2, plain, true, false, true, 5 + 30.0 / 3600), "05\xC2\xB0" "Ar00'");
  EXPECT_EQ(FormatZodiacal(2, plain, true, false, false, 29.999999), "00\xC2\xB0Ta00'");
  SignTexts glyphs{true, nullptr};
  EXPECT_EQ(FormatZodiacal(2, glyphs, false, false, false, 357), "27\xE2\x99\x93" "00");
  EXPECT_EQ(FormatZodiacal(2, plain, true, false, false, NAN), "?");
  EXPECT_EQ(SignGlyphCode(1), 220);
  EXPECT_EQ(SignGlyphCode(2), 221);
  EXPECT_EQ(SignGlyphCode(3), 130);
  EXPECT_EQ(SignGlyphCode(12), 139);

  EXPECT_EQ(FormatAngle(2, true, false, false, 10 + 11.0 / 60 + 59.0 / 3600), "10\xC2\xB0" "11'59\"");
  EXPECT_EQ(FormatAngle(1, false, false, false, -(3 + 4.0 / 60)), "-304");
  EXPECT_EQ(FormatAngle(1, false, true, false, 3), "300 00");
  EXPECT_EQ(FormatAngle(2, true, false, false, INFINITY), "?");
}

TEST(Formatters, SplitDMSAndOrdinals) {
  DMS d = SplitDMS(10.5);
  EXPECT_EQ(d.degrees, 10);
  EXPECT_EQ(d.minutes, 30);
  EXPECT_EQ(d.seconds, 0);
  DMS e = SplitDMS(10 + 59.0 / 60 + 59.9 / 3600);
  EXPECT_EQ(e.seconds, 59);
  DMS f = SplitDMS(11 - 1e-9);  // the tiny shortfall is rounded up
  EXPECT_EQ(f.degrees, 11);
  EXPECT_EQ(f.minutes, 0);

  struct Case { int n; const char* suffix; };
  for (Case c : {Case{1, "st"}, {2, "nd"}, {3, "rd"}, {4, "th"}, {11, "th"}, {12, "th"}, {13, "th"},
                 {20, "th"}, {21, "st"}, {22, "nd"}, {23, "rd"}, {101, "st"}, {111, "st"},
                 {112, "nd"}, {0, "th"}})
    EXPECT_EQ(OrdinalSuffix(c.n), c.suffix) << c.n;
}

TEST(NormaliseField, CanonicalTextOrMessage) {
  ZoneList zones({{"ACST", "Australian Central Time", -9.5}});
  EntryOptions options;
  options.zones = &zones;
  struct Case { const char* text; FieldKind kind; bool error; const char* out; };
  const Case cases[] = {
      {"15dec16", FieldKind::Date, false, "15 Dec 2016"},
      {"4 jul 1776 os", FieldKind::Date, false, "15 Jul 1776"},
      {"31 feb 2000", FieldKind::Date, true, DateInvalidMessage},
      {"6 35p", FieldKind::Time, false, "18:35"},
      {"acst", FieldKind::Zone, false, "ACST -9:30"},
      {"-9:30", FieldKind::Zone, false, "-9:30"},
      {"34s55", FieldKind::Latitude, false, "34\xC2\xB0S55'"},
      {"138e35", FieldKind::Longitude, false, "138\xC2\xB0" "E35'"},
      {"138e35", FieldKind::Latitude, true, LatLongFormatMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    NormalisedField f = NormaliseField(c.text, c.kind, options, nullptr);
    EXPECT_EQ(f.error, c.error);
    EXPECT_EQ(f.text, c.out);
  }
  options.twelveHour = true;
  options.monthFirst = true;
  EXPECT_EQ(NormaliseField("18:35", FieldKind::Time, options, nullptr).text, "6:35 pm");
  EXPECT_EQ(NormaliseField("12/15/16", FieldKind::Date, options, nullptr).text, "Dec 15 2016");
}

TEST(TextHelpers, Cases) {
  EXPECT_EQ(KeepBlanksDigitsCapitals("34S55 a-b C\xC3\xA9"), "34S55  C");
  EXPECT_EQ(LimitText("abc", 5), "abc");
  EXPECT_EQ(LimitText("ab\xC3\xA9z", 3), "ab");
  EXPECT_EQ(LimitText("ab\xC3\xA9z", 4), "ab\xC3\xA9");
  EXPECT_EQ(SplitBounded("a,b,c,d", ',', 3), (std::vector<std::string>{"a", "b", "c,d"}));
  EXPECT_EQ(SplitBounded("a", ',', 3), (std::vector<std::string>{"a"}));
  EXPECT_TRUE(SplitBounded("a,b", ',', 0).empty());
}

}  // namespace
}  // namespace korvana
