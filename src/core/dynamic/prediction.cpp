#include "core/dynamic/prediction.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/analysis/aspect_file.h"
#include "core/analysis/aspect_type.h"
#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"
#include "core/charts/chart_files.h"
#include "core/config/program_settings.h"
#include "core/dynamic/dynamic_period.h"
#include "core/dynamic/event_file.h"
#include "core/reports/language/language.h"
#include "core/util/files.h"
#include "core/util/ini_file.h"
#include "core/util/records.h"

namespace korvana {
namespace {

constexpr const char* RadixSection = "Radix Chart";
constexpr const char* LocationSection = "Location";
constexpr const char* PeriodSection = "Period";
constexpr const char* PrimarySection = "Event Selection Primary";
constexpr const char* ToSection = "Event Selection To";
constexpr const char* ExtraSection = "Extra Events";
constexpr const char* PointSection = "Point Selection";
constexpr const char* AspectSection = "Aspect Selection";
constexpr const char* CalculationSection = "Calculations";
constexpr const char* OutputSection = "Output";

double ReadDecimal(const IniFile& ini, const char* section, const char* key) {
  std::string text = ini.ReadString(section, key, "0");
  for (char& c : text)
    if (c == ',') c = '.';
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  return end != text.c_str() && std::isfinite(v) ? v : 0.0;
}

std::uint8_t Byte(const IniFile& ini, const char* key, int fallback) {
  const int v = ini.ReadInteger(PeriodSection, key, fallback);
  return static_cast<std::uint8_t>(v >= 0 && v <= 255 ? v : fallback);
}

std::vector<int> ReadSelection(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) throw EPredictionError(PredictSelectionUnreadable, "The point selection file " + path + " cannot be read.");
  return ParsePointSelectionFile(*bytes, path);
}

std::vector<DynamicAspect> ReadAspects(const std::string& path) {
  AspectSet set;
  try {
    ReadAspectFile(path, set);
  } catch (const EAspectFileError& e) {
    throw EPredictionError(PredictAspectsUnreadable, e.what());
  }
  std::vector<DynamicAspect> aspects;
  for (int n = 1; n <= set.Count(); ++n) {
    const AspectRecord& r = *set.Record(n);
    // Parallels are aspects of declination, which the longitude search does not follow.
    const bool longitudeAspect = IsAspectType(r.aspectType) && r.aspectType < static_cast<int>(AspectType::Parallel);
    if (!r.inUse || !longitudeAspect) continue;
    double angle = std::fmod(std::abs(r.angle), 360.0);
    if (angle > 180) angle = 360 - angle;
    aspects.push_back({r.aspectType, angle, r.Orb(OrbApplying, OrbOther, OrbDynamic),
                       r.Orb(OrbSeparating, OrbOther, OrbDynamic)});
  }
  return aspects;
}

CalculatedChart ReadRadix(const PredictionSettings& s) {
  try {
    ProgramSettings program;
    const StoredChart stored = ReadChart(s.chartFile, ChartFileInfo(s.chartFile).format, s.chartIndex, program);
    CastOptions options = CastOptionsFrom(program);
    options.HouseSystem = stored.houseSystem >= 1 && stored.houseSystem <= HouseSystemCount ? stored.houseSystem
                                                                                             : HousesPlacidus;
    return CastChart(stored.chart, options);
  } catch (const std::exception& e) {
    throw EPredictionError(PredictChartUnreadable,
                           "Chart " + std::to_string(s.chartIndex) + " of " + s.chartFile + " cannot be read: " + e.what());
  }
}

// The period of the settings in UT.
std::pair<double, double> PeriodOf(const PredictionSettings& s) {
  TDynRepUserData period;
  period.Duration = s.duration;
  period.DurationUnit = static_cast<std::uint8_t>(s.durationUnits);
  period.RepZoneHrs = static_cast<float>(s.zoneHours);
  try {
    const PeriodBounds b = PeriodBoundsOf(period, s.start);
    return {b.startUT, b.endUT};
  } catch (const std::exception& e) {
    throw EPredictionError(PredictRefused, std::string("The period cannot be followed: ") + e.what());
  }
}

}  // namespace

std::string SerializePointSelectionFile(const std::array<bool, 37>& selected) {
  ByteWriter w;
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    std::string name(lang::DefaultPointNames[static_cast<std::size_t>(id - 1)]);
    name.resize(20, ' ');
    w.Bytes(name);
    w.I16(selected[static_cast<std::size_t>(id)] ? -1 : 0);
  }
  return w.Take();
}

std::vector<int> ParsePointSelectionFile(std::string_view bytes, const std::string& path) {
  if (bytes.size() < LastPoint * PointSelectionRecordSize)
    throw EPredictionError(PredictSelectionUnreadable, "The point selection file " + path + " is cut short.");
  ByteReader r(bytes);
  std::vector<int> ids;
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    r.Skip(20);
    if (r.I16() != 0) ids.push_back(id);
  }
  return ids;
}

PredictionSettings ReadPredictionSettings(const IniFile& ini) {
  PredictionSettings s;
  s.chartFile = ini.ReadString(RadixSection, "ChartFile", "");
  s.chartIndex = ini.ReadInteger(RadixSection, "ChartIndex", 1);
  s.zoneHours = ReadDecimal(ini, LocationSection, "TimeZone");
  s.zoneAbbr = ini.ReadString(LocationSection, "ZoneAbbr", "UT");
  const int year = ini.ReadInteger(PeriodSection, "StartYear", 2003);
  s.start = {static_cast<std::int16_t>(year >= -32768 && year <= 32767 ? year : 2003), Byte(ini, "StartMonth", 1),
             Byte(ini, "StartDay", 1), Byte(ini, "StartHour", 0), Byte(ini, "StartMinute", 0),
             Byte(ini, "StartSecond", 0), calAuto};
  s.duration = ini.ReadInteger(PeriodSection, "Duration", 1);
  s.durationUnits = ini.ReadInteger(PeriodSection, "DurationUnits", 0);
  s.dynamicType = ini.ReadInteger(PrimarySection, "DynamicType", 1);
  s.targetType = ini.ReadInteger(ToSection, "DynamicType", 0);
  s.enterLeave = ini.ReadBool(ExtraSection, "EnterLeave", true);
  s.houseIngress = ini.ReadBool(ExtraSection, "HouseIngress", false);
  s.signIngress = ini.ReadBool(ExtraSection, "SignIngress", false);
  s.dynamicPointsFile = ini.ReadString(PointSection, "Dynamic", "");
  s.radixPointsFile = ini.ReadString(PointSection, "Radix", "");
  s.aspectFile = ini.ReadString(AspectSection, "Dynamic", "");
  s.swissEphPath = ini.ReadString(CalculationSection, "SwissEphPath", "");
  s.eventFile = ini.ReadString(OutputSection, "FileName", "");
  s.sortOrder = ini.ReadInteger(OutputSection, "SortOrder", 2);
  return s;
}

void WritePredictionSettings(IniFile& ini, const PredictionSettings& s) {
  ini.WriteString(RadixSection, "ChartFile", s.chartFile);
  ini.WriteInteger(RadixSection, "ChartIndex", s.chartIndex);
  char zone[32];
  std::snprintf(zone, sizeof zone, "%g", s.zoneHours);
  ini.WriteString(LocationSection, "TimeZone", zone);
  ini.WriteString(LocationSection, "ZoneAbbr", s.zoneAbbr);
  ini.WriteInteger(PeriodSection, "StartYear", s.start.Year);
  ini.WriteInteger(PeriodSection, "StartMonth", s.start.Month);
  ini.WriteInteger(PeriodSection, "StartDay", s.start.Day);
  ini.WriteInteger(PeriodSection, "StartHour", s.start.Hour);
  ini.WriteInteger(PeriodSection, "StartMinute", s.start.Minute);
  ini.WriteInteger(PeriodSection, "StartSecond", s.start.Second);
  ini.WriteInteger(PeriodSection, "Duration", s.duration);
  ini.WriteInteger(PeriodSection, "DurationUnits", s.durationUnits);
  ini.WriteInteger(PrimarySection, "DynamicType", s.dynamicType);
  if (s.dynamicType == static_cast<int>(DynamicTechnique::Primaries)) {
    ini.WriteInteger(PrimarySection, "DirType", 6);
    ini.WriteInteger(PrimarySection, "PrimRateMethod", 0);
  }
  ini.WriteInteger(ToSection, "DynamicType", s.targetType);
  ini.WriteInteger(ExtraSection, "EnterLeave", s.enterLeave ? 1 : 0);
  ini.WriteInteger(ExtraSection, "HouseIngress", s.houseIngress ? 1 : 0);
  ini.WriteInteger(ExtraSection, "SignIngress", s.signIngress ? 1 : 0);
  ini.WriteString(PointSection, "Dynamic", s.dynamicPointsFile);
  ini.WriteString(PointSection, "Radix", s.radixPointsFile);
  ini.WriteString(AspectSection, "Dynamic", s.aspectFile);
  ini.WriteString(CalculationSection, "SwissEphPath", s.swissEphPath);
  ini.WriteInteger(CalculationSection, "NodeType", 1);
  ini.WriteInteger(OutputSection, "OutputType", 1);
  ini.WriteString(OutputSection, "FileName", s.eventFile);
  ini.WriteInteger(OutputSection, "SortOrder", s.sortOrder);
}

SearchRequest RequestFromSettings(const PredictionSettings& s) {
  if (s.dynamicType < 1 || s.dynamicType > 3)
    throw EPredictionError(PredictRefused, "Dynamic type " + std::to_string(s.dynamicType) + " is not known.");
  if (!s.swissEphPath.empty()) SwissEphemerisUsable(s.swissEphPath);
  SearchRequest r;
  r.technique = static_cast<DynamicTechnique>(s.dynamicType);
  r.radix = ReadRadix(s);
  for (int id : ReadSelection(s.dynamicPointsFile))
    if (CanFollow(r.technique, id)) r.movingPoints.push_back(id);
  r.radixPoints = ReadSelection(s.radixPointsFile);
  r.aspects = ReadAspects(s.aspectFile);
  r.houses = s.houseIngress;
  r.signs = s.signIngress;
  std::tie(r.start, r.end) = PeriodOf(s);
  if (!(r.end > r.start)) throw EPredictionError(PredictRefused, "The period ends before it begins.");
  return r;
}

int Predict(const PredictionSettings& s, std::string* message) {
  try {
    if (s.eventFile.empty()) throw EPredictionError(PredictNoSettings, "The settings name no event file.");
    if (!RemoveEarlierFile(s.eventFile))
      throw EPredictionError(PredictCannotWrite, "The event file " + s.eventFile + " cannot be replaced.");
    const SearchRequest request = RequestFromSettings(s);
    const TDynamicReport report = MakeDynamicReport(request, FindConfigurations(request));
    if (!WriteEventFile(s.eventFile, report))
      throw EPredictionError(PredictCannotWrite, "The event file " + s.eventFile + " cannot be written.");
    return PredictOk;
  } catch (const EPredictionError& e) {
    if (message) *message = e.what();
    return e.code();
  } catch (const ESearchRequestError& e) {
    if (message) *message = e.what();
    return PredictRefused;
  }
}

int Predict(const std::string& settingsPath, std::string* message) {
  const IniFile ini(settingsPath);
  if (!ini.Loaded()) {
    if (message) *message = "The prediction settings file " + settingsPath + " cannot be read.";
    return PredictNoSettings;
  }
  return Predict(ReadPredictionSettings(ini), message);
}

}  // namespace korvana
