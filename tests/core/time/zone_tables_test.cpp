#include "core/time/zone_tables.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/time/errors.h"
#include "core/util/records.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

TZTableEntry Entry(std::int32_t code, int year, int month, int day, int hour = 0, int minute = 0) {
  return TZTableEntry{code, static_cast<std::int16_t>(year), static_cast<std::int16_t>(month * 100 + day),
                      static_cast<std::int16_t>(hour * 100 + minute)};
}

TZTable Table(std::int32_t no, std::int32_t next, std::string name, std::vector<TZTableEntry> entries) {
  TZTable t;
  t.header.TableNo = no;
  t.header.NextTable = next;
  t.header.Name = std::move(name);
  t.entries = std::move(entries);
  return t;
}

// A data folder with a few zone codes and tables that exercise every rule of the lookup.
class ZoneTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files.folder = dir.Path();
    codes = {{1, 5 * 900, "EST"}, {2, 4 * 900, "EDT"}, {3, -9 * 900 - 450, "ACST"},
             {4, -10 * 900 - 450, "ACDT"}};
    tables = {
        // 1: standard time from 1883, summer time 1942..1943, continues in table 2.
        Table(1, 2, "New York part 1",
              {Entry(1, 1883, 11, 18, 12, 3), Entry(2, 1942, 2, 9, 2), Entry(1, 1945, 9, 30, 2)}),
        Table(2, 0, "New York part 2", {Entry(2, 1967, 4, 30, 2), Entry(1, 1967, 10, 29, 2)}),
        // 3: ends with -1: dates after it lie beyond the table.
        Table(3, -1, "Adelaide", {Entry(3, 1899, 5, 1), Entry(4, 1971, 10, 31, 2)}),
        // 4: an entry in local mean time at 150 degrees west.
        Table(4, 0, "Local mean", {Entry(-LocalMeanTimeBase + 9000, 1800, 1, 1)}),
        // 5 -> 6 -> 5: a chain that loops.
        Table(5, 6, "Loop A", {Entry(1, 1900, 1, 1)}),
        Table(6, 5, "Loop B", {Entry(2, 1950, 1, 1)}),
        // 7 -> 8 (empty table).
        Table(7, 8, "To empty", {Entry(1, 1900, 1, 1)}),
        Table(8, 0, "Empty", {}),
        // 9: a chain to a table that is not in the index.
        Table(9, 99, "To missing", {Entry(1, 1900, 1, 1)}),
        // 10: a code that is not in the code list.
        Table(10, 0, "Unknown code", {Entry(77, 1900, 1, 1)}),
    };
    WriteAll();
  }

  void WriteAll() {
    dir.Write("tztable.lst", WriteZoneCodes(codes));
    ZoneTableBytes bytes = WriteZoneTables(tables);
    dir.Write("tztable.ndx", bytes.index);
    dir.Write("tztable.bin", bytes.bin);
  }

  ZoneLookup Lookup(int table, int y, int mo, int d, int h = 0, int mi = 0, double lon = 74) {
    return LookupZone(files, table, y, mo, d, h, mi, lon);
  }

  testing::TempFolder dir;
  ZoneTableFiles files;
  std::vector<TZCode> codes;
  std::vector<TZTable> tables;
};

TEST_F(ZoneTablesTest, FormatsRoundTrip) {
  std::vector<TZCode> back = ReadZoneCodes(files);
  ASSERT_EQ(back.size(), codes.size());
  EXPECT_EQ(back[2].abbrev, "ACST");
  EXPECT_EQ(back[2].offsetUnits, -8550);
  EXPECT_EQ(dir.Read("tztable.lst").size(), 4 + 11 * codes.size());
  std::vector<TZIndexEntry> index = ParseZoneIndex(dir.Read("tztable.ndx"));
  ASSERT_EQ(index.size(), tables.size());
  EXPECT_EQ(index[0].position, 1);
  EXPECT_EQ(index[1].position, 1 + 52 + 3 * 10);
  TZTable t = LoadTable(files, 1, 300);
  EXPECT_EQ(t.header.Name, "New York part 1");
  EXPECT_EQ(t.header.NextTable, 2);
  EXPECT_EQ(t.entries, tables[0].entries);
  EXPECT_EQ(LoadTable(files, 1, 1).entries.size(), 2u);  // at most maxEntries + 1
}

TEST_F(ZoneTablesTest, LookupRules) {
  struct Case {
    const char* what;
    int table, y, mo, d, h, mi;
    double lon;
    const char* abbrev;
    double hours;
    bool beyond;
  };
  const Case cases[] = {
      {"before the first entry: LMT from the longitude", 1, 1850, 1, 1, 0, 0, 74.0 + 1 / 60.0, "LMT", (74 * 60 + 1) / 900.0, false},
      {"east longitude gives a negative LMT", 3, 1850, 1, 1, 0, 0, -150, "LMT", -10, false},
      {"one minute before the first entry", 1, 1883, 11, 18, 12, 2, 74, "LMT", 74 / 15.0, false},
      {"equal to an entry takes it", 1, 1883, 11, 18, 12, 3, 74, "EST", 5, false},
      {"between entries", 1, 1942, 6, 1, 0, 0, 74, "EDT", 4, false},
      {"equal to a later entry", 1, 1945, 9, 30, 2, 0, 74, "EST", 5, false},
      {"chained: after the first table, before the second table's first entry", 1, 1950, 1, 1, 0, 0, 74, "EST", 5, false},
      {"chained: inside the second table", 1, 1967, 6, 1, 0, 0, 74, "EDT", 4, false},
      {"after the last entry with NextTable 0", 1, 2020, 7, 1, 0, 0, 74, "EST", 5, false},
      {"after the last entry with NextTable -1", 3, 2020, 1, 1, 0, 0, -138.5, "ACDT", -10.5, true},
      {"local mean time code", 4, 1900, 1, 1, 0, 0, 0, "", 10, false},
      {"a loop ends", 5, 2000, 1, 1, 0, 0, 74, "EDT", 4, true},
      {"an empty table ends the chain", 7, 2000, 1, 1, 0, 0, 74, "EST", 5, true},
      {"an empty first table gives LMT", 8, 2000, 1, 1, 0, 0, 15, "LMT", 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ZoneLookup z = Lookup(c.table, c.y, c.mo, c.d, c.h, c.mi, c.lon);
    EXPECT_EQ(z.abbrev, c.abbrev);
    EXPECT_NEAR(z.hours, c.hours, 1e-12);
    EXPECT_EQ(z.beyondTable, c.beyond);
  }
}

TEST_F(ZoneTablesTest, MissingTablesAndCodesAreErrors) {
  try {
    Lookup(42, 2000, 1, 1);
    FAIL() << "no error";
  } catch (const ETZError& e) {
    EXPECT_STREQ(e.what(), "TimeZone Table Not Found");
  }
  EXPECT_THROW(Lookup(9, 2000, 1, 1), ETZError);  // the chain leads to table 99
  EXPECT_NO_THROW(Lookup(9, 1899, 1, 1));         // ...but not for dates before its end
  EXPECT_THROW(Lookup(10, 2000, 1, 1), ETZError);
  EXPECT_THROW(LoadTable(files, 42, 10), ETZError);
}

TEST_F(ZoneTablesTest, DamagedFilesGiveErrorsNotCrashes) {
  std::string bin = dir.Read("tztable.bin");
  std::string ndx = dir.Read("tztable.ndx");
  std::string lst = dir.Read("tztable.lst");
  // Every truncation of each file, a huge count, a bad position, garbage.
  for (std::size_t cut : {std::size_t{0}, std::size_t{3}, std::size_t{20}, std::size_t{60}, bin.size() - 1}) {
    if (cut == bin.size() - 1) {
      dir.Write("tztable.bin", bin.substr(0, cut));
      EXPECT_THROW(Lookup(10, 1850, 1, 1), ETZError);
      continue;
    }
    dir.Write("tztable.bin", bin.substr(0, cut));
    EXPECT_THROW(Lookup(2, 2000, 1, 1), ETZError) << cut;
    EXPECT_THROW(Lookup(10, 1850, 1, 1), ETZError) << cut;  // the last table
  }
  dir.Write("tztable.bin", bin);
  for (std::size_t cut : {std::size_t{0}, std::size_t{2}, ndx.size() - 3}) {
    dir.Write("tztable.ndx", ndx.substr(0, cut));
    EXPECT_THROW(Lookup(1, 2000, 1, 1), ETZError) << cut;
  }
  std::string badPosition = ndx;
  PatchI32(badPosition, 8, 1 << 30);
  dir.Write("tztable.ndx", badPosition);
  EXPECT_THROW(Lookup(1, 2000, 1, 1), ETZError);
  PatchI32(badPosition, 8, -5);
  dir.Write("tztable.ndx", badPosition);
  EXPECT_THROW(Lookup(1, 2000, 1, 1), ETZError);
  dir.Write("tztable.ndx", ndx);
  std::string hugeCount = bin;
  PatchI32(hugeCount, 8, 0x7FFFFFFF);
  dir.Write("tztable.bin", hugeCount);
  EXPECT_THROW(Lookup(1, 2000, 1, 1), ETZError);
  PatchI32(hugeCount, 8, -1);
  dir.Write("tztable.bin", hugeCount);
  EXPECT_THROW(Lookup(1, 2000, 1, 1), ETZError);
  dir.Write("tztable.bin", bin);
  dir.Write("tztable.lst", lst.substr(0, 10));
  EXPECT_THROW(Lookup(1, 2000, 1, 1), ETZError);
  dir.Write("tztable.lst", "garbage that is not a code list at all");
  EXPECT_THROW(Lookup(1, 2000, 1, 1), ETZError);
  std::filesystem::remove(dir / "tztable.lst");
  EXPECT_THROW(Lookup(1, 2000, 1, 1), ETZError);
}

TEST_F(ZoneTablesTest, ListsAndChoiceRows) {
  std::vector<std::string> list = ListTables(files);
  ASSERT_EQ(list.size(), tables.size());
  EXPECT_EQ(list[0], "New York part 1 - #1");
  EXPECT_EQ(list[2], "Adelaide - #3");
  std::vector<std::string> rows = TableChoiceRows(files);
  EXPECT_EQ(rows.front(), "! No Table ! - #0");
  EXPECT_EQ(NextTableChoiceRows(files).back(), " None - #0");
  EXPECT_EQ(TableNumberFromListText("! No Table ! - #0"), 0);
  EXPECT_EQ(TableNumberFromListText("Zone #2 - #12"), 12);
  EXPECT_EQ(TableNumberFromListText("no number"), std::nullopt);
}

TEST_F(ZoneTablesTest, ZoneTextForPlace) {
  testing::RecordingMessages messages;
  EntryOptions options;
  EXPECT_EQ(ZoneTextForPlace(files, 1, "1 Jul 1942", "12:00", "74W00", options, messages), "EDT +4:00");
  EXPECT_TRUE(messages.Empty());
  EXPECT_EQ(ZoneTextForPlace(files, 1, "1 Jan 1850", "12:00", "74W00", options, messages), "LMT +4:56");
  EXPECT_EQ(ZoneTextForPlace(files, 4, "1 Jan 1900", "0:00", "150W", options, messages), "+10:00");

  EXPECT_EQ(ZoneTextForPlace(files, 0, "1 Jul 1942", "12:00", "74W00", options, messages), std::nullopt);
  EXPECT_EQ(messages.Only(), NoLookupTableWarning);
  messages.messages.clear();

  EXPECT_EQ(ZoneTextForPlace(files, 3, "1 Jan 2020", "12:00", "138E35", options, messages), "ACDT -10:30");
  EXPECT_EQ(messages.Only(), BeyondTableWarning);
  messages.messages.clear();

  EXPECT_EQ(ZoneTextForPlace(files, 1, "31 Feb 2000", "12:00", "74W", options, messages), std::nullopt);
  EXPECT_EQ(messages.Only(), DateInvalidMessage);
  EXPECT_THROW(ZoneTextForPlace(files, 42, "1 Jan 2000", "12:00", "74W", options, messages), ETZError);
}

TEST_F(ZoneTablesTest, SaveReplacesDropsAndAppends) {
  testing::RecordingMessages messages;
  TZTable changed = Table(2, 0, "New York part 2 (edited)", {Entry(1, 1967, 1, 1)});
  SaveTableResult r = SaveTable(files, changed, messages);
  EXPECT_FALSE(r.failed);
  EXPECT_EQ(r.tableNo, 2);
  std::vector<std::string> list = ListTables(files);
  EXPECT_EQ(list[1], "New York part 2 (edited) - #2");  // in its old place
  EXPECT_EQ(Lookup(1, 1967, 6, 1).abbrev, "EST");        // takes effect at once

  SaveTableResult added = SaveTable(files, Table(0, 0, "New", {Entry(3, 1900, 1, 1)}), messages);
  EXPECT_EQ(added.tableNo, 11);
  EXPECT_EQ(ListTables(files).back(), "New - #11");

  EXPECT_EQ(SaveTable(files, Table(3, 0, "", {}), messages).tableNo, 0);
  list = ListTables(files);
  EXPECT_EQ(list.size(), tables.size());  // one dropped, one added
  EXPECT_THROW(Lookup(3, 2000, 1, 1), ETZError);
  EXPECT_TRUE(messages.Empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "ndx.tmp"));
  EXPECT_FALSE(std::filesystem::exists(dir / "bin.tmp"));
}

TEST_F(ZoneTablesTest, NewTableNumberIsAboveTheHighestNumber) {
  // The index is not in number order: the new table must not reuse a number.
  std::swap(tables[0], tables[9]);
  WriteAll();
  testing::RecordingMessages messages;
  EXPECT_EQ(SaveTable(files, Table(0, 0, "New", {Entry(1, 1900, 1, 1)}), messages).tableNo, 11);
}

TEST_F(ZoneTablesTest, FailedSaveKeepsTheOldFiles) {
  std::string ndx = dir.Read("tztable.ndx");
  std::string bin = dir.Read("tztable.bin");
  testing::RecordingMessages messages;
  // Damaged old files: nothing is written.
  dir.Write("tztable.bin", bin.substr(0, 30));
  SaveTableResult r = SaveTable(files, Table(1, 0, "x", {Entry(1, 1900, 1, 1)}), messages);
  EXPECT_TRUE(r.failed);
  EXPECT_EQ(messages.Only(), "Unable to save changes to time zone tables.");
  EXPECT_EQ(dir.Read("tztable.bin"), bin.substr(0, 30));
  EXPECT_EQ(dir.Read("tztable.ndx"), ndx);
  dir.Write("tztable.bin", bin);

  // The work file cannot be created (a folder stands in its place).
  messages.messages.clear();
  std::filesystem::create_directory(dir / "bin.tmp");
  r = SaveTable(files, Table(1, 0, "x", {Entry(1, 1900, 1, 1)}), messages);
  EXPECT_TRUE(r.failed);
  EXPECT_EQ(messages.Only(), SaveTablesFailedMessage);
  EXPECT_EQ(dir.Read("tztable.bin"), bin);
  EXPECT_EQ(dir.Read("tztable.ndx"), ndx);
  EXPECT_FALSE(std::filesystem::exists(dir / "ndx.tmp"));
}

TEST_F(ZoneTablesTest, DeleteAsksFirst) {
  testing::RecordingMessages messages;
  messages.answers = {Answer::No, Answer::Yes};
  EXPECT_FALSE(DeleteZoneTable(files, 3, messages));
  EXPECT_NO_THROW(Lookup(3, 2000, 1, 1));
  EXPECT_TRUE(DeleteZoneTable(files, 3, messages));
  EXPECT_THROW(Lookup(3, 2000, 1, 1), ETZError);
  EXPECT_EQ(messages.messages[0].text, DeleteTableQuestion);
}

TEST_F(ZoneTablesTest, SaveCreatesTheFilesWhenThereAreNone) {
  testing::TempFolder empty;
  ZoneTableFiles fresh{empty.Path()};
  testing::RecordingMessages messages;
  EXPECT_EQ(SaveTable(fresh, Table(0, 0, "First", {Entry(1, 1900, 1, 1)}), messages).tableNo, 1);
  EXPECT_EQ(ListTables(fresh), (std::vector<std::string>{"First - #1"}));
}

TEST_F(ZoneTablesTest, EditorRules) {
  testing::RecordingMessages messages;
  ZoneTableEditor editor(LoadTable(files, 3, ZoneTableEditor::MaxEntries), ReadZoneCodes(files));
  EXPECT_EQ(editor.EntryRowText(0), "1 May 1899\t0:00\tACST -9:30");

  // Fewer than three entries: the new entry is 15 March 1900 02:00, code 1.
  ASSERT_TRUE(editor.AddEntry(messages));
  EXPECT_EQ(editor.Entries().back(), Entry(1, 1900, 3, 15, 2, 0));
  ASSERT_TRUE(editor.AddEntry(messages));
  EXPECT_EQ(editor.Entries().back(), Entry(1, 1901, 3, 15, 2, 0));  // copy, year + 1

  // Sorting by date only, and only when out of order.
  EXPECT_TRUE(editor.SortEntries());
  EXPECT_EQ(editor.Entries()[1], Entry(1, 1900, 3, 15, 2, 0));
  EXPECT_EQ(editor.Entries()[3], Entry(4, 1971, 10, 31, 2, 0));
  EXPECT_FALSE(editor.SortEntries());

  // Entry fields: abbreviation (with hours to tell equal names apart), longitude, refused.
  EXPECT_TRUE(editor.SetEntry(1, "2 Feb 1902", "3:04", "edt", messages));
  EXPECT_EQ(editor.Entries()[1], Entry(2, 1902, 2, 2, 3, 4));
  EXPECT_TRUE(editor.SetEntry(1, "2 Feb 1902", "3:04", "EST +5:00", messages));
  EXPECT_EQ(editor.Entries()[1].ZoneCode, 1);
  EXPECT_TRUE(editor.SetEntry(1, "2 Feb 1902", "3:04", "150W00", messages));
  EXPECT_EQ(editor.Entries()[1].ZoneCode, 9000 - LocalMeanTimeBase);
  EXPECT_EQ(editor.EntryRowText(1), "2 Feb 1902\t3:04\t150\xC2\xB0W00'");
  EXPECT_TRUE(messages.Empty());
  EXPECT_FALSE(editor.SetEntry(1, "2 Feb 1902", "3:04", "XYZ", messages));
  EXPECT_EQ(messages.Only(), ZoneNotRecognisedMessage);
  EXPECT_FALSE(editor.SetEntry(1, "2 Feb 1902", "3:04", "EST +6:00", messages));
  EXPECT_EQ(editor.Entries()[1].ZoneCode, 9000 - LocalMeanTimeBase);  // unchanged
  messages.messages.clear();

  editor.DeleteEntry(1);
  EXPECT_EQ(editor.Entries().size(), 3u);
  editor.SetNextTable(true, 2);
  EXPECT_EQ(editor.Table().header.NextTable, -1);
  editor.SetNextTable(false, 2);
  EXPECT_EQ(editor.Table().header.NextTable, 2);
  editor.SetName(std::string(50, 'x'));
  EXPECT_EQ(editor.Table().header.Name.size(), 40u);
}

TEST_F(ZoneTablesTest, EditorEntryLimit) {
  testing::RecordingMessages messages;
  ZoneTableEditor editor(Table(0, 0, "Big", {}), codes);
  for (int i = 0; i < 300; ++i) ASSERT_TRUE(editor.AddEntry(messages));
  EXPECT_FALSE(editor.AddEntry(messages));
  EXPECT_EQ(editor.Entries().size(), 300u);
  EXPECT_EQ(messages.Only(),
            "Cannot add because the limit of entries has been reached.\r\nThe maximum number of entries is 300");
}

TEST_F(ZoneTablesTest, EditorSaveAsksWhenTheNameChanged) {
  testing::RecordingMessages messages;
  ZoneTableEditor editor(LoadTable(files, 3, 300), codes);
  editor.SetName("Adelaide renamed");
  messages.answers = {Answer::Cancel, Answer::No, Answer::Yes};
  EXPECT_EQ(editor.Save(files, messages), std::nullopt);
  EXPECT_EQ(ListTables(files)[2], "Adelaide - #3");

  std::optional<SaveTableResult> updated = editor.Save(files, messages);
  ASSERT_TRUE(updated);
  EXPECT_EQ(updated->tableNo, 3);
  EXPECT_EQ(ListTables(files)[2], "Adelaide renamed - #3");

  editor.SetName("Adelaide copy");
  std::optional<SaveTableResult> copy = editor.Save(files, messages);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->tableNo, 11);
  EXPECT_EQ(ListTables(files).back(), "Adelaide copy - #11");
  EXPECT_EQ(ListTables(files)[2], "Adelaide renamed - #3");
  EXPECT_EQ(messages.messages.size(), 3u);  // the three questions
  EXPECT_EQ(messages.messages[0].text, TableNameChangedQuestion);
}

}  // namespace
}  // namespace korvana
