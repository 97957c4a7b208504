#include "core/dynamic/moving_point.h"

#include <swephexp.h>

#include <array>
#include <cmath>

#include "core/astro/houses.h"
#include "core/points/point_id.h"
#include "core/time/angle_math.h"

namespace korvana {
namespace {

std::uint64_t ephemerisCalls = 0;

// Swiss Ephemeris bodies by PointId (-1: none); the nodes are chosen by the chart.
constexpr std::array<int, LastPoint + 1> Bodies = {
    -1,         SE_MOON,      -1,        SE_SUN,       -1,          SE_MERCURY,      SE_VENUS,
    SE_MARS,    SE_JUPITER,   SE_SATURN, SE_URANUS,    SE_NEPTUNE,  SE_PLUTO,        SE_CHIRON,
    SE_VESTA,   SE_PALLAS,    SE_JUNO,   SE_CERES,     SE_AST_OFFSET + 10, SE_AST_OFFSET + 5,
    SE_TRUE_NODE, SE_TRUE_NODE, -1,      -1,           -1,          -1,              -1,
    SE_CUPIDO,  SE_HADES,     SE_ZEUS,   SE_KRONOS,    SE_APOLLON,  SE_ADMETOS,      SE_VULKANUS,
    SE_POSEIDON, SE_ISIS,     SE_OSCU_APOG};

// A body's position; a failed call leaves the previous numbers (zeros), which the
// samples of the track then show as a standing point rather than a crash.
Motion BodyAt(int body, double jd, double offset, double turn) {
  double xx[6] = {0, 0, 0, 0, 0, 0};
  char serr[AS_MAXCH] = "";
  ++ephemerisCalls;
  swe_calc_ut(jd, body, SEFLG_SPEED, xx, serr);
  return {Mod360(xx[0] + offset + turn), xx[3]};
}

// The fast moving bodies need shorter steps: the Moon and Mercury (whose speed changes
// fastest near its elongations) for the accuracy of the interpolation between samples,
// the true node and apogee for their short wobbles.
double TransitStep(int pointId) {
  switch (pointId) {
    case PointMoon:
    case PointMercury: return 0.5;
    case PointNorthNode:
    case PointSouthNode:
    case PointLilith: return 0.25;
    default: return 1.0;
  }
}

class TransitBody final : public MovingPoint {
 public:
  TransitBody(int body, double offset, double turn, double step)
      : body_(body), offset_(offset), turn_(turn), step_(step) {}
  Motion At(double jd) const override { return BodyAt(body_, jd, offset_, turn_); }
  double SampleStep() const override { return step_; }

 private:
  int body_;
  double offset_, turn_, step_;
};

// Maps real time to the progressed ephemeris moment.
struct ProgressedClock {
  double birth;
  double EphemerisMoment(double jd) const { return birth + (jd - birth) / ProgressedYearDays; }
};

// Ten real days move the progressed Moon about a third of a degree.
constexpr double ProgressedStep = 10.0;

class ProgressedBody final : public MovingPoint {
 public:
  ProgressedBody(ProgressedClock clock, int body, double offset, double turn)
      : clock_(clock), body_(body), offset_(offset), turn_(turn) {}
  Motion At(double jd) const override {
    Motion m = BodyAt(body_, clock_.EphemerisMoment(jd), offset_, turn_);
    m.speed /= ProgressedYearDays;
    return m;
  }
  double SampleStep() const override { return ProgressedStep; }

 private:
  ProgressedClock clock_;
  int body_;
  double offset_, turn_;
};

// The Midheaven by solar arc, or the Ascendant rising with it.
class ProgressedAngle final : public MovingPoint {
 public:
  ProgressedAngle(const CalculatedChart& radix, bool ascendant)
      : sun_(ProgressedClock{radix.Moment.JDUT}, SE_SUN, radix.Moment.ZodiacOffset, 0.0),
        radixMC_(radix.Longitude(PointMidheaven)),
        radixSun_(radix.Longitude(PointSun)),
        offset_(radix.Moment.ZodiacOffset),
        obliquity_(radix.Moment.Obliquity),
        latitude_(radix.Moment.HouseLatitude),
        ascendant_(ascendant) {}

  Motion At(double jd) const override {
    const Motion sun = sun_.At(jd);
    const double mc = Mod360(radixMC_ + sun.longitude - radixSun_);
    if (!ascendant_) return {mc, sun.speed};
    // The Ascendant's speed is its rate of change with the MC times the MC's speed.
    constexpr double dm = 1e-4;
    const double rate = SignedMod(360, AscendantFor(mc + dm) - AscendantFor(mc - dm)) / (2 * dm);
    return {AscendantFor(mc), rate * sun.speed};
  }
  double SampleStep() const override { return ProgressedStep; }

 private:
  double AscendantFor(double mc) const {
    const double tropical = mc - offset_;
    const double ramc = Mod360(RadToDeg(ArcTan2(SinDeg(tropical) * CosDeg(obliquity_), CosDeg(tropical))));
    return Mod360(AscendantOf(ramc, obliquity_, latitude_) + offset_);
  }

  ProgressedBody sun_;
  double radixMC_, radixSun_, offset_, obliquity_, latitude_;
  bool ascendant_;
};

}  // namespace

std::uint64_t EphemerisCallCount() { return ephemerisCalls; }

int SwissBodyOf(int pointId, bool meanNode) {
  if (!IsPointId(pointId)) return -1;
  if (meanNode && (pointId == PointNorthNode || pointId == PointSouthNode)) return SE_MEAN_NODE;
  if (meanNode && pointId == PointLilith) return SE_MEAN_APOG;
  return Bodies[static_cast<std::size_t>(pointId)];
}

bool CanTransit(int pointId) { return SwissBodyOf(pointId, false) >= 0; }

bool CanProgress(int pointId) {
  return CanTransit(pointId) || pointId == PointAscendant || pointId == PointMidheaven;
}

std::unique_ptr<MovingPoint> TransitingPoint(const CalculatedChart& radix, int pointId) {
  const double turn = pointId == PointSouthNode ? 180.0 : 0.0;
  return std::make_unique<TransitBody>(SwissBodyOf(pointId, radix.Chart.MeanNode),
                                       radix.Moment.ZodiacOffset, turn, TransitStep(pointId));
}

std::unique_ptr<MovingPoint> ProgressedPoint(const CalculatedChart& radix, int pointId) {
  if (pointId == PointAscendant || pointId == PointMidheaven)
    return std::make_unique<ProgressedAngle>(radix, pointId == PointAscendant);
  const double turn = pointId == PointSouthNode ? 180.0 : 0.0;
  return std::make_unique<ProgressedBody>(ProgressedClock{radix.Moment.JDUT},
                                          SwissBodyOf(pointId, radix.Chart.MeanNode),
                                          radix.Moment.ZodiacOffset, turn);
}

}  // namespace korvana
