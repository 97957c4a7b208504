// Pictures of an RTF document as images: bitmaps decoded, metafiles drawn.
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "render/rtf_reader/rtf_text_document.h"
#include "render/wmf_player.h"

namespace korvana::rtf {
namespace {

// Largest side of an image made for a picture; larger pictures are shown scaled.
constexpr int MaxImageSide = 4096;
constexpr int PlaceholderSide = 32;
// Metafiles are drawn at this many image pixels per display pixel, to stay sharp when zoomed.
constexpr double MetafileOversampling = 2.0;
constexpr double DefaultSide = 96.0;

// The image format gives the box its display size; every box shares this one small image.
QImage MakePlaceholder() {
  QImage image(PlaceholderSide, PlaceholderSide, QImage::Format_RGB32);
  image.fill(QColor(0xE0, 0xE0, 0xE0));
  QPainter painter(&image);
  painter.setPen(QColor(0x80, 0x80, 0x80));
  painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
  painter.drawLine(image.rect().topLeft(), image.rect().bottomRight());
  painter.drawLine(image.rect().topRight(), image.rect().bottomLeft());
  return image;
}

const QImage& Placeholder() {
  static const QImage image = MakePlaceholder();
  return image;
}

qint64 Area(QSize size) { return qint64{size.width()} * size.height(); }

// `size` scaled down, keeping its shape, to at most `budget` pixels and MaxImageSide a side.
QSize Fitted(QSize size, qint64 budget) {
  double factor = std::min({1.0, static_cast<double>(MaxImageSide) / std::max(1, size.width()),
                            static_cast<double>(MaxImageSide) / std::max(1, size.height())});
  if (Area(size) * factor * factor > budget) factor = std::sqrt(static_cast<double>(budget) / Area(size));
  return QSize(std::max(1, static_cast<int>(size.width() * factor)), std::max(1, static_cast<int>(size.height() * factor)));
}

QImage DecodeBitmap(const Picture& picture, qint64 budget) {
  QByteArray bytes(picture.data.data(), static_cast<qsizetype>(picture.data.size()));
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer, picture.kind == PictureKind::Jpeg ? "jpeg" : "png");
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) return {};
  const QSize fitted = Fitted(size, budget);
  if (fitted != size) reader.setScaledSize(fitted);
  return reader.read();
}

QImage DrawMetafile(const Picture& picture, QSizeF displaySize, qint64 budget) {
  const QSize imageSize = Fitted(QSize(std::max(1, static_cast<int>(displaySize.width() * MetafileOversampling)),
                                       std::max(1, static_cast<int>(displaySize.height() * MetafileOversampling))),
                                 budget);
  QImage image(imageSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  try {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PlayMetafile(picture.data, painter, QRectF(QPointF(0, 0), QSizeF(imageSize)));
  } catch (const EMetafileError&) {
    return {};
  }
  image.setDevicePixelRatio(imageSize.width() / std::max(1.0, displaySize.width()));
  return image;
}

}  // namespace

QSizeF PictureDisplaySize(const Picture& picture) {
  double width = 0;
  double height = 0;
  if (picture.goalWidth > 0 && picture.goalHeight > 0) {
    width = TwipsToPixels(picture.goalWidth);
    height = TwipsToPixels(picture.goalHeight);
  } else if (picture.width > 0 && picture.height > 0) {
    const bool metafile = picture.kind == PictureKind::Wmf || picture.kind == PictureKind::Emf;
    // Metafile sizes are in hundredths of a millimetre, bitmap sizes in pixels.
    width = metafile ? picture.width * PixelsPerInch / 2540.0 : picture.width;
    height = metafile ? picture.height * PixelsPerInch / 2540.0 : picture.height;
  } else {
    width = height = DefaultSide;
  }
  width = std::clamp(width * picture.scaleX / 100.0, 1.0, static_cast<double>(MaxImageSide));
  height = std::clamp(height * picture.scaleY / 100.0, 1.0, static_cast<double>(MaxImageSide));
  return {width, height};
}

QImage PictureImage(const Picture& picture, QSizeF displaySize, qint64& pixelBudget) {
  QImage image;
  // Below this a picture is not worth decoding: the box says as much.
  constexpr qint64 MinimumPixels = 64 * 64;
  if (pixelBudget >= MinimumPixels) {
    switch (picture.kind) {
      case PictureKind::Jpeg:
      case PictureKind::Png: image = DecodeBitmap(picture, pixelBudget); break;
      case PictureKind::Wmf: image = DrawMetafile(picture, displaySize, pixelBudget); break;
      default: break;
    }
  }
  if (image.isNull()) return Placeholder();
  pixelBudget -= Area(image.size());
  return image;
}

}  // namespace korvana::rtf
