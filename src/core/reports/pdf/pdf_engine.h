// The operations the PDF output path needs from a document engine: document information,
// page geometry, fonts and text measurement, text at a position, pictures, tables and the
// page count. The render layer implements it on a real PDF writer; tests record the calls.
//
// Lengths are pixels of the input resolution (PdfPageSetup::dpi). Body positions are
// relative to the top left corner of the text area below the page header; header
// positions (between BeginHeader and EndHeader) to the top left of the header area.
// Texts are UTF-8 without markup.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/colors.h"
#include "core/util/files.h"

namespace korvana {

// The engine's current font: family as the report styles name it, size in points,
// colour with red in the low byte, emphasis bits 1 bold, 2 italic, 4 underline.
struct PdfFont {
  std::string name = "Arial";
  double size = 12;
  Color colour = 0;
  std::uint8_t emphasis = 0;
  friend bool operator==(const PdfFont&, const PdfFont&) = default;
};

struct PdfDocInfo {
  std::string author, creator, title, subject;
};

// The page: paper in inches and the margins, header and footer heights in pixels.
struct PdfPageSetup {
  std::string paperName = "A4";
  double widthInches = 8.2677, heightInches = 11.6929;
  double dpi = 96;
  double marginLeft = 48, marginRight = 48, marginTop = 48, marginBottom = 48;
  double header = 0, footer = 0;
  double WidthPixels() const { return widthInches * dpi; }
  double HeightPixels() const { return heightInches * dpi; }
};

struct PdfTableColumn {
  std::string title;
  double width = 0;     // pixels
  int alignment = 0;    // 0 left, 2 centred
};

// A table begun at `top` of the body, `left` from the text area's left edge.
struct PdfTableSetup {
  double left = 0, top = 0;
  std::vector<PdfTableColumn> columns;
  double rowHeight = 0;
  double headerHeight = 0;    // 0: no header row
  double cellMarginX = 0, cellMarginY = 0;
};

struct PdfPictureSize {
  double width = 0, height = 0;  // the picture's own frame, any unit
};

class PdfEngine {
 public:
  virtual ~PdfEngine() = default;

  virtual void SetDocumentInfo(const PdfDocInfo& info) = 0;
  virtual void SetPageSetup(const PdfPageSetup& page) = 0;
  // Opens the document at its first page; false when it cannot be begun.
  virtual bool BeginDocument() = 0;
  // Finishes the document and writes it to `path` (through a work file and a rename);
  // false when it cannot be written.
  virtual bool EndDocument(const std::string& path, Durability durability) = 0;
  virtual void NewPage() = 0;
  virtual int PageCount() const = 0;

  virtual void SetFont(const PdfFont& font) = 0;
  virtual PdfFont Font() const = 0;
  // Width and line height of a text in the current font.
  virtual double TextWidth(std::string_view text) = 0;
  virtual double TextHeight(std::string_view text) = 0;

  virtual void BeginParagraph() = 0;
  virtual void EndParagraph() = 0;
  virtual void BeginHeader() = 0;
  virtual void EndHeader() = 0;
  // Writes a text with its top left corner at (x, y) in the current font.
  virtual void WriteText(double x, double y, std::string_view text) = 0;

  // The frame of a ".bmp" or ".wmf" picture file; nullopt when it cannot be read.
  virtual std::optional<PdfPictureSize> PictureSize(const std::string& file) = 0;
  // Draws the picture into the rectangle: as an image, or a metafile played as vector
  // drawing. False when the file cannot be read.
  virtual bool DrawPicture(const std::string& file, double x, double y, double width, double height,
                           bool asImage) = 0;

  // Tables: the header row is drawn at BeginTable; cells follow row by row, column by
  // column; TableFreeHeight is the body height still free below the last row.
  virtual void BeginTable(const PdfTableSetup& table) = 0;
  virtual void WriteCell(int column, std::string_view text) = 0;
  virtual double TableFreeHeight() = 0;
  virtual void EndTable() = 0;
};

}  // namespace korvana
