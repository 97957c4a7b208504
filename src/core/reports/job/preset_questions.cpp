#include "core/reports/job/preset_questions.h"

namespace korvana {

std::optional<std::string> PresetReportQuestions::AskQuesitedHouse(std::string_view,
                                                                   std::string_view,
                                                                   std::string_view) {
  return quesited;
}

bool PresetReportQuestions::AskPersonalDetails(PersonalDetailsForm& form) {
  for (std::size_t i = 0; i < form.entries.size(); ++i) {
    const bool given = i < owners.size() && !owners[i].gender.empty();
    form.entries[i].keepChartGender = !given;
    if (i >= owners.size()) continue;
    if (!owners[i].name.empty()) form.entries[i].givenName = owners[i].name;
    if (given) form.entries[i].female = owners[i].gender == "f";
  }
  return true;
}

}  // namespace korvana
