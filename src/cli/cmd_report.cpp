// korvana report: writes the RTF report of a report set for one or two charts. The
// report set's questions (quesited house, owners' names and genders, the report option)
// are answered by the options instead of dialogs.
#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/gui_application.h"
#include "cli/environment.h"
#include "cli/validators.h"
#include "core/analysis/aspect_file.h"
#include "core/analysis/rulerships.h"
#include "core/astro/cast_chart.h"
#include "core/charts/chart_files.h"
#include "core/charts/chart_reference.h"
#include "core/config/program_settings.h"
#include "core/reports/driver/report_driver.h"
#include "core/reports/driver/report_questions.h"
#include "core/reports/frontpage/front_page.h"
#include "core/reports/interps/interps.h"
#include "core/reports/reportset/report_set.h"
#include "core/reports/reportset/section_index.h"
#include "core/util/files.h"
#include "core/util/text.h"
#include "render/front_page_pictures.h"
#include "render/wheel_drawing.h"

namespace korvana::cli {
namespace {

constexpr const char* Usage =
    "report [--set FILE.swp] --chart FILE:N [--chart2 FILE:N] [-o OUT.rtf] [--quesited N] "
    "[--gender m|f[,m|f]] [--names NAME[,NAME]] [--option MNEMONIC] [--debug] [--count]";

// What the command line asks of report; an option not given is empty.
struct ReportArguments {
  std::string setFile, chart1, chart2, output, quesited, genders, names, option;
  bool debug = false, count = false;
};

// The answers of the command line: the options, or the dialogs' defaults.
class OptionQuestions : public TReportQuestions {
 public:
  std::string quesited = "1";
  std::vector<std::string> genders;  // "m" / "f" per chart, empty keeps the chart's
  std::vector<std::string> names;    // per chart, empty keeps the given name

  std::optional<std::string> AskQuesitedHouse(std::string_view, std::string_view, std::string_view) override {
    return quesited;
  }
  bool AskPersonalDetails(PersonalDetailsForm& form) override {
    for (std::size_t i = 0; i < form.entries.size(); ++i) {
      if (i < names.size() && !names[i].empty()) form.entries[i].givenName = names[i];
      if (i < genders.size() && !genders[i].empty()) form.entries[i].female = genders[i] == "f";
    }
    return true;
  }
};

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> parts;
  for (std::string_view p : Split(text, ',')) parts.emplace_back(Trim(p));
  return parts;
}

// The report set's extra wheel points of one chart as the wheel draws them: the computed
// ones only, each under its abbreviation (its name when it has none) in the extra-point
// colour (the report set gives none): dark magenta, apart from the chart points' colours.
std::vector<WheelExtraPoint> WheelExtraPoints(const TExtraPlotPoints& extra) {
  std::vector<WheelExtraPoint> points;
  for (const TExtraPlotPoint& p : extra.points) {
    if (!p.position.Computed()) continue;
    WheelExtraPoint w;
    w.longitude = p.position.Longitude;
    w.speed = p.position.LongitudeSpeed;
    w.name = !p.abbreviation.empty() && p.abbreviation != "?" ? p.abbreviation : p.name;
    w.colour = MakeColor(139, 0, 139);
    points.push_back(std::move(w));
  }
  return points;
}

// Draws the report's wheel with the wheel design in use: the first chart, or both charts
// for a two-chart design (synastry and return sets).
bool PaintReportWheel(const ReportRun& run, QPainter& painter, const QRect& rect) {
  const ProgramSettings& s = *run.settings;
  if (run.charts.empty() || !FileExists(s.CurrentWheel)) return false;
  WheelRequest request;
  const bool twoCharts = run.report->synastry || run.report->includesSolarReturn || run.report->includesLunarReturn;
  const std::size_t shown = twoCharts ? run.charts.size() : 1;
  for (std::size_t i = 0; i < shown && i < run.charts.size(); ++i) {
    WheelChart chart;
    chart.chart = &run.charts[i];
    chart.record = &run.charts[i].Chart;
    if (i < run.extraPoints.size()) chart.extra_points = WheelExtraPoints(run.extraPoints[i]);
    request.input.charts.push_back(std::move(chart));
  }
  // The report set's points when it chooses any, else the wheel selection of the settings.
  bool any = false;
  for (int id = 1; id <= LastPoint; ++id) any = any || run.report->pointSelection[static_cast<std::size_t>(id)];
  for (int id = 1; id <= LastPoint; ++id) {
    auto i = static_cast<std::size_t>(id);
    request.input.selection[i] = any ? run.report->pointSelection[i] : s.WheelPointSelection[i];
  }
  request.input.aspects = run.aspects;
  // The RTF chart page is a printed picture: printing margins, and colour only when the
  // preferences print in colour.
  request.input.output_kind = kWheelPrinter;
  request.report = true;
  request.composite_set = run.report->composite;
  request.design_file = s.CurrentWheel;
  request.rect = rect;
  request.return_reports = run.report->includesSolarReturn || run.report->includesLunarReturn;
  DrawChartWheel(painter, request, s, *run.messages);
  return true;
}

int Run(CommandContext& ctx, const ReportArguments& a) {
  std::string setFile = a.setFile, chart1 = a.chart1, chart2 = a.chart2, output = a.output, quesited = a.quesited,
              genders = a.genders, names = a.names, option = a.option;
  const bool debug = a.debug, count = a.count;

  OptionQuestions questions;
  if (!quesited.empty()) questions.quesited = quesited;
  for (const std::string& g : SplitCommas(genders)) {
    std::string lower = g;
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    questions.genders.push_back(lower);
  }
  if (!names.empty()) questions.names = SplitCommas(names);

  ProgramSettings& settings = ctx.env.Settings();
  Messages& messages = ctx.env.MessagesSink();
  TKVReport localReport;
  TKVReport* report = &ctx.env.Report();
  if (!setFile.empty()) {
    std::string path = FileExists(setFile) ? setFile : ResolveInFolder(setFile, settings.SystemPath);
    if (!LoadReportSet(path, localReport, settings, messages)) return 1;
    report = &localReport;
  }
  if (report->setFile.empty() || !FileExists(report->setFile)) {
    ctx.err << "korvana: no report set is selected; give --set FILE.swp\n";
    return 1;
  }
  if (!FileExists(report->compiledFile)) {
    messages.Warning("The report file " + report->compiledFile + " was not found." + "\r\n\r\n" +
                     "It may need to be compiled before it can be used.");
    return 1;
  }
  std::string indexFile = SectionIndexFileFor(report->compiledFile);
  if (!FileExists(indexFile) && !BuildSectionIndex(report->compiledFile, indexFile, messages)) return 1;

  int chosenOption = 0;
  if (!option.empty()) {
    for (std::size_t k = 0; k < report->options.size(); ++k) {
      std::string_view entry = report->options[k];
      if (EqualsNoCase(entry.substr(0, entry.find('=')), option)) chosenOption = static_cast<int>(k) + 1;
    }
    if (chosenOption == 0) {
      ctx.err << "korvana: the report set has no option \"" << option << "\"\n";
      return 1;
    }
  }

  // The charts. Composite and return reports need charts derived from the given ones,
  // which the command line does not make.
  if (report->composite || report->includesSolarReturn || report->includesLunarReturn) {
    ctx.err << "korvana: composite and return reports cannot be written from the command line\n";
    return 1;
  }
  std::vector<CalculatedChart> charts;
  const bool twoCharts = report->synastry;
  if (twoCharts && chart2.empty()) {
    ctx.err << "korvana: this report set needs a second chart; give --chart2 FILE:N\n";
    return 1;
  }
  for (const std::string& ref : {chart1, chart2}) {
    if (ref.empty()) continue;
    try {
      StoredChart stored = ReadChartReference(ref, settings);
      CastOptions options = CastOptionsFrom(settings);
      options.HouseSystem = stored.houseSystem;
      charts.push_back(CastChart(stored.chart, options));
    } catch (const std::exception& e) {
      ctx.err << "korvana: " << ref << ": " << e.what() << "\n";
      return 1;
    }
  }

  // The report set's aspects and the rulership tables.
  LoadAspectFile(report->aspectFile, CurrentAspectSet(), messages);
  RulershipTables& tables = GlobalRulerships();
  if (tables.schemes.empty() && FileExists(settings.Rulers))
    LoadRulershipTables(settings.Rulers, settings.Degrees, settings.Trips, messages, tables);

  ReportRun run;
  run.charts = charts;
  run.highChart = static_cast<int>(charts.size()) - 1;
  run.quesitedHouse = 1;
  if (!AskReportQuestions(run.charts, static_cast<int>(run.charts.size()), run.quesitedHouse, *report,
                          run.ownerNames, questions)) {
    ctx.err << "korvana: the report was cancelled: the quesited house must be a number 1-12\n";
    return 1;
  }
  // A report set that asks no personal details still takes the names and genders given.
  if (!report->askChartGender) {
    for (std::size_t i = 0; i < run.charts.size(); ++i) {
      if (i < questions.names.size() && !questions.names[i].empty()) run.ownerNames[i] = questions.names[i];
      if (i < questions.genders.size() && !questions.genders[i].empty())
        run.charts[i].Chart.EventKind = questions.genders[i] == "f" ? EventFemale : EventMale;
    }
  }

  // The report folder also takes the chart page's pictures, whatever the output file.
  if (!MakeFolders(settings.ReportPath)) {
    ctx.err << "korvana: cannot create the report folder " << settings.ReportPath << "\n";
    return 1;
  }
  if (output.empty()) {
    output = ReportOutputFile(settings.ReportPath, *report, ReportNameFor(run.charts, *report));
  }
  if (IsFileInUse(output)) {
    messages.Error(ReportAlreadyOpenMessage);
    return 1;
  }

  for (const CalculatedChart& c : run.charts) run.extraPoints.push_back(ComputeExtraPoints(c, *report, messages));
  run.compiledFile = report->compiledFile;
  run.indexFile = indexFile;
  run.outputFile = output;
  run.report = report;
  run.settings = &settings;
  run.chosenOption = chosenOption;
  run.debug = debug;
  run.aspects = &CurrentAspectSet();
  run.tables = &tables;
  run.interps = &GlobalInterps();
  run.messages = &messages;
  // The chart page's pictures (the wheel, and the dignity table for aspect sets in moiety
  // mode) are painted offscreen.
  if (settings.ChartPage) EnsureGuiApplication();
  TFrontPagePictures pictures(PaintReportWheel);
  RtfFrontPageWriter frontPage(&pictures);  // title page, compliments, chart page and summary
  run.frontPage = &frontPage;

  ReportOutcome outcome = GlobalReportDriver().GenerateRtfReport(run);
  if (!outcome.written) {
    if (!outcome.failed) ctx.err << "korvana: no report was written\n";
    return 1;
  }
  ctx.out << output << "\n";
  if (count) ctx.out << "paragraphs = " << outcome.paragraphs << "\n";
  return outcome.failed ? 1 : 0;
}

CommandRun Build(CLI::App& app) {
  auto a = std::make_shared<ReportArguments>();
  const auto value = [&app](const char* name, std::string& target, const char* valueName, const char* description) {
    return app.add_option(name, target, description)->option_text(valueName)->check(NotEmpty());
  };
  value("--set", a->setFile, "FILE.swp", "the report set (default: the current one)");
  value("--chart", a->chart1, "FILE:N", "the chart: chart N (from 1) of a chart file")->required();
  value("--chart2", a->chart2, "FILE:N", "the second chart of a two-chart report");
  value("-o,--output", a->output, "OUT.rtf", "the report file (default: named after the chart in the report folder)");
  value("--quesited", a->quesited, "N", "the quesited house (default 1)");
  value("--gender", a->genders, "m|f[,m|f]", "each chart's gender")->check(GenderList());
  value("--names", a->names, "NAME[,NAME]", "each chart owner's given name");
  value("--option", a->option, "MNEMONIC", "the report set's option to use");
  app.add_flag("--debug", a->debug, "mark each paragraph with its source");
  app.add_flag("--count", a->count, "print the number of paragraphs written");
  return [a](CommandContext& ctx) { return Run(ctx, *a); };
}

CommandRegistration reg({"report", Usage, "write the RTF report of a report set for one or two charts", Build});

}  // namespace
}  // namespace korvana::cli
