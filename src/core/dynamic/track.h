// Track: a moving point sampled through a stretch of time, from which the moments it
// passes any longitude are found without further sampling.
//
// The samples lie one SampleStep() apart, with every station (speed changing sign)
// found by bisection and added as a sample, so that the longitude is monotonic between
// neighbouring samples and each pass of a longitude falls into exactly one of them.
// Inside a stretch the longitude is the cubic Hermite interpolant of the two samples'
// positions and speeds; a pass is bisected on it, and where the point moves slowly (near
// a station, where a small error in longitude is a large one in time) refined by one
// Newton step on the moving point itself. Either way a pass lies well within a second of
// the true moment.
#pragma once

#include <vector>

#include "core/dynamic/moving_point.h"

namespace korvana {

// A pass of a longitude: when, and whether the point moved forward (+1) or backward
// (retrograde, -1) through it.
struct Crossing {
  double time = 0.0;
  int direction = 1;
};

class Track {
 public:
  // Samples `point` from `start` to `end` (Julian days, end > start).
  Track(const MovingPoint& point, double start, double end);

  double Start() const { return samples_.front().time; }
  double End() const { return samples_.back().time; }

  // The longitude at a time inside the track, from the samples (no ephemeris call).
  double LongitudeAt(double jd) const;

  // Every pass of `longitude` (degrees, any value; taken modulo 360) strictly after the
  // start and up to the end, in time order. A pass is the moment the point's unwrapped
  // longitude goes from below a value congruent to `longitude` to at or above it, or back.
  std::vector<Crossing> Crossings(double longitude) const;

 private:
  struct Sample {
    double time;
    double unwrapped;  // longitude unwrapped through the samples
    double speed;
  };
  void AddStation(const Sample& before, double laterTime, double laterSpeed);
  double Interpolated(std::size_t i, double jd) const;
  bool NeedsRefining(std::size_t i) const;
  double Refine(std::size_t i, double jd, double target) const;

  const MovingPoint& point_;
  std::vector<Sample> samples_;
  double fastest_ = 0.0;       // the largest speed of the samples
  std::vector<double> lowMod_;  // per stretch: its lower longitude modulo 360
  std::vector<double> span_;    // and the degrees it covers
};

}  // namespace korvana
