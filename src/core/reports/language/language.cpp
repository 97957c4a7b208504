#include "core/reports/language/language.h"

#include "core/points/point_catalogue.h"
#include "core/util/text.h"

namespace korvana::lang {

namespace {

// The phrase table is kept row by row here (one line per phrase in all four languages, as
// translators review it, in Phrase order) and turned into per-language columns at compile time.
constexpr LanguageRows<ReportPhraseCount> PhraseRows = {{
    {"A Korvana Report", "Un Informe Korvana", "En Korvana horoskoptolkning", "Un bulletin Korvana"},  // ReportTitle
    {"for", "para", "for", "pour"},  // For
    {"and", "y", "og", "et"},  // And
    {"the", "el", "", "le"},  // The
    {"Compliments of", "Cortesía de", "Med hilsen", "Remerciements"},  // ComplimentsOf
    {"Planet", "Planeta", "Planet", "Planète"},  // Planet
    {"Astrological Summary", "Resumen Astrológico", "Astrologisk oppsummering", "Résumé astrologique"},  // AstrologicalSummary
    {"Chart Point Positions", "Posiciones de los planetas y puntos de la carta", "Astrologiske posisjoner", "Les positions des éléments clés"},  // ChartPointPositions
    {"Synastry Aspects", "Aspectos en la Sinastría", "Synastriaspekter", "Aspects synastriques"},  // SynastryAspects
    {"Chart Point Aspects", "Aspectos entre los planetas y puntos de la carta", "Aspekter i horoskopet", "Les aspects des éléments clés"},  // ChartPointAspects
    {"Applying", "Aplicativo", "Tilnærming", "Application"},  // Applying
    {"Separating", "Separativo", "Atskillelse", "Séparation"},  // Separating
    {"Sign", "Signo", "Tegn", "Signe"},  // Sign
    {"Position", "Posición", "Posisjon", "Position"},  // Position
    {"House", "Casa", "Hus", "Maison"},  // House
    {"Comment", "Comentario", "Kommentarer", "Commentaire"},  // Comment
    {"read into", "se lee en la", "tolkes som i", "se lit dans la"},  // ReadInto
    {"Aspect", "Aspecto", "Aspekt", "Aspect"},  // Aspect
    {"App/Sep", "Apl/Sep", "Til/Ats", "App/Sep"},  // AppSep
    {"Orb", "Orbe", "Orb", "Orbe"},  // Orb
    {"not ", "no ", "ikke ", "n'est pas "},  // Not
    {"does not ", "no ", "ikke ", "ne "},  // DoesNot
    {"to", "a", "å", "à"},  // To
    {"to", "a", "til", "au"},  // Till
    {"until", "hasta", "til", "jusqu'à"},  // Until
    {"from", "desde las", "fra", "à partir de"},  // From
    {"From", "Desde el", "Fra", "Du"},  // FromCapitalised
    {"is", "está", "er", "est"},  // Is
    {"in", "en", "i", "en"},  // In
    {"in the", "en la", "i", "dans la"},  // InThe
    {"of", "de", "hos", "de"},  // Of
    {"Entered before", "Vigente desde antes", "Virksom før", "En vigueur avant"},  // EnteredBefore
    {"Enters", "Entra", "Virksom fra", "Entre"},  // Enters
    {"Entering", "Entrando", "Virksom", "Entrant"},  // Entering
    {"Leaves after", "Sale después", "uvirksom etter", "Sort après"},  // LeavesAfter
    {"Leaves", "Sale", "uvirksom fra", "Sort"},  // Leaves
    {"Leaving", "Saliendo", "uvirksom", "Sortant"},  // Leaving
    {"Points", "Puntos", "punkter", "Points"},  // Points
    {"Dynamic Aspects", "Aspectos Dinámicos", "Dynamiske aspekter", "Aspects dynamiques"},  // DynamicAspects
    {"Aspect Orbs", "Orbes de los Aspectos", "Aspektorbs", "Orbes des aspects"},  // AspectOrbs
    {"Reference Timezone", "Huso horario de referencia", "Referansetidssone", "Fuseau horaire de référence"},  // ReferenceTimezone
    {"Element", "Elemento", "Element", "Élément"},  // Element
    {"Mode", "Modo", "tegn", "Mode"},  // Mode
    {"is located at the", "está situado en el", "befinner seg på", "est situé au"},  // IsLocatedAt
    {"degree of", "grado de", "grad i", "degré de"},  // DegreeOf
    {"house cusp is located at the", "la Cúspide de la Casa se encuentra en el", "husspiss befinner seg på", "cuspide de maison est située au"},  // HouseCuspIsLocatedAt
    {"Ruler of the", "El Regente de", "Hersker av", "Le maître de la"},  // RulerOf
    {"Dispositor of", "El Dispositor de", "Dispositor for", "Le dispositeur de"},  // DispositorOf
    {"House Cusp", "La Cúspide de la Casa", "husspiss", "Cuspide de la Maison"},  // HouseCusp
    {"Decanate", "Decanato", "Dekanat", "Décan"},  // Decanate
}};

template <std::size_t N>
std::string_view Cell(const LanguageTable<N>& table, int language, int index) {
  if (language < 0 || language >= LanguageCount || index < 0 || static_cast<std::size_t>(index) >= N) return {};
  return table[language][index];
}

}  // namespace

const std::array<std::string_view, LanguageCount> LanguageCodes = {"EN", "SP", "NO", "FR"};

int LanguageFromCode(std::string_view code) {
  for (int i = 0; i < LanguageCount; ++i)
    if (EqualsNoCase(code, LanguageCodes[i])) return i;
  return LanguageEnglish;
}

const LanguageTable<ReportPhraseCount> ReportPhrases = ColumnsOf(PhraseRows);

const LanguageTable<12> MonthNames = {{
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"Ene", "Feb", "Mar", "Abr", "May", "Jun", "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"},
    {"jan", "feb", "mar", "apr", "mai", "jun", "jul", "aug", "sep", "okt", "nov", "des"},
    {"Jan", "Fév", "Mar", "Avr", "Mai", "Juin", "Juil", "Aou", "Sep", "Oct", "Nov", "Déc"},
}};

const LanguageTable<13> HouseLabels = {{
    {"1st", "2nd", "3rd", "4th", "5th", "6th", "7th", "8th", "9th", "10th", "11th", "12th", "Quesited"},
    {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "Lo buscado"},
    {"1.", "2.", "3.", "4.", "5.", "6.", "7.", "8.", "9.", "10.", "11.", "12.", "Quesited"},
    {"1re", "2ème", "3ème", "4ème", "5ème", "6ème", "7ème", "8ème", "9ème", "10ème", "11ème", "12ème", "Sujet"},
}};

const std::array<std::string_view, 19> DefaultAspectWords = {
    "Conjunct", "Opposite", "Trine", "Square", "Sextile", "Antiscion", "Contra-Antiscion", "Aspects", "Aspect", "Soft", "Hard", "Semisquare", "Sesquisquare", "Quincunx", "Semisextile", "Conjunction", "Opposition", "Quintile", "Biquintile"};

const LanguageTable<19> AspectWords = {{
    {"Conjunct", "Opposite", "Trine", "Square", "Sextile", "Antiscion", "Contra-Antiscion", "Aspects", "Aspect", "Soft", "Hard", "Semisquare", "Sesquisquare", "Quincunx", "Semisextile", "Conjunction", "Opposition", "Quintile", "Biquintile"},
    {"en Conjunción a", "en Oposición a", "en Trígono a", "en Cuadratura a", "en Sextil a", "en Antiscio con", "en Contraantiscio con", "Aspectos", "Aspecto", "en aspecto suave con", "en aspecto duro con", "en Semicuadratura a", "en Sesquicuadratura a", "en Quincuncio a", "en Semisextil a", "en Conjunción a", "en Oposición a", "en Quintil a", "en Biquintil a"},
    {"i konjunksjon til", "i opposisjon til", "i trigon til", "i kvadratur til", "i sekstil til", "i antiscion til", "i kontra-antiscion til", "aspekter", "aspekter", "harmoniske", "vanskelige", "i halvkvadratur til", "i seksvikvadratur til", "i kvinkuns til", "i halvsekstil til", "i konjunksjon til", "i opposisjon til", "i kvintil til", "i bikvintil til"},
    {"Conjonction", "Opposition", "Trigone", "Carré", "Sextile", "Antiscion", "Contre-Antiscion", "Aspects", "Aspect", "Faible", "Fort", "Demicarré", "Sesquicarré", "Quinconce", "Demisextile", "Conjunction", "Opposition", "Quintile", "Biquintile"},
}};

const std::array<std::string_view, 26> DefaultAspectNames = {
    "Conjunction", "Opposition", "Trine", "Square", "Sextile", "Semisquare", "Sesquisquare", "Semisextile", "Quincunx", "Quintile", "BiQuintile", "SemiQuintile", "SesquiQuintile", "Septile", "BiSeptile", "TriSeptile", "Novile", "BiNovile", "QuadriNovile", "Undecagon", "BiUndecagon", "TriUndecagon", "QuadriUndecagon", "QuinqueUndecagon", "Parallel", "ContraParallel"};

const LanguageTable<26> AspectNames = {{
    {"Conjunction", "Opposition", "Trine", "Square", "Sextile", "Semisquare", "Sesquisquare", "Semisextile", "Quincunx", "Quintile", "BiQuintile", "SemiQuintile", "SesquiQuintile", "Septile", "BiSeptile", "TriSeptile", "Novile", "BiNovile", "QuadriNovile", "Undecagon", "BiUndecagon", "TriUndecagon", "QuadriUndecagon", "QuinqueUndecagon", "Parallel", "ContraParallel"},
    {"en Conjunción a", "en Oposición a", "en Trígono a", "en Cuadratura a", "en Sextil a", "en Semicuadratura a", "en Sesquicuadratura a", "en Semisextil a", "en Quincuncio a", "en Quintil a", "en Biquintil a", "en Decil a", "en Sesquiquintil a", "en Septil a", "en Biseptil a", "en Triseptil a", "en Novil a", "en Binovil a", "en Cuadrinovil a", "en Undecagón a", "en Biundecagón a", "en Triundecagón a", "en Cuadriundecagón a", "en Quinqueundecagón a", "en Paralelo a", "en Contraparalelo a"},
    {"i konjunksjon til", "i opposisjon til", "i trigon til", "i kvadratur til", "i sekstil til", "i halvkvadratur til", "i seskvikvadratur til", "i halvsekstil til", "i kvinkuns til", "i kvintil til", "i bikvintil til", "i halvkvintil til", "i seskvikvintil til", "i septil til", "i biseptil til", "i triseptil til", "i novil til", "i binovil til", "i kvadrinovile til", "i undekagon til", "i biundekagon til", "i triundekagon til", "i kvadriundekagon til", "i kvinkundekagon til", "parallell", "kontraparallell"},
    {"Conjonction", "Opposition", "Trigone", "Carré", "Sextile", "Demicarré", "Sesquicarré", "Demisextile", "Quinconce", "Quintile", "BiQuintile", "DemiQuintile", "SesquiQuintile", "Septile", "BiSeptile", "TriSeptile", "Novile", "BiNovile", "QuadriNovile", "Undecagon", "BiUndecagon", "TriUndecagon", "QuadriUndecagon", "QuinqueUndecagon", "Parallèle", "ContreParallèle"},
}};

// The English point columns are the point catalogue's, filled in at compile time.
constinit const std::array<std::string_view, 36> DefaultPointNamesWithArticle = PointColumn(&PointEntry::longName);

constinit const LanguageTable<36> PointNamesWithArticle = {{
    PointColumn(&PointEntry::longName),
    {"La Luna", "La Tierra", "El Sol", "Vulcano", "Mercurio", "Venus", "Marte", "Júpiter", "Saturno", "Urano", "Neptuno", "Plutón", "Quirón", "Vesta", "Pallas", "Juno", "Ceres", "Hygeia", "Astraea", "El Nodo Norte", "El Nodo Sur", "El Ascendente", "El Mediocielo", "Vértice", "Punto Este", "La Parte de la Fortuna", "Cupido", "Hades", "Zeus", "Kronos", "Apolo", "Admetos", "Vulcanus", "Poseidón", "TransPlutón", "Lilith"},
    {"Måne", "Jord", "Sol", "Vulkan", "Merkur", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptun", "Pluto", "Chiron", "Vesta", "Pallas", "Juno", "Ceres", "Hygeia", "Astraea", "Nordlige Node", "Sørlige Node", "Ascendant", "MC", "Vertex", "Østpunkt", "Lykkepunkt", "Cupido", "Hades", "Zeus", "Kronos", "Apollon", "Admetos", "Vulkanus", "Poseidon", "TransPluto", "Lilith"},
    {"La Lune", "La Terre", "Le Soleil", "Vulcain", "Mercure", "Vénus", "Mars", "Jupiter", "Saturne", "Uranus", "Neptune", "Pluton", "Chiron", "Vesta", "Pallas", "Junon", "Cérès", "Hygie", "Astrée", "Le nœud lunaire nord", "Le nœud lunaire sud", "L'Ascendant", "Le milieu du ciel", "Le Vertex", "L'horizon est", "La Part de Fortune", "Cupidon", "Hades", "Zeus", "Kronos", "Apollon", "Admetos", "Vulcanus", "Poseidon", "TransPluton", "Lilith"},
}};

constinit const std::array<std::string_view, 36> DefaultPointNames = PointColumn(&PointEntry::shortName);

constinit const LanguageTable<36> PointNames = {{
    PointColumn(&PointEntry::shortName),
    {"Luna", "Tierra", "Sol", "Vulcano", "Mercurio", "Venus", "Marte", "Júpiter", "Saturno", "Urano", "Neptuno", "Plutón", "Quirón", "Vesta", "Pallas", "Juno", "Ceres", "Hygeia", "Astraea", "Nodo Norte", "Nodo Sur", "Ascendente", "Mediocielo", "Vértice", "Punto Este", "Parte de la Fortuna", "Cupido", "Hades", "Zeus", "Kronos", "Apolo", "Admetos", "Vulcanus", "Poseidón", "TransPlutón", "Lilith"},
    {"Måne", "Jord", "Sol", "Vulkan", "Merkur", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptun", "Pluto", "Chiron", "Vesta", "Pallas", "Juno", "Ceres", "Hygeia", "Astraea", "Nordlige Node", "Sørlige Node", "Ascendant", "MC", "Vertex", "Østpunkt", "Lykkepunkt", "Cupido", "Hades", "Zeus", "Kronos", "Apollon", "Admetos", "Vulkanus", "Poseidon", "TransPluto", "Lilith"},
    {"Lune", "Terre", "Soleil", "Vulcain", "Mercure", "Vénus", "Mars", "Jupiter", "Saturne", "Uranus", "Neptune", "Pluton", "Chiron", "Vesta", "Pallas", "Junon", "Cérès", "Hygie", "Astrée", "Nœud lunaire nord", "Nœud lunaire sud", "Ascendant", "Milieu du ciel", "Vertex", "Horizon est", "Part de Fortune", "Cupidon", "Hades", "Zeus", "Kronos", "Apollon", "Admetos", "Vulcanus", "Poseidon", "TransPluton", "Lilith"},
}};

constinit const std::array<std::string_view, 36> DefaultPointAbbreviations = PointColumn(&PointEntry::abbreviation);

constinit const LanguageTable<36> PointAbbreviations = {{
    PointColumn(&PointEntry::abbreviation),
    {"Lun", "Tie", "Sol", "Vul", "Mer", "Ven", "Mar", "Júp", "Sat", "Ura", "Nep", "Plu", "Qui", "Ves", "Pal", "Jun", "Cer", "Hyg", "Ast", "NoN", "NoS", "Asc", "MC", "Vtc", "PE", "PF", "Cup", "Had", "Zeu", "Kro", "Apo", "Adm", "Vul", "Pos", "TPl", "Lil"},
    {"Mån", "Jor", "Sol", "Vul", "Mer", "Ven", "Mar", "Jup", "Sat", "Ura", "Nep", "Plu", "Chi", "Ves", "Pal", "Jun", "Cer", "Hyg", "Ast", "NNo", "SNo", "Asc", "MC", "Vtx", "EqA", "LP", "Cup", "Had", "Zeu", "Kro", "Apo", "Adm", "Vus", "Pos", "TPl", "Lil"},
    {"Lun", "Ter", "Sol", "Vul", "Mer", "Ven", "Mar", "Jup", "Sat", "Ura", "Nep", "Plu", "Chi", "Ves", "Pal", "Jun", "Cer", "Heb", "Ast", "Nln", "Nls", "Asc", "Mc", "Vtx", "He", "PF", "Cup", "Had", "Zeu", "Kro", "Apo", "Adm", "Vus", "Pos", "TPl", "Lil"},
}};

const std::array<std::string_view, 12> DefaultSignNames = {
    "Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo", "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

const LanguageTable<12> SignNames = {{
    {"Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo", "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"},
    {"Aries", "Tauro", "Géminis", "Cáncer", "Leo", "Virgo", "Libra", "Escorpio", "Sagitario", "Capricornio", "Acuario", "Piscis"},
    {"Væren", "Tyren", "Tvillingene", "Krepsen", "Løven", "Jomfruen", "Vekten", "Skorpionen", "Skytten", "Steinbukken", "Vannmannen", "Fiskene"},
    {"Bélier", "Taureau", "Gémeaux", "Cancer", "Lion", "Vierge", "Balance", "Scorpion", "Sagittaire", "Capricorne", "Verseau", "Poissons"},
}};

const std::array<std::string_view, 12> DefaultSignAbbreviations = {
    "Ar", "Ta", "Ge", "Cn", "Le", "Vi", "Li", "Sc", "Sg", "Cp", "Aq", "Pi"};

const LanguageTable<12> SignAbbreviations = {{
    {"Ar", "Ta", "Ge", "Cn", "Le", "Vi", "Li", "Sc", "Sg", "Cp", "Aq", "Pi"},
    {"Ar", "Ta", "Ge", "Cn", "Le", "Vi", "Li", "Es", "Sg", "Cp", "Ac", "Pi"},
    {"Væ", "Ty", "Tv", "Kr", "Lø", "Jo", "Ve", "Sk", "Sy", "St", "Va", "Fi"},
    {"Be", "Ta", "Ge", "Cn", "Li", "Vi", "Ba", "Sc", "Sg", "Cp", "Ve", "Po"},
}};

// One row per house system, the four languages side by side.
constexpr LanguageRows<HouseSystemWordCount> HouseSystemRows = {{
    {"Campanus", "Campanus", "Campanus", "Campanus"},
    {"Koch", "Koch", "Koch", "Koch"},
    {"Meridian", "Meridiano", "Meridian", "Méridien"},
    {"Morinus", "Morinus", "Morinus", "Morinus"},
    {"Placidus", "Placidus", "Placidus", "Placidus"},
    {"Porphyry", "Porfirio", "Porfyrius", "Porphyre"},
    {"Regiomontanus", "Regiomontanus", "Regiomontanus", "Regiomontanus"},
    {"Topocentric", "topocéntricas", "topsentriske", "topocentriques"},
    {"Equal", "iguales", "like", "égales"},
    {"Zero Aries", "Aries cero", "null Væren", "zéro Bélier"},
    {"Solar Sign", "de signo solar", "soltegn", "signe solaire"},
    {"Sun on 1st", "Sol en la 1", "Sol på 1.", "Soleil en 1re"},
    {"Moon on 1st", "Luna en la 1", "Måne på 1.", "Lune en 1re"},
    {"Mercury on 1st", "Mercurio en la 1", "Merkur på 1.", "Mercure en 1re"},
    {"Venus on 1st", "Venus en la 1", "Venus på 1.", "Vénus en 1re"},
    {"Mars on 1st", "Marte en la 1", "Mars på 1.", "Mars en 1re"},
    {"Jupiter on 1st", "Júpiter en la 1", "Jupiter på 1.", "Jupiter en 1re"},
    {"Saturn on 1st", "Saturno en la 1", "Saturn på 1.", "Saturne en 1re"},
    {"Uranus on 1st", "Urano en la 1", "Uranus på 1.", "Uranus en 1re"},
    {"Neptune on 1st", "Neptuno en la 1", "Neptun på 1.", "Neptune en 1re"},
    {"Pluto on 1st", "Plutón en la 1", "Pluto på 1.", "Pluton en 1re"},
    {"Node on 1st", "Nodo en la 1", "Node på 1.", "Nœud en 1re"},
    {"Vertex on 7th", "Vértice en la 7", "Vertex på 7.", "Vertex en 7ème"},
    {"EP on 1st", "Punto Este en la 1", "Østpunkt på 1.", "Point Est en 1re"},
    {"MC on 10th", "Medio Cielo en la 10", "MC på 10.", "MC en 10ème"},
    {"Whole Sign", "de signo entero", "helt tegn", "signes entiers"},
    {"Bhava", "Bhava", "Bhava", "Bhava"},
    {"Alcabitius", "Alcabitius", "Alcabitius", "Alcabitius"},
    {"PF on 1st", "Parte de la Fortuna en la 1", "Lykkepunkt på 1.", "Part de Fortune en 1re"},
    {"Asc in 1st", "Ascendente en la 1", "Ascendant i 1.", "Ascendant en 1re"},
    {"Composite", "compuestas", "sammensatte", "composites"},
}};
const LanguageTable<HouseSystemWordCount> HouseSystemWords = ColumnsOf(HouseSystemRows);

const LanguageTable<9> QualityNames = {{
    {"Masculine", "Feminine", "Cardinal", "Fixed", "Mutable", "Fire", "Earth", "Air", "Water"},
    {"Masculino", "Femenino", "Cardinal", "Fijo", "Mutable", "Fuego", "Tierra", "Aire", "Agua"},
    {"Maskuline", "Feminine", "Kardinale", "Faste", "Bevegelige", "Ild", "Jord", "Luft", "Vann"},
    {"Masculin", "Féminin", "Cardinal", "Fixe", "Mutable", "Feu", "Terre", "Air", "Eau"},
}};

const LanguageTable<4> StrengthWords = {{
    {"Definition", "Weak", "Balanced", "Strong"},
    {"Definición", "débil", "equilibrado", "fuerte"},
    {"Definisjon", "svakt", "i balanse", "sterkt"},
    {"Définition", "faible", "équilibré", "fort"},
}};

const LanguageTable<2> GenderWords = {{
    {"Male", "Female"},
    {"Masculino", "Femenino"},
    {"Mann", "Kvinne"},
    {"Masculin", "Féminin"},
}};

const std::array<std::string_view, LanguageCount> PageWords = {"Page", "Página", "Side", "Page"};
const std::array<int, LanguageCount> RtfLanguageIds = {2057, 3082, 1044, 1036};

const LanguageTable<4> ElementWords = {{
    {"Earth", "Air", "Fire", "Water"},
    {"Tierra", "Aire", "Fuego", "Agua"},
    {"Jord", "Luft", "Ild", "Vann"},
    {"Terre", "Air", "Feu", "Eau"},
}};

const std::array<std::string_view, 9> DefaultQualityNames = {
    "Masculine", "Feminine", "Cardinal", "Fixed", "Mutable", "Fire", "Earth", "Air", "Water"};

const std::array<std::string_view, 9> TemperamentWords = {
    "Hot", "Cold", "Wet", "Dry", "Sanguine", "Choleric", "Melancholic", "Phlegmatic", "Balanced"};

const std::array<TLanguageContraction, 8> SpanishContractions = {{
    {" a el ", " al "},
    {" a El ", " Al "},
    {" de el ", " del "},
    {" de El ", " Del "},
    {" y i", " e i"},
    {" y hi", " e hi"},
    {" y I", " e I"},
    {" y Hi", " e Hi"},
}};

const std::array<TLanguageContraction, 2> NorwegianContractions = {{
    {"Transitt punkter", "Transittpunkter"},
    {"Radix punkter", "Radixpunkter"},
}};

namespace {

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  if (from.empty()) return;
  std::string out;
  std::size_t start = 0;
  for (std::size_t hit = text.find(from); hit != std::string::npos; hit = text.find(from, start)) {
    out.append(text, start, hit - start);
    out.append(to);
    start = hit + from.size();
  }
  if (start == 0) return;
  out.append(text, start, std::string::npos);
  text = std::move(out);
}

template <std::size_t N>
std::string Apply(std::string_view text, const std::array<TLanguageContraction, N>& pairs) {
  std::string result(text);
  for (const auto& pair : pairs) ReplaceAll(result, pair.from, pair.to);
  return result;
}

}  // namespace

std::string ApplyContractions(std::string_view text, int language) {
  switch (language) {
    case LanguageSpanish: return Apply(text, SpanishContractions);
    case LanguageNorwegian: return Apply(text, NorwegianContractions);
    default: return std::string(text);
  }
}

std::string_view PhraseText(int language, Phrase row) { return Cell(ReportPhrases, language, static_cast<int>(row)); }
std::string_view MonthName(int language, int month) { return Cell(MonthNames, language, month - 1); }
std::string_view HouseLabel(int language, int house) { return Cell(HouseLabels, language, house - 1); }
std::string_view AspectWord(int language, int word) { return Cell(AspectWords, language, word - 1); }
std::string_view AspectName(int language, int aspect) { return Cell(AspectNames, language, aspect - 1); }
std::string_view PointNameWithArticle(int language, int point) {
  return Cell(PointNamesWithArticle, language, point - 1);
}
std::string_view PointName(int language, int point) { return Cell(PointNames, language, point - 1); }
std::string_view PointAbbreviation(int language, int point) {
  return Cell(PointAbbreviations, language, point - 1);
}
std::string_view SignName(int language, int sign) { return Cell(SignNames, language, sign - 1); }
std::string_view SignAbbreviation(int language, int sign) { return Cell(SignAbbreviations, language, sign - 1); }
std::string_view HouseSystemWord(int language, int system) { return Cell(HouseSystemWords, language, system - 1); }

}  // namespace korvana::lang
