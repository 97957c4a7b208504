#include "core/dynamic/track.h"

#include <algorithm>
#include <cmath>

#include "core/time/angle_math.h"

namespace korvana {
namespace {

// Stations are located to about a second; the interpolation between the samples does
// not need them finer.
constexpr double StationTolerance = 1e-5;
constexpr int InterpolationBisections = 48;
// Between samples of a point moving at a good part of its top speed, and at least half a
// degree a day, the interpolation alone is well inside a second; where it moves slower
// (the outer planets, any planet near a station) the small wobbles of the apparent
// position (nutation, aberration) become a large error in time, and a pass is refined
// on the ephemeris. The slow points have few passes, so this costs few calls.
constexpr double SlowFraction = 0.25;
constexpr double SlowSpeed = 0.5;  // degrees a day

}  // namespace

Track::Track(const MovingPoint& point, double start, double end) : point_(point) {
  const double step = point.SampleStep();
  const auto count = static_cast<std::size_t>(std::ceil((end - start) / step));
  samples_.reserve(count + 8);
  Motion m = point.At(start);
  samples_.push_back({start, m.longitude, m.speed});
  for (std::size_t i = 1; i <= count; ++i) {
    const double t = i == count ? end : start + static_cast<double>(i) * step;
    m = point.At(t);
    const Sample& prev = samples_.back();
    if ((prev.speed < 0) != (m.speed < 0)) AddStation(prev, t, m.speed);
    const Sample& last = samples_.back();
    samples_.push_back({t, last.unwrapped + SignedMod(360, m.longitude - Mod360(last.unwrapped)), m.speed});
  }
  for (const Sample& s : samples_) fastest_ = std::max(fastest_, std::abs(s.speed));
  for (std::size_t i = 0; i + 1 < samples_.size(); ++i) {
    const double low = std::min(samples_[i].unwrapped, samples_[i + 1].unwrapped);
    lowMod_.push_back(ModReal(360.0, low));
    span_.push_back(std::abs(samples_[i + 1].unwrapped - samples_[i].unwrapped));
  }
}

void Track::AddStation(const Sample& before, double laterTime, double laterSpeed) {
  double lo = before.time, hi = laterTime;
  const bool loNegative = before.speed < 0;
  Motion at{};
  while (hi - lo > StationTolerance) {
    const double mid = 0.5 * (lo + hi);
    at = point_.At(mid);
    ((at.speed < 0) == loNegative ? lo : hi) = mid;
  }
  const double t = 0.5 * (lo + hi);
  at = point_.At(t);
  // The station sample takes speed 0, so that the interpolant is flat there.
  samples_.push_back({t, before.unwrapped + SignedMod(360, at.longitude - Mod360(before.unwrapped)), 0.0});
}

double Track::Interpolated(std::size_t i, double jd) const {
  const Sample& a = samples_[i];
  const Sample& b = samples_[i + 1];
  const double h = b.time - a.time;
  const double s = (jd - a.time) / h;
  const double s2 = s * s, s3 = s2 * s;
  return (2 * s3 - 3 * s2 + 1) * a.unwrapped + (s3 - 2 * s2 + s) * h * a.speed +
         (-2 * s3 + 3 * s2) * b.unwrapped + (s3 - s2) * h * b.speed;
}

double Track::LongitudeAt(double jd) const {
  auto it = std::upper_bound(samples_.begin(), samples_.end(), jd,
                             [](double t, const Sample& s) { return t < s.time; });
  std::size_t i = it == samples_.begin() ? 0 : static_cast<std::size_t>(it - samples_.begin()) - 1;
  i = std::min(i, samples_.size() - 2);
  return Mod360(Interpolated(i, jd));
}

bool Track::NeedsRefining(std::size_t i) const {
  const double slow = std::max(SlowFraction * fastest_, SlowSpeed);
  return std::abs(samples_[i].speed) < slow || std::abs(samples_[i + 1].speed) < slow;
}

double Track::Refine(std::size_t i, double jd, double target) const {
  const Motion m = point_.At(jd);
  if (std::abs(m.speed) < 1e-9) return jd;
  const double next = jd - SignedMod(360, m.longitude - target) / m.speed;
  // Near a station the Newton step is unreliable; the interpolated moment stands.
  if (next < samples_[i].time || next > samples_[i + 1].time || std::abs(next - jd) > 1e-3) return jd;
  return next;
}

std::vector<Crossing> Track::Crossings(double longitude) const {
  std::vector<Crossing> result;
  const double target = Mod360(longitude);
  for (std::size_t i = 0; i + 1 < samples_.size(); ++i) {
    // A stretch covers less than 180 degrees, so it holds at most one value congruent to
    // the target: low + (target - low) mod 360, when that is not beyond its high end.
    double offset = target - lowMod_[i];
    if (offset < 0) offset += 360.0;
    if (offset > span_[i]) continue;
    const double ua = samples_[i].unwrapped, ub = samples_[i + 1].unwrapped;
    const double value = std::min(ua, ub) + offset;
    const bool belowA = ua < value, belowB = ub < value;
    if (belowA == belowB) continue;
    double lo = samples_[i].time, hi = samples_[i + 1].time;
    for (int n = 0; n < InterpolationBisections; ++n) {
      const double mid = 0.5 * (lo + hi);
      ((Interpolated(i, mid) < value) == belowA ? lo : hi) = mid;
    }
    const double t = 0.5 * (lo + hi);
    result.push_back({NeedsRefining(i) ? Refine(i, t, target) : t, belowA ? 1 : -1});
  }
  return result;
}

}  // namespace korvana
