// Moving points: the longitude and speed of a chart point as a function of time, for
// each technique the event search follows.
//
// Every time here is a Julian day in Universal Time on the search's own time scale (the
// real calendar of the transits and of the progressed years); speeds are degrees per day
// of that time scale. Longitudes are in the radix chart's zodiac (its offset at birth).
#pragma once

#include <cstdint>
#include <memory>

#include "core/astro/calculated_chart.h"

namespace korvana {

struct Motion {
  double longitude = 0.0;  // degrees in [0, 360)
  double speed = 0.0;      // degrees per day
};

// One moving point. At() must be a smooth function of time apart from the wrap of the
// longitude at 360; SampleStep() is a step (days) short enough that between two samples
// the speed changes sign at most once and the point moves well under 180 degrees.
class MovingPoint {
 public:
  virtual ~MovingPoint() = default;
  virtual Motion At(double jd) const = 0;
  virtual double SampleStep() const = 0;
};

// The number of Swiss Ephemeris position calls the moving points have made in this
// process (for the benchmarks); the counter is not synchronised between threads.
std::uint64_t EphemerisCallCount();

// The Swiss Ephemeris body that follows a PointId, or -1 for the points without one of
// their own (Earth, Vulcan, the angles and the parts). The South Node follows the North
// Node's body and is turned by 180 degrees.
int SwissBodyOf(int pointId, bool meanNode);

// Whether a point can be followed as a transit: it has a Swiss Ephemeris body. The angles
// and the points derived from them circle the chart once a day and are not followed.
bool CanTransit(int pointId);

// Whether a point can be followed as a secondary progression: a transiting point, or the
// Ascendant or Midheaven.
bool CanProgress(int pointId);

// The transiting point pointId for the radix chart (its node kind and zodiac offset).
// Requires CanTransit(pointId).
std::unique_ptr<MovingPoint> TransitingPoint(const CalculatedChart& radix, int pointId);

// Secondary progressions, a day for a year: the real moment t maps to the ephemeris
// moment birth + (t - birth) / 365.24219 (tropical years). A body is taken at that
// moment. The Midheaven progresses by solar arc in longitude (radix MC + progressed Sun
// - radix Sun); the Ascendant is the one that rises with the progressed Midheaven's
// right ascension at the radix house latitude and obliquity. Requires
// CanProgress(pointId).
std::unique_ptr<MovingPoint> ProgressedPoint(const CalculatedChart& radix, int pointId);

// The length of a progressed year in days.
inline constexpr double ProgressedYearDays = 365.24219;

}  // namespace korvana
