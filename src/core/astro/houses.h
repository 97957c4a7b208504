// House cusps for the 31 house systems, the house of a longitude, and the formulas of
// the chart angles that the houses share with the derived points.
#pragma once

#include <array>
#include <string_view>

#include "core/astro/calculated_chart.h"

namespace korvana {

// "Campanus", "Koch", ... "Asc in 1st", "Composite", indexed by code 1..31 (slot 0 "").
extern const std::array<std::string_view, HouseSystemCount + 1> HouseSystemNames;
// The name of a house system; "" for a code outside 1..31.
std::string_view HouseSystemName(int code);

// Whether the system's cusps are computed in the quadrant manner (Campanus, Koch,
// Meridian, Morinus, Placidus, Porphyry, Regiomontanus, Topocentric, Alcabitius, Bhava).
bool IsQuadrantSystem(int code);

// --- The angle formulas (tropical degrees; ramc, obliquity and latitude in degrees) ---

// The ecliptic point rising at a place of latitude phi when the right ascension of the
// midheaven is ramc, in [0, 360): always the point on the eastern horizon, east of the
// Midheaven, inside the polar circles too.
double AscendantOf(double ramc, double obliquity, double phi);
// The ecliptic point whose right ascension is ra (the Midheaven for ra = RAMC), [0, 360).
double LongitudeOfRightAscension(double ra, double obliquity);
// The Vertex: the western intersection of the prime vertical with the ecliptic (west
// of the Midheaven); 90 at latitude 0.
double VertexOf(double ramc, double obliquity, double phi);
// The East Point (equatorial Ascendant).
double EastPointOf(double ramc, double obliquity);

// Fills the houses block for houses.HouseSystem. points must already hold the
// Ascendant, Midheaven, Vertex, East Point and Part of Fortune and the planets (all in
// the chart's zodiac); zodiacOffset is that zodiac's offset.
// - Koch and Placidus switch to Equal when |houseLatitude| + obliquity > 89.99.
// - Any quadrant formula without a solution switches the system to Equal.
// - Inside the polar circles, where Campanus, Regiomontanus and Topocentric would start
//   from the setting point of the ecliptic, their cusps are turned by 180 degrees so that
//   cusp 1 is the Ascendant; cusp 10 is then the IC and MCIsCusp10 is clear.
// - Composite (31) leaves the cusps as they are: the composite chart supplies them.
// - A code outside 1..31 is computed as Equal and the system reads Equal.
// The cusps are copied to CuspsAsCast at the end.
void ComputeHouses(ChartHouses& houses, const std::array<PointPos, LastPoint + 1>& points,
                   double zodiacOffset, double houseLatitude, double obliquity, double ramc);
// The same on a chart whose moment block and points are filled.
void ComputeHouses(CalculatedChart& chart);

// The house 1..12 of a longitude: the last cusp at or before it, counted from cusp 1 in
// zodiacal order. cusps[1..12] must run in zodiacal order from cusp 1.
int HouseOf(const std::array<double, 13>& cusps, double longitude);

}  // namespace korvana
