#include "core/wheels/wheel_spreading.h"

#include <algorithm>
#include <cmath>

#include "core/points/point_id.h"

namespace korvana {
namespace {

double Wrap(double x) { return WheelLongitude(x); }
double Gap(double x) { return WheelGap(x); }

double Cusp(const WheelCusps& c, int k) { return c[static_cast<std::size_t>((k - 1) % 12 + 1)]; }

// The spreading on plain arrays: `pos` (display longitudes, ascending by true longitude
// on entry) and their houses.
void Spread(std::vector<double>& pos, const std::vector<int>& houses, const WheelCusps& c,
            double s) {
  const int n = static_cast<int>(pos.size());
  if (n == 0) return;
  if (!(s > 0.0 && s <= 30.0)) s = WheelSpreadDegrees;
  std::array<int, 13> capacity{}, count{};
  for (int k = 1; k <= 12; ++k) {
    capacity[static_cast<std::size_t>(k)] =
        static_cast<int>(std::floor(Wrap(Cusp(c, k + 1) - Cusp(c, k)) / s));
  }
  for (int h : houses) ++count[static_cast<std::size_t>(h)];

  // The first point after the Ascendant.
  int start = 0;
  for (int i = 1; i < n; ++i) {
    if (Wrap(pos[static_cast<std::size_t>(i)] - c[1]) <
        Wrap(pos[static_cast<std::size_t>(start)] - c[1])) {
      start = i;
    }
  }
  auto at = [&](int i) -> std::size_t { return static_cast<std::size_t>(((i % n) + n) % n); };

  // Forward: each point at least `s` after the one before it (or the house's cusp).
  double previous = Wrap(c[1] - s / 2);
  int previous_house = 1;
  for (int step = 0; step < n; ++step) {
    const std::size_t i = at(start + step);
    if (houses[i] != previous_house) {
      previous_house = houses[i];
      previous = Wrap(Cusp(c, previous_house) - s / 2);
    }
    const double g = Gap(pos[i] - previous);
    if (g < s) pos[i] = Wrap(pos[i] + s - g);
    previous = pos[i];
  }

  // Backward: pull points back before the next cusp, only where the house has room.
  double next = Wrap(c[1] + s / 2);
  int next_house = 12;
  for (int step = 1; step <= n; ++step) {
    const std::size_t i = at(start - step);
    const auto h = static_cast<std::size_t>(houses[i]);
    if (houses[i] != next_house) {
      next_house = houses[i];
      next = Wrap(Cusp(c, next_house + 1) + s / 2);
    }
    if (capacity[h] >= count[h]) {
      const double g = Gap(next - pos[i]);
      if (g < s) pos[i] = Wrap(pos[i] - (s - g));
    }
    next = pos[i];
  }

  // Relaxation: neighbours closer than the separation share the difference.
  if (n < 2) return;
  const double wrap_limit = 360.0 - (n - 1) * s / 2;
  for (int pass = 0; pass < 100; ++pass) {
    bool moved = false;
    for (int k = 0; k < n; ++k) {
      const std::size_t i = at(k), j = at(k + 1);
      double g = Wrap(pos[j] - pos[i]);
      if (g > wrap_limit) g -= 360.0;
      if (g < 0.99 * s) {
        const double half = (s - g) / 2;
        pos[i] = Wrap(pos[i] - half);
        pos[j] = Wrap(pos[j] + half);
        moved = true;
      }
    }
    if (!moved) break;
  }
}

// Cusps as the spreading uses them: a cusp that is not a number (a damaged chart) is
// replaced by the cusp of equal houses from 0 degrees, so every house stays measurable.
WheelCusps SoundCusps(const WheelCusps& cusps) {
  WheelCusps out = cusps;
  for (int k = 1; k <= 12; ++k) {
    auto& c = out[static_cast<std::size_t>(k)];
    c = std::isfinite(c) ? Wrap(c) : 30.0 * (k - 1);
  }
  return out;
}

}  // namespace

double WheelLongitude(double x) {
  double r = std::fmod(x, 360.0);
  if (r < 0) r += 360.0;
  return r >= 360.0 ? 0.0 : r;
}

double WheelGap(double x) {
  const double g = WheelLongitude(x);
  return g > 180.0 ? g - 360.0 : g;
}

int HouseOfLongitude(const WheelCusps& cusps, double longitude) {
  int best = 1;
  double best_offset = 720;
  for (int k = 1; k <= 12; ++k) {
    const double offset = Wrap(longitude - Cusp(cusps, k));
    if (offset < Wrap(Cusp(cusps, k + 1) - Cusp(cusps, k))) return k;
    if (offset < best_offset) {   // cusps that enclose nothing: the nearest before it
      best_offset = offset;
      best = k;
    }
  }
  return best;
}

std::array<bool, WheelPointCount + 1> SelectionForChart(std::array<bool, WheelPointCount + 1> selection,
                                                        bool timeUnknown) {
  if (timeUnknown)
    for (int id = FirstPoint; id <= LastPoint; ++id)
      if (NeedsBirthTime(id)) selection[static_cast<std::size_t>(id)] = false;
  return selection;
}

PointList BuildPointList(const std::array<double, WheelPointCount + 1>& longitudes,
                         const std::array<bool, WheelPointCount + 1>& selection,
                         bool ascendantUnknown, bool midheavenUnknown) {
  PointList list;
  for (int id = 1; id <= WheelPointCount; ++id) {
    const auto u = static_cast<std::size_t>(id);
    bool shown = selection[u] && std::isfinite(longitudes[u]);
    if (id >= 13 && id <= 19 && longitudes[u] < 0) shown = false;
    if ((id == 22 && ascendantUnknown) || (id == 23 && midheavenUnknown)) shown = false;
    list.shown[u] = shown;
    if (shown) list.order.push_back(id);
  }
  // Stable: equal longitudes keep ascending id order.
  std::stable_sort(list.order.begin(), list.order.end(), [&](int a, int b) {
    return Wrap(longitudes[static_cast<std::size_t>(a)]) <
           Wrap(longitudes[static_cast<std::size_t>(b)]);
  });
  return list;
}

void SpreadPoints(PointList& list, const std::array<double, WheelPointCount + 1>& longitudes,
                  const WheelCusps& raw_cusps, WheelCusps* cusp_offsets,
                  double separation) {
  const WheelCusps cusps = SoundCusps(raw_cusps);
  std::vector<double> pos;
  std::vector<int> houses;
  for (int id : list.order) {
    const double lon = Wrap(longitudes[static_cast<std::size_t>(id)]);
    pos.push_back(lon);
    houses.push_back(HouseOfLongitude(cusps, lon));
  }
  Spread(pos, houses, cusps, separation);
  for (std::size_t k = 0; k < list.order.size(); ++k) {
    const auto id = static_cast<std::size_t>(list.order[k]);
    list.display[id] = pos[k];
    list.house[id] = houses[k];
  }
  if (!cusp_offsets) return;
  // House expansion: a cusp steps aside for points displayed across it.
  cusp_offsets->fill(0.0);
  const double s = separation;
  for (std::size_t k = 0; k < pos.size(); ++k) {
    const int h = houses[k];
    const auto this_cusp = static_cast<std::size_t>(h);
    const auto next_cusp = static_cast<std::size_t>(h % 12 + 1);
    const double d1 = Gap(pos[k] - s / 2 - cusps[this_cusp]);
    if (std::fabs(d1) > 0.2 * s && d1 < (*cusp_offsets)[this_cusp]) {
      (*cusp_offsets)[this_cusp] = d1;
    }
    const double d2 = Gap(pos[k] + s / 2 - cusps[next_cusp]);
    if (std::fabs(d2) > 0.2 * s && d2 > (*cusp_offsets)[next_cusp]) {
      (*cusp_offsets)[next_cusp] = d2;
    }
  }
}

void SpreadLongitudes(std::vector<double>& longitudes, const WheelCusps& raw_cusps,
                      double separation) {
  const WheelCusps cusps = SoundCusps(raw_cusps);
  std::erase_if(longitudes, [](double x) { return !std::isfinite(x); });
  for (double& x : longitudes) x = Wrap(x);
  std::sort(longitudes.begin(), longitudes.end());
  std::vector<int> houses;
  for (double x : longitudes) houses.push_back(HouseOfLongitude(cusps, x));
  Spread(longitudes, houses, cusps, separation);
}

}  // namespace korvana
