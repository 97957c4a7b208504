#include <string>

#include <gtest/gtest.h>

#include "core/charts/place_file.h"
#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::CliRun;

class CliPlaces : public ::testing::Test {
 protected:
  testing::TempFolder dir;
  // The places folder of a fresh data folder is its user data folder.
  const std::string places = "home/userdata/";

  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

  void SetUp() override {
    dir.Write(places + "nsw.plc", EncodePlaceFile({{"Sydney", "NSW", "AEST -10", "33S52", "151E13", 12},
                                                   {"Albury", "NSW", "AEST", "36S05", "146E55", 0}}));
    dir.Write(places + "wa.plc", EncodePlaceFile({{"Perth", "WA", "AWST", "31S57", "115E51", 0},
                                                  {"Broome", "WA", "AWST", "17S58", "122E14", 0}}));
    dir.Write("home/State.ini", "[Alternates]\r\nWestern Australia=WA\r\n");
  }
};

TEST_F(CliPlaces, ListShowsThePlacesInEitherOrder) {
  const CliRun byPlace = Korvana("places list nsw.plc");
  ASSERT_EQ(byPlace.status, 0) << byPlace.err;
  EXPECT_EQ(byPlace.out, "file: " + dir.Path() + places + "nsw.plc\nPlaces: 2\n"
                         "2 | Albury | NSW | AEST | 36S05 | 146E55 | 0\n"
                         "1 | Sydney | NSW | AEST -10 | 33S52 | 151E13 | 12\n");
  dir.Write("mixed.plc", EncodePlaceFile({{"Zeehan", "TAS", "", "", "", 0}, {"Albany", "WA", "", "", "", 0}}));
  const CliRun byCountry = Korvana("places list mixed.plc --country-first");
  ASSERT_EQ(byCountry.status, 0) << byCountry.err;
  EXPECT_EQ(byCountry.out, "file: mixed.plc\nPlaces: 2\n1 | TAS | Zeehan |  |  |  | 0\n2 | WA | Albany |  |  |  | 0\n");
}

TEST_F(CliPlaces, FindLooksInTheListThenThroughTheCountryIndex) {
  const struct {
    std::string args;
    int status;
    const char* found;  // the Place line, or the message on stderr
  } cases[] = {
      {"places find nsw.plc syd", 0, "Place = Sydney\n"},
      {"places find nsw.plc broome --country WA", 0, "Place = Broome\n"},
      {"places find nsw.plc Broome --country 'Western Australia'", 0, "Place = Broome\n"},
      {"places find nsw.plc NS --country-first", 0, "Place = Albury\n"},
      {"places find nsw.plc Broome --country NSW", 1, "The place name Broome was not found in any place file."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const CliRun r = Korvana(c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_TRUE(Has(c.status == 0 ? r.out : r.err, c.found)) << r.out << r.err;
  }
  EXPECT_TRUE(Has(Korvana("places find nsw.plc syd").out,
                  "Country = NSW\nZone = AEST -10\nLatitude = 33S52\nLongitude = 151E13\nZoneTable = 12\n"));
  // The index covers the test's files and the place files a data folder is seeded with.
  const std::string index = dir.Read(places + "Country.ini");
  for (const char* file : {"=nsw.plc", "=wa.plc", "=australi.plc", "=usa.plc"}) EXPECT_TRUE(Has(index, file)) << file;
}

TEST_F(CliPlaces, ChangesRewriteTheFile) {
  const CliRun add = Korvana("places add new.plc --place Hobart --country TAS --zone AEST --lat 42s53 --lon 147e19 --table 3");
  ASSERT_EQ(add.status, 0) << add.err;
  EXPECT_EQ(add.out, "Added place 1 to new.plc\n");
  ASSERT_EQ(Korvana("places add new.plc --place Launceston --country TAS").status, 0);
  const CliRun replace = Korvana("places replace new.plc 2 --zone AEDT");
  ASSERT_EQ(replace.status, 0) << replace.err;
  EXPECT_EQ(ReadPlaceFile(dir / "new.plc"),
            (std::vector<PlaceRecord>{{"Hobart", "TAS", "AEST", "42S53", "147E19", 3},
                                      {"Launceston", "TAS", "AEDT", "", "", 0}}));

  const CliRun copy = Korvana("places copy nsw.plc 2,1 new.plc");
  ASSERT_EQ(copy.status, 0) << copy.err;
  EXPECT_TRUE(Has(copy.err, "2 Places were copied successfully."));
  const CliRun del = Korvana("places delete new.plc 1,3");
  ASSERT_EQ(del.status, 0) << del.err;
  EXPECT_TRUE(Has(del.err, "Are you sure that you wish to delete the selected places?"));
  EXPECT_TRUE(Has(del.err, "2 Places were deleted."));
  EXPECT_EQ(ReadPlaceFile(dir / "new.plc"),
            (std::vector<PlaceRecord>{{"Launceston", "TAS", "AEDT", "", "", 0}, {"Albury", "NSW", "AEST", "36S05", "146E55", 0}}));
}

TEST_F(CliPlaces, ErrorsAreReportedWithTheirMessagesAndChangeNothing) {
  dir.Write("cut.plc", std::string(80, 'x'));
  const std::string nswBefore = dir.Read(places + "nsw.plc");
  const struct {
    std::string args;
    int status;
    std::string err;
  } cases[] = {
      {"places list missing.plc", 1, "The place file missing.plc could not be opened."},
      {"places list cut.plc", 1, "The place file cut.plc is damaged: it ends inside place 2."},
      {"places add nsw.plc --country NSW", 1, "Place name must not be blank."},
      {"places add nsw.plc --place X --table 40000", 2, "usage: korvana places add"},
      {"places replace nsw.plc 3 --place X", 1, "There is no place 3 in this place file (it holds 2 places)."},
      {"places replace nsw.plc 1 --place ' '", 1, "Place name must not be blank."},
      {"places copy nsw.plc 1 nsw.plc", 1, "You cannot copy places into the same file."},
      {"places copy nsw.plc 1,x wa.plc", 2, "takes place numbers from 1, separated by commas"},
      {"places delete nsw.plc 0", 2, "takes place numbers from 1, separated by commas"},
      {"places delete nsw.plc 5", 1, "There is no place 5 in this place file (it holds 2 places)."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const CliRun r = Korvana(c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_TRUE(Has(r.err, c.err)) << r.err;
    EXPECT_EQ(dir.Read(places + "nsw.plc"), nswBefore);
  }
}

TEST_F(CliPlaces, LongFieldsAreCutWithAWarning) {
  const CliRun r = Korvana("places add new.plc --place 'A place name longer than nineteen' --lat 123456789");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.err, "The place file keeps the first 19 characters of the place."));
  EXPECT_TRUE(Has(r.err, "The place file keeps the first 7 characters of the latitude."));
  EXPECT_EQ(ReadPlaceFile(dir / "new.plc").at(0).Place, "A place name longer");
}

}  // namespace
}  // namespace korvana
