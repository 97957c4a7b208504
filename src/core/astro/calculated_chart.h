// CalculatedChart: a chart record together with everything casting computes from it -
// the moment, the 36 points with their speeds and equatorial coordinates, and the
// house cusps. One value a chart; it is copied whole between the program's chart slots.
#pragma once

#include <array>
#include <cstdint>

#include "core/points/point_id.h"
#include "core/charts/chart_record.h"

namespace korvana {

// The position of one point. Longitude is in the chart's zodiac, in [0, 360). A point
// that was not computed has Longitude -1 and zeros elsewhere (the default value).
struct PointPos {
  double Longitude = -1.0;      // degrees
  double Latitude = 0.0;        // degrees
  double Distance = 0.0;        // astronomical units
  double LongitudeSpeed = 0.0;  // degrees a day
  double LatitudeSpeed = 0.0;   // degrees a day
  double DistanceSpeed = 0.0;   // astronomical units a day

  bool Computed() const { return Longitude >= 0.0; }
  bool Retrograde() const { return LongitudeSpeed < 0.0; }
  friend bool operator==(const PointPos&, const PointPos&) = default;
};

// The moment of a chart as the calculation sees it.
struct ChartMoment {
  double JDUT = 0.0;           // Julian day, Universal Time
  double JDEphem = 0.0;        // Julian day, Ephemeris Time
  double HouseLatitude = 0.0;  // the place's latitude (geocentric when the chart asks)
  double Obliquity = 0.0;      // true obliquity of the ecliptic, degrees
  double RAMC = 0.0;           // right ascension of the midheaven, degrees
  double ZodiacOffset = 0.0;   // degrees added to tropical longitudes for the chart's zodiac
  friend bool operator==(const ChartMoment&, const ChartMoment&) = default;
};

struct EquatorialPos {
  double RightAscension = 0.0;  // degrees in [0, 360), always of the tropical position
  double Declination = 0.0;     // degrees
  friend bool operator==(const EquatorialPos&, const EquatorialPos&) = default;
};

// House system codes (the chart's house system byte).
enum HouseSystemCode : int {
  HousesCampanus = 1, HousesKoch = 2, HousesMeridian = 3, HousesMorinus = 4, HousesPlacidus = 5, HousesPorphyry = 6,
  HousesRegiomontanus = 7, HousesTopocentric = 8, HousesEqual = 9, HousesZeroAries = 10, HousesSolarSign = 11,
  HousesSunOn1st = 12, HousesMoonOn1st = 13, HousesMercuryOn1st = 14, HousesVenusOn1st = 15,
  HousesMarsOn1st = 16, HousesJupiterOn1st = 17, HousesSaturnOn1st = 18, HousesUranusOn1st = 19,
  HousesNeptuneOn1st = 20, HousesPlutoOn1st = 21, HousesNodeOn1st = 22, HousesVertexOn7th = 23,
  HousesEPOn1st = 24, HousesMCOn10th = 25, HousesWholeSign = 26, HousesBhava = 27, HousesAlcabitius = 28,
  HousesPFOn1st = 29, HousesAscIn1st = 30, HousesComposite = 31
};
constexpr int HouseSystemCount = 31;

// The houses block. Cusps are longitudes in the chart's zodiac, index 1..12 (0 unused).
struct ChartHouses {
  std::uint8_t HouseSystem = HousesPlacidus;
  // The system asked for when the cusps were computed; it differs from HouseSystem when
  // that system had no solution (Placidus or Koch inside the polar circles) and Equal
  // houses were used instead. 0 when the cusps were not computed here.
  std::uint8_t RequestedSystem = 0;
  std::array<double, 13> Cusps{};
  std::array<double, 13> CuspsAsCast{};  // the cusps as the calculation left them
  bool MCIsCusp10 = false;
  bool AscIsCusp1 = false;
  friend bool operator==(const ChartHouses&, const ChartHouses&) = default;
};

struct CalculatedChart {
  ChartRecord Chart;
  bool Saved = false;  // set once the chart has been written to a chart file
  ChartMoment Moment;
  std::array<PointPos, LastPoint + 1> Points{};          // [1..36]; [0] unused
  std::array<EquatorialPos, LastPoint + 1> Equatorial{};  // [1..36]; [0] unused
  ChartHouses Houses;

  const PointPos& Point(int id) const { return Points.at(static_cast<std::size_t>(id)); }
  PointPos& Point(int id) { return Points.at(static_cast<std::size_t>(id)); }
  double Longitude(int id) const { return Point(id).Longitude; }
  friend bool operator==(const CalculatedChart&, const CalculatedChart&) = default;
};

}  // namespace korvana
