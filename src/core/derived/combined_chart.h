// The combined chart of a relationship report: the midpoint composite or the Davison
// chart of two charts, after the composite settings, and the checks that two charts can
// be combined at all.
#pragma once

#include <string>

#include "core/derived/composite.h"
#include "core/derived/davison.h"

namespace korvana {

struct ProgramSettings;

// How the combined chart is made.
struct CombinedChartOptions {
  int method = CompositeMidpoints;  // "CompositeChartMethod": 2 midpoints, 15 Davison
  int anchor = AnchorAutomatic;     // "CompositeMPBaseHouse": 0, 1 or 10
  DavisonOptions davison;
};

// The options from the settings: "CompositeChartMethod" (15 Davison, anything else
// midpoints), "CompositeMPBaseHouse", "Node", "ParallaxMoon", "UserSVP", "EphemPath".
CombinedChartOptions CombinedChartOptionsFrom(const ProgramSettings& settings);

// The combined chart of two cast charts, named "Combined": MakeComposite (chart type 5,
// sub-type 2) or, for the Davison method, MakeDavison of their records with the first
// chart's house system (sub-type 15). When either birth time is unknown, so is the
// combined chart's: it has no angles, Part of Fortune or houses (LeaveOutTimedParts).
// Throws what MakeDavison throws.
CalculatedChart MakeCombinedChart(const CalculatedChart& a, const CalculatedChart& b,
                                  const CombinedChartOptions& options);

// Why two charts cannot be combined, or "" when they can; the checks in this order:
// "The charts do not have the same zodiac system and therefore cannot be combined.",
// "... the same coordinate system ..." (CalcVersion), "... the same Lunar Node type ...",
// and for the midpoint method "A midpoint composite requires the charts to have the same
// house system, but the charts have different house systems so cannot be combined.".
std::string ChartsIncompatibility(const CalculatedChart& a, const CalculatedChart& b, int method);

// The message for two charts that are the same chart.
inline constexpr const char* SameChartCompositeMessage =
    "Cannot combine the same chart for a Composite - choose two charts that are different.";

// Why two charts cannot make a composite by `method`: the same chart twice (equal records
// and house systems: SameChartCompositeMessage), else ChartsIncompatibility; "" when they can.
std::string CombinationRefusal(const CalculatedChart& a, const CalculatedChart& b, int method);

}  // namespace korvana
