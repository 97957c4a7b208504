#include "core/charts/place_file.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "core/charts/country_index.h"
#include "core/util/folder_lock.h"
#include "core/util/ini_file.h"
#include "place_fixtures.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::NswPlaces;
using testing::Place;
using testing::RecordingMessages;
using testing::TempFolder;
using testing::WaPlaces;

std::string ErrorOf(std::string_view data) {
  try {
    DecodePlaceFile(data);
  } catch (const EPlaceFileError& e) {
    return e.what();
  }
  return "<read>";
}

TEST(PlaceFileReading, ReadsEveryPlaceInFileOrder) {
  EXPECT_EQ(DecodePlaceFile(EncodePlaceFile(NswPlaces())), NswPlaces());
  EXPECT_TRUE(DecodePlaceFile("").empty());
}

TEST(PlaceFileReading, DamageIsReportedWithThePlaceWhereItIs) {
  const std::string good = EncodePlaceFile(NswPlaces());
  std::string badSecond = good;
  badSecond.replace(PlaceRecordSize + 54, 5, "garbl");
  const struct {
    const char* what;
    std::string data;
    std::string message;
  } cases[] = {
      {"cut short", good.substr(0, good.size() - 1), "The place file is damaged: it ends inside place 3."},
      {"shorter than a place", good.substr(0, 10), "The place file is damaged: it ends inside place 1."},
      {"a tail after the last place", good + "x", "The place file is damaged: it ends inside place 4."},
      {"a record that is no place", badSecond,
       "The place file is damaged: in place 2, a latitude or longitude of the place holds characters other than "
       "blanks, digits and capital letters."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ErrorOf(c.data), c.message);
  }
}

TEST(PlaceFileReading, FilesThatCannotBeOpenedOrAreDamagedAreNamed) {
  TempFolder temp;
  const std::string damaged = temp.Write("cut.plc", EncodePlaceFile(NswPlaces()).substr(0, 100));
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {temp / "missing.plc", "The place file " + (temp / "missing.plc") + " could not be opened."},
      {temp.Path(), "The place file " + temp.Path() + " could not be opened."},
      {damaged, "The place file " + damaged + " is damaged: it ends inside place 2."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      ReadPlaceFile(c.path);
      ADD_FAILURE() << "read";
    } catch (const EPlaceFileError& e) {
      EXPECT_EQ(e.what(), c.message);
    }
  }
}

class PlaceFileChanges : public ::testing::Test {
 protected:
  TempFolder temp;
  RecordingMessages messages;
  std::string nsw = temp.Write("nsw.plc", EncodePlaceFile(NswPlaces()));
  std::string wa = temp.Write("wa.plc", EncodePlaceFile(WaPlaces()));

  // Every change must leave the country index marked for a rebuild.
  void WriteCurrentIndex() { ASSERT_TRUE(RefreshCountryIndex(temp.Path(), true, messages)); }
  int ForceRefresh() { return IniFile(temp / CountryIndexName).ReadInteger("Status", "ForceRefresh", -1); }
};

TEST_F(PlaceFileChanges, AddAppendsAndMarksTheIndex) {
  WriteCurrentIndex();
  const PlaceRecord orange = Place("Orange", "NSW", "AEST", "33S17", "149E06");
  EXPECT_EQ(AddPlace(nsw, orange, messages), 4);
  EXPECT_EQ(temp.Read("nsw.plc"), EncodePlaceFile(NswPlaces()) + PlaceRecordBytes(orange));
  EXPECT_EQ(ForceRefresh(), 1);
  EXPECT_TRUE(messages.Empty());

  EXPECT_EQ(AddPlace(temp / "new.plc", orange, messages), 1);  // a new file
  EXPECT_EQ(temp.Read("new.plc"), PlaceRecordBytes(orange));
}

TEST_F(PlaceFileChanges, ReplaceRewritesOnlyThatPlace) {
  WriteCurrentIndex();
  const PlaceRecord moved = Place("Newcastle", "NSW", "AEST", "32S56", "151E47", 7);
  EXPECT_TRUE(ReplacePlace(nsw, 2, moved, messages));
  EXPECT_EQ(ReadPlaceFile(nsw), (std::vector<PlaceRecord>{NswPlaces()[0], moved, NswPlaces()[2]}));
  EXPECT_EQ(ForceRefresh(), 1);
}

TEST_F(PlaceFileChanges, CopyAppendsTheChosenPlacesInFileOrderOnce) {
  WriteCurrentIndex();
  EXPECT_EQ(CopyPlaces(wa, {3, 2, 3}, nsw, messages), 2);
  std::vector<PlaceRecord> expected = NswPlaces();
  expected.push_back(WaPlaces()[1]);
  expected.push_back(WaPlaces()[2]);
  EXPECT_EQ(ReadPlaceFile(nsw), expected);
  EXPECT_EQ(ReadPlaceFile(wa), WaPlaces());
  EXPECT_EQ(messages.Only(), "2 Places were copied successfully.");
  EXPECT_EQ(ForceRefresh(), 1);

  messages.messages.clear();
  EXPECT_EQ(CopyPlaces(wa, {1}, temp / "sub/new.plc", messages), std::nullopt);  // no such folder
  EXPECT_EQ(messages.Only(), "The place file " + (temp / "sub/new.plc") + " could not be written.");
  EXPECT_EQ(CopyPlaces(wa, {1}, temp / "new.plc", messages), 1);
  EXPECT_EQ(ReadPlaceFile(temp / "new.plc"), std::vector<PlaceRecord>{WaPlaces()[0]});
}

TEST_F(PlaceFileChanges, CopyIntoTheSameFileIsRefusedHoweverItIsNamed) {
  std::filesystem::create_symlink(nsw, temp / "link.plc");
  for (const std::string& to : {nsw, temp.Path() + "./nsw.plc", temp / "link.plc"}) {
    SCOPED_TRACE(to);
    messages.messages.clear();
    EXPECT_EQ(CopyPlaces(nsw, {1}, to, messages), std::nullopt);
    EXPECT_EQ(messages.Only(), "You cannot copy places into the same file.");
    EXPECT_EQ(ReadPlaceFile(nsw), NswPlaces());
  }
}

TEST_F(PlaceFileChanges, DeleteAsksAndRewritesWithoutThePlaces) {
  WriteCurrentIndex();
  messages.answers.push_back(Answer::Cancel);
  EXPECT_EQ(DeletePlaces(nsw, {1}, messages), std::nullopt);
  EXPECT_EQ(ReadPlaceFile(nsw), NswPlaces());
  EXPECT_EQ(messages.Only(), "Are you sure that you wish to delete the selected places?");
  EXPECT_EQ(ForceRefresh(), 0);

  messages.messages.clear();
  EXPECT_EQ(DeletePlaces(nsw, {3, 1}, messages), 2);
  EXPECT_EQ(ReadPlaceFile(nsw), std::vector<PlaceRecord>{NswPlaces()[1]});
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages[1].text, "2 Places were deleted.");
  EXPECT_EQ(ForceRefresh(), 1);
}

// Every refused change shows its reason and leaves the files as they were.
TEST_F(PlaceFileChanges, RefusedChangesLeaveTheFilesAlone) {
  const std::string damagedBytes = EncodePlaceFile(NswPlaces()) + "tail";
  const std::string damaged = temp.Write("damaged.plc", damagedBytes);
  const PlaceRecord good = Place("Orange", "NSW");
  const struct {
    const char* what;
    std::function<bool()> change;
    std::string message;
  } cases[] = {
      {"add a blank name", [&] { return AddPlace(nsw, Place("   ", "NSW"), messages).has_value(); },
       "Place name must not be blank."},
      {"replace with a blank name", [&] { return ReplacePlace(nsw, 1, Place("", "NSW"), messages); },
       "Place name must not be blank."},
      {"replace a place not there", [&] { return ReplacePlace(nsw, 4, good, messages); },
       "There is no place 4 in this place file (it holds 3 places)."},
      {"replace place 0", [&] { return ReplacePlace(nsw, 0, good, messages); },
       "There is no place 0 in this place file (it holds 3 places)."},
      {"copy a place not there", [&] { return CopyPlaces(wa, {1, 9}, nsw, messages).has_value(); },
       "There is no place 9 in this place file (it holds 3 places)."},
      {"delete a place not there", [&] { return DeletePlaces(nsw, {2, -1}, messages).has_value(); },
       "There is no place -1 in this place file (it holds 3 places)."},
      {"add to a damaged file", [&] { return AddPlace(damaged, good, messages).has_value(); },
       "The place file " + damaged + " is damaged: it ends inside place 4."},
      {"copy from a damaged file", [&] { return CopyPlaces(damaged, {1}, nsw, messages).has_value(); },
       "The place file " + damaged + " is damaged: it ends inside place 4."},
      {"copy into a damaged file", [&] { return CopyPlaces(nsw, {1}, damaged, messages).has_value(); },
       "The place file " + damaged + " is damaged: it ends inside place 4."},
      {"delete from a missing file", [&] { return DeletePlaces(temp / "none.plc", {1}, messages).has_value(); },
       "The place file " + (temp / "none.plc") + " could not be opened."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    messages.messages.clear();
    EXPECT_FALSE(c.change());
    ASSERT_FALSE(messages.messages.empty());
    EXPECT_EQ(messages.messages.back().text, c.message);
    EXPECT_EQ(ReadPlaceFile(nsw), NswPlaces());
    EXPECT_EQ(ReadPlaceFile(wa), WaPlaces());
    EXPECT_EQ(temp.Read("damaged.plc"), damagedBytes);
    EXPECT_FALSE(std::filesystem::exists(temp / "none.plc"));
  }
}

TEST_F(PlaceFileChanges, AChangeWaitsForTheFolderAndGivesUpWhenItStaysBusy) {
  const FolderWriteLock held(nsw);
  ASSERT_TRUE(held.Locked());
  EXPECT_EQ(AddPlace(nsw, Place("Orange", "NSW"), messages), std::nullopt);
  EXPECT_EQ(messages.Only(), FolderBusyMessage);
  EXPECT_EQ(ReadPlaceFile(nsw), NswPlaces());
}

}  // namespace
}  // namespace korvana
