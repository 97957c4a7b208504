#include "core/reports/rtf/picture_files.h"

#include <csetjmp>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "core/util/records.h"

namespace korvana {
namespace {

std::uint16_t BigEndian16(std::string_view s, std::size_t pos) {
  return static_cast<std::uint16_t>((static_cast<unsigned char>(s[pos]) << 8) |
                                    static_cast<unsigned char>(s[pos + 1]));
}

constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7u;
constexpr std::uint32_t EmfSignature = 0x464D4520u;  // " EMF"

// Largest picture side accepted from a bitmap file.
constexpr std::int64_t MaxBitmapSide = 32768;

}  // namespace

PixelSize JpegPixelSize(std::string_view jpeg) {
  if (jpeg.size() < 4 || static_cast<unsigned char>(jpeg[0]) != 0xFF ||
      static_cast<unsigned char>(jpeg[1]) != 0xD8) {
    throw ERtfPictureError("Not a JPEG picture");
  }
  std::size_t pos = 2;
  while (pos + 4 <= jpeg.size()) {
    if (static_cast<unsigned char>(jpeg[pos]) != 0xFF) throw ERtfPictureError("Damaged JPEG picture");
    unsigned marker = static_cast<unsigned char>(jpeg[pos + 1]);
    if (marker == 0xFF) {  // fill byte
      ++pos;
      continue;
    }
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      pos += 2;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) break;  // end of image or start of scan
    std::size_t length = BigEndian16(jpeg, pos + 2);
    if (length < 2 || pos + 2 + length > jpeg.size()) throw ERtfPictureError("Damaged JPEG picture");
    bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                 marker != 0xCC;
    if (frame) {
      if (length < 7) throw ERtfPictureError("Damaged JPEG picture");
      PixelSize size;
      size.height = BigEndian16(jpeg, pos + 5);
      size.width = BigEndian16(jpeg, pos + 7);
      if (size.width <= 0 || size.height <= 0) throw ERtfPictureError("JPEG picture without size");
      return size;
    }
    pos += 2 + length;
  }
  throw ERtfPictureError("JPEG picture without a frame header");
}

PlaceableBox PlaceableMetafileBox(std::string_view wmf) {
  // The placeable header (22 bytes) and at least the metafile header (18 bytes).
  if (wmf.size() < 40) throw ERtfPictureError("Metafile too short");
  ByteReader r(wmf);
  if (r.U32() != PlaceableKey) throw ERtfPictureError("Not a placeable metafile");
  r.Seek(6);
  PlaceableBox box;
  box.left = r.I16();
  box.top = r.I16();
  box.right = r.I16();
  box.bottom = r.I16();
  if (box.right == box.left || box.bottom == box.top) {
    throw ERtfPictureError("Metafile with an empty bounding box");
  }
  return box;
}

PixelSize EnhancedMetafileSize(std::string_view emf, double dpiX, double dpiY) {
  if (emf.size() < 88) throw ERtfPictureError("Enhanced metafile too short");
  ByteReader r(emf);
  if (r.U32() != 1) throw ERtfPictureError("Not an enhanced metafile");
  r.Seek(24);
  std::int32_t left = r.I32(), top = r.I32(), right = r.I32(), bottom = r.I32();
  r.Seek(40);
  if (r.U32() != EmfSignature) throw ERtfPictureError("Not an enhanced metafile");
  // The frame is kept in hundredths of a millimetre.
  PixelSize size;
  size.width = static_cast<std::int32_t>(
      std::lrint((static_cast<double>(right) - left) * dpiX / 2540.0));
  size.height = static_cast<std::int32_t>(
      std::lrint((static_cast<double>(bottom) - top) * dpiY / 2540.0));
  if (size.width <= 0 || size.height <= 0) {
    throw ERtfPictureError("Enhanced metafile with an empty frame");
  }
  return size;
}

RgbImage DecodeBitmap(std::string_view bmp) {
  try {
    ByteReader r(bmp);
    if (r.U8() != 'B' || r.U8() != 'M') throw ERtfPictureError("Not a bitmap picture");
    r.Seek(10);
    std::uint32_t dataOffset = r.U32();
    std::uint32_t headerSize = r.U32();
    std::int64_t width = 0, height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0, colorsUsed = 0;
    std::uint32_t masks[3] = {0, 0, 0};
    std::size_t paletteEntrySize = 4;
    if (headerSize == 12) {  // core header
      width = r.U16();
      height = r.U16();
      r.U16();
      bitCount = r.U16();
      paletteEntrySize = 3;
    } else if (headerSize >= 40) {
      width = r.I32();
      height = r.I32();
      r.U16();  // planes
      bitCount = r.U16();
      compression = r.U32();
      r.Skip(12);  // image size, resolution
      colorsUsed = r.U32();
      r.U32();  // important colours
      if (compression == 3) {
        // Bit fields follow a 40-byte header, or are part of a larger one.
        masks[0] = r.U32();
        masks[1] = r.U32();
        masks[2] = r.U32();
      }
    } else {
      throw ERtfPictureError("Unsupported bitmap header");
    }
    bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width > MaxBitmapSide || height > MaxBitmapSide) {
      throw ERtfPictureError("Bitmap picture with an unusable size");
    }
    if (compression != 0 && !(compression == 3 && (bitCount == 16 || bitCount == 32))) {
      throw ERtfPictureError("Compressed bitmap pictures are not supported");
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32) {
      throw ERtfPictureError("Unsupported bitmap colour depth");
    }
    if (compression == 0 && bitCount == 16) {
      masks[0] = 0x7C00;
      masks[1] = 0x03E0;
      masks[2] = 0x001F;
    } else if (compression == 0 && bitCount == 32) {
      masks[0] = 0x00FF0000;
      masks[1] = 0x0000FF00;
      masks[2] = 0x000000FF;
    }

    // Palette for indexed images.
    std::vector<std::uint8_t> palette;  // r, g, b triples
    if (bitCount <= 8) {
      std::size_t entries = colorsUsed != 0 ? colorsUsed : (1u << bitCount);
      if (entries > 256) throw ERtfPictureError("Damaged bitmap palette");
      r.Seek(14 + headerSize);
      for (std::size_t i = 0; i < entries; ++i) {
        std::uint8_t b = r.U8(), g = r.U8(), red = r.U8();
        if (paletteEntrySize == 4) r.U8();
        palette.push_back(red);
        palette.push_back(g);
        palette.push_back(b);
      }
    }

    const std::size_t stride = static_cast<std::size_t>(((width * bitCount + 31) / 32) * 4);
    if (dataOffset > bmp.size() || stride * static_cast<std::size_t>(height) > bmp.size() - dataOffset) {
      throw ERtfPictureError("Bitmap picture data is cut short");
    }

    auto channel = [](std::uint32_t value, std::uint32_t mask) -> std::uint8_t {
      if (mask == 0) return 0;
      int shift = 0;
      while (((mask >> shift) & 1u) == 0) ++shift;
      std::uint32_t max = mask >> shift;
      std::uint32_t v = (value & mask) >> shift;
      return static_cast<std::uint8_t>(max == 255 ? v : (v * 255 + max / 2) / max);
    };

    RgbImage image;
    image.width = static_cast<std::int32_t>(width);
    image.height = static_cast<std::int32_t>(height);
    image.pixels.resize(static_cast<std::size_t>(width * height * 3));
    for (std::int64_t y = 0; y < height; ++y) {
      std::int64_t sourceRow = topDown ? y : height - 1 - y;
      const auto* row = reinterpret_cast<const unsigned char*>(bmp.data()) + dataOffset +
                        static_cast<std::size_t>(sourceRow) * stride;
      char* out = image.pixels.data() + static_cast<std::size_t>(y * width * 3);
      for (std::int64_t x = 0; x < width; ++x) {
        std::uint8_t rgb[3] = {0, 0, 0};
        if (bitCount <= 8) {
          std::size_t bitPos = static_cast<std::size_t>(x) * bitCount;
          unsigned byte = row[bitPos / 8];
          unsigned index = (byte >> (8 - bitCount - bitPos % 8)) & ((1u << bitCount) - 1);
          if (index * 3 + 2 < palette.size()) {
            rgb[0] = palette[index * 3];
            rgb[1] = palette[index * 3 + 1];
            rgb[2] = palette[index * 3 + 2];
          }
        } else if (bitCount == 24) {
          rgb[2] = row[x * 3];
          rgb[1] = row[x * 3 + 1];
          rgb[0] = row[x * 3 + 2];
        } else {
          std::uint32_t v = 0;
          if (bitCount == 16) {
            v = row[x * 2] | (row[x * 2 + 1] << 8);
          } else {
            v = row[x * 4] | (row[x * 4 + 1] << 8) | (row[x * 4 + 2] << 16) |
                (static_cast<std::uint32_t>(row[x * 4 + 3]) << 24);
          }
          rgb[0] = channel(v, masks[0]);
          rgb[1] = channel(v, masks[1]);
          rgb[2] = channel(v, masks[2]);
        }
        out[x * 3] = static_cast<char>(rgb[0]);
        out[x * 3 + 1] = static_cast<char>(rgb[1]);
        out[x * 3 + 2] = static_cast<char>(rgb[2]);
      }
    }
    return image;
  } catch (const ERecordError&) {
    throw ERtfPictureError("Bitmap picture is cut short");
  }
}

namespace {

struct JpegErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr info) {
  auto* err = reinterpret_cast<JpegErrorManager*>(info->err);
  (*info->err->format_message)(info, err->message);
  std::longjmp(err->jump, 1);
}

// Everything libjpeg holds for one compression, released however it ends.
struct JpegCompression {
  jpeg_compress_struct info{};
  JpegErrorManager error{};
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  ~JpegCompression() {
    jpeg_destroy_compress(&info);
    std::free(buffer);
  }
};

// Runs the compression; false with the library's message when it fails. Kept free of
// objects with destructors because the library reports failures by a long jump.
bool Compress(JpegCompression& c, const RgbImage& image, int quality) {
  c.info.err = jpeg_std_error(&c.error.base);
  c.error.base.error_exit = JpegErrorExit;
  if (setjmp(c.error.jump)) return false;
  jpeg_create_compress(&c.info);
  jpeg_mem_dest(&c.info, &c.buffer, &c.size);
  c.info.image_width = static_cast<JDIMENSION>(image.width);
  c.info.image_height = static_cast<JDIMENSION>(image.height);
  c.info.input_components = 3;
  c.info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c.info);
  jpeg_set_quality(&c.info, quality, TRUE);
  jpeg_start_compress(&c.info, TRUE);
  const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
  while (c.info.next_scanline < c.info.image_height) {
    JSAMPROW row = reinterpret_cast<JSAMPROW>(const_cast<char*>(image.pixels.data())) +
                   static_cast<std::size_t>(c.info.next_scanline) * stride;
    jpeg_write_scanlines(&c.info, &row, 1);
  }
  jpeg_finish_compress(&c.info);
  return true;
}

}  // namespace

std::string EncodeJpeg(const RgbImage& image, int quality) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
    throw ERtfPictureError("No image to convert to JPEG");
  }
  JpegCompression c;
  if (!Compress(c, image, quality < 1 ? 1 : quality > 100 ? 100 : quality)) {
    throw ERtfPictureError(std::string("JPEG conversion failed: ") + c.error.message);
  }
  return std::string(reinterpret_cast<const char*>(c.buffer), c.size);
}

}  // namespace korvana
