#include "core/preferences/dynamic_options.h"

#include <algorithm>
#include <charconv>

#include "core/points/point_catalogue.h"
#include "core/reports/reportset/report_set.h"
#include "core/time/entry_parsing.h"
#include "core/util/text.h"

namespace korvana {

namespace {

constexpr int DynamicAspectCount = 26;

bool FlagOn(const std::string& flags, int id) {
  return id >= 1 && static_cast<std::size_t>(id) <= flags.size() && flags[static_cast<std::size_t>(id - 1)] == '1';
}

const std::string& First(const std::vector<std::string>& list) {
  static const std::string none;
  return list.empty() ? none : list.front();
}

std::string AspectName(const AspectSet* aspects, int type) {
  if (aspects != nullptr)
    for (int n = 1; n <= aspects->Count(); ++n)
      if (const AspectRecord* r = aspects->Record(n); r != nullptr && r->aspectType == type) return std::string(Trim(r->name));
  return "Aspect " + std::to_string(type);
}

// The available items of one list in id order, each starting with its selected flag.
template <typename Name>
std::vector<DynamicItem> Items(const std::string& available, const std::string& selected, int count, Name name) {
  std::vector<DynamicItem> items;
  for (int id = 1; id <= count; ++id)
    if (FlagOn(available, id)) items.push_back({id, name(id), FlagOn(selected, id)});
  return items;
}

// The selection string: an item listed takes its flag, any other is "1".
std::string Selection(const std::vector<DynamicItem>& items, int count) {
  std::string flags(static_cast<std::size_t>(count), '1');
  for (const DynamicItem& item : items)
    if (item.id >= 1 && item.id <= count) flags[static_cast<std::size_t>(item.id - 1)] = item.on ? '1' : '0';
  return flags;
}

std::optional<int> WholeNumber(const std::string& text) {
  const std::string_view trimmed = Trim(text);
  int value = 0;
  const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
  if (error != std::errc() || end != trimmed.data() + trimmed.size() || trimmed.empty()) return std::nullopt;
  return value;
}

std::string OrbText(double degrees) { return FormatAngle(1, true, false, false, degrees); }

std::string PointName(int id) { return std::string(PointCatalogue[static_cast<std::size_t>(id)].longName); }

}  // namespace

std::string DynamicZoneText(const TDynRepUserData& p) {
  return std::string(Trim(p.RepZoneAbbr + " " + FormatZoneHours(p.RepZoneHrs)));
}

DynamicOptionsForm::DynamicOptionsForm(const TDynRepUserData& settings, const TKVReport& set, const AspectSet* aspectSet,
                                       const ProgramSettings& program, const DateTimeRec& today)
    : period(settings),
      timeLines(program.ShowTimeLineDiagrams),
      dynamic_(set.includesDynRep),
      monthFirst_(program.MonthFirst),
      pivotYear_(program.CenturyPivotYear) {
  if (!dynamic_) return;
  zoneText = DynamicZoneText(period);
  durationText = std::to_string(period.Duration);
  amountText = std::to_string(period.AdjustAmount);
  transiting = Items(First(set.dynPointsAvailable), First(set.dynPointsSelected), PointCount, PointName);
  radix = Items(First(set.radixPointsAvailable), First(set.radixPointsSelected), PointCount, PointName);
  aspects = Items(First(set.dynAspectsAvailable), First(set.dynAspectsSelected), DynamicAspectCount,
                  [aspectSet](int type) { return AspectName(aspectSet, type); });
  enteringOrb = OrbText(set.orbEntering);
  leavingOrb = OrbText(set.orbLeaving);
  Refresh(today);
}

void DynamicOptionsForm::Refresh(const DateTimeRec& today) {
  period.Duration = WholeNumber(durationText).value_or(1);
  period.AdjustAmount = std::clamp(WholeNumber(amountText).value_or(0), -MaxAdjustAmount, MaxAdjustAmount);
  amountText = std::to_string(period.AdjustAmount);
  const DateTimeRec start = PeriodStart(period, today);
  dateText = FormatDate(monthFirst_, start.Day, start.Month, start.Year);
}

DynamicPeriodControls DynamicOptionsForm::Controls() const {
  const bool current = period.UseCurrentDateAsBase;
  return {!current, current, current && period.DoGoTo, current && period.DoGoTo && period.DoAdjust};
}

bool DynamicOptionsForm::LeaveDate(const DateTimeRec& today, Messages& messages) {
  const DateEntry date = ParseDate(dateText, &messages, monthFirst_, pivotYear_);
  if (date.error) return false;
  period.BaseDate.Year = static_cast<std::int16_t>(date.year);
  period.BaseDate.Month = static_cast<std::uint8_t>(date.month);
  period.BaseDate.Day = static_cast<std::uint8_t>(date.day);
  Refresh(today);
  return true;
}

bool DynamicOptionsForm::LeaveZone(const ZoneList& zones, Messages& messages) {
  const ZoneEntry zone = ParseZone(zoneText, &messages, zones);
  if (zone.error) return false;
  period.RepZoneHrs = static_cast<float>(zone.hours);
  period.RepZoneAbbr = zone.abbrev;
  zoneText = DynamicZoneText(period);
  return true;
}

bool DynamicOptionsForm::LeaveOrb(std::string& text, Messages& messages) {
  const AngleEntry angle = ParseAngle(text, &messages);
  if (angle.error) return false;
  text = OrbText(std::min(angle.degrees, MaxDynamicOrb));
  return true;
}

void DynamicOptionsForm::Toggle(std::vector<DynamicItem>& list, int index) {
  if (index >= 0 && index < static_cast<int>(list.size())) list[static_cast<std::size_t>(index)].on ^= true;
}

void DynamicOptionsForm::Save(TDynRepUserData& settings, TKVReport& set, ProgramSettings& program) const {
  if (!dynamic_) return;
  settings = period;
  const auto first = [](std::vector<std::string>& list) -> std::string& {
    if (list.empty()) list.emplace_back();
    return list.front();
  };
  first(set.dynPointsSelected) = Selection(transiting, PointCount);
  first(set.radixPointsSelected) = Selection(radix, PointCount);
  first(set.dynAspectsSelected) = Selection(aspects, DynamicAspectCount);
  for (const auto& [text, orb] : {std::pair{&enteringOrb, &set.orbEntering}, std::pair{&leavingOrb, &set.orbLeaving}}) {
    const AngleEntry angle = ParseAngle(*text, nullptr);
    if (!angle.error) *orb = std::min(angle.degrees, MaxDynamicOrb);
  }
  program.ShowTimeLineDiagrams = timeLines;
}

}  // namespace korvana
