// Place files (".plc"): a file of 73-byte place records (place_record.h) and nothing
// else. Places are numbered from 1 in file order.
//
// A file is read whole and checked whole: a file that is cut short or holds a record
// that is no place is refused with a message naming the place where it goes wrong, so
// that no list, look-up or rewrite works on garbage. Every change reads, changes and
// rewrites the file under the lock of its folder (folder_lock.h) and through a work file
// renamed into place, so a failure leaves the old file as it was; every change also marks
// the folder's country index for a rebuild (country_index.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/charts/place_record.h"

namespace korvana {

class Messages;

// Every place of the bytes of a place file; empty data is an empty file. Throws
// EPlaceFileError "The place file is damaged: " followed by what is wrong when the size is
// not a whole number of records or a record cannot be read (PlaceFromBytes).
std::vector<PlaceRecord> DecodePlaceFile(std::string_view data);

// Every place of a file. Throws EPlaceFileError "The place file <path> could not be
// opened." when it cannot be read (missing, a folder, unreadable), and the damage of
// DecodePlaceFile with the path in place of "The place file".
std::vector<PlaceRecord> ReadPlaceFile(const std::string& path);

// The bytes of a place file holding the places in order.
std::string EncodePlaceFile(const std::vector<PlaceRecord>& places);

// Appends a place; a missing file is created. A place whose name is blank is refused with
// "Place name must not be blank.". Returns the new place's number; on any failure shows
// the reason and returns nullopt with the file unchanged.
std::optional<int> AddPlace(const std::string& path, const PlaceRecord& place, Messages& messages);

// Rewrites place `number` (from 1) with `place`; refused as AddPlace for a blank name and
// for a number the file does not hold. False (with a message) on failure, the file
// unchanged.
bool ReplacePlace(const std::string& path, int number, const PlaceRecord& place, Messages& messages);

// Appends the places `numbers` of `from` to the end of `to` (created when missing), in
// file order, each once. Copying into the file itself is refused with "You cannot copy
// places into the same file."; a number `from` does not hold refuses the whole copy.
// Afterwards shows the count and " Places were copied successfully." and returns the
// count; nullopt (with a message) and `to` unchanged on failure.
std::optional<int> CopyPlaces(const std::string& from, const std::vector<int>& numbers, const std::string& to,
                              Messages& messages);

// Asks "Are you sure that you wish to delete the selected places?" and, when confirmed,
// rewrites the file without the places `numbers`; then shows the count and " Places were
// deleted." and returns the count. nullopt when declined, or (with a message, the file
// unchanged) on failure or for a number the file does not hold.
std::optional<int> DeletePlaces(const std::string& path, const std::vector<int>& numbers, Messages& messages);

}  // namespace korvana
