// Almuten scheme files (".alm"): the point values and options of one way of scoring
// dignities. A file of 579-byte little-endian records of which record 1 is used; the
// bytes the program does not interpret are kept, so rewriting a record changes only the
// fields it means to change.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/util/error.h"

namespace korvana {

constexpr std::size_t AlmutenRecordSize = 579;
constexpr int MaxPositionCodes = 36;

struct AlmutenScheme {
  std::string title;                              // offset 20, count byte + 39 characters
  std::array<std::int16_t, 9> dignityWeights{};   // 315: DignityType 0..8
  std::array<std::int16_t, 5> receptionWeights{}; // 333: DignityType 0, 1, 2, 5, 6
  std::int16_t dayBonus = 0;                      // 343
  std::int16_t hourBonus = 0;                     // 345
  std::array<std::int16_t, 13> houseWeights{};    // 347: [house 1..12]
  std::uint8_t triplicityByte = 0;                // 371: low 7 bits = variant 0..2
  std::uint8_t termSystem = 0;                    // 373: 0..2, other values: no term ruler
  std::array<std::int16_t, 5> receptionCounts{};  // 375: -1 = saves from peregrine
  std::int16_t ownPlace = 0;                      // 385: -1 = own-place mode
  std::array<std::int16_t, MaxPositionCodes> positions{};  // 387: ends at the first 0
  std::int16_t reversedFortune = 0;               // 461: -1 = Fortune as Asc + Sun - Moon
  std::int16_t rulershipScheme = 1;               // 463: record 1..5 of the rulerships file
  std::int16_t houseSystem = 0;                   // 465: <= 0 = the chart's own cusps
  std::array<float, 3> cuspOffsets{};             // 467: angular, succedent, cadent
  std::int16_t degreeShift = 0;                   // 479: 0 or 1
  std::int16_t sectCondition = 0;                 // 481: 0 always, 1 day only, else night only
  std::int16_t peregrineWeight = 0;               // 483
  std::string raw;  // the record as read (579 bytes) or empty for a new record

  int TriplicityVariant() const { return triplicityByte & 0x7F; }
  bool OwnPlaceMode() const { return ownPlace == -1; }
  // The offset of a house's kind: angular (1, 4, 7, 10), succedent, cadent.
  double CuspOffset(int house) const;
};

// Decodes one 579-byte record.
AlmutenScheme ParseAlmutenRecord(std::string_view record);
// Encodes a record; bytes the program does not interpret come from scheme.raw (zeros
// when it is empty).
std::string EncodeAlmutenRecord(const AlmutenScheme& scheme);

// A scheme file that cannot be read, or that does not hold the record asked for. The
// message is "Unable to read almuten file: " and the path.
class EAlmutenSchemeError : public Error {
 public:
  using Error::Error;
};

// Record recordNumber (1-based) of a scheme file (found whatever the case of its name).
// Throws EAlmutenSchemeError when the file cannot be read or is too short.
AlmutenScheme ReadAlmutenScheme(const std::string& path, int recordNumber = 1);

// Record 1 of a scheme file for the reports, tables and analyses that go on without a
// scheme: nullopt when ReadAlmutenScheme throws. No message is shown.
std::optional<AlmutenScheme> AlmutenSchemeOrNone(const std::string& path);

// Rewrites that record in place (other records and bytes stay as they were; a file too
// short is extended with zeros) through a work file. False when it cannot be written.
bool WriteAlmutenScheme(const std::string& path, int recordNumber, const AlmutenScheme& scheme);

}  // namespace korvana
