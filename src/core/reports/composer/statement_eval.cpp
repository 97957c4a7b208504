#include "core/reports/composer/statement_eval.h"

namespace korvana {

std::string ReportComposer::Eval::ArticleFor(std::string_view word) {
  if (!word.empty()) {
    char c = word[0];
    if (c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U' || c == 'a' || c == 'e' || c == 'i' || c == 'o' ||
        c == 'u')
      return "an ";
  }
  return "a ";
}

bool ReportComposer::Eval::RecordFitsWord(int word, int record) {
  using enum AspectType;
  switch (static_cast<AspectWordValue>(word)) {
    case AspectWordValue::Conjunct:
    case AspectWordValue::Conjunction:
      return IsRecordOf(record, Conjunction);
    case AspectWordValue::Opposite:
    case AspectWordValue::Opposition:
      return IsRecordOf(record, Opposition);
    case AspectWordValue::Trine:
      return IsRecordOf(record, Trine);
    case AspectWordValue::Square:
      return IsRecordOf(record, Square);
    case AspectWordValue::Sextile:
      return IsRecordOf(record, Sextile);
    case AspectWordValue::Aspects:
    case AspectWordValue::Aspect:
      return record > 0;
    case AspectWordValue::Soft:
      return IsRecordOf(record, Conjunction) || IsRecordOf(record, Trine) || IsRecordOf(record, Sextile);
    case AspectWordValue::Hard:
      return IsRecordOf(record, Opposition) || IsRecordOf(record, Square) || IsRecordOf(record, Semisquare) ||
             IsRecordOf(record, Sesquisquare) || IsRecordOf(record, Quincunx);
    case AspectWordValue::Semisquare:
      return IsRecordOf(record, Semisquare);
    case AspectWordValue::Sesquisquare:
      return IsRecordOf(record, Sesquisquare);
    case AspectWordValue::Quincunx:
      return IsRecordOf(record, Quincunx);
    case AspectWordValue::Semisextile:
      return IsRecordOf(record, Semisextile);
    case AspectWordValue::Quintile:
      return IsRecordOf(record, Quintile);
    case AspectWordValue::Biquintile:
      return IsRecordOf(record, BiQuintile);
    default:
      return false;
  }
}

ReportComposer::Eval::Eval(ReportComposer& composer, const CompiledRecord& statement,
                           const std::vector<CalculatedChart>& cs, int high, bool two)
    : c(composer),
      st(statement),
      charts(cs),
      highChart(high),
      L(composer.inputs.language),
      neg(statement.negated),
      twoCharts(two) {
  words.fill(-1);
  if (L < 0 || L >= lang::LanguageCount) L = 0;
  fallbackScheme.rulershipScheme =
      static_cast<std::int16_t>(composer.inputs.tables ? composer.inputs.tables->schemeT : 1);
}

const CalculatedChart& ReportComposer::Eval::Chart(int i) const {
  int k = i < 0 ? 0 : i;
  if (k > highChart) k = highChart;
  if (static_cast<std::size_t>(k) >= charts.size()) k = 0;
  return charts[static_cast<std::size_t>(k)];
}

const std::array<double, 13>& ReportComposer::Eval::OffsetCusps(int chart) const {
  std::size_t k = chart == 1 ? 1 : 0;
  if (c.classical.offsetCusps[k]) return *c.classical.offsetCusps[k];
  return Chart(chart).Houses.Cusps;
}

bool ReportComposer::Eval::TimeUnknown(int chart) const {
  if (!Chart(chart).Chart.TimeUnknown) return false;
  unknowable = true;
  return true;
}

void ReportComposer::Eval::CheckTimedPoints() {
  // Only the points the statement names; a second point carried over from the last pair
  // does not make, say, a sign statement depend on the time.
  if (!points.empty() && haveP1 && NeedsBirthTime(points[0])) TimeUnknown(p1.chart);
  if (points.size() > 1 && haveP2 && NeedsBirthTime(points[1])) TimeUnknown(p2.chart);
}

int ReportComposer::Eval::HouseOfLongitude(double lon, int chart) const {
  if (!(lon >= 0) || TimeUnknown(chart)) return 0;
  return HouseOf(OffsetCusps(chart), lon);
}

int ReportComposer::Eval::HouseOfPoint(int id, int chart) const {
  if (!IsPointId(id)) return 0;
  return HouseOfLongitude(Chart(chart).Longitude(id), chart);
}

double ReportComposer::Eval::Cusp(int h, int chart) const {
  if (h < 1 || h > 12 || TimeUnknown(chart)) return -1;
  return Chart(chart).Houses.Cusps[static_cast<std::size_t>(h)];
}

int ReportComposer::Eval::SchemeRecordOfChoice(int choice) const {
  const RulershipTables* t = c.inputs.tables;
  if (!t) return 1;
  switch (choice) {
    case RulersModern:
      return t->schemeM;
    case RulersEsoteric:
      return t->schemeE;
    case RulersHierarchical:
      return t->schemeH;
    default:
      return t->schemeT;
  }
}

int ReportComposer::Eval::AlmutenSchemeRecord() const {
  if (c.classical.reportScheme) return c.classical.reportScheme->rulershipScheme;
  return SchemeRecordOfChoice(RulersTraditional);
}

int ReportComposer::Eval::Domicile(int sign, int record) const {
  const RulershipTables* t = c.inputs.tables;
  if (!t || sign < 1 || sign > 12) return 0;
  const RulershipScheme* s = t->Scheme(record);
  if (!s) return 0;
  int r = s->domicile[static_cast<std::size_t>(sign)];
  return IsPointId(r) ? r : 0;
}

AlmutenScheme ReportComposer::Eval::SchemeWithRecord(int record) const {
  AlmutenScheme s = c.classical.reportScheme ? *c.classical.reportScheme : AlmutenScheme{};
  s.rulershipScheme = static_cast<std::int16_t>(record);
  return s;
}

std::optional<DignitySlots> ReportComposer::Eval::SlotsAt(double lon, int chart, int record) const {
  if (!c.inputs.tables || !(lon >= 0)) return std::nullopt;
  const AlmutenScheme scheme = SchemeWithRecord(record);
  if (!Chart(chart).Chart.TimeUnknown) return DignityRulersAt(lon, scheme, IsDayChart(Chart(chart)), *c.inputs.tables);
  // Without the birth time the sect is unknown: the rulers stand only when both sects agree.
  const DignitySlots byDay = DignityRulersAt(lon, scheme, true, *c.inputs.tables);
  if (byDay != DignityRulersAt(lon, scheme, false, *c.inputs.tables)) TimeUnknown(chart);
  return byDay;
}

int ReportComposer::Eval::DignityHeld(int id, int chart, int record) const {
  if (!IsPointId(id)) return -1;
  auto slots = SlotsAt(Chart(chart).Longitude(id), chart, record);
  if (!slots) return -1;
  constexpr std::array<int, 5> order = {DignityRuler, DignityExaltation, DignityTriplicity, DignityTerm, DignityFace};
  for (std::size_t i = 0; i < order.size(); ++i)
    if ((*slots)[static_cast<std::size_t>(order[i])] == id) return static_cast<int>(i);
  return -1;
}

SlotTestContext ReportComposer::Eval::SlotContext() const {
  SlotTestContext ctx;
  ctx.scheme = c.classical.reportScheme ? &*c.classical.reportScheme : &fallbackScheme;
  ctx.tables = c.inputs.tables;
  ctx.scores = &c.classical.reportScores;
  ctx.combustOrb = c.inputs.combustOrb;
  return ctx;
}

bool ReportComposer::Eval::Slot(int kind, int a, int b) const {
  if (!IsPointId(a)) return false;
  return SlotTest(Subject(), SlotContext(), kind, a, b);
}

auto ReportComposer::Eval::TestAspect(int word, int idA, const PointPos& a, int idB, const PointPos& b) const
    -> AspectFound {
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

auto ReportComposer::Eval::TestAspectIds(int word, int idA, int idB, int chart) const -> AspectFound {
  // One planet ruling both houses makes no aspect with itself.
  if (!IsPointId(idA) || !IsPointId(idB) || idA == idB) return {};
  return TestAspect(word, idA, Chart(chart).Point(idA), idB, Chart(chart).Point(idB));
}

std::string ReportComposer::Eval::AspectTitle(const AspectFound& f) const {
  if (f.ok && f.match.record > 0 && c.inputs.aspects) {
    const AspectRecord* r = c.inputs.aspects->Record(f.match.record);
    if (r) {
      if (r->aspectType == static_cast<int>(AspectType::Conjunction))
        return S(lang::AspectWord(L, static_cast<int>(AspectWordValue::Conjunct)));
      if (r->aspectType == static_cast<int>(AspectType::Opposition))
        return S(lang::AspectWord(L, static_cast<int>(AspectWordValue::Opposite)));
      if (IsAspectType(r->aspectType)) return S(lang::AspectName(L, r->aspectType));
    }
  }
  return S(lang::AspectWord(L, aspect));
}

std::string ReportComposer::Eval::AspectNoun(const AspectFound& f) const {
  if (f.ok && f.match.record > 0 && c.inputs.aspects) {
    const AspectRecord* r = c.inputs.aspects->Record(f.match.record);
    if (r && IsAspectType(r->aspectType)) return S(lang::AspectName(L, r->aspectType));
  }
  // "Conjunct" and "Opposite" have the aspect numbers of Conjunction and Opposition.
  if (aspect == static_cast<int>(AspectWordValue::Conjunct) || aspect == static_cast<int>(AspectWordValue::Opposite))
    return S(lang::AspectName(L, aspect));
  return S(lang::AspectWord(L, aspect));
}

std::string ReportComposer::Eval::OrbText(const AspectFound& f) const {
  if (!f.ok) return string();
  return " (" + Row(Phrase::Orb) + " " +
         FormatAngle(1, true, false, true, std::fabs(static_cast<double>(f.match.orb))) + ")";
}

BoundPoint ReportComposer::Eval::Resolve(std::int32_t value, int chart) const {
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

void ReportComposer::Eval::Bind(int chartSelection) {
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
        case WordClass::Sign:
          signs.push_back(v);
          break;
        case WordClass::Aspect:
          aspect = v;
          break;
        case WordClass::Star:
          star = v;
          break;
        default: {
          std::size_t k = static_cast<std::size_t>(item.wordClass);
          if (k < words.size()) words[k] = v - 1;
        }
      }
    }
  }
  // UntimedIngress is never compiled and has no pattern: its first parameter is the point.
  if (!pattern && st.Statement() == StatementCode::UntimedIngress && st.params[0] != 0) points.push_back(st.params[0]);
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
  partner = chart2;
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

bool ReportComposer::Eval::QualityOfSign(int q, int sign) {
  if (sign < 1) return false;
  if (q == 0) return sign % 2 == 1;
  if (q == 1) return sign % 2 == 0;
  if (q >= 2 && q <= 4) return q == 2 + (sign - 1) % 3;
  if (q >= 5 && q <= 8) return q == 5 + (sign - 1) % 4;
  return false;
}

bool ReportComposer::Eval::InRange(double lon, int d1, int s1, int d2, int s2) {
  if (!(lon >= 0) || s1 < 1 || s1 > 12 || s2 < 1 || s2 > 12) return false;
  double start = (s1 - 1) * 30.0 + d1, end = (s2 - 1) * 30.0 + d2;
  return ReduceDegrees(lon - start) <= ReduceDegrees(end - start);
}

const AlmutenWinners* ReportComposer::Eval::CuspAlmutens(int h) const {
  if (!c.classical.almutensKnown || h < 1 || h > 12) return nullptr;
  return &c.classical.almutens.cusps[static_cast<std::size_t>(h)];
}

const AlmutenWinners* ReportComposer::Eval::PointAlmutens(int id) const {
  if (!c.classical.almutensKnown || !IsPointId(id)) return nullptr;
  return &c.classical.almutens.points[static_cast<std::size_t>(id)];
}

int ReportComposer::Eval::DignityRulerOfCusp(int dignity, int h) const {
  auto slots = SlotsAt(Cusp(h, subject), subject, AlmutenSchemeRecord());
  if (!slots) return 0;
  bool day = IsDayChart(Subject());
  int slot = -1;
  switch (static_cast<DignityWord>(dignity)) {
    case DignityWord::SignRuler:
      slot = DignityRuler;
      break;
    case DignityWord::ExaltationRuler:
      slot = DignityExaltation;
      break;
    case DignityWord::DiurnalTriplicity:
      slot = day ? DignityTriplicity : DignityTriplicityOther;
      break;
    case DignityWord::NocturnalTriplicity:
      slot = day ? DignityTriplicityOther : DignityTriplicity;
      break;
    case DignityWord::InSectTriplicity:
      slot = DignityTriplicity;
      break;
    case DignityWord::OutOfSectTriplicity:
      slot = DignityTriplicityOther;
      break;
    case DignityWord::ParticipatingTriplicity:
      slot = DignityParticipating;
      break;
    case DignityWord::TermRuler:
      slot = DignityTerm;
      break;
    case DignityWord::FaceRuler:
      slot = DignityFace;
      break;
    default:
      return 0;
  }
  return (*slots)[static_cast<std::size_t>(slot)];
}

void ReportComposer::Eval::ComputeComplexion() {
  TemperamentInputs in;
  in.aspects = c.inputs.aspects;
  in.tables = c.inputs.tables;
  in.genitureRulers = c.classical.genitureRulers;
  if (c.classical.almutensKnown) in.moonAlmutens = c.classical.almutens.points[PointMoon];
  TemperamentResult r = TemperamentSummary(Chart(0), in);
  c.complexion_.counts = r.counts;
  c.complexion_.summary = r.text;
  c.complexion_.type = Temperament(r.counts);
  c.complexion_.computed = true;
}

void ReportComposer::Eval::DegreeParagraph(int degree) {
  string text;
  if (c.inputs.interps)
    c.inputs.interps->GetText(DegreeText, degree, 0, 0, text);
  else
    text = interp_messages::NoFile;
  result.extraText = text;
  result.extraTextSet = true;
}

std::string ReportComposer::Eval::PointList(const std::vector<int>& ids) const {
  string list;
  for (std::size_t i = 0; i < ids.size(); ++i) {
    string name = S(lang::PointNameWithArticle(L, ids[i]));
    // "The Moon" inside a sentence; names without an article stay as they are.
    if (name != S(lang::PointName(L, ids[i])) && !name.empty()) name[0] = static_cast<char>(std::tolower(name[0]));
    if (i > 0) list += i + 1 == ids.size() ? " " + Row(Phrase::And) + " " : string(", ");
    list += name;
  }
  return list;
}

std::string ReportComposer::Eval::InSignWords(int sign) const { return Row(Phrase::In) + " " + Sign(sign); }

std::string ReportComposer::Eval::InHouseWords(int house) const {
  string word = Row(Phrase::House);
  if (!word.empty()) word[0] = static_cast<char>(std::tolower(word[0]));
  // English numbers the house before the word ("in the 5th house"), the others after it.
  if (L != lang::LanguageEnglish) return Row(Phrase::InThe) + " " + word + " " + House(house);
  return Row(Phrase::InThe) + " " + House(house) + " " + word;
}

std::string ReportComposer::Eval::Placement(int id) const {
  if (!IsPointId(id) || !Subject().Point(id).Computed()) return string();
  string text = PointList({id}) + " " + InSignWords(SignOfLongitude(Subject().Longitude(id)));
  if (TimeKnown()) {
    const int h = HouseOf(OffsetCusps(subject), Subject().Longitude(id));
    if (h >= 1 && h <= 12) text += ", " + InHouseWords(h);
  }
  return text;
}

void ReportComposer::Eval::Run() {
  x = static_cast<int>(X(0));
  y = static_cast<int>(X(1));
  using Family = bool (Eval::*)();
  static constexpr Family families[] = {&Eval::SignsAndHouses, &Eval::Aspects, &Eval::DignitiesAndRulers,
                                        &Eval::Classical,      &Eval::Stars,   &Eval::ChartsAndOptions,
                                        &Eval::Figures,        &Eval::Emphasis};
  for (Family family : families)
    if ((this->*family)()) return;
  result.title = UnhandledStatementTitle;
}

}  // namespace korvana
