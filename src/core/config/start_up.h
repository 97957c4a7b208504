// Start-up of the program: the data folder, the display tables every chart needs, the
// point colour file, the compliments file upkeep, the Swiss Ephemeris asteroid file
// distribution, the printer page size and the e-mail failure text.
#pragma once

#include <optional>
#include <string>

#include "core/config/program_settings.h"
#include "core/config/settings_store.h"
#include "core/util/error.h"
#include "core/util/ini_file.h"
#include "core/util/messages.h"

namespace korvana {

// --- Folders -------------------------------------------------------------------------

// The data folder: the option when given, else $KORVANA_HOME, else
// $XDG_DATA_HOME/korvana/, else ~/.local/share/korvana/. Ends in "/".
std::string ResolveDataFolder(const std::string& option);

// The settings file: the option, else $KORVANA_CONFIG, else
// $XDG_CONFIG_HOME/korvana/registry.ini, else ~/.config/korvana/registry.ini.
std::string ResolveSettingsFile(const std::string& option);

// Copies every file of the template folder that the data folder lacks (never
// overwriting), creating folders as needed. Work files in the template (files being
// made there) are not copied. Returns false when the data folder cannot be created.
bool SeedDataFolder(const std::string& dataFolder, const std::string& templateFolder);

// --- Tables --------------------------------------------------------------------------

// Points drawn on wheels until a report set says otherwise: 1, 3, 5-12, 20-23 and 26.
std::array<bool, PointCount + 1> InitialWheelPointSelection();
// Glyph codes of the symbol font: point n has its catalogue code (n + 181); sign n is
// n + 127 but Aries 220 and Taurus 221.
void BuildGlyphTables(ProgramSettings& settings);
// The twelve sign colours from hue (n - 1) / 12 (saturation 0.75, lightness 0.5; light:
// 1.0 and 0.875) and pure red as the 13th.
void BuildSignColors(ProgramSettings& settings);
Rgb ToRgb(Color c);

// --- The point colour file: 36 little-endian 32-bit colours, no header -----------------

// A point colour file that is missing or holds fewer than 36 colours. The message is
// "Unable to read color file: " + CR LF CR LF + path.
class EPointColorFileError : public Error {
 public:
  using Error::Error;
};

// The colours of points 1..36 (slot 0 is 0). Throws EPointColorFileError.
std::array<Color, PointCount + 1> ReadPointColorFile(const std::string& path);

// Zeroes the settings' colours, then reads the file named by "PointColors". On failure
// shows the error's message and returns false (the colours stay 0).
bool ReadPointColors(ProgramSettings& settings, Messages& messages);
// Rewrites the file whole; on failure shows "Unable to write color file: " + CR LF CR LF +
// path and returns false.
bool WritePointColors(const ProgramSettings& settings, Messages& messages);

// --- Compliments ---------------------------------------------------------------------

// The text of a fresh compliments file (four lines).
extern const char* const DefaultComplimentsLines[4];
// The former maker's business-number-and-address line that marks a file for replacement.
extern const char* const FormerMakerAddressLine;

// Restores "compli-backup.txt", converts an old "compli.txt" into the four-line form, and
// writes the default file when there is none or it is the former maker's.
void UpkeepComplimentsFile(const std::string& systemPath, const std::string& complimentsFile);

// Joins old compliments lines into the four-line form: the first two lines as they are,
// the rest in two groups (the first ceil(k/2) lines, then the others), each joined with
// "  |  " (a single blank after a comma).
std::vector<std::string> ConvertOldCompliments(const std::vector<std::string>& lines);

// --- Swiss Ephemeris asteroid files --------------------------------------------------

// Copies every "s*.se1" asteroid file of the system folder into
// swissEphemPath + "ast" + (number div 1000) + "/", never overwriting. Returns the number
// of files copied.
int DistributeAsteroidFiles(const std::string& systemPath, const std::string& swissEphemPath);
// The asteroid number a file name stands for (0 when it names none).
int AsteroidNumberOfFile(const std::string& fileName);

// --- Printer page size ---------------------------------------------------------------

struct PrinterCapabilities {
  int physicalWidth = 0, physicalHeight = 0;  // device pixels
  int offsetX = 0, offsetY = 0;               // physical offsets of the printable area
  int dpiX = 0, dpiY = 0;
};
// Printable page size in twips; 16951 x 12018 when there is no printer or it cannot tell.
void SetPageSize(ProgramSettings& settings, const std::optional<PrinterCapabilities>& printer);

// --- E-mail hand-off failure ---------------------------------------------------------

struct MailFailureText {
  bool show = false;        // false for codes 0 (sent) and 1 (cancelled)
  std::string message;      // the message box text
  std::string clipboard;    // text to put on the clipboard ("" when none)
};
MailFailureText ShowMapiFailure(int code, const std::string& body, const std::string& attachment);

// --- The start-up sequence -----------------------------------------------------------

struct StartupEnvironment {
  StartupOptions options;
  std::optional<PrinterCapabilities> printer;
  // Whether the Swiss Ephemeris files in SwissEphemPath are usable; empty until the
  // calculation layer provides the check.
  bool (*swissEphemerisCheck)(const std::string& folder) = nullptr;
};

// Runs the start-up sequence on a freshly made settings record: tables, settings from the
// store, page size, glyph and colour tables, point colours, the Swiss Ephemeris check with
// the asteroid file distribution, and creates TempPath.
void InitialiseProgram(ProgramSettings& settings, IniFile& store, const StartupEnvironment& env,
                       Messages& messages);

}  // namespace korvana
