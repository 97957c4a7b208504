// Chart files of many made-up charts for the tests of the chart search: own-format files
// whose charts are named "<prefix> <file> <chart>", so that a test knows what a pattern
// must find.
#pragma once

#include <string>

#include "core/charts/chart_layouts.h"
#include "support/temp_folder.h"

namespace korvana::testing {

// The bytes of an own-format chart file of `count` charts named prefix + " " + n, dated
// 1 January 1900 + n days (wrapped within the month).
inline std::string OwnChartFileOf(const std::string& prefix, int count) {
  std::string bytes = OwnFileHeader("Generated charts");
  ChartRecord c;
  c.Place = "Adelaide";
  c.Country = "SA";
  c.ZoneAbbrev = "ACST";
  c.ZoneHours = -9.5f;
  c.Latitude = -34.9;
  c.Longitude = -138.6;
  for (int n = 1; n <= count; ++n) {
    c.Name = prefix + " " + std::to_string(n);
    c.Moment.Year = static_cast<std::int16_t>(1900 + n % 100);
    c.Moment.Month = static_cast<std::uint8_t>(1 + n % 12);
    c.Moment.Day = static_cast<std::uint8_t>(1 + n % 28);
    c.Moment.Hour = 12;
    bytes += OwnRecordFromChart(c, 5, 0, 0);
  }
  return bytes;
}

// `files` chart files "file<k>.cht" of `perFile` charts each in `folder` (prefix
// "Chart<k>"); returns how many charts in all.
inline int WriteChartFiles(const TempFolder& folder, const std::string& subfolder, int files, int perFile) {
  for (int k = 1; k <= files; ++k)
    folder.Write(subfolder + "file" + std::to_string(k) + ".cht", OwnChartFileOf("Chart" + std::to_string(k), perFile));
  return files * perFile;
}

}  // namespace korvana::testing
