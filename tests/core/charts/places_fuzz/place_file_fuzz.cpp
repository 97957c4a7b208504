// Fuzz entry for the place file reader: any bytes at all are read or refused with the
// reader's own error, and what is read survives writing it back and can be searched.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/charts/place_file.h"
#include "core/charts/place_lookup.h"

namespace {

using namespace korvana;

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckPlaces(const std::vector<PlaceRecord>& places, std::string_view data) {
  Require(places.size() * PlaceRecordSize == data.size());
  const std::string written = EncodePlaceFile(places);
  Require(written.size() == data.size());
  Require(DecodePlaceFile(written) == places);
  for (PlaceOrder order : {PlaceOrder::PlaceFirst, PlaceOrder::CountryFirst}) {
    const std::vector<PlaceListEntry> list = MakePlaceList(places, order);
    Require(list.size() == places.size());
    for (const PlaceListEntry& entry : list) {
      const std::string& key = order == PlaceOrder::CountryFirst ? entry.place.Country : entry.place.Place;
      const auto found = SearchPlaceList(list, order, key);
      if (key.find_first_not_of(" \t\r\n") != std::string::npos) Require(found.has_value() && *found < list.size());
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  try {
    CheckPlaces(DecodePlaceFile(data), data);
  } catch (const EPlaceFileError&) {
  }
  if (size >= PlaceRecordSize) {
    try {
      const PlaceRecord place = PlaceFromBytes(data.substr(0, PlaceRecordSize));
      Require(PlaceFromBytes(PlaceRecordBytes(place)) == place);
    } catch (const EPlaceFileError&) {
    }
  }
  return 0;
}
