// Starting a front end (the command line, the desktop program): the template its data
// folder is seeded from, and the start-up sequence that gives the program's settings.
#pragma once

#include <string>

#include "core/config/program_settings.h"
#include "core/util/messages.h"

namespace korvana {

// The template folder (ending in "/"): <prefix>/share/korvana beside the running
// program's bin/ folder when installed, else `buildTemplate` (the build tree's).
std::string TemplateFolder(const std::string& buildTemplate);

// Seeds the data folder the home option names (ResolveDataFolder) from `templateFolder`
// and runs InitialiseProgram with the settings file the config option names
// (ResolveSettingsFile). `swissEphemerisCheck` tells whether a folder holds usable Swiss
// Ephemeris files. A data folder that cannot be made is shown as an error.
void StartProgram(ProgramSettings& settings, const std::string& homeOption, const std::string& configOption,
                  const std::string& templateFolder, bool (*swissEphemerisCheck)(const std::string& folder),
                  Messages& messages);

}  // namespace korvana
