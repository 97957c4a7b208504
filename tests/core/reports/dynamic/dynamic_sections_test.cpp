// The dynamic sections of a report run: the searches over the report set's period, the
// entries the walk's DynamicBackground and DynamicReport statements print (period line,
// dated headings, keyword titles, paragraphs with the owners' names, time lines) in RTF
// and PDF, the sections' summaries, the failure entry, and the period a run chooses.
// The radix is a real chart (9 March 1987), searched with the Sun and Mars moving.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "../composer/report_fixture.h"
#include "../pdf/recording_pdf_engine.h"
#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"
#include "core/dynamic/dynamic_test_support.h"
#include "core/reports/compiler/compiler.h"
#include "core/reports/dynamic/dynamic_sections.h"
#include "core/reports/frontpage/front_page.h"
#include "core/reports/interps/interp_builder.h"
#include "core/reports/pdf/pdf_report.h"
#include "core/util/files.h"
#include "support/placeable_wmf.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"
#include "support/text_search.h"

namespace korvana {
namespace {

using testing::CountOf;
using testing::Has;
constexpr const char* Interpretations =
    "Directed=1\n"
    "[Aspect Sun, Conjunction, Sun]\nThe return of %1's Sun.\n"
    "[Aspect Mars, Square, Sun]\nMars tests %1.\n"
    "[Sign Sun, Pisces]\nThe Sun swims in Pisces.\n"
    "[Sign Mars, Cancer]\nMars wades in Cancer.\n";

// Records what it is asked to draw and writes a small real picture.
class RecordingTimeLines : public TimeLinePictures {
 public:
  bool DrawTimeLine(const TimeLinePeriod& period, const TDynamicTextEntry& entry, const std::string& path) override {
    periods.push_back(period);
    entries.push_back(entry.Keyword);
    return WriteFileAtomic(path, testing::PlaceableWmf(0, 0, 512, 42, 96));
  }
  std::vector<TimeLinePeriod> periods;
  std::vector<std::string> entries;
};

class DynamicSectionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SwissEphemerisUsable(SystemSwissEphemerisFolder));
    for (const char* sub : {"tmp", "user", "reports"}) std::filesystem::create_directories(folder / sub);
    settings.SystemPath = settings.SourcePath = folder.Path();
    settings.TempPath = folder / "tmp";
    settings.UserPath = folder / "user";
    settings.ReportPath = folder / "reports/";
    settings.SwissEphemPath = SystemSwissEphemerisFolder;
    settings.Summary = false;
    settings.PageBreaks = false;
    settings.ShowTimeLineDiagrams = true;
    report.caption = "Forecast";
    report.almutenFile = folder / "none.alm";
    report.aspectFile = folder / "user/current.asp";
    ASSERT_TRUE(testing::SaveTestAspectFile(report.aspectFile));
    report.includesDynRep = true;
    report.dynFiles = {folder / "transits.int"};
    report.dynTypeNames = {"Transits"};
    report.dynP1TypeNames = {"Transiting"};
    report.dynP2TypeNames = {"Radix"};
    report.dynPointsAvailable = {"0010001"};  // Sun, Mars
    report.dynPointsSelected = {"1111111"};
    report.radixPointsAvailable = {"001"};  // Sun
    report.radixPointsSelected = {"111"};
    report.dynAspectsAvailable = {"1001"};  // conjunction, square
    report.dynAspectsSelected = {"1111"};
    report.setFile = folder.Write("dyn.swp", "[Dynamic]\nUseCurrentDateAsBase=0\nYear=2026\nMonth=1\nDay=1\n"
                                             "Duration=1\nDurationUnit=0\n");
    folder.Write("transits.txt", Interpretations);
    BuildInterpFileFromSource(folder / "transits.txt", folder / "transits.int", std::nullopt, std::nullopt);
    charts.push_back(CastChart(testing::ChartAt(1987, 3, 9, 6, 0, 52.0, -13.4)));
    charts[0].Chart.Name = "Anna Smith";
  }

  void Compile(const std::string& statements) {
    folder.Write("r.txt", "*Section 0\nFront\n\n*Section 1\nForecast\n\n" + statements);
    std::vector<std::string> list;
    const CompileResult result = CompileReportText(folder / "r.txt", folder / "r.bin", list, messages);
    ASSERT_TRUE(result.written) << (list.empty() ? std::string() : list.back());
  }

  ReportRun Run(ReportDynamicSections& dynamic, const std::string& output) {
    ReportRun run;
    run.compiledFile = folder / "r.bin";
    run.indexFile = folder / "r.ind";
    run.outputFile = folder / output;
    run.charts = charts;
    run.report = &report;
    run.settings = &settings;
    run.ownerNames = {"Anna"};
    run.aspects = &aspects;
    run.messages = &messages;
    run.dynamic = &dynamic;
    return run;
  }

  std::string Rtf(ReportDynamicSections& dynamic) {
    outcome = driver.GenerateRtfReport(Run(dynamic, "out.rtf"));
    return folder.Read("out.rtf");
  }


  testing::TempFolder folder;
  testing::RecordingMessages messages;
  ProgramSettings settings;
  TKVReport report;
  AspectSet aspects = testing::MajorAspects();
  std::vector<CalculatedChart> charts;
  ReportDriver driver;
  ReportOutcome outcome;
  RecordingTimeLines timeLines;
};

TEST_F(DynamicSectionsTest, TheStatementsPrintDatedEntriesWithTitlesParagraphsAndTimeLines) {
  Compile("*DynamicBackground 0\n*DynamicReport 0\n*Sun Pisces\nAFTER\n");
  ReportDynamicSections dynamic(&timeLines);
  const std::string rtf = Rtf(dynamic);
  ASSERT_TRUE(outcome.written) << outcome.problem;
  EXPECT_FALSE(outcome.failed);

  // The background list prints the sign entries that have paragraphs, the report list
  // the aspects; each list is headed by the period line.
  EXPECT_EQ(CountOf(rtf, "From 1 Jan 2026 until 1 Jan 2027"), 2);
  EXPECT_TRUE(Has(rtf, "TRANSITING SUN IN PISCES - The Sun swims in Pisces."));
  EXPECT_TRUE(Has(rtf, "TRANSITING SUN CONJUNCTION RADIX SUN - The return of Anna's Sun.")) << "names substituted";
  // The solar return falls on the birthday; the sign entry reads its ingress and egress.
  EXPECT_TRUE(std::regex_search(rtf, std::regex("\\{\\\\b (8|9|10) Mar 2026\\}    \\(")));
  EXPECT_TRUE(std::regex_search(rtf, std::regex("\\{\\\\b Enters 1[89] Feb 2026, Leaves 20 Mar 2026\\}")));
  EXPECT_TRUE(Has(rtf, "AFTER")) << "the walk goes on after the dynamic sections";

  // Every printed entry, no other, in its section's order, with its time line before it.
  const DynamicSectionLists& lists = dynamic.Lists().at(0);
  std::vector<std::string> printed;
  for (bool background : {true, false})
    for (const TDynamicTextEntry* e : PrintedEntries(background ? lists.background : lists.report, background))
      printed.push_back(e->Keyword);
  ASSERT_GE(printed.size(), 3u);
  EXPECT_EQ(timeLines.entries, printed);
  EXPECT_EQ(CountOf(rtf, "{\\pict"), static_cast<int>(printed.size()));
  std::size_t at = 0;
  for (const std::string& keyword : printed) {
    std::string upper = keyword;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::size_t found = rtf.find(upper + " - ", at);
    ASSERT_NE(found, std::string::npos) << keyword;
    EXPECT_LT(rtf.rfind("{\\pict", found), found);
    at = found;
  }
  // The time lines show the period itself, not the extended search's.
  ASSERT_FALSE(timeLines.periods.empty());
  EXPECT_DOUBLE_EQ(timeLines.periods[0].startUT, 2461041.5);
  EXPECT_DOUBLE_EQ(timeLines.periods[0].endUT, 2461041.5 + 365);
}

TEST_F(DynamicSectionsTest, SettingsChooseTimeLinesTitlesAndPageBreaks) {
  Compile("*KeywordTitlesOff\n*DynamicReport 0\n");
  settings.ShowTimeLineDiagrams = false;
  settings.PageBreaks = true;
  ReportDynamicSections dynamic(&timeLines);
  const std::string rtf = Rtf(dynamic);
  EXPECT_TRUE(timeLines.entries.empty());
  EXPECT_FALSE(Has(rtf, "{\\pict"));
  EXPECT_TRUE(Has(rtf, "The return of Anna's Sun."));
  EXPECT_FALSE(Has(rtf, "RADIX SUN - ")) << "keyword titles off: no prefix";
  EXPECT_TRUE(std::regex_search(rtf, std::regex("\\\\page[^]{0,200}From 1 Jan 2026 until 1 Jan 2027")));
}

TEST_F(DynamicSectionsTest, AFailedSearchPrintsItsErrorEntryAndTheReportGoesOn) {
  Compile("*DynamicBackground 0\n*DynamicReport 0\n*Sun Pisces\nAFTER\n");
  // The search's files cannot be written: the temporary folder is a file.
  settings.TempPath = folder.Write("not-a-folder", "x") + "/tmp";
  ReportDynamicSections dynamic(&timeLines);
  const std::string rtf = Rtf(dynamic);
  ASSERT_TRUE(outcome.written);
  EXPECT_FALSE(outcome.failed);
  EXPECT_EQ(CountOf(rtf, "ERROR - An error occurred during dynamic report generation. Error code: " +
                           std::to_string(SearchFilesUnwritable)),
            1)
      << "once: the error entry belongs to the report list";
  EXPECT_TRUE(Has(rtf, "AFTER"));
}

TEST_F(DynamicSectionsTest, AMissingInterpretationFileIsNamedInEveryEntry) {
  Compile("*DynamicReport 0\n");
  report.dynFiles = {folder / "gone.int"};
  ReportDynamicSections dynamic(&timeLines);
  const std::string rtf = Rtf(dynamic);
  const int entries = static_cast<int>(PrintedEntries(dynamic.Lists().at(0).report, false).size());
  ASSERT_GT(entries, 0);
  EXPECT_EQ(CountOf(rtf, "Interpretations file invalid or missing: " + (folder / "gone.int")), entries);
}

TEST_F(DynamicSectionsTest, TheSummaryListsEachSectionUnderItsTypeName) {
  Compile("*DynamicReport 0\n");
  settings.Summary = true;
  RtfFrontPageWriter front;
  ReportDynamicSections dynamic(&timeLines);
  ReportRun run = Run(dynamic, "out.rtf");
  run.frontPage = &front;
  outcome = driver.GenerateRtfReport(run);
  const std::string rtf = folder.Read("out.rtf");
  ASSERT_EQ(dynamic.Summaries().size(), 1u);
  // The section's type name heads its summary, which follows the aspects table.
  const std::size_t points = rtf.find("Transiting Points:} Sun, Mars");
  ASSERT_NE(points, std::string::npos);
  EXPECT_GT(points, rtf.find("Chart Point Aspects"));
  EXPECT_NE(rtf.rfind("Transits", points), std::string::npos);
  EXPECT_TRUE(Has(rtf, "Radix Points:} Sun\r\n"));
  EXPECT_TRUE(Has(rtf, "Dynamic Aspects:} Conjunction (0\xB0" "00'), Square (90\xB0" "00')"));
  EXPECT_TRUE(Has(rtf, "UT +0:00"));
}

TEST_F(DynamicSectionsTest, ThePdfReportPrintsTheSameEntries) {
  Compile("*DynamicBackground 0\n*DynamicReport 0\n");
  testing::RecordingPdfEngine engine;
  ReportDynamicSections dynamic(&timeLines);
  outcome = GeneratePdfReport(driver, Run(dynamic, "out.pdf"), engine, {});
  ASSERT_TRUE(outcome.written) << outcome.problem;
  std::string words;
  for (const testing::WrittenText& t : engine.Body()) words += t.text + " ";
  EXPECT_TRUE(Has(words, "From 1 Jan 2026 until 1 Jan 2027"));
  EXPECT_TRUE(Has(words, "TRANSITING SUN CONJUNCTION RADIX SUN - The return of Anna's Sun."));
  EXPECT_TRUE(Has(words, "Enters "));
  EXPECT_EQ(engine.pictures.size(), timeLines.entries.size());
  for (const testing::DrawnPicture& p : engine.pictures) EXPECT_EQ(p.file, folder / "reports/temp.wmf");
}

TEST_F(DynamicSectionsTest, ARunsPeriodReplacesTheSets) {
  const struct {
    const char* name;
    DynamicPeriodChoice choice;
    const char* line;
  } cases[] = {
      {"the set's", {}, "From 1 Jan 2026 until 1 Jan 2027"},
      {"a start", {DateTimeRec{2025, 7, 15, 0, 0, 0, calAuto}, std::nullopt}, "From 15 Jul 2025 until 15 Jul 2026"},
      {"a length", {std::nullopt, PeriodLength{18, DurationMonths}}, "From 1 Jan 2026 until 1 Jul 2027"},
  };
  for (const auto& c : cases) {
    const TDynRepUserData s = ReportDynamicSettings(report, c.choice);
    EXPECT_EQ(PeriodLine(s, {}, 0, false), c.line) << c.name;
  }
  // A set without a "Dynamic" section starts from today's month.
  report.setFile = folder.Write("bare.swp", "[Report]\n");
  const TDynRepUserData bare = ReportDynamicSettings(report, {});
  EXPECT_TRUE(bare.UseCurrentDateAsBase);
  EXPECT_EQ(PeriodStart(bare, DateTimeRec{2026, 5, 15, 0, 0, 0, calAuto}).Day, 1);
}

}  // namespace
}  // namespace korvana
