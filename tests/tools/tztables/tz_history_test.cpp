#include "tz_history.h"

#include <gtest/gtest.h>

#include "core/time/errors.h"
#include "core/util/files.h"
#include "support/temp_folder.h"

namespace korvana::tztables {
namespace {

// Tables generated from the system time zone database, written to a data folder and
// read back through the lookup the program uses.
class GeneratedTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files.folder = dir.Path();
    generated = GenerateTables(ParseZoneNumbers("# test zones\n"
                                                "1 America/New_York\n"
                                                "2 Australia/Adelaide\n"
                                                "\n"
                                                "7 Asia/Kolkata\n"
                                                "9 Etc/UTC\n"),
                               GeneratorOptions{});
    ZoneTableBytes bytes = WriteZoneTables(generated.tables);
    dir.Write("tztable.lst", WriteZoneCodes(generated.codes));
    dir.Write("tztable.ndx", bytes.index);
    dir.Write("tztable.bin", bytes.bin);
  }

  testing::TempFolder dir;
  ZoneTableFiles files;
  GeneratedTables generated;
};

TEST_F(GeneratedTablesTest, LookupsGiveTheCivilZones) {
  struct Case {
    int table, y, mo, d, h, mi;
    double lon;
    const char* abbrev;
    double hours;
    bool beyond;
  };
  const Case cases[] = {
      {1, 1850, 1, 1, 12, 0, 74.0, "LMT", 74.0 / 15, false},  // before standard time
      {1, 1990, 1, 15, 12, 0, 74.0, "EST", 5, false},
      {1, 1990, 7, 15, 12, 0, 74.0, "EDT", 4, false},
      {1, 1944, 7, 15, 12, 0, 74.0, "EWT", 4, false},
      // 2021-03-14 02:00 EST the clocks went forward; 2021-11-07 02:00 EDT back.
      {1, 2021, 3, 14, 1, 59, 74.0, "EST", 5, false},
      {1, 2021, 3, 14, 2, 0, 74.0, "EDT", 4, false},
      {1, 2021, 11, 7, 1, 59, 74.0, "EDT", 4, false},
      {1, 2021, 11, 7, 2, 0, 74.0, "EST", 5, false},
      {1, 2040, 7, 1, 12, 0, 74.0, "EST", 5, true},  // beyond: the last change stays, with a warning
      {2, 2020, 1, 15, 12, 0, -138.6, "ACDT", -10.5, false},
      {2, 2020, 7, 15, 12, 0, -138.6, "ACST", -9.5, false},
      {7, 2000, 1, 1, 0, 0, -77.2, "IST", -5.5, false},
      {7, 2100, 1, 1, 0, 0, -77.2, "IST", -5.5, false},  // no changes since: no warning
      {9, 1000, 1, 1, 0, 0, 0, "UTC", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.table) + " " + std::to_string(c.y) + "-" + std::to_string(c.mo) + "-" +
                 std::to_string(c.d) + " " + std::to_string(c.h) + ":" + std::to_string(c.mi));
    ZoneLookup z = LookupZone(files, c.table, c.y, c.mo, c.d, c.h, c.mi, c.lon);
    EXPECT_EQ(z.abbrev, c.abbrev);
    EXPECT_NEAR(z.hours, c.hours, 1e-9);
    EXPECT_EQ(z.beyondTable, c.beyond);
  }
}

TEST_F(GeneratedTablesTest, TablesFitTheEditorAndCodesAreUnique) {
  EXPECT_EQ(ListTables(files), (std::vector<std::string>{"America/New_York - #1", "Australia/Adelaide - #2",
                                                         "Asia/Kolkata - #7", "Etc/UTC - #9"}));
  for (const TZTable& t : generated.tables) {
    EXPECT_LE(t.entries.size(), 300u) << t.header.Name;
    for (std::size_t i = 1; i < t.entries.size(); ++i) {
      const TZTableEntry& a = t.entries[i - 1];
      const TZTableEntry& b = t.entries[i];
      EXPECT_LE(std::tuple(a.Year, a.MonthDay, a.HourMinute), std::tuple(b.Year, b.MonthDay, b.HourMinute))
          << t.header.Name << " entry " << i;
      EXPECT_NE(a.ZoneCode, b.ZoneCode);
    }
  }
  for (std::size_t i = 0; i < generated.codes.size(); ++i) EXPECT_EQ(generated.codes[i].code, static_cast<int>(i) + 1);
}

TEST(ZoneNumbers, RefusesBadLists) {
  EXPECT_THROW(ParseZoneNumbers("1 Europe/Paris\n1 Europe/Rome\n"), TzError);
  EXPECT_THROW(ParseZoneNumbers("1 Europe/Paris\n2 Europe/Paris\n"), TzError);
  EXPECT_THROW(ParseZoneNumbers("0 Europe/Paris\n"), TzError);
  EXPECT_THROW(ParseZoneNumbers("Europe/Paris\n"), TzError);
  EXPECT_THROW(GenerateTables(ParseZoneNumbers("1 Nowhere/Atlantis\n"), GeneratorOptions{}), TzError);
}

// The shipped numbering list is valid and every zone in it loads.
TEST(ZoneNumbers, ShippedListGenerates) {
  std::optional<std::string> text = ReadFileBytes(std::string(KORVANA_SOURCE_DATA_DIR) + "/tztables/zones.txt");
  ASSERT_TRUE(text);
  std::vector<NumberedZone> zones = ParseZoneNumbers(*text);
  EXPECT_GT(zones.size(), 300u);
  GeneratedTables t = GenerateTables(zones, GeneratorOptions{});
  EXPECT_EQ(t.tables.size(), zones.size());
}

}  // namespace
}  // namespace korvana::tztables
