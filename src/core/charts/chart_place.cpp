#include "core/charts/chart_place.h"

#include <algorithm>
#include <iterator>

#include "core/charts/atlas.h"
#include "core/charts/country_index.h"
#include "core/charts/place_file.h"
#include "core/time/entry_parsing.h"
#include "core/util/messages.h"
#include "core/util/text.h"

namespace korvana {

namespace {

// Candidates listed in the message for a name several places answer to.
constexpr std::size_t ListedCandidates = 10;

std::string QueryText(std::string_view place, std::string_view country) {
  std::string query(place);
  if (!country.empty()) query += ", " + std::string(country);
  return query;
}

std::string Candidate(const AtlasPlace& p) {
  std::string line = p.name;
  if (!p.state.empty()) line += ", " + p.state;
  line += ", " + p.country + " (" + FormatLatLong(false, p.latitude) + ", " + FormatLatLong(true, -p.longitude) + ")";
  return line;
}

std::string SeveralPlacesMessage(const std::string& query, const std::vector<AtlasPlace>& places) {
  std::string text = "Several places match \"" + query + "\":";
  for (std::size_t i = 0; i < places.size() && i < ListedCandidates; ++i) text += "\n  " + Candidate(places[i]);
  if (places.size() > ListedCandidates) text += "\n  ...";
  text += "\nAdd the state or country to choose one.";
  return text;
}

// The places filed under `country` or one of its alternates; all of them when no
// country is given. The list search then cannot take a place of another country.
std::vector<PlaceRecord> PlacesOfCountry(std::vector<PlaceRecord> places, std::string_view country,
                                         const PlaceSources& sources) {
  const std::string_view wanted = Trim(country);
  if (wanted.empty()) return places;
  std::vector<std::string> names{std::string(wanted)};
  for (std::string& alternate : AlternateCountries(sources.alternatesFile, wanted)) names.push_back(std::move(alternate));
  std::erase_if(places, [&](const PlaceRecord& p) {
    return std::none_of(names.begin(), names.end(), [&](const std::string& n) { return EqualsNoCase(Trim(p.Country), n); });
  });
  return places;
}

}  // namespace

std::string LocalTimeFitMessage(const LocatedPlace& place) {
  switch (place.fit) {
    case LocalTimeFit::InGap:
      return "The clocks went forward over this local time in " + place.place +
             ": it is read with the zone in force before the change (" + FormatZoneHours(place.zoneHours) + ").";
    case LocalTimeFit::InFold:
      return "This local time happened twice in " + place.place +
             " when the clocks went back: it is read as the first of the two (" + place.zoneAbbrev + " " +
             FormatZoneHours(place.zoneHours) + ").";
    case LocalTimeFit::Unique: break;
  }
  return {};
}

std::optional<AtlasPlace> FindSingleAtlasPlace(const Atlas& atlas, const std::string& query, Messages& messages) {
  AtlasLookup lookup = atlas.Find(query, 0);
  if (lookup.status != AtlasStatus::Found) {
    messages.Error(AtlasStatusMessage(lookup.status, query));
    return std::nullopt;
  }
  std::vector<AtlasPlace> places = PlacesMeant(atlas, query, std::move(lookup.places));
  if (places.size() == 1) return std::move(places.front());
  messages.Error(SeveralPlacesMessage(query, places));
  return std::nullopt;
}

std::vector<AtlasPlace> PlacesMeant(const Atlas& atlas, const std::string& query, std::vector<AtlasPlace> places) {
  if (places.size() <= 1) return places;
  AtlasQuery typed;
  ParseAtlasQuery(query, typed);
  const std::string key = atlas.Fold(typed.place);
  std::vector<AtlasPlace> named;
  std::copy_if(places.begin(), places.end(), std::back_inserter(named),
               [&](const AtlasPlace& p) { return atlas.Fold(p.name) == key; });
  return named.size() == 1 ? named : places;
}

std::string UnknownZoneMessage(const AtlasPlace& place) {
  return "The zone " + place.zone + " of " + place.name + " is not in the system's time zone database.";
}

std::optional<LocatedPlace> LocateInAtlas(const Atlas& atlas, std::string_view place, std::string_view country,
                                          const DateTimeRec& moment, Messages& messages) {
  const auto single = FindSingleAtlasPlace(atlas, QueryText(place, country), messages);
  if (!single) return std::nullopt;
  return LocateAtlasPlace(*single, moment, messages);
}

std::optional<LocatedPlace> LocateAtlasPlace(const AtlasPlace& found, const DateTimeRec& moment, Messages& messages) {
  const auto zone = ZoneInForceAt(found.zone, moment, -found.longitude);
  if (!zone) {
    messages.Error(UnknownZoneMessage(found));
    return std::nullopt;
  }
  LocatedPlace located;
  located.place = found.name;
  located.country = found.country;
  located.latitude = found.latitude;
  located.longitude = -found.longitude;
  located.zoneHours = zone->hours;
  located.zoneAbbrev = zone->abbreviation;
  located.kind = zone->kind;
  located.fit = zone->fit;
  located.ianaZone = found.zone;
  return located;
}

std::optional<LocatedPlace> LocateInPlaceFiles(const std::string& placeFile, std::string_view place,
                                               std::string_view country, const DateTimeRec& moment,
                                               const PlaceFileContext& context, Messages& messages) {
  try {
    const auto list = MakePlaceList(PlacesOfCountry(ReadPlaceFile(placeFile), country, context.sources),
                                    PlaceOrder::PlaceFirst);
    const auto record = FindPlace(place, country, list, PlaceOrder::PlaceFirst, context.sources, messages);
    if (!record) return std::nullopt;
    const CoordinateEntry lat = ParseLatLong(record->Latitude, false, nullptr);
    const CoordinateEntry lon = ParseLatLong(record->Longitude, true, nullptr);
    if (lat.error || lon.error) {
      messages.Error("The place " + record->Place + ", " + record->Country + " has coordinates that cannot be read: " +
                     record->Latitude + " " + record->Longitude);
      return std::nullopt;
    }
    LocatedPlace located;
    located.place = record->Place;
    located.country = record->Country;
    located.latitude = lat.degrees;
    located.longitude = lon.degrees;
    if (record->ZoneTable > 0) {
      const ZoneLookup zone = LookupZone(context.tables, record->ZoneTable, moment.Year, moment.Month, moment.Day,
                                         moment.Hour, moment.Minute, lon.degrees);
      located.zoneHours = zone.hours;
      located.zoneAbbrev = zone.abbrev.empty() ? "LMT" : zone.abbrev;
      if (zone.beyondTable) messages.Warning(BeyondTableWarning);
    } else {
      static const ZoneList none;
      const ZoneEntry zone = ParseZone(record->Zone, &messages, context.zones ? *context.zones : none);
      if (zone.error) return std::nullopt;
      located.zoneHours = zone.hours;
      located.zoneAbbrev = zone.abbrev;
    }
    if (located.zoneAbbrev == "LMT") located.kind = ZoneKind::LocalMeanTime;
    return located;
  } catch (const Error& e) {
    messages.Error(e.what());
    return std::nullopt;
  }
}

}  // namespace korvana
