// The text entries of a dynamic report section: the events of an event file grouped
// into configurations, each with its dates, keyword title and interpretation paragraph,
// and the section's summary and period line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/dynamic/dynamic_period.h"
#include "core/dynamic/event_file.h"

namespace korvana {

// One configuration as printed.
struct TDynamicTextEntry {
  std::int32_t FirstPoint = 0;  // PointId of the moving point
  std::int32_t AspectNo = 0;    // aspect number of an aspect entry
  std::int32_t Second = 0;      // radix PointId, house or sign 1..12 by category
  std::uint8_t Category = 0;    // EventCategory of its first event
  double StartTime = 0.0;       // JD of its first event
  double EndTime = 0.0;         // JD of its last event
  std::vector<double> ExactTimes;
  std::string TimeText;  // heading with <BOLDON>/<BOLDOFF> markup
  std::string Keyword;
  std::string Text;
  bool Show = false;
};

struct TDynamicTextEntries {
  std::int32_t Count = 0;
  std::vector<TDynamicTextEntry> Items;
  std::vector<std::int32_t> Order;  // printing order: 0, 1, 2, ...
};

// The category of an event type: 0 aspect (0-4, 18-255), 1 house (5, 7, 9, 11), 2 sign
// (6, 8, 10, 12), 3 (13, 14), 4 (15), 5 (16, 17).
int EventCategory(int type);
// Exact events: types 0 and 5..12.
bool IsExactEvent(int type);
// Same category, dynamic point index, aspect number and radix point index.
bool SameConfiguration(const DynamicEvent& a, const DynamicEvent& b);

// Groups the events in order-list order into configurations: a configuration ends where
// the next event is not the SameConfiguration, or by the category of that next event
// where the previous event closes it (aspects: type 2 or 4; houses: type 7 or another
// house; signs: type 8 or another sign). A configuration becomes an entry when it
// reaches into [startUT, endUT] (its last event at or after startUT and its first at or
// before endUT). Replaces `entries`. Point indexes outside the lists give PointId 0.
void GroupEvents(const TDynamicReport& report, double startUT, double endUT, TDynamicTextEntries& entries);

// What the texts of the entries are composed with.
struct EntryTextContext {
  int language = 0;          // report language 0..3
  bool monthFirst = false;   // the program's date display format
  std::string firstName = "Transiting";  // P1, the first-chart type name
  std::string secondName = "Radix";      // P2, the second-chart type name
  double extStartUT = 0.0;   // bounds of the (extended) search period
  double extEndUT = 0.0;
  float zoneHours = 0.0f;    // the reference zone: dates are printed in its local time
};

// The day-month-year text of a Julian day in the report language ("15 Dec 2016";
// "15. des 2016" in the third language; month first when asked).
std::string DynamicDateText(double jd, int language, bool monthFirst);

// The heading of an entry, its dates those of the reference zone: the middle of its span when it has no exact times; the exact
// dates joined by " and " for an aspect; for a house or sign the exact times as
// alternating "Enters"/"Entered before" and "Leaves"/"Leaves after" items joined by ", "
// (an entering less than 0.001 day after extStartUT reads "Entered before", a leaving
// less than 0.001 day before extEndUT reads "Leaves after"); in bold, and an aspect's
// followed by four blanks and its span "(start to end)".
std::string EntryTimeText(const TDynamicTextEntry& entry, const EntryTextContext& context);

// Keyword titles, paragraphs (from the dynamic interpretation file: kind 18 for
// aspects, 15 houses, 16 signs) and headings of every entry. A paragraph the file lacks
// leaves the entry unshown; when the file is missing or unusable every entry of
// categories 0-2 is shown with "Interpretations file invalid or missing: " and the path.
void ComposeEntryTexts(TDynamicTextEntries& entries, const std::string& dynamicFile, const EntryTextContext& context);

// The single entry that replaces the results of a failed search: keyword "ERROR", the
// text "An error occurred during dynamic report generation. Error code: " and the code.
TDynamicTextEntries ErrorEntries(int code);

// What the summary of a section lists.
struct SummaryContext {
  int language = 0;
  std::string firstName = "Transiting";
  std::string secondName = "Radix";
  std::vector<int> dynamicPoints;  // PointIds of the effective selections, any order
  std::vector<int> radixPoints;
  std::vector<std::pair<int, double>> aspects;  // aspect numbers with their angles
  double enterOrb = 0.0;
  double leaveOrb = 0.0;
  double zoneHours = 0.0;
  std::string zoneAbbr = "UT";
};

// The summary text of a dynamic section ("|<BOLDON>Transiting Points:<BOLDOFF> Sun,
// Moon|..." with the radix points, the aspects with their angles, the orbs and the
// reference zone), with the language's contractions applied.
std::string DynamicSummary(const SummaryContext& context);

// "From 1 May 2026 until 1 May 2027": the line above a dynamic section. The dates are
// printed as they stand (a period end of "31 Feb" keeps its day number).
std::string PeriodLine(const DateTimeRec& start, const DateTimeRec& end, int language, bool monthFirst);
// The same for the period of the dynamic settings (PeriodStart with `today`, PeriodEnd).
std::string PeriodLine(const TDynRepUserData& settings, const DateTimeRec& today, int language, bool monthFirst);

}  // namespace korvana
