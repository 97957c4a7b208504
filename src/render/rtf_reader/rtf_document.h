// The document an RTF file describes, as the reader finds it: paragraphs of formatted runs
// and pictures, tables of such paragraphs, the font and colour tables and the page. Plain
// data without Qt, so that the parser can be checked on its own; rtf_to_qt.h turns it into
// a QTextDocument.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace korvana::rtf {

struct CharFormat {
  int font = -1;        // index into RtfDocument::fonts; -1 = the default font
  int halfPoints = 24;  // font size in half points
  int colour = -1;      // index into RtfDocument::colours; -1 = automatic
  int background = -1;  // highlight or shading colour index; -1 = none
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  int verticalAlign = 0;  // 0 normal, 1 superscript, -1 subscript

  bool operator==(const CharFormat&) const = default;
};

enum class Alignment { Left, Right, Centre, Justify };

struct ParaFormat {
  Alignment alignment = Alignment::Left;
  int leftIndent = 0;   // twips
  int rightIndent = 0;  // twips
  int firstIndent = 0;  // twips, negative for a hanging indent
  int spaceBefore = 0;  // twips
  int spaceAfter = 0;   // twips
  int lineSpacing = 0;  // \sl: 0 = single, > 0 at least, < 0 exactly (twips)
  bool lineMultiple = false;  // \slmult1: lineSpacing is 240ths of a line
  bool keepWithNext = false;
  bool pageBreakBefore = false;
  bool inTable = false;
  bool bullet = false;    // an item of a list
  bool numbered = false;  // ... numbered rather than bulleted
  int listLevel = 0;    // 0-based level of a list item

  bool operator==(const ParaFormat&) const = default;
};

enum class PictureKind { Jpeg, Png, Wmf, Emf, Other };

struct Picture {
  PictureKind kind = PictureKind::Other;
  std::string data;   // the picture's bytes as stored (a metafile without placeable header)
  int width = 0;      // \picw: pixels for bitmaps, 0.01 mm for metafiles; 0 = not given
  int height = 0;     // \pich
  int goalWidth = 0;  // \picwgoal in twips; 0 = not given
  int goalHeight = 0;
  int scaleX = 100;  // percent
  int scaleY = 100;
  int mapMode = 8;  // the metafile's mapping mode (\wmetafileN)
};

struct Run {
  std::string text;  // UTF-8; "\t" tabs, U+2028 line breaks
  CharFormat format;
};

using Inline = std::variant<Run, Picture>;

struct Paragraph {
  ParaFormat format;
  std::vector<Inline> content;
};

struct TableCell {
  std::vector<Paragraph> paragraphs;
  int rightEdge = 0;  // \cellx in twips from the row's left; 0 = not given
};

struct TableRow {
  std::vector<TableCell> cells;
  int left = 0;  // \trleft, twips
  bool borders = false;  // cell or row borders were asked for
};

struct Table {
  std::vector<TableRow> rows;
};

using Block = std::variant<Paragraph, Table>;

struct Colour {
  bool automatic = true;
  std::uint8_t red = 0, green = 0, blue = 0;
};

struct PageGeometry {
  int width = 12240;  // twips
  int height = 15840;
  int marginLeft = 1800;
  int marginRight = 1800;
  int marginTop = 1440;
  int marginBottom = 1440;
};

struct RtfDocument {
  std::vector<Block> blocks;
  std::map<int, std::string> fonts;  // \fN -> family name
  std::vector<Colour> colours;
  PageGeometry page;
  int defaultFont = -1;  // \deffN
};

}  // namespace korvana::rtf
