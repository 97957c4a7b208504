#include <gtest/gtest.h>

#include <string>

#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::CliRun;

// Runs korvana with a data folder and settings file of its own.
class CliParserTest : public ::testing::Test {
 protected:
  CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  testing::TempFolder dir;
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(CliParserTest, WrongUsageExitsWithTwoAndTheCommandsUsage) {
  struct Case {
    const char* args;
    const char* err;  // besides the usage line
    const char* usage;
  };
  const Case cases[] = {
      {"", "", "usage: korvana [--home DIR] [--config FILE] COMMAND"},
      {"frobnicate", "frobnicate", "usage: korvana [--home DIR]"},
      {"cast --chart main.cht:1 --colour red", "--colour", "usage: korvana cast ("},
      {"cast --chart", "--chart", "usage: korvana cast ("},
      {"cast --chart main.cht:1 --chart main.cht:2", "--chart", "usage: korvana cast ("},
      {"cast --chart main.cht:1 --backend moshier", "--backend: takes swiss or own", "usage: korvana cast ("},
      {"cast --chart main.cht:1 --houses=0", "--houses: takes a house system number from 1", "usage: korvana cast ("},
      {"cast --date '1 Jan 2000' --time 12:00 --zone UT --lat 1N", "cast needs --lon", "usage: korvana cast ("},
      {"charts show main.cht 0", "N: takes a chart number", "usage: korvana charts show FILE N"},
      {"charts show main.cht", "N is required", "usage: korvana charts show FILE N"},
      {"charts add f.cht --name X --date 1/1/2000 --time 1 --zone 0 --lat 1N --lon 1E --kind=alien",
       "--kind: takes unspecified, male", "usage: korvana charts add FILE"},
      {"charts", "", "usage: korvana charts list|show"},
      {"parse year 2000", "", "usage: korvana parse"},
      {"report --chart main.cht:1 --gender m,x", "--gender: takes m or f", "usage: korvana report"},
      {"wheel --chart main.cht:1 --output-kind=paper -o w.png", "--output-kind: takes screen, print or pdf",
       "usage: korvana wheel ("},
      {"metafile png", "FILE.wmf is required", "usage: korvana metafile png"},
      {"settings extra", "extra", "usage: korvana settings"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const CliRun r = Korvana(c.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(Has(r.err, c.err)) << r.err;
    EXPECT_TRUE(Has(r.err, c.usage)) << r.err;
  }
  EXPECT_EQ(dir.Read("f.cht"), "") << "a usage error writes nothing";
}

TEST_F(CliParserTest, HelpGoesToStandardOutputWithStatusZero) {
  struct Case {
    const char* args;
    const char* usage;
    const char* listed;  // an option or a command the help names
  };
  const Case cases[] = {
      {"--help", "usage: korvana [--home DIR] [--config FILE] COMMAND [ARGS...]", "  charts list|show|create"},
      {"help", "usage: korvana [--home DIR]", "  zone lookup --table N"},
      {"cast --help", "usage: korvana cast (--chart FILE:N |", "--backend swiss|own"},
      {"charts -h", "usage: korvana charts list|show", "  charts memo FILE N [--set TEXT]"},
      {"charts add --help", "usage: korvana charts add FILE --name NAME", "--kind"},
      {"wheel --chart main.cht:1 --help", "usage: korvana wheel (", "--output-kind"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const CliRun r = Korvana(c.args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(Has(r.out, c.usage)) << r.out;
    EXPECT_TRUE(Has(r.out, c.listed)) << r.out;
  }
}

TEST_F(CliParserTest, AnOptionsValueMayFollowAnEqualsSign) {
  struct Case {
    const char* spaced;
    const char* joined;
  };
  const Case cases[] = {
      {"cast --chart main.cht:2 --houses 26 --zodiac 1 --backend own --json",
       "cast --chart=main.cht:2 --houses=26 --zodiac=1 --backend=own --json"},
      {"jd --date '1 Jan 2000' --time 12:00 --zone -10", "jd --date='1 Jan 2000' --time=12:00 --zone=-10"},
      {"zone lookup --table 1 --date 1/2/2020 --time 12:00 --lon 1E --month-first",
       "zone lookup --table=1 --date=1/2/2020 --time=12:00 --lon=1E --month-first"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.joined);
    const CliRun spaced = Korvana(c.spaced);
    const CliRun joined = Korvana(c.joined);
    EXPECT_EQ(joined.status, spaced.status) << joined.err;
    EXPECT_NE(joined.status, 2) << joined.err;
    EXPECT_EQ(joined.out, spaced.out);
    EXPECT_EQ(joined.err, spaced.err);
  }
  ASSERT_EQ(Korvana("charts create a.cht --title 'A file'").status, 0);
  ASSERT_EQ(Korvana("charts create b.cht --title='A file'").status, 0);
  EXPECT_EQ(dir.Read("a.cht"), dir.Read("b.cht"));
}

}  // namespace
}  // namespace korvana
