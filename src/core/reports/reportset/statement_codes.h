// The statement codes: the number a compiled record carries in its code byte, which tells
// the report driver and the composer what the statement tests or does. The text compiler
// gives each statement line the code of the first pattern it fits (see statements.h for
// the patterns); the numbers are stored in compiled reports, so they never change.
//
// Names follow the statement's keywords where it has one of its own ("Graphic",
// "Starset") and otherwise say what it tests ("PointInSign" for "Sun Aries").
#pragma once

#include <cstdint>

namespace korvana {

enum class StatementCode : std::uint8_t {
  Section = 3,                          // Section <number>: a chapter of the report
  KeywordTitlesOn = 4,                  // write the keyword titles of true statements
  KeywordTitlesOff = 5,                 // stop writing them
  Explanation = 6,                      // true when the report set shows explanations
  PointTitle = 7,                       // <point>: always true, titled with the point
  PointInSign = 8,                      // <point> <sign>
  PointInHouse = 9,                     // <point> <house> House
  PlanetInHouse = 10,                   // Planet <house> House: any classical planet
  PointDignified = 11,                  // <point> Dignified
  PointDebilitated = 12,                // <point> Debilitated
  PointOrientality = 13,                // <point> Oriental|Occidental (to the Sun)
  PointAspectsHouseRuler = 14,          // <point> <aspect> Ruler <house> House
  PointAspectsPoint = 15,               // <point> <aspect> <point>
  PointApproachesPoint = 16,            // <point> Approaches <aspect> <point>
  PointInHouseClass = 17,               // <point> Angular|Succedent|Cadent House
  PointPhase = 18,                      // <point> Waxing|Waning
  PointCondition = 19,                  // <point> <condition>
  PointConditionOfPoint = 20,           // <point> <condition> <point>
  DispositorInSign = 21,                // Ruler <point> <sign>
  DispositorInHouse = 22,               // Ruler <point> <house> House
  DispositorIsPoint = 23,               // Ruler <point> <point>
  DispositorAspectsPoint = 24,          // Ruler <point> <aspect> <point>
  HouseRulerIsPoint = 25,               // Ruler <house> House <point>
  GenitureRuler = 26,                   // Ruler Geniture <point>
  Alcocoden = 27,                       // Alcocoden <point>
  PointAlmutenIsPoint = 28,             // Almuten <point> <point>
  HemisphereOfBirth = 29,               // Northern|Southern Hemisphere Birth
  SectOfBirth = 30,                     // Diurnal|Nocturnal Birth
  PointRulesHouse = 31,                 // <point> Ruler <house> House
  HouseRulerInHouse = 32,               // Ruler <house> House <house> House
  PointRisesOrSets = 33,                // <point> Rises|Sets Before|After <point>
  DispositorDignified = 34,             // Ruler <point> Dignified
  DispositorCondition = 35,             // Ruler <point> <condition>
  HouseRulerDignified = 36,             // Ruler <house> House Dignified
  HouseRulerCondition = 37,             // Ruler <house> House <condition>
  HouseRulerAspectsDispositor = 38,     // Ruler <house> House <aspect> Ruler <point>
  HouseRulerAspectsHouseRuler = 39,     // Ruler <house> House <aspect> Ruler <house> House
  PointInFace = 40,                     // <point> <house> Face <sign>
  DispositorInFace = 41,                // Ruler <point> <house> Face <sign>
  PointAlmutenInFace = 42,              // Almuten <point> <house> Face <sign>
  PlanetInFaceAspectsPoint = 43,        // Planet <aspect> <point> <house> Face <sign>
  PointSignificator = 44,               // <point> Significator|Significatrix
  PointInQualitySign = 45,              // <point> <quality> Sign
  DignityRulerCondition = 46,           // <dignity> Ruler <house> House <condition>
  DignityRulerIsPoint = 47,             // <dignity> Ruler <house> House <point>
  PointMoreDignified = 48,              // <point> More Dignified Than <point>
  ComplexionalScores = 49,              // Complexional Scores
  ComplexionalType = 50,                // Complexional Type <temperament>
  Introduction = 51,                    // Introduction: always true
  Rulerships = 52,                      // <scheme> Rulerships: the scheme of later rulers
  PointSeparatesFromPoint = 53,         // <point> Separates <aspect> <point>
  PointIsPoint = 54,                    // <point> <point>
  HouseAlmutenInHouse = 55,             // Almuten <house> House <house> House
  PointInRange = 56,                    // <point> Range <number> <sign> <number> <sign>
  PointAspectsPlanetInHouse = 57,       // <point> <aspect> Planet <house> House
  PointInEarlyDegrees = 58,             // <point> Early Degrees
  PointInLateDegrees = 59,              // <point> Late Degrees
  PointApproachesHouseRuler = 60,       // <point> Approaches <aspect> Ruler <house> House
  PointSeparatesFromHouseRuler = 61,    // <point> Separates <aspect> Ruler <house> House
  HouseAlmutenIsPoint = 62,             // Almuten <house> House <point>
  HouseAlmutenCondition = 63,           // Almuten <house> House <condition>
  PointAlmutenInHouse = 64,             // Almuten <point> <house> House
  HouseRulerApproachesHouseRuler = 65,  // Ruler <house> House Approaches <aspect> Ruler <house> House
  HouseRulerInRange = 66,               // Ruler <house> House Range <number> <sign> <number> <sign>
  HouseAlmutenInHouseClass = 67,        // Almuten <house> House <house-class>
  CuspInSign = 68,                      // <house> House Cusp <sign>
  CuspInQuality = 69,                   // <house> House Cusp <quality>
  CuspInRange = 70,                     // <house> House Cusp Range <number> <sign> <number> <sign>
  PointAspectsCusp = 71,                // <point> <aspect> <house> House Cusp
  HoraryHouses = 72,                    // HoraryHouses: titled with the quesited house
  PointAspectsStar = 73,                // <point> <aspect> Star <star>
  Untimed = 74,                         // Untimed: the chart's birth time is unknown
  UntimedIngress = 75,                  // never compiled: a point changes sign on an untimed birth day
  Chart = 76,                           // Chart <number>: the chart later statements read
  Graphic = 77,                         // Graphic <number>: a picture, width in percent
  Option = 78,                          // Option <word>: true for the chosen report option
  DynamicReport = 79,                   // DynamicReport <number>
  DynamicBackground = 80,               // DynamicBackground <number>
  Starset = 81,                         // Starset <angle> <angle>
  PointAlignedStarset = 82,             // <point> Aligned Starset
  PointAlignedStarsetTitled = 83,       // <point> Aligned Starset KeywordTitlesOn
  PlanetAlignedStarset = 84,            // Planet Aligned Starset
  StarEpoch = 85,                       // StarEpoch <number>
  Asteroid = 86,                        // Asteroid <number>: defines an asteroid point
  AsteroidTable = 87,                   // AsteroidTable
  AsteroidMaxOrb = 88,                  // AsteroidMaxOrb <number>
  InterpFile = 89,                      // InterpFile: opens the interpretation file
  PlanetDegree = 90,                    // PlanetDegree <point>
  HouseCuspDegree = 91,                 // HouseCuspDegree <house>
  Element = 92,                         // Element <quality> <strength>
  Mode = 93,                            // Mode <quality> <strength>
  Polarity = 94,                        // Polarity <quality> <strength>
  CheckForText = 95,                    // CheckForText: resets the text counter
  NoTextSinceCheckForText = 96,         // NoTextSinceCheckForText
  PointInDecanate = 97,                 // <point> Decanate <number>
  PointCoRulesHouse = 98,               // <point> CoRuler <house> House
  SectionCount = 99,                    // SectionCount <number>
  TestBothCharts = 100,                 // TestBothCharts <number> <number>
  NoMatch = 101,                        // a statement line no pattern fits
  // Statements added after the first table; they are tried after all the ones above, so a
  // line that compiled before compiles to the same record.
  Figure = 102,                         // Pattern <figure>: the chart holds an aspect figure
  FigureInQuality = 103,                // Pattern <figure> <quality>: its members share the quality
  FigureInSign = 104,                   // Pattern <figure> <sign>: its focus is in the sign
  FigureInHouse = 105,                  // Pattern <figure> <house> House: its focus is in the house
  DominantElement = 106,                // Dominant Element <quality>
  DominantMode = 107,                   // Dominant Mode <quality>
  DominantPlanet = 108,                 // Dominant Planet <point>
  HemisphereEmphasis = 109,             // Hemisphere Emphasis Northern|Southern
  SideEmphasis = 110,                   // Hemisphere Emphasis Eastern|Western
  QuadrantEmphasis = 111,               // Quadrant Emphasis <number>
  ChartRuler = 112,                     // Chart Ruler <point>: the ruler of the Ascendant's sign
  ChartRulerInSign = 113,               // Chart Ruler <sign>
  ChartRulerInHouse = 114,              // Chart Ruler <house> House
  HouseSystemFallback = 115,            // House System Fallback: the chosen houses failed
  TimeUnknown = 116,                    // Untimed Birth: the chart's birth time is unknown
};

// The code byte as stored in a compiled record.
constexpr std::uint8_t CodeByte(StatementCode code) { return static_cast<std::uint8_t>(code); }

}  // namespace korvana
