#include "core/charts/place_lookup.h"

#include <algorithm>

#include "core/charts/country_index.h"
#include "core/charts/place_file.h"
#include "core/util/messages.h"
#include "core/util/text.h"

namespace korvana {

namespace {

const std::string& KeyOf(const PlaceRecord& place, PlaceOrder order) {
  return order == PlaceOrder::CountryFirst ? place.Country : place.Place;
}

const std::string& OtherOf(const PlaceRecord& place, PlaceOrder order) {
  return order == PlaceOrder::CountryFirst ? place.Place : place.Country;
}

// The leading characters of an entry's key compared with the typed name, without regard
// to case: negative, zero or positive as the entry comes before, matches or comes after.
int ComparePrefix(const PlaceListEntry& entry, PlaceOrder order, std::string_view typedLower) {
  const std::string prefix = ToLowerAscii(std::string_view(KeyOf(entry.place, order)).substr(0, typedLower.size()));
  return prefix.compare(typedLower);
}

bool IsPlaceOf(const PlaceRecord& place, std::string_view name, std::string_view country) {
  return EqualsNoCase(Trim(place.Place), name) && EqualsNoCase(Trim(place.Country), country);
}

std::optional<PlaceRecord> SearchFile(const std::string& path, std::string_view name, std::string_view country,
                                      Messages& messages) {
  try {
    for (const PlaceRecord& place : ReadPlaceFile(path))
      if (IsPlaceOf(place, name, country)) return place;
  } catch (const EPlaceFileError& e) {
    messages.Warning(e.what());
  }
  return std::nullopt;
}

}  // namespace

std::vector<PlaceListEntry> MakePlaceList(const std::vector<PlaceRecord>& places, PlaceOrder order) {
  std::vector<PlaceListEntry> list;
  list.reserve(places.size());
  for (std::size_t i = 0; i < places.size(); ++i) list.push_back({places[i], static_cast<int>(i + 1)});
  struct Keys {
    std::string key, other;
  };
  std::vector<Keys> keys;
  keys.reserve(list.size());
  for (const PlaceListEntry& entry : list)
    keys.push_back({ToLowerAscii(KeyOf(entry.place, order)), ToLowerAscii(OtherOf(entry.place, order))});
  std::stable_sort(list.begin(), list.end(), [&](const PlaceListEntry& a, const PlaceListEntry& b) {
    const Keys& ka = keys[static_cast<std::size_t>(a.number - 1)];
    const Keys& kb = keys[static_cast<std::size_t>(b.number - 1)];
    if (ka.key != kb.key) return ka.key < kb.key;
    return ka.other < kb.other;
  });
  return list;
}

std::optional<std::size_t> SearchPlaceList(const std::vector<PlaceListEntry>& list, PlaceOrder order,
                                           std::string_view typed) {
  if (Trim(typed).empty()) return std::nullopt;
  const std::string typedLower = ToLowerAscii(typed);
  // An entry equal to the typed name sorts before every longer entry starting with it.
  const auto first = std::partition_point(list.begin(), list.end(), [&](const PlaceListEntry& entry) {
    return ComparePrefix(entry, order, typedLower) < 0;
  });
  if (first == list.end() || ComparePrefix(*first, order, typedLower) != 0) return std::nullopt;
  return static_cast<std::size_t>(first - list.begin());
}

std::optional<PlaceRecord> FindPlace(std::string_view name, std::string_view country,
                                     const std::vector<PlaceListEntry>& list, PlaceOrder order,
                                     const PlaceSources& sources, Messages& messages) {
  if (const auto index = SearchPlaceList(list, order, name)) return list[*index].place;
  const std::string_view wanted = Trim(name);
  if (!wanted.empty()) {
    RefreshCountryIndex(sources.placesFolder, false, messages);
    std::vector<std::string> countries{std::string(Trim(country))};
    for (std::string& alternate : AlternateCountries(sources.alternatesFile, country))
      countries.push_back(std::move(alternate));
    for (const std::string& filedUnder : countries)
      for (const std::string& file : PlaceFilesForCountry(sources.placesFolder, filedUnder))
        if (auto place = SearchFile(file, wanted, filedUnder, messages)) return place;
  }
  messages.Warning("The place name " + std::string(name) + " was not found in any place file.");
  return std::nullopt;
}

}  // namespace korvana
