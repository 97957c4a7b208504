// The report driver: the section walk and its rules, the statements it handles itself,
// the paragraph pipeline, debug lines and damaged compiled reports. Each test compiles a
// small report text with the program's compiler and runs the driver on charts made by
// hand.
#include <gtest/gtest.h>

#include <cstdio>

#include "../composer/report_fixture.h"
#include <algorithm>

#include "core/astro/cast_chart.h"
#include "core/reports/compiler/compiler.h"
#include "core/reports/interps/interp_builder.h"
#include "core/reports/interps/interps.h"
#include "core/reports/driver/report_driver.h"
#include "core/reports/rtf/picture_files.h"
#include "core/time/entry_parsing.h"
#include "core/reports/reportset/section_index.h"
#include "core/util/files.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::MakeChart;
using testing::Place;

class DriverTest : public ::testing::Test {
 protected:
  DriverTest() {
    settings.SystemPath = settings.SourcePath = folder.Path();
    settings.Summary = false;
    settings.PageBreaks = false;
    report.caption = "Test Report";
    report.frontPageTitle = "Test Front Page";
    report.almutenFile = folder / "none.alm";
    charts.push_back(MakeChart("Anna Smith"));  // Sun in Leo
    Place(charts[0], PointMoon, 10.0, 13.0);       // Moon in Aries
    Place(charts[0], PointMars, 100.0);            // Mars in Cancer
  }

  // Compiles a report text whose first lines are the front page section and one section.
  void Compile(const std::string& statements) {
    const std::string source = "*Section 0\nFront\n\n*Section 1\nBody\n\n" + statements;
    folder.Write("r.txt", source);
    std::vector<std::string> list;
    CompileResult result = CompileReportText(folder / "r.txt", folder / "r.bin", list, messages);
    ASSERT_TRUE(result.written) << (list.empty() ? std::string() : list.back());
  }

  // Writes a fresh report (an earlier one is removed first) and returns its text.
  std::string Run(bool debug = false) {
    std::remove((folder / "out.rtf").c_str());
    return RunOver(debug);
  }
  // Writes the report over whatever out.rtf holds.
  std::string RunOver(bool debug = false) {
    ReportRun run;
    run.compiledFile = folder / "r.bin";
    run.indexFile = folder / "r.ind";
    run.outputFile = folder / "out.rtf";
    run.charts = charts;
    run.highChart = static_cast<int>(charts.size()) - 1;
    run.report = &report;
    run.settings = &settings;
    run.ownerNames = {"Anna", "Ben"};
    run.debug = debug;
    run.aspects = &aspects;
    run.messages = &messages;
    outcome = driver.GenerateRtfReport(run);
    return folder.Read("out.rtf");
  }

  static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

  testing::TempFolder folder;
  testing::RecordingMessages messages;
  ProgramSettings settings;
  TKVReport report;
  AspectSet aspects = testing::MajorAspects();
  std::vector<CalculatedChart> charts;
  ReportDriver driver;
  ReportOutcome outcome;
};

TEST_F(DriverTest, WritesTheDocumentFrontPageSectionTitleAndTrueParagraphs) {
  Compile("*Sun Leo\nSunny %1 is <BOLDON>bright<BOLDOFF>.\n*Sun Aries\nNOT_WRITTEN\n");
  std::string out = Run();
  ASSERT_TRUE(outcome.written);
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(out.rfind("{\\rtf1", 0), 0u);
  EXPECT_TRUE(Has(out, "Test Front Page"));
  EXPECT_TRUE(Has(out, "{\\b Body}"));  // section header style (bold)
  EXPECT_TRUE(Has(out, "{\\i Sun is in Leo}"));  // keyword title in the astrological title style
  EXPECT_TRUE(Has(out, "Sunny Anna is {\\b bright}.\r\n\\par \r\n\\par "));
  EXPECT_FALSE(Has(out, "NOT_WRITTEN"));
  EXPECT_EQ(out.substr(out.size() - DocumentEnd().size()), DocumentEnd());
}

// The driver keeps the compiled report between runs of a batch, but a report compiled
// again between two runs is read again.
TEST_F(DriverTest, AReportCompiledAgainBetweenRunsIsReadAgain) {
  Compile("*Sun Leo\nFIRST_TEXT\n");
  ASSERT_TRUE(Has(Run(), "FIRST_TEXT"));
  ASSERT_TRUE(Has(Run(), "FIRST_TEXT"));
  Compile("*Sun Leo\nSECOND_TEXT\n");
  const std::string out = Run();
  EXPECT_TRUE(Has(out, "SECOND_TEXT"));
  EXPECT_FALSE(Has(out, "FIRST_TEXT"));
}

TEST_F(DriverTest, TheSetsFrontPageTitleIsPlainTextTheSectionsTitleIsTheAuthors) {
  Compile("*Sun Leo\nSunny.\n");
  report.frontPageTitle = "Evil}{\\par\\b X\\";
  std::string out = Run();
  ASSERT_TRUE(outcome.written);
  EXPECT_TRUE(Has(out, "Evil\\}\\{\\\\par\\\\b X\\\\")) << "the set's title reached the report as RTF";
  ReportRun run;
  EXPECT_EQ(FrontPageWriter::Heading(run, "Front {\\b page}"), "Front {\\b page}");
}

TEST_F(DriverTest, FalseStatementSkipsWhatIsNestedAndClimbsLevels) {
  Compile(
      "*Sun Aries\nALPHA\n+Moon Aries\nBETA\n"
      "*Sun Leo\nSUNTEXT\n+Moon Aries\nMOONTEXT\n++Mars Gemini\n+++Sun Leo\nHIDDEN\n"
      "*Mars Cancer\nAFTER\n");
  std::string out = Run();
  EXPECT_FALSE(Has(out, "ALPHA"));
  EXPECT_FALSE(Has(out, "BETA"));  // nested under a false statement
  EXPECT_TRUE(Has(out, "SUNTEXT"));
  EXPECT_TRUE(Has(out, "MOONTEXT"));
  EXPECT_FALSE(Has(out, "HIDDEN"));  // nested under the false, last level-3 statement
  EXPECT_TRUE(Has(out, "AFTER"));    // the walk climbed to the next level-1 statement
  // A nested statement's title ends with "and...".
  EXPECT_TRUE(Has(out, "{\\i Moon is in Aries and...}"));
  EXPECT_TRUE(Has(out, "{\\i Sun is in Leo}"));
}

TEST_F(DriverTest, TitlesOfTextlessParentsWaitForTheNextText) {
  Compile("*Sun Leo\n+Moon Aries\nTEXT\n");
  EXPECT_TRUE(Has(Run(), "{\\i Sun is in Leo\r\n\\par Moon is in Aries and...}"));
}

TEST_F(DriverTest, TextlessStatementsAreAlternativesForTheNextSibling) {
  const std::string alternatives = "*Moon Leo\n*Moon Aries\n*Moon Virgo\n*Mars Virgo\nDTEXT\n";
  Compile(alternatives);
  EXPECT_TRUE(Has(Run(), "DTEXT"));  // Moon Aries holds
  Place(charts[0], PointMoon, 200.0, 13.0);  // Libra: none of A, B, C holds
  EXPECT_FALSE(Has(Run(), "DTEXT"));
  Place(charts[0], PointMars, 170.0);  // Virgo: D holds by itself
  EXPECT_TRUE(Has(Run(), "DTEXT"));
}

TEST_F(DriverTest, SectionCountWritesWhenTheCounterReachesItsNumber) {
  struct Case {
    const char* count;
    bool written;
  };
  for (const Case& c : {Case{"2", true}, Case{"3", false}, Case{"0", false}}) {
    Compile(std::string("*SectionCount 2\n*Sun Leo\nONE\n*Sun Leo\nTWO\n*SectionCount ") + c.count + "\nCOUNTED\n");
    std::string out = Run();
    EXPECT_TRUE(Has(out, "ONE"));
    EXPECT_EQ(Has(out, "COUNTED"), c.written) << c.count;
  }
  // Without the pending count the counter stays 0.
  Compile("*Sun Leo\nONE\n*SectionCount 0\nZERO\n");
  EXPECT_TRUE(Has(Run(), "ZERO"));
}

TEST_F(DriverTest, KeywordTitlesOnOffAndForcedOff) {
  Compile("*KeywordTitlesOff\n*Sun Leo\nFIRST\n*KeywordTitlesOn\n*Moon Aries\nSECOND\n");
  std::string out = Run();
  EXPECT_FALSE(Has(out, "Sun is in Leo"));
  EXPECT_TRUE(Has(out, "{\\i Moon is in Aries}"));
  EXPECT_TRUE(driver.keywordTitles);
  report.paraTitles = 2;  // off whatever the text says
  out = Run();
  EXPECT_FALSE(Has(out, "Moon is in Aries"));
  EXPECT_TRUE(Has(out, "SECOND"));
  report.paraTitles = 1;  // on, and the text cannot switch them off
  out = Run();
  EXPECT_TRUE(Has(out, "Sun is in Leo"));
}

TEST_F(DriverTest, TestBothChartsNeedsOneChartForEachStatement) {
  report.synastry = true;
  charts.push_back(MakeChart("Ben Jones"));
  Compile("*TestBothCharts 2 1\n*Venus Leo\nXTEXT\n*Mars Aries\nYTEXT\n");
  Place(charts[0], PointMars, 10.0);   // Anna: Mars in Aries (second statement)
  Place(charts[1], PointVenus, 130.0); // Ben: Venus in Leo (first statement)
  std::string out = Run();
  EXPECT_TRUE(Has(out, "XTEXT"));
  EXPECT_TRUE(Has(out, "YTEXT"));
  // One chart meeting both statements is not enough.
  charts[1].Point(PointVenus).Longitude = 250.0;
  Place(charts[0], PointVenus, 130.0);
  out = Run();
  EXPECT_TRUE(Has(out, "XTEXT"));
  EXPECT_FALSE(Has(out, "YTEXT"));
}

TEST_F(DriverTest, TestBothChartsModeZeroTestsTheChartsInTurn) {
  report.synastry = true;
  charts.push_back(MakeChart("Ben Jones"));
  Compile("*TestBothCharts 2 0\n*Venus Leo\nXTEXT\n*Mars Aries\nYTEXT\n*Mars Aries\nZTEXT\n");
  Place(charts[0], PointVenus, 130.0);  // Anna: Venus in Leo
  Place(charts[1], PointMars, 10.0);    // Ben: Mars in Aries; Anna's Mars is in Cancer
  std::string out = Run();
  EXPECT_TRUE(Has(out, "XTEXT"));  // chart 1
  EXPECT_TRUE(Has(out, "YTEXT"));  // chart 2
  EXPECT_FALSE(Has(out, "ZTEXT")); // the countdown is over: Anna's Mars against Ben's (selection 0)
  // In a one-chart report the statement does not count down.
  report.synastry = false;
  charts.pop_back();
  out = Run();
  EXPECT_TRUE(Has(out, "XTEXT"));
  EXPECT_FALSE(Has(out, "YTEXT"));
}

TEST_F(DriverTest, GraphicIsInsertedAtItsShareOfTheTextWidth) {
  folder.Write("pic.jpg", EncodeJpeg(RgbImage{4, 2, std::string(4 * 2 * 3, '\x40')}, 80));
  Compile("*Graphic 50\npic.jpg\n*Sun Leo\nTEXT\n");
  std::string out = Run();
  const int textWidth = settings.PageWidthTwips - settings.PageMarginL - settings.PageMarginR;
  EXPECT_TRUE(Has(out, "\\picwgoal" + std::to_string(textWidth / 2) + "\\pichgoal")) << textWidth;
  settings.ShowGraphics = false;
  EXPECT_FALSE(Has(Run(), "\\pict"));
}

TEST_F(DriverTest, AsteroidStatementsAndMaximumOrb) {
  Compile("*AsteroidMaxOrb 90\n*Asteroid 433\nEros the asteroid of desire\n*Sun Leo\nTEXT\n");
  Run();
  EXPECT_DOUBLE_EQ(driver.asteroidMaxOrb, 1.5);
  ASSERT_EQ(driver.composer.asteroids.size(), 1u);
  EXPECT_EQ(driver.composer.asteroids[0].name, "Eros");
  EXPECT_EQ(driver.composer.asteroids[0].description, "the asteroid of desire");
  EXPECT_EQ(driver.composer.asteroids[0].number, 433);
}

TEST_F(DriverTest, StarsetHeadingBeforeTheFirstAlignedPoint) {
  charts[0].Moment.JDEphem = 2451545.0;
  Place(charts[0], PointSun, 15.0, 1.0);
  Place(charts[0], PointMercury, 16.0, 1.0);
  Compile(
      "*StarEpoch 2000\n*Starset 10Ar00 20Ar00\nPleiades\n"
      "*Sun Aligned Starset KeywordTitlesOn\nSUN_ALIGNED\n*Mercury Aligned Starset KeywordTitlesOn\nMERCURY\n"
      "*Mars Aligned Starset KeywordTitlesOn\nMARS_NOT\n");
  std::string out = Run();
  EXPECT_TRUE(Has(out, "{\\i Starset PLEIADES - 10\xB0" "Ar00' to 20\xB0" "Ar00'\r\n\\par The Sun is aligned with starset Pleiades}"))
      << out.substr(out.find("Body"), 600);
  EXPECT_TRUE(Has(out, "SUN_ALIGNED"));
  EXPECT_TRUE(Has(out, "{\\i Mercury is aligned with starset Pleiades}"));  // the heading only once
  EXPECT_FALSE(Has(out, "MARS_NOT"));
  EXPECT_EQ(driver.starset.name, "Pleiades");
}

TEST_F(DriverTest, InterpFileGivesTheDegreeParagraphs) {
  InterpSource source;
  source.topics.push_back(InterpTopic{DegreeText, 101, 0, 0, "The degree of the crab's shell.", 0});
  folder.Write("degrees.int", BuildInterpFile(source, 300, false));
  Compile("*InterpFile\ndegrees.int\n*PlanetDegree Mars\n");  // Mars at 10 Cancer: degree 101
  TEMInterps interps;
  ReportRun run;
  run.compiledFile = folder / "r.bin";
  run.indexFile = folder / "r.ind";
  run.outputFile = folder / "out.rtf";
  run.charts = charts;
  run.report = &report;
  run.settings = &settings;
  run.interps = &interps;
  run.messages = &messages;
  ASSERT_TRUE(driver.GenerateRtfReport(run).written);
  std::string out = folder.Read("out.rtf");
  EXPECT_TRUE(Has(out, "{\\i Mars is located at the 11th degree of Cancer}"));
  EXPECT_TRUE(Has(out, "The degree of the crab's shell."));
  EXPECT_EQ(interps.FileName, folder / "degrees.int");
}

TEST_F(DriverTest, DebugLinesForEveryEvaluatedStatement) {
  Compile("*Sun Leo\nTEXT\n*Sun Aries\nNO\n");
  std::string out = Run(true);
  EXPECT_TRUE(Has(out, "DBG>>> Sun is in Leo\r\n\\par DBG>>> Level: 1 NextAtThisLevel: "));
  EXPECT_TRUE(Has(out, " Include?: 1"));
  EXPECT_TRUE(Has(out, " Include?: 0"));
  EXPECT_TRUE(Has(out, "DBG>>> No more topics at same level - jump to next section 1"));
  EXPECT_FALSE(Has(Run(false), "DBG>>>"));
}

TEST_F(DriverTest, SwitchedOffSectionsAreSkippedButTheFrontPageIsAlwaysWritten) {
  Compile("*Sun Leo\nBODYTEXT\n");
  // Switch every section off in the index.
  std::string index = folder.Read("r.ind");
  std::vector<PlacedRecord> records = ReadCompiledRecords(index, true);
  ASSERT_EQ(records.size(), 2u);
  for (const PlacedRecord& r : records) index[r.position] = static_cast<char>(SectionOff);
  folder.Write("r.ind", index);
  std::string out = Run();
  EXPECT_TRUE(Has(out, "Test Front Page"));
  EXPECT_FALSE(Has(out, "BODYTEXT"));
}

TEST_F(DriverTest, OneDocumentHeaderWhateverTheIndexHolds) {
  Compile("*Sun Leo\nFIRST\n*Section 0\nAnother Front\n*Sun Leo\nSECOND\n");
  std::string out = Run();
  EXPECT_EQ(out.find("{\\rtf1"), 0u);
  EXPECT_EQ(out.find("{\\rtf1", 1), std::string::npos);
  EXPECT_TRUE(Has(out, "FIRST"));
  EXPECT_TRUE(Has(out, "SECOND"));
}

TEST_F(DriverTest, DamagedCompiledReportEndsWithTheMessageAndAClosedDocument) {
  Compile("*Sun Aries\nONE\n+Moon Aries\nTWO\n*Sun Leo\nTHREE\n");
  const std::string good = folder.Read("r.bin");
  std::vector<PlacedRecord> records = ReadCompiledRecords(good, false);
  ASSERT_GE(records.size(), 5u);
  struct Damage {
    const char* what;
    std::size_t offset;  // within the third record's header
    std::int32_t value;
  };
  // The third record is "*Sun Aries", whose link leads to "*Sun Leo".
  for (const Damage& d : {Damage{"link backwards", 43, 3}, Damage{"link into a text", 43, 60},
                          Damage{"length past the end", 39, 1 << 20}}) {
    std::string bad = good;
    const std::size_t at = records[2].position + d.offset;
    for (int k = 0; k < 4; ++k) bad[at + k] = static_cast<char>((d.value >> (8 * k)) & 0xFF);
    folder.Write("r.bin", bad);
    messages.messages.clear();
    std::string out = Run();
    EXPECT_TRUE(outcome.failed) << d.what;
    ASSERT_FALSE(messages.messages.empty()) << d.what;
    EXPECT_EQ(messages.messages.back().kind, MessageKind::Error);
    EXPECT_EQ(messages.messages.back().text.rfind(ReportProblemMessage, 0), 0u) << messages.messages.back().text;
    ASSERT_GE(out.size(), DocumentEnd().size()) << d.what;
    EXPECT_EQ(out.substr(out.size() - DocumentEnd().size()), DocumentEnd()) << d.what;
  }
}

TEST_F(DriverTest, AFailedRunLeavesAnEarlierReportAsItWas) {
  Compile("*Sun Aries\nONE\n+Moon Aries\nTWO\n*Sun Leo\nTHREE\n");
  const std::string good = folder.Read("r.bin");
  const std::string earlier = Run();
  ASSERT_FALSE(outcome.failed);
  ASSERT_TRUE(outcome.written);
  // A length past the end of the file in the third record cuts the walk short.
  std::vector<PlacedRecord> records = ReadCompiledRecords(good, false);
  ASSERT_GE(records.size(), 3u);
  std::string bad = good;
  for (int k = 0; k < 4; ++k) bad[records[2].position + 39 + k] = static_cast<char>(((1 << 20) >> (8 * k)) & 0xFF);
  folder.Write("r.bin", bad);
  EXPECT_EQ(RunOver(), earlier);
  EXPECT_TRUE(outcome.failed);
  EXPECT_FALSE(outcome.written);
  // Without an earlier report the run keeps what it wrote before the error.
  const std::string partial = Run();
  EXPECT_TRUE(outcome.written);
  EXPECT_EQ(partial.substr(partial.size() - DocumentEnd().size()), DocumentEnd());
}

TEST_F(DriverTest, RandomlyDamagedFilesNeverCrashOrHang) {
  Compile(
      "*Sun Leo\nA\n+Moon Aries\nB\n++Mars Cancer\nC\n*Sun Aries\nD\n+Moon Leo\nE\n"
      "*Section 1\nSecond\n*Moon Aries\nF\n*SectionCount 1\nG\n*TestBothCharts 2 1\n*Sun Leo\n*Sun Leo\nH\n");
  const std::string bin = folder.Read("r.bin"), ind = folder.Read("r.ind");
  std::uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
  for (int round = 0; round < 150; ++round) {
    std::string b = bin, x = ind;
    std::string& target = round % 3 == 2 ? x : b;
    for (int flips = 1 + static_cast<int>(next() % 4); flips > 0; --flips)
      target[next() % target.size()] = static_cast<char>(next() >> 24);
    folder.Write("r.bin", b);
    folder.Write("r.ind", x);
    std::string out = Run();
    if (outcome.written) {
      ASSERT_GE(out.size(), DocumentEnd().size()) << round;
      EXPECT_EQ(out.substr(out.size() - DocumentEnd().size()), DocumentEnd()) << round;
    }
  }
}

TEST_F(DriverTest, MissingCompiledReportWritesNothing) {
  ReportRun run;
  run.compiledFile = folder / "missing.bin";
  run.indexFile = folder / "missing.ind";
  run.outputFile = folder / "out.rtf";
  run.charts = charts;
  run.report = &report;
  run.settings = &settings;
  run.messages = &messages;
  ReportOutcome o = driver.GenerateRtfReport(run);
  EXPECT_FALSE(o.written);
  EXPECT_FALSE(FileExists(folder / "out.rtf"));
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DriverTest, UntimedStatementTakesTheSignsOfTheWholeDay) {
  // Find a day on which the Moon changes sign (at most three days on).
  ChartRecord record;
  record.Name = "Untimed";
  record.Moment = DateTimeRec{2000, 1, 1, 12, 0, 0, calAuto};
  record.Latitude = 51.5;
  UntimedIngressTable table{};
  CalculatedChart chart;
  for (int day = 1; day <= 4; ++day) {
    record.Moment.Day = static_cast<std::uint8_t>(day);
    chart = CastChart(record, CastOptionsFrom(settings));
    table = ComputeUntimedIngress(chart, settings);
    if (table[PointMoon].changed) break;
  }
  const UntimedIngress& moon = table[PointMoon];
  ASSERT_TRUE(moon.changed);
  EXPECT_EQ(moon.signAtEnd, moon.signAtStart % 12 + 1);
  // The Moon is in the first sign ten minutes before the ingress time and in the second
  // ten minutes after.
  auto signAt = [&](int minutes) {
    ChartRecord r = record;
    minutes = std::clamp(minutes, 0, 24 * 60 - 1);
    r.Moment.Hour = static_cast<std::uint8_t>(minutes / 60);
    r.Moment.Minute = static_cast<std::uint8_t>(minutes % 60);
    return static_cast<int>(CastChart(r, CastOptionsFrom(settings)).Longitude(PointMoon) / 30.0) + 1;
  };
  const int at = moon.hour * 60 + moon.minute;
  EXPECT_EQ(signAt(at - 10), moon.signAtStart) << moon.hour << ":" << moon.minute;
  EXPECT_EQ(signAt(at + 10), moon.signAtEnd) << moon.hour << ":" << moon.minute;

  // Through the walk: both signs of the day hold, with the note of the ingress time.
  charts[0] = chart;
  const char* signs[] = {"Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo",
                         "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
  Compile(std::string("*Untimed\n*Moon ") + signs[moon.signAtStart - 1] + "\nSTART\n*Moon " +
          signs[moon.signAtEnd - 1] + "\nEND\n*Moon " + signs[moon.signAtEnd % 12] + "\nNEVER\n");
  std::string out = Run();
  EXPECT_TRUE(Has(out, "START"));
  EXPECT_TRUE(Has(out, "END"));
  EXPECT_FALSE(Has(out, "NEVER"));
  EXPECT_TRUE(Has(out, std::string("Moon is in ") + signs[moon.signAtStart - 1] + " until "));
  EXPECT_TRUE(Has(out, std::string("Moon is in ") + signs[moon.signAtEnd - 1] + " from "));
}

TEST_F(DriverTest, PlaceholdersNameWhatTheStatementFound) {
  Place(charts[0], PointMercury, 140.0);  // with the Sun and Venus: three planets in Leo
  Place(charts[0], PointVenus, 145.0);
  Compile(
      "*Pattern Stellium\n%1 gathers %P.\n"
      "*Sun Leo\nThe sign %P stays as written.\n"
      "*Pattern Stellium Virgo\nNEVER %P\n");
  std::string out = Run();
  EXPECT_TRUE(Has(out, "Anna gathers the Sun, Mercury and Venus in Leo.")) << out;
  EXPECT_TRUE(Has(out, "The sign %P stays as written."));
  EXPECT_FALSE(Has(out, "NEVER"));
}

TEST_F(DriverTest, HouseSystemFallbackOfAChartInsideThePolarCircle) {
  ChartRecord record;
  record.Name = "Tromso";
  record.Moment = DateTimeRec{1990, 6, 1, 12, 0, 0, calAuto};
  record.Latitude = 69.65;
  record.Longitude = -18.96;
  CastOptions options = CastOptionsFrom(settings);
  options.HouseSystem = HousesPlacidus;
  charts[0] = CastChart(record, options);
  ASSERT_EQ(charts[0].Houses.HouseSystem, HousesEqual);
  EXPECT_EQ(charts[0].Houses.RequestedSystem, HousesPlacidus);
  Compile("*House System Fallback\n%R houses cannot be drawn here, so %H houses are used.\n");
  EXPECT_TRUE(Has(Run(), "Placidus houses cannot be drawn here, so Equal houses are used."));

  record.Latitude = 51.5;  // London: Placidus as asked, no paragraph
  charts[0] = CastChart(record, options);
  EXPECT_EQ(charts[0].Houses.RequestedSystem, charts[0].Houses.HouseSystem);
  EXPECT_FALSE(Has(Run(), "houses are used"));
}

TEST(TimeUnknownNoteTest, InEachReportLanguageWithItsSignNames) {
  CalculatedChart chart;
  chart.Chart.Moment = DateTimeRec{2000, 1, 1, 12, 0, 0, calAuto};
  UntimedIngressTable table{};
  table[PointMoon] = UntimedIngress{4, 5, true, 14, 30};  // Cancer into Leo at 14:30
  struct Case {
    int language;
    const char* opening;
    const char* from;
    const char* into;
  };
  const Case cases[] = {
      {0, "The time of birth is not known", "Cancer", "Leo"},
      {1, "La hora de nacimiento no se conoce", "Cáncer", "Leo"},
      {2, "Fødselstidspunktet er ukjent", "Krepsen", "Løven"},
      {3, "L'heure de naissance n'est pas connue", "Cancer", "Lion"},
      {9, "The time of birth is not known", "Cancer", "Leo"},  // an unknown language reads English
  };
  const std::string noon = FormatTime(false, 12, 0, 0), ingress = FormatTime(false, 14, 30, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    const std::string note = TimeUnknownNote(chart, table, false, c.language);
    EXPECT_EQ(note.rfind(c.opening, 0), 0u) << note;
    EXPECT_NE(note.find(noon), std::string::npos) << note;
    EXPECT_NE(note.find(ingress), std::string::npos) << note;
    EXPECT_NE(note.find(std::string(c.from) + " "), std::string::npos) << note;
    EXPECT_NE(note.find(std::string(" ") + c.into + " "), std::string::npos) << note;
    EXPECT_EQ(note.find('{'), std::string::npos) << note;
    // Without the Moon's change of sign the note names no sign.
    const std::string plain = TimeUnknownNote(chart, UntimedIngressTable{}, false, c.language);
    EXPECT_EQ(plain.find(c.into), std::string::npos) << plain;
    EXPECT_EQ(plain.find(ingress), std::string::npos) << plain;
  }
}

TEST(UntimedIngress, MoonChangingSignDuringTheDay) {
  CalculatedChart start, end;
  Place(start, PointMoon, 58.5, 13.0);  // 28°30' Taurus
  Place(end, PointMoon, 71.5, 13.0);    // 11°30' Gemini
  Place(start, PointMercury, 31.0, -1.0);  // retrograde from 1° Taurus
  Place(end, PointMercury, 29.0, -1.0);    // to 29° Aries
  Place(start, PointSun, 100.0, 1.0);
  Place(end, PointSun, 101.0, 1.0);
  Place(start, PointAscendant, 10.0, 360);  // the angles are never looked at
  Place(end, PointAscendant, 100.0, 360);
  UntimedIngressTable t = IngressFromCharts(start, end);
  EXPECT_TRUE(t[PointMoon].changed);
  EXPECT_EQ(t[PointMoon].signAtStart, 2);
  EXPECT_EQ(t[PointMoon].signAtEnd, 3);
  EXPECT_EQ(t[PointMoon].hour, 2);
  EXPECT_EQ(t[PointMoon].minute, 46);
  EXPECT_TRUE(t[PointMercury].changed);
  EXPECT_EQ(t[PointMercury].hour, 12);
  EXPECT_EQ(t[PointMercury].minute, 0);
  EXPECT_FALSE(t[PointSun].changed);
  EXPECT_FALSE(t[PointAscendant].changed);
  EXPECT_EQ(t[PointAscendant].signAtStart, 0);
}

}  // namespace
}  // namespace korvana
