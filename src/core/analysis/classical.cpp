#include "core/analysis/classical.h"

#include <algorithm>
#include <cmath>

#include "core/analysis/aspect_file.h"
#include "core/analysis/find_aspect.h"
#include "core/astro/houses.h"
#include "core/points/point_catalogue.h"
#include "core/time/entry_parsing.h"
#include "core/time/angle_math.h"

namespace korvana {
namespace {

std::size_t U(int i) { return static_cast<std::size_t>(i); }

constexpr unsigned ElementSets[4] = {QualityHot | QualityDry, QualityCold | QualityDry, QualityHot | QualityWet, QualityCold | QualityWet};
// Spring, Summer, Fall, Winter; the moon phases New, First Quarter, Full, Last Quarter
// follow the same cycle.
constexpr unsigned CycleSets[4] = {QualityHot | QualityWet, QualityHot | QualityDry, QualityCold | QualityDry, QualityCold | QualityWet};

constexpr int ClassicalPlanets[7] = {PointMoon, PointSun, PointMercury, PointVenus, PointMars, PointJupiter, PointSaturn};

// Chaldean tables indexed by weekday 0 = Sunday.
constexpr const char* DayRulers = "3175869";
constexpr const char* DayRulerHourOffset = "0362514";
constexpr const char* HourSequence = "3651987";

// Balance weights by PointId.
constexpr int BalanceWeight(int p) {
  switch (p) {
    case PointMoon: case PointSun: case PointAscendant: case PointMidheaven: return 3;
    case PointMercury: case PointVenus: case PointMars: return 2;
    case PointJupiter: case PointSaturn: case PointUranus: case PointNeptune: case PointPluto: return 1;
    default: return 0;
  }
}

bool Above(const CalculatedChart& chart, int point) {
  return ModReal(360.0, chart.Longitude(point) - chart.Longitude(PointAscendant)) >= 180.0;
}

std::string_view SignName(int sign) { return sign >= 1 && sign <= 12 ? SignNames[U(sign - 1)] : ""; }

class Summary {
 public:
  explicit Summary(const CalculatedChart& chart) : chart_(chart) {}

  void Add(unsigned set) {
    for (int q = 0; q < 4; ++q)
      if (set & (1u << q)) ++result.counts[U(q)];
  }
  // "<label><name> = <qualities>"
  void Item(std::string_view label, std::string_view name, unsigned set) {
    result.text += std::string(label) + std::string(name) + " = " + QualityText(set);
    Add(set);
  }
  // "<label><point> (<sign or season>) = <qualities>"
  void Factor(std::string_view label, int p) {
    if (!IsPointId(p) || chart_.Longitude(p) < 0) return;
    std::string name;
    unsigned set;
    if (p == PointSun) {
      int season = Season(chart_);
      name = std::string(TemperamentNames[U(SeasonNameBase + season)]);
      set = SeasonQualities(season);
    } else {
      int sign = SignOf(chart_.Longitude(p));
      name = std::string(SignName(sign));
      set = ElementQualities(sign);
    }
    result.text += std::string(label) + std::string(PointLongName(p)) + " (" + name + ") = " + QualityText(set);
    Add(set);
  }

  TemperamentResult result;

 private:
  const CalculatedChart& chart_;
};

}  // namespace

const std::array<std::string_view, 17> TemperamentNames = {
    "Hot", "Cold", "Wet", "Dry", "Sanguine", "Choleric", "Melancholic", "Phlegmatic", "Balanced",
    "New Moon", "First Quarter", "Full Moon", "Last Quarter", "Spring", "Summer", "Fall", "Winter"};

unsigned ElementQualities(int sign) { return sign >= 1 && sign <= 12 ? ElementSets[(sign - 1) % 4] : 0u; }
unsigned PhaseQualities(int phase) { return phase >= 0 && phase <= 3 ? CycleSets[phase] : 0u; }
unsigned SeasonQualities(int season) { return season >= 0 && season <= 3 ? CycleSets[season] : 0u; }

std::string QualityText(unsigned set) {
  std::string out;
  for (int q = 0; q < 4; ++q)
    if (set & (1u << q)) out += (out.empty() ? "" : " and ") + std::string(TemperamentNames[U(q)]);
  return out.empty() ? "None" : out;
}

int MoonPhase(const CalculatedChart& chart) {
  return std::min(3, static_cast<int>(ModReal(360.0, chart.Longitude(PointMoon) - chart.Longitude(PointSun)) / 90.0));
}

int Season(const CalculatedChart& chart) {
  double sun = chart.Longitude(PointSun);
  if (chart.Chart.Latitude < 0) sun += 180.0;
  return std::min(3, static_cast<int>(ModReal(360.0, sun) / 90.0));
}

TemperamentResult TemperamentSummary(const CalculatedChart& chart, const TemperamentInputs& in) {
  Summary s(chart);
  auto aspected = [&](int planet, int to) {
    return in.aspects && chart.Longitude(planet) >= 0 && chart.Longitude(to) >= 0 &&
           FindAspect(*in.aspects, planet, to, chart.Point(planet), chart.Point(to), OrbNatal).Found();
  };
  const int ascSign = SignOf(chart.Longitude(PointAscendant));
  s.Item("Sign of Ascendant: ", SignName(ascSign), ElementQualities(ascSign));
  if (in.tables) s.Factor("|Ruler of Ascendant: ", in.tables->TraditionalDomicile(ascSign));
  for (int p : ClassicalPlanets)
    if (aspected(p, PointAscendant)) s.Factor("|Aspect to the Ascendant: ", p);
  const int moonSign = SignOf(chart.Longitude(PointMoon));
  s.Item("|Sign of Moon: ", SignName(moonSign), ElementQualities(moonSign));
  const int phase = MoonPhase(chart);
  s.Item("|Phase of Moon: ", TemperamentNames[U(PhaseNameBase + phase)], PhaseQualities(phase));
  for (int p : ClassicalPlanets)
    if (p != PointMoon && aspected(p, PointMoon)) s.Factor("|Aspect to the Moon: ", p);
  const int season = Season(chart);
  s.Item("|Season: ", TemperamentNames[U(SeasonNameBase + season)], SeasonQualities(season));
  for (int r : in.genitureRulers)
    if (r >= 1 && r <= 9) s.Factor("|Ruler of Geniture: ", r);
  for (int i = 0; i < std::min<int>(in.moonAlmutens.count, 3); ++i) {
    int a = in.moonAlmutens.points[U(i)];
    if (a >= 1 && a <= 9) s.Factor("|Almuten of the Moon: ", a);
  }
  return s.result;
}

int Temperament(const std::array<int, 4>& c) {
  const double heat = c[0] + c[1] == 0 ? 1.0 : static_cast<double>(c[0]) / (c[0] + c[1]);
  const double moisture = c[2] + c[3] == 0 ? 1.0 : static_cast<double>(c[2]) / (c[2] + c[3]);
  const int h = heat >= 0.65 ? 0 : heat <= 0.35 ? 1 : -1;      // Hot, Cold, balanced
  const int m = moisture >= 0.65 ? 2 : moisture <= 0.35 ? 3 : -1;  // Wet, Dry, balanced
  if (h < 0) return m < 0 ? 8 : m;
  if (m < 0) return h;
  if (h == 0) return m == 2 ? 4 : 5;  // Sanguine, Choleric
  return m == 3 ? 6 : 7;              // Melancholic, Phlegmatic
}

PlanetaryHours PlanetaryDayAndHour(const CalculatedChart& chart) {
  PlanetaryHours out;
  const double localJD = chart.Moment.JDEphem - chart.Chart.ZoneHours / 24.0;
  const double dayNumber = std::floor(localJD + 1.5);
  int w = static_cast<int>(std::fmod(std::fmod(dayNumber, 7.0) + 7.0, 7.0));

  const EquatorialPos& sun = chart.Equatorial[PointSun];
  double ha = ModReal(360.0, chart.Moment.RAMC - sun.RightAscension);
  if (ha > 180.0) ha -= 360.0;
  const double x = TanDeg(sun.Declination) * TanDeg(chart.Chart.Latitude);
  if (!(std::fabs(x) <= 1.0)) return out;  // the Sun neither rises nor sets (or no data)
  const double sda = 90.0 + RadToDeg(std::asin(x));
  int n;
  if (-sda < ha && ha <= sda) {
    n = std::clamp(static_cast<int>(std::trunc((sda + ha) * 12.0 / (2.0 * sda))), 0, 11);
  } else {
    const double nsa = 180.0 - sda;
    const double clock = localJD + 0.5 - std::floor(localJD + 0.5);
    if (clock < 0.5) w = (w + 6) % 7;  // the planetary day began at the previous sunrise
    n = std::clamp(static_cast<int>(std::trunc(ModReal(360.0, nsa + ha + 180.0) * 12.0 / (2.0 * nsa))) + 12, 12, 23);
  }
  out.weekday = w;
  out.hour = n;
  out.dayRuler = DayRulers[w] - '0';
  out.hourRuler = HourSequence[(n + (DayRulerHourOffset[w] - '0')) % 7] - '0';
  return out;
}

int Hyleg(const CalculatedChart& chart, const std::array<double, 13>& offsetCusps) {
  const int candidate = IsDayChart(chart) ? PointSun : PointMoon;
  const int house = HouseOf(offsetCusps, chart.Longitude(candidate));
  return (house == 1 || house == 7 || house == 9 || house == 10 || house == 11) ? candidate : PointAscendant;
}

int BalanceLevelOf(const CalculatedChart& chart, int group) {
  std::array<int, 9> count{};
  int total = 0;
  for (int p = 1; p <= LastPoint; ++p) {
    const int w = BalanceWeight(p);
    if (w == 0 || chart.Longitude(p) < 0) continue;
    const int s = SignOf(chart.Longitude(p));
    count[U((s - 1) % 2)] += w;
    count[U(2 + (s - 1) % 3)] += w;
    count[U(5 + (s - 1) % 4)] += w;
    total += w;
  }
  if (group < 0 || group > 8) return 0;
  const double expected = group <= 1 ? total / 2.0 : group <= 4 ? total / 3.0 : total / 4.0;
  const double c = count[U(group)];
  if (c < 0.5 * expected) return 1;
  if (c > 1.5 * expected) return 3;
  return 2;
}

bool BalanceLevel(const CalculatedChart& chart, int group, int level) {
  return BalanceLevelOf(chart, group) == level;
}

bool IsCombust(const CalculatedChart& chart, int point, double combustOrb) {
  if (!IsPointId(point) || chart.Longitude(point) < 0 || chart.Longitude(PointSun) < 0) return false;
  const double distance = std::fabs(ModReal(360.0, chart.Longitude(PointSun) - chart.Longitude(point) + 180.0) - 180.0);
  // A hair of tolerance, so that a planet typed exactly the orb away counts.
  return distance <= combustOrb + 1e-9;
}

bool InSect(const CalculatedChart& chart, int point) {
  if (!IsPointId(point) || chart.Longitude(point) < 0) return false;
  const bool opposite = Above(chart, PointSun) != Above(chart, point);
  int as = point;
  if (point == PointMercury)
    as = ModReal(360.0, chart.Longitude(PointMercury) - chart.Longitude(PointSun)) < 180.0 ? PointMoon : PointSun;
  switch (as) {
    case PointMoon: case PointVenus: case PointMars: return opposite;
    case PointSun: case PointJupiter: case PointSaturn: return !opposite;
    default: return false;
  }
}

int Stronger(const CalculatedChart& chart, const DignityScores& scores, int a, int b) {
  const std::int32_t sa = IsPointId(a) ? scores.score[U(a)] : NotARuler;
  const std::int32_t sb = IsPointId(b) ? scores.score[U(b)] : NotARuler;
  if (sa != sb) return sa > sb ? a : b;
  const bool ia = InSect(chart, a), ib = InSect(chart, b);
  if (ia != ib) return ia ? a : b;
  return a;
}

bool SlotTest(const CalculatedChart& chart, const SlotTestContext& ctx, int kind, int a, int b) {
  if (!IsPointId(a)) return false;
  switch (kind) {
    case 7: return ctx.scores && ctx.scores->Marker(a, 9) == 'p';
    case 8: return IsCombust(chart, a, ctx.combustOrb);
    case 12: return chart.Point(a).LongitudeSpeed >= 0;
    case 13: return chart.Point(a).LongitudeSpeed < 0;
    default: break;
  }
  if (kind < 0 || kind > 11 || !ctx.scheme || !ctx.tables || chart.Longitude(a) < 0 || b == 0) return false;
  const DignitySlots r = DignityRulersAt(chart.Longitude(a), *ctx.scheme, IsDayChart(chart), *ctx.tables);
  auto holds = [&](std::initializer_list<int> slots) {
    for (int s : slots)
      if (r[U(s)] == b) return true;
    return false;
  };
  switch (kind) {
    case 0: return holds({DignityRuler});
    case 1: return holds({DignityExaltation});
    case 2: return holds({DignityTriplicity});
    case 3: return holds({DignityTerm});
    case 4: return holds({DignityFace});
    case 5: return holds({DignityDetriment});
    case 6: return holds({DignityFall});
    case 9: return holds({DignityRuler, DignityExaltation, DignityTriplicity});
    case 10: return holds({DignityRuler, DignityExaltation, DignityTriplicity, DignityTerm, DignityFace}) && !IsCombust(chart, b, ctx.combustOrb);
    case 11: return holds({DignityDetriment, DignityFall});
    default: return false;
  }
}

}  // namespace korvana
