#include "core/time/time_zone.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

#include "core/time/errors.h"
#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana {

void ZoneTable::Register(std::string_view abbrev, std::string_view name, std::uint8_t type,
                         float hours) {
  if (zones_.size() >= MaxZones) throw EZoneFormatError(" Too many timezones to read in.");
  zones_.push_back(NamedZone{std::string(abbrev), std::string(name), type, hours});
}

const ZoneTable& BuiltInZones() {
  static const ZoneTable table = [] {
    struct Z { const char* abbrev; const char* name; std::uint8_t type; float hours; };
    static const Z zones[] = {
        {"GMT", "Greenwich Mean Time", 1, 0},
        {"UT", "Universal Time", 0, 0},
        {"WAT", "West Africa Time", 1, 1},
        {"AZ", "Azores Time", 1, 2},
        {"BZT2", "Brazil Zone 2", 1, 3},
        {"NST", "Newfoundland Time", 1, 3.5f},
        {"AST", "Atlantic Time", 1, 4},
        {"ADT", "Atlantic Daylight Time", 2, 3},
        {"AWT", "Atlantic War Time", 3, 3},
        {"EST", "Eastern Time", 1, 5},
        {"EDT", "Eastern Daylight Time", 2, 4},
        {"EWT", "Eastern War Time", 3, 4},
        {"CST", "Central Time", 1, 6},
        {"CDT", "Central Daylight Time", 2, 5},
        {"CWT", "Central War Time", 3, 5},
        {"MST", "Mountain Time", 1, 7},
        {"MDT", "Mountain Daylight Time", 2, 6},
        {"MWT", "Mountain War Time", 3, 6},
        {"PST", "Pacific Time", 1, 8},
        {"PDT", "Pacific Daylight Time", 2, 7},
        {"PWT", "Pacific War Time", 3, 7},
        {"YST", "Yukon Time", 1, 9},
        {"AHST", "Alaska-Hawaii Time", 1, 10},
        {"AHDT", "Alaska-Hawaii Daylight Time", 2, 9},
        {"HST", "Hawaii Time", 1, 10.5f},
        {"NT", "Nome Time", 1, 11},
        {"BET", "Bering Time", 1, 11},
        {"BST", "British Summer Time", 2, -1},
        {"BWT", "British War Time", 3, -2},
        {"CET", "Central European Time", 1, -1},
        {"MET", "Middle European Time", 1, -1},
        {"EET", "Eastern European Time", 1, -2},
        {"BAT", "Baghdad Time", 1, -3},
        {"USZ3", "USSR Zone 3", 1, -4},
        {"USZ4", "USSR Zone 4", 1, -5},
        {"IST", "Indian Time", 1, -5.5f},
        {"USZ5", "USSR Zone 5", 1, -6},
        {"NSUT", "North Sumatra Time", 1, -6.5f},
        {"SSUT", "South Sumatra Time", 1, -7},
        {"JT", "Java Time", 1, -7.5f},
        {"CCT", "China Coast Time", 1, -8},
        {"JST", "Japan Time", 1, -9},
        {"GST", "Guam Time", 1, -10},
        {"SAT", "South Australian Time", 1, -9.5f},
        {"SDT", "South Australian Summer Time", 2, -10.5f},
        {"AEST", "Australian Eastern Time", 1, -10},
        {"AEDT", "Australian Eastern Summer Time", 2, -11},
        {"ACST", "Australian Central Time", 1, -9.5f},
        {"ACDT", "Australian Central Summer Time", 2, -10.5f},
        {"AWST", "Australian Western Time", 1, -8},
        {"AWDT", "Australian Westerm Summer Time", 2, -9},
        {"NZ", "New Zealand Time (Pre 1940)", 1, -11.5f},
        {"NZT", "New Zealand Time", 1, -12},
        {"NZST", "New Zealand Summer Time", 2, -13},
        {"NZS", "New Zealand Summer (Pre 1940)", 2, -12.5f},
    };
    ZoneTable t;
    for (const Z& z : zones) t.Register(z.abbrev, z.name, z.type, z.hours);
    return t;
  }();
  return table;
}

ZoneList::ZoneList(std::vector<ZoneListEntry> entries) : entries_(std::move(entries)) {
  if (entries_.size() > MaxEntries) entries_.resize(MaxEntries);
}

const ZoneListEntry* ZoneList::Find(std::string_view abbrev) const {
  for (const ZoneListEntry& e : entries_)
    if (e.abbrev == abbrev) return &e;
  return nullptr;
}

namespace {

std::string_view Columns(std::string_view line, std::size_t first, std::size_t count) {
  if (line.size() < first) return {};
  return line.substr(first - 1, count);
}

std::string TrimRight(std::string_view s) {
  std::size_t end = s.size();
  while (end > 0 && (s[end - 1] == ' ' || s[end - 1] == '\t' || s[end - 1] == '\0')) --end;
  return std::string(s.substr(0, end));
}

// A field of digits (blanks around them allowed); nullopt when anything else is there.
std::optional<int> DigitsField(std::string_view field) {
  std::string_view t = Trim(field);
  if (t.empty()) return std::nullopt;
  int v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

}  // namespace

ZoneList ParseZoneList(std::string_view bytes) {
  std::vector<ZoneListEntry> entries;
  int lineNo = 0;
  for (const std::string& line : SplitLines(bytes)) {
    ++lineNo;
    if (entries.size() >= ZoneList::MaxEntries) break;
    if (Trim(line).empty()) continue;
    std::optional<int> hh = DigitsField(Columns(line, 37, 2));
    std::string_view mmField = Columns(line, 40, 2);
    std::optional<int> mm = Trim(mmField).empty() ? std::optional<int>(0) : DigitsField(mmField);
    if (!hh || !mm)
      throw EZoneFormatError("The time zone list has an unreadable line " +
                             std::to_string(lineNo) + ": \"" + Cp1252ToUtf8(line) + "\"");
    ZoneListEntry e;
    e.abbrev = Cp1252ToUtf8(TrimRight(Columns(line, 1, 5)));
    e.name = Cp1252ToUtf8(TrimRight(Columns(line, 6, 30)));
    e.hours = *hh + *mm / 60.0;
    if (Columns(line, 36, 1) == "-") e.hours = -e.hours;
    entries.push_back(std::move(e));
  }
  return ZoneList(std::move(entries));
}

ZoneList LoadZoneList(const std::string& path) {
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) throw EZoneFormatError("Unable to read the time zone list \"" + path + "\".");
  return ParseZoneList(*bytes);
}

std::string FormatZoneListLine(const ZoneListEntry& entry) {
  std::string abbrev = Utf8ToCp1252(entry.abbrev).substr(0, 5);
  std::string name = Utf8ToCp1252(entry.name).substr(0, 30);
  long minutes = std::lround(std::fabs(entry.hours) * 60);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%c%02ld:%02ld", entry.hours < 0 ? '-' : '+', minutes / 60 % 100,
                minutes % 60);
  abbrev.resize(5, ' ');
  name.resize(30, ' ');
  return abbrev + name + buf;
}

std::string FormatZoneListHours(double hours) {
  long seconds = std::lround(std::fabs(hours) * 3600);
  char buf[32];
  int n = std::snprintf(buf, sizeof buf, "%c%02ld:%02ld", hours < 0 ? '-' : '+', seconds / 3600,
                        seconds / 60 % 60);
  if (seconds % 60 != 0) std::snprintf(buf + n, sizeof buf - n, ":%02ld", seconds % 60);
  return buf;
}

std::vector<ZoneListRow> ZoneListRows(const ZoneList& list, ZoneListOrder order) {
  const auto& entries = list.Entries();
  std::vector<std::size_t> idx(entries.size());
  for (std::size_t i = 0; i < idx.size(); ++i) idx[i] = i;
  auto lower = [](const std::string& s) { return ToLowerAscii(s); };
  std::stable_sort(idx.begin(), idx.end(), [&](std::size_t a, std::size_t b) {
    const ZoneListEntry& x = entries[a];
    const ZoneListEntry& y = entries[b];
    switch (order) {
      case ZoneListOrder::FullName:
        return std::tuple(lower(x.name), lower(x.abbrev), x.hours) <
               std::tuple(lower(y.name), lower(y.abbrev), y.hours);
      case ZoneListOrder::ZoneTime:
        return std::tuple(x.hours, lower(x.abbrev), lower(x.name)) <
               std::tuple(y.hours, lower(y.abbrev), lower(y.name));
      case ZoneListOrder::Mnemonic:
      default:
        return std::tuple(lower(x.abbrev), x.hours, lower(x.name)) <
               std::tuple(lower(y.abbrev), y.hours, lower(y.name));
    }
  });
  std::vector<ZoneListRow> rows;
  for (std::size_t i : idx) {
    const ZoneListEntry& e = entries[i];
    std::string h = FormatZoneListHours(e.hours);
    std::string text;
    switch (order) {
      case ZoneListOrder::FullName: text = e.name + "\t" + e.abbrev + "\t" + h; break;
      case ZoneListOrder::ZoneTime: text = h + "\t" + e.abbrev + "\t" + e.name; break;
      case ZoneListOrder::Mnemonic: text = e.abbrev + "\t" + h + "\t" + e.name; break;
    }
    rows.push_back(ZoneListRow{i, std::move(text)});
  }
  return rows;
}

}  // namespace korvana
