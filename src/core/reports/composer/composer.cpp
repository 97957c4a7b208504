#include "core/reports/composer/composer.h"

#include <cmath>
#include <initializer_list>

#include "core/analysis/classical.h"
#include "core/analysis/find_aspect.h"
#include "core/astro/houses.h"
#include "core/astro/stars.h"
#include "core/astro/zodiac.h"
#include "core/reports/compiler/statements.h"
#include "core/reports/interps/interps.h"
#include "core/reports/language/language.h"
#include "core/time/entry_parsing.h"
#include "core/time/zp_maths.h"
#include "core/util/text.h"

namespace korvana {

namespace {

using std::string;


int DecanOf(double lon) { return static_cast<int>(std::fmod(ReduceDegrees(lon), 30.0) / 10.0) + 1; }

string S(std::string_view v) { return string(v); }

constexpr std::array<int, 7> ClassicalPlanets = {ptMoon, ptSun, ptMercury, ptVenus, ptMars, ptJupiter, ptSaturn};

bool IsStarsetPoint(int p) {
  return p == ptMoon || p == ptSun || (p >= ptMercury && p <= ptPluto) || (p >= ptNorthNode && p <= ptMidheaven);
}

// Word lists of the statement vocabulary in value order (the title words).
constexpr std::array<const char*, 2> OrientalityWords = {"Oriental", "Occidental"};
constexpr std::array<const char*, 3> HouseClassWords = {"Angular", "Succedent", "Cadent"};
constexpr std::array<const char*, 2> PhaseWords = {"Waxing", "Waning"};
constexpr std::array<const char*, 2> LatitudeWords = {"Northern", "Southern"};
constexpr std::array<const char*, 2> SectWords = {"Diurnal", "Nocturnal"};
constexpr std::array<const char*, 2> RisesSetsWords = {"Rises", "Sets"};
constexpr std::array<const char*, 2> BeforeAfterWords = {"Before", "After"};
constexpr std::array<const char*, 2> SignificatorWords = {"Significator", "Significatrix"};
constexpr std::array<const char*, 14> ConditionTitles = {
    "in Rulership", "in Exaltation", "in Triplicity", "in Term", "in Face", "in Detriment", "in Fall",
    "Peregrine", "Combust", "in Rulership, Exaltation or Triplicity", "Dignified and not Combust",
    "in Detriment or Fall", "Direct", "Retrograde"};
constexpr std::array<const char*, 9> DignityTitles = {
    "Sign", "Exaltation", "Diurnal Triplicity", "Nocturnal Triplicity", "In-Sect Triplicity",
    "Out-of-Sect Triplicity", "Participating Triplicity", "Term", "Face"};
constexpr std::array<const char*, 5> DignifiedBy = {"Rulership", "Exaltation", "Triplicity", "Term", "Face"};

template <std::size_t N>
string WordOf(const std::array<const char*, N>& list, int value) {
  return value >= 0 && static_cast<std::size_t>(value) < N ? string(list[static_cast<std::size_t>(value)]) : string();
}

string ArticleFor(std::string_view word) {
  if (!word.empty()) {
    char c = word[0];
    if (c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U' || c == 'a' || c == 'e' || c == 'i' ||
        c == 'o' || c == 'u')
      return "an ";
  }
  return "a ";
}

// Which aspect records an aspect word asks for (word values 1..19).
bool RecordFitsWord(int word, int record) {
  switch (word) {
    case 1: case 16: return record == 1;
    case 2: case 17: return record == 2;
    case 3: return record == 3;
    case 4: return record == 4;
    case 5: return record == 5;
    case 8: case 9: return record > 0;
    case 10: return record == 1 || record == 3 || record == 5;
    case 11: return record == 2 || record == 4 || record == 6 || record == 7 || record == 9;
    case 12: return record == 6;
    case 13: return record == 7;
    case 14: return record == 9;
    case 15: return record == 8;
    case 18: return record == 10;
    case 19: return record == 11;
    default: return false;
  }
}

}  // namespace

string StatementPointName(int language, std::int32_t value, int resolvedId,
                          const std::vector<ReportAsteroid>& asteroids, bool withArticle) {
  if (value >= AsteroidPointBase) {
    std::size_t i = static_cast<std::size_t>(value - AsteroidPointBase);
    return i < asteroids.size() ? asteroids[i].name : string();
  }
  if (value == 37 || value == 38) {
    string planet = S(lang::PointName(language, resolvedId));
    return string(value == 37 ? "Planetary Hour Ruler (" : "Planetary Day Ruler (") + planet + ")";
  }
  return withArticle ? S(lang::PointNameWithArticle(language, value)) : S(lang::PointName(language, value));
}

string DegreeOrdinal(int language, int n) {
  if (language == lang::LanguageNorwegian) return std::to_string(n);
  string suffix;
  int last2 = n % 100;
  if (last2 >= 4 && last2 <= 20) suffix = "th";
  else if (n % 10 == 1) suffix = "st";
  else if (n % 10 == 2) suffix = "nd";
  else if (n % 10 == 3) suffix = "rd";
  else suffix = "th";
  return std::to_string(n) + suffix;
}

void ReportComposer::ResetForRun() {
  complexion_ = Complexion{};
  selectedChart_ = 0;
  havePair_ = false;
  lastFirst_ = lastSecond_ = BoundPoint{};
  starsetStart_ = starsetEnd_ = 0;
  starsetSet_ = false;
  starEpoch_ = 2000;
  rulershipScheme = RulersTraditional;
  untimed = false;
  ingress = UntimedIngressTable{};
  asteroids.clear();
  textCounter = 0;
  starsetName.clear();
}

// One evaluation: the bound statement words and everything the tests need.
struct ReportComposer::Eval {
  ReportComposer& c;
  const CompiledRecord& st;
  const std::vector<CalculatedChart>& charts;
  int highChart;
  int L;  // report language
  bool neg;
  bool twoCharts;

  // Bound words.
  std::vector<std::int32_t> numbers;
  std::vector<std::int32_t> points;
  std::vector<int> signs;
  int aspect = 0;
  std::array<int, 24> words{};  // per word class: compiled value - 1 (-1 unbound)
  int star = 0;
  BoundPoint p1, p2;
  bool haveP1 = false, haveP2 = false;
  int subject = 0;  // the chart of the first point (houses, cusps, rulers)

  StatementResult result;
  // The dignity options when the report set's almuten scheme cannot be read: the
  // Traditional rulerships with the scheme's defaults.
  AlmutenScheme fallbackScheme;

  Eval(ReportComposer& composer, const CompiledRecord& statement, const std::vector<CalculatedChart>& cs, int high,
       bool two)
      : c(composer), st(statement), charts(cs), highChart(high), L(composer.inputs.language),
        neg(statement.negated), twoCharts(two) {
    words.fill(-1);
    if (L < 0 || L >= lang::LanguageCount) L = 0;
    fallbackScheme.rulershipScheme = static_cast<std::int16_t>(composer.inputs.tables ? composer.inputs.tables->schemeT : 1);
  }

  // ---- words of the report language ----
  string Row(int r) const { return S(lang::Phrase(L, r)); }
  string Not() const { return neg ? Row(20) : string(); }
  string Is() const { return " " + Row(27) + " " + Not(); }
  string House(int h) const { return S(lang::HouseLabel(L, h)); }
  string Sign(int s) const { return S(lang::SignName(L, s)); }
  string Name(const BoundPoint& p) const { return StatementPointName(L, p.value, p.id, c.asteroids); }
  string NameWithArticle(const BoundPoint& p) const { return StatementPointName(L, p.value, p.id, c.asteroids, true); }
  string Quality(int q) const { return q >= 0 && q < 9 ? S(lang::QualityNames[static_cast<std::size_t>(L)][static_cast<std::size_t>(q)]) : string(); }
  std::int32_t X(std::size_t i) const { return i < numbers.size() ? numbers[i] : 0; }
  int S1() const { return signs.empty() ? 0 : signs[0]; }
  int S2() const { return signs.size() < 2 ? 0 : signs[1]; }

  // ---- chart data ----
  const CalculatedChart& Chart(int i) const {
    int k = i < 0 ? 0 : i;
    if (k > highChart) k = highChart;
    if (static_cast<std::size_t>(k) >= charts.size()) k = 0;
    return charts[static_cast<std::size_t>(k)];
  }
  const CalculatedChart& Subject() const { return Chart(subject); }

  const std::array<double, 13>& OffsetCusps(int chart) const {
    std::size_t k = chart == 1 ? 1 : 0;
    if (c.classical.offsetCusps[k]) return *c.classical.offsetCusps[k];
    return Chart(chart).Houses.Cusps;
  }
  int HouseOfLongitude(double lon, int chart) const {
    if (!(lon >= 0)) return 0;
    return HouseOf(OffsetCusps(chart), lon);
  }
  int HouseOfPoint(int id, int chart) const {
    if (!IsPointId(id)) return 0;
    return HouseOfLongitude(Chart(chart).Longitude(id), chart);
  }
  double Cusp(int h, int chart) const {
    if (h < 1 || h > 12) return -1;
    return Chart(chart).Houses.Cusps[static_cast<std::size_t>(h)];
  }

  // ---- rulerships ----
  int SchemeRecordOfChoice(int choice) const {
    const RulershipTables* t = c.inputs.tables;
    if (!t) return 1;
    switch (choice) {
      case RulersModern: return t->schemeM;
      case RulersEsoteric: return t->schemeE;
      case RulersHierarchical: return t->schemeH;
      default: return t->schemeT;
    }
  }
  int StatementSchemeRecord() const { return SchemeRecordOfChoice(c.rulershipScheme); }
  // Codes 34-37: the scheme of the report set's almuten scheme, else Traditional.
  int AlmutenSchemeRecord() const {
    if (c.classical.reportScheme) return c.classical.reportScheme->rulershipScheme;
    return SchemeRecordOfChoice(RulersTraditional);
  }
  int Domicile(int sign, int record) const {
    const RulershipTables* t = c.inputs.tables;
    if (!t || sign < 1 || sign > 12) return 0;
    const RulershipScheme* s = t->Scheme(record);
    if (!s) return 0;
    int r = s->domicile[static_cast<std::size_t>(sign)];
    return IsPointId(r) ? r : 0;
  }
  int RulerOfHouse(int h, int chart, int record) const { return Domicile(SignOfLongitude(Cusp(h, chart)), record); }
  int RulerOfHouse(int h, int chart) const { return RulerOfHouse(h, chart, StatementSchemeRecord()); }
  int DispositorOf(const BoundPoint& p, int record) const { return Domicile(SignOfLongitude(p.position.Longitude), record); }
  int DispositorOf(const BoundPoint& p) const { return DispositorOf(p, StatementSchemeRecord()); }

  // The almuten scheme used for the dignity slots of a place, with the given rulership
  // record.
  AlmutenScheme SchemeWithRecord(int record) const {
    AlmutenScheme s = c.classical.reportScheme ? *c.classical.reportScheme : AlmutenScheme{};
    s.rulershipScheme = static_cast<std::int16_t>(record);
    return s;
  }
  std::optional<DignitySlots> SlotsAt(double lon, int chart, int record) const {
    if (!c.inputs.tables || !(lon >= 0)) return std::nullopt;
    return DignityRulersAt(lon, SchemeWithRecord(record), IsDayChart(Chart(chart)), *c.inputs.tables);
  }
  // Code 11: the first of slots 0, 1, 2, 5, 6 that the point holds at its own place
  // (index into DignifiedBy), or -1.
  int DignityHeld(int id, int chart, int record) const {
    if (!IsPointId(id)) return -1;
    auto slots = SlotsAt(Chart(chart).Longitude(id), chart, record);
    if (!slots) return -1;
    constexpr std::array<int, 5> order = {dtRuler, dtExaltation, dtTriplicity, dtTerm, dtFace};
    for (std::size_t i = 0; i < order.size(); ++i)
      if ((*slots)[static_cast<std::size_t>(order[i])] == id) return static_cast<int>(i);
    return -1;
  }

  SlotTestContext SlotContext() const {
    SlotTestContext ctx;
    ctx.scheme = c.classical.reportScheme ? &*c.classical.reportScheme : &fallbackScheme;
    ctx.tables = c.inputs.tables;
    ctx.scores = &c.classical.reportScores;
    ctx.combustOrb = c.inputs.combustOrb;
    return ctx;
  }
  bool Slot(int kind, int a, int b) const {
    if (!IsPointId(a)) return false;
    return SlotTest(Subject(), SlotContext(), kind, a, b);
  }

  // ---- aspects ----
  struct AspectFound {
    bool ok = false;
    AspectMatch match;
  };
  AspectFound TestAspect(int word, int idA, const PointPos& a, int idB, const PointPos& b) const {
    AspectFound f;
    if (!c.inputs.aspects || !a.Computed() || !b.Computed()) return f;
    const AspectSet& set = *c.inputs.aspects;
    if (word == 6 || word == 7) {
      PointPos mirrored = a;
      mirrored.Longitude = ReduceDegrees((word == 6 ? 540.0 : 360.0) - a.Longitude);
      mirrored.LongitudeSpeed = -a.LongitudeSpeed;
      AspectMatch m = FindAspect(set, idA, idB, mirrored, b, OrbNatal);
      if (m.record == 1) {
        f.ok = true;
        f.match = m;
        f.match.record = 0;
      }
      return f;
    }
    AspectMatch m = FindAspect(set, idA, idB, a, b, OrbNatal);
    if (m.Found() && RecordFitsWord(word, m.record)) {
      f.ok = true;
      f.match = m;
    }
    return f;
  }
  AspectFound TestAspect(int word, const BoundPoint& a, const BoundPoint& b) const {
    return TestAspect(word, a.id, a.position, b.id, b.position);
  }
  AspectFound TestAspectIds(int word, int idA, int idB, int chart) const {
    if (!IsPointId(idA) || !IsPointId(idB)) return {};
    return TestAspect(word, idA, Chart(chart).Point(idA), idB, Chart(chart).Point(idB));
  }
  // The aspect word of a title: the found aspect's name ("Conjunct" and "Opposite" for
  // types 1 and 2), or the statement's word.
  string AspectTitle(const AspectFound& f) const {
    if (f.ok && f.match.record > 0 && c.inputs.aspects) {
      const AspectRecord* r = c.inputs.aspects->Record(f.match.record);
      if (r) {
        if (r->aspectType == 1) return S(lang::AspectWord(L, 1));
        if (r->aspectType == 2) return S(lang::AspectWord(L, 2));
        if (IsAspectTypeNumber(r->aspectType)) return S(lang::AspectName(L, r->aspectType));
      }
    }
    return S(lang::AspectWord(L, aspect));
  }
  // The aspect as a noun for "approaching a/an ... with" titles: "Conjunction" and
  // "Opposition" where the plain title uses "Conjunct" and "Opposite".
  string AspectNoun(const AspectFound& f) const {
    if (f.ok && f.match.record > 0 && c.inputs.aspects) {
      const AspectRecord* r = c.inputs.aspects->Record(f.match.record);
      if (r && IsAspectTypeNumber(r->aspectType)) return S(lang::AspectName(L, r->aspectType));
    }
    if (aspect == 1 || aspect == 2) return S(lang::AspectName(L, aspect));
    return S(lang::AspectWord(L, aspect));
  }
  static bool IsAspectTypeNumber(int t) { return t >= 1 && t <= 26; }
  string OrbText(const AspectFound& f) const {
    if (!f.ok) return string();
    return " (" + Row(19) + " " + FormatAngle(1, true, false, true, std::fabs(static_cast<double>(f.match.orb))) + ")";
  }

  // ---- binding ----
  BoundPoint Resolve(std::int32_t value, int chart) const {
    BoundPoint b;
    b.value = value;
    b.chart = chart;
    const CalculatedChart& ch = Chart(chart);
    if (IsPointId(value)) {
      b.id = value;
      b.position = ch.Point(value);
    } else if (value == 37 || value == 38) {
      int planet = value == 37 ? c.classical.hourRuler : c.classical.dayRuler;
      if (IsPointId(planet)) {
        b.id = planet;
        b.position = ch.Point(planet);
      }
    } else if (value >= AsteroidPointBase) {
      std::size_t i = static_cast<std::size_t>(value - AsteroidPointBase);
      if (i < c.asteroids.size()) b.position = c.asteroids[i].position;
    }
    return b;
  }

  void Bind(int chartSelection) {
    const StatementPattern* pattern = nullptr;
    for (const StatementPattern& p : StatementTable())
      if (p.code == st.code) pattern = &p;
    if (pattern) {
      std::size_t param = 0;
      for (const PatternItem& item : pattern->items) {
        if (item.wordClass == WordClass::Keyword) continue;
        if (param >= st.params.size()) break;
        std::int32_t v = st.params[param++];
        switch (item.wordClass) {
          case WordClass::House:
            numbers.push_back(v == 13 ? c.inputs.quesitedHouse : v);
            break;
          case WordClass::Number:
          case WordClass::Word:
          case WordClass::Angle:
            numbers.push_back(v);
            break;
          case WordClass::Point:
            if (v != 0) points.push_back(v);  // 0: the statement left the point out
            break;
          case WordClass::Sign: signs.push_back(v); break;
          case WordClass::Aspect: aspect = v; break;
          case WordClass::Star: star = v; break;
          default: {
            std::size_t k = static_cast<std::size_t>(item.wordClass);
            if (k < words.size()) words[k] = v - 1;
          }
        }
      }
    }
    // Code 75 is never compiled and has no pattern: its first parameter is the point.
    if (!pattern && st.code == 75 && st.params[0] != 0) points.push_back(st.params[0]);
    // Charts of the two points.
    int chart1 = 0, chart2 = 0;
    if (twoCharts && highChart >= 1) {
      if (chartSelection == 1 || chartSelection == 2) {
        chart1 = chart2 = chartSelection - 1;
      } else if (c.selectedChart_ >= 1) {
        chart1 = chart2 = std::min(c.selectedChart_, 2) - 1;
      } else {
        chart1 = 0;
        chart2 = 1;
      }
    }
    subject = chart1;
    if (!points.empty()) {
      p1 = Resolve(points[0], chart1);
      haveP1 = true;
      if (points.size() >= 2) {
        p2 = Resolve(points[1], chart2);
        haveP2 = true;
        c.lastFirst_ = p1;
        c.lastSecond_ = p2;
        c.havePair_ = true;
      } else if (c.havePair_) {
        p2 = c.lastFirst_.value == p1.value ? c.lastSecond_ : c.lastFirst_;
        haveP2 = true;
      }
    }
  }

  string P1() const { return Name(p1); }
  string P2() const { return Name(p2); }
  double L1() const { return p1.position.Longitude; }
  double L2() const { return p2.position.Longitude; }
  bool Computed1() const { return haveP1 && p1.position.Computed(); }
  bool Computed2() const { return haveP2 && p2.position.Computed(); }

  // Sign/quality test of code 45 and 69.
  static bool QualityOfSign(int q, int sign) {
    if (sign < 1) return false;
    if (q == 0) return sign % 2 == 1;
    if (q == 1) return sign % 2 == 0;
    if (q >= 2 && q <= 4) return q == 2 + (sign - 1) % 3;
    if (q >= 5 && q <= 8) return q == 5 + (sign - 1) % 4;
    return false;
  }
  // The range of codes 56, 66 and 70: from degree d1 of s1 to degree d2 of s2.
  static bool InRange(double lon, int d1, int s1, int d2, int s2) {
    if (!(lon >= 0) || s1 < 1 || s1 > 12 || s2 < 1 || s2 > 12) return false;
    double start = (s1 - 1) * 30.0 + d1, end = (s2 - 1) * 30.0 + d2;
    return ReduceDegrees(lon - start) <= ReduceDegrees(end - start);
  }
  // Some almuten of a place (winners) that satisfies a test.
  template <typename F>
  bool AnyAlmuten(const AlmutenWinners& w, F f) const {
    for (int i = 0; i < w.count && i < 3; ++i)
      if (f(w.points[static_cast<std::size_t>(i)])) return true;
    return false;
  }
  const AlmutenWinners* CuspAlmutens(int h) const {
    if (!c.classical.almutensKnown || h < 1 || h > 12) return nullptr;
    return &c.classical.almutens.cusps[static_cast<std::size_t>(h)];
  }
  const AlmutenWinners* PointAlmutens(int id) const {
    if (!c.classical.almutensKnown || !IsPointId(id)) return nullptr;
    return &c.classical.almutens.points[static_cast<std::size_t>(id)];
  }
  // The ruler of cusp h by a dignity word (0 Sign .. 8 Face).
  int DignityRulerOfCusp(int dignity, int h) const {
    auto slots = SlotsAt(Cusp(h, subject), subject, AlmutenSchemeRecord());
    if (!slots) return 0;
    bool day = IsDayChart(Subject());
    int slot = -1;
    switch (dignity) {
      case 0: slot = dtRuler; break;
      case 1: slot = dtExaltation; break;
      case 2: slot = day ? dtTriplicity : dtTriplicityOther; break;
      case 3: slot = day ? dtTriplicityOther : dtTriplicity; break;
      case 4: slot = dtTriplicity; break;
      case 5: slot = dtTriplicityOther; break;
      case 6: slot = dtParticipating; break;
      case 7: slot = dtTerm; break;
      case 8: slot = dtFace; break;
      default: return 0;
    }
    return (*slots)[static_cast<std::size_t>(slot)];
  }

  void ComputeComplexion() {
    TemperamentInputs in;
    in.aspects = c.inputs.aspects;
    in.tables = c.inputs.tables;
    in.genitureRulers = c.classical.genitureRulers;
    if (c.classical.almutensKnown) in.moonAlmutens = c.classical.almutens.points[ptMoon];
    TemperamentResult r = TemperamentSummary(Chart(0), in);
    c.complexion_.counts = r.counts;
    c.complexion_.summary = r.text;
    c.complexion_.type = Temperament(r.counts);
    c.complexion_.computed = true;
  }
  bool InStarset(double lon) const {
    return ReduceDegrees(lon - c.starsetStart_) < 180.0 && ReduceDegrees(lon - c.starsetEnd_) > 180.0;
  }
  void DegreeParagraph(int degree) {
    string text;
    if (c.inputs.interps) c.inputs.interps->GetText(DegreeText, degree, 0, 0, text);
    else text = interp_messages::NoFile;
    result.extraText = text;
    result.extraTextSet = true;
  }

  void Run();
};

StatementResult ReportComposer::EvaluateStatement(const CompiledRecord& statement,
                                                  const std::vector<CalculatedChart>& charts, int highChart,
                                                  int chartSelection, bool twoCharts) {
  if (charts.empty()) {
    StatementResult r;
    r.title = UnhandledStatementTitle;
    return r;
  }
  if (highChart < 0) highChart = 0;
  if (static_cast<std::size_t>(highChart) >= charts.size()) highChart = static_cast<int>(charts.size()) - 1;
  Eval e(*this, statement, charts, highChart, twoCharts);
  e.Bind(chartSelection);
  e.Run();
  StatementResult& r = e.result;
  r.truth = r.truth != statement.negated;
  if (r.truth && !r.title.empty()) r.title = lang::ApplyContractions(r.title, inputs.language);
  return r;
}

void ReportComposer::Eval::Run() {
  bool& t = result.truth;
  string& title = result.title;
  const int code = st.code;
  const int x = static_cast<int>(X(0)), y = static_cast<int>(X(1));
  switch (code) {
    case 3:
      t = true;
      title = "Section Header";
      break;
    case 6:
      t = c.inputs.showExplanations;
      break;
    case 7:
      t = true;
      title = P1();
      break;
    case 8: {
      int sign = SignOfLongitude(L1());
      t = Computed1() && sign == S1();
      if (NegationBeforeVerb[static_cast<std::size_t>(L & 3)])
        title = P1() + " " + Not() + Row(27) + " " + Row(28) + " " + Sign(S1());
      else
        title = P1() + " " + Row(27) + " " + Not() + Row(28) + " " + Sign(S1());
      if (c.untimed && IsPointId(p1.value)) {
        const UntimedIngress& in = c.ingress[static_cast<std::size_t>(p1.value)];
        if (in.changed) {
          bool atStart = in.signAtStart == S1();
          t = atStart || in.signAtEnd == S1();
          if (t) {
            result.extraText = title + " " + Row(atStart ? 24 : 25) + " " +
                               FormatTime(c.inputs.twelveHourClock, in.hour, in.minute, 0) + ".";
            result.extraTextSet = true;
          }
        }
      }
      break;
    }
    case 9: {
      t = Computed1() && HouseOfPoint(p1.id, subject) == x;
      if (p1.value >= AsteroidPointBase) t = p1.position.Computed() && HouseOfLongitude(L1(), subject) == x;
      if (NegationBeforeVerb[static_cast<std::size_t>(L & 3)])
        title = P1() + " " + Not() + Row(27) + " " + Row(29) + " " + Row(14) + " " + House(x);
      else
        title = P1() + " " + Row(27) + " " + Not() + Row(29) + " " + House(x) + " " + Row(14);
      break;
    }
    case 10: {
      for (int p : ClassicalPlanets)
        if (Subject().Point(p).Computed() && HouseOfPoint(p, subject) == x) t = true;
      title = "A Planet is " + Not() + "in the " + House(x) + " House";
      break;
    }
    case 11: {
      int d = DignityHeld(p1.id, subject, StatementSchemeRecord());
      t = d >= 0;
      title = P1() + Is() + "Dignified" + (t ? " by " + WordOf(DignifiedBy, d) : string());
      break;
    }
    case 12: {
      string reason;
      if (IsPointId(p1.id) && Computed1()) {
        auto slots = SlotsAt(L1(), subject, StatementSchemeRecord());
        const AspectSet* set = c.inputs.aspects;
        auto moiety = [&](int id) -> double {
          return set && IsPointId(id) ? set->displayedMoieties[static_cast<std::size_t>(id)] : 0.0;
        };
        if (slots && (*slots)[dtDetriment] == p1.id) reason = "Detriment";
        else if (slots && (*slots)[dtFall] == p1.id) reason = "Fall";
        else if (slots && DignityHeld(p1.id, subject, StatementSchemeRecord()) < 0) reason = "Peregrine";
        if (reason.empty() && c.classical.algolLongitude >= 0) {
          double d = std::fabs(ReduceDegrees(L1() - c.classical.algolLongitude + 180.0) - 180.0);
          if (d <= moiety(p1.id)) reason = "Conjunction with Algol";
        }
        if (reason.empty()) {
          for (int malefic : {int(ptMars), int(ptSaturn)}) {
            if (malefic == p1.id || !Subject().Point(malefic).Computed()) continue;
            double sep = ReduceDegrees(L1() - Subject().Longitude(malefic));
            double off = std::fmod(sep, 90.0);
            double dist = std::min(off, 90.0 - off);
            if (dist <= moiety(p1.id) + moiety(malefic)) {
              reason = "Aspect with Malefic";
              break;
            }
          }
        }
      }
      t = !reason.empty();
      string by = t ? " by " + reason : string();
      if (NegationBeforeVerb[static_cast<std::size_t>(L & 3)])
        title = P1() + " " + Not() + Row(27) + " Debilitated" + by;
      else
        title = P1() + " " + Row(27) + " " + Not() + "Debilitated" + by;
      break;
    }
    case 13: {
      int v = ReduceDegrees(L1() - Subject().Longitude(ptSun)) < 180 ? 0 : 1;
      t = Computed1() && Subject().Point(ptSun).Computed() && v == words[6];
      title = P1() + Is() + WordOf(OrientalityWords, words[6]);
      break;
    }
    case 14: {
      int r = RulerOfHouse(x, subject);
      AspectFound f = IsPointId(r) ? TestAspect(aspect, p1.id, p1.position, r, Subject().Point(r)) : AspectFound{};
      t = f.ok;
      title = P1() + Is() + AspectTitle(f) + " the Ruler of the " + House(x) + " House";
      break;
    }
    case 15: {
      AspectFound f = TestAspect(aspect, p1, p2);
      bool differentCharts = p1.chart != p2.chart;
      BoundPoint a = p1, b = p2;
      if (!f.ok && differentCharts && haveP2) {
        BoundPoint sa = Resolve(p1.value, p2.chart), sb = Resolve(p2.value, p1.chart);
        AspectFound g = TestAspect(aspect, sa, sb);
        f = g;
        a = sa;
        b = sb;
        result.swapped = true;
      }
      t = f.ok;
      if (differentCharts) {
        auto owner = [&](int chart) {
          std::size_t k = static_cast<std::size_t>(chart);
          return k < c.inputs.ownerNames.size() ? c.inputs.ownerNames[k] : string();
        };
        title = owner(a.chart) + "'" + "s " + Name(a) + " is " + Not() + AspectTitle(f) + " " + owner(b.chart) + "'" +
                "s " + Name(b) + OrbText(f);
      } else {
        title = P1() + " " + Not() + AspectTitle(f) + " " + P2() + OrbText(f);
      }
      break;
    }
    case 16:
    case 53: {
      AspectFound f = TestAspect(aspect, p1, p2);
      t = f.ok && (code == 16 ? f.match.applying : !f.match.applying);
      string w = AspectNoun(f);
      title = P1() + Is() + (code == 16 ? "approaching " : "leaving ") + ArticleFor(w) + w + " with " + P2();
      break;
    }
    case 17: {
      int h = HouseOfPoint(p1.id, subject);
      t = h > 0 && (h + 11) % 3 == words[7];
      string w = WordOf(HouseClassWords, words[7]);
      title = P1() + Is() + "in " + ArticleFor(w) + w + " House";
      break;
    }
    case 18: {
      int v = ReduceDegrees(L1() - Subject().Longitude(ptSun)) > 180 ? 1 : 0;
      t = Computed1() && Subject().Point(ptSun).Computed() && v == words[8];
      title = P1() + Is() + WordOf(PhaseWords, words[8]);
      break;
    }
    case 19:
      t = Slot(words[9], p1.id, p2.id);
      title = P1() + Is() + WordOf(ConditionTitles, words[9]);
      break;
    case 20:
      t = Slot(words[9], p1.id, p2.id);
      title = P1() + Is() + WordOf(ConditionTitles, words[9]) + " of " + P2();
      break;
    case 21: {
      int d = DispositorOf(p1);
      t = IsPointId(d) && SignOfLongitude(Subject().Longitude(d)) == S1();
      title = Row(47) + " " + P1() + Is() + Row(28) + " " + Sign(S1());
      break;
    }
    case 22: {
      int d = DispositorOf(p1);
      t = IsPointId(d) && HouseOfPoint(d, subject) == x;
      title = Row(47) + " " + P1() + Is() + Row(29) + " " + House(x) + " " + Row(14);
      break;
    }
    case 23: {
      int d = DispositorOf(p1);
      t = IsPointId(d) && d == p2.id;
      title = Row(47) + " " + P1() + Is() + P2();
      break;
    }
    case 24: {
      int d = DispositorOf(p1);
      AspectFound f = IsPointId(d) ? TestAspect(aspect, d, Subject().Point(d), p2.id, p2.position) : AspectFound{};
      t = f.ok;
      title = Row(47) + " " + P1() + Is() + AspectTitle(f) + " " + P2();
      break;
    }
    case 25: {
      int r = RulerOfHouse(x, subject);
      t = IsPointId(r) && r == p1.id;
      if (L == lang::LanguageSpanish)
        title = Row(46) + " la " + Row(14) + " " + House(x) + " es " + Not() + P1();
      else
        title = Row(46) + " " + House(x) + " " + Row(14) + " " + Row(27) + " " + Not() + P1();
      break;
    }
    case 26:
      for (int r : c.classical.genitureRulers)
        if (r != 0 && r == p1.id) t = true;
      title = "Ruler of the Geniture is " + Not() + P1();
      break;
    case 27:
      t = AnyAlmuten(c.classical.hylegAlmutens, [&](int p) { return p != 0 && p == p1.id; });
      title = "The Alcocoden is " + Not() + P1();
      break;
    case 28: {
      const AlmutenWinners* w = PointAlmutens(p1.id);
      t = w && AnyAlmuten(*w, [&](int p) { return p != 0 && p == p2.id; });
      title = "The Almuten of " + P1() + Is() + P2();
      break;
    }
    case 29: {
      int v = Subject().Chart.Latitude > 0 ? 0 : 1;
      t = v == words[10];
      title = "The chart is " + Not() + "located in the " + WordOf(LatitudeWords, words[10]) + " Hemisphere";
      break;
    }
    case 30: {
      int v = ReduceDegrees(Subject().Longitude(ptSun) - Subject().Longitude(ptAscendant)) > 180 ? 0 : 1;
      t = v == words[11];
      title = "The chart is " + Not() + WordOf(SectWords, words[11]);
      break;
    }
    case 31: {
      int r = RulerOfHouse(x, subject);
      t = IsPointId(r) && r == p1.id;
      string article = Row(3).empty() ? string() : Row(3) + " ";
      title = P1() + Is() + article + Row(46) + " " + House(x) + " " + Row(14);
      break;
    }
    case 32: {
      int r = RulerOfHouse(x, subject);
      t = IsPointId(r) && HouseOfPoint(r, subject) == y;
      title = "Ruler of the " + House(x) + " House is " + Not() + "in the " + House(y) + " House";
      break;
    }
    case 33: {
      int v = ReduceDegrees(L2() - L1()) >= 180 ? 1 : 0;
      t = Computed1() && Computed2() && v == words[13];
      title = P1() + " " + (neg ? Row(21) : string()) + WordOf(RisesSetsWords, words[12]) + " " +
              WordOf(BeforeAfterWords, words[13]) + " " + P2();
      break;
    }
    case 34: {
      int d = DispositorOf(p1, AlmutenSchemeRecord());
      int held = DignityHeld(d, subject, AlmutenSchemeRecord());
      t = held >= 0;
      title = "Dispositor of " + P1() + " is " + Not() + "Dignified" + (t ? " by " + WordOf(DignifiedBy, held) : string());
      break;
    }
    case 35: {
      int d = DispositorOf(p1, AlmutenSchemeRecord());
      t = Slot(words[9], d, p2.id);
      title = "Dispositor of " + P1() + " is " + Not() + WordOf(ConditionTitles, words[9]);
      break;
    }
    case 36: {
      int r = RulerOfHouse(x, subject, AlmutenSchemeRecord());
      int held = DignityHeld(r, subject, AlmutenSchemeRecord());
      t = held >= 0;
      title = "Ruler of the " + House(x) + " House is " + Not() + "Dignified" +
              (t ? " by " + WordOf(DignifiedBy, held) : string());
      break;
    }
    case 37: {
      int r = RulerOfHouse(x, subject, AlmutenSchemeRecord());
      t = Slot(words[9], r, p2.id);
      title = "Ruler of the " + House(x) + " House is " + Not() + WordOf(ConditionTitles, words[9]);
      break;
    }
    case 38: {
      int r = RulerOfHouse(x, subject);
      int d = DispositorOf(p1);
      AspectFound f = TestAspectIds(aspect, r, d, subject);
      t = f.ok;
      title = "Ruler of the " + House(x) + " House is " + Not() + AspectTitle(f) + " the Dispositor of " + P1();
      break;
    }
    case 39:
    case 65: {
      int r1 = RulerOfHouse(x, subject), r2 = RulerOfHouse(y, subject);
      AspectFound f = TestAspectIds(aspect, r1, r2, subject);
      t = f.ok && (code == 39 || f.match.applying);
      string w = code == 39 ? AspectTitle(f) : AspectNoun(f);
      if (code == 39)
        title = "Ruler of the " + House(x) + " House is " + Not() + w + " the Ruler of the " + House(y) + " House";
      else
        title = "Ruler of the " + House(x) + " House is " + Not() + "approaching " + ArticleFor(w) + w +
                " with the Ruler of the " + House(y) + " House";
      break;
    }
    case 40: {
      t = Computed1() && SignOfLongitude(L1()) == S1() && DecanOf(L1()) == x;
      title = P1() + Is() + "in the " + House(x) + " Face of " + Sign(S1());
      break;
    }
    case 41: {
      int d = DispositorOf(p1);
      double lon = IsPointId(d) ? Subject().Longitude(d) : -1;
      t = lon >= 0 && SignOfLongitude(lon) == S1() && DecanOf(lon) == x;
      title = "Dispositor of " + P1() + " is " + Not() + "in the " + House(x) + " Face of " + Sign(S1());
      break;
    }
    case 42: {
      const AlmutenWinners* w = PointAlmutens(p1.id);
      t = w && AnyAlmuten(*w, [&](int p) {
            double lon = IsPointId(p) ? Subject().Longitude(p) : -1;
            return lon >= 0 && SignOfLongitude(lon) == S1() && DecanOf(lon) == x;
          });
      title = "The Almuten of " + P1() + " is " + Not() + "in the " + House(x) + " Face of " + Sign(S1());
      break;
    }
    case 43: {
      for (int p : ClassicalPlanets) {
        double lon = Subject().Longitude(p);
        if (lon < 0 || SignOfLongitude(lon) != S1() || DecanOf(lon) != x) continue;
        if (TestAspect(aspect, p, Subject().Point(p), p1.id, p1.position).ok) t = true;
      }
      title = "A Planet is " + Not() + S(lang::AspectWord(L, aspect)) + " " + P1() + " in the " + House(x) +
              " Face of " + Sign(S1());
      break;
    }
    case 44: {
      t = IsPointId(p1.id) && IsPointId(p2.id) &&
          Stronger(Subject(), c.classical.reportScores, p1.id, p2.id) == p1.id;
      title = P1() + Is() + "the " + WordOf(SignificatorWords, words[14]);
      break;
    }
    case 45: {
      t = Computed1() && QualityOfSign(words[15], SignOfLongitude(L1()));
      string q = Quality(words[15]);
      title = P1() + Is() + "in " + ArticleFor(q) + q + " Sign";
      break;
    }
    case 46: {
      int r = DignityRulerOfCusp(words[17], x);
      t = Slot(words[9], r, p2.id);
      title = WordOf(DignityTitles, words[17]) + " Ruler of the " + House(x) + " House is " + Not() +
              WordOf(ConditionTitles, words[9]);
      break;
    }
    case 47: {
      int r = DignityRulerOfCusp(words[17], x);
      t = IsPointId(r) && r == p1.id;
      title = WordOf(DignityTitles, words[17]) + " Ruler of the " + House(x) + " House is " + Not() + P1();
      break;
    }
    case 48: {
      t = IsPointId(p1.id) && IsPointId(p2.id) &&
          c.classical.reportScores.score[static_cast<std::size_t>(p1.id)] >
              c.classical.reportScores.score[static_cast<std::size_t>(p2.id)];
      title = P1() + Is() + "more dignifed than " + P2();
      break;
    }
    case 49: {
      ComputeComplexion();
      t = true;
      title = "Complexional Scores";
      static constexpr std::array<const char*, 4> labels = {"|Hot: ", "|Cold: ", "|Wet: ", "|Dry: "};
      string text = c.complexion_.summary + "||" + "Your final complexional scores are:-";
      for (std::size_t i = 0; i < 4; ++i) text += string(labels[i]) + "\t" + std::to_string(c.complexion_.counts[i]);
      result.extraText = text;
      result.extraTextSet = true;
      break;
    }
    case 50: {
      if (!c.complexion_.computed) ComputeComplexion();
      t = c.complexion_.type == words[18];
      int w = words[18];
      title = "Complexional Type is " + Not() +
              (w >= 0 && w < 9 ? S(lang::TemperamentWords[static_cast<std::size_t>(w)]) : string());
      break;
    }
    case 51:
      t = true;
      break;
    case 54:
      t = haveP2 && p1.value == p2.value;
      title = P1() + Is() + P2();
      break;
    case 55: {
      const AlmutenWinners* w = CuspAlmutens(x);
      t = w && AnyAlmuten(*w, [&](int p) { return HouseOfPoint(p, subject) == y; });
      title = "Almuten of the " + House(x) + " House is " + Not() + "in the " + House(y) + " House";
      break;
    }
    case 56: {
      t = Computed1() && InRange(L1(), x, S1(), y, S2());
      title = P1() + Is() + "in range " + std::to_string(x) + " " + Sign(S1()) + " to " + std::to_string(y) + " " +
              Sign(S2());
      break;
    }
    case 57: {
      for (int p : ClassicalPlanets) {
        if (p == p1.id || HouseOfPoint(p, subject) != x) continue;
        if (TestAspect(aspect, p1.id, p1.position, p, Subject().Point(p)).ok) t = true;
      }
      title = P1() + Is() + S(lang::AspectWord(L, aspect)) + " a planet in the " + House(x) + " House";
      break;
    }
    case 58:
      t = Computed1() && std::fmod(L1(), 30.0) < 3;
      title = P1() + (neg ? Is() + "in Early Degrees" : string(" is in Early Degrees"));
      break;
    case 59:
      t = Computed1() && std::fmod(L1(), 30.0) > 27;
      title = P1() + (neg ? Is() + "in Late Degrees" : string(" is in Late Degrees"));
      break;
    case 60:
    case 61: {
      int r = RulerOfHouse(x, subject);
      AspectFound f = IsPointId(r) ? TestAspect(aspect, p1.id, p1.position, r, Subject().Point(r)) : AspectFound{};
      t = f.ok && (code == 60 ? f.match.applying : !f.match.applying);
      string w = AspectNoun(f);
      title = P1() + Is() + (code == 60 ? "approaching " : "leaving ") + ArticleFor(w) + w +
              " with the Ruler of the " + House(x) + " House";
      break;
    }
    case 62: {
      const AlmutenWinners* w = CuspAlmutens(x);
      t = w && AnyAlmuten(*w, [&](int p) { return p != 0 && p == p1.id; });
      title = "Almuten of the " + House(x) + " House is " + Not() + P1();
      break;
    }
    case 63: {
      const AlmutenWinners* w = CuspAlmutens(x);
      t = w && AnyAlmuten(*w, [&](int p) { return Slot(words[9], p, p2.id); });
      title = "Almuten of the " + House(x) + " House is " + Not() + WordOf(ConditionTitles, words[9]);
      break;
    }
    case 64: {
      const AlmutenWinners* w = PointAlmutens(p1.id);
      t = w && AnyAlmuten(*w, [&](int p) { return HouseOfPoint(p, subject) == x; });
      title = "The Almuten of " + P1() + " is " + Not() + "in the " + House(x) + " House";
      break;
    }
    case 66: {
      int r = RulerOfHouse(x, subject);
      t = IsPointId(r) && InRange(Subject().Longitude(r), y, S1(), static_cast<int>(X(2)), S2());
      title = "Ruler of the " + House(x) + " House is " + Not() + "in range " + std::to_string(y) + " " + Sign(S1()) +
              " to " + std::to_string(X(2)) + " " + Sign(S2());
      break;
    }
    case 67: {
      const AlmutenWinners* w = CuspAlmutens(x);
      t = w && AnyAlmuten(*w, [&](int p) {
            int h = HouseOfPoint(p, subject);
            return h > 0 && (h + 11) % 3 == words[7];
          });
      string cls = WordOf(HouseClassWords, words[7]);
      title = "Almuten of the " + House(x) + " House is " + Not() + "in " + ArticleFor(cls) + cls + " House";
      break;
    }
    case 68: {
      t = SignOfLongitude(Cusp(x, subject)) == S1() && S1() > 0;
      if (L == lang::LanguageSpanish)
        title = Row(48) + " " + House(x) + " " + Row(27) + " " + Not() + Row(28) + " " + Sign(S1());
      else
        title = House(x) + " " + Row(48) + " " + Row(27) + " " + Not() + Row(28) + " " + Sign(S1());
      break;
    }
    case 69: {
      t = QualityOfSign(words[15], SignOfLongitude(Cusp(x, subject)));
      string q = Quality(words[15]);
      title = House(x) + " House Cusp is " + Not() + "in " + ArticleFor(q) + q + " Sign";
      break;
    }
    case 70: {
      t = InRange(Cusp(x, subject), y, S1(), static_cast<int>(X(2)), S2());
      title = House(x) + " House Cusp is " + Not() + "in range " + std::to_string(y) + " " + Sign(S1()) + " to " +
              std::to_string(X(2)) + " " + Sign(S2());
      break;
    }
    case 71: {
      double cusp = Cusp(x, subject);
      PointPos cp;
      cp.Longitude = cusp;
      AspectFound f = cusp >= 0 ? TestAspect(aspect, p1.id, p1.position, 0, cp) : AspectFound{};
      t = f.ok;
      title = P1() + Is() + AspectTitle(f) + " the " + House(x) + " House Cusp";
      break;
    }
    case 72:
      t = true;
      title = "Quesited House is the " + House(c.inputs.quesitedHouse);
      break;
    case 73: {
      string name;
      double lon = -1;
      if (star >= 1 && !c.inputs.starFile.empty()) lon = StarLongitude(c.inputs.starFile, star, Subject());
      PointPos sp;
      sp.Longitude = lon;
      AspectFound f = lon >= 0 ? TestAspect(aspect, p1.id, p1.position, 0, sp) : AspectFound{};
      t = f.ok;
      if (star >= 1 && !c.inputs.starFile.empty()) {
        std::vector<string> names = LoadStarNames(c.inputs.starFile);
        if (static_cast<std::size_t>(star) < names.size()) name = names[static_cast<std::size_t>(star)];
      }
      title = P1() + Is() + AspectTitle(f) + " Star " + name;
      break;
    }
    case 75: {
      if (c.untimed && IsPointId(p1.value)) {
        const UntimedIngress& in = c.ingress[static_cast<std::size_t>(p1.value)];
        t = in.changed;
        title = NameWithArticle(p1) + " moves from " + Sign(in.signAtStart) + " into " + Sign(in.signAtEnd) + " at " +
                FormatTime(c.inputs.twelveHourClock, in.hour, in.minute, 0) + ".";
      }
      break;
    }
    case 76: {
      c.selectedChart_ = x;
      if (x >= 1) {
        std::size_t k = static_cast<std::size_t>(x - 1);
        title = (k < c.inputs.ownerNames.size() ? c.inputs.ownerNames[k] : string()) + "'" + "s Chart";
      }
      break;
    }
    case 77:
      t = true;
      title = "Graphic - Width: " + std::to_string(x);
      break;
    case 78:
      t = c.inputs.chosenOption >= 1 && c.inputs.chosenOption <= 32 &&
          ((static_cast<std::uint32_t>(X(0)) >> (c.inputs.chosenOption - 1)) & 1u) != 0;
      break;
    case 81: {
      t = true;
      double jd = Chart(0).Moment.JDEphem;
      c.starsetStart_ = ReduceDegrees(PrecessLongitude(c.starEpoch_, jd, x / 3600.0));
      c.starsetEnd_ = ReduceDegrees(PrecessLongitude(c.starEpoch_, jd, (y + 60) / 3600.0));
      c.starsetSet_ = true;
      break;
    }
    case 82:
    case 83: {
      t = c.starsetSet_ && IsStarsetPoint(p1.value) && Computed1() && InStarset(L1());
      if (code == 83) title = NameWithArticle(p1) + " is aligned with starset " + c.starsetName;
      break;
    }
    case 84:
      if (c.starsetSet_) {
        for (int p = FirstPoint; p <= LastPoint; ++p)
          if (IsStarsetPoint(p) && Subject().Point(p).Computed() && InStarset(Subject().Longitude(p))) t = true;
      }
      break;
    case 85:
      t = true;
      c.starEpoch_ = x;
      break;
    case 90: {
      t = true;
      if (Computed1()) {
        double lon = L1();
        int degree = static_cast<int>(lon) + 1;
        int n = static_cast<int>(lon) % 30 + 1;
        title = NameWithArticle(p1) + " " + Row(43) + " " + DegreeOrdinal(L, n) + " " + Row(44) + " " +
                Sign(SignOfLongitude(lon));
        DegreeParagraph(degree);
      }
      break;
    }
    case 91: {
      t = true;
      if (x >= 1 && x <= 12) {
        double lon = Subject().Houses.CuspsAsCast[static_cast<std::size_t>(x)];
        int degree = static_cast<int>(ReduceDegrees(lon)) + 1;
        int n = static_cast<int>(ReduceDegrees(lon)) % 30 + 1;
        title = "The " + House(x) + " " + Row(45) + " " + DegreeOrdinal(L, n) + " " + Row(44) + " " +
                Sign(SignOfLongitude(lon));
        DegreeParagraph(degree);
      }
      break;
    }
    case 92:
    case 93:
    case 94: {
      int q = words[15], strength = words[23];
      int group = -1;
      if (code == 92 && q >= 5 && q <= 8) group = q;
      if (code == 93 && q >= 2 && q <= 4) group = q;
      if (code == 94 && q >= 0 && q <= 1) group = q;
      if (strength == 0) t = true;
      else if (group >= 0 && strength >= 1 && strength <= 3) t = BalanceLevel(Subject(), group, strength);
      string label;
      if (code == 92) label = Row(41) + " " + Quality(q);
      else if (code == 93) label = L == lang::LanguageNorwegian ? Quality(q) + " " + Row(42) : Row(42) + " " + Quality(q);
      else label = "Polarity " + Quality(q);
      if (strength >= 1 && strength <= 3)
        title = label + Is() + S(lang::StrengthWords[static_cast<std::size_t>(L)][static_cast<std::size_t>(strength)]);
      else
        title = label;
      break;
    }
    case 96:
      t = c.textCounter == 0;
      break;
    case 97: {
      int sign = (x - 1) / 3 + 1, decan = (x - 1) % 3 + 1;
      t = x >= 1 && x <= 36 && Computed1() && SignOfLongitude(L1()) == sign && DecanOf(L1()) == decan;
      title = P1() + Is() + Row(29) + " " + House(decan) + " " + Row(49) + " " + Row(28) + " " +
              Sign(x >= 1 && x <= 36 ? sign : 0);
      break;
    }
    case 98: {
      if (x >= 1 && x <= 12 && IsPointId(p1.id)) {
        int next = x % 12 + 1;
        int from = SignOfLongitude(Cusp(x, subject)), to = SignOfLongitude(Cusp(next, subject));
        if (from > 0 && to > 0) {
          for (int s = from % 12 + 1; s != to && s != from; s = s % 12 + 1)
            if (Domicile(s, StatementSchemeRecord()) == p1.id) t = true;
        }
      }
      title = P1() + Is() + "a Co-Ruler of the " + House(x) + " House by Interception";
      break;
    }
    default:
      title = UnhandledStatementTitle;
      break;
  }
}

}  // namespace korvana
