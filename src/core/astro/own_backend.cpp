#include "core/astro/own_backend.h"

#include <swephexp.h>

#include <cmath>

#include "core/astro/asteroid_file.h"
#include "core/time/spherical_astronomy.h"
#include "core/time/angle_math.h"

namespace korvana {

namespace {

constexpr double OneHour = 1.0 / 24.0;
constexpr double LightDaysPerAu = 0.0057755183;
constexpr double SunAberration = 20.5 / 3600.0;
constexpr std::int32_t GeometricFlags =
    SEFLG_MOSEPH | SEFLG_TRUEPOS | SEFLG_NONUT | SEFLG_NOABERR | SEFLG_NOGDEFL;

struct Ecliptic {
  double longitude = 0, latitude = 0, distance = 0;
};

// Geometric geocentric position of a library body, mean equinox of date.
bool LibraryGeometric(int body, double jd, Ecliptic& out) {
  double xx[6] = {0, 0, 0, 0, 0, 0};
  char serr[AS_MAXCH] = "";
  if (swe_calc(jd, body, GeometricFlags, xx, serr) < 0) return false;
  out = {xx[0], xx[1], xx[2]};
  return true;
}

// Vulcan's heliocentric position from the Weston elements (T centuries since 1900,
// equinox of date), solved as a Kepler orbit.
Ecliptic VulcanHeliocentric(double jd) {
  double t = (jd - 2415020.0) / 36525.0;
  double meanAnomaly = ModReal(360, 252.8987988 + 707550.7341 * t);
  double a = 0.13744, e = 0.019, incl = 7.5;
  double perihelionArg = 322.212069 + 1670.056 * t;
  double node = 47.787931 - 1670.056 * t;
  double m = DegToRad(meanAnomaly);
  double ecc = m;
  for (int i = 0; i < 20; ++i) ecc -= (ecc - e * std::sin(ecc) - m) / (1 - e * std::cos(ecc));
  double xv = a * (std::cos(ecc) - e);
  double yv = a * std::sqrt(1 - e * e) * std::sin(ecc);
  double v = RadToDeg(std::atan2(yv, xv));
  double r = std::hypot(xv, yv);
  double u = v + perihelionArg;  // argument of latitude
  double lon = node + RadToDeg(std::atan2(SinDeg(u) * CosDeg(incl), CosDeg(u)));
  double lat = RadToDeg(std::asin(SinDeg(u) * SinDeg(incl)));
  return {ModReal(360, lon), lat, r};
}

bool SunGeometric(double jd, Ecliptic& sun) { return LibraryGeometric(SE_SUN, jd, sun); }

// Geocentric position of a body given heliocentrically: its vector plus the Sun's
// geocentric vector.
Ecliptic FromHeliocentric(const Ecliptic& helio, const Ecliptic& sun) {
  SphericalPosition p = AddSpherical(helio.distance, helio.latitude, helio.longitude,
                                     sun.distance, sun.latitude, sun.longitude);
  return {ModReal(360, p.longitude), p.latitude, p.distance};
}

// A position and its motions from two positions one hour apart.
PointPos FromTwo(const Ecliptic& p1, const Ecliptic& p2) {
  PointPos p;
  p.Longitude = p1.longitude;
  p.Latitude = p1.latitude;
  p.Distance = p1.distance;
  p.LongitudeSpeed = SignedMod(360, p2.longitude - p1.longitude) * 24;
  p.LatitudeSpeed = (p2.latitude - p1.latitude) * 24;
  p.DistanceSpeed = (p2.distance - p1.distance) * 24;
  return p;
}

// Nutation in longitude and the light-time term, then the zodiac. The light time moves
// the latitude as well (by up to 3" for Mercury), so it is applied to both.
void ApparentPlanet(PointPos& p, double deltaPsi, double zodiacOffset) {
  double lightTime = p.Distance * LightDaysPerAu;
  p.Longitude = Mod360(p.Longitude + deltaPsi - p.LongitudeSpeed * lightTime + zodiacOffset);
  p.Latitude -= p.LatitudeSpeed * lightTime;
}

bool GeometricOfPoint(int id, double jd, bool meanNode, const std::string& ephemPath,
                      Ecliptic& out) {
  switch (id) {
    case PointVulcan: {
      Ecliptic sun;
      if (!SunGeometric(jd, sun)) return false;
      out = FromHeliocentric(VulcanHeliocentric(jd), sun);
      return true;
    }
    case PointMercury: return LibraryGeometric(SE_MERCURY, jd, out);
    case PointVenus: return LibraryGeometric(SE_VENUS, jd, out);
    case PointMars: return LibraryGeometric(SE_MARS, jd, out);
    case PointJupiter: return LibraryGeometric(SE_JUPITER, jd, out);
    case PointSaturn: return LibraryGeometric(SE_SATURN, jd, out);
    case PointUranus: return LibraryGeometric(SE_URANUS, jd, out);
    case PointNeptune: return LibraryGeometric(SE_NEPTUNE, jd, out);
    case PointPluto: return LibraryGeometric(SE_PLUTO, jd, out);
    case PointNorthNode: return LibraryGeometric(meanNode ? SE_MEAN_NODE : SE_TRUE_NODE, jd, out);
    case PointLilith: return LibraryGeometric(meanNode ? SE_MEAN_APOG : SE_OSCU_APOG, jd, out);
    default:
      if (id >= PointCupido && id <= PointTransPluto)
        return LibraryGeometric(SE_CUPIDO + (id - PointCupido), jd, out);
      if (id >= PointChiron && id <= PointAstraea) {
        auto helio = AsteroidHeliocentric(ephemPath, id, jd);
        Ecliptic sun;
        if (!helio || !SunGeometric(jd, sun)) return false;
        const HelioPosition& h = helio->position;
        out = FromHeliocentric({h.longitude, h.latitude, h.distance}, sun);
        return true;
      }
      return false;
  }
}

bool OwnPoint(int id, double jd, double deltaPsi, double zodiacOffset, bool meanNode,
              const std::string& ephemPath, PointPos& out) {
  Ecliptic p1, p2;
  if (!GeometricOfPoint(id, jd, meanNode, ephemPath, p1) ||
      !GeometricOfPoint(id, jd + OneHour, meanNode, ephemPath, p2))
    return false;
  out = FromTwo(p1, p2);
  ApparentPlanet(out, deltaPsi, zodiacOffset);
  return true;
}

}  // namespace

double MoonHorizontalParallax(double distanceAu) {
  return RadToDeg(std::asin(6378.14 / (distanceAu * 149597870.7)));
}

void TopocentricMoon(double& longitude, double& latitude, double distanceAu, double obliquity,
                     double placeLatitude, double localSiderealDegrees) {
  double sinPi = SinDeg(MoonHorizontalParallax(distanceAu));
  double u = RadToDeg(std::atan(0.99664719 * TanDeg(placeLatitude)));
  double rhoSin = 0.99664719 * SinDeg(u);
  double rhoCos = CosDeg(u);
  double theta = localSiderealDegrees;
  double lam = longitude, beta = latitude, eps = obliquity;
  double n = CosDeg(lam) * CosDeg(beta) - rhoCos * sinPi * CosDeg(theta);
  double lamT = RadToDeg(std::atan2(
      SinDeg(lam) * CosDeg(beta) -
          sinPi * (rhoSin * SinDeg(eps) + rhoCos * CosDeg(eps) * SinDeg(theta)),
      n));
  double betaT = RadToDeg(std::atan(
      CosDeg(lamT) * (SinDeg(beta) - sinPi * (rhoSin * CosDeg(eps) - rhoCos * SinDeg(eps) * SinDeg(theta))) /
      n));
  longitude = ModReal(360, lamT);
  latitude = betaT;
}

PointPos OwnVulcan(double jdEphem, double zodiacOffset) {
  PointPos p;
  double deltaPsi = Nutation(CenturiesSince1900(jdEphem)).deltaPsi;
  if (!OwnPoint(PointVulcan, jdEphem, deltaPsi, zodiacOffset, false, "", p)) return PointPos{};
  return p;
}

double OwnNodeLongitude(bool meanNode, double jdEphem) {
  PointPos p;
  double deltaPsi = Nutation(CenturiesSince1900(jdEphem)).deltaPsi;
  if (!OwnPoint(PointNorthNode, jdEphem, deltaPsi, 0.0, meanNode, "", p)) return 0.0;
  return p.Longitude;
}

void OwnBackendPoints(std::array<PointPos, LastPoint + 1>& points, double jdEphem,
                      double zodiacOffset, bool meanNode, const std::string& ephemPath) {
  double t1900 = CenturiesSince1900(jdEphem);
  double deltaPsi = Nutation(t1900).deltaPsi;

  // The Moon: nutation only.
  Ecliptic m1, m2;
  if (LibraryGeometric(SE_MOON, jdEphem, m1) && LibraryGeometric(SE_MOON, jdEphem + OneHour, m2)) {
    PointPos moon = FromTwo(m1, m2);
    moon.Longitude = Mod360(moon.Longitude + deltaPsi + zodiacOffset);
    points[PointMoon] = moon;
  }

  // The Sun: nutation and the constant of aberration; the Earth opposite.
  Ecliptic s1, s2;
  if (SunGeometric(jdEphem, s1) && SunGeometric(jdEphem + OneHour, s2)) {
    PointPos sun = FromTwo(s1, s2);
    sun.Longitude = Mod360(sun.Longitude + deltaPsi - SunAberration + zodiacOffset);
    points[PointSun] = sun;
    PointPos earth = sun;
    earth.Longitude = Mod360(sun.Longitude + 180);
    earth.Latitude = -sun.Latitude;
    earth.LatitudeSpeed = -sun.LatitudeSpeed;
    points[PointEarth] = earth;
  }

  bool asteroidsInRange = t1900 >= -1.0 && t1900 <= 1.5;
  for (int id = PointVulcan; id <= LastPoint; ++id) {
    if (id == PointSouthNode || (id >= PointAscendant && id <= PointPartOfFortune)) continue;
    if (id >= PointChiron && id <= PointAstraea && !asteroidsInRange) continue;
    PointPos p;
    if (!OwnPoint(id, jdEphem, deltaPsi, zodiacOffset, meanNode, ephemPath, p)) continue;
    if (id == PointNorthNode) {
      p.Latitude = 0;
      p.LatitudeSpeed = 0;
      p.DistanceSpeed = 0;
    }
    points[id] = p;
  }
  if (points[PointNorthNode].Computed()) {
    points[PointSouthNode] = points[PointNorthNode];
    points[PointSouthNode].Longitude = Mod360(points[PointNorthNode].Longitude + 180);
  }
}

}  // namespace korvana
