// "Select Place from Atlas" without the window: the country the browse list starts on for
// a typed country, the texts of its place rows, and the clock changes of a place as rows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/charts/atlas.h"
#include "core/time/zone_in_force.h"

namespace korvana {

// The country to choose in the browse list for the typed country: the abbreviations of
// the Australian states and territories ("ACT", "NSW", "NT", "QLD", "SA", "TAS", "VIC",
// "WA", without regard to case) give "Australia"; any other text is returned trimmed.
std::string BrowseCountryName(std::string_view typed);

// A place of the place list: its name, and ", " and its state when it has one.
std::string AtlasPlaceRow(const AtlasPlace& place);

// The kind of a zone as the atlas dialog names it: "Standard", "Daylight", "War Time",
// "Double Summer", "Local Mean Time", "Half-hour Daylight".
std::string_view ZoneKindName(ZoneKind kind);

// One row per change of a place's clock, tab-separated: the local date (after
// `monthFirst`) and time (after `twelveHour`) at which the clocks changed, the time they
// then showed, the zone abbreviation with its hours, and the zone's kind.
std::vector<std::string> ZoneChangeRows(const std::vector<ZoneChange>& changes, bool monthFirst, bool twelveHour);

}  // namespace korvana
