// Where a chart's weight falls: the dominant element and mode, the dominant planet, and
// how the ten planets spread over the halves and quadrants of the houses.
//
// Each measure is a fixed, documented weighting so that a report can name one winner and
// a reader can check it by hand:
// - Element and mode: every point counts for its sign; the Sun, the Moon and the
//   Ascendant weigh 3, Mercury, Venus and Mars 2, Jupiter to Pluto 1 (ElementWeights).
//   A tie goes to the element (mode) of the Sun, then of the Moon, then of the
//   Ascendant, then to the first in the order fire, earth, air, water (cardinal, fixed,
//   mutable).
// - Dominant planet: for each of the ten planets the sum of the PlanetWeights below; a
//   tie goes to the planet first in the order Sun, Moon, Mercury .. Pluto.
// - Hemispheres and quadrants count the ten planets by house: eastern = houses 10 to 3
//   (the Ascendant's side), western = 4 to 9, northern = 1 to 6 (below the horizon),
//   southern = 7 to 12 (above it); quadrant n = houses 3n - 2 to 3n.
// Without the birth time the Ascendant, the angles and the houses take no part.
#pragma once

#include <array>
#include <vector>

#include "core/analysis/aspect_file.h"
#include "core/analysis/rulerships.h"
#include "core/astro/calculated_chart.h"

namespace korvana {

// Elements and modes as numbered here: fire 0, earth 1, air 2, water 3; cardinal 0,
// fixed 1, mutable 2. Signs 1..12; -1 outside.
int ElementOfSign(int sign);
int ModeOfSign(int sign);

// Weights of the points that count for the element and mode balance.
struct PointWeight {
  int point;
  int weight;
};
inline constexpr std::array<PointWeight, 11> ElementWeights = {{
    {PointSun, 3}, {PointMoon, 3}, {PointAscendant, 3}, {PointMercury, 2}, {PointVenus, 2}, {PointMars, 2},
    {PointJupiter, 1}, {PointSaturn, 1}, {PointUranus, 1}, {PointNeptune, 1}, {PointPluto, 1}}};

struct ElementBalance {
  std::array<int, 4> elements{};  // weighted totals, fire .. water
  std::array<int, 3> modes{};     // cardinal .. mutable
  int dominantElement = -1;       // -1 when no point is computed
  int dominantMode = -1;
};

// The weighted balance; timeKnown false leaves the Ascendant out.
ElementBalance WeighElements(const CalculatedChart& chart, bool timeKnown);

// The weights of the dominant planet score.
struct PlanetWeights {
  static constexpr int ChartRuler = 4;      // rules the Ascendant's sign
  static constexpr int LightRuler = 2;      // rules the Sun's sign; again for the Moon's
  static constexpr int Angular = 2;         // in house 1, 4, 7 or 10
  static constexpr int OnAngle = 2;         // within OnAngleOrb of the Ascendant or Midheaven
  static constexpr int Domicile = 3;        // in a sign it rules
  static constexpr int Exaltation = 2;      // in its sign of exaltation
  static constexpr int Detriment = -2;      // opposite a sign it rules
  static constexpr int Fall = -1;           // opposite its exaltation
  static constexpr int PerAspect = 1;       // each major aspect (conjunction .. sextile)
};
inline constexpr double OnAngleOrb = 5.0;

struct PlanetScoreInputs {
  const AspectSet* aspects = nullptr;         // none: aspects add nothing
  const RulershipScheme* rulers = nullptr;    // none: rulers and dignity add nothing
  const std::array<double, 13>* cusps = nullptr;  // null when the birth time is unknown
};

struct PlanetScores {
  std::array<int, 10> scores{};  // in the order of FigurePlanets (Sun, Moon, Mercury ..)
  int dominant = 0;              // PointId of the winner, 0 when no planet is computed
};

// Scores the ten planets. Aspects count between the ten planets and, with the birth
// time, to the Ascendant and the Midheaven.
PlanetScores ScorePlanets(const CalculatedChart& chart, const PlanetScoreInputs& in);

// The ten planets by house.
struct HouseSpread {
  std::array<int, 10> houses{};  // house of each planet, FigurePlanets order (0 not computed)
  int eastern = 0, western = 0, northern = 0, southern = 0;
  std::array<int, 4> quadrants{};  // planets in quadrant 1..4 at [0..3]
};
HouseSpread SpreadOverHouses(const CalculatedChart& chart, const std::array<double, 13>& cusps);

// A half of the chart is emphasised when it holds at least this many of the ten planets.
inline constexpr int HalfEmphasis = 7;
// The emphasised quadrant 1..4: at least QuadrantEmphasis planets and more than any
// other quadrant; 0 when none is.
inline constexpr int QuadrantEmphasisCount = 4;
int EmphasisedQuadrant(const HouseSpread& spread);

}  // namespace korvana
