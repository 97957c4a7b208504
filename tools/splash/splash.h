// Splash pictures of the shipped report sets: the preview the report selection shows.
// Each picture is a soft gradient with a chart-wheel motif, drawn with supersampled
// anti-aliasing and stored as an uncompressed 24-bit Windows bitmap.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvana::splash {

struct Rgb {
  double r = 0, g = 0, b = 0;  // 0..255
};

// A picture in memory, rows top to bottom, pixels left to right.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;

  Image(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
  Rgb& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  const Rgb& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

enum class Style { Modern, Traditional, Synastry, Composite, SolarReturn, Transits, Progressions, Horary, ModernEs };

// The styles by the names of their report sets, in this order: "modern", "traditional",
// "synastry", "composite", "solar_return", "transits", "progressions", "horary",
// "modern_es".
struct StyleName {
  const char* name;
  Style style;
};
extern const std::vector<StyleName> StyleNames;

// Parses a style's name (exactly as listed); false for any other name.
bool ParseStyle(const std::string& name, Style& style);

// Draws the splash picture of a style at the given size (both at least 16 pixels).
Image DrawSplash(Style style, int width, int height);

// Encodes a picture as a 24-bit bottom-up BMP (BITMAPINFOHEADER, rows padded to 4 bytes).
std::string EncodeBmp(const Image& image);

}  // namespace korvana::splash
