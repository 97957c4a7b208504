#include "core/queue/queue_add.h"

#include "core/reports/driver/report_questions.h"

namespace korvana {

QueueAddResult AddToQueue(PrintQueue& queue, const std::vector<StoredChart>& charts, const TKVReport& set,
                          TReportQuestions& questions) {
  if (charts.empty()) return {QueueAddOutcome::Failed, "no chart is chosen"};
  // The questions read and set only the chart records, so uncast charts serve.
  std::vector<CalculatedChart> asked(charts.size());
  for (std::size_t i = 0; i < charts.size(); ++i) asked[i].Chart = charts[i].chart;
  int quesitedHouse = 1;
  std::vector<std::string> ownerNames;
  if (!AskReportQuestions(asked, static_cast<int>(asked.size()), quesitedHouse, set, ownerNames, questions))
    return {QueueAddOutcome::Declined, ""};
  std::vector<StoredChart> answered = charts;
  for (std::size_t i = 0; i < charts.size(); ++i) answered[i].chart.EventKind = asked[i].Chart.EventKind;
  try {
    if (!queue.Add(MakeQueueEntry(answered, set, quesitedHouse)))
      return {QueueAddOutcome::Failed, "cannot write " + queue.File()};
  } catch (const std::exception& e) {
    return {QueueAddOutcome::Failed, e.what()};
  }
  return {QueueAddOutcome::Added, ""};
}

}  // namespace korvana
