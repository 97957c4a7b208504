#include "core/charts/chart_files.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <set>

#include <gtest/gtest.h>

#include "chart_fixtures.h"
#include "core/charts/chart_collection.h"
#include "core/charts/memo_file.h"
#include "core/config/program_settings.h"
#include "core/util/files.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::LimaReturn;
using testing::RecordingMessages;
using testing::SydneyChart;
using testing::TempFolder;

class ChartFiles : public ::testing::Test {
 protected:
  TempFolder temp;
  ProgramSettings settings;
  RecordingMessages messages;

  std::string OwnRecord(const ChartRecord& c) { return OwnRecordFromChart(c, 5, 0.0f, 0); }

  // An own-format file holding the given charts.
  std::string OwnFile(const std::string& name, std::initializer_list<ChartRecord> charts,
                      std::string_view title = "Test charts") {
    std::string data = OwnFileHeader(title);
    for (const auto& c : charts) data += OwnRecord(c);
    return temp.Write(name, data);
  }
  std::string HeaderlessFile(const std::string& name, std::initializer_list<ChartRecord> charts) {
    std::string data;
    for (const auto& c : charts) data += HeaderlessFromOwn(OwnRecord(c));
    return temp.Write(name, data);
  }
  std::string WideFile(const std::string& name, std::initializer_list<ChartRecord> charts) {
    std::string data = WideFileHeader("Wide charts");
    for (const auto& c : charts) data += WideFromOwn(OwnRecord(c));
    return temp.Write(name, data);
  }
};

// --- Describing files

TEST_F(ChartFiles, HeaderOnlyFileHasNoChartsAndItsTitle) {
  const std::string path = temp.Write("a.cht", OwnFileHeader("  My family  "));
  const ChartFileDescription info = ChartFileInfo(path);
  EXPECT_EQ(info.format, ChartFormatOwn);
  EXPECT_EQ(info.count, 0);
  EXPECT_EQ(info.title, "My family");
  const std::string untitled = temp.Write("b.cht", OwnFileHeader("   "));
  EXPECT_EQ(ChartFileInfo(untitled).title, "(No title)");
  const std::string wide = temp.Write("c.cht", WideFileHeader(""));
  EXPECT_EQ(ChartFileInfo(wide).format, ChartFormatWide);
  EXPECT_EQ(ChartFileInfo(wide).title, "(No title)");
}

TEST_F(ChartFiles, HeaderlessFileIsDescribedByItsRecordCount) {
  const std::string path = temp.Write("old.cht", std::string(230, 'x'));
  const ChartFileDescription info = ChartFileInfo(path);
  EXPECT_EQ(info.format, ChartFormatHeaderless);
  EXPECT_EQ(info.count, 2);
  EXPECT_EQ(info.title, "EM2 Chart File: 2 Charts");
  EXPECT_EQ(DescribeChartData("x").format, ChartFormatHeaderless);  // too short for a version
}

TEST_F(ChartFiles, UnreadableOrCutShortFilesAreNotChartFiles) {
  for (const std::string& path : {temp / "missing.cht", temp.Path(),
                                  temp.Write("short.cht", OwnFileHeader("t").substr(0, 60)),
                                  temp.Write("short.EMcht", CollectionHeader("t", 0).substr(0, 50))}) {
    const ChartFileDescription info = ChartFileInfo(path);
    EXPECT_EQ(info.format, ChartFormatInvalid) << path;
    EXPECT_EQ(info.count, 0);
    EXPECT_EQ(info.title, "Not a valid chart file");
  }
}

// --- Reading

TEST_F(ChartFiles, FirstChartOfAnOwnFileIsBytes110To219) {
  std::string data = OwnFileHeader("t") + OwnRecord(SydneyChart(settings)) + OwnRecord(LimaReturn(settings));
  StoredChart first = DecodeChart(data, ChartFormatOwn, 1, settings);
  EXPECT_EQ(first.chart.Name, "Test Sydney");
  data[220 + 5] = 'X';   // the second chart's name
  data[109] = '\x7F';    // the header's last byte
  EXPECT_EQ(DecodeChart(data, ChartFormatOwn, 1, settings), first);
  data[110 + 5] = 'Y';   // the first chart's name
  EXPECT_EQ(DecodeChart(data, ChartFormatOwn, 1, settings).chart.Name, "Yest Sydney");
  data[219] = 5;         // the last byte of chart 1: memo number's high byte
  EXPECT_NE(DecodeChart(data, ChartFormatOwn, 1, settings).memoRecord, 0);
}

TEST_F(ChartFiles, FirstChartOfAHeaderlessFileIsBytes0To114) {
  std::string data = HeaderlessFromOwn(OwnRecord(SydneyChart(settings))) + HeaderlessFromOwn(OwnRecord(LimaReturn(settings)));
  StoredChart first = DecodeChart(data, ChartFormatHeaderless, 1, settings);
  EXPECT_EQ(first.chart.Name, "Test Sydney");
  data[115] = 'Q';
  EXPECT_EQ(DecodeChart(data, ChartFormatHeaderless, 1, settings), first);
  EXPECT_EQ(DecodeChart(data, ChartFormatHeaderless, 2, settings).chart.Name, "Qima phase return");
  data[114] = 1;  // style's high byte of chart 1 changes how its minutes read: still chart 1's bytes
  EXPECT_EQ(DecodeChart(data, ChartFormatHeaderless, 1, settings).chart.Name, "Test Sydney");
}

TEST_F(ChartFiles, ChartNumbersOutsideTheFileAreErrors) {
  const std::string path = OwnFile("two.cht", {SydneyChart(settings), LimaReturn(settings)});
  EXPECT_THROW(ReadChart(path, ChartFormatOwn, 0, settings), EChartFileError);
  EXPECT_THROW(ReadChart(path, ChartFormatOwn, 3, settings), EChartFileError);
  EXPECT_THROW(ReadChart(path, ChartFormatWide, 1, settings), EChartFileError);  // wrong format
  EXPECT_THROW(ReadChart(temp / "none.cht", ChartFormatOwn, 1, settings), EChartFileError);
  // A cut-off last record does not count as a chart.
  std::string data = temp.Read("two.cht");
  const std::string cut = temp.Write("cut.cht", data.substr(0, data.size() - 1));
  EXPECT_EQ(ChartFileInfo(cut).count, 1);
  EXPECT_THROW(ReadChart(cut, ChartFormatOwn, 2, settings), EChartFileError);
  EXPECT_EQ(ReadChart(cut, ChartFormatOwn, 1, settings).chart.Name, "Test Sydney");
}

TEST_F(ChartFiles, ReadingAChartSetsTheUserSiderealOffset) {
  std::string data = OwnFileHeader("t") + OwnRecordFromChart(SydneyChart(settings), 5, 24.5f, 0);
  const std::string path = temp.Write("svp.cht", data);
  settings.UserSVP = 3.0;
  ReadChart(path, ChartFormatOwn, 1, settings);
  EXPECT_DOUBLE_EQ(settings.UserSVP, 24.5);
  // The headerless format holds none and leaves the setting alone.
  const std::string old = HeaderlessFile("old.cht", {SydneyChart(settings)});
  ReadChart(old, ChartFormatHeaderless, 1, settings);
  EXPECT_DOUBLE_EQ(settings.UserSVP, 24.5);
}

// --- Writing: every format reads back what was appended

TEST_F(ChartFiles, AppendedChartsReadBackEqualInEveryFormat) {
  const std::string own = OwnFile("own.cht", {});
  const std::string wide = WideFile("wide.cht", {});
  const std::string headerless = temp.Write("em2.cht", "");
  const std::string collection = temp / "set.EMcht";
  ASSERT_TRUE(CreateChartFile(collection, messages));
  for (const ChartRecord& original : {SydneyChart(settings), LimaReturn(settings)}) {
    for (const std::string& path : {own, wide, headerless, collection}) {
      messages.messages.clear();
      const ChartFileDescription before = ChartFileInfo(path);
      auto number = AppendChart(path, original, 11, settings, messages);
      ASSERT_TRUE(number.has_value()) << path;
      EXPECT_EQ(*number, before.count + 1);
      EXPECT_EQ(messages.Only(), "Chart was saved to file: " + path);
      const ChartFileDescription after = ChartFileInfo(path);
      EXPECT_EQ(after.count, before.count + 1);
      const StoredChart back = ReadChart(path, after.format, *number, settings);
      ChartRecord expected = original;
      // What the headerless layout cannot hold: the event kind and the type parameter.
      if (after.format == ChartFormatHeaderless) {
        expected.EventKind = 0;
        expected.ChartTypeParam = 0;
      }
      EXPECT_EQ(back.chart, expected) << path;
      EXPECT_EQ(back.houseSystem, 11);
    }
  }
}

// Runs `work(w)` for w = 0 and 1 in two processes at once; each must succeed.
void RunTwoWritersAtOnce(const std::function<bool(int)>& work) {
  std::vector<pid_t> writers;
  for (int w = 0; w < 2; ++w) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) ::_exit(work(w) ? 0 : 1);
    writers.push_back(pid);
  }
  for (const pid_t pid : writers) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
}

// Programs changing one chart file at once take turns: every chart added by either is
// there, each under its own number, and memos set on different charts stay their own.
TEST_F(ChartFiles, TwoWritersAtOnceLoseNothing) {
  const std::string own = OwnFile("own.cht", {});
  constexpr int PerWriter = 25;
  RunTwoWritersAtOnce([&](int w) {
    RecordingMessages quiet;
    ChartRecord c = SydneyChart(settings);
    bool ok = true;
    for (int k = 0; k < PerWriter; ++k) {
      c.Name = "Writer " + std::to_string(w) + " chart " + std::to_string(k);
      ok = AppendChart(own, c, 5, settings, quiet).has_value() && ok;
    }
    return ok;
  });
  const std::vector<StoredChart> charts = ReadAllCharts(own, settings);
  ASSERT_EQ(charts.size(), 2u * PerWriter);
  std::set<std::string> names;
  for (const StoredChart& s : charts) names.insert(s.chart.Name);
  EXPECT_EQ(names.size(), 2u * PerWriter) << "each chart once";

  // Two writers setting the memos of different charts.
  RunTwoWritersAtOnce([&](int w) {
    RecordingMessages quiet;
    bool ok = true;
    for (int k = 0; k < 10; ++k)
      ok = SetChartMemo(own, 1 + w, "Memo of chart " + std::to_string(1 + w) + " take " + std::to_string(k), quiet) && ok;
    return ok;
  });
  EXPECT_EQ(ReadChartMemo(own, 1), "Memo of chart 1 take 9");
  EXPECT_EQ(ReadChartMemo(own, 2), "Memo of chart 2 take 9");
}

TEST_F(ChartFiles, AppendingToACollectionKeepsTheOtherChartsByteForByte) {
  // A collection with events and memos written by another program.
  TEM6ChartCollection c;
  c.titleField = TitleField("Clients");
  for (const ChartRecord& chart : {SydneyChart(settings), LimaReturn(settings)}) {
    TEM6Chart entry{WideFromOwn(OwnRecord(chart)), {}, "A memo\r\nof two lines"};
    entry.record[230] = '\x5A';  // bytes the program never reads stay as they were
    entry.events.push_back({HeaderlessFromOwn(OwnRecord(chart)), "Event memo"});
    entry.events.push_back({HeaderlessFromOwn(OwnRecord(chart)), ""});
    c.charts.push_back(entry);
  }
  const std::string original = SerializeCollection(c);
  const std::string path = temp.Write("clients.EMcht", original);
  ASSERT_TRUE(AppendChart(path, SydneyChart(settings), 5, settings, messages).has_value());
  const std::string after = temp.Read("clients.EMcht");
  // Same header apart from the count, same charts, then the new chart with no events and
  // an empty memo.
  EXPECT_EQ(after.substr(0, 82), original.substr(0, 82));
  EXPECT_EQ(after.substr(82, 4), std::string("\x03\0\0\0", 4));
  EXPECT_EQ(after.substr(86, original.size() - 86), original.substr(86));
  EXPECT_EQ(after.size(), original.size() + 292 + 4 + 4);
  EXPECT_EQ(after.substr(after.size() - 8), std::string(8, '\0'));
  EXPECT_EQ(ChartFileInfo(path).count, 3);
}

TEST_F(ChartFiles, AFailedAppendLeavesTheFileAsItWas) {
  const std::string path = OwnFile("keep.cht", {SydneyChart(settings)});
  const std::string before = temp.Read("keep.cht");
  ChartRecord bad = SydneyChart(settings);
  bad.ChartType = 1000;  // does not fit the record
  EXPECT_FALSE(AppendChart(path, bad, 5, settings, messages).has_value());
  EXPECT_EQ(messages.Only(), "Chart could not be saved.");
  EXPECT_EQ(temp.Read("keep.cht"), before);

  // A collection whose body is damaged is not rewritten.
  const std::string damaged = temp.Write("bad.EMcht", CollectionHeader("x", 5));
  messages.messages.clear();
  EXPECT_FALSE(AppendChart(damaged, SydneyChart(settings), 5, settings, messages).has_value());
  EXPECT_EQ(messages.Only(), "Chart could not be saved.");
  EXPECT_EQ(temp.Read("bad.EMcht"), CollectionHeader("x", 5));

  messages.messages.clear();
  EXPECT_FALSE(AppendChart(temp / "absent.cht", SydneyChart(settings), 5, settings, messages).has_value());
  EXPECT_FALSE(FileExists(temp / "absent.cht"));
}

// Files larger than `bytes` cannot be written while this lives (the process file size
// limit binds every user, the superuser included).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  rlimit saved_{};
  void (*previous_)(int) = nullptr;
};

TEST_F(ChartFiles, AFailedWriteLeavesTheFileAsItWas) {
  const std::string path = OwnFile("keep.cht", {SydneyChart(settings), LimaReturn(settings)});
  const std::string before = temp.Read("keep.cht");
  const std::string set = temp / "set.EMcht";
  ASSERT_TRUE(CreateChartFile(set, messages));
  ASSERT_TRUE(AppendChart(set, SydneyChart(settings), 5, settings, messages));
  const std::string setBefore = temp.Read("set.EMcht");
  messages.messages.clear();
  {
    FileSizeLimit limit(300);
    EXPECT_FALSE(AppendChart(path, LimaReturn(settings), 5, settings, messages).has_value());
    EXPECT_EQ(messages.Only(), "Chart could not be saved.");
    EXPECT_FALSE(SetFileTitle(path, "New"));
    EXPECT_FALSE(SetChartMemo(path, 1, std::string(400, 'm'), messages));
    EXPECT_FALSE(AppendChart(set, LimaReturn(settings), 5, settings, messages).has_value());
  }
  EXPECT_EQ(temp.Read("keep.cht"), before);
  EXPECT_EQ(temp.Read("set.EMcht"), setBefore);
  EXPECT_EQ(ReadChartMemo(path, 1), "");
  EXPECT_EQ(ListFiles(temp.Path(), "*work*").size(), 0u);  // no work files left behind
}

TEST_F(ChartFiles, CreatingFiles) {
  const std::string own = temp / "new.cht";
  ASSERT_TRUE(CreateChartFile(own, messages));
  EXPECT_EQ(temp.Read("new.cht"), OwnFileHeader("New chart file"));
  const ChartFileDescription info = ChartFileInfo(own);
  EXPECT_EQ(info.format, ChartFormatOwn);
  EXPECT_EQ(info.title, "New chart file");
  EXPECT_EQ(info.count, 0);

  const std::string collection = temp / "new.EMcht";
  ASSERT_TRUE(CreateChartFile(collection, messages, "Clients"));
  EXPECT_EQ(temp.Read("new.EMcht"), CollectionHeader("Clients", 0));
  EXPECT_TRUE(messages.Empty());

  temp.Write("keep.cht", "precious");
  EXPECT_FALSE(CreateChartFile(temp / "keep.cht", messages));
  EXPECT_EQ(messages.Only(), "Cannot create this file because it already exists.");
  EXPECT_EQ(temp.Read("keep.cht"), "precious");
  EXPECT_FALSE(CreateChartFile(temp / "notes.txt", messages));
  EXPECT_FALSE(FileExists(temp / "notes.txt"));
}

TEST_F(ChartFiles, SettingTheTitle) {
  const std::string own = OwnFile("own.cht", {SydneyChart(settings)});
  const std::string before = temp.Read("own.cht");
  ASSERT_TRUE(SetFileTitle(own, "Renamed"));
  const std::string after = temp.Read("own.cht");
  EXPECT_EQ(ChartFileInfo(own).title, "Renamed");
  EXPECT_EQ(after.substr(82), before.substr(82));
  const std::string collection = temp / "c.EMcht";
  ASSERT_TRUE(CreateChartFile(collection, messages));
  ASSERT_TRUE(SetFileTitle(collection, "Clients"));
  EXPECT_EQ(ChartFileInfo(collection).title, "Clients");
  const std::string headerless = HeaderlessFile("old.cht", {SydneyChart(settings)});
  EXPECT_FALSE(SetFileTitle(headerless, "No header"));
}

TEST_F(ChartFiles, TruncatingFiles) {
  const std::string own = OwnFile("own.cht", {SydneyChart(settings), LimaReturn(settings), SydneyChart(settings)});
  ASSERT_TRUE(TruncateChartFile(own, ChartFormatOwn, 1));
  EXPECT_EQ(temp.Read("own.cht").size(), 220u);
  EXPECT_FALSE(TruncateChartFile(own, ChartFormatOwn, 2));
  const std::string em = HeaderlessFile("em.cht", {SydneyChart(settings), LimaReturn(settings)});
  ASSERT_TRUE(TruncateChartFile(em, ChartFormatHeaderless, 1));
  EXPECT_EQ(temp.Read("em.cht").size(), 115u);
  const std::string set = temp / "set.EMcht";
  ASSERT_TRUE(CreateChartFile(set, messages));
  AppendChart(set, SydneyChart(settings), 5, settings, messages);
  AppendChart(set, LimaReturn(settings), 5, settings, messages);
  ASSERT_TRUE(TruncateChartFile(set, ChartFormatCollection, 1));
  EXPECT_EQ(ChartFileInfo(set).count, 1);
  EXPECT_EQ(ReadChart(set, ChartFormatCollection, 1, settings).chart.Name, "Test Sydney");
}

// --- Deleting charts and memos

TEST_F(ChartFiles, DeletingTheMiddleChartMovesTheLaterOnesDownWithTheirMemos) {
  ChartRecord a = SydneyChart(settings), b = LimaReturn(settings), c = SydneyChart(settings);
  c.Name = "Third";
  const std::string path = OwnFile("three.cht", {a, b, c});
  ASSERT_TRUE(SetChartMemo(path, 2, "Memo of the second chart, which is long enough for two records", messages));
  ASSERT_TRUE(SetChartMemo(path, 3, "Memo of the third", messages));
  const std::string thirdRecord = temp.Read("three.cht").substr(330, 110);
  ASSERT_TRUE(DeleteChart(path, 2, messages)) << messages.Only();
  EXPECT_EQ(ChartFileInfo(path).count, 2);
  const std::string after = temp.Read("three.cht");
  EXPECT_EQ(after.size(), 330u);
  EXPECT_EQ(after.substr(220, 110), thirdRecord);  // moved unchanged
  EXPECT_EQ(ReadChartMemo(path, 2), "Memo of the third");
  // The deleted chart's records are free again and are used for the next memo.
  ASSERT_TRUE(SetChartMemo(path, 1, "Reuses freed records", messages));
  // Header, 3 records of the deleted memo (freed, one reused), 1 of the third chart's.
  EXPECT_EQ(temp.Read("three.chm").size(), 5u * 32);
  EXPECT_EQ(ReadChartMemo(path, 2), "Memo of the third");
  EXPECT_EQ(ReadChartMemo(path, 1), "Reuses freed records");
}

TEST_F(ChartFiles, MemoRecordsAnInterruptedChangeLeftAreReusedOnlyWhenNoOtherFileCanShareThem) {
  for (const bool sibling : {false, true}) {
    TempFolder folder;
    if (sibling) folder.Write("family.old", "another file whose memos would be family.chm too");
    ChartRecord a = SydneyChart(settings), b = LimaReturn(settings);
    const std::string path = folder.Write("family.cht", OwnFileHeader("t") + OwnRecord(a) + OwnRecord(b));
    ASSERT_TRUE(SetChartMemo(path, 1, "The first chart's memo", messages));
    // A memo written for the second chart by a change that was killed before the chart
    // file pointed at it.
    ASSERT_TRUE(WriteMemo(folder / "family.chm", 0, "Orphaned memo text of some length", messages));
    const std::size_t size = folder.Read("family.chm").size();
    ASSERT_TRUE(SetChartMemo(path, 2, "The second chart's memo, again", messages)) << messages.Only();
    EXPECT_EQ(folder.Read("family.chm").size() > size, sibling) << "sibling " << sibling;
    EXPECT_EQ(ReadChartMemo(path, 1), "The first chart's memo");
    EXPECT_EQ(ReadChartMemo(path, 2), "The second chart's memo, again");
    // A deleted chart's memo is freed with the same care.
    ASSERT_TRUE(DeleteChart(path, 1, messages));
    EXPECT_EQ(ReadChartMemo(path, 1), "The second chart's memo, again");
  }
}

TEST_F(ChartFiles, DeletingFromEveryFormat) {
  const std::string em = HeaderlessFile("em.cht", {SydneyChart(settings), LimaReturn(settings)});
  ASSERT_TRUE(DeleteChart(em, 1, messages));
  EXPECT_EQ(ReadChart(em, ChartFormatHeaderless, 1, settings).chart.Name, "Lima phase return");
  const std::string wide = WideFile("wide.cht", {SydneyChart(settings), LimaReturn(settings)});
  ASSERT_TRUE(DeleteChart(wide, 2, messages));
  EXPECT_EQ(ChartFileInfo(wide).count, 1);
  const std::string set = temp / "set.EMcht";
  ASSERT_TRUE(CreateChartFile(set, messages));
  AppendChart(set, SydneyChart(settings), 5, settings, messages);
  AppendChart(set, LimaReturn(settings), 5, settings, messages);
  ASSERT_TRUE(SetChartMemo(set, 2, "kept", messages));
  ASSERT_TRUE(DeleteChart(set, 1, messages));
  EXPECT_EQ(ChartFileInfo(set).count, 1);
  EXPECT_EQ(ReadChartMemo(set, 1), "kept");
  messages.messages.clear();
  EXPECT_FALSE(DeleteChart(set, 2, messages));
  EXPECT_FALSE(messages.Empty());
}

TEST_F(ChartFiles, MemosOfEachFormat) {
  const std::string own = OwnFile("own.cht", {SydneyChart(settings)});
  EXPECT_EQ(ReadChartMemo(own, 1), "");
  ASSERT_TRUE(SetChartMemo(own, 1, "Born in a storm", messages));
  EXPECT_EQ(ReadChartMemo(own, 1), "Born in a storm");
  ASSERT_TRUE(SetChartMemo(own, 1, "Replaced", messages));
  EXPECT_EQ(ReadChartMemo(own, 1), "Replaced");
  ASSERT_TRUE(SetChartMemo(own, 1, "", messages));
  EXPECT_EQ(ReadChartMemo(own, 1), "");
  EXPECT_EQ(DecodeChart(temp.Read("own.cht"), ChartFormatOwn, 1, settings).memoRecord, 0);

  const std::string wide = WideFile("wide.cht", {SydneyChart(settings)});
  ASSERT_TRUE(SetChartMemo(wide, 1, "Wide memo \u00E9t\u00E9", messages));
  EXPECT_EQ(ReadChartMemo(wide, 1), "Wide memo \u00E9t\u00E9");

  const std::string em = HeaderlessFile("em.cht", {SydneyChart(settings)});
  EXPECT_EQ(ReadChartMemo(em, 1), std::nullopt);
  EXPECT_FALSE(SetChartMemo(em, 1, "x", messages));
  EXPECT_EQ(messages.Only(), "(EMv2 chart file cannot contain comments)");
}

// --- Damaged files

TEST_F(ChartFiles, DamagedCollectionsAreReportedNotFollowed) {
  const std::string good = [&] {
    TEM6ChartCollection c;
    c.titleField = TitleField("t");
    c.charts.push_back({WideFromOwn(OwnRecord(SydneyChart(settings))), {{HeaderlessFromOwn(OwnRecord(SydneyChart(settings))), "ev"}}, "memo"});
    return SerializeCollection(c);
  }();
  ASSERT_EQ(ParseCollection(good).charts.size(), 1u);
  const auto patched = [&](std::size_t at, std::int32_t value) {
    std::string d = good;
    for (std::size_t i = 0; i < 4; ++i) d[at + i] = static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
    return d;
  };
  const std::size_t eventsAt = 86 + 292, eventMemoAt = eventsAt + 4 + 115, memoAt = eventMemoAt + 4 + 2;
  const std::string damaged[] = {
      patched(82, 2),                 // count promises more charts than exist
      patched(82, -1),                // negative count
      patched(82, 0x7FFFFFFF),        // absurd count
      patched(eventsAt, 1000000),     // event count beyond the file
      patched(eventsAt, -5),
      patched(eventMemoAt, -1),       // bad string lengths
      patched(eventMemoAt, 0x7FFFFFF0),
      patched(memoAt, 5),             // memo length past the end
      good.substr(0, good.size() - 1),
      good.substr(0, 100),
  };
  for (const std::string& d : damaged) {
    EXPECT_THROW(ParseCollection(d), EChartFileError);
    const std::string path = temp.Write("damaged.EMcht", d);
    try {
      ReadChart(path, ChartFormatCollection, 1, settings);
      ADD_FAILURE() << "a damaged collection was read";
    } catch (const EChartFileError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Error when attempting to read from chart file: " + path, 0), 0u)
          << e.what();
    }
  }
}

TEST_F(ChartFiles, EveryChartOfAFileAtOnce) {
  const std::string path = OwnFile("two.cht", {SydneyChart(settings), LimaReturn(settings)});
  const auto charts = ReadAllCharts(path, settings);
  ASSERT_EQ(charts.size(), 2u);
  EXPECT_EQ(charts[1].chart.ChartTypeParam, 301);
  std::string data = temp.Read("two.cht");
  data[220 + 85] = 13;  // month 13 in chart 2
  EXPECT_THROW(DecodeAllCharts(data, settings), EChartFileError);
  // A chart list keeps going past a damaged chart.
  const std::string damaged = temp.Write("damaged.cht", data + OwnRecord(SydneyChart(settings)));
  const auto entries = ListCharts(damaged, settings);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_TRUE(entries[0].chart.has_value());
  EXPECT_FALSE(entries[1].chart.has_value());
  EXPECT_NE(entries[1].error.find("impossible date"), std::string::npos);
  EXPECT_EQ(entries[2].index, 3);
  EXPECT_EQ(entries[2].chart->chart.Name, "Test Sydney");
  EXPECT_THROW(ListCharts(temp / "missing.cht", settings), EChartFileError);
}

}  // namespace
}  // namespace korvana
