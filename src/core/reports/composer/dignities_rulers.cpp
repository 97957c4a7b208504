#include "core/reports/composer/statement_eval.h"

namespace korvana {

// Statements about essential dignity and debility, and about rulers: house rulers,
// dispositors, dignity rulers of a cusp, their places, conditions and aspects.
bool ReportComposer::Eval::DignitiesAndRulers() {
  bool& t = result.truth;
  string& title = result.title;
  const StatementCode code = st.Statement();
  switch (code) {
    case StatementCode::PointDignified: {
      int d = DignityHeld(p1.id, subject, StatementSchemeRecord());
      t = d >= 0;
      lang::TitleFields f = Fields();
      f.word = Word(lang::TitleWords::DignifiedBy, d);
      title = Title(t ? lang::Title::PointDignifiedBy : lang::Title::PointDignified, f);
      return true;
    }
    case StatementCode::PointDebilitated: {
      int reason = -1;  // the DebilitatedBy word
      if (IsPointId(p1.id) && Computed1()) {
        auto slots = SlotsAt(L1(), subject, StatementSchemeRecord());
        const AspectSet* set = c.inputs.aspects;
        auto moiety = [&](int id) -> double {
          return set && IsPointId(id) ? set->displayedMoieties[static_cast<std::size_t>(id)] : 0.0;
        };
        if (slots && (*slots)[DignityDetriment] == p1.id)
          reason = 0;
        else if (slots && (*slots)[DignityFall] == p1.id)
          reason = 1;
        else if (slots && DignityHeld(p1.id, subject, StatementSchemeRecord()) < 0)
          reason = 2;
        if (reason < 0 && c.classical.algolLongitude >= 0) {
          double d = std::fabs(ReduceDegrees(L1() - c.classical.algolLongitude + 180.0) - 180.0);
          if (d <= moiety(p1.id)) reason = 3;
        }
        if (reason < 0) {
          for (int malefic : {int(PointMars), int(PointSaturn)}) {
            if (malefic == p1.id || !Subject().Point(malefic).Computed()) continue;
            double sep = ReduceDegrees(L1() - Subject().Longitude(malefic));
            double off = std::fmod(sep, 90.0);
            double dist = std::min(off, 90.0 - off);
            if (dist <= moiety(p1.id) + moiety(malefic)) {
              reason = 4;
              break;
            }
          }
        }
      }
      t = reason >= 0;
      lang::TitleFields f = Fields();
      f.word = Word(lang::TitleWords::DebilitatedBy, reason);
      title = Title(t ? lang::Title::PointDebilitatedBy : lang::Title::PointDebilitated, f);
      return true;
    }
    case StatementCode::PointCondition: {
      t = Slot(Word(WordClass::Condition), p1.id, p2.id);
      lang::TitleFields f = Fields();
      f.word = Word(lang::TitleWords::Condition, Word(WordClass::Condition));
      title = Title(lang::Title::PointCondition, f);
      return true;
    }
    case StatementCode::PointConditionOfPoint:
      t = Slot(Word(WordClass::Condition), p1.id, p2.id);
      title = P1() + Is() + WordOf(ConditionTitles, Word(WordClass::Condition)) + " of " + P2();
      return true;
    case StatementCode::DispositorInSign: {
      int d = DispositorOf(p1);
      t = IsPointId(d) && SignOfLongitude(Subject().Longitude(d)) == S1();
      title = Row(Phrase::DispositorOf) + " " + P1() + Is() + Row(Phrase::In) + " " + Sign(S1());
      return true;
    }
    case StatementCode::DispositorInHouse: {
      int d = DispositorOf(p1);
      t = IsPointId(d) && HouseOfPoint(d, subject) == x;
      title = Row(Phrase::DispositorOf) + " " + P1() + Is() + Row(Phrase::InThe) + " " + House(x) + " " +
              Row(Phrase::House);
      return true;
    }
    case StatementCode::DispositorIsPoint: {
      int d = DispositorOf(p1);
      t = IsPointId(d) && d == p2.id;
      title = Row(Phrase::DispositorOf) + " " + P1() + Is() + P2();
      return true;
    }
    case StatementCode::DispositorAspectsPoint: {
      int d = DispositorOf(p1);
      AspectFound f = IsPointId(d) ? TestAspect(aspect, d, Subject().Point(d), p2.id, p2.position) : AspectFound{};
      t = f.ok;
      title = Row(Phrase::DispositorOf) + " " + P1() + Is() + AspectTitle(f) + " " + P2();
      return true;
    }
    case StatementCode::HouseRulerIsPoint: {
      int r = RulerOfHouse(x, subject);
      t = IsPointId(r) && r == p1.id;
      lang::TitleFields f = Fields();
      f.house = House(x);
      title = Title(lang::Title::HouseRulerIsPoint, f);
      return true;
    }
    case StatementCode::PointRulesHouse: {
      int r = RulerOfHouse(x, subject);
      t = IsPointId(r) && r == p1.id;
      lang::TitleFields f = Fields();
      f.house = House(x);
      title = Title(lang::Title::PointRulesHouse, f);
      return true;
    }
    case StatementCode::HouseRulerInHouse: {
      int r = RulerOfHouse(x, subject);
      t = IsPointId(r) && HouseOfPoint(r, subject) == y;
      lang::TitleFields f = Fields();
      f.house = House(x);
      f.house2 = House(y);
      title = Title(lang::Title::HouseRulerInHouse, f);
      return true;
    }
    case StatementCode::DispositorDignified: {
      int d = DispositorOf(p1, AlmutenSchemeRecord());
      int held = DignityHeld(d, subject, AlmutenSchemeRecord());
      t = held >= 0;
      title =
          "Dispositor of " + P1() + " is " + Not() + "Dignified" + (t ? " by " + WordOf(DignifiedBy, held) : string());
      return true;
    }
    case StatementCode::DispositorCondition: {
      int d = DispositorOf(p1, AlmutenSchemeRecord());
      t = Slot(Word(WordClass::Condition), d, p2.id);
      title = "Dispositor of " + P1() + " is " + Not() + WordOf(ConditionTitles, Word(WordClass::Condition));
      return true;
    }
    case StatementCode::HouseRulerDignified: {
      int r = RulerOfHouse(x, subject, AlmutenSchemeRecord());
      int held = DignityHeld(r, subject, AlmutenSchemeRecord());
      t = held >= 0;
      title = "Ruler of the " + House(x) + " House is " + Not() + "Dignified" +
              (t ? " by " + WordOf(DignifiedBy, held) : string());
      return true;
    }
    case StatementCode::HouseRulerCondition: {
      int r = RulerOfHouse(x, subject, AlmutenSchemeRecord());
      t = Slot(Word(WordClass::Condition), r, p2.id);
      title = "Ruler of the " + House(x) + " House is " + Not() + WordOf(ConditionTitles, Word(WordClass::Condition));
      return true;
    }
    case StatementCode::HouseRulerAspectsDispositor: {
      int r = RulerOfHouse(x, subject);
      int d = DispositorOf(p1);
      AspectFound f = TestAspectIds(aspect, r, d, subject);
      t = f.ok;
      title = "Ruler of the " + House(x) + " House is " + Not() + AspectTitle(f) + " the Dispositor of " + P1();
      return true;
    }
    case StatementCode::HouseRulerAspectsHouseRuler:
    case StatementCode::HouseRulerApproachesHouseRuler: {
      int r1 = RulerOfHouse(x, subject), r2 = RulerOfHouse(y, subject);
      AspectFound f = TestAspectIds(aspect, r1, r2, subject);
      t = f.ok && (code == StatementCode::HouseRulerAspectsHouseRuler || f.match.applying);
      lang::TitleFields tf = Fields();
      tf.aspect = code == StatementCode::HouseRulerAspectsHouseRuler ? AspectTitle(f) : AspectNoun(f);
      tf.house = House(x);
      tf.house2 = House(y);
      tf.word = Word(lang::TitleWords::Motion, 0);
      title = Title(code == StatementCode::HouseRulerAspectsHouseRuler ? lang::Title::HouseRulerAspectsHouseRuler
                                                                         : lang::Title::HouseRulerAppliesToHouseRuler,
                    tf);
      return true;
    }
    case StatementCode::DispositorInFace: {
      int d = DispositorOf(p1);
      double lon = IsPointId(d) ? Subject().Longitude(d) : -1;
      t = lon >= 0 && SignOfLongitude(lon) == S1() && DecanOf(lon) == x;
      title = "Dispositor of " + P1() + " is " + Not() + "in the " + House(x) + " Face of " + Sign(S1());
      return true;
    }
    case StatementCode::PointSignificator: {
      t = IsPointId(p1.id) && IsPointId(p2.id) && Stronger(Subject(), c.classical.reportScores, p1.id, p2.id) == p1.id;
      lang::TitleFields f = Fields();
      f.word = Word(lang::TitleWords::Significator, Word(WordClass::Significator));
      title = Title(lang::Title::PointSignificator, f);
      return true;
    }
    case StatementCode::DignityRulerCondition: {
      int r = DignityRulerOfCusp(Word(WordClass::Dignity), x);
      t = Slot(Word(WordClass::Condition), r, p2.id);
      title = WordOf(DignityTitles, Word(WordClass::Dignity)) + " Ruler of the " + House(x) + " House is " + Not() +
              WordOf(ConditionTitles, Word(WordClass::Condition));
      return true;
    }
    case StatementCode::DignityRulerIsPoint: {
      int r = DignityRulerOfCusp(Word(WordClass::Dignity), x);
      t = IsPointId(r) && r == p1.id;
      title =
          WordOf(DignityTitles, Word(WordClass::Dignity)) + " Ruler of the " + House(x) + " House is " + Not() + P1();
      return true;
    }
    case StatementCode::PointMoreDignified: {
      // The totals weigh each planet's house, which a chart without its birth time lacks.
      TimeUnknown(subject);
      t = IsPointId(p1.id) && IsPointId(p2.id) &&
          c.classical.reportScores.score[static_cast<std::size_t>(p1.id)] >
              c.classical.reportScores.score[static_cast<std::size_t>(p2.id)];
      title = P1() + Is() + "more dignified than " + P2();
      return true;
    }
    case StatementCode::HouseRulerInRange: {
      int r = RulerOfHouse(x, subject);
      t = IsPointId(r) && InRange(Subject().Longitude(r), y, S1(), static_cast<int>(X(2)), S2());
      title = "Ruler of the " + House(x) + " House is " + Not() + "in range " + std::to_string(y) + " " + Sign(S1()) +
              " to " + std::to_string(X(2)) + " " + Sign(S2());
      return true;
    }
    case StatementCode::PointCoRulesHouse: {
      if (x >= 1 && x <= 12 && IsPointId(p1.id)) {
        int next = x % 12 + 1;
        int from = SignOfLongitude(Cusp(x, subject)), to = SignOfLongitude(Cusp(next, subject));
        if (from > 0 && to > 0) {
          for (int s = from % 12 + 1; s != to && s != from; s = s % 12 + 1)
            if (Domicile(s, StatementSchemeRecord()) == p1.id) t = true;
        }
      }
      title = P1() + Is() + "a Co-Ruler of the " + House(x) + " House by Interception";
      return true;
    }
    default:
      return false;
  }
}

}  // namespace korvana
