#include "core/session/start_request.h"

#include <gtest/gtest.h>

namespace korvana {
namespace {

TEST(StartRequest, ReadsTheStartSectionWithItsDefaults) {
  const StartRequest empty = ReadStartRequest(IniFile::FromText(""));
  EXPECT_FALSE(empty.done);
  EXPECT_EQ(empty.chartIndex, 1);
  EXPECT_EQ(empty.chartIndex2, 0);

  const StartRequest r = ReadStartRequest(IniFile::FromText(
      "[Start]\r\nDone=0\r\nReport=synastry.swp\r\nChartFile=/c/a.cht\r\nChartIndex=3\r\nChartIndex2=5\r\n"));
  EXPECT_EQ(r.report, "synastry.swp");
  EXPECT_EQ(r.chartIndex, 3);
  EXPECT_EQ(r.chartFile2, "/c/a.cht") << "the second chart's file defaults to the first's";
  EXPECT_EQ(r.chartIndex2, 5);
  EXPECT_EQ(StartReportPath(r, "/data/"), "/data/synastry.swp");
  StartRequest elsewhere = r;
  elsewhere.report = "/sets/x.swp";
  EXPECT_EQ(StartReportPath(elsewhere, "/data/"), "/sets/x.swp");
}

TEST(StartRequest, TheReportCommandAndForgettingTheSecondChart) {
  EXPECT_EQ(StartCommandOf(1), StartCommand::ViewAsPdf);
  EXPECT_EQ(StartCommandOf(2), StartCommand::EmailPdf);
  EXPECT_EQ(StartCommandOf(7), StartCommand::ViewInEditor);
  IniFile settings = IniFile::FromText("[Start]\r\nChartFile=a.cht\r\nChartFile2=b.cht\r\nChartIndex2=2\r\n");
  ForgetSecondChart(settings);
  EXPECT_FALSE(settings.ValueExists("Start", "ChartFile2"));
  EXPECT_FALSE(settings.ValueExists("Start", "ChartIndex2"));
  EXPECT_TRUE(settings.ValueExists("Start", "ChartFile"));
}

}  // namespace
}  // namespace korvana
