// The classical analysis a report run prepares for its chart before composing: the
// planetary day and hour, the report set's dignity scores and offset cusps, the rulers
// of the geniture, the almutens of every point and cusp, the hyleg and its almutens,
// the temperament and the position of Algol.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/analysis/almuten_scheme.h"
#include "core/analysis/classical.h"
#include "core/analysis/dignities.h"
#include "core/analysis/rulerships.h"
#include "core/astro/calculated_chart.h"

namespace korvana {

struct AspectSet;

struct ClassicalFiles {
  std::string reportScheme;    // the report set's ".alm" (its AlmFile)
  std::string genitureScheme;  // "geniture.alm" in the program folder
  std::string houseScheme;     // "house.alm" in the program folder
  std::string starFile;        // "algol.fst" in the program folder
};

// The three scheme files and the star file in the program folder, with the report set's
// own scheme.
ClassicalFiles DefaultClassicalFiles(const std::string& systemPath, const std::string& reportScheme);

struct ClassicalAnalysis {
  PlanetaryHours hours;
  std::optional<AlmutenScheme> reportScheme;  // nullopt when its file cannot be read
  DignityScores reportScores;
  std::array<double, 13> offsetCusps{};       // the chart's cusps when the scheme is unread
  std::optional<AlmutenScheme> genitureScheme;
  DignityScores genitureScores;
  std::array<int, 5> genitureRulers{};
  bool almutensKnown = false;                 // "house.alm" was read
  ChartAlmutens almutens;
  int hyleg = 0;
  AlmutenWinners hylegAlmutens;
  TemperamentResult temperament;
  int temperamentType = 0;                    // index into TemperamentNames
  double algolLongitude = -1;                 // -1 when the star file cannot be read
};

// Runs the whole preparation. A scheme file that cannot be read leaves its part empty
// (no scores, no rulers of the geniture, no almutens); nothing here shows a message.
ClassicalAnalysis AnalyseClassical(const CalculatedChart& chart, const ClassicalFiles& files,
                                   const RulershipTables& tables, const AspectSet* aspects);

}  // namespace korvana
