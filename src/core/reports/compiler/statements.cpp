#include "core/reports/compiler/statements.h"

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <unordered_map>

#include "core/points/point_catalogue.h"
#include "core/reports/language/language.h"
#include "core/time/entry_parsing.h"
#include "core/util/text.h"

namespace korvana {

const std::array<std::string_view, 11> NoiseWords = {"if", "the", "of", "is", "in", "a", "an", "with", "to", "from", "does"};

const std::array<std::string_view, 4> NegatingWords = {"no", "not", "isn't", "doesn't"};

const std::array<std::string_view, 56> StatementKeywords = {
    "House", "Ruler", "Approaches", "Geniture", "Alcocoden", "Almuten", "Hemisphere", "Birth",
    "Section", "Explanation", "Face", "Planet", "Dignified", "Debilitated", "Sign",
    "KeywordTitlesOn", "KeywordTitlesOff", "More", "Than", "Complexional", "Type", "Scores",
    "Introduction", "Rulerships", "Separates", "Range", "Early", "Late", "Degrees", "Cusp",
    "HoraryHouses", "Star", "Untimed", "Chart", "Graphic", "Option", "DynamicReport",
    "DynamicBackground", "Starset", "Aligned", "StarEpoch", "Asteroid", "AsteroidTable",
    "AsteroidMaxOrb", "InterpFile", "PlanetDegree", "HouseCuspDegree", "Element", "Mode",
    "Polarity", "CheckForText", "NoTextSinceCheckForText", "Decanate", "CoRuler", "SectionCount",
    "TestBothCharts"};

namespace {

// The catalogue's point keywords (Moon .. Lilith), then the two rulers of the moment.
constexpr std::array<std::string_view, 38> PointWordList() {
  std::array<std::string_view, 38> words{};
  for (int id = FirstPoint; id <= LastPoint; ++id) words[id - 1] = PointKeyword(id);
  words[36] = "PlanetaryHourRuler";
  words[37] = "PlanetaryDayRuler";
  return words;
}

}  // namespace

constinit const std::array<std::string_view, 38> StatementPointWords = PointWordList();

const std::array<std::string_view, 13> StatementHouseWords = {
    "1st", "2nd", "3rd", "4th", "5th", "6th", "7th", "8th", "9th", "10th", "11th", "12th", "Quesited"};

namespace {

// The one-word classes after the points, in the order they are tried. Signs, aspect words,
// qualities and temperaments are the default columns of the phrase tables.
const std::array<std::string_view, 2> kOrientality = {"Oriental", "Occidental"};
const std::array<std::string_view, 3> kHouseClass = {"Angular", "Succedent", "Cadent"};
const std::array<std::string_view, 2> kPhase = {"Waxing", "Waning"};
const std::array<std::string_view, 14> kCondition = {
    "Rulership", "Exaltation", "Triplicity", "Term", "Face", "Detriment", "Fall", "Peregrine",
    "Combust", "Rulership/Exaltation/Triplicity", "DignifiedNotCombust", "Detriment/Fall", "Direct",
    "Retrograde"};
const std::array<std::string_view, 2> kLatitude = {"Northern", "Southern"};
const std::array<std::string_view, 2> kSect = {"Diurnal", "Nocturnal"};
const std::array<std::string_view, 2> kRisesSets = {"Rises", "Sets"};
const std::array<std::string_view, 2> kBeforeAfter = {"Before", "After"};
const std::array<std::string_view, 2> kSignificator = {"Significator", "Significatrix"};
const std::array<std::string_view, 9> kDignity = {
    "Sign", "Exaltation", "DiurnalTriplicity", "NocturnalTriplicity", "InSectTriplicity",
    "OutOfSectTriplicity", "ParticipatingTriplicity", "Term", "Face"};
const std::array<std::string_view, 4> kScheme = {"Modern", "Traditional", "Esoteric", "Hierarchical"};
const std::array<std::string_view, 4> kStrength = {"Definition", "Weak", "Moderate", "Strong"};

// Rank of a fixed-list hit in the classification order; asteroid names are tried right
// after the point list and star names right before the strengths.
enum Rank : int { RankNoise, RankKeyword, RankAny, RankNegation, RankPoint, RankAfterPoints, RankStrength };

struct FixedWord {
  Rank rank;
  ClassifiedWord word;
};

using FixedWordMap = std::unordered_map<std::string, FixedWord>;

template <std::size_t N>
void AddList(FixedWordMap& map, const std::array<std::string_view, N>& list, Rank rank, WordRole role,
             WordClass cls) {
  for (std::size_t i = 0; i < N; ++i) {
    // The first list a word appears in wins, as when the lists are tried in order.
    map.try_emplace(ToLowerAscii(list[i]),
                    FixedWord{rank, ClassifiedWord{role, cls, static_cast<std::int32_t>(i + 1)}});
  }
}

const FixedWordMap& FixedWords() {
  static const FixedWordMap map = [] {
    FixedWordMap m;
    const auto S = WordRole::Significant;
    AddList(m, NoiseWords, RankNoise, WordRole::Skipped, WordClass::Word);
    AddList(m, StatementKeywords, RankKeyword, S, WordClass::Keyword);
    AddList(m, std::array<std::string_view, 1>{"any"}, RankAny, WordRole::Skipped, WordClass::Word);
    AddList(m, NegatingWords, RankNegation, WordRole::Negation, WordClass::Word);
    AddList(m, StatementPointWords, RankPoint, S, WordClass::Point);
    AddList(m, lang::DefaultSignNames, RankAfterPoints, S, WordClass::Sign);
    AddList(m, StatementHouseWords, RankAfterPoints, S, WordClass::House);
    AddList(m, lang::DefaultAspectWords, RankAfterPoints, S, WordClass::Aspect);
    AddList(m, kOrientality, RankAfterPoints, S, WordClass::Orientality);
    AddList(m, kHouseClass, RankAfterPoints, S, WordClass::HouseClass);
    AddList(m, kPhase, RankAfterPoints, S, WordClass::Phase);
    AddList(m, kCondition, RankAfterPoints, S, WordClass::Condition);
    AddList(m, kLatitude, RankAfterPoints, S, WordClass::Latitude);
    AddList(m, kSect, RankAfterPoints, S, WordClass::Sect);
    AddList(m, kRisesSets, RankAfterPoints, S, WordClass::RisesSets);
    AddList(m, kBeforeAfter, RankAfterPoints, S, WordClass::BeforeAfter);
    AddList(m, kSignificator, RankAfterPoints, S, WordClass::Significator);
    AddList(m, lang::DefaultQualityNames, RankAfterPoints, S, WordClass::Quality);
    AddList(m, kDignity, RankAfterPoints, S, WordClass::Dignity);
    AddList(m, lang::TemperamentWords, RankAfterPoints, S, WordClass::Temperament);
    AddList(m, kScheme, RankAfterPoints, S, WordClass::Scheme);
    AddList(m, kStrength, RankStrength, S, WordClass::Strength);
    return m;
  }();
  return map;
}

std::optional<std::int32_t> FindName(std::string_view word, const std::vector<std::string>& names) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (EqualsNoCase(word, names[i])) return static_cast<std::int32_t>(i);
  return std::nullopt;
}

// A word of decimal digits only whose value fits 32 bits.
std::optional<std::int32_t> NumberWord(std::string_view word) {
  if (word.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

// The seconds of arc of a word the angle parser accepts. The tiny allowance keeps values
// such as 16°25' from losing a second to binary rounding.
std::optional<std::int32_t> AngleWord(std::string_view word) {
  AngleEntry angle = ParseAngle(word, nullptr);
  if (angle.error || !std::isfinite(angle.degrees)) return std::nullopt;
  double seconds = angle.degrees * 3600.0;
  seconds += seconds < 0 ? -1e-6 : 1e-6;
  if (std::fabs(seconds) >= 2147483647.0) return std::nullopt;
  return static_cast<std::int32_t>(std::trunc(seconds));
}

// Statement patterns as written: keywords as themselves, classes in angle brackets.
struct PatternText {
  int code;
  std::string_view text;
};

const PatternText kPatterns[] = {
    {3, "Section <number>"},
    {4, "KeywordTitlesOn"},
    {5, "KeywordTitlesOff"},
    {6, "Explanation"},
    {7, "<point>"},
    {8, "<point> <sign>"},
    {9, "<point> <house> House"},
    {10, "Planet <house> House"},
    {11, "<point> Dignified"},
    {12, "<point> Debilitated"},
    {13, "<point> <orientality>"},
    {14, "<point> <aspect> Ruler <house> House"},
    {15, "<point> <aspect> <point>"},
    {16, "<point> Approaches <aspect> <point>"},
    {17, "<point> <house-class> House"},
    {18, "<point> <phase>"},
    {19, "<point> <condition>"},
    {20, "<point> <condition> <point>"},
    {21, "Ruler <point> <sign>"},
    {22, "Ruler <point> <house> House"},
    {23, "Ruler <point> <point>"},
    {24, "Ruler <point> <aspect> <point>"},
    {25, "Ruler <house> House <point>"},
    {26, "Ruler Geniture <point>"},
    {27, "Alcocoden <point>"},
    {28, "Almuten <point> <point>"},
    {29, "<latitude> Hemisphere Birth"},
    {30, "<sect> Birth"},
    {31, "<point> Ruler <house> House"},
    {32, "Ruler <house> House <house> House"},
    {33, "<point> <rises-sets> <before-after> <point>"},
    {34, "Ruler <point> Dignified"},
    {35, "Ruler <point> <condition>"},
    {36, "Ruler <house> House Dignified"},
    {37, "Ruler <house> House <condition>"},
    {38, "Ruler <house> House <aspect> Ruler <point>"},
    {39, "Ruler <house> House <aspect> Ruler <house> House"},
    {40, "<point> <house> Face <sign>"},
    {41, "Ruler <point> <house> Face <sign>"},
    {42, "Almuten <point> <house> Face <sign>"},
    {43, "Planet <aspect> <point> <house> Face <sign>"},
    {44, "<point> <significator>"},
    {45, "<point> <quality> Sign"},
    {46, "<dignity> Ruler <house> House <condition>"},
    {47, "<dignity> Ruler <house> House <point>"},
    {48, "<point> More Dignified Than <point>"},
    {49, "Complexional Scores"},
    {50, "Complexional Type <temperament>"},
    {51, "Introduction"},
    {52, "<scheme> Rulerships"},
    {53, "<point> Separates <aspect> <point>"},
    {54, "<point> <point>"},
    {55, "Almuten <house> House <house> House"},
    {56, "<point> Range <number> <sign> <number> <sign>"},
    {57, "<point> <aspect> Planet <house> House"},
    {58, "<point> Early Degrees"},
    {59, "<point> Late Degrees"},
    {60, "<point> Approaches <aspect> Ruler <house> House"},
    {61, "<point> Separates <aspect> Ruler <house> House"},
    {62, "Almuten <house> House <point>"},
    {63, "Almuten <house> House <condition>"},
    {64, "Almuten <point> <house> House"},
    {65, "Ruler <house> House Approaches <aspect> Ruler <house> House"},
    {66, "Ruler <house> House Range <number> <sign> <number> <sign>"},
    {67, "Almuten <house> House <house-class>"},
    {68, "<house> House Cusp <sign>"},
    {69, "<house> House Cusp <quality>"},
    {70, "<house> House Cusp Range <number> <sign> <number> <sign>"},
    {71, "<point> <aspect> <house> House Cusp"},
    {72, "HoraryHouses"},
    {73, "<point> <aspect> Star <star>"},
    {74, "Untimed"},
    {76, "Chart <number>"},
    {77, "Graphic <number>"},
    {78, "Option <word>"},
    {79, "DynamicReport <number>"},
    {80, "DynamicBackground <number>"},
    {81, "Starset <angle> <angle>"},
    {82, "<point> Aligned Starset"},
    {83, "<point> Aligned Starset KeywordTitlesOn"},
    {84, "Planet Aligned Starset"},
    {85, "StarEpoch <number>"},
    {86, "Asteroid <number>"},
    {87, "AsteroidTable"},
    {88, "AsteroidMaxOrb <number>"},
    {89, "InterpFile"},
    {90, "PlanetDegree <point>"},
    {91, "HouseCuspDegree <house>"},
    {92, "Element <quality> <strength>"},
    {93, "Mode <quality> <strength>"},
    {94, "Polarity <quality> <strength>"},
    {95, "CheckForText"},
    {96, "NoTextSinceCheckForText"},
    {97, "<point> Decanate <number>"},
    {98, "<point> CoRuler <house> House"},
    {99, "SectionCount <number>"},
    {100, "TestBothCharts <number> <number>"},
};

struct ClassName {
  std::string_view name;
  WordClass wordClass;
};

const ClassName kClassNames[] = {
    {"number", WordClass::Number},           {"point", WordClass::Point},
    {"sign", WordClass::Sign},               {"house", WordClass::House},
    {"aspect", WordClass::Aspect},           {"orientality", WordClass::Orientality},
    {"house-class", WordClass::HouseClass},  {"phase", WordClass::Phase},
    {"condition", WordClass::Condition},     {"latitude", WordClass::Latitude},
    {"sect", WordClass::Sect},               {"rises-sets", WordClass::RisesSets},
    {"before-after", WordClass::BeforeAfter}, {"significator", WordClass::Significator},
    {"quality", WordClass::Quality},         {"dignity", WordClass::Dignity},
    {"temperament", WordClass::Temperament}, {"scheme", WordClass::Scheme},
    {"star", WordClass::Star},               {"word", WordClass::Word},
    {"angle", WordClass::Angle},             {"strength", WordClass::Strength},
};

PatternItem ParsePatternItem(std::string_view token, int code) {
  if (token.size() > 2 && token.front() == '<' && token.back() == '>') {
    std::string_view name = token.substr(1, token.size() - 2);
    for (const ClassName& c : kClassNames)
      if (c.name == name) return PatternItem{c.wordClass, 0};
  } else {
    for (std::size_t i = 0; i < StatementKeywords.size(); ++i)
      if (StatementKeywords[i] == token) return PatternItem{WordClass::Keyword, static_cast<std::int32_t>(i + 1)};
  }
  throw std::logic_error("statement " + std::to_string(code) + ": unknown pattern word " + std::string(token));
}

}  // namespace

const std::vector<StatementPattern>& StatementTable() {
  static const std::vector<StatementPattern> table = [] {
    std::vector<StatementPattern> t;
    for (const PatternText& p : kPatterns) {
      StatementPattern pattern{p.code, {}};
      for (const std::string& token : SplitStatementWords(p.text))
        pattern.items.push_back(ParsePatternItem(token, p.code));
      if (pattern.items.empty() || pattern.items.size() > MaxSignificantWords)
        throw std::logic_error("statement " + std::to_string(p.code) + " has a bad pattern length");
      t.push_back(std::move(pattern));
    }
    return t;
  }();
  return table;
}

std::string DescribeStatement(int code) {
  for (const PatternText& p : kPatterns)
    if (p.code == code) return std::string(p.text);
  return {};
}

ClassifiedWord ClassifyWord(std::string_view word, const StatementContext& context) {
  const FixedWordMap& fixed = FixedWords();
  auto hit = fixed.find(ToLowerAscii(word));
  const FixedWord* found = hit == fixed.end() ? nullptr : &hit->second;
  if (found && found->rank <= RankPoint) return found->word;
  if (auto asteroid = FindName(word, context.asteroidNames))
    return {WordRole::Significant, WordClass::Point, AsteroidPointBase + *asteroid};
  if (found && found->rank < RankStrength) return found->word;
  if (auto star = FindName(word, context.starNames))
    return {WordRole::Significant, WordClass::Star, *star + 1};
  if (found) return found->word;
  if (auto number = NumberWord(word)) return {WordRole::Significant, WordClass::Number, *number};
  if (auto angle = AngleWord(word)) return {WordRole::Significant, WordClass::Angle, *angle};
  return {WordRole::Significant, WordClass::Word, 0};
}

std::vector<std::string> SplitStatementWords(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size() && words.size() < MaxStatementWords) {
    while (i < line.size() && line[i] == ' ') ++i;
    std::size_t start = i;
    while (i < line.size() && line[i] != ' ') ++i;
    if (i > start) words.emplace_back(line.substr(start, i - start));
  }
  return words;
}

std::int32_t OptionMask(std::string_view word, const std::vector<std::string>& options) {
  std::vector<std::string> mnemonics = Split(word, '/');
  std::uint32_t mask = 0;
  for (std::size_t i = 0; i < options.size() && i < 32; ++i) {
    std::string_view entry = options[i];
    std::string_view mnemonic = entry.substr(0, entry.find('='));
    for (const std::string& m : mnemonics) {
      if (EqualsNoCase(m, mnemonic)) {
        mask |= std::uint32_t{1} << i;
        break;
      }
    }
  }
  return static_cast<std::int32_t>(mask);
}

StatementMatch MatchStatement(const std::vector<std::string>& words, const StatementContext& context) {
  StatementMatch result;
  std::vector<ClassifiedWord> pairs;
  std::vector<std::string_view> pairWords;
  for (std::size_t w = 0; w < words.size() && w < MaxStatementWords; ++w) {
    ClassifiedWord c = ClassifyWord(words[w], context);
    if (c.role == WordRole::Skipped) continue;
    if (c.role == WordRole::Negation) {
      result.negated = true;
      continue;
    }
    if (pairs.size() == MaxSignificantWords) {
      result.tooMany = true;
      break;
    }
    pairs.push_back(c);
    pairWords.push_back(words[w]);
  }
  const std::size_t n = pairs.size();
  if (n == 0 || result.tooMany) return result;

  for (const StatementPattern& pattern : StatementTable()) {
    const auto& items = pattern.items;
    if (items.size() < n) continue;
    bool fits = true;
    for (std::size_t i = 0; i < items.size() && fits; ++i) {
      if (i < n) {
        fits = pairs[i].wordClass == items[i].wordClass &&
               (items[i].wordClass != WordClass::Keyword || pairs[i].value == items[i].keyword);
      } else {
        fits = items[i].wordClass == WordClass::Keyword;  // left-out trailing keywords
      }
    }
    if (!fits) continue;
    result.code = pattern.code;
    std::size_t p = 0;
    for (std::size_t i = 0; i < n; ++i)
      if (items[i].wordClass != WordClass::Keyword) result.params[p++] = pairs[i].value;
    if (pattern.code == StatementOption) result.params[0] = OptionMask(pairWords[1], context.options);
    return result;
  }
  return result;
}

}  // namespace korvana
