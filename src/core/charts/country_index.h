// The country index of a places folder ("Country.ini") and the alternate country names
// ("State.ini").
//
// Country.ini names, for each country or region, the place files of the folder that
// hold places of it:
//   [Status]   ForceRefresh (non-zero forces a rebuild), NumFiles, File1 ... FileN
//   [<country as stored in the records>]   Files, File1 ... FileN
// File names are bare names in the places folder. Every ".plc" file of the folder is a
// place file except "MAPS.PLC" (any case). A country whose name cannot head a section of
// its own (blank, holding "[" or "]", starting with ";", or "Status") is left out of the
// index: its places are still found in the list of the open place file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvana {

class Messages;

constexpr const char* CountryIndexName = "Country.ini";

// The bare names of the place files of a folder, sorted.
std::vector<std::string> PlaceFilesIn(const std::string& placesFolder);

// True when the index of the folder must be rebuilt: it is missing, its "ForceRefresh" is
// non-zero, its "NumFiles" differs from the number of place files, or a file it lists no
// longer exists.
bool CountryIndexIsStale(const std::string& placesFolder);

// Rebuilds the index when `force` is set or it is stale (CountryIndexIsStale), scanning
// every place file under the folder's lock. A place file that cannot be read is still
// counted and listed in "Status" but gives no countries; its reason is shown as a
// warning. Returns true when the index is current afterwards (rebuilt or already so);
// false with a message when it could not be written.
bool RefreshCountryIndex(const std::string& placesFolder, bool force, Messages& messages);

// Sets "ForceRefresh" to 1 in an existing index, so that the next look-up rebuilds it.
// The caller holds the folder's lock. False when an existing index could not be written.
bool MarkCountryIndexForRefresh(const std::string& placesFolder);

// The place files the index lists for a country (compared without regard to case), as
// full paths; empty when the index or the country is missing.
std::vector<std::string> PlaceFilesForCountry(const std::string& placesFolder, std::string_view country);

// The other names under which places of `country` may be filed: the value of its key in
// section "Alternates" of the alternates file, split at commas, blanks trimmed, empty
// names dropped, at most 75. Empty when the file or the key is missing.
std::vector<std::string> AlternateCountries(const std::string& alternatesFile, std::string_view country);

}  // namespace korvana
