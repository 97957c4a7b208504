#include "render/report_printing.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <memory>

namespace korvana {

namespace {

// Where things go on one device page, in device pixels from the painter's origin.
struct PageGeometry {
  QRectF text;        // the report's text
  double headerTop;   // the top margin
  double headerLeft;  // the left margin
  double labelRight;  // the right margin
};

// Twips of the report page to device pixels: in proportion to the physical page, less
// the device's unprintable offset.
PageGeometry GeometryFor(QPagedPaintDevice& device, const ReportPageSetup& setup) {
  const QPageLayout layout = device.pageLayout();
  const int dpi = device.logicalDpiX();
  const QRect full = layout.fullRectPixels(dpi);
  const QRect paint = layout.paintRectPixels(dpi);
  const double offsetX = paint.left() - full.left();
  const double offsetY = paint.top() - full.top();
  const double width = std::max(1, setup.pageWidthTwips), height = std::max(1, setup.pageHeightTwips);
  const auto x = [&](double twips) { return std::round(full.width() * twips / width) - offsetX; };
  const auto y = [&](double twips) { return std::round(full.height() * twips / height) - offsetY; };
  PageGeometry g;
  g.headerTop = y(setup.marginTop);
  g.headerLeft = x(setup.marginLeft);
  g.labelRight = x(width - setup.marginRight);
  g.text = QRectF(QPointF(g.headerLeft, y(setup.marginTop + HeaderRoomTwips)),
                  QPointF(g.labelRight, y(height - setup.marginBottom)));
  return g;
}

// A copy of the document laid out in pages of the text area on the device.
std::unique_ptr<QTextDocument> LaidOut(const QTextDocument& document, QPagedPaintDevice& device, const QRectF& text) {
  std::unique_ptr<QTextDocument> copy(document.clone());
  copy->documentLayout()->setPaintDevice(&device);
  copy->setPageSize(text.size());
  return copy;
}

QFont HeaderFont(const TTextStyle& style, QPagedPaintDevice& device) {
  QFont font(QString::fromStdString(style.fontName));
  font.setPointSize(std::max(1, style.fontSize));
  font.setBold(style.fontStyle & StyleBold);
  font.setItalic(style.fontStyle & StyleItalic);
  font.setUnderline(style.fontStyle & StyleUnderline);
  return QFont(font, &device);
}

void DrawHeader(QPainter& painter, const PageGeometry& g, const ReportPageSetup& setup, const QString& header,
                const QString& label) {
  const Color c = setup.headerStyle.fontColor;
  painter.setPen(QColor(RedOf(c), GreenOf(c), BlueOf(c)));
  const double line = painter.fontMetrics().height() * 2.0;
  const double wide = std::max(1.0, g.labelRight - g.headerLeft);
  if (setup.includePageHeaders)
    painter.drawText(QRectF(g.headerLeft, g.headerTop, wide, line), Qt::AlignLeft | Qt::AlignTop, header);
  painter.drawText(QRectF(g.labelRight - wide, g.headerTop, wide, line), Qt::AlignRight | Qt::AlignTop, label);
}

void DrawPage(QPainter& painter, QTextDocument& laidOut, const QRectF& text, int page) {
  const double pageHeight = laidOut.pageSize().height();
  painter.save();
  painter.translate(text.left(), text.top() - (page - 1) * pageHeight);
  const QRectF clip(0, (page - 1) * pageHeight, text.width(), pageHeight);
  painter.setClipRect(clip);
  QAbstractTextDocumentLayout::PaintContext context;
  context.clip = clip;
  context.palette.setColor(QPalette::Text, Qt::black);
  laidOut.documentLayout()->draw(&painter, context);
  painter.restore();
}

}  // namespace

ReportPageSetup PageSetupFrom(const ProgramSettings& settings) {
  ReportPageSetup setup;
  setup.pageWidthTwips = settings.PageWidthTwips;
  setup.pageHeightTwips = settings.PageHeightTwips;
  setup.marginLeft = settings.PageMarginL;
  setup.marginRight = settings.PageMarginR;
  setup.marginTop = settings.PageMarginT;
  setup.marginBottom = settings.PageMarginB;
  setup.chartPage = settings.ChartPage;
  setup.includePageHeaders = settings.IncludePageHeaders;
  setup.headerStyle = settings.TextStyles[PageHeaders];
  return setup;
}

ReportPrintJob CopiesFromDialog(int copies, bool collate) {
  ReportPrintJob job;
  copies = std::max(1, copies);
  (collate ? job.outerCopies : job.innerCopies) = copies;
  return job;
}

std::string PageLabel(int page, int unnumbered) {
  return page > unnumbered ? "Page " + std::to_string(page - unnumbered) : std::string();
}

int UnnumberedPages(const ReportPageSetup& setup) { return setup.chartPage ? 2 : 1; }

int ReportPageCount(const QTextDocument& document, QPagedPaintDevice& device, const ReportPageSetup& setup) {
  const PageGeometry g = GeometryFor(device, setup);
  if (g.text.width() < 1 || g.text.height() < 1) return 0;
  return LaidOut(document, device, g.text)->pageCount();
}

PrintOutcome PrintReport(const QTextDocument& document, QPagedPaintDevice& device, const ReportPageSetup& setup,
                         const ReportPrintJob& job) {
  PrintOutcome outcome;
  const PageGeometry g = GeometryFor(device, setup);
  if (g.text.width() < 1 || g.text.height() < 1) {
    outcome.error = "The page margins leave no room for the report's text.";
    return outcome;
  }
  const std::unique_ptr<QTextDocument> laidOut = LaidOut(document, device, g.text);
  const int count = laidOut->pageCount();
  const int first = std::max(1, job.firstPage);
  const int last = job.lastPage <= 0 ? count : std::min(job.lastPage, count);
  if (first > last) {
    outcome.error = "The report has no page " + std::to_string(first) + " (it has " + std::to_string(count) + ").";
    return outcome;
  }
  QPainter painter;
  if (!painter.begin(&device)) {
    outcome.error = "The printer could not be started.";
    return outcome;
  }
  painter.setFont(HeaderFont(setup.headerStyle, device));
  const QString header = QString::fromStdString(job.headerText);
  const int unnumbered = UnnumberedPages(setup);
  const int outer = std::max(1, job.outerCopies), inner = std::max(1, job.innerCopies);
  // One job for all copies: a PDF printer writes a file per job, so a second job would
  // replace the first copy.
  for (int copy = 0; copy < outer; ++copy) {
    for (int page = first; page <= last; ++page) {
      const QString label = QString::fromStdString(PageLabel(page, unnumbered));
      for (int again = 0; again < inner; ++again) {
        if (outcome.pages > 0) device.newPage();
        if (page > unnumbered) DrawHeader(painter, g, setup, header, label);
        DrawPage(painter, *laidOut, g.text, page);
        ++outcome.pages;
      }
    }
  }
  painter.end();
  outcome.printed = true;
  return outcome;
}

}  // namespace korvana
