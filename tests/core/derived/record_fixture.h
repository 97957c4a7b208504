// A chart record at a local date and time, zone and place for the derived chart tests.
#pragma once

#include "core/charts/chart_record.h"

namespace korvana::testing {

// zoneHours west positive; longitude west positive.
inline ChartRecord RecordAt(int year, int month, int day, int hour, int minute, float zoneHours, double latitude,
                            double longitude) {
  ChartRecord c;
  c.Name = "Native";
  c.Moment = {static_cast<std::int16_t>(year), static_cast<std::uint8_t>(month), static_cast<std::uint8_t>(day),
              static_cast<std::uint8_t>(hour), static_cast<std::uint8_t>(minute), 0, calAuto};
  c.ZoneHours = zoneHours;
  c.ZoneAbbrev = "ZZ";
  c.Place = "Birthplace";
  c.Country = "Land";
  c.Latitude = latitude;
  c.Longitude = longitude;
  return c;
}

}  // namespace korvana::testing
