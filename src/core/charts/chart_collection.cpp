#include "core/charts/chart_collection.h"

#include <algorithm>

#include "core/charts/chart_layouts.h"
#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/records.h"

namespace korvana {

namespace {

constexpr std::int16_t CollectionVersion = 3;

// A count or length field: never negative and never more than the remaining bytes
// could hold at `unit` bytes each.
std::size_t CheckedCount(std::int32_t value, const ByteReader& reader, std::size_t unit, const char* what) {
  if (value < 0) throw EChartFileError(std::string("negative ") + what + " " + std::to_string(value));
  if (static_cast<std::size_t>(value) > reader.Remaining() / unit)
    throw EChartFileError(std::string(what) + " " + std::to_string(value) + " is more than the file holds");
  return static_cast<std::size_t>(value);
}

void WriteMemoBytes(ByteWriter& w, const std::string& memo) {
  w.I32(static_cast<std::int32_t>(memo.size()));
  w.Bytes(memo);
}

}  // namespace

TEM6ChartCollection ParseCollection(std::string_view data) {
  try {
    ByteReader r(data);
    if (r.I16() != CollectionVersion) throw EChartFileError("not a collection chart file");
    TEM6ChartCollection c;
    c.titleField = r.Bytes(TitleFieldSize);
    // Each chart needs at least its record and two 32-bit counts.
    const std::size_t charts = CheckedCount(r.I32(), r, WideRecordSize + 8, "chart count");
    c.charts.reserve(charts);
    for (std::size_t i = 0; i < charts; ++i) {
      TEM6Chart chart;
      chart.record = r.Bytes(WideRecordSize);
      const std::size_t events = CheckedCount(r.I32(), r, HeaderlessRecordSize + 4, "event count");
      chart.events.reserve(events);
      for (std::size_t e = 0; e < events; ++e) {
        TChartEvent event;
        event.record = r.Bytes(HeaderlessRecordSize);
        event.memo = r.Bytes(CheckedCount(r.I32(), r, 1, "memo length"));
        chart.events.push_back(std::move(event));
      }
      chart.memo = r.Bytes(CheckedCount(r.I32(), r, 1, "memo length"));
      c.charts.push_back(std::move(chart));
    }
    return c;
  } catch (const ERecordError& e) {
    throw EChartFileError(std::string("the collection is cut short (") + e.what() + ")");
  }
}

std::string SerializeCollection(const TEM6ChartCollection& c) {
  ByteWriter w;
  w.I16(CollectionVersion);
  std::string title = c.titleField;
  title.resize(TitleFieldSize, '\0');
  w.Bytes(title);
  w.I32(static_cast<std::int32_t>(c.charts.size()));
  for (const TEM6Chart& chart : c.charts) {
    std::string record = chart.record;
    record.resize(WideRecordSize, '\0');
    w.Bytes(record);
    w.I32(static_cast<std::int32_t>(chart.events.size()));
    for (const TChartEvent& event : chart.events) {
      std::string eventRecord = event.record;
      eventRecord.resize(HeaderlessRecordSize, '\0');
      w.Bytes(eventRecord);
      WriteMemoBytes(w, event.memo);
    }
    WriteMemoBytes(w, chart.memo);
  }
  return w.Take();
}

TEM6ChartCollection ReadCollection(const std::string& path) {
  const std::string message = "Error when attempting to read from chart file: " + path;
  auto data = ReadFileBytes(path);
  if (!data) throw EChartFileError(message);
  try {
    return ParseCollection(*data);
  } catch (const EChartFileError& e) {
    throw EChartFileError(message + "\r\n" + e.what());
  }
}

void WriteCollection(const std::string& path, const TEM6ChartCollection& collection) {
  if (!WriteFileAtomic(path, SerializeCollection(collection)))
    throw EChartFileError("Error when attempting to write to chart file: " + path);
}

std::string ChartMemoText(const TEM6Chart& chart) { return Cp1252ToUtf8(chart.memo); }

void SetChartMemoText(TEM6Chart& chart, std::string_view text) { chart.memo = Utf8ToCp1252(text); }

}  // namespace korvana
