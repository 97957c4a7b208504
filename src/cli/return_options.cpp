#include "cli/return_options.h"

#include <ctime>

#include "cli/validators.h"
#include "core/charts/atlas.h"
#include "core/charts/chart_place.h"
#include "core/time/entry_parsing.h"
#include "core/time/time_zone.h"
#include "core/time/zone_in_force.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

// The return place and how its clock is read.
struct ReturnPlace {
  ChartRecord place;     // place, country, coordinates, and the zone when no IANA zone is known
  std::string ianaZone;  // empty: the record's zone hours stand
};

std::optional<Atlas> OpenAtlas(const ProgramSettings& s, Messages& messages) {
  try {
    return std::make_optional<Atlas>(WithTrailingSlash(s.SystemPath) + std::string(Atlas::FileName));
  } catch (const EAtlasError& e) {
    messages.Error(std::string(e.what()) + "\nGive --lat, --lon and --zone instead of --relocate.");
    return std::nullopt;
  }
}

// A zone the system's tz database knows (any moment will do to ask).
bool ZoneKnown(const std::string& iana) { return ZoneInForceAtUniversal(iana, DateTimeRec{}, 0).has_value(); }

std::optional<ReturnPlace> Relocated(const ReturnArguments& a, const ChartRecord& natal, const ProgramSettings& s,
                                     Messages& messages) {
  ReturnPlace r{natal, ""};
  std::optional<Atlas> atlas = OpenAtlas(s, messages);
  if (!atlas) return std::nullopt;
  const std::optional<AtlasPlace> found = FindSingleAtlasPlace(*atlas, a.relocate, messages);
  if (!found) return std::nullopt;
  if (!ZoneKnown(found->zone)) {
    messages.Error(UnknownZoneMessage(*found));
    return std::nullopt;
  }
  r.place.Place = LimitText(found->name, ChartPlaceLength);
  r.place.Country = LimitText(found->country, ChartCountryLength);
  r.place.Latitude = found->latitude;
  r.place.Longitude = -found->longitude;
  r.ianaZone = found->zone;
  return r;
}

std::optional<ReturnPlace> Typed(const ReturnArguments& a, const ChartRecord& natal, const ProgramSettings& s,
                                 Messages& messages) {
  ReturnPlace r{natal, ""};
  const ZoneList zones = FileExists(s.TimeZones) ? LoadZoneList(s.TimeZones) : ZoneList{};
  const ZoneEntry zone = ParseZone(a.zone, &messages, zones);
  if (zone.error) return std::nullopt;
  const CoordinateEntry lat = ParseLatLong(a.lat, false, &messages);
  if (lat.error) return std::nullopt;
  const CoordinateEntry lon = ParseLatLong(a.lon, true, &messages);
  if (lon.error) return std::nullopt;
  r.place.Place = FormatLatLong(false, lat.degrees) + " " + FormatLatLong(true, lon.degrees);
  r.place.Country.clear();
  r.place.Latitude = lat.degrees;
  r.place.Longitude = lon.degrees;
  r.place.ZoneHours = zone.hours;
  r.place.ZoneAbbrev = zone.abbrev.substr(0, ChartZoneAbbrevLength);
  return r;
}

// The natal place keeps its clock through the atlas when the atlas knows the place by
// its name and country; otherwise the natal chart's zone stands.
ReturnPlace Natal(const ChartRecord& natal, const ProgramSettings& s, Messages& messages) {
  ReturnPlace r{natal, ""};
  const std::string country(Trim(natal.Country));
  const std::string query = std::string(Trim(natal.Place)) + (country.empty() ? "" : ", " + country);
  SilentMessages quiet;
  try {
    const Atlas atlas(WithTrailingSlash(s.SystemPath) + std::string(Atlas::FileName));
    if (auto found = FindSingleAtlasPlace(atlas, query, quiet); found && ZoneKnown(found->zone)) {
      r.ianaZone = found->zone;
      return r;
    }
  } catch (const EAtlasError&) {
  }
  messages.Warning("The atlas does not know the natal place " + query + ": the return's time is given in the natal chart's zone.");
  return r;
}

DateTimeRec UniversalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm t{};
  gmtime_r(&now, &t);
  return {static_cast<std::int16_t>(t.tm_year + 1900), static_cast<std::uint8_t>(t.tm_mon + 1),
          static_cast<std::uint8_t>(t.tm_mday),        static_cast<std::uint8_t>(t.tm_hour),
          static_cast<std::uint8_t>(t.tm_min),         static_cast<std::uint8_t>(t.tm_sec),
          calAuto};
}

}  // namespace

const char* const ReturnSynopsis =
    "[--near DATE [--time TIME]] [--which current|nearest|next] [--converse] "
    "[--relocate \"PLACE, COUNTRY\" | --lat LAT --lon LON --zone ZONE]";

void AddReturnOptions(CommandOptions& app, ReturnArguments& a, ReturnPlaceOptions which) {
  const auto value = [&app](const char* name, std::string& target, const char* valueName, const char* description) {
    return app.Value(name, target, description).ValueName(valueName).Check(NotEmpty());
  };
  value("--near", a.near, "DATE", "the local date near which the return is sought (default: now)");
  const bool own = which == ReturnPlaceOptions::Own;
  if (own) value("--time", a.time, "TIME", "the local time on that date (default 12:00)");
  value("--which", a.which, "current|nearest|next", "the return before, nearest to or after that moment (default nearest)")
      .Check(OneOf({"current", "nearest", "next"}, true));
  app.Flag("--converse", a.converse, "search backwards in time from the moment mirrored about the birth");
  value("--relocate", a.relocate, "\"PLACE, COUNTRY\"", "cast the return for a place of the atlas");
  if (!own) return;
  value("--lat", a.lat, "LAT", "cast the return for this latitude (with --lon and --zone)");
  value("--lon", a.lon, "LON", "the return place's longitude");
  value("--zone", a.zone, "ZONE", "the return place's zone");
}

void CheckReturnOptions(const CommandOptions& app, const ReturnArguments& a) {
  const std::string command = app.Path();
  if (!a.time.empty() && a.near.empty()) throw UsageError(command + " takes --time with --near");
  const bool typed = !a.lat.empty() || !a.lon.empty() || !a.zone.empty();
  if (typed && !a.relocate.empty()) throw UsageError(command + " takes either --relocate or --lat, --lon and --zone");
  if (typed && (a.lat.empty() || a.lon.empty() || a.zone.empty()))
    throw UsageError(command + " needs --lat, --lon and --zone together");
}

std::optional<ReturnSearchRequest> ReturnSearchFor(const ReturnArguments& a, const ChartRecord& natal,
                                                   const ProgramSettings& s, Messages& messages) {
  std::optional<ReturnPlace> place;
  if (!a.relocate.empty())
    place = Relocated(a, natal, s, messages);
  else if (!a.lat.empty())
    place = Typed(a, natal, s, messages);
  else
    place = Natal(natal, s, messages);
  if (!place) return std::nullopt;

  ReturnSearchRequest request;
  const std::string which = ToLowerAscii(a.which);
  request.which = which == "current" ? ReturnWhich::Current : which == "next" ? ReturnWhich::Next : ReturnWhich::Nearest;
  request.options = ReturnOptionsFrom(s);
  request.options.converse = request.options.converse || a.converse;
  request.options.ianaZone = place->ianaZone;

  ChartRecord& base = request.base;
  base = place->place;
  base.EventKind = EventEvent;
  if (a.near.empty()) {
    // Now, read on the return place's clock.
    const DateTimeRec ut = UniversalNow();
    if (auto zone = ZoneInForceAtUniversal(place->ianaZone, ut, base.Longitude)) {
      base.ZoneHours = static_cast<float>(zone->hours);
      base.ZoneAbbrev = zone->abbreviation.substr(0, ChartZoneAbbrevLength);
    }
    base.Moment = JDToDateRec(calAuto, DateRecToJD(ut, true) - static_cast<double>(base.ZoneHours) / 24.0);
    return request;
  }
  const DateEntry date = ParseDate(a.near, &messages, s.MonthFirst, s.CenturyPivotYear);
  if (date.error) return std::nullopt;
  const TimeEntry time = ParseTime(a.time.empty() ? "12:00" : a.time, &messages);
  if (time.error) return std::nullopt;
  base.Moment = MomentOf(date, time);
  if (auto zone = ZoneInForceAt(place->ianaZone, base.Moment, base.Longitude)) {
    base.ZoneHours = static_cast<float>(zone->hours);
    base.ZoneAbbrev = zone->abbreviation.substr(0, ChartZoneAbbrevLength);
  }
  return request;
}

}  // namespace korvana::cli
