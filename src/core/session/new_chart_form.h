// "Chart Data Entry" without the window: the fields as typed, their normalisation when a
// field is left (with the local-mean-time zone following the longitude), "Now", the
// default place, the place lookup in the atlas or the place files with the zone in force
// at the typed date and time, and OK's parsing into a chart record. The dialog binds its
// controls to this.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/charts/chart_place.h"
#include "core/charts/chart_record.h"
#include "core/config/program_settings.h"
#include "core/time/entry_parsing.h"
#include "core/time/time_zone.h"
#include "core/util/messages.h"

namespace korvana {

class Atlas;

struct NewChartFields {
  std::string name, date, time, place, country, zone, latitude, longitude;
  int eventKind = EventUnspecified;  // "Chart Type": 0..4
  // Whether the time fell in a clock change of the zone a lookup filled in (or the edited
  // chart had), and the zone text it belongs to: a zone typed or chosen since drops it.
  LocalTimeFit clockFit = LocalTimeFit::Unique;
  std::string clockFitZone;

  friend bool operator==(const NewChartFields&, const NewChartFields&) = default;
};

// Field limits of the dialog.
constexpr std::size_t NewChartNameLength = 30;
constexpr std::size_t NewChartPlaceLength = 20;
constexpr std::size_t NewChartEntryLength = 20;

// Where a lookup looks: the atlas (may be null when it cannot be opened) when the settings
// choose it ("UseACSAtlas"), else the place files from the current one (settings "Places").
struct PlaceLookupSources {
  const Atlas* atlas = nullptr;
  PlaceFileContext placeFiles;
};

// What a lookup gave.
struct PlaceLookupOutcome {
  bool found = false;
  // Several atlas places answer to the name: the user chooses one (ChooseAtlasPlace).
  std::vector<AtlasPlace> candidates;
  // A local time the clocks skipped or repeated at the place, to point out before casting.
  std::string timeWarning;
  // The place was not found (or its zone could not be resolved): the dialog offers the
  // place browser of the atlas in use instead.
  bool placeMissing = false;
};

class NewChartForm {
 public:
  // The dialog on creation: "Now" at `now`, the default place, the zone it then holds
  // remembered as the initial zone, chart type "Unspecified".
  NewChartForm(ProgramSettings& settings, const ZoneList* zones, const DateTimeRec& now);

  NewChartFields fields;

  // Fills the fields with a chart's data to edit it (ChartEntryFields): the place counts
  // as looked up, so that "Auto Lookup" does not replace the chart's zone and coordinates.
  void Load(const NewChartFields& loaded) {
    fields = loaded;
    placeChanged_ = false;
  }
  // "&Now": the date and time of `now` and the name "Transits of " + that date.
  void Now(const DateTimeRec& now);
  // "&Restore" / "&Save" of the default place ("The current place details have been saved.").
  void RestoreDefaultPlace();
  void SaveDefaultPlace(Messages& messages);

  // The date, time, place or country text changed: the next automatic lookup runs.
  void PlaceEdited() {
    placeChanged_ = true;
    lookedUpZone_.clear();
    fields.clockFit = LocalTimeFit::Unique;
  }
  bool PlaceChanged() const { return placeChanged_; }
  // Whether leaving the country field, entering the zone or coordinates, or OK looks the
  // place up first ("Auto Lookup" ticked and the place changed since the last lookup).
  bool AutoLookupDue() const { return settings_.AutoAtlasLookup && placeChanged_; }

  // Leaving a field: the text is normalised (its message shown and false returned when it
  // does not parse). An emptied zone field gets the initial zone back; leaving the zone or
  // longitude field then applies UpdateLmtZone.
  bool LeaveField(FieldKind kind, Messages& messages);
  // A zone "LMT ..." becomes "LMT " + the longitude's hours (west positive).
  void UpdateLmtZone();

  // "&Zone...": the abbreviation of the zone typed (to select it in the zone list), empty
  // when the zone text does not parse or has none; and the zone chosen there, which becomes
  // its abbreviation, a blank and its hours.
  std::string ZoneAbbrevTyped() const;
  void ChooseZone(const ZoneListEntry& zone);

  // "&Lookup": fills place, country, latitude, longitude and zone from the atlas or the
  // place files (the zone in force at the typed date and time). Several atlas places are
  // returned for the user to choose from; nothing is filled then. Failures are shown.
  PlaceLookupOutcome Lookup(const PlaceLookupSources& sources, Messages& messages);
  // Fills the fields from the atlas place the user chose among the candidates.
  PlaceLookupOutcome ChooseAtlasPlace(const AtlasPlace& place, Messages& messages);

  // "&Place..." with the place files: the place chosen in the place database gives place,
  // country, latitude, longitude and zone as its record holds them; a record that names a
  // zone history table gives the zone in force then (ZoneTextForPlace; its warnings are
  // shown, and the record's zone stays when it gives none); UpdateLmtZone follows. The
  // place counts as looked up.
  void TakePlace(const PlaceRecord& place, const ZoneTableFiles& tables, Messages& messages);

  // OK: parses date, time, zone, latitude and longitude in that order, stopping at the
  // first that fails (its message shown), and gives the new chart.
  std::optional<ChartRecord> Accept(Messages& messages) const;

  const std::string& InitialZone() const { return initialZone_; }
  // The IANA zone of the atlas place the last lookup filled in; empty after a place-file
  // lookup, before any lookup, and once the date, time, place or country is edited.
  const std::string& LookedUpZone() const { return lookedUpZone_; }

 private:
  EntryOptions Options() const;
  std::optional<DateTimeRec> TypedMoment(Messages& messages) const;
  PlaceLookupOutcome Fill(const LocatedPlace& place);
  static PlaceLookupOutcome Missing();

  ProgramSettings& settings_;
  const ZoneList* zones_;
  std::string initialZone_;
  std::string lookedUpZone_;
  bool placeChanged_ = true;
};

}  // namespace korvana
