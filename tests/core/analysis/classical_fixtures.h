// The shipped rulership tables (built from their readable sources) and hand-made charts
// for the dignity and classical summary tests.
#pragma once

#include <cmath>
#include <string>

#include "core/analysis/almuten_scheme.h"
#include "core/analysis/classical_sources.h"
#include "core/analysis/rulerships.h"
#include "core/astro/calculated_chart.h"
#include "core/util/files.h"

namespace korvana::testing {

inline std::string ClassicalSource(const std::string& name) {
  return ReadFileBytes(std::string(KORVANA_SOURCE_DATA_DIR) + "/classical/" + name).value_or("");
}

// The shipped tables: schemes T, M, E, H; Egyptian, Ptolemaic and Chaldean terms;
// Dorothean, Ptolemaic and Lilly triplicities.
inline const RulershipTables& ShippedTables() {
  static const RulershipTables tables = [] {
    RulershipTables t;
    ParseRulershipFile(BuildRulershipFile(ClassicalSource("rulerships.txt")), t);
    ParseDegreeFile(BuildDegreeFile(ClassicalSource("terms.txt")), t);
    ParseTriplicityFile(BuildTriplicityFile(ClassicalSource("triplicities.txt")), t);
    return t;
  }();
  return tables;
}

inline AlmutenScheme ShippedScheme(const std::string& name) {
  return ParseAlmutenRecord(EncodeAlmutenRecord(ParseAlmutenSchemeSource(ClassicalSource(name))));
}

// A scheme scoring each planet at its own place: domicile 5 .. face 1, detriment -5,
// fall -4, receptions as the dignity, peregrine -5, no house weights; traditional rulers,
// the given triplicity variant, Egyptian terms.
inline AlmutenScheme OwnPlaceScheme(int triplicityVariant = 0) {
  AlmutenScheme s;
  s.dignityWeights = {5, 4, 3, 0, 0, 2, 1, -5, -4};
  s.receptionWeights = {5, 4, 3, 2, 1};
  s.receptionCounts = {-1, -1, 0, 0, 0};
  s.ownPlace = -1;
  s.rulershipScheme = 1;
  s.triplicityByte = static_cast<std::uint8_t>(triplicityVariant);
  s.termSystem = 0;
  s.peregrineWeight = -5;
  return s;
}

// A chart with nothing computed but the Ascendant, the Midheaven and equal houses from
// the Ascendant; the Sun is placed by the caller.
inline CalculatedChart BareChart(double ascendant = 0.0, double latitude = 50.0) {
  CalculatedChart c;
  c.Chart.Latitude = latitude;
  c.Point(PointAscendant).Longitude = ascendant;
  c.Point(PointMidheaven).Longitude = std::fmod(ascendant + 270.0, 360.0);
  c.Houses.HouseSystem = HousesEqual;
  for (int h = 1; h <= 12; ++h) c.Houses.Cusps[static_cast<std::size_t>(h)] = std::fmod(ascendant + 30.0 * (h - 1), 360.0);
  c.Moment.HouseLatitude = latitude;
  c.Moment.Obliquity = 23.44;
  return c;
}

inline void Place(CalculatedChart& c, int point, double longitude, double speed = 1.0) {
  c.Point(point).Longitude = longitude;
  c.Point(point).LongitudeSpeed = speed;
}

}  // namespace korvana::testing
