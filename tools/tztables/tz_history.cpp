#include "tz_history.h"

#include <cctz/civil_time.h>
#include <cctz/time_zone.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

#include "core/util/text.h"

namespace korvana::tztables {

std::vector<NumberedZone> ParseZoneNumbers(std::string_view text) {
  std::vector<NumberedZone> zones;
  std::set<std::int32_t> numbers;
  std::set<std::string> names;
  int lineNo = 0;
  for (const std::string& line : SplitLines(text)) {
    ++lineNo;
    std::string_view t = Trim(line);
    if (t.empty() || t[0] == '#') continue;
    std::size_t blank = t.find_first_of(" \t");
    std::optional<std::int32_t> no = blank == std::string_view::npos ? std::nullopt : ParseInt32(t.substr(0, blank));
    std::string name = blank == std::string_view::npos ? std::string() : std::string(Trim(t.substr(blank)));
    if (!no || *no <= 0 || name.empty() || name.size() > 40)
      throw TzError("zone list line " + std::to_string(lineNo) + ": expected a table number and a zone name");
    if (!numbers.insert(*no).second || !names.insert(name).second)
      throw TzError("zone list line " + std::to_string(lineNo) + ": repeated number or zone");
    zones.push_back({*no, name});
  }
  return zones;
}

namespace {

using Seconds = cctz::time_point<cctz::seconds>;

struct CodeKey {
  std::int16_t units;
  std::string abbrev;
  auto operator<=>(const CodeKey&) const = default;
};

CodeKey KeyOf(const cctz::time_zone::absolute_lookup& al) {
  // Offsets east of Greenwich are negative here; units are 4 seconds.
  long units = std::lround(-al.offset / 4.0);
  std::string abbrev = al.abbr ? al.abbr : "";
  if (abbrev.size() > 5) abbrev.resize(5);
  return CodeKey{static_cast<std::int16_t>(units), abbrev};
}

struct RawEntry {
  CodeKey key;
  std::int16_t year, monthDay, hourMinute;
};

}  // namespace

GeneratedTables GenerateTables(const std::vector<NumberedZone>& zones, const GeneratorOptions& options) {
  std::vector<std::vector<RawEntry>> raw(zones.size());
  std::vector<bool> continues(zones.size(), false);
  std::map<CodeKey, long> uses;

  for (std::size_t z = 0; z < zones.size(); ++z) {
    cctz::time_zone tz;
    if (!cctz::load_time_zone(zones[z].zone, &tz) || tz.name() != zones[z].zone)
      throw TzError("cannot load the time zone \"" + zones[z].zone + "\"");
    std::vector<RawEntry>& entries = raw[z];

    // The time before the first change: local mean time is left to the lookup.
    Seconds early = cctz::convert(cctz::civil_second(1000, 1, 1), cctz::utc_time_zone());
    cctz::time_zone::absolute_lookup initial = tz.lookup(early);
    if (std::string(initial.abbr ? initial.abbr : "") != "LMT")
      entries.push_back(RawEntry{KeyOf(initial), 1, 101, 0});

    Seconds tp = Seconds::min();
    cctz::time_zone::civil_transition trans;
    while (tz.next_transition(tp, &trans)) {
      Seconds at = tz.lookup(trans.to).trans;
      if (at <= tp) break;  // no progress: the list of changes has ended
      tp = at;
      if (trans.from.year() > options.lastYear) {
        continues[z] = true;
        break;
      }
      if (trans.from.year() < -32768) continue;
      RawEntry e{KeyOf(tz.lookup(at)), static_cast<std::int16_t>(trans.from.year()),
                 static_cast<std::int16_t>(trans.from.month() * 100 + trans.from.day()),
                 static_cast<std::int16_t>(trans.from.hour() * 100 + trans.from.minute())};
      if (!entries.empty() && entries.back().key == e.key) continue;  // nothing changed
      if (entries.size() >= options.maxEntries) {
        continues[z] = true;
        break;
      }
      entries.push_back(e);
    }
    for (const RawEntry& e : entries) ++uses[e.key];
  }

  // Codes: most used first, then by offset and abbreviation.
  std::vector<std::pair<CodeKey, long>> ordered(uses.begin(), uses.end());
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  GeneratedTables out;
  std::map<CodeKey, std::int32_t> codeOf;
  for (const auto& [key, count] : ordered) {
    std::int32_t code = static_cast<std::int32_t>(out.codes.size()) + 1;
    codeOf[key] = code;
    out.codes.push_back(TZCode{code, key.units, key.abbrev});
  }
  for (std::size_t z = 0; z < zones.size(); ++z) {
    TZTable t;
    t.header.TableNo = zones[z].tableNo;
    t.header.NextTable = continues[z] ? -1 : 0;
    t.header.Name = zones[z].zone;
    for (const RawEntry& e : raw[z])
      t.entries.push_back(TZTableEntry{codeOf[e.key], e.year, e.monthDay, e.hourMinute});
    t.header.EntryCount = static_cast<std::int32_t>(t.entries.size());
    out.tables.push_back(std::move(t));
  }
  return out;
}

}  // namespace korvana::tztables
