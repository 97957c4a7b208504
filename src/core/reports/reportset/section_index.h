// The section index (".ind") of a compiled report: one copy of each section record of the
// compiled file, in the user's order, whose code byte holds the section state and whose
// link holds the section record's position in the compiled file.
#pragma once

#include <string>
#include <string_view>

#include "core/util/messages.h"

namespace korvana {

// The section index file that belongs to a compiled report file (extension ".ind").
std::string SectionIndexFileFor(const std::string& compiledFile);

// The bytes of the section index of a compiled report's bytes, every section on. Throws
// ERecordError when the compiled records cannot be read.
std::string SectionIndexBytes(std::string_view compiledData);

// Writes the section index from the compiled report file, every section on. Does nothing
// (and succeeds) when the compiled file does not exist. On any error shows
// "Problem occured whilst indexing compiled text file: " + CR LF CR LF + the compiled file
// name, leaves any old index as it was, and returns false.
bool BuildSectionIndex(const std::string& compiledFile, const std::string& indexFile, Messages& messages);

}  // namespace korvana
