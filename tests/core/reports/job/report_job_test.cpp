// The report job without any front end: a report set and chart references in, an RTF
// report out, every refusal as data.
#include "core/reports/job/report_job.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/astro/ephemeris.h"
#include "core/derived/composite.h"
#include "core/reports/compiler/compiled_reader.h"
#include "core/reports/frontpage/front_page.h"
#include "core/reports/job/preset_questions.h"
#include "core/reports/driver/report_questions.h"
#include "core/reports/reportset/report_set.h"
#include "core/util/files.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"
#include "support/template_settings.h"
#include "../pdf/recording_pdf_engine.h"

namespace korvana {
namespace {

const std::string Template = std::string(KORVANA_TEMPLATE_DIR) + "/";

// Records which pictures the chart page asked for; draws none.
class CountingPictures : public FrontPagePictures {
 public:
  int wheels = 0;
  std::string firstChart;
  int firstSubType = 0;
  std::size_t charts = 0;
  bool DrawWheel(const ReportRun& run, const std::string&, const WheelCanvas&) override {
    ++wheels;
    charts = run.charts.size();
    if (!run.charts.empty()) {
      firstChart = run.charts[0].Chart.Name;
      firstSubType = run.charts[0].Chart.ChartSubType;
    }
    return false;
  }
  bool DrawDignityTable(const ReportRun&, const std::string&) override { return false; }
};

class ReportJobTest : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  testing::RecordingMessages messages;
  ProgramSettings settings;
  std::unique_ptr<ReportContext> context;
  TKVReport modern;
  PresetReportQuestions questions;
  ReportRequest request;

  void SetUp() override {
    testing::UseTemplateFolders(settings, folder.Path() + "reports/");
    context = std::make_unique<ReportContext>(settings, messages);
    ASSERT_TRUE(LoadReportSet(Template + "modern.swp", modern, settings, messages));
    request.currentSet = &modern;
    request.questions = &questions;
    request.charts = {{"main.cht:1", std::nullopt}};
  }
};

TEST_F(ReportJobTest, WritesTheReportOfTheCurrentSetForAChartReference) {
  CountingPictures pictures;
  request.pictures = &pictures;
  const ReportJobResult result = RunReportJob(request, *context);
  ASSERT_TRUE(result.written) << messages.Only();
  EXPECT_FALSE(result.failed);
  EXPECT_EQ(result.error, ReportJobError::None);
  EXPECT_GT(result.paragraphs, 20);
  // The report folder's name for the report, made on the way.
  EXPECT_EQ(result.outputFile.rfind(settings.ReportPath, 0), 0u) << result.outputFile;
  EXPECT_TRUE(FileExists(result.outputFile));
  EXPECT_NE(ReadFileBytes(result.outputFile).value_or("").find("{\\i Sun is in "), std::string::npos);
  // The chart page asked the front end's pictures for the wheel of the cast chart.
  EXPECT_EQ(pictures.wheels, 1);
  EXPECT_EQ(pictures.firstChart, "Albert Einstein");
  // The context keeps what the run loaded for the next job.
  EXPECT_FALSE(context->rulerships.schemes.empty());
}

// A walk into a writer of the caller's: no document, no report folder, and the writer hears
// of each section entered and each paragraph written.
class WalkRecorder : public ReportWriter {
 public:
  std::vector<std::size_t> sections, paragraphs;
  int texts = 0;
  void Begin() override {}
  void FrontPageSection(const ReportRun&, const std::string&) override {}
  void SectionTitle(const std::string&, int) override {}
  void KeywordTitles(const std::string&) override {}
  void Text(const std::string&) override { ++texts; }
  void Picture(const std::string&, int) override {}
  void DebugLine(const std::string&) override {}
  void DynamicSection(const ReportRun&, int, bool, bool) override {}
  bool Finish(const std::string& path) override { return path.empty(); }
  void SectionBegins(std::size_t position) override { sections.push_back(position); }
  void ParagraphReached(std::size_t position) override { paragraphs.push_back(position); }
};

TEST_F(ReportJobTest, AWalkIntoAWriterOfItsOwnWritesNoDocument) {
  WalkRecorder walk;
  request.writer = &walk;
  request.outputFile = folder.Path() + "never.rtf";
  const ReportJobResult result = RunReportJob(request, *context);
  ASSERT_TRUE(result.written) << messages.Only();
  EXPECT_FALSE(FileExists(request.outputFile));
  EXPECT_FALSE(FolderExists(settings.ReportPath));
  EXPECT_EQ(static_cast<int>(walk.paragraphs.size()), result.paragraphs);
  EXPECT_GT(result.paragraphs, 20);
  EXPECT_GE(walk.texts, result.paragraphs);
  // Sections and paragraphs are named by their records in the compiled report.
  const CompiledReportReader bin = CompiledReportReader::Load(modern.compiledFile, false);
  ASSERT_FALSE(walk.sections.empty());
  for (std::size_t position : walk.sections) {
    ASSERT_NE(bin.At(position), nullptr);
    EXPECT_TRUE(bin.At(position)->record.IsSection());
  }
  for (std::size_t position : walk.paragraphs) {
    ASSERT_NE(bin.At(position), nullptr);
    EXPECT_FALSE(bin.At(position)->record.noText);
  }
}

TEST_F(ReportJobTest, ANamedSetAndOutputFileAndAChartInMemory) {
  request.setFile = "traditional.swp";  // found in the program folder
  request.currentSet = nullptr;
  StoredChart stored;
  stored.chart.Name = "Typed Chart";
  stored.chart.Moment = {1990, 6, 15, 12, 0, 0, calAuto};
  stored.chart.Latitude = 51.5;
  request.charts = {{"", stored}};
  request.outputFile = folder.Path() + "typed.rtf";
  const ReportJobResult result = RunReportJob(request, *context);
  ASSERT_TRUE(result.written) << messages.Only();
  EXPECT_EQ(result.outputFile, request.outputFile);
  EXPECT_NE(folder.Read("typed.rtf").find("Typed"), std::string::npos);
}

TEST_F(ReportJobTest, OwnersGivenBeforehandStandWithOrWithoutTheDetailsQuestion) {
  for (const bool asks : {true, false}) {
    TKVReport set = modern;
    set.askChartGender = asks;
    request.currentSet = &set;
    questions.owners = {{"Albie", ""}};
    request.owners = questions.owners;
    request.outputFile = folder.Path() + "owner.rtf";
    ASSERT_TRUE(RunReportJob(request, *context).written) << messages.Only();
    EXPECT_NE(folder.Read("owner.rtf").find("Albie"), std::string::npos) << "asks " << asks;
  }
}

// A run without --gender keeps the chart's own gender, so a chart without one reaches the
// report unspecified (neutral wording) instead of being made male by the question.
TEST(PresetReportQuestionsTest, AGenderIsSetOnlyWhereOneWasGiven) {
  struct Case {
    std::uint8_t chartKind;
    const char* given;
    std::uint8_t expected;
  };
  const Case cases[] = {
      {EventUnspecified, "", EventUnspecified}, {EventMale, "", EventMale},     {EventFemale, "", EventFemale},
      {EventUnspecified, "f", EventFemale},     {EventFemale, "m", EventMale}, {EventUnspecified, "m", EventMale},
  };
  TKVReport set;
  set.askChartGender = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.chartKind) + " given '" + c.given + "'");
    std::vector<CalculatedChart> charts(1);
    charts[0].Chart.Name = "Sam Taylor";
    charts[0].Chart.EventKind = c.chartKind;
    PresetReportQuestions preset;
    preset.owners = {{"", c.given}};
    int house = 1;
    std::vector<std::string> owners;
    ASSERT_TRUE(AskReportQuestions(charts, 1, house, set, owners, preset));
    EXPECT_EQ(charts[0].Chart.EventKind, c.expected);
    EXPECT_EQ(owners[0], "Sam");
  }
  // Without any owners given at all the chart keeps its gender too.
  std::vector<CalculatedChart> charts(1);
  charts[0].Chart.Name = "Sam Taylor";
  PresetReportQuestions none;
  int house = 1;
  std::vector<std::string> owners;
  ASSERT_TRUE(AskReportQuestions(charts, 1, house, set, owners, none));
  EXPECT_EQ(charts[0].Chart.EventKind, EventUnspecified);
}

TEST_F(ReportJobTest, RefusalsComeBackAsData) {
  struct Case {
    const char* what;
    void (*change)(ReportRequest&, TKVReport&, PresetReportQuestions&);
    ReportJobError error;
    const char* detail;
  };
  const Case cases[] = {
      {"no report set", [](ReportRequest& r, TKVReport&, PresetReportQuestions&) { r.currentSet = nullptr; },
       ReportJobError::NoReportSet, ""},
      {"set file gone", [](ReportRequest&, TKVReport& s, PresetReportQuestions&) { s.setFile += ".gone"; },
       ReportJobError::NoReportSet, ""},
      {"unknown option", [](ReportRequest& r, TKVReport&, PresetReportQuestions&) { r.option = "NOPE"; },
       ReportJobError::NoSuchOption, "NOPE"},
      {"composite set with one chart", [](ReportRequest&, TKVReport& s, PresetReportQuestions&) { s.composite = true; },
       ReportJobError::NeedsSecondChart, ""},
      {"natal set with two charts",
       [](ReportRequest& r, TKVReport&, PresetReportQuestions&) { r.charts.push_back({"main.cht:2", std::nullopt}); },
       ReportJobError::TooManyCharts, ""},
      {"solar return set", [](ReportRequest&, TKVReport& s, PresetReportQuestions&) { s.includesSolarReturn = true; },
       ReportJobError::NeedsDerivedCharts, ""},
      {"synastry with one chart", [](ReportRequest&, TKVReport& s, PresetReportQuestions&) { s.synastry = true; },
       ReportJobError::NeedsSecondChart, ""},
      {"unreadable chart",
       [](ReportRequest& r, TKVReport&, PresetReportQuestions&) { r.charts = {{"nosuch.cht:1", std::nullopt}}; },
       ReportJobError::ChartUnreadable, "nosuch.cht:1: "},
      {"output is a device", [](ReportRequest& r, TKVReport&, PresetReportQuestions&) { r.outputFile = "/dev/null"; },
       ReportJobError::OutputNotReplaceable, "/dev/null"},
      {"quesited house not a number",
       [](ReportRequest&, TKVReport& s, PresetReportQuestions& q) {
         s.askQuesitedHouse = true;
         q.quesited = "x";
       },
       ReportJobError::Cancelled, ""},
  };
  for (const Case& c : cases) {
    TKVReport set = modern;
    ReportRequest r = request;
    PresetReportQuestions q;
    r.currentSet = r.currentSet ? &set : nullptr;
    r.questions = &q;
    r.outputFile = folder.Path() + "refused.rtf";
    c.change(r, set, q);
    const ReportJobResult result = RunReportJob(r, *context);
    EXPECT_FALSE(result.written) << c.what;
    EXPECT_EQ(result.error, c.error) << c.what;
    EXPECT_EQ(result.detail.substr(0, std::string(c.detail).size()), c.detail) << c.what;
    EXPECT_FALSE(FileExists(folder / "refused.rtf")) << c.what;
  }
  EXPECT_TRUE(messages.Empty()) << messages.Only();
}

TEST_F(ReportJobTest, ACompositeSetReportsOnTheCombinedChartOfThePair) {
  CountingPictures pictures;
  request.pictures = &pictures;
  modern.composite = true;
  request.charts = {{"main.cht:1", std::nullopt}, {"main.cht:3", std::nullopt}};
  for (int method : {CompositeMidpoints, CompositeDavison}) {
    request.compositeMethod = method;
    const ReportJobResult result = RunReportJob(request, *context);
    ASSERT_TRUE(result.written) << messages.Only();
    EXPECT_EQ(result.outputFile, settings.ReportPath + "Modern Natal Report for Albert Einstein and Diana Spencer.rtf");
    // The chart record keeps 30 characters of the pair's name.
    EXPECT_EQ(pictures.firstChart, "Albert Einstein and Diana Spen");
    EXPECT_EQ(pictures.firstSubType, method);
  }
  // The same chart twice cannot be combined.
  request.charts = {{"main.cht:1", std::nullopt}, {"main.cht:1", std::nullopt}};
  const ReportJobResult same = RunReportJob(request, *context);
  EXPECT_EQ(same.error, ReportJobError::Shown);
  EXPECT_EQ(messages.Only(), "Cannot combine the same chart for a Composite - choose two charts that are different.");
}

TEST_F(ReportJobTest, AReturnSetReportsOnTheReturnBesideTheNatalChart) {
  CountingPictures pictures;
  request.pictures = &pictures;
  modern.includesSolarReturn = true;
  int asked = 0;
  request.returnSearch = [&asked](const CalculatedChart& natal) {
    ++asked;
    ReturnSearchRequest search;
    search.base = natal.Chart;
    search.base.Moment = {2000, 4, 1, 12, 0, 0, calAuto};
    search.which = ReturnWhich::Current;
    search.options.cast.Backend = CalcBackend::Swiss;
    return std::optional<ReturnSearchRequest>(search);
  };
  const ReportJobResult result = RunReportJob(request, *context);
  ASSERT_TRUE(result.written) << messages.Only();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(pictures.firstChart, "Albert Einstein");
  EXPECT_EQ(pictures.firstSubType, ReturnSolar);
  EXPECT_EQ(pictures.charts, 2u);
  const std::string rtf = ReadFileBytes(result.outputFile).value_or("");
  EXPECT_NE(rtf.find("    Solar Return:   13 Mar 2000 7:39:17 pm LMT -0:40 Ulm, Germany"), std::string::npos) << rtf.substr(rtf.find("Solar Return"), 100);
  // A front end that cannot say where the return is sought has said why itself.
  request.returnSearch = [](const CalculatedChart&) { return std::optional<ReturnSearchRequest>(); };
  EXPECT_EQ(RunReportJob(request, *context).error, ReportJobError::Shown);
}

TEST_F(ReportJobTest, AMissingIndexIsMadeOnlyInsideTheProgramsFolders) {
  // A compiled report outside every folder of the settings: its index is not made there.
  testing::TempFolder elsewhere;
  const std::string bin = elsewhere.Write("far.bin", ReadFileBytes(modern.compiledFile).value_or(""));
  TKVReport set = modern;
  set.compiledFile = bin;
  request.currentSet = &set;
  ReportJobResult result = RunReportJob(request, *context);
  EXPECT_FALSE(result.written);
  EXPECT_EQ(result.error, ReportJobError::Shown);
  EXPECT_FALSE(FileExists(elsewhere / "far.ind"));
  EXPECT_EQ(messages.Only(), "The section index " + elsewhere / "far.ind" +
                                 " is missing.\r\n\r\nCompile the report again to make it.");

  // The same compiled report in the report folder gets its index made.
  messages.messages.clear();
  MakeFolders(settings.ReportPath);
  set.compiledFile = settings.ReportPath + "near.bin";
  std::filesystem::copy_file(bin, set.compiledFile);
  request.outputFile = folder / "near.rtf";
  result = RunReportJob(request, *context);
  EXPECT_TRUE(result.written) << messages.Only();
  EXPECT_TRUE(FileExists(settings.ReportPath + "near.ind"));
}

TEST_F(ReportJobTest, AMissingCompiledReportIsShownAsAWarning) {
  TKVReport set = modern;
  set.compiledFile = folder.Path() + "none.bin";
  request.currentSet = &set;
  const ReportJobResult result = RunReportJob(request, *context);
  EXPECT_FALSE(result.written);
  EXPECT_EQ(result.error, ReportJobError::Shown);
  EXPECT_EQ(messages.Only(), "The report file " + set.compiledFile +
                                 " was not found.\r\n\r\nIt may need to be compiled before it can be used.");
}

}  // namespace
}  // namespace korvana

namespace korvana {
namespace {

// The same walk through the PDF path: the engine receives the report's words in the
// order the RTF report holds them, under the report folder's name with ".pdf".
TEST_F(ReportJobTest, APdfEngineWritesTheSameReportAsPdf) {
  testing::RecordingPdfEngine engine;
  request.pdfEngine = &engine;
  CountingPictures pictures;
  request.pictures = &pictures;
  const ReportJobResult pdf = RunReportJob(request, *context);
  ASSERT_TRUE(pdf.written) << messages.Only();
  EXPECT_FALSE(pdf.failed) << messages.Only();
  EXPECT_TRUE(pdf.outputFile.ends_with("Modern Natal Report for Albert Einstein.pdf")) << pdf.outputFile;
  EXPECT_EQ(engine.ended, pdf.outputFile);
  EXPECT_EQ(engine.info.subject, "Albert Einstein");
  EXPECT_EQ(engine.info.title, "Korvana - Modern Natal Report");
  EXPECT_GT(engine.pages, 5);
  EXPECT_EQ(pictures.wheels, 1);
  EXPECT_EQ(pictures.firstChart, "Albert Einstein");

  // Every page after the first has its header.
  int headers = 0;
  for (const auto& t : engine.texts) headers += t.header && t.text.rfind("Page ", 0) == 0;
  EXPECT_EQ(headers, engine.pages - 1);

  // The body's words follow the RTF report's order: "Sun is in" comes after the summary.
  std::string words;
  for (const auto& t : engine.Body()) words += t.text + " ";
  const std::size_t summary = words.find("Astrological Summary");
  const std::size_t sun = words.find("Sun is in ");
  ASSERT_NE(summary, std::string::npos);
  ASSERT_NE(sun, std::string::npos) << words.substr(0, 400);
  EXPECT_LT(summary, sun);
}

}  // namespace
}  // namespace korvana
