// The shipped modern report set written for the first sample chart: the report has the
// index's section titles with keyword titles and paragraphs, and LibreOffice opens it. The
// shipped synastry set written for two sample charts names each person where the
// contact found between their charts puts them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>

#include "core/analysis/aspect_file.h"
#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"
#include "core/charts/chart_files.h"
#include "core/reports/driver/report_driver.h"
#include "core/reports/driver/report_questions.h"
#include "core/reports/reportset/report_set.h"
#include "core/util/files.h"
#include "core/util/text.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

const std::string Template = std::string(KORVANA_TEMPLATE_DIR) + "/";

// The settings of a run on the data template, writing its reports into folder.
ProgramSettings TemplateSettings(const testing::TempFolder& folder) {
  ProgramSettings settings;
  settings.SystemPath = settings.CompilePath = settings.EphemPath = Template;
  settings.UserPath = settings.ChartPath = Template + "userdata/";
  settings.SourcePath = Template + "source/";
  settings.ReportPath = folder.Path();
  SwissEphemerisUsable(Template + "swisseph/");
  return settings;
}

// The text LibreOffice makes of an RTF report in folder.
std::string LibreOfficeText(testing::TempFolder& folder, const std::string& rtf) {
  folder.Write("report.rtf", rtf);
  const std::string command = "soffice -env:UserInstallation=file://" + folder.Path() +
                              "profile --headless --convert-to txt:Text --outdir " + folder.Path() + " " +
                              folder.Path() + "report.rtf > " + folder.Path() + "soffice.log 2>&1";
  if (std::system(command.c_str()) != 0) return "soffice failed: " + folder.Read("soffice.log");
  return folder.Read("report.txt");
}


TEST(ShippedReport, ModernReportForTheFirstSampleChartOpensInLibreOffice) {
  testing::TempFolder folder;
  testing::RecordingMessages messages;
  ProgramSettings settings = TemplateSettings(folder);

  TKVReport report;
  ASSERT_TRUE(LoadReportSet(Template + "modern.swp", report, settings, messages));
  AspectSet aspects;
  ASSERT_TRUE(LoadAspectFile(report.aspectFile, aspects, messages));

  std::vector<StoredChart> stored = ReadAllCharts(Template + "userdata/main.cht", settings);
  ASSERT_FALSE(stored.empty());
  CastOptions options = CastOptionsFrom(settings);
  options.HouseSystem = stored[0].houseSystem;
  ReportRun run;
  run.charts.push_back(CastChart(stored[0].chart, options));
  run.ownerNames = {GivenNameOf(stored[0].chart.Name)};
  run.compiledFile = report.compiledFile;
  run.indexFile = Template + "modern.ind";
  run.outputFile = ReportOutputFile(settings.ReportPath, report, ReportNameFor(run.charts, report));
  run.report = &report;
  run.settings = &settings;
  run.aspects = &aspects;
  run.messages = &messages;
  ReportDriver driver;
  ReportOutcome outcome = driver.GenerateRtfReport(run);
  ASSERT_TRUE(outcome.written);
  EXPECT_FALSE(outcome.failed) << outcome.problem;
  EXPECT_GT(outcome.paragraphs, 20);

  const std::string rtf = folder.Read(NameOf(run.outputFile));
  EXPECT_NE(rtf.find("{\\i Sun is in "), std::string::npos);
  EXPECT_NE(rtf.find("The Sun, the Moon and the Ascendant"), std::string::npos);

  // LibreOffice reads the report and finds the same titles and texts.
  const std::string text = LibreOfficeText(folder, rtf);
  EXPECT_NE(text.find("The Sun, the Moon and the Ascendant"), std::string::npos) << text.substr(0, 400);
  EXPECT_NE(text.find("Sun is in "), std::string::npos);
  EXPECT_NE(text.find(run.ownerNames[0]), std::string::npos);
  EXPECT_GT(text.size(), 5000u);
}


TEST(ShippedReport, SynastryReportNamesEachPersonWhereTheContactPutsThem) {
  testing::TempFolder folder;
  testing::RecordingMessages messages;
  ProgramSettings settings = TemplateSettings(folder);

  TKVReport report;
  ASSERT_TRUE(LoadReportSet(Template + "synastry.swp", report, settings, messages));
  ASSERT_TRUE(report.synastry);
  AspectSet aspects;
  ASSERT_TRUE(LoadAspectFile(report.aspectFile, aspects, messages));
  std::vector<StoredChart> stored = ReadAllCharts(Template + "userdata/main.cht", settings);
  ASSERT_GT(stored.size(), 5u);
  ReportRun run;
  for (const StoredChart& s : {stored[0], stored[5]}) {  // Albert Einstein, Sigmund Freud
    CastOptions options = CastOptionsFrom(settings);
    options.HouseSystem = s.houseSystem;
    run.charts.push_back(CastChart(s.chart, options));
    run.ownerNames.push_back(GivenNameOf(s.chart.Name));
  }
  run.highChart = 1;
  run.compiledFile = report.compiledFile;
  run.indexFile = Template + "synastry.ind";
  run.outputFile = folder / "synastry.rtf";
  run.report = &report;
  run.settings = &settings;
  run.aspects = &aspects;
  run.messages = &messages;
  ReportDriver driver;
  ReportOutcome outcome = driver.GenerateRtfReport(run);
  ASSERT_TRUE(outcome.written);
  EXPECT_FALSE(outcome.failed) << outcome.problem;

  const std::string text = LibreOfficeText(folder, folder.Read("synastry.rtf"));
  for (const char* leftover : {"%1", "%2", "[he/", "[his/", "<BOLD", "\\par"})
    EXPECT_EQ(text.find(leftover), std::string::npos) << leftover;
  // Every overlay heading "A's Planet is in B's Nth House" is followed by its paragraph
  // "The Planet of A falls in the ... house of B", whichever way round it was found.
  const std::regex heading("^(Albert|Sigmund)'s (Sun|Moon|Mercury|Venus|Mars|Jupiter|Saturn) is in "
                           "(Albert|Sigmund)'s [0-9]+(st|nd|rd|th) House$");
  std::istringstream lines(text);
  std::string line, previous;
  int overlays = 0, bothWays = 0;
  std::set<std::string> owners;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (Trim(line).empty()) continue;
    std::smatch m;
    if (std::regex_match(previous, m, heading)) {
      ++overlays;
      owners.insert(m[1]);
      EXPECT_NE(m[1], m[3]) << previous;
      EXPECT_EQ(line.rfind("The " + m[2].str() + " of " + m[1].str() + " falls in the ", 0), 0u) << previous << "\n" << line;
      EXPECT_NE(line.find(" house of " + m[3].str() + "."), std::string::npos) << line;
    }
    previous = line;
  }
  bothWays = static_cast<int>(owners.size());
  EXPECT_GE(overlays, 7);
  EXPECT_EQ(bothWays, 2) << "each person's planets in the other's houses";
  EXPECT_NE(text.find("Albert's Ascendant is Trine Sigmund's Ascendant"), std::string::npos);
}

}  // namespace
}  // namespace korvana
