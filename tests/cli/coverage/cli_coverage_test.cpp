// korvana coverage on the shipped sets: the summary, the unreached paragraphs with their
// source lines, repeatable random charts, the sample chart file, JSON, and wrong usage.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/korvana_cli.h"

namespace korvana {
namespace {

using Json = nlohmann::json;

class CliCoverage : public ::testing::Test {
 protected:
  testing::TempFolder dir;
  testing::CliRun Run(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, "coverage " + args); }
};

TEST_F(CliCoverage, RandomChartsShowTheSummaryAndTheParagraphsNoChartReaches) {
  const testing::CliRun r = Run("--set modern.swp --random 60");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("over 60 random charts (seed 1)"), std::string::npos) << r.out.substr(0, 300);
  EXPECT_NE(r.out.find("Runs walked: 60, refused: 0"), std::string::npos);
  EXPECT_NE(r.out.find("Paragraphs: "), std::string::npos);
  // Pluto was nowhere near Aries between 1900 and 2050: listed with its file and line.
  const std::size_t list = r.out.find("Paragraphs no run reached:");
  ASSERT_NE(list, std::string::npos);
  const std::size_t pluto = r.out.find("modern/outer_signs.txt:", list);
  ASSERT_NE(pluto, std::string::npos);
  EXPECT_NE(r.out.find("*Pluto in Aries", list), std::string::npos);
  // The Sun's sign paragraphs are headed by their section.
  EXPECT_NE(r.out.find("  [The Sun in the Signs]\n"), std::string::npos);

  // The same seed gives the same charts; another seed others.
  EXPECT_EQ(Run("--set modern.swp --random 60").out, r.out);
  const testing::CliRun other = Run("--set modern.swp --random 60 --seed 9");
  ASSERT_EQ(other.status, 0) << other.err;
  EXPECT_NE(other.out, r.out);
}

TEST_F(CliCoverage, TheSampleChartsAreWalkedAndTheHorarySampleRefusedWithItsReason) {
  const testing::CliRun r = Run("--set traditional.swp --charts main.cht");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("over 16 charts of main.cht"), std::string::npos) << r.out.substr(0, 300);
  EXPECT_NE(r.out.find("Runs walked: 15, refused: 1"), std::string::npos);
  EXPECT_NE(r.out.find("\"Will the lost ring be found?\" is a horary chart"), std::string::npos);
}

TEST_F(CliCoverage, JsonHoldsEveryParagraphWithItsCountAndSource) {
  const testing::CliRun r = Run("--set traditional.swp --random 20 --json");
  ASSERT_EQ(r.status, 0) << r.err;
  const Json doc = Json::parse(r.out);
  EXPECT_EQ(doc["runs"], 20);
  EXPECT_EQ(doc["refused"], 0);
  EXPECT_EQ(doc["sourceLines"], true);
  ASSERT_FALSE(doc["paragraphs"].empty());
  for (const Json& p : doc["paragraphs"]) {
    EXPECT_GE(p["reached"].get<int>(), 0);
    EXPECT_LE(p["reached"].get<int>(), 20);
    EXPECT_GT(p["line"].get<int>(), 0);
    EXPECT_FALSE(p["statement"].get<std::string>().empty());
    EXPECT_FALSE(p["section"].get<std::string>().empty());
  }
  for (const Json& s : doc["sections"]) EXPECT_LE(s["empty"].get<int>(), s["entered"].get<int>());
}

TEST_F(CliCoverage, WrongUsageAndAMissingSet) {
  struct Case {
    const char* args;
    int status;
    const char* says;
  };
  const Case cases[] = {
      {"--set modern.swp", 2, "either --charts FILE.cht or --random N"},
      {"--set modern.swp --random 5 --charts main.cht", 2, "either --charts FILE.cht or --random N"},
      {"--set modern.swp --random 0", 2, "--random"},
      {"--random 5", 2, "--set"},
      {"--set modern.swp --random 5 --chart2 main.cht:2", 2, "--chart2 goes with --charts"},
      {"--set nosuch.swp --random 5", 1, "nosuch.swp"},
      {"--set modern.swp --charts nosuch.cht", 1, "nosuch.cht"},
  };
  for (const Case& c : cases) {
    const testing::CliRun r = Run(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << "\n" << r.err;
    EXPECT_TRUE(r.out.empty()) << c.args;
  }
}

}  // namespace
}  // namespace korvana
