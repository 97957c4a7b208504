// Pictures of an RTF document as images: bitmaps decoded, metafiles drawn.
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <algorithm>

#include "render/rtf_reader/rtf_text_document.h"
#include "render/wmf_player.h"

namespace korvana::rtf {
namespace {

// Largest side of an image made for a picture; larger pictures are shown scaled.
constexpr int MaxImageSide = 4096;
// Metafiles are drawn at this many image pixels per display pixel, to stay sharp when zoomed.
constexpr double MetafileOversampling = 2.0;
constexpr double DefaultSide = 96.0;

QImage Placeholder(QSizeF size) {
  QImage image(std::clamp(static_cast<int>(size.width()), 8, MaxImageSide),
               std::clamp(static_cast<int>(size.height()), 8, MaxImageSide), QImage::Format_RGB32);
  image.fill(QColor(0xE0, 0xE0, 0xE0));
  QPainter painter(&image);
  painter.setPen(QColor(0x80, 0x80, 0x80));
  painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
  painter.drawLine(image.rect().topLeft(), image.rect().bottomRight());
  painter.drawLine(image.rect().topRight(), image.rect().bottomLeft());
  return image;
}

QImage DecodeBitmap(const Picture& picture) {
  QByteArray bytes(picture.data.data(), static_cast<qsizetype>(picture.data.size()));
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer, picture.kind == PictureKind::Jpeg ? "jpeg" : "png");
  const QSize size = reader.size();
  if (!size.isValid() || size.width() > MaxImageSide * 4 || size.height() > MaxImageSide * 4) return {};
  return reader.read();
}

QImage DrawMetafile(const Picture& picture, QSizeF displaySize) {
  const QSize imageSize(std::clamp(static_cast<int>(displaySize.width() * MetafileOversampling), 1, MaxImageSide),
                        std::clamp(static_cast<int>(displaySize.height() * MetafileOversampling), 1, MaxImageSide));
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

QImage PictureImage(const Picture& picture, QSizeF displaySize) {
  QImage image;
  switch (picture.kind) {
    case PictureKind::Jpeg:
    case PictureKind::Png: image = DecodeBitmap(picture); break;
    case PictureKind::Wmf: image = DrawMetafile(picture, displaySize); break;
    default: break;
  }
  return image.isNull() ? Placeholder(displaySize) : image;
}

}  // namespace korvana::rtf
