// Charts and report sets for the print queue tests.
#pragma once

#include <string>

#include "core/charts/chart_layouts.h"
#include "core/reports/reportset/report_set.h"

namespace korvana::testing {

inline StoredChart QueueChart(const std::string& name, int day = 14) {
  StoredChart c;
  c.chart.Name = name;
  c.chart.Moment.Year = 1961;
  c.chart.Moment.Month = 8;
  c.chart.Moment.Day = static_cast<std::uint8_t>(day);
  c.chart.Moment.Hour = 19;
  c.chart.Moment.Minute = 24;
  c.chart.Place = "Honolulu";
  c.chart.Country = "USA";
  c.chart.ZoneHours = 10.0f;
  c.chart.ZoneAbbrev = "HST";
  c.chart.Latitude = 21.3;
  c.chart.Longitude = 157.85;
  c.houseSystem = 5;
  return c;
}

inline TKVReport QueueSet(const std::string& file, const std::string& caption, bool synastry = false) {
  TKVReport set;
  set.setFile = file;
  set.caption = caption;
  set.synastry = synastry;
  return set;
}

}  // namespace korvana::testing
