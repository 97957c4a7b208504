#include "core/analysis/chart_emphasis.h"

#include <cmath>

#include "core/analysis/aspect_type.h"
#include "core/analysis/chart_figures.h"
#include "core/analysis/find_aspect.h"
#include "core/astro/houses.h"
#include "core/time/angle_math.h"

namespace korvana {

namespace {

std::size_t U(int i) { return static_cast<std::size_t>(i); }

int SignOfPoint(const CalculatedChart& chart, int point) {
  return chart.Point(point).Computed() ? SignOfLongitude(chart.Longitude(point)) : 0;
}

// The index with the highest total; a tie goes to the first of `preferred` (indexes, -1
// skipped) among the tied, else to the lowest index. -1 when every total is 0.
template <std::size_t N>
int Winner(const std::array<int, N>& totals, std::initializer_list<int> preferred) {
  int best = 0;
  for (int t : totals) best = std::max(best, t);
  if (best == 0) return -1;
  for (int p : preferred)
    if (p >= 0 && totals[U(p)] == best) return p;
  for (std::size_t i = 0; i < N; ++i)
    if (totals[i] == best) return static_cast<int>(i);
  return -1;
}

int Opposite(int sign) { return (sign + 5) % 12 + 1; }

}  // namespace

int ElementOfSign(int sign) { return sign >= 1 && sign <= 12 ? (sign - 1) % 4 : -1; }
int ModeOfSign(int sign) { return sign >= 1 && sign <= 12 ? (sign - 1) % 3 : -1; }

ElementBalance WeighElements(const CalculatedChart& chart, bool timeKnown) {
  ElementBalance b;
  for (const PointWeight& w : ElementWeights) {
    if (w.point == PointAscendant && !timeKnown) continue;
    const int sign = SignOfPoint(chart, w.point);
    const int element = ElementOfSign(sign), mode = ModeOfSign(sign);
    if (element < 0 || mode < 0) continue;
    b.elements[U(element)] += w.weight;
    b.modes[U(mode)] += w.weight;
  }
  const int sun = SignOfPoint(chart, PointSun), moon = SignOfPoint(chart, PointMoon);
  const int asc = timeKnown ? SignOfPoint(chart, PointAscendant) : 0;
  b.dominantElement = Winner(b.elements, {ElementOfSign(sun), ElementOfSign(moon), ElementOfSign(asc)});
  b.dominantMode = Winner(b.modes, {ModeOfSign(sun), ModeOfSign(moon), ModeOfSign(asc)});
  return b;
}

PlanetScores ScorePlanets(const CalculatedChart& chart, const PlanetScoreInputs& in) {
  PlanetScores s;
  const RulershipScheme* r = in.rulers;
  auto domicile = [&](int sign) { return r && sign >= 1 ? static_cast<int>(r->domicile[U(sign)]) : 0; };
  auto exaltation = [&](int sign) { return r && sign >= 1 ? static_cast<int>(r->exaltation[U(sign)]) : 0; };
  const int ascSign = in.cusps ? SignOfPoint(chart, PointAscendant) : 0;
  const int sunSign = SignOfPoint(chart, PointSun), moonSign = SignOfPoint(chart, PointMoon);
  bool any = false;
  for (std::size_t i = 0; i < FigurePlanets.size(); ++i) {
    const int p = FigurePlanets[i];
    if (!chart.Point(p).Computed()) continue;
    any = true;
    int score = 0;
    const int sign = SignOfPoint(chart, p);
    if (ascSign != 0 && domicile(ascSign) == p) score += PlanetWeights::ChartRuler;
    if (domicile(sunSign) == p) score += PlanetWeights::LightRuler;
    if (domicile(moonSign) == p) score += PlanetWeights::LightRuler;
    if (domicile(sign) == p) score += PlanetWeights::Domicile;
    if (exaltation(sign) == p) score += PlanetWeights::Exaltation;
    if (domicile(Opposite(sign)) == p) score += PlanetWeights::Detriment;
    if (exaltation(Opposite(sign)) == p) score += PlanetWeights::Fall;
    if (in.cusps) {
      const int h = HouseOf(*in.cusps, chart.Longitude(p));
      if (h == 1 || h == 4 || h == 7 || h == 10) score += PlanetWeights::Angular;
      for (int angle : {PointAscendant, PointMidheaven})
        if (chart.Point(angle).Computed() &&
            std::fabs(SignedMod(360, chart.Longitude(p) - chart.Longitude(angle))) <= OnAngleOrb) {
          score += PlanetWeights::OnAngle;
          break;
        }
    }
    if (in.aspects) {
      auto major = [&](int other) {
        if (other == p || !chart.Point(other).Computed()) return false;
        AspectMatch m = FindAspect(*in.aspects, p, other, chart.Point(p), chart.Point(other), OrbNatal);
        const AspectRecord* rec = m.Found() ? in.aspects->Record(m.record) : nullptr;
        return rec && rec->aspectType >= static_cast<int>(AspectType::Conjunction) &&
               rec->aspectType <= static_cast<int>(AspectType::Sextile);
      };
      for (int other : FigurePlanets)
        if (major(other)) score += PlanetWeights::PerAspect;
      if (in.cusps)
        for (int angle : {PointAscendant, PointMidheaven})
          if (major(angle)) score += PlanetWeights::PerAspect;
    }
    s.scores[i] = score;
  }
  if (!any) return s;
  // Highest score; the first planet in order wins a tie. Scores may be negative.
  std::size_t best = FigurePlanets.size();
  for (std::size_t i = 0; i < FigurePlanets.size(); ++i) {
    if (!chart.Point(FigurePlanets[i]).Computed()) continue;
    if (best == FigurePlanets.size() || s.scores[i] > s.scores[best]) best = i;
  }
  s.dominant = FigurePlanets[best];
  return s;
}

HouseSpread SpreadOverHouses(const CalculatedChart& chart, const std::array<double, 13>& cusps) {
  HouseSpread s;
  for (std::size_t i = 0; i < FigurePlanets.size(); ++i) {
    const int p = FigurePlanets[i];
    if (!chart.Point(p).Computed()) continue;
    const int h = HouseOf(cusps, chart.Longitude(p));
    if (h < 1 || h > 12) continue;
    s.houses[i] = h;
    if (h >= 4 && h <= 9)
      ++s.western;
    else
      ++s.eastern;
    if (h <= 6)
      ++s.northern;
    else
      ++s.southern;
    ++s.quadrants[U((h - 1) / 3)];
  }
  return s;
}

int EmphasisedQuadrant(const HouseSpread& spread) {
  for (int q = 0; q < 4; ++q) {
    const int n = spread.quadrants[U(q)];
    if (n < QuadrantEmphasisCount) continue;
    bool most = true;
    for (int o = 0; o < 4; ++o)
      if (o != q && spread.quadrants[U(o)] >= n) most = false;
    if (most) return q + 1;
  }
  return 0;
}

}  // namespace korvana
