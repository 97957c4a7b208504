// The statement language of report source texts: the word classes a statement line's
// words fall into, the fixed statement table (record codes 3..100) and the matching of
// one statement line against it.
//
// A statement line such as "Sun in the 1st House" is split into words; noise words
// ("the", "in", ...) and "any" are dropped, negating words ("not", "isn't", ...) set the
// negation flag, and every other word becomes a (class, value) pair. The first statement
// of the table whose pattern fits the pairs (trailing keywords may be left out) gives the
// record code; the values of its class positions become the record's parameters.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/reports/reportset/statement_codes.h"

namespace korvana {

// Word class numbers as stored in the statement table (16 is not used).
enum class WordClass : std::uint8_t {
  Keyword = 0,
  Number = 1,
  Point = 2,
  Sign = 3,
  House = 4,
  Aspect = 5,
  Orientality = 6,
  HouseClass = 7,
  Phase = 8,
  Condition = 9,
  Latitude = 10,
  Sect = 11,
  RisesSets = 12,
  BeforeAfter = 13,
  Significator = 14,
  Quality = 15,
  Dignity = 17,
  Temperament = 18,
  Scheme = 19,
  Star = 20,
  Word = 21,
  Angle = 22,
  Strength = 23,
  Figure = 24,  // aspect figures: Stellium, T-Square, GrandTrine, GrandCross, Yod, Kite
  Side = 25,    // Eastern, Western: the halves of the chart either side of the meridian
};

// Asteroid points defined by "Asteroid <number>" statements get point values from here
// on (10000 + the asteroid's 0-based position in the asteroid list).
constexpr std::int32_t AsteroidPointBase = 10000;

// The point words PlanetaryHourRuler and PlanetaryDayRuler: the planet ruling the hour
// or the day of the first chart's birth.
constexpr std::int32_t HourRulerPointValue = 37;
constexpr std::int32_t DayRulerPointValue = 38;

constexpr std::size_t MaxStatementWords = 20;   // words taken from one line
constexpr std::size_t MaxSignificantWords = 8;  // class/value pairs of one statement

// The word lists, in value order (value = index + 1). Compared without regard to case.
extern const std::array<std::string_view, 11> NoiseWords;
extern const std::array<std::string_view, 4> NegatingWords;
// The first 56 keywords are the original list; the later ones belong to the statements
// added after it (codes 102 and up).
extern const std::array<std::string_view, 62> StatementKeywords;
extern const std::array<std::string_view, 38> StatementPointWords;  // "East Point" never matches
extern const std::array<std::string_view, 13> StatementHouseWords;
extern const std::array<std::string_view, 6> StatementFigureWords;
extern const std::array<std::string_view, 2> StatementSideWords;

// One position of a statement pattern: a fixed keyword (class Keyword, value = the
// keyword's 1-based position in StatementKeywords) or any word of a class (value 0).
struct PatternItem {
  WordClass wordClass = WordClass::Keyword;
  std::int32_t keyword = 0;
};

struct StatementPattern {
  StatementCode code = StatementCode::NoMatch;
  std::vector<PatternItem> items;  // 1..8 positions
};

// The statement table in increasing code order (Section .. TestBothCharts, then Figure ..
// TimeUnknown; UntimedIngress and NoMatch have no pattern).
const std::vector<StatementPattern>& StatementTable();

// The pattern of a code written out with keywords and <class> placeholders, for messages
// and listings; "" for a code without pattern.
std::string DescribeStatement(StatementCode code);

// The placeholders a statement fills in its own paragraph, as the letters after "%":
// "P" for the points it names (the members of an aspect figure, the planets of the
// dominant element, the chart ruler with its sign and house), "HR" for the house system
// used and the one chosen (House System Fallback); "" for the statements that fill none.
// "%1" and "%2" (the owners' names) are filled in every paragraph.
std::string_view StatementPlaceholders(StatementCode code);

// How one word of a statement line counts.
enum class WordRole : std::uint8_t {
  Skipped,     // a noise word or "any"
  Negation,    // "no", "not", "isn't", "doesn't": skipped, sets the negation flag
  Significant  // a (class, value) pair of the statement
};

struct ClassifiedWord {
  WordRole role = WordRole::Significant;
  WordClass wordClass = WordClass::Word;
  std::int32_t value = 0;
};

// What the words of a statement line are matched against besides the fixed lists.
struct StatementContext {
  std::vector<std::string> asteroidNames;  // asteroid list of the compilation, in order
  std::vector<std::string> starNames;      // fixed star names of the report set (at most 300)
  std::vector<std::string> options;        // the report's options list, "mnemonic=description"
};

struct StatementMatch {
  StatementCode code = StatementCode::NoMatch;
  std::array<std::int32_t, 8> params{};
  bool negated = false;
  bool tooMany = false;  // a ninth significant word was found; the line never matches
};

// Classifies one word, trying the classes in their fixed order (noise words, keywords,
// "any", negating words, points and asteroid names, signs, houses, aspects, ... star
// names, strengths, numbers, angles, any other word). Case does not matter.
ClassifiedWord ClassifyWord(std::string_view word, const StatementContext& context);

// Splits a statement line (without its leading "*" or "+" run) into at most 20 words at
// runs of blanks.
std::vector<std::string> SplitStatementWords(std::string_view line);

// Matches the words of one statement line. Code NoMatch when no statement
// fits, when there are no significant words, or when there are more than eight.
StatementMatch MatchStatement(const std::vector<std::string>& words, const StatementContext& context);

// The option mask of an Option statement's word: the word is split at "/" into mnemonics
// and bit i is set for every entry i (0-based, i < 32) of the options list whose mnemonic
// (the text before its first "=") equals one of them without regard to case.
std::int32_t OptionMask(std::string_view word, const std::vector<std::string>& options);

}  // namespace korvana
