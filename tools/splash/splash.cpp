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

Image DrawModern(int w, int h) {
  Image image(w, h);
  double cx = w * 0.5, cy = h * 0.5, radius = std::min(w, h) * 0.40, unit = std::min(w, h) / 240.0;
  Background(image, {22, 28, 68}, {74, 38, 108}, {120, 140, 210}, cx, cy, radius * 1.6);

  Layer lines{{236, 214, 160}, 0.9, {}};
  ZodiacBand(lines, cx, cy, radius, unit);
  lines.Ring(cx, cy, radius * 0.22, 1.0 * unit);
  // House axes through the whole wheel, the horizon and meridian a little bolder.
  for (int house = 0; house < 12; ++house) {
    double a = 12.0 + house * 30.0;
    lines.Spoke(cx, cy, a, radius * 0.22, radius * 0.82, (house % 3 == 0 ? 1.2 : 0.5) * unit);
  }

  // Planets in the band and the aspect lines between some of them.
  const double planets[] = {17, 48, 71, 133, 164, 205, 251, 288, 316, 342};
  Layer aspects{{150, 200, 255}, 0.55, {}};
  const int pairs[][2] = {{0, 4}, {0, 6}, {1, 5}, {2, 7}, {3, 8}, {4, 9}, {6, 9}, {1, 3}};
  auto point = [&](double deg, double r, double& x, double& y) {
    double a = deg * Pi / 180.0;
    x = cx - std::cos(a) * r;
    y = cy + std::sin(a) * r;
  };
  for (const auto& p : pairs) {
    double ax, ay, bx, by;
    point(planets[p[0]], radius * 0.66, ax, ay);
    point(planets[p[1]], radius * 0.66, bx, by);
    aspects.Line(ax, ay, bx, by, 0.9 * unit);
  }
  Layer dots{{255, 226, 150}, 1.0, {}};
  for (double deg : planets) {
    double x, y;
    point(deg, radius * 0.74, x, y);
    dots.Disc(x, y, 2.6 * unit);
  }
  Composite(image, {aspects, lines, dots});
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

bool ParseStyle(const std::string& name, Style& style) {
  if (name == "modern") {
    style = Style::Modern;
    return true;
  }
  if (name == "traditional") {
    style = Style::Traditional;
    return true;
  }
  return false;
}

Image DrawSplash(Style style, int width, int height) {
  width = std::max(width, 16);
  height = std::max(height, 16);
  return style == Style::Modern ? DrawModern(width, height) : DrawTraditional(width, height);
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
