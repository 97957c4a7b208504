// Options shared by the commands that take one chart, either as a chart file reference
// (--chart FILE:N) or as its fields (--name --date --time --zone --lat --lon, with
// --place and --country optional).
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/command.h"
#include "core/astro/cast_chart.h"
#include "core/charts/chart_record.h"
#include "core/config/program_settings.h"
#include "core/util/messages.h"

namespace korvana::cli {

using OptionMap = std::map<std::string, std::string>;

// The option names of the chart fields and of --chart.
extern const std::set<std::string> ChartOptionNames;

// Reads "--name value", "--name=value" and flags (stored as "1"). False for an unknown
// option, a repeated one or a missing value.
bool ReadOptions(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
                 const std::set<std::string>& flagOptions, OptionMap& out);

// Checks that the options name exactly one chart: --chart, or the fields with every
// required one. Returns 0 when they do, else the usage error's exit code (after saying
// which field is missing).
int CheckChartChoice(CommandContext& ctx, const OptionMap& options, const std::string& command,
                     const std::string& usage);

// The chart the fields describe, with the program's default calculation choices; the
// entry parsers report a bad field through the messages and give nullopt.
std::optional<ChartRecord> ChartFromFields(const OptionMap& options, ProgramSettings& settings,
                                           Messages& messages);

// The chart the options name, with the house system its chart file keeps (0 for fields).
struct ChosenChart {
  ChartRecord record;
  int houseSystem = 0;
};

// Reads the chart of --chart FILE:N (which also gives the settings its user sidereal
// offset; throws EChartFileError with a message for the user) or of the fields (a bad
// field is reported through the messages and gives nullopt).
std::optional<ChosenChart> ReadChosenChart(const OptionMap& options, ProgramSettings& settings,
                                           Messages& messages);

// Casting options from the settings, with the house system the chart's file keeps when
// it keeps a valid one.
CastOptions CastOptionsFor(const ChosenChart& chart, const ProgramSettings& settings);

// Reads and casts the chart the options name (with the settings of ctx.env). A failure
// is reported (on ctx.err or through the messages) and gives nullopt.
std::optional<CalculatedChart> CastChosenChart(CommandContext& ctx, const OptionMap& options);

}  // namespace korvana::cli
