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

double MeanDifference(const Image& a, const Image& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i)
    sum += std::abs(a.pixels[i].r - b.pixels[i].r) + std::abs(a.pixels[i].g - b.pixels[i].g) +
           std::abs(a.pixels[i].b - b.pixels[i].b);
  return sum / static_cast<double>(a.pixels.size());
}

double Brightness(const Rgb& p) { return (p.r + p.g + p.b) / 3; }

// Every report set's picture by its set's name: each name reads back as its own style,
// and no two pictures look alike.
TEST(SplashDrawing, EverySetHasItsOwnPicture) {
  const std::vector<std::string> sets = {"modern",   "traditional",  "synastry", "composite", "solar_return",
                                         "transits", "progressions", "horary",   "modern_es"};
  ASSERT_EQ(StyleNames.size(), sets.size());
  std::vector<Image> images;
  for (std::size_t i = 0; i < sets.size(); ++i) {
    SCOPED_TRACE(sets[i]);
    Style style;
    ASSERT_TRUE(ParseStyle(sets[i], style));
    EXPECT_STREQ(StyleNames[i].name, sets[i].c_str());
    EXPECT_EQ(StyleNames[i].style, style);
    images.push_back(DrawSplash(style, 80, 60));
    for (const Rgb& p : images.back().pixels) {
      EXPECT_GE(std::min({p.r, p.g, p.b}), 0.0);
      EXPECT_LE(std::max({p.r, p.g, p.b}), 255.0);
    }
  }
  for (std::size_t i = 0; i < images.size(); ++i)
    for (std::size_t j = i + 1; j < images.size(); ++j)
      EXPECT_GT(MeanDifference(images[i], images[j]), 20.0) << sets[i] << " and " << sets[j];
}

// The motifs sit where they belong: the synastry picture's two wheels, the solar return's
// Sun and the horary Moon at the centre, the composite's one wheel.
TEST(SplashDrawing, MotifsOfTheNewSets) {
  const int w = 160, h = 120;
  const double unit = h / 240.0;
  // Synastry: each wheel's outer ring (radius 0.30 of the height, centres 0.62 radius
  // either side of the middle) stands out from the ground just outside it.
  {
    const Image image = DrawSplash(Style::Synastry, w, h);
    const double radius = h * 0.30, shift = radius * 0.62;
    for (double centre : {w / 2.0 - shift, w / 2.0 + shift}) {
      const int y = static_cast<int>(h / 2.0 - radius);
      const Rgb& ring = image.At(static_cast<int>(centre), y);
      const Rgb& outside = image.At(static_cast<int>(centre), y - static_cast<int>(6 * unit) - 2);
      EXPECT_GT(std::abs(Brightness(ring) - Brightness(outside)), 30.0) << centre;
    }
  }
  // Solar return: a bright gold Sun at the centre, red-brown lines around it.
  {
    const Image image = DrawSplash(Style::SolarReturn, w, h);
    const Rgb& centreSun = image.At(w / 2 + static_cast<int>(h * 0.40 * 0.08), h / 2);
    EXPECT_GT(centreSun.r, 240.0);
    EXPECT_GT(centreSun.g, 200.0);
    EXPECT_LT(centreSun.b, 140.0);
  }
  // Horary: the crescent is lit on its left and open on its right.
  {
    const Image image = DrawSplash(Style::Horary, w, h);
    const double r = h * 0.40 * 0.18, cx = w / 2.0 - h * 0.40 * 0.04;
    const Rgb& lit = image.At(static_cast<int>(cx - r * 0.8), h / 2);
    const Rgb& open = image.At(static_cast<int>(cx + r * 0.5), h / 2);
    EXPECT_GT(Brightness(lit), 230.0);
    EXPECT_GT(Brightness(lit) - Brightness(open), 60.0);
  }
}

TEST(SplashDrawing, TinySizesAreRaisedToAUsableMinimum) {
  const Image image = DrawSplash(Style::Modern, 0, -5);
  EXPECT_EQ(image.width, 16);
  EXPECT_EQ(image.height, 16);
  EXPECT_EQ(image.pixels.size(), 256u);
}

}  // namespace
}  // namespace korvana::splash
