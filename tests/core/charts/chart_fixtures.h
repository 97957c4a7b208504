// Charts shared by the chart module's tests.
#pragma once

#include <string>

#include "core/charts/chart_record.h"
#include "core/config/program_settings.h"

namespace korvana::testing {

// A chart whose coordinates are whole minutes, so that every layout holds it exactly:
// Sydney, 33°52'S 151°13'E, a female natal chart.
inline ChartRecord SydneyChart(const ProgramSettings& settings) {
  ChartRecord c = NewChartRecord(settings);
  c.Name = "Test Sydney";
  c.EventKind = EventFemale;
  c.Moment.Year = 1975;
  c.Moment.Month = 11;
  c.Moment.Day = 23;
  c.Moment.Hour = 4;
  c.Moment.Minute = 5;
  c.Moment.Second = 6;
  c.Place = "Sydney";
  c.Country = "Australia";
  c.ZoneHours = -11.0f;
  c.ZoneAbbrev = "AEDT";
  c.Latitude = -(33 + 52 / 60.0);
  c.Longitude = -(151 + 13 / 60.0);
  c.Zodiac = 2;
  return c;
}

// A western-hemisphere chart before the calendar reform, with a pair parameter.
inline ChartRecord LimaReturn(const ProgramSettings& settings) {
  ChartRecord c = NewChartRecord(settings);
  c.Name = "Lima phase return";
  c.EventKind = EventEvent;
  c.Moment.Year = 1550;
  c.Moment.Month = 2;
  c.Moment.Day = 28;
  c.Moment.Hour = 23;
  c.Moment.Minute = 59;
  c.Moment.Second = 59;
  c.Place = "Lima";
  c.Country = "Peru";
  c.ZoneHours = 5.0f;
  c.ZoneAbbrev = "LMT";
  c.Latitude = -(12 + 2 / 60.0 + 36 / 3600.0);
  c.Longitude = 77 + 1 / 60.0 + 48 / 3600.0;
  c.ChartType = ChartTypeReturn;
  c.ChartSubType = 7;
  c.ChartTypeParam = 301;  // Sun/Moon
  return c;
}

}  // namespace korvana::testing
