// The shipped modern report set written for the first sample chart: the report has the
// index's section titles with keyword titles and paragraphs, and LibreOffice opens it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/analysis/aspect_file.h"
#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"
#include "core/charts/chart_files.h"
#include "core/reports/driver/report_driver.h"
#include "core/reports/driver/report_questions.h"
#include "core/reports/reportset/report_set.h"
#include "core/util/files.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

const std::string Template = std::string(KORVANA_TEMPLATE_DIR) + "/";

TEST(ShippedReport, ModernReportForTheFirstSampleChartOpensInLibreOffice) {
  testing::TempFolder folder;
  testing::RecordingMessages messages;
  ProgramSettings settings;
  settings.SystemPath = settings.CompilePath = settings.EphemPath = Template;
  settings.UserPath = settings.ChartPath = Template + "userdata/";
  settings.SourcePath = Template + "source/";
  settings.ReportPath = folder.Path();
  SwissEphemerisUsable(Template + "swisseph/");

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
  folder.Write("report.rtf", rtf);
  const std::string command = "soffice -env:UserInstallation=file://" + folder.Path() +
                              "profile --headless --convert-to txt:Text --outdir " + folder.Path() + " " +
                              folder.Path() + "report.rtf > " + folder.Path() + "soffice.log 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << folder.Read("soffice.log");
  const std::string text = folder.Read("report.txt");
  EXPECT_NE(text.find("The Sun, the Moon and the Ascendant"), std::string::npos) << text.substr(0, 400);
  EXPECT_NE(text.find("Sun is in "), std::string::npos);
  EXPECT_NE(text.find(run.ownerNames[0]), std::string::npos);
  EXPECT_GT(text.size(), 5000u);
}

}  // namespace
}  // namespace korvana
