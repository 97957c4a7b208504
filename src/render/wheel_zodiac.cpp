// Zodiac bands: ticks of each division, division numbers and the sector symbols (sign or
// ruler glyphs and abbreviations, upright or turned along the circle).
#include "render/wheel_painter.h"

#include <QPen>
#include <cmath>

#include "core/points/point_id.h"
#include "render/glyphs.h"

namespace korvana::wheel {

namespace {

constexpr int SignRulers[13] = {0, 7, 6, 5, 1, 3, 5, 6, 12, 8, 9, 10, 11};
constexpr int DecanRulers[37] = {0, 7, 3, 8, 6, 5, 9, 5, 6, 10, 1, 12, 11, 3, 8, 7, 5, 9, 6,
                                  6, 10, 5, 12, 11, 1, 8, 7, 3, 9, 6, 5, 10, 5, 6, 11, 1, 12};

}  // namespace

void WheelPainter::DrawZodiac(const ZodiacBandStyle& z) {
  if (!WheelDesign::UsableBand(z.band)) return;
  const int r_in = CircleRadius(z.band.inner), r_out = CircleRadius(z.band.outer);
  const double r_t = Round(r_in + (r_out - r_in) * z.symbolRadius);
  const double base = z.ticksOutwards ? r_in : r_out;
  const double other = z.ticksOutwards ? r_out : r_in;
  const double dir = other >= base ? 1.0 : -1.0;
  const double long_len = Round((other - base) * z.longTickLength);
  const double medium_len = Round((other - base) * z.mediumTickLength);
  const double short_len = Round((other - base) * z.shortTickLength);
  const int divisions = static_cast<int>(dial_);
  QPen pen(Ink(ToQColor(z.tickColor)));
  pen.setWidth(1);
  const bool turned = z.content == ContentSignGlyphTurned ||
                      z.content == ContentSignAbbrevTurned ||
                      z.content == ContentRulerGlyphTurned || z.content == ContentRulerAbbrevTurned;
  const QFont font = Font(z.fontSize, z.bold, z.italic, WheelTextKind::Glyph, turned);
  const QFont text_font = Font(z.fontSize, z.bold, z.italic, WheelTextKind::Text, turned);
  const int L = z.longTickInterval;   // a zero or negative interval draws no such tick
  for (int v = 0; v < divisions; ++v) {
    const double a = ToDialLongitude(v);
    p_.setPen(pen);
    if (L > 0 && v % L == 0) {
      Line(base - 2 * dir, a, base + long_len + 2 * dir, a);
      if (z.content == ContentDivisionNumbers) {
        Text(At(r_t, a), QString::number(v), text_font, Qt::black);
      }
    } else if (z.mediumTickInterval > 0 && v % z.mediumTickInterval == 0) {
      Line(base, a, base + medium_len, a);
    } else if (z.shortTickInterval > 0 && v % z.shortTickInterval == 0) {
      Line(base, a, base + short_len, a);
    }
    if (L > 1 && (2 * v + L) % (2 * L) == 0) DrawSectorSymbol(z, r_t, a, font, text_font);
  }
}

void WheelPainter::DrawSectorSymbol(const ZodiacBandStyle& z, double r_t, double a, const QFont& glyph_font,
                      const QFont& text_font) {
  const int sign = static_cast<int>(a / 30.0) % 12 + 1;
  const int ruler = z.longTickInterval == 10
                        ? DecanRulers[static_cast<int>(a / 10.0) % 36 + 1]
                        : SignRulers[sign];
  QString text;
  bool glyph = true, turned = false;
  switch (z.content) {
    case ContentSignGlyphTurned: turned = true; [[fallthrough]];
    case ContentSignGlyph:
      text = GlyphText(s_.SignGlyph[static_cast<std::size_t>(sign)]);
      break;
    case ContentSignAbbrevTurned: turned = true; [[fallthrough]];
    case ContentSignAbbrev:
      text = SignAbbrev(sign);
      glyph = false;
      break;
    case ContentRulerGlyphTurned: turned = true; [[fallthrough]];
    case ContentRulerGlyph:
      text = GlyphText(s_.PointGlyph[static_cast<std::size_t>(ruler)]);
      break;
    case ContentRulerAbbrevTurned: turned = true; [[fallthrough]];
    case ContentRulerAbbrev:
      text = PointAbbrevText(ruler);
      glyph = false;
      break;
    default: return;
  }
  const QColor colour = Ink(ToQColor(s_.SignColor[static_cast<std::size_t>(sign)]));
  const QFont& font = glyph ? glyph_font : text_font;
  if (turned) {
    TurnedText(At(r_t, a), a, text, font, colour, z.turnedWidthFactor);
  } else {
    Text(At(r_t, a), text, font, colour);
  }
}

}  // namespace korvana::wheel
