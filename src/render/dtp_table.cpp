#include "render/dtp_table.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>
#include <optional>

#include "render/glyphs.h"

namespace korvana {
namespace {

[[noreturn]] void Fail(const char* operation, const char* what, long number) {
  throw EDTPTableError(std::string("Error in TDTPTable.") + operation + ": " + what + " - " +
                       std::to_string(number));
}

long Round(double v) { return std::lrint(v); }

}  // namespace

void TDTPTable::Clear() {
  structures_ = {};
  columns_ = {};
  lines_ = {};
  for (auto& c : cells_) c = TDTPCell{};
  fonts_ = {};
  structureCount_ = columnCount_ = lineCount_ = cellCount_ = fontCount_ = 0;
}

int TDTPTable::AddColStructure(int columnCount, bool equalWidths) {
  if (structureCount_ + 1 > MaxStructures) Fail("AddColStructure", "Too many structures", structureCount_ + 1);
  if (columnCount < 0) Fail("AddColStructure", "Invalid column count", columnCount);
  if (columnCount_ + columnCount > MaxColumns) Fail("AddColStructure", "Too many columns", columnCount_ + columnCount);
  ++structureCount_;
  Structure& s = structures_[static_cast<std::size_t>(structureCount_)];
  s.firstColumn = columnCount_ + 1;
  s.columnCount = columnCount;
  s.equalWidths = equalWidths;
  columnCount_ += columnCount;
  return structureCount_;
}

void TDTPTable::SetColDefn(int structure, int column, int separator, int alignment, float width) {
  if (structure < 1 || structure > structureCount_) Fail("SetColDefn", "Invalid structure ID", structure);
  const Structure& s = structures_[static_cast<std::size_t>(structure)];
  if (column < 1 || column > s.columnCount) Fail("SetColDefn", "Invalid column number", column);
  Column& c = columns_[static_cast<std::size_t>(s.firstColumn + column - 1)];
  c.separator = static_cast<std::uint8_t>(separator == DTPSingleLine || separator == DTPDoubleLine ? separator : 0);
  c.alignment = static_cast<std::uint8_t>(alignment == DTPRight || alignment == DTPCentre ? alignment : 0);
  c.width = width;
}

int TDTPTable::FontID(const std::string& face, int size, std::uint8_t style) {
  for (int i = 1; i <= fontCount_; ++i) {
    const TDTPFont& f = fonts_[static_cast<std::size_t>(i)];
    if (f.face == face && f.size == size && f.style == style) return i;
  }
  if (fontCount_ + 1 > MaxFonts) Fail("FontID", "Too many fonts", fontCount_ + 1);
  ++fontCount_;
  fonts_[static_cast<std::size_t>(fontCount_)] = TDTPFont{face, size, style};
  return fontCount_;
}

void TDTPTable::RepItemAdd(int structure, int line, Color colour, int font, const std::string& text,
                           int column) {
  if (cellCount_ + 1 > MaxCells) Fail("RepItemAdd", "Too many cells", cellCount_ + 1);
  if (structure < 1 || structure > structureCount_) Fail("RepItemAdd", "Invalid StructID", structure);
  // A line before the current one would break the cell ranges of the lines after it.
  if (line < 1 || line > MaxLines || line < lineCount_) Fail("RepItemAdd", "Invalid Line Number", line);
  const Structure& s = structures_[static_cast<std::size_t>(structure)];
  if (column < 1 || column > s.columnCount) Fail("RepItemAdd", "Invalid Column number", column);
  if (font < 1 || font > fontCount_) Fail("RepItemAdd", "Invalid FontID", font);
  const bool newLine = line > lineCount_;
  if (newLine && column != 1) Fail("RepItemAdd", "Invalid column number on a new line", column);
  if (newLine) {
    for (int l = lineCount_ + 1; l <= line; ++l) {
      lines_[static_cast<std::size_t>(l)].firstCell = cellCount_ + 1;
      lines_[static_cast<std::size_t>(l)].structure = structure;
    }
    lineCount_ = line;
  }
  const Column& c = columns_[static_cast<std::size_t>(s.firstColumn + column - 1)];
  TDTPCell cell;
  switch (c.alignment) {
    case DTPRight: cell.text = text; break;
    case DTPCentre: cell.text = text + " "; break;
    default: cell.text = " " + text; break;
  }
  cell.font = static_cast<std::uint8_t>(font);
  cell.colour = colour;
  cell.column = static_cast<std::uint8_t>(column);
  cells_[static_cast<std::size_t>(++cellCount_)] = std::move(cell);
  lines_[static_cast<std::size_t>(lineCount_ + 1)].firstCell = cellCount_ + 1;
}

void TDTPTable::SetLineRule(int line, int rule) {
  if (line < 1 || line > MaxLines) Fail("SetLineRule", "Invalid Line Number", line);
  lines_[static_cast<std::size_t>(line)].rule = static_cast<std::uint8_t>(std::clamp(rule, 0, 2));
}

int TDTPTable::LineEnd(int line) const { return lines_[static_cast<std::size_t>(line + 1)].firstCell; }

std::vector<double> TDTPTable::RightEdges(int structure) const {
  if (structure < 1 || structure > structureCount_) return {};
  const Structure& s = structures_[static_cast<std::size_t>(structure)];
  std::vector<double> edges;
  for (int i = 0; i < s.columnCount; ++i) {
    edges.push_back(columns_[static_cast<std::size_t>(s.firstColumn + i)].width);
  }
  if (s.equalWidths) {
    for (int i = 0; i < s.columnCount; ++i) edges[static_cast<std::size_t>(i)] = double(i + 1) / s.columnCount;
  }
  if (std::any_of(edges.begin(), edges.end(), [](double w) { return w > 1; })) {
    double total = 0;
    for (double w : edges) total += w;
    double running = 0;
    for (double& w : edges) {
      running += w;
      w = running / total;
    }
  }
  return edges;
}

void TDTPTable::DrawFrame(QPainter& painter, int left, int top, int right, int bottom) {
  painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(QPointF(left, top), QPointF(right, bottom)));
  left += 3;
  top += 3;
  right -= 3;
  bottom -= 3;
  painter.drawRect(QRectF(QPointF(left, top), QPointF(right, bottom)));
  const double innerH = bottom - top, innerW = right - left;
  int blockStart = 1;
  for (int i = 2; i <= lineCount_ + 1; ++i) {
    if (i <= lineCount_ &&
        lines_[static_cast<std::size_t>(i)].structure == lines_[static_cast<std::size_t>(blockStart)].structure) {
      continue;
    }
    const int blockTop = top + static_cast<int>(Round((blockStart - 1) * innerH / lineCount_));
    const int blockBottom = top + static_cast<int>(Round((i - 1) * innerH / lineCount_));
    const int structure = lines_[static_cast<std::size_t>(blockStart)].structure;
    if (structure >= 1 && structure <= structureCount_) {
      const Structure& s = structures_[static_cast<std::size_t>(structure)];
      std::vector<double> edges = RightEdges(structure);
      for (int c = 0; c + 1 < s.columnCount; ++c) {
        const int x = left + static_cast<int>(Round(innerW * edges[static_cast<std::size_t>(c)]));
        switch (columns_[static_cast<std::size_t>(s.firstColumn + c)].separator) {
          case DTPSingleLine: painter.drawLine(x, blockBottom, x, blockTop); break;
          case DTPDoubleLine:
            painter.drawLine(x - 2, blockBottom, x - 2, blockTop);
            painter.drawLine(x, blockBottom, x, blockTop);
            break;
          default: break;
        }
      }
    }
    Line& first = lines_[static_cast<std::size_t>(blockStart)];
    if (first.rule == 0) first.rule = 1;
    painter.drawLine(left, blockTop, right, blockTop);
    if (first.rule == 2) painter.drawLine(left, blockTop + 2, right, blockTop + 2);
    blockStart = i;
  }
}

QRect TDTPTable::Draw(bool colourOn, QPainter& painter, const QRect& rect) {
  if (lineCount_ == 0) return QRect();
  painter.save();
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);

  // Column anchors per column number, from each structure's right edges.
  std::array<double, MaxColumns + 1> anchor{};
  for (int s = 1; s <= structureCount_; ++s) {
    const Structure& st = structures_[static_cast<std::size_t>(s)];
    std::vector<double> edges = RightEdges(s);
    for (int i = 0; i < st.columnCount; ++i) {
      const double leftEdge = i == 0 ? 0.0 : edges[static_cast<std::size_t>(i - 1)];
      const double rightEdge = edges[static_cast<std::size_t>(i)];
      const Column& c = columns_[static_cast<std::size_t>(st.firstColumn + i)];
      anchor[static_cast<std::size_t>(st.firstColumn + i)] =
          c.alignment == DTPRight ? rightEdge : c.alignment == DTPCentre ? (leftEdge + rightEdge) / 2 : leftEdge;
    }
  }

  int left = rect.left(), top = rect.top();
  int right = rect.left() + rect.width(), bottom = rect.top() + rect.height();
  double innerH = bottom - top - 6, innerW = right - left - 6;
  const int lineHeight = static_cast<int>(std::trunc(innerH * 0.8 / lineCount_));
  int largest = 1;
  for (int f = 1; f <= fontCount_; ++f) largest = std::max(largest, fonts_[static_cast<std::size_t>(f)].size);
  double scale = double(lineHeight) / largest;
  if (scale > 1) scale = (scale - 1) * 0.25 + 1;
  const int gap = static_cast<int>(Round(lineHeight * 0.05)) + 1;
  const double dpi = painter.device() != nullptr ? painter.device()->logicalDpiY() : 96.0;

  bool framed = false;
  QRect frame;
  int prevFont = 0, prevColumn = -1, prevAlignment = -1, prevLine = 0;
  bool glyphFace = false;
  std::optional<Color> colour;
  QFont font;
  QPointF position;
  painter.setPen(Qt::black);
  for (int line = 1; line <= lineCount_; ++line) {
    const Structure& st = structures_[static_cast<std::size_t>(lines_[static_cast<std::size_t>(line)].structure)];
    for (int ci = lines_[static_cast<std::size_t>(line)].firstCell; ci < LineEnd(line); ++ci) {
      const TDTPCell& cell = cells_[static_cast<std::size_t>(ci)];
      if (cell.font != prevFont) {
        const TDTPFont& f = fonts_[static_cast<std::size_t>(cell.font)];
        const int points = static_cast<int>(std::trunc(f.size * scale));
        const int pixels = static_cast<int>(Round(points * dpi / 72.0));
        font = QFont(ResolveFontFamily(f.face));
        font.setPixelSize(std::max(1, pixels));
        font.setBold(f.style & 1);
        font.setItalic(f.style & 2);
        font.setUnderline(f.style & 4);
        font.setStrikeOut(f.style & 8);
        glyphFace = IsGlyphFace(f.face);
        painter.setFont(font);
        prevFont = cell.font;
        if (!framed) {
          // The table's height follows the first font: lines of its height at 80 %.
          const int tableHeight = static_cast<int>(Round(pixels * lineCount_ / 0.8)) + 6;
          bottom = top + tableHeight;
          frame = QRect(QPoint(left, top), QPoint(right, bottom));
          QPen textPen = painter.pen();
          DrawFrame(painter, left, top, right, bottom);
          painter.setPen(textPen);
          left += 3;
          top += 3;
          right -= 3;
          bottom -= 3;
          innerH = bottom - top;
          innerW = right - left;
          framed = true;
        }
      }
      const int columnIndex = st.firstColumn + cell.column - 1;
      const Column& column = columns_[static_cast<std::size_t>(columnIndex)];
      const double y = top + Round(double(line) / lineCount_ * innerH) - gap;
      const double x = left + Round(innerW * anchor[static_cast<std::size_t>(columnIndex)]);
      // Left-aligned cells of one column continue from where the previous text ended; a new
      // column, alignment or line starts again at the column's anchor.
      if (column.alignment != prevAlignment || columnIndex != prevColumn || line != prevLine) {
        position = QPointF(x, y);
        prevAlignment = column.alignment;
        prevColumn = columnIndex;
        prevLine = line;
      }
      const Color wanted = colourOn ? cell.colour : ColorBlack;
      if (!colour || *colour != wanted) {
        painter.setPen(QColor(RedOf(wanted), GreenOf(wanted), BlueOf(wanted)));
        colour = wanted;
      }
      const QString text = glyphFace ? GlyphFaceText(cell.text) : QString::fromStdString(cell.text);
      QFontMetricsF metrics(font, painter.device());
      const double advance = metrics.horizontalAdvance(text);
      const double baseline = y - metrics.descent();
      switch (column.alignment) {
        case DTPRight: painter.drawText(QPointF(x - advance, baseline), text); break;
        case DTPCentre: painter.drawText(QPointF(x - advance / 2, baseline), text); break;
        default:
          painter.drawText(QPointF(position.x(), position.y() - metrics.descent()), text);
          position.rx() += advance;
          break;
      }
    }
  }
  painter.restore();
  return frame;
}

}  // namespace korvana
