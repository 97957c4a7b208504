#include "core/astro/asteroid_file.h"

#include <cmath>
#include <fstream>

#include "core/time/angle_math.h"
#include "core/util/files.h"
#include "core/util/records.h"

namespace korvana {

int AsteroidFileCentury(double t1900) { return static_cast<int>(std::trunc(t1900 + 119)) - 100; }

std::string AsteroidFileName(int century) {
  return "AS" + std::to_string(std::abs(century)) + (century < 0 ? "BC" : "AD") + ".EPH";
}

double AsteroidFileStart(int century) { return 2415020.0 + (century - 19) * 36525.0; }

std::string EncodeAsteroidRecord(const AsteroidRecord& record) {
  ByteWriter w;
  for (const HelioPosition& p : record) {
    w.I32(static_cast<std::int32_t>(std::lround(p.longitude * 1e6)));
    w.I32(static_cast<std::int32_t>(std::lround(p.latitude * 1e6)));
    w.I32(static_cast<std::int32_t>(std::lround(p.distance * 1e6)));
  }
  return w.Take();
}

std::array<HelioPosition, 3> ReadAsteroidValues(const std::string& path, long firstRecord, int body) {
  std::ifstream in(path, std::ios::binary);
  if (!in || firstRecord < 0 || body < 0 || body >= AsteroidFileBodies)
    throw EAsteroidFileError("Unable to read asteroid file: " + path);
  std::array<HelioPosition, 3> y{};
  for (std::size_t k = 0; k < y.size(); ++k) {
    in.seekg((firstRecord + static_cast<long>(k)) * AsteroidRecordSize + body * 12);
    char bytes[12];
    if (!in.read(bytes, sizeof bytes)) throw EAsteroidFileError("Asteroid file is cut short: " + path);
    ByteReader r(std::string_view(bytes, sizeof bytes));
    y[k].longitude = r.I32() / 1e6;
    y[k].latitude = r.I32() / 1e6;
    y[k].distance = r.I32() / 1e6;
  }
  return y;
}

std::optional<HelioMotion> AsteroidHeliocentric(const std::string& folder, int id, double jdEphem) {
  int body = id - FirstAsteroidPoint;
  if (body < 0 || body >= AsteroidFileBodies || !std::isfinite(jdEphem) || folder.empty())
    return std::nullopt;
  double t1900 = (jdEphem - 2415020.0) / 36525.0;
  int century = AsteroidFileCentury(t1900);
  auto path = FindPathNoCase(WithTrailingSlash(folder) + AsteroidFileName(century));
  if (!path) return std::nullopt;

  // Record index of the moment, nearest record in the middle of the three.
  double x = (jdEphem - AsteroidFileStart(century)) / AsteroidStepDays + 1;
  long middle = std::lround(x);
  if (middle < 1 || middle > AsteroidRecordsPerFile - 2) return std::nullopt;
  double n = x - middle;

  std::array<HelioPosition, 3> y{};  // y[0] = y1 (before), y[1] = y2, y[2] = y3 (after)
  try {
    y = ReadAsteroidValues(*path, middle - 1, body);
  } catch (const EAsteroidFileError&) {
    return std::nullopt;  // the point stays uncomputed, as for a century without a file
  }
  for (const HelioPosition& p : y)
    if (p.distance <= 0) return std::nullopt;
  // Longitudes continuous across 0 Aries before interpolating.
  y[0].longitude = y[1].longitude + SignedMod(360, y[0].longitude - y[1].longitude);
  y[2].longitude = y[1].longitude + SignedMod(360, y[2].longitude - y[1].longitude);

  auto value = [&](auto member) {
    return Interpolate3(n, y[2].*member, y[1].*member, y[0].*member);
  };
  // Derivative of the interpolating parabola, per day.
  auto speed = [&](auto member) {
    double a = y[2].*member - y[1].*member, b = y[1].*member - y[0].*member;
    return ((a + b) / 2 + n * (a - b)) / AsteroidStepDays;
  };
  HelioMotion m;
  m.position.longitude = ModReal(360, value(&HelioPosition::longitude));
  m.position.latitude = value(&HelioPosition::latitude);
  m.position.distance = value(&HelioPosition::distance);
  m.longitudeSpeed = speed(&HelioPosition::longitude);
  m.latitudeSpeed = speed(&HelioPosition::latitude);
  m.distanceSpeed = speed(&HelioPosition::distance);
  return m;
}

}  // namespace korvana
