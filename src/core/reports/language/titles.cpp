#include "core/reports/language/titles.h"

#include <array>

namespace korvana::lang {

namespace {

// One row per title, the four languages side by side as translators review them.
constexpr LanguageRows<TitleCount> PatternRows = {{
    // PointInSign
    {"{1} {is} in {s}", "{A1} {is} en {s}", "{1} {is} i {s}", "{A1} {is} en {s}"},
    // PointInHouse
    {"{1} {is} in the {h} House", "{A1} {is} en la Casa {h}", "{1} {is} i {h} hus", "{A1} {is} dans la {h} Maison"},
    // PlanetInHouse
    {"A Planet {is} in the {h} House", "Un planeta {is} en la Casa {h}", "En planet {is} i {h} hus",
     "Une planète {is} dans la {h} Maison"},
    // PointInHouseClass
    {"{1} {is} in {an}{w} House", "{A1} {is} en una casa {w}", "{1} {is} i et {w}", "{A1} {is} dans une maison {w}"},
    // PointAspectsPoint
    {"{1} {not}{asp} {2}{orb}", "{A1} {is} {asp} {a2}{orb}", "{1} {is} {asp} {2}{orb}",
     "{A1} {is} en {asp} avec {a2}{orb}"},
    // PointAppliesToPoint
    {"{1} {is} approaching {an}{asp} with {2}", "{A1} {is} {asp} {a2} ({w})", "{1} {is} {asp} {2} ({w})",
     "{A1} {is} en {asp} avec {a2} ({w})"},
    // PointSeparatesFromPoint
    {"{1} {is} leaving {an}{asp} with {2}", "{A1} {is} {asp} {a2} ({w})", "{1} {is} {asp} {2} ({w})",
     "{A1} {is} en {asp} avec {a2} ({w})"},
    // PointPhase
    {"{1} {is} {w}", "{A1} {is} {w}", "{1} {is} {w}", "{A1} {is} {w}"},
    // Hemisphere
    {"The chart {is} located in the {w} Hemisphere", "La carta {is} situada en el hemisferio {w}",
     "Horoskopet {is} stilt på den {w} halvkule", "Le thème {is} situé dans l'hémisphère {w}"},
    // Sect
    {"The chart {is} {w}", "La carta {be} {w}", "Horoskopet {is} {w}", "Le thème {is} {w}"},
    // ElementLabel
    {"Element {q}", "Elemento {q}", "Elementet {q}", "Élément {q}"},
    // ElementStrength
    {"Element {q} {is} {w}", "El elemento {q} {be} {w}", "Elementet {q} {is} {w}", "L'élément {q} {is} {w}"},
    // ModeLabel
    {"Mode {q}", "Modo {q}", "{q} tegn", "Mode {q}"},
    // ModeStrength
    {"Mode {q} {is} {w}", "El modo {q} {be} {w}", "{q} tegn {is} {w}", "Le mode {q} {is} {w}"},
    // PolarityLabel
    {"Polarity {q}", "Polo {q}", "Polaritet {q}", "Pôle {q}"},
    // PolarityStrength
    {"Polarity {q} {is} {w}", "El polo {q} {be} {w}", "Polaritet {q} {is} {w}", "Le pôle {q} {is} {w}"},
    // HouseRulerIsPoint
    {"Ruler of the {h} House {is} {1}", "El Regente de la Casa {h} {be} {A1}", "Hersker av {h} hus {is} {1}",
     "Le maître de la {h} Maison {is} {a1}"},
    // PointRulesHouse
    {"{1} {is} the Ruler of the {h} House", "{A1} {be} el Regente de la Casa {h}", "{1} {is} hersker av {h} hus",
     "{A1} {is} le maître de la {h} Maison"},
    // HouseRulerInHouse
    {"Ruler of the {h} House {is} in the {h2} House", "El Regente de la Casa {h} {is} en la Casa {h2}",
     "Hersker av {h} hus {is} i {h2} hus", "Le maître de la {h} Maison {is} dans la {h2} Maison"},
    // QuesitedHouse
    {"Quesited House is the {h}", "La casa de lo preguntado es la Casa {h}", "Spørsmålets hus er {h} hus",
     "La maison de la question est la {h} Maison"},
    // PointSignificator
    {"{1} {is} the {w}", "{A1} {be} {w}", "{1} {is} {w}", "{A1} {is} {w}"},
    // PointCondition
    {"{1} {is} {w}", "{A1} {is} {w}", "{1} {is} {w}", "{A1} {is} {w}"},
    // PointDignified
    {"{1} {is} Dignified", "{A1} {is} dignificado|{A1} {is} dignificada", "{1} {is} verdig",
     "{A1} {is} en dignité"},
    // PointDignifiedBy
    {"{1} {is} Dignified by {w}", "{A1} {is} dignificado por {w}|{A1} {is} dignificada por {w}",
     "{1} {is} verdig ved {w}", "{A1} {is} en dignité par {w}"},
    // PointDebilitated
    {"{1} {is} Debilitated", "{A1} {is} debilitado|{A1} {is} debilitada", "{1} {is} svekket",
     "{A1} {is} affaibli|{A1} {is} affaiblie"},
    // PointDebilitatedBy
    {"{1} {is} Debilitated by {w}", "{A1} {is} debilitado por {w}|{A1} {is} debilitada por {w}",
     "{1} {is} svekket ved {w}", "{A1} {is} affaibli par {w}|{A1} {is} affaiblie par {w}"},
    // PointInEarlyDegrees
    {"{1} {is} in Early Degrees", "{A1} {is} en los primeros grados del signo", "{1} {is} i tegnets første grader",
     "{A1} {is} dans les premiers degrés du signe"},
    // PointInLateDegrees
    {"{1} {is} in Late Degrees", "{A1} {is} en los últimos grados del signo", "{1} {is} i tegnets siste grader",
     "{A1} {is} dans les derniers degrés du signe"},
    // PointInRange
    {"{1} {is} in range {d1} {s} to {d2} {s2}", "{A1} {is} entre {d1} {s} y {d2} {s2}",
     "{1} {is} mellom {d1} {s} og {d2} {s2}", "{A1} {is} entre {d1} {s} et {d2} {s2}"},
    // PointAspectsHouseRuler
    {"{1} {is} {asp} the Ruler of the {h} House", "{A1} {is} {asp} el Regente de la Casa {h}",
     "{1} {is} {asp} hersker av {h} hus", "{A1} {is} en {asp} avec le maître de la {h} Maison"},
    // PointAppliesToHouseRuler
    {"{1} {is} approaching {an}{asp} with the Ruler of the {h} House",
     "{A1} {is} {asp} el Regente de la Casa {h} ({w})", "{1} {is} {asp} hersker av {h} hus ({w})",
     "{A1} {is} en {asp} avec le maître de la {h} Maison ({w})"},
    // PointSeparatesFromHouseRuler
    {"{1} {is} leaving {an}{asp} with the Ruler of the {h} House", "{A1} {is} {asp} el Regente de la Casa {h} ({w})",
     "{1} {is} {asp} hersker av {h} hus ({w})", "{A1} {is} en {asp} avec le maître de la {h} Maison ({w})"},
    // HouseRulerAspectsHouseRuler
    {"Ruler of the {h} House {is} {asp} the Ruler of the {h2} House",
     "El Regente de la Casa {h} {is} {asp} el Regente de la Casa {h2}", "Hersker av {h} hus {is} {asp} hersker av {h2} hus",
     "Le maître de la {h} Maison {is} en {asp} avec le maître de la {h2} Maison"},
    // HouseRulerAppliesToHouseRuler
    {"Ruler of the {h} House {is} approaching {an}{asp} with the Ruler of the {h2} House",
     "El Regente de la Casa {h} {is} {asp} el Regente de la Casa {h2} ({w})",
     "Hersker av {h} hus {is} {asp} hersker av {h2} hus ({w})",
     "Le maître de la {h} Maison {is} en {asp} avec le maître de la {h2} Maison ({w})"},
    // PointDegree
    {"{A1} is located at the {w} degree of {s}",
     "{A1} está situado en el {w} grado de {s}|{A1} está situada en el {w} grado de {s}",
     "{1} befinner seg på {w}. grad i {s}", "{A1} est situé au {w} degré de {s}|{A1} est située au {w} degré de {s}"},
    // CuspDegree
    {"The {h} house cusp is located at the {w} degree of {s}", "La cúspide de la Casa {h} se encuentra en el {w} grado de {s}",
     "Spissen av {h} hus befinner seg på {w}. grad i {s}", "La cuspide de la {h} Maison est située au {w} degré de {s}"},
    // DominantElement
    {"Dominant Element {is} {q}", "El elemento dominante {be} {q}", "Dominerende element {is} {q}",
     "L'élément dominant {is} {q}"},
    // DominantMode
    {"Dominant Mode {is} {q}", "El modo dominante {be} {q}", "Dominerende kvalitet {is} {q}", "Le mode dominant {is} {q}"},
    // DominantPlanet
    {"Dominant Planet {is} {1}", "El planeta dominante {be} {a1}", "Dominerende planet {is} {1}",
     "La planète dominante {is} {a1}"},
    // HemisphereEmphasis
    {"The {w} Hemisphere {is} emphasised", "El hemisferio {w} {is} acentuado", "Den {w} halvkulen {is} fremhevet",
     "L'hémisphère {w} {is} mis en valeur"},
    // QuadrantEmphasis
    {"The {h} Quadrant {is} emphasised", "El cuadrante {h} {is} acentuado", "{h} kvadrant {is} fremhevet",
     "Le quadrant {h} {is} mis en valeur"},
    // ChartRulerIsPoint
    {"Ruler of the Chart {is} {1}", "El regente de la carta {be} {a1}", "Horoskopets hersker {is} {1}",
     "Le maître du thème {is} {a1}"},
    // ChartRulerInSign
    {"Ruler of the Chart {is} in {s}", "El regente de la carta {is} en {s}", "Horoskopets hersker {is} i {s}",
     "Le maître du thème {is} en {s}"},
    // ChartRulerInHouse
    {"Ruler of the Chart {is} in the {h} House", "El regente de la carta {is} en la Casa {h}",
     "Horoskopets hersker {is} i {h} hus", "Le maître du thème {is} dans la {h} Maison"},
    // HouseSystemReplaced
    {"{w} Houses replaced by {w2} Houses", "Casas {w} sustituidas por casas {w2}", "Hussystemet {w} erstattet av {w2}",
     "Maisons {w} remplacées par maisons {w2}"},
    // HouseSystemKept
    {"The chosen House System is used", "Se usa el sistema de casas elegido", "Det valgte hussystemet brukes",
     "Le système de maisons choisi est utilisé"},
    // FigureHeld
    {"The chart {has} {w}", "La carta {has} {w}", "Horoskopet {has} {w}", "Le thème {has} {w}"},
    // FigureInQuality
    {"The chart {has} {w} in {q} Signs", "La carta {has} {w} ({q})", "Horoskopet {has} {w} ({q})",
     "Le thème {has} {w} ({q})"},
    // FigureInSign
    {"The chart {has} {w} in {s}", "La carta {has} {w} en {s}", "Horoskopet {has} {w} i {s}", "Le thème {has} {w} en {s}"},
    // FigureFocusInSign
    {"The chart {has} {w} focused in {s}", "La carta {has} {w} con foco en {s}", "Horoskopet {has} {w} med fokus i {s}",
     "Le thème {has} {w} centré en {s}"},
    // FigureInHouse
    {"The chart {has} {w} in the {h} House", "La carta {has} {w} en la Casa {h}", "Horoskopet {has} {w} i {h} hus",
     "Le thème {has} {w} dans la {h} Maison"},
    // FigureFocusInHouse
    {"The chart {has} {w} focused in the {h} House", "La carta {has} {w} con foco en la Casa {h}",
     "Horoskopet {has} {w} med fokus i {h} hus", "Le thème {has} {w} centré dans la {h} Maison"},
    // BirthTimeUnknown
    {"The Birth Time is Unknown", "La hora de nacimiento no se conoce", "Fødselstidspunktet er ukjent",
     "L'heure de naissance est inconnue"},
    // BirthTimeKnown
    {"The Birth Time is Known", "La hora de nacimiento se conoce", "Fødselstidspunktet er kjent",
     "L'heure de naissance est connue"},
}};

// The copulas: place or state, its negation, identity, its negation; then the verb of
// holding and its negation.
constexpr std::array<std::array<std::string_view, 6>, LanguageCount> Copulas = {{
    {"is", "is not", "is", "is not", "holds", "does not hold"},
    {"está", "no está", "es", "no es", "contiene", "no contiene"},
    {"er", "er ikke", "er", "er ikke", "har", "har ikke"},
    {"est", "n'est pas", "est", "n'est pas", "contient", "ne contient pas"},
}};

struct WordList {
  TitleWords list;
  std::array<std::array<std::string_view, 14>, LanguageCount> words;
};

// Words written "masculine|feminine" agree with the first point's name.
constexpr std::array<WordList, 11> WordLists = {{
    {TitleWords::Phase,
     {{{"Waxing", "Waning"},
       {"creciente", "menguante"},
       {"voksende", "avtagende"},
       {"croissant|croissante", "décroissant|décroissante"}}}},
    {TitleWords::Hemisphere,
     {{{"Northern", "Southern"}, {"norte", "sur"}, {"nordlige", "sørlige"}, {"nord", "sud"}}}},
    {TitleWords::Sect,
     {{{"Diurnal", "Nocturnal"}, {"diurna", "nocturna"}, {"et dagshoroskop", "et nattehoroskop"},
       {"diurne", "nocturne"}}}},
    {TitleWords::HouseClass,
     {{{"Angular", "Succedent", "Cadent"},
       {"angular", "sucedente", "cadente"},
       {"hjørnehus", "følgehus", "fallende hus"},
       {"angulaire", "succédente", "cadente"}}}},
    {TitleWords::Significator,
     {{{"Significator", "Significatrix"},
       {"el significador", "la significadora"},
       {"signifikator", "signifikator"},
       {"le significateur", "la significatrice"}}}},
    {TitleWords::Condition,
     {{{"in Rulership", "in Exaltation", "in Triplicity", "in Term", "in Face", "in Detriment", "in Fall", "Peregrine",
        "Combust", "in Rulership, Exaltation or Triplicity", "Dignified and not Combust", "in Detriment or Fall",
        "Direct", "Retrograde"},
       {"en su domicilio", "en exaltación", "en triplicidad", "en término", "en faz", "en exilio", "en caída",
        "peregrino|peregrina", "combusto|combusta", "en domicilio, exaltación o triplicidad",
        "dignificado y no combusto|dignificada y no combusta", "en exilio o en caída", "directo|directa",
        "retrógrado|retrógrada"},
       {"i domisil", "i eksaltasjon", "i triplisitet", "i term", "i dekan", "i eksil", "i fall", "peregrin",
        "forbrent", "i domisil, eksaltasjon eller triplisitet", "verdig og ikke forbrent", "i eksil eller fall",
        "direkte", "retrograd"},
       {"en domicile", "en exaltation", "en triplicité", "en terme", "en face", "en exil", "en chute",
        "pérégrin|pérégrine", "combuste", "en domicile, exaltation ou triplicité", "digne et non combuste",
        "en exil ou en chute", "direct|directe", "rétrograde"}}}},
    {TitleWords::DignifiedBy,
     {{{"Rulership", "Exaltation", "Triplicity", "Term", "Face"},
       {"domicilio", "exaltación", "triplicidad", "término", "faz"},
       {"domisil", "eksaltasjon", "triplisitet", "term", "dekan"},
       {"domicile", "exaltation", "triplicité", "terme", "face"}}}},
    {TitleWords::DebilitatedBy,
     {{{"Detriment", "Fall", "Peregrine", "Conjunction with Algol", "Aspect with Malefic"},
       {"exilio", "caída", "peregrinaje", "conjunción con Algol", "aspecto con un maléfico"},
       {"eksil", "fall", "peregrin stilling", "konjunksjon med Algol", "aspekt til en malefiker"},
       {"exil", "chute", "pérégrinité", "conjonction avec Algol", "aspect d'un maléfique"}}}},
    {TitleWords::Motion,
     {{{"applying", "separating"}, {"aplicativo", "separativo"}, {"tilnærmende", "atskillende"},
       {"appliquant", "séparant"}}}},
    {TitleWords::Side,
     {{{"Eastern", "Western"}, {"oriental", "occidental"}, {"østlige", "vestlige"}, {"est", "ouest"}}}},
    {TitleWords::Figure,
     {{{"a Stellium", "a T-Square", "a Grand Trine", "a Grand Cross", "a Yod", "a Kite"},
       {"un stellium", "una cuadratura en T", "un gran trígono", "una gran cruz", "un yod", "una cometa"},
       {"et stellium", "et T-kvadrat", "en stor trigon", "et stort kors", "en yod", "en drage"},
       {"un stellium", "un carré en T", "un grand trigone", "une grande croix", "un yod", "un cerf-volant"}}}},
}};

// Points whose Spanish and French names are feminine: Moon, Earth, Venus, Part of Fortune.
constexpr std::array<int, 4> FeminineInRomance = {1, 2, 6, 26};

bool Valid(int language) { return language >= 0 && language < LanguageCount; }

std::string_view PickGender(std::string_view word, bool feminine) {
  const std::size_t bar = word.find('|');
  if (bar == std::string_view::npos) return word;
  return feminine ? word.substr(bar + 1) : word.substr(0, bar);
}

// "La Luna" -> "la Luna", "L'Ascendant" -> "l'Ascendant": only a leading ASCII article
// letter changes.
std::string LowerArticle(std::string name, bool hasArticle) {
  if (hasArticle && !name.empty() && name[0] >= 'A' && name[0] <= 'Z') name[0] = static_cast<char>(name[0] - 'A' + 'a');
  return name;
}

std::string Named(int language, int point, const std::string& plain, bool article, bool lower) {
  if (point < 1 || point > 36 || !article) return plain;
  std::string withArticle(PointNameWithArticle(language, point));
  const bool hasArticle = withArticle != PointName(language, point);
  return lower ? LowerArticle(withArticle, hasArticle) : withArticle;
}

std::string EnglishArticleFor(std::string_view word) {
  if (word.empty()) return "a ";
  const char c = word[0];
  for (char v : std::string_view("AEIOUaeiou"))
    if (c == v) return "an ";
  return "a ";
}

}  // namespace

const LanguageTable<TitleCount> TitlePatterns = ColumnsOf(PatternRows);

std::string_view TitleWord(int language, TitleWords list, int value) {
  if (!Valid(language) || value < 0 || value >= 14) return {};
  for (const WordList& w : WordLists)
    if (w.list == list) return w.words[static_cast<std::size_t>(language)][static_cast<std::size_t>(value)];
  return {};
}

bool IsFeminineName(int language, int point) {
  if (language != LanguageSpanish && language != LanguageFrench) return false;
  for (int p : FeminineInRomance)
    if (p == point) return true;
  return false;
}

std::string ComposeTitle(int language, Title title, const TitleFields& f) {
  if (!Valid(language)) language = LanguageEnglish;
  const std::size_t row = static_cast<std::size_t>(title);
  if (row >= TitleCount) return {};
  const bool feminine = IsFeminineName(language, f.point1);
  // A pattern with two forms is chosen whole by gender, like a word.
  const std::string_view pattern = PickGender(TitlePatterns[static_cast<std::size_t>(language)][row], feminine);
  const auto& copula = Copulas[static_cast<std::size_t>(language)];

  auto blank = [&](std::string_view key, std::string& out) -> bool {
    if (key == "1") out = Named(language, f.point1, f.name1, false, false);
    else if (key == "2") out = Named(language, f.point2, f.name2, false, false);
    else if (key == "A1") out = Named(language, f.point1, f.name1, true, false);
    else if (key == "A2") out = Named(language, f.point2, f.name2, true, false);
    else if (key == "a1") out = Named(language, f.point1, f.name1, true, true);
    else if (key == "a2") out = Named(language, f.point2, f.name2, true, true);
    else if (key == "is") out = copula[f.negated ? 1 : 0];
    else if (key == "be") out = copula[f.negated ? 3 : 2];
    else if (key == "not") out = f.negated ? PhraseText(language, Phrase::Not) : std::string_view();
    else if (key == "s") out = f.sign;
    else if (key == "s2") out = f.sign2;
    else if (key == "h") out = f.house;
    else if (key == "h2") out = f.house2;
    else if (key == "d1") out = std::to_string(f.degree1);
    else if (key == "d2") out = std::to_string(f.degree2);
    else if (key == "asp") out = f.aspect;
    else if (key == "an") out = EnglishArticleFor(f.aspect);
    else if (key == "w") out = PickGender(f.word, feminine);
    else if (key == "w2") out = f.word2;
    else if (key == "has") out = copula[f.negated ? 5 : 4];
    else if (key == "q") out = f.quality;
    else if (key == "orb") out = f.orb;
    else return false;
    return true;
  };

  std::string text;
  std::size_t at = 0;
  while (at < pattern.size()) {
    const std::size_t open = pattern.find('{', at);
    const std::size_t close = open == std::string_view::npos ? open : pattern.find('}', open);
    if (close == std::string_view::npos) {
      text.append(pattern.substr(at));
      break;
    }
    text.append(pattern.substr(at, open - at));
    std::string value;
    if (blank(pattern.substr(open + 1, close - open - 1), value))
      text += value;
    else
      text.append(pattern.substr(open, close - open + 1));
    at = close + 1;
  }
  return text;
}

}  // namespace korvana::lang
