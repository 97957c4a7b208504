// Placing the points of one wheel ring: which points are shown, in which order, in which
// house, and at which display longitude so that their glyphs and texts do not overlap.
//
// Points are spread apart to a minimum separation of WheelSpreadDegrees: a forward pass
// pushes crowded points on in the zodiac, a backward pass pulls them back inside houses
// that have room for them, and relaxation passes share out what remains. A house with
// more points than room lets them spill past its next cusp.
#pragma once

#include <array>
#include <vector>

namespace korvana {

inline constexpr int WheelPointCount = 36;   // point ids 1..36
inline constexpr double WheelSpreadDegrees = 6.0;

// One ring's points. Arrays are indexed by point id (entry 0 unused).
struct PointList {
  std::array<bool, WheelPointCount + 1> shown{};
  std::vector<int> order;                                // ids, ascending by longitude
  std::array<double, WheelPointCount + 1> display{};    // where glyph and texts go
  std::array<int, WheelPointCount + 1> house{};         // 1..12
  int Count() const { return static_cast<int>(order.size()); }
};

// A longitude brought into 0..360 (360 itself becomes 0).
double WheelLongitude(double x);
// A difference of longitudes as a signed gap in -180..180: above 180 it counts as the way
// back.
double WheelGap(double x);

// Cusps 1..12 (entry 0 unused).
using WheelCusps = std::array<double, 13>;

// Builds the list of shown points: the selection, less points 13..19 that were not
// calculated (negative longitude), the Ascendant (22) and Midheaven (23) when the birth
// time is not known, and any point whose longitude is not a number. `order` lists them
// ascending by longitude; equal longitudes keep ascending id order.
PointList BuildPointList(const std::array<double, WheelPointCount + 1>& longitudes,
                         const std::array<bool, WheelPointCount + 1>& selection,
                         bool ascendantUnknown, bool midheavenUnknown);

// The selection a wheel draws of a chart: without the angles and the Part of Fortune
// (points 22..26) when the chart's birth time is unknown.
std::array<bool, WheelPointCount + 1> SelectionForChart(std::array<bool, WheelPointCount + 1> selection,
                                                        bool timeUnknown);

// The house (1..12) whose cusps enclose a longitude.
int HouseOfLongitude(const WheelCusps& cusps, double longitude);

// Spreads the shown points of `list` (display longitudes and houses are set here).
// With `cusp_offsets` given (house expansion), cusp display offsets 1..12 in degrees are
// computed so that cusp lines drawn through the ring step around the spread points.
void SpreadPoints(PointList& list, const std::array<double, WheelPointCount + 1>& longitudes,
                  const WheelCusps& cusps, WheelCusps* cusp_offsets = nullptr,
                  double separation = WheelSpreadDegrees);

// Spreads a plain list of longitudes the same way (extra points), in place; the list is
// sorted by longitude first.
void SpreadLongitudes(std::vector<double>& longitudes, const WheelCusps& cusps,
                      double separation = WheelSpreadDegrees);

}  // namespace korvana
