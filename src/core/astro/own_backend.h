// The own calculation back end, used when the Swiss Ephemeris files are not usable. It
// needs no data files except the asteroid files: positions come from the analytical
// planetary and lunar theory built into the Swiss Ephemeris library, asked for
// geometric positions referred to the mean equinox of date, and this back end applies
// its own corrections - nutation in longitude (main terms), the Sun's aberration of
// 20.5", the light-time term for the other bodies, and speeds from a second position
// one hour later. Vulcan comes from its published hypothetical elements (L. H. Weston).
#pragma once

#include <array>
#include <string>

#include "core/astro/calculated_chart.h"

namespace korvana {

// Points 1..21 and 27..36 for the moment jdEphem (points 22..26 are left as they are).
// Longitudes get zodiacOffset added. The North Node is the mean node when meanNode is
// set, else the true node; Lilith is then the mean apogee, else the osculating apogee.
// The asteroids (13..19) come from the ".EPH" files in ephemPath for 1800 to 2050 only
// (T1900 from -1 to 1.5); outside that or without a file they stay uncomputed.
void OwnBackendPoints(std::array<PointPos, LastPoint + 1>& points, double jdEphem,
                      double zodiacOffset, bool meanNode, const std::string& ephemPath);

// Vulcan alone (point 4), in the zodiac of zodiacOffset.
PointPos OwnVulcan(double jdEphem, double zodiacOffset);

// The lunar node of the own back end (tropical, with its corrections) at jdEphem.
double OwnNodeLongitude(bool meanNode, double jdEphem);

// The Moon's horizontal parallax (degrees) for its distance in AU.
double MoonHorizontalParallax(double distanceAu);

// Replaces the Moon's tropical ecliptic longitude and latitude by their topocentric
// values for a place (latitude north positive) at local sidereal time (degrees).
void TopocentricMoon(double& longitude, double& latitude, double distanceAu, double obliquity,
                     double placeLatitude, double localSiderealDegrees);

}  // namespace korvana
