#include "core/reports/dynamic/dynamic_sections.h"

#include <exception>

#include "core/util/files.h"
#include "core/util/ini_file.h"
#include "core/util/text.h"

namespace korvana {

TDynRepUserData ReportDynamicSettings(const TKVReport& report, const DynamicPeriodChoice& choice) {
  const IniFile ini(report.setFile);
  TDynRepUserData settings = LoadDynamicSettings(ini, "Dynamic");
  if (choice.from) {
    settings.UseCurrentDateAsBase = false;
    settings.BaseDate = *choice.from;
    settings.BaseDate.Hour = settings.BaseDate.Minute = settings.BaseDate.Second = 0;
  }
  if (choice.length) {
    settings.Duration = choice.length->Duration;
    settings.DurationUnit = choice.length->DurationUnit;
  }
  return settings;
}

ReportDynamicSections::ReportDynamicSections(TimeLinePictures* timeLines, DynamicPeriodChoice choice,
                                             std::optional<DateTimeRec> today)
    : timeLines_(timeLines), choice_(std::move(choice)), today_(today ? *today : TodayLocal()) {}

void ReportDynamicSections::SearchEvents(const ReportRun& run) {
  lists_.clear();
  if (!run.report || !run.settings || run.charts.empty() || !run.report->includesDynRep) return;
  period_ = ReportDynamicSettings(*run.report, choice_);
  const CalculatedChart& radix = run.charts.front();
  const DynamicSearchContext context{*run.report, period_, *run.settings, radix.Chart, radix.Houses.HouseSystem, today_};
  try {
    lists_ = SearchDynamicSections(context);
  } catch (const EDateRangeError&) {
    // A period beyond the calendar's years: every section says so, the report goes on.
    lists_.assign(run.report->dynFiles.size(), {});
    for (DynamicSectionLists& l : lists_) l.report = ErrorEntries(PeriodOutOfRange);
  }
}

void ReportDynamicSections::WriteSection(DynamicSectionOutput& out, const ReportRun& run, int section, bool background,
                                         bool keywordTitles) {
  if (section < 0 || static_cast<std::size_t>(section) >= lists_.size() || !run.settings || !run.report) return;
  const DynamicSectionLists& lists = lists_[static_cast<std::size_t>(section)];
  const std::vector<const TDynamicTextEntry*> printed =
      PrintedEntries(background ? lists.background : lists.report, background);
  if (printed.empty()) return;
  const ProgramSettings& settings = *run.settings;
  const int language = run.report->language;

  TimeLinePeriod period;
  bool drawTimeLines = settings.ShowTimeLineDiagrams && timeLines_;
  std::string line;
  try {
    period.start = PeriodStart(period_, today_);
    period.zoneHours = period_.RepZoneHrs;
    const PeriodBounds bounds = PeriodBoundsOf(period_, period.start);
    period.startUT = bounds.startUT;
    period.endUT = bounds.endUT;
    line = PeriodLine(period_, today_, language, settings.MonthFirst);
  } catch (const EDateRangeError&) {
    drawTimeLines = false;  // the ERROR entry stands without a ruler
  }
  out.PeriodLine(line);

  const std::string folder = run.pictureFolder.empty() ? settings.ReportPath : WithTrailingSlash(run.pictureFolder);
  const std::string picture = folder + "temp.wmf";
  const ReportOwners owners = OwnersOf(run);
  for (const TDynamicTextEntry* e : printed) {
    if (drawTimeLines && timeLines_->DrawTimeLine(period, *e, picture)) out.TimeLine(picture);
    if (e->Text.empty()) continue;
    std::string text = keywordTitles ? ToUpperAscii(e->Keyword) + " - " + e->Text : e->Text;
    SubstituteNames(text, owners);
    out.Entry(e->TimeText, text);
  }
}

std::vector<std::string> ReportDynamicSections::Summaries() const {
  std::vector<std::string> summaries;
  for (const DynamicSectionLists& l : lists_) summaries.push_back(l.summary);
  return summaries;
}

}  // namespace korvana
