// Printing a report document: the pages of a QTextDocument on any paged device (a
// QPrinter, a QPdfWriter) with the report's page margins, the page header and "Page n"
// labels, copies and a page range.
//
// The leading pages of a report carry no header and are not counted: the cover page and,
// when the report has one, the chart page. On every later page the header text (when
// page headers are on) is written at the left margin and "Page " + n ends at the right
// margin, both at the top margin, in the "Page Headers" text style; the report's text
// starts 500 twips lower. Margins are placed in proportion to the report page's size in
// twips, so a report made for one paper prints in the same proportions on another.
#pragma once

#include <string>

#include "core/config/program_settings.h"

class QPagedPaintDevice;
class QTextDocument;

namespace korvana {

// Room left between the top margin and the report's text for the header.
constexpr int HeaderRoomTwips = 500;

struct ReportPageSetup {
  std::int32_t pageWidthTwips = 12018, pageHeightTwips = 16951;
  std::int32_t marginLeft = 720, marginRight = 720, marginTop = 720, marginBottom = 720;
  bool chartPage = true;           // the report has a chart page after its cover page
  bool includePageHeaders = true;  // the header text beside "Page n"
  TTextStyle headerStyle;          // "Page Headers"
};

// The page setup the settings give ("PageMargin*", "ChartPage", "IncludePageHeaders",
// the printer's page size, text style 5).
ReportPageSetup PageSetupFrom(const ProgramSettings& settings);

struct ReportPrintJob {
  int outerCopies = 1;  // the whole range again (collated copies)
  int innerCopies = 1;  // each page again before the next
  int firstPage = 1;
  int lastPage = 0;     // 0: the document's last page
  std::string headerText;
};

// The copies a print dialog asks for, as the print loop counts them: collated copies
// repeat the whole range, uncollated copies repeat each page. Below 1 counts as 1.
ReportPrintJob CopiesFromDialog(int copies, bool collate);

// The label of page p when u leading pages carry none: "Page " + (p - u); empty for a
// leading page.
std::string PageLabel(int page, int unnumbered);

// How many leading pages carry no header: the cover page, and the chart page when on.
int UnnumberedPages(const ReportPageSetup& setup);

// The document's pages laid out on the device's pages with the setup's margins.
int ReportPageCount(const QTextDocument& document, QPagedPaintDevice& device, const ReportPageSetup& setup);

struct PrintOutcome {
  bool printed = false;
  int pages = 0;       // device pages written
  std::string error;   // why nothing was printed
};

// Prints pages firstPage..lastPage of the document onto the device in one job: for each
// outer copy each page, each page innerCopies times. The document itself is not changed
// (a copy is laid out for the device). Fails with a reason, printing nothing, when the
// margins leave no room, the range holds no page of the document, or the device cannot
// be painted on.
PrintOutcome PrintReport(const QTextDocument& document, QPagedPaintDevice& device, const ReportPageSetup& setup,
                         const ReportPrintJob& job);

}  // namespace korvana
