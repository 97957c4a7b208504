// Aspect files and the aspect set held in memory.
//
// An aspect file lists which aspects exist, their exact angles, their orbs and how the
// wheel draws them. Layout (little-endian, no padding between blocks):
//   header        92 bytes  (AspectFileHeader)
//   count records 145 bytes each (AspectRecord), numbered 1..count in file order
//   moiety block  36 float32, one factor per PointId 1..36
// The set keeps at most 50 records; a file that declares more has the rest ignored.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/util/error.h"

namespace korvana {

class Messages;

constexpr std::size_t AspectHeaderSize = 92;
constexpr std::size_t AspectRecordSize = 145;
constexpr std::size_t MoietyBlockSize = 36 * 4;
constexpr int MaxAspectRecords = 50;
constexpr int MoietyPointCount = 36;

// Header field values.
constexpr int SelectByOrb = 0;     // orbs chosen by point class
constexpr int SelectByMoiety = 1;  // orbs scaled by per-point factors
constexpr int SelectBySign = 2;    // by sign only
constexpr int SelectAlsoBySign = 4;  // added to 0 or 1: an orb match must agree with the signs

struct AspectFileHeader {
  std::array<std::uint8_t, 82> reserved{};  // kept as read
  std::int16_t selectionMode = SelectByOrb;
  std::int16_t moietyCombination = 0;  // -1: the factors of the two points are added
  std::int16_t separationMeasure = 0;  // -1: great-circle separation; else longitude only
  std::int16_t moietyChoice = 0;       // when not adding: -1 first point's, else the larger
  std::int16_t count = 0;              // records that follow in the file

  // The selection mode modulo 4 with the sign of the value (0, 1, 2; 3 and negative
  // values are never written by the program).
  int BaseMode() const { return selectionMode % 4; }
  bool AlsoBySign() const { return (selectionMode & SelectAlsoBySign) != 0; }
  // The moiety block is read only when the low byte of the mode is exactly 1.
  bool HasMoietyBlock() const { return (selectionMode & 0xFF) == 1; }
};

// Orb element index = direction * 6 + class * 3 + column.
enum OrbDirection { OrbApplying = 0, OrbSeparating = 1 };
enum OrbClass { OrbLuminary = 0, OrbOther = 1 };
enum OrbColumn { OrbNatal = 0, OrbUnused = 1, OrbDynamic = 2 };

constexpr int OrbIndex(int direction, int pointClass, int column) {
  return direction * 6 + pointClass * 3 + column;
}

// The four natal orbs in the order the orb grid shows them: applying luminary,
// separating luminary, applying other, separating other.
inline constexpr std::array<int, 4> NatalOrbIndexes = {0, 6, 3, 9};

struct AspectRecord {
  std::int16_t aspectType = 0;  // AspectType 1..26
  std::string name;             // display name (UTF-8, trailing blanks removed)
  std::array<std::uint8_t, 4> reserved1{};
  std::uint8_t glyph = 0;       // glyph code (aspect_glyphs.h)
  double angle = 0;             // exact angle in degrees
  std::array<std::uint8_t, 6> reserved2{};
  bool inUse = false;           // stored as -1 / 0
  std::uint32_t color = 0;      // 0x00BBGGRR
  std::int16_t lineStyle = -1;  // < 0: solid of width |v|; >= 0: pen style v at width 1
  std::array<double, 12> orbs{};

  double Orb(int direction, int pointClass, int column) const {
    return orbs[static_cast<std::size_t>(OrbIndex(direction, pointClass, column))];
  }
  void SetOrb(int direction, int pointClass, int column, double value) {
    orbs[static_cast<std::size_t>(OrbIndex(direction, pointClass, column))] = value;
  }
  // True when at least one of the four natal orbs is above 0.
  bool HasNatalOrb() const;
};

// The aspect set: the file's header, records 1..50 (slot 0 unused), the moiety factors
// of the points 1..36 (slot 0 unused) and the moieties the preferences show.
struct AspectSet {
  bool loaded = false;
  AspectFileHeader header;
  std::array<AspectRecord, MaxAspectRecords + 1> records{};
  std::array<float, MoietyPointCount + 1> moietyFactors{};
  std::array<float, MoietyPointCount + 1> displayedMoieties{};

  // The number of records held (header count limited to 0..50).
  int Count() const;
  // Record n (1..Count()); nullptr outside.
  const AspectRecord* Record(int n) const;
  AspectRecord* Record(int n);
  // displayed[p] = record 1's applying luminary natal orb * factor[p].
  void RecomputeDisplayedMoieties();
};

// An aspect file that is missing or has no whole header: nothing was read. The message
// is "Unable to open aspect file: " and the path.
class EAspectFileError : public Error {
 public:
  using Error::Error;
};

// An aspect file whose records or moiety block are cut short. The set being read keeps
// the header and the records read whole (its count says how many); the program goes on
// with them without a message.
class EAspectFileCutShort : public EAspectFileError {
 public:
  using EAspectFileError::EAspectFileError;
};

// Reads an aspect file from bytes into `set` (which is reset first); `path` names the
// file in the messages. Throws EAspectFileError when the header is not whole (the set is
// then empty) and EAspectFileCutShort when the body is not.
void ParseAspectFile(std::string_view bytes, AspectSet& set, const std::string& path = {});

// Reads the aspect file at `path` (found whatever the case of its name) as ParseAspectFile.
void ReadAspectFile(const std::string& path, AspectSet& set);

// The bytes of an aspect file: header (with the count of records held), the records and
// the moiety block.
std::string SerializeAspectFile(const AspectSet& set);

// Reads an aspect file into `set`, reporting what ReadAspectFile throws: a file that is
// missing or has no whole header shows its message and leaves the set unloaded; a record
// or moiety block cut short returns false without a message, keeping what was read.
bool LoadAspectFile(const std::string& path, AspectSet& set, Messages& messages);

// Writes the set to `path`, replacing the file through a work file; false on failure
// (the old file is then left as it was).
bool SaveAspectFile(const std::string& path, const AspectSet& set);

// Writes the aspect file of the dynamic event search: the aspect file at `currentPath`
// with, for records 1..26, column 2's applying orbs of both classes set to `enterOrb`,
// its separating orbs to `leaveOrb`, and record i in use when character i of
// `selection` is "1" (any other or missing character: off). Everything else stays as
// read. Returns false, writing nothing, when the current file cannot be read whole or
// the target cannot be written.
bool WriteDynamicAspectFile(const std::string& currentPath, const std::string& targetPath,
                            std::string_view selection, double enterOrb, double leaveOrb);

}  // namespace korvana
