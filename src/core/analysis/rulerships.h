// The rulership tables: which planet rules each sign (domicile, exaltation, faces) under
// each rulership scheme, the term ruler of each zodiac degree under three term systems,
// and the triplicity rulers of each element under three variants.
//
// Three flat files of fixed-size records, every ruler a PointId (0 = none):
//   rulers    up to 5 schemes of 163 bytes: byte 0 the scheme letter (T traditional,
//             M modern, E esoteric, H hierarchical), then at 55 + 9 * (sign - 1) the
//             sign's block: [0] domicile, [2] exaltation, [6..8] the three face rulers;
//   degrees   up to 360 records of 5 bytes, record d = degree d (longitudes d-1 .. d):
//             [0..2] the term ruler under term system 0, 1, 2;
//   triplicities  4 records of 9 bytes, record e = element e (1 fire .. 4 water):
//             [0..2] day ruler, [3..5] night ruler, [6..8] participating ruler under
//             variant 0, 1, 2.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/error.h"

namespace korvana {

class Messages;

constexpr std::size_t RulershipRecordSize = 163;
constexpr std::size_t DegreeRecordSize = 5;
constexpr std::size_t TriplicityRecordSize = 9;
constexpr int MaxRulershipSchemes = 5;
constexpr int TermSystemCount = 3;
constexpr int TriplicityVariantCount = 3;

struct RulershipScheme {
  char code = ' ';                                            // as stored
  std::string name;                                           // bytes 1..54 (not interpreted)
  std::array<std::uint8_t, 13> domicile{};                    // [sign 1..12]
  std::array<std::uint8_t, 13> exaltation{};                  // [sign 1..12]
  std::array<std::array<std::uint8_t, 3>, 13> faces{};        // [sign][decan 0..2]
};

struct RulershipTables {
  std::vector<RulershipScheme> schemes;                        // record n at [n - 1]
  // Record numbers of the schemes lettered T, M, E and H (1 when the letter is absent).
  int schemeT = 1, schemeM = 1, schemeE = 1, schemeH = 1;
  std::array<std::array<std::uint8_t, TermSystemCount>, 361> terms{};  // [degree 1..360][system]
  int degreesRead = 0;
  std::array<std::array<std::uint8_t, 9>, 5> triplicities{};  // [element 1..4][byte]
  int elementsRead = 0;

  // The scheme of a record number 1..5, or nullptr when the file has no such record.
  const RulershipScheme* Scheme(int recordNumber) const;
  // The domicile ruler of a sign under the scheme lettered T (0 when absent).
  int TraditionalDomicile(int sign) const;
};

// Clears the tables and reads the three files. Rulers outside 1..36 are taken as 0.
// Reading of each file stops at its end (a last partial record is ignored). When a file
// is missing, unreadable or holds no whole record, shows "Unable to read rulerships
// file/s: " with the failing paths and returns false; the tables keep what was read.
bool LoadRulershipTables(const std::string& rulersPath, const std::string& degreesPath,
                         const std::string& triplicitiesPath, Messages& messages,
                         RulershipTables& tables);

// A rulership, degree or triplicity file that is missing, unreadable or holds no whole
// record. The message is "Unable to read rulerships file/s: " and the path.
class ERulershipFileError : public Error {
 public:
  explicit ERulershipFileError(const std::string& path)
      : Error("Unable to read rulerships file/s: " + path), path_(path) {}
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// Parse the three files' contents into their part of the tables; `path` names the file
// in the error. Throw ERulershipFileError when the bytes hold no whole record.
void ParseRulershipFile(std::string_view bytes, RulershipTables& tables, const std::string& path = {});
void ParseDegreeFile(std::string_view bytes, RulershipTables& tables, const std::string& path = {});
void ParseTriplicityFile(std::string_view bytes, RulershipTables& tables, const std::string& path = {});

}  // namespace korvana
