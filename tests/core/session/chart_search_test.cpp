#include "core/session/chart_search.h"

#include <gtest/gtest.h>

#include "core/config/program_settings.h"
#include "core/util/files.h"
#include "support/generated_chart_files.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::TempFolder;

TEST(ChartSearchFolders, AreTheDistinctFoldersOfTheRecentFilesInOrder) {
  EXPECT_EQ(ChartSearchFolders({"/a/x.cht", "/b/y.cht", "/A/z.cht", "/a/w.EMcht", "nofolder.cht"}),
            (std::vector<std::string>{"/a/", "/b/"}));
}

// A folder of chart files, a file that only ends in "cht", a file that is no chart file
// and one of another kind.
class ChartSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.Write("one/a.cht", testing::OwnChartFileOf("John Smith", 3));
    folder.Write("one/b.CHT", testing::OwnChartFileOf("Mary SMITHERS", 2));
    folder.Write("one/c.oldcht", testing::OwnChartFileOf("Ann Smithson", 1));
    folder.Write("one/broken.cht", "not a chart file at all");
    folder.Write("one/notes.txt", testing::OwnChartFileOf("Smith Text", 1));
    folder.Write("two/d.cht", testing::OwnChartFileOf("Bob Jones", 4));
  }
  TempFolder folder;
  ProgramSettings settings;
};

TEST_F(ChartSearchTest, ReadChartNamesKeepsTheMatchingChartsWithTheirNumbers) {
  struct Case {
    const char* pattern;
    const char* file;
    std::vector<int> numbers;
  };
  const Case cases[] = {
      {"*smith*", "one/a.cht", {1, 2, 3}},
      {"*smith*", "one/b.CHT", {1, 2}},
      {"*2", "one/a.cht", {2}},
      {"john smith ?", "one/a.cht", {1, 2, 3}},
      {"*smith*", "one/broken.cht", {}},
      {"*smith*", "two/d.cht", {}},
      {"*", "one/missing.cht", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " in " + c.file);
    TMatchingChartArray matches;
    EXPECT_EQ(ReadChartNames(folder / c.file, c.pattern, matches, settings), c.numbers.size());
    std::vector<int> numbers;
    for (const TMatchingChart& m : matches) numbers.push_back(m.Index);
    EXPECT_EQ(numbers, c.numbers);
  }
  TMatchingChartArray matches;
  ReadChartNames(folder / "one/b.CHT", "*2", matches, settings);
  ASSERT_EQ(matches.size(), 1u);
  EXPECT_EQ(matches[0].Folder, folder / "one/");
  EXPECT_EQ(matches[0].FileName, "b.CHT");
  EXPECT_EQ(matches[0].ChartName, "Mary SMITHERS 2");
  EXPECT_EQ(matches[0].Moment.Year, 1902);
}

TEST_F(ChartSearchTest, StepsThroughEveryChartFileOfEachFolder) {
  ChartSearch search({folder / "one/", folder / "two/", folder / "missing/"}, "*smith*", settings);
  std::vector<std::string> searched;
  while (!search.Finished()) {
    searched.push_back(NameOf(search.NextFile()));
    EXPECT_LT(search.FolderFilesDone(), search.FolderFileCount());
    search.Step();
  }
  EXPECT_EQ(searched, (std::vector<std::string>{"a.cht", "b.CHT", "broken.cht", "c.oldcht", "d.cht"}));
  EXPECT_EQ(search.Matches().size(), 6u) << "3 + 2 + Ann Smithson";
  EXPECT_EQ(search.ResultText(), "Finished - Matching Charts Found: 6");
  EXPECT_EQ(search.Step(), 0u);
}

TEST_F(ChartSearchTest, AStoppedSearchSearchesNoFurther) {
  ChartSearch search({folder / "one/"}, "*", settings);
  EXPECT_EQ(search.Step(), 3u);
  search.Stop();
  EXPECT_TRUE(search.Finished());
  EXPECT_EQ(search.Step(), 0u);
  EXPECT_EQ(search.FilesSearched(), 1u);
  EXPECT_EQ(search.ResultText(), "Cancelled - Matching Charts Found: 3");
}

TEST_F(ChartSearchTest, NoFoldersFinishesAtOnce) {
  ChartSearch search({}, "*", settings);
  EXPECT_TRUE(search.Finished());
  EXPECT_EQ(search.NextFile(), "");
  EXPECT_EQ(search.ResultText(), "Finished - Matching Charts Found: 0");
}

}  // namespace
}  // namespace korvana
