// Adding a report to the print queue: the report set's questions are asked now (the
// answers travel with the entry, so that printing later asks nothing).
#pragma once

#include <string>
#include <vector>

#include "core/queue/queue_file.h"

namespace korvana {

class TReportQuestions;

enum class QueueAddOutcome {
  Added,
  Declined,  // a question was cancelled: nothing queued, nothing to report
  Failed,    // the entry could not be made or written ("Error: Unable to add report to queue.")
};

struct QueueAddResult {
  QueueAddOutcome outcome = QueueAddOutcome::Failed;
  std::string detail;  // why it failed, when known
};

// Queues the report of `set` for `charts` (the first and, for a set of two charts, the
// second): asks the quesited house and the owners' genders through `questions`, then
// appends the entry. The genders chosen are kept in the stored charts.
QueueAddResult AddToQueue(PrintQueue& queue, const std::vector<StoredChart>& charts, const TKVReport& set,
                          TReportQuestions& questions);

}  // namespace korvana
