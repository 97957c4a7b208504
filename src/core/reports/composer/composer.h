// The report content composer: decides whether one compiled statement (Mars Aries, Moon
// Trine Saturn, Ruler 7th House Dignified, ...) holds for the chart or the pair of charts
// of a report, and composes its keyword title in the report language.
//
// The composer reads the calculated charts, the aspect set, the rulership tables and the
// classical analysis the report driver prepares before the walk (ClassicalInputs). Its
// own state is the evaluation context: the last point pair (a statement with one point
// takes its second point from it), the complexion computed once per run, the chart
// chosen by a Chart statement, the starset range and the star epoch. The driver shares
// the rest of the run state with it through the public members below (rulership scheme,
// untimed ingress table, asteroid list, text counter).
//
// Evaluation never fails: a statement whose points are not computed or whose numbers
// are out of range is false.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/analysis/almuten_scheme.h"
#include "core/analysis/chart_figures.h"
#include "core/analysis/aspect_file.h"
#include "core/analysis/dignities.h"
#include "core/analysis/rulerships.h"
#include "core/astro/calculated_chart.h"
#include "core/reports/reportset/compiled_record.h"

namespace korvana {

class TEMInterps;

// The placeholder title of statements the composer does not evaluate.
inline constexpr const char* UnhandledStatementTitle = "Edit TopicIsIncluded Routine to show this title";

// Rulership schemes of the Rulerships statement (its parameter).
enum RulershipChoice : int { RulersModern = 1, RulersTraditional = 2, RulersEsoteric = 3, RulersHierarchical = 4 };

// The classical analysis of a report's charts, prepared by the driver before the walk.
struct ClassicalInputs {
  int dayRuler = 0;   // planetary day ruler of the first chart (PointId, 0 none)
  int hourRuler = 0;  // planetary hour ruler
  double algolLongitude = -1;         // star 1 of "algol.fst" for the first chart, -1 unknown
  std::array<int, 5> genitureRulers{};  // from "geniture.alm"
  bool almutensKnown = false;           // "house.alm" was read
  ChartAlmutens almutens;               // first chart, "house.alm"
  // Offset cusps [1..12] of chart 1 and chart 2 from the report set's almuten scheme;
  // a chart without them uses its own cusps.
  std::array<std::optional<std::array<double, 13>>, 2> offsetCusps;
  int hyleg = 0;
  AlmutenWinners hylegAlmutens;
  // The report set's almuten scheme and its scores for the first chart (the condition,
  // dispositor and house ruler dignity, significator and more-dignified statements);
  // nullopt when its file cannot be read.
  std::optional<AlmutenScheme> reportScheme;
  DignityScores reportScores;
};

// Per point 1..36: the signs at the start and the end of the birth day of an untimed
// chart and the clock time of the sign change.
struct UntimedIngress {
  int signAtStart = 0;
  int signAtEnd = 0;
  bool changed = false;
  int hour = 0;
  int minute = 0;
};
using UntimedIngressTable = std::array<UntimedIngress, LastPoint + 1>;

// An asteroid defined by an Asteroid statement of the report.
struct ReportAsteroid {
  std::string name;
  std::string description;
  std::int32_t number = 0;
  PointPos position;  // taken from the first chart's extra points; not computed when absent
};

// What the composer reads besides the charts; fixed for one run.
struct ComposerInputs {
  int language = 0;          // report language 0..3
  int quesitedHouse = 1;     // replaces the house word "Quesited"
  bool showExplanations = true;
  bool twelveHourClock = false;  // the clock time of untimed ingress notes
  double combustOrb = 8.0;
  int chosenOption = 0;      // 1-based number of the report option chosen for the run, 0 none
  std::vector<std::string> ownerNames;  // chart owners' names, chart order
  const AspectSet* aspects = nullptr;   // the report set's aspects; none found when null
  const RulershipTables* tables = nullptr;
  const TEMInterps* interps = nullptr;  // degree paragraphs (PlanetDegree, HouseCuspDegree)
  std::string starFile;                 // the report set's fixed stars (PointAspectsStar)
};

struct StatementResult {
  bool truth = false;
  std::string title;       // the keyword title
  std::string extraText;   // untimed note, complexion scores or degree paragraph
  bool extraTextSet = false;
  bool swapped = false;    // a two-chart aspect held only with the charts exchanged
  // Texts for the placeholders the statement fills in its own paragraph ("%P" .., see
  // StatementPlaceholders), in report markup.
  std::vector<std::pair<char, std::string>> placeholders;
};

// A point of a statement, resolved to a chart.
struct BoundPoint {
  std::int32_t value = 0;  // as compiled: 1..36, 37 hour ruler, 38 day ruler, 10000 + i
  int id = 0;              // PointId for the analysis (0 for asteroids and unknown points)
  int chart = 0;           // 0 first chart, 1 second
  PointPos position;
};

class ReportComposer {
 public:
  ComposerInputs inputs;
  ClassicalInputs classical;

  // Run state shared with the report driver.
  int rulershipScheme = RulersTraditional;  // set by the Rulerships statement
  bool untimed = false;
  UntimedIngressTable ingress{};
  std::vector<ReportAsteroid> asteroids;
  int textCounter = 0;  // statements that wrote text since the last CheckForText
  std::string starsetName;  // the text of the last Starset statement

  // Clears the evaluation context for a new run: complexion, selected chart, last point
  // pair, starset range and epoch, rulership scheme, untimed flag and asteroid list.
  void ResetForRun();

  // Evaluates one statement. charts[0..highChart] are the report's charts; chartSelection
  // 0, 1 or 2 and twoCharts (a synastry report) choose the chart of each point. Across
  // two charts (selection 0 and no Chart statement) an aspect between two points, and a
  // point in a house (the first chart's point among the second chart's houses), is tried
  // the other way round when it fails; swapped then tells that the owners' names change
  // places.
  StatementResult EvaluateStatement(const CompiledRecord& statement, const std::vector<CalculatedChart>& charts,
                                    int highChart, int chartSelection, bool twoCharts);

  // The complexion of the run (ComplexionalScores): counts Hot, Cold, Wet, Dry, type and text.
  struct Complexion {
    bool computed = false;
    std::array<int, 4> counts{};
    int type = 0;
    std::string summary;
  };
  const Complexion& CurrentComplexion() const { return complexion_; }
  // The starset range (degrees) set by the last Starset statement.
  double StarsetStart() const { return starsetStart_; }
  double StarsetEnd() const { return starsetEnd_; }
  int SelectedChart() const { return selectedChart_; }

  // The aspect figures of a chart (FindFigures), found again only when the chart's points,
  // its cusps or the aspect set differ from the last call's: a report asks for them in
  // every Pattern statement.
  const std::vector<ChartFigure>& FiguresOf(const CalculatedChart& chart, const FigureInputs& in);

 private:
  struct Eval;
  struct FigureCache {
    bool filled = false;
    const AspectSet* aspects = nullptr;
    std::array<PointPos, LastPoint + 1> points{};
    std::optional<std::array<double, 13>> cusps;
    std::vector<ChartFigure> figures;
  };
  FigureCache figures_;
  Complexion complexion_;
  int selectedChart_ = 0;
  bool havePair_ = false;
  BoundPoint lastFirst_, lastSecond_;
  double starsetStart_ = 0, starsetEnd_ = 0;
  bool starsetSet_ = false;
  int starEpoch_ = 2000;
};

// The name of a statement point in the report language: the short point name, the
// asteroid's name, or "Planetary Hour Ruler (Mars)"; withArticle gives "The Moon".
std::string StatementPointName(int language, std::int32_t value, int resolvedId,
                               const std::vector<ReportAsteroid>& asteroids, bool withArticle = false);

// The degree number of PlanetDegree and HouseCuspDegree titles as an ordinal of the report
// language: English "1st", "22nd"; Spanish "1º"; French "1er", "22e"; Norwegian the plain number.
std::string DegreeOrdinal(int language, int n);

}  // namespace korvana
