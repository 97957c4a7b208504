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

const std::array<std::string_view, 62> StatementKeywords = {
    "House", "Ruler", "Approaches", "Geniture", "Alcocoden", "Almuten", "Hemisphere", "Birth",
    "Section", "Explanation", "Face", "Planet", "Dignified", "Debilitated", "Sign",
    "KeywordTitlesOn", "KeywordTitlesOff", "More", "Than", "Complexional", "Type", "Scores",
    "Introduction", "Rulerships", "Separates", "Range", "Early", "Late", "Degrees", "Cusp",
    "HoraryHouses", "Star", "Untimed", "Chart", "Graphic", "Option", "DynamicReport",
    "DynamicBackground", "Starset", "Aligned", "StarEpoch", "Asteroid", "AsteroidTable",
    "AsteroidMaxOrb", "InterpFile", "PlanetDegree", "HouseCuspDegree", "Element", "Mode",
    "Polarity", "CheckForText", "NoTextSinceCheckForText", "Decanate", "CoRuler", "SectionCount",
    "TestBothCharts",
    // Keywords of the later statements.
    "Pattern", "Dominant", "Emphasis", "Quadrant", "System", "Fallback"};

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

const std::array<std::string_view, 6> StatementFigureWords = {"Stellium", "T-Square", "GrandTrine",
                                                              "GrandCross", "Yod",      "Kite"};
const std::array<std::string_view, 2> StatementSideWords = {"Eastern", "Western"};

namespace {

// The one-word classes after the points, in the order they are tried. Signs, aspect words,
// qualities and temperaments are the default columns of the phrase tables.
const std::array<std::string_view, 2> Orientality = {"Oriental", "Occidental"};
const std::array<std::string_view, 3> HouseClass = {"Angular", "Succedent", "Cadent"};
const std::array<std::string_view, 2> Phase = {"Waxing", "Waning"};
const std::array<std::string_view, 14> Condition = {
    "Rulership", "Exaltation", "Triplicity", "Term", "Face", "Detriment", "Fall", "Peregrine",
    "Combust", "Rulership/Exaltation/Triplicity", "DignifiedNotCombust", "Detriment/Fall", "Direct",
    "Retrograde"};
const std::array<std::string_view, 2> Latitude = {"Northern", "Southern"};
const std::array<std::string_view, 2> Sect = {"Diurnal", "Nocturnal"};
const std::array<std::string_view, 2> RisesSets = {"Rises", "Sets"};
const std::array<std::string_view, 2> BeforeAfter = {"Before", "After"};
const std::array<std::string_view, 2> Significator = {"Significator", "Significatrix"};
const std::array<std::string_view, 9> Dignity = {
    "Sign", "Exaltation", "DiurnalTriplicity", "NocturnalTriplicity", "InSectTriplicity",
    "OutOfSectTriplicity", "ParticipatingTriplicity", "Term", "Face"};
const std::array<std::string_view, 4> Scheme = {"Modern", "Traditional", "Esoteric", "Hierarchical"};
const std::array<std::string_view, 4> Strength = {"Definition", "Weak", "Moderate", "Strong"};

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
    AddList(m, Orientality, RankAfterPoints, S, WordClass::Orientality);
    AddList(m, HouseClass, RankAfterPoints, S, WordClass::HouseClass);
    AddList(m, Phase, RankAfterPoints, S, WordClass::Phase);
    AddList(m, Condition, RankAfterPoints, S, WordClass::Condition);
    AddList(m, Latitude, RankAfterPoints, S, WordClass::Latitude);
    AddList(m, Sect, RankAfterPoints, S, WordClass::Sect);
    AddList(m, RisesSets, RankAfterPoints, S, WordClass::RisesSets);
    AddList(m, BeforeAfter, RankAfterPoints, S, WordClass::BeforeAfter);
    AddList(m, Significator, RankAfterPoints, S, WordClass::Significator);
    AddList(m, lang::DefaultQualityNames, RankAfterPoints, S, WordClass::Quality);
    AddList(m, Dignity, RankAfterPoints, S, WordClass::Dignity);
    AddList(m, lang::TemperamentWords, RankAfterPoints, S, WordClass::Temperament);
    AddList(m, Scheme, RankAfterPoints, S, WordClass::Scheme);
    AddList(m, StatementFigureWords, RankAfterPoints, S, WordClass::Figure);
    AddList(m, StatementSideWords, RankAfterPoints, S, WordClass::Side);
    AddList(m, Strength, RankStrength, S, WordClass::Strength);
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
  StatementCode code;
  std::string_view text;
};

const PatternText Patterns[] = {
    {StatementCode::Section, "Section <number>"},
    {StatementCode::KeywordTitlesOn, "KeywordTitlesOn"},
    {StatementCode::KeywordTitlesOff, "KeywordTitlesOff"},
    {StatementCode::Explanation, "Explanation"},
    {StatementCode::PointTitle, "<point>"},
    {StatementCode::PointInSign, "<point> <sign>"},
    {StatementCode::PointInHouse, "<point> <house> House"},
    {StatementCode::PlanetInHouse, "Planet <house> House"},
    {StatementCode::PointDignified, "<point> Dignified"},
    {StatementCode::PointDebilitated, "<point> Debilitated"},
    {StatementCode::PointOrientality, "<point> <orientality>"},
    {StatementCode::PointAspectsHouseRuler, "<point> <aspect> Ruler <house> House"},
    {StatementCode::PointAspectsPoint, "<point> <aspect> <point>"},
    {StatementCode::PointApproachesPoint, "<point> Approaches <aspect> <point>"},
    {StatementCode::PointInHouseClass, "<point> <house-class> House"},
    {StatementCode::PointPhase, "<point> <phase>"},
    {StatementCode::PointCondition, "<point> <condition>"},
    {StatementCode::PointConditionOfPoint, "<point> <condition> <point>"},
    {StatementCode::DispositorInSign, "Ruler <point> <sign>"},
    {StatementCode::DispositorInHouse, "Ruler <point> <house> House"},
    {StatementCode::DispositorIsPoint, "Ruler <point> <point>"},
    {StatementCode::DispositorAspectsPoint, "Ruler <point> <aspect> <point>"},
    {StatementCode::HouseRulerIsPoint, "Ruler <house> House <point>"},
    {StatementCode::GenitureRuler, "Ruler Geniture <point>"},
    {StatementCode::Alcocoden, "Alcocoden <point>"},
    {StatementCode::PointAlmutenIsPoint, "Almuten <point> <point>"},
    {StatementCode::HemisphereOfBirth, "<latitude> Hemisphere Birth"},
    {StatementCode::SectOfBirth, "<sect> Birth"},
    {StatementCode::PointRulesHouse, "<point> Ruler <house> House"},
    {StatementCode::HouseRulerInHouse, "Ruler <house> House <house> House"},
    {StatementCode::PointRisesOrSets, "<point> <rises-sets> <before-after> <point>"},
    {StatementCode::DispositorDignified, "Ruler <point> Dignified"},
    {StatementCode::DispositorCondition, "Ruler <point> <condition>"},
    {StatementCode::HouseRulerDignified, "Ruler <house> House Dignified"},
    {StatementCode::HouseRulerCondition, "Ruler <house> House <condition>"},
    {StatementCode::HouseRulerAspectsDispositor, "Ruler <house> House <aspect> Ruler <point>"},
    {StatementCode::HouseRulerAspectsHouseRuler, "Ruler <house> House <aspect> Ruler <house> House"},
    {StatementCode::PointInFace, "<point> <house> Face <sign>"},
    {StatementCode::DispositorInFace, "Ruler <point> <house> Face <sign>"},
    {StatementCode::PointAlmutenInFace, "Almuten <point> <house> Face <sign>"},
    {StatementCode::PlanetInFaceAspectsPoint, "Planet <aspect> <point> <house> Face <sign>"},
    {StatementCode::PointSignificator, "<point> <significator>"},
    {StatementCode::PointInQualitySign, "<point> <quality> Sign"},
    {StatementCode::DignityRulerCondition, "<dignity> Ruler <house> House <condition>"},
    {StatementCode::DignityRulerIsPoint, "<dignity> Ruler <house> House <point>"},
    {StatementCode::PointMoreDignified, "<point> More Dignified Than <point>"},
    {StatementCode::ComplexionalScores, "Complexional Scores"},
    {StatementCode::ComplexionalType, "Complexional Type <temperament>"},
    {StatementCode::Introduction, "Introduction"},
    {StatementCode::Rulerships, "<scheme> Rulerships"},
    {StatementCode::PointSeparatesFromPoint, "<point> Separates <aspect> <point>"},
    {StatementCode::PointIsPoint, "<point> <point>"},
    {StatementCode::HouseAlmutenInHouse, "Almuten <house> House <house> House"},
    {StatementCode::PointInRange, "<point> Range <number> <sign> <number> <sign>"},
    {StatementCode::PointAspectsPlanetInHouse, "<point> <aspect> Planet <house> House"},
    {StatementCode::PointInEarlyDegrees, "<point> Early Degrees"},
    {StatementCode::PointInLateDegrees, "<point> Late Degrees"},
    {StatementCode::PointApproachesHouseRuler, "<point> Approaches <aspect> Ruler <house> House"},
    {StatementCode::PointSeparatesFromHouseRuler, "<point> Separates <aspect> Ruler <house> House"},
    {StatementCode::HouseAlmutenIsPoint, "Almuten <house> House <point>"},
    {StatementCode::HouseAlmutenCondition, "Almuten <house> House <condition>"},
    {StatementCode::PointAlmutenInHouse, "Almuten <point> <house> House"},
    {StatementCode::HouseRulerApproachesHouseRuler, "Ruler <house> House Approaches <aspect> Ruler <house> House"},
    {StatementCode::HouseRulerInRange, "Ruler <house> House Range <number> <sign> <number> <sign>"},
    {StatementCode::HouseAlmutenInHouseClass, "Almuten <house> House <house-class>"},
    {StatementCode::CuspInSign, "<house> House Cusp <sign>"},
    {StatementCode::CuspInQuality, "<house> House Cusp <quality>"},
    {StatementCode::CuspInRange, "<house> House Cusp Range <number> <sign> <number> <sign>"},
    {StatementCode::PointAspectsCusp, "<point> <aspect> <house> House Cusp"},
    {StatementCode::HoraryHouses, "HoraryHouses"},
    {StatementCode::PointAspectsStar, "<point> <aspect> Star <star>"},
    {StatementCode::Untimed, "Untimed"},
    {StatementCode::Chart, "Chart <number>"},
    {StatementCode::Graphic, "Graphic <number>"},
    {StatementCode::Option, "Option <word>"},
    {StatementCode::DynamicReport, "DynamicReport <number>"},
    {StatementCode::DynamicBackground, "DynamicBackground <number>"},
    {StatementCode::Starset, "Starset <angle> <angle>"},
    {StatementCode::PointAlignedStarset, "<point> Aligned Starset"},
    {StatementCode::PointAlignedStarsetTitled, "<point> Aligned Starset KeywordTitlesOn"},
    {StatementCode::PlanetAlignedStarset, "Planet Aligned Starset"},
    {StatementCode::StarEpoch, "StarEpoch <number>"},
    {StatementCode::Asteroid, "Asteroid <number>"},
    {StatementCode::AsteroidTable, "AsteroidTable"},
    {StatementCode::AsteroidMaxOrb, "AsteroidMaxOrb <number>"},
    {StatementCode::InterpFile, "InterpFile"},
    {StatementCode::PlanetDegree, "PlanetDegree <point>"},
    {StatementCode::HouseCuspDegree, "HouseCuspDegree <house>"},
    {StatementCode::Element, "Element <quality> <strength>"},
    {StatementCode::Mode, "Mode <quality> <strength>"},
    {StatementCode::Polarity, "Polarity <quality> <strength>"},
    {StatementCode::CheckForText, "CheckForText"},
    {StatementCode::NoTextSinceCheckForText, "NoTextSinceCheckForText"},
    {StatementCode::PointInDecanate, "<point> Decanate <number>"},
    {StatementCode::PointCoRulesHouse, "<point> CoRuler <house> House"},
    {StatementCode::SectionCount, "SectionCount <number>"},
    {StatementCode::TestBothCharts, "TestBothCharts <number> <number>"},
    {StatementCode::Figure, "Pattern <figure>"},
    {StatementCode::FigureInQuality, "Pattern <figure> <quality>"},
    {StatementCode::FigureInSign, "Pattern <figure> <sign>"},
    {StatementCode::FigureInHouse, "Pattern <figure> <house> House"},
    {StatementCode::DominantElement, "Dominant Element <quality>"},
    {StatementCode::DominantMode, "Dominant Mode <quality>"},
    {StatementCode::DominantPlanet, "Dominant Planet <point>"},
    {StatementCode::HemisphereEmphasis, "Hemisphere Emphasis <latitude>"},
    {StatementCode::SideEmphasis, "Hemisphere Emphasis <side>"},
    {StatementCode::QuadrantEmphasis, "Quadrant Emphasis <number>"},
    {StatementCode::ChartRuler, "Chart Ruler <point>"},
    {StatementCode::ChartRulerInSign, "Chart Ruler <sign>"},
    {StatementCode::ChartRulerInHouse, "Chart Ruler <house> House"},
    {StatementCode::HouseSystemFallback, "House System Fallback"},
    {StatementCode::TimeUnknown, "Untimed Birth"},
};

struct ClassName {
  std::string_view name;
  WordClass wordClass;
};

const ClassName ClassNames[] = {
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
    {"figure", WordClass::Figure},           {"side", WordClass::Side},
};

std::string CodeText(StatementCode code) { return std::to_string(static_cast<int>(code)); }

PatternItem ParsePatternItem(std::string_view token, StatementCode code) {
  if (token.size() > 2 && token.front() == '<' && token.back() == '>') {
    std::string_view name = token.substr(1, token.size() - 2);
    for (const ClassName& c : ClassNames)
      if (c.name == name) return PatternItem{c.wordClass, 0};
  } else {
    for (std::size_t i = 0; i < StatementKeywords.size(); ++i)
      if (StatementKeywords[i] == token) return PatternItem{WordClass::Keyword, static_cast<std::int32_t>(i + 1)};
  }
  throw std::logic_error("statement " + CodeText(code) + ": unknown pattern word " + std::string(token));
}

}  // namespace

const std::vector<StatementPattern>& StatementTable() {
  static const std::vector<StatementPattern> table = [] {
    std::vector<StatementPattern> t;
    for (const PatternText& p : Patterns) {
      StatementPattern pattern{p.code, {}};
      for (const std::string& token : SplitStatementWords(p.text))
        pattern.items.push_back(ParsePatternItem(token, p.code));
      if (pattern.items.empty() || pattern.items.size() > MaxSignificantWords)
        throw std::logic_error("statement " + CodeText(p.code) + " has a bad pattern length");
      t.push_back(std::move(pattern));
    }
    return t;
  }();
  return table;
}

std::string DescribeStatement(StatementCode code) {
  for (const PatternText& p : Patterns)
    if (p.code == code) return std::string(p.text);
  return {};
}

std::string_view StatementPlaceholders(StatementCode code) {
  switch (code) {
    case StatementCode::Figure:
    case StatementCode::FigureInQuality:
    case StatementCode::FigureInSign:
    case StatementCode::FigureInHouse:
    case StatementCode::DominantElement:
    case StatementCode::DominantMode:
    case StatementCode::DominantPlanet:
    case StatementCode::HemisphereEmphasis:
    case StatementCode::SideEmphasis:
    case StatementCode::QuadrantEmphasis:
    case StatementCode::ChartRuler:
    case StatementCode::ChartRulerInSign:
    case StatementCode::ChartRulerInHouse:
      return "P";
    case StatementCode::HouseSystemFallback:
      return "HR";
    default:
      return "";
  }
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
    if (pattern.code == StatementCode::Option) result.params[0] = OptionMask(pairWords[1], context.options);
    return result;
  }
  return result;
}

}  // namespace korvana
