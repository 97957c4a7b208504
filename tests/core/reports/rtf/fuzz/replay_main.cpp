// Replays the picture file fuzz entry over bitmaps made here (1, 4, 8, 16, 24 and 32 bits
// a pixel, bottom-up and top-down, with a full or a short palette, the core header
// and bit fields), a JPEG picture of the program's own encoder, a placeable metafile and
// an enhanced metafile header, and over their mutations: the size, offset, width and
// height, bit count, compression and palette count fields given extreme values (negative,
// huge, just past the limits), frame and box fields overwritten, data cut short.
#include <string>
#include <vector>

#include "core/reports/rtf/picture_files.h"
#include "core/util/records.h"
#include "support/fuzz_replay.h"

namespace {

using namespace korvana;
using korvana::testing::FuzzMutator;
using korvana::testing::FuzzSeed;

constexpr int BitmapFileHeader = 14;

// A bitmap of a diagonal pattern; `paletteEntries` 0 writes the full palette of an
// indexed image with a colour count of 0, -1 writes none.
std::string Bitmap(int width, int height, int bits, bool topDown, int paletteEntries, bool coreHeader = false) {
  const int headerSize = coreHeader ? 12 : 40;
  const int entries = bits > 8 || paletteEntries < 0 ? 0 : paletteEntries == 0 ? 1 << bits : paletteEntries;
  const int entrySize = coreHeader ? 3 : 4;
  const int stride = (width * bits + 31) / 32 * 4;
  const int offset = BitmapFileHeader + headerSize + entries * entrySize;
  ByteWriter w;
  w.U8('B');
  w.U8('M');
  w.U32(static_cast<std::uint32_t>(offset + stride * height));
  w.U32(0);
  w.U32(static_cast<std::uint32_t>(offset));
  w.U32(static_cast<std::uint32_t>(headerSize));
  if (coreHeader) {
    w.U16(static_cast<std::uint16_t>(width));
    w.U16(static_cast<std::uint16_t>(height));
    w.U16(1);
    w.U16(static_cast<std::uint16_t>(bits));
  } else {
    w.I32(width);
    w.I32(topDown ? -height : height);
    w.U16(1);
    w.U16(static_cast<std::uint16_t>(bits));
    w.U32(0);
    w.U32(static_cast<std::uint32_t>(stride * height));
    w.U32(2835);
    w.U32(2835);
    w.U32(static_cast<std::uint32_t>(paletteEntries > 0 ? paletteEntries : 0));
    w.U32(0);
  }
  for (int i = 0; i < entries; ++i) {
    w.U8(static_cast<std::uint8_t>(i * 37));
    w.U8(static_cast<std::uint8_t>(255 - i));
    w.U8(static_cast<std::uint8_t>(i * 11));
    if (!coreHeader) w.U8(0);
  }
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < stride; ++x) w.U8(static_cast<std::uint8_t>((x * 29 + y * 83) ^ (x == y ? 0xFF : 0)));
  return w.Take();
}

// A 32-bit image with its colour masks after a 40-byte header (compression 3).
std::string BitFields32(int width, int height) {
  std::string bmp = Bitmap(width, height, 32, false, -1);
  std::string masks;
  for (std::uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu})
    for (int k = 0; k < 4; ++k) masks.push_back(static_cast<char>((mask >> (8 * k)) & 0xFF));
  bmp.insert(BitmapFileHeader + 40, masks);
  FuzzMutator::Put(bmp, 10, static_cast<std::uint32_t>(BitmapFileHeader + 40 + 12));
  FuzzMutator::Put(bmp, 30, 3);
  return bmp;
}

std::string PlaceableMetafile() {
  ByteWriter w;
  w.U32(0x9AC6CDD7u);
  w.U16(0);
  for (std::int16_t v : {0, 0, 1440, 720}) w.I16(v);
  w.U16(1440);
  w.U32(0);
  w.U16(0);  // checksum
  for (std::uint16_t v : {1, 9, 0x300, 30, 0, 6, 0, 0, 0}) w.U16(v);  // metafile header
  w.U32(3);
  w.U16(0);  // end of file record
  return w.Take();
}

std::string EnhancedMetafile() {
  ByteWriter w;
  w.U32(1);
  w.U32(108);
  for (std::int32_t v : {0, 0, 99, 49, 0, 0, 2540, 1270}) w.I32(v);  // bounds, frame
  w.U32(0x464D4520u);
  w.U32(0x10000);
  w.U32(108);
  w.U32(1);
  w.U16(0);
  w.U16(0);
  w.U32(0);
  w.U32(0);
  w.U32(0);
  for (std::int32_t v : {1920, 1080, 508, 285}) w.I32(v);
  w.Zeros(108 - w.Size());
  return w.Take();
}

std::string Jpeg() {
  RgbImage image{5, 3, std::string(5 * 3 * 3, '\0')};
  for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<char>(i * 17);
  return EncodeJpeg(image, 80);
}

std::vector<FuzzSeed> Seeds() {
  return {
      {"mono.bmp", Bitmap(13, 5, 1, false, 0)},
      {"mono_top_down.bmp", Bitmap(9, 4, 1, true, 2)},
      {"nibbles.bmp", Bitmap(7, 6, 4, false, 0)},
      {"nibbles_short_palette.bmp", Bitmap(6, 3, 4, true, 5)},
      {"bytes.bmp", Bitmap(5, 5, 8, false, 0)},
      {"bytes_short_palette.bmp", Bitmap(4, 2, 8, true, 3)},
      {"core.bmp", Bitmap(6, 4, 8, false, 0, true)},
      {"rgb16.bmp", Bitmap(5, 3, 16, true, -1)},
      {"rgb24.bmp", Bitmap(5, 3, 24, false, -1)},
      {"rgb24_top_down.bmp", Bitmap(3, 4, 24, true, -1)},
      {"rgb32.bmp", Bitmap(4, 3, 32, false, -1)},
      {"rgb32_top_down.bmp", Bitmap(2, 5, 32, true, -1)},
      {"fields32.bmp", BitFields32(3, 2)},
      {"picture.jpg", Jpeg()},
      {"placeable.wmf", PlaceableMetafile()},
      {"enhanced.emf", EnhancedMetafile()},
  };
}

void MutateFields(std::string& data, FuzzMutator& m) {
  static const std::uint32_t sizes[] = {0,          1,          2,          0x7FFF,     0x8000,     32768, 32769,
                                        65535,      65536,      0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFF8000,
                                        0xFFFF7FFF, 0xFFFFFFF2, 3,          7,          12,         40};
  const std::uint32_t value = m.Below(3) ? sizes[m.Below(sizeof sizes / sizeof sizes[0])]
                                         : static_cast<std::uint32_t>(m.ExtremeInt());
  if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') {
    // File size, data offset, header size, width, height, bit count, compression, colours.
    static const std::pair<std::size_t, int> fields[] = {{2, 4},  {10, 4}, {14, 4}, {18, 4},
                                                         {22, 4}, {28, 2}, {30, 4}, {46, 4}};
    static const std::uint32_t bitCounts[] = {0, 1, 2, 4, 8, 15, 16, 24, 32, 33, 64, 0xFFFF};
    const auto [at, bytes] = fields[m.Below(8)];
    m.Put(data, at, at == 28 ? bitCounts[m.Below(12)] : value, bytes);
    if (m.Below(4) == 0) m.Put(data, 22, static_cast<std::uint32_t>(-static_cast<std::int32_t>(1 + m.Below(40))));
  } else if (data.size() >= 2 && static_cast<unsigned char>(data[0]) == 0xFF) {
    // A segment length or the frame's height and width.
    const std::size_t at = 2 + m.Below(data.size() > 2 ? data.size() - 2 : 1);
    m.Put(data, at, value, 2);
  } else if (data.size() >= 4 && data[0] == 1) {
    m.Put(data, 8 + 4 * m.Below(8), value);  // bounds and frame
  } else {
    m.Put(data, 6 + 2 * m.Below(5), value, 2);  // box and units
  }
}

// Each seed is read by its reader: a seed the reader rejects would test nothing.
bool SeedsAreSound(const std::vector<FuzzSeed>& seeds) {
  for (const FuzzSeed& seed : seeds) {
    try {
      const std::string ext = seed.name.substr(seed.name.rfind('.'));
      if (ext == ".bmp") DecodeBitmap(seed.data);
      else if (ext == ".jpg") JpegPixelSize(seed.data);
      else if (ext == ".wmf") PlaceableMetafileBox(seed.data);
      else EnhancedMetafileSize(seed.data, 96, 96);
    } catch (const ERtfPictureError& e) {
      std::cerr << "unsound seed " << seed.name << ": " << e.what() << "\n";
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const auto seeds = Seeds();
  if (!SeedsAreSound(seeds)) return 1;
  return korvana::testing::ReplayFuzzEntry(argc, argv, "reports_rtf_fuzz_replay", seeds, MutateFields);
}
