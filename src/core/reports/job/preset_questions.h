// Answers to a report set's questions given before the run (by command-line options, a
// queued job or a test) instead of by dialogs.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/reports/driver/report_questions.h"

namespace korvana {

// The owner of one chart as given beforehand; empty fields keep what the chart says.
struct ReportOwner {
  std::string name;    // the given name written for "%1" / "%2"
  std::string gender;  // "m", "f" or empty
};

class PresetReportQuestions : public TReportQuestions {
 public:
  std::string quesited = "1";       // the quesited house answer, as typed
  std::vector<ReportOwner> owners;  // per chart

  // Answers the quesited house with `quesited`.
  std::optional<std::string> AskQuesitedHouse(std::string_view, std::string_view,
                                              std::string_view) override;
  // Fills each entry's given name and gender from `owners` where they are given; an entry
  // without a gender keeps the chart's own (none stays none).
  bool AskPersonalDetails(PersonalDetailsForm& form) override;
};

}  // namespace korvana
