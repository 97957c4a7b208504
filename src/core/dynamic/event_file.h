// The event file of a dynamic search: the events, the order in which they are grouped
// and the moving and radix point lists.
//
// Layout (little-endian, packed):
//   event count N (int32), N events of 62 bytes, N order indices (int32, 0-based),
//   dynamic point count M (int32), M points of 9 bytes, radix point count K (int32),
//   K points of 9 bytes.
// Event: type (uint8), dynamic point index (int32), aspect number (int32), radix point
//   index (int32), time (double, JD UT), four doubles (0 here), house or sign number
//   (int32), an int32 and a byte (0).
// Point: kind (uint8), PointId (int32), an int32 (0).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/dynamic/configurations.h"
#include "core/util/error.h"

namespace korvana {

constexpr std::size_t DynamicEventSize = 62;
constexpr std::size_t DynamicPointSize = 9;

struct DynamicEvent {
  std::uint8_t type = 0;
  std::int32_t dynamicIndex = 0;
  std::int32_t aspect = 0;
  std::int32_t radixIndex = 0;
  double time = 0.0;
  std::array<double, 4> extra{};
  std::int32_t place = 0;
  std::int32_t reserved = 0;
  std::uint8_t flag = 0;
  friend bool operator==(const DynamicEvent&, const DynamicEvent&) = default;
};

// TDynamicPointDefn; the event file carries the kind, the PointId and one number.
struct TDynamicPointDefn {
  std::uint8_t Kind = 0;
  std::int32_t PointNo = 0;
  std::int32_t Extra = 0;
  friend bool operator==(const TDynamicPointDefn&, const TDynamicPointDefn&) = default;
};

struct TDynamicReport {
  std::int32_t EventCount = 0;
  std::vector<DynamicEvent> Events;
  std::vector<std::int32_t> Order;
  std::vector<TDynamicPointDefn> DynamicPoints;
  std::vector<TDynamicPointDefn> RadixPoints;
  friend bool operator==(const TDynamicReport&, const TDynamicReport&) = default;
};

// An event file that cannot be read whole or holds impossible values.
class EEventFileError : public Error {
 public:
  using Error::Error;
};

std::string SerializeEventFile(const TDynamicReport& report);

// Reads the bytes block by block. Throws EEventFileError (naming `path`) when a block is
// cut short, a count is negative, an order index or a point index of an event lies
// outside its list.
TDynamicReport ParseEventFile(std::string_view bytes, const std::string& path = {});

// Reads the file at `path` as ParseEventFile; a missing file throws EEventFileError.
TDynamicReport ReadEventFile(const std::string& path);

// Removes an event file (or another file a search rewrites) left by an earlier search;
// anything that is not a plain file is left alone. False when a file stays.
bool RemoveEarlierFile(const std::string& path);

// Writes the file through a work file; false when it cannot be written (nothing is
// left half-written).
bool WriteEventFile(const std::string& path, const TDynamicReport& report);

// The event file of a search's configurations: the events stored moving point by
// moving point, the order list giving them configuration by configuration in the order
// of `configurations` (each configuration's events in time order, closing event last);
// the point lists are the request's.
TDynamicReport MakeDynamicReport(const SearchRequest& request, const std::vector<Configuration>& configurations);

}  // namespace korvana
