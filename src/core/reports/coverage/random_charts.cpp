#include "core/reports/coverage/random_charts.h"

#include <cmath>
#include <string>

#include "core/time/date_time_rec.h"

namespace korvana {

double RandomCharts::Uniform(double low, double high) {
  // The top 53 bits give a double in [0, 1) exactly.
  const double unit = static_cast<double>(engine_() >> 11) * 0x1.0p-53;
  return low + (high - low) * unit;
}

int RandomCharts::Between(int low, int high) {
  const auto span = static_cast<std::uint64_t>(high - low) + 1;
  return low + static_cast<int>(engine_() % span);
}

StoredChart RandomCharts::Next(const ProgramSettings& settings) {
  StoredChart stored;
  ChartRecord& c = stored.chart;
  c = NewChartRecord(settings);
  c.Name = "Random " + std::to_string(++made_);
  const DateTimeRec first{static_cast<std::int16_t>(RandomFirstYear), 1, 1, 0, 0, 0, calGregorian};
  const DateTimeRec last{static_cast<std::int16_t>(RandomLastYear), 12, 31, 0, 0, 0, calGregorian};
  const double jd0 = DateRecToJD(first, true);
  const int days = static_cast<int>(std::lround(DateRecToJD(last, true) - jd0));
  DateTimeRec day = JDToDateRec(calGregorian, jd0 + Between(0, days));
  const int minute = Between(0, 24 * 60 - 1);
  day.Hour = static_cast<std::uint8_t>(minute / 60);
  day.Minute = static_cast<std::uint8_t>(minute % 60);
  day.Second = 0;
  day.Calendar = calAuto;
  c.Moment = day;
  c.Latitude = Uniform(-RandomLatitudeLimit, RandomLatitudeLimit);
  c.Longitude = Uniform(-180.0, 180.0);
  c.ZoneHours = static_cast<float>(std::round(c.Longitude / 15.0));  // west positive, as the longitude
  c.Place = "Random";
  c.EventKind = Between(0, 1) == 0 ? EventMale : EventFemale;
  stored.houseSystem = DefaultHouseSystem(settings);
  return stored;
}

}  // namespace korvana
