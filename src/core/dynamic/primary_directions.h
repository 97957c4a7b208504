// Primary directions: the radix chart turned by the primary motion (the daily rotation),
// each degree of right ascension that passes the meridian counting for a year of life.
//
// Method: Placidian semi-arc directions in the zodiac, without latitude, direct, timed by
// the Naibod key.
// - Every point is taken on the ecliptic (latitude 0) at its longitude; its right
//   ascension, declination and ascensional difference AD = asin(tan(latitude) *
//   tan(declination)) at the radix house latitude give its diurnal semi-arc 90 + AD and
//   nocturnal semi-arc 90 - AD.
// - A point's place in the mundane sphere is its proportional distance through the four
//   quadrants (MC to Descendant, Descendant to IC, IC to Ascendant, Ascendant to MC),
//   each measured in its own semi-arc of hour angle.
// - The promissor (the moving point, or the point at an aspect's angle from it) is
//   directed to the significator (a radix point) when the sphere has turned by the arc
//   that brings the promissor to the significator's proportional place. To the MC that
//   is the difference of right ascension, to the Ascendant the difference of oblique
//   ascension.
// - An arc of A degrees falls A / 0.98564733 years (the Naibod key, the Sun's mean
//   daily motion in right ascension) of 365.24219 days after birth.
// A point that never rises or sets at the radix latitude (a circumpolar declination) has
// no semi-arcs and is not directed.
#pragma once

#include <vector>

#include "core/dynamic/configurations.h"

namespace korvana {

// The Naibod key: degrees of arc for a year.
inline constexpr double NaibodArcPerYear = 0.98564733;

// The hour angle (degrees west of the meridian, [0, 360)) at which the ecliptic point of
// tropical longitude `promissor` reaches the proportional place in the sphere that the
// ecliptic point `significator` holds, for the radix RAMC, obliquity and latitude; the
// arc of direction is that hour angle less the promissor's own. Returns -1 when either
// point is circumpolar.
double DirectionArc(double promissor, double significator, double ramc, double obliquity, double latitude);

// The aspect configurations of the directed moving points to the radix points inside
// the request's period (houses and signs are not directed). Entering and leaving are
// the moments the arc comes within the entering orb before, and passes the leaving orb
// after, the exact arc.
std::vector<Configuration> FindDirections(const SearchRequest& request);

}  // namespace korvana
