#include "splash.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "core/util/records.h"

namespace korvana::splash {
namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int Samples = 4;  // supersampling per axis

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

// Distance from p to the segment a-b.
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  double dx = bx - ax, dy = by - ay;
  double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? Clamp01(((px - ax) * dx + (py - ay) * dy) / len2) : 0.0;
  double cx = ax + t * dx - px, cy = ay + t * dy - py;
  return std::sqrt(cx * cx + cy * cy);
}

// Whether the direction (dx, dy) from a wheel's centre lies between two zodiac angles,
// counted as Spoke counts them.
bool WithinAngles(double dx, double dy, double from, double to) {
  double a = std::atan2(dy, -dx) * 180.0 / Pi;
  auto reduce = [](double v) { return std::fmod(std::fmod(v, 360.0) + 360.0, 360.0); };
  return reduce(a - from) <= reduce(to - from);
}

// One layer of shapes in one colour; a sample point is inside when any shape covers it.
struct Layer {
  Rgb color;
  double opacity = 1.0;
  std::vector<std::function<bool(double, double)>> shapes;

  void Ring(double cx, double cy, double radius, double width) {
    shapes.push_back([=](double x, double y) {
      return std::fabs(std::hypot(x - cx, y - cy) - radius) <= width / 2;
    });
  }
  void Disc(double cx, double cy, double radius) {
    shapes.push_back([=](double x, double y) { return std::hypot(x - cx, y - cy) <= radius; });
  }
  void Line(double ax, double ay, double bx, double by, double width) {
    shapes.push_back([=](double x, double y) { return SegmentDistance(x, y, ax, ay, bx, by) <= width / 2; });
  }
  // A line from radius r1 to r2 at a zodiac angle (degrees, counter-clockwise from the left).
  void Spoke(double cx, double cy, double angle, double r1, double r2, double width) {
    double a = angle * Pi / 180.0;
    double ux = -std::cos(a), uy = std::sin(a);
    Line(cx + ux * r1, cy + uy * r1, cx + ux * r2, cy + uy * r2, width);
  }
  // A band of the ring between two zodiac angles (degrees, from `from` round to `to`).
  void Arc(double cx, double cy, double radius, double width, double from, double to) {
    shapes.push_back([=](double x, double y) {
      return std::fabs(std::hypot(x - cx, y - cy) - radius) <= width / 2 && WithinAngles(x - cx, y - cy, from, to);
    });
  }
  // The part of the annulus r1..r2 between two zodiac angles.
  void Wedge(double cx, double cy, double r1, double r2, double from, double to) {
    shapes.push_back([=](double x, double y) {
      const double d = std::hypot(x - cx, y - cy);
      return d >= r1 && d <= r2 && WithinAngles(x - cx, y - cy, from, to);
    });
  }
  // A disc with a disc of the same size, moved by `offset` to the right, cut out of it.
  void Crescent(double cx, double cy, double radius, double offset) {
    shapes.push_back([=](double x, double y) {
      return std::hypot(x - cx, y - cy) <= radius && std::hypot(x - cx - offset, y - cy) > radius;
    });
  }
  bool Covers(double x, double y) const {
    for (const auto& s : shapes)
      if (s(x, y)) return true;
    return false;
  }
};

void Composite(Image& image, const std::vector<Layer>& layers) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      Rgb& px = image.At(x, y);
      for (const Layer& layer : layers) {
        int hits = 0;
        for (int sy = 0; sy < Samples; ++sy)
          for (int sx = 0; sx < Samples; ++sx)
            if (layer.Covers(x + (sx + 0.5) / Samples, y + (sy + 0.5) / Samples)) ++hits;
        if (hits) px = Mix(px, layer.color, layer.opacity * hits / double(Samples * Samples));
      }
    }
  }
}

// Diagonal gradient from `top` to `bottom` with a soft glow around the wheel.
void Background(Image& image, Rgb top, Rgb bottom, Rgb glow, double cx, double cy, double glowRadius) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      double t = Clamp01((0.75 * y / image.height) + (0.25 * x / image.width));
      Rgb c = Mix(top, bottom, t);
      double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / glowRadius;
      double g = std::exp(-d * d * 1.6) * 0.55;
      image.At(x, y) = Mix(c, glow, g);
    }
  }
}

// The zodiac band shared by both styles: outer and inner rings, twelve sign divisions and
// degree ticks every five degrees.
void ZodiacBand(Layer& lines, double cx, double cy, double radius, double unit) {
  lines.Ring(cx, cy, radius, 1.6 * unit);
  lines.Ring(cx, cy, radius * 0.82, 1.2 * unit);
  for (int sign = 0; sign < 12; ++sign) lines.Spoke(cx, cy, sign * 30.0, radius * 0.82, radius, 1.0 * unit);
  for (int deg = 0; deg < 360; deg += 5)
    if (deg % 30) lines.Spoke(cx, cy, deg, radius * 0.955, radius, 0.6 * unit);
}

// The inner ring and the twelve house axes out to the zodiac band, the horizon and the
// meridian bolder; the first axis at zodiac angle `first`.
void HouseAxes(Layer& lines, double cx, double cy, double radius, double inner, double first, double unit) {
  lines.Ring(cx, cy, radius * inner, 1.0 * unit);
  for (int house = 0; house < 12; ++house)
    lines.Spoke(cx, cy, first + house * 30.0, radius * inner, radius * 0.82, (house % 3 == 0 ? 1.2 : 0.5) * unit);
}

// A point of a wheel at a zodiac angle and radius.
void WheelPoint(double cx, double cy, double deg, double r, double& x, double& y) {
  double a = deg * Pi / 180.0;
  x = cx - std::cos(a) * r;
  y = cy + std::sin(a) * r;
}

// The modern wheel: zodiac band, house axes (the horizon and meridian bolder), planets in
// the band and aspect lines between some of them.
struct WheelColours {
  Rgb lines, aspects, planets;
};

const double ModernPlanets[] = {17, 48, 71, 133, 164, 205, 251, 288, 316, 342};

void ModernWheel(std::vector<Layer>& layers, double cx, double cy, double radius, double unit, const WheelColours& c,
                 const double (&planets)[10]) {
  Layer lines{c.lines, 0.9, {}};
  ZodiacBand(lines, cx, cy, radius, unit);
  HouseAxes(lines, cx, cy, radius, 0.22, 12.0, unit);
  Layer aspects{c.aspects, 0.55, {}};
  const int pairs[][2] = {{0, 4}, {0, 6}, {1, 5}, {2, 7}, {3, 8}, {4, 9}, {6, 9}, {1, 3}};
  for (const auto& p : pairs) {
    double ax, ay, bx, by;
    WheelPoint(cx, cy, planets[p[0]], radius * 0.66, ax, ay);
    WheelPoint(cx, cy, planets[p[1]], radius * 0.66, bx, by);
    aspects.Line(ax, ay, bx, by, 0.9 * unit);
  }
  Layer dots{c.planets, 1.0, {}};
  for (double deg : planets) {
    double x, y;
    WheelPoint(cx, cy, deg, radius * 0.74, x, y);
    dots.Disc(x, y, 2.6 * unit);
  }
  layers.push_back(aspects);
  layers.push_back(lines);
  layers.push_back(dots);
}

// The wheel's centre, radius (a share of the shorter side) and stroke unit for a picture.
struct Frame {
  double cx, cy, radius, unit;
};
Frame FrameOf(int w, int h, double share = 0.40) {
  return {w * 0.5, h * 0.5, std::min(w, h) * share, std::min(w, h) / 240.0};
}

Image DrawModern(int w, int h) {
  Image image(w, h);
  const Frame f = FrameOf(w, h);
  Background(image, {22, 28, 68}, {74, 38, 108}, {120, 140, 210}, f.cx, f.cy, f.radius * 1.6);
  std::vector<Layer> layers;
  ModernWheel(layers, f.cx, f.cy, f.radius, f.unit, {{236, 214, 160}, {150, 200, 255}, {255, 226, 150}}, ModernPlanets);
  Composite(image, layers);
  return image;
}

// The Spanish modern set: the modern wheel in warm terracotta, saffron and cream.
Image DrawModernEs(int w, int h) {
  Image image(w, h);
  const Frame f = FrameOf(w, h);
  Background(image, {112, 34, 22}, {196, 104, 36}, {255, 206, 130}, f.cx, f.cy, f.radius * 1.6);
  std::vector<Layer> layers;
  ModernWheel(layers, f.cx, f.cy, f.radius, f.unit, {{255, 240, 212}, {255, 196, 72}, {128, 20, 16}}, ModernPlanets);
  Composite(image, layers);
  return image;
}

// Synastry: two interlocking wheels, gold and silver, with the cross aspects between
// their planets on a deep wine ground.
Image DrawSynastry(int w, int h) {
  Image image(w, h);
  const Frame f = FrameOf(w, h, 0.30);
  const double shift = f.radius * 0.62;
  Background(image, {64, 16, 42}, {138, 54, 86}, {236, 164, 186}, f.cx, f.cy, f.radius * 2.0);
  std::vector<Layer> layers;
  const double left[] = {12, 40, 77, 120, 158, 199, 240, 281, 313, 349};
  const double right[] = {25, 62, 95, 141, 176, 218, 260, 297, 330, 355};
  Layer cross{{255, 190, 210}, 0.45, {}};
  for (int k = 0; k < 10; k += 2) {
    double ax, ay, bx, by;
    WheelPoint(f.cx - shift, f.cy, left[k], f.radius * 0.74, ax, ay);
    WheelPoint(f.cx + shift, f.cy, right[(k + 3) % 10], f.radius * 0.74, bx, by);
    cross.Line(ax, ay, bx, by, 0.8 * f.unit);
  }
  layers.push_back(cross);
  ModernWheel(layers, f.cx - shift, f.cy, f.radius, f.unit, {{246, 214, 160}, {255, 200, 150}, {255, 228, 160}}, left);
  ModernWheel(layers, f.cx + shift, f.cy, f.radius, f.unit, {{232, 232, 244}, {200, 210, 255}, {250, 250, 255}}, right);
  Composite(image, layers);
  return image;
}

// Composite: two tinted discs, one for each partner, blending into the one wheel of the
// relationship, its planets at the midpoints of the partners' points, on deep teal.
Image DrawComposite(int w, int h) {
  Image image(w, h);
  const Frame f = FrameOf(w, h);
  Background(image, {12, 48, 58}, {28, 94, 94}, {150, 222, 210}, f.cx, f.cy, f.radius * 1.6);
  Layer coral{{255, 146, 112}, 0.34, {}};
  coral.Disc(f.cx - f.radius * 0.18, f.cy, f.radius * 0.58);
  Layer aqua{{130, 226, 236}, 0.30, {}};
  aqua.Disc(f.cx + f.radius * 0.18, f.cy, f.radius * 0.58);
  std::vector<Layer> layers{coral, aqua};
  Layer lines{{244, 236, 214}, 0.9, {}};
  ZodiacBand(lines, f.cx, f.cy, f.radius, f.unit);
  Layer dots{{255, 214, 160}, 1.0, {}};
  const double pairs[][2] = {{10, 60}, {80, 150}, {170, 200}, {220, 300}, {310, 350}};
  for (const auto& p : pairs) {
    double x, y;
    WheelPoint(f.cx, f.cy, (p[0] + p[1]) / 2, f.radius * 0.74, x, y);
    dots.Disc(x, y, 3.0 * f.unit);
    for (double deg : p) {
      WheelPoint(f.cx, f.cy, deg, f.radius * 0.74, x, y);
      lines.Disc(x, y, 1.4 * f.unit);
    }
  }
  layers.push_back(lines);
  layers.push_back(dots);
  Composite(image, layers);
  return image;
}

// Solar return: the Sun with its rays at the centre of the year's wheel, on a sunrise
// gradient of amber into crimson.
Image DrawSolarReturn(int w, int h) {
  Image image(w, h);
  const Frame f = FrameOf(w, h);
  Background(image, {250, 196, 92}, {176, 52, 40}, {255, 242, 206}, f.cx, f.cy, f.radius * 1.4);
  Layer lines{{92, 28, 20}, 0.8, {}};
  ZodiacBand(lines, f.cx, f.cy, f.radius, f.unit);
  HouseAxes(lines, f.cx, f.cy, f.radius, 0.34, 20.0, f.unit);
  Layer sun{{255, 222, 96}, 1.0, {}};
  sun.Disc(f.cx, f.cy, f.radius * 0.13);
  for (int ray = 0; ray < 16; ++ray)
    sun.Spoke(f.cx, f.cy, ray * 22.5, f.radius * 0.17, f.radius * (ray % 2 ? 0.24 : 0.29), 1.4 * f.unit);
  Layer core{{200, 84, 30}, 0.9, {}};
  core.Disc(f.cx, f.cy, f.radius * 0.03);
  Composite(image, {lines, sun, core});
  return image;
}

// Transits: the birth wheel with the moving planets outside it, each trailing the arc of
// its motion, and their aspects to the birth planets, on a night sky.
Image DrawTransits(int w, int h) {
  Image image(w, h);
  const Frame f = FrameOf(w, h, 0.34);
  Background(image, {8, 16, 42}, {22, 52, 92}, {90, 150, 222}, f.cx, f.cy, f.radius * 1.9);
  std::vector<Layer> layers;
  ModernWheel(layers, f.cx, f.cy, f.radius, f.unit, {{214, 226, 246}, {160, 190, 240}, {236, 240, 255}}, ModernPlanets);
  Layer motion{{255, 168, 72}, 0.7, {}};
  Layer links{{255, 168, 72}, 0.4, {}};
  Layer moving{{255, 186, 96}, 1.0, {}};
  const double transits[] = {35, 110, 190, 262, 330};
  for (int k = 0; k < 5; ++k) {
    const double deg = transits[k];
    motion.Arc(f.cx, f.cy, f.radius * 1.12, 1.2 * f.unit, deg - 18, deg);
    double x, y, nx, ny;
    WheelPoint(f.cx, f.cy, deg, f.radius * 1.12, x, y);
    moving.Disc(x, y, 3.2 * f.unit);
    WheelPoint(f.cx, f.cy, ModernPlanets[(k * 3 + 1) % 10], f.radius * 0.74, nx, ny);
    links.Line(x, y, nx, ny, 0.7 * f.unit);
  }
  layers.insert(layers.begin(), links);
  layers.push_back(motion);
  layers.push_back(moving);
  Composite(image, layers);
  return image;
}

// Progressions: a golden spiral unwinding from the centre of the wheel, a day for a year,
// with the progressed Moon's steps along it, on sage green.
Image DrawProgressions(int w, int h) {
  Image image(w, h);
  const Frame f = FrameOf(w, h);
  Background(image, {36, 66, 52}, {118, 148, 106}, {222, 236, 200}, f.cx, f.cy, f.radius * 1.6);
  Layer lines{{246, 240, 220}, 0.85, {}};
  ZodiacBand(lines, f.cx, f.cy, f.radius, f.unit);
  Layer spiral{{255, 212, 120}, 0.95, {}};
  Layer steps{{255, 246, 220}, 1.0, {}};
  const int segments = 120;
  for (int k = 0; k < segments; ++k) {
    const double t0 = double(k) / segments, t1 = double(k + 1) / segments;
    double ax, ay, bx, by;
    WheelPoint(f.cx, f.cy, 540.0 * t0, f.radius * (0.05 + 0.70 * t0), ax, ay);
    WheelPoint(f.cx, f.cy, 540.0 * t1, f.radius * (0.05 + 0.70 * t1), bx, by);
    spiral.Line(ax, ay, bx, by, (0.8 + 1.2 * t0) * f.unit);
    if (k % 15 == 14) steps.Disc(bx, by, 2.8 * f.unit);
  }
  Composite(image, {lines, spiral, steps});
  return image;
}

// Horary: the moment's wheel on slate, the quesited house lit and the Moon's crescent at
// the centre.
Image DrawHorary(int w, int h) {
  Image image(w, h);
  const Frame f = FrameOf(w, h);
  Background(image, {32, 40, 50}, {84, 92, 104}, {196, 204, 218}, f.cx, f.cy, f.radius * 1.6);
  Layer house{{240, 212, 140}, 0.35, {}};
  house.Wedge(f.cx, f.cy, f.radius * 0.30, f.radius * 0.82, 192.0, 222.0);
  Layer lines{{222, 228, 236}, 0.9, {}};
  ZodiacBand(lines, f.cx, f.cy, f.radius, f.unit);
  HouseAxes(lines, f.cx, f.cy, f.radius, 0.30, 12.0, f.unit);
  Layer moon{{248, 246, 236}, 1.0, {}};
  moon.Crescent(f.cx - f.radius * 0.04, f.cy, f.radius * 0.18, f.radius * 0.09);
  Composite(image, {house, lines, moon});
  return image;
}

Image DrawTraditional(int w, int h) {
  Image image(w, h);
  double cx = w * 0.5, cy = h * 0.5, radius = std::min(w, h) * 0.40, unit = std::min(w, h) / 240.0;
  Background(image, {238, 224, 190}, {196, 164, 116}, {252, 244, 222}, cx, cy, radius * 1.6);

  Layer lines{{92, 54, 30}, 0.85, {}};
  ZodiacBand(lines, cx, cy, radius, unit);
  // The old square chart inside the wheel: a square, the diamond joining its mid-sides and
  // the lines from the corners to the inner square that mark out the twelve houses.
  double s = radius * 0.82 / std::sqrt(2.0);  // half side of the square inscribed in the band
  double q = s / 2;                           // half side of the central square
  auto line = [&](double ax, double ay, double bx, double by, double width) {
    lines.Line(cx + ax, cy + ay, cx + bx, cy + by, width * unit);
  };
  line(-s, -s, s, -s, 1.2);
  line(s, -s, s, s, 1.2);
  line(s, s, -s, s, 1.2);
  line(-s, s, -s, -s, 1.2);
  line(0, -s, s, 0, 1.0);
  line(s, 0, 0, s, 1.0);
  line(0, s, -s, 0, 1.0);
  line(-s, 0, 0, -s, 1.0);
  line(-q, -q, q, -q, 1.0);
  line(q, -q, q, q, 1.0);
  line(q, q, -q, q, 1.0);
  line(-q, q, -q, -q, 1.0);
  line(-s, -s, -q, -q, 0.8);
  line(s, -s, q, -q, 0.8);
  line(s, s, q, q, 0.8);
  line(-s, s, -q, q, 0.8);

  // The seven classical planets as dots in the band, in a warm red.
  Layer dots{{150, 40, 28}, 0.95, {}};
  const double planets[] = {9, 62, 118, 170, 214, 267, 322};
  for (double deg : planets) {
    double a = deg * Pi / 180.0;
    dots.Disc(cx - std::cos(a) * radius * 0.895, cy + std::sin(a) * radius * 0.895, 2.8 * unit);
  }
  Composite(image, {lines, dots});
  return image;
}

}  // namespace

const std::vector<StyleName> StyleNames = {
    {"modern", Style::Modern},           {"traditional", Style::Traditional}, {"synastry", Style::Synastry},
    {"composite", Style::Composite},     {"solar_return", Style::SolarReturn}, {"transits", Style::Transits},
    {"progressions", Style::Progressions}, {"horary", Style::Horary},         {"modern_es", Style::ModernEs},
};

bool ParseStyle(const std::string& name, Style& style) {
  for (const StyleName& entry : StyleNames)
    if (name == entry.name) {
      style = entry.style;
      return true;
    }
  return false;
}

Image DrawSplash(Style style, int width, int height) {
  width = std::max(width, 16);
  height = std::max(height, 16);
  switch (style) {
    case Style::Modern: return DrawModern(width, height);
    case Style::Traditional: return DrawTraditional(width, height);
    case Style::Synastry: return DrawSynastry(width, height);
    case Style::Composite: return DrawComposite(width, height);
    case Style::SolarReturn: return DrawSolarReturn(width, height);
    case Style::Transits: return DrawTransits(width, height);
    case Style::Progressions: return DrawProgressions(width, height);
    case Style::Horary: return DrawHorary(width, height);
    case Style::ModernEs: return DrawModernEs(width, height);
  }
  return DrawModern(width, height);
}

std::string EncodeBmp(const Image& image) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
  const std::uint32_t dataBytes = rowBytes * static_cast<std::uint32_t>(image.height);
  ByteWriter w;
  w.U8('B');
  w.U8('M');
  w.U32(14 + 40 + dataBytes);  // file size
  w.U32(0);                    // reserved
  w.U32(14 + 40);              // offset of the pixel data
  w.U32(40);                   // BITMAPINFOHEADER
  w.I32(image.width);
  w.I32(image.height);  // positive: rows bottom-up
  w.U16(1);             // planes
  w.U16(24);            // bits per pixel
  w.U32(0);             // no compression
  w.U32(dataBytes);
  w.I32(2835);  // 72 dpi in pixels per metre
  w.I32(2835);
  w.U32(0);
  w.U32(0);
  auto channel = [](double v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0))); };
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgb& p = image.At(x, y);
      w.U8(channel(p.b));
      w.U8(channel(p.g));
      w.U8(channel(p.r));
    }
    w.Zeros(rowBytes - static_cast<std::uint32_t>(image.width) * 3);
  }
  return w.Take();
}

}  // namespace korvana::splash
