#include "core/derived/composite.h"

#include <cmath>
#include <numeric>
#include <vector>

#include "core/time/angle_math.h"

namespace korvana {

double CircularMean(std::span<const double> longitudes) {
  const int n = static_cast<int>(longitudes.size());
  if (n == 0) return 0.0;
  std::vector<int> order(static_cast<std::size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  SortIndexByReal(longitudes, order, 0, n);
  // The start is the point after the largest gap, so that no pair of neighbours in the
  // mean straddles it.
  int start = order[0];
  double largest = -1.0;
  // Gaps in sorted order, the one from the last back to the first at the end.
  for (int k = 1; k <= n; ++k) {
    const int i = k % n;
    const double previous = longitudes[static_cast<std::size_t>(order[static_cast<std::size_t>((i + n - 1) % n)])];
    const double here = longitudes[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])];
    const double gap = n == 1 ? 360.0 : ModReal(360, here - previous);
    if (gap > largest) {
      largest = gap;
      start = order[static_cast<std::size_t>(i)];
    }
  }
  const double s = longitudes[static_cast<std::size_t>(start)];
  double sum = 0.0;
  for (double longitude : longitudes) sum += ModReal(360, longitude - s);
  return ModReal(360, s + sum / n);
}

int CompositeAnchorHouse(int anchorSetting, double compositeAsc, double compositeMC, double ascA, double ascB,
                         double mcA, double mcB) {
  if (anchorSetting == AnchorFirstHouse || anchorSetting == AnchorTenthHouse) return anchorSetting;
  if (SignedMod(360, compositeAsc - compositeMC) >= 0) return AnchorFirstHouse;
  const bool ascendantsCloser = std::fabs(SignedMod(360, ascA - ascB)) <= std::fabs(SignedMod(360, mcA - mcB));
  return ascendantsCloser ? AnchorFirstHouse : AnchorTenthHouse;
}

std::array<double, 13> CompositeCusps(const std::array<double, 13>& cuspsA, const std::array<double, 13>& cuspsB,
                                      int anchorHouse) {
  std::array<double, 13> cusps{};
  const int first = anchorHouse >= 1 && anchorHouse <= 12 ? anchorHouse : 1;
  double previous = 0.0;
  for (int k = 0; k < 12; ++k) {
    const auto house = static_cast<std::size_t>((first - 1 + k) % 12 + 1);
    double cusp = MidPoint(cuspsA[house], cuspsB[house]);
    // The midpoint of two cusps may fall on the far side of the wheel; the houses must
    // keep running forward from the anchor.
    if (k > 0 && Mod360(cusp - previous) > 180) cusp = Mod360(cusp + 180);
    cusps[house] = cusp;
    previous = cusp;
  }
  return cusps;
}

CalculatedChart MakeComposite(const CalculatedChart& a, const CalculatedChart& b, int anchorSetting) {
  CalculatedChart c;
  c.Chart = a.Chart;
  c.Chart.Name = "Combined";
  c.Chart.ChartType = ChartTypeCombined;
  c.Chart.ChartSubType = CompositeMidpoints;
  c.Chart.ChartTypeParam = 0;
  c.Moment = a.Moment;
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    const PointPos& pa = a.Point(id);
    const PointPos& pb = b.Point(id);
    if (!pa.Computed() || !pb.Computed()) continue;
    const double longitudes[] = {pa.Longitude, pb.Longitude};
    PointPos& p = c.Point(id);
    p.Longitude = CircularMean(longitudes);
    p.Latitude = (pa.Latitude + pb.Latitude) / 2;
    const EquatorialPos& ea = a.Equatorial[static_cast<std::size_t>(id)];
    const EquatorialPos& eb = b.Equatorial[static_cast<std::size_t>(id)];
    const double ascensions[] = {ea.RightAscension, eb.RightAscension};
    c.Equatorial[static_cast<std::size_t>(id)] = {CircularMean(ascensions), (ea.Declination + eb.Declination) / 2};
  }

  const int anchor = CompositeAnchorHouse(anchorSetting, c.Longitude(PointAscendant), c.Longitude(PointMidheaven),
                                          a.Longitude(PointAscendant), b.Longitude(PointAscendant),
                                          a.Longitude(PointMidheaven), b.Longitude(PointMidheaven));
  c.Houses = a.Houses;
  c.Houses.Cusps = CompositeCusps(a.Houses.Cusps, b.Houses.Cusps, anchor);
  c.Houses.CuspsAsCast = c.Houses.Cusps;
  c.Houses.AscIsCusp1 = true;
  c.Point(PointAscendant).Longitude = c.Houses.Cusps[1];
  return c;
}

}  // namespace korvana
