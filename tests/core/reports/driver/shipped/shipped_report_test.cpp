// The shipped report sets written for sample charts: the modern report has the index's
// section titles with keyword titles and paragraphs, and LibreOffice opens it; the Spanish
// report reads as Spanish throughout, with no English word outside names; the synastry
// report names each person where the contact found between their charts puts them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>

#include "core/analysis/aspect_file.h"
#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"
#include "core/charts/chart_files.h"
#include "core/reports/driver/report_driver.h"
#include "core/reports/driver/report_questions.h"
#include "core/reports/reportset/report_set.h"
#include "core/util/files.h"
#include "core/util/text.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

const std::string Template = std::string(KORVANA_TEMPLATE_DIR) + "/";

class ShippedReport : public ::testing::Test {
 protected:
  ShippedReport() {
    settings.SystemPath = settings.CompilePath = settings.EphemPath = Template;
    settings.UserPath = settings.ChartPath = Template + "userdata/";
    settings.SourcePath = Template + "source/";
    settings.ReportPath = folder.Path();
    SwissEphemerisUsable(Template + "swisseph/");
  }

  // A sample chart cast with its own house system.
  CalculatedChart Cast(const StoredChart& sample) const {
    CastOptions options = CastOptionsFrom(settings);
    options.HouseSystem = sample.houseSystem;
    return CastChart(sample.chart, options);
  }

  // Runs the shipped set `set` (its report and aspects loaded) over the charts, owners and
  // output file already in `run`.
  ReportOutcome Generate(ReportRun& run, const std::string& set, const TKVReport& report, const AspectSet& aspects) {
    run.compiledFile = report.compiledFile;
    run.indexFile = Template + set + ".ind";
    run.report = &report;
    run.settings = &settings;
    run.aspects = &aspects;
    run.messages = &messages;
    ReportDriver driver;
    return driver.GenerateRtfReport(run);
  }

  // Writes the RTF report of a shipped set for sample chart `chart` (from 0) of main.cht,
  // with the chart owner's gender; returns the RTF text, empty when nothing was written.
  std::string WriteReport(const std::string& set, std::size_t chart) {
    TKVReport report;
    if (!LoadReportSet(Template + set + ".swp", report, settings, messages)) return {};
    AspectSet aspects;
    if (!LoadAspectFile(report.aspectFile, aspects, messages)) return {};
    std::vector<StoredChart> stored = ReadAllCharts(Template + "userdata/main.cht", settings);
    if (chart >= stored.size()) return {};
    ReportRun run;
    run.charts.push_back(Cast(stored[chart]));
    run.ownerNames = {GivenNameOf(stored[chart].chart.Name)};
    run.outputFile = ReportOutputFile(settings.ReportPath, report, ReportNameFor(run.charts, report));
    outcome = Generate(run, set, report, aspects);
    ownerName = run.ownerNames[0];
    names = {stored[chart].chart.Name, stored[chart].chart.Place, stored[chart].chart.Country, ownerName};
    return outcome.written ? folder.Read(NameOf(run.outputFile)) : std::string();
  }

  // The report as LibreOffice reads it, as plain text.
  std::string AsText(const std::string& rtf) {
    folder.Write("report.rtf", rtf);
    const std::string command = "soffice -env:UserInstallation=file://" + folder.Path() +
                                "profile --headless --convert-to txt:Text --outdir " + folder.Path() + " " +
                                folder.Path() + "report.rtf > " + folder.Path() + "soffice.log 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << folder.Read("soffice.log");
    return folder.Read("report.txt");
  }

  testing::TempFolder folder;
  testing::RecordingMessages messages;
  ProgramSettings settings;
  ReportOutcome outcome;
  std::string ownerName;
  std::vector<std::string> names;  // the chart's name, place and country and the owner's name
};

TEST_F(ShippedReport, ModernReportForTheFirstSampleChartOpensInLibreOffice) {
  const std::string rtf = WriteReport("modern", 0);
  ASSERT_FALSE(rtf.empty());
  EXPECT_FALSE(outcome.failed) << outcome.problem;
  EXPECT_GT(outcome.paragraphs, 20);
  EXPECT_NE(rtf.find("{\\i Sun is in "), std::string::npos);
  EXPECT_NE(rtf.find("The Sun, the Moon and the Ascendant"), std::string::npos);

  // LibreOffice reads the report and finds the same titles and texts.
  const std::string text = AsText(rtf);
  EXPECT_NE(text.find("The Sun, the Moon and the Ascendant"), std::string::npos) << text.substr(0, 400);
  EXPECT_NE(text.find("Sun is in "), std::string::npos);
  EXPECT_NE(text.find(ownerName), std::string::npos);
  EXPECT_GT(text.size(), 5000u);
}

// English function words and the program's own English report words: none may appear in
// a Spanish report. Names (of people, places, the maker) are free to be English.
const std::set<std::string> EnglishWords = {
    "the", "and", "of", "is", "in", "with", "his", "her", "he", "she", "him", "himself", "herself",
    "to", "for", "at", "by", "from", "are", "was", "this", "that", "not", "an", "or", "on", "its",
    "your", "their", "who", "which", "when", "page", "house", "sign", "planet", "aspect", "chart",
    "male", "female", "compliments", "summary", "positions", "applying", "separating", "orb",
    "ruler", "waxing", "waning", "diurnal", "nocturnal", "hemisphere", "element", "mode", "strong", "weak"};

// The words of a text: runs of letters (ASCII and UTF-8 multi-byte), lower-cased.
std::vector<std::string> WordsOf(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 0x80 || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z')) {
      word.push_back(AsciiLower(ch));
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

TEST_F(ShippedReport, SpanishReportHasNoEnglishWordOutsideNames) {
  // A man and a woman born in the north, a woman and a man born in the south.
  for (std::size_t chart : {0u, 2u, 10u, 11u}) {
    SCOPED_TRACE("sample chart " + std::to_string(chart + 1));
    const std::string rtf = WriteReport("modern_es", chart);
    ASSERT_FALSE(rtf.empty());
    EXPECT_FALSE(outcome.failed) << outcome.problem;
    EXPECT_GT(outcome.paragraphs, 20);
    // The footer's page word and the declared language are Spanish too.
    EXPECT_EQ(rtf.find("\\footer \\pard\\plain\\qc\\f0\\fs18 Page "), std::string::npos);
    EXPECT_NE(rtf.find("\\deflang3082"), std::string::npos);
    std::string text = AsText(rtf);
    ASSERT_GT(text.size(), 5000u);
    for (const std::string& name : names)
      for (std::size_t at; !name.empty() && (at = text.find(name)) != std::string::npos;) text.erase(at, name.size());
    EXPECT_NE(text.find("El Sol, la Luna y el Ascendente"), std::string::npos);
    for (const std::string& word : WordsOf(text)) {
      EXPECT_EQ(EnglishWords.count(word), 0u) << "English word \"" << word << "\" near \""
                                              << text.substr(text.find(word) > 60 ? text.find(word) - 60 : 0, 140)
                                              << "\"";
    }
  }
}

TEST_F(ShippedReport, SynastryReportNamesEachPersonWhereTheContactPutsThem) {
  TKVReport report;
  ASSERT_TRUE(LoadReportSet(Template + "synastry.swp", report, settings, messages));
  ASSERT_TRUE(report.synastry);
  AspectSet aspects;
  ASSERT_TRUE(LoadAspectFile(report.aspectFile, aspects, messages));
  std::vector<StoredChart> stored = ReadAllCharts(Template + "userdata/main.cht", settings);
  ASSERT_GT(stored.size(), 5u);
  ReportRun run;
  for (const StoredChart& s : {stored[0], stored[5]}) {  // Albert Einstein, Sigmund Freud
    run.charts.push_back(Cast(s));
    run.ownerNames.push_back(GivenNameOf(s.chart.Name));
  }
  run.highChart = 1;
  run.outputFile = folder / "synastry.rtf";
  outcome = Generate(run, "synastry", report, aspects);
  ASSERT_TRUE(outcome.written);
  EXPECT_FALSE(outcome.failed) << outcome.problem;

  const std::string text = AsText(folder.Read("synastry.rtf"));
  for (const char* leftover : {"%1", "%2", "[he/", "[his/", "<BOLD", "\\par"})
    EXPECT_EQ(text.find(leftover), std::string::npos) << leftover;
  // Every overlay heading "A's Planet is in B's Nth House" is followed by its paragraph
  // "The Planet of A falls in the ... house of B", whichever way round it was found.
  const std::regex heading("^(Albert|Sigmund)'s (Sun|Moon|Mercury|Venus|Mars|Jupiter|Saturn) is in "
                           "(Albert|Sigmund)'s [0-9]+(st|nd|rd|th) House$");
  std::istringstream lines(text);
  std::string line, previous;
  int overlays = 0, bothWays = 0;
  std::set<std::string> owners;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (Trim(line).empty()) continue;
    std::smatch m;
    if (std::regex_match(previous, m, heading)) {
      ++overlays;
      owners.insert(m[1]);
      EXPECT_NE(m[1], m[3]) << previous;
      EXPECT_EQ(line.rfind("The " + m[2].str() + " of " + m[1].str() + " falls in the ", 0), 0u) << previous << "\n" << line;
      EXPECT_NE(line.find(" house of " + m[3].str() + "."), std::string::npos) << line;
    }
    previous = line;
  }
  bothWays = static_cast<int>(owners.size());
  EXPECT_GE(overlays, 7);
  EXPECT_EQ(bothWays, 2) << "each person's planets in the other's houses";
  EXPECT_NE(text.find("Albert's Ascendant is Trine Sigmund's Ascendant"), std::string::npos);
}

}  // namespace
}  // namespace korvana
