// The desktop's print run of the queue: the print dialog chooses the printer and the
// copies, then each entry's report is written again and printed on that printer.
#pragma once

#include <QPrinter>
#include <memory>

#include "core/queue/queue_run.h"
#include "core/reports/job/report_context.h"
#include "render/front_page_pictures.h"
#include "render/report_printing.h"

class QWidget;

namespace korvana::app {

class DesktopQueuePrinter : public QueueEntryPrinter {
 public:
  // `current` is the report set that the run keeps current (switched per entry).
  DesktopQueuePrinter(std::unique_ptr<QPrinter> printer, ReportPrintJob copies, ProgramSettings& settings,
                      const TKVReport& current, Messages& messages);
  // Prints the entry; a failure is shown and the entry stays queued.
  bool Print(const QueueEntry& entry) override;

 private:
  std::unique_ptr<QPrinter> printer_;
  ReportPrintJob copies_;
  ReportContext context_;
  const TKVReport& current_;
  TFrontPagePictures pictures_;
};

// The print dialog for "Print All" (printing to a file is not offered: every report
// would replace the one before). Null when cancelled.
std::unique_ptr<QueueEntryPrinter> AskForQueuePrinter(QWidget* parent, ProgramSettings& settings,
                                                      const TKVReport& current, Messages& messages);

}  // namespace korvana::app
