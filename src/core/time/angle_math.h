// Angle and number helpers: modular arithmetic on angles, degree trigonometry,
// midpoints, zodiac sign numbers, polar-to-screen points and two index sorts.
// Pure functions; angles in degrees unless a name says radians.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>

namespace korvana {

constexpr double Pi = 3.141592653589793;
constexpr double DegreesToRadians = 0.017453292519943295;
constexpr double HalfPi = 1.5707963267948966;

// Thrown by Mod360 when the angle is so large that 360 * floor(x / 360) leaves the
// signed 32-bit range (beyond about +-2.1e9 degrees), or is not a number.
class EIntOverflow : public std::overflow_error {
 public:
  using std::overflow_error::overflow_error;
};

// x - m * floor(x / m), with m added when that is negative: the result is in [0, m).
double ModReal(double m, double x);

// x - 360 * k with k = floor(x / 360) as a 32-bit integer and 360 * k formed in 32 bits;
// a negative remainder gets 360 added. Throws EIntOverflow where that overflows.
double Mod360(double x);

// ((x + m/2) mod m) - m/2: the signed difference in [-m/2, m/2).
double SignedMod(double m, double x);

double RadToDeg(double x);
double DegToRad(double x);
double SinDeg(double degrees);
double CosDeg(double degrees);
double TanDeg(double degrees);  // sine / cosine
double TanRad(double radians);  // sine / cosine

// atan2 with the quadrant rules of classical almanac code; result in (-pi, pi], and
// ArcTan2(0, 0) is 0.
double ArcTan2(double y, double x);
// ArcTan2(x, sqrt(1 - x^2)); an argument a rounding error beyond +-1 gives +-pi/2.
double ArcSin(double x);
// pi/2 - ArcSin(x).
double ArcCos(double x);

// Three-point interpolation about y2: n is the fraction of a tabular interval from y2
// towards y3 (negative towards y1).
double Interpolate3(double n, double y3, double y2, double y1);

// The midpoint of two longitudes on the shorter arc; for opposite points the first
// candidate, ModReal(360, (a + b) / 2), stands.
double MidPoint(double a, double b);

// The zodiac sign number 1 (Aries) .. 12 (Pisces) of a longitude.
int SignOf(double longitude);

// An angle reduced to [0, 360) without ever failing: a value that is not a number stays
// one, so every comparison with it is false.
double ReduceDegrees(double x);

// The sign 1..12 of a point's longitude, or 0 for a point that was not calculated (a
// negative longitude or one that is not a number).
int SignOfLongitude(double longitude);

struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// The point at `radius` from a wheel's centre for longitude a when longitude b lies on
// the left-hand horizon: counter-clockwise from the left, y growing downwards. The
// coordinates are rounded half to even.
ScreenPoint PolarToScreen(int radius, float a, float b);

// Stable insertion sort of index[first .. first + count - 1] so that key[index[i]]
// ascends; equal keys keep their order. Indexes outside the key array are not allowed.
void SortIndexByReal(std::span<const double> key, std::span<int> index, int first, int count);

// Comb sort of index[0 .. count - 1], ascending by key[index[i] - base]; equal keys are
// not swapped. The gap starts at count and becomes floor(gap * 0.76) before each pass;
// a pass compares elements gap + 1 apart; once the gap is 0, neighbour passes repeat
// until one makes no swap.
void SortIndexByInt(std::span<const std::int32_t> key, int base, std::span<int> index, int count);

}  // namespace korvana
