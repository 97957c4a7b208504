#include "core/session/place_database.h"

#include "core/charts/place_file.h"
#include "core/util/files.h"
#include "core/util/messages.h"

namespace korvana {

PlaceDatabase::PlaceDatabase(std::string file, PlaceOrder order) : file_(std::move(file)), order_(order) {}

bool PlaceDatabase::Load(Messages& messages) {
  places_.clear();
  bool read = true;
  if (FileExists(file_)) {
    try {
      places_ = ReadPlaceFile(file_);
    } catch (const EPlaceFileError& e) {
      messages.Error(e.what());
      read = false;
    }
  }
  MakeList();
  return read;
}

bool PlaceDatabase::Open(const std::string& file, Messages& messages) {
  file_ = file;
  return Load(messages);
}

void PlaceDatabase::SetOrder(PlaceOrder order) {
  order_ = order;
  MakeList();
}

void PlaceDatabase::MakeList() { list_ = MakePlaceList(places_, order_); }

std::string PlaceDatabase::RowText(std::size_t row) const {
  const PlaceListEntry& e = list_.at(row);
  const std::string number = "#" + std::to_string(e.number);
  return order_ == PlaceOrder::CountryFirst ? e.place.Country + "\t" + e.place.Place + "\t" + number
                                            : e.place.Place + "\t" + e.place.Country + "\t" + number;
}

std::string PlaceDatabase::StatusText() const { return "Places: " + std::to_string(places_.size()); }

std::string PlaceDatabase::TableText(const PlaceRecord& place) {
  return place.ZoneTable > 0 ? "Uses Table #" + std::to_string(place.ZoneTable) : std::string();
}

std::optional<std::size_t> PlaceDatabase::Find(std::string_view typed) const {
  return SearchPlaceList(list_, order_, typed);
}

std::optional<std::size_t> PlaceDatabase::RowOf(int number) const {
  for (std::size_t i = 0; i < list_.size(); ++i)
    if (list_[i].number == number) return i;
  return std::nullopt;
}

std::optional<PlaceRecord> PlaceDatabase::Place(int number) const {
  if (number < 1 || static_cast<std::size_t>(number) > places_.size()) return std::nullopt;
  return places_[static_cast<std::size_t>(number - 1)];
}

std::optional<int> PlaceDatabase::AddNew(const PlaceRecord& place, Messages& messages) {
  const auto added = AddPlace(file_, place, messages);
  if (added) Load(messages);
  return added;
}

bool PlaceDatabase::Replace(int number, const PlaceRecord& place, Messages& messages) {
  const bool replaced = ReplacePlace(file_, number, place, messages);
  if (replaced) Load(messages);
  return replaced;
}

std::optional<int> PlaceDatabase::CopyTo(const std::vector<int>& numbers, const std::string& toFile,
                                         Messages& messages) {
  return CopyPlaces(file_, numbers, toFile, messages);
}

std::optional<int> PlaceDatabase::Delete(const std::vector<int>& numbers, Messages& messages) {
  const auto deleted = DeletePlaces(file_, numbers, messages);
  if (deleted) Load(messages);
  return deleted;
}

bool PlaceDatabase::SetTable(const std::vector<int>& numbers, std::int16_t table, Messages& messages) {
  for (int number : numbers) {
    std::optional<PlaceRecord> place = Place(number);
    if (!place) return false;
    place->ZoneTable = table;
    if (!ReplacePlace(file_, number, *place, messages)) {
      Load(messages);
      return false;
    }
    places_[static_cast<std::size_t>(number - 1)] = *place;
  }
  MakeList();
  return true;
}

}  // namespace korvana
