#include "core/wheels/wheel_spreading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace korvana {
namespace {

using Longitudes = std::array<double, WheelPointCount + 1>;

WheelCusps EqualCusps(double first = 0.0) {
  WheelCusps c{};
  for (int k = 1; k <= 12; ++k) c[static_cast<std::size_t>(k)] = std::fmod(first + 30.0 * (k - 1), 360.0);
  return c;
}

double Separation(double a, double b) {
  double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180.0 ? 360.0 - d : d;
}

// A ring of the given points (id -> longitude), all selected, spread over `cusps`.
struct Ring {
  Longitudes lon{};
  PointList list;
  Ring(const std::vector<std::pair<int, double>>& points, const WheelCusps& cusps,
       WheelCusps* offsets = nullptr) {
    std::array<bool, WheelPointCount + 1> selection{};
    for (auto [id, x] : points) {
      lon[static_cast<std::size_t>(id)] = x;
      selection[static_cast<std::size_t>(id)] = true;
    }
    list = BuildPointList(lon, selection, false, false);
    SpreadPoints(list, lon, cusps, offsets);
  }
  double At(int id) const { return list.display[static_cast<std::size_t>(id)]; }
};

TEST(WheelSpreading, TwoClosePointsEndSixDegreesApartInsideTheirHouse) {
  Ring ring({{3, 14.0}, {5, 16.0}}, EqualCusps());
  EXPECT_NEAR(Separation(ring.At(3), ring.At(5)), 6.0, 0.07);
  // Moved apart, not across each other, and still in house 1 (0..30).
  EXPECT_LE(ring.At(3), 14.0 + 1e-9);
  EXPECT_GE(ring.At(5), 16.0 - 1e-9);
  EXPECT_GT(ring.At(3), 0.0);
  EXPECT_LT(ring.At(5), 30.0);
  EXPECT_EQ(ring.list.house[3], 1);
}

TEST(WheelSpreading, FivePointClusterFansOutInsideItsHouse) {
  Ring ring({{1, 14.0}, {3, 14.75}, {5, 15.5}, {6, 16.25}, {7, 17.0}}, EqualCusps());
  ASSERT_EQ(ring.list.order, (std::vector<int>{1, 3, 5, 6, 7}));
  std::vector<double> shown;
  for (int id : ring.list.order) shown.push_back(ring.At(id));
  for (std::size_t k = 1; k < shown.size(); ++k) {
    EXPECT_GE(shown[k] - shown[k - 1], 0.99 * 6.0) << k;   // same order, no overlap
  }
  EXPECT_NEAR(shown.back() - shown.front(), 24.0, 0.3);
  // The house has room for five: the fan stays between its cusps.
  EXPECT_GT(shown.front(), 0.0);
  EXPECT_LT(shown.back(), 30.0);
}

TEST(WheelSpreading, AnOverFullHouseSpillsPastItsNextCusp) {
  // House 1 (0..30) holds room for five glyphs; seven are put in it.
  std::vector<std::pair<int, double>> points;
  for (int k = 0; k < 7; ++k) points.push_back({k + 1, 20.0 + 0.5 * k});
  Ring ring(points, EqualCusps());
  EXPECT_GT(ring.At(7), 30.0) << "the last point is displayed in house 2";
  EXPECT_EQ(ring.list.house[7], 1) << "its house stays the true one";
  for (std::size_t k = 1; k < ring.list.order.size(); ++k) {
    EXPECT_GE(Separation(ring.At(ring.list.order[k]), ring.At(ring.list.order[k - 1])),
              0.99 * 6.0) << k;
  }
}

TEST(WheelSpreading, PointsAcrossAriesAndSeparateHousesKeepTheirPlaces) {
  // Far apart points are not moved; a pair across 0 Aries is spread across it.
  Ring ring({{3, 100.0}, {5, 200.0}, {6, 359.0}, {7, 1.0}}, EqualCusps(15.0));
  EXPECT_DOUBLE_EQ(ring.At(3), 100.0);
  EXPECT_DOUBLE_EQ(ring.At(5), 200.0);
  EXPECT_NEAR(Separation(ring.At(6), ring.At(7)), 6.0, 0.07);
  EXPECT_EQ(ring.list.house[7], 12);
}

TEST(WheelPointList, HidesPointsThatCannotBePlaced) {
  Longitudes lon{};
  lon.fill(10.0);
  lon[13] = -1.0;                 // asteroid not calculated
  lon[19] = -0.5;
  lon[20] = -5.0;                 // a negative value outside 13..19 is a longitude
  lon[8] = std::nan("");
  std::array<bool, WheelPointCount + 1> all{};
  all.fill(true);
  all[0] = false;
  PointList list = BuildPointList(lon, all, true, true);
  EXPECT_FALSE(list.shown[13]);
  EXPECT_FALSE(list.shown[19]);
  EXPECT_TRUE(list.shown[20]);
  EXPECT_FALSE(list.shown[8]);
  EXPECT_FALSE(list.shown[22]) << "no birth time: no Ascendant";
  EXPECT_FALSE(list.shown[23]) << "no birth time: no Midheaven";
  EXPECT_EQ(list.Count(), 36 - 5);
  EXPECT_EQ(list.order.back(), 20) << "-5 is 355 degrees, the largest";
  // Equal longitudes keep ascending id order.
  EXPECT_EQ(list.order[0], 1);
  EXPECT_EQ(list.order[1], 2);

  PointList known = BuildPointList(lon, all, false, false);
  EXPECT_TRUE(known.shown[22]);
  EXPECT_TRUE(known.shown[23]);
}

TEST(WheelSpreading, HouseExpansionMovesTheCuspsAroundSpilledPoints) {
  std::vector<std::pair<int, double>> points;
  for (int k = 0; k < 7; ++k) points.push_back({k + 1, 20.0 + 0.5 * k});
  WheelCusps offsets{};
  Ring ring(points, EqualCusps(), &offsets);
  // Points of house 1 displayed past cusp 2: the cusp steps forward beyond the last.
  EXPECT_GT(offsets[2], 0.0);
  EXPECT_NEAR(offsets[2], ring.At(7) + 3.0 - 30.0, 1e-9);
  for (int k = 3; k <= 12; ++k) EXPECT_EQ(offsets[static_cast<std::size_t>(k)], 0.0) << k;
}

TEST(WheelSpreading, DamagedInputsDoNotBreakIt) {
  WheelCusps cusps = EqualCusps();
  cusps[4] = std::nan("");
  std::vector<double> extra = {10.0, 11.0, std::nan(""), 1e300, -725.0};
  SpreadLongitudes(extra, cusps);
  ASSERT_EQ(extra.size(), 4u);
  for (double x : extra) {
    EXPECT_GE(x, 0.0);
    EXPECT_LT(x, 360.0);
  }
  Ring empty({}, cusps);
  EXPECT_EQ(empty.list.Count(), 0);
  // Thirty-six points in one degree: all get a place, the passes end.
  std::vector<std::pair<int, double>> all;
  for (int id = 1; id <= WheelPointCount; ++id) all.push_back({id, 50.0 + id * 0.02});
  Ring full(all, EqualCusps());
  for (int id = 1; id <= WheelPointCount; ++id) {
    EXPECT_TRUE(std::isfinite(full.At(id)));
  }
}

}  // namespace
}  // namespace korvana
