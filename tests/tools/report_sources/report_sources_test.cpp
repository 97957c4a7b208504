// The shipped report texts: each source compiles with every include found, and every
// paragraph is one the report pipeline can write cleanly (balanced emphasis tokens, well
// formed gender choices, no stray rich-text characters, no double blanks). A statement
// left without its paragraph would silently join the next statement as an alternative, and
// a repeated statement would print its paragraph twice, so both are refused as well; a
// statement may go without a paragraph only as the condition of the statements nested
// under it, and may repeat under another condition. Sets on two charts may also name the
// second person ("%2") and choose by the second person's gender ("[he/she/2]").
//
// The forecast sets keep their dated paragraphs in dynamic interpretation files: those
// paragraphs pass the same checks, every configuration the set's search can find has its
// paragraph (a missing one leaves the entry out of the report without a word), and every
// DynamicReport or DynamicBackground statement names a dynamic section the set defines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <tuple>
#include <vector>

#include "core/reports/compiler/compiler.h"
#include "core/reports/interps/interp_builder.h"
#include "core/reports/compiler/statements.h"
#include "core/reports/reportset/compiled_record.h"
#include "core/reports/reportset/report_set.h"
#include "core/util/files.h"
#include "core/util/ini_file.h"
#include "core/util/text.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

const std::string Template = std::string(KORVANA_SOURCE_DATA_DIR) + "/template/";

// Statements that steer the walk and carry no paragraph of their own: keyword titles,
// rulerships, the text check, the chart choice, the two-chart test and the dynamic
// sections (79 and 80 print the sections' entries).
bool TextLess(int code) {
  return code == 4 || code == 5 || code == 52 || code == 76 || code == 79 || code == 80 || code == 95 || code == 100;
}

// The dynamic sections of a shipped set: n-th section's file and effective selections.
struct DynamicSection {
  std::string file;  // as the set names it
  std::string points, radix, aspects;  // '1' = selected, by PointId / AspectType
};

std::string Effective(const std::string& available, const std::string& selected) {
  std::string flags(std::max(available.size(), selected.size()), '0');
  for (std::size_t i = 0; i < flags.size(); ++i)
    if (i < available.size() && i < selected.size() && available[i] == '1' && selected[i] == '1') flags[i] = '1';
  return flags;
}

std::vector<DynamicSection> DynamicSections(const std::string& setFile) {
  IniFile ini(setFile);
  std::vector<DynamicSection> sections;
  if (!ini.ReadBool("Report", "IncludesDynRep", false)) return sections;
  for (int n = 1;; ++n) {
    auto key = [n](const char* k) { return std::string(k) + std::to_string(n); };
    std::string file = ini.ReadString("Report", key("DynFile"), "");
    if (file.empty()) break;
    auto read = [&](const char* k, const char* fallback) { return ini.ReadString("Report", key(k), fallback); };
    const char* all = "111111111111111111111111111111111111";
    sections.push_back({file, Effective(read("DynPointsAvailable", "00000011111"), read("DynPointsSelected", all)),
                        Effective(read("RadixPointsAvailable", "10111111111"), read("RadixPointsSelected", all)),
                        Effective(read("DynAspectsAvailable", "1111111"), read("DynAspectsSelected", all))});
  }
  return sections;
}

// The configurations of a section the interpretation source has no paragraph for: every
// selected moving point with every selected aspect to every selected radix point, and the
// twelve signs of every moving point. Houses are checked by point: a moving point with a
// paragraph for one house has them for all twelve (the progressed angles have none).
std::vector<std::string> MissingTopics(const InterpSource& source, const DynamicSection& section) {
  std::set<std::tuple<int, int, int, int>> have;
  for (const InterpTopic& t : source.topics) have.insert({t.kind, t.a, t.s, t.b});
  auto on = [](const std::string& flags, int i) { return i <= static_cast<int>(flags.size()) && flags[i - 1] == '1'; };
  std::vector<std::string> missing;
  for (int p = 1; p <= 36; ++p) {
    if (!on(section.points, p)) continue;
    for (int a = 1; a <= 26; ++a)
      for (int r = 1; r <= 36; ++r)
        if (on(section.aspects, a) && on(section.radix, r) && !have.count({18, p, a, r}))
          missing.push_back("Aspect " + std::to_string(p) + ", " + std::to_string(a) + ", " + std::to_string(r));
    int houses = 0;
    for (int h = 1; h <= 12; ++h) houses += have.count({15, p, h, 0}) ? 1 : 0;
    for (int k = 1; k <= 12; ++k) {
      if (!have.count({16, p, k, 0})) missing.push_back("Sign " + std::to_string(p) + ", " + std::to_string(k));
      if (houses > 0 && !have.count({15, p, k, 0}))
        missing.push_back("House " + std::to_string(p) + ", " + std::to_string(k));
    }
  }
  return missing;
}

// The problems of one paragraph, empty when it is clean. owners: how many chart owners
// the paragraph may name (2 for a set on two charts); `placeholders`: the letters its
// statement fills besides the owners' names.
std::vector<std::string> ParagraphProblems(std::string text, int owners = 1, std::string_view placeholders = "") {
  std::vector<std::string> problems;
  // Blank lines in the source become paragraph marks: check each paragraph alone.
  for (std::size_t p; (p = text.find("\r\n\\par ")) != std::string::npos;) text.replace(p, 7, "\n");
  if (text.empty()) problems.push_back("empty paragraph");
  for (char c : {'{', '}', '\\', '|', '\t'})
    if (text.find(c) != std::string::npos) problems.push_back(std::string("stray '") + c + "'");
  if (text.find("  ") != std::string::npos) problems.push_back("double blank");
  for (const char* bad : {",.", " .", " ,", ".."})
    if (text.find(bad) != std::string::npos) problems.push_back(std::string("broken punctuation \"") + bad + "\"");
  for (std::size_t p = text.find('%'); p != std::string::npos; p = text.find('%', p + 1)) {
    const char next = p + 1 < text.size() ? text[p + 1] : '\0';
    if (next >= 'A' && next <= 'Z') {
      if (placeholders.find(next) == std::string_view::npos) problems.push_back("placeholder the statement does not fill");
    } else if (next < '1' || next > '0' + owners) {
      problems.push_back("placeholder of no owner");
    }
  }
  // Gender choices: [male/female] for the first owner, [male/female/2] for the second of
  // two; never nested, never with another number of parts.
  for (std::size_t open = text.find('['); open != std::string::npos; open = text.find('[', open + 1)) {
    std::size_t close = text.find(']', open);
    std::string group = close == std::string::npos ? "" : text.substr(open + 1, close - open - 1);
    std::vector<std::string> parts = Split(group, '/');
    bool ownerChoice = parts.size() == 3 && owners >= 2 && parts[2] == "2";
    if (close == std::string::npos || group.find('[') != std::string::npos || (parts.size() != 2 && !ownerChoice))
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

// The problems of a compiled report's statements and paragraphs, each with where it is;
// statements counts the statements met.
std::vector<std::string> StatementProblems(const std::vector<PlacedRecord>& records, int owners, int& statements) {
  std::vector<std::string> problems;
  // A statement is known by its section, its two-chart test (each starts a new pair of
  // statements), the conditions it is nested under and itself.
  using Key = std::tuple<int, std::array<std::int32_t, 8>, bool>;
  std::string section;
  int pairTest = 0;
  std::vector<std::pair<int, Key>> conditions;  // level and statement of the enclosing ones
  std::set<std::tuple<std::string, int, std::vector<std::pair<int, Key>>, Key>> seen;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const CompiledRecord& r = records[i].record;
    const std::string where = section + ", statement code " + std::to_string(r.code) + " at " +
                              std::to_string(records[i].position) + ": ";
    if (r.IsSection()) {
      if (r.text.empty()) problems.push_back("section without a title at " + std::to_string(records[i].position));
      section = r.text;
      conditions.clear();
      continue;
    }
    ++statements;
    while (!conditions.empty() && conditions.back().first >= r.level) conditions.pop_back();
    if (TextLess(r.code)) {
      if (!r.text.empty()) problems.push_back(where + "paragraph under a statement that writes none");
      if (r.code == 100) ++pairTest;
      continue;
    }
    const bool nestsOthers = i + 1 < records.size() && !records[i + 1].record.IsSection() &&
                             records[i + 1].record.level > r.level;
    if (!nestsOthers && r.text.empty()) problems.push_back(where + "statement without its paragraph");
    // A negated statement names nothing.
    const std::string_view fills = r.negated ? "" : StatementPlaceholders(static_cast<StatementCode>(r.code));
    if (!r.text.empty())
      for (const std::string& problem : ParagraphProblems(r.text, owners, fills))
        problems.push_back(where + problem + ": " + r.text.substr(0, 60));
    const Key key{r.code, r.params, r.negated};
    // Explanations and introductions may repeat.
    if (r.code != 6 && r.code != 51 && !seen.insert({section, pairTest, conditions, key}).second)
      problems.push_back(where + "statement repeated in its section");
    if (nestsOthers) conditions.emplace_back(r.level, key);
  }
  return problems;
}

struct ShippedSet {
  const char* name;
  int owners;  // the chart owners its paragraphs may name
};

void PrintTo(const ShippedSet& set, std::ostream* os) { *os << set.name; }

class ShippedReportSource : public ::testing::TestWithParam<ShippedSet> {};

TEST_P(ShippedReportSource, CompilesCleanlyWithWellFormedParagraphs) {
  const std::string name = GetParam().name;
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
  int statements = 0;
  for (const std::string& problem : StatementProblems(ReadCompiledRecords(*data, false), GetParam().owners, statements))
    ADD_FAILURE() << problem;
  // A forecast set's dated paragraphs live in its interpretation files, not in its text.
  const std::size_t dynamicSections = DynamicSections(Template + name + ".swp").size();
  EXPECT_GT(statements, dynamicSections > 0 ? 5 : 50);
  for (const PlacedRecord& placed : ReadCompiledRecords(*data, false)) {
    const CompiledRecord& r = placed.record;
    if (r.code == 79 || r.code == 80) {
      EXPECT_LT(static_cast<std::size_t>(r.params[0]), dynamicSections) << "a dynamic statement names no section";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sets, ShippedReportSource,
                         ::testing::Values(ShippedSet{"modern", 1}, ShippedSet{"traditional", 1},
                                           ShippedSet{"synastry", 2}, ShippedSet{"composite", 2},
                                           ShippedSet{"horary", 1}, ShippedSet{"modern_es", 1},
                                           ShippedSet{"solar_return", 1}, ShippedSet{"transits", 1},
                                           ShippedSet{"progressions", 1}),
                         [](const ::testing::TestParamInfo<ShippedSet>& info) { return std::string(info.param.name); });

TEST(ReportSourceLint, FindsTheFaultsItIsMeantToCatch) {
  struct Case {
    const char* text;
    const char* problem;
    int owners = 1;
    const char* fills = "";
  } cases[] = {
      {"With the Sun in Aries, %1 acts first.", nullptr},
      {"First.\r\n\\par \r\n\\par Second.", nullptr},
      {"<BOLDON>Bold.<BOLDOFF> Plain text.", nullptr},
      {"[He/She] acts; [his/her] drive.", nullptr},
      {"[He/She/2] acts.", "malformed choice"},
      {"[he] acts.", "malformed choice"},
      {"[he/she acts.", "malformed choice"},
      {"Name %2 here.", "placeholder of no owner"},
      {"%1 meets %2; [he/she] and [he/she/2] talk.", nullptr, 2},
      {"[He/She/3] acts.", "malformed choice", 2},
      {"[He/She/2/1] acts.", "malformed choice", 2},
      {"Name %3 here.", "placeholder of no owner", 2},
      {"Named: %P and %1.", "placeholder the statement does not fill"},
      {"Named: %P and %1.", nullptr, 1, "P"},
      {"Used %H for %R.", nullptr, 1, "HR"},
      {"Used %H for %X.", "placeholder the statement does not fill", 1, "HR"},
      {"Two  blanks.", "double blank"},
      {"On the Descendant,. Then more.", "broken punctuation"},
      {"<BOLDON>never closed.", "unbalanced <BOLDON>"},
      {"<CENTER>centred.", "unknown markup token"},
      {"A {brace}.", "stray '{'"},
      {"Cut off in the middle of", "paragraph does not end a sentence"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    auto problems = ParagraphProblems(c.text, c.owners, c.fills);
    if (!c.problem) {
      EXPECT_TRUE(problems.empty()) << problems.front();
    } else {
      bool found = false;
      for (const auto& p : problems) found = found || p.rfind(c.problem, 0) == 0;
      EXPECT_TRUE(found) << "expected " << c.problem;
    }
  }
}

// The readable source of each shipped dynamic interpretation file: data/reports/dynamic/
// holds NAME.txt for the file NAME.int a set names.
class ShippedDynamicSet : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedDynamicSet, HasACleanParagraphForEveryConfigurationItsSearchFinds) {
  const std::vector<DynamicSection> sections = DynamicSections(Template + GetParam() + ".swp");
  ASSERT_FALSE(sections.empty());
  for (const DynamicSection& section : sections) {
    SCOPED_TRACE(section.file);
    ASSERT_EQ(FolderOf(section.file), "") << "a shipped interpretation file lies in the source folder";
    const auto text = ReadFileBytes(std::string(KORVANA_SOURCE_DATA_DIR) + "/reports/dynamic/" +
                                    BaseNameOf(section.file) + ".txt");
    ASSERT_TRUE(text);
    const InterpSource source = ParseInterpSource(*text);
    EXPECT_NO_THROW(BuildInterpFile(source, 300, source.directed.value_or(false)));
    for (const InterpTopic& topic : source.topics) {
      for (const std::string& problem : ParagraphProblems(topic.text))
        ADD_FAILURE() << "line " << topic.line << ": " << problem << ": " << topic.text.substr(0, 60);
    }
    for (const std::string& topic : MissingTopics(source, section)) ADD_FAILURE() << "no paragraph for " << topic;
  }
}

INSTANTIATE_TEST_SUITE_P(Sets, ShippedDynamicSet, ::testing::Values("transits", "progressions"));

TEST(DynamicTopicCheck, NamesEveryConfigurationWithoutItsParagraph) {
  const DynamicSection section{"t.int", "00000001", "001", "1001"};  // Jupiter; Sun; conjunction, square
  std::string complete = "[Aspect Jupiter, Conjunction, Sun]\nA.\n[Aspect Jupiter, Square, Sun]\nB.\n";
  for (const char* sign : {"Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo", "Libra", "Scorpio", "Sagittarius",
                           "Capricorn", "Aquarius", "Pisces"})
    complete += std::string("[Sign Jupiter, ") + sign + "]\nS.\n";
  struct Case {
    std::string extra;  // appended to the complete source, or
    std::string drop;   // a heading taken out of it
    std::vector<std::string> missing;
  } cases[] = {
      {"", "", {}},
      {"", "[Aspect Jupiter, Square, Sun]", {"Aspect 8, 4, 3"}},
      {"", "[Sign Jupiter, Pisces]", {"Sign 8, 12"}},
      {"[Aspect Jupiter, Trine, Sun]\nNot selected.\n", "", {}},
      {"[House Jupiter, 1]\nH.\n[House Jupiter, 2]\nH.\n", "", {}},
  };
  // Houses 1 and 2 only: the other ten are missing.
  cases[4].missing = {"House 8, 3", "House 8, 4", "House 8, 5", "House 8, 6", "House 8, 7",
                      "House 8, 8", "House 8, 9", "House 8, 10", "House 8, 11", "House 8, 12"};
  for (const Case& c : cases) {
    std::string text = complete + c.extra;
    if (!c.drop.empty()) text.replace(text.find(c.drop), c.drop.size(), "[Topic 3, 1]");
    SCOPED_TRACE(c.drop + c.extra);
    EXPECT_EQ(MissingTopics(ParseInterpSource(text), section), c.missing);
  }
}


// Small sources compiled here: the structure checks find what they are meant to find
// and accept nested conditions and two-chart pairs.
TEST(ReportSourceLint, StatementChecksSeeNestingAndPairs) {
  struct Case {
    const char* source;
    const char* problem;  // nullptr: clean
  } cases[] = {
      {"*Section 1\nT\n*Sun Aries\nText.\n*Moon Aries\nText.\n", nullptr},
      // A condition with nothing under it would join the next statement as an alternative.
      {"*Section 1\nT\n*Sun Aries\n*Moon Aries\nText.\n", "statement without its paragraph"},
      {"*Section 1\nT\n*Sun Aries\n+Moon Aries\nText.\n", nullptr},
      {"*Section 1\nT\n*Sun Aries\nText.\n*Sun Aries\nAgain.\n", "statement repeated in its section"},
      // The same statement under two different conditions, or in two pairs, is two cases.
      {"*Section 1\nT\n*Sun Aries\n+Moon Aries\nA.\n*Sun Taurus\n+Moon Aries\nB.\n", nullptr},
      {"*Section 1\nT\n*Sun Aries\n+Moon Aries\nA.\n+Moon Aries\nB.\n", "statement repeated in its section"},
      {"*Section 1\nT\n*TestBothCharts 2 1\n*Sun Aries\n+Moon Aries\nA.\n"
       "*TestBothCharts 2 1\n*Sun Aries\n+Moon Taurus\nB.\n",
       nullptr},
      {"*Section 1\nT\n*Sun Aries\n%1 and %2.\n", "placeholder of no owner"},
  };
  testing::TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    ASSERT_TRUE(WriteFileAtomic(folder / "lint.txt", c.source));
    testing::RecordingMessages messages;
    std::vector<std::string> list;
    ASSERT_TRUE(CompileReportText(folder / "lint.txt", folder / "lint.bin", list, messages, CompileInputs{}).written);
    auto data = ReadFileBytes(folder / "lint.bin");
    ASSERT_TRUE(data);
    int statements = 0;
    std::vector<std::string> problems = StatementProblems(ReadCompiledRecords(*data, false), 1, statements);
    if (!c.problem) {
      EXPECT_TRUE(problems.empty()) << problems.front();
    } else {
      bool found = false;
      for (const auto& p : problems) found = found || p.find(c.problem) != std::string::npos;
      EXPECT_TRUE(found) << "expected " << c.problem;
    }
  }
}

}  // namespace
}  // namespace korvana
