// Errors raised by the parsers, the zone list and the zone history tables.
#pragma once

#include <stdexcept>
#include <string>

namespace korvana {

// A typed entry (date, time, zone, coordinate, angle) that cannot be read.
class EEntryFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A zone description or zone list that cannot be read or registered.
class EZoneFormatError : public EEntryFormatError {
 public:
  using EEntryFormatError::EEntryFormatError;
};

// A zone history table problem: a table missing from the index, or damaged table files.
class ETZError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace korvana
