// The "Open Chart" list without the window: the entries of a chart file in name, file or
// date order, names shown last name first, the recent chart files, and the name patterns
// of "Search All Files".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/charts/chart_files.h"

namespace korvana {

// "Mary Ann Jones" gives "Jones, Mary Ann": the text after the last blank, ", " and the
// text before it. A name without a blank is returned unchanged.
std::string ReverseName(std::string_view name);

// Nine digits that sort in date order: year + 10000 (five digits), month and day (two
// each). 4 July 1776 gives "117760704".
std::string ChartDateKey(const DateTimeRec& moment);

enum class ChartOrder { File, Name, Date };

struct ChartListRow {
  std::string name;     // as shown (last name first when asked for)
  std::string dateKey;  // ChartDateKey
  std::string kind;     // ChartKindName
  int number = 0;       // the chart's number in the file, from 1
  std::string error;    // a chart that cannot be read: why (its row shows the number)
};

// The rows of a chart list (ListCharts) in the order asked for: by name (without regard
// to case), then date; by date, then name; or in file order.
std::vector<ChartListRow> MakeChartRows(const std::vector<ChartListEntry>& charts, ChartOrder order,
                                        bool lastNameFirst);

constexpr std::size_t RecentChartFileCount = 10;

// A chart file just used: when an entry contains the path (without regard to case) it
// changes places with the first; otherwise the path goes first and entries beyond the
// tenth drop out.
void AddToRecentCharts(std::vector<std::string>& recent, const std::string& path);

// The pattern of a typed search text: "*" put in front and behind unless there ("smith"
// gives "*smith*"); empty for an empty text.
std::string ChartSearchPattern(std::string_view typed);

// Whether a name matches a pattern: "*" any run of characters, "?" any one, letters
// without regard to case.
bool MatchesChartPattern(std::string_view name, std::string_view pattern);

}  // namespace korvana
