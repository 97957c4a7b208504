#include "core/astro/stars.h"

#include "core/reports/composer/statement_eval.h"

namespace korvana {

// Statements about fixed stars: aspects to a star of the report set, the starset range
// and the points aligned with it, and the star epoch.
bool ReportComposer::Eval::Stars() {
  bool& t = result.truth;
  string& title = result.title;
  const StatementCode code = st.Statement();
  switch (code) {
    case StatementCode::PointAspectsStar: {
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
      return true;
    }
    case StatementCode::Starset: {
      t = true;
      double jd = Chart(0).Moment.JDEphem;
      c.starsetStart_ = ReduceDegrees(PrecessLongitude(c.starEpoch_, jd, x / 3600.0));
      c.starsetEnd_ = ReduceDegrees(PrecessLongitude(c.starEpoch_, jd, (y + 60) / 3600.0));
      c.starsetSet_ = true;
      return true;
    }
    case StatementCode::PointAlignedStarset:
    case StatementCode::PointAlignedStarsetTitled: {
      t = c.starsetSet_ && IsStarsetPoint(p1.value) && Computed1() && InStarset(L1());
      if (code == StatementCode::PointAlignedStarsetTitled)
        title = NameWithArticle(p1) + " is aligned with starset " + c.starsetName;
      return true;
    }
    case StatementCode::PlanetAlignedStarset:
      if (c.starsetSet_) {
        for (int p = FirstPoint; p <= LastPoint; ++p)
          if (IsStarsetPoint(p) && Subject().Point(p).Computed() && InStarset(Subject().Longitude(p))) t = true;
      }
      return true;
    case StatementCode::StarEpoch:
      t = true;
      c.starEpoch_ = x;
      return true;
    default:
      return false;
  }
}

}  // namespace korvana
