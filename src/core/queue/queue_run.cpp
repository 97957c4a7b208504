#include "core/queue/queue_run.h"

#include "core/reports/reportset/report_set.h"
#include "core/util/text.h"

namespace korvana {

QueueSetSwitch::QueueSetSwitch(std::string currentSetFile, Loader load)
    : remembered_(std::move(currentSetFile)), inUse_(remembered_), load_(std::move(load)) {}

bool QueueSetSwitch::Use(const std::string& setFile) {
  if (EqualsNoCase(setFile, inUse_)) return true;
  if (!load_(setFile)) return false;
  inUse_ = setFile;
  return true;
}

bool QueueSetSwitch::Restore() {
  if (inUse_ == remembered_) return true;
  // With no set current before the run there is nothing to go back to.
  if (remembered_.empty()) return true;
  if (!load_(remembered_)) return false;
  inUse_ = remembered_;
  return true;
}

QueueModel::QueueModel(PrintQueue& queue) : queue_(queue) {}

void QueueModel::Load() {
  QueueContents contents = queue_.ReadAll();
  entries_ = std::move(contents.entries);
  dropped_ = contents.droppedBytes;
  unprinted_ = UnprintedIn(entries_);
}

std::string QueueModel::LabelText() const {
  if (ranOnce_ && unprinted_ == 0) return "All Printed";
  return "Reports to Print: " + std::to_string(unprinted_);
}

bool QueueModel::Toggle(std::size_t index) {
  if (printing_ || index >= entries_.size()) return false;
  const std::optional<QueueEntry> read = queue_.Read(static_cast<int>(index) + 1);
  if (!read) return false;
  QueueEntry entry = *read;
  int change = 0;
  switch (entry.status) {
    case QueueStatus::Queued: entry.status = QueueStatus::Cancelled, change = -1; break;
    case QueueStatus::Printed:
    case QueueStatus::Cancelled: entry.status = QueueStatus::Queued, change = +1; break;
    default: return false;  // "Printing..." (or a damaged status) stays as it is
  }
  if (!queue_.Write(static_cast<int>(index) + 1, entry)) return false;
  entries_[index] = entry;
  unprinted_ += change;
  return true;
}

QueuePrintRun QueueModel::PrintAll(QueueEntryPrinter& printer, QueueSetSwitch& sets) {
  QueuePrintRun run;
  printing_ = true;
  stop_ = false;
  const int count = static_cast<int>(entries_.size());
  for (int i = 1; i <= count; ++i) {
    printer.Starting(i, count);
    std::optional<QueueEntry> entry = queue_.Read(i);
    if (entry && entry->status == QueueStatus::Queued) {
      entries_[static_cast<std::size_t>(i - 1)].status = QueueStatus::Printing;
      const bool printed = sets.Use(entry->setFile) && printer.Print(*entry);
      entry->status = printed ? QueueStatus::Printed : QueueStatus::Queued;
      if (printed && queue_.Write(i, *entry)) {
        ++run.printed;
        --unprinted_;
      } else {
        // A report that was not printed, or whose new status cannot be kept, stays queued.
        entry->status = QueueStatus::Queued;
        ++run.failed;
      }
      entries_[static_cast<std::size_t>(i - 1)] = *entry;
    }
    printer.Between();
    if (stop_) {
      run.stopped = i < count;
      break;
    }
  }
  sets.Restore();
  printing_ = false;
  ranOnce_ = true;
  return run;
}

QueueQuit QueueModel::Quit() {
  if (printing_) {
    stop_ = true;
    return QueueQuit::StopRequested;
  }
  if (unprinted_ <= 0) {
    queue_.Clear();
    entries_.clear();
    return QueueQuit::ClearedAndClosed;
  }
  return QueueQuit::Closed;
}

ReportJobResult RegenerateQueueEntry(const QueueEntry& entry, const TKVReport& set, ReportContext& context,
                                     const QueueRegeneration& how) {
  PresetReportQuestions questions;
  questions.quesited = std::to_string(entry.quesitedHouse);
  ReportRequest request;
  request.currentSet = &set;
  try {
    request.charts.push_back({"", FirstChartOf(entry, context.settings)});
    // A set of two charts takes the second: a synastry set, and a composite set too.
    if (set.synastry || set.composite) {
      if (std::optional<StoredChart> second = SecondChartOf(entry, context.settings))
        request.charts.push_back({"", *second});
    }
  } catch (const std::exception& e) {
    ReportJobResult refused;
    refused.error = ReportJobError::ChartUnreadable;
    refused.detail = std::string("queued chart: ") + e.what();
    return refused;
  }
  request.outputFile = how.outputFile;
  request.questions = &questions;
  request.pictures = how.pictures;
  request.pdfEngine = how.pdfEngine;
  request.pdfOptions = how.pdfOptions;
  return RunReportJob(request, context);
}

}  // namespace korvana
