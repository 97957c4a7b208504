#include "render/pdf_engine_qt.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>

#include "core/util/files.h"
#include "core/util/text.h"
#include "render/glyphs.h"
#include "render/wmf_player.h"

namespace korvana {
namespace {

// Device resolution of the PDF: fine enough that text positions keep their fractions.
constexpr int WriterDpi = 1200;

QColor ColourOf(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

QString XmlEscaped(const std::string& s) { return QString::fromStdString(s).toHtmlEscaped(); }

// Author and subject go into the document's XMP metadata (the writer sets title and
// creator in its information dictionary itself).
QByteArray XmpMetadata(const PdfDocInfo& info) {
  const QString xmp =
      "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>"
      "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
      "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/' "
      "xmlns:xmp='http://ns.adobe.com/xap/1.0/'>"
      "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>" + XmlEscaped(info.title) + "</rdf:li></rdf:Alt></dc:title>"
      "<dc:creator><rdf:Seq><rdf:li>" + XmlEscaped(info.author) + "</rdf:li></rdf:Seq></dc:creator>"
      "<dc:description><rdf:Alt><rdf:li xml:lang='x-default'>" + XmlEscaped(info.subject) +
      "</rdf:li></rdf:Alt></dc:description>"
      "<xmp:CreatorTool>" + XmlEscaped(info.creator) + "</xmp:CreatorTool>"
      "</rdf:Description></rdf:RDF></x:xmpmeta><?xpacket end='w'?>";
  return xmp.toUtf8();
}

}  // namespace

TQtPdfEngine::TQtPdfEngine() = default;

TQtPdfEngine::~TQtPdfEngine() {
  if (painter_ && painter_->isActive()) painter_->end();
}

double TQtPdfEngine::Scale() const { return WriterDpi / (page_.dpi > 0 ? page_.dpi : 96.0); }

QPointF TQtPdfEngine::Origin() const {
  return {page_.marginLeft, inHeader_ ? page_.marginTop : page_.marginTop + page_.header};
}

double TQtPdfEngine::BodyHeight() const {
  return page_.HeightPixels() - page_.footer - page_.header - page_.marginTop - page_.marginBottom;
}

bool TQtPdfEngine::BeginDocument() {
  if (painter_) return false;
  buffer_.setData(QByteArray());
  if (!buffer_.open(QIODevice::WriteOnly)) return false;
  writer_ = std::make_unique<QPdfWriter>(&buffer_);
  writer_->setResolution(WriterDpi);
  writer_->setTitle(QString::fromStdString(info_.title));
  writer_->setCreator(QString::fromStdString(info_.creator));
  writer_->setDocumentXmpMetadata(XmpMetadata(info_));
  const QPageSize size(QSizeF(page_.widthInches, page_.heightInches), QPageSize::Inch,
                       QString::fromStdString(page_.paperName), QPageSize::FuzzyMatch);
  writer_->setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(writer_.get())) {
    painter_.reset();
    return false;
  }
  pages_ = 1;
  return true;
}

bool TQtPdfEngine::EndDocument(const std::string& path, Durability durability) {
  if (!painter_) return false;
  const bool ended = painter_->end();
  painter_.reset();
  writer_.reset();
  buffer_.close();
  return ended && WriteFileAtomic(path, std::string_view(buffer_.data().constData(), static_cast<std::size_t>(buffer_.data().size())),
                                  durability);
}

void TQtPdfEngine::NewPage() {
  if (!writer_) return;
  writer_->newPage();
  ++pages_;
}

QFont TQtPdfEngine::QtFont(const PdfFont& font) const {
  QFont f(ResolveFontFamily(font.name));
  f.setPointSizeF(font.size > 0 ? font.size : 12);
  f.setBold(font.emphasis & 1);
  f.setItalic(font.emphasis & 2);
  f.setUnderline(font.emphasis & 4);
  f.setKerning(false);  // widths measured word by word must add up as drawn
  return f;
}

QString TQtPdfEngine::QtText(const PdfFont& font, std::string_view text) const {
  return IsGlyphFace(font.name) ? GlyphFaceText(text) : QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

double TQtPdfEngine::TextWidth(std::string_view text) {
  const QFont f = QtFont(font_);
  if (!writer_) return QFontMetricsF(f).horizontalAdvance(QtText(font_, text));
  return QFontMetricsF(f, writer_.get()).horizontalAdvance(QtText(font_, text)) / Scale();
}

double TQtPdfEngine::TextHeight(std::string_view) {
  const QFont f = QtFont(font_);
  if (!writer_) return QFontMetricsF(f).height();
  return QFontMetricsF(f, writer_.get()).height() / Scale();
}

void TQtPdfEngine::DrawTextAt(double x, double y, const QString& text, const QFont& font, const QColor& colour) {
  if (!painter_ || text.isEmpty()) return;
  painter_->setFont(font);
  painter_->setPen(colour);
  const QPointF origin = Origin();
  const double ascent = QFontMetricsF(font, writer_.get()).ascent();
  painter_->drawText(QPointF((origin.x() + x) * Scale(), (origin.y() + y) * Scale() + ascent), text);
}

void TQtPdfEngine::WriteText(double x, double y, std::string_view text) {
  DrawTextAt(x, y, QtText(font_, text), QtFont(font_), ColourOf(font_.colour));
}

const std::string* TQtPdfEngine::FileData(const std::string& file) {
  auto it = files_.find(file);
  if (it == files_.end()) {
    std::optional<std::string> bytes = ReadFileBytes(file);
    if (!bytes) return nullptr;
    it = files_.emplace(file, std::move(*bytes)).first;
  }
  return &it->second;
}

std::optional<PdfPictureSize> TQtPdfEngine::PictureSize(const std::string& file) {
  const std::string* data = FileData(file);
  if (!data) return std::nullopt;
  if (EndsWithNoCase(file, ".wmf")) {
    try {
      const QRect bounds = ReadMetafileInfo(*data).bounds;
      return PdfPictureSize{static_cast<double>(std::abs(bounds.width())), static_cast<double>(std::abs(bounds.height()))};
    } catch (const EMetafileError&) {
      return std::nullopt;
    }
  }
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(data->data()), static_cast<int>(data->size()))) return std::nullopt;
  return PdfPictureSize{static_cast<double>(image.width()), static_cast<double>(image.height())};
}

bool TQtPdfEngine::DrawPicture(const std::string& file, double x, double y, double width, double height, bool asImage) {
  const std::string* data = FileData(file);
  if (!data || !painter_) return false;
  const QPointF origin = Origin();
  const QRectF target((origin.x() + x) * Scale(), (origin.y() + y) * Scale(), width * Scale(), height * Scale());
  QImage image;
  if (EndsWithNoCase(file, ".wmf")) {
    try {
      if (!asImage) {
        PlayMetafile(*data, *painter_, target);
        return true;
      }
      // An image of the metafile at 150 dots per inch of the page.
      const QSize pixels((target.size() * 150.0 / WriterDpi).toSize().expandedTo(QSize(1, 1)));
      image = QImage(pixels, QImage::Format_RGB32);
      image.fill(Qt::white);
      QPainter p(&image);
      PlayMetafile(*data, p, QRectF(QPointF(0, 0), QSizeF(pixels)));
    } catch (const EMetafileError&) {
      return false;
    }
  } else if (!image.loadFromData(reinterpret_cast<const uchar*>(data->data()), static_cast<int>(data->size()))) {
    return false;
  }
  painter_->drawImage(target, image);
  return true;
}

void TQtPdfEngine::BeginTable(const PdfTableSetup& table) {
  table_ = table;
  rowTop_ = table.top;
  if (table.headerHeight <= 0 || !painter_) return;
  PdfFont bold = font_;
  bold.emphasis = static_cast<std::uint8_t>(bold.emphasis | 1);
  const QFont f = QtFont(bold);
  const double lineHeight = QFontMetricsF(f, writer_.get()).height() / Scale();
  double x = table.left;
  for (const PdfTableColumn& c : table.columns) {
    const QString text = QtText(font_, c.title);
    double tx = x + table.cellMarginX;
    if (c.alignment == 2) tx = x + (c.width - QFontMetricsF(f, writer_.get()).horizontalAdvance(text) / Scale()) / 2;
    DrawTextAt(tx, rowTop_ + (table.headerHeight - lineHeight) / 2, text, f, ColourOf(font_.colour));
    x += c.width;
  }
  // A rule under the header row.
  double width = 0;
  for (const PdfTableColumn& c : table.columns) width += c.width;
  const QPointF origin = Origin();
  const double ruleY = (origin.y() + rowTop_ + table.headerHeight - table.cellMarginY / 2) * Scale();
  painter_->setPen(QPen(QColor(128, 128, 128), 0.5 * Scale()));
  painter_->drawLine(QPointF((origin.x() + table.left) * Scale(), ruleY),
                     QPointF((origin.x() + table.left + width) * Scale(), ruleY));
  rowTop_ += table.headerHeight;
}

void TQtPdfEngine::WriteCell(int column, std::string_view text) {
  if (column < 0 || static_cast<std::size_t>(column) >= table_.columns.size()) return;
  double x = table_.left;
  for (int c = 0; c < column; ++c) x += table_.columns[static_cast<std::size_t>(c)].width;
  const PdfTableColumn& col = table_.columns[static_cast<std::size_t>(column)];
  const QFont f = QtFont(font_);
  const QString t = QtText(font_, text);
  const double lineHeight = writer_ ? QFontMetricsF(f, writer_.get()).height() / Scale() : 0;
  double tx = x + table_.cellMarginX;
  if (col.alignment == 2 && writer_) tx = x + (col.width - QFontMetricsF(f, writer_.get()).horizontalAdvance(t) / Scale()) / 2;
  DrawTextAt(tx, rowTop_ + (table_.rowHeight - lineHeight) / 2, t, f, ColourOf(font_.colour));
  if (static_cast<std::size_t>(column) + 1 == table_.columns.size()) rowTop_ += table_.rowHeight;
}

double TQtPdfEngine::TableFreeHeight() { return BodyHeight() - rowTop_; }

}  // namespace korvana
