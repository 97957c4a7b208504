#include "render/wmf_player.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <optional>
#include <variant>
#include <vector>

#include "core/reports/rtf/picture_files.h"
#include "core/util/codepage.h"
#include "core/util/records.h"
#include "render/wmf_format.h"

namespace korvana {
namespace {

// Record functions that create an object (and so take a slot of the object table).
constexpr std::uint16_t CreatePalette = 0x00F7;
constexpr std::uint16_t CreatePatternBrush = 0x01F9;
constexpr std::uint16_t DibCreatePatternBrush = 0x0142;
constexpr std::uint16_t CreateRegion = 0x06FF;

struct Layout {
  std::size_t firstRecord = 0;
  MetafileInfo info;
};

Layout CheckStructure(std::string_view data) {
  Layout layout;
  std::size_t pos = 0;
  if (data.size() >= 4 && ByteReader(data).U32() == wmf::PlaceableKey) {
    if (data.size() < wmf::PlaceableHeaderSize + wmf::HeaderSize) {
      throw EMetafileError("The metafile header is cut short.");
    }
    ByteReader r(data);
    r.Seek(6);
    int left = r.I16(), top = r.I16(), right = r.I16(), bottom = r.I16();
    layout.info.unitsPerInch = r.U16();
    layout.info.placeable = true;
    layout.info.bounds = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    pos = wmf::PlaceableHeaderSize;
  }
  if (data.size() < pos + wmf::HeaderSize) throw EMetafileError("The metafile header is cut short.");
  ByteReader h(data);
  h.Seek(pos);
  std::uint16_t type = h.U16(), headerWords = h.U16(), version = h.U16();
  h.U32();
  layout.info.objectCount = h.U16();
  if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x0100 && version != 0x0300)) {
    throw EMetafileError("The file is not a Windows metafile.");
  }
  pos += wmf::HeaderSize;
  layout.firstRecord = pos;

  std::optional<QPoint> windowOrg, windowExt;
  bool ended = false;
  while (pos < data.size()) {
    if (data.size() - pos < 6) throw EMetafileError("A metafile record is cut short.");
    ByteReader r(data);
    r.Seek(pos);
    std::uint32_t words = r.U32();
    std::uint16_t fn = r.U16();
    if (words < 3) throw EMetafileError("A metafile record has an invalid size.");
    if (words > (data.size() - pos) / 2) throw EMetafileError("A metafile record runs past the end of the file.");
    ++layout.info.recordCount;
    if (fn == wmf::Eof) {
      ended = true;
      break;
    }
    if ((fn == wmf::SetWindowOrg || fn == wmf::SetWindowExt) && words >= 5) {
      int y = r.I16(), x = r.I16();
      (fn == wmf::SetWindowOrg ? windowOrg : windowExt) = QPoint(x, y);
    }
    pos += static_cast<std::size_t>(words) * 2;
  }
  if (!ended) throw EMetafileError("The metafile has no end record.");
  if (!layout.info.placeable) {
    if (!windowExt || windowExt->x() == 0 || windowExt->y() == 0) {
      throw EMetafileError("The metafile does not state its size.");
    }
    QPoint org = windowOrg.value_or(QPoint(0, 0));
    layout.info.bounds = QRect(org.x(), org.y(), windowExt->x(), windowExt->y());
  } else if (layout.info.bounds.width() <= 0 || layout.info.bounds.height() <= 0) {
    throw EMetafileError("The metafile has an empty frame.");
  }
  return layout;
}

struct LogFont {
  int height = 0;
  int escapement = 0;
  int weight = 400;
  bool italic = false, underline = false, strikeOut = false;
  QString face;
};

struct Placeholder {};
using GdiObject = std::variant<QPen, QBrush, LogFont, Placeholder>;

struct DcState {
  QPen pen{Qt::black, 0};
  QBrush brush{Qt::white};
  LogFont font;
  QColor textColor{Qt::black};
  QColor bkColor{Qt::white};
  int bkMode = wmf::BkOpaque;
  int textAlign = 0;
  Qt::FillRule fillRule = Qt::OddEvenFill;
  QPointF position;
  QPointF windowOrg;
  QPointF windowExt;
};

QColor FromColorRef(std::uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

class Player {
 public:
  Player(std::string_view data, const Layout& layout, QPainter& painter, const QRectF& target)
      : data_(data), layout_(layout), painter_(painter), target_(target) {
    base_ = painter.transform();
    QRect b = layout.info.bounds;
    state_.windowOrg = QPointF(b.left(), b.top());
    state_.windowExt = QPointF(b.width(), b.height());
    objects_.resize(static_cast<std::size_t>(layout.info.objectCount));
  }

  void Run() {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setBackgroundMode(Qt::TransparentMode);
    ApplyMapping();
    ApplyPenBrush();
    std::size_t pos = layout_.firstRecord;
    while (pos < data_.size()) {
      ByteReader r(data_);
      r.Seek(pos);
      std::uint32_t words = r.U32();
      std::uint16_t fn = r.U16();
      if (fn == wmf::Eof) break;
      std::string_view params = data_.substr(pos + 6, static_cast<std::size_t>(words) * 2 - 6);
      try {
        Play(fn, params);
      } catch (const ERecordError&) {
        // A drawing record whose parameters are too short is skipped.
      }
      pos += static_cast<std::size_t>(words) * 2;
    }
    while (saved_ > 0) {
      painter_.restore();
      --saved_;
    }
    painter_.restore();
  }

 private:
  QTransform Mapping() const {
    const QPointF ext = state_.windowExt;
    double sx = ext.x() != 0 ? target_.width() / ext.x() : 1.0;
    double sy = ext.y() != 0 ? target_.height() / ext.y() : 1.0;
    QTransform m;
    m.translate(target_.left(), target_.top());
    m.scale(sx, sy);
    m.translate(-state_.windowOrg.x(), -state_.windowOrg.y());
    return m;
  }

  void ApplyMapping() { painter_.setTransform(Mapping() * base_); }

  // Pens narrower than one device pixel draw one pixel wide, as the format asks.
  void ApplyPenBrush() {
    QPen pen = state_.pen;
    if (pen.style() != Qt::NoPen) {
      double scale = std::sqrt(std::abs(Mapping().determinant()));
      if (pen.widthF() * scale < 1.0) {
        pen.setWidth(0);
        pen.setCosmetic(true);
      }
    }
    painter_.setPen(pen);
    painter_.setBrush(state_.brush);
  }

  void Play(std::uint16_t fn, std::string_view params) {
    ByteReader r(params);
    switch (fn) {
      case wmf::SetWindowOrg: {
        double y = r.I16(), x = r.I16();
        state_.windowOrg = QPointF(x, y);
        ApplyMapping();
        ApplyPenBrush();
        break;
      }
      case wmf::SetWindowExt: {
        double y = r.I16(), x = r.I16();
        state_.windowExt = QPointF(x, y);
        ApplyMapping();
        ApplyPenBrush();
        break;
      }
      case wmf::SaveDc:
        stack_.push_back(state_);
        painter_.save();
        ++saved_;
        break;
      case wmf::RestoreDc: {
        int n = r.I16();
        int pops = n < 0 ? -n : static_cast<int>(stack_.size()) - n + 1;
        for (int i = 0; i < pops && !stack_.empty(); ++i) {
          state_ = stack_.back();
          stack_.pop_back();
          painter_.restore();
          --saved_;
        }
        ApplyMapping();
        ApplyPenBrush();
        break;
      }
      case wmf::SetBkMode: state_.bkMode = r.U16(); break;
      case wmf::SetBkColor: state_.bkColor = FromColorRef(r.U32()); break;
      case wmf::SetTextColor: state_.textColor = FromColorRef(r.U32()); break;
      case wmf::SetTextAlign: state_.textAlign = r.U16(); break;
      case wmf::SetPolyFillMode:
        state_.fillRule = r.U16() == wmf::FillWinding ? Qt::WindingFill : Qt::OddEvenFill;
        break;
      case wmf::CreatePenIndirect: CreatePen(r); break;
      case wmf::CreateBrushIndirect: CreateBrush(r); break;
      case wmf::CreateFontIndirect: CreateFont(r, params.size()); break;
      case CreatePalette:
      case CreatePatternBrush:
      case DibCreatePatternBrush:
      case CreateRegion:
        if (fn == DibCreatePatternBrush || fn == CreatePatternBrush) {
          AddObject(QBrush(Qt::gray));
        } else {
          AddObject(Placeholder{});
        }
        break;
      case wmf::SelectObject: Select(r.U16()); break;
      case wmf::DeleteObject: {
        std::size_t i = r.U16();
        if (i < objects_.size()) objects_[i].reset();
        break;
      }
      case wmf::IntersectClipRect: {
        double b = r.I16(), rt = r.I16(), t = r.I16(), l = r.I16();
        painter_.setClipRect(QRectF(QPointF(l, t), QPointF(rt, b)).normalized(), Qt::IntersectClip);
        break;
      }
      case wmf::MoveTo: {
        double y = r.I16(), x = r.I16();
        state_.position = QPointF(x, y);
        break;
      }
      case wmf::LineTo: {
        double y = r.I16(), x = r.I16();
        QPointF p(x, y);
        painter_.drawLine(state_.position, p);
        state_.position = p;
        break;
      }
      case wmf::Polyline:
      case wmf::Polygon: {
        QPolygonF poly = ReadPoints(r, r.I16());
        if (fn == wmf::Polyline) {
          painter_.save();
          painter_.setBrush(Qt::NoBrush);
          painter_.drawPolyline(poly);
          painter_.restore();
        } else {
          painter_.drawPolygon(poly, state_.fillRule);
        }
        break;
      }
      case wmf::PolyPolygon: {
        int count = r.U16();
        std::vector<int> sizes;
        for (int i = 0; i < count; ++i) sizes.push_back(r.U16());
        QPainterPath path;
        path.setFillRule(state_.fillRule);
        for (int n : sizes) {
          QPolygonF poly = ReadPoints(r, n);
          if (poly.isEmpty()) continue;
          path.addPolygon(poly);
          path.closeSubpath();
        }
        painter_.drawPath(path);
        break;
      }
      case wmf::Rectangle:
      case wmf::Ellipse: {
        QRectF rect = ReadRect(r);
        if (fn == wmf::Rectangle) {
          painter_.drawRect(rect);
        } else {
          painter_.drawEllipse(rect);
        }
        break;
      }
      case wmf::RoundRect: {
        double h = r.I16(), w = r.I16();
        QRectF rect = ReadRect(r);
        painter_.drawRoundedRect(rect, w / 2, h / 2);
        break;
      }
      case wmf::Arc:
      case wmf::Pie:
      case wmf::Chord: PlayArc(fn, r); break;
      case wmf::SetPixel: {
        QColor c = FromColorRef(r.U32());
        double y = r.I16(), x = r.I16();
        painter_.fillRect(QRectF(x, y, 1, 1), c);
        break;
      }
      case wmf::TextOut: {
        int count = r.I16();
        if (count < 0) break;
        std::string bytes = r.Bytes(static_cast<std::size_t>(count));
        if (count % 2) r.U8();
        double y = r.I16(), x = r.I16();
        DrawText(QPointF(x, y), bytes, {}, std::nullopt, false);
        break;
      }
      case wmf::ExtTextOut: PlayExtTextOut(r, params.size()); break;
      case wmf::StretchDib: {
        r.U32();  // raster operation: drawn as a copy
        r.U16();  // colour usage
        PlayBitmap(r, params);
        break;
      }
      case wmf::DibStretchBlt: {
        if (params.size() <= 4 + 8 * 2 + 2) break;  // pattern fill without a bitmap
        r.U32();
        PlayBitmap(r, params);
        break;
      }
      default: break;
    }
  }

  static QRectF ReadRect(ByteReader& r) {
    double b = r.I16(), rt = r.I16(), t = r.I16(), l = r.I16();
    return QRectF(QPointF(l, t), QPointF(rt, b)).normalized();
  }

  static QPolygonF ReadPoints(ByteReader& r, int count) {
    QPolygonF poly;
    if (count <= 0) return poly;
    if (r.Remaining() < static_cast<std::size_t>(count) * 4) throw ERecordError("points");
    for (int i = 0; i < count; ++i) {
      double x = r.I16(), y = r.I16();
      poly << QPointF(x, y);
    }
    return poly;
  }

  void AddObject(GdiObject object) {
    for (auto& slot : objects_) {
      if (!slot) {
        slot = std::move(object);
        return;
      }
    }
    if (objects_.size() < 65535) objects_.push_back(std::move(object));
  }

  void CreatePen(ByteReader& r) {
    std::uint16_t style = r.U16();
    int width = r.I16();
    r.I16();
    QColor color = FromColorRef(r.U32());
    QPen pen(color);
    pen.setWidth(std::max(0, width));
    switch (style & wmf::PsStyleMask) {
      case wmf::PsDash: pen.setStyle(Qt::DashLine); break;
      case wmf::PsDot: pen.setStyle(Qt::DotLine); break;
      case wmf::PsDashDot: pen.setStyle(Qt::DashDotLine); break;
      case wmf::PsDashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
      case wmf::PsNull: pen.setStyle(Qt::NoPen); break;
      default: pen.setStyle(Qt::SolidLine); break;
    }
    switch (style & wmf::PsEndcapMask) {
      case wmf::PsEndcapSquare: pen.setCapStyle(Qt::SquareCap); break;
      case wmf::PsEndcapFlat: pen.setCapStyle(Qt::FlatCap); break;
      default: pen.setCapStyle(Qt::RoundCap); break;
    }
    switch (style & wmf::PsJoinMask) {
      case wmf::PsJoinBevel: pen.setJoinStyle(Qt::BevelJoin); break;
      case wmf::PsJoinMiter: pen.setJoinStyle(Qt::MiterJoin); break;
      default: pen.setJoinStyle(Qt::RoundJoin); break;
    }
    AddObject(pen);
  }

  void CreateBrush(ByteReader& r) {
    std::uint16_t style = r.U16();
    QColor color = FromColorRef(r.U32());
    std::uint16_t hatch = r.U16();
    QBrush brush;
    if (style == wmf::BsNull) {
      brush = QBrush(Qt::NoBrush);
    } else if (style == wmf::BsHatched) {
      static constexpr Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                   Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
      brush = QBrush(color, hatch < 6 ? hatches[hatch] : Qt::SolidPattern);
    } else {
      brush = QBrush(color);
    }
    AddObject(brush);
  }

  void CreateFont(ByteReader& r, std::size_t size) {
    LogFont f;
    f.height = r.I16();
    r.I16();
    f.escapement = r.I16();
    r.I16();
    f.weight = r.I16();
    f.italic = r.U8() != 0;
    f.underline = r.U8() != 0;
    f.strikeOut = r.U8() != 0;
    r.Skip(5);
    std::string face = r.Bytes(std::min<std::size_t>(32, size - 18));
    face = face.substr(0, face.find('\0'));
    f.face = QString::fromStdString(Cp1252ToUtf8(face));
    AddObject(f);
  }

  void Select(std::size_t index) {
    if (index >= objects_.size() || !objects_[index]) return;
    const GdiObject& o = *objects_[index];
    if (const QPen* pen = std::get_if<QPen>(&o)) {
      state_.pen = *pen;
    } else if (const QBrush* brush = std::get_if<QBrush>(&o)) {
      state_.brush = *brush;
    } else if (const LogFont* font = std::get_if<LogFont>(&o)) {
      state_.font = *font;
    }
    ApplyPenBrush();
  }

  void PlayArc(std::uint16_t fn, ByteReader& r) {
    double ye = r.I16(), xe = r.I16(), ys = r.I16(), xs = r.I16();
    QRectF rect = ReadRect(r);
    if (rect.width() <= 0 || rect.height() <= 0) return;
    QPointF c = rect.center();
    double rx = rect.width() / 2, ry = rect.height() / 2;
    // The radial points give angles on the ellipse, counter-clockwise from start to end.
    auto angle = [&](double x, double y) {
      return std::atan2(-(y - c.y()) * rx, (x - c.x()) * ry) * 180.0 / M_PI;
    };
    double start = angle(xs, ys), end = angle(xe, ye);
    double span = std::fmod(end - start + 720.0, 360.0);
    if (span <= 1e-9) span = 360.0;
    QPainterPath path;
    if (fn == wmf::Pie) {
      path.moveTo(c);
      path.arcTo(rect, start, span);
      path.closeSubpath();
      painter_.drawPath(path);
    } else if (fn == wmf::Chord) {
      path.arcMoveTo(rect, start);
      path.arcTo(rect, start, span);
      path.closeSubpath();
      painter_.drawPath(path);
    } else {
      path.arcMoveTo(rect, start);
      path.arcTo(rect, start, span);
      painter_.save();
      painter_.setBrush(Qt::NoBrush);
      painter_.drawPath(path);
      painter_.restore();
    }
  }

  void PlayExtTextOut(ByteReader& r, std::size_t size) {
    double y = r.I16(), x = r.I16();
    int count = r.I16();
    std::uint16_t options = r.U16();
    std::optional<QRectF> box;
    if (options & (wmf::EtoOpaque | wmf::EtoClipped)) {
      double l = r.I16(), t = r.I16(), rt = r.I16(), b = r.I16();
      box = QRectF(QPointF(l, t), QPointF(rt, b)).normalized();
    }
    if (count < 0) return;
    std::string bytes = r.Bytes(static_cast<std::size_t>(count));
    if ((count % 2) && r.Remaining() > 0) r.U8();
    std::vector<int> dx;
    if (r.Remaining() >= static_cast<std::size_t>(count) * 2) {
      for (int i = 0; i < count; ++i) dx.push_back(r.I16());
    }
    if (box && (options & wmf::EtoOpaque)) painter_.fillRect(*box, state_.bkColor);
    (void)size;
    DrawText(QPointF(x, y), bytes, dx, (options & wmf::EtoClipped) ? box : std::nullopt, true);
  }

  // Text at a reference point in metafile units, laid out in device units so that font
  // sizes are not rounded to whole metafile units.
  void DrawText(QPointF ref, const std::string& bytes, const std::vector<int>& dx,
                std::optional<QRectF> clip, bool ext) {
    if (bytes.empty()) return;
    const bool updateCp = (state_.textAlign & wmf::TaUpdateCp) != 0;
    if (updateCp) ref = state_.position;
    const QTransform m = Mapping();
    const double sx = std::abs(m.m11()), sy = std::abs(m.m22());
    const LogFont& lf = state_.font;
    QFont font(lf.face.isEmpty() ? QStringLiteral("Arial") : lf.face);
    double px = std::abs(lf.height) * sy;
    if (lf.height == 0) px = 12 * sy;
    if (lf.height > 0) {
      // A positive height is the cell height: ascent plus descent.
      QFont probe = font;
      probe.setPixelSize(100);
      QFontMetricsF pm(probe);
      px = px * 100.0 / std::max(1.0, pm.ascent() + pm.descent());
    }
    font.setPixelSize(static_cast<int>(std::lrint(std::clamp(px, 1.0, 10000.0))));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(lf.weight == 0 ? 400 : lf.weight, 1, 1000)));
    font.setItalic(lf.italic);
    font.setUnderline(lf.underline);
    font.setStrikeOut(lf.strikeOut);
    QFontMetricsF fm(font);
    const QString text = QString::fromStdString(Cp1252ToUtf8(bytes));

    double width = 0;
    std::vector<double> offsets;
    if (!dx.empty() && static_cast<int>(dx.size()) >= text.size()) {
      for (int i = 0; i < text.size(); ++i) {
        offsets.push_back(width);
        width += dx[static_cast<std::size_t>(i)] * sx;
      }
    } else {
      width = fm.horizontalAdvance(text);
    }
    double x0 = 0;
    switch (state_.textAlign & wmf::TaHorizontalMask) {
      case wmf::TaRight: x0 = -width; break;
      case wmf::TaCenter: x0 = -width / 2; break;
      default: break;
    }
    double y0 = 0;
    switch (state_.textAlign & wmf::TaVerticalMask) {
      case wmf::TaBaseline: break;
      case wmf::TaBottom: y0 = -fm.descent(); break;
      default: y0 = fm.ascent(); break;
    }

    painter_.save();
    if (clip) painter_.setClipRect(*clip, Qt::IntersectClip);
    QPointF at = m.map(ref);
    painter_.setTransform(base_);
    painter_.translate(at);
    if (lf.escapement != 0) painter_.rotate(-lf.escapement / 10.0);
    if (state_.bkMode == wmf::BkOpaque && !ext) {
      painter_.fillRect(QRectF(x0, y0 - fm.ascent(), width, fm.ascent() + fm.descent()), state_.bkColor);
    }
    painter_.setFont(font);
    painter_.setPen(state_.textColor);
    if (offsets.empty()) {
      painter_.drawText(QPointF(x0, y0), text);
    } else {
      for (int i = 0; i < text.size(); ++i) {
        painter_.drawText(QPointF(x0 + offsets[static_cast<std::size_t>(i)], y0), QString(text[i]));
      }
    }
    painter_.restore();
    if (updateCp) {
      double advance = sx > 0 ? width / sx : 0;
      if ((state_.textAlign & wmf::TaHorizontalMask) == wmf::TaRight) advance = -advance;
      if ((state_.textAlign & wmf::TaHorizontalMask) != wmf::TaCenter) {
        state_.position.setX(state_.position.x() + advance);
      }
    }
  }

  // A device-independent bitmap after the blit's coordinates.
  void PlayBitmap(ByteReader& r, std::string_view params) {
    double srcH = r.I16(), srcW = r.I16(), ySrc = r.I16(), xSrc = r.I16();
    double destH = r.I16(), destW = r.I16(), yDst = r.I16(), xDst = r.I16();
    std::string_view dib = params.substr(r.Position());
    if (dib.size() < 40) return;
    ByteReader d(dib);
    std::uint32_t headerSize = d.U32();
    if (headerSize < 40 || headerSize > dib.size()) return;
    d.Seek(14);
    std::uint16_t bitCount = d.U16();
    std::uint32_t compression = d.U32();
    d.Seek(32);
    std::uint32_t used = d.U32();
    std::size_t palette = bitCount <= 8 ? (used != 0 ? used : (1u << bitCount)) * 4 : 0;
    if (compression == 3 && headerSize == 40) palette = 12;
    // The same data as a bitmap file, for the bitmap decoder.
    ByteWriter file;
    file.U8('B');
    file.U8('M');
    file.U32(static_cast<std::uint32_t>(14 + dib.size()));
    file.U32(0);
    file.U32(static_cast<std::uint32_t>(14 + headerSize + palette));
    file.Bytes(dib);
    RgbImage rgb;
    try {
      rgb = DecodeBitmap(file.Data());
    } catch (const ERtfPictureError&) {
      return;
    }
    QImage image(reinterpret_cast<const uchar*>(rgb.pixels.data()), rgb.width, rgb.height,
                 rgb.width * 3, QImage::Format_RGB888);
    // Source rows count from the bottom of the bitmap.
    QRectF source(xSrc, rgb.height - ySrc - srcH, srcW, srcH);
    painter_.drawImage(QRectF(xDst, yDst, destW, destH), image.copy(), source);
  }

  std::string_view data_;
  const Layout& layout_;
  QPainter& painter_;
  QRectF target_;
  QTransform base_;
  DcState state_;
  std::vector<DcState> stack_;
  int saved_ = 0;
  std::vector<std::optional<GdiObject>> objects_;
};

}  // namespace

MetafileInfo ReadMetafileInfo(std::string_view data) { return CheckStructure(data).info; }

void PlayMetafile(std::string_view data, QPainter& painter, const QRectF& target) {
  Layout layout = CheckStructure(data);
  Player(data, layout, painter, target).Run();
}

}  // namespace korvana
