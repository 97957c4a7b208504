// TEMInterps: the reader of interpretation files in the sibling program's compiled format.
//
// An interpretation file holds one paragraph per topic (a zodiac degree, a point in a
// sign, a point in a house, an aspect between two points, ...), addressed by a topic
// kind 0..18 and up to three numbers. The reader loads only the header; every GetText
// opens the file, reads one index record and the paragraph it points to, and closes the
// file again. Nothing is cached.
//
// File layout (little-endian):
//   header, 154 bytes for versions below 300 and 166 bytes for version 300;
//   AspectMap[1..26] (26 x int16), then AspectCount aspect names of 12 blank-padded bytes;
//   DataStart = the position after the last name; each topic kind's index section starts
//   at DataStart + SectionOffset[kind] and holds 6-byte records (int32 1-based position
//   of the paragraph, int16 length). Paragraphs are 8-bit (Windows-1252) text.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/util/error.h"

namespace korvana {

// Raised by Open for an incompatible version or a damaged header.
class EInterpFileError : public Error {
 public:
  using Error::Error;
};

// Topic kinds the program requests.
constexpr int DegreeText = 3;
constexpr int PointInHouse = 15;
constexpr int PointInSign = 16;
constexpr int AspectText = 18;

constexpr int InterpKindCount = 19;
constexpr int InterpAspectCount = 26;
constexpr int InterpHeaderSize = 154;
constexpr int InterpHeaderSize300 = 166;
constexpr int InterpAspectNameSize = 12;
constexpr int InterpMaxVersion = 300;

// The reader's messages, exactly as the user sees them.
namespace interp_messages {
constexpr const char* NoFile = "No valid interpretation file has been selected.";
constexpr const char* AspectNotIncluded = "This aspect is not included in this set of interpretations.";
constexpr const char* NoInformation = "No text available for information of this type.";
constexpr const char* NoTopicText = "No text available for this topic.";
constexpr const char* ReadException = "Exception occured during file read: ";
constexpr const char* IncompatibleVersion =
    "Interpretation file was created by an incompatible version of the interpretation compiler: ";
}  // namespace interp_messages

// The number of points per chart a file of this version holds texts for: 50 from
// version 300, 36 from 200, 26 below.
int PointCapacityOf(int version);

// How the index records of a topic kind are numbered within its section.
enum class InterpLayout : std::uint8_t {
  None,           // not a topic kind
  OneText,        // kinds 0-2: one text for the whole kind
  OnePerItem,     // kinds 3, 4, 11, 14: record a - 1
  ThreePerItem,   // kinds 5-10, 12, 13: record (a - 1) * 3 + s
  TwelvePerItem,  // kinds 15-17: record (a - 1) * 12 + s - 1, s a sign or house 1..12
  AspectPairs,    // kind 18: a point pair and an aspect
};

struct InterpKindAddressing {
  InterpLayout layout = InterpLayout::None;
  bool pointItems = false;  // `a` is a point number, at most the file's point capacity
};

// The addressing of a topic kind; layout None for a number outside 0..18.
InterpKindAddressing InterpAddressingOf(int kind);

// The record number of an index record within its kind's section, in checked signed
// 32-bit arithmetic (std::overflow_error on overflow), or -1 when a number is out of
// range. For kind 18, `s` is the aspect's 1-based position in the file's aspect list and
// the pair is put in ascending order when the file is undirected (always below 200).
// The writer of interpretation files uses the same function, so both agree.
std::int32_t InterpRecordNumber(int version, bool directedPairs, int aspectCount, int kind,
                                std::int32_t a, std::int32_t s, std::int32_t b);

class TEMInterps {
 public:
  std::int16_t Version = 0;
  std::array<std::int32_t, InterpKindCount> SectionOffset{};
  std::int32_t DirectedPairs = 0;
  std::int16_t AspectCount = 0;
  std::array<std::int16_t, 7> Reserved16{};
  std::array<std::int32_t, 14> Reserved32{};
  std::array<std::uint8_t, 12> Unused300{};  // bytes 78..89 of a version-300 header
  std::string FileName;
  std::array<std::int16_t, InterpAspectCount + 1> AspectMap{};       // [1..26]
  std::array<std::string, InterpAspectCount + 1> FileAspectNames{};  // [1..AspectCount]
  std::int32_t DataStart = 0;

  // Loads the header. A missing file leaves the reader unloaded without complaint; a
  // version above 300 (or below 1) and a truncated or inconsistent header raise
  // EInterpFileError and also leave it unloaded.
  void Open(const std::string& fileName);

  // Fetches one paragraph (converted to UTF-8). On failure returns false with `text`
  // holding the reader's message.
  bool GetText(int kind, std::int32_t a, std::int32_t s, std::int32_t b, std::string& text) const;

  // The absolute position of the index record: 0 when the kind is absent from the file,
  // a non-positive value when a number is out of range. For kind 18 `s` is the aspect's
  // position in the file (already translated through AspectMap). Throws
  // std::overflow_error when the arithmetic leaves 32 bits.
  std::int32_t RecordPosition(int kind, std::int32_t a, std::int32_t s, std::int32_t b) const;

  bool IsLoaded() const { return Version != 0; }
  int PointCapacity() const { return PointCapacityOf(Version); }

 private:
  void Unload();
};

}  // namespace korvana
