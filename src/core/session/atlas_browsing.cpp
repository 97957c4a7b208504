#include "core/session/atlas_browsing.h"

#include <array>

#include "core/time/entry_parsing.h"
#include "core/util/text.h"

namespace korvana {

namespace {

constexpr std::array<std::string_view, 8> AustralianStates = {"ACT", "NSW", "NT", "QLD", "SA", "TAS", "VIC", "WA"};

constexpr std::array<std::string_view, 6> ZoneKindNames = {"Standard",        "Daylight",        "War Time",
                                                           "Double Summer",   "Local Mean Time", "Half-hour Daylight"};

std::string When(const DateTimeRec& t, bool monthFirst, bool twelveHour) {
  return FormatDate(monthFirst, t.Day, t.Month, t.Year) + " " + FormatTime(twelveHour, t.Hour, t.Minute, t.Second);
}

}  // namespace

std::string BrowseCountryName(std::string_view typed) {
  const std::string_view trimmed = Trim(typed);
  for (std::string_view state : AustralianStates)
    if (EqualsNoCase(trimmed, state)) return "Australia";
  return std::string(trimmed);
}

std::string AtlasPlaceRow(const AtlasPlace& place) {
  return place.state.empty() ? place.name : place.name + ", " + place.state;
}

std::string_view ZoneKindName(ZoneKind kind) {
  const auto i = static_cast<std::size_t>(kind);
  return i < ZoneKindNames.size() ? ZoneKindNames[i] : std::string_view("Unknown");
}

std::vector<std::string> ZoneChangeRows(const std::vector<ZoneChange>& changes, bool monthFirst, bool twelveHour) {
  std::vector<std::string> rows;
  rows.reserve(changes.size());
  for (const ZoneChange& c : changes) {
    const std::string zone = std::string(Trim(c.zone.abbreviation + " " + FormatZoneHours(c.zone.hours)));
    rows.push_back(When(c.from, monthFirst, twelveHour) + "\t" + FormatTime(twelveHour, c.to.Hour, c.to.Minute, c.to.Second) +
                   "\t" + zone + "\t" + std::string(ZoneKindName(c.zone.kind)));
  }
  return rows;
}

}  // namespace korvana
