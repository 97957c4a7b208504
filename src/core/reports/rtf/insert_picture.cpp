// Picture paragraphs: JPEG pictures (bitmaps are converted first) and Windows metafiles
// embedded as binary picture data.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

#include "core/reports/rtf/picture_files.h"
#include "core/reports/rtf/rtf_emitter.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana {
namespace {

// JPEG quality used when a bitmap is converted.
constexpr int BitmapJpegQuality = 90;

std::string ReadPicture(const std::string& path);

// Bitmaps converted before in this process: every report of a batch carries the same
// logos, and reading, decoding and encoding them cost more than the rest of the front
// page. A bitmap is known again by its path, size, change time and file number, so an
// unchanged logo is not even read. "Temp.jpg" holds the last conversion made: it is
// written when a bitmap is converted, not each time a known one is used again.
class ConvertedBitmaps {
 public:
  struct Conversion {
    std::string jpeg;
    bool newForTempFile = false;
  };

  // Throws ERtfPictureError when the bitmap cannot be read.
  Conversion Convert(const std::string& bmpFile, const std::string& tempFile) {
    const std::optional<FileStamp> stamp = StampOf(bmpFile);
    std::lock_guard<std::mutex> lock(mutex_);
    auto known = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.stamp == stamp; });
    bool converted = false;
    if (!stamp || known == entries_.end()) {
      converted = true;
      std::string jpeg = EncodeJpeg(DecodeBitmap(ReadPicture(bmpFile)), BitmapJpegQuality);
      if (entries_.size() == MaxEntries) entries_.erase(entries_.begin());
      entries_.push_back({stamp.value_or(FileStamp{}), std::move(jpeg)});
      known = std::prev(entries_.end());
    }
    const bool firstUse = writtenTempFiles_.insert(tempFile).second;
    return {known->jpeg, converted || firstUse};
  }

 private:
  struct Entry {
    FileStamp stamp;
    std::string jpeg;
  };

  static constexpr std::size_t MaxEntries = 8;
  std::mutex mutex_;
  std::vector<Entry> entries_;
  std::set<std::string> writtenTempFiles_;  // the Temp.jpg paths written in this process
};

ConvertedBitmaps& Conversions() {
  static ConvertedBitmaps conversions;
  return conversions;
}

std::string ReadPicture(const std::string& path) {
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) throw ERtfPictureError("The picture file " + path + " could not be read.");
  return std::move(*bytes);
}

// The goal size of a picture of that shape, fitted to the page's text area.
struct Goal {
  std::int32_t width;
  long height;
};
Goal FittedGoal(const RtfLayout& layout, std::int32_t goalWidth, double heightPerWidth) {
  double w = std::min<double>(goalWidth, layout.TextWidth());
  double h = w * heightPerWidth;
  const double maxHeight = layout.TextHeight();
  if (maxHeight > 0 && h > maxHeight) {
    w *= maxHeight / h;
    h = maxHeight;
  }
  return {static_cast<std::int32_t>(std::trunc(w)), std::lrint(h)};
}

void WriteJpegPicture(RtfFile& file, const RtfLayout& layout, std::string_view jpeg, std::int32_t requestedWidth) {
  PixelSize size = JpegPixelSize(jpeg);
  const Goal goal = FittedGoal(layout, requestedWidth, static_cast<double>(size.height) / size.width);
  const std::int32_t goalWidth = goal.width;
  const long goalHeight = goal.height;
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
                          std::int32_t requestedWidth) {
  double shape = boxHeight / boxWidth * layout.wheelAspectRatioAdjustment;
  if (layout.screenDpiX != layout.screenDpiY && layout.screenDpiY > 0) shape *= layout.screenDpiX / layout.screenDpiY;
  const Goal goal = FittedGoal(layout, requestedWidth, shape);
  const std::int32_t goalWidth = goal.width;
  const double h = static_cast<double>(goal.height);
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
    // The converted picture is kept beside the program's data as the last one made.
    const std::string temp = layout.systemPath.empty() ? std::string() : WithTrailingSlash(layout.systemPath) + "Temp.jpg";
    const ConvertedBitmaps::Conversion converted = Conversions().Convert(pictureFile, temp);
    if (!temp.empty() && converted.newForTempFile) WriteFileAtomic(temp, converted.jpeg, Durability::Scratch);
    WriteJpegPicture(file, layout, converted.jpeg, goalWidth);
  } else if (EqualsNoCase(ext, ".jpg") || EqualsNoCase(ext, ".jpeg")) {
    WriteJpegPicture(file, layout, ReadPicture(pictureFile), goalWidth);
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
