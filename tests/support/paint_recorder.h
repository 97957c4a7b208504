// A paint device for tests that records what is drawn on it instead of making pixels:
// texts with their ink boxes, lines, polygons, paths and ellipses, all in device
// coordinates (the painter's transform applied). Tests can then ask where each text went
// and which lines were drawn, which pixels can show only roughly.
#pragma once

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QTextItem>
#include <QTransform>
#include <cmath>
#include <optional>
#include <vector>

namespace korvana::testing {

struct RecordedText {
  QString text;
  QFont font;
  QColor colour;
  QPolygonF ink;      // the drawn characters' tight box, in device coordinates
  QPointF baseline;   // left end of the baseline, in device coordinates
  QPointF Centre() const { return ink.boundingRect().center(); }
};

struct RecordedLine {
  QLineF line;
  QPen pen;
};

struct RecordedShape {
  QPainterPath path;   // polygons, paths and ellipses, in device coordinates
  QPen pen;
  QBrush brush;
};

// What one drawing put on the device.
struct PaintRecording {
  std::vector<RecordedText> texts;
  std::vector<RecordedLine> lines;
  std::vector<RecordedShape> shapes;
};

class PaintRecorder : public QPaintDevice {
 public:
  PaintRecorder(int width, int height, int dpi = 96)
      : width_(width), height_(height), dpi_(dpi), engine_(this) {}
  ~PaintRecorder() override = default;

  QPaintEngine* paintEngine() const override { return const_cast<Engine*>(&engine_); }

  PaintRecording recording;

  // The drawn texts joined into lines: consecutive pieces on the same baseline form one
  // line whose position and font are those of its first piece.
  std::vector<RecordedText> Lines() const {
    std::vector<RecordedText> lines;
    for (const RecordedText& t : recording.texts) {
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
  std::optional<RecordedText> Find(const QString& text) const {
    for (const RecordedText& line : Lines()) {
      if (line.text == text) return line;
    }
    return std::nullopt;
  }
  // Width of a text in its font as this device measures it.
  double Advance(const RecordedText& t) const {
    return QFontMetricsF(t.font, const_cast<PaintRecorder*>(this)).horizontalAdvance(t.text);
  }
  // Top of a drawn line: its baseline less the font's ascent.
  double Top(const RecordedText& t) const {
    return t.baseline.y() - QFontMetricsF(t.font, const_cast<PaintRecorder*>(this)).ascent();
  }

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth: return width_;
      case PdmHeight: return height_;
      case PdmWidthMM: return width_ * 254 / (10 * dpi_);
      case PdmHeightMM: return height_ * 254 / (10 * dpi_);
      case PdmNumColors: return 0x7fffffff;
      case PdmDepth: return 32;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY: return dpi_;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
      default: return 0;
    }
  }

 private:
  class Engine : public QPaintEngine {
   public:
    explicit Engine(PaintRecorder* owner) : QPaintEngine(AllFeatures), owner_(owner) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState& state) override {
      if (state.state() & DirtyTransform) transform_ = state.transform();
      if (state.state() & DirtyPen) pen_ = state.pen();
      if (state.state() & DirtyBrush) brush_ = state.brush();
    }
    void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override {
      QPainterPath p;
      p.addRect(r);
      Shape(p);
    }
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
      const QFontMetricsF metrics(item.font(), owner_);
      QRectF box = metrics.tightBoundingRect(item.text());
      box.translate(at);
      owner_->recording.texts.push_back(
          {item.text(), item.font(), pen_.color(), transform_.map(QPolygonF(box)), transform_.map(at)});
    }
    void drawLines(const QLineF* l, int count) override {
      for (int i = 0; i < count; ++i) owner_->recording.lines.push_back({transform_.map(l[i]), pen_});
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
      QPainterPath p;
      p.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
      if (mode != PolylineMode) p.closeSubpath();
      Shape(p);
    }
    void drawPath(const QPainterPath& path) override { Shape(path); }
    void drawEllipse(const QRectF& r) override {
      QPainterPath p;
      p.addEllipse(r);
      Shape(p);
    }

   private:
    void Shape(const QPainterPath& p) {
      owner_->recording.shapes.push_back({transform_.map(p), pen_, brush_});
    }
    PaintRecorder* owner_;
    QTransform transform_;
    QPen pen_;
    QBrush brush_;
  };

  int width_, height_, dpi_;
  Engine engine_;
};

}  // namespace korvana::testing
