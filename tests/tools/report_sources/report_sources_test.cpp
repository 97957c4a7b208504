// The shipped report texts: each source compiles with every include found, and every
// paragraph is one the report pipeline can write cleanly (balanced emphasis tokens, well
// formed gender choices, no stray rich-text characters, no double blanks). A statement
// left without its paragraph would silently join the next statement as an alternative, and
// a repeated statement would print its paragraph twice, so both are refused as well.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <tuple>
#include <vector>

#include "core/reports/compiler/compiler.h"
#include "core/reports/reportset/compiled_record.h"
#include "core/reports/reportset/report_set.h"
#include "core/util/files.h"
#include "core/util/text.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

const std::string Template = std::string(KORVANA_SOURCE_DATA_DIR) + "/template/";

// Statements that steer the walk and carry no paragraph of their own.
bool TextLess(int code) { return code == 4 || code == 5 || code == 52 || code == 95; }

// The problems of one paragraph, empty when it is clean.
std::vector<std::string> ParagraphProblems(std::string text) {
  std::vector<std::string> problems;
  // Blank lines in the source become paragraph marks: check each paragraph alone.
  for (std::size_t p; (p = text.find("\r\n\\par ")) != std::string::npos;) text.replace(p, 7, "\n");
  if (text.empty()) problems.push_back("empty paragraph");
  for (char c : {'{', '}', '\\', '|', '\t'})
    if (text.find(c) != std::string::npos) problems.push_back(std::string("stray '") + c + "'");
  if (text.find("  ") != std::string::npos) problems.push_back("double blank");
  for (const char* bad : {",.", " .", " ,", ".."})
    if (text.find(bad) != std::string::npos) problems.push_back(std::string("broken punctuation \"") + bad + "\"");
  for (std::size_t p = text.find('%'); p != std::string::npos; p = text.find('%', p + 1))
    if (p + 1 >= text.size() || text[p + 1] != '1') problems.push_back("placeholder other than %1");
  // Gender choices: [male/female], never nested, never with another number of parts.
  for (std::size_t open = text.find('['); open != std::string::npos; open = text.find('[', open + 1)) {
    std::size_t close = text.find(']', open);
    std::string group = close == std::string::npos ? "" : text.substr(open + 1, close - open - 1);
    if (close == std::string::npos || group.find('[') != std::string::npos || Split(group, '/').size() != 2)
      problems.push_back("malformed choice near \"" + text.substr(open, 24) + "\"");
  }
  if (std::count(text.begin(), text.end(), '[') != std::count(text.begin(), text.end(), ']'))
    problems.push_back("unbalanced brackets");
  // Emphasis tokens come in pairs, opening before closing.
  for (auto [on, off] : {std::pair{"<BOLDON>", "<BOLDOFF>"}, std::pair{"<ITALICON>", "<ITALICOFF>"}}) {
    int depth = 0;
    for (std::size_t p = text.find('<'); p != std::string::npos; p = text.find('<', p + 1)) {
      if (text.compare(p, std::strlen(on), on) == 0) ++depth;
      if (text.compare(p, std::strlen(off), off) == 0 && --depth < 0) break;
    }
    if (depth != 0) problems.push_back(std::string("unbalanced ") + on);
  }
  std::string stripped = text;
  for (const char* token : {"<BOLDON>", "<BOLDOFF>", "<ITALICON>", "<ITALICOFF>"})
    for (std::size_t p; (p = stripped.find(token)) != std::string::npos;) stripped.erase(p, std::strlen(token));
  if (stripped.find('<') != std::string::npos || stripped.find('>') != std::string::npos)
    problems.push_back("unknown markup token");
  for (const std::string& paragraph : Split(text, '\n')) {
    std::string_view t = Trim(paragraph);
    if (!t.empty() && t.back() != '.' && t.back() != '>') problems.push_back("paragraph does not end a sentence");
  }
  return problems;
}

class ShippedReportSource : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedReportSource, CompilesCleanlyWithWellFormedParagraphs) {
  const std::string name = GetParam();
  testing::TempFolder folder;
  testing::RecordingMessages messages;
  CompileInputs inputs;
  inputs.options = LoadOptions(Template + name + ".opt");
  std::vector<std::string> list;
  CompileResult result =
      CompileReportText(Template + "source/" + name + ".txt", folder / (name + ".bin"), list, messages, inputs);
  ASSERT_TRUE(result.written);
  int includes = 0;
  for (const std::string& line : list) {
    EXPECT_NE(line.rfind("!", 0), 0u) << line;  // errors and unopened include files
    if (line.rfind("Opening File Level: 2 ", 0) == 0) ++includes;
  }
  EXPECT_GT(includes, 0);

  auto data = ReadFileBytes(folder / (name + ".bin"));
  ASSERT_TRUE(data);
  std::string section;
  // A statement is the same statement when it also sits under the same parents: the blend
  // of two conditions repeats a child under each of its exclusive parents.
  using Key = std::tuple<int, std::array<std::int32_t, 8>, bool>;
  std::set<std::tuple<std::string, std::vector<Key>, Key>> seen;
  std::vector<Key> parents;
  int statements = 0;
  for (const PlacedRecord& placed : ReadCompiledRecords(*data, false)) {
    const CompiledRecord& r = placed.record;
    if (r.IsSection()) {
      EXPECT_FALSE(r.text.empty()) << "section without a title at " << placed.position;
      section = r.text;
      parents.clear();
      continue;
    }
    const Key key{r.code, r.params, r.negated != 0};
    parents.resize(std::min(parents.size(), static_cast<std::size_t>(std::max(r.level - 1, 0))));
    const std::vector<Key> enclosing = parents;
    parents.push_back(key);
    ++statements;
    SCOPED_TRACE(section + ", statement code " + std::to_string(r.code) + " at " + std::to_string(placed.position));
    if (TextLess(r.code)) {
      EXPECT_TRUE(r.text.empty());
      continue;
    }
    EXPECT_FALSE(r.text.empty()) << "statement without its paragraph";
    for (const std::string& problem : ParagraphProblems(r.text)) ADD_FAILURE() << problem << ": " << r.text.substr(0, 60);
    if (r.code != 6 && r.code != 51) {  // explanations and introductions may repeat
      EXPECT_TRUE(seen.insert({section, enclosing, key}).second) << "statement repeated in its section";
    }
  }
  EXPECT_GT(statements, 50);
}

INSTANTIATE_TEST_SUITE_P(Sets, ShippedReportSource, ::testing::Values("modern", "traditional"));

TEST(ReportSourceLint, FindsTheFaultsItIsMeantToCatch) {
  struct Case {
    const char* text;
    const char* problem;
  } cases[] = {
      {"With the Sun in Aries, %1 acts first.", nullptr},
      {"First.\r\n\\par \r\n\\par Second.", nullptr},
      {"<BOLDON>Bold.<BOLDOFF> Plain text.", nullptr},
      {"[He/She] acts; [his/her] drive.", nullptr},
      {"[He/She/2] acts.", "malformed choice"},
      {"[he] acts.", "malformed choice"},
      {"[he/she acts.", "malformed choice"},
      {"Name %2 here.", "placeholder other than %1"},
      {"Two  blanks.", "double blank"},
      {"On the Descendant,. Then more.", "broken punctuation"},
      {"<BOLDON>never closed.", "unbalanced <BOLDON>"},
      {"<CENTER>centred.", "unknown markup token"},
      {"A {brace}.", "stray '{'"},
      {"Cut off in the middle of", "paragraph does not end a sentence"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    auto problems = ParagraphProblems(c.text);
    if (!c.problem) {
      EXPECT_TRUE(problems.empty()) << problems.front();
    } else {
      bool found = false;
      for (const auto& p : problems) found = found || p.rfind(c.problem, 0) == 0;
      EXPECT_TRUE(found) << "expected " << c.problem;
    }
  }
}

}  // namespace
}  // namespace korvana
