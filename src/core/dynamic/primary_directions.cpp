#include "core/dynamic/primary_directions.h"

#include <cmath>
#include <optional>

#include "core/dynamic/moving_point.h"
#include "core/time/angle_math.h"

namespace korvana {
namespace {

// A point of the ecliptic in the radix sphere.
struct SpherePoint {
  double hourAngle;  // degrees west of the meridian, [0, 360)
  double diurnal;    // semi-arcs, degrees
  double nocturnal;
};

std::optional<SpherePoint> InSphere(double longitude, double ramc, double obliquity, double latitude) {
  const double ra = Mod360(RadToDeg(ArcTan2(SinDeg(longitude) * CosDeg(obliquity), CosDeg(longitude))));
  const double declination = RadToDeg(std::asin(SinDeg(obliquity) * SinDeg(longitude)));
  const double x = TanDeg(latitude) * TanDeg(declination);
  if (!(std::abs(x) < 1.0)) return std::nullopt;
  const double ad = RadToDeg(std::asin(x));
  return SpherePoint{Mod360(ramc - ra), 90.0 + ad, 90.0 - ad};
}

// The proportional place, 0 at the MC, 1 at the Descendant, 2 at the IC, 3 at the
// Ascendant, growing with the primary motion.
double Place(const SpherePoint& p) {
  const double h = p.hourAngle;
  if (h <= p.diurnal) return h / p.diurnal;
  if (h <= 180.0) return 1.0 + (h - p.diurnal) / p.nocturnal;
  if (h <= 180.0 + p.nocturnal) return 2.0 + (h - 180.0) / p.nocturnal;
  return 3.0 + (h - 180.0 - p.nocturnal) / p.diurnal;
}

// The hour angle at which a point of these semi-arcs holds a proportional place.
double HourAngleAt(const SpherePoint& p, double place) {
  if (place <= 1.0) return place * p.diurnal;
  if (place <= 2.0) return p.diurnal + (place - 1.0) * p.nocturnal;
  if (place <= 3.0) return 180.0 + (place - 2.0) * p.nocturnal;
  return 180.0 + p.nocturnal + (place - 3.0) * p.diurnal;
}

double YearsToDays(double arc) { return arc / NaibodArcPerYear * ProgressedYearDays; }

}  // namespace

double DirectionArc(double promissor, double significator, double ramc, double obliquity, double latitude) {
  const auto p = InSphere(promissor, ramc, obliquity, latitude);
  const auto s = InSphere(significator, ramc, obliquity, latitude);
  if (!p || !s) return -1.0;
  return Mod360(HourAngleAt(*p, Place(*s)) - p->hourAngle);
}

std::vector<Configuration> FindDirections(const SearchRequest& request) {
  const CalculatedChart& radix = request.radix;
  const double offset = radix.Moment.ZodiacOffset;
  const double birth = radix.Moment.JDUT;
  std::vector<Configuration> found;
  for (std::size_t m = 0; m < request.movingPoints.size(); ++m) {
    const PointPos& mover = radix.Point(request.movingPoints[m]);
    if (!mover.Computed()) continue;
    for (std::size_t r = 0; r < request.radixPoints.size(); ++r) {
      const PointPos& target = radix.Point(request.radixPoints[r]);
      if (!target.Computed()) continue;
      for (const DynamicAspect& aspect : request.aspects) {
        const bool twoSided = aspect.angle > 1e-9 && aspect.angle < 180 - 1e-9;
        for (double side : {1.0, -1.0}) {
          if (side < 0 && !twoSided) continue;
          const double promissor = Mod360(mover.Longitude + side * aspect.angle - offset);
          const double arc = DirectionArc(promissor, Mod360(target.Longitude - offset), radix.Moment.RAMC,
                                          radix.Moment.Obliquity, radix.Moment.HouseLatitude);
          if (arc < 1e-9) continue;  // circumpolar, or the significator itself
          const double enters = birth + YearsToDays(arc - aspect.enterOrb);
          const double exact = birth + YearsToDays(arc);
          const double leaves = birth + YearsToDays(arc + aspect.leaveOrb);
          if (leaves < request.start || enters > request.end) continue;
          Configuration c;
          c.movingIndex = static_cast<int>(m);
          c.aspect = aspect.type;
          c.radixIndex = static_cast<int>(r);
          c.events.push_back(enters < request.start ? ConfigurationEvent{EventInOrbAtStart, request.start}
                                                    : ConfigurationEvent{EventEntersOrb, enters});
          if (exact >= request.start && exact <= request.end) c.events.push_back({EventExact, exact});
          c.events.push_back(leaves > request.end ? ConfigurationEvent{EventInOrbAtEnd, request.end}
                                                  : ConfigurationEvent{EventLeavesOrb, leaves});
          found.push_back(std::move(c));
        }
      }
    }
  }
  return found;
}

}  // namespace korvana
