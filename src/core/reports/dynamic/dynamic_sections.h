// The dynamic sections of a report run. Before the walk every dynamic section of the
// report set is searched twice over the period of the set's dynamic settings (its
// "Dynamic" section, or the period the run chooses): a background search for the moving
// points' houses and signs and a report search for their aspects over the period
// extended by a year on each side. The walk's DynamicBackground and DynamicReport
// statements then print a section's entries: above the first the period line ("From 1
// May 2026 until 1 May 2027"), and per entry its time line (with the ShowTimeLineDiagrams
// setting and a picture source), its dated heading and its paragraph. The report
// search's summary of each section goes into the astrological summary.
//
// Failures never end the report: a search that fails or whose event file cannot be read
// prints its single "ERROR" entry with the code; a time line that cannot be drawn is left
// out; settings whose period leaves the calendar's range give that entry too.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/dynamic/dynamic_period.h"
#include "core/dynamic/event_search.h"
#include "core/dynamic/time_line.h"
#include "core/reports/driver/report_driver.h"

namespace korvana {

// A period chosen for one run instead of the report set's.
struct DynamicPeriodChoice {
  std::optional<DateTimeRec> from;     // the first day (0:00:00 in the reference zone)
  std::optional<PeriodLength> length;  // the period's length
};

// The dynamic settings of a report set: the "Dynamic" section of its file (defaults when
// the file or the section is missing), with the choice applied: a chosen start date is
// used as given (no go-to, no adjustment), a chosen length replaces the set's.
TDynRepUserData ReportDynamicSettings(const TKVReport& report, const DynamicPeriodChoice& choice);

// The code of the ERROR entry of a section whose period cannot be computed.
constexpr int PeriodOutOfRange = 9;

class ReportDynamicSections : public DynamicSectionWriter {
 public:
  // `timeLines` draws the entries' time lines (null: none); `today` is the date a period
  // from the current date starts from (default: the system clock's local date).
  explicit ReportDynamicSections(TimeLinePictures* timeLines = nullptr, DynamicPeriodChoice choice = {},
                                 std::optional<DateTimeRec> today = std::nullopt);

  // Both searches of every section, for the run's first chart; nothing without dynamic
  // sections.
  void SearchEvents(const ReportRun& run) override;
  void WriteSection(DynamicSectionOutput& out, const ReportRun& run, int section, bool background,
                    bool keywordTitles) override;
  std::vector<std::string> Summaries() const override;

  const std::vector<DynamicSectionLists>& Lists() const { return lists_; }
  const TDynRepUserData& Period() const { return period_; }

 private:
  TimeLinePictures* timeLines_;
  DynamicPeriodChoice choice_;
  DateTimeRec today_;
  TDynRepUserData period_;
  std::vector<DynamicSectionLists> lists_;
};

}  // namespace korvana
