// The own back end's asteroid ephemeris files ("AS19AD.EPH" and so on): heliocentric
// positions of Chiron, Vesta, Pallas, Juno, Ceres, Hygeia and Astraea (points 13..19)
// every 20 days, one file a century.
//
// File "AS" + century + era + ".EPH", century = trunc(T + 119) - 100 for T Julian
// centuries (Ephemeris Time) since 1900 (19 for 1900-1999), era "AD" or "BC" (a negative
// century, written without its sign). No header; records of 84 bytes, one a date: for
// each of the seven bodies in point order three signed 32-bit little-endian integers in
// millionths - heliocentric ecliptic longitude (degrees, mean equinox of date),
// latitude (degrees) and distance (AU). Record k holds the moment
//   JD(k) = AsteroidFileStart(century) + 20 * (k - 1),
// AsteroidFileStart = 2415020 + (century - 19) * 36525, so record 0 lies one step before
// the century and the file runs two steps past its end (AsteroidRecordsPerFile records).
// A body without data (distance 0) is left uncomputed.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/astro/calculated_chart.h"
#include "core/util/error.h"

namespace korvana {

constexpr int AsteroidFileBodies = 7;
constexpr int AsteroidRecordSize = 84;
constexpr double AsteroidStepDays = 20.0;
constexpr int AsteroidRecordsPerFile = 1830;  // covers a century of 36525 days and a margin
constexpr int FirstAsteroidPoint = PointChiron;

// The century number of a moment and the file name for it.
int AsteroidFileCentury(double t1900);
std::string AsteroidFileName(int century);
double AsteroidFileStart(int century);

// One body's heliocentric values as stored (degrees, degrees, AU).
struct HelioPosition {
  double longitude = 0, latitude = 0, distance = 0;
};
using AsteroidRecord = std::array<HelioPosition, AsteroidFileBodies>;

// The stored bytes of one record (values rounded to millionths).
std::string EncodeAsteroidRecord(const AsteroidRecord& record);

// An asteroid file that cannot be opened or ends before the records asked for.
class EAsteroidFileError : public Error {
 public:
  using Error::Error;
};

// One body's (0..6) values in records firstRecord, firstRecord + 1 and firstRecord + 2
// (0-based) of the file at `path`. Throws EAsteroidFileError.
std::array<HelioPosition, 3> ReadAsteroidValues(const std::string& path, long firstRecord, int body);

// The heliocentric position and daily motions of point id (13..19) at jdEphem, from the
// file in `folder`: three records around the moment, interpolated. Nothing when the
// point is not an asteroid, the folder is empty (not set), the file is missing or cannot
// be read there (ReadAsteroidValues throws), or the body has no data.
struct HelioMotion {
  HelioPosition position;
  double longitudeSpeed = 0, latitudeSpeed = 0, distanceSpeed = 0;  // a day
};
std::optional<HelioMotion> AsteroidHeliocentric(const std::string& folder, int id, double jdEphem);

}  // namespace korvana
