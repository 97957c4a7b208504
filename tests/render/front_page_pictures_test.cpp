#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "core/analysis/classical_fixtures.h"
#include "core/util/files.h"
#include "render/front_page_pictures.h"
#include "render/wmf_player.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

TEST(FrontPagePictures, DignityPictureHeightFollowsTheScreenWidthBands) {
  struct Case {
    int width;
    double dpi;
    int height;
  };
  const Case cases[] = {{640, 96, 390}, {641, 96, 346}, {800, 96, 432}, {801, 96, 384}, {1024, 120, 614}};
  for (const Case& c : cases) {
    ReportScreen s;
    s.size = QSize(c.width, 600);
    s.dpi = c.dpi;
    EXPECT_EQ(DignityPictureHeight(s), c.height) << c.width;
  }
}

class FrontPagePicturesTest : public ::testing::Test {
 protected:
  FrontPagePicturesTest() {
    screen.size = QSize(800, 600);
    run.charts = {korvana::testing::BareChart(0.0)};
    report.almutenFile = folder.Path() + "/missing.alm";  // the table shows its read failure heading
    run.report = &report;
    run.settings = &settings;
    run.tables = &korvana::testing::ShippedTables();
  }
  korvana::testing::TempFolder folder;
  ReportScreen screen;
  TKVReport report;
  ProgramSettings settings;
  ReportRun run;
};

TEST_F(FrontPagePicturesTest, WheelNeedsAPainterAndFillsTheScreenSizedCanvas) {
  const std::string path = folder.Path() + "/chart.wmf";
  TFrontPagePictures none({}, screen);
  EXPECT_FALSE(none.DrawWheel(run, path, RtfWheelCanvas));
  EXPECT_FALSE(FileExists(path));

  QRect seen;
  WheelCanvas seenCanvas;
  TFrontPagePictures drawing(
      [&](const ReportRun&, QPainter& p, const QRect& r, const WheelCanvas& c) {
        seen = r;
        seenCanvas = c;
        p.setPen(QPen(Qt::black, 4));
        p.drawEllipse(r.center(), 200, 200);
        return true;
      },
      screen);
  ASSERT_TRUE(drawing.DrawWheel(run, path, RtfWheelCanvas));
  EXPECT_EQ(seen, QRect(0, 0, 800, 1040)) << "screen wide, 1.3 times as high";
  EXPECT_EQ(seenCanvas.vertical, 2) << "the wheel at the bottom, clear of the details block";
  const auto data = ReadFileBytes(path);
  ASSERT_TRUE(data);
  const MetafileInfo info = ReadMetafileInfo(*data);
  EXPECT_TRUE(info.placeable);
  EXPECT_EQ(info.bounds.width(), 800);
  EXPECT_EQ(info.bounds.height(), 1040);
  // The circle is there: the picture played at its size inks the ring's top point.
  QImage image(800, 1040, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter p(&image);
    PlayMetafile(*data, p, QRectF(0, 0, 800, 1040));
  }
  EXPECT_NE(image.pixel(400, 320), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(400, 520), qRgb(255, 255, 255));

  // A canvas of its own size (the PDF chart page's) replaces the screen's.
  ASSERT_TRUE(drawing.DrawWheel(run, path, WheelCanvas{2000, 2600, 0, 2, 2}));
  EXPECT_EQ(seen, QRect(0, 0, 2000, 2600));
  EXPECT_EQ(seenCanvas.outputKind, 2);

  TFrontPagePictures failing([](const ReportRun&, QPainter&, const QRect&, const WheelCanvas&) { return false; }, screen);
  EXPECT_FALSE(failing.DrawWheel(run, folder.Path() + "/other.wmf", RtfWheelCanvas));
  EXPECT_FALSE(FileExists(folder.Path() + "/other.wmf"));
}

TEST_F(FrontPagePicturesTest, DignityTableIsScreenWideAndBandHigh) {
  const std::string path = folder.Path() + "/essdig.wmf";
  TFrontPagePictures pictures({}, screen);
  ASSERT_TRUE(pictures.DrawDignityTable(run, path));
  const auto data = ReadFileBytes(path);
  ASSERT_TRUE(data);
  const MetafileInfo info = ReadMetafileInfo(*data);
  EXPECT_EQ(info.bounds.width(), 800);
  EXPECT_EQ(info.bounds.height(), 432);
  EXPECT_GT(info.recordCount, 3);  // something was drawn

  run.charts.clear();
  EXPECT_FALSE(pictures.DrawDignityTable(run, folder.Path() + "/none.wmf"));
}

}  // namespace
}  // namespace korvana
