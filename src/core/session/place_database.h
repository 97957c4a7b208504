// "Place Database" without the window: the places of the current place file listed by
// place or by country ("C&ountry First"), found by a typed name, added, replaced, copied to
// another file, deleted, and given a zone history table; and the place chosen, as the
// chart data entry takes it. Every change goes through the place file functions
// (place_file.h), which rewrite the file safely and mark the country index for refresh;
// the list is read again after each.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/charts/place_lookup.h"
#include "core/charts/place_record.h"

namespace korvana {

class Messages;

class PlaceDatabase {
 public:
  // The places of `file` (not read until Load).
  explicit PlaceDatabase(std::string file, PlaceOrder order = PlaceOrder::PlaceFirst);

  // Reads the file. A file that cannot be read is shown (its message) and leaves the list
  // empty; false then. A file that does not exist yet is an empty list.
  bool Load(Messages& messages);
  // "&File...": another file becomes current and is read.
  bool Open(const std::string& file, Messages& messages);
  const std::string& File() const { return file_; }

  void SetOrder(PlaceOrder order);
  PlaceOrder Order() const { return order_; }

  // The places in list order, each with its number in the file.
  const std::vector<PlaceListEntry>& List() const { return list_; }
  // A row of the list: place, country and "#" number, tab-separated (country first when
  // so ordered).
  std::string RowText(std::size_t row) const;
  // "Places: " and the count.
  std::string StatusText() const;
  // "Uses Table #" and the number for a place with a zone history table, else "".
  static std::string TableText(const PlaceRecord& place);

  // "F&ind...": the row of the first place whose key column starts with `typed`
  // (SearchPlaceList).
  std::optional<std::size_t> Find(std::string_view typed) const;
  // The row showing place `number`, or nothing.
  std::optional<std::size_t> RowOf(int number) const;

  // "Add as &New", "&Replace Current", "C&opy...", "&Delete...", "&Table...": as
  // AddPlace, ReplacePlace, CopyPlaces, DeletePlaces (with their messages), then the list
  // is read again. SetTable rewrites each of the places with the zone history table
  // (0: none). Each returns what its place file function returns.
  std::optional<int> AddNew(const PlaceRecord& place, Messages& messages);
  bool Replace(int number, const PlaceRecord& place, Messages& messages);
  std::optional<int> CopyTo(const std::vector<int>& numbers, const std::string& toFile, Messages& messages);
  std::optional<int> Delete(const std::vector<int>& numbers, Messages& messages);
  bool SetTable(const std::vector<int>& numbers, std::int16_t table, Messages& messages);

  // The place with that number, or nothing.
  std::optional<PlaceRecord> Place(int number) const;

 private:
  void MakeList();

  std::string file_;
  PlaceOrder order_;
  std::vector<PlaceRecord> places_;
  std::vector<PlaceListEntry> list_;
};

}  // namespace korvana
