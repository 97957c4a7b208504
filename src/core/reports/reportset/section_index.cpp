#include "core/reports/reportset/section_index.h"

#include "core/reports/reportset/compiled_record.h"
#include "core/util/files.h"

namespace korvana {

std::string SectionIndexFileFor(const std::string& compiledFile) {
  return ChangeExtension(compiledFile, ".ind");
}

std::string SectionIndexBytes(std::string_view compiledData) {
  std::string index;
  for (auto& placed : ReadCompiledRecords(compiledData, false)) {
    if (!placed.record.IsSection()) continue;
    CompiledRecord entry = placed.record;
    entry.code = SectionOn;
    entry.link = static_cast<std::int32_t>(placed.position);
    index += EncodeCompiledRecord(entry);
  }
  return index;
}

bool BuildSectionIndex(const std::string& compiledFile, const std::string& indexFile, Messages& messages) {
  if (!FileExists(compiledFile)) return true;
  try {
    auto data = ReadFileBytes(compiledFile);
    if (!data) throw ERecordError("cannot read");
    if (!WriteFileAtomic(indexFile, SectionIndexBytes(*data))) throw ERecordError("cannot write");
    return true;
  } catch (const ERecordError&) {
    messages.Error("Problem occured whilst indexing compiled text file: \r\n\r\n" + compiledFile);
    return false;
  }
}

}  // namespace korvana
