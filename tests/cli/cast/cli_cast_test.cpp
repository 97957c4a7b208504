#include <gtest/gtest.h>
#include <swephexp.h>

#include <sys/wait.h>

#include <cstdio>
#include <regex>
#include <string>

#include "core/astro/ephemeris.h"
#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::CliRun;

// Runs korvana with a data folder and settings file of its own (seeded from the build's
// template, which carries the Swiss Ephemeris files in "swisseph/").
class CliCastTest : public ::testing::Test {
 protected:
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  testing::TempFolder dir;
};

double JsonNumber(const std::string& json, const std::string& pointName, const std::string& field) {
  std::smatch m;
  std::regex re("\"name\": \"" + pointName + "\"[^}]*\"" + field + "\": (-?[0-9.]+)");
  if (!std::regex_search(json, m, re)) return -999;
  return std::stod(m[1]);
}

const char* const Fields = "--name Test --date '1 Jan 2000' --time 12:00 --zone UT --lat 51N29 --lon 0W00";

TEST_F(CliCastTest, CastsWithTheSwissEphemerisFilesOfTheDataFolder) {
  CliRun r = Korvana(std::string("cast ") + Fields + " --json");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"backend\": \"swiss\""), std::string::npos) << r.out;
  ASSERT_TRUE(SwissEphemerisUsable(SystemSwissEphemerisFolder));
  double xx[6];
  char serr[AS_MAXCH];
  swe_calc_ut(2451545.0, SE_MARS, SEFLG_SPEED, xx, serr);
  EXPECT_NEAR(JsonNumber(r.out, "Mars", "Longitude"), xx[0], 1e-7);
  EXPECT_NEAR(JsonNumber(r.out, "Mars", "LongitudeSpeed"), xx[3], 1e-7);
  EXPECT_NE(r.out.find("\"name\": \"Hygeia\", \"computed\": false"), std::string::npos);
  EXPECT_NE(r.out.find("\"HouseSystem\": 5"), std::string::npos);
}

// A run of charts: one JSON array for cast, one block per chart for aspects, each chart
// as cast alone.
TEST_F(CliCastTest, RunsOfChartsInOneProcess) {
  CliRun run = Korvana("cast --chart main.cht:2-3 --json");
  ASSERT_EQ(run.status, 0) << run.err;
  CliRun second = Korvana("cast --chart main.cht:2 --json");
  CliRun third = Korvana("cast --chart main.cht:3 --json");
  EXPECT_EQ(run.out, "[\n" + second.out + ",\n" + third.out + "]\n");
  CliRun all = Korvana("cast --chart main.cht:all");
  ASSERT_EQ(all.status, 0) << all.err;
  const std::string first = Korvana("cast --chart main.cht:1").out, last = Korvana("cast --chart main.cht:16").out;
  EXPECT_EQ(all.out.substr(0, first.size() + 1), first + "\n");
  EXPECT_EQ(all.out.substr(all.out.size() - last.size()), last);
  CliRun aspects = Korvana("aspects --chart main.cht:1-2");
  ASSERT_EQ(aspects.status, 0) << aspects.err;
  EXPECT_EQ(aspects.out, Korvana("aspects --chart main.cht:1").out + "\n" + Korvana("aspects --chart main.cht:2").out);
  // A run past the file's end is refused before anything is cast.
  CliRun beyond = Korvana("cast --chart main.cht:15-99");
  EXPECT_EQ(beyond.status, 1);
  EXPECT_TRUE(beyond.out.empty()) << beyond.out;
  EXPECT_NE(beyond.err.find("There is no chart 99"), std::string::npos) << beyond.err;
}

TEST_F(CliCastTest, OptionsChooseBackEndZodiacNodeAndHouses) {
  CliRun r = Korvana(std::string("cast ") + Fields + " --backend own --zodiac 2 --mean-node --houses 26");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("back end: own"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("zodiac: Lahiri"), std::string::npos);
  EXPECT_NE(r.out.find("node: mean"), std::string::npos);
  EXPECT_NE(r.out.find("houses: Whole Sign (26)"), std::string::npos);
  EXPECT_NE(r.out.find("Hygeia          not computed"), std::string::npos);
}

TEST_F(CliCastTest, BadInputGivesAClearErrorAndNoOutput) {
  struct Case {
    std::string args;
    int status;
    const char* err;
  } cases[] = {
      {"cast --name X --date '31 Feb 2000' --time 12:00 --zone UT --lat 51N29 --lon 0W00", 1,
       "This date is not a valid calendar date."},
      {std::string("cast ") + Fields + " --houses 32", 2, "--houses: takes a house system number"},
      {std::string("cast ") + Fields + " --zodiac ten", 2, "--zodiac: takes a zodiac number"},
      {std::string("cast ") + Fields + " --backend moshier", 2, "--backend: takes swiss or own"},
      {"cast --date '1 Jan 2000' --time 12:00 --zone UT --lat 51N29", 2, "cast needs --lon"},
      {"cast --chart missing.cht:1", 1, "missing.cht"},
      {"cast", 2, "usage: korvana cast"},
      {std::string("cast --chart a.cht:1 ") + Fields, 2, "usage: korvana cast"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    CliRun r = Korvana(c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace korvana
