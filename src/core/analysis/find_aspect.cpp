#include "core/analysis/find_aspect.h"

#include <algorithm>
#include <cmath>

#include "core/points/point_id.h"
#include "core/time/spherical_astronomy.h"
#include "core/time/angle_math.h"

namespace korvana {
namespace {

float Factor(const AspectSet& set, int point) {
  return IsPointId(point) ? set.moietyFactors[static_cast<std::size_t>(point)] : 0.0f;
}

double Separation(const AspectSet& set, double lonA, double latA, double lonB, double latB,
                  double diff) {
  if (set.header.separationMeasure == -1) return AngularSeparation(latA, lonA, latB, lonB);
  return diff <= 180 ? diff : 360 - diff;
}

// The sign-based result for record n: the record with orb = sep - angle, applying.
AspectMatch SignMatch(const AspectSet& set, int n, double sep) {
  const AspectRecord* rec = set.Record(n);
  if (n < 1 || n > 9 || rec == nullptr || !rec->inUse || !rec->HasNatalOrb()) return {};
  return {n, static_cast<float>(sep - rec->angle), true};
}

}  // namespace

int SignAspectRecord(double longitudeA, double longitudeB) {
  if (!std::isfinite(longitudeA) || !std::isfinite(longitudeB)) return 0;
  auto sign = [](double lon) {
    // trunc(lon / 30) mod 12 + 1, the remainder keeping the sign of the quotient.
    return static_cast<int>(std::fmod(std::trunc(lon / 30), 12.0)) + 1;
  };
  int d = std::abs(sign(longitudeB) - sign(longitudeA));
  if (d > 6) d = 12 - d;
  if (d < 0 || d > 6) return 0;
  static constexpr char Table[] = "1854392";
  return Table[d] - '0';
}

AspectMatch FindAspect(const AspectSet& set, int pointA, int pointB, const PointPos& a,
                       const PointPos& b, int column) {
  if (!set.loaded || column < 0 || column > 2) return {};
  const double lonA = a.Longitude, lonB = b.Longitude;
  if (!std::isfinite(lonA) || !std::isfinite(lonB) || !std::isfinite(a.Latitude) ||
      !std::isfinite(b.Latitude))
    return {};
  const double diff = ModReal(360, lonB - lonA);
  const double sep = Separation(set, lonA, a.Latitude, lonB, b.Latitude, diff);
  const AspectFileHeader& h = set.header;

  int pointClass = OrbLuminary;
  double factor = 1.0;
  switch (h.BaseMode()) {
    case SelectBySign:
      return SignMatch(set, SignAspectRecord(lonA, lonB), sep);
    case SelectByMoiety: {
      float fa = Factor(set, pointA), fb = Factor(set, pointB);
      if (h.moietyCombination == -1)
        factor = static_cast<double>(fa) + static_cast<double>(fb);
      else if (h.moietyChoice != -1)
        factor = std::max(fa, fb);
      else
        factor = fa;
      break;
    }
    default:
      // By orb; a mode the program never writes (3, or negative) is read the same way.
      pointClass = (pointA == PointMoon || pointA == PointSun || pointB == PointMoon || pointB == PointSun)
                       ? OrbLuminary
                       : OrbOther;
      break;
  }

  const bool greatCircle = h.separationMeasure == -1;
  for (int n = 1; n <= set.Count(); ++n) {
    const AspectRecord& rec = set.records[static_cast<std::size_t>(n)];
    if (!rec.inUse) continue;
    float q = static_cast<float>(sep - rec.angle);
    const double applyOrb = factor * rec.Orb(OrbApplying, pointClass, column);
    const double sepOrb = factor * rec.Orb(OrbSeparating, pointClass, column);
    const double absQ = std::fabs(q);
    if (!(absQ < applyOrb) && !(absQ < sepOrb)) continue;
    if (diff > 180) q = -q;
    bool applying;
    if (greatCircle) {
      // Move both points on by one hour and see whether the separation nears the angle.
      double later = AngularSeparation(a.Latitude + a.LatitudeSpeed / 24,
                                       lonA + a.LongitudeSpeed / 24,
                                       b.Latitude + b.LatitudeSpeed / 24,
                                       lonB + b.LongitudeSpeed / 24);
      applying = std::fabs(later - rec.angle) <= absQ;
    } else {
      double relativeSpeed = b.LongitudeSpeed - a.LongitudeSpeed;
      applying = (relativeSpeed < 0) != (q < 0);
    }
    if (!(absQ < (applying ? applyOrb : sepOrb))) continue;
    if (h.AlsoBySign()) {
      int bySign = SignAspectRecord(lonA, lonB);
      if (bySign != n) return {};
      return SignMatch(set, n, sep);
    }
    return {n, q, applying};
  }
  return {};
}

}  // namespace korvana
