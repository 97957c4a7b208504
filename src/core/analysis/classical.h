// The classical summary: temperament with its itemised text, planetary day and hour
// rulers, the hyleg, the balance of elements, modalities and polarities, and the small
// condition tests a report can make on a planet (combust, in sect, stronger, which slot
// another planet holds at its place).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/analysis/dignities.h"
#include "core/astro/calculated_chart.h"

namespace korvana {

struct AspectSet;

// Quality flags, bit 0..3.
enum Quality : unsigned { QualityHot = 1, QualityCold = 2, QualityWet = 4, QualityDry = 8 };

// "Hot", "Cold", "Wet", "Dry", "Sanguine", "Choleric", "Melancholic", "Phlegmatic",
// "Balanced", then the phases "New Moon", "First Quarter", "Full Moon", "Last Quarter"
// and the seasons "Spring", "Summer", "Fall", "Winter".
extern const std::array<std::string_view, 17> TemperamentNames;
constexpr int PhaseNameBase = 9;
constexpr int SeasonNameBase = 13;

// The quality set of a sign's element, a moon phase and a season (each 0..3).
unsigned ElementQualities(int sign);
unsigned PhaseQualities(int phase);
unsigned SeasonQualities(int season);
// The flags joined with " and " in the order Hot, Cold, Wet, Dry, or "None".
std::string QualityText(unsigned set);

// The moon phase 0..3 and the season 0..3 (the Sun's quarter, turned by half a circle
// for a southern latitude) of a chart.
int MoonPhase(const CalculatedChart& chart);
int Season(const CalculatedChart& chart);

// What the summary reads besides the chart: the aspect finder's set (natal column), the
// rulership tables, the rulers of the geniture and the almutens of the Moon.
struct TemperamentInputs {
  const AspectSet* aspects = nullptr;  // no aspects are looked for when null
  const RulershipTables* tables = nullptr;
  std::array<int, 5> genitureRulers{};
  AlmutenWinners moonAlmutens;
};

struct TemperamentResult {
  std::array<int, 4> counts{};  // Hot, Cold, Wet, Dry
  std::string text;             // lines separated by "|"
};
TemperamentResult TemperamentSummary(const CalculatedChart& chart, const TemperamentInputs& inputs);

// Index 0..8 into TemperamentNames.
int Temperament(const std::array<int, 4>& counts);

struct PlanetaryHours {
  int dayRuler = 0;   // PointId, 0 = none (the Sun does not rise or set that day)
  int hourRuler = 0;
  int weekday = 0;    // 0 Sunday .. 6 Saturday, of the planetary day
  int hour = -1;      // 0..11 day hours, 12..23 night hours, -1 none
};
PlanetaryHours PlanetaryDayAndHour(const CalculatedChart& chart);

// The Sun by day or the Moon by night when it stands in house 1, 7, 9, 10 or 11 of the
// given (offset) cusps, else the Ascendant.
int Hyleg(const CalculatedChart& chart, const std::array<double, 13>& offsetCusps);

// Groups 0 positive, 1 negative, 2 cardinal, 3 fixed, 4 mutable, 5 fire, 6 earth, 7 air,
// 8 water; levels 1 weak, 2 normal, 3 strong.
int BalanceLevelOf(const CalculatedChart& chart, int group);
bool BalanceLevel(const CalculatedChart& chart, int group, int level);

// Within the combustion orb of the Sun (the Sun itself counts as combust).
bool IsCombust(const CalculatedChart& chart, int point, double combustOrb = 8.0);
bool InSect(const CalculatedChart& chart, int point);
// The point with the higher score; with equal scores the one in sect when only one is,
// otherwise a.
int Stronger(const CalculatedChart& chart, const DignityScores& scores, int a, int b);

// The slot tests of kinds 0..13 with the report set's scheme and its scores.
struct SlotTestContext {
  const AlmutenScheme* scheme = nullptr;
  const RulershipTables* tables = nullptr;
  const DignityScores* scores = nullptr;
  double combustOrb = 8.0;
};
bool SlotTest(const CalculatedChart& chart, const SlotTestContext& context, int kind, int a, int b);

}  // namespace korvana
