#include "core/charts/memo_file.h"

#include <gtest/gtest.h>

#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::RecordingMessages;
using testing::TempFolder;

// A memo file image built record by record: {next, 28-character text}.
std::string MemoImage(std::initializer_list<std::pair<std::int32_t, std::string>> records) {
  std::string data;
  for (const auto& [next, text] : records) {
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<char>((static_cast<std::uint32_t>(next) >> (8 * i)) & 0xFF));
    std::string piece = text;
    piece.resize(28, ' ');
    data += piece;
  }
  return data;
}

// The message ReadMemo throws; "" when it reads.
std::string ReadMemoError(const std::string& path, std::int32_t first) {
  try {
    ReadMemo(path, first);
    return "";
  } catch (const EMemoError& e) {
    return e.what();
  }
}

std::int32_t NextField(const std::string& data, std::int32_t number) {
  std::uint32_t v = 0;
  const std::size_t at = static_cast<std::size_t>(number - 1) * 32;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(data[at + static_cast<std::size_t>(i)]);
  return static_cast<std::int32_t>(v);
}

TEST(MemoFile, SixtyCharactersTakeThreeRecords) {
  const std::string text = "This memo is exactly sixty characters long, counted by hand.";
  ASSERT_EQ(text.size(), 60u);
  std::string data;
  const std::int32_t first = WriteMemoData(data, 0, text);
  EXPECT_EQ(first, 2);
  ASSERT_EQ(data.size(), 4u * 32);  // the header record and three pieces
  EXPECT_EQ(data.substr(32 + 4, 28), text.substr(0, 28));
  EXPECT_EQ(data.substr(64 + 4, 28), text.substr(28, 28));
  EXPECT_EQ(data.substr(96 + 4, 28), text.substr(56) + std::string(24, ' '));
  EXPECT_EQ(NextField(data, 2), 3);
  EXPECT_EQ(NextField(data, 3), 4);
  EXPECT_EQ(NextField(data, 4), 0);
  EXPECT_EQ(NextField(data, 1), 0);  // no free records
  EXPECT_EQ(ReadMemoData(data, first), text);
}

TEST(MemoFile, OnlyTheLastPieceLosesItsTrailingBlanks) {
  const std::string text = std::string(27, 'a') + " " + "end   ";
  std::string data;
  const std::int32_t first = WriteMemoData(data, 0, text);
  EXPECT_EQ(ReadMemoData(data, first), std::string(27, 'a') + " end");
}

TEST(MemoFile, ReleasedRecordsAreReusedBeforeTheFileGrows) {
  std::string data;
  const std::int32_t a = WriteMemoData(data, 0, std::string(56, 'a'));  // records 2, 3
  const std::int32_t b = WriteMemoData(data, 0, "bbb");                  // record 4
  EXPECT_EQ(WriteMemoData(data, a, ""), 0);
  EXPECT_EQ(NextField(data, 1), a);  // the free chain starts with the released memo
  const std::size_t size = data.size();
  const std::int32_t c = WriteMemoData(data, 0, std::string(84, 'c'));  // 3 records: 2 reused, 1 new
  EXPECT_EQ(data.size(), size + 32);
  EXPECT_EQ(c, a);
  EXPECT_EQ(ReadMemoData(data, c), std::string(84, 'c'));
  EXPECT_EQ(ReadMemoData(data, b), "bbb");
  EXPECT_EQ(NextField(data, 1), 0);
  // Writing with a first record replaces that memo.
  const std::int32_t d = WriteMemoData(data, b, "ddd");
  EXPECT_EQ(d, b);
  EXPECT_EQ(ReadMemoData(data, d), "ddd");
}

TEST(MemoFile, ChainsAreFollowedSafely) {
  const std::string data = MemoImage({
      {0, ""},           // 1: header, no free records
      {3, "first "},     // 2 -> 3
      {3, "self-stop"},  // 3 points to itself: the end
      {5, "loop a"},     // 4 -> 5
      {4, "loop b"},     // 5 -> 4: a loop
      {99, "away"},      // 6 -> outside the file
      {1, "header"},     // 7 -> the header record
      {-4, "negative"},  // 8
  });
  EXPECT_EQ(ReadMemoData(data, 2), std::string("first ") + std::string(22, ' ') + "self-stop");
  EXPECT_EQ(ReadMemoData(data, 3), "self-stop");
  for (std::int32_t bad : {4, 6, 7, 8, 9, 1000})
    EXPECT_THROW(ReadMemoData(data, bad), EMemoError) << bad;
  EXPECT_EQ(ReadMemoData(data, 0), "");
  EXPECT_EQ(ReadMemoData(data, 1), "");
  EXPECT_THROW(ReadMemoData("", 2), EMemoError);  // an empty file holds no memo 2
}

TEST(MemoFile, DamagedChainsAreNeverReleased) {
  std::string data = MemoImage({{0, ""}, {3, "a"}, {2, "b"}});  // 2 <-> 3
  const std::string before = data;
  EXPECT_THROW(WriteMemoData(data, 2, ""), EMemoError);
  // Releasing a memo twice would make the free chain loop.
  std::string twice;
  const std::int32_t m = WriteMemoData(twice, 0, "x");
  WriteMemoData(twice, m, "");
  EXPECT_THROW(WriteMemoData(twice, m, ""), EMemoError);
}

TEST(MemoFile, ADamagedFreeChainIsAbandonedNotFollowed) {
  std::string data = MemoImage({{5, ""}, {0, "in use"}});  // free head 5 is outside the file
  const std::int32_t m = WriteMemoData(data, 0, "new");
  EXPECT_EQ(m, 3);
  EXPECT_EQ(ReadMemoData(data, 2), "in use");
  EXPECT_EQ(ReadMemoData(data, 3), "new");
  EXPECT_EQ(NextField(data, 1), 0);
}

// The free chain as record numbers, following the header.
std::vector<std::int32_t> FreeChain(const std::string& data) {
  std::vector<std::int32_t> chain;
  for (std::int32_t n = NextField(data, 1); n != 0 && chain.size() < 100; n = NextField(data, n)) chain.push_back(n);
  return chain;
}

TEST(MemoFile, RecordsNoChainReachesAreGivenBack) {
  struct Case {
    const char* what;
    std::string data;
    std::vector<std::int32_t> inUse;
    std::size_t given;
    std::vector<std::int32_t> freeAfter;
  };
  const Case cases[] = {
      {"nothing left behind", MemoImage({{4, ""}, {3, "kept "}, {0, "memo"}, {0, ""}}), {2}, 0, {4}},
      {"a new memo its chart never pointed at", MemoImage({{6, ""}, {3, "kept "}, {0, "memo"}, {5, "lost"}, {0, "x"}, {0, ""}}),
       {2}, 2, {4, 5, 6}},
      {"a free chain that runs into a memo in use", MemoImage({{3, ""}, {3, "kept "}, {0, "memo"}, {0, "lost"}}), {2}, 1,
       {4}},
      {"a free chain that loops", MemoImage({{4, ""}, {0, "kept"}, {4, "lost"}, {3, "lost"}}), {2}, 0, {3, 4}},
      {"a chain in use that leaves the file", MemoImage({{0, ""}, {99, "kept"}, {0, "lost"}}), {2}, 1, {3}},
      {"no memo in use", MemoImage({{0, ""}, {3, "a"}, {0, "b"}}), {}, 2, {2, 3}},
  };
  for (const Case& c : cases) {
    std::string data = c.data;
    EXPECT_EQ(ReclaimMemoRecords(data, c.inUse), c.given) << c.what;
    EXPECT_EQ(FreeChain(data), c.freeAfter) << c.what;
    if (c.given == 0 && c.freeAfter == FreeChain(c.data)) {
      EXPECT_EQ(data, c.data) << c.what << ": changed";
    }
    for (std::int32_t first : c.inUse) {
      std::string expected;
      try {
        expected = ReadMemoData(c.data, first);
      } catch (const EMemoError&) {
        continue;
      }
      EXPECT_EQ(ReadMemoData(data, first), expected) << c.what;
    }
  }
}

TEST(MemoFile, AFileServingThisChartFileAloneReusesWhatAnInterruptionLeft) {
  TempFolder temp;
  RecordingMessages messages;
  const std::string path = temp / "charts.chm";
  const std::int32_t kept = WriteMemo(path, 0, "kept", messages).value();
  // A new memo whose chart was never changed to point at it.
  WriteMemo(path, 0, "left behind by an interrupted change", messages).value();
  const std::size_t size = temp.Read("charts.chm").size();
  const std::vector<std::int32_t> inUse = {kept};
  const std::int32_t next = WriteMemo(path, 0, "in its place", messages, &inUse).value();
  EXPECT_EQ(temp.Read("charts.chm").size(), size) << "the records left behind were not reused";
  EXPECT_EQ(ReadMemo(path, kept), "kept");
  EXPECT_EQ(ReadMemo(path, next), "in its place");
  EXPECT_TRUE(messages.Empty());
}

TEST(MemoFile, FilesAndTheirMessages) {
  TempFolder temp;
  RecordingMessages messages;
  const std::string path = temp / "charts.chm";
  EXPECT_EQ(MemoPathFor("/x/charts.cht"), "/x/charts.chm");
  auto first = WriteMemo(path, 0, "Sixty\u00B0 and more", messages);
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(ReadMemo(path, *first), "Sixty\u00B0 and more");
  EXPECT_EQ(temp.Read("charts.chm").substr(32 + 4, 6), "Sixty\xB0");  // 8-bit in the file
  EXPECT_TRUE(messages.Empty());

  EXPECT_EQ(ReadMemoError(temp / "none.chm", 2), "Error reading memo text");
  EXPECT_EQ(ReadMemoError(path, 50), "Error reading memo text");

  temp.Write("loop.chm", MemoImage({{0, ""}, {3, "a"}, {2, "b"}}));
  EXPECT_EQ(ReadMemoError(temp / "loop.chm", 2), "Error reading memo text");
  EXPECT_FALSE(WriteMemo(temp / "loop.chm", 2, "", messages).has_value());
  EXPECT_EQ(messages.Only(), "Error reading/writing memo text");
  EXPECT_EQ(temp.Read("loop.chm"), MemoImage({{0, ""}, {3, "a"}, {2, "b"}}));

  // Nothing to write: no file is made.
  EXPECT_EQ(WriteMemo(temp / "empty.chm", 0, "", messages), 0);
  EXPECT_FALSE(std::ifstream(temp / "empty.chm").good());
}

}  // namespace
}  // namespace korvana
