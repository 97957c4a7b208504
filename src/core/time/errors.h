// Errors raised by the parsers, the zone list and the zone history tables.
#pragma once

#include <string>

#include "core/util/error.h"

namespace korvana {

// A typed entry (date, time, zone, coordinate, angle) that cannot be read.
class EEntryFormatError : public Error {
 public:
  using Error::Error;
};

// A zone description or zone list that cannot be read or registered.
class EZoneFormatError : public EEntryFormatError {
 public:
  using EEntryFormatError::EEntryFormatError;
};

// A zone history table problem: a table missing from the index, or damaged table files.
class ETZError : public Error {
 public:
  using Error::Error;
};

}  // namespace korvana
