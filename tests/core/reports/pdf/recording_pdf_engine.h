// A PDF engine that records what the layout asks of it, with a font of fixed metrics: a
// character is half the font size wide, a line the font size high (so "X" is as high as
// the font is large). Pictures have the sizes the test gives them, other existing files
// 100 x 100.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "core/reports/pdf/pdf_engine.h"

namespace korvana::testing {

struct WrittenText {
  double x, y;
  std::string text;
  PdfFont font;
  int page;
  bool header;
};

struct DrawnPicture {
  std::string file;
  double x, y, width, height;
  bool asImage;
  int page;
};

struct BegunTable {
  PdfTableSetup setup;
  int page;
  std::vector<std::string> cells;  // as written, row by row
};

class RecordingPdfEngine : public PdfEngine {
 public:
  void SetDocumentInfo(const PdfDocInfo& i) override { info = i; }
  void SetPageSetup(const PdfPageSetup& p) override { page = p; }
  bool BeginDocument() override { return pages = 1, true; }
  bool EndDocument(const std::string& path, Durability) override { return ended = path, true; }
  void NewPage() override { ++pages; }
  int PageCount() const override { return pages; }
  void SetFont(const PdfFont& f) override { font = f; }
  PdfFont Font() const override { return font; }
  double TextWidth(std::string_view text) override { return 0.5 * font.size * static_cast<double>(text.size()); }
  double TextHeight(std::string_view) override { return font.size; }
  void BeginParagraph() override {}
  void EndParagraph() override {}
  void BeginHeader() override { inHeader = true; }
  void EndHeader() override { inHeader = false; }
  void WriteText(double x, double y, std::string_view text) override {
    texts.push_back({x, y, std::string(text), font, pages, inHeader});
  }
  std::optional<PdfPictureSize> PictureSize(const std::string& file) override {
    auto it = pictureSizes.find(file);
    if (it != pictureSizes.end()) return it->second;
    // Any other picture file that exists (a shipped logo) is 100 x 100.
    if (std::FILE* f = std::fopen(file.c_str(), "rb")) {
      std::fclose(f);
      return PdfPictureSize{100, 100};
    }
    return std::nullopt;
  }
  bool DrawPicture(const std::string& file, double x, double y, double w, double h, bool asImage) override {
    pictures.push_back({file, x, y, w, h, asImage, pages});
    return true;
  }
  void BeginTable(const PdfTableSetup& t) override {
    tables.push_back({t, pages, {}});
    rowTop = t.top + t.headerHeight;
    column = 0;
  }
  void WriteCell(int c, std::string_view text) override {
    tables.back().cells.emplace_back(text);
    if (c + 1 == static_cast<int>(tables.back().setup.columns.size())) rowTop += tables.back().setup.rowHeight;
  }
  double TableFreeHeight() override {
    return page.HeightPixels() - page.footer - page.header - page.marginTop - page.marginBottom - rowTop;
  }
  void EndTable() override {}

  // The body texts written, outside the page headers.
  std::vector<WrittenText> Body() const {
    std::vector<WrittenText> body;
    for (const WrittenText& t : texts)
      if (!t.header) body.push_back(t);
    return body;
  }

  PdfDocInfo info;
  PdfPageSetup page;
  PdfFont font;
  int pages = 0;
  bool inHeader = false;
  std::string ended;
  std::vector<WrittenText> texts;
  std::vector<DrawnPicture> pictures;
  std::vector<BegunTable> tables;
  std::map<std::string, PdfPictureSize> pictureSizes;
  double rowTop = 0;
  int column = 0;
};

}  // namespace korvana::testing
