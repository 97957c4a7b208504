// TMetafile: a drawing surface that records what a QPainter draws as a placeable Windows
// metafile (16-bit coordinates), the picture format reports embed.
//
// One unit of the metafile is one device pixel; the surface reports `dpi` dots per inch
// (96 unless given), and the placeable header states the same units per inch. Pens,
// brushes, fonts, lines, polylines, polygons, rectangles, ellipses and text become their
// metafile records; curves of painter paths are flattened into polygons. Text of the
// Windows-1252 code page is written as text records; any text holding other characters
// (the astrological glyphs) and any rotated or sheared text is written as filled glyph
// outlines, so that every reader shows it without the program's fonts. Arcs, pies and
// chords drawn through PaintArc/PaintPie/PaintChord become real arc records.
// Coordinates are clamped to the 16-bit range.
#pragma once

#include <QPaintDevice>
#include <QPainter>
#include <QRect>
#include <memory>
#include <string>

#include "core/util/files.h"

namespace korvana {

class TWmfPaintEngine;

class TMetafile : public QPaintDevice {
 public:
  TMetafile(int width, int height, int dpi = 96);
  ~TMetafile() override;
  TMetafile(const TMetafile&) = delete;
  TMetafile& operator=(const TMetafile&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }

  // The finished file: placeable header, metafile header, the records and the end record.
  // Call after the painter has ended.
  std::string Data() const;
  // Writes Data() through a work file and a rename; false when it cannot be written.
  // A picture made afresh for each report is saved as Durability::Scratch.
  bool Save(const std::string& path, Durability durability = Durability::Flushed) const;

  QPaintEngine* paintEngine() const override;

 protected:
  int metric(PaintDeviceMetric metric) const override;

 private:
  int width_, height_, dpi_;
  std::unique_ptr<TWmfPaintEngine> engine_;
};

// Sets the painter to plain device units: window and viewport both the rectangle's right
// and bottom extents, so one drawing unit is one unit of the metafile.
void PrepareMetafileCanvas(QPainter& painter, const QRect& rect);

// Elliptic arc, pie and chord with Qt's angle convention (degrees, counter-clockwise from
// three o'clock). On a metafile painter with an axis-aligned transform they become arc, pie
// and chord records; on any other device they are drawn by the painter.
void PaintArc(QPainter& painter, const QRectF& rect, double startDegrees, double spanDegrees);
void PaintPie(QPainter& painter, const QRectF& rect, double startDegrees, double spanDegrees);
void PaintChord(QPainter& painter, const QRectF& rect, double startDegrees, double spanDegrees);

}  // namespace korvana
