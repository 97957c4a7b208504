// korvana metafile info FILE.wmf | metafile png FILE.wmf OUT.png [WIDTH]: the frame and
// record count of a Windows metafile, or the metafile played into a PNG picture (the
// player the report viewer and the PDF path use).
#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <functional>
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/drawing_commands.h"
#include "cli/drawing/gui_application.h"
#include "cli/validators.h"
#include "core/util/files.h"
#include "core/util/text.h"
#include "render/wmf_player.h"

namespace korvana::cli {
namespace {

// What the command line asks of metafile info and metafile png.
struct MetafileArguments {
  std::string file;
  std::string png;  // metafile png's OUT.png
  std::optional<int> width;
};

// Reads the metafile (reporting a file that cannot be read) and runs `work` on its bytes.
int WithMetafile(CommandContext& ctx, const std::string& file, const std::function<int(const std::string&)>& work) {
  std::optional<std::string> data = FolderExists(file) ? std::nullopt : ReadFileBytes(file);
  if (!data) {
    ctx.err << "korvana: cannot read " << file << "\n";
    return 1;
  }
  try {
    return work(*data);
  } catch (const EMetafileError& e) {
    ctx.err << "korvana: " << file << ": " << e.what() << "\n";
    return 1;
  }
}

int Info(CommandContext& ctx, const std::string& data) {
  MetafileInfo info = ReadMetafileInfo(data);
  ctx.out << "placeable: " << (info.placeable ? "yes" : "no") << "\n"
          << "frame: " << info.bounds.left() << " " << info.bounds.top() << " "
          << info.bounds.left() + info.bounds.width() << " " << info.bounds.top() + info.bounds.height()
          << "\n"
          << "units per inch: " << info.unitsPerInch << "\n"
          << "objects: " << info.objectCount << "\n"
          << "records: " << info.recordCount << "\n";
  return 0;
}

int Png(CommandContext& ctx, const MetafileArguments& a, const std::string& data) {
  MetafileInfo info = ReadMetafileInfo(data);
  const int width = a.width ? *a.width : info.bounds.width();
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
    PlayMetafile(data, painter, QRectF(0, 0, image.width(), image.height()));
  }
  const std::string& out = a.png;
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG") || !WriteFileAtomic(out, std::string_view(png.constData(), png.size()))) {
    ctx.err << "korvana: cannot write " << out << "\n";
    return 1;
  }
  return 0;
}

CommandRun InfoCommand(CommandOptions& app) {
  auto a = std::make_shared<MetafileArguments>();
  app.Value("FILE.wmf", a->file, "the metafile").Required();
  return [a](CommandContext& ctx) {
    return WithMetafile(ctx, a->file, [&ctx](const std::string& data) { return Info(ctx, data); });
  };
}

CommandRun PngCommand(CommandOptions& app) {
  auto a = std::make_shared<MetafileArguments>();
  app.Value("FILE.wmf", a->file, "the metafile").Required();
  app.Value("OUT.png", a->png, "the picture to write").Required().Check(NotEmpty());
  app.Value("WIDTH", a->width, "the picture's width in pixels (default: the metafile frame's)")
      .Check(WholeNumber(1, 20000, "a width"));
  return [a](CommandContext& ctx) {
    return WithMetafile(ctx, a->file, [&ctx, &a](const std::string& data) { return Png(ctx, *a, data); });
  };
}

CommandRun Build(CommandOptions& app) {
  return AddSubcommands(
      app, {{"info", "metafile info FILE.wmf", "the frame and record count of a metafile", InfoCommand},
            {"png", "metafile png FILE.wmf OUT.png [WIDTH]", "play a metafile into a PNG picture", PngCommand}});
}

const CommandText& Text = DrawingCommand("metafile");
CommandRegistration reg({Text.name, Text.usage, Text.summary, Build});

}  // namespace
}  // namespace korvana::cli
