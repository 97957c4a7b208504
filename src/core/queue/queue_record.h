// One entry of the print queue as the queue file "prqueue.fil" stores it: a headerless
// file of 932-byte little-endian records, one per queued report, in the order queued.
//
//   0   292  first chart, in the wide chart record layout (chart_layouts.h)
//   292 292  second chart in the same layout; all zero when the entry has one chart
//   584  81  report set caption: count byte + 80 characters (Windows-1252)
//   665 256  report set file: count byte + 255 bytes (the path's bytes as they are)
//   921   1  status: 0 "Queued", 1 "Printing...", 2 "Printed", 3 "Cancelled"
//   922   2  unused (0)
//   924   4  quesited house chosen when queued (signed 32-bit)
//   928   1  1 when the report set was a synastry set
//   929   3  unused (0)
//
// The entry keeps both chart records as bytes, so that rewriting an entry (a status
// change) gives back exactly what was read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/charts/chart_layouts.h"

namespace korvana {

struct ProgramSettings;
struct TKVReport;

constexpr std::size_t QueueRecordSize = 932;
constexpr std::size_t QueueCaptionWidth = 80;
constexpr std::size_t QueuePathWidth = 255;
inline constexpr const char* QueueFileName = "prqueue.fil";

enum class QueueStatus : std::uint8_t { Queued = 0, Printing = 1, Printed = 2, Cancelled = 3 };

// "Queued", "Printing...", "Printed", "Cancelled"; an unknown status byte (a damaged
// file) shows as "Unknown" and is never printed.
const char* StatusText(QueueStatus status);

struct QueueEntry {
  std::string firstChart;   // WideRecordSize bytes
  std::string secondChart;  // WideRecordSize bytes; all zero for none
  std::string caption;      // UTF-8
  std::string setFile;
  QueueStatus status = QueueStatus::Queued;
  std::int32_t quesitedHouse = 1;
  bool synastry = false;

  // True when the second record holds a chart (not all zero).
  bool HasSecondChart() const;
};

// A queue entry that cannot be made or read; carries the reason for the user.
class EQueueError : public Error {
 public:
  using Error::Error;
};

// The entry for charts and a report set. `charts` holds the first chart and, for a set
// of two charts, the second. Throws EQueueError when the set's path is longer than the
// record holds (255 bytes: a shortened path would regenerate another report) and
// EChartRangeError when a chart does not fit its record. A caption longer than 80
// characters is cut.
QueueEntry MakeQueueEntry(const std::vector<StoredChart>& charts, const TKVReport& set, int quesitedHouse);

// The 932-byte record of an entry, and back. DecodeQueueEntry throws EQueueError when
// `record` is not exactly one record long; field contents are taken as they are (a count
// byte beyond its field reads as the whole field).
std::string EncodeQueueEntry(const QueueEntry& entry);
QueueEntry DecodeQueueEntry(std::string_view record);

// An entry's charts as chart records (the choices a record does not hold come from the
// settings). The second is nullopt when the entry holds none. Throw EChartFileError when
// a record holds an impossible date or time.
StoredChart FirstChartOf(const QueueEntry& entry, const ProgramSettings& settings);
std::optional<StoredChart> SecondChartOf(const QueueEntry& entry, const ProgramSettings& settings);

// The name the queue dialog lists: the first chart's name (at most 50 characters,
// trimmed); for a synastry entry both names joined by "\".
std::string EntryDisplayName(const QueueEntry& entry);

}  // namespace korvana
