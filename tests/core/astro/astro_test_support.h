// Shared helpers of the astro tests: chart records and the Swiss Ephemeris data folder.
#pragma once

#include <string>

#include "core/astro/ephemeris.h"
#include "core/charts/chart_record.h"

namespace korvana::testing {

// A chart at a UT moment (zone 0) and a place (longitude west positive).
inline ChartRecord ChartAt(int year, int month, int day, int hour, int minute, double latitude,
                           double longitude) {
  ChartRecord c;
  c.Name = "Test";
  c.Moment.Year = static_cast<std::int16_t>(year);
  c.Moment.Month = static_cast<std::uint8_t>(month);
  c.Moment.Day = static_cast<std::uint8_t>(day);
  c.Moment.Hour = static_cast<std::uint8_t>(hour);
  c.Moment.Minute = static_cast<std::uint8_t>(minute);
  c.Latitude = latitude;
  c.Longitude = longitude;
  return c;
}

// Points the library at Debian's data files; the tests need them.
inline bool UseSystemSwissFiles() { return SwissEphemerisUsable(SystemSwissEphemerisFolder); }

inline double ArcSeconds(double a, double b) {
  double d = a - b;
  while (d > 180) d -= 360;
  while (d < -180) d += 360;
  return (d < 0 ? -d : d) * 3600;
}

}  // namespace korvana::testing
