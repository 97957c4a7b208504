// Settings for tests that read the build's data template in place: every program folder
// is the template (which the tests never write), the report folder is the test's own, and
// the Swiss Ephemeris reads the template's files.
#pragma once

#include <string>

#include "core/astro/ephemeris.h"
#include "core/config/program_settings.h"

namespace korvana::testing {

inline void UseTemplateFolders(ProgramSettings& settings, const std::string& reportPath) {
  const std::string base = std::string(KORVANA_TEMPLATE_DIR) + "/";
  settings.SystemPath = settings.CompilePath = settings.EphemPath = base;
  settings.UserPath = settings.ChartPath = base + "userdata/";
  settings.SourcePath = base + "source/";
  settings.ReportPath = reportPath;
  settings.Rulers = base + "rulers2.fil";
  settings.Degrees = base + "degdig2.fil";
  settings.Trips = base + "tripdig2.fil";
  SwissEphemerisUsable(base + "swisseph/");
}

}  // namespace korvana::testing
