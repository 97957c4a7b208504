// The PDF forms of the front page section: the title page in its three styles with the
// compliments block, the chart page (the wheel and, in moiety mode, the essential dignity
// table, both as vector drawings), the astrological summary, the extra point summary and
// the key table. The words are those of the RTF front page; the layout is the PDF path's.
#pragma once

#include <string>

#include "core/reports/frontpage/front_page.h"
#include "core/reports/pdf/pdf_layout.h"

namespace korvana {

// The title page and, with the ChartPage setting, the chart page. `title` is the front page
// section's title; style 1 prints the report set's front page title instead when it has
// one. `pictures` may be null: the chart page then has no wheel and no dignity table.
void WritePdfFrontPage(PdfLayout& layout, const ReportRun& run, const std::string& title, FrontPagePictures* pictures);

// A new page and the summary: with extra points the extra point summary alone; otherwise
// per chart its heading, return line and positions table, then the aspects table and the
// dynamic summaries.
void WritePdfSummary(PdfLayout& layout, const SummaryInputs& in);

void WritePdfExtraPointSummary(PdfLayout& layout, const SummaryInputs& in, const std::string& title);

void WritePdfKeyTable(PdfLayout& layout, const TExtraPlotPoints& points, const std::string& title,
                      const std::string& columnTitle);

// The wheel picture's canvas on the chart page, 2000 units wide: for synastry and return
// reports 1400 high with the wheel at the right (ShowNatalCht on); with extra points 1400
// high; otherwise as high as the page's usable height allows (0.95 x U / W), the wheel at
// the bottom below the chart details.
WheelCanvas PdfWheelCanvas(const ReportRun& run, double textWidth, double usableHeight);

}  // namespace korvana
