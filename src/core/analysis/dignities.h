// The dignity engine: the dignity rulers of a place, the scoring of a chart under an
// almuten scheme, the almuten of a single degree, the ruler(s) of the geniture and the
// almutens of every point and cusp.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/analysis/almuten_scheme.h"
#include "core/analysis/rulerships.h"
#include "core/astro/calculated_chart.h"

namespace korvana {

// The nine dignity slots of a place.
enum DignityType : int {
  DignityRuler = 0,         // domicile
  DignityExaltation = 1,
  DignityTriplicity = 2,    // triplicity ruler of the chart's sect
  DignityTriplicityOther = 3,
  DignityParticipating = 4,
  DignityTerm = 5,
  DignityFace = 6,
  DignityDetriment = 7,
  DignityFall = 8
};
constexpr int DignitySlotCount = 9;
// The marker of each slot where a planet holds it.
constexpr const char* DignityMarkers = "+++  ++--";
// The slots that count for reception and that save a planet from being peregrine.
constexpr std::array<int, 5> ReceptionSlots = {0, 1, 2, 5, 6};
// Score of a planet that rules nothing in the tables in use (shown as "--").
constexpr std::int32_t NotARuler = -99;

using DignitySlots = std::array<int, DignitySlotCount>;

// True when the Sun is above the horizon: (Sun - Ascendant) reduced to [0, 360) > 180.
bool IsDayChart(const CalculatedChart& chart);

// The holders of the nine slots at longitude L under a scheme's options (rulership
// record, term system, triplicity variant, degree shift) for a day or a night chart.
DignitySlots DignityRulersAt(double longitude, const AlmutenScheme& scheme, bool dayChart,
                             const RulershipTables& tables);

// The longitudes of the last syzygies before a moment (Universal Time Julian day),
// in the zodiac of zodiacOffset.
struct Syzygies {
  double newMoonJD = 0, newMoonSun = 0, newMoonMoon = 0;
  double fullMoonJD = 0, fullMoonSun = 0, fullMoonMoon = 0;
  bool lastIsNew = true;  // the new moon came after the last full moon
};
Syzygies LastSyzygies(double jdUT, double zodiacOffset);

// The results of one scoring run.
struct DignityScores {
  std::vector<DignitySlots> rulers;                       // per position k (index k - 1)
  std::vector<double> positions;                          // their longitudes (-1 = skipped)
  std::array<std::int32_t, LastPoint + 1> score{};        // [PointId]
  std::array<std::array<char, 10>, LastPoint + 1> markers{};  // [PointId][slot 0..8, 9 'p']
  std::array<int, LastPoint> ranking{};                   // PointIds by descending score
  std::array<double, 13> cusps{};                         // the offset cusps [1..12]
  int dayRuler = 0, hourRuler = 0;
  bool scored = false;  // false when the sect condition excluded the chart

  bool Marked(int point, int slot) const;
  char Marker(int point, int slot) const;
};

// The chart's cusps for the scheme (its own, or recomputed in the scheme's house system)
// less each house kind's offset, reduced to [0, 360).
std::array<double, 13> OffsetCusps(const CalculatedChart& chart, const AlmutenScheme& scheme);

// The longitude a position code stands for (N x 1000 + S), or -1 when it names a point
// that is not computed or a ruler that does not exist.
double PositionLongitude(int code, const CalculatedChart& chart, const AlmutenScheme& scheme,
                         const RulershipTables& tables, const std::array<double, 13>& offsetCusps,
                         const Syzygies* syzygies);

// The full scoring engine (clear; sect condition; cusps; positions; day and hour rulers;
// candidates; dignities, receptions and peregrine per position; day/hour bonus; house
// weights; ranking). A chart without its birth time gets neither the hour bonus nor the
// house weights: its hour and houses are those of the time it was cast for.
DignityScores ScoreDignities(const AlmutenScheme& scheme, const CalculatedChart& chart,
                             const RulershipTables& tables);

// The almuten of one longitude: the winners (the leading entries of the ranking with the
// top score) and the ranking.
struct AlmutenResult {
  int count = 0;
  std::array<int, LastPoint> ranking{};
  std::array<std::int32_t, LastPoint + 1> score{};
};
AlmutenResult AlmutenOfDegree(const AlmutenScheme& scheme, const CalculatedChart& chart, double longitude,
                              const RulershipTables& tables);

// Up to five rulers of the geniture: the top of the ranking and every following entry
// (second to fifth) with the same score; the rest 0. All 0 when nothing was scored.
std::array<int, 5> GenitureRulers(const DignityScores& scores);

// The almuten winners of one place: their number and up to three in rank order.
struct AlmutenWinners {
  std::uint8_t count = 0;
  std::array<int, 3> points{};
};
AlmutenWinners WinnersOf(const AlmutenResult& result);

struct ChartAlmutens {
  std::array<AlmutenWinners, LastPoint + 1> points{};  // [PointId]
  std::array<AlmutenWinners, 13> cusps{};              // [house 1..12]
};
// The almutens of every computed point and every house cusp (the chart's own cusps).
ChartAlmutens AlmutensOfChart(const AlmutenScheme& scheme, const CalculatedChart& chart,
                              const RulershipTables& tables);

}  // namespace korvana
