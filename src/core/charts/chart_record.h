// ChartRecord: the stored data of one chart (who or what, when, where, and the calculation
// choices), the names of chart kinds and the titles used in report and wheel headings.
//
// Texts are UTF-8 in memory. The stored layouts (chart_layouts.h) hold them as 8-bit
// Windows-1252 texts of fixed width and cut them to fit; the limits below are those of
// the record (Name 30, Place 20, Country 20, ZoneAbbrev 5 characters).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/time/date_time_rec.h"
#include "core/time/zone_in_force.h"

namespace korvana {

struct ProgramSettings;

constexpr std::size_t ChartNameLength = 30;
constexpr std::size_t ChartPlaceLength = 20;
constexpr std::size_t ChartCountryLength = 20;
constexpr std::size_t ChartZoneAbbrevLength = 5;

// EventKind values (the "Chart Type" list of the chart entry dialog).
enum ChartEventKind : std::uint8_t {
  EventUnspecified = 0, EventMale = 1, EventFemale = 2, EventEvent = 3, EventHorary = 4
};
constexpr int EventKindCount = 5;
// "Unspecified", "Male", "Female", "Event", "Horary/Decumbiture".
extern const std::array<std::string_view, EventKindCount> EventKindNames;
// The event kind as the text of the dialog's list; "Unspecified" for a value beyond it.
std::string_view EventKindName(int eventKind);

constexpr int ChartTypeCount = 16;     // ChartType 0..15
constexpr int ChartSubTypeCount = 48;  // ChartSubType 0..47
extern const std::array<std::string_view, ChartTypeCount> ChartTypeNames;
extern const std::array<std::string_view, ChartSubTypeCount> ChartSubTypeNames;

// Chart types and sub-types that the kind names and titles treat specially.
enum ChartTypeValue : int {
  ChartTypeUnknown = 0, ChartTypeNatal = 1, ChartTypeSecondaryProgressed = 2,
  ChartTypeDirected = 3, ChartTypeReturn = 4, ChartTypeCombined = 5, ChartTypeHarmonic = 6,
  ChartTypeAntiscia = 7
};

struct ChartRecord {
  std::string Name;
  std::uint8_t EventKind = EventUnspecified;
  DateTimeRec Moment;  // local date and clock time; Calendar calAuto unless entered otherwise
  std::string Place;
  std::string Country;
  float ZoneHours = 0.0f;  // hours to add to local time to get Universal Time, west positive
  std::string ZoneAbbrev;
  double Latitude = 0.0;   // degrees, north positive
  double Longitude = 0.0;  // degrees, west positive
  std::int32_t CalcVersion = 1;  // 1 geocentric; anything else is shown as heliocentric
  std::uint8_t Zodiac = 0;       // 0..9, 0 tropical
  bool MeanNode = false;
  std::uint8_t VulcanOption = 0;
  bool PFDayOnly = false;
  bool ParallaxMoon = false;
  bool GeocentricLat = false;
  std::int32_t ChartType = ChartTypeNatal;
  std::int32_t ChartSubType = 1;
  std::int32_t ChartTypeParam = 0;
  // The birth time is not known: Moment holds the time the chart is cast for (noon unless
  // another was given), and the angles, houses and whatever depends on them are not facts.
  bool TimeUnknown = false;
  // The local time fell where the clocks of the zone looked up for it skipped an hour
  // (InGap: read with the offset before the change) or repeated one (InFold: read as the
  // first); Unique for a time that happened once and for a zone typed by hand.
  LocalTimeFit ClockFit = LocalTimeFit::Unique;

  friend bool operator==(const ChartRecord&, const ChartRecord&) = default;
};

// A new chart: the calculation choices from the settings ("Zodiac", "Node", "Vulcan",
// "PFDayOnly", "ParallaxMoon", "GeocentricLat"), CalcVersion 1, a natal chart (type 1,
// sub-type 1, parameter 0). Everything else is empty or zero.
ChartRecord NewChartRecord(const ProgramSettings& settings);

// Sets the choices that chart files do not store (node, Vulcan option, Part of Fortune
// rule, topocentric Moon, geocentric latitude) from the settings, and CalcVersion 1.
void ApplyUnstoredChoices(ChartRecord& chart, const ProgramSettings& settings);

// The house system a new chart takes: the "Houses" setting when it is 1..31, else 5.
int DefaultHouseSystem(const ProgramSettings& settings);

// Short label of a chart's kind for chart lists. A type outside 1..15 or a sub-type
// outside 1..47 counts as 0 ("Unknown").
std::string ChartKindName(int chartType, int chartSubType);

// The words for a male and a female natal chart in the report language. The phrase
// tables of the report layer supply them; charts sit below the report layer and so take
// them as a value. The defaults are the English words.
struct GenderWordPair {
  std::string_view male = "Male";
  std::string_view female = "Female";
};

// The longer description of a chart's kind used in report and wheel headings, such as
// "Natal Chart", "Solar Return", "Mars Return", "Sun/Moon Phase Return" or "Female".
// gender is the chart's EventKind (1 male, 2 female). A type or sub-type out of range
// counts as 0; a return or arc parameter that names no chart point gives the plain
// "type sub-type" form.
std::string ChartTitle(int chartType, int chartSubType, int param, int gender,
                       const GenderWordPair& genderWords = {});

}  // namespace korvana
