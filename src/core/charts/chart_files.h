// Chart files: the program's own file of 110-byte records (".cht", version 1), the wide
// variant of 292-byte records (version 2), the collection file (".EMcht", version 3,
// chart_collection.h) and the older headerless file of 115-byte records.
//
// The first two bytes of a file, read as a signed 16-bit number, give its format: 1, 2
// or 3; anything else (or a file too short to hold them) is the headerless format.
// Charts are numbered from 1. Own and wide files keep free text for their charts in the
// memo file beside them (memo_file.h); a collection keeps it inside; the headerless
// format has none.
//
// Every change goes through a work file renamed into place: a write that fails leaves
// the file exactly as it was. Every read goes through the own record layout
// (chart_layouts.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/charts/chart_layouts.h"
#include "core/charts/chart_record.h"

namespace korvana {

class Messages;
struct ProgramSettings;

enum ChartFileFormat : int {
  ChartFormatInvalid = -1,
  ChartFormatHeaderless = 0,
  ChartFormatOwn = 1,
  ChartFormatWide = 2,
  ChartFormatCollection = 3
};

// "own records", "wide records", "collection", "headerless", "not a chart file".
std::string_view ChartFormatName(int format);

struct ChartFileDescription {
  int format = ChartFormatInvalid;
  std::string title = "Not a valid chart file";
  int count = 0;
};

// Format, title and chart count. The title is the header's title trimmed, "(No title)"
// when empty; for the headerless format "EM2 Chart File: " followed by the number of
// records and " Charts". A file that cannot be read (or whose header is cut short)
// gives format -1, count 0 and "Not a valid chart file". A collection's count is the
// one its header states (its charts are only checked when it is read).
ChartFileDescription ChartFileInfo(const std::string& path);
ChartFileDescription DescribeChartData(std::string_view data);

// Chart `index` (from 1) of a file of the given format, converted through the own
// layout. The choices the formats do not hold come from the settings. Reading a chart
// of an own, wide or collection file sets the settings' user sidereal offset
// ("UserSVP") to the one stored with the chart. Throws EChartFileError with a message for
// the user: "Not a valid chart file", a chart number the file does not hold, a damaged
// record, or for collections "Error when attempting to read from chart file: " and the
// path.
StoredChart ReadChart(const std::string& path, int format, int index, ProgramSettings& settings);

// The same on the bytes of a file, without touching the settings.
StoredChart DecodeChart(std::string_view data, int format, int index, const ProgramSettings& settings);

// Every chart of a file in file order (a collection is parsed once). Throws as ReadChart;
// does not change the settings.
std::vector<StoredChart> ReadAllCharts(const std::string& path, const ProgramSettings& settings);
std::vector<StoredChart> DecodeAllCharts(std::string_view data, const ProgramSettings& settings);

// Every chart of a file for a chart list: a chart that cannot be read (an impossible
// date, a field beyond its range) gives its number and message instead of ending the
// list. Throws EChartFileError only when the file as a whole cannot be read.
struct ChartListEntry {
  int index = 0;
  std::optional<StoredChart> chart;
  std::string error;
};
std::vector<ChartListEntry> ListCharts(const std::string& path, const ProgramSettings& settings);

// Appends a chart to a chart file of any format, converted to its layout (own record
// with the settings' "UserSVP" and no memo; a collection gets it with no events and no
// memo). Shows "Chart was saved to file: " and the path, and returns the new chart's
// number; on any failure shows "Chart could not be saved." (followed by the reason when
// another program is changing the file) and returns nullopt with the file unchanged.
std::optional<int> AppendChart(const std::string& path, const ChartRecord& chart, int houseSystem,
                               const ProgramSettings& settings, Messages& messages);

// Makes a new chart file: ".cht" an own-format file, ".EMcht" an empty collection, both
// titled "New chart file" unless a title is given. An existing file is never touched:
// "Cannot create this file because it already exists.". Another extension is refused.
bool CreateChartFile(const std::string& path, Messages& messages,
                     std::string_view title = "New chart file");

// Rewrites the header's title (own, wide and collection files); false for the
// headerless format or on failure.
bool SetFileTitle(const std::string& path, std::string_view title);

// Cuts the file after keepCount charts; false when the file holds fewer or on failure.
bool TruncateChartFile(const std::string& path, int format, int keepCount);

// Deletes chart `index`: a collection drops it with its events and memo; in the other
// formats every later record moves down one place unchanged (their memos stay theirs),
// the file becomes one chart shorter and the deleted chart's memo records are freed.
// Reports failures through messages; false with the file unchanged on failure.
bool DeleteChart(const std::string& path, int index, Messages& messages);

// The memo text of a chart: own and wide files from the memo file, collections from the
// chart. nullopt for the headerless format, which cannot hold comments. Throws
// EChartFileError when the chart cannot be read and EMemoError (ReadMemo) when its memo
// cannot.
std::optional<std::string> ReadChartMemo(const std::string& path, int index);

// Replaces the memo text of a chart (an empty text removes it). Own and wide files: the
// new text is written to the memo file, the chart's record is pointed at it, then the
// old chain is freed, so that a failure at any step leaves the chart with its old text.
// Collections are written back whole. False (with a message) on failure or for the
// headerless format.
bool SetChartMemo(const std::string& path, int index, std::string_view text, Messages& messages);

}  // namespace korvana
