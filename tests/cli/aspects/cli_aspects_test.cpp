#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <regex>
#include <string>

#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using RunResult = testing::CliRun;

// Runs korvana with a data folder and settings file of its own (seeded from the template,
// which has the sample charts and the modern and traditional aspect files).
class CliAspectsTest : public ::testing::Test {
 protected:
  RunResult Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  std::string Home() { return dir / "home"; }
  testing::TempFolder dir;
};

bool HasLine(const std::string& out, const std::string& pattern) {
  return std::regex_search(out, std::regex(pattern, std::regex::multiline));
}

constexpr const char* Einstein =
    "--name 'Albert Einstein' --date '14 Mar 1879' --time 11:30am --zone 'LMT -0:40' --lat 48N24 --lon 10E00";

TEST_F(CliAspectsTest, ListsTheAspectsOfTheReportSetsAspectFile) {
  RunResult r = Korvana("aspects --chart main.cht:1");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("chart: Albert Einstein, 14 Mar 1879"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("aspect file: " + Home() + "/userdata/modern.asp (by orb, separation in longitude)"),
            std::string::npos)
      << r.out;
  // Mercury (3 Aries) and Saturn (4 Aries): a conjunction, Mercury the faster, closing in.
  EXPECT_TRUE(HasLine(r.out, "^Mercury +0[34]°Ar\\d\\d' +Conjunction +Saturn +0[34]°Ar\\d\\d' +orb \\+1°0\\d' +applying$"))
      << r.out;
  // Minor aspects of the modern set appear; the ones it does not use never do.
  EXPECT_TRUE(HasLine(r.out, " Quintile "));
  EXPECT_FALSE(HasLine(r.out, " Septile | Novile "));
  EXPECT_TRUE(HasLine(r.out, "^\\d+ aspects$"));
  // The same chart typed as fields gives the same list.
  RunResult fields = Korvana(std::string("aspects ") + Einstein);
  ASSERT_EQ(fields.status, 0) << fields.err;
  EXPECT_EQ(fields.out, r.out);
}

TEST_F(CliAspectsTest, TakesAnotherAspectFileAndAPointSelection) {
  RunResult r = Korvana("aspects --chart main.cht:1 --aspect-file traditional.asp --points 101");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("traditional.asp (moieties, separation in longitude)"), std::string::npos) << r.out;
  // Moon 14 Sagittarius, Sun 23 Pisces: a square 8 degrees 58 wide, inside the
  // moieties' 13.5 (the modern set's luminary orb of 9 would also hold it).
  EXPECT_TRUE(HasLine(r.out, "^Moon .* Square +Sun .* orb \\+8°5\\d' +applying$")) << r.out;
  EXPECT_TRUE(HasLine(r.out, "^1 aspect$")) << r.out;

  RunResult all = Korvana("aspects --chart main.cht:1 --aspect-file traditional.asp");
  ASSERT_EQ(all.status, 0) << all.err;
  // Only the five aspects of the classical doctrine are in use there.
  EXPECT_FALSE(HasLine(all.out, " (Quintile|BiQuintile|Semisquare|Sesquisquare|Semisextile|Quincunx) "));
  // Sun 23 Pisces and Saturn 4 Aries, 10 degrees 40 apart: within 7.5 + 4.5.
  EXPECT_TRUE(HasLine(all.out, "^Sun .* Conjunction +Saturn .* orb \\+10°\\d\\d' +applying$")) << all.out;
}

TEST_F(CliAspectsTest, ReportsBadAspectFilesAndArguments) {
  ASSERT_EQ(Korvana("aspects --chart main.cht:1").status, 0);  // seeds the data folder
  const std::string userdata = Home() + "/userdata/";
  std::string whole = dir.Read("home/userdata/modern.asp");
  ASSERT_EQ(whole.size(), 92u + 26 * 145 + 144);
  dir.Write("cut.asp", whole.substr(0, 92 + 3 * 145 + 10));
  dir.Write("header.asp", whole.substr(0, 50));

  struct Case {
    std::string args;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {"aspects --chart main.cht:1 --aspect-file nothere.asp", 1,
       "Unable to open aspect file: " + userdata + "nothere.asp"},
      {"aspects --chart main.cht:1 --aspect-file '" + (dir / "header.asp") + "'", 1,
       "Unable to open aspect file: " + (dir / "header.asp")},
      {"aspects --chart main.cht:1 --aspect-file '" + (dir / "cut.asp") + "'", 1, "is cut short"},
      {"aspects --chart main.cht:99", 1, "There is no chart 99"},
      {std::string("aspects ") + Einstein + " --date '31 Feb 1879'", 2, "usage: korvana aspects"},
      {"aspects --name X --date '31 Feb 1879' --time 12:00 --zone UT --lat 0N0 --lon 0E0", 1,
       "This date is not a valid calendar date."},
      {"aspects", 2, "usage: korvana aspects"},
      {"aspects --chart main.cht:1 --name X", 2, "usage: korvana aspects"},
      {"aspects --name X --date '1 Jan 2000' --time 12:00 --zone UT --lat 0N0", 2, "needs --lon"},
      {"aspects --chart main.cht:1 --colour red", 2, "usage: korvana aspects"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    RunResult r = Korvana(c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    if (c.status != 0) {
      EXPECT_EQ(r.out, "");
    }
  }
}

}  // namespace
}  // namespace korvana
