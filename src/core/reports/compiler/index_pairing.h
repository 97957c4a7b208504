// Whether a section index belongs to the compiled report beside it.
//
// The index refers to the compiled report only by the positions of its section records,
// so those positions are the pair's identity: an index belongs to a compiled report when
// every entry names a section record there with the same depth and parameters and every
// section record is named exactly once. Titles and states are the user's own and are not
// compared. A compile interrupted between its two renames, or an index copied from another
// report, fails the check; an index of an unchanged recompile passes, as it should.
#pragma once

#include <optional>
#include <string>

#include "core/reports/compiler/compiled_reader.h"

namespace korvana {

// The message shown when a section index does not belong to its compiled report.
std::string MismatchedIndexMessage(const std::string& compiledFile, const std::string& indexFile);

// Nothing when `index` belongs to `compiled`; otherwise what does not match, for example
// "the section index names no section at byte 1234". Damage in either reader counts as a
// mismatch only where it leaves an entry without its section.
std::optional<std::string> SectionIndexMismatch(const CompiledReportReader& compiled,
                                                const CompiledReportReader& index);

}  // namespace korvana
