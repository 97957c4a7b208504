// korvana metafile info FILE.wmf | metafile png FILE.wmf OUT.png [WIDTH]: the frame and
// record count of a Windows metafile, or the metafile played into a PNG picture (the
// player the report viewer and the PDF path use).
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <ostream>

#include "cli/command.h"
#include "cli/gui_application.h"
#include "core/util/files.h"
#include "core/util/text.h"
#include "render/wmf_player.h"

namespace korvana::cli {
namespace {

constexpr const char* Usage = "metafile info FILE.wmf | metafile png FILE.wmf OUT.png [WIDTH]";

int Run(CommandContext& ctx) {
  if (ctx.args.size() < 2) return UsageError(ctx, Usage);
  const std::string& mode = ctx.args[0];
  const std::string& file = ctx.args[1];
  std::optional<std::string> data = FolderExists(file) ? std::nullopt : ReadFileBytes(file);
  if (!data) {
    ctx.err << "korvana: cannot read " << file << "\n";
    return 1;
  }
  try {
    if (mode == "info" && ctx.args.size() == 2) {
      MetafileInfo info = ReadMetafileInfo(*data);
      ctx.out << "placeable: " << (info.placeable ? "yes" : "no") << "\n"
              << "frame: " << info.bounds.left() << " " << info.bounds.top() << " "
              << info.bounds.left() + info.bounds.width() << " " << info.bounds.top() + info.bounds.height()
              << "\n"
              << "units per inch: " << info.unitsPerInch << "\n"
              << "objects: " << info.objectCount << "\n"
              << "records: " << info.recordCount << "\n";
      return 0;
    }
    if (mode == "png" && (ctx.args.size() == 3 || ctx.args.size() == 4)) {
      MetafileInfo info = ReadMetafileInfo(*data);
      int width = info.bounds.width();
      if (ctx.args.size() == 4) {
        std::optional<std::int32_t> w = ParseInt32(ctx.args[3]);
        if (!w || *w < 1 || *w > 20000) {
          ctx.err << "korvana: the width must be a number from 1 to 20000\n";
          return 2;
        }
        width = *w;
      }
      const double height = double(width) * info.bounds.height() / info.bounds.width();
      if (height < 1 || height > 20000) {
        ctx.err << "korvana: the picture would be " << height << " pixels high\n";
        return 1;
      }
      EnsureGuiApplication();
      QImage image(width, static_cast<int>(height + 0.5), QImage::Format_RGB32);
      image.fill(Qt::white);
      {
        QPainter painter(&image);
        PlayMetafile(*data, painter, QRectF(0, 0, image.width(), image.height()));
      }
      const std::string out = ctx.args[2];
      QByteArray png;
      QBuffer buffer(&png);
      buffer.open(QIODevice::WriteOnly);
      if (!image.save(&buffer, "PNG") || !WriteFileAtomic(out, std::string_view(png.constData(), png.size()))) {
        ctx.err << "korvana: cannot write " << out << "\n";
        return 1;
      }
      return 0;
    }
  } catch (const EMetafileError& e) {
    ctx.err << "korvana: " << file << ": " << e.what() << "\n";
    return 1;
  }
  return UsageError(ctx, Usage);
}

CommandRegistration reg({"metafile", Usage, "show the frame of a Windows metafile or play it into a PNG picture", Run});

}  // namespace
}  // namespace korvana::cli
