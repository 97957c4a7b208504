#include "core/session/chart_list.h"

#include <algorithm>
#include <cstdio>

#include "core/util/text.h"

namespace korvana {

std::string ReverseName(std::string_view name) {
  const std::string_view trimmed = Trim(name);
  const std::size_t blank = trimmed.rfind(' ');
  if (blank == std::string_view::npos) return std::string(trimmed);
  return std::string(trimmed.substr(blank + 1)) + ", " + std::string(Trim(trimmed.substr(0, blank)));
}

std::string ChartDateKey(const DateTimeRec& moment) {
  char key[16];
  std::snprintf(key, sizeof key, "%05d%02d%02d", moment.Year + 10000, moment.Month, moment.Day);
  return key;
}

std::vector<ChartListRow> MakeChartRows(const std::vector<ChartListEntry>& charts, ChartOrder order,
                                        bool lastNameFirst) {
  std::vector<ChartListRow> rows;
  rows.reserve(charts.size());
  for (const ChartListEntry& entry : charts) {
    ChartListRow row;
    row.number = entry.index;
    if (entry.chart) {
      const ChartRecord& c = entry.chart->chart;
      const std::string name(Trim(c.Name));
      row.name = lastNameFirst ? ReverseName(name) : name;
      row.dateKey = ChartDateKey(c.Moment);
      row.kind = ChartKindName(c.ChartType, c.ChartSubType);
    } else {
      row.error = entry.error;
    }
    rows.push_back(std::move(row));
  }
  const auto byName = [](const ChartListRow& a, const ChartListRow& b) {
    const std::string x = ToLowerAscii(a.name), y = ToLowerAscii(b.name);
    return x != y ? x < y : a.dateKey < b.dateKey;
  };
  const auto byDate = [&](const ChartListRow& a, const ChartListRow& b) {
    return a.dateKey != b.dateKey ? a.dateKey < b.dateKey : byName(a, b);
  };
  if (order == ChartOrder::Name) std::stable_sort(rows.begin(), rows.end(), byName);
  if (order == ChartOrder::Date) std::stable_sort(rows.begin(), rows.end(), byDate);
  return rows;
}

void AddToRecentCharts(std::vector<std::string>& recent, const std::string& path) {
  const std::string wanted = ToLowerAscii(path);
  const auto found = std::find_if(recent.begin(), recent.end(), [&](const std::string& entry) {
    return ToLowerAscii(entry).find(wanted) != std::string::npos;
  });
  if (found != recent.end()) {
    std::iter_swap(recent.begin(), found);
    return;
  }
  recent.insert(recent.begin(), path);
  if (recent.size() > RecentChartFileCount) recent.resize(RecentChartFileCount);
}

std::string ChartSearchPattern(std::string_view typed) {
  if (typed.empty()) return {};
  std::string pattern(typed);
  if (pattern.front() != '*') pattern.insert(pattern.begin(), '*');
  if (pattern.back() != '*') pattern.push_back('*');
  return pattern;
}

bool MatchesChartPattern(std::string_view name, std::string_view pattern) {
  // Greedy matching with one backtrack point per "*", in linear time.
  std::size_t n = 0, p = 0, star = std::string_view::npos, resume = 0;
  const auto same = [](char a, char b) { return ToLowerAscii(std::string(1, a)) == ToLowerAscii(std::string(1, b)); };
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && same(pattern[p], name[n])))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace korvana
