#include "core/time/angle_math.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace korvana {

double ModReal(double m, double x) {
  double r = x - m * std::floor(x / m);
  if (r < 0) r += m;
  // A tiny negative x can round to exactly m; keep the result inside [0, m).
  if (r >= m) r -= m;
  return r;
}

double Mod360(double x) {
  double k = std::floor(x / 360);
  // 360 * k must itself fit in 32 bits, as the integer product is formed there.
  double product = k * 360;
  if (!(product >= std::numeric_limits<std::int32_t>::min() &&
        product <= std::numeric_limits<std::int32_t>::max()))
    throw EIntOverflow("Integer overflow: angle out of range in Mod360");
  std::int32_t whole = static_cast<std::int32_t>(k) * 360;
  double r = x - whole;
  if (r < 0) r += 360;
  if (r >= 360) r -= 360;
  return r;
}

double SignedMod(double m, double x) { return ModReal(m, x + m / 2) - m / 2; }

double RadToDeg(double x) { return x / DegreesToRadians; }
double DegToRad(double x) { return x * DegreesToRadians; }
double SinDeg(double degrees) { return std::sin(degrees * DegreesToRadians); }
double CosDeg(double degrees) { return std::cos(degrees * DegreesToRadians); }
double TanDeg(double degrees) {
  double r = degrees * DegreesToRadians;
  return std::sin(r) / std::cos(r);
}
double TanRad(double radians) { return std::sin(radians) / std::cos(radians); }

double ArcTan2(double y, double x) {
  if (x != 0) {
    double t = std::atan(y / x);
    if (y >= 0 && x < 0) return t + Pi;
    if (y < 0 && y / x > 0) return t - Pi;
    return t;
  }
  if (y == 0) return 0;
  return y > 0 ? HalfPi : -HalfPi;
}

double ArcSin(double x) { return ArcTan2(x, std::sqrt(std::max(0.0, 1 - x * x))); }

double ArcCos(double x) { return HalfPi - ArcSin(x); }

double Interpolate3(double n, double y3, double y2, double y1) {
  double a = y2 - y1;
  double b = y3 - y2;
  return y2 + n * (a + b + n * (b - a)) / 2;
}

double MidPoint(double a, double b) {
  double m = ModReal(360, (a + b) / 2);
  if (ModReal(360, std::fabs(b - m)) > 90) return ModReal(360, m + 180);
  return m;
}

int SignOf(double longitude) {
  double s = std::fmod(std::floor(longitude / 30), 12.0);
  if (s < 0) s += 12;
  return static_cast<int>(s) + 1;
}

double ReduceDegrees(double x) {
  if (!std::isfinite(x)) return x;
  double r = std::fmod(x, 360.0);
  if (r < 0) r += 360.0;
  if (r >= 360.0) r = 0.0;
  return r;
}

int SignOfLongitude(double longitude) {
  if (!(longitude >= 0) || !std::isfinite(longitude)) return 0;
  return static_cast<int>(ReduceDegrees(longitude) / 30.0) % 12 + 1;
}

ScreenPoint PolarToScreen(int radius, float a, float b) {
  double theta = (static_cast<double>(a) - b) * Pi / 180;
  ScreenPoint p;
  p.x = static_cast<int>(std::nearbyint(-radius * std::cos(theta)));
  p.y = static_cast<int>(std::nearbyint(radius * std::sin(theta)));
  return p;
}

void SortIndexByReal(std::span<const double> key, std::span<int> index, int first, int count) {
  for (int i = first + 1; i < first + count; ++i) {
    int moving = index[i];
    int j = i - 1;
    while (j >= first && key[index[j]] > key[moving]) {
      index[j + 1] = index[j];
      --j;
    }
    index[j + 1] = moving;
  }
}

void SortIndexByInt(std::span<const std::int32_t> key, int base, std::span<int> index, int count) {
  auto k = [&](int i) { return key[index[i] - base]; };
  int gap = count;
  bool swapped = true;
  while (gap > 0 || swapped) {
    gap = static_cast<int>(gap * 0.76);
    int distance = gap + 1;
    swapped = false;
    for (int i = 0; i + distance < count; ++i) {
      if (k(i + distance) < k(i)) {
        std::swap(index[i], index[i + distance]);
        swapped = true;
      }
    }
  }
}

}  // namespace korvana
