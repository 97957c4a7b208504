// Picture paragraphs and the picture file readers behind them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/reports/rtf/picture_files.h"
#include "core/reports/rtf/rtf_emitter.h"
#include "core/util/files.h"
#include "core/util/records.h"
#include "support/placeable_wmf.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using korvana::testing::TempFolder;

// A 24-bit bitmap, bottom-up, from rows given top-down as r, g, b triples.
std::string Bitmap24(int width, const std::vector<std::vector<std::uint8_t>>& rowsTopDown) {
  const int height = static_cast<int>(rowsTopDown.size());
  const int stride = (width * 3 + 3) / 4 * 4;
  ByteWriter w;
  w.U8('B');
  w.U8('M');
  w.U32(54 + stride * height);
  w.U32(0);
  w.U32(54);
  w.U32(40);
  w.I32(width);
  w.I32(height);
  w.U16(1);
  w.U16(24);
  w.U32(0);
  w.U32(stride * height);
  w.U32(2835);
  w.U32(2835);
  w.U32(0);
  w.U32(0);
  for (int y = height - 1; y >= 0; --y) {
    const auto& row = rowsTopDown[y];
    for (int x = 0; x < width; ++x) {
      w.U8(row[x * 3 + 2]);
      w.U8(row[x * 3 + 1]);
      w.U8(row[x * 3]);
    }
    w.Zeros(stride - width * 3);
  }
  return w.Take();
}

using korvana::testing::PlaceableWmf;

class RtfPictures : public ::testing::Test {
 protected:
  TempFolder folder;
  RtfLayout layout;
  RtfFile file;
  void SetUp() override { layout.systemPath = folder.Path() + "system/"; }
};

TEST_F(RtfPictures, UnknownKindWritesNothing) {
  std::string png = folder.Write("logo.png", "\x89PNG....");
  InsertPicture(file, layout, png, 5000);
  InsertPicture(file, layout, folder / "missing.gif", 5000);
  InsertPicture(file, layout, folder / "noextension", 5000);
  EXPECT_TRUE(file.Data().empty());
}

TEST_F(RtfPictures, JpegIsEmbeddedWithItsPixelSizeAndGoalHeight) {
  RgbImage image{40, 30, std::string(40 * 30 * 3, '\x80')};
  std::string jpeg = EncodeJpeg(image, 80);
  std::string path = folder.Write("photo.JPEG", jpeg);
  InsertPicture(file, layout, path, 4000);
  std::string expectedHead = "\r\n\\pard\\qc {\\pict\\jpegblip\\picw40\\pich30\\picwgoal4000\\pichgoal3000\\bin" +
                             std::to_string(jpeg.size()) + " ";
  EXPECT_EQ(file.Data(), expectedHead + jpeg + "}\\pard\\plain\\qc\\par ");
}

TEST_F(RtfPictures, BitmapIsConvertedToJpegAndKeptAsTempJpg) {
  ASSERT_TRUE(std::filesystem::create_directories(layout.systemPath));
  std::vector<std::vector<std::uint8_t>> rows(20, std::vector<std::uint8_t>(30 * 3));
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 30; ++x) {
      // Top half red, bottom half blue.
      rows[y][x * 3] = y < 10 ? 255 : 0;
      rows[y][x * 3 + 2] = y < 10 ? 0 : 255;
    }
  }
  std::string path = folder.Write("logo.bmp", Bitmap24(30, rows));
  InsertPicture(file, layout, path, 3000);
  std::string temp = folder.Read("system/Temp.jpg");
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(file.Data().find("\r\n\\pard\\qc {\\pict\\jpegblip\\picw30\\pich20\\picwgoal3000\\pichgoal2000\\bin" +
                             std::to_string(temp.size()) + " "),
            0u);
  EXPECT_NE(file.Data().find(temp), std::string::npos);

  // A conversion is kept for the next report, but a bitmap replaced under the same name
  // (same size, another picture) is converted anew.
  for (auto& row : rows) std::fill(row.begin(), row.end(), std::uint8_t{0x40});
  ASSERT_TRUE(WriteFileAtomic(path, Bitmap24(30, rows)));
  RtfFile again;
  InsertPicture(again, layout, path, 3000);
  const std::string grey = folder.Read("system/Temp.jpg");
  EXPECT_NE(grey, temp);
  EXPECT_NE(again.Data().find(grey), std::string::npos);
}

TEST_F(RtfPictures, BitmapDecoding) {
  // Top-down 8-bit palette bitmap, 3 x 2, with a padded row.
  ByteWriter w;
  w.U8('B');
  w.U8('M');
  w.U32(0);
  w.U32(0);
  w.U32(14 + 40 + 2 * 4);  // pixel data after the palette
  w.U32(40);
  w.I32(3);
  w.I32(-2);
  w.U16(1);
  w.U16(8);
  w.U32(0);
  w.U32(0);
  w.U32(0);
  w.U32(0);
  w.U32(2);  // colours used
  w.U32(0);
  w.Bytes(std::string("\x00\x00\xFF\x00", 4));  // red (b, g, r, 0)
  w.Bytes(std::string("\xFF\x00\x00\x00", 4));  // blue
  w.Bytes(std::string("\x00\x01\x00\x00", 4));  // row 0: red, blue, red
  w.Bytes(std::string("\x01\x01\x00\x00", 4));  // row 1: blue, blue, red
  RgbImage img = DecodeBitmap(w.Data());
  ASSERT_EQ(img.width, 3);
  ASSERT_EQ(img.height, 2);
  EXPECT_EQ(img.pixels, std::string("\xFF\x00\x00\x00\x00\xFF\xFF\x00\x00"
                                    "\x00\x00\xFF\x00\x00\xFF\xFF\x00\x00",
                                    18));

  std::string truncated = w.Data().substr(0, w.Data().size() - 3);
  EXPECT_THROW(DecodeBitmap(truncated), ERtfPictureError);
  EXPECT_THROW(DecodeBitmap("BM"), ERtfPictureError);
  EXPECT_THROW(DecodeBitmap("not a bitmap at all, just text"), ERtfPictureError);
}

TEST_F(RtfPictures, PlaceableMetafileUsesItsBoxAndTheAspectCorrections) {
  std::string wmf = PlaceableWmf(0, 0, 1000, 500);
  std::string path = folder.Write("chart.wmf", wmf);
  InsertPicture(file, layout, path, 5000);
  EXPECT_EQ(file.Data(), "\r\n\\pard\\qc {\\pict\\wmetafile8\\picwgoal5000\\pichgoal2500\\bin24 " +
                             wmf.substr(22) + "}\\par \\plain\\pard ");

  struct Case {
    double adjustment, dpiX, dpiY;
    const char* goal;
  };
  const Case cases[] = {{1.1, 96, 96, "\\pichgoal2750\\"},
                        {1.0, 96, 120, "\\pichgoal2000\\"},
                        {1.0, 120, 96, "\\pichgoal3125\\"},
                        // 2500 x 1.0001 = 2500.25, rounded before the density correction.
                        {1.0001, 100, 200, "\\pichgoal1250\\"}};
  for (const Case& c : cases) {
    RtfFile f;
    layout.wheelAspectRatioAdjustment = c.adjustment;
    layout.screenDpiX = c.dpiX;
    layout.screenDpiY = c.dpiY;
    InsertPicture(f, layout, path, 5000);
    EXPECT_NE(f.Data().find(c.goal), std::string::npos) << f.Data().substr(0, 80);
  }
}

TEST_F(RtfPictures, PicturesFitTheTextWidthAndHeight) {
  // The default page: 12018 x 16951 twips with half-inch margins and the footer's line:
  // text 10578 wide, 15151 high.
  struct Case {
    int boxWidth, boxHeight, goal;
    const char* expected;
  };
  const Case cases[] = {
      {1000, 500, 20000, "\\picwgoal10578\\pichgoal5289\\"},   // wider than the text: the text width
      {500, 1000, 10000, "\\picwgoal7575\\pichgoal15151\\"},   // taller than the page: the text height
      {1000, 500, 4000, "\\picwgoal4000\\pichgoal2000\\"},     // fits: as asked
  };
  for (const Case& c : cases) {
    RtfFile f;
    InsertPicture(f, layout, folder.Write("p.wmf", PlaceableWmf(0, 0, static_cast<std::int16_t>(c.boxWidth),
                                                               static_cast<std::int16_t>(c.boxHeight))),
                  c.goal);
    EXPECT_NE(f.Data().find(c.expected), std::string::npos) << f.Data().substr(0, 80);
  }
}

TEST_F(RtfPictures, EnhancedMetafileEmbedsTheWholeFile) {
  ByteWriter w;
  w.U32(1);
  w.U32(88);
  w.Zeros(16);  // bounds
  w.I32(0);
  w.I32(0);
  w.I32(2540 * 4);  // 4 inches wide
  w.I32(2540);      // 1 inch high
  w.U32(0x464D4520u);
  w.Zeros(88 - 44);
  std::string emf = w.Take();
  std::string path = folder.Write("table.EMF", emf);
  InsertPicture(file, layout, path, 8000);
  EXPECT_EQ(file.Data(), "\r\n\\pard\\qc {\\pict\\emfblip\\picwgoal8000\\pichgoal2000\\bin88 " + emf +
                             "}\\par \\plain\\pard ");
}

TEST_F(RtfPictures, UnreadablePicturesRaiseAnErrorAndWriteNothing) {
  std::string shortWmf = folder.Write("short.wmf", PlaceableWmf(0, 0, 100, 100).substr(0, 30));
  std::string notPlaceable = folder.Write("plain.wmf", std::string(60, '\x01'));
  std::string emptyBox = folder.Write("empty.wmf", PlaceableWmf(10, 0, 10, 100));
  std::string badJpeg = folder.Write("bad.jpg", "\xFF\xD8\xFF\xC0\x00");
  std::string noFrame = folder.Write("noframe.jpg", "\xFF\xD8\xFF\xD9");
  std::string badEmf = folder.Write("bad.emf", std::string(100, '\0'));
  std::string badBmp = folder.Write("bad.bmp", "BMxxxx");
  for (const std::string& path : {folder / "missing.jpg", folder / "missing.wmf", shortWmf, notPlaceable,
                                  emptyBox, badJpeg, noFrame, badEmf, badBmp}) {
    EXPECT_THROW(InsertPicture(file, layout, path, 5000), ERtfPictureError) << path;
  }
  EXPECT_TRUE(file.Data().empty());
}

}  // namespace
}  // namespace korvana
