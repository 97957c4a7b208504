// A paint device for tests that keeps every text drawn on it (with its baseline position,
// font and colour) and ignores all other drawing.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QTransform>
#include <cmath>
#include <optional>
#include <vector>

namespace korvana::testing {

struct DrawnText {
  QString text;
  QPointF baseline;  // left end of the baseline, in device coordinates
  QFont font;
  QColor colour;
};

class TextRecordingEngine : public QPaintEngine {
 public:
  TextRecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState& state) override {
    if (state.state() & QPaintEngine::DirtyPen) pen_ = state.pen();
    if (state.state() & QPaintEngine::DirtyTransform) transform_ = state.transform();
  }
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    texts.push_back({item.text(), transform_.map(p), item.font(), pen_.color()});
  }
  void drawRects(const QRectF*, int) override {}
  void drawRects(const QRect*, int) override {}
  void drawLines(const QLineF*, int) override {}
  void drawLines(const QLine*, int) override {}
  void drawEllipse(const QRectF&) override {}
  void drawEllipse(const QRect&) override {}
  void drawPath(const QPainterPath&) override {}
  void drawPoints(const QPointF*, int) override {}
  void drawPoints(const QPoint*, int) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
  void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {}
  void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {}
  Type type() const override { return QPaintEngine::User; }

  std::vector<DrawnText> texts;

 private:
  QPen pen_;
  QTransform transform_;
};

class TextRecorder : public QPaintDevice {
 public:
  TextRecorder(int width, int height, int dpi = 96) : width_(width), height_(height), dpi_(dpi) {}
  ~TextRecorder() override = default;
  QPaintEngine* paintEngine() const override { return &engine_; }

  const std::vector<DrawnText>& Texts() const { return engine_.texts; }
  void Clear() { engine_.texts.clear(); }

  // The drawn pieces joined into lines: consecutive pieces on the same baseline form one
  // line whose position is that of its first piece.
  std::vector<DrawnText> Lines() const {
    std::vector<DrawnText> lines;
    for (const DrawnText& t : engine_.texts) {
      if (!lines.empty() && std::fabs(lines.back().baseline.y() - t.baseline.y()) < 0.5 &&
          t.baseline.x() >= lines.back().baseline.x()) {
        lines.back().text += t.text;
      } else {
        lines.push_back(t);
      }
    }
    return lines;
  }

  // The first line whose text is `text`, if any.
  std::optional<DrawnText> Find(const QString& text) const {
    for (const DrawnText& line : Lines()) {
      if (line.text == text) return line;
    }
    return std::nullopt;
  }

  // Width of a text in a font as this device measures it.
  double Advance(const DrawnText& t) const {
    return QFontMetricsF(t.font, const_cast<TextRecorder*>(this)).horizontalAdvance(t.text);
  }
  // Top of a drawn line (its baseline less the font's ascent).
  double Top(const DrawnText& t) const {
    return t.baseline.y() - QFontMetricsF(t.font, const_cast<TextRecorder*>(this)).ascent();
  }

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth: return width_;
      case PdmHeight: return height_;
      case PdmWidthMM: return static_cast<int>(width_ * 25.4 / dpi_);
      case PdmHeightMM: return static_cast<int>(height_ * 25.4 / dpi_);
      case PdmNumColors: return 0x7fffffff;
      case PdmDepth: return 32;
      case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return dpi_;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
      default: return 0;
    }
  }

 private:
  int width_, height_, dpi_;
  mutable TextRecordingEngine engine_;
};

}  // namespace korvana::testing
