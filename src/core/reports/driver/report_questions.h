// What happens before a report run: the questions a report set asks (the quesited house
// of a horary report, the owners' given names and genders), and the name of the report
// file in the report folder.
//
// The questions come through TReportQuestions, which the GUI implements with its input
// box and the "Personal Details for Report" dialog and the command line with its options.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/astro/calculated_chart.h"
#include "core/reports/reportset/report_set.h"

namespace korvana {

inline constexpr const char* QuesitedHousePrompt = "Which house represents the quesited (1-12)?";
inline constexpr const char* QuesitedHouseCaption = "Quesited House";
inline constexpr const char* PersonalDetailsCaption = "Personal Details for Report";
inline constexpr const char* ReportAlreadyOpenMessage =
    "This RTF report is already open in another program.\r\nClose it first then try again.";

// The "Personal Details for Report" form: one entry per chart.
struct PersonalDetailsEntry {
  std::string chartName;  // the group box shows " " + chartName + " "
  std::string givenName;  // the name field
  bool female = false;    // "Female" chosen (preselected when the chart's gender is 2)
  // Set by an answer that names no gender (a report run without --gender): the chart keeps
  // the gender it has, so a chart without one gets the report's neutral wording rather
  // than a "he" nobody chose.
  bool keepChartGender = false;
};
struct PersonalDetailsForm {
  std::vector<PersonalDetailsEntry> entries;  // the second only for synastry reports
};

class TReportQuestions {
 public:
  virtual ~TReportQuestions() = default;
  // The input box; nullopt when cancelled.
  virtual std::optional<std::string> AskQuesitedHouse(std::string_view prompt, std::string_view caption,
                                                      std::string_view initial) = 0;
  // The personal details dialog; false when it was not closed with OK.
  virtual bool AskPersonalDetails(PersonalDetailsForm& form) = 0;
};

// The given name of a chart name: the text after its first "," (surname first), else
// the text before its first blank, else the whole name, trimmed.
std::string GivenNameOf(std::string_view chartName);

// Asks the report set's questions. ownerNames becomes the owner names list (one per
// chart); quesitedHouse is in/out (an unset value, outside 1..12, starts as 1); the
// charts' genders (EventKind 1 male, 2 female) are set from the details form. False
// when the user cancelled: the run does not take place.
bool AskReportQuestions(std::vector<CalculatedChart>& charts, int chartCount, int& quesitedHouse,
                        const TKVReport& report, std::vector<std::string>& ownerNames, TReportQuestions& questions);

// The report name: the first chart's name without trailing blanks; for a synastry or
// composite report the two names joined with the language's "and" (contractions
// applied) and cut to 65 characters.
std::string ReportNameFor(const std::vector<CalculatedChart>& charts, const TKVReport& report);

// The name the composite chart record takes: the report name cut to 30 characters.
std::string CompositeChartName(const std::string& reportName);

// ReportPath + caption + " " + "for" (report language) + " " + name + ".rtf". Characters
// that would leave the report folder or cannot stand in a file name ("/" and control
// characters) become "-".
std::string ReportOutputFile(const std::string& reportPath, const TKVReport& report, const std::string& reportName);

}  // namespace korvana
