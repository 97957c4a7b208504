#include <gtest/gtest.h>
#include <swephexp.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>

#include "core/astro/ephemeris.h"
#include "core/util/files.h"
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
  // A chart of the run that cannot be cast is said on stderr and leaves no gap: the
  // array holds the others.
  ASSERT_EQ(Korvana("charts create run.cht").status, 0);
  const std::string fields = " --time 12:00 --zone UT --lat 51N29 --lon 0W00";
  ASSERT_EQ(Korvana("charts add run.cht --name A --date '1 Jan 2000'" + fields).status, 0);
  ASSERT_EQ(Korvana("charts add run.cht --name Far --date '1 Jan 9000'" + fields).status, 0);
  ASSERT_EQ(Korvana("charts add run.cht --name B --date '2 Jan 2000'" + fields).status, 0);
  CliRun gap = Korvana("cast --chart run.cht:all --json");
  EXPECT_EQ(gap.status, 1);
  EXPECT_EQ(gap.out, "[\n" + Korvana("cast --chart run.cht:1 --json").out + ",\n" +
                         Korvana("cast --chart run.cht:3 --json").out + "]\n");
  EXPECT_NE(gap.err.find("outside the range of dates"), std::string::npos) << gap.err;
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

// Points the ephemeris cannot give for the date are named on stderr and printed as not
// computed; the chart is cast all the same (status 0).
TEST_F(CliCastTest, NamesThePointsNotComputedForTheDate) {
  struct Case {
    const char* date;
    bool chiron;
    const char* missing;
  } cases[] = {{"15 Mar 1600", true, "Hygeia, Astraea"},
               {"15 Mar 2000", true, "Hygeia, Astraea"},
               {"15 Mar 44 BC", false, "Chiron, Hygeia, Astraea"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.date);
    CliRun r = Korvana(std::string("cast --date '") + c.date + "' --time 12:00 --zone UT --lat 41N54 --lon 12E29 --json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(std::string("\"name\": \"Chiron\", \"computed\": ") + (c.chiron ? "true" : "false")),
              std::string::npos);
    EXPECT_NE(r.err.find(std::string("korvana: not computed for this chart: ") + c.missing + "\n"), std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("built-in theory"), std::string::npos) << r.err;
  }
}

// A Swiss Ephemeris folder with the 1800-2400 files only: before 1800 the library falls
// back to its built-in theory, and cast says so besides naming the asteroids it lost.
TEST_F(CliCastTest, SaysWhenTheFilesDoNotCoverTheDate) {
  std::filesystem::create_directories(dir / "basic");
  for (const char* name : {"sepl_18.se1", "semo_18.se1", "seas_18.se1"})
    ASSERT_TRUE(CopyFileTo(std::string(SystemSwissEphemerisFolder) + name, dir / ("basic/" + std::string(name)), false));
  dir.Write("registry.ini", "[System]\nSystemPath=" + (dir / "home/") + "\nSwissEphemPath=" + (dir / "basic/") + "\n");
  const std::string at = "cast --time 12:00 --zone UT --lat 41N54 --lon 12E29 --date ";
  CliRun r = Korvana(at + "'15 Mar 1600'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("korvana: the Swiss Ephemeris files in " + (dir / "basic/") +
                       " do not cover this date; the library uses its built-in theory\n"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("korvana: not computed for this chart: Chiron, Vesta, Pallas, Juno, Ceres, Hygeia, Astraea\n"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.out.find("Chiron          not computed"), std::string::npos);
  EXPECT_NE(r.out.find("back end: Swiss Ephemeris"), std::string::npos);
  // Inside the files' years nothing is said but the two asteroids without files.
  r = Korvana(at + "'15 Mar 1990'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("built-in theory"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("korvana: not computed for this chart: Hygeia, Astraea\n"), std::string::npos) << r.err;
}

// The JDEphem that cast --json reports is JDUT plus the delta T of the ephemeris the
// positions came from: the files of the data folder, or the library's built-in theory
// for a folder without a file for the date.
TEST_F(CliCastTest, JsonMomentCarriesTheDeltaTOfThePositions) {
  std::filesystem::create_directories(dir / "basic");
  for (const char* name : {"sepl_18.se1", "semo_18.se1", "seas_18.se1"})
    ASSERT_TRUE(CopyFileTo(std::string(SystemSwissEphemerisFolder) + name, dir / ("basic/" + std::string(name)), false));
  struct Case {
    bool basicFolder;
    const char* date;
    std::int32_t ephemeris;
  } cases[] = {{false, "15 Mar 44 BC", SEFLG_SWIEPH},
               {false, "15 Mar 1990", SEFLG_SWIEPH},
               {true, "15 Mar 44 BC", SEFLG_MOSEPH},
               {true, "15 Mar 1990", SEFLG_SWIEPH}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.date) + (c.basicFolder ? " with the 1800-2400 files" : ""));
    const std::string folder = c.basicFolder ? dir / "basic/" : dir / "home/swisseph/";
    dir.Write("registry.ini", "[System]\nSystemPath=" + (dir / "home/") + "\nSwissEphemPath=" + folder + "\n");
    CliRun r = Korvana(std::string("cast --date '") + c.date + "' --time 12:00 --zone UT --lat 41N54 --lon 12E29 --json");
    ASSERT_EQ(r.status, 0) << r.err;
    std::smatch m;
    ASSERT_TRUE(std::regex_search(r.out, m, std::regex("\"JDUT\": ([0-9.]+), \"JDEphem\": ([0-9.]+)"))) << r.out;
    const double jdUT = std::stod(m[1]), jdEphem = std::stod(m[2]);
    ASSERT_TRUE(SwissEphemerisUsable(folder));
    double xx[6];
    char serr[AS_MAXCH];
    ASSERT_EQ(swe_calc_ut(jdUT, SE_MOON, SEFLG_SPEED, xx, serr) & (SEFLG_SWIEPH | SEFLG_MOSEPH), c.ephemeris);
    EXPECT_NEAR((jdEphem - jdUT) * 86400, swe_deltat_ex(jdUT, c.ephemeris, serr) * 86400, 0.01);
    swe_calc(jdEphem, SE_MOON, SEFLG_SPEED | c.ephemeris, xx, serr);
    EXPECT_NEAR(JsonNumber(r.out, "Moon", "Longitude"), xx[0], 1e-6);
  }
}

// A birth time not known: cast for noon (or the time given after the word), without
// angles, Part of Fortune or houses; a chart file keeps the mark.
TEST_F(CliCastTest, AnUnknownBirthTimeLeavesOutTheAnglesAndHouses) {
  const std::string fields = "--name Kim --date '2 Feb 1990' --zone EAT --lat 1S17 --lon 36E49";
  CliRun text = Korvana("cast " + fields + " --time unknown");
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("time unknown: cast for 12:00; the angles, the Part of Fortune and the houses are left out"),
            std::string::npos) << text.out;
  EXPECT_EQ(text.out.find("houses:"), std::string::npos);
  EXPECT_NE(text.out.find("\nAscendant       not computed"), std::string::npos) << text.out;
  CliRun json = Korvana("cast " + fields + " --time 'Unknown 9:15' --json");
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_NE(json.out.find("\"time\": \"9:15:0\""), std::string::npos) << json.out;
  EXPECT_NE(json.out.find("\"timeUnknown\": true"), std::string::npos);
  EXPECT_NE(json.out.find("\"houses\": null"), std::string::npos);
  EXPECT_NE(json.out.find("\"name\": \"Ascendant\", \"computed\": false"), std::string::npos);
  // Kept through a chart file.
  ASSERT_EQ(Korvana("charts create kim.cht").status, 0);
  ASSERT_EQ(Korvana("charts add kim.cht " + fields + " --time unknown").status, 0);
  CliRun stored = Korvana("cast --chart kim.cht:1 --json");
  EXPECT_NE(stored.out.find("\"timeUnknown\": true"), std::string::npos) << stored.out;
  EXPECT_EQ(Korvana("cast " + fields + " --time 'unknown 25:00'").status, 1);
}

// A local time the clocks skipped or repeated at a place looked up in the atlas: said when
// cast, kept in a chart file; a zone typed by hand carries no such mark.
TEST_F(CliCastTest, ATimeInAClockChangeIsMarkedAndKept) {
  struct Case {
    const char* date;
    const char* line;
    const char* json;
  };
  const Case cases[] = {
      {"29 Mar 1981", "clock change: the clocks went forward over this local time", "\"clockChange\": \"gap\""},
      {"27 Sep 1981", "clock change: this local time happened twice", "\"clockChange\": \"fold\""},
      {"1 Jun 1981", nullptr, "\"clockChange\": \"\""},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string fields = std::string("--name Clock --date '") + c.date + "' --time 2:30 --place Berlin --country Germany";
    CliRun text = Korvana("cast " + fields);
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.find("clock change:") != std::string::npos, c.line != nullptr) << text.out;
    if (c.line) {
      EXPECT_NE(text.out.find(c.line), std::string::npos) << text.out;
    }
    const std::string file = "clock" + std::to_string(++n) + ".cht";
    ASSERT_EQ(Korvana("charts create " + file).status, 0);
    ASSERT_EQ(Korvana("charts add " + file + " " + fields).status, 0);
    CliRun stored = Korvana("cast --chart " + file + ":1 --json");
    EXPECT_NE(stored.out.find(c.json), std::string::npos) << stored.out;
  }
  CliRun typed = Korvana("cast --name Clock --date '29 Mar 1981' --time 2:30 --zone CET --lat 52N31 --lon 13E24");
  ASSERT_EQ(typed.status, 0) << typed.err;
  EXPECT_EQ(typed.out.find("clock change:"), std::string::npos) << typed.out;
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
