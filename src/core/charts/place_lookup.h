// Finding a place: first in the list of the open place file, then through the country
// index (country_index.h) in every place file filed under the country or one of its
// alternates.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/charts/place_record.h"

namespace korvana {

class Messages;

// The order of the place list: by place name, or by country ("Country First").
enum class PlaceOrder { PlaceFirst, CountryFirst };

// A place of the list with its number (from 1) in its file.
struct PlaceListEntry {
  PlaceRecord place;
  int number = 0;
};

// The places of a file in list order: by the key column (place, or country when country
// first) without regard to case, then by the other column, then by file order.
std::vector<PlaceListEntry> MakePlaceList(const std::vector<PlaceRecord>& places, PlaceOrder order);

// A binary search of a list made by MakePlaceList with the same order, on its key column
// (the country when country first), comparing `typed` without regard to case with the
// same number of leading characters of each entry. An entry equal to `typed` is taken;
// otherwise the first entry that starts with it ("Sydn" finds "Sydney").
// The entry's index in the list, or nullopt when no entry starts with `typed` or
// `typed` is blank.
std::optional<std::size_t> SearchPlaceList(const std::vector<PlaceListEntry>& list, PlaceOrder order,
                                           std::string_view typed);

// Where FindPlace looks besides the list.
struct PlaceSources {
  std::string placesFolder;    // holds the place files and Country.ini
  std::string alternatesFile;  // State.ini
};

// A place by name: SearchPlaceList on `list`; otherwise, after RefreshCountryIndex, the
// country and then each of its alternates in turn: every place file the index lists for
// that name is searched record by record for a place of that name and that country
// (both without regard to case). A listed file that cannot be read is shown as a warning
// and passed over. When nothing is found shows "The place name " + name + " was not
// found in any place file." and returns nullopt.
std::optional<PlaceRecord> FindPlace(std::string_view name, std::string_view country,
                                     const std::vector<PlaceListEntry>& list, PlaceOrder order,
                                     const PlaceSources& sources, Messages& messages);

}  // namespace korvana
