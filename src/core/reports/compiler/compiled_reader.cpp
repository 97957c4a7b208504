#include "core/reports/compiler/compiled_reader.h"

#include <algorithm>

#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/records.h"

namespace korvana {

CompiledReportReader::CompiledReportReader(std::string data, bool isSectionIndex)
    : data_(std::move(data)), isSectionIndex_(isSectionIndex) {
  Walk();
}

CompiledReportReader CompiledReportReader::Load(const std::string& path, bool isSectionIndex) {
  std::optional<std::string> data = ReadFileBytes(path);
  if (!data) throw ECompiledFileError("Unable to read compiled file: " + path);
  return CompiledReportReader(std::move(*data), isSectionIndex);
}

void CompiledReportReader::Walk() {
  ByteReader reader(data_);
  while (!reader.AtEnd()) {
    std::size_t position = reader.Position();
    try {
      records_.push_back({position, ReadCompiledRecord(reader)});
    } catch (const ERecordError& e) {
      problems_.push_back(e.what());
      break;
    }
  }
  // Links are checked once every record start is known.
  for (const PlacedRecord& placed : records_) {
    std::int32_t link = placed.record.link;
    std::string where = " in the record at byte " + std::to_string(placed.position);
    if (isSectionIndex_) {
      if (link < 0) problems_.push_back("bad link " + std::to_string(link) + where);
      continue;
    }
    if (link == 0) continue;
    const PlacedRecord* target = link > 0 ? At(static_cast<std::size_t>(link)) : nullptr;
    if (!target || target->position <= placed.position)
      problems_.push_back("bad link " + std::to_string(link) + where);
    else if (target->record.level != placed.record.level)
      problems_.push_back("link " + std::to_string(link) + where + " leads to a record of another level");
  }
}

const PlacedRecord* CompiledReportReader::At(std::size_t position) const {
  auto it = std::lower_bound(records_.begin(), records_.end(), position,
                             [](const PlacedRecord& r, std::size_t p) { return r.position < p; });
  return it != records_.end() && it->position == position ? &*it : nullptr;
}

const PlacedRecord* CompiledReportReader::Follow(const PlacedRecord& record) const {
  if (isSectionIndex_ || record.record.link <= 0) return nullptr;
  const PlacedRecord* target = At(static_cast<std::size_t>(record.record.link));
  if (!target || target->position <= record.position) return nullptr;
  return target;
}

std::string DescribeRecord(const PlacedRecord& placed, bool isSectionIndex, std::size_t maxText) {
  const CompiledRecord& r = placed.record;
  std::string line = std::to_string(placed.position) + (isSectionIndex ? " state " : " code ") +
                     std::to_string(r.code) + " params ";
  for (std::size_t i = 0; i < r.params.size(); ++i) line += (i ? "," : "") + std::to_string(r.params[i]);
  std::string stored = Utf8ToCp1252(r.text);
  line += " neg " + std::to_string(r.negated ? 1 : 0) + " level " + std::to_string(r.level) + " link " +
          std::to_string(r.link) + " length " + std::to_string(stored.size()) + " \"";
  std::size_t pos = 0;
  std::size_t shown = 0;
  while (pos < r.text.size() && shown < maxText) {
    std::size_t start = pos;
    char32_t cp = NextCodePoint(r.text, pos);
    ++shown;
    switch (cp) {
      case '\r': line += "\\r"; break;
      case '\n': line += "\\n"; break;
      case '\t': line += "\\t"; break;
      case '"': line += "\\\""; break;
      default:
        if (cp < 0x20) line += "\\x" + std::string(1, "0123456789abcdef"[cp >> 4]) + "0123456789abcdef"[cp & 15];
        else line.append(r.text, start, pos - start);
    }
  }
  line += "\"";
  if (pos < r.text.size()) line += "...";
  return line;
}

}  // namespace korvana
