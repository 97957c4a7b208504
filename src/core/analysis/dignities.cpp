#include "core/analysis/dignities.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <swephexp.h>

#include "core/analysis/classical.h"
#include "core/astro/ephemeris.h"
#include "core/astro/houses.h"
#include "core/time/angle_math.h"

namespace korvana {
namespace {

bool IsReceptionSlot(int t) {
  return std::find(ReceptionSlots.begin(), ReceptionSlots.end(), t) != ReceptionSlots.end();
}

int ReceptionIndex(int t) {
  return static_cast<int>(std::find(ReceptionSlots.begin(), ReceptionSlots.end(), t) - ReceptionSlots.begin());
}

std::size_t U(int i) { return static_cast<std::size_t>(i); }

// Every PointId that is a ruler anywhere in the scheme's tables.
std::array<bool, LastPoint + 1> Candidates(const AlmutenScheme& scheme, const RulershipTables& tables) {
  std::array<bool, LastPoint + 1> c{};
  auto mark = [&](int p) {
    if (IsPointId(p)) c[U(p)] = true;
  };
  if (const RulershipScheme* s = tables.Scheme(scheme.rulershipScheme)) {
    for (int sign = 1; sign <= 12; ++sign) {
      mark(s->domicile[U(sign)]);
      mark(s->exaltation[U(sign)]);
      for (int f : s->faces[U(sign)]) mark(f);
    }
  }
  const int variant = scheme.TriplicityVariant();
  if (variant < TriplicityVariantCount)
    for (int e = 1; e <= 4; ++e)
      for (int k = 0; k < 3; ++k) mark(tables.triplicities[U(e)][U(k * 3 + variant)]);
  for (int d = 1; d <= 360; ++d)
    for (int t = 0; t < TermSystemCount; ++t) mark(tables.terms[U(d)][U(t)]);
  return c;
}

void Rank(const std::array<std::int32_t, LastPoint + 1>& score, std::array<int, LastPoint>& ranking) {
  for (int i = 0; i < LastPoint; ++i) ranking[U(i)] = i + 1;
  // Equal scores keep PointId order.
  std::stable_sort(ranking.begin(), ranking.end(), [&](int a, int b) { return score[U(a)] > score[U(b)]; });
}

// The Sun and the Moon at a Universal Time moment (tropical, apparent).
struct Luminaries {
  double sun = 0, moon = 0, elongationSpeed = 12.19;
};
Luminaries LuminariesAt(double jdUT) {
  const int flags = (SwissEphemerisInUse() ? SEFLG_SWIEPH : SEFLG_MOSEPH) | SEFLG_SPEED;
  double xs[6] = {}, xm[6] = {};
  char err[AS_MAXCH];
  swe_calc_ut(jdUT, SE_SUN, flags, xs, err);
  swe_calc_ut(jdUT, SE_MOON, flags, xm, err);
  Luminaries l;
  l.sun = xs[0];
  l.moon = xm[0];
  if (xm[3] - xs[3] > 1.0) l.elongationSpeed = xm[3] - xs[3];
  return l;
}

// The moment near jdUT, searched backwards, at which the Moon's elongation from the Sun
// was `target`; it may come out at or after jdUT.
double PhaseNear(double jdUT, double target) {
  Luminaries now = LuminariesAt(jdUT);
  double behind = ModReal(360.0, now.moon - now.sun - target);  // degrees since the phase
  double t = jdUT - behind / 12.190749;
  for (int i = 0; i < 12; ++i) {
    Luminaries l = LuminariesAt(t);
    double diff = SignedMod(360.0, l.moon - l.sun - target);
    double step = diff / l.elongationSpeed;
    t -= step;
    if (std::fabs(step) < 1e-7) break;
  }
  return t;
}

// The last moment before jdUT at which the Moon's elongation from the Sun was `target`
// (0 new moon, 180 full moon). A phase found at or after the moment is looked for again
// half a month earlier; a few tries settle it wherever the ephemeris computes, and the
// bound ends the search where it does not.
double LastPhase(double jdUT, double target) {
  constexpr double SynodicMonth = 29.530588853;
  double from = jdUT;
  double t = PhaseNear(from, target);
  for (int attempt = 0; attempt < 4 && t >= from; ++attempt) {
    from -= SynodicMonth / 2;
    t = PhaseNear(from, target);
  }
  return t;
}

}  // namespace

bool DignityScores::Marked(int point, int slot) const { return Marker(point, slot) != 0; }

char DignityScores::Marker(int point, int slot) const {
  if (!IsPointId(point) || slot < 0 || slot > 9) return 0;
  return markers[U(point)][U(slot)];
}

bool IsDayChart(const CalculatedChart& chart) {
  return ModReal(360.0, chart.Longitude(PointSun) - chart.Longitude(PointAscendant)) > 180.0;
}

DignitySlots DignityRulersAt(double L, const AlmutenScheme& scheme, bool dayChart, const RulershipTables& tables) {
  DignitySlots slots{};
  const int v = scheme.degreeShift;
  const int sign = static_cast<int>(std::trunc((L + 360.0 - v) / 30.0)) % 12 + 1;
  const int opposite = (sign + 5) % 12 + 1;
  const int element = (sign - 1) % 4 + 1;
  int degree = static_cast<int>(std::trunc(L)) + 1;
  if (v == 1 && (degree - 1) % 30 == 0) degree = degree - 1 == 0 ? 360 : degree - 1;
  degree = std::clamp(degree, 1, 360);
  const int decan = std::clamp(static_cast<int>(std::trunc(ModReal(30.0, L - v) / 10.0)), 0, 2);

  if (const RulershipScheme* s = tables.Scheme(scheme.rulershipScheme)) {
    slots[DignityRuler] = s->domicile[U(sign)];
    slots[DignityExaltation] = s->exaltation[U(sign)];
    slots[DignityFace] = s->faces[U(sign)][U(decan)];
    slots[DignityDetriment] = s->domicile[U(opposite)];
    slots[DignityFall] = s->exaltation[U(opposite)];
  }
  const int variant = scheme.TriplicityVariant();
  if (variant < TriplicityVariantCount) {
    const auto& e = tables.triplicities[U(element)];
    const int day = e[U(variant)], night = e[U(3 + variant)];
    slots[DignityTriplicity] = dayChart ? day : night;
    slots[DignityTriplicityOther] = dayChart ? night : day;
    slots[DignityParticipating] = e[U(6 + variant)];
  }
  if (scheme.termSystem < TermSystemCount) slots[DignityTerm] = tables.terms[U(degree)][scheme.termSystem];
  return slots;
}

Syzygies LastSyzygies(double jdUT, double zodiacOffset) {
  Syzygies s;
  s.newMoonJD = LastPhase(jdUT, 0.0);
  s.fullMoonJD = LastPhase(jdUT, 180.0);
  Luminaries n = LuminariesAt(s.newMoonJD), f = LuminariesAt(s.fullMoonJD);
  s.newMoonSun = ModReal(360.0, n.sun + zodiacOffset);
  s.newMoonMoon = ModReal(360.0, n.moon + zodiacOffset);
  s.fullMoonSun = ModReal(360.0, f.sun + zodiacOffset);
  s.fullMoonMoon = ModReal(360.0, f.moon + zodiacOffset);
  s.lastIsNew = s.newMoonJD > s.fullMoonJD;
  return s;
}

std::array<double, 13> OffsetCusps(const CalculatedChart& chart, const AlmutenScheme& scheme) {
  std::array<double, 13> cusps = chart.Houses.Cusps;
  if (scheme.houseSystem > 0 && scheme.houseSystem != chart.Houses.HouseSystem) {
    ChartHouses houses = chart.Houses;
    houses.HouseSystem = static_cast<std::uint8_t>(scheme.houseSystem);
    ComputeHouses(houses, chart.Points, chart.Moment.ZodiacOffset, chart.Moment.HouseLatitude,
                  chart.Moment.Obliquity, chart.Moment.RAMC);
    cusps = houses.Cusps;
  }
  for (int h = 1; h <= 12; ++h) cusps[U(h)] = ModReal(360.0, cusps[U(h)] - scheme.CuspOffset(h));
  return cusps;
}

double PositionLongitude(int code, const CalculatedChart& chart, const AlmutenScheme& scheme,
                         const RulershipTables& tables, const std::array<double, 13>& offsetCusps,
                         const Syzygies* syzygies) {
  const int n = code / 1000, s = code % 1000;
  if (code < 0 || n > 4) return 0.0;
  double L = 0.0;
  if (s >= 1 && s <= LastPoint) {
    if (s == PointPartOfFortune && scheme.reversedFortune == -1) {
      double asc = chart.Longitude(PointAscendant), sun = chart.Longitude(PointSun), moon = chart.Longitude(PointMoon);
      L = (asc < 0 || sun < 0 || moon < 0) ? -1.0 : ModReal(360.0, asc + sun - moon);
    } else {
      L = chart.Longitude(s);
    }
  } else if (s == 101 || s == 102) {
    double angle = chart.Longitude(s == 101 ? PointAscendant : PointMidheaven);
    L = angle < 0 ? -1.0 : ModReal(360.0, angle + 180.0);
  } else if (s >= 103 && s <= 108 && syzygies) {
    const Syzygies& z = *syzygies;
    const double lastMoon = z.lastIsNew ? z.newMoonMoon : z.fullMoonMoon;
    const double lastSun = z.lastIsNew ? z.newMoonSun : z.fullMoonSun;
    switch (s) {
      case 103: L = lastMoon; break;
      case 104: L = lastSun; break;
      case 105: {
        const double mc = chart.Longitude(PointMidheaven);
        auto distance = [&](double x) { return std::fabs(SignedMod(360.0, x - mc)); };
        L = distance(lastMoon) < distance(lastSun) ? lastMoon : lastSun;
        break;
      }
      case 106: L = z.newMoonMoon; break;
      case 107: L = z.fullMoonMoon; break;
      default: L = z.fullMoonSun; break;
    }
  } else if (s >= 201 && s <= 212) {
    L = offsetCusps[U(s - 200)];
  }
  if (n == 0 || L < 0) return L;
  DignitySlots slots = DignityRulersAt(L, scheme, IsDayChart(chart), tables);
  static constexpr int slotOfN[5] = {0, DignityRuler, DignityTriplicity, DignityTerm, DignityFace};
  const int ruler = slots[U(slotOfN[n])];
  return IsPointId(ruler) ? chart.Longitude(ruler) : -1.0;
}

namespace {

// Steps 6 and 7 of the scoring over a list of positions; shared by the full engine and
// the almuten of one degree.
void ScorePositions(DignityScores& out, const AlmutenScheme& scheme, const CalculatedChart& chart,
                    const RulershipTables& tables, const std::array<bool, LastPoint + 1>& candidates,
                    bool ownPlace) {
  const bool day = IsDayChart(chart);
  std::array<bool, LastPoint + 1> dignified{};
  for (int p = 1; p <= LastPoint; ++p)
    if (!candidates[U(p)]) out.score[U(p)] = NotARuler;
  out.rulers.assign(out.positions.size(), DignitySlots{});
  for (std::size_t k = 0; k < out.positions.size(); ++k) {
    const double L = out.positions[k];
    if (L < 0) continue;
    const DignitySlots& rk = out.rulers[k] = DignityRulersAt(L, scheme, day, tables);
    const int first = ownPlace ? static_cast<int>(k) + 1 : 1;
    const int last = ownPlace ? static_cast<int>(k) + 1 : LastPoint;
    for (int p = first; p <= last; ++p) {
      if (!candidates[U(p)]) continue;
      for (int t = 0; t < DignitySlotCount; ++t) {
        if (rk[U(t)] == p) {
          out.score[U(p)] += scheme.dignityWeights[U(t)];
          out.markers[U(p)][U(t)] = DignityMarkers[t];
          if (IsReceptionSlot(t)) dignified[U(p)] = true;
        } else if (IsReceptionSlot(t)) {
          const int r = rk[U(t)];
          if (!IsPointId(r) || chart.Longitude(r) < 0) continue;
          DignitySlots atR = DignityRulersAt(chart.Longitude(r), scheme, day, tables);
          if (atR[U(t)] != p) continue;
          const int i = ReceptionIndex(t);
          out.score[U(p)] += scheme.receptionWeights[U(i)];
          if (scheme.receptionCounts[U(i)] == -1) dignified[U(p)] = true;
          out.markers[U(p)][U(t)] = 'm';
          out.markers[U(r)][U(t)] = 'm';
        }
      }
      if (!dignified[U(p)]) {
        out.score[U(p)] += scheme.peregrineWeight;
        out.markers[U(p)][9] = 'p';
      }
    }
  }
}

}  // namespace

DignityScores ScoreDignities(const AlmutenScheme& scheme, const CalculatedChart& chart,
                             const RulershipTables& tables) {
  DignityScores out;
  const bool day = IsDayChart(chart);
  if ((scheme.sectCondition == 1 && !day) || (scheme.sectCondition != 0 && scheme.sectCondition != 1 && day))
    return out;
  out.scored = true;
  out.cusps = OffsetCusps(chart, scheme);

  const bool ownPlace = scheme.OwnPlaceMode();
  if (ownPlace) {
    for (int p = 1; p <= LastPoint; ++p) out.positions.push_back(chart.Longitude(p));
  } else {
    std::optional<Syzygies> syzygies;
    for (std::int16_t code : scheme.positions) {
      if (code == 0) break;
      const int s = code % 1000;
      if (s >= 103 && s <= 108 && !syzygies) syzygies = LastSyzygies(chart.Moment.JDUT, chart.Moment.ZodiacOffset);
      out.positions.push_back(
          PositionLongitude(code, chart, scheme, tables, out.cusps, syzygies ? &*syzygies : nullptr));
    }
  }

  PlanetaryHours hours = PlanetaryDayAndHour(chart);
  out.dayRuler = hours.dayRuler;
  out.hourRuler = hours.hourRuler;
  std::array<bool, LastPoint + 1> candidates = Candidates(scheme, tables);
  if (IsPointId(out.dayRuler)) candidates[U(out.dayRuler)] = true;
  if (IsPointId(out.hourRuler)) candidates[U(out.hourRuler)] = true;

  ScorePositions(out, scheme, chart, tables, candidates, ownPlace);

  // Without the birth time the planetary hour and the houses are the noon chart's, not
  // facts: neither the hour bonus nor the house weights count then.
  const bool timed = !chart.Chart.TimeUnknown;
  if (scheme.dayBonus != 0 || scheme.hourBonus != 0) {
    if (IsPointId(out.dayRuler)) out.score[U(out.dayRuler)] += scheme.dayBonus;
    if (timed && IsPointId(out.hourRuler)) out.score[U(out.hourRuler)] += scheme.hourBonus;
  }
  for (int p = 1; timed && p <= LastPoint; ++p) {
    if (!candidates[U(p)] || chart.Longitude(p) < 0) continue;
    const int house = HouseOf(out.cusps, chart.Longitude(p));
    if (house >= 1 && house <= 12) out.score[U(p)] += scheme.houseWeights[U(house)];
  }
  Rank(out.score, out.ranking);
  return out;
}

AlmutenResult AlmutenOfDegree(const AlmutenScheme& scheme, const CalculatedChart& chart, double longitude,
                              const RulershipTables& tables) {
  DignityScores scores;
  scores.positions.push_back(longitude);
  ScorePositions(scores, scheme, chart, tables, Candidates(scheme, tables), false);
  AlmutenResult result;
  result.score = scores.score;
  Rank(scores.score, result.ranking);
  const std::int32_t top = result.score[U(result.ranking[0])];
  while (result.count < LastPoint && result.score[U(result.ranking[U(result.count)])] == top) ++result.count;
  return result;
}

std::array<int, 5> GenitureRulers(const DignityScores& scores) {
  std::array<int, 5> rulers{};
  if (!scores.scored) return rulers;
  const int first = scores.ranking[0];
  if (!IsPointId(first)) return rulers;
  rulers[0] = first;
  for (std::size_t i = 1; i < 5; ++i) {
    const int p = scores.ranking[i];
    if (scores.score[U(p)] != scores.score[U(first)]) break;
    rulers[i] = p;
  }
  return rulers;
}

AlmutenWinners WinnersOf(const AlmutenResult& result) {
  AlmutenWinners w;
  w.count = static_cast<std::uint8_t>(std::min(result.count, 255));
  for (int i = 0; i < 3 && i < result.count; ++i) w.points[U(i)] = result.ranking[U(i)];
  return w;
}

ChartAlmutens AlmutensOfChart(const AlmutenScheme& scheme, const CalculatedChart& chart,
                              const RulershipTables& tables) {
  ChartAlmutens a;
  for (int p = 1; p <= LastPoint; ++p)
    if (chart.Longitude(p) >= 0) a.points[U(p)] = WinnersOf(AlmutenOfDegree(scheme, chart, chart.Longitude(p), tables));
  for (int h = 1; h <= 12; ++h)
    a.cusps[U(h)] = WinnersOf(AlmutenOfDegree(scheme, chart, chart.Houses.Cusps[U(h)], tables));
  return a;
}

}  // namespace korvana
