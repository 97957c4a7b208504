// Zone history tables from the IANA time zone database: one table per zone, its entries
// the zone's clock changes (local clock time before the change) and its codes the
// distinct offset-and-abbreviation pairs of all zones.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/time/zone_tables.h"

namespace korvana::tztables {

class TzError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One line of the zone numbering list: "<number> <IANA zone name>".
struct NumberedZone {
  std::int32_t tableNo = 0;
  std::string zone;
};

// Reads the numbering list: blank lines and lines starting with "#" are skipped; numbers
// must be positive and unique, names unique and at most 40 characters.
std::vector<NumberedZone> ParseZoneNumbers(std::string_view text);

struct GeneratorOptions {
  int lastYear = 2037;            // clock changes after this year are left out
  std::size_t maxEntries = 300;   // what the table editor can hold
};

struct GeneratedTables {
  std::vector<TZCode> codes;
  std::vector<TZTable> tables;
};

// Builds the tables. Before a zone's first clock change the lookup falls back to local
// mean time at the place's own longitude, so a zone's initial local mean time is not
// copied; a zone that starts in any other time gets an entry at 1 January of year 1.
// A table whose zone changes its clocks after the last year (or that had to be cut to
// maxEntries) ends with NextTable -1, otherwise with 0. Codes are numbered by how many
// entries use them, most used first, so that the table editor's first 200 hold the
// common ones. Throws TzError when a zone cannot be loaded.
GeneratedTables GenerateTables(const std::vector<NumberedZone>& zones, const GeneratorOptions& options);

}  // namespace korvana::tztables
