#include "core/charts/file_bytes.h"

#include <exception>

#include "core/util/files.h"

namespace korvana {

std::optional<std::string> ReadRegularFile(const std::string& path) {
  // A folder opens as a stream on this platform and fails only while being read.
  if (FolderExists(path)) return std::nullopt;
  try {
    return ReadFileBytes(path);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace korvana
