#include "app/report_page_view.h"

#include <QAbstractTextDocumentLayout>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QStyleOptionGraphicsItem>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <algorithm>

#include "render/rtf_reader/rtf_text_document.h"

namespace korvana::app {
namespace {

constexpr double SceneBorder = 24;       // grey space around the sheets, pixels
constexpr double PageGapHalf = 6;        // half the grey band drawn between two sheets
const QColor DeskColour(0x9A, 0x9A, 0x9A);

// The document item without the dashed focus frame a text item draws round itself: the
// sheets already show where the text lies.
class SheetTextItem : public QGraphicsTextItem {
 public:
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override {
    QStyleOptionGraphicsItem plain(*option);
    plain.state &= ~(QStyle::State_HasFocus | QStyle::State_Selected);
    QGraphicsTextItem::paint(painter, &plain, widget);
  }
};

}  // namespace

ReportPageView::ReportPageView(QWidget* parent) : QGraphicsView(parent) {
  setScene(new QGraphicsScene(this));
  text_ = new SheetTextItem;
  text_->setTextInteractionFlags(Qt::TextEditorInteraction);
  scene()->addItem(text_);
  setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
  connect(Document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
          [this] { UpdateScene(); });
  Relayout();
}

QTextDocument* ReportPageView::Document() const { return text_->document(); }

void ReportPageView::SetPage(const rtf::PageGeometry& page, int headerRoom) {
  page_ = page;
  headerRoom_ = headerRoom;
  Relayout();
}

void ReportPageView::SetPageLayout(bool on) {
  pageLayout_ = on;
  Relayout();
}

void ReportPageView::SetZoom(int percent) {
  zoom_ = std::clamp(percent, 10, 400);
  setTransform(QTransform::fromScale(zoom_ / 100.0, zoom_ / 100.0));
}

int ReportPageView::PageCount() const { return pageLayout_ ? std::max(1, Document()->pageCount()) : 1; }

void ReportPageView::Relayout() {
  QTextDocument* doc = Document();
  const double width = rtf::TwipsToPixels(page_.width);
  QTextFrameFormat root = doc->rootFrame()->frameFormat();
  root.setLeftMargin(rtf::TwipsToPixels(page_.marginLeft));
  root.setRightMargin(rtf::TwipsToPixels(page_.marginRight));
  if (pageLayout_) {
    root.setTopMargin(rtf::TwipsToPixels(page_.marginTop + headerRoom_));
    root.setBottomMargin(rtf::TwipsToPixels(page_.marginBottom));
  } else {
    root.setTopMargin(rtf::TwipsToPixels(page_.marginLeft) / 2);
    root.setBottomMargin(rtf::TwipsToPixels(page_.marginLeft) / 2);
  }
  doc->rootFrame()->setFrameFormat(root);
  doc->setDocumentMargin(0);
  // setTextWidth would drop the page height; the page size carries both.
  doc->setPageSize(QSizeF(width, pageLayout_ ? rtf::TwipsToPixels(page_.height) : -1));
  UpdateScene();
}

void ReportPageView::UpdateScene() {
  const QSizeF size = Document()->documentLayout()->documentSize();
  const double height = pageLayout_ ? PageCount() * Document()->pageSize().height() : size.height();
  scene()->setSceneRect(-SceneBorder, -SceneBorder, Document()->pageSize().width() + 2 * SceneBorder,
                        height + 2 * SceneBorder);
  viewport()->update();
}

void ReportPageView::ShowCursor() {
  const QTextCursor cursor = text_->textCursor();
  const QRectF block = Document()->documentLayout()->blockBoundingRect(cursor.block());
  ensureVisible(text_->mapRectToScene(block), 40, 80);
}

void ReportPageView::drawBackground(QPainter* painter, const QRectF& rect) {
  painter->fillRect(rect, pageLayout_ ? DeskColour : QColor(Qt::white));
  const double width = Document()->pageSize().width();
  if (!pageLayout_) return;
  const double pageHeight = Document()->pageSize().height();
  for (int page = 0; page < PageCount(); ++page) {
    const QRectF sheet(0, page * pageHeight, width, pageHeight);
    if (!sheet.intersects(rect)) continue;
    painter->fillRect(sheet.translated(3, 3), QColor(0x60, 0x60, 0x60));
    painter->fillRect(sheet, Qt::white);
  }
}

void ReportPageView::drawForeground(QPainter* painter, const QRectF& rect) {
  if (!pageLayout_) return;
  const double width = Document()->pageSize().width();
  const double pageHeight = Document()->pageSize().height();
  // The sheets touch in the document; a band of desk between them marks each boundary.
  for (int page = 1; page < PageCount(); ++page) {
    const QRectF band(-SceneBorder, page * pageHeight - PageGapHalf, width + 2 * SceneBorder, 2 * PageGapHalf);
    if (band.intersects(rect)) painter->fillRect(band, DeskColour);
  }
}

}  // namespace korvana::app
