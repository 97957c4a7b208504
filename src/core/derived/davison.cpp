#include "core/derived/davison.h"

#include "core/derived/composite.h"
#include "core/time/angle_math.h"
#include "core/time/date_time_rec.h"

namespace korvana {

double RecordJulianDayUT(const ChartRecord& c) {
  const DateTimeRec& m = c.Moment;
  const double day = m.Day + (m.Hour + static_cast<double>(c.ZoneHours)) / 24.0 + m.Minute / 1440.0 +
                     m.Second / 86400.0;
  return DateToJDMixed(m.Month, m.Year, day, false);
}

double DavisonLongitude(double longitudeA, double longitudeB) {
  const double m = MidPoint(Mod360(longitudeB), Mod360(longitudeA));
  return m > 180 ? m - 360 : m;
}

CalculatedChart MakeDavison(const ChartRecord& a, const ChartRecord& b, int houseSystem,
                            const DavisonOptions& options) {
  ChartRecord r = a;
  r.Name = "Combined";
  r.ChartType = ChartTypeCombined;
  r.ChartSubType = CompositeDavison;
  r.ChartTypeParam = 0;
  r.Latitude = (a.Latitude + b.Latitude) / 2;
  r.Longitude = DavisonLongitude(a.Longitude, b.Longitude);
  r.Moment = JDToDateRec(calAuto, (RecordJulianDayUT(a) + RecordJulianDayUT(b)) / 2);
  r.ZoneHours = 0.0f;
  r.ZoneAbbrev = "GMT";
  r.Place = DavisonPlaceName;
  r.Country.clear();
  r.MeanNode = options.meanNode;
  r.ParallaxMoon = options.parallaxMoon;

  CastOptions cast;
  cast.HouseSystem = houseSystem;
  cast.UserSVP = options.userSvp;
  cast.EphemPath = options.ephemPath;
  cast.Backend = CalcBackend::Swiss;
  cast.FormulaSiderealTime = true;
  return CastChart(r, cast);
}

}  // namespace korvana
