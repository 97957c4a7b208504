#include "cli/chart_printing.h"

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "cli/json_output.h"
#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"
#include "core/astro/houses.h"
#include "core/astro/zodiac.h"
#include "core/charts/chart_files.h"
#include "core/charts/chart_reference.h"
#include "core/util/files.h"
#include "core/points/point_catalogue.h"
#include "core/time/entry_parsing.h"

namespace korvana::cli {
namespace {

std::string Number(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string Zodiacal(double longitude) {
  return FormatZodiacal(2, SignTexts{}, true, true, false, longitude);
}

std::string Padded(std::string_view text, std::size_t width) {
  std::string s(text);
  std::size_t chars = 0;
  for (unsigned char ch : s) chars += (ch & 0xC0) != 0x80;  // characters, not bytes
  if (chars < width) s.append(width - chars, ' ');
  return s;
}

}  // namespace

void PrintChartText(std::ostream& out, const CalculatedChart& chart, bool swiss, const ProgramSettings& s) {
  const ChartRecord& c = chart.Chart;
  const ChartMoment& m = chart.Moment;
  out << "chart: " << c.Name << ", "
      << FormatDate(s.MonthFirst, c.Moment.Day, c.Moment.Month, c.Moment.Year) << " "
      << FormatTime(false, c.Moment.Hour, c.Moment.Minute, c.Moment.Second) << " "
      << FormatZoneHours(c.ZoneHours) << ", " << FormatLatLong(false, c.Latitude) << " "
      << FormatLatLong(true, c.Longitude) << "\n";
  if (c.TimeUnknown) out << "time unknown: cast for " << FormatTime(false, c.Moment.Hour, c.Moment.Minute, c.Moment.Second)
                         << "; the angles, the Part of Fortune and the houses are left out\n";
  if (!c.TimeUnknown && c.ClockFit != LocalTimeFit::Unique)
    out << (c.ClockFit == LocalTimeFit::InGap
                ? "clock change: the clocks went forward over this local time; read with the zone before the change\n"
                : "clock change: this local time happened twice; read as the first of the two\n");
  out << "back end: " << (swiss ? "Swiss Ephemeris" : "own") << "\n";
  out << "zodiac: " << ZodiacName(c.Zodiac) << " (offset " << Number(m.ZodiacOffset, 6) << ")"
      << ", node: " << (c.MeanNode ? "mean" : "true") << "\n";
  out << "JD UT " << Number(m.JDUT, 6) << "  JD ET " << Number(m.JDEphem, 6) << "  house latitude "
      << Number(m.HouseLatitude, 6) << "  obliquity " << Number(m.Obliquity, 6) << "  RAMC "
      << Number(m.RAMC, 6) << "\n\n";
  out << Padded("point", 16) << Padded("position", 14) << Padded("longitude", 12)
      << Padded("latitude", 11) << Padded("distance", 14) << Padded("lon/day", 11)
      << Padded("lat/day", 11) << Padded("dist/day", 12) << Padded("RA", 12) << "decl\n";
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    const PointPos& p = chart.Point(id);
    out << Padded(PointShortName(id), 16);
    if (!p.Computed()) {
      out << "not computed\n";
      continue;
    }
    const EquatorialPos& e = chart.Equatorial[id];
    out << Padded(Zodiacal(p.Longitude) + (p.Retrograde() ? " R" : ""), 14)
        << Padded(Number(p.Longitude, 6), 12) << Padded(Number(p.Latitude, 6), 11)
        << Padded(Number(p.Distance, 9), 14) << Padded(Number(p.LongitudeSpeed, 6), 11)
        << Padded(Number(p.LatitudeSpeed, 6), 11) << Padded(Number(p.DistanceSpeed, 8), 12)
        << Padded(Number(e.RightAscension, 6), 12) << Number(e.Declination, 6) << "\n";
  }
  if (c.TimeUnknown) return;
  const ChartHouses& h = chart.Houses;
  out << "\nhouses: " << HouseSystemName(h.HouseSystem) << " (" << int(h.HouseSystem) << ")"
      << "  MC is cusp 10: " << (h.MCIsCusp10 ? "yes" : "no")
      << "  Asc is cusp 1: " << (h.AscIsCusp1 ? "yes" : "no") << "\n";
  for (int i = 1; i <= 12; ++i)
    out << Padded("cusp " + std::to_string(i), 9) << Padded(Zodiacal(h.Cusps[i]), 14)
        << Number(h.Cusps[i], 6) << "\n";
}

JsonValue ChartJson(const CalculatedChart& chart, bool swiss) {
  const ChartRecord& c = chart.Chart;
  const ChartMoment& m = chart.Moment;
  JsonValue doc;
  doc["chart"] = {{"name", c.Name},
                  {"place", c.Place},
                  {"country", c.Country},
                  {"date", std::to_string(c.Moment.Year) + "-" + std::to_string(c.Moment.Month) + "-" +
                               std::to_string(c.Moment.Day)},
                  {"time", std::to_string(c.Moment.Hour) + ":" + std::to_string(c.Moment.Minute) + ":" +
                               std::to_string(c.Moment.Second)},
                  {"zoneHours", RoundedTo(c.ZoneHours, 6)},
                  {"latitude", RoundedTo(c.Latitude, 6)},
                  {"longitude", RoundedTo(c.Longitude, 6)},
                  {"zodiac", int(c.Zodiac)},
                  {"zodiacName", ZodiacName(c.Zodiac)},
                  {"meanNode", c.MeanNode},
                  {"timeUnknown", c.TimeUnknown},
                  {"clockChange", c.ClockFit == LocalTimeFit::InGap    ? "gap"
                                  : c.ClockFit == LocalTimeFit::InFold ? "fold"
                                                                       : ""}};
  doc["backend"] = swiss ? "swiss" : "own";
  doc["moment"] = {{"JDUT", RoundedTo(m.JDUT, 8)},
                   {"JDEphem", RoundedTo(m.JDEphem, 8)},
                   {"HouseLatitude", RoundedTo(m.HouseLatitude, 8)},
                   {"Obliquity", RoundedTo(m.Obliquity, 8)},
                   {"RAMC", RoundedTo(m.RAMC, 8)},
                   {"ZodiacOffset", RoundedTo(m.ZodiacOffset, 8)}};
  JsonValue points = JsonValue::array();
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    const PointPos& p = chart.Point(id);
    const EquatorialPos& e = chart.Equatorial[id];
    JsonValue point = {{"id", id}, {"name", PointShortName(id)}, {"computed", p.Computed()}};
    if (p.Computed()) {
      point["position"] = Zodiacal(p.Longitude);
      point["Longitude"] = RoundedTo(p.Longitude, 8);
      point["Latitude"] = RoundedTo(p.Latitude, 8);
      point["Distance"] = RoundedTo(p.Distance, 10);
      point["LongitudeSpeed"] = RoundedTo(p.LongitudeSpeed, 8);
      point["LatitudeSpeed"] = RoundedTo(p.LatitudeSpeed, 8);
      point["DistanceSpeed"] = RoundedTo(p.DistanceSpeed, 10);
      point["RightAscension"] = RoundedTo(e.RightAscension, 8);
      point["Declination"] = RoundedTo(e.Declination, 8);
    }
    points.push_back(std::move(point));
  }
  doc["points"] = std::move(points);
  // Without the birth time there are no houses to give.
  if (c.TimeUnknown) {
    doc["houses"] = nullptr;
    return doc;
  }
  const ChartHouses& h = chart.Houses;
  JsonValue cusps = JsonValue::array();
  for (int i = 1; i <= 12; ++i) cusps.push_back(RoundedTo(h.Cusps[i], 8));
  doc["houses"] = {{"HouseSystem", int(h.HouseSystem)},
                   {"name", HouseSystemName(h.HouseSystem)},
                   {"Cusps", std::move(cusps)},
                   {"MCIsCusp10", h.MCIsCusp10},
                   {"AscIsCusp1", h.AscIsCusp1}};
  return doc;
}

void PrintChartJson(std::ostream& out, const CalculatedChart& chart, bool swiss) { WriteJson(out, ChartJson(chart, swiss)); }

// Positions that are missing or come from a lesser source are said on stderr; the chart
// is printed all the same.
void SayWhatWasNotComputed(std::ostream& err, const CalculatedChart& chart, bool swiss,
                           const ProgramSettings& s) {
  if (swiss && SwissEphemerisInUse() && SwissSourceAt(chart.Moment.JDUT) == EphemerisSource::BuiltInTheory)
    err << "korvana: the Swiss Ephemeris files in " << s.SwissEphemPath
        << " do not cover this date; the library uses its built-in theory\n";
  std::vector<int> missing = UncomputedPoints(chart);
  if (missing.empty()) return;
  err << "korvana: not computed for this chart:";
  for (std::size_t i = 0; i < missing.size(); ++i) err << (i == 0 ? " " : ", ") << PointShortName(missing[i]);
  err << "\n";
}

bool SaveToChartFile(const std::string& given, const CalculatedChart& chart, const ProgramSettings& s,
                     Messages& messages) {
  const std::string path = ResolveChartFile(given, s);
  if (!FileExists(path) && !CreateChartFile(path, messages)) return false;
  return AppendChart(path, chart.Chart, chart.Houses.HouseSystem, s, messages).has_value();
}

}  // namespace korvana::cli
