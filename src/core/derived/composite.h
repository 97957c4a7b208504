// The midpoint composite chart of two charts: every point at the circular mean of the
// charts' positions, the houses from the midpoints of their cusps, anchored on the 1st
// or the 10th house.
#pragma once

#include <span>

#include "core/astro/calculated_chart.h"

namespace korvana {

// The chart sub-types a combined chart carries, which are also the values of the
// "CompositeChartMethod" setting.
enum CompositeMethod : int { CompositeMidpoints = 2, CompositeDavison = 15 };

// The values of the "CompositeMPBaseHouse" setting: where the composite houses start.
enum CompositeAnchor : int { AnchorAutomatic = 0, AnchorFirstHouse = 1, AnchorTenthHouse = 10 };

// The circular mean of longitudes (degrees): sorted, the point after the largest circular
// gap between neighbours (the first of equal gaps) is the start s, and the mean is
// ModReal(360, s + mean of ModReal(360, longitude - s)). For two longitudes it is their
// midpoint on the shorter arc; for two opposite ones the first sorted start wins.
// Empty input gives 0.
double CircularMean(std::span<const double> longitudes);

// The anchor house the composite cusps are built from: the setting when it is 1 or 10;
// automatically (any other value) 1, except when the composite Ascendant lies before the
// composite Midheaven (SignedMod(360, Asc - MC) < 0): then 1 when the two charts'
// Ascendants are at least as close as their Midheavens, else 10.
int CompositeAnchorHouse(int anchorSetting, double compositeAsc, double compositeMC, double ascA, double ascB,
                         double mcA, double mcB);

// The twelve composite cusps [1..12] (index 0 unused): from the anchor house round the
// wheel, each the midpoint of the two charts' cusps, turned by 180 degrees when it lies
// more than 180 degrees after the composite cusp before it.
std::array<double, 13> CompositeCusps(const std::array<double, 13>& cuspsA, const std::array<double, 13>& cuspsB,
                                      int anchorHouse);

// The midpoint composite of two cast charts. The record is the first chart's, named
// "Combined", chart type 5 (combined) with sub-type 2 (midpoints); its moment block is
// the first chart's. For every point computed in both charts: the circular mean of the
// longitudes and of the right ascensions, the arithmetic mean of the latitudes and of
// the declinations; speeds and distances are 0 (a composite point does not move). A
// point missing from either chart stays uncomputed. The houses follow CompositeAnchorHouse
// (with `anchorSetting`) and CompositeCusps; the Ascendant is set to cusp 1; the house
// system and the node choice are the first chart's.
CalculatedChart MakeComposite(const CalculatedChart& a, const CalculatedChart& b, int anchorSetting);

}  // namespace korvana
