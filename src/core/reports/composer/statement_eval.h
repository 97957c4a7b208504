// The evaluation of one compiled statement, shared by the composer's files: the statement
// with its words bound to points, signs, houses and numbers, the chart data and analysis
// the tests read, and one function per family of statements. Private to the composer.
#pragma once

#include <algorithm>
#include <array>
#include <cctype>
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
#include "core/reports/language/titles.h"
#include "core/time/entry_parsing.h"
#include "core/time/angle_math.h"

namespace korvana {

// One evaluation: the bound statement words and everything the tests need.
struct ReportComposer::Eval {
  using string = std::string;
  using Phrase = lang::Phrase;

  // ---- vocabulary ----
  static int DecanOf(double lon) { return static_cast<int>(std::fmod(ReduceDegrees(lon), 30.0) / 10.0) + 1; }

  static string S(std::string_view v) { return string(v); }

  static constexpr std::array<int, 7> ClassicalPlanets = {PointMoon, PointSun,     PointMercury, PointVenus,
                                                          PointMars, PointJupiter, PointSaturn};

  static bool IsStarsetPoint(int p) {
    return p == PointMoon || p == PointSun || (p >= PointMercury && p <= PointPluto) || (p >= PointNorthNode && p <= PointMidheaven);
  }

  // Word lists of the statement vocabulary in value order (the title words).
  static constexpr std::array<const char*, 2> OrientalityWords = {"Oriental", "Occidental"};
  static constexpr std::array<const char*, 3> HouseClassWords = {"Angular", "Succedent", "Cadent"};
  static constexpr std::array<const char*, 2> RisesSetsWords = {"Rises", "Sets"};
  static constexpr std::array<const char*, 2> BeforeAfterWords = {"Before", "After"};
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

  static string ArticleFor(std::string_view word);

  // The values of the statement aspect words (the compiler's aspect word list, from 1).
  enum class AspectWordValue : int {
    Conjunct = 1, Opposite, Trine, Square, Sextile, Antiscion, ContraAntiscion, Aspects, Aspect, Soft, Hard,
    Semisquare, Sesquisquare, Quincunx, Semisextile, Conjunction, Opposition, Quintile, Biquintile
  };
  // The report set's aspect file keeps its records in the aspect numbering: record n is
  // aspect type n.
  static bool IsRecordOf(int record, AspectType type) { return record == static_cast<int>(type); }

  // Which aspect records an aspect word asks for.
  static bool RecordFitsWord(int word, int record);

  // ---- the statement ----
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
  std::array<int, 26> words{};  // per word class: compiled value - 1 (-1 unbound)
  int Word(WordClass k) const { return words[static_cast<std::size_t>(k)]; }
  int star = 0;
  BoundPoint p1, p2;
  bool haveP1 = false, haveP2 = false;
  int subject = 0;  // the chart of the first point (houses, cusps, rulers)
  int partner = 0;  // the chart of the second point's place, used or not

  StatementResult result;
  // The dignity options when the report set's almuten scheme cannot be read: the
  // Traditional rulerships with the scheme's defaults.
  AlmutenScheme fallbackScheme;

  Eval(ReportComposer& composer, const CompiledRecord& statement, const std::vector<CalculatedChart>& cs, int high,
       bool two);

  // ---- words of the report language ----
  string Row(Phrase r) const { return S(lang::PhraseText(L, r)); }
  string Not() const { return neg ? Row(Phrase::Not) : string(); }
  string Is() const { return " " + Row(Phrase::Is) + " " + Not(); }
  string House(int h) const { return S(lang::HouseLabel(L, h)); }
  string Sign(int s) const { return S(lang::SignName(L, s)); }
  string Name(const BoundPoint& p) const { return StatementPointName(L, p.value, p.id, c.asteroids); }
  string NameWithArticle(const BoundPoint& p) const { return StatementPointName(L, p.value, p.id, c.asteroids, true); }
  // The fields of a title: the bound points, their names and the negation.
  lang::TitleFields Fields() const {
    lang::TitleFields f;
    f.point1 = haveP1 && IsPointId(p1.value) ? p1.value : 0;
    f.point2 = haveP2 && IsPointId(p2.value) ? p2.value : 0;
    f.name1 = haveP1 ? P1() : string();
    f.name2 = haveP2 ? P2() : string();
    f.negated = neg;
    return f;
  }
  string Title(lang::Title kind, const lang::TitleFields& f) const { return lang::ComposeTitle(L, kind, f); }
  string Word(lang::TitleWords list, int value) const { return S(lang::TitleWord(L, list, value)); }
  string Quality(int q) const {
    return q >= 0 && q < 9 ? S(lang::QualityNames[static_cast<std::size_t>(L)][static_cast<std::size_t>(q)]) : string();
  }
  std::int32_t X(std::size_t i) const { return i < numbers.size() ? numbers[i] : 0; }
  int S1() const { return signs.empty() ? 0 : signs[0]; }
  int S2() const { return signs.size() < 2 ? 0 : signs[1]; }

  // ---- chart data ----
  const CalculatedChart& Chart(int i) const;
  const CalculatedChart& Subject() const { return Chart(subject); }

  const std::array<double, 13>& OffsetCusps(int chart) const;
  int HouseOfLongitude(double lon, int chart) const;
  int HouseOfPoint(int id, int chart) const;
  double Cusp(int h, int chart) const;

  // ---- rulerships ----
  int SchemeRecordOfChoice(int choice) const;
  int StatementSchemeRecord() const { return SchemeRecordOfChoice(c.rulershipScheme); }
  // Dispositor and house ruler dignity and condition: the scheme of the report set's
  // almuten scheme, else Traditional.
  int AlmutenSchemeRecord() const;
  int Domicile(int sign, int record) const;
  int RulerOfHouse(int h, int chart, int record) const { return Domicile(SignOfLongitude(Cusp(h, chart)), record); }
  int RulerOfHouse(int h, int chart) const { return RulerOfHouse(h, chart, StatementSchemeRecord()); }
  int DispositorOf(const BoundPoint& p, int record) const {
    return Domicile(SignOfLongitude(p.position.Longitude), record);
  }
  int DispositorOf(const BoundPoint& p) const { return DispositorOf(p, StatementSchemeRecord()); }

  // The almuten scheme used for the dignity slots of a place, with the given rulership
  // record.
  AlmutenScheme SchemeWithRecord(int record) const;
  std::optional<DignitySlots> SlotsAt(double lon, int chart, int record) const;
  // PointDignified: the first of slots 0, 1, 2, 5, 6 that the point holds at its own place
  // (index into DignifiedBy), or -1.
  int DignityHeld(int id, int chart, int record) const;

  SlotTestContext SlotContext() const;
  bool Slot(int kind, int a, int b) const;

  // ---- aspects ----
  struct AspectFound {
    bool ok = false;
    AspectMatch match;
  };
  AspectFound TestAspect(int word, int idA, const PointPos& a, int idB, const PointPos& b) const;
  AspectFound TestAspect(int word, const BoundPoint& a, const BoundPoint& b) const {
    return TestAspect(word, a.id, a.position, b.id, b.position);
  }
  AspectFound TestAspectIds(int word, int idA, int idB, int chart) const;
  // The aspect word of a title: the found aspect's name ("Conjunct" and "Opposite" for
  // types 1 and 2), or the statement's word.
  string AspectTitle(const AspectFound& f) const;
  // The aspect as a noun for "approaching a/an ... with" titles: "Conjunction" and
  // "Opposition" where the plain title uses "Conjunct" and "Opposite".
  string AspectNoun(const AspectFound& f) const;
  string OrbText(const AspectFound& f) const;

  // PointInHouse across two charts: the first chart's point in the second chart's houses.
  void PointInPartnersHouse();

  // ---- binding ----
  BoundPoint Resolve(std::int32_t value, int chart) const;

  void Bind(int chartSelection);

  string P1() const { return Name(p1); }
  string P2() const { return Name(p2); }
  double L1() const { return p1.position.Longitude; }
  double L2() const { return p2.position.Longitude; }
  bool Computed1() const { return haveP1 && p1.position.Computed(); }
  // Set when the statement's truth hangs on a birth time the chart does not have (its
  // houses, angles or sect): such a statement is false, negated or not.
  mutable bool unknowable = false;
  // Whether the chart lacks its birth time; marks the statement unknowable when it does.
  bool TimeUnknown(int chart) const;
  // Marks the statement unknowable when a point it binds needs the birth time.
  void CheckTimedPoints();
  bool Computed2() const { return haveP2 && p2.position.Computed(); }

  // Sign quality test of PointInQualitySign and CuspInQuality.
  static bool QualityOfSign(int q, int sign);
  // The range of PointInRange, HouseRulerInRange and CuspInRange: from degree d1 of s1
  // to degree d2 of s2.
  static bool InRange(double lon, int d1, int s1, int d2, int s2);
  // Some almuten of a place (winners) that satisfies a test.
  template <typename F>
  bool AnyAlmuten(const AlmutenWinners& w, F f) const {
    for (int i = 0; i < w.count && i < 3; ++i)
      if (f(w.points[static_cast<std::size_t>(i)])) return true;
    return false;
  }
  const AlmutenWinners* CuspAlmutens(int h) const;
  const AlmutenWinners* PointAlmutens(int id) const;
  // The dignity words as bound (the compiler's value less one), Sign .. Face.
  enum class DignityWord : int {
    SignRuler, ExaltationRuler, DiurnalTriplicity, NocturnalTriplicity, InSectTriplicity, OutOfSectTriplicity,
    ParticipatingTriplicity, TermRuler, FaceRuler
  };
  // The ruler of cusp h by a dignity word.
  int DignityRulerOfCusp(int dignity, int h) const;

  void ComputeComplexion();
  bool InStarset(double lon) const {
    return ReduceDegrees(lon - c.starsetStart_) < 180.0 && ReduceDegrees(lon - c.starsetEnd_) > 180.0;
  }
  void DegreeParagraph(int degree);

  // ---- placeholders and point lists of the later statements ----
  // Sets the text of placeholder %letter in the statement's own paragraph.
  void Fill(char letter, const string& text) { result.placeholders.emplace_back(letter, text); }
  // "the Sun, Mercury and Venus" in the report language (names with their article, the
  // article in lower case).
  string PointList(const std::vector<int>& ids) const;
  string InSignWords(int sign) const;   // "in Capricorn"
  string InHouseWords(int house) const; // "in the 10th house"
  // "Mars in Aries, in the 10th house" (the house only with the birth time).
  string Placement(int id) const;
  // Whether the subject chart has its birth time; unlike TimeUnknown it leaves the
  // statement knowable.
  bool TimeKnown() const { return !Subject().Chart.TimeUnknown; }

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
  bool Figures();             // aspect figures: stellium, T-square, grand trine, cross, yod, kite
  bool Emphasis();            // dominants, hemispheres, quadrants, chart ruler, house system, birth time
};

}  // namespace korvana
