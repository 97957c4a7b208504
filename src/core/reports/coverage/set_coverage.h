// Report coverage: which paragraphs of a report set a collection of charts reaches. The
// set's report is walked for each chart (or pair of charts, for a synastry or composite
// set) exactly as a report run walks it, through the report job and the report driver,
// but into a writer that keeps no document: it notes the sections entered and the
// statements that wrote their paragraph. Nothing is written to disk.
//
// A paragraph is a statement of the compiled report with text of its own, except those
// whose text is a file or a name (Graphic, Starset, Asteroid, InterpFile). A section
// comes out empty in a run when the walk entered it and neither it nor any section nested
// under it wrote a paragraph or a dynamic entry; the front page section never counts as
// empty. The statement line, file and line number of each paragraph come from compiling
// the set's source again without writing anything; when the source is missing or no
// longer compiles to the same bytes as the compiled report they stay unknown, and the
// statement is described by its pattern. (Comment lines added after the compile shift the
// line numbers without changing the bytes.)
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/reports/job/report_job.h"
#include "core/reports/reportset/report_set.h"

namespace korvana {

struct CoverageSection {
  std::size_t position = 0;  // of its record in the compiled report
  std::string title;
  int depth = 0;
  bool switchedOn = true;    // by the section index
  int walked = 0;            // runs that entered it
  int empty = 0;             // runs in which it came out empty
};

struct CoverageParagraph {
  std::size_t position = 0;  // of its record in the compiled report
  std::size_t section = 0;   // index into SetCoverage::sections
  std::string statement;     // the statement line as written, else its pattern
  std::string file;          // the source file, empty when unknown
  std::size_t line = 0;      // its line in that file, 0 when unknown
  int reached = 0;           // runs that wrote it
};

// One run of the walk: one chart, or two for a two-chart set, and the answers a run asks.
struct CoverageRun {
  std::vector<StoredChart> charts;
  std::string quesited = "1";  // the quesited house, for sets that ask for it
  std::string option;          // a report option's mnemonic; empty for none
  // A return set's return is sought, and a dynamic set's period starts (on 1 January),
  // this many years after the birth.
  int yearsAfterBirth = 30;
};

struct SetCoverage {
  std::string caption;
  std::string setFile;
  std::vector<CoverageSection> sections;
  std::vector<CoverageParagraph> paragraphs;  // in compiled order
  bool sourceLines = false;   // statement lines and line numbers are known
  int runs = 0;               // runs walked to the end
  int refused = 0;            // runs the report job refused or cut short
  std::map<std::string, int> messages;  // what the runs showed or why they were refused, and how often

  // The paragraphs no run reached, and the sections (depth >= 1) that came out empty in
  // every run that entered them, or were never entered.
  std::vector<const CoverageParagraph*> Unreached() const;
  std::vector<const CoverageSection*> AlwaysEmpty() const;
};

// The runs for `count` random charts from `seed` (random pairs for a two-chart set): a
// horary set's charts are horary and ask for a random quesited house; a set with options
// runs every (n+1)th chart without an option and the others with option 1..n in turn; a
// return set seeks each return, and a dynamic set starts each period, 1..80 years after
// birth.
std::vector<CoverageRun> RandomCoverageRuns(const TKVReport& set, int count, std::uint64_t seed,
                                            const ProgramSettings& settings);

// The runs for the charts given: each chart alone; for a two-chart set each chart with
// `partner` when given, else with the next chart of the list (the last with the first).
// The quesited house, the options and the years after birth go round in turn.
std::vector<CoverageRun> ChartCoverageRuns(const TKVReport& set, const std::vector<StoredChart>& charts,
                                           const std::optional<StoredChart>& partner);

// The paragraphs and sections of the set's compiled report and section index, counts
// zero. Throws ECompiledFileError when either cannot be read.
SetCoverage CoverageOutline(const TKVReport& set, const ProgramSettings& settings);

// Walks the set's report for every run with `settings` and counts what each reached. What
// the runs would show the user is collected in the result, not shown. Throws
// ECompiledFileError as CoverageOutline.
SetCoverage MeasureCoverage(const TKVReport& set, const std::vector<CoverageRun>& runs, ProgramSettings& settings);

}  // namespace korvana
