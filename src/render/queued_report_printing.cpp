#include "render/queued_report_printing.h"

#include <QTextDocument>

#include "core/util/text.h"
#include "render/report_document.h"

namespace korvana {

namespace {

std::string FirstChartName(const QueueEntry& entry, const ProgramSettings& settings) {
  try {
    return std::string(Trim(FirstChartOf(entry, settings).chart.Name));
  } catch (const std::exception&) {
    return EntryDisplayName(entry);
  }
}

}  // namespace

std::string QueueJobTitle(const QueueEntry& entry, const ProgramSettings& settings) {
  return "Korvana: " + FirstChartName(entry, settings);
}

QueuedPrintOutcome PrintQueuedReport(const QueueEntry& entry, const TKVReport& set, ReportContext& context,
                                     FrontPagePictures* pictures, QPagedPaintDevice& device,
                                     const ReportPrintJob& copies) {
  QueuedPrintOutcome outcome;
  QueueRegeneration how;
  how.outputFile = context.settings.ReportPath + "report.rtf";
  how.pictures = pictures;
  const ReportJobResult written = RegenerateQueueEntry(entry, set, context, how);
  if (!written.written || written.failed) {
    outcome.error = written.detail.empty() ? "the report was not written" : written.detail;
    return outcome;
  }
  QTextDocument document;
  if (!LoadReportDocument(how.outputFile, document, outcome.error)) return outcome;
  ReportPrintJob job = copies;
  job.firstPage = 1;
  job.lastPage = 0;
  job.headerText = "Korvana " + entry.caption + " - " + FirstChartName(entry, context.settings);
  const PrintOutcome printed = PrintReport(document, device, PageSetupFrom(context.settings), job);
  outcome.printed = printed.printed;
  outcome.pages = printed.pages;
  outcome.error = printed.error;
  return outcome;
}

}  // namespace korvana
