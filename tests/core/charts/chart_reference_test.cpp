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

}  // namespace
}  // namespace korvana
