#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::CliRun;

// Runs korvana with a data folder and settings file of its own.
class CliTimeTest : public ::testing::Test {
 protected:
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  testing::TempFolder dir;
};

TEST_F(CliTimeTest, ParseEntries) {
  struct Case { const char* args; int status; const char* out; const char* err; };
  const Case cases[] = {
      {"parse date 15dec16", 0, "15 Dec 2016\nyear 2016 month 12 day 15 calendar gregorian\n", ""},
      {"parse date 12/15/16 --month-first", 0, "Dec 15 2016\nyear 2016 month 12 day 15 calendar gregorian\n", ""},
      {"parse date '4 Jul 1776 OS'", 0, "15 Jul 1776\nyear 1776 month 7 day 15 calendar gregorian\n", ""},
      {"parse date '31 Feb 2000'", 1, "", "korvana: This date is not a valid calendar date.\n"},
      {"parse time '6 35p'", 0, "18:35\nhour 18 minute 35 second 0\n", ""},
      {"parse time 24:00", 1, "", "The format of the time is not recognised."},
      {"parse zone acst", 0, "ACST -9:30\nhours -9.5 abbreviation ACST\n", ""},
      {"parse zone 'LMT 10 04'", 0, "LMT +10:04\n", ""},
      {"parse lat 23S55", 0, "23\xC2\xB0S55'\n", ""},
      {"parse lon 34E23", 0, "034\xC2\xB0" "E23'\n", ""},
      {"parse lat 34E23", 1, "", "The format of the latitude or longitude is not recognised."},
      {"parse angle '27 PISCES'", 0, "27\xC2\xB0Pi00'\ndegrees 357\n", ""},
      {"parse angle 30Ar", 1, "", "The format of the angle is not recognised."},
      {"parse month x", 2, "", "usage: korvana parse"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    CliRun r = Korvana(c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(r.out.rfind(c.out, 0), 0u) << r.out;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
}

TEST_F(CliTimeTest, JulianDays) {
  CliRun lib = Korvana("jd --date '1 Jan 2000' --time 12:00");
  ASSERT_EQ(lib.status, 0) << lib.err;
  EXPECT_NE(lib.out.find("local JD   2451545.000000\nUT JD      2451545.000000\n"), std::string::npos) << lib.out;
  EXPECT_NE(lib.out.find("(Swiss Ephemeris)"), std::string::npos);
  CliRun own = Korvana("jd --date '1 Jan 2000' --time 12:00 --zone EST --builtin");
  ASSERT_EQ(own.status, 0) << own.err;
  EXPECT_NE(own.out.find("UT JD      2451545.208333\n"), std::string::npos) << own.out;
  EXPECT_NE(own.out.find("delta T    63.80 s\n"), std::string::npos) << own.out;
  EXPECT_NE(own.out.find("(built-in formulas)"), std::string::npos);
  EXPECT_EQ(Korvana("jd --date '1 Jan 2000'").status, 2);
  EXPECT_EQ(Korvana("jd --date nonsense --time 12:00").status, 1);
}

TEST_F(CliTimeTest, ZoneLookupWithTheShippedTables) {
  CliRun tables = Korvana("zone tables");
  ASSERT_EQ(tables.status, 0) << tables.err;
  std::size_t at = tables.out.find("Australia/Adelaide - #");
  ASSERT_NE(at, std::string::npos);
  std::string number = tables.out.substr(at + 22, tables.out.find('\n', at) - at - 22);

  CliRun summer = Korvana("zone lookup --table " + number + " --date '1 Jan 2020' --time 12:00 --lon 138E35");
  EXPECT_EQ(summer.status, 0) << summer.err;
  EXPECT_EQ(summer.out, "ACDT -10:30\n");
  EXPECT_EQ(summer.err, "");

  CliRun early = Korvana("zone lookup --table " + number + " --date '1 Jan 1850' --time 12:00 --lon 138E35");
  EXPECT_EQ(early.out, "LMT -9:14:20\n");

  CliRun beyond = Korvana("zone lookup --table " + number + " --date '1 Jan 2090' --time 12:00 --lon 138E35");
  EXPECT_EQ(beyond.status, 0);
  EXPECT_NE(beyond.err.find("does not extend to this date"), std::string::npos);

  CliRun none = Korvana("zone lookup --table 0 --date '1 Jan 2020' --time 12:00 --lon 138E35");
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.err.find("There is no timezone lookup table for this place."), std::string::npos);

  CliRun missing = Korvana("zone lookup --table 99999 --date '1 Jan 2020' --time 12:00 --lon 138E35");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("TimeZone Table Not Found"), std::string::npos);
}

}  // namespace
}  // namespace korvana
