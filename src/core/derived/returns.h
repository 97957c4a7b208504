// Solar and lunar returns: the moment near a chosen date when the Sun or the Moon comes
// back to its natal longitude, cast as a chart for a chosen place.
//
// The search recasts the chart at each trial moment and steps by the angle still to
// travel: while it is more than 20 degrees by 0.9 of the body's mean cycle times that
// angle's share of the circle, then by the angle over the body's speed, until the body
// stands within 0.05" of its target. Twenty steps that do not get there start the search
// again with half the speed and period, then with double; a third failure, or a moment
// the ephemeris cannot compute, is an EReturnError with the message the user is shown.
#pragma once

#include <stdexcept>
#include <string>

#include "core/astro/cast_chart.h"

namespace korvana {

struct ProgramSettings;

// The kind of return, as the return chart's sub-type: 5 solar, 6 lunar.
enum ReturnKind : int { ReturnSolar = 5, ReturnLunar = 6 };

// Which return near the base date: the last one not after it, the nearer one of that and
// the next, or the first one not before it. A converse search runs time backwards, so
// from the mirrored base "current" is the first return not before it and "next" the
// last one before it.
enum class ReturnWhich : int { Current = -1, Nearest = 0, Next = 1 };

inline constexpr const char* ReturnNonConvergenceMessage =
    "Unable to find return due to non-convergence of iteration.";
inline constexpr const char* ReturnOutOfRangeMessage =
    "Unable to find return because date is out of range of the ephemeris.";

// A return that cannot be found; what() is one of the two messages above.
class EReturnError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The tolerance of solar and lunar returns: 0.05" in degrees.
inline constexpr double ReturnTolerance = 0.05 / 3600.0;

// The body a return follows (PointSun or PointMoon) and its mean cycle in days
// (27.32158648147 for the Moon, one tropical year for the Sun).
int ReturnBody(ReturnKind kind);
double ReturnPeriodDays(ReturnKind kind);

struct ReturnOptions {
  bool converse = false;             // "Converse": search backwards in time from the mirrored base
  bool precessionCorrected = false;  // "PrecCorr": in sidereal zodiacs, correct the target
  bool geocentricLat = false;        // "GeocentricLat": the return chart's house latitude
  // The IANA zone of the return place, whose zone in force at the return moment gives its
  // local time; empty: the base chart's zone hours and abbreviation stand.
  std::string ianaZone;
  // The back end, the user sidereal offset and the own back end's folder. The house
  // system is the natal chart's; AtJDUT is set by the search.
  CastOptions cast;
};

// "Converse", "PrecCorr", "GeocentricLat" and the casting options of the settings.
ReturnOptions ReturnOptionsFrom(const ProgramSettings& settings);

// The search alone: the Universal Time Julian day at which the body of `kind` in `chart`
// (the natal record with the return place, cast at each trial moment) stands at
// `target`, starting from `startJD`. With precessionCorrected and a sidereal zodiac the
// target moves with the zodiac offset since `natalJD` (for the draconic zodiac, the Swiss
// Ephemeris node of the chart's kind). `backwards` runs time backwards (converse returns).
struct ReturnSearch {
  double jdUT = 0;        // the moment found
  double speed = 0;       // the body's longitude speed there, degrees a day
  double longitude = 0;   // the body's longitude there
  double target = 0;      // the target there
  int casts = 0;          // charts cast by the search, every attempt counted
  int attempts = 0;       // 1 when the first run of at most 20 steps reached the tolerance
};
ReturnSearch FindReturnMoment(const ChartRecord& chart, double target, double natalJD, double startJD,
                              ReturnKind kind, ReturnWhich which, bool backwards, const ReturnOptions& options);

// The accuracy of a found moment in seconds: the ephemeris accuracy a in arcseconds over
// the body's speed, a * 24 / |speed|, at most 43200. a is 0.8" (Sun) or 10" (Moon) with
// the own back end; with the Swiss Ephemeris 0.01" within 20 years of 2000, else for the
// Sun 0.1" between 1600 and 2051 and 0.3" outside, for the Moon 3" times
// |year - 1960| / 200 when that is below 1.
double ReturnAccuracySeconds(ReturnKind kind, bool swiss, int year, double speed);

struct ReturnResult {
  CalculatedChart chart;        // the return chart
  ReturnSearch search;          // the moment and what the search took
  double accuracySeconds = 0;   // ReturnAccuracySeconds of the moment
};

// Casts the return of `natal` near the base chart `base` (the date, time, zone and place
// the return is sought near and cast for):
//  - the return chart is the natal record with the base's place, country, zone,
//    latitude and longitude, GeocentricLat from the options, event kind 3 ("Event"),
//    chart type 4 and sub-type 5 with parameter 3 (the Sun) or 6 with parameter 1 (the
//    Moon);
//  - the target is the natal longitude of the body; the search starts at the base
//    moment or, converse, at its mirror about the natal moment, and runs FindReturnMoment;
//  - the moment found is written as the local date and time (to the nearest second) in
//    the zone in force at the return place then (the options' IANA zone), else in the
//    base's zone, and the chart is cast at the moment itself with the natal house system.
// Throws EReturnError (the two messages); ECastError for a base whose place or zone is
// out of range.
ReturnResult CastReturn(const CalculatedChart& natal, const ChartRecord& base, ReturnKind kind, ReturnWhich which,
                        const ReturnOptions& options);

}  // namespace korvana
