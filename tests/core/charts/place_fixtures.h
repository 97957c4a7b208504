// Places shared by the place file tests.
#pragma once

#include <string>
#include <vector>

#include "core/charts/place_file.h"
#include "core/charts/place_record.h"

namespace korvana::testing {

inline PlaceRecord Place(std::string place, std::string country, std::string zone = "AEST",
                         std::string latitude = "33S52", std::string longitude = "151E13",
                         std::int16_t table = 0) {
  return PlaceRecord{std::move(place), std::move(country), std::move(zone), std::move(latitude),
                     std::move(longitude), table};
}

inline const std::vector<PlaceRecord>& NswPlaces() {
  static const std::vector<PlaceRecord> places{
      Place("Sydney", "NSW", "AEST", "33S52", "151E13", 12),
      Place("Newcastle", "NSW", "AEST", "32S55", "151E46"),
      Place("Albury", "NSW", "AEST", "36S05", "146E55"),
  };
  return places;
}

inline const std::vector<PlaceRecord>& WaPlaces() {
  static const std::vector<PlaceRecord> places{
      Place("Perthville", "NSW", "AEST", "33S29", "149E33"),
      Place("Perth", "WA", "AWST", "31S57", "115E51"),
      Place("Broome", "WA", "AWST", "17S58", "122E14"),
  };
  return places;
}

}  // namespace korvana::testing
