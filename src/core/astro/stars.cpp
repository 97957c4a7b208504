#include "core/astro/stars.h"

#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/time/angle_math.h"
#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/records.h"
#include "core/util/text.h"

namespace korvana {

namespace {

constexpr double MasToRad = DegreesToRadians / 3600000.0;
constexpr double AuPerParsec = 206264.806;
constexpr double KmPerSecToAuPerYear = 0.210945;
constexpr double FarAway = 1e10;  // AU, for a star without parallax

std::string Padded(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

struct Vec {
  double x = 0, y = 0, z = 0;
};

Vec FromSpherical(double lon, double lat, double r) {
  return {r * std::cos(lat) * std::cos(lon), r * std::cos(lat) * std::sin(lon), r * std::sin(lat)};
}

// The stars read whole: a file cut short still gives its whole records, one that cannot be
// read none.
std::vector<StarRecord> WholeStarRecords(const std::string& path) {
  try {
    return ReadStarFile(path);
  } catch (const EStarFileCutShort& e) {
    return e.WholeRecords();
  } catch (const EStarFileError&) {
    return {};
  }
}

}  // namespace

std::string EncodeStarFile(const std::vector<StarRecord>& stars) {
  ByteWriter w;
  w.I16(static_cast<std::int16_t>(std::min<std::size_t>(stars.size(), 32767)));
  for (const StarRecord& s : stars) {
    w.Bytes(Padded(Utf8ToCp1252(s.Name), 24));
    w.Bytes(Padded(Utf8ToCp1252(s.Designation), 22));
    for (std::int32_t v : s.Values) w.I32(v);
    w.I16(s.Magnitude);
    w.Zeros(6);
  }
  return w.Take();
}

std::vector<StarRecord> ReadStarFile(const std::string& path) {
  auto bytes = ReadFileBytes(path);
  if (!bytes || bytes->size() < 2) throw EStarFileError("Unable to read star file: " + path);
  ByteReader r(*bytes);
  const int count = r.I16();
  if (count < 0) throw EStarFileError("Unable to read star file: " + path);
  const std::size_t wanted = std::min(static_cast<std::size_t>(count), static_cast<std::size_t>(MaxStars));
  const std::size_t present = (bytes->size() - 2) / StarRecordSize;
  std::vector<StarRecord> stars(std::min(wanted, present));
  for (StarRecord& s : stars) {
    s.Name = Cp1252ToUtf8(r.Bytes(24));
    s.Designation = Cp1252ToUtf8(r.Bytes(22));
    for (std::int32_t& v : s.Values) v = r.I32();
    s.Magnitude = r.I16();
    r.Skip(6);
  }
  if (present < wanted) throw EStarFileCutShort("Star file is cut short: " + path, std::move(stars));
  return stars;
}

std::string StarNameOf(const StarRecord& star) {
  std::string_view name = star.Name;
  return std::string(Trim(name.substr(0, name.find('\0'))));
}

std::optional<StarRecord> ParseCatalogueStarLine(std::string_view line) {
  std::string_view body = Trim(line);
  if (body.empty() || body.front() == '#') return std::nullopt;
  std::vector<std::string> f;
  for (auto part : Split(body, ',')) f.emplace_back(Trim(part));
  if (f.size() < 14 || (f[0].empty() && f[1].empty())) return std::nullopt;
  if (f[2] != "ICRS" && f[2] != "2000") return std::nullopt;
  double n[11];
  for (int i = 0; i < 11; ++i) {
    auto value = ParseReal(f[static_cast<std::size_t>(i + 3)]);
    if (!value) return std::nullopt;
    n[i] = *value;
  }
  bool south = !f[6].empty() && f[6].front() == '-';
  double raHours = n[0] + n[1] / 60 + n[2] / 3600;
  double decDegrees = std::fabs(n[3]) + n[4] / 60 + n[5] / 3600;
  if (south) decDegrees = -decDegrees;
  if (raHours < 0 || raHours >= 24 || std::fabs(decDegrees) > 90) return std::nullopt;
  StarRecord s;
  s.Name = f[0].empty() ? f[1] : f[0];  // a star without a traditional name: its designation
  s.Designation = f[1];
  s.Values = {static_cast<std::int32_t>(std::llround(raHours * 15 * 3600000)),
              static_cast<std::int32_t>(std::llround(decDegrees * 3600000)),
              static_cast<std::int32_t>(std::llround(n[6] * 1000)),
              static_cast<std::int32_t>(std::llround(n[7] * 1000)),
              static_cast<std::int32_t>(std::llround(n[8] * 1000)),
              static_cast<std::int32_t>(std::llround(std::max(n[9], 0.0) * 1000))};
  s.Magnitude = static_cast<std::int16_t>(std::clamp(std::lround(n[10] * 100), -32768L, 32767L));
  return s;
}

std::vector<std::string> LoadStarNames(const std::string& path) {
  std::vector<std::string> names{"Error"};
  for (const StarRecord& s : WholeStarRecords(path)) {
    std::string name(Trim(s.Name));
    for (char& c : name)
      if (c == ' ') c = '_';
    names.push_back(name);
  }
  return names;
}

StarPosition CalcStarPos(const std::array<std::int32_t, 6>& v, std::int16_t, double jdEphem,
                         double sunLongitude) {
  const double ra0 = v[0] * MasToRad, dec0 = v[1] * MasToRad;
  const double pmRa = v[2] / 1000.0 * MasToRad, pmDec = v[3] / 1000.0 * MasToRad;  // rad/yr
  const double radialAuYr = v[4] / 1000.0 * KmPerSecToAuPerYear;
  const double parallaxArcsec = v[5] / 1e6;
  const bool known = parallaxArcsec > 0;
  const double d = known ? AuPerParsec / parallaxArcsec : FarAway;

  // Space motion from J2000.0 in the equatorial frame of J2000.
  Vec u = FromSpherical(ra0, dec0, 1);
  Vec ea{-std::sin(ra0), std::cos(ra0), 0};
  Vec ed{-std::sin(dec0) * std::cos(ra0), -std::sin(dec0) * std::sin(ra0), std::cos(dec0)};
  double years = (jdEphem - 2451545.0) / 365.25;
  double radial = known ? radialAuYr : 0.0;
  Vec r;
  r.x = d * u.x + (d * (pmRa * ea.x + pmDec * ed.x) + radial * u.x) * years;
  r.y = d * u.y + (d * (pmRa * ea.y + pmDec * ed.y) + radial * u.y) * years;
  r.z = d * u.z + (d * (pmRa * ea.z + pmDec * ed.z) + radial * u.z) * years;
  double dist = std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z);
  double ra = std::atan2(r.y, r.x);
  double dec = std::asin(r.z / dist);

  // Precession from J2000.0 to the mean equator and equinox of date (IAU 2006 angles).
  double t = (jdEphem - 2451545.0) / 36525.0;
  auto arcsec = [](double x) { return x / 3600 * DegreesToRadians; };
  double zeta = arcsec(2.650545 + t * (2306.083227 + t * (0.2988499 + t * (0.01801828 +
                                                              t * (-0.000005971 - t * 0.0000003173)))));
  double z = arcsec(-2.650545 + t * (2306.077181 + t * (1.0927348 + t * (0.01826837 +
                                                              t * (-0.000028596 - t * 0.0000002904)))));
  double theta = arcsec(t * (2004.191903 + t * (-0.4294934 + t * (-0.04182264 +
                                                       t * (-0.000007089 - t * 0.0000001274)))));
  double a = std::cos(dec) * std::sin(ra + zeta);
  double b = std::cos(theta) * std::cos(dec) * std::cos(ra + zeta) - std::sin(theta) * std::sin(dec);
  double c = std::sin(theta) * std::cos(dec) * std::cos(ra + zeta) + std::cos(theta) * std::sin(dec);
  ra = std::atan2(a, b) + z;
  dec = std::asin(std::clamp(c, -1.0, 1.0));

  // Mean obliquity and nutation of the date.
  double nut[6] = {0, 0, 0, 0, 0, 0};
  char serr[AS_MAXCH] = "";
  swe_calc(jdEphem, SE_ECL_NUT, 0, nut, serr);
  double eps = nut[1] * DegreesToRadians;

  // To ecliptic coordinates of date, as a heliocentric vector.
  double lon = std::atan2(std::sin(ra) * std::cos(eps) + std::tan(dec) * std::sin(eps), std::cos(ra));
  double lat = std::asin(std::sin(dec) * std::cos(eps) - std::cos(dec) * std::sin(eps) * std::sin(ra));
  Vec h = FromSpherical(lon, lat, dist);
  // Annual parallax: seen from the Earth, one astronomical unit from the Sun.
  if (known) {
    Vec sun = FromSpherical(sunLongitude * DegreesToRadians, 0, 1);
    h.x += sun.x;
    h.y += sun.y;
    h.z += sun.z;
  }
  StarPosition p;
  p.Distance = std::sqrt(h.x * h.x + h.y * h.y + h.z * h.z);
  double lambda = RadToDeg(std::atan2(h.y, h.x));
  double beta = RadToDeg(std::asin(h.z / p.Distance));

  // Annual aberration (with the eccentricity term of the Earth's orbit).
  const double kappa = 20.49552 / 3600;
  double e = 0.016708634 - 0.000042037 * t;
  double perihelion = 102.93735 + 1.71946 * t;
  double sun = sunLongitude;
  lambda += (-kappa * CosDeg(sun - lambda) + e * kappa * CosDeg(perihelion - lambda)) / CosDeg(beta);
  beta += -kappa * SinDeg(beta) * (SinDeg(sun - lambda) - e * SinDeg(perihelion - lambda));

  p.Longitude = ModReal(360, lambda + nut[2]);
  p.Latitude = beta;
  return p;
}

double StarLongitude(const std::string& path, int index, const CalculatedChart& chart) {
  const std::vector<StarRecord> stars = WholeStarRecords(path);
  if (index < 1 || index > static_cast<int>(stars.size())) return -1.0;
  const StarRecord& s = stars[static_cast<std::size_t>(index - 1)];
  double offset = chart.Moment.ZodiacOffset;
  double sun;
  if (chart.Point(PointSun).Computed()) {
    sun = ModReal(360, chart.Longitude(PointSun) - offset);
  } else {
    double xx[6] = {0, 0, 0, 0, 0, 0};
    char serr[AS_MAXCH] = "";
    swe_calc(chart.Moment.JDEphem, SE_SUN, SEFLG_MOSEPH, xx, serr);
    sun = xx[0];
  }
  StarPosition p = CalcStarPos(s.Values, s.Magnitude, chart.Moment.JDEphem, sun);
  if (!std::isfinite(p.Longitude)) return -1.0;  // a record whose values make no position
  return Mod360(p.Longitude + offset);
}

}  // namespace korvana
