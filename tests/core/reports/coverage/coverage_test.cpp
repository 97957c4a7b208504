// Report coverage over random charts, on a small report set compiled here: counts per
// paragraph, the paragraphs never reached, the empty sections, the source lines, and the
// runs made for each kind of set.
#include "core/reports/coverage/set_coverage.h"

#include <gtest/gtest.h>

#include <set>

#include "core/astro/ephemeris.h"
#include "core/reports/compiler/compiler.h"
#include "core/reports/coverage/random_charts.h"
#include "core/time/date_time_rec.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"
#include "support/template_settings.h"

namespace korvana {
namespace {

const std::string Template = std::string(KORVANA_TEMPLATE_DIR) + "/";

// Mercury never stands more than 28 degrees from the Sun, Venus never more than 48: their
// oppositions to the Sun are never reached, and the "Never" section stays empty.
constexpr const char* Source =
    "*Section 0\n"
    "Front Page\n"
    "\n"
    "*Section 1\n"
    "Always\n"
    "\n"
    "*Introduction\n"
    "Written for every chart.\n"
    "\n"
    "*Sun Opposite Mercury\n"
    "Never written.\n"
    "\n"
    "*Section 1\n"
    "Never\n"
    "\n"
    "*Sun Opposite Venus\n"
    "Never written either.\n"
    "\n"
    "*Section 1\n"
    "Day or night\n"
    "\n"
    "*Diurnal Birth\n"
    "By day.\n"
    "\n"
    "*Nocturnal Birth\n"
    "By night.\n";

class CoverageTest : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  testing::RecordingMessages messages;
  ProgramSettings settings;
  TKVReport set;

  void SetUp() override {
    testing::UseTemplateFolders(settings, folder.Path() + "reports/");
    ASSERT_TRUE(LoadReportSet(Template + "modern.swp", set, settings, messages));
    Compile(Source);
  }

  void Compile(const std::string& text) {
    set.sourceFile = folder.Write("small.txt", text);
    set.compiledFile = folder.Path() + "small.bin";
    std::vector<std::string> list;
    ASSERT_TRUE(CompileReportText(set.sourceFile, set.compiledFile, list, messages).indexWritten);
  }

  const CoverageParagraph& Paragraph(const SetCoverage& c, const std::string& statement) {
    for (const CoverageParagraph& p : c.paragraphs)
      if (p.statement == statement) return p;
    ADD_FAILURE() << "no paragraph " << statement;
    return c.paragraphs.front();
  }
};

TEST_F(CoverageTest, CountsTheRunsReachingEachParagraphAndTheEmptySections) {
  const int runs = 40;
  const SetCoverage c = MeasureCoverage(set, RandomCoverageRuns(set, runs, DefaultCoverageSeed, settings), settings);
  EXPECT_EQ(c.runs, runs);
  EXPECT_EQ(c.refused, 0);
  ASSERT_EQ(c.paragraphs.size(), 5u);
  EXPECT_EQ(Paragraph(c, "*Introduction").reached, runs);
  const int day = Paragraph(c, "*Diurnal Birth").reached, night = Paragraph(c, "*Nocturnal Birth").reached;
  EXPECT_EQ(day + night, runs);
  EXPECT_GT(day, 0);
  EXPECT_GT(night, 0);

  std::vector<std::string> unreached;
  for (const CoverageParagraph* p : c.Unreached()) unreached.push_back(p->statement);
  EXPECT_EQ(unreached, (std::vector<std::string>{"*Sun Opposite Mercury", "*Sun Opposite Venus"}));

  ASSERT_EQ(c.sections.size(), 4u);
  for (const CoverageSection& s : c.sections) EXPECT_EQ(s.walked, runs) << s.title;
  EXPECT_EQ(c.sections[1].empty, 0);
  EXPECT_EQ(c.sections[2].empty, runs);
  EXPECT_EQ(c.sections[3].empty, 0);
  ASSERT_EQ(c.AlwaysEmpty().size(), 1u);
  EXPECT_EQ(c.AlwaysEmpty()[0]->title, "Never");
  EXPECT_EQ(c.sections[Paragraph(c, "*Sun Opposite Venus").section].title, "Never");
}

TEST_F(CoverageTest, ASectionWithContentOnlyInNestedSectionsIsNotEmpty) {
  Compile("*Section 0\nFront Page\n\n*Section 1\nOuter\n\n*Section 2\nInner\n\n*Introduction\nText.\n\n"
          "*Section 2\nInner never\n\n*Sun Opposite Mercury\nNever.\n");
  const SetCoverage c = MeasureCoverage(set, RandomCoverageRuns(set, 5, 7, settings), settings);
  ASSERT_EQ(c.sections.size(), 4u);
  EXPECT_EQ(c.sections[1].title, "Outer");
  EXPECT_EQ(c.sections[1].empty, 0);
  EXPECT_EQ(c.sections[3].empty, 5);
}

TEST_F(CoverageTest, ParagraphsCarryTheirSourceLineUntilTheSourceChanges) {
  SetCoverage c = CoverageOutline(set, settings);
  ASSERT_TRUE(c.sourceLines);
  const CoverageParagraph& venus = Paragraph(c, "*Sun Opposite Venus");
  EXPECT_EQ(venus.file, set.sourceFile);
  EXPECT_EQ(venus.line, 16u);
  EXPECT_EQ(Paragraph(c, "*Nocturnal Birth").line, 25u);

  // A source edited after the compile no longer tells where the compiled paragraphs are.
  std::string edited = Source;
  edited.replace(edited.find("By day."), 7, "In the daytime.");
  folder.Write("small.txt", edited);
  c = CoverageOutline(set, settings);
  EXPECT_FALSE(c.sourceLines);
  for (const CoverageParagraph& p : c.paragraphs) {
    EXPECT_EQ(p.line, 0u);
    EXPECT_FALSE(p.statement.empty());  // the pattern of its statement instead
  }
}

TEST(RandomCharts, AreRepeatableForASeedAndStayInsideTheirRanges) {
  ProgramSettings settings;
  RandomCharts a(5), b(5), other(6);
  bool differs = false;
  std::set<int> genders;
  for (int k = 0; k < 300; ++k) {
    const StoredChart x = a.Next(settings), y = b.Next(settings), z = other.Next(settings);
    ASSERT_EQ(x, y) << k;
    differs = differs || !(x.chart == z.chart);
    const ChartRecord& c = x.chart;
    EXPECT_GE(c.Moment.Year, RandomFirstYear);
    EXPECT_LE(c.Moment.Year, RandomLastYear);
    EXPECT_TRUE(IsGregorianDate(c.Moment.Year, c.Moment.Month, c.Moment.Day));
    EXPECT_LT(c.Moment.Hour, 24);
    EXPECT_LT(c.Moment.Minute, 60);
    EXPECT_LE(std::abs(c.Latitude), RandomLatitudeLimit);
    EXPECT_LE(std::abs(c.Longitude), 180.0);
    EXPECT_LE(std::abs(c.ZoneHours * 15.0 - c.Longitude), 7.5 + 1e-9);
    genders.insert(c.EventKind);
  }
  EXPECT_TRUE(differs);
  EXPECT_EQ(genders, (std::set<int>{EventMale, EventFemale}));
}

TEST(RandomCoverageRuns, FitTheKindOfSet) {
  ProgramSettings settings;
  struct Case {
    const char* what;
    bool synastry, composite, horary;
    std::vector<std::string> options;
    std::size_t charts;
    std::vector<std::string> optionTurns;  // the first four runs' options
  };
  const Case cases[] = {
      {"natal", false, false, false, {}, 1, {"", "", "", ""}},
      {"synastry", true, false, false, {}, 2, {"", "", "", ""}},
      {"composite", false, true, false, {}, 2, {"", "", "", ""}},
      {"horary", false, false, true, {}, 1, {"", "", "", ""}},
      {"two options", false, false, false, {"LOVE=Love life", "WORK = Work"}, 1, {"", "LOVE", "WORK", ""}},
  };
  for (const Case& c : cases) {
    TKVReport set;
    set.synastry = c.synastry;
    set.composite = c.composite;
    set.askQuesitedHouse = c.horary;
    set.options = c.options;
    const std::vector<CoverageRun> runs = RandomCoverageRuns(set, 24, 3, settings);
    ASSERT_EQ(runs.size(), 24u) << c.what;
    std::set<std::string> houses;
    for (std::size_t k = 0; k < runs.size(); ++k) {
      ASSERT_EQ(runs[k].charts.size(), c.charts) << c.what;
      if (c.charts == 2) EXPECT_FALSE(runs[k].charts[0] == runs[k].charts[1]) << c.what;
      for (const StoredChart& chart : runs[k].charts)
        EXPECT_EQ(chart.chart.EventKind == EventHorary, c.horary) << c.what;
      if (k < 4) EXPECT_EQ(runs[k].option, c.optionTurns[k]) << c.what << " run " << k;
      houses.insert(runs[k].quesited);
      EXPECT_GE(runs[k].yearsAfterBirth, 1);
      EXPECT_LE(runs[k].yearsAfterBirth, 80);
    }
    EXPECT_GT(houses.size(), 6u) << c.what;  // the quesited house varies
  }
}

TEST(ChartCoverageRuns, PairEachChartWithThePartnerOrTheNextChart) {
  TKVReport synastry;
  synastry.synastry = true;
  std::vector<StoredChart> charts(3);
  for (std::size_t k = 0; k < charts.size(); ++k) charts[k].chart.Name = "C" + std::to_string(k + 1);
  StoredChart partner;
  partner.chart.Name = "P";
  auto names = [](const std::vector<CoverageRun>& runs) {
    std::vector<std::string> n;
    for (const CoverageRun& r : runs) n.push_back(r.charts[0].chart.Name + "+" + r.charts[1].chart.Name);
    return n;
  };
  EXPECT_EQ(names(ChartCoverageRuns(synastry, charts, std::nullopt)), (std::vector<std::string>{"C1+C2", "C2+C3", "C3+C1"}));
  EXPECT_EQ(names(ChartCoverageRuns(synastry, charts, partner)), (std::vector<std::string>{"C1+P", "C2+P", "C3+P"}));
  const std::vector<CoverageRun> single = ChartCoverageRuns(TKVReport{}, charts, partner);
  ASSERT_EQ(single.size(), 3u);
  for (const CoverageRun& r : single) EXPECT_EQ(r.charts.size(), 1u);
}

}  // namespace
}  // namespace korvana
