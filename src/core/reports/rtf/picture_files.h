// Reading the headers of the picture files reports embed, and turning a Windows bitmap
// into a JPEG picture. Every reader checks its input and throws ERtfPictureError (from
// rtf_emitter.h) for a file it cannot use; none reads past the data it is given.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/reports/rtf/rtf_emitter.h"

namespace korvana {

struct PixelSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Width and height in pixels from a JPEG file's frame header.
PixelSize JpegPixelSize(std::string_view jpeg);

// The bounding box of a placeable Windows metafile (four int16 at offset 6).
struct PlaceableBox {
  std::int16_t left = 0, top = 0, right = 0, bottom = 0;
};
PlaceableBox PlaceableMetafileBox(std::string_view wmf);

// Width and height of an enhanced metafile's frame, in pixels at the given densities.
PixelSize EnhancedMetafileSize(std::string_view emf, double dpiX, double dpiY);

// A decoded Windows bitmap (".bmp"): uncompressed 1, 4, 8, 16, 24 and 32 bits per pixel
// and bit-field 16/32-bit images. Rows top-down, three bytes (red, green, blue) a pixel.
struct RgbImage {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::string pixels;
};
RgbImage DecodeBitmap(std::string_view bmp);

// A baseline JPEG file of an image at the given quality (1..100).
std::string EncodeJpeg(const RgbImage& image, int quality);

}  // namespace korvana
