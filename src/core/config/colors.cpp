#include "core/config/colors.h"

#include <cmath>

namespace korvana {
namespace {

double HueChannel(double p, double q, double t) {
  t -= std::floor(t);
  if (t < 1.0 / 6.0) return p + (q - p) * 6.0 * t;
  if (t < 1.0 / 2.0) return q;
  if (t < 2.0 / 3.0) return p + (q - p) * (2.0 / 3.0 - t) * 6.0;
  return p;
}

int Channel(double v) { return static_cast<int>(std::nearbyint(v * 255.0)); }

}  // namespace

Color HslToColor(double hue, double saturation, double lightness) {
  if (saturation == 0.0) {
    int v = Channel(lightness);
    return MakeColor(v, v, v);
  }
  double q = lightness <= 0.5 ? lightness * (1.0 + saturation)
                              : lightness + saturation - lightness * saturation;
  double p = 2.0 * lightness - q;
  return MakeColor(Channel(HueChannel(p, q, hue + 1.0 / 3.0)), Channel(HueChannel(p, q, hue)),
                   Channel(HueChannel(p, q, hue - 1.0 / 3.0)));
}

}  // namespace korvana
