#include <gtest/gtest.h>

#include <string>

#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::CliRun;

class CliAtlasTest : public ::testing::Test {
 protected:
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  testing::TempFolder dir;
};

TEST_F(CliAtlasTest, FindPrintsPlaces) {
  struct Case {
    const char* args;
    int status;
    const char* out;  // the whole output
    const char* err;  // part of the error output
  };
  const Case cases[] = {
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
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const CliRun r = Korvana(c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(r.out, c.out);
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
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

}  // namespace
}  // namespace korvana
