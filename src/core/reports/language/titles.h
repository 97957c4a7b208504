// Keyword titles in the four report languages: the short headings the composer writes
// before a statement's paragraph ("Mars is in Aries", "Marte está en Aries").
//
// Each language orders a title's parts its own way, places its negation where its grammar
// wants it ("is not", "no está", "er ikke", "n'est pas") and, in Spanish and French, uses
// the point names with their article and agrees adjectives with the point's gender. So a
// title is a pattern per language with named blanks, filled from TitleFields:
//
//   {1} {2}    the points' short names ("Moon")
//   {A1} {A2}  the names with article, as at the start of a sentence ("La Luna")
//   {a1} {a2}  the same with a lower-case article, for inside a sentence ("la Luna");
//              names without an article are used as they are
//   {is}       the copula of place and state, negated when the statement is ("está", "no está")
//   {be}       the copula of identity, negated likewise ("es", "no es"); the same as {is}
//              in the languages that have one verb
//   {not}      the negation phrase alone, where the copula is left out (English "Moon not
//              Trine Saturn")
//   {s} {s2}   sign names; {h} {h2} house labels; {d1} {d2} degree numbers
//   {asp}      the aspect words; {an} the English article for them ("a ", "an ")
//   {w}        the word of the statement's word list (see TitleWords); a word written
//              "masculine|feminine" is chosen by the gender of the first point's name
//   {q}        the quality word; {orb} the orb text with its brackets
//   {w2}       a second word, used as written (house system names)
//   {has}      the verb of holding, negated when the statement is ("holds", "no contiene")
//
// Unknown blanks and unmatched braces are copied as written, so a faulty pattern shows in
// the title rather than failing.
#pragma once

#include <string>
#include <string_view>

#include "core/reports/language/language.h"

namespace korvana::lang {

enum class Title : int {
  PointInSign = 0,
  PointInHouse,
  PlanetInHouse,
  PointInHouseClass,
  PointAspectsPoint,
  PointAppliesToPoint,
  PointSeparatesFromPoint,
  PointPhase,
  Hemisphere,
  Sect,
  ElementLabel,
  ElementStrength,
  ModeLabel,
  ModeStrength,
  PolarityLabel,
  PolarityStrength,
  HouseRulerIsPoint,
  PointRulesHouse,
  HouseRulerInHouse,
  QuesitedHouse,
  PointSignificator,
  PointCondition,
  PointDignified,
  PointDignifiedBy,
  PointDebilitated,
  PointDebilitatedBy,
  PointInEarlyDegrees,
  PointInLateDegrees,
  PointInRange,
  PointAspectsHouseRuler,
  PointAppliesToHouseRuler,
  PointSeparatesFromHouseRuler,
  HouseRulerAspectsHouseRuler,
  HouseRulerAppliesToHouseRuler,
  PointDegree,  // {w} is the degree's ordinal
  CuspDegree,
  DominantElement,  // {q} is the element
  DominantMode,     // {q} is the mode
  DominantPlanet,
  HemisphereEmphasis,  // {w} is a Hemisphere or a Side word
  QuadrantEmphasis,    // {h} is the quadrant's number as a house label
  ChartRulerIsPoint,
  ChartRulerInSign,
  ChartRulerInHouse,
  HouseSystemReplaced,  // {w} the chosen system, {w2} the one used
  HouseSystemKept,
  FigureHeld,           // {w} is a Figure word, with its article
  FigureInQuality,      // {q} is the figure's element or mode
  FigureInSign,         // a stellium's sign
  FigureFocusInSign,    // the focus of any other figure
  FigureInHouse,
  FigureFocusInHouse,
  BirthTimeUnknown,
  BirthTimeKnown,
};
constexpr std::size_t TitleCount = static_cast<std::size_t>(Title::BirthTimeKnown) + 1;
extern const LanguageTable<TitleCount> TitlePatterns;

// The word lists that fill {w}, in the statement vocabulary's value order (from 0).
enum class TitleWords : int {
  Phase = 0,      // waxing, waning
  Hemisphere,     // northern, southern
  Sect,           // diurnal, nocturnal
  HouseClass,     // angular, succedent, cadent
  Significator,   // significator, significatrix
  Condition,      // the fourteen condition titles, "in Rulership" .. "Retrograde"
  DignifiedBy,    // rulership, exaltation, triplicity, term, face
  DebilitatedBy,  // detriment, fall, peregrine, conjunction with Algol, aspect with a malefic
  Motion,         // applying, separating (the bracketed note of aspect titles)
  Side,           // eastern, western (the hemispheres either side of the meridian)
  Figure,         // stellium, T-square, grand trine, grand cross, yod, kite, each with its article
};

// Word `value` (from 0) of a list in a language; "" out of range.
std::string_view TitleWord(int language, TitleWords list, int value);

// Whether a language's name of a point takes feminine agreement (la Luna, Vénus): adjectives
// of its titles use their feminine form. Points as numbered in PointId.
bool IsFeminineName(int language, int point);

struct TitleFields {
  int point1 = 0;  // PointId of the first point, for its article and gender; 0 for none
  int point2 = 0;
  std::string name1, name2;  // the names as printed when the point has no catalogue entry
  std::string sign, sign2, house, house2, aspect, word, word2, quality, orb;
  int degree1 = 0, degree2 = 0;
  bool negated = false;
};

// The title in a language: the language's pattern with its blanks filled. Names of
// points 1..36 come from the language's name tables; others (asteroids, day and hour
// rulers) from name1 and name2. An out-of-range language gives English.
std::string ComposeTitle(int language, Title title, const TitleFields& fields);

}  // namespace korvana::lang
