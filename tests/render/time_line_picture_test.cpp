// The time line picture of a dynamic report entry: its size for a screen, the bar and
// labels where the layout puts them, and the metafile a report embeds.
#include <gtest/gtest.h>

#include <QImage>

#include "render/metafile.h"
#include "render/render_test_support.h"
#include "render/time_line_picture.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

TimeLinePeriod Year2026() {
  TDynRepUserData s;
  const DateTimeRec start{2026, 1, 1, 0, 0, 0, calAuto};
  const PeriodBounds b = PeriodBoundsOf(s, start);
  return {start, 0.0f, b.startUT, b.endUT};
}

TEST(TimeLinePicture, IsHalfTheScreenWideAndATwelfthOfThatHigh) {
  const struct {
    int screenWidth;
    QSize size;
  } cases[] = {{1024, {512, 42}}, {1920, {960, 80}}, {800, {400, 33}}, {1366, {683, 56}}};
  for (const auto& c : cases) {
    ReportScreen screen;
    screen.size = QSize(c.screenWidth, 768);
    EXPECT_EQ(TimeLinePictureSize(screen), c.size) << c.screenWidth;
  }
}

TEST(TimeLinePicture, TheBarLiesUnderTheRulerAcrossTheEntrysSpan) {
  const TimeLinePeriod year = Year2026();
  TDynamicTextEntry entry;  // April to June
  entry.StartTime = year.startUT + 100;
  entry.EndTime = year.startUT + 160;
  entry.ExactTimes = {year.startUT + 130};
  QImage image = testing::WhiteImage(730, 60);
  {
    QPainter painter(&image);
    DrawTimeLine(painter, image.rect(), year, entry);
  }
  // Two units a day; the bar along five sixths of the height.
  const int y3 = 50;
  auto black = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
  EXPECT_TRUE(black(220, y3 - 1)) << "the bar's outline";
  EXPECT_TRUE(black(300, y3 + 1));
  EXPECT_FALSE(black(150, y3 - 1)) << "before the entry";
  EXPECT_FALSE(black(400, y3 - 1)) << "after it";
  EXPECT_TRUE(black(260, y3 - 3)) << "the exact time's mark";
  EXPECT_FALSE(black(250, y3 - 3));
  // Labels fill both bands: the months' and the year's.
  auto inkIn = [&](int top, int bottom) {
    int ink = 0;
    for (int y = top + 2; y < bottom - 1; ++y)
      for (int x = 5; x < 725; ++x) ink += black(x, y) ? 1 : 0;
    return ink;
  };
  EXPECT_GT(inkIn(0, 20), 30);
  EXPECT_GT(inkIn(20, 40), 300);
}

TEST(TimeLinePicture, TheReportsPictureIsAMetafileWithItsLabelsAsText) {
  testing::TempFolder dir;
  ReportScreen screen;
  screen.size = QSize(1024, 768);
  TTimeLinePictures pictures(screen);
  TDynamicTextEntry entry;
  entry.StartTime = Year2026().startUT + 10;
  entry.EndTime = Year2026().startUT + 20;
  ASSERT_TRUE(pictures.DrawTimeLine(Year2026(), entry, dir / "temp.wmf"));
  const std::string data = dir.Read("temp.wmf");
  ASSERT_GT(data.size(), 22u);
  EXPECT_EQ(data.substr(0, 4), std::string("\xD7\xCD\xC6\x9A", 4));
  for (const char* label : {"Jan", "Dec", "2026"}) EXPECT_NE(data.find(label), std::string::npos) << label;
  EXPECT_FALSE(pictures.DrawTimeLine(Year2026(), entry, dir / "missing/folder/temp.wmf"));
}

}  // namespace
}  // namespace korvana
