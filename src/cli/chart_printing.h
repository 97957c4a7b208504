// How the commands that cast a chart print it: the chart's data, the back end and the
// moment, every point with its speeds and equatorial coordinates, and the house cusps,
// as text or as one JSON object.
#pragma once

#include <iosfwd>
#include <string>

#include "cli/json_output.h"
#include "core/astro/calculated_chart.h"
#include "core/config/program_settings.h"
#include "core/util/messages.h"

namespace korvana::cli {

// The text block; `swiss` names the back end that computed it.
void PrintChartText(std::ostream& out, const CalculatedChart& chart, bool swiss, const ProgramSettings& settings);

// The same as one JSON object, and that object.
JsonValue ChartJson(const CalculatedChart& chart, bool swiss);
void PrintChartJson(std::ostream& out, const CalculatedChart& chart, bool swiss);

// Positions that are missing or come from a lesser source, said on `err`.
void SayWhatWasNotComputed(std::ostream& err, const CalculatedChart& chart, bool swiss,
                           const ProgramSettings& settings);

// Appends a cast chart to the chart file `given` names (ResolveChartFile), making a new
// ".cht" or ".EMcht" file first when there is none. Failures are shown through the
// messages ("Chart could not be saved.") and give false.
bool SaveToChartFile(const std::string& given, const CalculatedChart& chart, const ProgramSettings& settings,
                     Messages& messages);

}  // namespace korvana::cli
