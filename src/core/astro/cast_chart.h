// Casting a chart: from a ChartRecord to a CalculatedChart with the positions of the 36
// points, their equatorial coordinates, the moment and the house cusps.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/astro/calculated_chart.h"

namespace korvana {

struct ProgramSettings;

inline constexpr const char* OutsideEphemerisMessage =
    "The date is outside the range of dates the ephemeris can calculate.";

class ECastError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

enum class CalcBackend {
  Automatic,  // the Swiss Ephemeris when SwissEphemerisInUse(), else the own back end
  Swiss,      // the Swiss Ephemeris library (its files, or its built-in theory without them)
  Own         // the own back end
};

// What casting needs besides the chart record.
struct CastOptions {
  int HouseSystem = HousesPlacidus;  // 1..31
  double UserSVP = 0.0;          // the sidereal vernal point of the user-defined zodiac
  std::string EphemPath;         // folder of the own back end's asteroid files
  CalcBackend Backend = CalcBackend::Automatic;
  // Cast for this Universal Time Julian day instead of the record's local date, time and
  // zone (a moment between whole seconds, as a search for a return needs).
  std::optional<double> AtJDUT;
  // Sidereal time and obliquity from the program's own 1900 formulas (sidereal time at
  // 0h plus the hours since, mean obliquity plus the main nutation term) instead of the
  // back end's: how Davison charts are cast.
  bool FormulaSiderealTime = false;
};

// The options from the settings: "Houses" (1..31, else 5), "UserSVP", "EphemPath".
CastOptions CastOptionsFrom(const ProgramSettings& settings);

// Casts the chart:
//  1. the moment from the local date and time and the zone hours, or AtJDUT (Universal and
//     Ephemeris Time Julian days; with the Swiss back end the delta T is the one the
//     library applies to the ephemeris it reads for the moment, its files or else its
//     built-in theory);
//  2. the zodiac offset; 3. the house latitude (geocentric when the chart asks);
//  4. all points cleared; 5. the points from the chosen back end;
//  6. RAMC from the sidereal time and the true obliquity;
//  7. with the own back end and ParallaxMoon, the topocentric Moon;
//  8. Ascendant, Midheaven, Vertex, East Point and Part of Fortune; the Vulcan option;
//  9. right ascension and declination of every computed point (tropical);
// 10. the houses;
// 11. for a chart whose birth time is unknown, LeaveOutTimedParts.
// A point whose calculation fails keeps Longitude -1. Throws ECastError when the
// latitude is beyond +-90, the longitude beyond +-360, the zone hours beyond +-24 or any
// of them (or the user sidereal offset) is not a number, and EDateRangeError when the
// moment leaves the representable years.
CalculatedChart CastChart(const ChartRecord& chart, const CastOptions& options = {});

// The points the back end should have computed (1..21 and 27..36) that it left
// uncomputed for the chart's moment, in PointId order: an asteroid without its file or
// outside the years its orbit is known, any body beyond the ephemeris's years.
std::vector<int> UncomputedPoints(const CalculatedChart& chart);

// Step 5 of the Swiss back end alone: points 1..21 and 27..36 at jdUT with the library's
// apparent positions (speeds included); the caller has chosen the data folder.
void SwissBackendPoints(std::array<PointPos, LastPoint + 1>& points, double jdUT,
                        double jdEphem, double zodiacOffset, const ChartRecord& chart);

// What a chart without its birth time cannot know: the angles and the Part of Fortune are
// left uncomputed, and the cusps become the natural wheel's (cusp k at (k-1)*30 degrees,
// 0 Aries rising) so that a wheel is drawn the right way round; nothing may read houses
// from them (see ChartRecord::TimeUnknown).
void LeaveOutTimedParts(CalculatedChart& chart);

// Step 8: the angles and the Part of Fortune from RAMC, obliquity, house latitude and
// zodiac offset of the moment, and the Vulcan option.
void DeriveAngles(CalculatedChart& chart);

}  // namespace korvana
