#include "core/time/zone_tables.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <tuple>

#include "core/time/errors.h"
#include "core/time/angle_math.h"
#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/messages.h"
#include "core/util/records.h"
#include "core/util/text.h"

namespace korvana {

const char* const TableNotFoundMessage = "TimeZone Table Not Found";
const char* const NoLookupTableWarning =
    "There is no timezone lookup table for this place.\r\n\r\nPlease verify that the timezone "
    "is correct before proceeding!";
const char* const BeyondTableWarning =
    "The timezone lookup table does not extend to this date, so daylight savings may or may "
    "not be in effect for this date.\r\n\r\nPlease verify that the timezone is correct before "
    "proceeding!";
const char* const SaveTablesFailedMessage = "Unable to save changes to time zone tables.";
const char* const ZoneNotRecognisedMessage =
    "This zone is not in the list of recognised time zones. Please try again";
const char* const NoTableListText = "! No Table ! - #0";
const char* const NoNextTableListText = " None - #0";
const char* const DeleteTableQuestion = "Are you sure that you wish to delete the entire table?";
const char* const TableNameChangedQuestion =
    "The table description has been changed. Do you wish to save this as a new table, or just "
    "to update its desription?\r\n\r\nClick YES to create a new table, or NO just to update the "
    "description.";
const char* const EntryLimitMessage =
    "Cannot add because the limit of entries has been reached.\r\nThe maximum number of "
    "entries is ";

namespace {

constexpr std::size_t CodeSize = 11;
constexpr std::size_t HeaderSize = 52;
constexpr std::size_t EntrySize = 10;
constexpr std::size_t NameWidth = 40;
constexpr std::size_t AbbrevWidth = 5;

// A fixed text field: cut at the first NUL, blanks trimmed, Windows-1252 to UTF-8.
std::string FieldText(const std::string& bytes) {
  std::string s = bytes.substr(0, bytes.find('\0'));
  return Cp1252ToUtf8(Trim(s));
}

std::string PaddedField(std::string_view utf8, std::size_t width) {
  std::string s = Utf8ToCp1252(utf8).substr(0, width);
  s.resize(width, ' ');
  return s;
}

std::string ReadTableFile(const std::string& path) {
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) throw ETZError("Unable to read the time zone table file \"" + path + "\".");
  return *bytes;
}

[[noreturn]] void Damaged(const char* what, const std::exception& e) {
  throw ETZError(std::string("The time zone table file ") + what + " is damaged (" + e.what() +
                 ").");
}

TZTableEntry ReadEntry(ByteReader& r) {
  TZTableEntry e;
  e.ZoneCode = r.I32();
  e.Year = r.I16();
  e.MonthDay = r.I16();
  e.HourMinute = r.I16();
  return e;
}

// Lexicographic comparison of a local date and time with an entry's.
bool EarlierThan(int year, int month, int day, int hour, int minute, const TZTableEntry& e) {
  auto q = std::tuple(year, month, day, hour, minute);
  auto t = std::tuple(static_cast<int>(e.Year), e.MonthDay / 100, e.MonthDay % 100,
                      e.HourMinute / 100, e.HourMinute % 100);
  return q < t;
}

// Writes a work file completely and flushes it to the disk.
bool WriteFlushed(const std::string& path, std::string_view data) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  std::size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n <= 0) {
      ::close(fd);
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  bool ok = ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
}

}  // namespace

std::vector<TZCode> ParseZoneCodes(std::string_view bytes, std::size_t maxCodes) {
  try {
    ByteReader r(bytes);
    std::int32_t count = r.I32();
    if (count < 0) throw ERecordError("negative count");
    std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), maxCodes);
    if (n > r.Remaining() / CodeSize) throw ERecordError("count beyond the end of the data");
    std::vector<TZCode> codes;
    codes.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
      TZCode c;
      c.code = r.I32();
      c.offsetUnits = r.I16();
      c.abbrev = FieldText(r.Bytes(AbbrevWidth));
      codes.push_back(std::move(c));
    }
    return codes;
  } catch (const ERecordError& e) {
    Damaged("tztable.lst", e);
  }
}

std::string WriteZoneCodes(const std::vector<TZCode>& codes) {
  ByteWriter w;
  w.I32(static_cast<std::int32_t>(codes.size()));
  for (const TZCode& c : codes) {
    w.I32(c.code);
    w.I16(c.offsetUnits);
    w.Bytes(PaddedField(c.abbrev, AbbrevWidth));
  }
  return w.Take();
}

std::vector<TZIndexEntry> ParseZoneIndex(std::string_view bytes) {
  try {
    ByteReader r(bytes);
    std::int32_t count = r.I32();
    if (count < 0) throw ERecordError("negative count");
    if (static_cast<std::size_t>(count) > r.Remaining() / 8)
      throw ERecordError("count beyond the end of the data");
    std::vector<TZIndexEntry> index(static_cast<std::size_t>(count));
    for (TZIndexEntry& e : index) {
      e.tableNo = r.I32();
      e.position = r.I32();
    }
    return index;
  } catch (const ERecordError& e) {
    Damaged("tztable.ndx", e);
  }
}

TZTable ParseZoneTableAt(std::string_view bin, std::int32_t position, std::size_t maxEntries) {
  try {
    if (position < 1) throw ERecordError("bad table position");
    ByteReader r(bin);
    r.Seek(static_cast<std::size_t>(position) - 1);
    TZTable t;
    t.header.TableNo = r.I32();
    t.header.NextTable = r.I32();
    t.header.EntryCount = r.I32();
    t.header.Name = FieldText(r.Bytes(NameWidth));
    if (t.header.EntryCount < 0) throw ERecordError("negative entry count");
    std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(t.header.EntryCount), maxEntries);
    if (n > r.Remaining() / EntrySize) throw ERecordError("entries beyond the end of the data");
    t.entries.reserve(n);
    for (std::size_t i = 0; i < n; ++i) t.entries.push_back(ReadEntry(r));
    return t;
  } catch (const ERecordError& e) {
    Damaged("tztable.bin", e);
  }
}

ZoneTableBytes WriteZoneTables(const std::vector<TZTable>& tables) {
  ByteWriter index;
  ByteWriter bin;
  index.I32(static_cast<std::int32_t>(tables.size()));
  for (const TZTable& t : tables) {
    index.I32(t.header.TableNo);
    index.I32(static_cast<std::int32_t>(bin.Size() + 1));
    bin.I32(t.header.TableNo);
    bin.I32(t.header.NextTable);
    bin.I32(static_cast<std::int32_t>(t.entries.size()));
    bin.Bytes(PaddedField(t.header.Name, NameWidth));
    for (const TZTableEntry& e : t.entries) {
      bin.I32(e.ZoneCode);
      bin.I16(e.Year);
      bin.I16(e.MonthDay);
      bin.I16(e.HourMinute);
    }
  }
  return {index.Take(), bin.Take()};
}

std::vector<TZCode> ReadZoneCodes(const ZoneTableFiles& files, std::size_t maxCodes) {
  return ParseZoneCodes(ReadTableFile(files.List()), maxCodes);
}

ZoneLookup LookupZone(const ZoneTableFiles& files, std::int32_t tableNo, int year, int month,
                      int day, int hour, int minute, double longitude) {
  std::vector<TZIndexEntry> index = ParseZoneIndex(ReadTableFile(files.Index()));
  std::string bin = ReadTableFile(files.Bin());

  bool first = true;
  bool localMean = false;
  bool beyond = false;
  std::optional<std::int32_t> lastCode;
  std::set<std::int32_t> visited;
  for (;;) {
    auto it = std::find_if(index.begin(), index.end(),
                           [&](const TZIndexEntry& e) { return e.tableNo == tableNo; });
    if (it == index.end()) throw ETZError(TableNotFoundMessage);
    if (!visited.insert(tableNo).second) {
      // The chain came back to a table already read: it ends here.
      beyond = true;
      break;
    }
    TZTable table = ParseZoneTableAt(bin, it->position);
    if (table.entries.empty()) {
      // Nothing to read in this table: the zone found so far stands.
      beyond = true;
      localMean = first;
      break;
    }
    bool done = false;
    for (std::size_t i = 0; i < table.entries.size(); ++i) {
      const TZTableEntry& e = table.entries[i];
      if (EarlierThan(year, month, day, hour, minute, e)) {
        if (first) localMean = true;
        done = true;
        break;
      }
      first = false;
      lastCode = e.ZoneCode;
      if (i + 1 == table.entries.size()) {
        tableNo = table.header.NextTable;
        done = table.header.NextTable <= 0;
        beyond = table.header.NextTable == -1;
      }
    }
    if (done) break;
  }

  ZoneLookup result;
  result.beyondTable = beyond;
  if (localMean || !lastCode) {
    result.abbrev = "LMT";
    double minutes = std::clamp(longitude * 60, -1.0e6, 1.0e6);
    result.units = static_cast<std::int32_t>(std::nearbyint(minutes));
  } else if (*lastCode <= 0) {
    result.units = *lastCode + LocalMeanTimeBase;
  } else {
    std::vector<TZCode> codes = ReadZoneCodes(files);
    auto c = std::find_if(codes.begin(), codes.end(),
                          [&](const TZCode& z) { return z.code == *lastCode; });
    if (c == codes.end())
      throw ETZError("The time zone code " + std::to_string(*lastCode) +
                     " is not in the zone code list tztable.lst.");
    result.abbrev = c->abbrev;
    result.units = c->offsetUnits;
  }
  result.hours = result.units / OffsetUnitsPerHour;
  return result;
}

std::optional<std::string> ZoneTextForPlace(const ZoneTableFiles& files, std::int32_t tableNo,
                                            std::string_view dateText, std::string_view timeText,
                                            std::string_view longitudeText,
                                            const EntryOptions& options, Messages& messages) {
  if (tableNo <= 0) {
    messages.Warning(NoLookupTableWarning);
    return std::nullopt;
  }
  DateEntry date = ParseDate(dateText, &messages, options.monthFirst, options.pivotYear);
  if (date.error) return std::nullopt;
  TimeEntry time = ParseTime(timeText, &messages);
  if (time.error) return std::nullopt;
  CoordinateEntry lon = ParseLatLong(longitudeText, true, &messages);
  if (lon.error) return std::nullopt;
  ZoneLookup z = LookupZone(files, tableNo, date.year, date.month, date.day, time.hour,
                            time.minute, lon.degrees);
  if (z.beyondTable) messages.Warning(BeyondTableWarning);
  return std::string(Trim(z.abbrev + " " + FormatZoneHours(z.hours)));
}

std::vector<std::string> ListTables(const ZoneTableFiles& files) {
  std::vector<TZIndexEntry> index = ParseZoneIndex(ReadTableFile(files.Index()));
  std::string bin = ReadTableFile(files.Bin());
  std::vector<std::string> list;
  for (const TZIndexEntry& e : index) {
    TZTable t = ParseZoneTableAt(bin, e.position, 0);
    list.push_back(t.header.Name + " - #" + std::to_string(e.tableNo));
  }
  return list;
}

std::vector<std::string> TableChoiceRows(const ZoneTableFiles& files) {
  std::vector<std::string> rows{NoTableListText};
  for (std::string& s : ListTables(files)) rows.push_back(std::move(s));
  return rows;
}

std::vector<std::string> NextTableChoiceRows(const ZoneTableFiles& files) {
  std::vector<std::string> rows = ListTables(files);
  rows.push_back(NoNextTableListText);
  return rows;
}

std::optional<std::int32_t> TableNumberFromListText(std::string_view text) {
  std::size_t hash = text.rfind('#');
  if (hash == std::string_view::npos) return std::nullopt;
  return ParseInt32(Trim(text.substr(hash + 1)));
}

TZTable LoadTable(const ZoneTableFiles& files, std::int32_t tableNo, std::size_t maxEntries) {
  std::vector<TZIndexEntry> index = ParseZoneIndex(ReadTableFile(files.Index()));
  auto it = std::find_if(index.begin(), index.end(),
                         [&](const TZIndexEntry& e) { return e.tableNo == tableNo; });
  if (it == index.end()) throw ETZError(TableNotFoundMessage);
  std::size_t limit = maxEntries == SIZE_MAX ? SIZE_MAX : maxEntries + 1;
  return ParseZoneTableAt(ReadTableFile(files.Bin()), it->position, limit);
}

SaveTableResult SaveTable(const ZoneTableFiles& files, const TZTable& table, Messages& messages) {
  SaveTableResult result;
  const std::string ndxWork = files.folder + "ndx.tmp";
  const std::string binWork = files.folder + "bin.tmp";
  auto fail = [&] {
    std::remove(ndxWork.c_str());
    std::remove(binWork.c_str());
    messages.Error(SaveTablesFailedMessage);
    result.failed = true;
    result.tableNo = 0;
    return result;
  };

  std::optional<std::string> oldBin;
  std::vector<TZTable> tables;
  try {
    // No table files yet: the saved table is the first.
    bool haveFiles = FileExists(files.Index()) || FileExists(files.Bin());
    if (haveFiles) {
      std::vector<TZIndexEntry> index = ParseZoneIndex(ReadTableFile(files.Index()));
      oldBin = ReadTableFile(files.Bin());
      for (const TZIndexEntry& e : index) tables.push_back(ParseZoneTableAt(*oldBin, e.position));
    }
  } catch (const ETZError&) {
    return fail();
  }

  TZTable saved = table;
  saved.header.EntryCount = static_cast<std::int32_t>(saved.entries.size());
  bool present = false;
  if (saved.header.TableNo > 0) {
    for (std::size_t i = 0; i < tables.size(); ++i) {
      if (tables[i].header.TableNo != saved.header.TableNo) continue;
      present = true;
      if (saved.entries.empty())
        tables.erase(tables.begin() + static_cast<std::ptrdiff_t>(i));
      else
        tables[i] = saved;
      break;
    }
  } else {
    std::int32_t highest = 0;
    for (const TZTable& t : tables) highest = std::max(highest, t.header.TableNo);
    saved.header.TableNo = highest + 1;
  }
  // A new table, or one whose number is not in the index yet, is appended.
  if (!present && !saved.entries.empty()) tables.push_back(saved);
  result.tableNo = saved.entries.empty() ? 0 : saved.header.TableNo;

  ZoneTableBytes bytes = WriteZoneTables(tables);
  if (!WriteFlushed(ndxWork, bytes.index) || !WriteFlushed(binWork, bytes.bin)) return fail();
  if (std::rename(binWork.c_str(), files.Bin().c_str()) != 0) return fail();
  if (std::rename(ndxWork.c_str(), files.Index().c_str()) != 0) {
    // Put the old table file back so that it matches the old index.
    if (oldBin)
      WriteFileAtomic(files.Bin(), *oldBin);
    else
      std::remove(files.Bin().c_str());
    return fail();
  }
  return result;
}

bool DeleteZoneTable(const ZoneTableFiles& files, std::int32_t tableNo, Messages& messages) {
  if (tableNo <= 0) return false;
  if (!messages.YesNo(DeleteTableQuestion)) return false;
  TZTable empty;
  empty.header.TableNo = tableNo;
  return !SaveTable(files, empty, messages).failed;
}

ZoneTableEditor::ZoneTableEditor(TZTable table, std::vector<TZCode> codes, EntryOptions options)
    : table_(std::move(table)), codes_(std::move(codes)), options_(options) {
  if (table_.entries.size() > MaxEntries) table_.entries.resize(MaxEntries);
  if (codes_.size() > MaxCodes) codes_.resize(MaxCodes);
  loadedName_ = table_.header.Name;
}

void ZoneTableEditor::SetName(std::string_view name) { table_.header.Name = LimitText(name, NameLength); }

void ZoneTableEditor::SetNextTable(bool verifyBeyond, std::int32_t chosenNext) {
  table_.header.NextTable = verifyBeyond ? -1 : std::max<std::int32_t>(chosenNext, 0);
}

std::string ZoneTableEditor::EntryRowText(std::size_t i) const {
  const TZTableEntry& e = table_.entries.at(i);
  std::string text = FormatDate(options_.monthFirst, e.MonthDay % 100, e.MonthDay / 100, e.Year) +
                     "\t" + FormatTime(options_.twelveHour, e.HourMinute / 100, e.HourMinute % 100, 0) +
                     "\t";
  if (e.ZoneCode <= 0) return text + FormatLatLong(true, (e.ZoneCode + LocalMeanTimeBase) / 60.0);
  for (const TZCode& c : codes_)
    if (c.code == e.ZoneCode) return text + c.abbrev + " " + FormatZoneHours(c.offsetUnits / OffsetUnitsPerHour);
  return text + "#" + std::to_string(e.ZoneCode);
}

bool ZoneTableEditor::AddEntry(Messages& messages) {
  if (table_.entries.size() >= MaxEntries) {
    messages.Error(EntryLimitMessage + std::to_string(MaxEntries));
    return false;
  }
  TZTableEntry e;
  if (table_.entries.size() < 3) {
    e.ZoneCode = 1;
    e.Year = 1900;
    e.MonthDay = 315;
    e.HourMinute = 200;
  } else {
    e = table_.entries.back();
    if (e.Year < 32767) ++e.Year;
  }
  table_.entries.push_back(e);
  return true;
}

void ZoneTableEditor::DeleteEntry(std::size_t i) {
  if (i < table_.entries.size()) table_.entries.erase(table_.entries.begin() + static_cast<std::ptrdiff_t>(i));
}

bool ZoneTableEditor::SortEntries() {
  std::vector<std::int32_t> keys;
  for (const TZTableEntry& e : table_.entries) keys.push_back(e.Year * 10000 + e.MonthDay);
  if (std::is_sorted(keys.begin(), keys.end())) return false;
  std::vector<int> index(keys.size());
  for (std::size_t i = 0; i < index.size(); ++i) index[i] = static_cast<int>(i);
  SortIndexByInt(keys, 0, index, static_cast<int>(index.size()));
  std::vector<TZTableEntry> sorted;
  for (int i : index) sorted.push_back(table_.entries[static_cast<std::size_t>(i)]);
  table_.entries = std::move(sorted);
  return true;
}

bool ZoneTableEditor::SetEntry(std::size_t i, std::string_view dateText, std::string_view timeText,
                               std::string_view zoneText, Messages& messages) {
  if (i >= table_.entries.size()) return false;
  DateEntry date = ParseDate(dateText, &messages, options_.monthFirst, options_.pivotYear);
  if (date.error) return false;
  TimeEntry time = ParseTime(timeText, &messages);
  if (time.error) return false;

  std::optional<std::int32_t> code;
  std::string zone = ToUpperAscii(Trim(zoneText));
  std::size_t blank = zone.find(' ');
  std::string abbrev = zone.substr(0, blank);
  std::optional<double> hours;
  if (blank != std::string::npos) {
    static const ZoneList none;
    ZoneEntry z = ParseZone(zone.substr(blank + 1), nullptr, none);
    if (!z.error && z.abbrev.empty()) hours = z.hours;
  }
  for (const TZCode& c : codes_) {
    if (!abbrev.empty() && ToUpperAscii(c.abbrev) == abbrev &&
        (!hours || std::fabs(c.offsetUnits / OffsetUnitsPerHour - *hours) < 0.0005)) {
      code = c.code;
      break;
    }
  }
  if (!code) {
    CoordinateEntry lon = ParseLatLong(zoneText, true, nullptr);
    if (!lon.error)
      code = static_cast<std::int32_t>(std::nearbyint(lon.degrees * 60)) - LocalMeanTimeBase;
  }
  if (!code) {
    messages.Error(ZoneNotRecognisedMessage);
    return false;
  }
  TZTableEntry& e = table_.entries[i];
  e.ZoneCode = *code;
  e.Year = static_cast<std::int16_t>(date.year);
  e.MonthDay = static_cast<std::int16_t>(date.month * 100 + date.day);
  e.HourMinute = static_cast<std::int16_t>(time.hour * 100 + time.minute);
  return true;
}

std::optional<SaveTableResult> ZoneTableEditor::Save(const ZoneTableFiles& files, Messages& messages) {
  TZTable toSave = table_;
  if (table_.header.TableNo > 0 && table_.header.Name != loadedName_) {
    Answer a = messages.YesNoCancel(TableNameChangedQuestion);
    if (a == Answer::Cancel) return std::nullopt;
    if (a == Answer::Yes) toSave.header.TableNo = 0;
  }
  SaveTableResult r = SaveTable(files, toSave, messages);
  if (!r.failed) {
    table_.header.TableNo = r.tableNo;
    loadedName_ = table_.header.Name;
  }
  return r;
}

}  // namespace korvana
