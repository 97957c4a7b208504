// A QTextDocument written as RTF or plain text.
#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "core/util/codepage.h"
#include "render/rtf_reader/rtf_text_document.h"

namespace korvana::rtf {
namespace {

constexpr int HexPerLine = 128;

std::string Num(long long v) { return std::to_string(v); }

class Writer {
 public:
  Writer(const QTextDocument& doc, const PageGeometry& page) : doc_(doc), page_(page) {
    fonts_.append(doc.defaultFont().family());
  }

  std::string Write() {
    WriteFrame(doc_.rootFrame(), false);
    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl";
    for (int i = 0; i < fonts_.size(); ++i)
      out += "{\\f" + Num(i) + "\\fnil " + Escaped(fonts_[i]) + ";}";
    out += "}\r\n{\\colortbl;";
    for (const QColor& c : colours_)
      out += "\\red" + Num(c.red()) + "\\green" + Num(c.green()) + "\\blue" + Num(c.blue()) + ";";
    out += "}\r\n\\paperw" + Num(page_.width) + "\\paperh" + Num(page_.height) + "\\margl" + Num(page_.marginLeft) +
           "\\margr" + Num(page_.marginRight) + "\\margt" + Num(page_.marginTop) + "\\margb" +
           Num(page_.marginBottom) + "\r\n";
    out += body_;
    out += "}\r\n";
    return out;
  }

 private:
  // The blocks and tables of a frame; in a table cell the last paragraph ends with \cell.
  void WriteFrame(QTextFrame* frame, bool inTable) {
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
      if (QTextFrame* child = it.currentFrame()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) WriteTable(table, inTable);
        else WriteFrame(child, inTable);
      } else if (it.currentBlock().isValid()) {
        WriteBlock(it.currentBlock(), inTable);
      }
    }
  }

  void WriteTable(QTextTable* table, bool nested) {
    if (nested) {  // a table inside a cell: its cells as paragraphs of that cell
      for (int r = 0; r < table->rows(); ++r)
        for (int c = 0; c < table->columns(); ++c) WriteCellBlocks(table->cellAt(r, c), true);
      return;
    }
    const QTextTableFormat format = table->format();
    const QList<QTextLength> widths = format.columnWidthConstraints();
    const int textWidth = page_.width - page_.marginLeft - page_.marginRight;
    const int left = PixelsToTwips(format.leftMargin());
    const bool borders = format.border() > 0 && format.borderStyle() != QTextFrameFormat::BorderStyle_None;
    for (int r = 0; r < table->rows(); ++r) {
      body_ += "\\trowd\\trgaph108\\trleft" + Num(left);
      int edge = left;
      for (int c = 0; c < table->columns(); ++c) {
        const bool fixed = c < widths.size() && widths[c].type() == QTextLength::FixedLength;
        edge += fixed ? PixelsToTwips(widths[c].rawValue()) : std::max(1, (textWidth - left) / table->columns());
        if (borders) body_ += "\\clbrdrt\\brdrs\\clbrdrl\\brdrs\\clbrdrb\\brdrs\\clbrdrr\\brdrs";
        body_ += "\\cellx" + Num(edge);
      }
      body_ += "\r\n";
      for (int c = 0; c < table->columns(); ++c) {
        WriteCellBlocks(table->cellAt(r, c), false);
        body_ += "\\cell ";
      }
      body_ += "\\row\r\n";
    }
    body_ += "\\pard\\plain ";
  }

  // The paragraphs of one cell; between them \par, the caller writes the closing \cell.
  void WriteCellBlocks(const QTextTableCell& cell, bool nested) {
    bool first = true;
    for (auto it = cell.begin(); !it.atEnd(); ++it) {
      if (QTextFrame* child = it.currentFrame()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) WriteTable(table, true);
        continue;
      }
      if (!first) body_ += "\\par\r\n";
      first = false;
      WriteParagraph(it.currentBlock(), true);
    }
    if (nested) body_ += "\\par\r\n";
  }

  void WriteBlock(const QTextBlock& block, bool inTable) {
    WriteParagraph(block, inTable);
    if (!inTable) body_ += "\\par\r\n";
  }

  void WriteParagraph(const QTextBlock& block, bool inTable) {
    const QTextBlockFormat f = block.blockFormat();
    if (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) body_ += "\\page\r\n";
    body_ += "\\pard\\plain";
    if (inTable) body_ += "\\intbl";
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter) body_ += "\\qc";
    else if (a & Qt::AlignRight) body_ += "\\qr";
    else if (a & Qt::AlignJustify) body_ += "\\qj";
    else body_ += "\\ql";
    int leftIndent = PixelsToTwips(f.leftMargin());
    int firstIndent = PixelsToTwips(f.textIndent());
    if (QTextList* list = block.textList()) {
      const int level = std::max(1, list->format().indent());
      leftIndent += 360 * level;
      firstIndent = -360;
      const bool numbered = list->format().style() == QTextListFormat::ListDecimal;
      body_ += std::string("{\\*\\pn") + (numbered ? "\\pnlvlbody\\pndec" : "\\pnlvlblt\\pnf" + Num(SymbolFont()) +
                                                                              "{\\pntxtb\\'b7}") +
               "\\pnindent360}";
    }
    if (leftIndent) body_ += "\\li" + Num(leftIndent);
    if (firstIndent) body_ += "\\fi" + Num(firstIndent);
    if (f.rightMargin() > 0) body_ += "\\ri" + Num(PixelsToTwips(f.rightMargin()));
    if (f.topMargin() > 0) body_ += "\\sb" + Num(PixelsToTwips(f.topMargin()));
    if (f.bottomMargin() > 0) body_ += "\\sa" + Num(PixelsToTwips(f.bottomMargin()));
    switch (f.lineHeightType()) {
      case QTextBlockFormat::ProportionalHeight:
        body_ += "\\sl" + Num(std::lround(f.lineHeight() * 240 / 100)) + "\\slmult1";
        break;
      case QTextBlockFormat::FixedHeight: body_ += "\\sl-" + Num(PixelsToTwips(f.lineHeight())) + "\\slmult0"; break;
      case QTextBlockFormat::MinimumHeight: body_ += "\\sl" + Num(PixelsToTwips(f.lineHeight())) + "\\slmult0"; break;
      default: break;
    }
    body_ += " ";
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid()) continue;
      const QTextCharFormat cf = fragment.charFormat();
      if (cf.isImageFormat()) {
        for (int i = 0; i < fragment.length(); ++i) WritePicture(cf.toImageFormat());
        continue;
      }
      body_ += "{" + CharFormatWords(cf) + " " + Escaped(fragment.text()) + "}";
    }
  }

  std::string CharFormatWords(const QTextCharFormat& cf) {
    const QStringList families = cf.fontFamilies().toStringList();
    std::string s = "\\f" + Num(FontIndex(families.isEmpty() ? doc_.defaultFont().family() : families.front()));
    double points = cf.hasProperty(QTextFormat::FontPointSize) ? cf.fontPointSize() : doc_.defaultFont().pointSizeF();
    if (points <= 0) points = 12;
    s += "\\fs" + Num(std::max(2L, std::lround(points * 2)));
    if (cf.fontWeight() >= QFont::DemiBold) s += "\\b";
    if (cf.fontItalic()) s += "\\i";
    if (cf.fontUnderline()) s += "\\ul";
    if (cf.fontStrikeOut()) s += "\\strike";
    if (cf.verticalAlignment() == QTextCharFormat::AlignSuperScript) s += "\\super";
    if (cf.verticalAlignment() == QTextCharFormat::AlignSubScript) s += "\\sub";
    if (cf.hasProperty(QTextFormat::ForegroundBrush) && cf.foreground().style() != Qt::NoBrush)
      s += "\\cf" + Num(ColourIndex(cf.foreground().color()));
    if (cf.hasProperty(QTextFormat::BackgroundBrush) && cf.background().style() != Qt::NoBrush)
      s += "\\highlight" + Num(ColourIndex(cf.background().color()));
    return s;
  }

  void WritePicture(const QTextImageFormat& f) {
    QByteArray data = f.property(PictureDataProperty).toByteArray();
    auto kind = static_cast<PictureKind>(f.property(PictureKindProperty).toInt());
    int picw = 0, pich = 0;
    const QVariant resource = doc_.resource(QTextDocument::ImageResource, QUrl(f.name()));
    const QImage image = resource.value<QImage>();
    if (data.isEmpty() || kind == PictureKind::Other) {
      if (image.isNull()) return;
      QBuffer buffer(&data);
      buffer.open(QIODevice::WriteOnly);
      image.save(&buffer, "PNG");
      kind = PictureKind::Png;
    }
    static constexpr const char* Kinds[] = {"\\jpegblip", "\\pngblip", "\\wmetafile8", "\\emfblip", ""};
    body_ += std::string("{\\pict") + Kinds[static_cast<int>(kind)];
    if ((kind == PictureKind::Jpeg || kind == PictureKind::Png) && !image.isNull()) {
      picw = image.width();
      pich = image.height();
      body_ += "\\picw" + Num(picw) + "\\pich" + Num(pich);
    }
    const double width = f.width() > 0 ? f.width() : image.width();
    const double height = f.height() > 0 ? f.height() : image.height();
    body_ += "\\picwgoal" + Num(PixelsToTwips(width)) + "\\pichgoal" + Num(PixelsToTwips(height)) + "\r\n";
    static constexpr char Hex[] = "0123456789abcdef";
    for (qsizetype i = 0; i < data.size(); ++i) {
      const auto byte = static_cast<unsigned char>(data[i]);
      body_ += Hex[byte >> 4];
      body_ += Hex[byte & 15];
      if ((i + 1) % (HexPerLine / 2) == 0) body_ += "\r\n";
    }
    body_ += "}";
  }

  int FontIndex(const QString& family) {
    const int at = static_cast<int>(fonts_.indexOf(family));
    if (at >= 0) return at;
    fonts_.append(family);
    return static_cast<int>(fonts_.size()) - 1;
  }

  int SymbolFont() { return FontIndex(QStringLiteral("Symbol")); }

  int ColourIndex(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    for (int i = 0; i < colours_.size(); ++i)
      if (colours_[i].rgb() == rgb.rgb()) return i + 1;
    colours_.append(rgb);
    return static_cast<int>(colours_.size());
  }

  // Text with RTF's special characters escaped and non-ASCII characters as \'xx or \uN?.
  static std::string Escaped(const QString& text) {
    std::string out;
    const std::u32string chars = text.toStdU32String();
    for (char32_t cp : chars) {
      switch (cp) {
        case U'\\': out += "\\\\"; continue;
        case U'{': out += "\\{"; continue;
        case U'}': out += "\\}"; continue;
        case U'\t': out += "\\tab "; continue;
        case 0x2028:
        case 0x2029: out += "\\line "; continue;
        case 0xA0: out += "\\~"; continue;
        case 0xFFFC: continue;
        default: break;
      }
      if (cp >= 0x20 && cp < 0x80) {
        out += static_cast<char>(cp);
      } else if (cp < 0x20) {
        continue;
      } else if (const int byte = Cp1252FromCodePoint(cp); byte >= 0) {
        static constexpr char Hex[] = "0123456789abcdef";
        out += "\\'";
        out += Hex[byte >> 4];
        out += Hex[byte & 15];
      } else if (cp > 0xFFFF) {
        const char32_t v = cp - 0x10000;
        out += "\\u" + Num(static_cast<std::int16_t>(0xD800 + (v >> 10))) + "?\\u" +
               Num(static_cast<std::int16_t>(0xDC00 + (v & 0x3FF))) + "?";
      } else {
        out += "\\u" + Num(static_cast<std::int16_t>(cp)) + "?";
      }
    }
    return out;
  }

  const QTextDocument& doc_;
  PageGeometry page_;
  std::string body_;
  QStringList fonts_;
  QList<QColor> colours_;
};

}  // namespace

std::string WriteRtf(const QTextDocument& doc, const PageGeometry& page) { return Writer(doc, page).Write(); }

std::string PlainText(const QTextDocument& doc) {
  QString text = doc.toPlainText();
  text.remove(QChar::ObjectReplacementCharacter);
  return text.toStdString();
}

}  // namespace korvana::rtf
