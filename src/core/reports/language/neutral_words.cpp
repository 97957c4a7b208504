#include "core/reports/language/neutral_words.h"

#include <array>

#include "core/reports/language/language.h"
#include "core/util/text.h"

namespace korvana::lang {
namespace {

// A male word and its neutral form; an empty neutral form means the person's name.
struct NeutralWord {
  std::string_view male;
  std::string_view neutral;
};

constexpr NeutralWord EnglishWords[] = {
    {"he", ""},          {"him", "them"},      {"his", "their"},       {"himself", "themselves"},
    {"man", "person"},   {"boy", "child"},     {"son", "child"},       {"brother", "sibling"},
    {"father", "parent"}, {"husband", "partner"}, {"male", "person"}};

constexpr NeutralWord NorwegianWords[] = {
    {"han", "hen"},      {"ham", "hen"},        {"hans", "hens"},      {"sønn", "barn"},
    {"gutt", "barn"},    {"mann", "person"},    {"bror", "søsken"},    {"far", "forelder"},
    {"ektemann", "partner"}};

// The pronouns that name the person: the subject and the stressed form.
constexpr std::string_view SpanishNamePronouns[] = {"él", "Él"};
constexpr std::string_view FrenchNamePronouns[] = {"il", "Il", "lui", "Lui"};

// `word` with its first letter made a capital when `like` starts with one (ASCII only: the
// male words of the tables and the neutral words start with an ASCII letter).
std::string WithCapitalOf(std::string word, std::string_view like) {
  const bool upper = !like.empty() && like[0] >= 'A' && like[0] <= 'Z';
  if (upper && !word.empty() && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 'a' + 'A');
  return word;
}

std::string FromTable(std::string_view male, std::string_view owner, const NeutralWord* begin,
                      const NeutralWord* end) {
  const std::string lower = ToLowerAscii(male);
  for (const NeutralWord* w = begin; w != end; ++w) {
    if (lower != w->male) continue;
    if (w->neutral.empty()) return std::string(owner);
    return WithCapitalOf(std::string(w->neutral), male);
  }
  return {};
}

// The length of the common beginning of two UTF-8 words, cut back to a character boundary.
std::size_t CommonPrefix(std::string_view a, std::string_view b) {
  std::size_t n = 0;
  while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
  while (n > 0 && n < a.size() && (static_cast<unsigned char>(a[n]) & 0xC0) == 0x80) --n;
  return n;
}

// Both forms of a pair the way a form writes them when the person's gender is not known.
// A short ending change shortens: "vivo/a" (Spanish), "seul(e)" (French); other pairs keep
// both words.
std::string BothForms(std::string_view male, std::string_view female, int language) {
  if (male == female) return std::string(male);
  const std::size_t common = CommonPrefix(male, female);
  const std::string_view maleEnd = male.substr(common), femaleEnd = female.substr(common);
  // Only the last word's ending may differ ("sí mismo/a", but "del/de la").
  const bool endingsOnly = maleEnd.find(' ') == std::string_view::npos && femaleEnd.find(' ') == std::string_view::npos;
  if (endingsOnly && common >= 2) {
    if (language == LanguageFrench && maleEnd.empty() && femaleEnd.size() <= 2)
      return std::string(male) + "(" + std::string(femaleEnd) + ")";
    if (language == LanguageSpanish && maleEnd.size() <= 1 && !femaleEnd.empty() && femaleEnd.size() <= 2)
      return std::string(male) + "/" + std::string(femaleEnd);
  }
  return std::string(male) + "/" + std::string(female);
}

template <std::size_t N>
bool IsOneOf(std::string_view word, const std::string_view (&words)[N]) {
  for (std::string_view w : words)
    if (word == w) return true;
  return false;
}

}  // namespace

std::string NeutralChoice(std::string_view male, std::string_view female, std::string_view owner, int language) {
  male = Trim(male);
  female = Trim(female);
  switch (language) {
    case LanguageNorwegian:
      return FromTable(male, owner, std::begin(NorwegianWords), std::end(NorwegianWords));
    case LanguageSpanish:
    case LanguageFrench: {
      const bool spanish = language == LanguageSpanish;
      if (spanish ? IsOneOf(male, SpanishNamePronouns) : IsOneOf(male, FrenchNamePronouns))
        return std::string(owner);
      return BothForms(male, female, language);
    }
    default:
      return FromTable(male, owner, std::begin(EnglishWords), std::end(EnglishWords));
  }
}

}  // namespace korvana::lang
