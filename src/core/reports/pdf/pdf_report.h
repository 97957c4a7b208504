// A report as a PDF file: the report driver's walk with its output going to the PDF page
// layout instead of the RTF document. The engine is set up from the settings (document
// information, the paper size chosen for the printer's page, the margins, a header of
// 15 mm and a footer of 5 mm), the walk runs, and the document is written in one step.
//
// Failures as for the RTF report: an error during the walk shows "Problem occured whilst
// producing report:\r\n" + the message and the document is still ended; a document the
// engine cannot begin writes nothing and shows the problem.
#pragma once

#include <optional>
#include <string>

#include "core/reports/driver/report_driver.h"
#include "core/reports/frontpage/front_page.h"
#include "core/reports/pdf/paper_sizes.h"
#include "core/reports/pdf/pdf_layout.h"

namespace korvana {

inline constexpr const char* ApplicationTitle = "Korvana";
inline constexpr const char* MakerName = "Tessaly";

struct PdfReportOptions {
  // The default printer's page; without one, NoPrinterPage.
  std::optional<PrinterPage> printer;
  // Pixels per inch of the screen, the input resolution of every position.
  double screenDpi = 96;
  // Draws the chart page's pictures; null: the chart page has none.
  FrontPagePictures* pictures = nullptr;
};

// The page of a PDF report: the paper size for the printer's page (scaled by
// screenDpi / 96 when the screen is not at 96), margins from PageMarginL/R/T/B (twips),
// header 15 mm and footer 5 mm, all in pixels of the screen's resolution.
PdfPageSetup PdfPageFor(const ProgramSettings& settings, const PdfReportOptions& options);

// The report name the PDF's subject and page headers carry: for a synastry report the two
// names joined by the language's "and" (contractions applied), otherwise the first chart's
// name, without trailing blanks.
std::string PdfReportName(const ReportRun& run);

// The text at the left of every page header: with the IncludePageHeaders setting
// "Korvana " + caption + " - " + report name, otherwise empty.
std::string PdfHeaderText(const ReportRun& run);

class PdfReportWriter : public ReportWriter {
 public:
  PdfReportWriter(PdfEngine& engine, const ReportRun& run, const PdfReportOptions& options);
  void Begin() override {}
  void FrontPageSection(const ReportRun& run, const std::string& title) override;
  void SectionTitle(const std::string& title, int depth) override;
  void KeywordTitles(const std::string& titles) override;
  void Text(const std::string& text) override;
  void Picture(const std::string& file, int percent) override;
  void DebugLine(const std::string&) override {}
  void DynamicSection(const ReportRun& run, int section, bool background, bool keywordTitles) override;
  bool Finish(const std::string& path) override;

  // Sets up the engine and begins the document; false when the engine cannot begin it.
  bool Open(const ReportRun& run);
  PdfLayout& Layout() { return layout_; }

 private:
  PdfEngine& engine_;
  PdfReportOptions options_;
  const ProgramSettings& settings_;
  Durability durability_;
  PdfLayout layout_;
};

// Writes the run's report as PDF through the engine (run.outputFile is the PDF file).
ReportOutcome GeneratePdfReport(ReportDriver& driver, const ReportRun& run, PdfEngine& engine,
                                const PdfReportOptions& options);

}  // namespace korvana
