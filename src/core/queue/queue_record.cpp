#include "core/queue/queue_record.h"

#include <algorithm>

#include "core/reports/reportset/report_set.h"
#include "core/util/codepage.h"
#include "core/util/records.h"
#include "core/util/text.h"

namespace korvana {

namespace {

constexpr std::size_t DisplayNameWidth = 50;

std::string ChartRecordBytes(const StoredChart& stored) {
  return WideFromOwn(OwnRecordFromChart(stored.chart, stored.houseSystem, stored.userSvp, stored.memoRecord));
}

std::string NameOfWide(std::string_view wide) {
  std::string name = NameOfOwnRecord(OwnFromWide(wide));
  if (name.size() > DisplayNameWidth) name.resize(DisplayNameWidth);
  return std::string(Trim(name));
}

}  // namespace

const char* StatusText(QueueStatus status) {
  switch (status) {
    case QueueStatus::Queued: return "Queued";
    case QueueStatus::Printing: return "Printing...";
    case QueueStatus::Printed: return "Printed";
    case QueueStatus::Cancelled: return "Cancelled";
  }
  return "Unknown";
}

bool QueueEntry::HasSecondChart() const {
  return std::any_of(secondChart.begin(), secondChart.end(), [](char c) { return c != '\0'; });
}

QueueEntry MakeQueueEntry(const std::vector<StoredChart>& charts, const TKVReport& set, int quesitedHouse) {
  if (charts.empty()) throw EQueueError("A queued report needs a chart.");
  if (set.setFile.size() > QueuePathWidth)
    throw EQueueError("The report set's path is too long for the print queue: " + set.setFile);
  QueueEntry entry;
  entry.firstChart = ChartRecordBytes(charts[0]);
  entry.secondChart = charts.size() > 1 ? ChartRecordBytes(charts[1]) : std::string(WideRecordSize, '\0');
  entry.caption = set.caption;
  entry.setFile = set.setFile;
  entry.quesitedHouse = quesitedHouse;
  entry.synastry = set.synastry;
  return entry;
}

std::string EncodeQueueEntry(const QueueEntry& entry) {
  ByteWriter w;
  for (const std::string* chart : {&entry.firstChart, &entry.secondChart}) {
    std::string record = chart->substr(0, WideRecordSize);
    record.resize(WideRecordSize, '\0');
    w.Bytes(record);
  }
  w.ShortString(Utf8ToCp1252(entry.caption), QueueCaptionWidth);
  w.ShortString(entry.setFile, QueuePathWidth);
  w.U8(static_cast<std::uint8_t>(entry.status));
  w.Zeros(2);
  w.I32(entry.quesitedHouse);
  w.Bool(entry.synastry);
  w.Zeros(3);
  return w.Take();
}

QueueEntry DecodeQueueEntry(std::string_view record) {
  if (record.size() != QueueRecordSize)
    throw EQueueError("A print queue record is " + std::to_string(record.size()) + " bytes instead of " +
                      std::to_string(QueueRecordSize) + ".");
  ByteReader r(record);
  QueueEntry entry;
  entry.firstChart = r.Bytes(WideRecordSize);
  entry.secondChart = r.Bytes(WideRecordSize);
  entry.caption = Cp1252ToUtf8(r.ShortString(QueueCaptionWidth));
  entry.setFile = r.ShortString(QueuePathWidth);
  entry.status = static_cast<QueueStatus>(r.U8());
  r.Skip(2);
  entry.quesitedHouse = r.I32();
  entry.synastry = r.Bool();
  return entry;
}

StoredChart FirstChartOf(const QueueEntry& entry, const ProgramSettings& settings) {
  return ChartFromOwnRecord(OwnFromWide(entry.firstChart), settings);
}

std::optional<StoredChart> SecondChartOf(const QueueEntry& entry, const ProgramSettings& settings) {
  if (!entry.HasSecondChart()) return std::nullopt;
  return ChartFromOwnRecord(OwnFromWide(entry.secondChart), settings);
}

std::string EntryDisplayName(const QueueEntry& entry) {
  std::string name = NameOfWide(entry.firstChart);
  if (entry.synastry && entry.HasSecondChart()) name += "\\" + NameOfWide(entry.secondChart);
  return name;
}

}  // namespace korvana
