// The evaluation of one compiled statement, shared by the composer's files: the statement
// with its words bound to points, signs, houses and numbers, the chart data and analysis
// the tests read, and one function per family of statements. Private to the composer.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/aspect_type.h"
#include "core/analysis/classical.h"
#include "core/analysis/find_aspect.h"
#include "core/astro/houses.h"
#include "core/astro/zodiac.h"
#include "core/reports/compiler/statements.h"
#include "core/reports/composer/composer.h"
#include "core/reports/interps/interps.h"
#include "core/reports/language/language.h"
#include "core/time/entry_parsing.h"
#include "core/time/zp_maths.h"

namespace korvana {

// One evaluation: the bound statement words and everything the tests need.
struct ReportComposer::Eval {
  using string = std::string;
  using Phrase = lang::Phrase;

  static int DecanOf(double lon) { return static_cast<int>(std::fmod(ReduceDegrees(lon), 30.0) / 10.0) + 1; }

  static string S(std::string_view v) { return string(v); }

  static constexpr std::array<int, 7> ClassicalPlanets = {ptMoon, ptSun, ptMercury, ptVenus, ptMars, ptJupiter, ptSaturn};

  static bool IsStarsetPoint(int p) {
    return p == ptMoon || p == ptSun || (p >= ptMercury && p <= ptPluto) || (p >= ptNorthNode && p <= ptMidheaven);
  }

  // Word lists of the statement vocabulary in value order (the title words).
  static constexpr std::array<const char*, 2> OrientalityWords = {"Oriental", "Occidental"};
  static constexpr std::array<const char*, 3> HouseClassWords = {"Angular", "Succedent", "Cadent"};
  static constexpr std::array<const char*, 2> PhaseWords = {"Waxing", "Waning"};
  static constexpr std::array<const char*, 2> LatitudeWords = {"Northern", "Southern"};
  static constexpr std::array<const char*, 2> SectWords = {"Diurnal", "Nocturnal"};
  static constexpr std::array<const char*, 2> RisesSetsWords = {"Rises", "Sets"};
  static constexpr std::array<const char*, 2> BeforeAfterWords = {"Before", "After"};
  static constexpr std::array<const char*, 2> SignificatorWords = {"Significator", "Significatrix"};
  static constexpr std::array<const char*, 14> ConditionTitles = {
      "in Rulership", "in Exaltation", "in Triplicity", "in Term", "in Face", "in Detriment", "in Fall",
      "Peregrine", "Combust", "in Rulership, Exaltation or Triplicity", "Dignified and not Combust",
      "in Detriment or Fall", "Direct", "Retrograde"};
  static constexpr std::array<const char*, 9> DignityTitles = {
      "Sign", "Exaltation", "Diurnal Triplicity", "Nocturnal Triplicity", "In-Sect Triplicity",
      "Out-of-Sect Triplicity", "Participating Triplicity", "Term", "Face"};
  static constexpr std::array<const char*, 5> DignifiedBy = {"Rulership", "Exaltation", "Triplicity", "Term", "Face"};

  template <std::size_t N>
  static string WordOf(const std::array<const char*, N>& list, int value) {
    return value >= 0 && static_cast<std::size_t>(value) < N ? string(list[static_cast<std::size_t>(value)]) : string();
  }

  static string ArticleFor(std::string_view word) {
    if (!word.empty()) {
      char c = word[0];
      if (c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U' || c == 'a' || c == 'e' || c == 'i' ||
          c == 'o' || c == 'u')
        return "an ";
    }
    return "a ";
  }

  // The values of the statement aspect words (the compiler's aspect word list, from 1).
  enum class AspectWordValue : int {
    Conjunct = 1, Opposite, Trine, Square, Sextile, Antiscion, ContraAntiscion, Aspects, Aspect, Soft, Hard,
    Semisquare, Sesquisquare, Quincunx, Semisextile, Conjunction, Opposition, Quintile, Biquintile
  };
  // The report set's aspect file keeps its records in the aspect numbering: record n is
  // aspect type n.
  static bool IsRecordOf(int record, AspectType type) { return record == static_cast<int>(type); }

  // Which aspect records an aspect word asks for.
  static bool RecordFitsWord(int word, int record) {
    using enum AspectType;
    switch (static_cast<AspectWordValue>(word)) {
      case AspectWordValue::Conjunct:
      case AspectWordValue::Conjunction: return IsRecordOf(record, Conjunction);
      case AspectWordValue::Opposite:
      case AspectWordValue::Opposition: return IsRecordOf(record, Opposition);
      case AspectWordValue::Trine: return IsRecordOf(record, Trine);
      case AspectWordValue::Square: return IsRecordOf(record, Square);
      case AspectWordValue::Sextile: return IsRecordOf(record, Sextile);
      case AspectWordValue::Aspects:
      case AspectWordValue::Aspect: return record > 0;
      case AspectWordValue::Soft:
        return IsRecordOf(record, Conjunction) || IsRecordOf(record, Trine) || IsRecordOf(record, Sextile);
      case AspectWordValue::Hard:
        return IsRecordOf(record, Opposition) || IsRecordOf(record, Square) || IsRecordOf(record, Semisquare) ||
               IsRecordOf(record, Sesquisquare) || IsRecordOf(record, Quincunx);
      case AspectWordValue::Semisquare: return IsRecordOf(record, Semisquare);
      case AspectWordValue::Sesquisquare: return IsRecordOf(record, Sesquisquare);
      case AspectWordValue::Quincunx: return IsRecordOf(record, Quincunx);
      case AspectWordValue::Semisextile: return IsRecordOf(record, Semisextile);
      case AspectWordValue::Quintile: return IsRecordOf(record, Quintile);
      case AspectWordValue::Biquintile: return IsRecordOf(record, BiQuintile);
      default: return false;
    }
  }

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
  int Word(WordClass k) const { return words[static_cast<std::size_t>(k)]; }
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
  string Row(Phrase r) const { return S(lang::PhraseText(L, r)); }
  string Not() const { return neg ? Row(Phrase::Not) : string(); }
  string Is() const { return " " + Row(Phrase::Is) + " " + Not(); }
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
  // Dispositor and house ruler dignity and condition: the scheme of the report set's almuten scheme, else Traditional.
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
  // PointDignified: the first of slots 0, 1, 2, 5, 6 that the point holds at its own place
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
    const bool antiscion = word == static_cast<int>(AspectWordValue::Antiscion);
    if (antiscion || word == static_cast<int>(AspectWordValue::ContraAntiscion)) {
      PointPos mirrored = a;
      mirrored.Longitude = ReduceDegrees((antiscion ? 540.0 : 360.0) - a.Longitude);
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
        if (r->aspectType == static_cast<int>(AspectType::Conjunction))
          return S(lang::AspectWord(L, static_cast<int>(AspectWordValue::Conjunct)));
        if (r->aspectType == static_cast<int>(AspectType::Opposition))
          return S(lang::AspectWord(L, static_cast<int>(AspectWordValue::Opposite)));
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
    // "Conjunct" and "Opposite" have the aspect numbers of Conjunction and Opposition.
    if (aspect == static_cast<int>(AspectWordValue::Conjunct) || aspect == static_cast<int>(AspectWordValue::Opposite))
      return S(lang::AspectName(L, aspect));
    return S(lang::AspectWord(L, aspect));
  }
  static bool IsAspectTypeNumber(int t) { return t >= 1 && t <= 26; }
  string OrbText(const AspectFound& f) const {
    if (!f.ok) return string();
    return " (" + Row(Phrase::Orb) + " " + FormatAngle(1, true, false, true, std::fabs(static_cast<double>(f.match.orb))) + ")";
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
    } else if (value == HourRulerPointValue || value == DayRulerPointValue) {
      int planet = value == HourRulerPointValue ? c.classical.hourRuler : c.classical.dayRuler;
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
      if (p.code == st.Statement()) pattern = &p;
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
    // UntimedIngress is never compiled and has no pattern: its first parameter is the point.
    if (!pattern && st.Statement() == StatementCode::UntimedIngress && st.params[0] != 0)
      points.push_back(st.params[0]);
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

  // Sign quality test of PointInQualitySign and CuspInQuality.
  static bool QualityOfSign(int q, int sign) {
    if (sign < 1) return false;
    if (q == 0) return sign % 2 == 1;
    if (q == 1) return sign % 2 == 0;
    if (q >= 2 && q <= 4) return q == 2 + (sign - 1) % 3;
    if (q >= 5 && q <= 8) return q == 5 + (sign - 1) % 4;
    return false;
  }
  // The range of PointInRange, HouseRulerInRange and CuspInRange: from degree d1 of s1 to degree d2 of s2.
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
  // The dignity words as bound (the compiler's value less one), Sign .. Face.
  enum class DignityWord : int {
    SignRuler, ExaltationRuler, DiurnalTriplicity, NocturnalTriplicity, InSectTriplicity, OutOfSectTriplicity,
    ParticipatingTriplicity, TermRuler, FaceRuler
  };
  // The ruler of cusp h by a dignity word.
  int DignityRulerOfCusp(int dignity, int h) const {
    auto slots = SlotsAt(Cusp(h, subject), subject, AlmutenSchemeRecord());
    if (!slots) return 0;
    bool day = IsDayChart(Subject());
    int slot = -1;
    switch (static_cast<DignityWord>(dignity)) {
      case DignityWord::SignRuler: slot = dtRuler; break;
      case DignityWord::ExaltationRuler: slot = dtExaltation; break;
      case DignityWord::DiurnalTriplicity: slot = day ? dtTriplicity : dtTriplicityOther; break;
      case DignityWord::NocturnalTriplicity: slot = day ? dtTriplicityOther : dtTriplicity; break;
      case DignityWord::InSectTriplicity: slot = dtTriplicity; break;
      case DignityWord::OutOfSectTriplicity: slot = dtTriplicityOther; break;
      case DignityWord::ParticipatingTriplicity: slot = dtParticipating; break;
      case DignityWord::TermRuler: slot = dtTerm; break;
      case DignityWord::FaceRuler: slot = dtFace; break;
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

  // The first two number words of the statement (house, degree, chart or option number).
  int x = 0, y = 0;

  // Evaluates the statement: sets result.truth (before negation) and the title.
  void Run();

  // One function per family of statements, each in its own file. Each evaluates the
  // statement when its code belongs to the family and returns false otherwise.
  bool SignsAndHouses();      // points and cusps in signs, houses, faces and degree ranges
  bool Aspects();             // aspects between points, rulers, planets and cusps
  bool DignitiesAndRulers();  // dignity, debility, rulers, dispositors and their conditions
  bool Classical();           // almutens, geniture, sect, orientality, complexion, balance
  bool Stars();               // fixed stars, starsets and the star epoch
  bool ChartsAndOptions();    // sections, chart choice, graphics, options and text checks
};

}  // namespace korvana
