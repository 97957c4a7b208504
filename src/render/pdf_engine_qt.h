// The PDF engine of the report path on Qt's PDF writer: text through QPainter with the
// fonts embedded as subsets (so the PDF looks the same everywhere and its text can be
// selected), the report styles' glyph faces drawn through the glyph table, metafiles
// played as vector drawing, bitmaps as images, and simple ruled tables. The document is
// built in memory and written in one step by EndDocument.
#pragma once

#include <QBuffer>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <map>
#include <memory>
#include <string>

#include "core/reports/pdf/pdf_engine.h"

namespace korvana {

class TQtPdfEngine : public PdfEngine {
 public:
  TQtPdfEngine();
  ~TQtPdfEngine() override;

  void SetDocumentInfo(const PdfDocInfo& info) override { info_ = info; }
  void SetPageSetup(const PdfPageSetup& page) override { page_ = page; }
  bool BeginDocument() override;
  bool EndDocument(const std::string& path, Durability durability) override;
  void NewPage() override;
  int PageCount() const override { return pages_; }

  void SetFont(const PdfFont& font) override { font_ = font; }
  PdfFont Font() const override { return font_; }
  double TextWidth(std::string_view text) override;
  double TextHeight(std::string_view text) override;

  void BeginParagraph() override {}
  void EndParagraph() override {}
  void BeginHeader() override { inHeader_ = true; }
  void EndHeader() override { inHeader_ = false; }
  void WriteText(double x, double y, std::string_view text) override;

  std::optional<PdfPictureSize> PictureSize(const std::string& file) override;
  bool DrawPicture(const std::string& file, double x, double y, double width, double height, bool asImage) override;

  void BeginTable(const PdfTableSetup& table) override;
  void WriteCell(int column, std::string_view text) override;
  double TableFreeHeight() override;
  void EndTable() override {}

 private:
  QFont QtFont(const PdfFont& font) const;
  QString QtText(const PdfFont& font, std::string_view text) const;
  // Device units of the writer per pixel of the input resolution.
  double Scale() const;
  QPointF Origin() const;
  double BodyHeight() const;
  void DrawTextAt(double x, double y, const QString& text, const QFont& font, const QColor& colour);
  const std::string* FileData(const std::string& file);

  PdfDocInfo info_;
  PdfPageSetup page_;
  PdfFont font_;
  QBuffer buffer_;
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QPainter> painter_;
  int pages_ = 0;
  bool inHeader_ = false;
  PdfTableSetup table_;
  double rowTop_ = 0;
  std::map<std::string, std::string> files_;
};

}  // namespace korvana
