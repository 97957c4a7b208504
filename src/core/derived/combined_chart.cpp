#include "core/derived/combined_chart.h"

#include "core/astro/cast_chart.h"
#include "core/config/program_settings.h"

namespace korvana {

CombinedChartOptions CombinedChartOptionsFrom(const ProgramSettings& s) {
  CombinedChartOptions o;
  o.method = s.CompositeChartMethod == CompositeDavison ? CompositeDavison : CompositeMidpoints;
  o.anchor = s.CompositeMPBaseHouse;
  o.davison.meanNode = s.Node != 0;
  o.davison.parallaxMoon = s.ParallaxMoon;
  o.davison.userSvp = s.UserSVP;
  o.davison.ephemPath = s.EphemPath;
  return o;
}

CalculatedChart MakeCombinedChart(const CalculatedChart& a, const CalculatedChart& b,
                                  const CombinedChartOptions& options) {
  CalculatedChart c = options.method == CompositeDavison
                          ? MakeDavison(a.Chart, b.Chart, a.Houses.HouseSystem, options.davison)
                          : MakeComposite(a, b, options.anchor);
  c.Chart.Name = "Combined";
  // Halfway between a known and an unknown birth time is unknown too: neither the
  // midpoints of the angles and cusps nor the Davison moment's angles mean anything then.
  if (a.Chart.TimeUnknown || b.Chart.TimeUnknown) {
    c.Chart.TimeUnknown = true;
    LeaveOutTimedParts(c);
  }
  return c;
}

std::string ChartsIncompatibility(const CalculatedChart& a, const CalculatedChart& b, int method) {
  if (a.Chart.Zodiac != b.Chart.Zodiac)
    return "The charts do not have the same zodiac system and therefore cannot be combined.";
  if ((a.Chart.CalcVersion == 1) != (b.Chart.CalcVersion == 1))
    return "The charts do not have the same coordinate system and therefore cannot be combined.";
  if (a.Chart.MeanNode != b.Chart.MeanNode)
    return "The charts do not have the same Lunar Node type and therefore cannot be combined.";
  if (method != CompositeDavison && a.Houses.HouseSystem != b.Houses.HouseSystem)
    return "A midpoint composite requires the charts to have the same house system, but the charts have "
           "different house systems so cannot be combined.";
  return "";
}

std::string CombinationRefusal(const CalculatedChart& a, const CalculatedChart& b, int method) {
  if (a.Chart == b.Chart && a.Houses.HouseSystem == b.Houses.HouseSystem) return SameChartCompositeMessage;
  return ChartsIncompatibility(a, b, method);
}

}  // namespace korvana
