// korvana report: writes the RTF report of a report set for one or two charts through
// the core's report job. The report set's questions (quesited house, owners' names and
// genders, the report option) are answered by the options instead of dialogs.
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "cli/gui_application.h"
#include "core/config/program_settings.h"
#include "core/reports/job/report_job.h"
#include "core/util/text.h"
#include "render/front_page_pictures.h"
#include "render/report_wheel.h"

namespace korvana::cli {
namespace {

constexpr const char* Usage =
    "report [--set FILE.swp] --chart FILE:N [--chart2 FILE:N] [-o OUT.rtf] [--quesited N] "
    "[--gender m|f[,m|f]] [--names NAME[,NAME]] [--option MNEMONIC] [--debug] [--count]";

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
    case ReportJobError::NothingWritten: text = "no report was written"; break;
  }
  ctx.err << "korvana: " << text << "\n";
}

int Run(CommandContext& ctx) {
  std::string setFile, chart1, chart2, output, quesited, genders, names, option;
  bool debug = false, count = false;
  auto value = [&](std::size_t& i, std::string& target) {
    if (i + 1 >= ctx.args.size() || !target.empty()) return false;
    target = ctx.args[++i];
    return !target.empty();
  };
  for (std::size_t i = 0; i < ctx.args.size(); ++i) {
    const std::string& a = ctx.args[i];
    bool ok = true;
    if (a == "--set") ok = value(i, setFile);
    else if (a == "--chart") ok = value(i, chart1);
    else if (a == "--chart2") ok = value(i, chart2);
    else if (a == "-o") ok = value(i, output);
    else if (a == "--quesited") ok = value(i, quesited);
    else if (a == "--gender") ok = value(i, genders);
    else if (a == "--names") ok = value(i, names);
    else if (a == "--option") ok = value(i, option);
    else if (a == "--debug") debug = true;
    else if (a == "--count") count = true;
    else ok = false;
    if (!ok) return UsageError(ctx, Usage);
  }
  if (chart1.empty()) return UsageError(ctx, Usage);

  PresetReportQuestions questions;
  if (!quesited.empty()) questions.quesited = quesited;
  const std::vector<std::string> givenGenders = SplitCommas(genders);
  const std::vector<std::string> givenNames = names.empty() ? std::vector<std::string>{} : SplitCommas(names);
  questions.owners.resize(std::max(givenGenders.size(), givenNames.size()));
  for (std::size_t i = 0; i < givenGenders.size(); ++i) {
    std::string lower = givenGenders[i];
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (lower != "m" && lower != "f" && !lower.empty()) return UsageError(ctx, Usage);
    questions.owners[i].gender = lower;
  }
  for (std::size_t i = 0; i < givenNames.size(); ++i) questions.owners[i].name = givenNames[i];

  ProgramSettings& settings = ctx.env.Settings();
  ReportContext context(settings, ctx.env.MessagesSink());
  ReportRequest request;
  request.setFile = setFile;
  request.currentSet = &ctx.env.Report();
  for (const std::string& ref : {chart1, chart2}) {
    if (!ref.empty()) request.charts.push_back({ref, std::nullopt});
  }
  request.outputFile = output;
  request.option = option;
  request.debug = debug;
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
  if (count) ctx.out << "paragraphs = " << result.paragraphs << "\n";
  return result.failed ? 1 : 0;
}

CommandRegistration reg({"report", Usage, "write the RTF report of a report set for one or two charts", Run});

}  // namespace
}  // namespace korvana::cli
