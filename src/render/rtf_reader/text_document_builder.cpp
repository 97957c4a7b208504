// ParseRtf's document turned into a QTextDocument.
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "render/rtf_reader/rtf_text_document.h"

namespace korvana::rtf {
namespace {

// Cells wider or narrower than this are taken as unusable widths.
constexpr double MinCellPixels = 4;

class Builder {
 public:
  Builder(const RtfDocument& source, QTextDocument& doc) : source_(source), doc_(doc), cursor_(&doc) {}

  void Build() {
    for (const Block& block : source_.blocks) {
      if (const auto* p = std::get_if<Paragraph>(&block)) AddParagraph(*p);
      else AddTable(std::get<Table>(block));
    }
  }

 private:
  QTextCharFormat CharFormatOf(const CharFormat& c) const {
    QTextCharFormat f;
    const int fontIndex = c.font >= 0 ? c.font : source_.defaultFont;
    if (const auto it = source_.fonts.find(fontIndex); it != source_.fonts.end() && !it->second.empty())
      f.setFontFamilies(QStringList{QString::fromStdString(it->second)});
    f.setFontPointSize(c.halfPoints / 2.0);
    f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.italic);
    f.setFontUnderline(c.underline);
    f.setFontStrikeOut(c.strike);
    if (c.verticalAlign > 0) f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (c.verticalAlign < 0) f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (const QColor colour = ColourOf(c.colour); colour.isValid()) f.setForeground(colour);
    if (const QColor colour = ColourOf(c.background); colour.isValid()) f.setBackground(colour);
    return f;
  }

  QColor ColourOf(int index) const {
    if (index < 0 || index >= static_cast<int>(source_.colours.size())) return {};
    const Colour& c = source_.colours[static_cast<std::size_t>(index)];
    if (c.automatic) return {};
    return QColor(c.red, c.green, c.blue);
  }

  static QTextBlockFormat BlockFormatOf(const ParaFormat& p) {
    QTextBlockFormat f;
    static constexpr Qt::Alignment Alignments[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter, Qt::AlignJustify};
    f.setAlignment(Alignments[static_cast<int>(p.alignment)] | Qt::AlignAbsolute);
    if (!p.bullet) {
      f.setLeftMargin(TwipsToPixels(p.leftIndent));
      f.setTextIndent(TwipsToPixels(p.firstIndent));
    }
    f.setRightMargin(TwipsToPixels(p.rightIndent));
    f.setTopMargin(TwipsToPixels(p.spaceBefore));
    f.setBottomMargin(TwipsToPixels(p.spaceAfter));
    if (p.lineSpacing > 0 && p.lineMultiple)
      f.setLineHeight(p.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
    else if (p.lineSpacing < 0)
      f.setLineHeight(TwipsToPixels(-p.lineSpacing), QTextBlockFormat::FixedHeight);
    else if (p.lineSpacing > 0)
      f.setLineHeight(TwipsToPixels(p.lineSpacing), QTextBlockFormat::MinimumHeight);
    if (p.pageBreakBefore) f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    return f;
  }

  // A new block at the cursor, or the empty block the document or a table left there.
  void StartBlock(const QTextBlockFormat& format, const QTextCharFormat& chars) {
    if (freshBlock_) {
      cursor_.setBlockFormat(format);
      cursor_.setBlockCharFormat(chars);
      cursor_.setCharFormat(chars);
      freshBlock_ = false;
    } else {
      cursor_.insertBlock(format, chars);
    }
  }

  void AddParagraph(const Paragraph& p) {
    const CharFormat first = p.content.empty() || !std::holds_alternative<Run>(p.content.front())
                                 ? CharFormat{}
                                 : std::get<Run>(p.content.front()).format;
    StartBlock(BlockFormatOf(p.format), CharFormatOf(first));
    for (const Inline& piece : p.content) {
      if (const auto* run = std::get_if<Run>(&piece)) {
        QString text = QString::fromStdString(run->text);
        text.replace(QChar(0x2028), QChar::LineSeparator);
        cursor_.insertText(text, CharFormatOf(run->format));
      } else {
        AddPicture(std::get<Picture>(piece));
      }
    }
    if (p.format.bullet) AddToList(p.format);
    else list_ = nullptr;
  }

  void AddToList(const ParaFormat& p) {
    const int indent = p.listLevel + 1;
    const QTextListFormat::Style style = p.numbered ? QTextListFormat::ListDecimal : QTextListFormat::ListDisc;
    if (list_ && list_->format().indent() == indent && list_->format().style() == style) {
      list_->add(cursor_.block());
      return;
    }
    QTextListFormat format;
    format.setIndent(indent);
    format.setStyle(style);
    list_ = cursor_.createList(format);
  }

  void AddPicture(const Picture& picture) {
    QSizeF size = PictureDisplaySize(picture);
    const QImage image = PictureImage(picture, size, pixelBudget_);
    // A bitmap that states no size at all is shown at its own.
    const bool sized = (picture.goalWidth > 0 && picture.goalHeight > 0) || (picture.width > 0 && picture.height > 0);
    const bool bitmap = picture.kind == PictureKind::Jpeg || picture.kind == PictureKind::Png;
    if (!sized && bitmap && image.width() > 32)  // wider than the box of an unreadable picture
      size = QSizeF(image.width() * picture.scaleX / 100.0, image.height() * picture.scaleY / 100.0);
    const QString name = QStringLiteral("korvana-picture:%1").arg(++pictures_);
    doc_.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(size.width());
    format.setHeight(size.height());
    format.setProperty(PictureDataProperty, QByteArray(picture.data.data(), static_cast<qsizetype>(picture.data.size())));
    format.setProperty(PictureKindProperty, static_cast<int>(picture.kind));
    cursor_.insertImage(format);
  }

  void AddTable(const Table& table) {
    list_ = nullptr;
    int columns = 0;
    bool borders = false;
    for (const TableRow& row : table.rows) {
      columns = std::max(columns, static_cast<int>(row.cells.size()));
      borders = borders || row.borders;
    }
    if (columns == 0) return;
    QTextTableFormat format;
    format.setBorder(borders ? 1 : 0);
    format.setBorderStyle(borders ? QTextFrameFormat::BorderStyle_Solid : QTextFrameFormat::BorderStyle_None);
    format.setCellSpacing(0);
    format.setCellPadding(2);
    format.setColumnWidthConstraints(ColumnWidths(table.rows.front(), columns));
    const TableRow& first = table.rows.front();
    format.setLeftMargin(std::max(0.0, TwipsToPixels(first.left)));
    QTextTable* qtable = cursor_.insertTable(static_cast<int>(table.rows.size()), columns, format);
    for (int r = 0; r < static_cast<int>(table.rows.size()); ++r) {
      const auto& cells = table.rows[static_cast<std::size_t>(r)].cells;
      for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
        cursor_ = qtable->cellAt(r, c).firstCursorPosition();
        freshBlock_ = true;
        for (const Paragraph& p : cells[static_cast<std::size_t>(c)].paragraphs) AddParagraph(p);
        list_ = nullptr;
      }
    }
    cursor_ = doc_.rootFrame()->lastCursorPosition();
    freshBlock_ = true;
  }

  static QList<QTextLength> ColumnWidths(const TableRow& row, int columns) {
    QList<QTextLength> widths;
    int previous = row.left;
    for (const TableCell& cell : row.cells) {
      const double width = TwipsToPixels(cell.rightEdge - previous);
      if (cell.rightEdge <= 0 || width < MinCellPixels) return {};
      widths.append(QTextLength(QTextLength::FixedLength, width));
      previous = cell.rightEdge;
    }
    while (widths.size() < columns) widths.append(QTextLength(QTextLength::VariableLength, 0));
    return widths;
  }

  const RtfDocument& source_;
  QTextDocument& doc_;
  QTextCursor cursor_;
  bool freshBlock_ = true;
  QTextList* list_ = nullptr;
  int pictures_ = 0;
  qint64 pixelBudget_ = DocumentPixelBudget;
};

}  // namespace

double TwipsToPixels(double twips) { return twips * PixelsPerInch / 1440.0; }
int PixelsToTwips(double pixels) { return static_cast<int>(std::lround(pixels * 1440.0 / PixelsPerInch)); }

void BuildTextDocument(const RtfDocument& source, QTextDocument& doc) { Builder(source, doc).Build(); }

PageGeometry ReadRtf(std::string_view data, QTextDocument& doc, const RtfLimits& limits) {
  const RtfDocument parsed = ParseRtf(data, limits);
  // Loading is no edit to undo; switching undo off also drops the old document's history.
  const bool undo = doc.isUndoRedoEnabled();
  doc.setUndoRedoEnabled(false);
  doc.clear();
  BuildTextDocument(parsed, doc);
  doc.setUndoRedoEnabled(undo);
  return parsed.page;
}

}  // namespace korvana::rtf
