// The report job: everything that prepares and writes one RTF report, the same for every
// front end (command line, desktop program, print queue, PDF path). A front end fills a
// ReportRequest with the user's choices and runs it in its ReportContext:
//
//  1. the report set: the file named, else the front end's current set; it must exist,
//     have its compiled report (else the warning "The report file ... was not found.")
//     and a section index (built beside it when missing, but only inside the program's
//     system, user, compile or report folder; elsewhere a warning asks to recompile);
//  2. the report option chosen by its mnemonic;
//  3. the charts: given in memory or read from "FILE:N" references, cast with the
//     settings and each chart's house system; a synastry or composite set takes two, any
//     other set one. A return set casts the return of its chart (solar, else lunar) as
//     the request's return search asks: the report's first chart is the return, its
//     second the natal chart;
//  4. the aspect set of the report set and the rulership tables (read once per context);
//  5. the set's questions through the request's TReportQuestions; owners given
//     beforehand stand also when the set asks no personal details;
//  6. the output file: the one named, else the report folder's name for the report (the
//     folder is made first, since the chart page's pictures go there); a file open in
//     another program is refused with the message "This RTF report is already open ...",
//     and so is anything that is not a regular file the user may write (a device, a pipe);
//  7. a composite set's combined chart (midpoints or Davison, after the settings or the
//     request), made from two different charts that can be combined (else the message
//     saying why), named after the pair and used as both charts of the report;
//  8. the extra points of every chart, the front page with the request's pictures, the
//     dynamic sections' searches (over the request's period, when it gives one) with the
//     request's time line pictures, and the report driver's walk.
//
// With a PDF engine in the request the report is written as PDF through the PDF path
// instead (default name with ".pdf"; a PDF held open elsewhere is refused with "The report
// is already opened. Close it first then try again.").
//
// Failures: what the job shows through the context's Messages is not repeated in the
// result; every other reason a report is not written is a ReportJobError with its
// detail, for the front end to word.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/charts/chart_layouts.h"
#include "core/derived/returns.h"
#include "core/reports/dynamic/dynamic_sections.h"
#include "core/reports/job/preset_questions.h"
#include "core/reports/job/report_context.h"

namespace korvana {

class FrontPagePictures;
class PdfEngine;
struct PdfReportOptions;
struct TKVReport;

inline constexpr const char* PdfAlreadyOpenMessage = "The report is already opened. Close it first then try again.";

// One chart of a report: a chart in memory, else the chart a "FILE:N" reference names.
struct ReportChartChoice {
  std::string reference;
  std::optional<StoredChart> chart;
};

// Where and when a return report's return is sought.
struct ReturnSearchRequest {
  ChartRecord base;  // the date, time and zone near which, and the place for which, it is cast
  ReturnWhich which = ReturnWhich::Nearest;
  ReturnOptions options;  // converse, precession correction, the place's IANA zone
};

struct ReportRequest {
  std::string setFile;                       // a report set file; empty: currentSet
  const TKVReport* currentSet = nullptr;     // the front end's current report set
  std::vector<ReportChartChoice> charts;     // first chart, then the second
  std::string outputFile;                    // empty: the report folder's name for it
  std::string option;                        // a report option's mnemonic; empty: none
  bool debug = false;                        // "DBG>>> " lines in the report
  // Scratch: the report is renamed into place without waiting for the disk; a batch
  // flushes its folder once at its end (FlushFileSystemOf) instead of once per report.
  Durability durability = Durability::Flushed;
  TReportQuestions* questions = nullptr;     // required
  // Names and genders given beforehand, per chart; used by the personal details
  // questions and also when the report set asks none.
  std::vector<ReportOwner> owners;
  // Draws the chart page's wheel and dignity table; null: the chart page has none.
  FrontPagePictures* pictures = nullptr;
  // Where those pictures are made (an existing folder); empty: the report folder. Jobs
  // running side by side each need their own.
  std::string pictureFolder;
  // Draws the time lines of the dynamic sections' entries; null: no time lines.
  TimeLinePictures* timeLines = nullptr;
  // The dynamic sections' period instead of the report set's.
  DynamicPeriodChoice dynamicPeriod;
  // The walk's output instead of a document (a tool that only follows the walk): no
  // output file is named, checked or written, and the PDF engine is not used. Null: a
  // document is written.
  ReportWriter* writer = nullptr;
  // Writes the report as PDF through this engine; null: RTF.
  PdfEngine* pdfEngine = nullptr;
  // The PDF page's printer and screen; null: no printer, 96 dots per inch.
  const PdfReportOptions* pdfOptions = nullptr;
  // A composite set's method (2 midpoints, 15 Davison) and house anchor (0, 1, 10);
  // unset: the settings' "CompositeChartMethod" and "CompositeMPBaseHouse".
  std::optional<int> compositeMethod;
  std::optional<int> compositeAnchor;
  // A return set's return: where and when it is sought for the natal chart, as the front
  // end asks (its dialog or its options); nullopt when the front end showed why it cannot
  // say. Called only for return sets; a return set without it is refused
  // (NeedsDerivedCharts).
  std::function<std::optional<ReturnSearchRequest>(const CalculatedChart& natal)> returnSearch;
};

enum class ReportJobError {
  None,
  Shown,                // the reason was shown through the context's Messages
  NoReportSet,          // no report set is selected or its file is missing
  NoSuchOption,         // detail: the mnemonic
  NeedsDerivedCharts,   // a return set without the return search
  NeedsSecondChart,     // a synastry or composite set with one chart
  TooManyCharts,        // a set of one chart (natal, return) given a second
  ChartUnreadable,      // detail: the reference, then ": " and the reader's message
  Cancelled,            // a question was cancelled or answered out of range
  NoReportFolder,       // detail: the folder
  OutputNotReplaceable, // detail: the output, which is no regular file the user may write
  NothingWritten,       // the driver wrote no file and showed nothing
  HoraryChart,          // a horary chart given to a set that reads births; detail: why
};

struct ReportJobResult {
  bool written = false;   // the report file was written (cut short when `failed`)
  bool failed = false;    // the driver showed its problem message
  ReportJobError error = ReportJobError::None;
  std::string detail;
  std::string outputFile;
  std::string reportName; // the first chart's name, or both joined by "and" for two-chart sets
  int paragraphs = 0;     // statements that wrote text
};

// Why a horary chart is refused by a set that reads births (one without the quesited
// house question).
std::string HoraryChartRefusal(const std::string& chartName, const std::string& setCaption);

// Runs one report job; see above.
ReportJobResult RunReportJob(const ReportRequest& request, ReportContext& context);

}  // namespace korvana
