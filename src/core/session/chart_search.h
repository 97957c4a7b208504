// "Search All Files" without the window: every chart file in the folders of the recent
// chart files is searched for charts whose name matches a pattern, one file a step, so
// that the dialog showing it stays responsive, shows its progress and can stop it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/time/date_time_rec.h"

namespace korvana {

struct ProgramSettings;

// One chart found.
struct TMatchingChart {
  std::string Folder;     // the chart file's folder, ending in "/"
  std::string FileName;   // the chart file's name
  std::string ChartName;  // trimmed
  std::uint8_t EventKind = 0;
  DateTimeRec Moment;     // the chart's local date and time
  std::int32_t Index = 0; // the chart's number in the file, from 1
};
using TMatchingChartArray = std::vector<TMatchingChart>;

// The folders searched: the distinct folders (compared without regard to case) of the
// recent chart files, in their order.
std::vector<std::string> ChartSearchFolders(const std::vector<std::string>& recentCharts);

// The files of a folder whose name ends in "cht" (without regard to case), sorted by name;
// empty when the folder cannot be read.
std::vector<std::string> ChartFilesIn(const std::string& folder);

// Appends a TMatchingChart for every chart of the file whose name matches `pattern`
// (MatchesChartPattern). A chart that cannot be read is passed over; a file that is no
// chart file (or cannot be read) adds nothing. Returns the number appended.
std::size_t ReadChartNames(const std::string& path, std::string_view pattern, TMatchingChartArray& matches,
                           const ProgramSettings& settings);

// A search in steps: each Step searches one file. Folders are listed when the search
// reaches them.
class ChartSearch {
 public:
  ChartSearch(std::vector<std::string> folders, std::string pattern, const ProgramSettings& settings);

  // Searches the next file and returns the number of charts it added; 0 once finished
  // or stopped.
  std::size_t Step();
  // Stops the search; later steps do nothing.
  void Stop() { stopped_ = true; }

  bool Finished() const;  // every file searched or stopped
  bool Stopped() const { return stopped_; }
  // The file the next step searches (empty when finished).
  std::string NextFile() const;
  // How far the search is through the current folder's files.
  std::size_t FolderFilesDone() const { return fileIndex_; }
  std::size_t FolderFileCount() const { return files_.size(); }
  std::size_t FilesSearched() const { return searched_; }

  const TMatchingChartArray& Matches() const { return matches_; }
  // "Finished" or, when stopped, "Cancelled", then " - Matching Charts Found: " and the count.
  std::string ResultText() const;

 private:
  void SkipEmptyFolders();

  std::vector<std::string> folders_;
  std::string pattern_;
  const ProgramSettings& settings_;
  std::size_t folderIndex_ = 0;
  std::vector<std::string> files_;  // of the current folder
  std::size_t fileIndex_ = 0;
  std::size_t searched_ = 0;
  bool listed_ = false;  // files_ holds the current folder's files
  bool stopped_ = false;
  TMatchingChartArray matches_;
};

}  // namespace korvana
