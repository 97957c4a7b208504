#include "core/astro/cast_chart.h"

#include <swephexp.h>

#include <cmath>

#include "core/astro/ephemeris.h"
#include "core/astro/houses.h"
#include "core/astro/own_backend.h"
#include "core/astro/zodiac.h"
#include "core/config/program_settings.h"
#include "core/time/instant.h"
#include "core/time/spherical_astronomy.h"
#include "core/time/angle_math.h"

namespace korvana {

namespace {

// The library body of each point; -1 where the point is derived or computed otherwise.
constexpr int SwissBody[LastPoint + 1] = {
    -1,
    SE_MOON, -1 /* Earth: opposite the Sun */, SE_SUN, -1 /* Vulcan: own back end */,
    SE_MERCURY, SE_VENUS, SE_MARS, SE_JUPITER, SE_SATURN, SE_URANUS, SE_NEPTUNE, SE_PLUTO,
    SE_CHIRON, SE_VESTA, SE_PALLAS, SE_JUNO, SE_CERES, SE_AST_OFFSET + 10, SE_AST_OFFSET + 5,
    SE_TRUE_NODE, -1, -1, -1, -1, -1, -1,
    SE_CUPIDO, SE_HADES, SE_ZEUS, SE_KRONOS, SE_APOLLON, SE_ADMETOS, SE_VULKANUS, SE_POSEIDON,
    SE_ISIS, SE_OSCU_APOG};

void ApplyVulcanOption(std::array<PointPos, LastPoint + 1>& p) {
  const PointPos& mercury = p[PointMercury];
  const PointPos& sun = p[PointSun];
  if (!mercury.Computed() || !sun.Computed()) return;
  PointPos v;
  v.LongitudeSpeed = mercury.LongitudeSpeed;
  v.LatitudeSpeed = mercury.LatitudeSpeed;
  v.DistanceSpeed = mercury.DistanceSpeed;
  v.Distance = p[PointVulcan].Distance;
  double d = SignedMod(360, mercury.Longitude - sun.Longitude);
  if (std::fabs(d) >= 3) {
    v.Longitude = Mod360(mercury.Longitude - 3 * (d > 0 ? 1 : -1));
    v.Latitude = mercury.Latitude;
  } else {
    v.Longitude = sun.Longitude;
    v.Latitude = sun.Latitude;
  }
  p[PointVulcan] = v;
}

}  // namespace

CastOptions CastOptionsFrom(const ProgramSettings& settings) {
  CastOptions o;
  o.HouseSystem = settings.Houses >= 1 && settings.Houses <= HouseSystemCount ? settings.Houses
                                                                               : HousesPlacidus;
  o.UserSVP = settings.UserSVP;
  o.EphemPath = settings.EphemPath;
  return o;
}

void SwissBackendPoints(std::array<PointPos, LastPoint + 1>& points, double jdUT,
                        double jdEphem, double zodiacOffset, const ChartRecord& chart) {
  std::int32_t flags = SEFLG_SPEED;
  if (chart.ParallaxMoon) {
    swe_set_topo(-chart.Longitude, chart.Latitude, 0);
    flags |= SEFLG_TOPOCTR;
  }
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    int body = SwissBody[id];
    if (id == PointNorthNode && chart.MeanNode) body = SE_MEAN_NODE;
    if (id == PointLilith && chart.MeanNode) body = SE_MEAN_APOG;
    if (body < 0) continue;
    double xx[6] = {0, 0, 0, 0, 0, 0};
    char serr[AS_MAXCH] = "";
    if (swe_calc_ut(jdUT, body, flags, xx, serr) < 0) continue;
    points[id] = {Mod360(xx[0] + zodiacOffset), xx[1], xx[2], xx[3], xx[4], xx[5]};
  }
  if (points[PointNorthNode].Computed()) {
    points[PointNorthNode].DistanceSpeed = 0;
    points[PointSouthNode] = points[PointNorthNode];
    points[PointSouthNode].Longitude = Mod360(points[PointNorthNode].Longitude + 180);
  }
  // The library gives no geocentric Earth: it stands opposite the Sun.
  if (points[PointSun].Computed()) {
    PointPos earth = points[PointSun];
    earth.Longitude = Mod360(earth.Longitude + 180);
    earth.Latitude = -earth.Latitude;
    earth.LatitudeSpeed = -earth.LatitudeSpeed;
    points[PointEarth] = earth;
  }
  points[PointVulcan] = OwnVulcan(jdEphem, zodiacOffset);
}

std::vector<int> UncomputedPoints(const CalculatedChart& chart) {
  std::vector<int> ids;
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    if (NeedsBirthTime(id)) continue;
    if (!chart.Point(id).Computed()) ids.push_back(id);
  }
  return ids;
}

void LeaveOutTimedParts(CalculatedChart& c) {
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    if (!NeedsBirthTime(id)) continue;
    c.Points[static_cast<std::size_t>(id)] = PointPos{};
    c.Equatorial[static_cast<std::size_t>(id)] = EquatorialPos{};
  }
  for (int k = 1; k <= 12; ++k) c.Houses.Cusps[static_cast<std::size_t>(k)] = (k - 1) * 30.0;
  c.Houses.CuspsAsCast = c.Houses.Cusps;
  c.Houses.MCIsCusp10 = c.Houses.AscIsCusp1 = false;
}

void DeriveAngles(CalculatedChart& c) {
  const double ramc = c.Moment.RAMC;
  const double eps = c.Moment.Obliquity;
  const double phi = c.Moment.HouseLatitude;
  const double o = c.Moment.ZodiacOffset;
  auto& p = c.Points;
  p[PointAscendant] = PointPos{Mod360(AscendantOf(ramc, eps, phi) + o), 0, 0, 0, 0, 0};
  p[PointMidheaven] = PointPos{Mod360(LongitudeOfRightAscension(ramc, eps) + o), 0, 0, 0, 0, 0};
  p[PointVertex] = PointPos{Mod360(VertexOf(ramc, eps, phi) + o), 0, 0, 0, 0, 0};
  p[PointEastPoint] = PointPos{Mod360(EastPointOf(ramc, eps) + o), 0, 0, 0, 0, 0};

  const PointPos& sun = p[PointSun];
  const PointPos& moon = p[PointMoon];
  if (sun.Computed() && moon.Computed()) {
    double asc = p[PointAscendant].Longitude;
    bool night = !c.Chart.PFDayOnly && ModReal(360, sun.Longitude - asc) <= 180;
    PointPos pf;
    if (night) {
      pf.Longitude = Mod360(asc + sun.Longitude - moon.Longitude);
      pf.Latitude = -moon.Latitude;
    } else {
      pf.Longitude = Mod360(asc + moon.Longitude - sun.Longitude);
      pf.Latitude = moon.Latitude;
    }
    p[PointPartOfFortune] = pf;
  }
  if (c.Chart.VulcanOption != 0) ApplyVulcanOption(p);
}

CalculatedChart CastChart(const ChartRecord& chart, const CastOptions& options) {
  if (!(std::fabs(chart.Latitude) <= 90.0) || !(std::fabs(chart.Longitude) <= 360.0) ||
      !std::isfinite(chart.ZoneHours) || std::fabs(chart.ZoneHours) > 24.0f ||
      !(std::fabs(options.UserSVP) <= 360.0))
    throw ECastError("The chart's latitude, longitude or zone is out of range.");
  CalculatedChart c;
  c.Chart = chart;
  c.Houses.HouseSystem = static_cast<std::uint8_t>(
      options.HouseSystem >= 1 && options.HouseSystem <= HouseSystemCount ? options.HouseSystem
                                                                          : HousesPlacidus);

  TLocalInstant instant;
  if (options.AtJDUT)
    instant.SetUTLocal(*options.AtJDUT);
  else
    instant.SetLocal(chart.Moment, "", 0, chart.ZoneHours);
  bool swiss = options.Backend == CalcBackend::Swiss ||
               (options.Backend == CalcBackend::Automatic && SwissEphemerisInUse());
  // The library computes each position at JDUT plus the delta T of the ephemeris it
  // really reads, which before and after the files' years is its built-in theory's; the
  // moment takes that delta T, so that JDEphem and all derived from it (the zodiac drift,
  // Vulcan, the obliquity) belong to the positions.
  if (swiss) {
    EphemerisSource source = SwissSourceAt(instant.JDUT);
    if (source != EphemerisSource::None) instant.SetDeltaT(SwissDeltaT(instant.JDUT, source));
  }
  c.Moment.JDUT = instant.JDUT;
  c.Moment.JDEphem = instant.JDEphem;
  c.Moment.ZodiacOffset =
      ZodiacOffset(chart.Zodiac, chart.MeanNode, instant.ZodiacDrift(), instant.T1900, options.UserSVP);
  c.Moment.HouseLatitude = GeocentricLatitude(chart.GeocentricLat, chart.Latitude);
  for (PointPos& p : c.Points) p = PointPos{};

  const double o = c.Moment.ZodiacOffset;
  double siderealHours;
  if (swiss) {
    SwissBackendPoints(c.Points, c.Moment.JDUT, c.Moment.JDEphem, o, chart);
    siderealHours = swe_sidtime(c.Moment.JDUT);
  } else {
    OwnBackendPoints(c.Points, c.Moment.JDEphem, o, chart.MeanNode, options.EphemPath);
    siderealHours = GreenwichSiderealTime(c.Moment.JDUT);
  }
  // Without the Sun and the Moon nothing of the chart can be read: the moment lies beyond
  // what the ephemeris (its files, else its built-in theory) computes.
  if (!c.Points[PointSun].Computed() || !c.Points[PointMoon].Computed())
    throw ECastError(OutsideEphemerisMessage);
  c.Moment.Obliquity = instant.TrueObliquity();
  if (options.FormulaSiderealTime) {
    const double midnight = std::floor(c.Moment.JDUT - 0.5) + 0.5;
    siderealHours = SiderealTimeAt((c.Moment.JDUT - midnight) * 24.0, SiderealTimeAt0h(midnight));
    c.Moment.Obliquity = Obliquity(instant.T1900) + Nutation(instant.T1900).deltaEpsilon;
  }
  c.Moment.RAMC = RamcFromSiderealTime(chart.Longitude, siderealHours);

  if (!swiss && chart.ParallaxMoon && c.Points[PointMoon].Computed()) {
    PointPos& moon = c.Points[PointMoon];
    double lon = ModReal(360, moon.Longitude - o);
    double lat = moon.Latitude;
    TopocentricMoon(lon, lat, moon.Distance, c.Moment.Obliquity, chart.Latitude,
                    ModReal(360, 15 * siderealHours - chart.Longitude));
    moon.Longitude = Mod360(lon + o);
    moon.Latitude = lat;
  }

  DeriveAngles(c);

  const double cosEps = CosDeg(c.Moment.Obliquity), sinEps = SinDeg(c.Moment.Obliquity);
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    const PointPos& p = c.Points[id];
    if (!p.Computed()) continue;
    EquatorialPosition e = EclipticToEquatorial(cosEps, sinEps, p.Latitude, p.Longitude - o);
    c.Equatorial[id] = {e.rightAscension, e.declination};
  }

  ComputeHouses(c);
  if (chart.TimeUnknown) LeaveOutTimedParts(c);
  return c;
}

}  // namespace korvana
