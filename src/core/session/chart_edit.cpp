#include "core/session/chart_edit.h"

#include "core/time/entry_parsing.h"
#include "core/util/text.h"

namespace korvana {

const char* const EditReturnMessage =
    "To cast another return for the same natal chart, click the Options menu, then Return Options.\r\n"
    "To cast a return for a different natal chart, create a new natal chart or open an existing one.";

bool EditAsksForSlot(const ChartPair& pair, PairKind kind) {
  return (kind == PairKind::Synastry || kind == PairKind::Composite) && !pair.slot[1].Empty() && !pair.SameChart();
}

NewChartFields ChartEntryFields(const ChartRecord& chart, const ProgramSettings& settings) {
  NewChartFields f;
  const DateTimeRec& m = chart.Moment;
  f.name = std::string(Trim(chart.Name));
  f.date = FormatDate(settings.MonthFirst, m.Day, m.Month, m.Year);
  f.time = FormatTime(settings.AMPM, m.Hour, m.Minute, m.Second);
  if (chart.TimeUnknown) f.time = std::string(UnknownTimeWord) + " " + f.time;
  f.place = std::string(Trim(chart.Place));
  f.country = std::string(Trim(chart.Country));
  f.zone = std::string(Trim(std::string(Trim(chart.ZoneAbbrev)) + " " + FormatZoneHours(chart.ZoneHours)));
  f.latitude = FormatLatLong(false, chart.Latitude);
  f.longitude = FormatLatLong(true, chart.Longitude);
  f.clockFit = chart.ClockFit;
  f.clockFitZone = f.zone;
  f.eventKind = chart.EventKind < EventKindCount ? static_cast<int>(chart.EventKind) : static_cast<int>(EventUnspecified);
  return f;
}

StoredChart EditedChart(const StoredChart& original, const ChartRecord& typed) {
  StoredChart edited = original;
  ChartRecord& c = edited.chart;
  c.Name = typed.Name;
  c.EventKind = typed.EventKind;
  c.Moment = typed.Moment;
  c.TimeUnknown = typed.TimeUnknown;
  c.ClockFit = typed.ClockFit;
  c.Place = typed.Place;
  c.Country = typed.Country;
  c.ZoneHours = typed.ZoneHours;
  c.ZoneAbbrev = typed.ZoneAbbrev;
  c.Latitude = typed.Latitude;
  c.Longitude = typed.Longitude;
  return edited;
}

void PutEditedChart(ChartPair& pair, PairKind kind, int slot, const StoredChart& edited) {
  const bool oneChart = pair.slot[1].Empty() || pair.SameChart();
  pair.slot[static_cast<std::size_t>(slot)] = {edited, false};
  if (oneChart) pair.slot[static_cast<std::size_t>(1 - slot)] = {edited, false};
  if (kind == PairKind::Composite) pair.compositeReady = pair.compositeReady && !pair.SameChart();
}

}  // namespace korvana
