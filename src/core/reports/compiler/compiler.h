// The report text compiler: turns a report source text (statement lines, interpretation
// text, includes, comments) into the compiled report file and its section index.
//
// Source lines, after leading blanks (and a leading "\par") are removed, are:
//   (empty)       a blank line; blank lines between text lines become paragraph marks
//   # name        an include: the file `name` (relative to the folder of the top-level
//                 source) is read at this point, at most 30 files deep
//   * words       a statement at level 1;  ++ words  a statement at level 3 (n "+" = n + 1)
//   ;  \  {       comments and rich-text control lines, ignored
//   anything else text of the pending statement
// Each statement becomes one record (see core/reports/reportset/compiled_record.h) whose
// text is the text lines after it. Unmatched statements, too deep or cyclic includes and
// unreadable sources are errors: every line is still read and reported, but the compiled
// file is then left as it was. An include that cannot be opened is reported and skipped.
// The compiled file is replaced through a work file, so it is never left half written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/util/messages.h"

namespace korvana {

constexpr int MaxIncludeLevel = 30;
// Longer source lines are refused (an error) instead of being kept in memory.
constexpr std::size_t MaxSourceLineLength = 1 << 20;

// What a compilation takes from the current report set.
struct CompileInputs {
  std::vector<std::string> starNames;  // fixed star words (star file of the report set)
  std::vector<std::string> options;    // options list, "mnemonic=description"
  bool dryRun = false;                 // compile only: no file is written
};

// Where a record of the compiled report came from: the statement line as written, the
// name of its file (as the include names it; the top-level source as given) and its line
// number (1-based).
struct RecordSource {
  std::size_t position = 0;  // of the record in the compiled report
  std::string file;
  std::size_t line = 0;
  std::string statement;
  friend bool operator==(const RecordSource&, const RecordSource&) = default;
};

// One entry of the asteroid list built by "Asteroid <number>" statements at level 1.
struct AsteroidEntry {
  std::int32_t number = 0;
  std::string name;  // the first word of the last text line of the statement
  friend bool operator==(const AsteroidEntry&, const AsteroidEntry&) = default;
};

struct CompileResult {
  bool errors = false;          // the compilation had errors; no compiled file was written
  bool written = false;         // the compiled file was replaced
  bool indexWritten = false;    // its section index was rebuilt
  std::size_t records = 0;      // records produced (written or not)
  std::string compiledFile;     // the file written (its existing spelling when found)
  std::string indexFile;
  std::vector<AsteroidEntry> asteroids;
  std::vector<RecordSource> sources;  // one per record produced, in file order
  std::string compiled;               // the compiled report's bytes, of a dry run only
};

// Compiles sourceFile into compiledFile. The message list is cleared first and then gets
// every message of the run, in order ("Opening File Level: 1 name", "!!! Error: line",
// "*** Finished ***", ...). An unreadable source is also shown as an error box through
// `messages`, which also receives the section indexer's errors.
CompileResult CompileReportText(const std::string& sourceFile, const std::string& compiledFile,
                                std::vector<std::string>& messageList, Messages& messages,
                                const CompileInputs& inputs = {});

// A message list line drawn as an error (red): one that begins with "!".
bool IsErrorMessageLine(const std::string& line);

}  // namespace korvana
