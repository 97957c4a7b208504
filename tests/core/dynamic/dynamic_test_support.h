// Shared helpers of the dynamic engine's tests: natal charts and positions straight
// from the Swiss Ephemeris, with a bisection on them.
#pragma once

#include <swephexp.h>

#include <functional>

#include "core/analysis/aspect_file.h"
#include "core/astro/calculated_chart.h"
#include "core/dynamic/moving_point.h"
#include "core/time/angle_math.h"
#include "core/astro/astro_test_support.h"

namespace korvana::testing {

constexpr double Second = 1.0 / 86400.0;

// A point's tropical longitude straight from the library (true node).
inline double Direct(int pointId, double jd) {
  double xx[6];
  char serr[AS_MAXCH];
  swe_calc_ut(jd, SwissBodyOf(pointId, false), SEFLG_SPEED, xx, serr);
  return xx[0];
}

// The moment in [lo, hi] where `longitude(t)` passes `target`, by bisection to a
// hundredth of a second; the two ends must lie on either side.
inline double Bisect(const std::function<double(double)>& longitude, double lo, double hi, double target) {
  auto below = [&](double t) { return SignedMod(360, longitude(t) - target) < 0; };
  const bool loBelow = below(lo);
  while (hi - lo > 0.01 * Second) {
    const double mid = 0.5 * (lo + hi);
    (below(mid) == loBelow ? lo : hi) = mid;
  }
  return 0.5 * (lo + hi);
}

// Whether `longitude(t)` passes `target` between t - window and t + window.
inline bool PassesNear(const std::function<double(double)>& longitude, double t, double window, double target) {
  return (SignedMod(360, longitude(t - window) - target) < 0) != (SignedMod(360, longitude(t + window) - target) < 0);
}

// An aspect file with records 1..4 for the conjunction, opposition, trine and square,
// whose dynamic orbs are 1.5 entering and 1 leaving; the conjunction and the square are
// in use.
inline bool SaveTestAspectFile(const std::string& path) {
  AspectSet aspects;
  aspects.header.count = 4;
  const double angles[] = {0, 180, 120, 90};
  for (int n = 1; n <= 4; ++n) {
    AspectRecord& r = aspects.records[static_cast<std::size_t>(n)];
    r.aspectType = static_cast<std::int16_t>(n);
    r.angle = angles[n - 1];
    r.inUse = n == 1 || n == 4;
    for (int cls : {OrbLuminary, OrbOther}) {
      r.SetOrb(OrbApplying, cls, OrbDynamic, 1.5);
      r.SetOrb(OrbSeparating, cls, OrbDynamic, 1.0);
    }
  }
  return SaveAspectFile(path, aspects);
}

}  // namespace korvana::testing
