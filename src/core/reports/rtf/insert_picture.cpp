// Picture paragraphs: JPEG pictures (bitmaps are converted first) and Windows metafiles
// embedded as binary picture data.
#include <cmath>

#include "core/reports/rtf/picture_files.h"
#include "core/reports/rtf/rtf_emitter.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana {
namespace {

// JPEG quality used when a bitmap is converted.
constexpr int BitmapJpegQuality = 90;

std::string ReadPicture(const std::string& path) {
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) throw ERtfPictureError("The picture file " + path + " could not be read.");
  return std::move(*bytes);
}

void WriteJpegPicture(RtfFile& file, std::string_view jpeg, std::int32_t goalWidth) {
  PixelSize size = JpegPixelSize(jpeg);
  long goalHeight = std::lrint(static_cast<double>(size.height) * goalWidth / size.width);
  file.AppendRaw("\r\n\\pard\\qc {\\pict\\jpegblip\\picw" + std::to_string(size.width) +
                 "\\pich" + std::to_string(size.height) + "\\picwgoal" +
                 std::to_string(goalWidth) + "\\pichgoal" + std::to_string(goalHeight) +
                 "\\bin" + std::to_string(jpeg.size()) + " ");
  file.AppendRaw(jpeg);
  file.AppendRaw("}");
  file.AppendRaw("\\pard\\plain\\qc\\par ");
}

void WriteMetafilePicture(RtfFile& file, const RtfLayout& layout, std::string_view blip,
                          std::string_view data, double boxWidth, double boxHeight,
                          std::int32_t goalWidth) {
  double h = std::nearbyint(boxHeight * goalWidth / boxWidth * layout.wheelAspectRatioAdjustment);
  if (layout.screenDpiX != layout.screenDpiY && layout.screenDpiY > 0) {
    h = std::nearbyint(h * layout.screenDpiX / layout.screenDpiY);
  }
  file.AppendRaw("\r\n\\pard\\qc {\\pict\\" + std::string(blip) + "\\picwgoal" +
                 std::to_string(goalWidth) + "\\pichgoal" +
                 std::to_string(static_cast<long long>(h)) + "\\bin" +
                 std::to_string(data.size()) + " ");
  constexpr std::size_t Block = 1024;
  for (std::size_t pos = 0; pos < data.size(); pos += Block) {
    file.AppendRaw(data.substr(pos, Block));
  }
  file.AppendRaw("}\\par \\plain\\pard ");
}

}  // namespace

void InsertPicture(RtfFile& file, const RtfLayout& layout, const std::string& pictureFile,
                   std::int32_t goalWidth) {
  const std::string ext = ExtensionOf(pictureFile);
  if (EqualsNoCase(ext, ".bmp")) {
    std::string jpeg = EncodeJpeg(DecodeBitmap(ReadPicture(pictureFile)), BitmapJpegQuality);
    // The converted picture is kept beside the program's data as the last one made.
    if (!layout.systemPath.empty()) {
      WriteFileAtomic(WithTrailingSlash(layout.systemPath) + "Temp.jpg", jpeg);
    }
    WriteJpegPicture(file, jpeg, goalWidth);
  } else if (EqualsNoCase(ext, ".jpg") || EqualsNoCase(ext, ".jpeg")) {
    WriteJpegPicture(file, ReadPicture(pictureFile), goalWidth);
  } else if (EqualsNoCase(ext, ".wmf")) {
    std::string wmf = ReadPicture(pictureFile);
    PlaceableBox box = PlaceableMetafileBox(wmf);
    WriteMetafilePicture(file, layout, "wmetafile8", std::string_view(wmf).substr(22),
                         static_cast<double>(box.right) - box.left,
                         static_cast<double>(box.bottom) - box.top, goalWidth);
  } else if (EqualsNoCase(ext, ".emf")) {
    std::string emf = ReadPicture(pictureFile);
    PixelSize size = EnhancedMetafileSize(emf, layout.screenDpiX, layout.screenDpiY);
    WriteMetafilePicture(file, layout, "emfblip", emf, size.width, size.height, goalWidth);
  }
}

}  // namespace korvana
