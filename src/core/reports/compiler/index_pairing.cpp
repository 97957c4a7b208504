#include "core/reports/compiler/index_pairing.h"

#include <algorithm>
#include <vector>

namespace korvana {

std::string MismatchedIndexMessage(const std::string& compiledFile, const std::string& indexFile) {
  return "The section index " + indexFile + " does not belong to the compiled report " + compiledFile +
         "." + "\r\n\r\n" + "Compile the report again to make them match.";
}

std::optional<std::string> SectionIndexMismatch(const CompiledReportReader& compiled,
                                                const CompiledReportReader& index) {
  std::vector<std::size_t> named;
  for (const PlacedRecord& entry : index.Records()) {
    const std::int32_t link = entry.record.link;
    const PlacedRecord* section = link >= 0 ? compiled.At(static_cast<std::size_t>(link)) : nullptr;
    if (!section || !section->record.IsSection())
      return "the section index names no section at byte " + std::to_string(link);
    if (section->record.params != entry.record.params || section->record.level != entry.record.level)
      return "the section at byte " + std::to_string(link) + " is not the one the section index names";
    named.push_back(section->position);
  }
  std::sort(named.begin(), named.end());
  if (std::adjacent_find(named.begin(), named.end()) != named.end())
    return "the section index names a section twice";
  const auto sections = std::count_if(compiled.Records().begin(), compiled.Records().end(),
                                      [](const PlacedRecord& r) { return r.record.IsSection(); });
  if (static_cast<std::size_t>(sections) != named.size())
    return "the compiled report has " + std::to_string(sections) + " sections, the section index " +
           std::to_string(named.size());
  return std::nullopt;
}

}  // namespace korvana
