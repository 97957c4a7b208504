#include "app/queue_printing.h"

#include <QPrintDialog>

#include "render/queued_report_printing.h"
#include "render/report_wheel.h"

namespace korvana::app {

DesktopQueuePrinter::DesktopQueuePrinter(std::unique_ptr<QPrinter> printer, ReportPrintJob copies,
                                         ProgramSettings& settings, const TKVReport& current, Messages& messages)
    : printer_(std::move(printer)),
      copies_(copies),
      context_(settings, messages),
      current_(current),
      pictures_(PaintReportWheel) {}

bool DesktopQueuePrinter::Print(const QueueEntry& entry) {
  printer_->setDocName(QString::fromStdString(QueueJobTitle(entry, context_.settings)));
  const QueuedPrintOutcome printed = PrintQueuedReport(entry, current_, context_, &pictures_, *printer_, copies_);
  if (!printed.printed)
    context_.messages.Warning("The report for " + EntryDisplayName(entry) + " was not printed:\r\n" + printed.error);
  return printed.printed;
}

std::unique_ptr<QueueEntryPrinter> AskForQueuePrinter(QWidget* parent, ProgramSettings& settings,
                                                      const TKVReport& current, Messages& messages) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setFullPage(true);
  QPrintDialog dialog(printer.get(), parent);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  // The loop makes the copies itself.
  const ReportPrintJob copies = CopiesFromDialog(printer->copyCount(), printer->collateCopies());
  printer->setCopyCount(1);
  return std::make_unique<DesktopQueuePrinter>(std::move(printer), copies, settings, current, messages);
}

}  // namespace korvana::app
