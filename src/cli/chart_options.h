// Options shared by the commands that take one chart, either as a chart file reference
// (--chart FILE:N) or as its fields (--name --date --time --zone --lat --lon, with
// --place and --country optional). Given --place without --zone, --lat and --lon, the
// place is looked up (in the atlas, or with --places FILE.plc in the place files) and
// gives the coordinates and the zone in force at the chart's local date and time. The
// options are added to a command's options.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "cli/command.h"
#include "core/astro/cast_chart.h"
#include "core/charts/chart_record.h"
#include "core/config/program_settings.h"
#include "core/util/messages.h"

namespace korvana::cli {

// The chart options given, by name without the dashes ("chart", "date").
using OptionMap = std::map<std::string, std::string>;

// Which options name the chart.
enum class ChartSource {
  ReferenceOrFields,  // --chart FILE:N, or the fields with --date --time --zone --lat --lon
  Fields,             // the fields only, with --name --date --time --zone --lat --lon
};

// Whether the fields ask for a place lookup: --place without --zone, --lat and --lon.
bool LooksPlaceUp(const OptionMap& options);

// A place file named on the command line: as written when it exists or has a folder,
// else the file of that name (any letter case) in the places folder.
std::string ResolvePlaceFile(const std::string& given, const ProgramSettings& settings);

// The synopsis of the ReferenceOrFields options, for a command's usage line.
extern const char* const ChartSynopsis;

// Adds the chart options of `source` to `app`, each given one stored in `options` (which
// must outlive the parse), and a check after the parse that they name exactly one chart
// with every field it needs; a command line that does not is a usage error, which names
// a missing field ("cast needs --lon"). The check is the command's AfterParse check.
void AddChartOptions(CommandOptions& app, OptionMap& options, ChartSource source = ChartSource::ReferenceOrFields);

// The chart the fields describe, with the program's default calculation choices; the
// entry parsers report a bad field, and the place lookup a place it cannot settle (not
// found, several found, a missing or damaged atlas), through the messages and give
// nullopt. A local time the clocks skipped or repeated at a looked-up place is shown as
// a warning and the chart is made.
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

// Whether --chart names a run of charts for batch work ("FILE:all", "FILE:N-M").
bool NamesChartRun(const OptionMap& options);

// Runs `each` with the options as given or, when --chart names a run of charts, once for
// each chart of the run in order with --chart naming it alone; `between` runs between
// two charts. Returns 0 when every run returned 0, else 1. A run that cannot be read
// (not a chart file, a chart past its end) is reported on ctx.err and gives 1.
int ForEachChart(CommandContext& ctx, const OptionMap& options, const std::function<int(const OptionMap&)>& each,
                 const std::function<void()>& between = {});

// Reads and casts the chart the options name (with the settings of ctx.env). A failure
// is reported (on ctx.err or through the messages) and gives nullopt.
std::optional<CalculatedChart> CastChosenChart(CommandContext& ctx, const OptionMap& options);

}  // namespace korvana::cli
