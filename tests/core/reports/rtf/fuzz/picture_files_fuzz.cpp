// Fuzz entry of the picture file readers: any bytes as a Windows bitmap, a JPEG file, a
// placeable metafile and an enhanced metafile. Each reader either throws its picture
// error or returns a usable size; a decoded bitmap holds exactly its pixels and, when
// small, converts to a JPEG picture of the same size.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/reports/rtf/picture_files.h"

namespace {

using namespace korvana;

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckBitmap(std::string_view data) {
  RgbImage image;
  try {
    image = DecodeBitmap(data);
  } catch (const ERtfPictureError&) {
    return;
  }
  Require(image.width > 0 && image.height > 0 && image.width <= 32768 && image.height <= 32768);
  Require(image.pixels.size() == static_cast<std::size_t>(image.width) * image.height * 3);
  if (static_cast<std::int64_t>(image.width) * image.height > 4096) return;
  const std::string jpeg = EncodeJpeg(image, 75);
  const PixelSize size = JpegPixelSize(jpeg);
  Require(size.width == image.width && size.height == image.height);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  CheckBitmap(data);
  try {
    const PixelSize jpeg = JpegPixelSize(data);
    Require(jpeg.width > 0 && jpeg.height > 0 && jpeg.width <= 0xFFFF && jpeg.height <= 0xFFFF);
  } catch (const ERtfPictureError&) {
  }
  try {
    const PlaceableBox box = PlaceableMetafileBox(data);
    Require(box.left != box.right && box.top != box.bottom);
  } catch (const ERtfPictureError&) {
  }
  for (const auto& [dpiX, dpiY] : {std::pair{96.0, 96.0}, std::pair{600.0, 72.0}, std::pair{0.0, 96.0}}) {
    try {
      const PixelSize emf = EnhancedMetafileSize(data, dpiX, dpiY);
      Require(emf.width > 0 && emf.height > 0);
    } catch (const ERtfPictureError&) {
    }
  }
  return 0;
}
