// Reading a whole chart or memo file for the chart module.
#pragma once

#include <optional>
#include <string>

namespace korvana {

// The bytes of a regular file; nullopt for a folder, a missing file or one that cannot
// be read (never an exception).
std::optional<std::string> ReadRegularFile(const std::string& path);

}  // namespace korvana
