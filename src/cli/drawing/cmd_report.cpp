// korvana report: writes the RTF report of a report set for one or two charts through
// the core's report job. The report set's questions (quesited house, owners' names and
// genders, the report option) are answered by the options instead of dialogs.
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/drawing_commands.h"
#include "cli/environment.h"
#include "cli/drawing/gui_application.h"
#include "cli/validators.h"
#include "core/config/program_settings.h"
#include "core/reports/job/report_job.h"
#include "core/util/text.h"
#include "render/front_page_pictures.h"
#include "render/report_wheel.h"

namespace korvana::cli {
namespace {

// What the command line asks of report; an option not given is empty.
struct ReportArguments {
  std::string setFile, chart1, chart2, output, quesited, genders, names, option;
  bool debug = false, count = false;
};

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> parts;
  for (std::string_view p : Split(text, ',')) parts.emplace_back(Trim(p));
  return parts;
}

// Says on stderr why the job wrote nothing, unless the job showed it already.
void ReportErrorText(CommandContext& ctx, const ReportJobResult& result) {
  const char* text = nullptr;
  switch (result.error) {
    case ReportJobError::None:
    case ReportJobError::Shown: return;
    case ReportJobError::NoReportSet: text = "no report set is selected; give --set FILE.swp"; break;
    case ReportJobError::NoSuchOption:
      ctx.err << "korvana: the report set has no option \"" << result.detail << "\"\n";
      return;
    case ReportJobError::NeedsDerivedCharts:
      text = "composite and return reports cannot be written from the command line";
      break;
    case ReportJobError::NeedsSecondChart:
      text = "this report set needs a second chart; give --chart2 FILE:N";
      break;
    case ReportJobError::ChartUnreadable: ctx.err << "korvana: " << result.detail << "\n"; return;
    case ReportJobError::Cancelled:
      text = "the report was cancelled: the quesited house must be a number 1-12";
      break;
    case ReportJobError::NoReportFolder:
      ctx.err << "korvana: cannot create the report folder " << result.detail << "\n";
      return;
    case ReportJobError::OutputNotReplaceable:
      ctx.err << "korvana: will not write over " << result.detail << ": not a regular file that can be written\n";
      return;
    case ReportJobError::NothingWritten: text = "no report was written"; break;
  }
  ctx.err << "korvana: " << text << "\n";
}

int Run(CommandContext& ctx, const ReportArguments& a) {
  const std::string& quesited = a.quesited;
  const std::string& genders = a.genders;
  const std::string& names = a.names;

  PresetReportQuestions questions;
  if (!quesited.empty()) questions.quesited = quesited;
  const std::vector<std::string> givenGenders = SplitCommas(genders);
  const std::vector<std::string> givenNames = names.empty() ? std::vector<std::string>{} : SplitCommas(names);
  questions.owners.resize(std::max(givenGenders.size(), givenNames.size()));
  for (std::size_t i = 0; i < givenGenders.size(); ++i) {
    std::string lower = givenGenders[i];
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    questions.owners[i].gender = lower;
  }
  for (std::size_t i = 0; i < givenNames.size(); ++i) questions.owners[i].name = givenNames[i];

  ProgramSettings& settings = ctx.env.Settings();
  ReportContext context(settings, ctx.env.MessagesSink());
  ReportRequest request;
  request.setFile = a.setFile;
  request.currentSet = &ctx.env.Report();
  for (const std::string& ref : {a.chart1, a.chart2}) {
    if (!ref.empty()) request.charts.push_back({ref, std::nullopt});
  }
  request.outputFile = a.output;
  request.option = a.option;
  request.debug = a.debug;
  request.questions = &questions;
  request.owners = questions.owners;
  // The chart page's pictures (the wheel, and the dignity table for aspect sets in moiety
  // mode) are painted offscreen.
  if (settings.ChartPage) EnsureGuiApplication();
  TFrontPagePictures pictures(PaintReportWheel);
  request.pictures = &pictures;

  const ReportJobResult result = RunReportJob(request, context);
  if (!result.written) {
    ReportErrorText(ctx, result);
    return 1;
  }
  ctx.out << result.outputFile << "\n";
  if (a.count) ctx.out << "paragraphs = " << result.paragraphs << "\n";
  return result.failed ? 1 : 0;
}

CommandRun Build(CommandOptions& app) {
  auto a = std::make_shared<ReportArguments>();
  const auto value = [&app](const char* name, std::string& target, const char* valueName, const char* description) {
    return app.Value(name, target, description).ValueName(valueName).Check(NotEmpty());
  };
  value("--set", a->setFile, "FILE.swp", "the report set (default: the current one)");
  value("--chart", a->chart1, "FILE:N", "the chart: chart N (from 1) of a chart file").Required();
  value("--chart2", a->chart2, "FILE:N", "the second chart of a two-chart report");
  value("-o,--output", a->output, "OUT.rtf", "the report file (default: named after the chart in the report folder)");
  value("--quesited", a->quesited, "N", "the quesited house (default 1)");
  value("--gender", a->genders, "m|f[,m|f]", "each chart's gender").Check(GenderList());
  value("--names", a->names, "NAME[,NAME]", "each chart owner's given name");
  value("--option", a->option, "MNEMONIC", "the report set's option to use");
  app.Flag("--debug", a->debug, "mark each paragraph with its source");
  app.Flag("--count", a->count, "print the number of paragraphs written");
  return [a](CommandContext& ctx) { return Run(ctx, *a); };
}

const CommandText& Text = DrawingCommand("report");
CommandRegistration reg({Text.name, Text.usage, Text.summary, Build});

}  // namespace
}  // namespace korvana::cli
