#include "core/config/program_start.h"

#include <filesystem>

#include "core/config/start_up.h"
#include "core/util/ini_file.h"

namespace korvana {

std::string TemplateFolder(const std::string& buildTemplate) {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const auto installed = exe.parent_path().parent_path() / "share" / "korvana";
    if (std::filesystem::is_directory(installed, ec)) return installed.string() + "/";
  }
  return buildTemplate + "/";
}

void StartProgram(ProgramSettings& settings, const std::string& homeOption, const std::string& configOption,
                  const std::string& templateFolder, bool (*swissEphemerisCheck)(const std::string& folder),
                  Messages& messages) {
  const std::string dataFolder = ResolveDataFolder(homeOption);
  if (!SeedDataFolder(dataFolder, templateFolder)) messages.Error("Unable to create the data folder: " + dataFolder);
  IniFile store(ResolveSettingsFile(configOption));
  StartupEnvironment env;
  env.options.programFolder = dataFolder;
  env.swissEphemerisCheck = swissEphemerisCheck;
  InitialiseProgram(settings, store, env, messages);
}

}  // namespace korvana
