#include "core/session/place_database.h"

#include <gtest/gtest.h>

#include "core/charts/place_file.h"
#include "core/session/new_chart_form.h"
#include "core/time/zone_tables.h"
#include "support/date_time_fixture.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::RecordingMessages;
using testing::TempFolder;

PlaceRecord Place(const char* place, const char* country, const char* zone, const char* lat, const char* lon,
                  std::int16_t table = 0) {
  return {place, country, zone, lat, lon, table};
}

class PlaceDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file = folder.Write("aus.plc", EncodePlaceFile({Place("Sydney", "NSW", "AEST", "33S52", "151E13", 2),
                                                    Place("Adelaide", "SA", "ACST", "34S55", "138E35"),
                                                    Place("Broome", "WA", "AWST", "17S58", "122E14")}));
    ASSERT_TRUE(db.Open(file, messages));
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < db.List().size(); ++i) rows.push_back(db.RowText(i));
    return rows;
  }

  TempFolder folder;
  std::string file;
  PlaceDatabase db{""};
  RecordingMessages messages;
};

TEST_F(PlaceDatabaseTest, ListsThePlacesByPlaceOrByCountryWithTheirNumbers) {
  EXPECT_EQ(db.StatusText(), "Places: 3");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Adelaide\tSA\t#2", "Broome\tWA\t#3", "Sydney\tNSW\t#1"}));
  db.SetOrder(PlaceOrder::CountryFirst);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"NSW\tSydney\t#1", "SA\tAdelaide\t#2", "WA\tBroome\t#3"}));
  struct Case {
    PlaceOrder order;
    const char* typed;
    std::optional<std::size_t> row;
  };
  const Case cases[] = {{PlaceOrder::PlaceFirst, "syd", 2},      {PlaceOrder::PlaceFirst, "Broome", 1},
                        {PlaceOrder::PlaceFirst, "Perth", std::nullopt}, {PlaceOrder::CountryFirst, "wa", 2},
                        {PlaceOrder::CountryFirst, "Sydney", std::nullopt}};
  for (const Case& c : cases) {
    db.SetOrder(c.order);
    EXPECT_EQ(db.Find(c.typed), c.row) << c.typed;
  }
  EXPECT_EQ(PlaceDatabase::TableText(*db.Place(1)), "Uses Table #2");
  EXPECT_EQ(PlaceDatabase::TableText(*db.Place(2)), "");
  EXPECT_FALSE(db.Place(4).has_value());
}

TEST_F(PlaceDatabaseTest, ChangesAreWrittenAndTheListIsReadAgain) {
  EXPECT_EQ(db.AddNew(Place("Hobart", "TAS", "AEST", "42S53", "147E19"), messages), 4);
  EXPECT_EQ(db.StatusText(), "Places: 4");
  EXPECT_EQ(db.RowOf(4), 2u) << "Adelaide, Broome, Hobart, Sydney";
  EXPECT_FALSE(db.AddNew(Place("  ", "TAS", "", "", ""), messages).has_value());
  EXPECT_EQ(messages.messages.back().text, "Place name must not be blank.");

  EXPECT_TRUE(db.Replace(2, Place("Adelaide", "SA", "ACST -9:30", "34S56", "138E36"), messages));
  EXPECT_EQ(ReadPlaceFile(file)[1].Latitude, "34S56");

  EXPECT_TRUE(db.SetTable({2, 3}, 7, messages));
  EXPECT_EQ(ReadPlaceFile(file)[1].ZoneTable, 7);
  EXPECT_EQ(ReadPlaceFile(file)[2].ZoneTable, 7);
  EXPECT_FALSE(db.SetTable({9}, 7, messages)) << "no place 9";

  EXPECT_FALSE(db.CopyTo({1}, file, messages).has_value());
  EXPECT_EQ(messages.messages.back().text, "You cannot copy places into the same file.");
  EXPECT_EQ(db.CopyTo({1, 3}, folder / "copy.plc", messages), 2);
  EXPECT_EQ(ReadPlaceFile(folder / "copy.plc").size(), 2u);

  messages.answers = {Answer::Ok};
  EXPECT_EQ(db.Delete({1, 4}, messages), 2);
  EXPECT_EQ(db.StatusText(), "Places: 2");
  EXPECT_EQ(ReadPlaceFile(file).size(), 2u);
}

TEST_F(PlaceDatabaseTest, ADamagedFileIsShownAndListsNothing) {
  const std::string damaged = folder.Write("damaged.plc", std::string(100, 'x'));
  EXPECT_FALSE(db.Open(damaged, messages));
  EXPECT_TRUE(db.List().empty());
  ASSERT_FALSE(messages.messages.empty());
  EXPECT_TRUE(db.Open(folder / "new.plc", messages)) << "a file not made yet is an empty list";
  EXPECT_EQ(db.StatusText(), "Places: 0");
}

// The place chosen in the place database fills the chart data entry; a place with a zone
// history table gets the zone in force at the typed date.
TEST(TakePlace, FillsTheEntryWithTheRecordAndTheZoneInForce) {
  TempFolder folder;
  ZoneTableFiles tables{folder.Path()};
  folder.Write("tztable.lst", WriteZoneCodes({{1, -9 * 900 - 450, "ACST"}, {2, -10 * 900 - 450, "ACDT"}}));
  TZTable table;
  table.header = {1, 0, 2, "Adelaide"};
  table.entries = {{1, 1899, 501, 0}, {2, 1971, 1031, 200}};
  const ZoneTableBytes bytes = WriteZoneTables({table});
  folder.Write("tztable.ndx", bytes.index);
  folder.Write("tztable.bin", bytes.bin);

  struct Case {
    const char* what;
    PlaceRecord place;
    const char* date;
    const char* zone;
  };
  const Case cases[] = {
      {"typed zone", Place("Broome", "WA", "AWST -8:00", "17S58", "122E14"), "1 Jan 2000", "AWST -8:00"},
      {"table, standard time", Place("Adelaide", "SA", "ACST", "34S55", "138E35", 1), "1 Jan 1950", "ACST -9:30"},
      {"table, summer time", Place("Adelaide", "SA", "ACST", "34S55", "138E35", 1), "1 Jan 1980", "ACDT -10:30"},
      {"table, before its first entry", Place("Adelaide", "SA", "ACST", "34S55", "138E35", 1), "1 Jan 1850",
       "LMT -9:14:20"},
      {"local mean time follows the longitude", Place("Alice", "NT", "LMT", "23S42", "133E53"), "1 Jan 1850",
       "LMT -8:55:32"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ProgramSettings settings;
    NewChartForm form(settings, nullptr, testing::Rec(2026, 1, 1, 12, 0));
    form.fields.date = c.date;
    RecordingMessages messages;
    form.TakePlace(c.place, tables, messages);
    EXPECT_EQ(form.fields.place, c.place.Place);
    EXPECT_EQ(form.fields.country, c.place.Country);
    EXPECT_EQ(form.fields.latitude, c.place.Latitude);
    EXPECT_EQ(form.fields.zone, c.zone);
    EXPECT_FALSE(form.PlaceChanged());
    EXPECT_TRUE(messages.messages.empty()) << messages.messages[0].text;
  }
}

}  // namespace
}  // namespace korvana

namespace korvana {
namespace {

// A place the place files do not hold is reported, and the outcome asks for the browser.
TEST(NewChartLookup, APlaceNotFoundAsksForThePlaceBrowser) {
  TempFolder folder;
  ProgramSettings settings;
  settings.UseACSAtlas = false;
  settings.Places = folder.Write("aus.plc", EncodePlaceFile({{"Hobart", "TAS", "AEST", "42S53", "147E19", 0}}));
  NewChartForm form(settings, nullptr, testing::Rec(2026, 1, 1, 12, 0));
  PlaceLookupSources sources;
  sources.placeFiles.sources = {folder.Path(), folder / "State.ini"};
  RecordingMessages messages;
  form.fields.place = "Nowhere";
  form.fields.country = "TAS";
  PlaceLookupOutcome outcome = form.Lookup(sources, messages);
  EXPECT_FALSE(outcome.found);
  EXPECT_TRUE(outcome.placeMissing);
  ASSERT_FALSE(messages.messages.empty());
  EXPECT_EQ(messages.messages.back().text, "The place name Nowhere was not found in any place file.");

  form.fields.date = "31 Feb 2026";  // the lookup cannot run: no browser either
  outcome = form.Lookup(sources, messages);
  EXPECT_FALSE(outcome.placeMissing);
  form.fields.date = "1 Jan 2026";
  form.fields.place = "Hobart";
  outcome = form.Lookup(sources, messages);
  EXPECT_TRUE(outcome.found);
  EXPECT_FALSE(outcome.placeMissing);
}

}  // namespace
}  // namespace korvana
