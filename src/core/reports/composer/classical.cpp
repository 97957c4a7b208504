#include "core/reports/composer/statement_eval.h"

namespace korvana {

// Statements of the classical analysis: orientality, phase, hemisphere and sect, rising
// and setting, geniture ruler, alcocoden and almutens, complexion and temperament, and
// the element, mode and polarity balance.
bool ReportComposer::Eval::Classical() {
  bool& t = result.truth;
  string& title = result.title;
  const StatementCode code = st.Statement();
  // The geniture, the hyleg, the sect, rising and setting and the complexion all start from
  // the Ascendant or the sect.
  for (StatementCode timed : {StatementCode::GenitureRuler, StatementCode::Alcocoden, StatementCode::SectOfBirth,
                              StatementCode::PointRisesOrSets, StatementCode::ComplexionalScores,
                              StatementCode::ComplexionalType, StatementCode::PointAlmutenIsPoint,
                              StatementCode::PointAlmutenInFace})
    if (code == timed) TimeUnknown(subject);
  switch (code) {
    case StatementCode::PointOrientality: {
      int v = ReduceDegrees(L1() - Subject().Longitude(PointSun)) < 180 ? 0 : 1;
      t = Computed1() && Subject().Point(PointSun).Computed() && v == Word(WordClass::Orientality);
      title = P1() + Is() + WordOf(OrientalityWords, Word(WordClass::Orientality));
      return true;
    }
    case StatementCode::PointPhase: {
      int v = ReduceDegrees(L1() - Subject().Longitude(PointSun)) > 180 ? 1 : 0;
      t = Computed1() && Subject().Point(PointSun).Computed() && v == Word(WordClass::Phase);
      lang::TitleFields f = Fields();
      f.word = Word(lang::TitleWords::Phase, Word(WordClass::Phase));
      title = Title(lang::Title::PointPhase, f);
      return true;
    }
    case StatementCode::GenitureRuler:
      for (int r : c.classical.genitureRulers)
        if (r != 0 && r == p1.id) t = true;
      title = "Ruler of the Geniture is " + Not() + P1();
      return true;
    case StatementCode::Alcocoden:
      t = AnyAlmuten(c.classical.hylegAlmutens, [&](int p) { return p != 0 && p == p1.id; });
      title = "The Alcocoden is " + Not() + P1();
      return true;
    case StatementCode::PointAlmutenIsPoint: {
      const AlmutenWinners* w = PointAlmutens(p1.id);
      t = w && AnyAlmuten(*w, [&](int p) { return p != 0 && p == p2.id; });
      title = "The Almuten of " + P1() + Is() + P2();
      return true;
    }
    case StatementCode::HemisphereOfBirth: {
      int v = Subject().Chart.Latitude > 0 ? 0 : 1;
      t = v == Word(WordClass::Latitude);
      lang::TitleFields f = Fields();
      f.word = Word(lang::TitleWords::Hemisphere, Word(WordClass::Latitude));
      title = Title(lang::Title::Hemisphere, f);
      return true;
    }
    case StatementCode::SectOfBirth: {
      int v = ReduceDegrees(Subject().Longitude(PointSun) - Subject().Longitude(PointAscendant)) > 180 ? 0 : 1;
      t = v == Word(WordClass::Sect);
      lang::TitleFields f = Fields();
      f.word = Word(lang::TitleWords::Sect, Word(WordClass::Sect));
      title = Title(lang::Title::Sect, f);
      return true;
    }
    case StatementCode::PointRisesOrSets: {
      int v = ReduceDegrees(L2() - L1()) >= 180 ? 1 : 0;
      t = Computed1() && Computed2() && v == Word(WordClass::BeforeAfter);
      title = P1() + " " + (neg ? Row(Phrase::DoesNot) : string()) +
              WordOf(RisesSetsWords, Word(WordClass::RisesSets)) + " " +
              WordOf(BeforeAfterWords, Word(WordClass::BeforeAfter)) + " " + P2();
      return true;
    }
    case StatementCode::PointAlmutenInFace: {
      const AlmutenWinners* w = PointAlmutens(p1.id);
      t = w && AnyAlmuten(*w, [&](int p) {
            double lon = IsPointId(p) ? Subject().Longitude(p) : -1;
            return lon >= 0 && SignOfLongitude(lon) == S1() && DecanOf(lon) == x;
          });
      title = "The Almuten of " + P1() + " is " + Not() + "in the " + House(x) + " Face of " + Sign(S1());
      return true;
    }
    case StatementCode::ComplexionalScores: {
      ComputeComplexion();
      t = true;
      title = "Complexional Scores";
      static constexpr std::array<const char*, 4> labels = {"|Hot: ", "|Cold: ", "|Wet: ", "|Dry: "};
      string text = c.complexion_.summary + "||" + "Final complexional scores:";
      for (std::size_t i = 0; i < 4; ++i) text += string(labels[i]) + "\t" + std::to_string(c.complexion_.counts[i]);
      result.extraText = text;
      result.extraTextSet = true;
      return true;
    }
    case StatementCode::ComplexionalType: {
      if (!c.complexion_.computed) ComputeComplexion();
      t = c.complexion_.type == Word(WordClass::Temperament);
      int w = Word(WordClass::Temperament);
      title = "Complexional Type is " + Not() +
              (w >= 0 && w < 9 ? S(lang::TemperamentWords[static_cast<std::size_t>(w)]) : string());
      return true;
    }
    case StatementCode::HouseAlmutenInHouse: {
      const AlmutenWinners* w = CuspAlmutens(x);
      t = w && AnyAlmuten(*w, [&](int p) { return HouseOfPoint(p, subject) == y; });
      title = "Almuten of the " + House(x) + " House is " + Not() + "in the " + House(y) + " House";
      return true;
    }
    case StatementCode::HouseAlmutenIsPoint: {
      const AlmutenWinners* w = CuspAlmutens(x);
      t = w && AnyAlmuten(*w, [&](int p) { return p != 0 && p == p1.id; });
      title = "Almuten of the " + House(x) + " House is " + Not() + P1();
      return true;
    }
    case StatementCode::HouseAlmutenCondition: {
      const AlmutenWinners* w = CuspAlmutens(x);
      t = w && AnyAlmuten(*w, [&](int p) { return Slot(Word(WordClass::Condition), p, p2.id); });
      title = "Almuten of the " + House(x) + " House is " + Not() + WordOf(ConditionTitles, Word(WordClass::Condition));
      return true;
    }
    case StatementCode::PointAlmutenInHouse: {
      const AlmutenWinners* w = PointAlmutens(p1.id);
      t = w && AnyAlmuten(*w, [&](int p) { return HouseOfPoint(p, subject) == x; });
      title = "The Almuten of " + P1() + " is " + Not() + "in the " + House(x) + " House";
      return true;
    }
    case StatementCode::HouseAlmutenInHouseClass: {
      const AlmutenWinners* w = CuspAlmutens(x);
      t = w && AnyAlmuten(*w, [&](int p) {
            int h = HouseOfPoint(p, subject);
            return h > 0 && (h + 11) % 3 == Word(WordClass::HouseClass);
          });
      string cls = WordOf(HouseClassWords, Word(WordClass::HouseClass));
      title = "Almuten of the " + House(x) + " House is " + Not() + "in " + ArticleFor(cls) + cls + " House";
      return true;
    }
    case StatementCode::Element:
    case StatementCode::Mode:
    case StatementCode::Polarity: {
      int q = Word(WordClass::Quality), strength = Word(WordClass::Strength);
      int group = -1;
      if (code == StatementCode::Element && q >= 5 && q <= 8) group = q;
      if (code == StatementCode::Mode && q >= 2 && q <= 4) group = q;
      if (code == StatementCode::Polarity && q >= 0 && q <= 1) group = q;
      if (strength == 0)
        t = true;
      else if (group >= 0 && strength >= 1 && strength <= 3)
        t = BalanceLevel(Subject(), group, strength);
      const bool rated = strength >= 1 && strength <= 3;
      lang::TitleFields f = Fields();
      f.quality = Quality(q);
      if (rated) f.word = S(lang::StrengthWords[static_cast<std::size_t>(L)][static_cast<std::size_t>(strength)]);
      using K = lang::Title;
      if (code == StatementCode::Element)
        title = Title(rated ? K::ElementStrength : K::ElementLabel, f);
      else if (code == StatementCode::Mode)
        title = Title(rated ? K::ModeStrength : K::ModeLabel, f);
      else
        title = Title(rated ? K::PolarityStrength : K::PolarityLabel, f);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace korvana
