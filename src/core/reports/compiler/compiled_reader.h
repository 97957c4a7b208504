// Safe reading of compiled report files (".bin") and section indexes (".ind").
//
// The reader walks the records once (header, text, next header) and keeps their start
// positions. Nothing in a damaged file is followed blindly: a header cut short, a text
// length that is negative or runs past the end of the file, or a link that does not point
// forward to the start of a record of the same file is reported as a problem, and the
// records before the damage stay readable.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/reports/reportset/compiled_record.h"
#include "core/util/error.h"

namespace korvana {

// A compiled report or section index that cannot be read at all.
class ECompiledFileError : public Error {
 public:
  using Error::Error;
};

class CompiledReportReader {
 public:
  // Reads the records of a compiled report (isSectionIndex false) or a section index
  // held in `data`.
  CompiledReportReader(std::string data, bool isSectionIndex);

  // Loads a file. Throws ECompiledFileError ("Unable to read compiled file: " and the
  // path) when it cannot be read; damage inside it is reported by Problems().
  static CompiledReportReader Load(const std::string& path, bool isSectionIndex);

  std::size_t Size() const { return data_.size(); }
  bool IsSectionIndex() const { return isSectionIndex_; }

  // Every record read before the first damage, in file order.
  const std::vector<PlacedRecord>& Records() const { return records_; }

  // Problems found, one message each; empty for a sound file.
  const std::vector<std::string>& Problems() const { return problems_; }
  bool Damaged() const { return !problems_.empty(); }

  // The record starting at `position`, or nullptr when no readable record starts there.
  const PlacedRecord* At(std::size_t position) const;

  // The record a compiled report record's link leads to (the next record of the same
  // level under the same parent); nullptr for link 0 or a link that is not sound.
  const PlacedRecord* Follow(const PlacedRecord& record) const;

 private:
  void Walk();
  std::string data_;
  bool isSectionIndex_;
  std::vector<PlacedRecord> records_;
  std::vector<std::string> problems_;
};

// One line for a record: position, code (or state), parameters, negation, level, link,
// text length and the text shortened to `maxText` characters, control characters shown
// as escapes.
std::string DescribeRecord(const PlacedRecord& placed, bool isSectionIndex, std::size_t maxText = 60);

}  // namespace korvana
