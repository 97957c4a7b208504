#include "core/time/spherical_astronomy.h"

#include <algorithm>
#include <cmath>

#include "core/time/angle_math.h"

namespace korvana {

double AngularSeparation(double lat1, double lon1, double lat2, double lon2) {
  double c = SinDeg(lat1) * SinDeg(lat2) + CosDeg(lat1) * CosDeg(lat2) * CosDeg(lon2 - lon1);
  double d = RadToDeg(ArcCos(std::clamp(c, -1.0, 1.0)));
  if (d < 0.1666) {
    double dLon = DegToRad(SignedMod(360, lon1 - lon2));
    double dLat = DegToRad(lat1 - lat2);
    double x = dLon * std::cos(DegToRad((lat1 + lat2) / 2));
    d = RadToDeg(std::sqrt(x * x + dLat * dLat));
  }
  return d;
}

double GeocentricLatitude(bool convert, double phi) {
  if (!convert) return phi;
  return phi + (-692.743 * SinDeg(2 * phi) + 1.1633 * SinDeg(4 * phi) - 0.0026 * SinDeg(6 * phi)) /
                   3600;
}

double CenturiesSince1900(double jd) { return (jd - 2415020) / 36525; }

double Obliquity(double t) {
  return 23.452294 - 0.0130125 * t - 0.00000164 * t * t + 0.000000503 * t * t * t;
}

NutationValues Nutation(double t1900) {
  double t = t1900 - 1;
  double omega = 125.04452 - 1934.136261 * t;
  double l = 280.4665 + 36000.7698 * t;
  double lp = 218.3165 + 481267.8813 * t;
  NutationValues n;
  n.deltaPsi = (-17.20 * SinDeg(omega) - 1.32 * SinDeg(2 * l) - 0.23 * SinDeg(2 * lp) +
                0.21 * SinDeg(2 * omega)) /
               3600;
  n.deltaEpsilon = (9.20 * CosDeg(omega) + 0.57 * CosDeg(2 * l) + 0.10 * CosDeg(2 * lp) -
                    0.09 * CosDeg(2 * omega)) /
                   3600;
  return n;
}

double DateToJulianDay(int day, int month, int year, double hours) {
  bool gregorian = IsGregorianDate(year, month, day);
  int y = year;
  int m = month;
  if (m < 3) {
    m += 12;
    y -= 1;
  }
  // The whole-year and century terms are floored, not truncated, so that years before
  // 1 AD get their right day (JulianDayToDate, which floors, reads them back).
  double jd = std::floor(365.25 * y) + std::trunc(30.6001 * (m + 1)) + day + hours / 24 +
              1720994.5;
  if (gregorian) {
    double a = std::floor(y / 100.0);
    jd += 2 - a + std::floor(a / 4);
  }
  return jd;
}

CalendarDay JulianDayToDate(double jd) {
  double z = std::floor(jd + 0.5);
  double f = jd + 0.5 - z;
  double a = z;
  if (z > 2299160) {
    double alpha = std::floor((z - 1867216.25) / 36524.25);
    a = z + 1 + alpha - std::floor(alpha / 4);
  }
  double b = a + 1524;
  double c = std::floor((b - 122.1) / 365.25);
  double d = std::floor(365.25 * c);
  double e = std::floor((b - d) / 30.6001);
  CalendarDay out;
  out.day = b - d - std::floor(30.6001 * e) + f;
  out.month = static_cast<int>(e <= 13 ? e - 1 : e - 13);
  out.year = static_cast<int>(out.month > 2 ? c - 4716 : c - 4715);
  return out;
}

DateTimeRec JulianDayToDateTime(double jd) {
  if (!std::isfinite(jd)) throw EDateRangeError("Julian day is not a number");
  CalendarDay cd = JulianDayToDate(jd);
  if (cd.year < -32768 || cd.year > 32767)
    throw EDateRangeError("Date out of range: the year does not fit the date record");
  DateTimeRec rec;
  rec.Year = static_cast<std::int16_t>(cd.year);
  rec.Month = static_cast<std::uint8_t>(cd.month);
  double whole = std::trunc(cd.day);
  rec.Day = static_cast<std::uint8_t>(whole);
  double rest = (cd.day - whole) * 24;
  whole = std::trunc(rest);
  rec.Hour = static_cast<std::uint8_t>(whole);
  rest = (rest - whole) * 60;
  whole = std::trunc(rest);
  rec.Minute = static_cast<std::uint8_t>(whole);
  rec.Second = static_cast<std::uint8_t>(std::trunc((rest - whole) * 60));
  return rec;
}

double GreenwichSiderealTime(double jdUT) {
  double j0 = std::floor(jdUT - 0.5) + 0.5;
  double t = (j0 - 2451545) / 36525;
  double theta = 100.46061837 + 36000.770053608 * t + 0.000387933 * t * t - t * t * t / 38710000;
  return ModReal(24, theta / 15 + (jdUT - j0) * 24 * 1.00273790935);
}

double SiderealTimeAt0h(double jdMidnight) {
  double t = (jdMidnight - 2415020) / 36525;
  double s = 6.6460656 + 2400.051262 * t + 0.00002581 * t * t;
  return s - 24 * std::trunc(s / 24);
}

double SiderealTimeAt(double hoursSinceMidnight, double siderealAt0h) {
  return ModReal(24, siderealAt0h + hoursSinceMidnight * 1.002737908);
}

double RamcFromSiderealTime(double longitude, double siderealHours) {
  return ModReal(360, 15 * siderealHours - longitude);
}

SphericalPosition AddSpherical(double r1, double lat1, double lon1, double r2, double lat2,
                               double lon2) {
  double x = r1 * CosDeg(lat1) * CosDeg(lon1) + r2 * CosDeg(lat2) * CosDeg(lon2);
  double y = r1 * CosDeg(lat1) * SinDeg(lon1) + r2 * CosDeg(lat2) * SinDeg(lon2);
  double z = r1 * SinDeg(lat1) + r2 * SinDeg(lat2);
  double rxy = std::sqrt(x * x + y * y);
  SphericalPosition p;
  p.longitude = RadToDeg(ArcTan2(y, x));
  // atan(z / rxy), also defined on the axis where rxy is 0.
  p.latitude = RadToDeg(std::atan2(z, rxy));
  p.distance = std::sqrt(x * x + y * y + z * z);
  return p;
}

EquatorialPosition EclipticToEquatorial(double cosEps, double sinEps, double beta, double lambda) {
  EquatorialPosition e;
  e.rightAscension = Mod360(
      RadToDeg(ArcTan2(SinDeg(lambda) * cosEps - TanDeg(beta) * sinEps, CosDeg(lambda))));
  e.declination =
      RadToDeg(ArcSin(cosEps * SinDeg(beta) + SinDeg(lambda) * sinEps * CosDeg(beta)));
  return e;
}

}  // namespace korvana
