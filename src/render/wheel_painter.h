// The wheel painter behind RenderWheel (private to the render layer): one object per
// drawing that knows the centre, radius, rotation and font scale of the wheel and draws
// its parts in order. Each part lives in its own file: wheel_circles.cpp (circles, sign
// sectors, final circle), wheel_zodiac.cpp (zodiac bands), wheel_cusps.cpp (house cusps
// and house numbers), wheel_cusp_labels.cpp (cusp labels and their decorations),
// wheel_points.cpp (point rings, extra-point rings, cusps inside rings with house
// expansion),
// wheel_aspects.cpp (aspect ticks and lines).
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRect>
#include <QString>
#include <array>
#include <vector>

#include "core/points/point_id.h"
#include "core/time/angle_math.h"
#include "core/config/program_settings.h"
#include "core/wheels/wheel_design.h"
#include "core/wheels/wheel_spreading.h"
#include "render/wheel_fonts.h"
#include "render/wheel_renderer.h"

namespace korvana::wheel {

// A longitude brought into [0, 360).
double Wrap(double x);
// A difference as a signed gap in (-180, 180].
double SignedGap(double x);
// Rounded to the nearest integer, halves to even.
int Round(double x);

QColor ToQColor(Color c);
QColor ToQColor(const Rgb& c);
// The pen style of a design's style ordinal (0 solid .. 5 clear).
Qt::PenStyle PenStyleOf(int style);

// Degrees and minutes of a longitude within its sign, as the wheel writes them ("05°",
// "07'").
QString DegreeText(double longitude);
QString MinuteText(double longitude);
// Sign 1..12 of a longitude.
int SignOf(double longitude);
// The two-letter abbreviation of sign 1..12.
QString SignAbbrev(int sign);
// The three-letter abbreviation of a point.
QString PointAbbrevText(int id);

// A stretch of radii from `from` to `to` (from <= to).
struct RadialSpan {
  double from = 0;
  double to = 0;
};

// What is left of [from, to] once the given spans are taken out, in ascending order.
std::vector<RadialSpan> UncoveredSpans(double from, double to,
                                       const std::vector<RadialSpan>& covered);

class WheelPainter {
 public:
  WheelPainter(QPainter& p, const QRect& area, const WheelDesign& d, const WheelRenderInput& in,
               const ProgramSettings& s);

  // Draws every part of the wheel in the design's order.
  void Draw();

 private:
  // Geometry and text.
  int CircleRadius(int index) const;
  QPointF At(double r, double longitude) const;
  // Qt's angle (counter-clockwise from 3 o'clock) of a longitude.
  double QtAngle(double longitude) const;
  double ToDialLongitude(double division) const;
  // The font of a text of the given design size (scaled here to the wheel).
  QFont Font(double design_size, bool bold, bool italic, WheelTextKind kind,
             bool turned = false) const;
  void Text(QPointF at, const QString& text, const QFont& font, const QColor& colour);
  void TurnedText(QPointF at, double longitude, const QString& text, const QFont& font,
                  const QColor& colour, double width_factor);
  QColor Ink(const QColor& colour) const;
  void Line(double r1, double l1, double r2, double l2);
  // An arc of radius r about `centre`, counter-clockwise on screen from wheel angle `from`
  // to wheel angle `to` (angles measured at the arc's own centre, as longitudes are at the
  // wheel's centre).
  void Arc(QPointF centre, double r, double from, double to);
  // The same arc between two angles the shorter way round.
  void ShortArc(QPointF centre, double r, double from, double to);
  const CalculatedChart* First() const;
  // The chart of ring 0..4, null when the drawing has none.
  const CalculatedChart* ChartOf(int ring) const;
  double CuspOf(int k) const;
  // House expansion is on and the dial is an ordinary zodiac.
  bool HouseExpansionOn() const;

  // wheel_circles.cpp
  void DrawCircles();
  void DrawSectors(int r_in, int r_out);
  void DrawFinalCircle(bool lines);

  // wheel_zodiac.cpp
  void DrawZodiac(const ZodiacBandStyle& z);
  void DrawSectorSymbol(const ZodiacBandStyle& z, double r_t, double a, const QFont& glyph_font,
                        const QFont& text_font);

  // wheel_cusps.cpp
  // The pen of cusp k (angular or other) of a cusp style and its width; false when that
  // kind of cusp is not drawn (white).
  bool CuspPen(const CuspStyle& c, int k, QPen& pen, int& width) const;
  // Radial stretches taken by the point rings and the drawn extra-point rings.
  std::vector<RadialSpan> RingSpans() const;
  void DrawCusps();
  void DrawHouseNumbers();

  // wheel_cusp_labels.cpp
  void DrawCuspLabels();
  // The outline of arrangement codes 2, 3 and 4 around the cusps of a label band.
  void DrawCuspDecoration(const CuspLabelStyle& c, int layer, int r_in, int r_out);

  // wheel_points.cpp
  std::array<double, LastPoint + 1> Longitudes(const CalculatedChart& chart) const;
  PointList ListFor(int ring) const;
  WheelCusps CuspsOf(const CalculatedChart& chart) const;
  // One spread item of a ring: a chart point or an extra point.
  struct RingItem {
    double lambda = 0;            // true longitude
    double mu = 0;                // display longitude
    double speed = 0;             // negative: retrograde mark
    QString glyph;                // glyph, abbreviation or name
    bool glyphIsText = false;   // an abbreviation or name (written in the degree font)
    QColor colour;
  };
  // The glyph font, smaller for a glyph of letters wider than a symbol.
  QFont FittedGlyphFont(const QFont& font, const QString& glyph) const;
  void DrawRingItems(const PointRingStyle& st, const std::vector<RingItem>& items);
  void DrawPointRing(int ring);
  // The extra points of a ring's chart that can be placed, ascending by longitude.
  std::vector<WheelExtraPoint> ExtraPointsOf(int ring) const;
  bool ExtraRingDrawn(int ring) const;
  void DrawExtraRing(int ring);
  // The cusps of the ring's chart across the ring (house expansion): a cusp with a display
  // offset steps aside around the spread points.
  void DrawRingCusps(int ring, const PointRingStyle& st, const WheelCusps& offsets);

  // wheel_aspects.cpp
  bool DrawAspects();

  QPainter& p_;
  const WheelDesign& d_;
  const WheelRenderInput& in_;
  const ProgramSettings& s_;
  QPointF centre_;
  int radius_ = 0;
  double rotation_ = 0;
  double scale_ = 1;
  double dial_ = 360;
};

}  // namespace korvana::wheel
