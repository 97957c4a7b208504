#include "core/charts/chart_place.h"

#include <gtest/gtest.h>

#include "core/charts/place_file.h"
#include "place_fixtures.h"
#include "support/date_time_fixture.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::Place;
using testing::RecordingMessages;
using testing::TempFolder;

// A places folder with two place files and the alternates that file Australia's and the
// United States' places under their states.
class PlaceFilesLookup : public ::testing::Test {
 protected:
  void SetUp() override {
    WritePlaces("aus.plc", {Place("Sydney", "NSW", "AEST -10:00", "33S52", "151E13"),
                            Place("Perth", "WA", "AWST -8:00", "31S57", "115E51"),
                            Place("Perth", "Scotland", "GMT +0:00", "56N24", "3W26")});
    WritePlaces("usa.plc", {Place("Portland", "ME", "EST +5:00", "43N40", "70W16"),
                            Place("Portland", "OR", "PST +8:00", "45N31", "122W41"),
                            Place("Broken", "OR", "PST +8:00", "45N00", "999W99")});
    folder.Write("State.ini", "[Alternates]\r\nAustralia=NSW,WA\r\nUnited States=ME,OR\r\n");
    context.sources = {folder.Path(), folder / "State.ini"};
    context.tables = {folder.Path()};
  }
  void WritePlaces(const std::string& name, const std::vector<PlaceRecord>& places) {
    folder.Write(name, EncodePlaceFile(places));
  }
  std::optional<LocatedPlace> Locate(const char* file, const char* place, const char* country) {
    return LocateInPlaceFiles(folder / file, place, country, testing::Rec(2024, 1, 15, 12, 0, 0, calGregorian), context, messages);
  }

  TempFolder folder;
  PlaceFileContext context;
  RecordingMessages messages;
};

TEST_F(PlaceFilesLookup, TakesThePlaceOfTheTypedCountryWhereverItIsFiled) {
  struct Case {
    const char* file;
    const char* place;
    const char* country;
    const char* foundCountry;
    double latitude, longitude, zoneHours;
  };
  const Case cases[] = {
      {"aus.plc", "Sydn", "", "NSW", -(33 + 52 / 60.0), -(151 + 13 / 60.0), -10},  // prefix in the file's list
      {"aus.plc", "Perth", "Scotland", "Scotland", 56 + 24 / 60.0, 3 + 26 / 60.0, 0},
      {"aus.plc", "Perth", "Australia", "WA", -(31 + 57 / 60.0), -(115 + 51 / 60.0), -8},  // through the alternates
      {"usa.plc", "Portland", "OR", "OR", 45 + 31 / 60.0, 122 + 41 / 60.0, 8},  // not Maine's, first in the list
      {"usa.plc", "portland", "me", "ME", 43 + 40 / 60.0, 70 + 16 / 60.0, 5},
      {"aus.plc", "Portland", "OR", "OR", 45 + 31 / 60.0, 122 + 41 / 60.0, 8},  // in another file, by the index
  };
  for (const Case& c : cases) {
    messages.messages.clear();
    const auto found = Locate(c.file, c.place, c.country);
    ASSERT_TRUE(found.has_value()) << c.place << ", " << c.country;
    EXPECT_EQ(found->country, c.foundCountry) << c.place;
    EXPECT_NEAR(found->latitude, c.latitude, 1e-4) << c.place;
    EXPECT_NEAR(found->longitude, c.longitude, 1e-4) << c.place;
    EXPECT_NEAR(found->zoneHours, c.zoneHours, 1e-6) << c.place;
    EXPECT_TRUE(found->ianaZone.empty());
    EXPECT_TRUE(messages.messages.empty()) << c.place;
  }
}

TEST_F(PlaceFilesLookup, APlaceItCannotSettleIsReportedAndGivesNothing) {
  const struct {
    const char* file;
    const char* place;
    const char* country;
    const char* message;
  } cases[] = {
      {"aus.plc", "Perth", "Canada", "The place name Perth was not found in any place file."},
      {"aus.plc", "Darwin", "", "The place name Darwin was not found in any place file."},
      {"usa.plc", "Broken", "OR", "999W99"},  // its longitude does not parse
      {"missing.plc", "Sydney", "", "missing.plc"},
  };
  for (const auto& c : cases) {
    messages.messages.clear();
    EXPECT_FALSE(Locate(c.file, c.place, c.country).has_value()) << c.place;
    ASSERT_FALSE(messages.messages.empty()) << c.place;
    EXPECT_NE(messages.messages.back().text.find(c.message), std::string::npos) << messages.messages.back().text;
  }
}

TEST(LocalTimeFit, TheMessageSaysHowATimeTheClocksSkippedOrRepeatedIsRead) {
  LocatedPlace place;
  place.place = "Adelaide";
  place.zoneHours = -9.5;
  place.zoneAbbrev = "ACST";
  EXPECT_EQ(LocalTimeFitMessage(place), "");
  place.fit = LocalTimeFit::InGap;
  EXPECT_NE(LocalTimeFitMessage(place).find("went forward"), std::string::npos);
  EXPECT_NE(LocalTimeFitMessage(place).find("-9:30"), std::string::npos);
  place.fit = LocalTimeFit::InFold;
  EXPECT_NE(LocalTimeFitMessage(place).find("first of the two"), std::string::npos);
}

}  // namespace
}  // namespace korvana
