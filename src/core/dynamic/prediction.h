// The prediction run: a prediction settings file (an INI file) names the radix chart,
// the period, the technique, the point and aspect selection files and the event file;
// Predict follows the selection through the period and writes the event file.
//
// Settings keys (section / key):
//   "Radix Chart"  "ChartFile", "ChartIndex" (from 1)
//   "Location"     "TimeZone" (reference zone, hours added to local time for UT; "." or
//                  "," decimal), "ZoneAbbr"
//   "Period"       "StartYear", "StartMonth", "StartDay", "StartHour", "StartMinute",
//                  "StartSecond" (local time in the reference zone), "Duration",
//                  "DurationUnits" (0 years .. 5 seconds, as the dynamic settings)
//   "Event Selection Primary"  "DynamicType": 1 transits, 2 progressions, 3 primary
//                  directions (always the method of primary_directions.h, whatever
//                  "DirType" and "PrimRateMethod" say)
//   "Event Selection To"       "DynamicType" (0 radix; the only target followed)
//   "Extra Events" "EnterLeave", "HouseIngress", "SignIngress" (0/1)
//   "Point Selection"  "Dynamic", "Radix": point selection files
//   "Aspect Selection" "Dynamic": the dynamic aspect file
//   "Calculations" "SwissEphPath", "NodeType" (1 follows the chart's node kind)
//   "Output"       "OutputType", "FileName" (the event file), "SortOrder"
// The configurations are always written in time order with their entering and leaving
// events (a configuration needs its closing event), whatever "EnterLeave" and
// "SortOrder" say.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/dynamic/configurations.h"
#include "core/time/date_time_rec.h"
#include "core/util/error.h"

namespace korvana {

class IniFile;

// Point selection files ("transit.trp", "tr_radix.pts"): 36 records of 22 bytes, record
// i for PointId i: the point's default name ("Moon") padded with blanks to 20 bytes, then a
// signed 16-bit flag, -1 when selected and 0 when not.
constexpr std::size_t PointSelectionRecordSize = 22;

// A prediction that cannot run: code() is its PredictResult.
class EPredictionError : public Error {
 public:
  EPredictionError(int code, const std::string& message) : Error(message), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

// The bytes of a point selection file; selected[i] for PointId i (index 0 unused).
std::string SerializePointSelectionFile(const std::array<bool, 37>& selected);
// The selected PointIds in order. Throws EPredictionError (PredictSelectionUnreadable)
// when the file holds fewer than 36 whole records.
std::vector<int> ParsePointSelectionFile(std::string_view bytes, const std::string& path = {});

// The contents of a prediction settings file.
struct PredictionSettings {
  std::string chartFile;
  int chartIndex = 1;
  double zoneHours = 0.0;
  std::string zoneAbbr = "UT";
  DateTimeRec start{2003, 1, 1, 0, 0, 0, calAuto};
  int duration = 1;
  int durationUnits = 0;
  int dynamicType = 1;
  int targetType = 0;
  bool enterLeave = true;
  bool houseIngress = false;
  bool signIngress = false;
  std::string dynamicPointsFile;
  std::string radixPointsFile;
  std::string aspectFile;
  std::string swissEphPath;
  std::string eventFile;
  int sortOrder = 2;
};

PredictionSettings ReadPredictionSettings(const IniFile& ini);
// Writes every key above over what the file holds (the primary directions' "DirType" 6
// and "PrimRateMethod" 0 only for dynamic type 3).
void WritePredictionSettings(IniFile& ini, const PredictionSettings& settings);

// The result codes of Predict.
enum PredictResult : int {
  PredictOk = 0,
  PredictNoSettings = 1,         // the settings file is missing or names no event file
  PredictChartUnreadable = 2,    // the chart file or chart cannot be read or cast
  PredictSelectionUnreadable = 3,  // a point selection file is missing or cut short
  PredictAspectsUnreadable = 4,  // the aspect file is missing or damaged
  PredictRefused = 5,            // a period or technique the engine cannot follow
  PredictCannotWrite = 6,        // the event file cannot be written
};

// Runs the prediction the settings file describes. The event file is removed first, so
// that a failed run never leaves an earlier run's file to be read; it is written only
// on success. `message` (when given) receives a description of a failure.
int Predict(const std::string& settingsPath, std::string* message = nullptr);

// The same on settings already read.
int Predict(const PredictionSettings& settings, std::string* message = nullptr);

// The search the settings describe: the radix chart cast, the selections and the
// period in UT. Throws EPredictionError with the code Predict returns.
SearchRequest RequestFromSettings(const PredictionSettings& settings);

}  // namespace korvana
