#include "core/charts/place_file.h"

#include <algorithm>
#include <filesystem>

#include "core/charts/country_index.h"
#include "core/util/files.h"
#include "core/util/folder_lock.h"
#include "core/util/messages.h"
#include "core/util/text.h"

namespace korvana {

namespace {

const char* const BlankName = "Place name must not be blank.";
const char* const SameFile = "You cannot copy places into the same file.";
const char* const ConfirmDelete = "Are you sure that you wish to delete the selected places?";

std::string Damaged(std::string_view who, std::string_view what) {
  return std::string(who) + " is damaged: " + std::string(what);
}

std::vector<PlaceRecord> Decode(std::string_view data, std::string_view who) {
  const std::size_t count = data.size() / PlaceRecordSize;
  if (data.size() % PlaceRecordSize != 0)
    throw EPlaceFileError(Damaged(who, "it ends inside place " + std::to_string(count + 1) + "."));
  std::vector<PlaceRecord> places;
  places.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    try {
      places.push_back(PlaceFromBytes(data.substr(i * PlaceRecordSize, PlaceRecordSize)));
    } catch (const EPlaceFileError& e) {
      throw EPlaceFileError(Damaged(who, "in place " + std::to_string(i + 1) + ", " + e.what() + "."));
    }
  }
  return places;
}

// The places of a file that a change starts from: none when nothing is there yet.
std::vector<PlaceRecord> PlacesToChange(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) return {};
  return ReadPlaceFile(path);
}

void Write(const std::string& path, const std::vector<PlaceRecord>& places) {
  // The index is marked first: should the file then not be written, the only cost is a
  // rebuild that was not needed, while the other order could leave an index that misses
  // the change.
  if (!MarkCountryIndexForRefresh(FolderOf(path)) || !WriteFileAtomic(path, EncodePlaceFile(places)))
    throw EPlaceFileError("The place file " + path + " could not be written.");
}

void CheckName(const PlaceRecord& place) {
  if (Trim(place.Place).empty()) throw EPlaceFileError(BlankName);
}

// The numbers, each once and in file order; throws for one the file does not hold.
std::vector<int> CheckedNumbers(std::vector<int> numbers, std::size_t count) {
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  for (int number : numbers)
    if (number < 1 || static_cast<std::size_t>(number) > count)
      throw EPlaceFileError("There is no place " + std::to_string(number) + " in this place file (it holds " +
                            std::to_string(count) + (count == 1 ? " place)." : " places)."));
  return numbers;
}

// Runs a read-modify-write of the file at `path` under its folder's lock; a failure is
// shown and gives nullopt.
template <typename Change>
auto Locked(const std::string& path, Messages& messages, Change change) -> std::optional<decltype(change())> {
  try {
    const FolderWriteLock lock(path);
    if (!lock.Locked()) {
      if (!FolderExists(FolderOf(path).empty() ? "." : FolderOf(path)))
        throw EPlaceFileError("The place file " + path + " could not be written.");
      throw EPlaceFileError(FolderBusyMessage);
    }
    return change();
  } catch (const EPlaceFileError& e) {
    messages.Error(e.what());
    return std::nullopt;
  }
}

bool SameFileAs(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  return NormalisePath(a) == NormalisePath(b);
}

}  // namespace

std::vector<PlaceRecord> DecodePlaceFile(std::string_view data) { return Decode(data, "The place file"); }

std::vector<PlaceRecord> ReadPlaceFile(const std::string& path) {
  const auto data = ReadFileBytes(path);
  if (!data) throw EPlaceFileError("The place file " + path + " could not be opened.");
  return Decode(*data, "The place file " + path);
}

std::string EncodePlaceFile(const std::vector<PlaceRecord>& places) {
  std::string data;
  data.reserve(places.size() * PlaceRecordSize);
  for (const PlaceRecord& place : places) data += PlaceRecordBytes(place);
  return data;
}

std::optional<int> AddPlace(const std::string& path, const PlaceRecord& place, Messages& messages) {
  if (Trim(place.Place).empty()) {
    messages.Error(BlankName);
    return std::nullopt;
  }
  return Locked(path, messages, [&] {
    std::vector<PlaceRecord> places = PlacesToChange(path);
    places.push_back(place);
    Write(path, places);
    return static_cast<int>(places.size());
  });
}

bool ReplacePlace(const std::string& path, int number, const PlaceRecord& place, Messages& messages) {
  return Locked(path, messages, [&] {
           std::vector<PlaceRecord> places = ReadPlaceFile(path);
           CheckedNumbers({number}, places.size());
           CheckName(place);
           places[static_cast<std::size_t>(number - 1)] = place;
           Write(path, places);
           return true;
         })
      .has_value();
}

std::optional<int> CopyPlaces(const std::string& from, const std::vector<int>& numbers, const std::string& to,
                              Messages& messages) {
  if (SameFileAs(from, to)) {
    messages.Error(SameFile);
    return std::nullopt;
  }
  const auto copied = Locked(to, messages, [&] {
    const std::vector<PlaceRecord> source = ReadPlaceFile(from);
    const std::vector<int> chosen = CheckedNumbers(numbers, source.size());
    std::vector<PlaceRecord> places = PlacesToChange(to);
    for (int number : chosen) places.push_back(source[static_cast<std::size_t>(number - 1)]);
    Write(to, places);
    return static_cast<int>(chosen.size());
  });
  if (copied) messages.Information(std::to_string(*copied) + " Places were copied successfully.");
  return copied;
}

std::optional<int> DeletePlaces(const std::string& path, const std::vector<int>& numbers, Messages& messages) {
  if (!messages.Confirm(ConfirmDelete)) return std::nullopt;
  const auto deleted = Locked(path, messages, [&] {
    const std::vector<PlaceRecord> places = ReadPlaceFile(path);
    const std::vector<int> chosen = CheckedNumbers(numbers, places.size());
    std::vector<PlaceRecord> kept;
    kept.reserve(places.size() - chosen.size());
    for (std::size_t i = 0; i < places.size(); ++i)
      if (!std::binary_search(chosen.begin(), chosen.end(), static_cast<int>(i + 1))) kept.push_back(places[i]);
    Write(path, kept);
    return static_cast<int>(chosen.size());
  });
  if (deleted) messages.Information(std::to_string(*deleted) + " Places were deleted.");
  return deleted;
}

}  // namespace korvana
