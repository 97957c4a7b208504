#include "core/reports/job/report_job.h"

#include <exception>

#include "core/astro/cast_chart.h"
#include "core/charts/chart_reference.h"
#include "core/derived/combined_chart.h"
#include "core/reports/driver/report_driver.h"
#include "core/reports/frontpage/front_page.h"
#include "core/reports/pdf/pdf_report.h"
#include "core/reports/reportset/report_set.h"
#include "core/reports/reportset/section_index.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana {
namespace {

ReportJobResult Refused(ReportJobError error, std::string detail = {}) {
  ReportJobResult result;
  result.error = error;
  result.detail = std::move(detail);
  return result;
}

// The 1-based number of the report option with this mnemonic, 0 when there is none.
int OptionNumber(const TKVReport& report, const std::string& mnemonic) {
  int chosen = 0;
  for (std::size_t k = 0; k < report.options.size(); ++k) {
    std::string_view entry = report.options[k];
    if (EqualsNoCase(entry.substr(0, entry.find('=')), mnemonic)) chosen = static_cast<int>(k) + 1;
  }
  return chosen;
}

CalculatedChart CastChoice(const ReportChartChoice& choice, ProgramSettings& settings) {
  const StoredChart stored = choice.chart ? *choice.chart : ReadChartReference(choice.reference, settings);
  CastOptions options = CastOptionsFrom(settings);
  options.HouseSystem = stored.houseSystem;
  return CastChart(stored.chart, options);
}

// Owners given beforehand stand even when the set asks no personal details.
void ApplyOwners(const std::vector<ReportOwner>& owners, ReportRun& run) {
  for (std::size_t i = 0; i < run.charts.size() && i < owners.size(); ++i) {
    if (!owners[i].name.empty()) run.ownerNames[i] = owners[i].name;
    if (!owners[i].gender.empty())
      run.charts[i].Chart.EventKind = owners[i].gender == "f" ? EventFemale : EventMale;
  }
}

}  // namespace

std::string HoraryChartRefusal(const std::string& chartName, const std::string& setCaption) {
  return "\"" + std::string(Trim(chartName)) + "\" is a horary chart: the moment of a question, not a birth. The " +
         setCaption + " reads a birth chart; choose a horary report set for it.";
}

ReportJobResult RunReportJob(const ReportRequest& request, ReportContext& context) {
  ProgramSettings& settings = context.settings;
  Messages& messages = context.messages;

  // The report set.
  TKVReport named;
  const TKVReport* report = request.currentSet;
  if (!request.setFile.empty()) {
    const std::string path = FileExists(request.setFile)
                                 ? request.setFile
                                 : ResolveInFolder(request.setFile, settings.SystemPath);
    if (!LoadReportSet(path, named, settings, messages)) return Refused(ReportJobError::Shown);
    report = &named;
  }
  if (!report || report->setFile.empty() || !FileExists(report->setFile))
    return Refused(ReportJobError::NoReportSet);
  if (!FileExists(report->compiledFile)) {
    messages.Warning("The report file " + report->compiledFile + " was not found." + "\r\n\r\n" +
                     "It may need to be compiled before it can be used.");
    return Refused(ReportJobError::Shown);
  }
  const std::string indexFile = SectionIndexFileFor(report->compiledFile);
  if (!FileExists(indexFile)) {
    // A missing index is made beside its compiled report only inside the program's own
    // folders: a report set cannot make the program write anywhere else.
    if (!IsInReportFolders(indexFile, settings)) {
      messages.Warning("The section index " + indexFile + " is missing." + "\r\n\r\n" +
                       "Compile the report again to make it.");
      return Refused(ReportJobError::Shown);
    }
    if (!BuildSectionIndex(report->compiledFile, indexFile, messages)) return Refused(ReportJobError::Shown);
  }

  int chosenOption = 0;
  if (!request.option.empty()) {
    chosenOption = OptionNumber(*report, request.option);
    if (chosenOption == 0) return Refused(ReportJobError::NoSuchOption, request.option);
  }

  // The charts.
  const bool returns = report->includesSolarReturn || report->includesLunarReturn;
  const bool pair = report->synastry || report->composite;
  if (pair && request.charts.size() < 2) return Refused(ReportJobError::NeedsSecondChart);
  if (!pair && request.charts.size() > 1) return Refused(ReportJobError::TooManyCharts);
  if (returns && !request.returnSearch) return Refused(ReportJobError::NeedsDerivedCharts);
  ReportRun run;
  for (const ReportChartChoice& choice : request.charts) {
    try {
      run.charts.push_back(CastChoice(choice, settings));
    } catch (const std::exception& e) {
      return Refused(ReportJobError::ChartUnreadable, choice.reference + ": " + e.what());
    }
  }
  // A horary chart is a question's moment, not a birth: only a set that asks for the
  // quesited house (a horary set) reads it.
  if (!report->askQuesitedHouse && !run.charts.empty() && run.charts[0].Chart.EventKind == EventHorary)
    return Refused(ReportJobError::HoraryChart, HoraryChartRefusal(run.charts[0].Chart.Name, report->caption));
  CombinedChartOptions combining = CombinedChartOptionsFrom(settings);
  if (request.compositeMethod) combining.method = *request.compositeMethod;
  if (request.compositeAnchor) combining.anchor = *request.compositeAnchor;
  if (report->composite) {
    const std::string why = CombinationRefusal(run.charts[0], run.charts[1], combining.method);
    if (!why.empty()) {
      messages.Error(why);
      return Refused(ReportJobError::Shown);
    }
  }
  if (returns && !run.charts.empty()) {
    const std::optional<ReturnSearchRequest> asked = request.returnSearch(run.charts[0]);
    if (!asked) return Refused(ReportJobError::Shown);
    const ReturnSearchRequest& search = *asked;
    const ReturnKind kind = report->includesSolarReturn ? ReturnSolar : ReturnLunar;
    try {
      ReturnResult found = CastReturn(run.charts[0], search.base, kind, search.which, search.options);
      run.charts.insert(run.charts.begin(), std::move(found.chart));
    } catch (const std::exception& e) {  // EReturnError, or a base place out of range
      messages.Error(e.what());
      return Refused(ReportJobError::Shown);
    }
    // The natal chart stands beside the return only when the settings ask for it.
    if (!settings.ShowNatalCht) settings.CurrentWheel = settings.DefWheel;
  }

  // The report set's aspects and the rulership tables.
  LoadAspectFile(report->aspectFile, context.aspects, messages);
  if (context.rulerships.schemes.empty() && FileExists(settings.Rulers))
    LoadRulershipTables(settings.Rulers, settings.Degrees, settings.Trips, messages, context.rulerships);

  run.highChart = static_cast<int>(run.charts.size()) - 1;
  run.quesitedHouse = 1;
  PresetReportQuestions noQuestions;
  TReportQuestions& questions = request.questions ? *request.questions : noQuestions;
  if (!AskReportQuestions(run.charts, static_cast<int>(run.charts.size()), run.quesitedHouse, *report,
                          run.ownerNames, questions))
    return Refused(ReportJobError::Cancelled);
  if (!report->askChartGender) ApplyOwners(request.owners, run);
  const std::string reportName = ReportNameFor(run.charts, *report);
  if (report->composite) {
    try {
      CalculatedChart combined = MakeCombinedChart(run.charts[0], run.charts[1], combining);
      combined.Chart.Name = CompositeChartName(reportName);
      run.compositeName = reportName;
      run.compositeSourceNames = {std::string(Trim(run.charts[0].Chart.Name)), std::string(Trim(run.charts[1].Chart.Name))};
      run.charts = {combined, combined};
    } catch (const std::exception& e) {  // a Davison moment beyond the ephemeris
      messages.Error(e.what());
      return Refused(ReportJobError::Shown);
    }
  }

  // The report folder also takes the chart page's pictures, whatever the output file.
  const bool document = request.writer == nullptr;
  if (document && !MakeFolders(settings.ReportPath)) return Refused(ReportJobError::NoReportFolder, settings.ReportPath);
  const bool pdf = document && request.pdfEngine != nullptr;
  std::string output = document ? request.outputFile : std::string();
  if (document && output.empty()) {
    output = ReportOutputFile(settings.ReportPath, *report, reportName);
    if (pdf) output = ChangeExtension(output, ".pdf");
  }
  if (document && !IsReplaceableTarget(output)) return Refused(ReportJobError::OutputNotReplaceable, output);
  if (document && IsFileInUse(output)) {
    messages.Error(pdf ? PdfAlreadyOpenMessage : ReportAlreadyOpenMessage);
    return Refused(ReportJobError::Shown);
  }

  for (const CalculatedChart& c : run.charts) run.extraPoints.push_back(ComputeExtraPoints(c, *report, messages));
  run.compiledFile = report->compiledFile;
  run.indexFile = indexFile;
  run.outputFile = output;
  run.pictureFolder = request.pictureFolder.empty() ? settings.ReportPath : request.pictureFolder;
  run.report = report;
  run.settings = &settings;
  run.chosenOption = chosenOption;
  run.debug = request.debug;
  run.durability = request.durability;
  run.aspects = &context.aspects;
  run.tables = &context.rulerships;
  run.interps = &context.interps;
  run.messages = &messages;
  RtfFrontPageWriter frontPage(request.pictures);  // title page, compliments, chart page and summary
  run.frontPage = &frontPage;
  ReportDynamicSections dynamic(request.timeLines, request.dynamicPeriod);
  run.dynamic = &dynamic;

  PdfReportOptions pdfOptions = request.pdfOptions ? *request.pdfOptions : PdfReportOptions{};
  pdfOptions.pictures = request.pictures;
  const ReportOutcome outcome = !document ? context.driver.Generate(run, *request.writer)
                                : pdf     ? GeneratePdfReport(context.driver, run, *request.pdfEngine, pdfOptions)
                                          : context.driver.GenerateRtfReport(run);
  ReportJobResult result;
  result.written = outcome.written;
  result.failed = outcome.failed;
  result.outputFile = output;
  result.reportName = reportName;
  result.paragraphs = outcome.paragraphs;
  if (!outcome.written) result.error = outcome.failed ? ReportJobError::Shown : ReportJobError::NothingWritten;
  return result;
}

}  // namespace korvana
