// The scratch folder of a fuzz entry's process. Entries write and replace files for every
// input, so it lives in memory (/dev/shm) where the system has that, and is removed when
// the process ends.
#pragma once

#include <filesystem>
#include <memory>

#include "support/temp_folder.h"

namespace korvana::testing {

inline const TempFolder& FuzzFolder() {
  static const std::unique_ptr<TempFolder> folder = [] {
    auto inMemory = std::make_unique<TempFolder>("/dev/shm");
    return inMemory->Path().empty() ? std::make_unique<TempFolder>() : std::move(inMemory);
  }();
  return *folder;
}

}  // namespace korvana::testing
