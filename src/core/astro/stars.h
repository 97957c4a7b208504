// Fixed stars: the star file, the names of its stars and the position of a star at a
// chart's moment.
//
// Star file: a signed 16-bit count, then 78-byte records, one a star:
//   0  name, 24 characters (Windows-1252), blank-padded
//  24  catalogue designation, 22 characters, blank-padded (not needed by the calculation)
//  46  right ascension, ICRS, epoch J2000.0, milliarcseconds (signed 32-bit)
//  50  declination, milliarcseconds
//  54  proper motion in right ascension times cos(declination), microarcseconds a year
//  58  proper motion in declination, microarcseconds a year
//  62  radial velocity, metres a second
//  66  annual parallax, microarcseconds (0 when unknown)
//  70  visual magnitude in hundredths (signed 16-bit)
//  72  six bytes, zero
// At most MaxStars stars of a file are used. All integers are little-endian.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/astro/calculated_chart.h"
#include "core/util/error.h"

namespace korvana {

constexpr std::size_t StarRecordSize = 78;
constexpr int MaxStars = 300;

struct StarRecord {
  std::string Name;         // UTF-8 in memory
  std::string Designation;  // "bePer"
  std::array<std::int32_t, 6> Values{};  // the six 32-bit values from offset 46
  std::int16_t Magnitude = 0;            // hundredths
};

// The bytes of a star file holding the records (names cut to fit, in Windows-1252).
std::string EncodeStarFile(const std::vector<StarRecord>& stars);

// A star file that cannot be read: missing, without a whole count, or with a negative
// count. The message names the file.
class EStarFileError : public Error {
 public:
  using Error::Error;
};

// A star file holding fewer whole records than its count (up to MaxStars) says. The
// records read whole come with the error, for the uses that go on with them.
class EStarFileCutShort : public EStarFileError {
 public:
  EStarFileCutShort(const std::string& message, std::vector<StarRecord> wholeRecords)
      : EStarFileError(message), wholeRecords_(std::move(wholeRecords)) {}
  const std::vector<StarRecord>& WholeRecords() const { return wholeRecords_; }

 private:
  std::vector<StarRecord> wholeRecords_;
};

// The one reader of star files: the first min(count, MaxStars) records. Throws
// EStarFileError when the file cannot be read and EStarFileCutShort when it is cut short.
std::vector<StarRecord> ReadStarFile(const std::string& path);

// The name of a star as lists and report texts use it: the name field up to its first
// NUL, without surrounding blanks.
std::string StarNameOf(const StarRecord& star);

// One star line of the Swiss Ephemeris star catalogue (sefstars.txt): name,
// designation, equinox, right ascension h m s, declination d m s, proper motions
// (0.001"/year, right ascension times cos(declination)), radial velocity (km/s),
// parallax (0.001"), magnitude. A star without a name is named by its designation.
// Nothing for comments, blank lines, malformed lines and
// positions not referred to ICRS or J2000.
std::optional<StarRecord> ParseCatalogueStarLine(std::string_view line);

// Slot 0 "Error"; slots 1.. the names of the file's stars read whole, in order, every
// blank replaced by "_". Only "Error" when the file cannot be read.
std::vector<std::string> LoadStarNames(const std::string& path);

struct StarPosition {
  double Longitude = 0;  // apparent ecliptic longitude of date, tropical, degrees
  double Latitude = 0;   // degrees
  double Distance = 0;   // AU (1e10 when the parallax is unknown)
};

// The apparent geocentric position of a star at jdEphem: space motion from J2000.0,
// precession to the date, annual parallax and aberration (which use the Sun's tropical
// longitude sunLongitude), nutation in longitude.
StarPosition CalcStarPos(const std::array<std::int32_t, 6>& values, std::int16_t magnitude,
                         double jdEphem, double sunLongitude);

// The longitude (in the chart's zodiac) of star `index` (1-based) of the file at the
// chart's moment; -1 when the file cannot be read or has fewer whole stars.
double StarLongitude(const std::string& path, int index, const CalculatedChart& chart);

}  // namespace korvana
