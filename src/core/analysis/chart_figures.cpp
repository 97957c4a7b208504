#include "core/analysis/chart_figures.h"

#include <algorithm>

#include "core/analysis/aspect_type.h"
#include "core/analysis/find_aspect.h"
#include "core/astro/houses.h"
#include "core/time/angle_math.h"

namespace korvana {

namespace {

// The points a figure can use: the ten planets, then the Ascendant and the Midheaven.
constexpr int PlanetCount = 10;
constexpr std::array<int, 12> FigurePoints = {PointSun,     PointMoon,   PointMercury, PointVenus,  PointMars,
                                              PointJupiter, PointSaturn, PointUranus,  PointNeptune, PointPluto,
                                              PointAscendant, PointMidheaven};

// The aspect type (AspectType number) between every two figure points, 0 for none.
struct AspectGrid {
  std::array<std::array<int, 12>, 12> type{};
  bool Is(int i, int j, AspectType t) const {
    return type[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] == static_cast<int>(t);
  }
};

AspectGrid GridOf(const CalculatedChart& chart, const AspectSet& set, int pointCount) {
  AspectGrid g;
  for (int i = 0; i < pointCount; ++i) {
    const int a = FigurePoints[static_cast<std::size_t>(i)];
    for (int j = i + 1; j < pointCount; ++j) {
      const int b = FigurePoints[static_cast<std::size_t>(j)];
      if (!chart.Point(a).Computed() || !chart.Point(b).Computed()) continue;
      AspectMatch m = FindAspect(set, a, b, chart.Point(a), chart.Point(b), OrbNatal);
      const AspectRecord* r = m.Found() ? set.Record(m.record) : nullptr;
      const int t = r ? r->aspectType : 0;
      g.type[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = t;
      g.type[static_cast<std::size_t>(j)][static_cast<std::size_t>(i)] = t;
    }
  }
  return g;
}

int Id(int index) { return FigurePoints[static_cast<std::size_t>(index)]; }

ChartFigure Make(FigureKind kind, std::initializer_list<int> indexes, int focusIndex = -1) {
  ChartFigure f;
  f.kind = kind;
  for (int i : indexes) f.members.push_back(Id(i));
  if (focusIndex >= 0) {
    f.focus = Id(focusIndex);
    f.members.push_back(f.focus);
  }
  return f;
}

void Stelliums(const CalculatedChart& chart, const FigureInputs& in, std::vector<ChartFigure>& out) {
  std::array<std::vector<int>, 13> bySign, byHouse;
  for (int p : FigurePlanets) {
    const double lon = chart.Longitude(p);
    if (!chart.Point(p).Computed()) continue;
    bySign[static_cast<std::size_t>(SignOfLongitude(lon))].push_back(p);
    if (in.cusps) {
      const int h = HouseOf(*in.cusps, lon);
      if (h >= 1 && h <= 12) byHouse[static_cast<std::size_t>(h)].push_back(p);
    }
  }
  for (int s = 1; s <= 12; ++s)
    if (static_cast<int>(bySign[static_cast<std::size_t>(s)].size()) >= StelliumSize)
      out.push_back({FigureKind::Stellium, bySign[static_cast<std::size_t>(s)], 0, s, 0});
  for (int h = 1; h <= 12; ++h)
    if (static_cast<int>(byHouse[static_cast<std::size_t>(h)].size()) >= StelliumSize)
      out.push_back({FigureKind::Stellium, byHouse[static_cast<std::size_t>(h)], 0, 0, h});
}

}  // namespace

std::vector<ChartFigure> FindFigures(const CalculatedChart& chart, const FigureInputs& in) {
  std::vector<ChartFigure> found;
  Stelliums(chart, in, found);
  if (!in.aspects) return found;
  // The angles join only as an apex, and only with the birth time.
  const int points = in.cusps ? 12 : PlanetCount;
  const AspectGrid g = GridOf(chart, *in.aspects, points);
  using enum AspectType;

  std::vector<ChartFigure> crosses, trines, tSquares, yods, kites;
  for (int a = 0; a < PlanetCount; ++a)
    for (int b = a + 1; b < PlanetCount; ++b)
      for (int c = b + 1; c < PlanetCount; ++c) {
        if (g.Is(a, b, Trine) && g.Is(b, c, Trine) && g.Is(a, c, Trine)) trines.push_back(Make(FigureKind::GrandTrine, {a, b, c}));
        for (int d = c + 1; d < PlanetCount; ++d) {
          // The three ways of pairing four points into two oppositions.
          const std::array<std::array<int, 4>, 3> pairings = {{{a, b, c, d}, {a, c, b, d}, {a, d, b, c}}};
          for (const auto& q : pairings) {
            if (g.Is(q[0], q[1], Opposition) && g.Is(q[2], q[3], Opposition) && g.Is(q[0], q[2], Square) &&
                g.Is(q[0], q[3], Square) && g.Is(q[1], q[2], Square) && g.Is(q[1], q[3], Square)) {
              crosses.push_back(Make(FigureKind::GrandCross, {a, b, c, d}));
              break;
            }
          }
        }
      }
  auto inCross = [&](int a, int b, int c) {
    for (const ChartFigure& x : crosses) {
      auto has = [&](int i) { return std::find(x.members.begin(), x.members.end(), Id(i)) != x.members.end(); };
      if (has(a) && has(b) && has(c)) return true;
    }
    return false;
  };
  for (int a = 0; a < PlanetCount; ++a)
    for (int b = a + 1; b < PlanetCount; ++b)
      for (int apex = 0; apex < points; ++apex) {
        if (apex == a || apex == b) continue;
        if (g.Is(a, b, Opposition) && g.Is(a, apex, Square) && g.Is(b, apex, Square) && !inCross(a, b, apex))
          tSquares.push_back(Make(FigureKind::TSquare, {a, b}, apex));
        if (g.Is(a, b, Sextile) && g.Is(a, apex, Quincunx) && g.Is(b, apex, Quincunx))
          yods.push_back(Make(FigureKind::Yod, {a, b}, apex));
      }
  for (const ChartFigure& t : trines) {
    // The fourth planet opposes one corner (the head) and sextiles the other two.
    for (int d = 0; d < PlanetCount; ++d) {
      std::array<int, 3> corner{};
      for (std::size_t k = 0; k < 3; ++k)
        corner[k] = static_cast<int>(std::find(FigurePoints.begin(), FigurePoints.end(), t.members[k]) -
                                     FigurePoints.begin());
      if (std::find(corner.begin(), corner.end(), d) != corner.end()) continue;
      for (std::size_t head = 0; head < 3; ++head) {
        const int h = corner[head], o1 = corner[(head + 1) % 3], o2 = corner[(head + 2) % 3];
        if (g.Is(d, h, Opposition) && g.Is(d, o1, Sextile) && g.Is(d, o2, Sextile)) {
          ChartFigure k = Make(FigureKind::Kite, {std::min(o1, o2), std::max(o1, o2), d}, h);
          kites.push_back(k);
        }
      }
    }
  }
  for (auto* list : {&tSquares, &trines, &crosses, &yods, &kites}) found.insert(found.end(), list->begin(), list->end());
  return found;
}

std::vector<int> FigureCore(const ChartFigure& figure) {
  if (figure.kind != FigureKind::Kite || figure.members.size() != 4) return figure.members;
  // A kite's members are the two other corners, the fourth planet, then the head.
  return {figure.members[0], figure.members[1], figure.members[3]};
}

}  // namespace korvana
