#include "core/preferences/return_options_form.h"

#include "core/charts/atlas.h"
#include "core/charts/chart_place.h"
#include "core/time/entry_parsing.h"
#include "core/time/zone_in_force.h"
#include "core/util/text.h"

namespace korvana {

namespace {

constexpr ReturnWhich WhichOrder[] = {ReturnWhich::Current, ReturnWhich::Nearest, ReturnWhich::Next};

// The IANA zone of the natal place, when the atlas knows exactly one place of that name
// and country and the system's tz database knows its zone.
std::string NatalPlaceZone(const Atlas* atlas, const ChartRecord& natal) {
  if (atlas == nullptr) return {};
  const std::string country(Trim(natal.Country));
  const std::string query = std::string(Trim(natal.Place)) + (country.empty() ? "" : ", " + country);
  SilentMessages quiet;
  try {
    const auto found = FindSingleAtlasPlace(*atlas, query, quiet);
    if (found && ZoneInForceAtUniversal(found->zone, DateTimeRec{}, 0)) return found->zone;
  } catch (const EAtlasError&) {
  }
  return {};
}

}  // namespace

std::string ReturnOptionsLabel(ReturnKind kind) {
  return kind == ReturnLunar ? "Lunar Return Date and Place" : "Solar Return Date and Place";
}

ReturnWhich ReturnWhichAt(int index) {
  return index >= 0 && index < 3 ? WhichOrder[index] : ReturnWhich::Nearest;
}

int ReturnWhichIndex(ReturnWhich which) { return static_cast<int>(which) + 1; }

ReturnOptionsForm::ReturnOptionsForm(ProgramSettings& settings, const ZoneList* zones, const Atlas* atlas,
                                     ReturnKind kind, const ChartRecord& natal, const DateTimeRec& now)
    : settings_(settings),
      fields_(settings, zones, now),
      kind_(kind),
      natal_(natal),
      natalZone_(NatalPlaceZone(atlas, natal)) {
  showNatal = settings.ShowNatalCht;
  fields_.fields.name.clear();
  FillNatalPlace();
}

void ReturnOptionsForm::FillNatalPlace() {
  NewChartFields& f = fields_.fields;
  f.place = std::string(Trim(natal_.Place));
  f.country = std::string(Trim(natal_.Country));
  f.zone = std::string(Trim(std::string(Trim(natal_.ZoneAbbrev)) + " " + FormatZoneHours(natal_.ZoneHours)));
  // Where the atlas knows the natal place, its clock on the typed date, not at the birth.
  const DateEntry date = ParseDate(f.date, nullptr, settings_.MonthFirst, settings_.CenturyPivotYear);
  const TimeEntry time = ParseTime(f.time, nullptr);
  if (!natalZone_.empty() && !date.error && !time.error)
    if (auto zone = ZoneInForceAt(natalZone_, MomentOf(date, time), natal_.Longitude))
      f.zone = std::string(Trim(zone->abbreviation + " " + FormatZoneHours(zone->hours)));
  f.latitude = FormatLatLong(false, natal_.Latitude);
  f.longitude = FormatLatLong(true, natal_.Longitude);
}

void ReturnOptionsForm::SetRelocated(bool relocated) {
  relocated_ = relocated;
  if (!relocated) FillNatalPlace();
}

std::optional<ReturnSearchRequest> ReturnOptionsForm::Accept(Messages& messages) {
  std::optional<ChartRecord> typed = fields_.Accept(messages);
  if (!typed) return std::nullopt;
  ReturnSearchRequest request;
  request.which = which;
  request.options = ReturnOptionsFrom(settings_);
  request.options.ianaZone = relocated_ ? fields_.LookedUpZone() : natalZone_;
  ChartRecord& base = request.base;
  base = natal_;
  base.EventKind = EventEvent;
  base.Moment = typed->Moment;
  base.ZoneHours = typed->ZoneHours;
  base.ZoneAbbrev = typed->ZoneAbbrev;
  if (relocated_) {
    base.Place = typed->Place;
    base.Country = typed->Country;
    base.Latitude = typed->Latitude;
    base.Longitude = typed->Longitude;
  }
  // The clock at the return place on the typed date, not the one the fields were filled with.
  if (auto zone = ZoneInForceAt(request.options.ianaZone, base.Moment, base.Longitude)) {
    base.ZoneHours = static_cast<float>(zone->hours);
    base.ZoneAbbrev = zone->abbreviation.substr(0, ChartZoneAbbrevLength);
  }
  settings_.ShowNatalCht = showNatal;
  return request;
}

}  // namespace korvana
