// Feeds one file image to the interpretation reader: opens it and asks for a spread of
// topics, including out-of-range and extreme numbers. Shared by the mutation test and
// the libFuzzer target; any crash or sanitizer report is the failure.
#pragma once

#include <climits>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "core/reports/interps/interps.h"

namespace korvana::testing {

// Returns the number of requests that produced a paragraph.
inline int ExerciseInterpFile(std::string_view bytes, const std::string& path) {
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  TEMInterps interps;
  try {
    interps.Open(path);
  } catch (const EInterpFileError&) {
    return 0;
  }
  static const std::int32_t numbers[] = {INT32_MIN, 0, 1, 3, 13, 27, 37, 51, 360, INT32_MAX};
  int found = 0;
  std::string text;
  for (int kind = -1; kind <= InterpKindCount; ++kind)
    for (std::int32_t a : numbers)
      for (std::int32_t s : {0, 1, 12, 27, -3, INT32_MAX})
        for (std::int32_t b : {1, 3, 51, -1}) {
          if (interps.GetText(kind, a, s, b, text)) ++found;
          if (kind != AspectText) break;  // b matters for aspects only
        }
  return found;
}

}  // namespace korvana::testing
