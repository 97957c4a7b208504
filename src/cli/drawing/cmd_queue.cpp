// korvana queue: the print queue without the window. "add" queues the report of a
// report set for one or two charts (the set's questions answered by the options), "list"
// shows the entries with their statuses, "toggle" cancels or re-queues one, "clear"
// deletes the queue, and "print" writes every queued report again with its own report
// set: to the printer through the print loop, as printed pages into PDF files
// (--to-printer-files), or through the PDF report path (--to-pdf). Printed entries are
// marked "Printed" in either way.
#include <iomanip>
#include <memory>
#include <ostream>

#include <QPrinter>
#include <QPrinterInfo>

#include "cli/command.h"
#include "cli/drawing/gui_application.h"
#include "cli/drawing_commands.h"
#include "cli/environment.h"
#include "cli/validators.h"
#include "core/charts/chart_reference.h"
#include "core/config/program_settings.h"
#include "core/queue/queue_add.h"
#include "core/queue/queue_run.h"
#include "core/reports/job/report_context.h"
#include "core/reports/pdf/pdf_report.h"
#include "core/reports/reportset/report_set.h"
#include "core/util/files.h"
#include "core/util/text.h"
#include "render/front_page_pictures.h"
#include "render/pdf_engine_qt.h"
#include "render/queued_report_printing.h"
#include "render/report_wheel.h"

namespace korvana::cli {
namespace {

struct QueueArguments {
  std::string setFile, chart1, chart2, quesited, genders, toPdf, toPrinterFiles;
  int entry = 0;
};

PrintQueue QueueOf(CommandContext& ctx) { return PrintQueue(ctx.env.Settings().SystemPath + QueueFileName); }

// Says on stderr what a cut-off record at the end of the file loses.
void TellDropped(CommandContext& ctx, const PrintQueue& queue) {
  if (const std::size_t dropped = queue.ReadAll().droppedBytes)
    ctx.err << "korvana: " << queue.File() << " ends in " << dropped
            << " bytes of a cut-off record, which are not part of the queue\n";
}

int Add(CommandContext& ctx, const QueueArguments& a) {
  ProgramSettings& settings = ctx.env.Settings();
  Messages& messages = ctx.env.MessagesSink();
  TKVReport named;
  const TKVReport* set = &ctx.env.Report();
  if (!a.setFile.empty()) {
    const std::string path = FileExists(a.setFile) ? a.setFile : ResolveInFolder(a.setFile, settings.SystemPath);
    if (!LoadReportSet(NormalisePath(path), named, settings, messages)) return 1;
    set = &named;
  }
  if (set->setFile.empty() || !FileExists(set->setFile)) {
    ctx.err << "korvana: no report set is selected; give --set FILE.swp\n";
    return 1;
  }
  const bool two = set->synastry || set->composite;
  if (two && a.chart2.empty()) {
    ctx.err << "korvana: this report set needs a second chart; give --chart2 FILE:N\n";
    return 1;
  }
  std::vector<StoredChart> charts;
  try {
    charts.push_back(ReadChartReference(a.chart1, settings));
    if (!a.chart2.empty()) charts.push_back(ReadChartReference(a.chart2, settings));
  } catch (const std::exception& e) {
    ctx.err << "korvana: " << e.what() << "\n";
    return 1;
  }
  PresetReportQuestions questions;
  if (!a.quesited.empty()) questions.quesited = a.quesited;
  for (std::string_view g : Split(a.genders, ',')) questions.owners.push_back({"", ToLowerAscii(Trim(g))});
  PrintQueue queue = QueueOf(ctx);
  TellDropped(ctx, queue);
  const QueueAddResult added = AddToQueue(queue, charts, *set, questions);
  switch (added.outcome) {
    case QueueAddOutcome::Added:
      ctx.out << "Reports in Queue: " << queue.Count() << "\n";
      return 0;
    case QueueAddOutcome::Declined:
      ctx.err << "korvana: not queued: the quesited house must be a number 1-12\n";
      return 1;
    case QueueAddOutcome::Failed: break;
  }
  ctx.err << "korvana: Error: Unable to add report to queue." << (added.detail.empty() ? "" : " (" + added.detail + ")")
          << "\n";
  return 1;
}

int List(CommandContext& ctx, const QueueArguments&) {
  PrintQueue queue = QueueOf(ctx);
  TellDropped(ctx, queue);
  QueueModel model(queue);
  model.Load();
  int n = 0;
  for (const QueueEntry& e : model.Entries())
    ctx.out << std::setw(3) << ++n << "  " << std::left << std::setw(32) << EntryDisplayName(e) << std::setw(28)
            << e.caption << StatusText(e.status) << std::right << "\n";
  ctx.out << model.LabelText() << "\n";
  return 0;
}

int Toggle(CommandContext& ctx, const QueueArguments& a) {
  PrintQueue queue = QueueOf(ctx);
  QueueModel model(queue);
  model.Load();
  if (a.entry < 1 || a.entry > static_cast<int>(model.Entries().size())) {
    ctx.err << "korvana: the queue has no entry " << a.entry << "\n";
    return 1;
  }
  if (!model.Toggle(static_cast<std::size_t>(a.entry - 1))) {
    ctx.err << "korvana: entry " << a.entry << " cannot be changed\n";
    return 1;
  }
  ctx.out << a.entry << "  " << StatusText(model.Entries()[static_cast<std::size_t>(a.entry - 1)].status) << "\n"
          << model.LabelText() << "\n";
  return 0;
}

int Clear(CommandContext& ctx, const QueueArguments&) {
  PrintQueue queue = QueueOf(ctx);
  if (!queue.Clear()) {
    ctx.err << "korvana: cannot delete " << queue.File() << "\n";
    return 1;
  }
  ctx.out << "Reports in Queue: 0\n";
  return 0;
}

// Where and how the command line prints each queued report.
class CliQueuePrinter : public QueueEntryPrinter {
 public:
  CliQueuePrinter(CommandContext& ctx, const QueueArguments& a, ReportContext& context, const TKVReport& current)
      : ctx_(ctx), a_(a), context_(context), current_(current), pictures_(PaintReportWheel) {}

  void Starting(int index, int count) override {
    index_ = index;
    ctx_.out << "Report " << index << " of " << count << "\n";
  }

  bool Print(const QueueEntry& entry) override {
    const std::string name = OutputName(entry);
    if (!a_.toPdf.empty()) return WritePdf(entry, WithTrailingSlash(a_.toPdf) + name + ".pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    if (!a_.toPrinterFiles.empty()) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(WithTrailingSlash(a_.toPrinterFiles) + name + ".pdf"));
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
      return Failed(entry, "no printer is set up (give --to-pdf DIR or --to-printer-files DIR)");
    }
    printer.setDocName(QString::fromStdString(QueueJobTitle(entry, context_.settings)));
    const QueuedPrintOutcome printed = PrintQueuedReport(entry, current_, context_, &pictures_, printer, ReportPrintJob{});
    if (!printed.printed) return Failed(entry, printed.error);
    ctx_.out << "  " << printed.pages << " pages"
             << (a_.toPrinterFiles.empty() ? std::string() : " to " + printer.outputFileName().toStdString()) << "\n";
    return true;
  }

 private:
  // A file name for an entry: its number, the report set's caption and the chart names.
  std::string OutputName(const QueueEntry& entry) const {
    std::string name = std::to_string(index_) + " " + entry.caption + " for " + EntryDisplayName(entry);
    for (char& c : name)
      if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) c = '-';
    return name;
  }

  // The entry's report through the PDF report path.
  bool WritePdf(const QueueEntry& entry, const std::string& file) {
    QueueRegeneration how;
    how.pictures = &pictures_;
    TQtPdfEngine engine;
    PdfReportOptions pdfOptions;
    how.outputFile = file;
    how.pdfEngine = &engine;
    how.pdfOptions = &pdfOptions;
    const ReportJobResult result = RegenerateQueueEntry(entry, current_, context_, how);
    if (!result.written || result.failed)
      return Failed(entry, result.detail.empty() ? "the report was not written" : result.detail);
    ctx_.out << "  " << file << "\n";
    return true;
  }

  bool Failed(const QueueEntry& entry, const std::string& why) {
    ctx_.err << "korvana: " << EntryDisplayName(entry) << " (" << entry.caption << ") was not printed: " << why << "\n";
    return false;
  }

  CommandContext& ctx_;
  const QueueArguments& a_;
  ReportContext& context_;
  const TKVReport& current_;
  TFrontPagePictures pictures_;
  int index_ = 0;
};

int PrintAll(CommandContext& ctx, const QueueArguments& a) {
  EnsureGuiApplication();
  ProgramSettings& settings = ctx.env.Settings();
  for (const std::string& folder : {a.toPdf, a.toPrinterFiles}) {
    if (!folder.empty() && !MakeFolders(folder)) {
      ctx.err << "korvana: cannot create the folder " << folder << "\n";
      return 1;
    }
  }
  PrintQueue queue = QueueOf(ctx);
  TellDropped(ctx, queue);
  QueueModel model(queue);
  model.Load();
  TKVReport& current = ctx.env.Report();
  QueueSetSwitch sets(current.setFile, [&](const std::string& file) {
    // A set that does not load leaves the current one as it was.
    TKVReport loaded;
    if (!LoadReportSet(file, loaded, settings, ctx.env.MessagesSink())) return false;
    current = std::move(loaded);
    return true;
  });
  ReportContext context(settings, ctx.env.MessagesSink());
  CliQueuePrinter printer(ctx, a, context, current);
  const QueuePrintRun run = model.PrintAll(printer, sets);
  ctx.out << model.LabelText() << "\n";
  return run.failed > 0 ? 1 : 0;
}

CommandBuild Simple(int (*run)(CommandContext&, const QueueArguments&)) {
  return [run](CommandOptions&) -> CommandRun {
    return [run](CommandContext& ctx) { return run(ctx, QueueArguments{}); };
  };
}

CommandRun BuildAdd(CommandOptions& app) {
  auto a = std::make_shared<QueueArguments>();
  app.Value("--set", a->setFile, "the report set (default: the current one)").ValueName("FILE.swp").Check(NotEmpty());
  app.Value("--chart", a->chart1, "the chart: chart N (from 1) of a chart file").ValueName("FILE:N").Required();
  app.Value("--chart2", a->chart2, "the second chart of a two-chart report").ValueName("FILE:N");
  app.Value("--quesited", a->quesited, "the quesited house (default 1)").ValueName("N");
  app.Value("--gender", a->genders, "each chart's gender").ValueName("m|f[,m|f]").Check(GenderList());
  return [a](CommandContext& ctx) { return Add(ctx, *a); };
}

CommandRun BuildToggle(CommandOptions& app) {
  auto a = std::make_shared<QueueArguments>();
  app.Value("N", a->entry, "the entry's number in the list (from 1)").Required();
  return [a](CommandContext& ctx) { return Toggle(ctx, *a); };
}

CommandRun BuildPrint(CommandOptions& app) {
  auto a = std::make_shared<QueueArguments>();
  app.Value("--to-pdf", a->toPdf, "write each report as a PDF report into the folder instead of printing")
      .ValueName("DIR")
      .Check(NotEmpty());
  app.Value("--to-printer-files", a->toPrinterFiles, "print each report's pages into a PDF file in the folder")
      .ValueName("DIR")
      .Check(NotEmpty());
  app.AfterParse([a] {
    if (!a->toPdf.empty() && !a->toPrinterFiles.empty())
      throw UsageError("give either --to-pdf or --to-printer-files");
  });
  return [a](CommandContext& ctx) { return PrintAll(ctx, *a); };
}

CommandRun Build(CommandOptions& app) {
  return AddSubcommands(
      app, {{"add", "queue add [--set FILE.swp] --chart FILE:N [--chart2 FILE:N] [--quesited N] [--gender m|f[,m|f]]",
             "queue the report of a report set for one or two charts", BuildAdd},
            {"list", "queue list", "the queued reports with their statuses", Simple(List)},
            {"toggle", "queue toggle N", "cancel a queued report, or queue a printed or cancelled one again",
             BuildToggle},
            {"clear", "queue clear", "delete the print queue", Simple(Clear)},
            {"print", "queue print [--to-pdf DIR | --to-printer-files DIR]",
             "print every queued report, each with its own report set", BuildPrint}});
}

const CommandText& Text = DrawingCommand("queue");
CommandRegistration reg({Text.name, Text.usage, Text.summary, Build});

}  // namespace
}  // namespace korvana::cli
