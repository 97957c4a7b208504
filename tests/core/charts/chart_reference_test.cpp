#include "core/charts/chart_reference.h"

#include <gtest/gtest.h>

#include "chart_fixtures.h"
#include "core/charts/chart_files.h"
#include "core/config/program_settings.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

TEST(ChartReference, Parsing) {
  struct Case {
    const char* text;
    const char* file;  // nullptr: not a reference
    int index;
  };
  const Case cases[] = {
      {"main.cht:3", "main.cht", 3},
      {"/data/my:charts.cht:12", "/data/my:charts.cht", 12},
      {"main.cht", nullptr, 0},
      {"main.cht:", nullptr, 0},
      {"main.cht:0", nullptr, 0},
      {"main.cht:-1", nullptr, 0},
      {"main.cht:2x", nullptr, 0},
      {"main.cht: 2", nullptr, 0},
      {":4", nullptr, 0},
      {"main.cht:99999999999", nullptr, 0},
  };
  for (const Case& c : cases) {
    const auto ref = ParseChartReference(c.text);
    if (!c.file) {
      EXPECT_FALSE(ref.has_value()) << c.text;
      continue;
    }
    ASSERT_TRUE(ref.has_value()) << c.text;
    EXPECT_EQ(ref->file, c.file);
    EXPECT_EQ(ref->index, c.index);
  }
}

TEST(ChartReference, BareNamesAreFoundInTheChartAndUserFolders) {
  testing::TempFolder temp;
  ProgramSettings settings;
  settings.ChartPath = temp / "charts/";
  settings.UserPath = temp / "userdata/";
  ChartRecord chart = testing::SydneyChart(settings);
  temp.Write("userdata/Family.cht", OwnFileHeader("t") + OwnRecordFromChart(chart, 5, 12.5f, 0));
  chart.Name = "In the chart folder";
  temp.Write("charts/work.cht", OwnFileHeader("t") + OwnRecordFromChart(chart, 5, 0.0f, 0));

  EXPECT_EQ(ResolveChartFile("family.cht", settings), temp / "userdata/Family.cht");
  EXPECT_EQ(ResolveChartFile("work.cht", settings), temp / "charts/work.cht");
  EXPECT_EQ(ResolveChartFile("none.cht", settings), "none.cht");
  EXPECT_EQ(ResolveChartFile("sub/work.cht", settings), "sub/work.cht");  // paths are taken as written

  const StoredChart read = ReadChartReference("family.cht:1", settings);
  EXPECT_EQ(read.chart.Name, "Test Sydney");
  EXPECT_DOUBLE_EQ(settings.UserSVP, 12.5);  // reading a chart sets the user sidereal offset
  EXPECT_EQ(ReadChartReference("work.cht:1", settings).chart.Name, "In the chart folder");
  EXPECT_THROW(ReadChartReference("work.cht:2", settings), EChartFileError);
  EXPECT_THROW(ReadChartReference("work.cht", settings), EChartFileError);
  EXPECT_THROW(ReadChartReference("none.cht:1", settings), EChartFileError);
}

TEST(ChartReference, RunsOfCharts) {
  struct Case {
    const char* text;
    const char* file;  // nullptr: not a run
    int first, last;
  };
  const Case cases[] = {
      {"main.cht:all", "main.cht", 1, 0},
      {"main.cht:ALL", "main.cht", 1, 0},
      {"main.cht:3-9", "main.cht", 3, 9},
      {"main.cht:4-4", "main.cht", 4, 4},
      {"/data/my:charts.cht:1-2", "/data/my:charts.cht", 1, 2},
      {"main.cht:3", nullptr, 0, 0},  // one chart
      {"main.cht:9-3", nullptr, 0, 0},
      {"main.cht:0-3", nullptr, 0, 0},
      {"main.cht:3-", nullptr, 0, 0},
      {"main.cht:-3", nullptr, 0, 0},
      {"main.cht:1-99999999999", nullptr, 0, 0},
      {":all", nullptr, 0, 0},
  };
  for (const Case& c : cases) {
    const auto run = ParseChartRun(c.text);
    if (!c.file) {
      EXPECT_FALSE(run.has_value()) << c.text;
      continue;
    }
    ASSERT_TRUE(run.has_value()) << c.text;
    EXPECT_EQ(run->file, c.file);
    EXPECT_EQ(run->first, c.first) << c.text;
    EXPECT_EQ(run->last, c.last) << c.text;
  }

  testing::TempFolder temp;
  ProgramSettings settings;
  settings.ChartPath = temp / "charts/";
  const ChartRecord chart = testing::SydneyChart(settings);
  const std::string record = OwnRecordFromChart(chart, 5, 0.0f, 0);
  temp.Write("charts/three.cht", OwnFileHeader("t") + record + record + record);
  const std::string path = temp / "charts/three.cht";
  EXPECT_EQ(ChartRunReferences(*ParseChartRun("three.cht:all"), settings),
            (std::vector<std::string>{path + ":1", path + ":2", path + ":3"}));
  EXPECT_EQ(ChartRunReferences(*ParseChartRun("three.cht:2-3"), settings),
            (std::vector<std::string>{path + ":2", path + ":3"}));
  EXPECT_THROW(ChartRunReferences(*ParseChartRun("three.cht:2-4"), settings), EChartFileError);
  EXPECT_THROW(ChartRunReferences(*ParseChartRun("none.cht:all"), settings), EChartFileError);
}

}  // namespace
}  // namespace korvana
