#include "core/charts/country_index.h"

#include <map>

#include "core/charts/place_file.h"
#include "core/util/files.h"
#include "core/util/folder_lock.h"
#include "core/util/ini_file.h"
#include "core/util/messages.h"
#include "core/util/text.h"

namespace korvana {

namespace {

const char* const StatusSection = "Status";
constexpr std::size_t MaxAlternates = 75;

std::string IndexPath(const std::string& placesFolder) {
  const std::string path = WithTrailingSlash(placesFolder) + CountryIndexName;
  return FindPathNoCase(path).value_or(path);
}

// A file name the index may hold: a bare name, so that an index cannot send a search out
// of its folder.
bool IsBareName(std::string_view name) {
  return !name.empty() && name.find('/') == std::string_view::npos && name != "." && name != "..";
}

bool CanHeadSection(std::string_view country) {
  return !country.empty() && country.find_first_of("[]") == std::string_view::npos && country.front() != ';' &&
         !EqualsNoCase(country, StatusSection);
}

struct CountryFiles {
  std::string name;  // as first met
  std::vector<std::string> files;
};

void AppendFileList(std::string& text, const std::string& countKey, const std::vector<std::string>& files) {
  text += countKey + "=" + std::to_string(files.size()) + "\r\n";
  for (std::size_t i = 0; i < files.size(); ++i)
    text += "File" + std::to_string(i + 1) + "=" + files[i] + "\r\n";
}

std::string IndexText(const std::string& placesFolder, const std::vector<std::string>& files, Messages& messages) {
  std::map<std::string, CountryFiles> countries;  // by name without regard to case
  for (const std::string& file : files) {
    std::vector<PlaceRecord> places;
    try {
      places = ReadPlaceFile(WithTrailingSlash(placesFolder) + file);
    } catch (const EPlaceFileError& e) {
      messages.Warning(e.what());
    }
    for (const PlaceRecord& place : places) {
      const std::string country(Trim(place.Country));
      if (!CanHeadSection(country)) continue;
      CountryFiles& entry = countries[ToLowerAscii(country)];
      if (entry.name.empty()) entry.name = country;
      if (entry.files.empty() || entry.files.back() != file) entry.files.push_back(file);
    }
  }
  std::string text = std::string("[") + StatusSection + "]\r\nForceRefresh=0\r\n";
  AppendFileList(text, "NumFiles", files);
  for (const auto& [key, entry] : countries) {
    text += "\r\n[" + entry.name + "]\r\n";
    AppendFileList(text, "Files", entry.files);
  }
  return text;
}

}  // namespace

std::vector<std::string> PlaceFilesIn(const std::string& placesFolder) {
  std::vector<std::string> files;
  for (std::string& name : ListFiles(WithTrailingSlash(placesFolder), "*.plc"))
    if (!EqualsNoCase(name, "MAPS.PLC") && FileExists(WithTrailingSlash(placesFolder) + name))
      files.push_back(std::move(name));
  return files;
}

bool CountryIndexIsStale(const std::string& placesFolder) {
  const std::string path = IndexPath(placesFolder);
  if (!FileExists(path)) return true;
  const IniFile index(path);
  if (index.ReadInteger(StatusSection, "ForceRefresh", 0) != 0) return true;
  const std::int32_t count = index.ReadInteger(StatusSection, "NumFiles", -1);
  if (count < 0 || static_cast<std::size_t>(count) != PlaceFilesIn(placesFolder).size()) return true;
  for (std::int32_t i = 1; i <= count; ++i) {
    const std::string name = index.ReadString(StatusSection, "File" + std::to_string(i), "");
    if (!IsBareName(name) || !FindPathNoCase(WithTrailingSlash(placesFolder) + name)) return true;
  }
  return false;
}

bool RefreshCountryIndex(const std::string& placesFolder, bool force, Messages& messages) {
  if (!FolderExists(WithTrailingSlash(placesFolder))) return false;  // no place files, nothing to index
  if (!force && !CountryIndexIsStale(placesFolder)) return true;
  const std::string path = IndexPath(placesFolder);
  const FolderWriteLock lock(path);
  if (!lock.Locked()) {
    messages.Error(FolderBusyMessage);
    return false;
  }
  if (!WriteFileAtomic(path, IndexText(placesFolder, PlaceFilesIn(placesFolder), messages))) {
    messages.Error("The country index " + path + " could not be written.");
    return false;
  }
  return true;
}

bool MarkCountryIndexForRefresh(const std::string& placesFolder) {
  const std::string path = IndexPath(placesFolder);
  if (!FileExists(path)) return true;
  IniFile index(path);
  index.WriteInteger(StatusSection, "ForceRefresh", 1);
  return index.Save();
}

std::vector<std::string> PlaceFilesForCountry(const std::string& placesFolder, std::string_view country) {
  const std::string path = IndexPath(placesFolder);
  std::vector<std::string> files;
  const std::string section(Trim(country));
  if (!FileExists(path) || !CanHeadSection(section)) return files;
  const IniFile index(path);
  const std::int32_t count = index.ReadInteger(section, "Files", 0);
  for (std::int32_t i = 1; i <= count; ++i) {
    const auto name = index.Find(section, "File" + std::to_string(i));
    if (!name) break;  // a count beyond the keys: the index is damaged, no further files
    if (IsBareName(*name)) files.push_back(WithTrailingSlash(placesFolder) + *name);
  }
  return files;
}

std::vector<std::string> AlternateCountries(const std::string& alternatesFile, std::string_view country) {
  std::vector<std::string> names;
  const std::string path = FindPathNoCase(alternatesFile).value_or(alternatesFile);
  if (!FileExists(path)) return names;
  const IniFile alternates(path);
  for (const std::string& name : Split(alternates.ReadString("Alternates", Trim(country), ""), ',')) {
    if (names.size() == MaxAlternates) break;
    const std::string_view trimmed = Trim(name);
    if (!trimmed.empty()) names.emplace_back(trimmed);
  }
  return names;
}

}  // namespace korvana
