#include "core/session/new_chart_form.h"

#include "core/charts/atlas.h"
#include "core/util/text.h"

namespace korvana {

namespace {

std::string Trimmed(std::string_view text) { return std::string(Trim(text)); }

// A zone as the dialog shows it: the abbreviation, a blank and the hours.
std::string ZoneText(const std::string& abbreviation, double hours) {
  return Trimmed(abbreviation + " " + FormatZoneHours(hours));
}

}  // namespace

NewChartForm::NewChartForm(ProgramSettings& settings, const ZoneList* zones, const DateTimeRec& now)
    : settings_(settings), zones_(zones) {
  Now(now);
  RestoreDefaultPlace();
  initialZone_ = fields.zone;
}

EntryOptions NewChartForm::Options() const {
  EntryOptions options;
  options.monthFirst = settings_.MonthFirst;
  options.twelveHour = settings_.AMPM;
  options.pivotYear = settings_.CenturyPivotYear;
  options.zones = zones_;
  return options;
}

void NewChartForm::Now(const DateTimeRec& now) {
  fields.date = FormatDate(settings_.MonthFirst, now.Day, now.Month, now.Year);
  fields.time = FormatTime(settings_.AMPM, now.Hour, now.Minute, 0);
  fields.name = "Transits of " + fields.date;
  placeChanged_ = true;
}

void NewChartForm::RestoreDefaultPlace() {
  const DefaultPlaceSettings& d = settings_.DefaultPlace;
  fields.place = d.place;
  fields.country = d.country;
  fields.zone = d.zone;
  fields.latitude = d.latitude;
  fields.longitude = d.longitude;
  placeChanged_ = true;
}

void NewChartForm::SaveDefaultPlace(Messages& messages) {
  settings_.DefaultPlace = {Trimmed(fields.place), Trimmed(fields.country), Trimmed(fields.zone),
                            Trimmed(fields.latitude), Trimmed(fields.longitude)};
  messages.Information("The current place details have been saved.");
}

bool NewChartForm::LeaveField(FieldKind kind, Messages& messages) {
  std::string* text = nullptr;
  switch (kind) {
    case FieldKind::Date: text = &fields.date; break;
    case FieldKind::Time: text = &fields.time; break;
    case FieldKind::Zone: text = &fields.zone; break;
    case FieldKind::Latitude: text = &fields.latitude; break;
    case FieldKind::Longitude: text = &fields.longitude; break;
  }
  if (kind == FieldKind::Zone && Trim(*text).empty()) *text = initialZone_;
  // "unknown" before a time marks a birth time that is not known; the time after it (noon
  // when none) is normalised as any time.
  if (kind == FieldKind::Time && ParseBirthTime(*text, nullptr).unknown) {
    const std::string_view rest = Trim(Trim(*text).substr(UnknownTimeWord.size()));
    if (rest.empty()) {
      *text = std::string(UnknownTimeWord);
      return true;
    }
    const NormalisedField normal = NormaliseField(rest, kind, Options(), &messages);
    if (normal.error) return false;
    *text = std::string(UnknownTimeWord) + " " + normal.text;
    return true;
  }
  const NormalisedField normal = NormaliseField(*text, kind, Options(), &messages);
  if (normal.error) return false;
  *text = normal.text;
  if (kind == FieldKind::Zone || kind == FieldKind::Longitude) UpdateLmtZone();
  return true;
}

void NewChartForm::UpdateLmtZone() {
  static const ZoneList none;
  const ZoneEntry zone = ParseZone(fields.zone, nullptr, zones_ ? *zones_ : none);
  if (zone.error || zone.abbrev != "LMT") return;
  const CoordinateEntry lon = ParseLatLong(fields.longitude, true, nullptr);
  if (lon.error) return;
  fields.zone = ZoneText("LMT", lon.degrees / 15.0);
}

std::string NewChartForm::ZoneAbbrevTyped() const {
  static const ZoneList none;
  const ZoneEntry zone = ParseZone(fields.zone, nullptr, zones_ ? *zones_ : none);
  return zone.error ? std::string() : zone.abbrev;
}

void NewChartForm::ChooseZone(const ZoneListEntry& zone) { fields.zone = ZoneText(zone.abbrev, zone.hours); }

std::optional<DateTimeRec> NewChartForm::TypedMoment(Messages& messages) const {
  const DateEntry date = ParseDate(fields.date, &messages, settings_.MonthFirst, settings_.CenturyPivotYear);
  if (date.error) return std::nullopt;
  const TimeEntry time = ParseBirthTime(fields.time, &messages).time;
  if (time.error) return std::nullopt;
  return MomentOf(date, time);
}

PlaceLookupOutcome NewChartForm::Missing() {
  PlaceLookupOutcome outcome;
  outcome.placeMissing = true;
  return outcome;
}

PlaceLookupOutcome NewChartForm::Fill(const LocatedPlace& place) {
  fields.place = LimitText(place.place, NewChartPlaceLength);
  fields.country = LimitText(place.country, NewChartPlaceLength);
  fields.latitude = FormatLatLong(false, place.latitude);
  fields.longitude = FormatLatLong(true, place.longitude);
  fields.zone = ZoneText(place.zoneAbbrev, place.zoneHours);
  lookedUpZone_ = place.ianaZone;
  fields.clockFit = place.fit;
  fields.clockFitZone = fields.zone;
  PlaceLookupOutcome outcome;
  outcome.found = true;
  outcome.timeWarning = LocalTimeFitMessage(place);
  return outcome;
}

PlaceLookupOutcome NewChartForm::Lookup(const PlaceLookupSources& sources, Messages& messages) {
  placeChanged_ = false;
  const auto moment = TypedMoment(messages);
  if (!moment) return {};
  if (!settings_.UseACSAtlas) {
    const auto found =
        LocateInPlaceFiles(settings_.Places, fields.place, fields.country, *moment, sources.placeFiles, messages);
    return found ? Fill(*found) : Missing();
  }
  if (sources.atlas == nullptr) {
    messages.Warning("The atlas could not be opened; look the place up in the place files instead.");
    return {};
  }
  std::string query = Trimmed(fields.place);
  if (!Trim(fields.country).empty()) query += ", " + Trimmed(fields.country);
  try {
    AtlasLookup lookup = sources.atlas->Find(query, 50);
    if (lookup.status != AtlasStatus::Found) {
      messages.Warning(AtlasStatusMessage(lookup.status, query));
      return Missing();
    }
    std::vector<AtlasPlace> places = PlacesMeant(*sources.atlas, query, std::move(lookup.places));
    if (places.size() > 1) {
      PlaceLookupOutcome several;
      several.candidates = std::move(places);
      return several;
    }
    const auto located = LocateAtlasPlace(places.front(), *moment, messages);
    return located ? Fill(*located) : Missing();
  } catch (const EAtlasError& e) {
    messages.Error(e.what());
    return {};
  }
}

PlaceLookupOutcome NewChartForm::ChooseAtlasPlace(const AtlasPlace& place, Messages& messages) {
  placeChanged_ = false;
  const auto moment = TypedMoment(messages);
  if (!moment) return {};
  const auto located = LocateAtlasPlace(place, *moment, messages);
  return located ? Fill(*located) : PlaceLookupOutcome{};
}

void NewChartForm::TakePlace(const PlaceRecord& place, const ZoneTableFiles& tables, Messages& messages) {
  placeChanged_ = false;
  fields.place = Trimmed(place.Place);
  fields.country = Trimmed(place.Country);
  fields.latitude = Trimmed(place.Latitude);
  fields.longitude = Trimmed(place.Longitude);
  fields.zone = Trimmed(place.Zone);
  fields.clockFit = LocalTimeFit::Unique;
  if (place.ZoneTable > 0) {
    try {
      if (auto zone = ZoneTextForPlace(tables, place.ZoneTable, fields.date, fields.time, fields.longitude, Options(),
                                       messages))
        fields.zone = std::move(*zone);
    } catch (const ETZError& e) {
      messages.Error(e.what());
    }
  }
  UpdateLmtZone();
}

std::optional<ChartRecord> NewChartForm::Accept(Messages& messages) const {
  const auto moment = TypedMoment(messages);
  if (!moment) return std::nullopt;
  static const ZoneList none;
  const ZoneEntry zone = ParseZone(fields.zone, &messages, zones_ ? *zones_ : none);
  if (zone.error) return std::nullopt;
  const CoordinateEntry lat = ParseLatLong(fields.latitude, false, &messages);
  if (lat.error) return std::nullopt;
  const CoordinateEntry lon = ParseLatLong(fields.longitude, true, &messages);
  if (lon.error) return std::nullopt;
  ChartRecord c = NewChartRecord(settings_);
  c.Name = LimitText(Trimmed(fields.name), NewChartNameLength);
  c.Place = LimitText(Trimmed(fields.place), NewChartPlaceLength);
  c.Country = LimitText(Trimmed(fields.country), NewChartPlaceLength);
  c.Moment = *moment;
  c.TimeUnknown = ParseBirthTime(fields.time, nullptr).unknown;
  if (!c.TimeUnknown && fields.zone == fields.clockFitZone) c.ClockFit = fields.clockFit;
  c.ZoneHours = zone.hours;
  c.ZoneAbbrev = zone.abbrev.substr(0, ChartZoneAbbrevLength);
  c.Latitude = lat.degrees;
  c.Longitude = lon.degrees;
  c.EventKind = static_cast<std::uint8_t>(fields.eventKind >= 0 && fields.eventKind < EventKindCount ? fields.eventKind : 0);
  return c;
}

}  // namespace korvana
