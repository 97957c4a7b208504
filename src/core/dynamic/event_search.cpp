#include "core/dynamic/event_search.h"

#include <cstdio>

#include "core/analysis/aspect_file.h"
#include "core/charts/chart_files.h"
#include "core/dynamic/event_file.h"
#include "core/dynamic/prediction.h"
#include "core/points/point_id.h"
#include "core/util/files.h"
#include "core/util/ini_file.h"
#include "core/util/text.h"

namespace korvana {
namespace {

std::string At(const std::vector<std::string>& list, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < list.size() ? list[static_cast<std::size_t>(index)] : "";
}

bool On(const std::string& flags, std::size_t i) { return i < flags.size() && flags[i] == '1'; }

std::vector<int> Selected(const std::array<bool, 37>& flags) {
  std::vector<int> ids;
  for (int id = 1; id <= 36; ++id)
    if (flags[static_cast<std::size_t>(id)]) ids.push_back(id);
  return ids;
}

// "DynamicType" of the primary and the target sections from the type names.
int PrimaryType(const std::string& name) {
  if (EqualsNoCase(name, "Progressions")) return 2;
  if (EqualsNoCase(name, "Primaries (Van Dam)")) return 3;
  return 1;
}
int TargetType(const std::string& name) {
  if (EqualsNoCase(name, "Transits")) return 1;
  if (EqualsNoCase(name, "Progressed")) return 2;
  return 0;
}

bool WriteChartFile(const std::string& path, const DynamicSearchContext& c) {
  SilentMessages quiet;  // a failure shows as the search's error entry
  return RemoveEarlierFile(path) && CreateChartFile(path, quiet, "Dynamic Report") &&
         AppendChart(path, c.radix, c.houseSystem, c.settings, quiet).has_value();
}

std::vector<std::pair<int, double>> AspectAngles(const std::string& aspectFile, const std::string& flags) {
  AspectSet set;
  try {
    ReadAspectFile(aspectFile, set);
  } catch (const EAspectFileError&) {
    // A cut short or missing file names the aspects it holds, or none.
  }
  std::vector<std::pair<int, double>> angles;
  for (int a = 1; a <= 26; ++a) {
    if (!On(flags, static_cast<std::size_t>(a - 1))) continue;
    double angle = 0.0;
    for (int n = 1; n <= set.Count(); ++n)
      if (set.Record(n)->aspectType == a) angle = set.Record(n)->angle;
    angles.emplace_back(a, angle);
  }
  return angles;
}

}  // namespace

std::array<bool, 37> EffectivePoints(const std::string& available, const std::string& selected) {
  std::array<bool, 37> flags{};
  for (std::size_t id = 1; id <= 36; ++id) flags[id] = On(available, id - 1) && On(selected, id - 1);
  return flags;
}

std::string EffectiveAspects(const std::string& available, const std::string& selected) {
  std::string flags(26, '0');
  for (std::size_t i = 0; i < 26; ++i)
    if (On(available, i) && On(selected, i)) flags[i] = '1';
  return flags;
}

DateTimeRec SearchPeriodStart(const DynamicSearchContext& c) { return PeriodStart(c.period, c.today); }

int EventSearch(const DynamicSearchContext& c, const DynamicSearchOptions& o, std::string& summary,
                TDynamicTextEntries& entries) {
  const TKVReport& r = c.report;
  const int n = o.section;
  const std::string k = std::to_string(o.tempNumber);
  const std::string temp = WithTrailingSlash(c.settings.TempPath);
  const std::string user = WithTrailingSlash(c.settings.UserPath);
  const std::string chartFile = temp + "KV_Dyn" + k + ".cht";
  const std::string settingsFile = temp + "KV_Dyn" + k + ".ini";
  const std::string eventFile = temp + "KV_Dyn" + k + ".bin";

  auto dynamicPoints = EffectivePoints(At(r.dynPointsAvailable, n), At(r.dynPointsSelected, n));
  auto radixPoints = EffectivePoints(At(r.radixPointsAvailable, n), At(r.radixPointsSelected, n));
  const int technique = PrimaryType(At(r.dynTypeNames, n));
  // A birth without its time has no angles and no houses: nothing is sought against them,
  // and a technique that moves the angles on from the birth moment cannot move them. The
  // transiting angles are the sky's own and stay.
  if (c.radix.TimeUnknown) {
    for (int id = FirstPoint; id <= LastPoint; ++id) {
      if (!NeedsBirthTime(id)) continue;
      radixPoints[static_cast<std::size_t>(id)] = false;
      if (technique != 1) dynamicPoints[static_cast<std::size_t>(id)] = false;
    }
  }
  const std::string aspects =
      o.withAspects ? EffectiveAspects(At(r.dynAspectsAvailable, n), At(r.dynAspectsSelected, n)) : std::string(26, '0');
  const std::string p1 = At(r.dynP1TypeNames, n).empty() ? "Transiting" : At(r.dynP1TypeNames, n);
  const std::string p2 = At(r.dynP2TypeNames, n).empty() ? "Radix" : At(r.dynP2TypeNames, n);

  // The start, and with the extension a year more on each side for years and months.
  DateTimeRec start = SearchPeriodStart(c);
  const PeriodBounds bounds = PeriodBoundsOf(c.period, start);
  DateTimeRec searchStart = start;
  const TDynRepUserData searched = o.extendPeriod ? ExtendedPeriod(c.period, searchStart) : c.period;
  const PeriodBounds extended = PeriodBoundsOf(searched, searchStart);

  PredictionSettings p;
  p.chartFile = chartFile;
  p.zoneHours = c.period.RepZoneHrs;
  p.zoneAbbr = c.period.RepZoneAbbr;
  p.start = searchStart;
  p.duration = searched.Duration;
  p.durationUnits = searched.DurationUnit;
  p.dynamicType = technique;
  p.targetType = TargetType(p2);
  p.houseIngress = o.houses && !c.radix.TimeUnknown;
  p.signIngress = o.signs;
  p.dynamicPointsFile = user + "transit.trp";
  p.radixPointsFile = user + "tr_radix.pts";
  p.aspectFile = user + "transit.asp";
  p.swissEphPath = c.settings.SwissEphemPath;
  p.eventFile = eventFile;
  p.sortOrder = o.sortOrder;

  int code = PredictOk;
  IniFile ini(settingsFile);
  WritePredictionSettings(ini, p);
  const bool written = WriteFileAtomic(p.dynamicPointsFile, SerializePointSelectionFile(dynamicPoints)) &&
                       WriteFileAtomic(p.radixPointsFile, SerializePointSelectionFile(radixPoints)) &&
                       WriteDynamicAspectFile(r.aspectFile, p.aspectFile, aspects, r.orbEntering, r.orbLeaving) &&
                       WriteChartFile(chartFile, c) && ini.Save();
  if (!RemoveEarlierFile(eventFile) || !written) code = SearchFilesUnwritable;
  if (code == PredictOk) code = Predict(settingsFile);
  if (code == PredictOk) {
    try {
      const TDynamicReport report = ReadEventFile(eventFile);
      GroupEvents(report, bounds.startUT, bounds.endUT, entries);
      EntryTextContext texts{r.language, c.settings.MonthFirst, p1, p2, extended.startUT, extended.endUT,
                             c.period.RepZoneHrs};
      ComposeEntryTexts(entries, o.dynamicFile, texts);
    } catch (const EEventFileError&) {
      code = EventFileUnreadable;
    }
  }
  if (code != PredictOk) entries = ErrorEntries(code);

  SummaryContext s;
  s.language = r.language;
  s.firstName = p1;
  s.secondName = p2;
  s.dynamicPoints = Selected(dynamicPoints);
  s.radixPoints = Selected(radixPoints);
  s.aspects = AspectAngles(r.aspectFile, aspects);
  s.enterOrb = r.orbEntering;
  s.leaveOrb = r.orbLeaving;
  s.zoneHours = c.period.RepZoneHrs;
  s.zoneAbbr = c.period.RepZoneAbbr;
  summary = DynamicSummary(s);
  return code;
}

std::vector<DynamicSectionLists> SearchDynamicSections(const DynamicSearchContext& c) {
  std::vector<DynamicSectionLists> sections(c.report.dynFiles.size());
  for (std::size_t n = 0; n < sections.size(); ++n) {
    const int section = static_cast<int>(n);
    const std::string& file = c.report.dynFiles[n];
    std::string discarded;
    EventSearch(c, {section, 0, file, 3, true, true, false, false}, discarded, sections[n].background);
    EventSearch(c, {section, 1, file, 2, false, false, true, true}, sections[n].summary, sections[n].report);
  }
  return sections;
}

std::vector<const TDynamicTextEntry*> PrintedEntries(const TDynamicTextEntries& list, bool background) {
  std::vector<const TDynamicTextEntry*> printed;
  for (std::int32_t i : list.Order) {
    if (i < 0 || static_cast<std::size_t>(i) >= list.Items.size()) continue;
    const TDynamicTextEntry& e = list.Items[static_cast<std::size_t>(i)];
    const bool place = e.Category == 1 || e.Category == 2;
    if (e.Show && place == background) printed.push_back(&e);
  }
  return printed;
}

}  // namespace korvana
