// RTF into a QTextDocument and back: what the viewer shows of a document, and what it
// writes when the document is saved, edited or not.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <set>
#include <vector>

#include "render/metafile.h"
#include "render/rtf_reader/rtf_text_document.h"
#include "render/rtf_reader/rtf_text_of.h"

namespace korvana::rtf {
namespace {

std::string Hex(const std::string& bytes) {
  static constexpr char Digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char b : bytes) {
    out += Digits[b >> 4];
    out += Digits[b & 15];
  }
  return out;
}

// A plain (not placeable) metafile of a filled black disc, as reports embed the wheel.
std::string DiscMetafile() {
  TMetafile metafile(200, 200);
  {
    QPainter painter(&metafile);
    PrepareMetafileCanvas(painter, QRect(0, 0, 200, 200));
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRect(20, 20, 160, 160));
  }
  return metafile.Data().substr(22);
}

// A picture of one colour, encoded in `format` ("JPEG", "PNG").
std::string Filled(int width, int height, Qt::GlobalColor colour, const char* format) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes.toStdString();
}

struct Fixture {
  std::string wmf = DiscMetafile();
  std::string jpeg = Filled(40, 20, Qt::red, "JPEG");
  std::string rtf =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil Times New Roman;}}"
      "{\\colortbl\\red0\\green0\\blue0;\\red200\\green0\\blue0;}"
      "\\paperw12000\\paperh16000\\margl700\\margr800\\margt900\\margb1000"
      "\\pard\\qc\\f1\\fs40 Title {\\b\\cf1 Bold} caf\\'e9\\par"
      "\\pard\\qc{\\pict\\wmetafile8\\picwgoal3000\\pichgoal3000\\bin" +
      std::to_string(wmf.size()) + " " + wmf + "}\\par \\page"
      "\\pard\\li720 after the break {\\pict\\jpegblip\\picw40\\pich20\\picwgoal600\\pichgoal300 " + Hex(jpeg) +
      "}\\par"
      "\\trowd\\trleft0\\cellx1500\\cellx4500\\intbl Sun\\cell Pisces\\cell\\row"
      "\\trowd\\trleft0\\cellx1500\\cellx4500\\intbl Moon\\cell Sagittarius\\cell\\row"
      "\\pard\\li360\\fi-360{\\*\\pn\\pnlvlblt\\pnf0{\\pntxtb\\'b7}}first item\\par"
      "\\pard\\li360\\fi-360{\\*\\pn\\pnlvlblt\\pnf0{\\pntxtb\\'b7}}second item\\par"
      "\\pard end \\u937?\\par}";
};

std::vector<QTextImageFormat> Images(const QTextDocument& doc) {
  std::vector<QTextImageFormat> images;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().isImageFormat()) images.push_back(it.fragment().charFormat().toImageFormat());
  return images;
}

QTextTable* FirstTable(const QTextDocument& doc) {
  for (QTextFrame* frame : doc.rootFrame()->childFrames())
    if (auto* table = qobject_cast<QTextTable*>(frame)) return table;
  return nullptr;
}

QTextBlock BlockWith(const QTextDocument& doc, const QString& text) {
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
    if (b.text().contains(text)) return b;
  return {};
}

int DarkPixels(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
  int dark = 0;
  for (int y = 0; y < rgb.height(); ++y)
    for (int x = 0; x < rgb.width(); ++x) {
      const QRgb p = rgb.pixel(x, y);
      if (qAlpha(p) > 128 && qRed(p) + qGreen(p) + qBlue(p) < 150) ++dark;
    }
  return dark;
}

TEST(RtfTextDocument, ShowsFormattingPageBreaksTablesListsAndPictures) {
  Fixture f;
  QTextDocument doc;
  const PageGeometry page = ReadRtf(f.rtf, doc);
  EXPECT_EQ(page.width, 12000);
  EXPECT_EQ(page.marginTop, 900);

  const QTextBlock title = BlockWith(doc, "Title");
  ASSERT_TRUE(title.isValid());
  EXPECT_EQ(title.text(), QString::fromUtf8("Title Bold café"));
  EXPECT_TRUE(title.blockFormat().alignment() & Qt::AlignHCenter);
  bool sawBold = false;
  for (auto it = title.begin(); !it.atEnd(); ++it) {
    const QTextCharFormat cf = it.fragment().charFormat();
    EXPECT_EQ(cf.fontFamilies().toStringList().value(0), "Times New Roman");
    EXPECT_DOUBLE_EQ(cf.fontPointSize(), 20.0);
    if (it.fragment().text() == "Bold") {
      sawBold = true;
      EXPECT_EQ(cf.fontWeight(), QFont::Bold);
      EXPECT_EQ(cf.foreground().color(), QColor(200, 0, 0));
    }
  }
  EXPECT_TRUE(sawBold);

  const QTextBlock after = BlockWith(doc, "after the break");
  ASSERT_TRUE(after.isValid());
  EXPECT_TRUE(after.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
  EXPECT_DOUBLE_EQ(after.blockFormat().leftMargin(), 48.0);

  QTextTable* table = FirstTable(doc);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->rows(), 2);
  EXPECT_EQ(table->columns(), 2);
  EXPECT_EQ(table->cellAt(1, 1).firstCursorPosition().block().text(), "Sagittarius");
  const QList<QTextLength> widths = table->format().columnWidthConstraints();
  ASSERT_EQ(widths.size(), 2);
  EXPECT_DOUBLE_EQ(widths[0].rawValue(), 100.0);
  EXPECT_DOUBLE_EQ(widths[1].rawValue(), 200.0);

  const QTextBlock first = BlockWith(doc, "first item");
  const QTextBlock second = BlockWith(doc, "second item");
  ASSERT_TRUE(first.textList() && second.textList());
  EXPECT_EQ(first.textList(), second.textList());
  EXPECT_EQ(first.textList()->format().style(), QTextListFormat::ListDisc);
  EXPECT_EQ(BlockWith(doc, "end").textList(), nullptr);
  EXPECT_EQ(BlockWith(doc, "end").text(), QString::fromUtf8("end Ω"));

  const std::vector<QTextImageFormat> images = Images(doc);
  ASSERT_EQ(images.size(), 2u);
  EXPECT_DOUBLE_EQ(images[0].width(), 200.0);
  EXPECT_DOUBLE_EQ(images[0].height(), 200.0);
  EXPECT_DOUBLE_EQ(images[1].width(), 40.0);
  EXPECT_DOUBLE_EQ(images[1].height(), 20.0);
  const QImage wheel = doc.resource(QTextDocument::ImageResource, QUrl(images[0].name())).value<QImage>();
  const QImage photo = doc.resource(QTextDocument::ImageResource, QUrl(images[1].name())).value<QImage>();
  // The disc covers about half the metafile's frame; the placeholder box has almost no dark ink.
  EXPECT_GT(DarkPixels(wheel), wheel.width() * wheel.height() / 3);
  ASSERT_EQ(photo.size(), QSize(40, 20));
  EXPECT_GT(qRed(photo.pixel(20, 10)), 200);
  EXPECT_LT(qGreen(photo.pixel(20, 10)), 60);
}

TEST(RtfTextDocument, UnreadablePicturesBecomeBoxesAndOnlyRtfReplacesTheDocument) {
  QTextDocument doc;
  ReadRtf("{\\rtf1 {\\pict\\pngblip\\picwgoal1500\\pichgoal750 0011223344}{\\pict\\wmetafile8 01}\\par}", doc);
  const std::vector<QTextImageFormat> images = Images(doc);
  ASSERT_EQ(images.size(), 2u);
  EXPECT_DOUBLE_EQ(images[0].width(), 100.0);
  EXPECT_DOUBLE_EQ(images[0].height(), 50.0);
  for (const QTextImageFormat& image : images)
    EXPECT_FALSE(doc.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>().isNull());

  // A bitmap without any size given takes its own.
  QTextDocument unsized;
  ReadRtf("{\\rtf1 {\\pict\\pngblip " + Hex(Filled(120, 45, Qt::blue, "PNG")) + "}\\par}", unsized);
  ASSERT_EQ(Images(unsized).size(), 1u);
  EXPECT_DOUBLE_EQ(Images(unsized)[0].width(), 120.0);
  EXPECT_DOUBLE_EQ(Images(unsized)[0].height(), 45.0);

  QTextDocument kept;
  kept.setPlainText("kept");
  EXPECT_THROW(ReadRtf("not rtf", kept), ERtfReadError);
  EXPECT_EQ(kept.toPlainText(), "kept");
  // A loaded document is no edit: nothing to undo.
  ReadRtf("{\\rtf1 loaded\\par}", kept);
  EXPECT_FALSE(kept.isUndoAvailable());
  EXPECT_EQ(kept.toPlainText(), "loaded");
}

TEST(RtfTextDocument, ManyLargePicturesStayWithinTheDocumentsPixelBudget) {
  const std::string picture =
      "{\\pict\\pngblip\\picwgoal63360\\pichgoal63360 " + Hex(Filled(2000, 1500, Qt::darkGreen, "PNG")) + "}";
  std::string rtf = "{\\rtf1 ";
  for (int i = 0; i < 30; ++i) rtf += picture;
  rtf += "{\\pict\\wmetafile8\\picwgoal63360\\pichgoal63360\\bin" + std::to_string(DiscMetafile().size()) + " " +
         DiscMetafile() + "}\\par}";
  QTextDocument doc;
  ReadRtf(rtf, doc);
  const std::vector<QTextImageFormat> images = Images(doc);
  ASSERT_EQ(images.size(), 31u);
  // Pixels held by distinct images: the boxes of pictures past the budget share one.
  std::set<qint64> seen;
  qint64 pixels = 0;
  int decoded = 0;
  for (const QTextImageFormat& format : images) {
    const QImage image = doc.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    ASSERT_FALSE(image.isNull());
    EXPECT_LE(std::max(image.width(), image.height()), 4096);
    if (seen.insert(image.cacheKey()).second) pixels += qint64{image.width()} * image.height();
    decoded += image.width() > 100;
  }
  EXPECT_LE(pixels, DocumentPixelBudget);
  EXPECT_GE(decoded, 10);  // the first pictures are shown, not boxes
}

TEST(RtfTextDocument, WritingKeepsTextFormattingTablesAndPictures) {
  Fixture f;
  QTextDocument doc;
  const PageGeometry page = ReadRtf(f.rtf, doc);
  const std::string written = WriteRtf(doc, page);
  const RtfDocument original = ParseRtf(f.rtf);
  const RtfDocument again = ParseRtf(written);
  EXPECT_EQ(TextOf(again), TextOf(original));
  EXPECT_EQ(again.page.marginBottom, 1000);

  std::vector<const Picture*> pictures;
  std::vector<const Paragraph*> paragraphs;
  const Table* table = nullptr;
  for (const Block& block : again.blocks) {
    if (const auto* p = std::get_if<Paragraph>(&block)) {
      paragraphs.push_back(p);
      for (const Inline& piece : p->content)
        if (const auto* picture = std::get_if<Picture>(&piece)) pictures.push_back(picture);
    } else {
      table = &std::get<Table>(block);
    }
  }
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0]->kind, PictureKind::Wmf);
  EXPECT_EQ(pictures[0]->data, f.wmf);
  EXPECT_EQ(pictures[0]->goalWidth, 3000);
  EXPECT_EQ(pictures[1]->kind, PictureKind::Jpeg);
  EXPECT_EQ(pictures[1]->data, f.jpeg);
  EXPECT_EQ(pictures[1]->goalHeight, 300);
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->rows.size(), 2u);
  EXPECT_EQ(table->rows[0].cells[0].rightEdge, 1500);
  EXPECT_EQ(table->rows[0].cells[1].rightEdge, 4500);

  const Paragraph& title = *paragraphs.at(0);
  EXPECT_EQ(title.format.alignment, Alignment::Centre);
  const rtf::Run& bold = std::get<rtf::Run>(title.content.at(1));
  EXPECT_EQ(bold.text, "Bold");
  EXPECT_TRUE(bold.format.bold);
  EXPECT_EQ(bold.format.halfPoints, 40);
  const Colour& red = again.colours.at(static_cast<std::size_t>(bold.format.colour));
  EXPECT_EQ(std::tuple(red.red, red.green, red.blue), std::tuple(200, 0, 0));
  EXPECT_EQ(again.fonts.at(bold.format.font), "Times New Roman");
  int breaks = 0, bullets = 0;
  for (const Paragraph* p : paragraphs) {
    breaks += p->format.pageBreakBefore;
    bullets += p->format.bullet;
  }
  EXPECT_EQ(breaks, 1);
  EXPECT_EQ(bullets, 2);
}

TEST(RtfTextDocument, WritingAnEditedDocumentKeepsNewTextAndPictures) {
  QTextDocument doc;
  ReadRtf("{\\rtf1 start\\par}", doc);
  QTextCursor cursor(&doc);
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(QString::fromUtf8(" Ω ☉ 😀 {braces} back\\slash\ttab"));
  QImage pasted(30, 10, QImage::Format_RGB32);
  pasted.fill(Qt::blue);
  cursor.insertImage(pasted);
  const RtfDocument again = ParseRtf(WriteRtf(doc, PageGeometry{}));
  ASSERT_EQ(again.blocks.size(), 1u);
  EXPECT_EQ(TextOf(again), "start Ω ☉ 😀 {braces} back\\slash\ttab[pict]\n");
  const Picture& picture = std::get<Picture>(std::get<Paragraph>(again.blocks[0]).content.back());
  EXPECT_EQ(picture.kind, PictureKind::Png);
  EXPECT_EQ(picture.width, 30);
  QImage decoded;
  ASSERT_TRUE(decoded.loadFromData(QByteArray::fromStdString(picture.data), "PNG"));
  EXPECT_EQ(decoded.pixelColor(5, 5), QColor(Qt::blue));
}

TEST(RtfTextDocument, PlainTextHasParagraphsCellsAndNoPictureMarks) {
  Fixture f;
  QTextDocument doc;
  ReadRtf(f.rtf, doc);
  const std::string text = PlainText(doc);
  EXPECT_NE(text.find("Title Bold café\n"), std::string::npos);
  EXPECT_NE(text.find("Sun\nPisces\nMoon\nSagittarius"), std::string::npos);
  EXPECT_EQ(text.find("\xEF\xBF\xBC"), std::string::npos);  // U+FFFC
}

}  // namespace
}  // namespace korvana::rtf
