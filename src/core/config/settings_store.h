// Loading and saving ProgramSettings in the settings store: an INI file with one section
// per group ("System", "DefaultPlace", "ReportWindow", "Styles2", "Styles",
// "Calculations", "ChartsMRU"), the value names, types and defaults of the program.
// Booleans are stored as 0/1, reals as text.
#pragma once

#include <string>

#include "core/config/program_settings.h"
#include "core/util/ini_file.h"

namespace korvana {

struct StartupOptions {
  std::string programFolder;        // the data folder (the default SystemPath), ending in "/"
  bool noRelocate = false;          // "NoRelocate" was on the command line
  bool symbolFontInstalled = false; // the glyph font "ZP Symbol" is available
};

// Reads every value into the settings. When the stored "SystemPath" differs (without
// regard to case) from the program folder and relocation is allowed, the "System" section
// is erased from the store first, so that every folder falls back to its default under
// the program folder. Runs the compliments file upkeep once "Compliments" is known.
void LoadSettings(ProgramSettings& settings, IniFile& store, const StartupOptions& options);

// Writes the settings back into the store (the caller saves the store). Values that are
// only read ("Compliments", "EMTTFont", "ScreenTTFont", "AllowAltRepFolders",
// "WheelAspectRatioAdjustment") are left as they are, as are stale "ChartsMRU" values.
void SaveSettings(const ProgramSettings& settings, IniFile& store);

}  // namespace korvana
