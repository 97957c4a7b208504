// The configurations of a dynamic search: each moving point against the radix chart's
// points (aspects entered, exact and left), houses and signs, found through time.
//
// Event types (the event file's numbering):
//   aspects  0 exact, 1 enters the entering orb, 2 leaves the leaving orb (closes),
//            3 in orb at the search start (opens, at the start), 4 in orb at the search
//            end (closes, at the end);
//   houses   5 enters, 9 enters again after a retrograde loop, 11 leaves for such a
//            loop, 7 leaves (closes);
//   signs    6 enters, 10 enters again, 12 leaves for a loop, 8 leaves (closes).
// A house or sign configuration in force at the search start opens with its entering
// event at the start; one in force at the end closes with its leaving event at the end.
// A loop is a passage out of the place through one cusp and back through the same cusp
// (a retrograde station on either side): its passes stay inside one configuration. The
// neighbouring place visited in between has a configuration of its own, with the same
// passes seen from its side: Saturn entering Aries, turning back into Pisces and
// entering Aries again gives one Aries configuration "enters, leaves for a loop, enters
// again, leaves" and one Pisces configuration that carries the loop the other way.
#pragma once

#include <cstdint>
#include <vector>

#include "core/astro/calculated_chart.h"

namespace korvana {

enum DynamicEventType : std::uint8_t {
  EventExact = 0,
  EventEntersOrb = 1,
  EventLeavesOrb = 2,
  EventInOrbAtStart = 3,
  EventInOrbAtEnd = 4,
  EventEntersHouse = 5,
  EventEntersSign = 6,
  EventLeavesHouse = 7,
  EventLeavesSign = 8,
  EventReentersHouse = 9,
  EventReentersSign = 10,
  EventLeavesHouseForLoop = 11,
  EventLeavesSignForLoop = 12,
};

enum class DynamicTechnique { Transits = 1, Progressions = 2, Primaries = 3 };

// One aspect followed: its number, exact angle (0..180) and the orbs (degrees) within
// which a configuration begins (entering) and beyond which it ends (leaving).
struct DynamicAspect {
  int type = 1;
  double angle = 0.0;
  double enterOrb = 1.0;
  double leaveOrb = 1.0;
};

struct SearchRequest {
  CalculatedChart radix;
  DynamicTechnique technique = DynamicTechnique::Transits;
  std::vector<int> movingPoints;  // PointIds, in the order of the event file's list
  std::vector<int> radixPoints;   // PointIds, likewise
  std::vector<DynamicAspect> aspects;
  bool houses = false;
  bool signs = false;
  double start = 0.0;  // Julian days, Universal Time
  double end = 0.0;
};

struct ConfigurationEvent {
  std::uint8_t type = 0;
  double time = 0.0;
};

struct Configuration {
  int category = 0;     // 0 aspect, 1 house, 2 sign
  int movingIndex = 0;  // index into SearchRequest::movingPoints
  int aspect = 0;       // aspect number (aspect configurations), else 0
  int radixIndex = 0;   // index into SearchRequest::radixPoints (aspects), else 0
  int place = 0;        // house or sign 1..12 (house and sign configurations), else 0
  std::vector<ConfigurationEvent> events;  // in time order, the closing event last
};

// Thrown for a request the engine cannot follow: an end not after the start, a moving
// point the technique cannot follow, orbs outside 0..90 degrees.
class ESearchRequestError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// Whether a technique can follow the point (transits: CanTransit; progressions:
// CanProgress; primary directions: every point).
bool CanFollow(DynamicTechnique technique, int pointId);

// Every configuration of the request in force at some moment of [start, end], ordered
// by the time of its first event (then by moving point, category and the rest of the
// configuration in request order). Radix points the chart did not compute are skipped.
// Exact, entering and leaving times are found to well under a second. Primary
// directions (primary_directions.h) give aspect configurations only. Throws
// ESearchRequestError for a request it cannot follow.
std::vector<Configuration> FindConfigurations(const SearchRequest& request);

}  // namespace korvana
