#include "core/charts/country_index.h"

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "core/charts/place_file.h"
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

class CountryIndex : public ::testing::Test {
 protected:
  TempFolder temp;
  RecordingMessages messages;

  void SetUp() override {
    temp.Write("nsw.plc", EncodePlaceFile(NswPlaces()));
    temp.Write("wa.plc", EncodePlaceFile(WaPlaces()));
    temp.Write("MAPS.PLC", EncodePlaceFile({Place("Atlantis", "Sea")}));
    temp.Write("notes.txt", EncodePlaceFile({Place("Lemuria", "Sea")}));
  }
  std::vector<std::string> FilesFor(std::string_view country) {
    std::vector<std::string> names;
    for (const std::string& path : PlaceFilesForCountry(temp.Path(), country)) names.push_back(path.substr(temp.Path().size()));
    return names;
  }
  IniFile Index() { return IniFile(temp / CountryIndexName); }
};

using Names = std::vector<std::string>;

TEST_F(CountryIndex, IsBuiltFromEveryPlaceFileButTheMaps) {
  EXPECT_EQ(PlaceFilesIn(temp.Path()), (Names{"nsw.plc", "wa.plc"}));
  ASSERT_TRUE(CountryIndexIsStale(temp.Path()));  // missing
  ASSERT_TRUE(RefreshCountryIndex(temp.Path(), false, messages));
  EXPECT_TRUE(messages.Empty());
  EXPECT_FALSE(CountryIndexIsStale(temp.Path()));
  const IniFile index = Index();
  EXPECT_EQ(index.ReadInteger("Status", "ForceRefresh", -1), 0);
  EXPECT_EQ(index.ReadInteger("Status", "NumFiles", -1), 2);
  EXPECT_EQ(index.ReadString("Status", "File1", ""), "nsw.plc");
  EXPECT_EQ(index.ReadString("Status", "File2", ""), "wa.plc");
  EXPECT_EQ(FilesFor("NSW"), (Names{"nsw.plc", "wa.plc"}));  // Perthville is filed in wa.plc
  EXPECT_EQ(FilesFor("wa"), Names{"wa.plc"});
  EXPECT_EQ(index.ReadInteger("NSW", "Files", -1), 2);
  EXPECT_TRUE(FilesFor("Sea").empty());
  EXPECT_TRUE(FilesFor("Nowhere").empty());
}

// The index is rebuilt exactly when it no longer tells the truth about the folder. The
// cases change the folder one after the other.
TEST_F(CountryIndex, IsRebuiltWhenStale) {
  const struct {
    const char* what;
    std::function<void(TempFolder&)> change;
    bool stale;
  } cases[] = {
      {"nothing changed", [](TempFolder&) {}, false},
      {"refresh forced",
       [](TempFolder& t) {
         IniFile index(t / CountryIndexName);
         index.WriteInteger("Status", "ForceRefresh", 1);
         index.Save();
       },
       true},
      {"a place file more", [](TempFolder& t) { t.Write("tas.plc", EncodePlaceFile({Place("Hobart", "TAS")})); }, true},
      {"a place file less", [](TempFolder& t) { std::filesystem::remove(t / "tas.plc"); }, true},
      {"a listed file renamed",
       [](TempFolder& t) { std::filesystem::rename(t / "wa.plc", t / "west.plc"); }, true},
      {"a listed name leaving the folder",
       [](TempFolder& t) {
         IniFile index(t / CountryIndexName);
         index.WriteString("Status", "File2", "../wa.plc");
         index.Save();
       },
       true},
      {"an index deleted", [](TempFolder& t) { std::filesystem::remove(t / CountryIndexName); }, true},
      {"the maps file changed", [](TempFolder& t) { t.Write("maps.plc", ""); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(RefreshCountryIndex(temp.Path(), true, messages));
    c.change(temp);
    EXPECT_EQ(CountryIndexIsStale(temp.Path()), c.stale);
    ASSERT_TRUE(RefreshCountryIndex(temp.Path(), false, messages));
    EXPECT_FALSE(CountryIndexIsStale(temp.Path()));
    EXPECT_EQ(Index().ReadInteger("Status", "NumFiles", -1), static_cast<int>(PlaceFilesIn(temp.Path()).size()));
  }
  EXPECT_EQ(FilesFor("WA"), Names{"west.plc"});
  EXPECT_TRUE(FilesFor("TAS").empty());
}

TEST_F(CountryIndex, ADamagedFileIsListedButGivesNoCountries) {
  temp.Write("bad.plc", EncodePlaceFile({Place("Hobart", "TAS")}) + "cut");
  ASSERT_TRUE(RefreshCountryIndex(temp.Path(), false, messages));
  EXPECT_EQ(messages.Only(), "The place file " + (temp / "bad.plc") + " is damaged: it ends inside place 2.");
  EXPECT_FALSE(CountryIndexIsStale(temp.Path()));
  EXPECT_TRUE(FilesFor("TAS").empty());
}

TEST_F(CountryIndex, CountriesThatCannotHeadASectionAreLeftOut) {
  temp.Write("odd.plc", EncodePlaceFile({Place("A", "Status"), Place("B", "[x]"), Place("C", " "),
                                         Place("D", ";note"), Place("E", " Spaced "), Place("F", "spaced")}));
  ASSERT_TRUE(RefreshCountryIndex(temp.Path(), false, messages));
  const IniFile index = Index();
  EXPECT_EQ(index.ReadInteger("Status", "NumFiles", -1), 3);
  EXPECT_FALSE(index.ValueExists("Status", "Files"));
  EXPECT_TRUE(FilesFor("Status").empty());
  EXPECT_TRUE(FilesFor("[x]").empty());
  EXPECT_EQ(FilesFor("Spaced"), Names{"odd.plc"});
  EXPECT_FALSE(CountryIndexIsStale(temp.Path()));
}

TEST_F(CountryIndex, ADamagedIndexSendsNoSearchOutOfItsFolder) {
  temp.Write(CountryIndexName,
             "[Status]\r\nNumFiles=2\r\nFile1=nsw.plc\r\nFile2=wa.plc\r\n"
             "[NSW]\r\nFiles=4\r\nFile1=../etc.plc\r\nFile2=wa.plc\r\nFile3=/tmp/x.plc\r\n");
  EXPECT_FALSE(CountryIndexIsStale(temp.Path()));
  EXPECT_EQ(FilesFor("NSW"), Names{"wa.plc"});
}

TEST(AlternateCountries, AreTheTrimmedNamesOfTheCountrysKey) {
  TempFolder temp;
  std::string many;
  for (int i = 1; i <= 80; ++i) many += "N" + std::to_string(i) + ",";
  const std::string path = temp.Write("State.ini", "[Alternates]\r\nNSW= New South Wales , ,Australia,\r\n"
                                                   "Many=" + many + "\r\n");
  EXPECT_EQ(AlternateCountries(path, "nsw"), (Names{"New South Wales", "Australia"}));
  EXPECT_TRUE(AlternateCountries(path, "VIC").empty());
  EXPECT_TRUE(AlternateCountries(temp / "missing.ini", "NSW").empty());
  const Names seventyFive = AlternateCountries(path, "Many");
  ASSERT_EQ(seventyFive.size(), 75u);
  EXPECT_EQ(seventyFive.back(), "N75");
}

}  // namespace
}  // namespace korvana
