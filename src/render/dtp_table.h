// TDTPTable: a small table layout object that draws a framed grid of text and glyph cells
// onto any QPainter (usually a metafile that a report embeds as a picture).
//
// A table is built in four steps: column structures (each line uses one), each column's
// width, alignment and separator, fonts, and the cells line by line; Draw then lays it out
// in a rectangle. Row height, font sizes and column positions come from the rectangle, so
// the same table scales to any picture size. Every element is numbered from 1.
//
// Each violated limit throws EDTPTableError with the operation's message and the offending
// number; what was added before stays.
#pragma once

#include <QPainter>
#include <QRect>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/config/colors.h"
#include "core/util/error.h"

namespace korvana {

class EDTPTableError : public Error {
 public:
  using Error::Error;
};

enum DTPAlignment : std::uint8_t { DTPLeft = 0, DTPRight = 1, DTPCentre = 2 };
enum DTPSeparator : std::uint8_t { DTPNoSeparator = 0, DTPSingleLine = 1, DTPDoubleLine = 2 };

struct TDTPCell {
  std::string text;  // stored padded after the column's alignment
  std::uint8_t font = 0;
  Color colour = 0;
  std::uint8_t column = 0;  // 1-based within the line's structure
};

struct TDTPFont {
  std::string face;
  std::int32_t size = 0;   // points
  std::uint8_t style = 0;  // bold 1, italic 2, underline 4, strike-out 8
};

class TDTPTable {
 public:
  static constexpr int MaxStructures = 10;
  static constexpr int MaxColumns = 50;
  static constexpr int MaxLines = 99;
  static constexpr int MaxCells = 1000;
  static constexpr int MaxFonts = 10;

  TDTPTable() = default;
  void Clear();

  // A structure of the next `columnCount` columns; returns its number.
  int AddColStructure(int columnCount, bool equalWidths);

  // Width at most 1: the column's right edge as a fraction of the table width; larger:
  // a relative width (all of the structure's widths are then relative).
  void SetColDefn(int structure, int column, int separator, int alignment, float width);

  // The number of a font with this exact face, size and style, registered when new.
  int FontID(const std::string& face, int size, std::uint8_t style);

  // Adds one cell. Lines are filled in increasing order and a new line starts in column 1.
  void RepItemAdd(int structure, int line, Color colour, int font, const std::string& text,
                  int column);

  // The rule drawn above a line's block: 1 single, 2 double (0 = not set, drawn single).
  void SetLineRule(int line, int rule);

  // Draws the table into rect (painter units) and returns the frame actually drawn: the
  // height follows the fonts. Text takes the cells' colours when colourOn, else black.
  QRect Draw(bool colourOn, QPainter& painter, const QRect& rect);

  int StructureCount() const { return structureCount_; }
  int ColumnCount() const { return columnCount_; }
  int LineCount() const { return lineCount_; }
  int CellCount() const { return cellCount_; }
  int FontCount() const { return fontCount_; }
  const TDTPCell& Cell(int index) const { return cells_.at(static_cast<std::size_t>(index)); }
  const TDTPFont& Font(int index) const { return fonts_.at(static_cast<std::size_t>(index)); }

  // The right edges (fractions of the table width) of a structure's columns as Draw
  // places them.
  std::vector<double> RightEdges(int structure) const;

 private:
  struct Structure {
    int firstColumn = 0;
    int columnCount = 0;
    bool equalWidths = false;
  };
  struct Column {
    float width = 0;
    std::uint8_t alignment = DTPLeft;
    std::uint8_t separator = DTPNoSeparator;
  };
  struct Line {
    int firstCell = 0;
    int structure = 0;
    std::uint8_t rule = 0;
  };

  // Cells of line L are firstCell(L) .. firstCell(L + 1) - 1.
  int LineEnd(int line) const;
  void DrawFrame(QPainter& painter, int left, int top, int right, int bottom);

  std::array<Structure, MaxStructures + 1> structures_{};
  std::array<Column, MaxColumns + 1> columns_{};
  std::array<Line, MaxLines + 2> lines_{};
  std::vector<TDTPCell> cells_ = std::vector<TDTPCell>(MaxCells + 1);
  std::array<TDTPFont, MaxFonts + 1> fonts_{};
  int structureCount_ = 0, columnCount_ = 0, lineCount_ = 0, cellCount_ = 0, fontCount_ = 0;
};

}  // namespace korvana
