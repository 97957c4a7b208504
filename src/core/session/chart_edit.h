// "Edit" of the main window without the window: whether a pair's chart may be edited,
// which slot the user is asked for, the "Chart Data Entry" fields of a chart, and how
// the edited chart goes back into the pair.
#pragma once

#include <string>

#include "core/config/program_settings.h"
#include "core/session/chart_pair.h"
#include "core/session/new_chart_form.h"

namespace korvana {

// Shown instead of editing for a set with returns: the return is cast from the natal chart
// through the return options.
extern const char* const EditReturnMessage;

// Whether "Select Chart to Edit..." asks for the slot: a synastry or composite set whose
// two slots hold different charts. Otherwise slot 0 is edited.
bool EditAsksForSlot(const ChartPair& pair, PairKind kind);

// The fields of "Chart Data Entry" for a chart: name, the date after "MonthFirst", the
// time after "AMPM" (seconds only when not zero), place, country, zone abbreviation and
// hours, latitude, longitude and chart type. These fields parse back (NewChartForm::Accept)
// to the same chart data.
NewChartFields ChartEntryFields(const ChartRecord& chart, const ProgramSettings& settings);

// The chart as edited: the original with the typed data of the dialog (name, event kind,
// date and time, place, country, zone, coordinates); its calculation choices, house
// system, chart type and memo stay the original's.
StoredChart EditedChart(const StoredChart& original, const ChartRecord& typed);

// Puts an edited chart back into `slot` (0 or 1), unsaved. A pair that held one chart in
// both slots keeps counting as one chart: both slots take it.
void PutEditedChart(ChartPair& pair, PairKind kind, int slot, const StoredChart& edited);

}  // namespace korvana
