// Looking for parts of a report's text in the tests.
#pragma once

#include <string>

namespace korvana::testing {

inline bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// How often `part` occurs in `text`, overlapping occurrences included.
inline int CountOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

}  // namespace korvana::testing
