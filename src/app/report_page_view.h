// The report viewer's editing surface: an editable text document on a scene that the
// view zooms. In page layout view the document is cut into pages of the page size and
// margins and each page is drawn as a sheet; in normal view the text runs on in one
// column of the page's width.
#pragma once

#include <QGraphicsView>

#include "render/rtf_reader/rtf_document.h"

class QGraphicsTextItem;
class QTextDocument;

namespace korvana::app {

class ReportPageView : public QGraphicsView {
  Q_OBJECT
 public:
  explicit ReportPageView(QWidget* parent = nullptr);

  QTextDocument* Document() const;
  QGraphicsTextItem* TextItem() const { return text_; }

  // The page size and margins (twips) the document is laid out on. `headerRoom` twips are
  // added to the top margin, leaving room for the printed page header.
  void SetPage(const rtf::PageGeometry& page, int headerRoom);
  void SetPageLayout(bool on);
  bool PageLayout() const { return pageLayout_; }
  // Zoom in percent (clamped to 10..400).
  void SetZoom(int percent);
  int Zoom() const { return zoom_; }
  // Pages in page layout view; 1 in normal view.
  int PageCount() const;
  // Scrolls so that the text cursor's line is visible.
  void ShowCursor();

 protected:
  void drawBackground(QPainter* painter, const QRectF& rect) override;
  void drawForeground(QPainter* painter, const QRectF& rect) override;

 private:
  void Relayout();
  void UpdateScene();

  QGraphicsTextItem* text_ = nullptr;
  rtf::PageGeometry page_;
  int headerRoom_ = 0;
  bool pageLayout_ = true;
  int zoom_ = 100;
};

}  // namespace korvana::app
