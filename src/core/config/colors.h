// Colours as the stored files keep them: 32-bit values with red in the low byte, then
// green, then blue.
#pragma once

#include <cstdint>

namespace korvana {

using Color = std::uint32_t;

constexpr Color MakeColor(int red, int green, int blue) {
  return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr Color ColorBlack = MakeColor(0, 0, 0);
constexpr Color ColorGrey = MakeColor(128, 128, 128);
constexpr Color ColorRed = MakeColor(255, 0, 0);

// Hue, saturation and lightness in [0, 1] to a colour; each channel rounded from x 255.
Color HslToColor(double hue, double saturation, double lightness);

}  // namespace korvana
