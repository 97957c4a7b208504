#include "core/charts/chart_files.h"

#include "core/charts/chart_collection.h"
#include "core/charts/memo_file.h"
#include "core/config/program_settings.h"
#include "core/util/folder_lock.h"
#include "core/util/files.h"
#include "core/util/messages.h"
#include "core/util/records.h"
#include "core/util/text.h"

namespace korvana {

namespace {

const char* const NotAChartFile = "Not a valid chart file";
const char* const NotSaved = "Chart could not be saved.";

int FormatOfData(std::string_view data) {
  if (data.size() < 2) return ChartFormatHeaderless;
  const auto v = static_cast<std::int16_t>(static_cast<unsigned char>(data[0]) |
                                           (static_cast<unsigned char>(data[1]) << 8));
  return v == 1 || v == 2 || v == 3 ? static_cast<int>(v) : static_cast<int>(ChartFormatHeaderless);
}

std::size_t RecordSizeOf(int format) {
  switch (format) {
    case ChartFormatOwn: return OwnRecordSize;
    case ChartFormatWide: return WideRecordSize;
    default: return HeaderlessRecordSize;
  }
}

bool HasHeaderRecord(int format) { return format == ChartFormatOwn || format == ChartFormatWide; }

// The offset of chart index (from 1) in an own, wide or headerless file.
std::size_t RecordOffset(int format, int index) {
  return static_cast<std::size_t>(HasHeaderRecord(format) ? index : index - 1) * RecordSizeOf(format);
}

std::string TitleOf(std::string_view titleField) {
  std::string title(Trim(TitleFromField(titleField)));
  return title.empty() ? "(No title)" : title;
}

std::string ReadWholeFile(const std::string& path) {
  auto data = ReadFileBytes(path);
  if (!data) throw EChartFileError(NotAChartFile);
  return std::move(*data);
}

StoredChart ChartFromRecord(int format, std::string_view record, const ProgramSettings& settings) {
  const float svp = static_cast<float>(settings.UserSVP);
  switch (format) {
    case ChartFormatOwn:
      return ChartFromOwnRecord(record, settings);
    case ChartFormatWide:
    case ChartFormatCollection:
      return ChartFromOwnRecord(OwnFromWide(record), settings);
    default:
      return ChartFromOwnRecord(OwnFromHeaderless(record, svp), settings);
  }
}

// The record of a chart in the layout of the target format.
std::string RecordForFormat(int format, const ChartRecord& chart, int houseSystem, float svp,
                            std::int32_t memo) {
  const std::string own = OwnRecordFromChart(chart, houseSystem, svp, memo);
  switch (format) {
    case ChartFormatOwn: return own;
    case ChartFormatWide:
    case ChartFormatCollection: return WideFromOwn(own);
    default: return HeaderlessFromOwn(own);
  }
}

void CheckIndex(int index, int count) {
  if (index < 1 || index > count)
    throw EChartFileError("There is no chart " + std::to_string(index) + " in this chart file (it holds " +
                         std::to_string(count) + (count == 1 ? " chart)" : " charts)"));
}

// The bytes of a record file up to its header and `count` charts (a cut-off tail dropped).
std::string_view RecordPrefix(std::string_view data, int format, int count) {
  return data.substr(0, RecordOffset(format, count + 1));
}

std::int32_t MemoFieldOf(std::string_view record, int format) {
  const std::size_t at = format == ChartFormatOwn ? OwnMemoOffset : WideMemoOffset;
  ByteReader r(record);
  r.Seek(at);
  return r.I32();
}

// The memo of every chart of an own or wide record file.
std::vector<std::int32_t> MemoChainsOf(std::string_view data, const ChartFileDescription& info) {
  std::vector<std::int32_t> chains;
  for (int i = 1; i <= info.count; ++i)
    chains.push_back(MemoFieldOf(data.substr(RecordOffset(info.format, i), RecordSizeOf(info.format)), info.format));
  return chains;
}

// The chains of a memo file in use, when this chart file alone can be served by it: the
// memo file's name is the chart file's with ".chm", so another file of the same name but
// for its extension could use it as well, and its records must then stay as they are.
std::optional<std::vector<std::int32_t>> MemoChainsInUse(const std::string& path, std::string_view data,
                                                         const ChartFileDescription& info) {
  const std::string memoName = NameOf(MemoPathFor(path));
  for (const std::string& name : ListFiles(FolderOf(path), BaseNameOf(path) + ".*"))
    if (name != NameOf(path) && name != memoName) return std::nullopt;
  return MemoChainsOf(data, info);
}

}  // namespace

std::string_view ChartFormatName(int format) {
  switch (format) {
    case ChartFormatOwn: return "own records";
    case ChartFormatWide: return "wide records";
    case ChartFormatCollection: return "collection";
    case ChartFormatHeaderless: return "headerless";
    default: return "not a chart file";
  }
}

ChartFileDescription DescribeChartData(std::string_view data) {
  ChartFileDescription info;
  const int format = FormatOfData(data);
  if (format == ChartFormatHeaderless) {
    info.format = format;
    info.count = static_cast<int>(std::min<std::size_t>(data.size() / HeaderlessRecordSize, 0x7FFFFFFF));
    info.title = "EM2 Chart File: " + std::to_string(info.count) + " Charts";
    return info;
  }
  if (format == ChartFormatCollection) {
    if (data.size() < CollectionHeaderSize) return info;
    ByteReader r(data);
    r.Seek(2 + TitleFieldSize);
    info.count = std::max<std::int32_t>(r.I32(), 0);
  } else {
    if (data.size() < RecordSizeOf(format)) return info;
    info.count = static_cast<int>(std::min<std::size_t>(data.size() / RecordSizeOf(format) - 1, 0x7FFFFFFF));
  }
  info.format = format;
  info.title = TitleOf(data.substr(2, TitleFieldSize));
  return info;
}

ChartFileDescription ChartFileInfo(const std::string& path) {
  auto data = ReadFileBytes(path);
  if (!data) return ChartFileDescription{};
  return DescribeChartData(*data);
}

StoredChart DecodeChart(std::string_view data, int format, int index, const ProgramSettings& settings) {
  if (format == ChartFormatCollection) {
    TEM6ChartCollection collection = ParseCollection(data);
    CheckIndex(index, static_cast<int>(collection.charts.size()));
    return ChartFromRecord(format, collection.charts[static_cast<std::size_t>(index - 1)].record, settings);
  }
  if (format != ChartFormatOwn && format != ChartFormatWide) format = ChartFormatHeaderless;
  if (FormatOfData(data) != format) throw EChartFileError(NotAChartFile);
  const ChartFileDescription info = DescribeChartData(data);
  if (info.format != format) throw EChartFileError(NotAChartFile);
  CheckIndex(index, info.count);
  return ChartFromRecord(format, data.substr(RecordOffset(format, index), RecordSizeOf(format)), settings);
}

StoredChart ReadChart(const std::string& path, int format, int index, ProgramSettings& settings) {
  const std::string data = ReadWholeFile(path);
  StoredChart stored;
  if (format == ChartFormatCollection) {
    try {
      stored = DecodeChart(data, format, index, settings);
    } catch (const EChartFileError& e) {
      throw EChartFileError("Error when attempting to read from chart file: " + path + "\r\n" + e.what());
    }
  } else {
    stored = DecodeChart(data, format, index, settings);
  }
  if (format == ChartFormatOwn || format == ChartFormatWide || format == ChartFormatCollection)
    settings.UserSVP = stored.userSvp;
  return stored;
}

std::vector<StoredChart> DecodeAllCharts(std::string_view data, const ProgramSettings& settings) {
  const ChartFileDescription info = DescribeChartData(data);
  std::vector<StoredChart> charts;
  if (info.format == ChartFormatInvalid) throw EChartFileError(NotAChartFile);
  if (info.format == ChartFormatCollection) {
    const TEM6ChartCollection collection = ParseCollection(data);
    for (const TEM6Chart& chart : collection.charts)
      charts.push_back(ChartFromRecord(info.format, chart.record, settings));
    return charts;
  }
  charts.reserve(static_cast<std::size_t>(info.count));
  for (int i = 1; i <= info.count; ++i)
    charts.push_back(ChartFromRecord(
        info.format, data.substr(RecordOffset(info.format, i), RecordSizeOf(info.format)), settings));
  return charts;
}

std::vector<StoredChart> ReadAllCharts(const std::string& path, const ProgramSettings& settings) {
  const std::string data = ReadWholeFile(path);
  if (FormatOfData(data) != ChartFormatCollection) return DecodeAllCharts(data, settings);
  try {
    return DecodeAllCharts(data, settings);
  } catch (const EChartFileError& e) {
    throw EChartFileError("Error when attempting to read from chart file: " + path + "\r\n" + e.what());
  }
}

std::vector<ChartListEntry> ListCharts(const std::string& path, const ProgramSettings& settings) {
  const std::string data = ReadWholeFile(path);
  const ChartFileDescription info = DescribeChartData(data);
  if (info.format == ChartFormatInvalid) throw EChartFileError(NotAChartFile);
  std::vector<std::string_view> records;
  TEM6ChartCollection collection;
  if (info.format == ChartFormatCollection) {
    try {
      collection = ParseCollection(data);
    } catch (const EChartFileError& e) {
      throw EChartFileError("Error when attempting to read from chart file: " + path + "\r\n" + e.what());
    }
    for (const TEM6Chart& chart : collection.charts) records.push_back(chart.record);
  } else {
    for (int i = 1; i <= info.count; ++i)
      records.push_back(std::string_view(data).substr(RecordOffset(info.format, i), RecordSizeOf(info.format)));
  }
  std::vector<ChartListEntry> entries;
  entries.reserve(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    ChartListEntry entry;
    entry.index = static_cast<int>(i + 1);
    try {
      entry.chart = ChartFromRecord(info.format, records[i], settings);
    } catch (const EChartFileError& e) {
      entry.error = e.what();
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::optional<int> AppendChart(const std::string& path, const ChartRecord& chart, int houseSystem,
                               const ProgramSettings& settings, Messages& messages) {
  try {
    const FolderWriteLock lock(path);
    if (!lock.Locked()) throw EChartFileError(FolderBusyMessage);
    auto data = ReadFileBytes(path);
    if (!data) throw EChartFileError(NotAChartFile);
    const ChartFileDescription info = DescribeChartData(*data);
    if (info.format == ChartFormatInvalid) throw EChartFileError(NotAChartFile);
    const float svp = static_cast<float>(settings.UserSVP);
    const std::string record = RecordForFormat(info.format, chart, houseSystem, svp, 0);
    int number = 0;
    if (info.format == ChartFormatCollection) {
      TEM6ChartCollection collection = ParseCollection(*data);
      collection.charts.push_back(TEM6Chart{record, {}, {}});
      number = static_cast<int>(collection.charts.size());
      WriteCollection(path, collection);
    } else {
      std::string out(RecordPrefix(*data, info.format, info.count));
      out += record;
      number = info.count + 1;
      if (!WriteFileAtomic(path, out)) throw EChartFileError(NotSaved);
    }
    messages.Information("Chart was saved to file: " + path);
    return number;
  } catch (const EChartFileError& e) {
    // A busy file is worth saying: trying again in a moment will do.
    const bool busy = std::string_view(e.what()) == FolderBusyMessage;
    messages.Error(busy ? std::string(NotSaved) + "\r\n\r\n" + FolderBusyMessage : std::string(NotSaved));
    return std::nullopt;
  }
}

bool CreateChartFile(const std::string& path, Messages& messages, std::string_view title) {
  if (FileExists(path) || FolderExists(path)) {
    messages.Error("Cannot create this file because it already exists.");
    return false;
  }
  std::string data;
  const std::string ext = ExtensionOf(path);
  if (EqualsNoCase(ext, ".cht")) {
    data = OwnFileHeader(title);
  } else if (EqualsNoCase(ext, ".EMcht")) {
    data = CollectionHeader(title, 0);
  } else {
    messages.Error("A chart file's name must end in \".cht\" or \".EMcht\".");
    return false;
  }
  if (!WriteFileAtomic(path, data)) {
    messages.Error("The chart file " + path + " could not be created.");
    return false;
  }
  return true;
}

bool SetFileTitle(const std::string& path, std::string_view title) {
  const FolderWriteLock lock(path);
  if (!lock.Locked()) return false;
  auto data = ReadFileBytes(path);
  if (!data) return false;
  const ChartFileDescription info = DescribeChartData(*data);
  if (info.format != ChartFormatOwn && info.format != ChartFormatWide && info.format != ChartFormatCollection)
    return false;
  data->replace(2, TitleFieldSize, TitleField(title));
  return WriteFileAtomic(path, *data);
}

bool TruncateChartFile(const std::string& path, int format, int keepCount) {
  const FolderWriteLock lock(path);
  if (!lock.Locked()) return false;
  auto data = ReadFileBytes(path);
  if (!data || keepCount < 0) return false;
  const ChartFileDescription info = DescribeChartData(*data);
  if (format != ChartFormatOwn && format != ChartFormatWide && format != ChartFormatCollection)
    format = ChartFormatHeaderless;
  if (info.format == ChartFormatInvalid || info.format != format) return false;
  if (keepCount > info.count) return false;
  if (info.format == ChartFormatCollection) {
    try {
      TEM6ChartCollection collection = ParseCollection(*data);
      if (static_cast<std::size_t>(keepCount) > collection.charts.size()) return false;
      collection.charts.resize(static_cast<std::size_t>(keepCount));
      WriteCollection(path, collection);
      return true;
    } catch (const EChartFileError&) {
      return false;
    }
  }
  return WriteFileAtomic(path, RecordPrefix(*data, info.format, keepCount));
}

bool DeleteChart(const std::string& path, int index, Messages& messages) {
  try {
    const FolderWriteLock lock(path);
    if (!lock.Locked()) throw EChartFileError(FolderBusyMessage);
    const std::string data = ReadWholeFile(path);
    const ChartFileDescription info = DescribeChartData(data);
    if (info.format == ChartFormatInvalid) throw EChartFileError(NotAChartFile);
    if (info.format == ChartFormatCollection) {
      TEM6ChartCollection collection = ReadCollection(path);
      CheckIndex(index, static_cast<int>(collection.charts.size()));
      collection.charts.erase(collection.charts.begin() + (index - 1));
      WriteCollection(path, collection);
      return true;
    }
    CheckIndex(index, info.count);
    const std::size_t size = RecordSizeOf(info.format);
    const std::string_view deleted = std::string_view(data).substr(RecordOffset(info.format, index), size);
    const std::int32_t memo = info.format == ChartFormatHeaderless ? 0 : MemoFieldOf(deleted, info.format);
    std::string out(RecordPrefix(data, info.format, index - 1));
    out += RecordPrefix(data, info.format, info.count).substr(RecordOffset(info.format, index + 1));
    if (!WriteFileAtomic(path, out)) throw EChartFileError("The chart file " + path + " could not be written.");
    // The memo records are freed only after the chart is gone: a failure here leaves
    // unused records behind, never a chart pointing at freed ones. The next change of
    // the memo file gives such records back.
    SilentMessages quiet;
    if (memo > 1) {
      ChartFileDescription remaining = info;
      remaining.count = info.count - 1;
      std::optional<std::vector<std::int32_t>> inUse = MemoChainsInUse(path, out, remaining);
      if (inUse) inUse->push_back(memo);
      WriteMemo(MemoPathFor(path), memo, "", quiet, inUse ? &*inUse : nullptr);
    }
    return true;
  } catch (const EChartFileError& e) {
    messages.Error(e.what());
    return false;
  }
}

std::optional<std::string> ReadChartMemo(const std::string& path, int index) {
  const std::string data = ReadWholeFile(path);
  const ChartFileDescription info = DescribeChartData(data);
  switch (info.format) {
    case ChartFormatInvalid:
      throw EChartFileError(NotAChartFile);
    case ChartFormatHeaderless:
      return std::nullopt;
    case ChartFormatCollection: {
      TEM6ChartCollection collection;
      try {
        collection = ParseCollection(data);
      } catch (const EChartFileError& e) {
        throw EChartFileError("Error when attempting to read from chart file: " + path + "\r\n" + e.what());
      }
      CheckIndex(index, static_cast<int>(collection.charts.size()));
      return ChartMemoText(collection.charts[static_cast<std::size_t>(index - 1)]);
    }
    default: {
      CheckIndex(index, info.count);
      const std::string_view record =
          std::string_view(data).substr(RecordOffset(info.format, index), RecordSizeOf(info.format));
      return ReadMemo(MemoPathFor(path), MemoFieldOf(record, info.format));
    }
  }
}

bool SetChartMemo(const std::string& path, int index, std::string_view text, Messages& messages) {
  try {
    const FolderWriteLock lock(path);
    if (!lock.Locked()) throw EChartFileError(FolderBusyMessage);
    std::string data = ReadWholeFile(path);
    const ChartFileDescription info = DescribeChartData(data);
    if (info.format == ChartFormatInvalid) throw EChartFileError(NotAChartFile);
    if (info.format == ChartFormatHeaderless)
      throw EChartFileError("(EMv2 chart file cannot contain comments)");
    if (info.format == ChartFormatCollection) {
      TEM6ChartCollection collection = ReadCollection(path);
      CheckIndex(index, static_cast<int>(collection.charts.size()));
      SetChartMemoText(collection.charts[static_cast<std::size_t>(index - 1)], text);
      WriteCollection(path, collection);
      return true;
    }
    CheckIndex(index, info.count);
    const std::size_t at = RecordOffset(info.format, index);
    const std::int32_t oldFirst = MemoFieldOf(std::string_view(data).substr(at, RecordSizeOf(info.format)), info.format);
    const std::string memoPath = MemoPathFor(path);
    // New text first, then the record, then the old chain freed (see the header).
    std::int32_t newFirst = 0;
    if (!text.empty()) {
      const auto inUse = MemoChainsInUse(path, data, info);
      auto written = WriteMemo(memoPath, 0, text, messages, inUse ? &*inUse : nullptr);
      if (!written) return false;
      newFirst = *written;
    }
    PatchI32(data, at + (info.format == ChartFormatOwn ? OwnMemoOffset : WideMemoOffset), newFirst);
    if (!WriteFileAtomic(path, data)) throw EChartFileError("The chart file " + path + " could not be written.");
    // A damaged old chain stays where it is; the chart already shows its new text.
    SilentMessages quiet;
    if (oldFirst > 1) WriteMemo(memoPath, oldFirst, "", quiet);
    return true;
  } catch (const EChartFileError& e) {
    messages.Error(e.what());
    return false;
  }
}

}  // namespace korvana
