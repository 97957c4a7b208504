// Every report set of the shipped template, walked for 500 random charts (random pairs
// for two-chart sets): each paragraph is reached by some chart, or is listed with its
// reason in unreachable_paragraphs.txt. New sets are checked as soon as they ship.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "core/astro/ephemeris.h"
#include "core/config/program_start.h"
#include "core/reports/coverage/random_charts.h"
#include "core/reports/coverage/set_coverage.h"
#include "core/util/files.h"
#include "core/util/text.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

constexpr int RandomRuns = 500;

// "set | file | statement" -> why.
std::map<std::string, std::string> ExplainedExceptions() {
  std::map<std::string, std::string> list;
  const std::string text = ReadFileBytes(KORVANA_UNREACHABLE_LIST).value_or("");
  for (std::string_view line : Split(text, '\n')) {
    line = Trim(line);
    if (line.empty() || line.front() == ';') continue;
    std::vector<std::string> f;
    for (std::string_view part : Split(line, '|')) f.emplace_back(Trim(part));
    EXPECT_EQ(f.size(), 4u) << "malformed line: " << line;
    if (f.size() != 4) continue;
    EXPECT_FALSE(f[3].empty()) << "no reason given: " << line;
    list[f[0] + " | " + f[1] + " | " + f[2]] = f[3];
  }
  return list;
}

std::vector<std::string> ShippedSets() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(KORVANA_TEMPLATE_DIR))
    if (entry.path().extension() == ".swp") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ShippedCoverage, EveryParagraphOfEverySetIsReachedOrExplained) {
  testing::TempFolder folder;
  testing::RecordingMessages messages;
  ProgramSettings settings;
  StartProgram(settings, folder.Path() + "home", folder.Path() + "registry.ini", TemplateFolder(KORVANA_TEMPLATE_DIR),
               &SwissEphemerisUsable, messages);
  std::map<std::string, std::string> exceptions = ExplainedExceptions();
  const std::vector<std::string> sets = ShippedSets();
  ASSERT_FALSE(sets.empty());
  for (const std::string& name : sets) {
    SCOPED_TRACE(name);
    TKVReport set;
    ASSERT_TRUE(LoadReportSet(ResolveInFolder(name + ".swp", settings.SystemPath), set, settings, messages))
        << messages.Only();
    const SetCoverage c = MeasureCoverage(set, RandomCoverageRuns(set, RandomRuns, DefaultCoverageSeed, settings), settings);
    EXPECT_EQ(c.refused, 0) << c.refused << " runs refused";
    for (const auto& [text, times] : c.messages) ADD_FAILURE() << times << " runs showed: " << text;
    ASSERT_TRUE(c.sourceLines) << "the source no longer compiles to the shipped report";
    const std::string source = settings.SourcePath;
    for (const CoverageParagraph* p : c.Unreached()) {
      const std::string file = p->file.rfind(source, 0) == 0 ? p->file.substr(source.size()) : p->file;
      const std::string key = name + " | " + file + " | " + p->statement;
      if (exceptions.erase(key) == 0)
        ADD_FAILURE() << "no chart reaches " << file << ":" << p->line << " " << p->statement << " ["
                      << c.sections[p->section].title << "]";
    }
    for (const CoverageSection* s : c.AlwaysEmpty())
      ADD_FAILURE() << "section \"" << s->title << "\" is empty in every report";
  }
  // What is left was reached after all, or is gone (or its set is).
  for (const auto& [key, why] : exceptions) ADD_FAILURE() << "listed as unreachable but reached or gone: " << key;
}

}  // namespace
}  // namespace korvana
