#include "core/reports/compiler/statements.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace korvana {
namespace {

using Params = std::array<std::int32_t, 8>;

class MatchStatementTest : public ::testing::Test {
 protected:
  StatementContext context;
  void SetUp() override {
    context.asteroidNames = {"Eros", "Cadent"};
    context.starNames = {"Algol", "Spica", "Strong"};
    context.options = {"A=Alpha", "B=Beta", "C=Gamma"};
  }
  StatementMatch Match(std::string_view line) { return MatchStatement(SplitStatementWords(line), context); }
};

TEST_F(MatchStatementTest, StatementLines) {
  struct Case {
    std::string_view line;
    StatementCode code;
    Params params;
    bool negated;
  };
  const Case cases[] = {
      {"Sun in the 1st House", StatementCode::PointInHouse, {3, 1}, false},
      {"Sun 1st", StatementCode::PointInHouse, {3, 1}, false},  // trailing keyword left out
      {"SUN   IN THE 1ST house", StatementCode::PointInHouse, {3, 1}, false},
      {"Mars not Retrograde", StatementCode::PointCondition, {7, 14}, true},
      {"Mars isn't Retrograde", StatementCode::PointCondition, {7, 14}, true},
      {"Mars Exaltation", StatementCode::PointCondition, {7, 2}, false},  // a condition word, not a dignity
      {"Section 2", StatementCode::Section, {2}, false},
      {"Sun", StatementCode::PointTitle, {3}, false},
      {"Sun Leo", StatementCode::PointInSign, {3, 5}, false},
      {"Sun Conjunct Venus", StatementCode::PointAspectsPoint, {3, 1, 6}, false},
      {"Moon Approaches Conjunct Venus", StatementCode::PointApproachesPoint, {1, 1, 6}, false},
      {"Ruler of the 7th House is Retrograde", StatementCode::HouseRulerCondition, {7, 14}, false},
      {"Sun 1st Face Aries", StatementCode::PointInFace, {3, 1, 1}, false},
      {"Sun Masculine Sign", StatementCode::PointInQualitySign, {3, 1}, false},  // "Sign" is always the keyword
      {"DiurnalTriplicity Ruler 1st House Retrograde", StatementCode::DignityRulerCondition, {3, 1, 14}, false},
      // The first statement that fits wins (scores before type).
      {"Complexional", StatementCode::ComplexionalScores, {}, false},
      {"Complexional Type Sanguine", StatementCode::ComplexionalType, {5}, false},
      {"Sun Range 10 Aries 20 Leo", StatementCode::PointInRange, {3, 10, 1, 20, 5}, false},
      {"Ruler 1st House Range 1 Aries 2 Taurus", StatementCode::HouseRulerInRange, {1, 1, 1, 2, 2}, false},
      {"Sun Conjunct Star Algol", StatementCode::PointAspectsStar, {3, 1, 1}, false},
      {"Option B/c", StatementCode::Option, {6}, false},
      {"Option b", StatementCode::Option, {2}, false},
      {"Option X", StatementCode::Option, {0}, false},
      {"Starset 16Ar25 10Ta30", StatementCode::Starset, {59100, 145800}, false},
      {"Asteroid 5", StatementCode::Asteroid, {5}, false},
      {"Element Fire Weak", StatementCode::Element, {6, 2}, false},
      // Star names come before strengths.
      {"Sun Conjunct Star Strong", StatementCode::PointAspectsStar, {3, 1, 3}, false},
      {"Eros Conjunct Venus", StatementCode::PointAspectsPoint, {10000, 1, 6}, false},
      {"cadent", StatementCode::PointTitle, {10001}, false},  // asteroid names are tried before the later classes
      {"PlanetaryDayRuler", StatementCode::PointTitle, {38}, false},
      {"TestBothCharts 1 2", StatementCode::TestBothCharts, {1, 2}, false},
      // The later statements.
      {"Pattern Stellium", StatementCode::Figure, {1}, false},
      {"if not a Pattern GrandTrine", StatementCode::Figure, {3}, true},
      {"Pattern T-Square Cardinal", StatementCode::FigureInQuality, {2, 3}, false},
      {"Pattern Kite Fire", StatementCode::FigureInQuality, {6, 6}, false},
      {"Pattern Stellium in Capricorn", StatementCode::FigureInSign, {1, 10}, false},
      {"Pattern Yod 10th", StatementCode::FigureInHouse, {5, 10}, false},  // trailing "House" left out
      {"Pattern GrandCross in the 4th House", StatementCode::FigureInHouse, {4, 4}, false},
      {"Dominant Element Water", StatementCode::DominantElement, {9}, false},
      {"Dominant Mode Mutable", StatementCode::DominantMode, {5}, false},
      {"Dominant Planet Saturn", StatementCode::DominantPlanet, {9}, false},
      {"Hemisphere Emphasis Southern", StatementCode::HemisphereEmphasis, {2}, false},
      {"Hemisphere Emphasis Eastern", StatementCode::SideEmphasis, {1}, false},
      {"Quadrant Emphasis 3", StatementCode::QuadrantEmphasis, {3}, false},
      {"Chart Ruler is Mars", StatementCode::ChartRuler, {7}, false},
      {"Chart Ruler In Aquarius", StatementCode::ChartRulerInSign, {11}, false},
      {"Chart Ruler In the 7th House", StatementCode::ChartRulerInHouse, {7}, false},
      {"Chart 2", StatementCode::Chart, {2}, false},  // the earlier Chart statement is unchanged
      {"House System Fallback", StatementCode::HouseSystemFallback, {}, false},
      {"Untimed Birth", StatementCode::TimeUnknown, {}, false},
      {"Untimed", StatementCode::Untimed, {}, false},  // the command keeps its code
      {"Northern Hemisphere", StatementCode::HemisphereOfBirth, {1}, false},
  };
  for (const Case& c : cases) {
    StatementMatch m = Match(c.line);
    EXPECT_EQ(m.code, c.code) << c.line;
    EXPECT_EQ(m.params, c.params) << c.line;
    EXPECT_EQ(m.negated, c.negated) << c.line;
    EXPECT_FALSE(m.tooMany) << c.line;
  }
}

TEST_F(MatchStatementTest, LinesThatMatchNothing) {
  const std::string_view lines[] = {
      "",                          // no words
      "the of in",                 // only noise words
      "not",                       // only a negation
      "Starset 10 20",             // plain integers are numbers, not angles
      "East Point",                // a name with a blank can never match
      "Sun Conjunct",              // a class position left out
      "Section 99999999999",       // too large for a number: an ordinary word
      "Venus Trine Sun Sun",       // nothing has this pattern
      "Option 5",                  // the option word must not be a number
      "Pattern",                   // a figure word left out
      "Pattern Trine",             // an aspect word is not a figure
      "Dominant Element",          // the element left out
      "Hemisphere Emphasis 2",     // a half is named by a word
      "Chart Ruler 3",             // a number is not a sign, house or point
      "Pattern Grand Trine",       // the figure is one word
  };
  for (std::string_view line : lines) {
    StatementMatch m = Match(line);
    EXPECT_EQ(m.code, StatementCode::NoMatch) << line;
    EXPECT_EQ(m.params, Params{}) << line;
  }
  EXPECT_TRUE(Match("Sun not").negated);
}

TEST_F(MatchStatementTest, NinthSignificantWordSetsTooMany) {
  // Eight significant words that fit HouseRulerInRange; a ninth (noise words do not count)
  // makes the line an error instead of being dropped.
  StatementMatch eight = Match("the Ruler of the 1st House Range 1 Aries 2 Taurus");
  EXPECT_EQ(eight.code, StatementCode::HouseRulerInRange);
  EXPECT_FALSE(eight.tooMany);
  StatementMatch nine = Match("Ruler 1st House Range 1 Aries 2 Taurus Leo");
  EXPECT_EQ(nine.code, StatementCode::NoMatch);
  EXPECT_TRUE(nine.tooMany);
}

TEST(SplitStatementWordsTest, RunsOfBlanksAndTheTwentyWordLimit) {
  EXPECT_EQ(SplitStatementWords("  Sun   in  Aries "), (std::vector<std::string>{"Sun", "in", "Aries"}));
  std::string many;
  for (int i = 0; i < 25; ++i) many += "w" + std::to_string(i) + " ";
  auto words = SplitStatementWords(many);
  ASSERT_EQ(words.size(), MaxStatementWords);
  EXPECT_EQ(words.back(), "w19");
}

TEST(OptionMaskTest, MnemonicsSelectBitsByPosition) {
  std::vector<std::string> options = {"A=Alpha", "bb=Beta", "C", "D=x=y"};
  EXPECT_EQ(OptionMask("a", options), 1);
  EXPECT_EQ(OptionMask("BB/d", options), 2 + 8);
  EXPECT_EQ(OptionMask("c", options), 4);  // an entry without "=" is all mnemonic
  EXPECT_EQ(OptionMask("x", options), 0);
  EXPECT_EQ(OptionMask("", options), 0);
  std::vector<std::string> forty;
  for (int i = 0; i < 40; ++i) forty.push_back("o" + std::to_string(i) + "=");
  EXPECT_EQ(static_cast<std::uint32_t>(OptionMask("o31/o35", forty)), 0x80000000u);  // no bit beyond 31
}

TEST(StatementTableTest, CodesInOrderWithoutSeventyFive) {
  const auto& table = StatementTable();
  ASSERT_EQ(table.size(), 97u + 15u);
  EXPECT_EQ(table.front().code, StatementCode::Section);
  EXPECT_EQ(table[96].code, StatementCode::TestBothCharts);
  EXPECT_EQ(table.back().code, StatementCode::TimeUnknown);
  for (std::size_t i = 1; i < table.size(); ++i) {
    EXPECT_LT(table[i - 1].code, table[i].code);
    EXPECT_NE(table[i].code, StatementCode::UntimedIngress);
    EXPECT_NE(table[i].code, StatementCode::NoMatch);
  }
  EXPECT_EQ(DescribeStatement(StatementCode::PointApproachesPoint), "<point> Approaches <aspect> <point>");
  EXPECT_EQ(DescribeStatement(StatementCode::UntimedIngress), "");
}

// Statement codes are stored in compiled reports: the table's patterns keep the numbers
// 3..100 in order (75 left out), the later ones follow from 102 on, and the two codes
// without a pattern keep theirs.
TEST(StatementTableTest, CodesKeepTheirStoredNumbers) {
  int expected = 3;
  for (const StatementPattern& pattern : StatementTable()) {
    if (expected == 75 || expected == 101) ++expected;
    EXPECT_EQ(CodeByte(pattern.code), expected) << DescribeStatement(pattern.code);
    ++expected;
  }
  EXPECT_EQ(expected, 117);
  EXPECT_EQ(CodeByte(StatementCode::UntimedIngress), 75);
  EXPECT_EQ(CodeByte(StatementCode::NoMatch), 101);
}

// Every statement written out in full with a sample word for each class compiles to its
// own code, unless an earlier statement takes the same words (the first match wins).
TEST(StatementTableTest, EveryPatternWrittenOutMatchesItsCode) {
  StatementContext context;
  context.starNames = {"Algol"};
  const std::map<WordClass, std::string> samples = {
      {WordClass::Number, "7"},          {WordClass::Point, "Venus"},
      {WordClass::Sign, "Leo"},          {WordClass::House, "5th"},
      {WordClass::Aspect, "Trine"},      {WordClass::Orientality, "Oriental"},
      {WordClass::HouseClass, "Cadent"}, {WordClass::Phase, "Waxing"},
      {WordClass::Condition, "Combust"}, {WordClass::Latitude, "Northern"},
      {WordClass::Sect, "Diurnal"},      {WordClass::RisesSets, "Rises"},
      {WordClass::BeforeAfter, "After"}, {WordClass::Significator, "Significatrix"},
      {WordClass::Quality, "Fixed"},     {WordClass::Dignity, "InSectTriplicity"},
      {WordClass::Temperament, "Dry"},   {WordClass::Scheme, "Esoteric"},
      {WordClass::Star, "Algol"},        {WordClass::Word, "Xyzzy"},
      {WordClass::Angle, "16Ar25"},      {WordClass::Strength, "Weak"},
      {WordClass::Figure, "Yod"},        {WordClass::Side, "Western"},
  };
  for (const StatementPattern& pattern : StatementTable()) {
    std::vector<std::string> words;
    for (const PatternItem& item : pattern.items)
      words.push_back(item.wordClass == WordClass::Keyword ? std::string(StatementKeywords[item.keyword - 1])
                                                          : samples.at(item.wordClass));
    EXPECT_EQ(MatchStatement(words, context).code, pattern.code) << DescribeStatement(pattern.code);
  }
}

}  // namespace
}  // namespace korvana

namespace korvana {
namespace {

TEST(ClassifyWordTest, ListsInTheirOrderAndClassesInTheirPrecedence) {
  struct Case {
    std::string_view word;
    WordRole role;
    WordClass cls;
    std::int32_t value;
  };
  const auto S = WordRole::Significant;
  const Case cases[] = {
      {"THE", WordRole::Skipped, WordClass::Word, 0},
      {"Any", WordRole::Skipped, WordClass::Word, 0},
      {"Doesn't", WordRole::Negation, WordClass::Word, 0},
      {"house", S, WordClass::Keyword, 1},
      {"TestBothCharts", S, WordClass::Keyword, 56},
      {"Face", S, WordClass::Keyword, 11},        // before the condition and dignity words
      {"Sign", S, WordClass::Keyword, 15},
      {"Moon", S, WordClass::Point, 1},
      {"TheEarth", S, WordClass::Point, 2},
      {"Earth", S, WordClass::Quality, 7},        // "Earth" alone is the element
      {"PartFortune", S, WordClass::Point, 26},
      {"Lilith", S, WordClass::Point, 36},
      {"PlanetaryHourRuler", S, WordClass::Point, 37},
      {"Pisces", S, WordClass::Sign, 12},
      {"Quesited", S, WordClass::House, 13},
      {"Contra-Antiscion", S, WordClass::Aspect, 7},
      {"Biquintile", S, WordClass::Aspect, 19},
      {"Occidental", S, WordClass::Orientality, 2},
      {"Cadent", S, WordClass::HouseClass, 3},
      {"Waning", S, WordClass::Phase, 2},
      {"Rulership/Exaltation/Triplicity", S, WordClass::Condition, 10},
      {"Exaltation", S, WordClass::Condition, 2},  // never a dignity word
      {"Retrograde", S, WordClass::Condition, 14},
      {"Southern", S, WordClass::Latitude, 2},
      {"Nocturnal", S, WordClass::Sect, 2},
      {"Sets", S, WordClass::RisesSets, 2},
      {"Before", S, WordClass::BeforeAfter, 1},
      {"Significatrix", S, WordClass::Significator, 2},
      {"Water", S, WordClass::Quality, 9},
      {"ParticipatingTriplicity", S, WordClass::Dignity, 7},
      {"Balanced", S, WordClass::Temperament, 9},
      {"Hierarchical", S, WordClass::Scheme, 4},
      {"Moderate", S, WordClass::Strength, 3},
      {"0", S, WordClass::Number, 0},
      {"2147483647", S, WordClass::Number, 2147483647},
      {"27Pi", S, WordClass::Angle, (330 + 27) * 3600},
      {"Xyzzy", S, WordClass::Word, 0},
      {"Point", S, WordClass::Word, 0},
      {"Fallback", S, WordClass::Keyword, 62},
      {"pattern", S, WordClass::Keyword, 57},
      {"T-SQUARE", S, WordClass::Figure, 2},
      {"Kite", S, WordClass::Figure, 6},
      {"Western", S, WordClass::Side, 2},
  };
  StatementContext context;
  for (const Case& c : cases) {
    ClassifiedWord w = ClassifyWord(c.word, context);
    EXPECT_EQ(w.role, c.role) << c.word;
    if (c.role != WordRole::Significant) continue;
    EXPECT_EQ(w.wordClass, c.cls) << c.word;
    EXPECT_EQ(w.value, c.value) << c.word;
  }
}

}  // namespace
}  // namespace korvana
