// The compiled report record, shared by the compiled report file (".bin") and the section
// index (".ind"): a 47-byte little-endian header followed by the record's text.
//
//   offset size field
//   0      1    code: statement number (3 = section); in a section index the state
//   1      32   parameters 1..8 (int32 each)
//   33     1    negation flag
//   34     4    level: 0 section, 1 for "*", n + 1 for n "+"
//   38     1    1 when the record has no text
//   39     4    text length in bytes
//   43     4    link: next record of the same level under the same parent (0 none); in a
//               section index, the section record's position in the compiled file
//   47     n    text (Windows-1252 on disk, UTF-8 in memory)
//
// Readers never trust a stored length or link: a length that runs past the end of the
// file or a link outside it raises ERecordError.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/reports/reportset/statement_codes.h"
#include "core/util/records.h"

namespace korvana {

constexpr std::size_t CompiledHeaderSize = 47;
constexpr std::uint8_t SectionCode = CodeByte(StatementCode::Section);

// States of a section in the section index.
enum SectionState : std::uint8_t { SectionOff = 1, SectionInheritedOff = 2, SectionOn = 3 };

struct CompiledRecord {
  std::uint8_t code = 0;
  std::array<std::int32_t, 8> params{};
  bool negated = false;
  std::int32_t level = 0;
  bool noText = true;
  std::int32_t link = 0;
  std::string text;  // UTF-8

  bool IsSection() const { return code == SectionCode; }
  // The code byte read as a statement code (meaningless for a section index entry, whose
  // code byte holds the section's state).
  StatementCode Statement() const { return static_cast<StatementCode>(code); }

  friend bool operator==(const CompiledRecord&, const CompiledRecord&) = default;
};

// A record with the byte position of its header in its file.
struct PlacedRecord {
  std::size_t position = 0;
  CompiledRecord record;
};

// Header and text as stored; the text length is that of the stored (8-bit) text.
std::string EncodeCompiledRecord(const CompiledRecord& record);

// Reads one record at the reader's position. Throws ERecordError on a truncated header,
// a negative text length or a text that runs past the end of the data.
CompiledRecord ReadCompiledRecord(ByteReader& reader);

// Every record of a compiled report or section index, in file order. Throws ERecordError
// when the data is damaged (including links that point outside the data or backwards).
std::vector<PlacedRecord> ReadCompiledRecords(std::string_view data, bool isSectionIndex);

}  // namespace korvana
