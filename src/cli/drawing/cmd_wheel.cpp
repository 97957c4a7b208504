// korvana wheel: draws the chart wheel of one chart (or two, with a two-chart design)
// after a wheel design into a PNG image, an SVG drawing, a PDF page or a metafile.
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <memory>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/drawing_commands.h"
#include "cli/drawing/gui_application.h"
#include "cli/environment.h"
#include "cli/validators.h"
#include "core/analysis/aspect_file.h"
#include "core/astro/cast_chart.h"
#include "core/charts/chart_reference.h"
#include "core/util/files.h"
#include "core/util/text.h"
#include "render/metafile.h"
#include "render/wheel_drawing.h"

namespace korvana::cli {
namespace {

// What the command line asks of wheel.
struct WheelArguments {
  OptionMap chart;
  std::optional<std::string> chart2, design, aspects;
  bool houseExpansion = false;
  std::string output;
  std::string size = "1000x1000";
  std::string outputKind = "screen";
};

// Passes messages on and remembers whether an error was shown: a wheel that could not
// be drawn is not written.
class ErrorWatch : public Messages {
 public:
  explicit ErrorWatch(Messages& inner) : inner_(inner) {}
  bool failed = false;
  void Warning(std::string_view t) override { inner_.Warning(t); }
  void Error(std::string_view t) override {
    failed = true;
    inner_.Error(t);
  }
  void Information(std::string_view t) override { inner_.Information(t); }
  bool Confirm(std::string_view t) override { return inner_.Confirm(t); }
  bool YesNo(std::string_view t) override { return inner_.YesNo(t); }
  Answer YesNoCancel(std::string_view t) override { return inner_.YesNoCancel(t); }
  std::optional<std::string> InputBox(std::string_view c, std::string_view p,
                                      std::string_view i) override {
    return inner_.InputBox(c, p, i);
  }

 private:
  Messages& inner_;
};

int Run(CommandContext& ctx, const WheelArguments& a) {
  // The options by name, as the drawing below reads them; the parser checked their forms.
  OptionMap o = a.chart;
  if (a.chart2) o["chart2"] = *a.chart2;
  if (a.design) o["design"] = *a.design;
  if (a.aspects) o["aspects"] = *a.aspects;
  if (a.houseExpansion) o["house-expansion"] = std::string(1, '1');
  const std::string out = a.output;
  const std::string ext = ExtensionOf(out);
  const auto size = Split(a.size, 'x');
  const int width = *ParseInt32(size[0]), height = *ParseInt32(size[1]);
  const int kind = a.outputKind == "print" ? WheelPrinter : a.outputKind == "pdf" ? WheelPdf : WheelScreen;

  ProgramSettings& s = ctx.env.Settings();
  // The preference is not stored: a wheel drawn from the command line asks for it.
  s.HouseExpansion = o.count("house-expansion") != 0;
  Messages& messages = ctx.env.MessagesSink();
  const std::optional<CalculatedChart> first = CastChosenChart(ctx, o);
  if (!first) return 1;
  const bool two = o.count("chart2") != 0;
  std::optional<CalculatedChart> second;
  if (two) {
    second = CastChosenChart(ctx, {{"chart", o["chart2"]}});
    if (!second) return 1;
  }
  WheelRequest request;
  // Each chart brings its record for the details block beside the wheel.
  const auto wheel_chart = [](const CalculatedChart& chart) {
    WheelChart w;
    w.chart = &chart;
    w.record = &chart.Chart;
    return w;
  };
  request.input.charts = {wheel_chart(*first)};
  if (two) request.input.charts.push_back(wheel_chart(*second));
  // The points the preferences show on wheels; every point when none is chosen.
  for (int id = 1; id <= LastPoint; ++id) {
    request.input.selection[static_cast<std::size_t>(id)] =
        s.WheelPointSelection[static_cast<std::size_t>(id)];
  }
  if (std::none_of(request.input.selection.begin(), request.input.selection.end(),
                   [](bool b) { return b; })) {
    request.input.selection.fill(true);
    request.input.selection[0] = false;
  }
  request.input.outputKind = kind;
  const std::string designFile = o.count("design") ? ResolveInFolder(o["design"], s.WheelPath)
                                                    : (two ? s.BiWheel : s.DefWheel);
  if (!FileExists(designFile)) {
    ctx.err << "korvana: Wheel file does not exist: " << designFile << "\n";
    return 1;
  }
  request.rect = QRect(0, 0, width, height);
  // Aspect lines after the given aspect file, else the shipped "modern.asp" when the
  // user data folder has it.
  AspectSet aspects;
  const std::string aspect_file =
      ResolveInFolder(o.count("aspects") ? o["aspects"] : std::string("modern.asp"), s.UserPath);
  if (o.count("aspects") || FileExists(aspect_file)) {
    try {
      ReadAspectFile(aspect_file, aspects);
    } catch (const EAspectFileCutShort&) {
      // A body cut short: the wheel draws the aspects of the records read whole.
    } catch (const EAspectFileError& e) {
      messages.Error(e.what());
      return 1;
    }
    request.input.aspects = &aspects;
  }

  EnsureGuiApplication();
  ErrorWatch watch(messages);
  const LoadedWheel wheel = LoadWheelForLayout(designFile, false, false, s, watch);
  request.design = wheel.design ? &*wheel.design : nullptr;
  request.layout = wheel.layout;
  // The picture is made in memory and written through the program's own file routines,
  // so that any name the file system takes (also one that is not UTF-8) can be written.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bool saved = true;
  if (EqualsNoCase(ext, ".png")) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      DrawChartWheel(painter, request, s, watch);
    }
    saved = !watch.failed && image.save(&buffer, "PNG");
  } else if (EqualsNoCase(ext, ".svg")) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setTitle(QStringLiteral("Chart wheel"));
    QPainter painter(&svg);
    painter.fillRect(request.rect, Qt::white);
    DrawChartWheel(painter, request, s, watch);
  } else if (EqualsNoCase(ext, ".wmf")) {
    TMetafile metafile(width, height);
    {
      QPainter painter(&metafile);
      PrepareMetafileCanvas(painter, request.rect);
      DrawChartWheel(painter, request, s, watch);
    }
    const std::string data = metafile.Data();
    bytes = QByteArray(data.data(), static_cast<qsizetype>(data.size()));
  } else {
    QPdfWriter pdf(&buffer);
    pdf.setResolution(300);
    pdf.setPageSize(QPageSize(QSizeF(width, height), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&pdf);
    request.rect = QRect(0, 0, painter.device()->width(), painter.device()->height());
    DrawChartWheel(painter, request, s, watch);
  }
  if (watch.failed) return 1;
  // Only a whole picture replaces the output, and only a new name or a regular file,
  // keeping its permissions.
  if (!saved || !WriteFileAtomic(out, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
    ctx.err << "korvana: cannot write " << out << "\n";
    return 1;
  }
  return 0;
}

CommandRun Build(CommandOptions& app) {
  auto a = std::make_shared<WheelArguments>();
  AddChartOptions(app, a->chart);
  app.Value("--chart2", a->chart2, "the second chart, for a two-chart design").ValueName("FILE:N");
  app.Value("--design", a->design, "the wheel design (default: the settings' one- or two-chart design)")
      .ValueName("FILE");
  app.Value("--aspects", a->aspects, "the aspect file of the aspect lines (default modern.asp)")
      .ValueName("FILE.asp");
  app.Value("--size", a->size, "the picture's size in pixels (points for PDF), default 1000x1000")
      .ValueName("WxH")
      .Check(PictureSize(16, 20000));
  app.Flag("--house-expansion", a->houseExpansion, "spread the houses by their sizes");
  app.Value("--output-kind", a->outputKind, "what the wheel is drawn for (default screen)")
      .ValueName("screen|print|pdf")
      .Check(OneOf({"screen", "print", "pdf"}));
  app.Value("-o,--output", a->output, "the file to write; its extension chooses the kind")
      .ValueName("OUT.png|.svg|.pdf|.wmf")
      .Required()
      .Check(FileExtension({".png", ".svg", ".pdf", ".wmf"}));
  return [a](CommandContext& ctx) { return Run(ctx, *a); };
}

const CommandText& Text = DrawingCommand("wheel");
CommandRegistration reg({Text.name, Text.usage, Text.summary, Build});

}  // namespace
}  // namespace korvana::cli
