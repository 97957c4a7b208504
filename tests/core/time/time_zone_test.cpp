#include "core/time/time_zone.h"

#include <gtest/gtest.h>

#include <set>

#include "core/time/entry_parsing.h"
#include "core/time/errors.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

TEST(BuiltInZones, FiftyFiveZonesWithTheirHours) {
  const auto& zones = BuiltInZones().Zones();
  ASSERT_EQ(zones.size(), 55u);
  EXPECT_EQ(zones.front().abbrev, "GMT");
  EXPECT_EQ(zones.back().abbrev, "NZS");
  std::set<std::string> seen;
  for (const NamedZone& z : zones) EXPECT_TRUE(seen.insert(z.abbrev).second) << z.abbrev;
  auto find = [&](const char* a) {
    for (const NamedZone& z : zones)
      if (z.abbrev == a) return z;
    return NamedZone{};
  };
  EXPECT_EQ(find("EST").hours, 5);
  EXPECT_EQ(find("CET").hours, -1);
  EXPECT_EQ(find("NST").hours, 3.5);
  EXPECT_EQ(find("SDT").hours, -10.5f);
  EXPECT_EQ(find("SDT").type, ZoneDaylight);
  EXPECT_EQ(find("AWDT").name, "Australian Westerm Summer Time");
}

TEST(BuiltInZones, TheHundredAndFirstIsRefused) {
  ZoneTable t;
  for (int i = 0; i < 100; ++i) t.Register("Z" + std::to_string(i), "Zone", 1, 0);
  try {
    t.Register("X", "X", 1, 0);
    FAIL() << "no error";
  } catch (const EZoneFormatError& e) {
    EXPECT_STREQ(e.what(), " Too many timezones to read in.");
  }
  EXPECT_EQ(t.Zones().size(), 100u);
}

TEST(ZoneList, FixedColumns) {
  //          1    6                             36 37 40
  std::string text =
      "EST  Eastern Standard Time         +05:00\r\n"
      "ACST Australian Central Time       -09:30\r\n"
      "\r\n"
      "NPT  Nepal Time                    -05:45\n"
      "UT   Universal Time                 00:00\n"
      "X    Short line                    +01\n";
  ZoneList list = ParseZoneList(text);
  ASSERT_EQ(list.Entries().size(), 5u);
  EXPECT_EQ(list.Entries()[0].abbrev, "EST");
  EXPECT_EQ(list.Entries()[0].name, "Eastern Standard Time");
  EXPECT_DOUBLE_EQ(list.Entries()[0].hours, 5);
  EXPECT_DOUBLE_EQ(list.Entries()[1].hours, -9.5);
  EXPECT_DOUBLE_EQ(list.Entries()[2].hours, -5.75);
  EXPECT_DOUBLE_EQ(list.Entries()[3].hours, 0);
  EXPECT_DOUBLE_EQ(list.Entries()[4].hours, 1);
  EXPECT_EQ(list.Find("ACST")->name, "Australian Central Time");
  EXPECT_EQ(list.Find("acst"), nullptr);  // exact, case-sensitive
  for (const ZoneListEntry& e : list.Entries()) EXPECT_EQ(ParseZoneList(FormatZoneListLine(e)).Entries()[0].hours, e.hours);
}

TEST(ZoneList, AtMostOneHundredLines) {
  std::string text;
  for (int i = 0; i < 120; ++i) text += FormatZoneListLine({"Z" + std::to_string(i), "Zone", static_cast<double>(i % 12)}) + "\n";
  EXPECT_EQ(ParseZoneList(text).Entries().size(), 100u);
}

TEST(ZoneList, GarbageIsAClearError) {
  for (const char* bad : {"EST  Eastern Standard Time         +xx:00\n",
                          "just some words\n", "\x01\x02\x03\x04"}) {
    try {
      ParseZoneList(bad);
      ADD_FAILURE() << "no error for " << bad;
    } catch (const EZoneFormatError& e) {
      EXPECT_NE(std::string(e.what()).find("line 1"), std::string::npos);
    }
  }
  EXPECT_THROW(LoadZoneList("/nonexistent/timezone.fil"), EZoneFormatError);
}

TEST(ZoneList, SortedRowsInThreeOrders) {
  ZoneList list({{"EST", "Eastern Time", 5}, {"ACST", "Australian Central Time", -9.5},
                 {"CET", "Central European Time", -1}, {"AEST", "Australian Eastern Time", -10},
                 {"XT", "Odd Time", 1 + 1.0 / 60 + 1.0 / 3600}});
  auto texts = [&](ZoneListOrder o) {
    std::vector<std::string> out;
    for (const ZoneListRow& r : ZoneListRows(list, o)) out.push_back(r.text);
    return out;
  };
  EXPECT_EQ(texts(ZoneListOrder::FullName),
            (std::vector<std::string>{"Australian Central Time\tACST\t-09:30",
                                      "Australian Eastern Time\tAEST\t-10:00",
                                      "Central European Time\tCET\t-01:00", "Eastern Time\tEST\t+05:00",
                                      "Odd Time\tXT\t+01:01:01"}));
  EXPECT_EQ(texts(ZoneListOrder::ZoneTime),
            (std::vector<std::string>{"-10:00\tAEST\tAustralian Eastern Time",
                                      "-09:30\tACST\tAustralian Central Time",
                                      "-01:00\tCET\tCentral European Time", "+01:01:01\tXT\tOdd Time",
                                      "+05:00\tEST\tEastern Time"}));
  std::vector<ZoneListRow> byMnemonic = ZoneListRows(list, ZoneListOrder::Mnemonic);
  EXPECT_EQ(byMnemonic[0].text, "ACST\t-09:30\tAustralian Central Time");
  EXPECT_EQ(byMnemonic[0].entry, 1u);
  EXPECT_EQ(byMnemonic[4].text, "XT\t+01:01:01\tOdd Time");
}

// The shipped zone list holds every built-in zone and reads without error.
TEST(ZoneList, ShippedFileHoldsTheBuiltInZones) {
  ZoneList list = LoadZoneList(std::string(KORVANA_SOURCE_DATA_DIR) + "/template/timezone.fil");
  EXPECT_LE(list.Entries().size(), ZoneList::MaxEntries);
  for (const NamedZone& z : BuiltInZones().Zones()) {
    const ZoneListEntry* e = list.Find(z.abbrev);
    ASSERT_NE(e, nullptr) << z.abbrev;
    EXPECT_NEAR(e->hours, z.hours, 1e-6) << z.abbrev;
  }
  for (const char* a : {"UTC", "CEST", "EEST", "MSK", "HKT", "SGT", "KST", "NZDT", "AKST", "HDT"})
    EXPECT_NE(list.Find(a), nullptr) << a;
  ZoneEntry z = ParseZone("cest", nullptr, list);
  EXPECT_FALSE(z.error);
  EXPECT_EQ(z.hours, -2);
}

}  // namespace
}  // namespace korvana
