#include "core/dynamic/configurations.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>

#include "core/astro/houses.h"
#include "core/dynamic/moving_point.h"
#include "core/dynamic/primary_directions.h"
#include "core/dynamic/track.h"
#include "core/time/angle_math.h"

namespace korvana {
namespace {

// A pass over one of the longitudes that bound an aspect's orbs.
struct OrbPass {
  double time;
  int direction;
  int side;  // +1 above the exact longitude, -1 below, 0 the exact longitude itself
  bool enter;
  bool leave;
};

void AddPasses(std::vector<OrbPass>& out, const Track& track, double longitude, int side, bool enter,
               bool leave) {
  for (const Crossing& c : track.Crossings(longitude)) out.push_back({c.time, c.direction, side, enter, leave});
}

// The configurations of one moving point against one exact longitude of an aspect (an
// aspect other than the conjunction and opposition has two: radix + angle and - angle).
void AspectBranch(const Track& track, double exact, const DynamicAspect& aspect, Configuration proto,
                  std::vector<Configuration>& out) {
  std::vector<OrbPass> passes;
  AddPasses(passes, track, exact, 0, false, false);
  const bool sameOrbs = aspect.enterOrb == aspect.leaveOrb;
  for (int side : {-1, 1}) {
    AddPasses(passes, track, exact + side * aspect.enterOrb, side, true, sameOrbs);
    if (!sameOrbs) AddPasses(passes, track, exact + side * aspect.leaveOrb, side, false, true);
  }
  std::stable_sort(passes.begin(), passes.end(),
                   [](const OrbPass& a, const OrbPass& b) { return a.time < b.time; });

  const double startDistance = std::abs(SignedMod(360, track.LongitudeAt(track.Start()) - exact));
  bool in = startDistance <= aspect.enterOrb;
  Configuration current = proto;
  if (in) current.events.push_back({EventInOrbAtStart, track.Start()});
  for (const OrbPass& p : passes) {
    const bool inward = p.direction == -p.side;
    if (p.side == 0) {
      // Exact without having crossed the entering orb (a leaving orb wider than the
      // entering one, met again on a retrograde pass): the configuration opens here.
      if (!in) current.events.push_back({EventEntersOrb, p.time});
      in = true;
      current.events.push_back({EventExact, p.time});
    } else if (!in && p.enter && inward) {
      in = true;
      current.events.push_back({EventEntersOrb, p.time});
    } else if (in && p.leave && !inward) {
      in = false;
      current.events.push_back({EventLeavesOrb, p.time});
      out.push_back(std::move(current));
      current = proto;
    }
  }
  if (in) {
    current.events.push_back({EventInOrbAtEnd, track.End()});
    out.push_back(std::move(current));
  }
}

// The event types of a house or sign configuration.
struct PlaceEvents {
  std::uint8_t enters, leaves, reenters, leavesForLoop;
};
constexpr PlaceEvents HouseEvents{EventEntersHouse, EventLeavesHouse, EventReentersHouse, EventLeavesHouseForLoop};
constexpr PlaceEvents SignEvents{EventEntersSign, EventLeavesSign, EventReentersSign, EventLeavesSignForLoop};

struct CuspPass {
  double time;
  int direction;
  int cusp;  // 1..12: the place that begins at this cusp
};

int PlaceBefore(int place) { return place == 1 ? 12 : place - 1; }

// A stay of the moving point in one place, and the cusps it came in and went out by
// (0: it was there at the start, or still is at the end).
struct Stay {
  int place;
  double enter, exit;
  int enterCusp, exitCusp;
};

// The stays of the moving point in the twelve places that begin at `cusps` [1..12], in
// time order; `startPlace` is the place it stands in at the track's start.
std::vector<Stay> StaysOf(const Track& track, const std::array<double, 13>& cusps, int startPlace) {
  std::vector<CuspPass> passes;
  for (int cusp = 1; cusp <= 12; ++cusp)
    for (const Crossing& c : track.Crossings(cusps[static_cast<std::size_t>(cusp)]))
      passes.push_back({c.time, c.direction, cusp});
  std::stable_sort(passes.begin(), passes.end(),
                   [](const CuspPass& a, const CuspPass& b) { return a.time < b.time; });
  std::vector<Stay> stays;
  Stay current{startPlace, track.Start(), 0.0, 0, 0};
  for (const CuspPass& p : passes) {
    const int next = p.direction > 0 ? p.cusp : PlaceBefore(p.cusp);
    if (next == current.place) continue;  // a pass that does not change the place (cusps that coincide)
    current.exit = p.time;
    current.exitCusp = p.cusp;
    stays.push_back(current);
    current = {next, p.time, 0.0, p.cusp, 0};
  }
  current.exit = track.End();
  stays.push_back(current);
  return stays;
}

// The configurations of each place: its stays in time order, where a stay left by one
// cusp and the next stay entered by the same cusp belong together (a loop).
void PlaceConfigurations(const std::vector<Stay>& stays, const PlaceEvents& types, const Configuration& proto,
                         std::vector<Configuration>& out) {
  for (int place = 1; place <= 12; ++place) {
    const Stay* previous = nullptr;
    Configuration current = proto;
    for (const Stay& stay : stays) {
      if (stay.place != place) continue;
      if (previous && previous->exitCusp != 0 && previous->exitCusp == stay.enterCusp) {
        current.events.push_back({types.leavesForLoop, previous->exit});
        current.events.push_back({types.reenters, stay.enter});
      } else {
        if (previous) {
          current.events.push_back({types.leaves, previous->exit});
          out.push_back(std::move(current));
        }
        current = proto;
        current.place = place;
        current.events.push_back({types.enters, stay.enter});
      }
      previous = &stay;
    }
    if (previous) {
      current.events.push_back({types.leaves, previous->exit});
      out.push_back(std::move(current));
    }
  }
}

std::unique_ptr<MovingPoint> MovingPointFor(const SearchRequest& request, int pointId) {
  if (request.technique == DynamicTechnique::Progressions) return ProgressedPoint(request.radix, pointId);
  return TransitingPoint(request.radix, pointId);
}

void Validate(const SearchRequest& request) {
  if (!(request.end > request.start)) throw ESearchRequestError("The search period ends before it begins.");
  for (int id : request.movingPoints)
    if (!CanFollow(request.technique, id))
      throw ESearchRequestError("Point " + std::to_string(id) + " cannot be followed by this technique.");
  for (const DynamicAspect& a : request.aspects)
    if (!(a.enterOrb >= 0 && a.leaveOrb >= 0 && a.enterOrb < 90 && a.leaveOrb < 90))
      throw ESearchRequestError("Aspect orbs must lie between 0 and 90 degrees.");
}

}  // namespace

bool CanFollow(DynamicTechnique technique, int pointId) {
  switch (technique) {
    case DynamicTechnique::Transits: return CanTransit(pointId);
    case DynamicTechnique::Progressions: return CanProgress(pointId);
    case DynamicTechnique::Primaries: return IsPointId(pointId);
    default: return false;
  }
}

std::vector<Configuration> FindConfigurations(const SearchRequest& request) {
  Validate(request);
  std::vector<Configuration> found;
  if (request.technique == DynamicTechnique::Primaries) found = FindDirections(request);
  std::array<double, 13> signCusps{};
  for (int s = 1; s <= 12; ++s) signCusps[static_cast<std::size_t>(s)] = 30.0 * (s - 1);

  for (std::size_t m = 0; request.technique != DynamicTechnique::Primaries && m < request.movingPoints.size(); ++m) {
    const auto point = MovingPointFor(request, request.movingPoints[m]);
    const Track track(*point, request.start, request.end);
    Configuration proto;
    proto.movingIndex = static_cast<int>(m);
    for (std::size_t r = 0; r < request.radixPoints.size(); ++r) {
      const PointPos& radix = request.radix.Point(request.radixPoints[r]);
      if (!radix.Computed()) continue;
      for (const DynamicAspect& aspect : request.aspects) {
        Configuration a = proto;
        a.category = 0;
        a.aspect = aspect.type;
        a.radixIndex = static_cast<int>(r);
        AspectBranch(track, radix.Longitude + aspect.angle, aspect, a, found);
        const bool twoSided = aspect.angle > 1e-9 && aspect.angle < 180 - 1e-9;
        if (twoSided) AspectBranch(track, radix.Longitude - aspect.angle, aspect, a, found);
      }
    }
    const double startLongitude = track.LongitudeAt(track.Start());
    if (request.houses) {
      Configuration h = proto;
      h.category = 1;
      const auto& cusps = request.radix.Houses.Cusps;
      PlaceConfigurations(StaysOf(track, cusps, HouseOf(cusps, startLongitude)), HouseEvents, h, found);
    }
    if (request.signs) {
      Configuration s = proto;
      s.category = 2;
      const int sign = static_cast<int>(startLongitude / 30.0) % 12 + 1;
      PlaceConfigurations(StaysOf(track, signCusps, sign), SignEvents, s, found);
    }
  }
  // The two exact longitudes of an aspect were followed one after the other; the
  // configurations are wanted in time order.
  std::stable_sort(found.begin(), found.end(), [](const Configuration& a, const Configuration& b) {
    return a.events.front().time < b.events.front().time;
  });
  return found;
}

}  // namespace korvana
