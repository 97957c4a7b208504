// A chart's place looked up by the name typed for it: the coordinates, and the zone in
// force at the chart's local date and time, from the atlas or from the place files.
//
// Both lookups report what went wrong through the messages and give nothing: a place that
// is not found, a name several places answer to (the message lists them, so the user can
// add a state or country), coordinates or a zone in a record that do not parse.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/charts/atlas.h"
#include "core/charts/place_lookup.h"
#include "core/time/date_time_rec.h"
#include "core/time/time_zone.h"
#include "core/time/zone_in_force.h"
#include "core/time/zone_tables.h"

namespace korvana {

class Messages;

struct LocatedPlace {
  std::string place;        // as the atlas or the record spells it
  std::string country;      // the country's name (the atlas) or the record's country
  double latitude = 0;      // degrees, north positive
  double longitude = 0;     // degrees, west positive, as a chart keeps it
  double zoneHours = 0;     // hours to add to local time for Universal Time (west positive)
  std::string zoneAbbrev;   // "AEDT", "LMT", or empty for a zone given in hours only
  ZoneKind kind = ZoneKind::Standard;
  LocalTimeFit fit = LocalTimeFit::Unique;  // whether the local time fell in a gap or fold
  std::string ianaZone;     // the atlas place's IANA zone; empty for a place file's place
};

// The message for a local time the clocks skipped or repeated at the place ("" when the
// time is unique), naming the place and how the time was read.
std::string LocalTimeFitMessage(const LocatedPlace& place);

// The one place the atlas finds for a typed query; of several, the one whose own name is
// the typed name when only one is (the others answering to it as another name). No
// place: the atlas's message for the query ("City not found:\r\n..."). Several: an error
// that lists them (most populous first, at most ten) and asks for the state or country.
// EAtlasError passes to the caller.
std::optional<AtlasPlace> FindSingleAtlasPlace(const Atlas& atlas, const std::string& query, Messages& messages);

// Of the places an atlas query found, the one whose own name is the typed name when only
// one is ("London, GB" finds London and the City of London, also called London); else
// all of them.
std::vector<AtlasPlace> PlacesMeant(const Atlas& atlas, const std::string& query, std::vector<AtlasPlace> places);

// The error for an atlas place whose zone the system's tz database does not know.
std::string UnknownZoneMessage(const AtlasPlace& place);

// Looks up "place, country" in the atlas (country may be empty, or "STATE, COUNTRY") and
// gives the one place FindSingleAtlasPlace finds with the zone in force at the local
// `moment`. A zone unknown to the system's tz database is an error too. EAtlasError (a damaged
// database) passes to the caller.
std::optional<LocatedPlace> LocateInAtlas(const Atlas& atlas, std::string_view place, std::string_view country,
                                          const DateTimeRec& moment, Messages& messages);

// An atlas place (one of several found, chosen by the user) with the zone in force at the
// local `moment`; a zone unknown to the system's tz database is shown as an error.
std::optional<LocatedPlace> LocateAtlasPlace(const AtlasPlace& place, const DateTimeRec& moment, Messages& messages);

// What LocateInPlaceFiles reads besides the place file.
struct PlaceFileContext {
  PlaceSources sources;     // the places folder (country index) and State.ini
  ZoneTableFiles tables;    // the zone history tables a record may name
  const ZoneList* zones = nullptr;  // mnemonics for a record's typed zone (none: hours only)
};

// Looks `place` of `country` up as the chart dialogs do with the program's own place
// files: FindPlace over the list of `placeFile` (place first), then the place files the
// country index lists for the country and its alternates. Given a country, the list holds
// only the file's places of that country or its alternates, so that a place of the same
// name elsewhere is never taken. A record that names a zone
// history table gives the zone in force in that table at the local `moment`; otherwise
// its typed zone is taken. A place file that cannot be read (EPlaceFileError) and a
// damaged zone table (ETZError) are reported through the messages.
std::optional<LocatedPlace> LocateInPlaceFiles(const std::string& placeFile, std::string_view place,
                                               std::string_view country, const DateTimeRec& moment,
                                               const PlaceFileContext& context, Messages& messages);

}  // namespace korvana
