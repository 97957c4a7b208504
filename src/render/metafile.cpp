#include "render/metafile.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/records.h"
#include "render/wmf_format.h"

namespace korvana {
namespace {

constexpr QPaintEngine::Type WmfEngineType = static_cast<QPaintEngine::Type>(QPaintEngine::User + 0x57);

std::int16_t Clamp16(double v) {
  if (!std::isfinite(v)) return 0;
  double r = std::nearbyint(v);
  return static_cast<std::int16_t>(std::clamp(r, -32768.0, 32767.0));
}

std::uint32_t ColorRef(const QColor& c) {
  QColor rgb = c.toRgb();
  return static_cast<std::uint32_t>(rgb.red()) | (static_cast<std::uint32_t>(rgb.green()) << 8) |
         (static_cast<std::uint32_t>(rgb.blue()) << 16);
}

bool AxisAligned(const QTransform& t) {
  return t.type() <= QTransform::TxScale && t.m11() > 0 && t.m22() > 0;
}

double LinearScale(const QTransform& t) { return std::sqrt(std::abs(t.determinant())); }

// The Windows-1252 bytes of a text, or nullopt when a character is outside the code page.
std::optional<std::string> CodePageBytes(const QString& text) {
  std::string utf8 = text.toStdString();
  std::string out;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = NextCodePoint(utf8, pos);
    int b = cp < 0x80 ? static_cast<int>(cp) : Cp1252FromCodePoint(cp);
    if (b < 0 || cp == 0) return std::nullopt;
    out.push_back(static_cast<char>(b));
  }
  return out;
}

struct PenSpec {
  std::uint16_t style = wmf::PsSolid;
  std::int16_t width = 0;
  std::uint32_t color = 0;
  bool operator==(const PenSpec&) const = default;
};

struct BrushSpec {
  std::uint16_t style = wmf::BsNull;
  std::uint32_t color = 0;
  std::uint16_t hatch = 0;
  bool operator==(const BrushSpec&) const = default;
};

struct FontSpec {
  std::int16_t height = 0;
  std::int16_t weight = 400;
  std::uint8_t italic = 0, underline = 0, strikeOut = 0;
  std::string face;
  bool operator==(const FontSpec&) const = default;
};

}  // namespace

class TWmfPaintEngine : public QPaintEngine {
 public:
  TWmfPaintEngine(int width, int height, int dpi)
      : QPaintEngine(QPaintEngine::AllFeatures), width_(width), height_(height), dpi_(dpi) {}

  Type type() const override { return WmfEngineType; }

  bool begin(QPaintDevice*) override {
    if (!started_) {
      started_ = true;
      Record(wmf::SetMapMode, {8});  // anisotropic: the reader maps the window onto its target
      Record(wmf::SetWindowOrg, {0, 0});
      Record(wmf::SetWindowExt, {Clamp16(height_), Clamp16(width_)});
      Record(wmf::SetBkMode, {wmf::BkTransparent});
      Record(wmf::SetTextAlign, {wmf::TaBaseline});
    }
    return true;
  }

  bool end() override {
    if (clipActive_) {
      Record(wmf::RestoreDc, {-1});
      clipActive_ = false;
      Reselect();
    }
    return true;
  }

  void updateState(const QPaintEngineState& state) override {
    DirtyFlags flags = state.state();
    if (flags & DirtyPen) pen_ = state.pen();
    if (flags & DirtyBrush) brush_ = state.brush();
    if (flags & DirtyFont) font_ = state.font();
    if (flags & DirtyTransform) transform_ = state.transform();
    if (flags & (DirtyClipRegion | DirtyClipPath | DirtyClipEnabled)) UpdateClip();
  }

  void drawPath(const QPainterPath& path) override {
    QList<QPolygonF> polys = path.toSubpathPolygons(transform_);
    DrawPolygons(polys, path.fillRule() == Qt::WindingFill);
  }

  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
    if (count < 2) return;
    QPolygonF poly;
    for (int i = 0; i < count; ++i) poly << transform_.map(points[i]);
    if (mode == PolylineMode) {
      if (!SelectPenForStroke()) return;
      WritePoints(wmf::Polyline, poly);
      return;
    }
    if (poly.first() != poly.last()) poly << poly.first();
    DrawPolygons({poly}, mode == WindingMode);
  }

  void drawLines(const QLineF* lines, int count) override {
    if (!SelectPenForStroke()) return;
    for (int i = 0; i < count; ++i) {
      QPointF a = transform_.map(lines[i].p1()), b = transform_.map(lines[i].p2());
      Record(wmf::MoveTo, {Clamp16(a.y()), Clamp16(a.x())});
      Record(wmf::LineTo, {Clamp16(b.y()), Clamp16(b.x())});
    }
  }

  void drawRects(const QRectF* rects, int count) override {
    for (int i = 0; i < count; ++i) {
      if (!AxisAligned(transform_)) {
        QPainterPath p;
        p.addRect(rects[i]);
        drawPath(p);
        continue;
      }
      if (!SelectForFigure()) continue;
      QRectF r = transform_.mapRect(rects[i]);
      Record(wmf::Rectangle, {Clamp16(r.bottom()), Clamp16(r.right()), Clamp16(r.top()), Clamp16(r.left())});
    }
  }

  void drawEllipse(const QRectF& rect) override {
    if (!AxisAligned(transform_)) {
      QPainterPath p;
      p.addEllipse(rect);
      drawPath(p);
      return;
    }
    if (!SelectForFigure()) return;
    QRectF r = transform_.mapRect(rect);
    Record(wmf::Ellipse, {Clamp16(r.bottom()), Clamp16(r.right()), Clamp16(r.top()), Clamp16(r.left())});
  }

  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    const QString text = item.text();
    if (text.isEmpty()) return;
    QFont font = PixelFont(item.font());
    std::optional<std::string> bytes = CodePageBytes(text);
    if (!bytes || !AxisAligned(transform_)) {
      DrawTextOutline(p, font, text);
      return;
    }
    const double sx = transform_.m11(), sy = transform_.m22();
    FontSpec spec;
    spec.height = Clamp16(-font.pixelSize() * sy);
    if (spec.height == 0) return;
    spec.weight = static_cast<std::int16_t>(std::clamp(static_cast<int>(font.weight()), 100, 900));
    spec.italic = font.italic() ? 1 : 0;
    spec.underline = font.underline() ? 1 : 0;
    spec.strikeOut = font.strikeOut() ? 1 : 0;
    spec.face = Utf8ToCp1252(font.family().toStdString()).substr(0, 31);
    SelectFont(spec);
    std::uint32_t color = ColorRef(pen_.color());
    if (!textColor_ || *textColor_ != color) {
      RecordColor(wmf::SetTextColor, color);
      textColor_ = color;
    }
    // Character advances as Qt lays them out, so that every reader places the characters
    // where the screen shows them.
    QFontMetricsF metrics(font);
    std::vector<std::int16_t> dx;
    double x = 0;
    long placed = 0;
    for (QChar ch : text) {
      x += metrics.horizontalAdvance(ch) * sx;
      long next = std::lrint(x);
      dx.push_back(static_cast<std::int16_t>(std::clamp<long>(next - placed, -32768, 32767)));
      placed = next;
    }
    QPointF at = transform_.map(p);
    ByteWriter w;
    w.I16(Clamp16(at.y()));
    w.I16(Clamp16(at.x()));
    w.I16(static_cast<std::int16_t>(bytes->size()));
    w.U16(0);
    w.Bytes(*bytes);
    if (bytes->size() % 2) w.U8(0);
    for (std::int16_t d : dx) w.I16(d);
    RecordBytes(wmf::ExtTextOut, w.Data());
  }

  void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override {
    drawImage(r, pm.toImage(), sr, Qt::AutoColor);
  }

  void drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                 Qt::ImageConversionFlags) override {
    if (image.isNull() || !AxisAligned(transform_)) return;
    QImage src = image.copy(sr.toAlignedRect()).convertToFormat(QImage::Format_RGB888);
    if (src.isNull() || src.width() > 32767 || src.height() > 32767) return;
    QRectF dest = transform_.mapRect(r);
    const int stride = (src.width() * 3 + 3) / 4 * 4;
    ByteWriter w;
    w.U32(0x00CC0020u);  // copy the source
    w.U16(0);            // colours are RGB values
    w.I16(static_cast<std::int16_t>(src.height()));
    w.I16(static_cast<std::int16_t>(src.width()));
    w.I16(0);
    w.I16(0);
    w.I16(Clamp16(dest.height()));
    w.I16(Clamp16(dest.width()));
    w.I16(Clamp16(dest.top()));
    w.I16(Clamp16(dest.left()));
    w.U32(40);
    w.I32(src.width());
    w.I32(src.height());
    w.U16(1);
    w.U16(24);
    w.U32(0);
    w.U32(static_cast<std::uint32_t>(stride * src.height()));
    w.I32(3780);
    w.I32(3780);
    w.U32(0);
    w.U32(0);
    for (int y = src.height() - 1; y >= 0; --y) {
      const uchar* line = src.constScanLine(y);
      for (int x = 0; x < src.width(); ++x) {
        w.U8(line[x * 3 + 2]);
        w.U8(line[x * 3 + 1]);
        w.U8(line[x * 3]);
      }
      w.Zeros(static_cast<std::size_t>(stride - src.width() * 3));
    }
    RecordBytes(wmf::StretchDib, w.Data());
  }

  // An arc, pie or chord record; false when the current transform cannot express it.
  bool WriteArcRecord(wmf::Function fn, const QRectF& rect, double start, double span) {
    if (!AxisAligned(transform_) || span == 0) return false;
    bool figure = fn != wmf::Arc;
    if (figure ? !SelectForFigure() : !SelectPenForStroke()) return true;
    if (span >= 360 || span <= -360) span = 360;
    double from = start, to = start + span;
    if (span < 0) std::swap(from, to);  // records run counter-clockwise
    QPointF c = rect.center();
    double rx = rect.width() / 2, ry = rect.height() / 2;
    auto radial = [&](double deg) {
      double t = deg * M_PI / 180.0;
      return transform_.map(QPointF(c.x() + rx * std::cos(t), c.y() - ry * std::sin(t)));
    };
    QPointF a = radial(from), b = radial(to);
    QRectF r = transform_.mapRect(rect);
    Record(fn, {Clamp16(b.y()), Clamp16(b.x()), Clamp16(a.y()), Clamp16(a.x()), Clamp16(r.bottom()),
                Clamp16(r.right()), Clamp16(r.top()), Clamp16(r.left())});
    return true;
  }

  std::string FileData() const {
    ByteWriter w;
    // Placeable header with its checksum over the first ten words.
    ByteWriter head;
    head.U32(wmf::PlaceableKey);
    head.U16(0);
    head.I16(0);
    head.I16(0);
    head.I16(Clamp16(width_));
    head.I16(Clamp16(height_));
    head.U16(static_cast<std::uint16_t>(dpi_));
    head.U32(0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i + 1 < head.Size(); i += 2) {
      checksum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(head.Data()[i]) |
                                             (static_cast<unsigned char>(head.Data()[i + 1]) << 8));
    }
    head.U16(checksum);
    w.Bytes(head.Data());
    const std::uint32_t words = static_cast<std::uint32_t>((wmf::HeaderSize + records_.Size()) / 2 + 3);
    w.U16(1);
    w.U16(9);
    w.U16(0x0300);
    w.U32(words);
    w.U16(static_cast<std::uint16_t>(slots_.size()));
    w.U32(std::max<std::uint32_t>(maxRecord_, 3));
    w.U16(0);
    w.Bytes(records_.Data());
    w.U32(3);
    w.U16(wmf::Eof);
    return w.Take();
  }

 private:
  // Clipping becomes the bounding rectangle of the painter's clip, kept between a saved
  // and a restored device context so that a new clip replaces the old one.
  void UpdateClip() {
    QPainter* p = painter();
    if (clipActive_) {
      Record(wmf::RestoreDc, {-1});
      clipActive_ = false;
      Reselect();
    }
    if (p == nullptr || !p->hasClipping()) return;
    QRectF clip = p->combinedTransform().mapRect(p->clipBoundingRect());
    Record(wmf::SaveDc, {});
    Record(wmf::IntersectClipRect,
           {Clamp16(clip.bottom()), Clamp16(clip.right()), Clamp16(clip.top()), Clamp16(clip.left())});
    clipActive_ = true;
  }

  // After a restored device context the current objects are selected again, because the
  // ones selected when it was saved may have been deleted since.
  void Reselect() {
    textColor_.reset();
    fillMode_ = 0;
    for (int slot : {penSlot_, brushSlot_, fontSlot_}) {
      if (slot >= 0) Record(wmf::SelectObject, {static_cast<std::int16_t>(slot)});
    }
  }

  void Record(wmf::Function fn, std::initializer_list<std::int16_t> params) {
    ByteWriter w;
    for (std::int16_t v : params) w.I16(v);
    RecordBytes(fn, w.Data());
  }

  void RecordColor(wmf::Function fn, std::uint32_t color) {
    ByteWriter w;
    w.U32(color);
    RecordBytes(fn, w.Data());
  }

  void RecordBytes(wmf::Function fn, std::string_view params) {
    std::uint32_t words = static_cast<std::uint32_t>(3 + (params.size() + 1) / 2);
    records_.U32(words);
    records_.U16(fn);
    records_.Bytes(params);
    if (params.size() % 2) records_.U8(0);
    maxRecord_ = std::max(maxRecord_, words);
  }

  // The lowest free entry of the object table, as the format assigns them.
  std::uint16_t NewSlot() {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
      if (!slots_[i]) {
        slots_[i] = true;
        return static_cast<std::uint16_t>(i);
      }
    }
    slots_.push_back(true);
    return static_cast<std::uint16_t>(slots_.size() - 1);
  }

  void Replace(int& current, std::uint16_t created) {
    Record(wmf::SelectObject, {static_cast<std::int16_t>(created)});
    if (current >= 0) {
      Record(wmf::DeleteObject, {static_cast<std::int16_t>(current)});
      slots_[static_cast<std::size_t>(current)] = false;
    }
    current = created;
  }

  void SelectPen(const PenSpec& spec) {
    if (penSlot_ >= 0 && spec == penSpec_) return;
    ByteWriter w;
    w.U16(spec.style);
    w.I16(spec.width);
    w.I16(0);
    w.U32(spec.color);
    std::uint16_t slot = NewSlot();
    RecordBytes(wmf::CreatePenIndirect, w.Data());
    Replace(penSlot_, slot);
    penSpec_ = spec;
  }

  void SelectBrush(const BrushSpec& spec) {
    if (brushSlot_ >= 0 && spec == brushSpec_) return;
    ByteWriter w;
    w.U16(spec.style);
    w.U32(spec.color);
    w.U16(spec.hatch);
    std::uint16_t slot = NewSlot();
    RecordBytes(wmf::CreateBrushIndirect, w.Data());
    Replace(brushSlot_, slot);
    brushSpec_ = spec;
  }

  void SelectFont(const FontSpec& spec) {
    if (fontSlot_ >= 0 && spec == fontSpec_) return;
    ByteWriter w;
    w.I16(spec.height);
    w.I16(0);  // width
    w.I16(0);  // escapement
    w.I16(0);  // orientation
    w.I16(spec.weight);
    w.U8(spec.italic);
    w.U8(spec.underline);
    w.U8(spec.strikeOut);
    w.U8(0);  // ANSI character set
    w.U8(0);
    w.U8(0);
    w.U8(0);
    w.U8(0);
    w.Bytes(spec.face);
    w.Zeros(32 - spec.face.size());
    std::uint16_t slot = NewSlot();
    RecordBytes(wmf::CreateFontIndirect, w.Data());
    Replace(fontSlot_, slot);
    fontSpec_ = spec;
  }

  PenSpec CurrentPen() const {
    PenSpec spec;
    if (pen_.style() == Qt::NoPen || pen_.brush().style() == Qt::NoBrush) {
      spec.style = wmf::PsNull;
      return spec;
    }
    switch (pen_.style()) {
      case Qt::DashLine: spec.style = wmf::PsDash; break;
      case Qt::DotLine: spec.style = wmf::PsDot; break;
      case Qt::DashDotLine: spec.style = wmf::PsDashDot; break;
      case Qt::DashDotDotLine: spec.style = wmf::PsDashDotDot; break;
      default: spec.style = wmf::PsSolid; break;
    }
    switch (pen_.capStyle()) {
      case Qt::FlatCap: spec.style |= wmf::PsEndcapFlat; break;
      case Qt::SquareCap: spec.style |= wmf::PsEndcapSquare; break;
      default: break;
    }
    switch (pen_.joinStyle()) {
      case Qt::BevelJoin: spec.style |= wmf::PsJoinBevel; break;
      case Qt::MiterJoin:
      case Qt::SvgMiterJoin: spec.style |= wmf::PsJoinMiter; break;
      default: break;
    }
    double width = pen_.isCosmetic() ? pen_.widthF() : pen_.widthF() * LinearScale(transform_);
    spec.width = Clamp16(width);
    spec.color = ColorRef(pen_.color());
    return spec;
  }

  BrushSpec CurrentBrush() const {
    BrushSpec spec;
    const Qt::BrushStyle s = brush_.style();
    if (s == Qt::NoBrush) return spec;
    spec.color = ColorRef(brush_.color());
    if (s == Qt::LinearGradientPattern || s == Qt::RadialGradientPattern ||
        s == Qt::ConicalGradientPattern) {
      const QGradient* g = brush_.gradient();
      if (g != nullptr && !g->stops().isEmpty()) spec.color = ColorRef(g->stops().first().second);
    }
    spec.style = wmf::BsSolid;
    auto hatch = [&](std::uint16_t h) {
      spec.style = wmf::BsHatched;
      spec.hatch = h;
    };
    switch (s) {
      case Qt::HorPattern: hatch(wmf::HsHorizontal); break;
      case Qt::VerPattern: hatch(wmf::HsVertical); break;
      case Qt::FDiagPattern: hatch(wmf::HsFDiagonal); break;
      case Qt::BDiagPattern: hatch(wmf::HsBDiagonal); break;
      case Qt::CrossPattern: hatch(wmf::HsCross); break;
      case Qt::DiagCrossPattern: hatch(wmf::HsDiagCross); break;
      default: break;
    }
    return spec;
  }

  // Pen for an outline; false when the pen draws nothing.
  bool SelectPenForStroke() {
    PenSpec pen = CurrentPen();
    if ((pen.style & wmf::PsStyleMask) == wmf::PsNull) return false;
    SelectPen(pen);
    return true;
  }

  // Pen and brush for a closed figure; false when neither draws anything.
  bool SelectForFigure() {
    PenSpec pen = CurrentPen();
    BrushSpec brush = CurrentBrush();
    if ((pen.style & wmf::PsStyleMask) == wmf::PsNull && brush.style == wmf::BsNull) return false;
    SelectPen(pen);
    SelectBrush(brush);
    return true;
  }

  void SetFillMode(bool winding) {
    std::uint16_t mode = winding ? wmf::FillWinding : wmf::FillAlternate;
    if (fillMode_ != mode) {
      Record(wmf::SetPolyFillMode, {static_cast<std::int16_t>(mode)});
      fillMode_ = mode;
    }
  }

  // Device points rounded to the 16-bit grid, without repeated points.
  static std::vector<std::pair<std::int16_t, std::int16_t>> Grid(const QPolygonF& poly) {
    std::vector<std::pair<std::int16_t, std::int16_t>> out;
    for (const QPointF& p : poly) {
      std::pair<std::int16_t, std::int16_t> q{Clamp16(p.x()), Clamp16(p.y())};
      if (out.empty() || out.back() != q) out.push_back(q);
    }
    if (out.size() > 32000) out.resize(32000);
    return out;
  }

  void WritePoints(wmf::Function fn, const QPolygonF& poly) {
    auto pts = Grid(poly);
    if (pts.size() < 2) return;
    ByteWriter w;
    w.I16(static_cast<std::int16_t>(pts.size()));
    for (auto [x, y] : pts) {
      w.I16(x);
      w.I16(y);
    }
    RecordBytes(fn, w.Data());
  }

  void WritePolyPolygon(const QList<QPolygonF>& polys) {
    std::vector<std::vector<std::pair<std::int16_t, std::int16_t>>> grids;
    for (const QPolygonF& p : polys) {
      auto g = Grid(p);
      if (g.size() >= 2) grids.push_back(std::move(g));
    }
    if (grids.empty()) return;
    if (grids.size() == 1) {
      ByteWriter w;
      w.I16(static_cast<std::int16_t>(grids[0].size()));
      for (auto [x, y] : grids[0]) {
        w.I16(x);
        w.I16(y);
      }
      RecordBytes(wmf::Polygon, w.Data());
      return;
    }
    ByteWriter w;
    w.U16(static_cast<std::uint16_t>(grids.size()));
    for (const auto& g : grids) w.U16(static_cast<std::uint16_t>(g.size()));
    for (const auto& g : grids) {
      for (auto [x, y] : g) {
        w.I16(x);
        w.I16(y);
      }
    }
    RecordBytes(wmf::PolyPolygon, w.Data());
  }

  // Filled and/or outlined device polygons: a closed set with pen and brush in one record,
  // otherwise the fill without outline followed by the outlines as polylines.
  void DrawPolygons(const QList<QPolygonF>& polys, bool winding) {
    if (polys.isEmpty()) return;
    PenSpec pen = CurrentPen();
    BrushSpec brush = CurrentBrush();
    const bool hasPen = (pen.style & wmf::PsStyleMask) != wmf::PsNull;
    const bool hasBrush = brush.style != wmf::BsNull;
    bool allClosed = true;
    for (const QPolygonF& p : polys) allClosed = allClosed && p.size() > 2 && p.first() == p.last();
    if (hasBrush) {
      SetFillMode(winding);
      SelectBrush(brush);
      if (hasPen && allClosed) {
        SelectPen(pen);
        WritePolyPolygon(polys);
        return;
      }
      PenSpec none;
      none.style = wmf::PsNull;
      SelectPen(none);
      WritePolyPolygon(polys);
    }
    if (hasPen) {
      SelectPen(pen);
      for (const QPolygonF& p : polys) WritePoints(wmf::Polyline, p);
    }
  }

  QFont PixelFont(const QFont& f) const {
    QFont font = f;
    if (font.pixelSize() <= 0) {
      font.setPixelSize(std::max(1, static_cast<int>(std::lrint(f.pointSizeF() * dpi_ / 72.0))));
    }
    return font;
  }

  // The outline of a text at the origin. Outlines come from the font's hinted glyphs,
  // whose hinting programs cost most of a wheel's drawing; a report draws the same few
  // glyphs many times and a batch the same wheel texts again, so they are kept per thread.
  static const QPainterPath& OutlineAtOrigin(const QFont& font, const QString& text) {
    thread_local QHash<QString, QPainterPath> outlines;
    const QString key = font.key() + QChar(0) + text;
    auto found = outlines.constFind(key);
    if (found != outlines.constEnd()) return *found;
    if (outlines.size() > 4096) outlines.clear();
    QPainterPath path;
    path.addText(QPointF(0, 0), font, text);
    return *outlines.insert(key, path);
  }

  // Text as filled outlines in the pen colour.
  void DrawTextOutline(const QPointF& p, const QFont& font, const QString& text) {
    const QPainterPath path = OutlineAtOrigin(font, text).translated(p);
    QList<QPolygonF> polys = path.toSubpathPolygons(transform_);
    if (polys.isEmpty()) return;
    BrushSpec brush;
    brush.style = wmf::BsSolid;
    brush.color = ColorRef(pen_.color());
    PenSpec none;
    none.style = wmf::PsNull;
    SetFillMode(true);
    SelectBrush(brush);
    SelectPen(none);
    WritePolyPolygon(polys);
  }

  int width_, height_, dpi_;
  bool started_ = false;
  bool clipActive_ = false;
  ByteWriter records_;
  std::uint32_t maxRecord_ = 0;
  std::vector<bool> slots_;
  int penSlot_ = -1, brushSlot_ = -1, fontSlot_ = -1;
  PenSpec penSpec_;
  BrushSpec brushSpec_;
  FontSpec fontSpec_;
  std::optional<std::uint32_t> textColor_;
  std::uint16_t fillMode_ = wmf::FillAlternate;
  QPen pen_;
  QBrush brush_;
  QFont font_;
  QTransform transform_;
};

TMetafile::TMetafile(int width, int height, int dpi)
    : width_(std::clamp(width, 1, 32767)),
      height_(std::clamp(height, 1, 32767)),
      dpi_(std::clamp(dpi, 1, 65535)),
      engine_(std::make_unique<TWmfPaintEngine>(width_, height_, dpi_)) {}

TMetafile::~TMetafile() = default;

QPaintEngine* TMetafile::paintEngine() const { return engine_.get(); }

std::string TMetafile::Data() const { return engine_->FileData(); }

bool TMetafile::Save(const std::string& path, Durability durability) const {
  return WriteFileAtomic(path, Data(), durability);
}

int TMetafile::metric(PaintDeviceMetric m) const {
  switch (m) {
    case PdmWidth: return width_;
    case PdmHeight: return height_;
    case PdmWidthMM: return static_cast<int>(std::lrint(width_ * 25.4 / dpi_));
    case PdmHeightMM: return static_cast<int>(std::lrint(height_ * 25.4 / dpi_));
    case PdmNumColors: return 0xFFFFFF;
    case PdmDepth: return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return dpi_;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    default: return QPaintDevice::metric(m);
  }
}

void PrepareMetafileCanvas(QPainter& painter, const QRect& rect) {
  painter.setWindow(0, 0, rect.right(), rect.bottom());
  painter.setViewport(0, 0, rect.right(), rect.bottom());
}

namespace {

void PaintCurve(QPainter& painter, wmf::Function fn, const QRectF& rect, double start, double span) {
  QPaintEngine* engine = painter.paintEngine();
  if (engine != nullptr && engine->type() == WmfEngineType) {
    engine->syncState();
    if (static_cast<TWmfPaintEngine*>(engine)->WriteArcRecord(fn, rect, start, span)) return;
  }
  const int a = static_cast<int>(std::lrint(start * 16)), s = static_cast<int>(std::lrint(span * 16));
  switch (fn) {
    case wmf::Arc: painter.drawArc(rect, a, s); break;
    case wmf::Pie: painter.drawPie(rect, a, s); break;
    default: painter.drawChord(rect, a, s); break;
  }
}

}  // namespace

void PaintArc(QPainter& painter, const QRectF& rect, double start, double span) {
  PaintCurve(painter, wmf::Arc, rect, start, span);
}
void PaintPie(QPainter& painter, const QRectF& rect, double start, double span) {
  PaintCurve(painter, wmf::Pie, rect, start, span);
}
void PaintChord(QPainter& painter, const QRectF& rect, double start, double span) {
  PaintCurve(painter, wmf::Chord, rect, start, span);
}

}  // namespace korvana
