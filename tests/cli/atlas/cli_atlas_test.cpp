#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::CliRun;

// A command line with its status, its whole output and part of its error output.
struct ExactCase {
  const char* args;
  int status;
  const char* out;
  const char* err;
};

class CliAtlasTest : public ::testing::Test {
 protected:
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  void ExpectRuns(const std::vector<ExactCase>& cases) {
    for (const ExactCase& c : cases) {
      SCOPED_TRACE(c.args);
      const CliRun r = Korvana(c.args);
      EXPECT_EQ(r.status, c.status) << r.err;
      EXPECT_EQ(r.out, c.out);
      EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
  }
  testing::TempFolder dir;
};

TEST_F(CliAtlasTest, FindPrintsPlaces) {
  ExpectRuns({
      {"atlas find 'Sydney, NSW' --limit 1", 0,
       "Sydney, New South Wales, Australia\t-33.86785\t151.20732\tAustralia/Sydney\n", ""},
      {"atlas find zurich --limit 1", 0, "Zürich, Zurich, Switzerland\t47.36667\t8.55000\tEurope/Zurich\n", ""},
      {"atlas find 'Portland, OR'", 0,
       "Portland, Oregon, United States\t45.52345\t-122.67621\tAmerica/Los_Angeles\n", ""},
      {"atlas find 'Paris, FR' --limit 1 --json", 0,
       "{\n  \"query\": \"Paris, FR\",\n  \"places\": [\n    {\"name\": \"Paris\", \"state\": "
       "\"Île-de-France\", \"country\": \"France\", \"country_code\": \"FR\", \"latitude\": 48.85341, "
       "\"longitude\": 2.3488, \"zone\": \"Europe/Paris\", \"population\": 2138551}\n  ]\n}\n",
       ""},
      {"atlas find Qzxqzx", 1, "", "City not found:\nQzxqzx"},
      {"atlas find 'Paris, Atlantis'", 1, "", "Country not found:\nParis, Atlantis"},
      {"atlas find 'Portland, Bavaria, USA'", 1, "", "County not found:\nPortland, Bavaria, USA"},
      {"atlas find ', France'", 1, "", "Ill-formed place name:\n, France"},
      {"atlas find Paris --limit -1", 2, "", "usage: korvana atlas find"},
      {"atlas find", 2, "", "usage: korvana atlas find"},
  });
}

TEST_F(CliAtlasTest, DamagedAtlasIsReported) {
  // The data folder's own atlas is kept when the folder is seeded, so this one is read.
  dir.Write("home/atlas.db", "not a database");
  const CliRun r = Korvana("atlas find Sydney");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("atlas.db is not a valid atlas"), std::string::npos) << r.err;
}

// With a local date and time each place also shows the zone in force then.
TEST_F(CliAtlasTest, TheZoneInForceOnADate) {
  struct Case {
    const char* args;
    const char* zone;  // the columns after the IANA zone
  };
  const Case cases[] = {
      {"'Ulm, DE' --date '14 Mar 1879' --time 11:30", "\tLMT\t-0:39:58\tlocal mean time\n"},
      {"'London, GB' --date '1 Jul 1941' --time 12:00", "\tBDST\t-2:00\tdouble summer time\n"},
      {"'New York, US' --date '1 Jul 1943' --time 12:00", "\tEWT\t+4:00\twar time\n"},
      {"Adelaide --date '10 Dec 2026' --time 12:00", "\tACDT\t-10:30\tdaylight\n"},
      {"Adelaide --date '1 Oct 2023' --time 2:30", "\tACST\t-9:30\tstandard\tin the gap when the clocks went forward\n"},
  };
  for (const Case& c : cases) {
    CliRun r = Korvana(std::string("atlas find --limit 1 ") + c.args);
    ASSERT_EQ(r.status, 0) << c.args << ": " << r.err;
    const std::string zone = c.zone;
    ASSERT_GE(r.out.size(), zone.size()) << c.args;
    EXPECT_EQ(r.out.substr(r.out.size() - zone.size()), zone) << c.args << ": " << r.out;
  }
  EXPECT_EQ(Korvana("atlas find Adelaide --date '1 Oct 2023'").status, 2);
  EXPECT_EQ(Korvana("atlas find Adelaide --date 'the 40th' --time 1:00").status, 1);
}

TEST_F(CliAtlasTest, ChangesListsAPlacesClockChanges) {
  ExpectRuns({
      {"atlas changes 'London, GB' --from 1941 --to 1941", 0,
       "London, England, United Kingdom (Europe/London)\n"
       "1941-05-04 02:00 -> 1941-05-04 03:00\tBDST\t-2:00\tdouble summer time\n"
       "1941-08-10 03:00 -> 1941-08-10 02:00\tBST\t-1:00\tdaylight\n",
       ""},
      {"atlas changes 'Ulm, DE' --from 1800 --to 1900 --json", 0,
       "{\n  \"name\": \"Ulm\",\n  \"state\": \"Baden-Wurttemberg\",\n  \"country\": \"Germany\",\n  \"zone\": "
       "\"Europe/Berlin\",\n  \"changes\": [\n    {\"from\": \"1893-04-01 00:00\", \"to\": \"1893-04-01 00:06\", "
       "\"abbreviation\": \"CET\", \"hours\": -1.0, \"type\": 0, \"standard_units\": -900}\n  ]\n}\n",
       ""},
      {"atlas changes Ulm", 1, "", "Several places match \"Ulm\""},
      {"atlas changes Qzxqzx", 1, "", "City not found:\nQzxqzx"},
      {"atlas changes 'London, GB' --from 1942 --to 1941", 2, "", "--from no later than --to"},
  });
}

// A chart entered by its place: the atlas, or the shipped place files with --places,
// give the coordinates and the zone in force at the chart's local date and time.
TEST_F(CliAtlasTest, ChartsEnteredByPlace) {
  struct Case {
    const char* args;
    int status;
    const char* out;  // part of the output
    const char* err;  // part of the error output
  };
  const Case cases[] = {
      {"--date '1 Jul 1941' --time 12:00 --place London --country GB", 0,
       "chart: T, 1 Jul 1941 12:00 -2:00, 51°N30'30\" 000°W07'32\"\n", ""},
      {"--date '1 Jul 1941' --time 12:00 --place London --country England --places britain.plc", 0,
       "chart: T, 1 Jul 1941 12:00 -2:00, 51°N31' 000°W08'\n", ""},
      {"--date '1 Jul 1943' --time 12:00 --place Portland --country OR --places usa.plc", 0,
       "chart: T, 1 Jul 1943 12:00 +7:00, 45°N31' 122°W41'\n", ""},
      {"--date '14 Mar 1879' --time 11:30 --place Ulm --country Germany", 0, " -0:39:58, 48°N23'54\"", ""},
      {"--date '1 Oct 2023' --time 2:30 --place Adelaide --country SA", 0, " 2:30 -9:30, ",
       "The clocks went forward over this local time in Adelaide"},
      {"--date '1 Jan 2000' --time 12:00 --place Sydney", 1, "", "Several places match \"Sydney\":\n  Sydney, New South Wales, Australia"},
      {"--date '1 Jan 2000' --time 12:00 --place Qzxqzx", 1, "", "City not found:\nQzxqzx"},
      {"--date '1 Jan 2000' --time 12:00 --place Qzxqzx --places usa.plc", 1, "",
       "The place name Qzxqzx was not found in any place file."},
      {"--date '1 Jan 2000' --time 12:00 --place Sydney --lat 33S52", 2, "", "cast needs --zone"},
      {"--date '1 Jan 2000' --time 12:00 --zone -10 --lat 33S52 --lon 151E13 --places usa.plc", 2, "",
       "cast takes --places to look up --place"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const CliRun r = Korvana(std::string("cast --name T ") + c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
}

TEST_F(CliAtlasTest, AMissingAtlasLeavesThePlaceFilesUsable) {
  dir.Write("home/atlas.db", "");
  const std::string chart = "cast --name T --date '1 Jan 2000' --time 12:00 --place Sydney --country NSW";
  const CliRun atlas = Korvana(chart);
  EXPECT_EQ(atlas.status, 1);
  EXPECT_NE(atlas.err.find("--places FILE.plc"), std::string::npos) << atlas.err;
  const CliRun files = Korvana(chart + " --places australi.plc");
  EXPECT_EQ(files.status, 0) << files.err;
  EXPECT_NE(files.out.find("chart: T, 1 Jan 2000 12:00 -11:00, 33°S52' 151°E12'"), std::string::npos)
      << files.out;
}

TEST_F(CliAtlasTest, BrowseCountriesStatesAndTheirPlaces) {
  const struct {
    const char* args;
    int status;
    const char* out;  // part of the output
    const char* err;
  } cases[] = {
      {"atlas countries", 0, "AU\tAustralia\t", ""},
      {"atlas states australia", 0, "02\tNew South Wales\t", ""},
      {"atlas places AU --state NSW --limit 2", 0,
       "Sydney, New South Wales, Australia\t-33.86785\t151.20732\tAustralia/Sydney\nNewcastle, ", ""},
      {"atlas places Atlantis", 1, "", "Country not found:\nAtlantis"},
      {"atlas places US --state Narnia", 1, "", "County not found:\nNarnia, US"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const CliRun r = Korvana(c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out.substr(0, 300);
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
  EXPECT_EQ(Korvana("atlas places AU --limit 3").out.find("Sydney"), 0u) << "most populous first";
}

// GeoNames' licence asks for the credit wherever the program shows where its data is from.
TEST_F(CliAtlasTest, TheAboutTextCreditsGeoNames) {
  const CliRun r = Korvana("about");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Korvana ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("GeoNames (https://www.geonames.org/), licensed under Creative Commons Attribution 4.0"),
            std::string::npos)
      << r.out;
}

}  // namespace
}  // namespace korvana
