#include "core/session/chart_search.h"

#include <set>

#include "core/charts/chart_files.h"
#include "core/session/chart_list.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana {

std::vector<std::string> ChartSearchFolders(const std::vector<std::string>& recentCharts) {
  std::vector<std::string> folders;
  std::set<std::string> seen;
  for (const std::string& path : recentCharts) {
    const std::string folder = FolderOf(path);
    if (!folder.empty() && seen.insert(ToLowerAscii(folder)).second) folders.push_back(folder);
  }
  return folders;
}

std::vector<std::string> ChartFilesIn(const std::string& folder) {
  std::vector<std::string> files;
  for (std::string& name : ListFiles(folder, "*"))
    if (EndsWithNoCase(name, "cht")) files.push_back(std::move(name));
  return files;
}

std::size_t ReadChartNames(const std::string& path, std::string_view pattern, TMatchingChartArray& matches,
                           const ProgramSettings& settings) {
  std::vector<ChartListEntry> charts;
  try {
    charts = ListCharts(path, settings);
  } catch (const std::exception&) {
    return 0;  // not a chart file: nothing in it to find
  }
  const std::size_t before = matches.size();
  for (const ChartListEntry& entry : charts) {
    if (!entry.chart) continue;
    const ChartRecord& c = entry.chart->chart;
    const std::string name(Trim(c.Name));
    if (!MatchesChartPattern(name, pattern)) continue;
    matches.push_back({FolderOf(path), NameOf(path), name, c.EventKind, c.Moment, entry.index});
  }
  return matches.size() - before;
}

ChartSearch::ChartSearch(std::vector<std::string> folders, std::string pattern, const ProgramSettings& settings)
    : folders_(std::move(folders)), pattern_(std::move(pattern)), settings_(settings) {
  SkipEmptyFolders();
}

void ChartSearch::SkipEmptyFolders() {
  while (folderIndex_ < folders_.size()) {
    if (!listed_) {
      files_ = ChartFilesIn(folders_[folderIndex_]);
      fileIndex_ = 0;
      listed_ = true;
    }
    if (fileIndex_ < files_.size()) return;
    ++folderIndex_;
    listed_ = false;
  }
}

bool ChartSearch::Finished() const { return stopped_ || folderIndex_ >= folders_.size(); }

std::string ChartSearch::NextFile() const {
  return Finished() ? std::string() : WithTrailingSlash(folders_[folderIndex_]) + files_[fileIndex_];
}

std::size_t ChartSearch::Step() {
  if (Finished()) return 0;
  const std::size_t found = ReadChartNames(NextFile(), pattern_, matches_, settings_);
  ++fileIndex_;
  ++searched_;
  SkipEmptyFolders();
  return found;
}

std::string ChartSearch::ResultText() const {
  return std::string(stopped_ ? "Cancelled" : "Finished") + " - Matching Charts Found: " +
         std::to_string(matches_.size());
}

}  // namespace korvana
