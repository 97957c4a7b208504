// korvana report: writes the RTF report of a report set for one or two charts through
// the core's report job: a synastry or composite set takes --chart and --chart2 (a
// composite set makes its midpoint or Davison chart), a return set casts the return of
// --chart near --near. The report set's questions (quesited house, owners' names and
// genders, the report option) are answered by the options instead of dialogs. A run of
// charts ("--chart FILE:all") writes one report per chart, on -j threads side by side;
// what each report prints comes out in the run's order. Instead of --chart the chart may
// be given by its fields, its place looked up as for cast; then --time, --lat, --lon and
// --zone are the chart's, and a return set's return is sought at noon of --near (the
// natal place, or --relocate). --from and --duration set the period of the set's dynamic
// sections.
#include <atomic>
#include <filesystem>
#include <memory>
#include <ostream>
#include <sstream>
#include <thread>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/drawing_commands.h"
#include "cli/environment.h"
#include "cli/return_options.h"
#include "cli/drawing/gui_application.h"
#include "cli/validators.h"
#include "core/astro/ephemeris.h"
#include "core/charts/chart_reference.h"
#include "core/config/program_settings.h"
#include "core/derived/composite.h"
#include "core/reports/job/report_job.h"
#include "core/util/files.h"
#include "core/util/text.h"
#include "core/delivery/delivery.h"
#include "core/reports/pdf/pdf_report.h"
#include "render/front_page_pictures.h"
#include "render/pdf_engine_qt.h"
#include "render/report_wheel.h"
#include "render/time_line_picture.h"
#include "core/time/entry_parsing.h"

namespace korvana::cli {
namespace {

// What the command line asks of report; an option not given is empty.
struct ReportArguments {
  std::string setFile, chart1, chart2, output, quesited, genders, names, option, paper, method, anchor;
  bool debug = false, count = false, pdf = false, open = false;
  int jobs = 1;
  std::optional<std::string> from, duration;  // the dynamic sections' period
  DynamicPeriodChoice period;                 // the two, read
  ReturnArguments returns;  // for return report sets
  OptionMap chart;          // --chart, or the first chart's fields
  // A run of charts writes its reports without waiting for the disk after each one and
  // flushes the report folder once at its end.
  Durability durability = Durability::Flushed;
};

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> parts;
  for (std::string_view p : Split(text, ',')) parts.emplace_back(Trim(p));
  return parts;
}

// Says on stderr why the job wrote nothing, unless the job showed it already.
void ReportErrorText(std::ostream& err, const ReportJobResult& result) {
  const char* text = nullptr;
  switch (result.error) {
    case ReportJobError::None:
    case ReportJobError::Shown: return;
    case ReportJobError::NoReportSet: text = "no report set is selected; give --set FILE.swp"; break;
    case ReportJobError::NoSuchOption:
      err << "korvana: the report set has no option \"" << result.detail << "\"\n";
      return;
    case ReportJobError::NeedsDerivedCharts:
      text = "this return report set needs the date near which the return is sought";
      break;
    case ReportJobError::NeedsSecondChart:
      text = "this report set needs a second chart; give --chart2 FILE:N";
      break;
    case ReportJobError::TooManyCharts:
      text = "this report set is written for one chart; leave out --chart2";
      break;
    case ReportJobError::ChartUnreadable: err << "korvana: " << result.detail << "\n"; return;
    case ReportJobError::Cancelled:
      text = "the report was cancelled: the quesited house must be a number 1-12";
      break;
    case ReportJobError::NoReportFolder:
      err << "korvana: cannot create the report folder " << result.detail << "\n";
      return;
    case ReportJobError::OutputNotReplaceable:
      err << "korvana: will not write over " << result.detail << ": not a regular file that can be written\n";
      return;
    case ReportJobError::NothingWritten: text = "no report was written"; break;
    case ReportJobError::HoraryChart: err << "korvana: " << result.detail << "\n"; return;
  }
  err << "korvana: " << text << "\n";
}

PresetReportQuestions QuestionsOf(const ReportArguments& a) {
  PresetReportQuestions questions;
  if (!a.quesited.empty()) questions.quesited = a.quesited;
  const std::vector<std::string> givenGenders = SplitCommas(a.genders);
  const std::vector<std::string> givenNames = a.names.empty() ? std::vector<std::string>{} : SplitCommas(a.names);
  questions.owners.resize(std::max(givenGenders.size(), givenNames.size()));
  for (std::size_t i = 0; i < givenGenders.size(); ++i) questions.owners[i].gender = ToLowerAscii(givenGenders[i]);
  for (std::size_t i = 0; i < givenNames.size(); ++i) questions.owners[i].name = givenNames[i];
  return questions;
}

// Where one report goes and what it says: the report's path (and paragraph count) on
// `out`, why it was not written on `err`.
struct ReportPrinting {
  std::ostream& out;
  std::ostream& err;
};

// Writes the report for `chart` (and the second chart, when given) in `context`.
// Returns the exit status.
int WriteOne(const ReportArguments& a, const ReportChartChoice& chart, ReportContext& context,
             const TKVReport& currentSet, const std::string& pictureFolder, ReportPrinting print) {
  PresetReportQuestions questions = QuestionsOf(a);
  ReportRequest request;
  request.setFile = a.setFile;
  request.currentSet = &currentSet;
  request.charts.push_back(chart);
  if (!a.chart2.empty()) request.charts.push_back({a.chart2, std::nullopt});
  request.outputFile = a.output;
  request.option = a.option;
  request.debug = a.debug;
  request.durability = a.durability;
  request.questions = &questions;
  request.owners = questions.owners;
  // The chart page's pictures (the wheel, and the dignity table for aspect sets in moiety
  // mode) are painted offscreen.
  TFrontPagePictures pictures(PaintReportWheel);
  request.pictures = &pictures;
  request.pictureFolder = pictureFolder;
  TTimeLinePictures timeLines;
  request.timeLines = &timeLines;
  request.dynamicPeriod = a.period;
  TQtPdfEngine engine;
  PdfReportOptions pdfOptions;
  if (const auto paper = PaperSizeNamed(a.paper)) pdfOptions.printer = PrinterPage{paper->widthInches, paper->heightInches};
  if (a.pdf) {
    request.pdfEngine = &engine;
    request.pdfOptions = &pdfOptions;
  }
  if (!a.method.empty()) request.compositeMethod = ToLowerAscii(a.method) == "davison" ? CompositeDavison : CompositeMidpoints;
  if (!a.anchor.empty())
    request.compositeAnchor = ToLowerAscii(a.anchor) == "auto" ? AnchorAutomatic : std::stoi(a.anchor);
  request.returnSearch = [&a, &context](const CalculatedChart& natal) {
    return ReturnSearchFor(a.returns, natal.Chart, context.settings, context.messages);
  };

  const ReportJobResult result = RunReportJob(request, context);
  if (!result.written) {
    ReportErrorText(print.err, result);
    return 1;
  }
  print.out << result.outputFile << "\n";
  if (a.count) print.out << "paragraphs = " << result.paragraphs << "\n";
  if (a.open && !OpenInViewer(result.outputFile)) print.err << "korvana: could not open " << result.outputFile << "\n";
  return result.failed ? 1 : 0;
}

// One run's report, written by a worker thread and printed afterwards in order.
struct ReportTask {
  std::string chart;
  std::ostringstream out, err;
  int status = 0;
};

// Writes the tasks' reports on `jobs` threads, each with its own settings, context and
// picture folder (the chart page's pictures are files), taking the next task as it is
// free. The Swiss Ephemeris keeps its data folder per thread.
void WriteSideBySide(const ReportArguments& a, std::vector<ReportTask>& tasks, const ProgramSettings& settings,
                     const TKVReport& currentSet, int jobs) {
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    UseSwissEphemerisInThisThread();
    ProgramSettings own = settings;
    std::ostringstream shown;  // the job's messages, given to the task that showed them
    StderrMessages messages(shown);
    ReportContext context(own, messages);
    const std::string folder = WorkFileFor(own.ReportPath + "pictures") + "/";
    MakeFolders(folder);
    for (std::size_t i; (i = next++) < tasks.size();) {
      ReportTask& task = tasks[i];
      task.status = WriteOne(a, {task.chart, std::nullopt}, context, currentSet, folder, {task.out, task.err});
      task.err << shown.str();
      shown.str("");
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  };
  std::vector<std::thread> threads;
  for (int k = 0; k < jobs; ++k) threads.emplace_back(work);
  for (std::thread& t : threads) t.join();
}

// The page of the paper named by --paper, for the RTF page geometry.
void UsePaper(ProgramSettings& settings, const std::string& name) {
  if (const auto paper = PaperSizeNamed(name)) {
    settings.PageWidthTwips = static_cast<std::int32_t>(std::lround(paper->widthInches * 1440));
    settings.PageHeightTwips = static_cast<std::int32_t>(std::lround(paper->heightInches * 1440));
  }
}

// The dynamic sections' period from --from and --duration; false when the date is not
// one (the date parser has said why).
bool ReadPeriod(ReportArguments& a, const ProgramSettings& settings, Messages& messages) {
  if (a.duration) a.period.length = ParsePeriodLength(*a.duration);
  if (!a.from) return true;
  const DateEntry d = ParseDate(*a.from, &messages, settings.MonthFirst);
  if (d.error) return false;
  a.period.from = DateTimeRec{static_cast<std::int16_t>(d.year), static_cast<std::uint8_t>(d.month),
                              static_cast<std::uint8_t>(d.day), 0, 0, 0, calAuto};
  return true;
}

int Run(CommandContext& ctx, ReportArguments& a) {
  ProgramSettings& settings = ctx.env.Settings();
  UsePaper(settings, a.paper);
  if (!ReadPeriod(a, settings, ctx.env.MessagesSink())) return 1;
  // Pictures (the chart page's, the time lines) are painted with Qt's fonts.
  if (settings.ChartPage || settings.ShowTimeLineDiagrams) EnsureGuiApplication();
  if (a.chart1.empty()) {
    // The chart's fields: cast with the settings' house system.
    const std::optional<ChartRecord> record = ChartFromFields(a.chart, settings, ctx.env.MessagesSink());
    if (!record) return 1;
    StoredChart stored;
    stored.chart = *record;
    stored.houseSystem = CastOptionsFrom(settings).HouseSystem;
    ReportContext context(settings, ctx.env.MessagesSink());
    return WriteOne(a, {"", stored}, context, ctx.env.Report(), "", {ctx.out, ctx.err});
  }
  const std::optional<ChartRun> chartRun = ParseChartRun(a.chart1);
  if (!chartRun) {
    ReportContext context(settings, ctx.env.MessagesSink());
    return WriteOne(a, {a.chart1, std::nullopt}, context, ctx.env.Report(), "", {ctx.out, ctx.err});
  }

  std::vector<ReportTask> tasks;
  try {
    for (const std::string& chart : ChartRunReferences(*chartRun, settings)) tasks.emplace_back().chart = chart;
  } catch (const std::exception& e) {
    ctx.err << "korvana: " << e.what() << "\n";
    return 1;
  }
  a.durability = Durability::Scratch;
  const int jobs = std::clamp(a.jobs, 1, static_cast<int>(tasks.size()));
  int status = 0;
  if (jobs == 1) {
    ReportContext context(settings, ctx.env.MessagesSink());
    for (const ReportTask& task : tasks)
      status |= WriteOne(a, {task.chart, std::nullopt}, context, ctx.env.Report(), "", {ctx.out, ctx.err});
  } else {
    WriteSideBySide(a, tasks, settings, ctx.env.Report(), jobs);
    for (const ReportTask& task : tasks) {
      ctx.out << task.out.str();
      ctx.err << task.err.str();
      status |= task.status;
    }
  }
  if (!FlushFileSystemOf(settings.ReportPath)) {
    ctx.err << "korvana: the reports in " << settings.ReportPath << " could not be flushed to the disk\n";
    status = 1;
  }
  return status;
}

CommandRun Build(CommandOptions& app) {
  auto a = std::make_shared<ReportArguments>();
  const auto value = [&app](const char* name, std::string& target, const char* valueName, const char* description) {
    return app.Value(name, target, description).ValueName(valueName).Check(NotEmpty());
  };
  value("--set", a->setFile, "FILE.swp", "the report set (default: the current one)");
  // The return's --time and place share their names with the chart's fields: with --chart
  // they are the return's, else the chart's. This runs before the chart options' check.
  app.AfterParse([a] {
    auto& o = a->chart;
    const auto take = [&o](const char* name, std::string& target) {
      if (auto it = o.find(name); it != o.end()) {
        target = it->second;
        o.erase(it);
      }
    };
    if (!o.count("chart")) return;
    a->chart1 = o["chart"];
    take("time", a->returns.time);
    take("lat", a->returns.lat);
    take("lon", a->returns.lon);
    take("zone", a->returns.zone);
  });
  AddChartOptions(app, a->chart);
  value("--chart2", a->chart2, "FILE:N", "the second chart of a two-chart report");
  value("-o,--output", a->output, "OUT.rtf|OUT.pdf",
        "the report file, RTF or PDF by its extension (default: named after the chart in the report folder)")
      .Check(FileExtension({".rtf", ".pdf"}));
  app.Flag("--pdf", a->pdf, "write the report as PDF (the format -o names also chooses it)");
  app.Flag("--open", a->open, "open the finished report in the desktop's viewer");
  value("--paper", a->paper, "A4|Letter|...", "the page's paper size (default: the printer's, else A4)")
      .Check([](std::string& v) { return PaperSizeNamed(v) ? std::string() : std::string("takes a paper size such as A4 or Letter"); });
  value("--quesited", a->quesited, "N", "the quesited house (default 1)");
  value("--gender", a->genders, "m|f[,m|f]", "each chart's gender").Check(GenderList());
  value("--names", a->names, "NAME[,NAME]", "each chart owner's given name");
  value("--option", a->option, "MNEMONIC", "the report set's option to use");
  value("--method", a->method, "midpoint|davison", "a composite set's chart: midpoints or the Davison chart")
      .Check(OneOf({"midpoint", "davison"}, true));
  value("--anchor", a->anchor, "auto|1|10", "the house a midpoint composite's houses start from")
      .Check(OneOf({"auto", "1", "10"}, true));
  AddReturnOptions(app, a->returns, ReturnPlaceOptions::SharedWithChart);
  app.Value("--from", a->from, "the first day of the dynamic sections' period (default: the report set's)")
      .ValueName("DATE")
      .Check(NotEmpty());
  app.Value("--duration", a->duration, "the dynamic sections' period: 1y, 18m, 30d (default: the report set's)")
      .ValueName("LENGTH")
      .Check([](std::string& v) {
        return ParsePeriodLength(v) ? std::string() : std::string("takes a number and y, m, d or h (\"1y\", \"18m\")");
      });
  app.Flag("--debug", a->debug, "mark each paragraph with its source");
  app.Flag("--count", a->count, "print the number of paragraphs written");
  app.Value("-j,--jobs", a->jobs, "reports written side by side for a run of charts (default 1)")
      .ValueName("N")
      .Check(WholeNumber(1, 64, "a number of jobs"));
  app.AfterParse([app, a] {
    CheckReturnOptions(app, a->returns);
    if (!a->output.empty() && ParseChartRun(a->chart1))
      throw UsageError("report writes a run of charts under their own names in the report folder; leave out -o");
    // The output's extension chooses the format.
    if (EndsWithNoCase(a->output, ".pdf")) a->pdf = true;
    else if (a->pdf && !a->output.empty()) throw UsageError("--pdf writes a PDF file; name it .pdf: " + a->output);
  });
  return [a](CommandContext& ctx) { return Run(ctx, *a); };
}

const CommandText& Text = DrawingCommand("report");
CommandRegistration reg({Text.name, Text.usage, Text.summary, Build});

}  // namespace
}  // namespace korvana::cli
