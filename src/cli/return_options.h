// The options that say when and where a return is sought, shared by "return" and by
// "report" for return report sets: --near DATE [--time TIME] (default: now), --which
// current|nearest|next, --converse, and the return place: the natal place (default),
// --relocate "PLACE, COUNTRY" looked up in the atlas, or --lat --lon --zone.
//
// The return's local time is given in the zone in force at the return place on the
// return's date: the atlas place's zone, for the natal place the zone of the place the
// atlas finds for the natal place and country (the natal chart's own zone when it finds
// none), else the zone typed.
#pragma once

#include <optional>
#include <string>

#include "cli/command.h"
#include "core/config/program_settings.h"
#include "core/reports/job/report_job.h"
#include "core/util/messages.h"

namespace korvana::cli {

struct ReturnArguments {
  std::string near, time, which, relocate, lat, lon, zone;
  bool converse = false;
};

// The synopsis of the options, for a command's usage line.
extern const char* const ReturnSynopsis;

// Which of the options a command adds: all, or (for a command that also takes a chart's
// fields, which have the same names) all but --time, --lat, --lon and --zone, whose values
// the command hands over itself.
enum class ReturnPlaceOptions { Own, SharedWithChart };

// Adds the options to `app`.
void AddReturnOptions(CommandOptions& app, ReturnArguments& arguments,
                      ReturnPlaceOptions which = ReturnPlaceOptions::Own);

// The check a command runs after the parse (in its AfterParse): --time needs --near,
// --relocate stands alone, --lat --lon --zone come together. Throws UsageError.
void CheckReturnOptions(const CommandOptions& app, const ReturnArguments& arguments);

// The return search the options ask for the natal chart: the base chart (date, time,
// zone and place), which return, and the settings' return options ("Converse" also set
// by --converse). A bad date, time or coordinate, a place the atlas cannot settle or a
// missing atlas is reported through the messages and gives nullopt.
std::optional<ReturnSearchRequest> ReturnSearchFor(const ReturnArguments& arguments, const ChartRecord& natal,
                                                   const ProgramSettings& settings, Messages& messages);

}  // namespace korvana::cli
