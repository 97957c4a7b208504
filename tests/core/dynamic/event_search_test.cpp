// The event search of a report section through its files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/astro/ephemeris.h"
#include "core/dynamic/event_search.h"
#include "core/dynamic/prediction.h"
#include "core/util/files.h"
#include "core/util/ini_file.h"
#include "dynamic_test_support.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

class EventSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SwissEphemerisUsable(SystemSwissEphemerisFolder));
    std::filesystem::create_directories(dir / "tmp");
    std::filesystem::create_directories(dir / "user");
    settings.TempPath = dir / "tmp";
    settings.UserPath = dir / "user";
    settings.SwissEphemPath = SystemSwissEphemerisFolder;
    report.aspectFile = dir / "user/current.asp";
    ASSERT_TRUE(testing::SaveTestAspectFile(report.aspectFile));
    report.dynTypeNames = {"Transits"};
    report.dynP1TypeNames = {"Transiting"};
    report.dynP2TypeNames = {"Radix"};
    // Sun and Mars available, Sun and Mercury selected; the radix Sun and Moon;
    // conjunction and square available, the first four selected.
    report.dynPointsAvailable = {"0010001"};
    report.dynPointsSelected = {"0011"};
    report.radixPointsAvailable = {"111"};
    report.radixPointsSelected = {"1010"};
    report.dynAspectsAvailable = {"1001"};
    report.dynAspectsSelected = {"1111"};
    report.orbEntering = 1.5;
    report.orbLeaving = 1.0;
    period.BaseDate = {2026, 1, 1, 0, 0, 0, calAuto};
  }
  int Search(DynamicSearchOptions o) {
    const DynamicSearchContext c{report, period, settings, radix, HousesPlacidus, {}};
    o.dynamicFile = dir / "missing.int";
    return EventSearch(c, o, summary, entries);
  }
  testing::TempFolder dir;
  ProgramSettings settings;
  TKVReport report;
  TDynRepUserData period;
  ChartRecord radix = testing::ChartAt(1987, 3, 9, 6, 0, 52.0, -13.4);
  std::string summary;
  TDynamicTextEntries entries;
};

TEST_F(EventSearchTest, TheReportSearchFindsTheSelectedAspectsOverTheExtendedPeriod) {
  ASSERT_EQ(Search({.section = 0, .tempNumber = 1, .sortOrder = 2, .withAspects = true, .extendPeriod = true}), PredictOk);
  // The Sun meets the radix Sun and Moon once by conjunction and twice by square.
  ASSERT_EQ(entries.Count, 6);
  for (const TDynamicTextEntry& e : entries.Items) {
    EXPECT_EQ(e.Category, 0);
    EXPECT_EQ(e.FirstPoint, PointSun);
    EXPECT_EQ(e.ExactTimes.size(), 1u);
    EXPECT_TRUE(e.Show);
  }
  EXPECT_EQ(entries.Items[0].Text, "Interpretations file invalid or missing: " + (dir / "missing.int"));
  EXPECT_EQ(summary.rfind("|<BOLDON>Transiting Points:<BOLDOFF> Sun|<BOLDON>Radix Points:<BOLDOFF> Moon, Sun|", 0), 0u)
      << summary;
  EXPECT_NE(summary.find("Conjunction (0°00'), Square (90°00')|"), std::string::npos) << summary;
  // The files lie where they belong; the settings carry the extended period.
  EXPECT_EQ(ReadFileBytes(dir / "user/transit.trp")->size(), 36u * 22u);
  EXPECT_TRUE(FileExists(dir / "tmp/KV_Dyn1.cht"));
  const IniFile ini(dir / "tmp/KV_Dyn1.ini");
  EXPECT_EQ(ini.ReadInteger("Period", "StartYear", 0), 2025);
  EXPECT_EQ(ini.ReadInteger("Period", "Duration", 0), 3);
  EXPECT_EQ(ini.ReadInteger("Event Selection Primary", "DynamicType", 0), 1);
  EXPECT_EQ(ini.ReadString("Output", "FileName", ""), dir / "tmp/KV_Dyn1.bin");
}

TEST_F(EventSearchTest, TheBackgroundSearchFindsSignsAndHousesEnteredBeforeThePeriod) {
  ASSERT_EQ(Search({.section = 0, .tempNumber = 0, .sortOrder = 3, .signs = true, .houses = true,
                    .withAspects = false}),
            PredictOk);
  int signs = 0;
  for (const TDynamicTextEntry& e : entries.Items) {
    EXPECT_TRUE(e.Category == 1 || e.Category == 2);
    if (e.Category == 2) ++signs;
  }
  EXPECT_EQ(signs, 13);
  EXPECT_EQ(entries.Items[0].TimeText.rfind("<BOLDON>Entered before 1 Jan 2026, Leaves ", 0), 0u)
      << entries.Items[0].TimeText;
  EXPECT_NE(summary.find("Dynamic Aspects:<BOLDOFF>|"), std::string::npos) << summary;
}

// The points a summary names after "<name> Points:", up to the next "|".
std::string SummaryPoints(const std::string& summary, const std::string& name) {
  const std::string label = name + " Points:<BOLDOFF>";
  const std::size_t at = summary.find(label);
  if (at == std::string::npos) return "(none)";
  const std::size_t from = at + label.size();
  return summary.substr(from, summary.find('|', from) - from);
}

TEST_F(EventSearchTest, ABirthWithoutItsTimeIsSearchedWithoutItsAnglesAndHouses) {
  // The Sun and the Ascendant moving; the radix Sun and Ascendant.
  report.dynPointsAvailable = {"0010000000000000000001"};
  report.dynPointsSelected = {std::string(36, '1')};
  report.radixPointsAvailable = {"0010000000000000000001"};
  report.radixPointsSelected = {std::string(36, '1')};
  const struct {
    const char* technique;
    bool untimed;
    const char* moving;  // the summary's moving and radix points
    const char* fixed;
    bool houses;  // house stays found
  } cases[] = {
      {"Transits", false, " Sun, Ascendant", " Sun, Ascendant", true},
      {"Transits", true, " Sun, Ascendant", " Sun", false},
      {"Progressions", false, " Sun, Ascendant", " Sun, Ascendant", true},
      {"Progressions", true, " Sun", " Sun", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.technique) + (c.untimed ? ", untimed" : ", timed"));
    report.dynTypeNames = {c.technique};
    radix.TimeUnknown = c.untimed;
    period.Duration = 2;
    ASSERT_EQ(Search({.section = 0, .tempNumber = 0, .sortOrder = 3, .signs = true, .houses = true,
                      .withAspects = false}),
              PredictOk);
    EXPECT_EQ(SummaryPoints(summary, "Transiting"), c.moving);
    EXPECT_EQ(SummaryPoints(summary, "Radix"), c.fixed);
    int houses = 0, signs = 0;
    for (const TDynamicTextEntry& e : entries.Items) (e.Category == 1 ? houses : signs) += 1;
    EXPECT_EQ(houses > 0, c.houses);
    EXPECT_GT(signs, 0);
    EXPECT_EQ(IniFile(dir / "tmp/KV_Dyn0.ini").ReadInteger("Extra Events", "HouseIngress", -1), c.houses ? 1 : 0);
  }
}

TEST_F(EventSearchTest, AFailedSearchGivesTheErrorEntryAndNeverReadsAnOldEventFile) {
  std::ofstream(dir / "tmp/KV_Dyn1.bin") << "an earlier search's events";
  period.Duration = 0;
  EXPECT_EQ(Search({.section = 0, .tempNumber = 1}), PredictRefused);
  ASSERT_EQ(entries.Count, 1);
  EXPECT_EQ(entries.Items[0].Keyword, "ERROR");
  EXPECT_EQ(entries.Items[0].Text, "An error occurred during dynamic report generation. Error code: 5");
  EXPECT_FALSE(FileExists(dir / "tmp/KV_Dyn1.bin"));
  EXPECT_NE(summary.find("Transiting Points:<BOLDOFF> Sun"), std::string::npos);

  period.Duration = 1;
  report.aspectFile = dir / "user/none.asp";  // the dynamic aspect file cannot be made
  EXPECT_EQ(Search({.section = 0, .tempNumber = 1}), SearchFilesUnwritable);
  EXPECT_EQ(entries.Items[0].Keyword, "ERROR");
}

TEST_F(EventSearchTest, EachSectionGetsItsBackgroundAndReportLists) {
  report.dynFiles = {dir / "missing.int"};
  const DynamicSearchContext c{report, period, settings, radix, HousesPlacidus, {}};
  const auto sections = SearchDynamicSections(c);
  ASSERT_EQ(sections.size(), 1u);
  const auto background = PrintedEntries(sections[0].background, true);
  const auto aspects = PrintedEntries(sections[0].report, false);
  ASSERT_EQ(aspects.size(), 6u);
  EXPECT_EQ(background.size(), static_cast<std::size_t>(sections[0].background.Count));
  for (const TDynamicTextEntry* e : background) EXPECT_TRUE(e->Category == 1 || e->Category == 2);
  // The report list has no house or sign entries to print in the background.
  EXPECT_TRUE(PrintedEntries(sections[0].report, true).empty());
  EXPECT_NE(sections[0].summary.find("Conjunction (0°00'), Square (90°00')"), std::string::npos);
  // The extended report search wrote its period; the background one the plain period.
  EXPECT_EQ(IniFile(dir / "tmp/KV_Dyn1.ini").ReadInteger("Period", "StartYear", 0), 2025);
  EXPECT_EQ(IniFile(dir / "tmp/KV_Dyn0.ini").ReadInteger("Period", "StartYear", 0), 2026);
  EXPECT_EQ(IniFile(dir / "tmp/KV_Dyn0.ini").ReadInteger("Output", "SortOrder", 0), 3);

  // An entry not shown is not printed.
  TDynamicTextEntries list = sections[0].report;
  list.Items[list.Order[0]].Show = false;
  EXPECT_EQ(PrintedEntries(list, false).size(), 5u);
}

TEST_F(EventSearchTest, PrimaryDirectionsAreSearchedWithTheirMethodKeys) {
  report.dynTypeNames = {"Primaries (Van Dam)"};
  period.BaseDate = {2030, 1, 1, 0, 0, 0, calAuto};
  period.Duration = 40;
  EXPECT_EQ(Search({.section = 0, .tempNumber = 1}), PredictOk);
  const IniFile ini(dir / "tmp/KV_Dyn1.ini");
  EXPECT_EQ(ini.ReadInteger("Event Selection Primary", "DynamicType", 0), 3);
  EXPECT_EQ(ini.ReadInteger("Event Selection Primary", "DirType", 0), 6);
  EXPECT_EQ(ini.ReadInteger("Event Selection Primary", "PrimRateMethod", -1), 0);
  // Forty years of arc carry the directed square of the Sun to the radix Sun.
  ASSERT_EQ(entries.Count, 1);
  EXPECT_EQ(entries.Items[0].Keyword, "Transiting Sun Square Radix Sun");
  for (const TDynamicTextEntry& e : entries.Items) EXPECT_EQ(e.Category, 0);
}

}  // namespace
}  // namespace korvana
