#include <climits>

#include <gtest/gtest.h>

#include "core/reports/reportset/compiled_record.h"
#include "core/reports/reportset/section_index.h"
#include "core/reports/reportset/section_tree.h"
#include "core/util/files.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

CompiledRecord Section(int depth, const std::string& title) {
  CompiledRecord r;
  r.code = SectionCode;
  r.params[0] = depth;
  r.noText = title.empty();
  r.text = title;
  return r;
}

CompiledRecord Statement(int code, int level, const std::string& text) {
  CompiledRecord r;
  r.code = static_cast<std::uint8_t>(code);
  r.level = level;
  r.params[0] = 3;
  r.noText = text.empty();
  r.text = text;
  return r;
}

// A compiled report: front page, "Planets" with two subsections, "Aspects".
class CompiledReportTest : public ::testing::Test {
 protected:
  testing::TempFolder dir;
  testing::RecordingMessages messages;
  std::string bin, ind;
  std::vector<std::size_t> sectionPositions;

  void SetUp() override {
    std::string data;
    auto add = [&](const CompiledRecord& r) {
      if (r.IsSection()) sectionPositions.push_back(data.size());
      data += EncodeCompiledRecord(r);
    };
    add(Section(0, "Front Page"));
    add(Section(1, "Planets"));
    add(Section(2, "Sun"));
    add(Statement(7, 1, "Sun text {\\par} caf\xC3\xA9"));
    add(Section(2, "Moon"));
    add(Statement(7, 1, "Moon text"));
    add(Section(1, ""));
    bin = dir.Write("r.bin", data);
    ind = SectionIndexFileFor(bin);
    ASSERT_TRUE(BuildSectionIndex(bin, ind, messages));
  }

  std::vector<PlacedRecord> Index() { return ReadCompiledRecords(dir.Read("r.ind"), true); }
};

TEST_F(CompiledReportTest, RecordsRoundTripWithTheirStoredLayout) {
  CompiledRecord r = Statement(12, 2, "Jos\xC3\xA9");
  r.negated = true;
  r.params = {1, -2, 3, 4, 5, 6, 7, 8};
  r.link = 4711;
  std::string bytes = EncodeCompiledRecord(r);
  ASSERT_EQ(bytes.size(), CompiledHeaderSize + 4);  // the text is stored in 8 bits
  EXPECT_EQ(bytes[0], 12);
  EXPECT_EQ(bytes[33], 1);
  EXPECT_EQ(bytes[39], 4);
  EXPECT_EQ(bytes.substr(47), "Jos\xE9");
  ByteReader reader(bytes);
  EXPECT_EQ(ReadCompiledRecord(reader), r);
}

TEST_F(CompiledReportTest, IndexCopiesSectionsWithTheirPositions) {
  auto index = Index();
  ASSERT_EQ(index.size(), 5u);
  for (std::size_t i = 0; i < index.size(); ++i) {
    EXPECT_EQ(index[i].record.code, SectionOn);
    EXPECT_EQ(static_cast<std::size_t>(index[i].record.link), sectionPositions[i]);
  }
  EXPECT_EQ(index[2].record.text, "Sun");
  EXPECT_TRUE(messages.Empty());
}

TEST_F(CompiledReportTest, DamagedCompiledFileIsReportedAndTheOldIndexStays) {
  std::string before = dir.Read("r.ind");
  std::string data = dir.Read("r.bin");
  const std::string cases[] = {data.substr(0, data.size() - 3),         // truncated text
                               data.substr(0, 30),                       // truncated header
                               std::string("\x03") + std::string(38, '\0') + "\xff\xff\xff\x7f" +
                                   std::string(4, '\0'),                 // absurd length
                               std::string(200, '\xAB')};                // garbage
  for (const auto& bad : cases) {
    messages.messages.clear();
    dir.Write("r.bin", bad);
    EXPECT_FALSE(BuildSectionIndex(bin, ind, messages));
    EXPECT_EQ(messages.Only(), "Problem occured whilst indexing compiled text file: \r\n\r\n" + bin);
    EXPECT_EQ(dir.Read("r.ind"), before);
  }
  EXPECT_TRUE(BuildSectionIndex(dir / "none.bin", dir / "none.ind", messages));
  EXPECT_FALSE(FileExists(dir / "none.ind"));
}

TEST_F(CompiledReportTest, TreeFollowsDepthsAndShowsNoTitle) {
  SectionTree tree = SectionTree::Load(ind);
  auto order = tree.InTreeOrder();
  ASSERT_EQ(order.size(), 5u);
  std::vector<std::pair<std::string, int>> shape;
  for (auto id : order) shape.emplace_back(tree.At(id).title, tree.Depth(id));
  EXPECT_EQ(shape, (std::vector<std::pair<std::string, int>>{
                       {"Front Page", 1}, {"Planets", 2}, {"Sun", 3}, {"Moon", 3}, {"[No Title]", 2}}));
  // The front page is depth 0, so the others hang below it.
  EXPECT_TRUE(SectionTree::Load(dir / "missing.ind").Empty());
  dir.Write("bad.ind", std::string(50, '\x03'));
  EXPECT_THROW(SectionTree::Load(dir / "bad.ind"), ERecordError);
}

TEST_F(CompiledReportTest, DepthsAtTheEndsOfTheirRangeHangOneBelowTheOther) {
  std::string index;
  for (std::int32_t depth : {INT32_MIN, 0, INT32_MAX}) index += EncodeCompiledRecord(Section(depth, "S"));
  SectionTree tree = SectionTree::Load(dir.Write("extreme.ind", index));
  std::vector<int> depths;
  for (auto id : tree.InTreeOrder()) depths.push_back(tree.Depth(id));
  EXPECT_EQ(depths, (std::vector<int>{1, 2, 3}));
}

TEST_F(CompiledReportTest, SwitchingOffAndSavingWritesStates) {
  SectionTree tree = SectionTree::Load(ind);
  auto order = tree.InTreeOrder();
  auto planets = order[1], sun = order[2], moon = order[3];
  tree.Toggle(sun);     // Sun itself off
  tree.Toggle(planets); // Planets off: Sun and Moon inherit
  EXPECT_EQ(tree.At(planets).image, 2);
  EXPECT_EQ(tree.At(sun).image, 3);
  EXPECT_EQ(tree.At(moon).image, 1);
  ASSERT_TRUE(tree.Save(ind));
  auto index = Index();
  std::vector<int> states;
  for (const auto& p : index) states.push_back(p.record.code);
  EXPECT_EQ(states, (std::vector<int>{3, 1, 1, 2, 3}));

  SectionTree reloaded = SectionTree::Load(ind);
  EXPECT_EQ(reloaded.At(reloaded.InTreeOrder()[2]).image, 3);
  EXPECT_EQ(reloaded.At(reloaded.InTreeOrder()[3]).image, 1);
  reloaded.Toggle(reloaded.InTreeOrder()[1]);  // Planets back on; Sun keeps its own off
  ASSERT_TRUE(reloaded.Save(ind));
  states.clear();
  for (const auto& p : Index()) states.push_back(p.record.code);
  EXPECT_EQ(states, (std::vector<int>{3, 3, 1, 3, 3}));
}

TEST_F(CompiledReportTest, SectionsBelowAnOwnOffSectionStayOffWhenItsParentReturns) {
  // Planets > Sun > (a deeper section) : switching Planets off and on must not switch on
  // what lies below the Sun section that the user switched off itself.
  std::string data;
  data += EncodeCompiledRecord(Section(1, "Planets"));
  data += EncodeCompiledRecord(Section(2, "Sun"));
  data += EncodeCompiledRecord(Section(3, "Sun detail"));
  dir.Write("deep.bin", data);
  ASSERT_TRUE(BuildSectionIndex(dir / "deep.bin", dir / "deep.ind", messages));
  SectionTree tree = SectionTree::Load(dir / "deep.ind");
  auto order = tree.InTreeOrder();
  tree.Toggle(order[1]);
  tree.Toggle(order[0]);
  tree.Toggle(order[0]);
  EXPECT_EQ(tree.At(order[1]).image, 2);
  EXPECT_EQ(tree.At(order[2]).image, 1);
}

TEST_F(CompiledReportTest, MovingAndRenamingStayAmongSiblings) {
  SectionTree tree = SectionTree::Load(ind);
  auto order = tree.InTreeOrder();
  auto sun = order[2], moon = order[3];
  EXPECT_FALSE(tree.MoveUp(sun));
  EXPECT_TRUE(tree.MoveDown(sun));
  EXPECT_FALSE(tree.MoveDown(sun));
  EXPECT_EQ(tree.InTreeOrder()[2], moon);
  tree.Rename(moon, "The Moon");
  tree.Rename(order[4], "Aspects");
  tree.Rename(order[0], NoTitleText);
  ASSERT_TRUE(tree.Save(ind));
  auto index = Index();
  EXPECT_EQ(index[0].record.text, "");
  EXPECT_EQ(index[2].record.text, "The Moon");
  EXPECT_EQ(index[3].record.text, "Sun");
  EXPECT_EQ(index[4].record.text, "Aspects");
  // The moved record still points at its own section in the compiled file.
  EXPECT_EQ(static_cast<std::size_t>(index[3].record.link), sectionPositions[2]);
}

TEST_F(CompiledReportTest, RestoreAsksFirst) {
  SectionTree tree = SectionTree::Load(ind);
  tree.Toggle(tree.InTreeOrder()[0]);
  ASSERT_TRUE(tree.Save(ind));
  messages.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(RestoreSectionIndex(bin, ind, messages));
  EXPECT_EQ(Index()[0].record.code, SectionOff);
  EXPECT_TRUE(RestoreSectionIndex(bin, ind, messages));
  EXPECT_EQ(Index()[0].record.code, SectionOn);
  EXPECT_NE(messages.messages[0].text.find("Do you wish to proceed?"), std::string::npos);
}

}  // namespace
}  // namespace korvana
