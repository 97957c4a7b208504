#include "core/reports/composer/statement_eval.h"

namespace korvana {

// Statements about aspects: between two points (in one chart or across two), applying
// and separating, to a house ruler, to a house cusp, and to planets in a house or face.
bool ReportComposer::Eval::Aspects() {
  bool& t = result.truth;
  string& title = result.title;
  const StatementCode code = st.Statement();
  switch (code) {
    case StatementCode::PointAspectsHouseRuler: {
      int r = RulerOfHouse(x, subject);
      AspectFound f = IsPointId(r) && r != p1.id ? TestAspect(aspect, p1.id, p1.position, r, Subject().Point(r))
                                                 : AspectFound{};
      t = f.ok;
      lang::TitleFields tf = Fields();
      tf.aspect = AspectTitle(f);
      tf.house = House(x);
      title = Title(lang::Title::PointAspectsHouseRuler, tf);
      return true;
    }
    case StatementCode::PointAspectsPoint: {
      AspectFound f = TestAspect(aspect, p1, p2);
      bool differentCharts = p1.chart != p2.chart;
      BoundPoint a = p1, b = p2;
      if (!f.ok && differentCharts && haveP2) {
        BoundPoint sa = Resolve(p1.value, p2.chart), sb = Resolve(p2.value, p1.chart);
        // The other way round stands on the other charts' birth times: one person's Sun
        // on the Ascendant of the other is known when only that other's time is.
        // Found that way, it holds; not found, it stays unknown if either way was.
        const bool firstUnknowable = unknowable;
        unknowable = false;
        if (NeedsBirthTime(sa.value)) TimeUnknown(sa.chart);
        if (NeedsBirthTime(sb.value)) TimeUnknown(sb.chart);
        AspectFound g = TestAspect(aspect, sa, sb);
        if (!g.ok) unknowable = unknowable || firstUnknowable;
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
        lang::TitleFields tf = Fields();
        tf.aspect = AspectTitle(f);
        tf.orb = OrbText(f);
        title = Title(lang::Title::PointAspectsPoint, tf);
      }
      return true;
    }
    case StatementCode::PointApproachesPoint:
    case StatementCode::PointSeparatesFromPoint: {
      AspectFound f = TestAspect(aspect, p1, p2);
      t = f.ok && (code == StatementCode::PointApproachesPoint ? f.match.applying : !f.match.applying);
      const bool applies = code == StatementCode::PointApproachesPoint;
      lang::TitleFields tf = Fields();
      tf.aspect = AspectNoun(f);
      tf.word = Word(lang::TitleWords::Motion, applies ? 0 : 1);
      title = Title(applies ? lang::Title::PointAppliesToPoint : lang::Title::PointSeparatesFromPoint, tf);
      return true;
    }
    case StatementCode::PlanetInFaceAspectsPoint: {
      for (int p : ClassicalPlanets) {
        double lon = Subject().Longitude(p);
        if (lon < 0 || SignOfLongitude(lon) != S1() || DecanOf(lon) != x) continue;
        if (TestAspect(aspect, p, Subject().Point(p), p1.id, p1.position).ok) t = true;
      }
      title = "A Planet is " + Not() + S(lang::AspectWord(L, aspect)) + " " + P1() + " in the " + House(x) +
              " Face of " + Sign(S1());
      return true;
    }
    case StatementCode::PointAspectsPlanetInHouse: {
      for (int p : ClassicalPlanets) {
        if (p == p1.id || HouseOfPoint(p, subject) != x) continue;
        if (TestAspect(aspect, p1.id, p1.position, p, Subject().Point(p)).ok) t = true;
      }
      title = P1() + Is() + S(lang::AspectWord(L, aspect)) + " a planet in the " + House(x) + " House";
      return true;
    }
    case StatementCode::PointApproachesHouseRuler:
    case StatementCode::PointSeparatesFromHouseRuler: {
      int r = RulerOfHouse(x, subject);
      AspectFound f = IsPointId(r) && r != p1.id ? TestAspect(aspect, p1.id, p1.position, r, Subject().Point(r))
                                                 : AspectFound{};
      t = f.ok && (code == StatementCode::PointApproachesHouseRuler ? f.match.applying : !f.match.applying);
      const bool applies = code == StatementCode::PointApproachesHouseRuler;
      lang::TitleFields tf = Fields();
      tf.aspect = AspectNoun(f);
      tf.house = House(x);
      tf.word = Word(lang::TitleWords::Motion, applies ? 0 : 1);
      title = Title(applies ? lang::Title::PointAppliesToHouseRuler : lang::Title::PointSeparatesFromHouseRuler, tf);
      return true;
    }
    case StatementCode::PointAspectsCusp: {
      double cusp = Cusp(x, subject);
      PointPos cp;
      cp.Longitude = cusp;
      AspectFound f = cusp >= 0 ? TestAspect(aspect, p1.id, p1.position, 0, cp) : AspectFound{};
      t = f.ok;
      title = P1() + Is() + AspectTitle(f) + " the " + House(x) + " House Cusp";
      return true;
    }
    default:
      return false;
  }
}

}  // namespace korvana
