#include "splash.h"

#include <gtest/gtest.h>

#include "core/util/records.h"

namespace korvana::splash {
namespace {

struct Header {
  std::uint32_t fileSize, dataOffset, headerSize, dataSize;
  std::int32_t width, height;
  std::uint16_t planes, bits;
  std::uint32_t compression;
};

Header ReadHeader(const std::string& bmp) {
  ByteReader r(bmp);
  EXPECT_EQ(r.U8(), 'B');
  EXPECT_EQ(r.U8(), 'M');
  Header h{};
  h.fileSize = r.U32();
  r.U32();
  h.dataOffset = r.U32();
  h.headerSize = r.U32();
  h.width = r.I32();
  h.height = r.I32();
  h.planes = r.U16();
  h.bits = r.U16();
  h.compression = r.U32();
  h.dataSize = r.U32();
  return h;
}

// Rows are stored bottom-up as blue, green, red and padded to a multiple of four bytes.
TEST(SplashBmp, RowsArePaddedBottomUpAndInBlueGreenRedOrder) {
  struct Case {
    int width;
    std::uint32_t rowBytes;
  };
  for (Case c : {Case{1, 4}, Case{3, 12}, Case{4, 12}, Case{5, 16}}) {
    SCOPED_TRACE(c.width);
    Image image(c.width, 2);
    image.At(0, 0) = {10, 20, 30};    // top row
    image.At(0, 1) = {200, 150, 100}; // bottom row
    const std::string bmp = EncodeBmp(image);
    const Header h = ReadHeader(bmp);
    EXPECT_EQ(h.fileSize, bmp.size());
    EXPECT_EQ(h.dataOffset, 54u);
    EXPECT_EQ(h.headerSize, 40u);
    EXPECT_EQ(h.width, c.width);
    EXPECT_EQ(h.height, 2);
    EXPECT_EQ(h.planes, 1);
    EXPECT_EQ(h.bits, 24);
    EXPECT_EQ(h.compression, 0u);
    EXPECT_EQ(h.dataSize, 2 * c.rowBytes);
    ASSERT_EQ(bmp.size(), 54 + 2 * c.rowBytes);
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bmp[i]); };
    EXPECT_EQ(byte(54), 100);  // first stored row is the bottom one: blue first
    EXPECT_EQ(byte(55), 150);
    EXPECT_EQ(byte(56), 200);
    EXPECT_EQ(byte(54 + c.rowBytes), 30);
    EXPECT_EQ(byte(54 + c.rowBytes + 2), 10);
    for (std::uint32_t pad = c.width * 3; pad < c.rowBytes; ++pad) EXPECT_EQ(byte(54 + pad), 0);
  }
}

TEST(SplashBmp, ChannelsAreRoundedAndClamped) {
  Image image(1, 1);
  image.At(0, 0) = {300.0, -4.0, 127.5};
  const std::string bmp = EncodeBmp(image);
  EXPECT_EQ(static_cast<unsigned char>(bmp[54]), 128);  // blue
  EXPECT_EQ(static_cast<unsigned char>(bmp[55]), 0);    // green
  EXPECT_EQ(static_cast<unsigned char>(bmp[56]), 255);  // red
}

TEST(SplashDrawing, StylesDifferAndDrawTheWheelOverTheGradient) {
  Style modern, traditional;
  ASSERT_TRUE(ParseStyle("modern", modern));
  ASSERT_TRUE(ParseStyle("traditional", traditional));
  Style unused;
  EXPECT_FALSE(ParseStyle("Modern", unused));
  EXPECT_FALSE(ParseStyle("", unused));

  for (Style style : {modern, traditional}) {
    const Image image = DrawSplash(style, 120, 90);
    ASSERT_EQ(image.width, 120);
    ASSERT_EQ(image.height, 90);
    // The outer ring of the wheel (radius 0.40 of the height, centred) differs from the
    // gradient just outside it; a corner shows only the gradient.
    const Rgb& ring = image.At(60 + 36, 45);
    const Rgb& outside = image.At(60 + 41, 45);
    const double contrast = std::abs(ring.r - outside.r) + std::abs(ring.g - outside.g) + std::abs(ring.b - outside.b);
    EXPECT_GT(contrast, 60.0);
    for (const Rgb& p : image.pixels) {
      EXPECT_GE(std::min({p.r, p.g, p.b}), 0.0);
      EXPECT_LE(std::max({p.r, p.g, p.b}), 255.0);
    }
  }
  const Image a = DrawSplash(modern, 40, 30);
  const Image b = DrawSplash(traditional, 40, 30);
  EXPECT_NE(a.At(0, 0).r, b.At(0, 0).r);
}

TEST(SplashDrawing, TinySizesAreRaisedToAUsableMinimum) {
  const Image image = DrawSplash(Style::Modern, 0, -5);
  EXPECT_EQ(image.width, 16);
  EXPECT_EQ(image.height, 16);
  EXPECT_EQ(image.pixels.size(), 256u);
}

}  // namespace
}  // namespace korvana::splash
