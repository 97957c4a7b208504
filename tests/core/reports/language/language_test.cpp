#include "core/reports/language/language.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace korvana::lang {
namespace {

TEST(LanguageCodesTest, CodesMatchWithoutRegardToCase) {
  struct Case {
    const char* value;
    int language;
  };
  const Case cases[] = {
      {"EN", LanguageEnglish}, {"sp", LanguageSpanish}, {"Sp", LanguageSpanish},
      {"no", LanguageNorwegian}, {"FR", LanguageFrench}, {"ES", LanguageEnglish},
      {"", LanguageEnglish},   {"SPA", LanguageEnglish}, {" SP", LanguageEnglish},
  };
  for (const Case& c : cases) EXPECT_EQ(LanguageFromCode(c.value), c.language) << '"' << c.value << '"';
}

TEST(ReportPhrasesTest, RowsKeepTheirLanguageAndSpacing) {
  struct Case {
    Phrase row;
    int language;
    std::string_view text;
  };
  const Case cases[] = {
      {Phrase::ReportTitle, LanguageEnglish, "A Korvana Report"},
      {Phrase::ReportTitle, LanguageNorwegian, "En Korvana horoskoptolkning"},
      {Phrase::The, LanguageNorwegian, ""},  // no article: joined phrases get none
      {Phrase::The, LanguageFrench, "le"},
      {Phrase::The, LanguageSpanish, "el"},
      {Phrase::ComplimentsOf, LanguageSpanish, "Cortesía de"},
      {Phrase::ReadInto, LanguageFrench, "se lit dans la"},
      {Phrase::Not, LanguageSpanish, "no "},
      {Phrase::Not, LanguageEnglish, "not "},
      {Phrase::DoesNot, LanguageEnglish, "does not "},
      {Phrase::To, LanguageNorwegian, "å"},
      {Phrase::Till, LanguageNorwegian, "til"},
      {Phrase::HouseCuspIsLocatedAt, LanguageSpanish, "la Cúspide de la Casa se encuentra en el"},
      {Phrase::Decanate, LanguageNorwegian, "Dekanat"},
  };
  for (const Case& c : cases) {
    const int row = static_cast<int>(c.row);
    EXPECT_EQ(ReportPhrases[c.language][row], c.text) << "row " << row << " language " << c.language;
    EXPECT_EQ(PhraseText(c.language, c.row), c.text);
  }
}

TEST(ReportPhrasesTest, EveryPhraseExceptTheNorwegianArticleIsFilled) {
  for (int l = 0; l < LanguageCount; ++l)
    for (std::size_t r = 0; r < ReportPhraseCount; ++r)
      if (!(l == LanguageNorwegian && r == static_cast<std::size_t>(Phrase::The))) {
        EXPECT_FALSE(ReportPhrases[l][r].empty()) << l << "/" << r;
      }
}

TEST(LanguageTablesTest, NumberedLookupsStartAtOne) {
  EXPECT_EQ(MonthName(LanguageFrench, 2), "Fév");
  EXPECT_EQ(MonthName(LanguageNorwegian, 12), "des");
  EXPECT_EQ(HouseLabel(LanguageEnglish, 13), "Quesited");
  EXPECT_EQ(HouseLabel(LanguageSpanish, 13), "Lo buscado");
  EXPECT_EQ(HouseLabel(LanguageFrench, 1), "1re");  // la maison: feminine
  EXPECT_EQ(AspectName(LanguageEnglish, 1), "Conjunction");
  EXPECT_EQ(AspectName(LanguageNorwegian, 25), "parallell");
  EXPECT_EQ(AspectName(LanguageFrench, 26), "ContreParallèle");
  EXPECT_EQ(AspectWord(LanguageSpanish, 10), "en aspecto suave con");
  EXPECT_EQ(PointName(LanguageEnglish, 3), "Sun");
  EXPECT_EQ(PointName(LanguageNorwegian, 23), "MC");
  EXPECT_EQ(PointNameWithArticle(LanguageSpanish, 1), "La Luna");
  EXPECT_EQ(PointNameWithArticle(LanguageFrench, 22), "L'Ascendant");
  EXPECT_EQ(PointAbbreviation(LanguageFrench, 18), "Heb");
  EXPECT_EQ(PointAbbreviation(LanguageEnglish, 36), "Lil");
  EXPECT_EQ(SignName(LanguageNorwegian, 1), "Væren");
  EXPECT_EQ(SignName(LanguageSpanish, 12), "Piscis");
  EXPECT_EQ(SignAbbreviation(LanguageNorwegian, 5), "Lø");
  EXPECT_EQ(SignAbbreviation(LanguageFrench, 11), "Ve");
}

TEST(LanguageTablesTest, OutOfRangeLookupsGiveEmptyText) {
  EXPECT_EQ(PhraseText(LanguageEnglish, static_cast<Phrase>(ReportPhraseCount)), "");
  EXPECT_EQ(PhraseText(-1, Phrase::ReportTitle), "");
  EXPECT_EQ(PhraseText(LanguageCount, Phrase::ReportTitle), "");
  EXPECT_EQ(MonthName(LanguageEnglish, 0), "");
  EXPECT_EQ(MonthName(LanguageEnglish, 13), "");
  EXPECT_EQ(HouseLabel(LanguageEnglish, 14), "");
  EXPECT_EQ(PointName(LanguageEnglish, 37), "");
  EXPECT_EQ(AspectName(LanguageEnglish, 27), "");
  EXPECT_EQ(SignName(LanguageFrench, 0), "");
}

// The default columns are the compiler's and the analysis's names: they must be the
// English column where the tables say so, and never hold duplicates a lookup could confuse.
TEST(LanguageTablesTest, DefaultColumnsEqualEnglishAndAreUnique) {
  EXPECT_EQ(DefaultAspectWords, AspectWords[LanguageEnglish]);
  EXPECT_EQ(DefaultAspectNames, AspectNames[LanguageEnglish]);
  EXPECT_EQ(DefaultPointNames, PointNames[LanguageEnglish]);
  EXPECT_EQ(DefaultPointNamesWithArticle, PointNamesWithArticle[LanguageEnglish]);
  EXPECT_EQ(DefaultPointAbbreviations, PointAbbreviations[LanguageEnglish]);
  EXPECT_EQ(DefaultSignNames, SignNames[LanguageEnglish]);
  EXPECT_EQ(DefaultSignAbbreviations, SignAbbreviations[LanguageEnglish]);
  EXPECT_EQ(DefaultQualityNames, QualityNames[LanguageEnglish]);
  auto unique = [](const auto& column) { return std::set<std::string_view>(column.begin(), column.end()).size(); };
  EXPECT_EQ(unique(DefaultPointNames), 36u);
  EXPECT_EQ(unique(DefaultAspectNames), 26u);
  EXPECT_EQ(unique(DefaultAspectWords), 19u);
  EXPECT_EQ(unique(DefaultSignNames), 12u);
}

TEST(LanguageTablesTest, SmallTablesInTheirOrder) {
  EXPECT_EQ(GenderWords[LanguageSpanish][1], "Femenino");
  EXPECT_EQ(ElementWords[LanguageEnglish][0], "Earth");
  EXPECT_EQ(ElementWords[LanguageSpanish][3], "Agua");
  EXPECT_EQ(ElementWords[LanguageFrench][2], "Feu");
  EXPECT_EQ(QualityNames[LanguageNorwegian][3], "Faste");
  EXPECT_EQ(StrengthWords[LanguageNorwegian][2], "i balanse");
  EXPECT_EQ(TemperamentWords[8], "Balanced");
}

TEST(ApplyContractionsTest, SpanishAndNorwegianAreRepaired) {
  struct Case {
    int language;
    std::string_view in;
    std::string_view out;
  };
  const Case cases[] = {
      {LanguageSpanish, "El Regente de el Sol", "El Regente del Sol"},
      {LanguageSpanish, "considerado en la casa de El Ascendente", "considerado en la casa Del Ascendente"},
      {LanguageSpanish, "Marte y inmediatamente", "Marte e inmediatamente"},  // " i" begins a word
      {LanguageSpanish, "Sol y Hilo y hielo", "Sol e Hilo e hielo"},
      {LanguageSpanish, "va a el centro y a El Sol", "va al centro y Al Sol"},
      {LanguageSpanish, "de el de el de el", "de el del de el"},  // needs the blanks around
      {LanguageSpanish, " de el  de el ", " del  del "},
      {LanguageSpanish, "Luna y Ira", "Luna e Ira"},
      {LanguageSpanish, "DE EL", "DE EL"},  // compared with case
      {LanguageNorwegian, "Transitt punkter og Radix punkter", "Transittpunkter og Radixpunkter"},
      {LanguageNorwegian, "Sol y i", "Sol y i"},
      {LanguageEnglish, "Ruler of the de el Transitt punkter y i", "Ruler of the de el Transitt punkter y i"},
      {LanguageFrench, " a el  de el  y i", " a el  de el  y i"},
      {7, " de el ", " de el "},
      {LanguageSpanish, "", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ApplyContractions(c.in, c.language), c.out) << c.language << ": \"" << c.in << '"';
}

}  // namespace
}  // namespace korvana::lang
