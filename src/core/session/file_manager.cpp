#include "core/session/file_manager.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "core/charts/chart_files.h"
#include "core/util/files.h"
#include "core/util/ini_file.h"
#include "core/util/messages.h"
#include "core/util/text.h"

namespace korvana {

namespace {

constexpr const char* NoDescription = "(No description found)";
constexpr const char* SiblingSection = "Emberly";

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::string(value) : fallback;
}

std::string SettingsFileName(int version) {
  return version == 2 ? "emberly.ini" : "emberly" + std::to_string(version) + ".ini";
}

std::string FolderCaption(int version) {
  return version == 2 ? "Emberly Folder" : "Emberly " + std::to_string(version) + " Folder";
}

// The file, found whatever the case of its letters; nothing when it does not exist.
std::optional<IniFile> SettingsFile(const std::string& path) {
  const auto found = FindPathNoCase(path);
  if (!found) return std::nullopt;
  return IniFile(*found);
}

// The existing folder a setting names, ending in "/"; empty when none.
std::string ExistingFolder(const SiblingPlaces& places, std::string_view windowsPath) {
  const std::string local = SiblingPathToLocal(places, windowsPath);
  if (local.empty()) return {};
  std::string folder = WithTrailingSlash(local);
  if (const auto found = FindPathNoCase(folder.substr(0, folder.size() - 1))) folder = WithTrailingSlash(*found);
  std::error_code ec;
  return std::filesystem::is_directory(folder, ec) ? folder : std::string();
}

std::string ChartFolderOf(int version, const SiblingPlaces& places) {
  const std::string settingsPath = places.windowsFolder + SettingsFileName(version);
  if (version <= 6) {
    const IniFile ini = SettingsFile(settingsPath).value_or(IniFile());
    const std::string userData = ini.ReadString(SiblingSection, "UserDataPath", "");
    return ExistingFolder(places, ini.ReadString(SiblingSection, "ChartDataPath", userData));
  }
  const auto ini = SettingsFile(settingsPath);
  if (!ini) return {};
  std::string userFolder = SiblingPathToLocal(places, ini->ReadString(SiblingSection, "UserFolder", ""));
  if (userFolder.empty()) userFolder = places.documentsFolder + "Emberly User Files/";
  userFolder = WithTrailingSlash(userFolder);
  const IniFile user = SettingsFile(userFolder + "Settings/" + SettingsFileName(version)).value_or(IniFile());
  const std::string chartFolder = user.ReadString(SiblingSection, "ChartDataPath", "");
  return ExistingFolder(places, chartFolder.empty() ? userFolder + "Charts/" : chartFolder);
}

}  // namespace

SiblingPlaces SiblingPlacesFromEnvironment() {
  SiblingPlaces places;
  const std::string home = WithTrailingSlash(EnvOr("HOME", "/"));
  places.winePrefix = WithTrailingSlash(EnvOr("WINEPREFIX", home + ".wine"));
  places.windowsFolder = places.winePrefix + "drive_c/windows/";
  places.documentsFolder = WithTrailingSlash(EnvOr("XDG_DOCUMENTS_DIR", home + "Documents"));
  return places;
}

std::string SiblingPathToLocal(const SiblingPlaces& places, std::string_view windowsPath) {
  std::string path(Trim(windowsPath));
  if (path.empty() || path.front() == '/') return path;
  for (char& c : path)
    if (c == '\\') c = '/';
  if (path.size() < 2 || path[1] != ':') return path;
  const char drive = AsciiLower(path[0]);
  std::string rest = path.substr(2);
  if (!rest.empty() && rest.front() == '/') rest.erase(0, 1);
  if (drive == 'z') return "/" + rest;
  if (drive == 'c') return places.winePrefix + "drive_c/" + rest;
  return places.winePrefix + "dosdevices/" + std::string(1, drive) + ":/" + rest;
}

std::vector<ManagerFolder> ManagerFolders(const std::string& userFolder, const SiblingPlaces& places) {
  std::vector<ManagerFolder> folders{{"Korvana Folder", WithTrailingSlash(userFolder)}};
  std::set<std::string> seen{ToLowerAscii(folders.front().folder)};
  for (int version = 9; version >= 2; --version) {
    const std::string folder = ChartFolderOf(version, places);
    if (folder.empty() || !seen.insert(ToLowerAscii(folder)).second) continue;
    folders.push_back({FolderCaption(version), folder});
  }
  return folders;
}

std::optional<std::size_t> CurrentManagerFolder(const std::vector<ManagerFolder>& folders, const std::string& current) {
  const std::string wanted = ToLowerAscii(WithTrailingSlash(current));
  for (std::size_t i = 0; i < folders.size(); ++i)
    if (ToLowerAscii(folders[i].folder) == wanted) return i;
  return std::nullopt;
}

std::vector<std::string> ManagerFiles(const std::string& folder, std::string_view mask) {
  std::set<std::string> names;
  for (const std::string& pattern : Split(mask, ';')) {
    if (Trim(pattern).empty()) continue;
    for (std::string& name : ListFiles(folder, Trim(pattern))) {
      std::error_code ec;
      if (std::filesystem::is_regular_file(WithTrailingSlash(folder) + name, ec)) names.insert(std::move(name));
    }
  }
  return {names.begin(), names.end()};
}

std::string ManagerFileDescription(const std::string& path) {
  if (ToLowerAscii(ExtensionOf(path)) != ".cht") return NoDescription;
  return ChartFileInfo(path).title;
}

std::optional<std::size_t> RowAfterDelete(std::size_t row, std::size_t count) {
  if (count == 0) return std::nullopt;
  return std::min(row, count - 1);
}

std::string NameToCreate(const std::string& typed, const std::string& selectedFile, std::string_view mask) {
  if (!ExtensionOf(NameOf(typed)).empty()) return typed;
  if (!selectedFile.empty()) return typed + ExtensionOf(selectedFile);
  const std::string first = Split(mask, ';').front();
  const std::string extension = ExtensionOf(first);
  return extension.find_first_of("*?") == std::string::npos ? typed + extension : typed;
}

bool CreateManagedFile(const std::string& path, Messages& messages) {
  std::error_code ec;
  if (std::filesystem::exists(path, ec)) {
    messages.Warning("Cannot create this file because it already exists.");
    return false;
  }
  const std::string extension = ToLowerAscii(ExtensionOf(path));
  if (extension == ".cht" || extension == ".emcht") return CreateChartFile(path, messages);
  std::ofstream out(path, std::ios::binary);
  if (!out) {
    messages.Error("The file " + path + " could not be created.");
    return false;
  }
  return true;
}

bool DeleteManagedFile(const std::string& path, Messages& messages) {
  if (!messages.Confirm("Are you sure that you wish to permanently delete this file?\r\n\r\n" + NameOf(path)))
    return false;
  std::error_code ec;
  if (!std::filesystem::remove(path, ec)) {
    messages.Error("The file " + path + " could not be deleted" + (ec ? ": " + ec.message() : std::string(".")));
    return false;
  }
  return true;
}

}  // namespace korvana
