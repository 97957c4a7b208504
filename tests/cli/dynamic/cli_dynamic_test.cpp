#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <regex>
#include <string>

#include "core/dynamic/event_file.h"
#include "core/dynamic/prediction.h"
#include "core/util/ini_file.h"
#include "support/korvana_cli.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

class CliDynamicTest : public ::testing::Test {
 protected:
  testing::CliRun Korvana(const std::string& args) { return testing::RunKorvana(KORVANA_BINARY, dir, args); }
  testing::TempFolder dir;
};

bool HasLine(const std::string& out, const std::string& pattern) {
  return std::regex_search(out, std::regex(pattern, std::regex::multiline));
}

// Einstein's chart (main.cht:1): Saturn entered Aries on 25 May 2025, turned back on 1
// September and came in again on 14 February 2026.
TEST_F(CliDynamicTest, TransitsListConfigurationsWithTheirTimes) {
  const auto r = Korvana("transits --chart main.cht:1 --from '1 Jan 2025' --duration 2y --points Saturn "
                         "--radix Sun --signs");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(HasLine(r.out, "^from 2025-01-01 00:00:00 until 2027-01-01 00:00:00 UT$")) << r.out;
  EXPECT_TRUE(HasLine(r.out, "^Saturn in Aries: enters 2025-05-25 \\d\\d:\\d\\d:\\d\\d, leaves for a while "
                             "2025-09-01 [^,]+, enters again 2026-02-14 [^,]+, leaves 2027-01-01 00:00:00$"))
      << r.out;
  EXPECT_TRUE(HasLine(r.out, "^Saturn Conjunction Sun: enters 2025-03-\\d\\d [^,]+, exact 2025-03-2\\d [^,]+, leaves "))
      << r.out;
  EXPECT_TRUE(HasLine(r.out, "^3 configurations$")) << r.out;

  // The same search in a zone five hours east of Greenwich moves every time by five hours.
  const auto east = Korvana("transits --chart main.cht:1 --from '1 Jan 2025' --duration 2y --points Saturn "
                            "--radix Sun --signs --zone=-5 --json");
  ASSERT_EQ(east.status, 0) << east.err;
  EXPECT_NE(east.out.find("\"zone\": \"-5:00\""), std::string::npos) << east.out;
  EXPECT_NE(east.out.find("\"from\": \"2025-01-01 00:00:00\""), std::string::npos) << east.out;
  EXPECT_NE(east.out.find("\"point\": \"Saturn\", \"sign\": 1"), std::string::npos) << east.out;
}

TEST_F(CliDynamicTest, ProgressionsFollowTheAngles) {
  const auto r = Korvana("progressions --chart main.cht:1 --from '1 Jan 2025' --duration 30y --points ASC,MC "
                         "--radix Moon,Venus --aspects trine");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(HasLine(r.out, "^Midheaven Trine Moon: enters 2035-[^,]+, exact 2036-04-2\\d [^,]+, leaves 2037-")) << r.out;
}

// Einstein was born with Saturn a little east of the MC: its primary direction to the MC
// falls in his twenty-first year.
TEST_F(CliDynamicTest, DirectionsListArcsByTheNaibodKey) {
  const auto r = Korvana("directions --chart main.cht:1 --from '1 Jan 1879' --duration 80y --points Saturn,Venus "
                         "--radix MC --aspects conjunction --json");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"technique\": \"directions\""), std::string::npos) << r.out;
  EXPECT_TRUE(HasLine(r.out, "\"point\": \"Saturn\", \"aspect\": \"Conjunction\", \"radix\": \"Midheaven\", "
                             "\"events\": \\[\\{\"event\": \"enters\", \"type\": 1, \"time\": \"1898-")) << r.out;
  EXPECT_TRUE(HasLine(r.out, "\"point\": \"Venus\", \"aspect\": \"Conjunction\", \"radix\": \"Midheaven\"")) << r.out;
}

TEST_F(CliDynamicTest, BadArgumentsAreUsageErrors) {
  const char* bad[] = {
      "transits --chart main.cht:1 --points Sun,Nowhere",
      "transits --chart main.cht:1 --points Ascendant",
      "transits --chart main.cht:1 --duration 1w",
      "transits --chart main.cht:1 --orbs 95",
      "transits --chart main.cht:1 --aspects parallel",
      "transits --from '1 Jan 2025'",
      "directions --chart main.cht:1 --houses",
  };
  for (const char* args : bad) {
    const auto r = Korvana(args);
    EXPECT_NE(r.status, 0) << args;
    EXPECT_TRUE(r.out.empty()) << args << ": " << r.out;
    EXPECT_FALSE(r.err.empty()) << args;
  }
  const auto missing = Korvana("transits --chart nothing.cht:1");
  EXPECT_EQ(missing.status, 1);
}

TEST_F(CliDynamicTest, PredictWritesTheEventFileOrSaysWhyNot) {
  std::array<bool, 37> sun{};
  sun[3] = true;
  PredictionSettings s;
  s.chartFile = dir / "home/userdata/main.cht";
  s.dynamicPointsFile = dir.Write("transit.trp", SerializePointSelectionFile(sun));
  s.radixPointsFile = dir / "transit.trp";
  s.aspectFile = dir / "home/userdata/modern.asp";
  s.start = {2026, 1, 1, 0, 0, 0, calAuto};
  s.signIngress = true;
  s.eventFile = dir / "KV_Dyn1.bin";
  // The data folder is made by the first run.
  ASSERT_EQ(Korvana("aspects --chart main.cht:1").status, 0);
  IniFile ini(dir / "KV_Dyn1.ini");
  WritePredictionSettings(ini, s);
  ASSERT_TRUE(ini.Save());
  const auto r = Korvana("predict " + (dir / "KV_Dyn1.ini"));
  ASSERT_EQ(r.status, 0) << r.err;
  const TDynamicReport report = ReadEventFile(s.eventFile);
  EXPECT_EQ(r.out, "wrote " + std::to_string(report.EventCount) + " events to " + s.eventFile + "\n");
  EXPECT_GT(report.EventCount, 26);  // 13 sign stays and the Sun's conjunction with itself

  s.aspectFile = dir / "none.asp";
  WritePredictionSettings(ini, s);
  ASSERT_TRUE(ini.Save());
  const auto failed = Korvana("predict " + (dir / "KV_Dyn1.ini"));
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.err.find("(result code 4)"), std::string::npos) << failed.err;
  EXPECT_FALSE(std::filesystem::exists(s.eventFile));
}

}  // namespace
}  // namespace korvana
