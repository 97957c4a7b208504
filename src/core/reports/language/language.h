// The words and phrases the program itself prints into a report, in the four report
// languages, and the grammar repair applied after phrases are joined.
//
// Every per-language table is read as Table[language][index] with language 0..3 (see
// ReportLanguage); tables that also have a language-independent English column offer it
// as DefaultTable[index]. The default columns are the words the report text compiler
// matches and the names by which the analysis modules refer to things; the per-language
// columns are what is printed. Indexes are 0-based: point n of the PointId numbering is
// at index n - 1, sign n at n - 1, house n at n - 1, aspect number n at n - 1.
//
// All texts are UTF-8. The checked accessors below (Phrase, PointName, ...) take the
// 1-based numbers used elsewhere and return an empty text for a language or number out of
// range instead of reading outside a table.
//
// Everything here lives in namespace korvana::lang, so that the table names (SignNames,
// MonthNames, PointNames, ...) never clash with the plain English lists other modules keep
// for parsing and analysis.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace korvana::lang {

enum ReportLanguage : int { LanguageEnglish = 0, LanguageSpanish = 1, LanguageNorwegian = 2, LanguageFrench = 3 };

constexpr int LanguageCount = 4;

template <std::size_t N>
using LanguageTable = std::array<std::array<std::string_view, N>, LanguageCount>;

// A table kept row by row (one line per entry in all four languages, as translators
// review it) turned into per-language columns, at compile time.
template <std::size_t Rows>
using LanguageRows = std::array<std::array<std::string_view, LanguageCount>, Rows>;
template <std::size_t Rows>
constexpr LanguageTable<Rows> ColumnsOf(const LanguageRows<Rows>& rows) {
  LanguageTable<Rows> table{};
  for (std::size_t r = 0; r < Rows; ++r)
    for (int l = 0; l < LanguageCount; ++l) table[static_cast<std::size_t>(l)][r] = rows[r][static_cast<std::size_t>(l)];
  return table;
}

// "EN", "SP", "NO", "FR": the values of a report set's Language key.
extern const std::array<std::string_view, LanguageCount> LanguageCodes;

// The report language for a report set's Language value: the index of the code it equals
// without regard to case; 0 (English) for an empty value or one that matches no code.
int LanguageFromCode(std::string_view code);

constexpr std::size_t ReportPhraseCount = 50;
// Headings and connecting words, one row each, named by what the row says in English.
// Trailing blanks belong to the phrase (ReadInto in French, Not, DoesNot).
enum class Phrase : int {
  ReportTitle = 0,
  For,
  And,
  The,
  ComplimentsOf,
  Planet,
  AstrologicalSummary,
  ChartPointPositions,
  SynastryAspects,
  ChartPointAspects,
  Applying,
  Separating,
  Sign,
  Position,
  House,
  Comment,
  ReadInto,
  Aspect,
  AppSep,
  Orb,
  Not,
  DoesNot,
  To,
  Till,
  Until,
  From,
  FromCapitalised,
  Is,
  In,
  InThe,
  Of,
  EnteredBefore,
  Enters,
  Entering,
  LeavesAfter,
  Leaves,
  Leaving,
  Points,
  DynamicAspects,
  AspectOrbs,
  ReferenceTimezone,
  Element,
  Mode,
  IsLocatedAt,
  DegreeOf,
  HouseCuspIsLocatedAt,
  RulerOf,
  DispositorOf,
  HouseCusp,
  Decanate,
};
static_assert(static_cast<std::size_t>(Phrase::Decanate) + 1 == ReportPhraseCount);
extern const LanguageTable<ReportPhraseCount> ReportPhrases;

extern const LanguageTable<12> MonthNames;   // month abbreviations, January first
extern const LanguageTable<13> HouseLabels;  // houses 1..12 and the quesited house

// Aspect words in the order of the compiler's aspect word list (19 entries); the
// per-language forms carry the connecting preposition where the language needs one.
extern const std::array<std::string_view, 19> DefaultAspectWords;
extern const LanguageTable<19> AspectWords;

// Aspect names in the program's aspect numbering 1..26 (Conjunction .. ContraParallel).
extern const std::array<std::string_view, 26> DefaultAspectNames;
extern const LanguageTable<26> AspectNames;

// Points 1..36 in PointId order; the English columns are the point catalogue's long
// names, short names and abbreviations.
extern const std::array<std::string_view, 36> DefaultPointNamesWithArticle;
extern const LanguageTable<36> PointNamesWithArticle;
extern const std::array<std::string_view, 36> DefaultPointNames;
extern const LanguageTable<36> PointNames;
extern const std::array<std::string_view, 36> DefaultPointAbbreviations;
extern const LanguageTable<36> PointAbbreviations;

// House systems 1..31 in the numbering of the chart's house system codes (Campanus first),
// as a report names them after its word for houses: "Placidus", Spanish "iguales".
constexpr std::size_t HouseSystemWordCount = 31;
extern const LanguageTable<HouseSystemWordCount> HouseSystemWords;

// Signs 1..12, Aries first.
extern const std::array<std::string_view, 12> DefaultSignNames;
extern const LanguageTable<12> SignNames;
extern const std::array<std::string_view, 12> DefaultSignAbbreviations;
extern const LanguageTable<12> SignAbbreviations;

extern const LanguageTable<2> GenderWords;   // male, female

// The word before the page number in page headers and footers ("Page 2", "Página 2").
extern const std::array<std::string_view, LanguageCount> PageWords;
// The Windows language identifier an RTF document declares for its text (\deflang).
extern const std::array<int, LanguageCount> RtfLanguageIds;
extern const LanguageTable<4> ElementWords;  // earth, air, fire, water

// Masculine, feminine, cardinal, fixed, mutable, fire, earth, air, water (the compiler's
// quality word order).
extern const std::array<std::string_view, 9> DefaultQualityNames;
extern const LanguageTable<9> QualityNames;

// Definition, weak, balanced, strong.
extern const LanguageTable<4> StrengthWords;

// Language-independent temperament words (compiler words and classical summary).
extern const std::array<std::string_view, 9> TemperamentWords;

struct TLanguageContraction {
  std::string_view from;
  std::string_view to;
};

extern const std::array<TLanguageContraction, 8> SpanishContractions;
extern const std::array<TLanguageContraction, 2> NorwegianContractions;

// Repairs grammar in text built by joining phrases and names: for Spanish and Norwegian
// every occurrence of each "from" string of the language's contraction table is replaced
// by its "to" string, pair by pair in table order, comparing with case. Other languages
// return the text unchanged.
std::string ApplyContractions(std::string_view text, int language);

// Checked lookups: a phrase row, or month, house, point, sign and aspect numbers from 1.
// Out-of-range arguments give "".
std::string_view PhraseText(int language, Phrase row);
std::string_view MonthName(int language, int month);
std::string_view HouseLabel(int language, int house);
std::string_view AspectWord(int language, int word);
std::string_view AspectName(int language, int aspect);
std::string_view PointNameWithArticle(int language, int point);
std::string_view PointName(int language, int point);
std::string_view PointAbbreviation(int language, int point);
std::string_view SignName(int language, int sign);
std::string_view SignAbbreviation(int language, int sign);
std::string_view HouseSystemWord(int language, int system);

}  // namespace korvana::lang
