// The event search of one dynamic report section, as the report drivers run it: the
// selection files, the chart file and the prediction settings file are written, the
// prediction runs in this process on those files, and the event file it writes is read
// back, grouped into entries and given its texts, so that every search can be inspected
// and replayed from its files ("korvana predict TempPath/KV_Dyn1.ini").
//
// Files of temp number k: TempPath "KV_Dyn<k>.cht", "KV_Dyn<k>.ini", "KV_Dyn<k>.bin";
// UserPath "transit.trp", "tr_radix.pts", "transit.asp".
#pragma once

#include <string>
#include <vector>

#include "core/charts/chart_record.h"
#include "core/config/program_settings.h"
#include "core/dynamic/dynamic_entries.h"
#include "core/dynamic/dynamic_period.h"
#include "core/reports/reportset/report_set.h"

namespace korvana {

// What every search of a report run shares.
struct DynamicSearchContext {
  const TKVReport& report;          // the dynamic sections' files, names, selections, orbs
  const TDynRepUserData& period;    // the dynamic settings
  const ProgramSettings& settings;  // TempPath, UserPath, SwissEphemPath, MonthFirst
  const ChartRecord& radix;         // the first chart
  int houseSystem = HousesPlacidus; // its house system
  DateTimeRec today{};              // today's local date (for a period from today)
};

// One search of section `section` (0-based).
struct DynamicSearchOptions {
  int section = 0;
  int tempNumber = 0;       // k: 0 background, 1 report
  std::string dynamicFile;  // the section's interpretation file
  int sortOrder = 2;
  bool signs = false;
  bool houses = false;
  bool withAspects = true;
  bool extendPeriod = false;
};

// The effective selection of a section's flag strings: character i of both `available`
// and `selected` is "1" (positions past the end of a string are off). Index 0 unused.
std::array<bool, 37> EffectivePoints(const std::string& available, const std::string& selected);
std::string EffectiveAspects(const std::string& available, const std::string& selected);

// The period's start for the settings (today's date as given, or the base date).
DateTimeRec SearchPeriodStart(const DynamicSearchContext& context);

// Runs the search and fills `entries` and `summary`. Returns the result code of the
// prediction (PredictResult) or, when its event file cannot be read back,
// EventFileUnreadable. Any failure, a failure to write the search's files included,
// gives the single "ERROR" entry with its code; the summary is built either way. The
// event file of an earlier search is removed before the prediction runs, so a failed
// search never reads it. For a radix whose birth time is unknown, the points that need it
// (the angles, the Vertex, the East Point, the Part of Fortune) are left out of the radix
// selection, and out of the moving selection of every technique but transits, and no
// house configurations are sought; the summary names the points searched.
int EventSearch(const DynamicSearchContext& context, const DynamicSearchOptions& options, std::string& summary,
                TDynamicTextEntries& entries);

// The two lists of one dynamic section and the report search's summary.
struct DynamicSectionLists {
  TDynamicTextEntries background;  // houses and signs, temp number 0, sort order 3
  TDynamicTextEntries report;      // aspects over the extended period, temp number 1, sort order 2
  std::string summary;             // the report search's summary text
};

// The searches a report run makes before its text is written: for every dynamic section
// of the report set (one per dynFiles entry), the background search (signs and houses,
// no aspects, no extension, temp number 0, its summary discarded) and the report search
// (aspects, no signs or houses, the period extended, temp number 1).
std::vector<DynamicSectionLists> SearchDynamicSections(const DynamicSearchContext& context);

// The entries a section prints, in Order and only those shown: from the background list
// those of categories 1 and 2, from the report list those of every other category.
std::vector<const TDynamicTextEntry*> PrintedEntries(const TDynamicTextEntries& list, bool background);

// The code of an event file that cannot be read after a successful prediction.
constexpr int EventFileUnreadable = 7;
// The code of selection, chart or settings files that cannot be written.
constexpr int SearchFilesUnwritable = 8;

}  // namespace korvana
