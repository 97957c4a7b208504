#include "core/reports/compiler/compiler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/reports/reportset/compiled_record.h"
#include "core/util/files.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Params = std::array<std::int32_t, 8>;

class CompileReportTextTest : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  testing::RecordingMessages messages;
  std::vector<std::string> list;
  CompileResult result;

  // Compiles a source written to "report.txt" into "report.bin".
  CompileResult Compile(std::string_view source, const CompileInputs& inputs = {}) {
    folder.Write("report.txt", source);
    return CompileFile("report.txt", inputs);
  }
  CompileResult CompileFile(std::string_view name, const CompileInputs& inputs = {}) {
    result = CompileReportText(folder / name, folder / "report.bin", list, messages, inputs);
    return result;
  }
  std::vector<PlacedRecord> Records() {
    return ReadCompiledRecords(folder.Read("report.bin"), false);
  }
  bool HasMessage(std::string_view text) const {
    return std::find(list.begin(), list.end(), text) != list.end();
  }
};

TEST_F(CompileReportTextTest, MessageListOfASmallCompilation) {
  Compile("*Section 1\nIntro\n*Sun in Aries\nBold.\n");
  EXPECT_FALSE(result.errors);
  EXPECT_TRUE(result.written);
  EXPECT_TRUE(result.indexWritten);
  EXPECT_THAT(list, ElementsAre("Opening File Level: 1 " + folder / "report.txt", "    Title: Intro",
                                "Closing File Level: 1", "Indexing output file...",
                                "Compiled file created: " + folder / "report.bin", "Creating index file...",
                                "Index file created: " + folder / "report.ind", "*** Finished ***"));
  EXPECT_TRUE(messages.Empty());
  auto index = ReadCompiledRecords(folder.Read("report.ind"), true);
  ASSERT_EQ(index.size(), 1u);
  EXPECT_EQ(index[0].record.code, SectionOn);
  EXPECT_EQ(index[0].record.text, "Intro");
  EXPECT_EQ(index[0].record.link, 0);
}

TEST_F(CompileReportTextTest, BothFormsOfAStatementGiveEqualRecords) {
  Compile("* Sun in the 1st House\nText.\n");
  std::string first = folder.Read("report.bin");
  Compile("*Sun 1st\nText.\n");
  EXPECT_EQ(folder.Read("report.bin"), first);
  auto records = Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].record.code, 9);
  EXPECT_EQ(records[0].record.params, (Params{3, 1}));
  EXPECT_EQ(records[0].record.level, 1);
}

TEST_F(CompileReportTextTest, NegatedStatementAndLevels) {
  Compile("*Mars not Retrograde\nA\n++Sun Leo\n");
  auto records = Records();
  ASSERT_EQ(records.size(), 2u);
  const CompiledRecord& mars = records[0].record;
  EXPECT_EQ(mars.code, 19);
  EXPECT_EQ(mars.params, (Params{7, 14}));
  EXPECT_TRUE(mars.negated);
  EXPECT_FALSE(mars.noText);
  EXPECT_EQ(records[1].record.level, 3);
  EXPECT_TRUE(records[1].record.noText);
  EXPECT_EQ(records[1].record.text, "");
}

TEST_F(CompileReportTextTest, SectionTitleRecordAndMessage) {
  Compile("*Section 2\nThe Planets\n");
  auto records = Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].record.code, 3);
  EXPECT_EQ(records[0].record.level, 0);
  EXPECT_EQ(records[0].record.params[0], 2);
  EXPECT_EQ(records[0].record.text, "The Planets");
  EXPECT_TRUE(HasMessage("      Title: The Planets"));
}

TEST_F(CompileReportTextTest, ParagraphJoining) {
  struct Case {
    std::string_view body;
    std::string_view text;
  };
  const Case cases[] = {
      {"one\ntwo\n", "one two"},
      {"one\n\ntwo\n", "one\r\n\\par \r\n\\par two"},
      {"one\n\n\ntwo\n", "one\r\n\\par \r\n\\par \r\n\\par two"},
      {"\n\none\ntwo\n", "one two"},            // blank lines before the text do not count
      {"one \ntwo\n", "one two"},               // no second blank after a trailing one
      {"one\n\\par\ntwo\n", "one\r\n\\par \r\n\\par two"},  // a lone \par is a blank line
      {"one\n\\PAR   two\n", "one two"},       // a leading \par is dropped
      {"one\n; note\n{\\b x}\n\\pard\\plain\n\\par\\b\ntwo\n", "one two"},  // comments, control lines
      {"   indented\n\t\ttabbed\n", "indented tabbed"},
      {"one\r\ntwo\r\n\r\nthree", "one two\r\n\\par \r\n\\par three"},  // CR LF, no final break
      {"one\rtwo", "one two"},
  };
  for (const Case& c : cases) {
    Compile("*Sun\n" + std::string(c.body));
    auto records = Records();
    ASSERT_EQ(records.size(), 1u) << c.body;
    EXPECT_EQ(records[0].record.text, c.text) << c.body;
  }
}

TEST_F(CompileReportTextTest, TextBeforeTheFirstStatementIsDropped) {
  Compile("Preamble text\n\n*Sun\nKept\n");
  auto records = Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].record.text, "Kept");
}

TEST_F(CompileReportTextTest, LastLineOfAFileIsKept) {
  Compile("*Sun\nfirst\nlast line without a break");
  auto records = Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].record.text, "first last line without a break");
}

TEST_F(CompileReportTextTest, ErrorsLeaveTheOldCompiledFile) {
  folder.Write("report.bin", "old compiled");
  folder.Write("report.ind", "old index");
  struct Case {
    std::string_view source;
    std::vector<std::string> errors;
  };
  const Case cases[] = {
      {"*Sun\nok\n*Ruler 1st House Range 1 Aries 2 Taurus Leo\ntext\n",
       {"!!! Error: *Ruler 1st House Range 1 Aries 2 Taurus Leo", "!!! Too Many Items"}},
      {"*Starset 10 20\n", {"!!! Error: *Starset 10 20"}},
      {"  +Sun Sun Sun\n", {"!!! Error: +Sun Sun Sun"}},
      {"*\n", {"!!! Error: *"}},
  };
  for (const Case& c : cases) {
    Compile(c.source);
    EXPECT_TRUE(result.errors) << c.source;
    EXPECT_FALSE(result.written) << c.source;
    std::vector<std::string> errors;
    for (const auto& m : list)
      if (IsErrorMessageLine(m)) errors.push_back(m);
    auto expected = c.errors;
    expected.push_back("!!! Errors Found - No output file was created.");
    EXPECT_EQ(errors, expected) << c.source;
    EXPECT_EQ(list.back(), "*** Finished ***");
    EXPECT_EQ(folder.Read("report.bin"), "old compiled");
    EXPECT_EQ(folder.Read("report.ind"), "old index");
  }
  EXPECT_EQ(ListFiles(folder.Path(), "*"), (std::vector<std::string>{"report.bin", "report.ind", "report.txt"}));
}

TEST_F(CompileReportTextTest, LinksOfTheTwoSectionExample) {
  Compile(
      "*Section 1\nA\n"
      "*Sun\ns1\n"
      "++Moon\nc1\n"
      "*Mars\ns2\n"
      "*Section 1\nB\n"
      "*Venus\nb1\n");
  auto records = Records();
  ASSERT_EQ(records.size(), 6u);
  const auto& A = records[0];
  const auto& s1 = records[1];
  const auto& c1 = records[2];
  const auto& s2 = records[3];
  const auto& B = records[4];
  const auto& b1 = records[5];
  EXPECT_EQ(s1.record.link, static_cast<std::int32_t>(s2.position));
  EXPECT_EQ(c1.record.link, 0);
  EXPECT_EQ(s2.record.link, 0);  // a section starts a new parent
  EXPECT_EQ(A.record.link, 0);
  EXPECT_EQ(B.record.link, 0);
  EXPECT_EQ(b1.record.link, 0);
  auto index = ReadCompiledRecords(folder.Read("report.ind"), true);
  ASSERT_EQ(index.size(), 2u);
  EXPECT_EQ(index[0].record.link, 0);
  EXPECT_EQ(index[1].record.link, static_cast<std::int32_t>(B.position));
  EXPECT_EQ(index[1].record.text, "B");
}

TEST_F(CompileReportTextTest, LinksSkipDeeperLevelsAndCloseAtShallowerOnes) {
  Compile("*Sun\n++Moon\n+++Mars\n++Venus\n*Saturn\n++Pluto\n*Jupiter\n");
  auto r = Records();
  ASSERT_EQ(r.size(), 7u);
  auto pos = [&](int i) { return static_cast<std::int32_t>(r[i].position); };
  EXPECT_EQ(r[0].record.link, pos(4));  // Sun -> Saturn
  EXPECT_EQ(r[1].record.link, pos(3));  // Moon -> Venus
  EXPECT_EQ(r[2].record.link, 0);
  EXPECT_EQ(r[3].record.link, 0);      // Venus: the next level-3 record is under Saturn
  EXPECT_EQ(r[4].record.link, pos(6));  // Saturn -> Jupiter
  EXPECT_EQ(r[5].record.link, 0);
  EXPECT_EQ(r[6].record.link, 0);
}

TEST_F(CompileReportTextTest, AsteroidNamesBecomePoints) {
  Compile(
      "*Asteroid 5\nFirst name\nEros is the asteroid of love\n"
      "*Eros Conjunct Venus\nText\n"
      "*eros\n");
  EXPECT_FALSE(result.errors);
  EXPECT_EQ(result.asteroids, (std::vector<AsteroidEntry>{{5, "Eros"}}));
  auto r = Records();
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].record.code, 86);
  EXPECT_EQ(r[0].record.params[0], 5);
  EXPECT_EQ(r[1].record.code, 15);
  EXPECT_EQ(r[1].record.params, (Params{10000, 1, 6}));
  EXPECT_EQ(r[2].record.code, 7);
  EXPECT_EQ(r[2].record.params[0], 10000);
}

TEST_F(CompileReportTextTest, AsteroidNameIsNotAPointBeforeItsDefinition) {
  Compile("*Eros\n*Asteroid 5\nEros\n");
  EXPECT_TRUE(result.errors);
  EXPECT_TRUE(HasMessage("!!! Error: *Eros"));
}

TEST_F(CompileReportTextTest, IncludesAreReadRelativeToTheSourceFolder) {
  folder.Write("parts/one.txt", "*Moon\nfrom one\n#include parts/two.txt\n");
  folder.Write("parts/two.txt", "*Mars\nfrom two");
  Compile("*Sun\nmain\n#include parts/one.txt\ntext after an include is dropped\n*Venus\nend\n");
  EXPECT_FALSE(result.errors);
  auto r = Records();
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[1].record.text, "from one");
  EXPECT_EQ(r[2].record.text, "from two");
  EXPECT_EQ(r[3].record.text, "end");
  std::vector<std::string> files;
  for (const auto& m : list)
    if (m.starts_with("Opening") || m.starts_with("Closing")) files.push_back(m);
  EXPECT_THAT(files, ElementsAre("Opening File Level: 1 " + folder / "report.txt",
                                 "Opening File Level: 2 parts/one.txt", "Opening File Level: 3 parts/two.txt",
                                 "Closing File Level: 3", "Closing File Level: 2", "Closing File Level: 1"));
}

// Each record knows its statement line, file and line; a dry run writes nothing and gives
// the bytes the compiled file would hold.
TEST_F(CompileReportTextTest, RecordSourcesAndADryRun) {
  folder.Write("parts/one.txt", "; comment\n\n  +Moon Trine Sun\nfrom one\n");
  Compile("*Section 1\nTitle\n*Sun in Aries\nmain\n#include parts/one.txt\n\n*Venus\nend\n");
  ASSERT_TRUE(result.written);
  const std::string top = folder / "report.txt";
  const std::vector<PlacedRecord> records = Records();
  EXPECT_THAT(result.sources,
              ElementsAre(RecordSource{records[0].position, top, 1, "*Section 1"},
                          RecordSource{records[1].position, top, 3, "*Sun in Aries"},
                          RecordSource{records[2].position, "parts/one.txt", 3, "+Moon Trine Sun"},
                          RecordSource{records[3].position, top, 7, "*Venus"}));
  EXPECT_TRUE(result.compiled.empty());  // only a dry run keeps the bytes

  const std::string written = folder.Read("report.bin");
  std::remove((folder / "report.bin").c_str());
  std::remove((folder / "report.ind").c_str());
  CompileInputs dry;
  dry.dryRun = true;
  CompileFile("report.txt", dry);
  EXPECT_FALSE(result.errors);
  EXPECT_FALSE(result.written);
  EXPECT_FALSE(FileExists(folder / "report.bin"));
  EXPECT_FALSE(FileExists(folder / "report.ind"));
  EXPECT_EQ(result.compiled, written);
  EXPECT_EQ(result.sources.size(), 4u);
}

TEST_F(CompileReportTextTest, UnopenableIncludeIsReportedAndSkipped) {
  Compile("*Sun\nA\n#include missing.txt\n#\n*Moon\nB\n");
  EXPECT_FALSE(result.errors);
  EXPECT_TRUE(result.written);
  EXPECT_TRUE(HasMessage("!!! Unable to Open File: missing.txt"));
  EXPECT_EQ(Records().size(), 2u);
}

TEST_F(CompileReportTextTest, NestingThirtyDeepIsRefused) {
  for (int i = 1; i <= 31; ++i)
    folder.Write("n" + std::to_string(i) + ".txt",
                 "*Sun\nlevel " + std::to_string(i) + "\n#include n" + std::to_string(i + 1) + ".txt\n");
  CompileFile("n1.txt");
  EXPECT_TRUE(result.errors);
  EXPECT_FALSE(result.written);
  EXPECT_TRUE(HasMessage("Opening File Level: 30 n30.txt"));
  EXPECT_TRUE(HasMessage("!!! Error: Nesting too deep - cannot open: n31.txt"));
  EXPECT_FALSE(FileExists(folder / "report.bin"));
}

TEST_F(CompileReportTextTest, IncludeCycleIsAnError) {
  folder.Write("a.txt", "*Sun\n#include b.txt\n#include b.txt\n");
  folder.Write("b.txt", "*Moon\n#include A.TXT\n#include a.txt\n");
  CompileFile("a.txt");
  EXPECT_TRUE(result.errors);
  EXPECT_FALSE(result.written);
  EXPECT_TRUE(HasMessage("!!! Error: Include cycle - cannot open: A.TXT"));
  EXPECT_EQ(list.back(), "*** Finished ***");
}

TEST_F(CompileReportTextTest, UnreadableOrBinarySourceIsAnError) {
  struct Case {
    std::string name;
    std::string content;
  };
  const Case cases[] = {
      {"binary.txt", std::string("*Sun\nab\0cd\n", 12)},
      {"missing.txt", ""},
  };
  for (const Case& c : cases) {
    messages.messages.clear();
    if (!c.content.empty()) folder.Write(c.name, c.content);
    CompileFile(c.name);
    EXPECT_TRUE(result.errors) << c.name;
    EXPECT_FALSE(result.written) << c.name;
    std::string text = "!!! Unable to read text file: \r\n\r\n" + folder / c.name;
    EXPECT_TRUE(HasMessage(text)) << c.name;
    EXPECT_EQ(messages.Only(), text);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
    EXPECT_FALSE(FileExists(folder / "report.bin"));
  }
}

TEST_F(CompileReportTextTest, BinaryIncludeIsAnError) {
  folder.Write("bin.dat", std::string("\x01\x02\0\x03", 4));
  Compile("*Sun\n#include bin.dat\n");
  EXPECT_TRUE(result.errors);
  EXPECT_TRUE(HasMessage("!!! Unable to read text file: \r\n\r\nbin.dat"));
}

TEST_F(CompileReportTextTest, OverLongLineIsAnError) {
  Compile("*Sun\n" + std::string(MaxSourceLineLength + 1, 'x') + "\n");
  EXPECT_TRUE(result.errors);
  EXPECT_TRUE(HasMessage("!!! Error: Line 2 of " + folder / "report.txt" + " is longer than 1048576 characters"));
  EXPECT_FALSE(FileExists(folder / "report.bin"));
}

TEST_F(CompileReportTextTest, Windows1252AndUtf8SourcesGiveTheSameRecord) {
  Compile("*Sun\nCaf\xE9 na\xEFve\n");
  std::string fromCp1252 = folder.Read("report.bin");
  Compile("\xEF\xBB\xBF*Sun\nCaf\xC3\xA9 na\xC3\xAFve\n");
  EXPECT_EQ(folder.Read("report.bin"), fromCp1252);
  EXPECT_THAT(fromCp1252, HasSubstr("Caf\xE9 na\xEFve"));
  EXPECT_EQ(Records()[0].record.text, "Caf\xC3\xA9 na\xC3\xAFve");
}

TEST_F(CompileReportTextTest, OptionAndStarWordsComeFromTheReportSet) {
  CompileInputs inputs;
  inputs.options = {"LV=Love", "WK=Work"};
  inputs.starNames = {"Algol"};
  Compile("*Option wk\n*Sun Conjunct Star Algol\n", inputs);
  EXPECT_FALSE(result.errors);
  auto r = Records();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].record.params[0], 2);
  EXPECT_EQ(r[1].record.params, (Params{3, 1, 1}));
}

TEST_F(CompileReportTextTest, ExistingCompiledFileIsReplacedUnderItsOwnSpelling) {
  folder.Write("Report.BIN", "old");
  result = CompileReportText(folder / "report.txt", folder / "report.bin", list, messages);  // no source yet
  EXPECT_TRUE(result.errors);
  folder.Write("report.txt", "*Sun\n");
  result = CompileReportText(folder / "report.txt", folder / "report.bin", list, messages);
  EXPECT_TRUE(result.written);
  EXPECT_EQ(result.compiledFile, folder / "Report.BIN");
  EXPECT_FALSE(FileExists(folder / "report.bin"));
  EXPECT_EQ(ReadCompiledRecords(folder.Read("Report.BIN"), false).size(), 1u);
}

TEST_F(CompileReportTextTest, MissingOutputFolderIsReported) {
  folder.Write("report.txt", "*Sun\n");
  result = CompileReportText(folder / "report.txt", folder / "no/such/out.bin", list, messages);
  EXPECT_TRUE(result.errors);
  EXPECT_FALSE(result.written);
  EXPECT_THAT(list, Contains("!!! Unable to write the compiled file: " + folder / "no/such/out.bin"));
}

}  // namespace
}  // namespace korvana
