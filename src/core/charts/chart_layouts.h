// The stored layouts of a chart and the conversions between them.
//
// Four kinds of chart file exist (chart_files.h). Their records are converted through
// one pivot, the program's own 110-byte record: a read goes headerless -> own or
// wide -> own and then own -> ChartRecord; a write goes ChartRecord -> own and then
// own -> wide or own -> headerless. Texts are 8-bit Windows-1252, NUL-terminated and
// cut to their field (at most width - 1 characters). All functions here work on byte
// strings of exactly one record and never touch a file.
//
// Layout summary (offsets in bytes, little-endian):
//   own (110): 0 type, 1 sub-type, 2 event kind, 3 param low byte, 4 param high byte
//     (0 for the usual parameters below 256), 5 name(30), 35 place(20), 55 country(20), 75 zone
//     hours (single), 79 zone abbreviation(5), 84 day, 85 month, 86 year (16-bit),
//     88 hour, 89 minute, 90 second, 91 north flag, 92 latitude d m s, 95 west flag,
//     96 longitude d m s, 99 house system, 100 zodiac + 1, 101 user sidereal offset
//     (single), 105 1, 106 first memo record (32-bit).
//   wide (292): see WideFromOwn.
//   headerless (115): see HeaderlessFromOwn.
// An unknown birth time is kept where other readers of the files look for nothing: the top
// bit of the own record's event kind byte (2), of the wide record's spare byte 282 (its
// event kind field, 117, stays clean) and the headerless record's spare word (111) = 1.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/charts/chart_record.h"
#include "core/util/error.h"

namespace korvana {

struct ProgramSettings;

constexpr std::size_t OwnRecordSize = 110;
constexpr std::size_t WideRecordSize = 292;
constexpr std::size_t HeaderlessRecordSize = 115;
constexpr std::size_t CollectionHeaderSize = 86;
constexpr std::size_t TitleFieldSize = 80;

// Offsets of the fields that callers patch or read without a full conversion.
constexpr std::size_t OwnMemoOffset = 106;
constexpr std::size_t WideMemoOffset = 158;
constexpr std::size_t OwnNameOffset = 5;
constexpr std::size_t WideNameOffset = 2;
constexpr std::size_t WideEventKindOffset = 117;

// A failure of a chart file operation, carrying the message for the user.
class EChartFileError : public Error {
 public:
  using Error::Error;
};

// A chart field that does not fit the target layout (a value beyond its byte, a
// latitude of 300 degrees). Fails the write; nothing is written.
class EChartRangeError : public EChartFileError {
 public:
  using EChartFileError::EChartFileError;
};

// A chart as a chart file holds it: the record, its house system, the user sidereal
// offset written with it and the number of its first memo record (own and wide
// formats; 0 for none).
struct StoredChart {
  ChartRecord chart;
  int houseSystem = 5;
  float userSvp = 0.0f;
  std::int32_t memoRecord = 0;

  friend bool operator==(const StoredChart&, const StoredChart&) = default;
};

// ChartRecord -> own record. Throws EChartRangeError when a field does not fit.
std::string OwnRecordFromChart(const ChartRecord& chart, int houseSystem, float userSvp,
                               std::int32_t memoRecord);

// Own record -> chart. The choices the record does not hold come from the settings
// (ApplyUnstoredChoices); a house system outside 1..31 becomes the "Houses" setting; a
// stored zodiac byte 0 (older files) reads as tropical, as does one beyond the ten
// zodiacs. Throws EChartFileError when the date or time is not a possible one (month 13,
// minute 75), so that no later calculation sees it.
StoredChart ChartFromOwnRecord(std::string_view own, const ProgramSettings& settings);

// Own record <-> wide record. The own record's third byte carries the event kind, which
// the wide record keeps at 117 (and, as the third byte of the own record, at 282).
std::string WideFromOwn(std::string_view own);
std::string OwnFromWide(std::string_view wide);

// Own record <-> headerless record. The headerless record holds no parameter, sidereal
// offset or memo; userSvp fills the own record's offset field when reading. Throws
// EChartRangeError when a headerless field does not fit the own record.
std::string HeaderlessFromOwn(std::string_view own);
std::string OwnFromHeaderless(std::string_view headerless, float userSvp);

// The first record of an own (version 1) or wide (version 2) file, and the 86-byte
// header of a collection (version 3).
std::string OwnFileHeader(std::string_view title);
std::string WideFileHeader(std::string_view title);
std::string CollectionHeader(std::string_view title, std::int32_t count);

// The 80-byte title field (UTF-8 title -> Windows-1252, at most 79 characters, NUL
// padded) and its reverse (the text before the first NUL, as UTF-8).
std::string TitleField(std::string_view title);
std::string TitleFromField(std::string_view field);

// A NUL-terminated 8-bit text field read as UTF-8 (the bytes before the first NUL).
std::string TextFromField(std::string_view field);

// The name of a stored record of each layout, for lists and searches.
std::string NameOfOwnRecord(std::string_view own);

}  // namespace korvana
