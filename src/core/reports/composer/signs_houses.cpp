#include "core/reports/composer/statement_eval.h"

namespace korvana {

// Statements about where a point or a house cusp lies: sign, house, house class, face,
// decanate, degree range, early and late degrees, the degree paragraphs, and the sign
// change of an untimed birth day.
bool ReportComposer::Eval::SignsAndHouses() {
  bool& t = result.truth;
  string& title = result.title;
  const StatementCode code = st.Statement();
  switch (code) {
    case StatementCode::PointTitle:
      t = true;
      title = P1();
      return true;
    case StatementCode::PointInSign: {
      int sign = SignOfLongitude(L1());
      t = Computed1() && sign == S1();
      {
        lang::TitleFields f = Fields();
        f.sign = Sign(S1());
        title = Title(lang::Title::PointInSign, f);
      }
      if (c.untimed && IsPointId(p1.value)) {
        const UntimedIngress& in = c.ingress[static_cast<std::size_t>(p1.value)];
        if (in.changed) {
          bool atStart = in.signAtStart == S1();
          t = atStart || in.signAtEnd == S1();
          if (t) {
            result.extraText = title + " " + Row(atStart ? Phrase::Until : Phrase::From) + " " +
                               FormatTime(c.inputs.twelveHourClock, in.hour, in.minute, 0) + ".";
            result.extraTextSet = true;
          }
        }
      }
      return true;
    }
    case StatementCode::PointInHouse: {
      if (partner != subject && p1.value < AsteroidPointBase) {
        PointInPartnersHouse();
        return true;
      }
      t = Computed1() && HouseOfPoint(p1.id, subject) == x;
      if (p1.value >= AsteroidPointBase) t = p1.position.Computed() && HouseOfLongitude(L1(), subject) == x;
      lang::TitleFields f = Fields();
      f.house = House(x);
      title = Title(lang::Title::PointInHouse, f);
      return true;
    }
    case StatementCode::PlanetInHouse: {
      for (int p : ClassicalPlanets)
        if (Subject().Point(p).Computed() && HouseOfPoint(p, subject) == x) t = true;
      lang::TitleFields f = Fields();
      f.house = House(x);
      title = Title(lang::Title::PlanetInHouse, f);
      return true;
    }
    case StatementCode::PointInHouseClass: {
      int h = HouseOfPoint(p1.id, subject);
      t = h > 0 && (h + 11) % 3 == Word(WordClass::HouseClass);
      lang::TitleFields f = Fields();
      f.word = Word(lang::TitleWords::HouseClass, Word(WordClass::HouseClass));
      title = Title(lang::Title::PointInHouseClass, f);
      return true;
    }
    case StatementCode::PointInFace: {
      t = Computed1() && SignOfLongitude(L1()) == S1() && DecanOf(L1()) == x;
      title = P1() + Is() + "in the " + House(x) + " Face of " + Sign(S1());
      return true;
    }
    case StatementCode::PointInQualitySign: {
      t = Computed1() && QualityOfSign(Word(WordClass::Quality), SignOfLongitude(L1()));
      string q = Quality(Word(WordClass::Quality));
      title = P1() + Is() + "in " + ArticleFor(q) + q + " Sign";
      return true;
    }
    case StatementCode::PointIsPoint:
      t = haveP2 && p1.value == p2.value;
      title = P1() + Is() + P2();
      return true;
    case StatementCode::PointInRange: {
      t = Computed1() && InRange(L1(), x, S1(), y, S2());
      lang::TitleFields f = Fields();
      f.degree1 = x;
      f.degree2 = y;
      f.sign = Sign(S1());
      f.sign2 = Sign(S2());
      title = Title(lang::Title::PointInRange, f);
      return true;
    }
    case StatementCode::PointInEarlyDegrees:
      t = Computed1() && std::fmod(L1(), 30.0) < 3;
      title = Title(lang::Title::PointInEarlyDegrees, Fields());
      return true;
    case StatementCode::PointInLateDegrees:
      t = Computed1() && std::fmod(L1(), 30.0) > 27;
      title = Title(lang::Title::PointInLateDegrees, Fields());
      return true;
    case StatementCode::CuspInSign: {
      t = SignOfLongitude(Cusp(x, subject)) == S1() && S1() > 0;
      if (L == lang::LanguageSpanish)
        title = Row(Phrase::HouseCusp) + " " + House(x) + " " + Row(Phrase::Is) + " " + Not() + Row(Phrase::In) + " " +
                Sign(S1());
      else
        title = House(x) + " " + Row(Phrase::HouseCusp) + " " + Row(Phrase::Is) + " " + Not() + Row(Phrase::In) + " " +
                Sign(S1());
      return true;
    }
    case StatementCode::CuspInQuality: {
      t = QualityOfSign(Word(WordClass::Quality), SignOfLongitude(Cusp(x, subject)));
      string q = Quality(Word(WordClass::Quality));
      title = House(x) + " House Cusp is " + Not() + "in " + ArticleFor(q) + q + " Sign";
      return true;
    }
    case StatementCode::CuspInRange: {
      t = InRange(Cusp(x, subject), y, S1(), static_cast<int>(X(2)), S2());
      title = House(x) + " House Cusp is " + Not() + "in range " + std::to_string(y) + " " + Sign(S1()) + " to " +
              std::to_string(X(2)) + " " + Sign(S2());
      return true;
    }
    case StatementCode::HoraryHouses: {
      t = true;
      lang::TitleFields f;
      f.house = House(c.inputs.quesitedHouse);
      title = Title(lang::Title::QuesitedHouse, f);
      return true;
    }
    case StatementCode::UntimedIngress: {
      if (c.untimed && IsPointId(p1.value)) {
        const UntimedIngress& in = c.ingress[static_cast<std::size_t>(p1.value)];
        t = in.changed;
        title = NameWithArticle(p1) + " moves from " + Sign(in.signAtStart) + " into " + Sign(in.signAtEnd) + " at " +
                FormatTime(c.inputs.twelveHourClock, in.hour, in.minute, 0) + ".";
      }
      return true;
    }
    case StatementCode::PlanetDegree: {
      t = true;
      if (Computed1()) {
        double lon = L1();
        int degree = static_cast<int>(lon) + 1;
        int n = static_cast<int>(lon) % 30 + 1;
        lang::TitleFields f = Fields();
        f.name1 = NameWithArticle(p1);
        f.word = DegreeOrdinal(L, n);
        f.sign = Sign(SignOfLongitude(lon));
        title = Title(lang::Title::PointDegree, f);
        DegreeParagraph(degree);
      }
      return true;
    }
    case StatementCode::HouseCuspDegree: {
      t = true;
      if (x >= 1 && x <= 12 && !TimeUnknown(subject)) {
        double lon = Subject().Houses.CuspsAsCast[static_cast<std::size_t>(x)];
        int degree = static_cast<int>(ReduceDegrees(lon)) + 1;
        int n = static_cast<int>(ReduceDegrees(lon)) % 30 + 1;
        lang::TitleFields f;
        f.house = House(x);
        f.word = DegreeOrdinal(L, n);
        f.sign = Sign(SignOfLongitude(lon));
        title = Title(lang::Title::CuspDegree, f);
        DegreeParagraph(degree);
      }
      return true;
    }
    case StatementCode::PointInDecanate: {
      int sign = (x - 1) / 3 + 1, decan = (x - 1) % 3 + 1;
      t = x >= 1 && x <= 36 && Computed1() && SignOfLongitude(L1()) == sign && DecanOf(L1()) == decan;
      title = P1() + Is() + Row(Phrase::InThe) + " " + House(decan) + " " + Row(Phrase::Decanate) + " " +
              Row(Phrase::In) + " " + Sign(x >= 1 && x <= 36 ? sign : 0);
      return true;
    }
    default:
      return false;
  }
}

// A synastry overlay: where one person's point falls among the other person's houses.
// As with aspects between the charts, a test that fails is repeated the other way round
// (the second chart's point in the first chart's houses) and the result says so, so that
// the owners' names in the paragraph follow the point's owner.
void ReportComposer::Eval::PointInPartnersHouse() {
  auto inHouses = [&](const BoundPoint& p, int houses) {
    return p.position.Computed() && IsPointId(p.id) && HouseOfLongitude(p.position.Longitude, houses) == x;
  };
  BoundPoint point = p1;
  int houses = partner;
  bool found = inHouses(point, houses);
  if (!found) {
    const bool firstUnknowable = unknowable;
    unknowable = false;
    BoundPoint other = Resolve(p1.value, partner);
    if (inHouses(other, subject)) {
      point = other;
      houses = subject;
      found = true;
      result.swapped = true;
    } else {
      unknowable = unknowable || firstUnknowable;
    }
  }
  result.truth = found;
  auto owner = [&](int chart) {
    std::size_t k = static_cast<std::size_t>(chart);
    return k < c.inputs.ownerNames.size() ? c.inputs.ownerNames[k] : string();
  };
  result.title = owner(point.chart) + "'" + "s " + Name(point) + Is() + Row(Phrase::In) + " " + owner(houses) + "'" +
                 "s " + House(x) + " " + Row(Phrase::House);
}

}  // namespace korvana
