// The "Report Print Queue" dialog's rules, as a model the desktop dialog and the command
// line both run: listing the entries with their statuses, cancelling and re-queueing
// one, printing every queued entry with its own report set (and making the set that was
// current before the run current again), and what quitting does.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/queue/queue_file.h"
#include "core/reports/job/report_job.h"

namespace korvana {

class FrontPagePictures;
class PdfEngine;
struct PdfReportOptions;

// Switches the report set in use while a queue prints. The loader makes a set current
// (the desktop's UseReportSet, the command line's LoadReportSet); it returns false when
// the set cannot be loaded.
class QueueSetSwitch {
 public:
  using Loader = std::function<bool(const std::string& setFile)>;
  QueueSetSwitch(std::string currentSetFile, Loader load);

  // Makes `setFile` current unless it already is (paths compared without regard to
  // case). False when it cannot be loaded.
  bool Use(const std::string& setFile);
  // When Use changed the set, makes the one current at construction current again. True
  // when nothing had to be done or the reload succeeded.
  bool Restore();
  const std::string& InUse() const { return inUse_; }

 private:
  std::string remembered_, inUse_;
  Loader load_;
};

// Prints one queued entry, its report set already current. Returns true when printed.
class QueueEntryPrinter {
 public:
  virtual ~QueueEntryPrinter() = default;
  virtual bool Print(const QueueEntry& entry) = 0;
  // Before entry `index` (from 1) of `count`: the dialog's label, selection and progress.
  virtual void Starting(int index, int count) { (void)index, (void)count; }
  // After each entry: lets pending events run (a "Stop" click reaches RequestStop).
  virtual void Between() {}
};

// What quitting the dialog does.
enum class QueueQuit {
  StopRequested,   // printing: only asks the run to stop; the dialog stays
  ClearedAndClosed, // nothing left to print: the queue file is deleted, the dialog closes
  Closed,          // queued entries stay for later
};

// Counts of one "Print All" run.
struct QueuePrintRun {
  int printed = 0;
  int failed = 0;      // left "Queued" (the set could not be loaded, or printing failed)
  bool stopped = false;
};

class QueueModel {
 public:
  explicit QueueModel(PrintQueue& queue);

  // Reads every record; the unprinted count is recomputed. Bytes of a cut-off record at
  // the end are not listed (DroppedBytes says how many).
  void Load();
  const std::vector<QueueEntry>& Entries() const { return entries_; }
  std::size_t DroppedBytes() const { return dropped_; }
  int Unprinted() const { return unprinted_; }
  bool Printing() const { return printing_; }

  // "Reports to Print: n"; after a run with nothing left, "All Printed".
  std::string LabelText() const;

  // Clicking an entry (index from 0), refused while printing: "Queued" becomes
  // "Cancelled", "Printed" and "Cancelled" become "Queued", "Printing..." stays. The
  // record is written back; false when refused or the file cannot be written (the entry
  // then keeps its status).
  bool Toggle(std::size_t index);

  // Prints every entry whose record reads "Queued" in file order, each with its own
  // report set; afterwards the set current before the run is current again. An entry
  // moves Queued -> Printing... -> Printed; one that fails stays Queued. A stop request
  // ends the run between entries.
  QueuePrintRun PrintAll(QueueEntryPrinter& printer, QueueSetSwitch& sets);
  void RequestStop() { stop_ = true; }

  // Quit (or Stop) pressed.
  QueueQuit Quit();

 private:
  PrintQueue& queue_;
  std::vector<QueueEntry> entries_;
  std::size_t dropped_ = 0;
  int unprinted_ = 0;
  bool printing_ = false;
  bool stop_ = false;
  bool ranOnce_ = false;
};

// How a queued entry is written again.
struct QueueRegeneration {
  std::string outputFile;                    // RTF or PDF path
  FrontPagePictures* pictures = nullptr;     // the chart page's pictures; null: none
  PdfEngine* pdfEngine = nullptr;            // writes PDF instead of RTF
  const PdfReportOptions* pdfOptions = nullptr;
};

// Writes a queued entry's report with `set` (its own report set, made current) through
// the report job: the entry's first chart, and its second when the set takes two, the
// quesited house chosen when it was queued.
ReportJobResult RegenerateQueueEntry(const QueueEntry& entry, const TKVReport& set, ReportContext& context,
                                     const QueueRegeneration& how);

}  // namespace korvana
