// korvana settings: the effective settings as INI sections and values.
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "core/config/settings_store.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

int ShowSettings(CommandContext& ctx) {
  const ProgramSettings& s = ctx.env.Settings();
  IniFile out;
  SaveSettings(s, out);
  // Values that are read but never stored, and what start-up derives.
  out.WriteString("System", "Compliments", s.Compliments);
  out.WriteString("System", "EMTTFont", s.EMTTFont);
  out.WriteString("System", "ScreenTTFont", s.ScreenTTFont);
  out.WriteBool("System", "AllowAltRepFolders", s.AllowAltRepFolders);
  out.WriteString("System", "WheelAspectRatioAdjustment", FormatReal(s.WheelAspectRatioAdjustment));
  out.WriteString("Derived", "TempPath", s.TempPath);
  out.WriteString("Derived", "PlacesParentPath", s.PlacesParentPath);
  out.WriteString("Derived", "TimeZones", s.TimeZones);
  out.WriteString("Derived", "CurrentWheel", s.CurrentWheel);
  out.WriteInteger("Derived", "PageHeightTwips", s.PageHeightTwips);
  out.WriteInteger("Derived", "PageWidthTwips", s.PageWidthTwips);
  out.WriteBool("Derived", "SwissEphemerisAvailable", s.SwissEphemerisAvailable);
  ctx.out << WithUnixLineBreaks(out.Text());
  return 0;
}

CommandRegistration reg({"settings", "settings", "print the effective settings as INI sections and values",
                         [](CommandOptions&) -> CommandRun { return ShowSettings; }});

}  // namespace
}  // namespace korvana::cli
