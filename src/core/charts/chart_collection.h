// The collection chart file (".EMcht"), read and written whole.
//
// Layout: an 86-byte header (version 3 as signed 16-bit, an 80-byte title, the chart
// count as signed 32-bit), then for each chart its 292-byte wide record, the number of
// its events (signed 32-bit), each event as a 115-byte headerless record followed by its
// memo length (signed 32-bit) and that many characters, and last the chart's memo
// length and characters.
//
// Records, titles and memos are kept as the bytes the file holds, so that a collection
// read and written back is unchanged byte for byte in every chart the program did not
// touch. Memo texts are Windows-1252 in the file; ChartMemoText/SetChartMemoText convert.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvana {

struct TChartEvent {
  std::string record;  // 115 bytes, headerless layout
  std::string memo;    // as stored (Windows-1252)
};
using TChartEvents = std::vector<TChartEvent>;

struct TEM6Chart {
  std::string record;  // 292 bytes, wide layout
  TChartEvents events;
  std::string memo;    // as stored (Windows-1252)
};

struct TEM6ChartCollection {
  std::string titleField = std::string(80, '\0');  // the header's 80 title bytes as stored
  std::vector<TEM6Chart> charts;
};

// Parses a whole collection. Throws EChartFileError (without the file's path) when the
// data is not a collection, is cut short, or holds a negative or impossible count or
// length; nothing is read beyond the data.
TEM6ChartCollection ParseCollection(std::string_view data);

// The bytes of a collection; the header's count is the number of charts held.
std::string SerializeCollection(const TEM6ChartCollection& collection);

// Reads a collection file. Throws EChartFileError "Error when attempting to read from
// chart file: " and the path.
TEM6ChartCollection ReadCollection(const std::string& path);

// Writes a collection file through a work file renamed into place, so a failure leaves
// the old file as it was. Throws EChartFileError "Error when attempting to write to
// chart file: " and the path.
void WriteCollection(const std::string& path, const TEM6ChartCollection& collection);

// A chart's memo as UTF-8, and setting it from UTF-8.
std::string ChartMemoText(const TEM6Chart& chart);
void SetChartMemoText(TEM6Chart& chart, std::string_view text);

}  // namespace korvana
