// Time zones: the zone description TATimeZone, the built-in table of named zones, and
// the zone list file that the zone dialogs and the zone parser use.
//
// Zone hours are the hours to add to local clock time to obtain Universal Time: zones
// west of Greenwich are positive ("EST" is +5), zones east negative ("CET" is -1).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/time/errors.h"

namespace korvana {

// Zone types.
enum TZoneType : std::uint8_t {
  ZoneUniversal = 0,
  ZoneStandard = 1,
  ZoneDaylight = 2,
  ZoneWar = 3,
  ZoneLocalMean = 4,
};

class TATimeZone {
 public:
  float Hours = 0;
  std::uint8_t ZoneType = ZoneUniversal;
  std::string Abbrev = "UT";
  std::string Name;
  bool Enabled = true;  // set on creation; carried with the zone
};

// A named zone: abbreviation, name, type and hours.
struct NamedZone {
  std::string abbrev;
  std::string name;
  std::uint8_t type = ZoneStandard;
  float hours = 0;
};

// The table of named zones registered at start-up, at most 100 entries.
class ZoneTable {
 public:
  static constexpr std::size_t MaxZones = 100;

  // Adds a zone; the 101st raises EZoneFormatError " Too many timezones to read in.".
  void Register(std::string_view abbrev, std::string_view name, std::uint8_t type, float hours);
  const std::vector<NamedZone>& Zones() const { return zones_; }

 private:
  std::vector<NamedZone> zones_;
};

// The 55 zones the program registers at start-up.
const ZoneTable& BuiltInZones();

// One zone of the zone list file.
struct ZoneListEntry {
  std::string abbrev;
  std::string name;
  double hours = 0;
};

// The zone list: what the zone selection dialog shows and what the zone parser looks
// mnemonics up in. At most 100 entries are kept.
class ZoneList {
 public:
  static constexpr std::size_t MaxEntries = 100;

  ZoneList() = default;
  explicit ZoneList(std::vector<ZoneListEntry> entries);

  const std::vector<ZoneListEntry>& Entries() const { return entries_; }
  bool Empty() const { return entries_.empty(); }
  // The first entry whose abbreviation equals abbrev exactly (case-sensitive), or null.
  const ZoneListEntry* Find(std::string_view abbrev) const;

 private:
  std::vector<ZoneListEntry> entries_;
};

// Reads the text of a zone list file: one zone a line, fixed columns (1-based) 1-5
// abbreviation, 6-35 name, 36 sign ("-" negative, anything else positive), 37-38 hours,
// 40-41 minutes; texts trimmed on the right; blank lines are skipped; at most 100 lines
// are read. The bytes are Windows-1252. A line whose hours or minutes are not numbers
// raises EZoneFormatError naming the line.
ZoneList ParseZoneList(std::string_view bytes);

// Reads the zone list file; raises EZoneFormatError when it cannot be read or parsed.
ZoneList LoadZoneList(const std::string& path);

// Formats one entry as a zone list file line (the inverse of ParseZoneList).
std::string FormatZoneListLine(const ZoneListEntry& entry);

// The three orders of the zone selection list; each also fixes the column layout.
enum class ZoneListOrder {
  FullName,  // name, abbreviation, hours
  ZoneTime,  // hours, abbreviation, name
  Mnemonic,  // abbreviation, hours, name
};

struct ZoneListRow {
  std::size_t entry = 0;  // index into ZoneList::Entries()
  std::string text;       // three tab-separated columns
};

// Hours as shown in the zone selection list: "+" for zero and above, "-" below, two-digit
// hours, ":", two-digit minutes and, only when not zero, ":" and two-digit seconds.
std::string FormatZoneListHours(double hours);

// The rows of the zone selection list in the given order (ties broken by the next
// columns, texts compared without regard to case, hours numerically).
std::vector<ZoneListRow> ZoneListRows(const ZoneList& list, ZoneListOrder order);

}  // namespace korvana
