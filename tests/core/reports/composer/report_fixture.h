// Charts and aspect sets made by hand for the composer and driver tests: every point not
// placed stays uncomputed, houses are equal houses from a given Ascendant.
#pragma once

#include <string>

#include "core/analysis/aspect_file.h"
#include "core/analysis/rulerships.h"
#include "core/astro/calculated_chart.h"
#include "core/reports/reportset/compiled_record.h"

namespace korvana::testing {

inline void Place(CalculatedChart& chart, int point, double longitude, double speed = 0.5) {
  chart.Point(point).Longitude = longitude;
  chart.Point(point).LongitudeSpeed = speed;
  chart.Point(point).Distance = 1.0;
}

// A chart named `name` with equal houses from the Ascendant (0 = Aries rising) and the
// Sun at 15 Leo in the 5th house.
inline CalculatedChart MakeChart(const std::string& name, double ascendant = 0.0) {
  CalculatedChart c;
  c.Chart.Name = name;
  c.Chart.Latitude = 51.5;
  c.Houses.HouseSystem = HousesEqual;
  for (int h = 1; h <= 12; ++h) {
    double cusp = ascendant + 30.0 * (h - 1);
    while (cusp >= 360) cusp -= 360;
    c.Houses.Cusps[static_cast<std::size_t>(h)] = cusp;
    c.Houses.CuspsAsCast[static_cast<std::size_t>(h)] = cusp;
  }
  Place(c, PointAscendant, ascendant, 360);
  Place(c, PointMidheaven, ascendant + 270 >= 360 ? ascendant - 90 : ascendant + 270, 360);
  Place(c, PointSun, 135.0, 1.0);
  return c;
}

// Conjunction, opposition, trine, square and sextile with orbs of 8 degrees everywhere.
inline AspectSet MajorAspects(double orb = 8.0) {
  AspectSet set;
  set.loaded = true;
  set.header.count = 5;
  const double angles[] = {0, 180, 120, 90, 60};
  for (int n = 1; n <= 5; ++n) {
    AspectRecord& r = set.records[static_cast<std::size_t>(n)];
    r.aspectType = static_cast<std::int16_t>(n);
    r.angle = angles[n - 1];
    r.inUse = true;
    r.orbs.fill(orb);
  }
  for (int p = 1; p <= 36; ++p) set.moietyFactors[static_cast<std::size_t>(p)] = 1.0f;
  set.RecomputeDisplayedMoieties();
  return set;
}

// Domicile rulers of the traditional scheme, Aries first.
inline RulershipTables TraditionalTables() {
  RulershipTables t;
  RulershipScheme s;
  s.code = 'T';
  const int rulers[12] = {PointMars, PointVenus, PointMercury, PointMoon, PointSun, PointMercury,
                          PointVenus, PointMars, PointJupiter, PointSaturn, PointSaturn, PointJupiter};
  const int exalted[12] = {PointSun, PointMoon, 0, PointJupiter, 0, PointMercury, PointSaturn, 0, 0, PointMars, 0, PointVenus};
  for (int sign = 1; sign <= 12; ++sign) {
    s.domicile[static_cast<std::size_t>(sign)] = static_cast<std::uint8_t>(rulers[sign - 1]);
    s.exaltation[static_cast<std::size_t>(sign)] = static_cast<std::uint8_t>(exalted[sign - 1]);
  }
  t.schemes.push_back(s);
  t.schemeT = t.schemeM = t.schemeE = t.schemeH = 1;
  return t;
}

inline CompiledRecord Statement(int code, std::initializer_list<std::int32_t> params, bool negated = false) {
  CompiledRecord r;
  r.code = static_cast<std::uint8_t>(code);
  std::size_t i = 0;
  for (std::int32_t p : params) r.params[i++] = p;
  r.negated = negated;
  r.level = 1;
  return r;
}

inline CompiledRecord Statement(StatementCode code, std::initializer_list<std::int32_t> params, bool negated = false) {
  return Statement(CodeByte(code), params, negated);
}

}  // namespace korvana::testing
