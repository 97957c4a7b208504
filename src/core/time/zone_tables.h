// Zone history tables: which zone was in force at a place on a date.
//
// Three little-endian files in the data folder:
//   tztable.lst  the zone codes: count, then per code 11 bytes (code, offset in 1/900
//                hour positive west, 5-character abbreviation);
//   tztable.ndx  the index: count, then per table its number and the 1-based byte
//                position of its header in tztable.bin;
//   tztable.bin  the tables: a 52-byte header (number, next table, entry count, 40-byte
//                name) followed by 10-byte entries (zone code, year, month*100 + day,
//                hour*100 + minute of local clock time), in chronological order.
// An entry means that from its local date and time on its zone is in force. A zone code
// <= 0 stands for local mean time at longitude (code + 21600) / 60 degrees.
//
// The files are read on every lookup, so an edit takes effect at once. Damaged files
// raise ETZError with a message naming the problem; nothing reads outside the data.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/time/entry_parsing.h"

namespace korvana {

class Messages;

extern const char* const TableNotFoundMessage;       // "TimeZone Table Not Found"
extern const char* const NoLookupTableWarning;
extern const char* const BeyondTableWarning;
extern const char* const SaveTablesFailedMessage;    // "Unable to save changes to time zone tables."
extern const char* const ZoneNotRecognisedMessage;
extern const char* const NoTableListText;            // "! No Table ! - #0"
extern const char* const NoNextTableListText;        // " None - #0"

constexpr int LocalMeanTimeBase = 21600;  // code + 21600 = offset units of local mean time
constexpr double OffsetUnitsPerHour = 900;

struct TZCode {
  std::int32_t code = 0;
  std::int16_t offsetUnits = 0;  // 1/900 hour, positive west
  std::string abbrev;            // up to 5 characters, trimmed
};

struct TZIndexEntry {
  std::int32_t tableNo = 0;
  std::int32_t position = 0;  // 1-based byte position of the header in tztable.bin
};

struct TZTableHeader {
  std::int32_t TableNo = 0;
  std::int32_t NextTable = 0;  // > 0 continues with that table; 0 last zone stays; -1 beyond
  std::int32_t EntryCount = 0;
  std::string Name;  // up to 40 characters, trimmed
};

struct TZTableEntry {
  std::int32_t ZoneCode = 0;
  std::int16_t Year = 0;
  std::int16_t MonthDay = 0;    // month * 100 + day
  std::int16_t HourMinute = 0;  // hour * 100 + minute, local clock time
  friend bool operator==(const TZTableEntry&, const TZTableEntry&) = default;
};

struct TZTable {
  TZTableHeader header;
  std::vector<TZTableEntry> entries;
};

// Where the three files are: the data folder (ending in "/").
struct ZoneTableFiles {
  std::string folder;
  std::string List() const { return folder + "tztable.lst"; }
  std::string Index() const { return folder + "tztable.ndx"; }
  std::string Bin() const { return folder + "tztable.bin"; }
};

// Parsing and writing of the three formats (ETZError on damaged data).
std::vector<TZCode> ParseZoneCodes(std::string_view bytes, std::size_t maxCodes = SIZE_MAX);
std::string WriteZoneCodes(const std::vector<TZCode>& codes);
std::vector<TZIndexEntry> ParseZoneIndex(std::string_view bytes);
// The index and the table file for a list of tables, positions computed as written.
struct ZoneTableBytes {
  std::string index;
  std::string bin;
};
ZoneTableBytes WriteZoneTables(const std::vector<TZTable>& tables);
// Reads the table whose header starts at the 1-based position; at most maxEntries
// entries are read (the header keeps the stored count).
TZTable ParseZoneTableAt(std::string_view bin, std::int32_t position,
                         std::size_t maxEntries = SIZE_MAX);

// Reading the files of a data folder (ETZError when one cannot be read or is damaged).
std::vector<TZCode> ReadZoneCodes(const ZoneTableFiles& files, std::size_t maxCodes = SIZE_MAX);

struct ZoneLookup {
  std::string abbrev;      // trimmed; "LMT" before a table's first entry; "" for a
                           // local-mean-time code
  std::int32_t units = 0;  // offset in 1/900 hour, positive west
  double hours = 0;        // units / 900
  bool beyondTable = false;
};

// The zone in force in table tableNo (following its chain) at a local date and clock
// time, for a place at longitude degrees (positive west). Before the first entry of the
// first table it is local mean time from the longitude. A chain that comes back to a
// table already read, or reaches a table without entries, ends there with the zone found
// so far (local mean time when none) and beyondTable set. Raises ETZError "TimeZone Table
// Not Found" when a table of the chain is not in the index.
ZoneLookup LookupZone(const ZoneTableFiles& files, std::int32_t tableNo, int year, int month,
                      int day, int hour, int minute, double longitude);

// The zone text for a place's table and the typed date, time and longitude: the
// abbreviation, a blank and FormatZoneHours (no leading blank when the abbreviation is
// empty). Shows NoLookupTableWarning and returns nothing when tableNo <= 0; shows
// BeyondTableWarning when the date lies beyond the table (and returns the text). A text
// that does not parse shows the parser's message and returns nothing. ETZError passes
// to the caller.
std::optional<std::string> ZoneTextForPlace(const ZoneTableFiles& files, std::int32_t tableNo,
                                            std::string_view dateText, std::string_view timeText,
                                            std::string_view longitudeText,
                                            const EntryOptions& options, Messages& messages);

// For each table of the index in index order: the trimmed name, " - #" and the number.
std::vector<std::string> ListTables(const ZoneTableFiles& files);

// The table number at the end of a list text ("Adelaide - #12" -> 12, after the last
// "#"); nullopt when there is none.
std::optional<std::int32_t> TableNumberFromListText(std::string_view text);

// The header and at most maxEntries + 1 entries of a table; ETZError when it is missing.
TZTable LoadTable(const ZoneTableFiles& files, std::int32_t tableNo, std::size_t maxEntries);

struct SaveTableResult {
  bool failed = false;
  std::int32_t tableNo = 0;  // the number the table was saved under (0 when dropped)
};

// Writes the tables with `table` replaced (same number), dropped (no entries) or added
// (TableNo <= 0: numbered one above the highest number in the index). The new files are
// written as work files "ndx.tmp" and "bin.tmp" in the data folder and then take the
// place of the old ones; on any failure SaveTablesFailedMessage is shown and the old
// files stay as they were.
SaveTableResult SaveTable(const ZoneTableFiles& files, const TZTable& table, Messages& messages);

// The logic of the zone table editor (everything but the drawing).
class ZoneTableEditor {
 public:
  static constexpr std::size_t MaxEntries = 300;
  static constexpr std::size_t MaxCodes = 200;
  static constexpr std::size_t NameLength = 40;

  // Starts from a loaded table (TableNo 0 for a new one) and the zone codes.
  ZoneTableEditor(TZTable table, std::vector<TZCode> codes, EntryOptions options = {});

  const TZTable& Table() const { return table_; }
  const std::vector<TZTableEntry>& Entries() const { return table_.entries; }

  void SetName(std::string_view name);  // cut to 40 characters
  // The "beyond table" check box stores -1; otherwise the chosen next table or 0.
  void SetNextTable(bool verifyBeyond, std::int32_t chosenNext);

  // "date\ttime\tabbreviation hours" (a local-mean-time entry shows its longitude).
  std::string EntryRowText(std::size_t i) const;

  // Adds an entry: 15 March 1900 02:00 code 1 while there are fewer than 3 entries,
  // otherwise a copy of the last with the year one higher. At 300 entries it shows the
  // limit message and returns false.
  bool AddEntry(Messages& messages);
  void DeleteEntry(std::size_t i);
  // Orders by year * 10000 + month-day when the entries are out of that order; true
  // when it reordered them.
  bool SortEntries();

  // Changes entry i from the typed fields. The zone must be an abbreviation of the code
  // list or a longitude (local mean time); otherwise ZoneNotRecognisedMessage. Date and
  // time messages are the parsers'. False (and nothing changed) on any error.
  bool SetEntry(std::size_t i, std::string_view dateText, std::string_view timeText,
                std::string_view zoneText, Messages& messages);

  // Saves: when the name differs from the loaded one the user is asked whether to save a
  // new table (Yes), update the description (No) or not save (Cancel). Returns the
  // result of SaveTable, or nullopt when cancelled.
  std::optional<SaveTableResult> Save(const ZoneTableFiles& files, Messages& messages);

 private:
  TZTable table_;
  std::string loadedName_;
  std::vector<TZCode> codes_;
  EntryOptions options_;
};

}  // namespace korvana

namespace korvana {

extern const char* const DeleteTableQuestion;
extern const char* const TableNameChangedQuestion;
extern const char* const EntryLimitMessage;  // followed by the limit, 300

// The rows of the table selection list: "! No Table ! - #0" and then ListTables.
std::vector<std::string> TableChoiceRows(const ZoneTableFiles& files);
// The choices of the editor's next-table list: ListTables and then " None - #0".
std::vector<std::string> NextTableChoiceRows(const ZoneTableFiles& files);

// Asks DeleteTableQuestion and, when confirmed, saves the table with no entries, which
// removes it. True when it was removed.
bool DeleteZoneTable(const ZoneTableFiles& files, std::int32_t tableNo, Messages& messages);

}  // namespace korvana
