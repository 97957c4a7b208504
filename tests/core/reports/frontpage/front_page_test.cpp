#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../composer/report_fixture.h"
#include "core/reports/compiler/compiler.h"
#include "core/reports/frontpage/front_page.h"
#include "core/reports/language/language.h"
#include "core/reports/reportset/report_set.h"
#include "core/util/files.h"
#include "core/util/records.h"
#include "support/placeable_wmf.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::MakeChart;
using testing::Place;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

// The text between two markers (to look at one table of the summary).
std::string Between(const std::string& text, const std::string& from, const std::string& to) {
  const std::size_t a = text.find(from);
  if (a == std::string::npos) return {};
  const std::size_t b = text.find(to, a + from.size());
  return text.substr(a, b == std::string::npos ? std::string::npos : b - a);
}

class SummaryTest : public ::testing::Test {
 protected:
  SummaryTest() {
    report.pointSelection = ParsePointSelection("1111111111111111111111111");
    layout = RtfLayout::FromSettings(settings);
    in.report = &report;
    in.settings = &settings;
    in.aspects = &aspects;
  }

  std::string Write() {
    RtfFile file;
    WriteSummary(file, layout, in);
    return file.Data();
  }

  ProgramSettings settings;
  TKVReport report;
  AspectSet aspects = testing::MajorAspects(8.0);
  RtfLayout layout;
  SummaryInputs in;
};

TEST_F(SummaryTest, PositionsTableListsComputedPointsWithHouseAndReadIntoComment) {
  CalculatedChart c = MakeChart("Anna Test   ");  // Aries rising, Sun 15 Leo in the 5th
  Place(c, PointMoon, 28.5);                        // 28°Ar30' in the 1st
  c.Point(PointMercury).Longitude = -1;             // not calculated: dashes, no position
  in.charts = {c};
  // Offset cusps 5 degrees later: the Moon at 28 Aries still reads into the 12th.
  std::array<double, 13> offset{};
  for (int h = 1; h <= 12; ++h) offset[static_cast<std::size_t>(h)] = std::fmod(30.0 * (h - 1) + 30.0, 360.0);
  in.offsetCusps[0] = offset;

  const std::string out = Write();
  EXPECT_EQ(out.rfind("\r\n\\par \\page\r\n", 0), 0u);
  EXPECT_TRUE(Has(out, "Astrological Summary"));
  EXPECT_TRUE(Has(out, "Chart Point Positions: Anna Test}"));  // name without its trailing blanks
  EXPECT_TRUE(Has(out, "28\xB0" "Ar30'"));
  EXPECT_TRUE(Has(out, "15\xB0" "Le00'"));
  EXPECT_TRUE(Has(out, std::string(lang::PointNameWithArticle(0, PointMoon))));
  // Mercury's row: its name and an en dash (code page 1252) for sign, position and house.
  const std::string mercury(lang::PointNameWithArticle(0, PointMercury));
  ASSERT_TRUE(Has(out, mercury));
  const std::string mercuryRow = Between(out, mercury, "\\row");
  EXPECT_EQ(Count(mercuryRow, "\x96"), 3) << mercuryRow;
  EXPECT_FALSE(Has(mercuryRow, "\xB0")) << mercuryRow;
  EXPECT_FALSE(Has(mercuryRow, "House")) << mercuryRow;
  // Moon: house 1 by the chart's cusps, house 12 by the offset cusps.
  EXPECT_TRUE(Has(out, "read into " + std::string(lang::HouseLabel(0, 12)) + " House"));
  EXPECT_TRUE(Has(out, "read into " + std::string(lang::HouseLabel(0, 4)) + " House"));  // Sun at 15 Leo
  EXPECT_EQ(Count(out, "read into"), 4);  // Moon, Sun, Ascendant and Midheaven move back a house
}

TEST_F(SummaryTest, OneChartAspectsListEachPairOnceWithApplyingOrSeparating) {
  CalculatedChart c = MakeChart("Anna");
  Place(c, PointMoon, 137.0, 13.0);  // Moon 2 degrees past the Sun and moving away
  Place(c, PointMars, 255.0, 0.5);   // Mars trine the Sun (exact), trine the Moon
  in.charts = {c};
  const std::string aspectsTable = Between(Write(), "Chart Point Aspects", "\\page");
  ASSERT_FALSE(aspectsTable.empty());
  EXPECT_TRUE(Has(aspectsTable, "App/Sep"));
  const std::string conj(lang::AspectName(0, 1));
  EXPECT_EQ(Count(aspectsTable, conj), 1);  // Sun-Moon once, not Moon-Sun again
  EXPECT_TRUE(Has(aspectsTable, "2\xB0" "00'"));
  EXPECT_TRUE(Has(aspectsTable, "Separating"));
  EXPECT_FALSE(Has(aspectsTable, "Synastry Aspects"));
}

TEST_F(SummaryTest, SynastryListsBothChartsAndAllCrossPairsWithoutTheApplyingColumn) {
  CalculatedChart a = MakeChart("Anna");
  CalculatedChart b = MakeChart("Bert", 90.0);
  Place(b, PointSun, 136.0);  // conjunct Anna's Sun
  in.charts = {a, b};
  in.twoCharts = true;
  report.synastry = true;
  const std::string out = Write();
  EXPECT_TRUE(Has(out, "Chart Point Positions: Anna"));
  EXPECT_TRUE(Has(out, "Chart Point Positions: Bert"));
  EXPECT_TRUE(Has(out, "Synastry Aspects: Anna to Bert"));
  EXPECT_FALSE(Has(out, "App/Sep"));
  EXPECT_FALSE(Has(out, "Applying"));
  EXPECT_FALSE(Has(out, "Separating"));
  const std::string table = Between(out, "Synastry Aspects", "\\page");
  EXPECT_TRUE(Has(table, std::string(lang::AspectName(0, 1))));  // Sun conjunct Sun
  // Anna's Ascendant (0) conjoins Bert's Midheaven (0) and Anna's Midheaven (270)
  // opposes Bert's Ascendant (90): one of the two has i > j, so both rows show that every
  // pair between the charts is looked at.
  const std::string mc(lang::PointNameWithArticle(0, PointMidheaven));
  const std::string asc(lang::PointNameWithArticle(0, PointAscendant));
  EXPECT_TRUE(Has(table, asc + "\\cell \\intbl\\ql " + std::string(lang::AspectName(0, 1)) +
                             "\\cell \\intbl\\ql " + mc));
  EXPECT_TRUE(Has(table, mc + "\\cell \\intbl\\ql " + std::string(lang::AspectName(0, 2)) +
                             "\\cell \\intbl\\ql " + asc));
}

// A Spanish row reads as one phrase: the second point's article in lower case, "a el"
// joined into "al".
TEST_F(SummaryTest, SpanishAspectRowsJoinThePrepositionAndTheArticle) {
  CalculatedChart c = MakeChart("Ana");
  Place(c, PointMoon, 137.0, 13.0);  // conjunct the Sun at 15 Leo
  Place(c, PointMars, 1.0, 0.5);     // conjunct the Ascendant at 0 Aries
  Place(c, PointPartOfFortune, 2.0);  // and the Part of Fortune
  in.charts = {c};
  report.language = lang::LanguageSpanish;
  report.pointSelection = ParsePointSelection(std::string(PointPartOfFortune, '1'));
  const std::string table = Write();
  const std::string cell = "\\cell \\intbl\\ql ";
  EXPECT_TRUE(Has(table, "al" + cell + "Sol")) << table;  // the Moon comes first
  EXPECT_TRUE(Has(table, "al" + cell + "Ascendente")) << table;
  EXPECT_TRUE(Has(table, " a" + cell + "la Parte de la Fortuna")) << table;
  EXPECT_FALSE(Has(table, cell + "El ")) << table;
  EXPECT_FALSE(Has(table, cell + "La ")) << table;
}

TEST_F(SummaryTest, LunarNodesPairIsSkipped) {
  CalculatedChart c = MakeChart("Anna");
  Place(c, PointNorthNode, 10.0);
  Place(c, PointSouthNode, 190.0);  // an exact opposition that is never listed
  c.Point(PointSun).Longitude = -1;
  c.Point(PointAscendant).Longitude = -1;
  c.Point(PointMidheaven).Longitude = -1;
  in.charts = {c};
  const std::string table = Between(Write(), "Chart Point Aspects", "\\page");
  EXPECT_FALSE(Has(table, std::string(lang::AspectName(0, 2))));
}

TEST_F(SummaryTest, ExtraPointsReplaceTheSummaryWithTheirOwnTable) {
  CalculatedChart c = MakeChart("Anna");
  in.charts = {c};
  report.usesExtraPoints = true;
  TExtraPlotPoints extra;
  TExtraPlotPoint ceres{"Ceres", "Ce", "", 1, {}};
  ceres.position.Longitude = 45.0;
  TExtraPlotPoint lost{"Lost", "Lo", "", 2, {}};  // not computed
  extra.points = {ceres, lost};
  in.extraPoints = {extra};
  const std::string out = Write();
  EXPECT_TRUE(Has(out, "Asteroid"));
  EXPECT_TRUE(Has(out, "Ceres"));
  // The header has a cell over each cell of a row: abbreviation, name, sign, position,
  // house and comment.
  const std::string header = Between(out, "Abbr", "\\row");
  const std::string ceresRow = Between(out, "Ceres", "\\row");
  EXPECT_EQ(Count(header, "\\cell"), 6) << header;
  EXPECT_EQ(Count(ceresRow, "\\cell"), 5) << ceresRow;  // from the name on, after the abbreviation's cell
  EXPECT_TRUE(Has(out, "15\xB0" "Ta00'"));
  // The asteroid the ephemeris could not compute is listed with dashes, never a position.
  const std::string lostRow = Between(out, "Lost", "\\row");
  ASSERT_FALSE(lostRow.empty());
  EXPECT_EQ(Count(lostRow, "\x96"), 3) << lostRow;
  EXPECT_FALSE(Has(lostRow, "\xB0")) << lostRow;
  EXPECT_FALSE(Has(out, "Chart Point Aspects"));

  RtfFile key;
  WriteKeyTable(key, layout, extra, "Key", "Asteroid");
  EXPECT_TRUE(Has(key.Data(), "Abbr"));
  EXPECT_TRUE(Has(key.Data(), "Ce"));
  EXPECT_TRUE(Has(key.Data(), "Ceres "));
  EXPECT_FALSE(Has(key.Data(), "Lost"));
}

TEST_F(SummaryTest, SolarReturnHeadingCarriesTheReturnMomentAndPlace) {
  CalculatedChart c = MakeChart("Anna");
  c.Chart.Moment = DateTimeRec{2020, 8, 7, 14, 5, 0};
  c.Chart.ZoneAbbrev = "BST";
  c.Chart.ZoneHours = -1.0f;
  c.Chart.Place = "London";
  c.Chart.Country = "England";
  in.charts = {c};
  report.includesSolarReturn = true;
  settings.AMPM = false;
  EXPECT_TRUE(Has(Write(), "    Solar Return:   7 Aug 2020 14:05 BST "));
}

TEST_F(SummaryTest, TheReturnLineWritesTheMonthInTheReportLanguage) {
  CalculatedChart c = MakeChart("Anna");
  c.Chart.Moment = DateTimeRec{2020, 8, 7, 14, 5, 0};
  c.Chart.ZoneAbbrev = "CEST";
  in.charts = {c};
  report.includesLunarReturn = true;
  settings.AMPM = false;
  const std::pair<int, const char*> cases[] = {{lang::LanguageSpanish, "    Lunar Return:   7 Ago 2020 14:05 CEST "},
                                               {lang::LanguageNorwegian, "    Lunar Return:   7. aug 2020 14:05 CEST "},
                                               {lang::LanguageFrench, "    Lunar Return:   7 Aou 2020 14:05 CEST "}};
  for (const auto& [language, line] : cases) {
    report.language = language;
    EXPECT_TRUE(Has(Write(), line)) << language;
  }
}

TEST_F(SummaryTest, SynastryAspectsAreHeadedByTheOwnersAndACompositeByItsFullName) {
  in.charts = {MakeChart("Einstein, Albert"), MakeChart("Diana Spencer", 90.0)};
  in.twoCharts = true;
  report.synastry = true;
  in.ownerNames = {"Albert", " "};  // a blank owner falls back to the chart's name
  EXPECT_TRUE(Has(Write(), "Synastry Aspects: Albert to Diana Spencer"));
  in.ownerNames = {"Albert", "Diana"};
  EXPECT_TRUE(Has(Write(), "Synastry Aspects: Albert to Diana"));

  report.synastry = false;
  report.composite = true;
  in.twoCharts = false;
  in.charts = {MakeChart("Albert Einstein and Diana Spen")};  // the record keeps 30 characters
  in.compositeName = "Albert Einstein and Diana Spencer";
  EXPECT_TRUE(Has(Write(), "Chart Point Positions: Composite - Albert Einstein and Diana Spencer"));
}

TEST(Dedication, CompositeLineOf66OrMoreCharactersGivesTheNameAlone) {
  TKVReport report;
  report.composite = true;
  const std::string prefix = std::string(lang::PhraseText(0, lang::Phrase::For)) + " ";
  const std::string shortName = "Anna and Bert";
  EXPECT_EQ(DedicationLine(report, {shortName + "   "}), prefix + shortName);
  const std::string longName(70 - prefix.size(), 'x');  // a 70-character line
  EXPECT_EQ(DedicationLine(report, {longName}), longName);
  const std::string edge65(65 - prefix.size(), 'y');
  EXPECT_EQ(DedicationLine(report, {edge65}), prefix + edge65);
  const std::string edge66(66 - prefix.size(), 'z');
  EXPECT_EQ(DedicationLine(report, {edge66}), edge66);
  report.composite = false;
  EXPECT_EQ(DedicationLine(report, {longName}), prefix + longName);
}

TEST(Dedication, SynastryJoinsBothNames) {
  TKVReport report;
  report.synastry = true;
  const std::string forWord(lang::PhraseText(0, lang::Phrase::For)), andWord(lang::PhraseText(0, lang::Phrase::And));
  EXPECT_EQ(DedicationLine(report, {"Anna ", "Bert"}), forWord + " Anna " + andWord + " Bert");
}

TEST(Compliments, SpanishReplacesComplimentsOfAndSegmentsLabels) {
  const auto entries = ParseCompliments(
      {"Compliments of Stella", "Astrologer", "Phone: 555 1234 Email : s@x.org", "No labels here"},
      lang::LanguageSpanish);
  ASSERT_EQ(entries.size(), 7u);
  EXPECT_EQ(entries[0].text, "Cortesía de Stella");
  EXPECT_EQ(entries[1].kind, 1);
  struct Expect { std::uint8_t kind, highlight; const char* text; };
  const Expect expected[] = {{2, 1, "Phone:"}, {2, 0, " 555 1234 "}, {2, 1, "Email :"}, {2, 0, " s@x.org"},
                             {3, 0, "No labels here"}};
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(entries[i + 2].kind, expected[i].kind) << i;
    EXPECT_EQ(entries[i + 2].highlight, expected[i].highlight) << i;
    EXPECT_EQ(entries[i + 2].text, expected[i].text) << i;
  }
}

// The shipped compliments file writes the phrase in capitals; a translated report must
// not keep the English words in either case.
TEST(Compliments, ThePhraseIsTranslatedInAnyCaseAndKeepsItsCapitals) {
  struct Case {
    int language;
    const char* line;
    const char* expected;
  };
  const Case cases[] = {
      {lang::LanguageSpanish, "COMPLIMENTS OF", "CORTESÍA DE"},
      {lang::LanguageSpanish, "Compliments of Stella", "Cortesía de Stella"},
      {lang::LanguageSpanish, "compliments of Stella", "Cortesía de Stella"},
      {lang::LanguageFrench, "  COMPLIMENTS OF", "  REMERCIEMENTS"},
      {lang::LanguageNorwegian, "With Compliments of Ola", "With Med hilsen Ola"},
      {lang::LanguageEnglish, "COMPLIMENTS OF", "COMPLIMENTS OF"},
      {lang::LanguageSpanish, "Korvana Astrology Software", "Korvana Astrology Software"},
  };
  for (const Case& c : cases) EXPECT_EQ(ComplimentsLineInLanguage(c.line, c.language), c.expected) << c.line;
}

TEST(Compliments, BlockUsesHighlightStyleForLabelsAndKeepsSegmentsOpen) {
  ProgramSettings settings;
  settings.TextStyles[ComplimentsTextHighlight].fontSize = 17;
  settings.TextStyles[ComplimentsText].fontSize = 9;
  const RtfLayout layout = RtfLayout::FromSettings(settings);
  const std::string rtf = ComplimentsBlock(layout, ParseCompliments({"H1", "H2", "Tel: 1", "Web: w"}, 0));
  EXPECT_LT(rtf.find("\\fs34"), rtf.find("Tel:"));
  EXPECT_TRUE(Has(rtf, "\\fs18"));
  // The segments of a block make one paragraph: no paragraph end between label and text.
  const std::string tel = Between(rtf, "Tel:", " 1");
  ASSERT_FALSE(tel.empty());
  EXPECT_FALSE(Has(tel, "\\par "));
  EXPECT_TRUE(Has(rtf.substr(rtf.find(" 1")), "\\par "));
}

class FrontPageTest : public ::testing::Test {
 protected:
  FrontPageTest() {
    settings.SystemPath = folder.Path() + "/";
    settings.ReportPath = folder.Path() + "/";
    settings.Compliments = folder.Path() + "/compliments.txt";
    settings.TextStyles[MainHeader3].fontSize = 20;
    report.author = "Ann Author";
    charts = {MakeChart("Anna")};
    run.charts = charts;
    run.report = &report;
    run.settings = &settings;
    run.aspects = &aspects;
    run.ownerNames = {"Anna"};
  }
  std::string Write(FrontPagePictures* pictures = nullptr) {
    RtfFile file;
    WriteFrontPage(file, run, "Natal Report", pictures);
    return file.Data();
  }

  testing::TempFolder folder;
  ProgramSettings settings;
  TKVReport report;
  AspectSet aspects = testing::MajorAspects();
  std::vector<CalculatedChart> charts;
  ReportRun run;
};

TEST_F(FrontPageTest, TranslatorLineAtSevenTenthsOfStyleSevenWhichKeepsItsSize) {
  report.frontPageStyle = 1;
  report.translator = "Tom Translator";
  const std::string out = Write();
  EXPECT_TRUE(Has(out, "NATAL REPORT"));
  EXPECT_TRUE(Has(out, "ANN AUTHOR"));
  const std::size_t translator = out.find("Tom Translator");
  ASSERT_NE(translator, std::string::npos);
  EXPECT_NE(out.rfind("\\fs28", translator), std::string::npos);  // round(0.7 * 20) = 14 points
  EXPECT_LT(out.rfind("\\fs40", translator), out.find("ANN AUTHOR"));
  EXPECT_EQ(settings.TextStyles[MainHeader3].fontSize, 20);
  RtfLayout after = RtfLayout::FromSettings(settings);
  EXPECT_TRUE(Has(StyledParagraph(after, "later", MainHeader3, false, 0), "\\fs40"));
}

TEST_F(FrontPageTest, OtherStyleWritesReportBannerAndDedication) {
  report.frontPageStyle = 0;
  const std::string out = Write();
  EXPECT_TRUE(Has(out, "KORVANA REPORT"));
  EXPECT_TRUE(Has(out, "Natal Report"));
  EXPECT_TRUE(Has(out, std::string(lang::PhraseText(0, lang::Phrase::For)) + " Anna"));
  EXPECT_FALSE(Has(out, "{\\pict"));  // no logos installed: none written
}

TEST_F(FrontPageTest, ComplimentsFileIsReadWhenPresentAndLeftOutWhenMissing) {
  EXPECT_FALSE(Has(Write(), "Stella"));
  ASSERT_TRUE(WriteFileAtomic(settings.Compliments, "Compliments of Stella\r\nAstrologer\r\nTel: 1\r\n"));
  report.language = lang::LanguageSpanish;
  EXPECT_TRUE(Has(Write(), "Cortes\xED" "a de Stella"));
}

class FakePictures : public FrontPagePictures {
 public:
  bool DrawWheel(const ReportRun&, const std::string& path, const WheelCanvas&) override {
    wheelPath = path;
    return false;
  }
  bool DrawDignityTable(const ReportRun&, const std::string& path) override {
    dignityPath = path;
    return false;
  }
  std::string wheelPath, dignityPath;
};

using testing::PlaceableWmf;

// Writes real pictures, as the render layer does.
class DrawingPictures : public FrontPagePictures {
 public:
  bool DrawWheel(const ReportRun&, const std::string& path, const WheelCanvas&) override {
    return WriteFileAtomic(path, PlaceableWmf(0, 0, 800, 800, 96));
  }
  bool DrawDignityTable(const ReportRun&, const std::string& path) override {
    return WriteFileAtomic(path, PlaceableWmf(0, 0, 800, 400, 96));
  }
};

TEST_F(FrontPageTest, WheelAtFullTextWidthAndDignityTableInMoietyModeOnly) {
  DrawingPictures pictures;
  settings.ChartPage = true;
  const RtfLayout layout = RtfLayout::FromSettings(settings);
  const std::string full = "\\picwgoal" + std::to_string(layout.TextWidth()) + "\\";
  const std::string dignity = "\\picwgoal" + std::to_string(static_cast<int>(0.6 * layout.TextWidth())) + "\\";

  aspects.header.moietyCombination = 0;
  std::string out = Write(&pictures);
  ASSERT_TRUE(Has(out, "\\page"));
  EXPECT_LT(out.find("\\page"), out.find(full));
  EXPECT_EQ(Count(out, "{\\pict"), 1);
  EXPECT_TRUE(FileExists(settings.ReportPath + "chart.wmf"));

  aspects.header.moietyCombination = -1;
  out = Write(&pictures);
  EXPECT_EQ(Count(out, "{\\pict"), 2);
  EXPECT_LT(out.find(full), out.find(dignity));
}

TEST_F(FrontPageTest, ChartPageAsksForTheWheelAndDignityTableAndIsLeftOutWhenEmpty) {
  aspects.header.moietyCombination = -1;
  FakePictures pictures;
  settings.ChartPage = true;
  const std::string out = Write(&pictures);
  EXPECT_EQ(pictures.wheelPath, settings.ReportPath + "chart.wmf");
  EXPECT_EQ(pictures.dignityPath, settings.ReportPath + "essdig.wmf");
  EXPECT_FALSE(Has(out, "\\page"));  // nothing drawn: no empty chart page
  EXPECT_FALSE(Has(out, "{\\pict"));

  // The key table of the extra points alone makes the page.
  report.usesExtraPoints = true;
  TExtraPlotPoint ceres{"Ceres", "Ce", "", 1, {}};
  ceres.position.Longitude = 45.0;
  run.extraPoints = {TExtraPlotPoints{{ceres}, {}, {}}};
  const std::string withKey = Write(&pictures);
  ASSERT_TRUE(Has(withKey, "\\page"));
  EXPECT_LT(withKey.find("\\page"), withKey.find("Ceres"));
  EXPECT_TRUE(Has(withKey, "Key"));

  settings.ChartPage = false;
  pictures.wheelPath.clear();
  EXPECT_FALSE(Has(Write(&pictures), "\\page"));
  EXPECT_TRUE(pictures.wheelPath.empty());
}

// A whole report run through the driver with this front page writer.
TEST(FrontPageInReport, SummaryFollowsTheFrontPageOnlyWhenSwitchedOn) {
  testing::TempFolder folder;
  testing::RecordingMessages messages;
  ProgramSettings settings;
  settings.SystemPath = settings.SourcePath = settings.ReportPath = folder.Path() + "/";
  settings.PageBreaks = false;
  settings.ChartPage = false;
  TKVReport report;
  report.frontPageTitle = "Test Front Page";
  report.almutenFile = folder / "none.alm";
  report.pointSelection = ParsePointSelection("1111111111111111111111111");
  AspectSet aspects = testing::MajorAspects();
  folder.Write("r.txt", "*Section 0\nFront\n\n*Section 1\nFirstSection\n\n*Sun Leo\nSunny.\n");
  std::vector<std::string> list;
  ASSERT_TRUE(CompileReportText(folder / "r.txt", folder / "r.bin", list, messages).written);

  RtfFrontPageWriter writer;
  auto run = [&](bool summary) {
    settings.Summary = summary;
    ReportRun r;
    r.compiledFile = folder / "r.bin";
    r.indexFile = folder / "r.ind";
    r.outputFile = folder / "out.rtf";
    r.charts = {MakeChart("Anna Smith")};
    r.report = &report;
    r.settings = &settings;
    r.aspects = &aspects;
    r.messages = &messages;
    r.ownerNames = {"Anna"};
    r.frontPage = &writer;
    ReportDriver driver;
    EXPECT_TRUE(driver.GenerateRtfReport(r).written);
    return folder.Read("out.rtf");
  };

  const std::string with = run(true);
  EXPECT_TRUE(messages.messages.empty());
  ASSERT_TRUE(Has(with, "Astrological Summary"));
  EXPECT_LT(with.find("KORVANA REPORT"), with.find("Astrological Summary"));
  EXPECT_LT(with.find("Astrological Summary"), with.find("FirstSection"));

  const std::string without = run(false);
  EXPECT_FALSE(Has(without, "Astrological Summary"));
  // One page break: the page after the front page holds the first section. A front page
  // style other than 1 prints the front page section's own title, not the set's.
  EXPECT_EQ(Count(without, "\\page"), 1);
  EXPECT_FALSE(Has(without, "Test Front Page"));
  EXPECT_LT(without.find("Front"), without.find("\\page"));
  EXPECT_LT(without.find("\\page"), without.find("FirstSection"));

  report.frontPageStyle = 1;
  const std::string styleOne = run(false);
  EXPECT_LT(styleOne.find("TEST FRONT PAGE"), styleOne.find("\\page"));
}

}  // namespace
}  // namespace korvana
