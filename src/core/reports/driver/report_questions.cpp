#include "core/reports/driver/report_questions.h"

#include "core/reports/language/language.h"
#include "core/time/entry_parsing.h"
#include "core/util/text.h"

namespace korvana {

namespace {

std::string TrimRight(std::string_view s) {
  std::size_t end = s.size();
  while (end > 0 && (s[end - 1] == ' ' || s[end - 1] == '\t')) --end;
  return std::string(s.substr(0, end));
}

}  // namespace

std::string GivenNameOf(std::string_view chartName) {
  std::size_t comma = chartName.find(',');
  if (comma != std::string_view::npos) return std::string(Trim(chartName.substr(comma + 1)));
  std::string_view trimmed = Trim(chartName);
  std::size_t blank = trimmed.find(' ');
  if (blank != std::string_view::npos) return std::string(Trim(trimmed.substr(0, blank)));
  return std::string(trimmed);
}

bool AskReportQuestions(std::vector<CalculatedChart>& charts, int chartCount, int& quesitedHouse,
                        const TKVReport& report, std::vector<std::string>& ownerNames, TReportQuestions& questions) {
  if (charts.empty()) return false;
  const std::size_t count = std::min<std::size_t>(charts.size(), chartCount < 1 ? 1 : static_cast<std::size_t>(chartCount));
  ownerNames.resize(std::max<std::size_t>(ownerNames.size(), count));
  ownerNames[0] = std::string(Trim(charts[0].Chart.Name));
  for (std::size_t i = 1; i < count; ++i)
    if (ownerNames[i].empty()) ownerNames[i] = std::string(Trim(charts[i].Chart.Name));

  if (report.askQuesitedHouse) {
    if (quesitedHouse < 1 || quesitedHouse > 12) quesitedHouse = 1;
    std::optional<std::string> answer = questions.AskQuesitedHouse(QuesitedHousePrompt, QuesitedHouseCaption, "1");
    if (!answer) return false;
    std::optional<std::int32_t> n = ParseInt32(Trim(*answer));
    if (!n || *n == 0) return false;
    quesitedHouse = (*n < 0 || *n > 12) ? 1 : *n;
  }

  if (report.askChartGender) {
    PersonalDetailsForm form;
    const std::size_t shown = report.synastry ? std::min<std::size_t>(count, 2) : 1;
    for (std::size_t i = 0; i < count && i < 2; ++i) {
      ownerNames[i] = GivenNameOf(charts[i].Chart.Name);
      if (i < shown) {
        PersonalDetailsEntry e;
        e.chartName = charts[i].Chart.Name;
        e.givenName = ownerNames[i];
        e.female = charts[i].Chart.EventKind == EventFemale;
        form.entries.push_back(e);
      }
    }
    if (!questions.AskPersonalDetails(form)) return false;
    for (std::size_t i = 0; i < form.entries.size() && i < charts.size(); ++i) {
      ownerNames[i] = std::string(Trim(form.entries[i].givenName));
      if (!form.entries[i].keepChartGender)
        charts[i].Chart.EventKind = form.entries[i].female ? EventFemale : EventMale;
    }
  }
  return true;
}

std::string ReportNameFor(const std::vector<CalculatedChart>& charts, const TKVReport& report) {
  if (charts.empty()) return std::string();
  std::string name = TrimRight(charts[0].Chart.Name);
  if ((report.synastry || report.composite) && charts.size() >= 2) {
    name = name + " " + std::string(lang::PhraseText(report.language, lang::Phrase::And)) + " " +
           TrimRight(charts[1].Chart.Name);
    name = LimitText(lang::ApplyContractions(name, report.language), 65);
  }
  return name;
}

std::string CompositeChartName(const std::string& reportName) { return LimitText(reportName, 30); }

std::string ReportOutputFile(const std::string& reportPath, const TKVReport& report, const std::string& reportName) {
  std::string leaf = report.caption + " " + std::string(lang::PhraseText(report.language, lang::Phrase::For)) + " " +
                     reportName + ".rtf";
  for (char& ch : leaf)
    if (ch == '/' || (static_cast<unsigned char>(ch) < 0x20)) ch = '-';
  if (leaf.rfind(".", 0) == 0) leaf[0] = '-';
  return reportPath + leaf;
}

}  // namespace korvana
