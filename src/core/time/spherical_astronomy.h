// Spherical astronomy in the style of classical almanac formulas: angular separation,
// obliquity and nutation of the 1900 epoch, Julian day conversion, sidereal time and
// coordinate transformation. Pure functions; angles in degrees, Julian days as doubles.
#pragma once

#include "core/time/date_time_rec.h"

namespace korvana {

// Great-circle distance of two points; below ten arc-minutes the flat approximation is
// used (the arc-cosine loses precision there). The longitude difference is taken the
// short way round.
double AngularSeparation(double lat1, double lon1, double lat2, double lon2);

// The geocentric latitude of a geographic latitude when convert is set, else phi.
double GeocentricLatitude(bool convert, double phi);

// (JD - 2415020) / 36525.
double CenturiesSince1900(double jd);

// Mean obliquity of the ecliptic for T centuries since 1900.
double Obliquity(double t1900);

struct NutationValues {
  double deltaPsi = 0;      // nutation in longitude, degrees
  double deltaEpsilon = 0;  // nutation in obliquity, degrees
};

// The main terms of the nutation for T centuries since 1900.
NutationValues Nutation(double t1900);

// Julian day of a date (astronomical year) and hours; Gregorian from 15 October 1582 on,
// earlier dates Julian.
double DateToJulianDay(int day, int month, int year, double hours);

struct CalendarDay {
  double day = 1;  // day of the month with the fraction of the day
  int month = 1;
  int year = 1900;
};

// The calendar date of a Julian day (Gregorian after JD 2299160.5, Julian before).
CalendarDay JulianDayToDate(double jd);

// JulianDayToDate with the fraction of the day split into hours, minutes and seconds
// (truncated). Throws EDateRangeError when the year does not fit the record.
DateTimeRec JulianDayToDateTime(double jd);

// Greenwich sidereal time in hours for a moment in Universal Time.
double GreenwichSiderealTime(double jdUT);

// Sidereal time at 0h UT in hours (1900 epoch formula), for the Julian day of midnight.
double SiderealTimeAt0h(double jdMidnight);

// Sidereal time h hours after midnight, given the sidereal time s0 at 0h.
double SiderealTimeAt(double hoursSinceMidnight, double siderealAt0h);

// RAMC in degrees for a geographic longitude (positive west) and sidereal time (hours).
double RamcFromSiderealTime(double longitude, double siderealHours);

struct SphericalPosition {
  double longitude = 0;  // degrees, not normalised
  double latitude = 0;   // degrees
  double distance = 0;
};

// The sum of two vectors given by distance, latitude and longitude.
SphericalPosition AddSpherical(double r1, double lat1, double lon1, double r2, double lat2,
                               double lon2);

struct EquatorialPosition {
  double rightAscension = 0;  // degrees in [0, 360)
  double declination = 0;     // degrees
};

// Ecliptic latitude beta and longitude lambda to right ascension and declination, for
// an obliquity given by its cosine and sine.
EquatorialPosition EclipticToEquatorial(double cosEps, double sinEps, double beta, double lambda);

}  // namespace korvana
