// Fuzz entry for the chart file readers: every reader must either succeed or throw its
// own error for any bytes at all, and what it reads must survive writing it back.
// Built as a libFuzzer target with clang, and run over seeds and their mutations by
// charts_fuzz_replay everywhere.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/charts/chart_collection.h"
#include "core/charts/chart_files.h"
#include "core/charts/memo_file.h"
#include "core/config/program_settings.h"

namespace {

using namespace korvana;

void Require(bool condition) {
  if (!condition) std::abort();
}

// own -> chart -> own must settle after one normalisation.
void CheckOwnRecord(std::string_view own, const ProgramSettings& settings) {
  try {
    const StoredChart first = ChartFromOwnRecord(own, settings);
    const std::string again = OwnRecordFromChart(first.chart, first.houseSystem, first.userSvp, first.memoRecord);
    const StoredChart second = ChartFromOwnRecord(again, settings);
    Require(OwnRecordFromChart(second.chart, second.houseSystem, second.userSvp, second.memoRecord) == again);
    Require(OwnFromWide(WideFromOwn(again)) == again);
  } catch (const EChartFileError&) {
  }
}

void CheckFiles(std::string_view data, const ProgramSettings& settings) {
  const ChartFileDescription info = DescribeChartData(data);
  Require(info.count >= 0);
  try {
    const auto charts = DecodeAllCharts(data, settings);
    if (info.format != ChartFormatCollection) Require(static_cast<int>(charts.size()) == info.count);
  } catch (const EChartFileError&) {
  }
  for (int format : {ChartFormatHeaderless, ChartFormatOwn, ChartFormatWide, ChartFormatCollection})
    for (int index : {0, 1, 2, info.count, info.count < 0x7FFFFFFF ? info.count + 1 : -1}) {
      try {
        DecodeChart(data, format, index, settings);
      } catch (const EChartFileError&) {
      }
    }
  try {
    const TEM6ChartCollection collection = ParseCollection(data);
    const std::string written = SerializeCollection(collection);
    Require(written == data.substr(0, written.size()));  // only a trailing tail may be dropped
    Require(ParseCollection(written).charts.size() == collection.charts.size());
  } catch (const EChartFileError&) {
  }
}

void CheckMemo(std::string_view data) {
  std::int32_t first = 2;
  if (data.size() >= 4)
    first = static_cast<std::int32_t>(static_cast<unsigned char>(data[0]) | (static_cast<unsigned char>(data[1]) << 8) |
                                      (static_cast<unsigned char>(data[2]) << 16) |
                                      (static_cast<std::uint32_t>(static_cast<unsigned char>(data[3])) << 24));
  for (std::int32_t start : {first, 2, 3}) {
    try {
      ReadMemoData(data, start);
    } catch (const EMemoError&) {
    }
  }
  const std::string text = "A memo that takes two records of the memo file.";
  for (std::int32_t start : {0, 2, first}) {
    std::string copy(data);
    try {
      const std::int32_t written = WriteMemoData(copy, start, text);
      Require(ReadMemoData(copy, written) == text);
      Require(WriteMemoData(copy, written, "") == 0);
    } catch (const EMemoError&) {
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static const korvana::ProgramSettings settings;
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  CheckFiles(data, settings);
  CheckMemo(data);
  if (size >= korvana::OwnRecordSize) CheckOwnRecord(data.substr(0, korvana::OwnRecordSize), settings);
  if (size >= korvana::WideRecordSize) {
    try {
      CheckOwnRecord(korvana::OwnFromWide(data.substr(0, korvana::WideRecordSize)), settings);
    } catch (const korvana::EChartFileError&) {
    }
  }
  if (size >= korvana::HeaderlessRecordSize) {
    try {
      CheckOwnRecord(korvana::OwnFromHeaderless(data.substr(0, korvana::HeaderlessRecordSize), 0.0f), settings);
    } catch (const korvana::EChartFileError&) {
    }
  }
  return 0;
}
