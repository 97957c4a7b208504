// "Composite Chart Options": the composite method and the composite houses' anchor as the
// dialog's two lists show them, and the settings they stand for.
#pragma once

#include <array>

namespace korvana {

struct ProgramSettings;

// "Composite Chart Method": "Midpoints" (2), "Davison Relationship" (15).
inline constexpr std::array<const char*, 2> CompositeMethodNames = {"Midpoints", "Davison Relationship"};
// "Composite Chart Houses": "Auto Anchor" (0), "Anchor on 1st House" (1), "Anchor on 10th House" (10).
inline constexpr std::array<const char*, 3> CompositeAnchorNames = {"Auto Anchor", "Anchor on 1st House",
                                                                    "Anchor on 10th House"};

struct CompositeOptionsChoice {
  int method = 0;  // position in CompositeMethodNames
  int anchor = 0;  // position in CompositeAnchorNames
};

// The positions of "CompositeChartMethod" and "CompositeMPBaseHouse"; a value the lists do
// not hold shows as the default (midpoints, automatic anchor).
CompositeOptionsChoice CompositeOptionsFrom(const ProgramSettings& settings);

// Writes the choice into "CompositeChartMethod" and "CompositeMPBaseHouse"; a position out
// of range writes the default. True when either setting changed (the combined chart is then
// made again).
bool ApplyCompositeOptions(const CompositeOptionsChoice& choice, ProgramSettings& settings);

}  // namespace korvana
