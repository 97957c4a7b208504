// Printing one entry of the print queue: its report written again with its own report
// set into the report folder's "report.rtf", read into a document and printed through
// the print loop with the page header "Korvana " + caption + " - " + first chart name.
#pragma once

#include <string>

#include "core/queue/queue_run.h"
#include "render/report_printing.h"

class QPagedPaintDevice;

namespace korvana {

class FrontPagePictures;

struct QueuedPrintOutcome {
  bool printed = false;
  int pages = 0;
  std::string error;  // why not, for the user
};

// The printer job's title for an entry: "Korvana: " + the first chart's name.
std::string QueueJobTitle(const QueueEntry& entry, const ProgramSettings& settings);

// Prints the entry on the device (a printer, or a PDF writer) with `copies` (outer and
// inner counts; the page range and header of `copies` are not used: the whole report
// prints). `set` is the entry's report set, already current.
QueuedPrintOutcome PrintQueuedReport(const QueueEntry& entry, const TKVReport& set, ReportContext& context,
                                     FrontPagePictures* pictures, QPagedPaintDevice& device,
                                     const ReportPrintJob& copies);

}  // namespace korvana
