// Builds an own-format chart file and its memo file from a readable chart list: one INI
// section a chart (see data/charts/main.txt for the fields). Every field goes through
// the program's own entry parsers, so the source reads as a user would type the charts.
#include <iostream>
#include <map>
#include <string>

#include "core/charts/chart_files.h"
#include "core/charts/memo_file.h"
#include "core/config/program_settings.h"
#include "core/time/entry_parsing.h"
#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/ini_file.h"
#include "core/util/text.h"

namespace korvana {
namespace {

class ChartSourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string Required(const IniFile& ini, const std::string& section, const char* key) {
  auto value = ini.Find(section, key);
  if (!value || Trim(*value).empty()) throw ChartSourceError("[" + section + "] has no " + key);
  return std::string(Trim(*value));
}

int OptionalInt(const IniFile& ini, const std::string& section, const char* key, int fallback) {
  auto value = ini.Find(section, key);
  if (!value) return fallback;
  auto n = ParseInt32(Trim(*value));
  if (!n) throw ChartSourceError("[" + section + "] " + key + " is not a number: " + *value);
  return *n;
}

template <typename Entry>
const Entry& Checked(const Entry& entry, const std::string& section, const char* key) {
  if (entry.error) throw ChartSourceError("[" + section + "] " + key + ": " + entry.message);
  return entry;
}

StoredChart ChartFromSection(const IniFile& ini, const std::string& section, const ProgramSettings& settings) {
  StoredChart stored;
  ChartRecord& c = stored.chart;
  c = NewChartRecord(settings);
  c.Name = section;
  if (Utf8ToCp1252(c.Name).size() > 29) throw ChartSourceError("[" + section + "] the name is longer than 29 characters");
  const std::string kind = ToLowerAscii(ini.ReadString(section, "Kind", "unspecified"));
  static const std::map<std::string, int> kinds = {
      {"unspecified", EventUnspecified}, {"male", EventMale}, {"female", EventFemale},
      {"event", EventEvent},             {"horary", EventHorary}};
  auto k = kinds.find(std::string(Trim(kind)));
  if (k == kinds.end()) throw ChartSourceError("[" + section + "] unknown Kind: " + kind);
  c.EventKind = static_cast<std::uint8_t>(k->second);

  const DateEntry date = Checked(ParseDate(Required(ini, section, "Date"), nullptr, false), section, "Date");
  const BirthTimeEntry birth = ParseBirthTime(Required(ini, section, "Time"), nullptr);
  const TimeEntry time = Checked(birth.time, section, "Time");
  c.TimeUnknown = birth.unknown;
  const ZoneEntry zone = Checked(ParseZone(Required(ini, section, "Zone"), nullptr, ZoneList()), section, "Zone");
  const CoordinateEntry lat =
      Checked(ParseLatLong(Required(ini, section, "Latitude"), false, nullptr), section, "Latitude");
  const CoordinateEntry lon =
      Checked(ParseLatLong(Required(ini, section, "Longitude"), true, nullptr), section, "Longitude");
  c.Moment = MomentOf(date, time);
  c.ZoneHours = zone.hours;
  c.ZoneAbbrev = zone.abbrev;
  c.Latitude = lat.degrees;
  c.Longitude = lon.degrees;
  c.Place = Required(ini, section, "Place");
  c.Country = Required(ini, section, "Country");
  c.ChartType = OptionalInt(ini, section, "ChartType", c.ChartType);
  c.ChartSubType = OptionalInt(ini, section, "ChartSubType", c.ChartSubType);
  c.ChartTypeParam = OptionalInt(ini, section, "ChartTypeParam", c.ChartTypeParam);
  stored.houseSystem = OptionalInt(ini, section, "Houses", DefaultHouseSystem(settings));
  if (stored.houseSystem < 1 || stored.houseSystem > 31)
    throw ChartSourceError("[" + section + "] Houses must be 1..31");
  return stored;
}

int Run(const std::string& sourcePath, const std::string& outPath) {
  auto source = ReadFileBytes(sourcePath);
  if (!source) {
    std::cerr << "korvana_chartfile: cannot read " << sourcePath << "\n";
    return 1;
  }
  const IniFile ini = IniFile::FromText(*source);
  const ProgramSettings settings;  // the defaults: tropical zodiac, Placidus
  std::string chartFile = OwnFileHeader(ini.ReadString("File", "Title", "New chart file"));
  std::string memoFile;
  int count = 0;
  try {
    for (const std::string& section : ini.SectionNames()) {
      if (EqualsNoCase(section, "File")) continue;
      const StoredChart stored = ChartFromSection(ini, section, settings);
      const std::string memo(Trim(ini.ReadString(section, "Memo", "")));
      const std::int32_t first = memo.empty() ? 0 : WriteMemoData(memoFile, 0, memo);
      chartFile += OwnRecordFromChart(stored.chart, stored.houseSystem, 0.0f, first);
      ++count;
    }
  } catch (const std::exception& e) {
    std::cerr << "korvana_chartfile: " << sourcePath << ": " << e.what() << "\n";
    return 1;
  }
  const std::string memoPath = MemoPathFor(outPath);
  if (!WriteFileAtomic(memoPath, memoFile) || !WriteFileAtomic(outPath, chartFile)) {
    std::cerr << "korvana_chartfile: cannot write " << outPath << "\n";
    return 1;
  }
  std::cout << "korvana_chartfile: " << count << " charts written to " << outPath << "\n";
  return 0;
}

}  // namespace
}  // namespace korvana

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: korvana_chartfile SOURCE OUT.cht\n";
    return 2;
  }
  return korvana::Run(argv[1], argv[2]);
}
