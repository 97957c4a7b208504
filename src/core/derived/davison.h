// The Davison relationship chart: a real chart cast for the midpoint in time and space
// of two births.
#pragma once

#include "core/astro/cast_chart.h"

namespace korvana {

// The place name of a Davison chart.
inline constexpr const char* DavisonPlaceName = "Midpoint in Space";

// The Universal Time Julian day of a chart record: DateToJDMixed of its date with the
// day carrying (hour + zone hours) / 24 and the minutes and seconds.
double RecordJulianDayUT(const ChartRecord& chart);

// The Davison longitude (west positive) of two longitudes: the midpoint on the shorter
// arc of their values reduced to [0, 360), taken into (-180, 180]. Births at 170 W and
// 170 E give 180, not 0.
double DavisonLongitude(double longitudeA, double longitudeB);

// What a Davison chart takes from the settings besides the charts.
struct DavisonOptions {
  bool meanNode = false;      // "Node"
  bool parallaxMoon = false;  // "ParallaxMoon"
  double userSvp = 0.0;       // the user sidereal offset ("UserSVP")
  std::string ephemPath;      // for the own back end's asteroid files
};

// The Davison chart of two chart records: named "Combined", chart type 5 with sub-type
// 15; latitude the mean of the two, longitude DavisonLongitude; the moment the mean of
// the two Universal Time Julian days, written as Universal Time (zone hours 0, "GMT",
// place "Midpoint in Space", no country); the first chart's zodiac and other choices with
// the settings' node and parallax. Cast with the Swiss Ephemeris back end, the own
// sidereal time and obliquity formulas, and the first chart's house system
// (`houseSystem`). Throws what CastChart throws (ECastError, EDateRangeError).
CalculatedChart MakeDavison(const ChartRecord& a, const ChartRecord& b, int houseSystem,
                            const DavisonOptions& options);

}  // namespace korvana
