// Chart references of the command line: "FILE:N", chart N (from 1) of a chart file, and
// runs of charts for batch work: "FILE:N-M" (charts N to M) and "FILE:all".
//
// The file is taken as written when it exists; a bare file name that does not exist in
// the current folder is looked for in the chart folder ("ChartPath") and then in the
// user data folder ("UserPath"), its name compared without regard to case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/charts/chart_layouts.h"

namespace korvana {

struct ProgramSettings;

struct ChartReference {
  std::string file;
  int index = 0;
};

// Splits "FILE:N" at its last colon; nullopt when there is no colon, no file, or N is
// not a whole number of at least 1.
std::optional<ChartReference> ParseChartReference(std::string_view text);

// A run of charts of one file; `last` 0 means up to the file's last chart.
struct ChartRun {
  std::string file;
  int first = 1;
  int last = 0;
};

// Reads "FILE:N-M" (1 <= N <= M) or "FILE:all"; nullopt for anything else, a single
// chart's "FILE:N" included.
std::optional<ChartRun> ParseChartRun(std::string_view text);

// The reference ("PATH:N", the file resolved as below) of every chart of a run, in order.
// Throws EChartFileError when the file is not a chart file or the run reaches past its
// last chart.
std::vector<std::string> ChartRunReferences(const ChartRun& run, const ProgramSettings& settings);

// The path a chart file argument names (see above); the argument unchanged when no
// such file is found, so that the error names what the user typed.
std::string ResolveChartFile(std::string_view file, const ProgramSettings& settings);

// Reads the chart a reference names (ReadChart: the settings take its user sidereal
// offset). Throws EChartFileError with a message for the user.
StoredChart ReadChartReference(std::string_view text, ProgramSettings& settings);

}  // namespace korvana
