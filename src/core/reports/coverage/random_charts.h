// Random birth charts for trying a report set over many skies: repeatable for a seed, on
// every platform (the numbers come from the raw bits of a 64-bit Mersenne Twister, not
// from the library's distributions, whose results differ between libraries).
//
// Each chart: a date uniform over 1 January 1900 .. 31 December 2050, a clock time
// uniform over the day (whole minutes), a latitude uniform within ±66° (houses exist
// everywhere there), a longitude uniform over the globe, the zone of its longitude's
// whole hour, male or female with equal chance, and the settings' house system and
// calculation choices. Charts are named "Random 1", "Random 2", ...
#pragma once

#include <cstdint>
#include <random>

#include "core/charts/chart_layouts.h"
#include "core/config/program_settings.h"

namespace korvana {

inline constexpr std::uint64_t DefaultCoverageSeed = 1;
inline constexpr int RandomFirstYear = 1900;
inline constexpr int RandomLastYear = 2050;
inline constexpr double RandomLatitudeLimit = 66.0;

class RandomCharts {
 public:
  explicit RandomCharts(std::uint64_t seed = DefaultCoverageSeed) : engine_(seed) {}

  // The next chart.
  StoredChart Next(const ProgramSettings& settings);

  // A number uniform in [low, high), and a whole number uniform in [low, high].
  double Uniform(double low, double high);
  int Between(int low, int high);

 private:
  std::mt19937_64 engine_;
  int made_ = 0;
};

}  // namespace korvana
