#include "core/reports/pdf/pdf_front_page.h"

#include <gtest/gtest.h>

#include "../composer/report_fixture.h"
#include "core/reports/pdf/pdf_report.h"
#include "core/util/files.h"
#include "recording_pdf_engine.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::RecordingPdfEngine;

// A chart page picture source that writes a small placeable metafile header-only file
// and remembers the canvas it was asked for.
class CanvasPictures : public FrontPagePictures {
 public:
  bool DrawWheel(const ReportRun&, const std::string& path, const WheelCanvas& c) override {
    canvas = c;
    return WriteFileAtomic(path, "wheel");
  }
  bool DrawDignityTable(const ReportRun&, const std::string&) override { return false; }
  WheelCanvas canvas;
};

class PdfFrontPageTest : public ::testing::Test {
 protected:
  PdfFrontPageTest() : layout(engine, settings.TextStyles) {
    settings.SystemPath = settings.ReportPath = folder.Path() + "/";
    settings.ChartPage = false;
    report.frontPageTitle = "Your Natal Chart";
    report.author = "Ann Author";
    run.charts = {testing::MakeChart("Anna Smith")};
    run.report = &report;
    run.settings = &settings;
    run.aspects = &aspects;
    run.ownerNames = {"Anna"};
    layout.SetPage(PdfPageFor(settings, {}));
    engine.BeginDocument();
  }

  std::string Words() {
    std::string all;
    for (const auto& t : engine.Body()) all += t.text + " ";
    return all;
  }

  testing::TempFolder folder;
  ProgramSettings settings;
  TKVReport report;
  AspectSet aspects = testing::MajorAspects();
  ReportRun run;
  RecordingPdfEngine engine;
  PdfLayout layout;
};

TEST_F(PdfFrontPageTest, EachStylePrintsItsTitle) {
  struct Case {
    int style;
    std::vector<std::string> shown, absent;
  };
  const Case cases[] = {
      {1, {"YOUR NATAL CHART", "A KORVANA REPORT", "for Anna", "ANN AUTHOR"}, {"Natal Section"}},
      {2, {"NATAL SECTION", "for Anna", "Ann Author"}, {"YOUR NATAL CHART"}},
      {0, {"KORVANA REPORT", "Natal Section", "for Anna"}, {"Your Natal Chart", "YOUR NATAL CHART"}},
  };
  for (const Case& c : cases) {
    engine.texts.clear();
    report.frontPageStyle = c.style;
    WritePdfFrontPage(layout, run, "Natal Section", nullptr);
    const std::string words = Words();
    for (const std::string& w : c.shown) EXPECT_NE(words.find(w), std::string::npos) << c.style << ": " << w << " in " << words;
    for (const std::string& w : c.absent) EXPECT_EQ(words.find(w), std::string::npos) << c.style << ": " << w;
  }
}

TEST_F(PdfFrontPageTest, ChartPageDrawsTheWheelOnItsCanvasAtTheFullWidth) {
  settings.ChartPage = true;
  report.frontPageStyle = 0;
  CanvasPictures pictures;
  engine.pictureSizes[settings.ReportPath + "chart.wmf"] = {2000, 1000};
  WritePdfFrontPage(layout, run, "Natal Section", &pictures);
  const double W = layout.TextWidth(), U = layout.UsableHeight();
  EXPECT_EQ(pictures.canvas.width, 2000);
  EXPECT_EQ(pictures.canvas.height, static_cast<int>(2000 * 0.95 * U / W)) << "a natal report's page-high wheel";
  EXPECT_EQ(pictures.canvas.vertical, 2) << "the wheel at the bottom, the details above";
  EXPECT_EQ(pictures.canvas.outputKind, 2);
  ASSERT_EQ(engine.pictures.size(), 1u);
  const auto& wheel = engine.pictures[0];
  EXPECT_EQ(wheel.page, 2) << "the chart page is a page of its own";
  EXPECT_FALSE(wheel.asImage);
  EXPECT_DOUBLE_EQ(wheel.width, W);
  EXPECT_NEAR(wheel.height, W * pictures.canvas.height / 2000.0, 1e-6) << "the canvas's aspect, not the file's";
  EXPECT_LE(wheel.height, U);

  // A synastry report shows both charts on a 1400 high canvas, the wheel at the right.
  report.synastry = true;
  EXPECT_EQ(PdfWheelCanvas(run, W, U).height, 1400);
  EXPECT_EQ(PdfWheelCanvas(run, W, U).horizontal, 2);
}

}  // namespace
}  // namespace korvana
