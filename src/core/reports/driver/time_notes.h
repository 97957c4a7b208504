// The notes a natal report opens with when its birth time cannot be taken at its word: a
// time that is not known, and a local time that fell where the clocks changed. Each is one
// paragraph in the report language, written once after the front page.
#pragma once

#include <string>

#include "core/astro/calculated_chart.h"
#include "core/config/program_settings.h"
#include "core/reports/composer/composer.h"

namespace korvana {

// The note for a chart without its birth time: what the report leaves out and why, the
// time it was cast for, and the Moon's change of sign when the Moon changes sign that day
// (`ingress` of the chart), in the report language (0..3; any other number gives English).
std::string TimeUnknownNote(const CalculatedChart& chart, const UntimedIngressTable& ingress, bool twelveHourClock,
                            int language = 0);

// The chart as the other reading of a clock-change time gives it: an hour earlier in
// Universal Time for a time the clocks skipped (the clock had already been put forward), an
// hour later for a time they repeated (the second of the two). The same chart when its
// time fell in no clock change.
CalculatedChart OtherClockReading(const CalculatedChart& chart, const ProgramSettings& settings);

// The note for a chart whose local time fell in a clock change (ChartRecord::ClockFit): which
// reading the report takes, and what the other reading (`other`, from OtherClockReading)
// would change among the Ascendant's, the Midheaven's and the Moon's signs and the planets'
// houses. Report markup: the chart's place and zone stand in it as plain text (RtfLiteral).
// "" for a chart whose time happened once or is not known.
std::string ClockChangeNote(const CalculatedChart& chart, const CalculatedChart& other, bool twelveHourClock,
                            int language = 0);

}  // namespace korvana
