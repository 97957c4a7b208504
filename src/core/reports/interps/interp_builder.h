// Building interpretation files from a readable text source.
//
// The source is a UTF-8 text file:
//
//   ; a comment line (anywhere)
//   Version=300                 optional, 1..300; a build option may override it
//   Directed=0                  optional, 1 = aspect pairs keep their order
//   Aspects=Conjunction, Trine  optional: the file's aspect list in order (names or
//                               numbers 1..26); default: the aspects the topics use,
//                               in the program's aspect order
//
//   [Degree 1]                  the paragraph of zodiac degree 1..360 (kind 3)
//   [Sign Sun, Aries]           a point in a sign (kind 16)
//   [House Moon, 4]             a point in a house (kind 15)
//   [Aspect Sun, Trine, Moon]   an aspect between two points (kind 18)
//   [Topic 4, 2]                any kind with raw numbers: kind, a[, s[, b]]
//
// Points are named as the program names them ("Sun", "North Node", ...) or numbered
// 1..50; signs by name or 1..12; aspects by name or 1..26. A paragraph is the lines after
// its heading up to the next heading: lines are joined with one blank, an empty line
// inside the paragraph becomes a line break ("\r\n"), and empty lines at either end are
// dropped. Paragraphs are stored in Windows-1252.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/error.h"

namespace korvana {

// A source or build error; the message names the source line where there is one.
class EInterpSourceError : public Error {
 public:
  using Error::Error;
};

struct InterpTopic {
  int kind = 0;
  std::int32_t a = 0, s = 0, b = 0;
  std::string text;  // UTF-8
  int line = 0;      // source line of the heading (0 when built in code)
};

struct InterpSource {
  std::optional<int> version;
  std::optional<bool> directed;
  std::vector<int> aspects;  // program aspect numbers in file order; empty = from the topics
  std::vector<InterpTopic> topics;
};

// Parses a source text; throws EInterpSourceError("line N: ...") on anything it cannot
// read.
InterpSource ParseInterpSource(std::string_view text);

// The bytes of an interpretation file of the given version (1..300) holding the topics.
// Throws EInterpSourceError for a topic the version cannot hold (a point beyond its
// capacity, an aspect outside the file's list), two topics with the same record, a
// paragraph longer than 32767 bytes or a file beyond 2 GB.
std::string BuildInterpFile(const InterpSource& source, int version, bool directed);

// Reads the source file, builds and writes the file (through a work file). The version
// and direction come from the options when given, else from the source, else 300 and
// undirected. Throws EInterpSourceError with the reason on failure.
void BuildInterpFileFromSource(const std::string& sourcePath, const std::string& outputPath,
                               std::optional<int> version, std::optional<bool> directed);

}  // namespace korvana
