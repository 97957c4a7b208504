// "Options" without the window: every field of its tabs as a value, the rules between
// fields, and saving. The form reads the settings and the current report set's files when
// it is made, the user edits its values (the text styles, point flags and point colours
// are working copies), and Save writes them all in the dialog's order; dropping the form
// is "Cancel".
//
// Files written by Save: the almuten scheme file of the set (the three cusp offsets, only
// when the file could be read), the aspect file (when the aspect tab was edited), the
// compliments file, the point colour file, and the report set's own keys ("ParaTitles",
// "Points"). The settings themselves are written to the settings store at program exit.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/aspect_file.h"
#include "core/config/program_settings.h"
#include "core/preferences/on_off_item.h"
#include "core/util/messages.h"

namespace korvana {

struct TKVReport;

// The styles the four compliments lines are printed in.
inline constexpr std::array<const char*, 4> ComplimentLineStyles = {"Compliments Header 1", "Compliments Header 2",
                                                                    "Compliments Text", "Compliments Text"};
// The house systems offered for new charts: the first 30 (codes 1..30).
inline constexpr int OfferedHouseSystems = 30;
// The one text style whose alignment is fixed ("Page Headers").
inline constexpr int FixedAlignmentStyle = PageHeaders;
// "Angular (1, 4, 7, 10)" and "Cadent (3, 6, 9, 12)" take 0..15; "Succedent" is unlimited.
inline constexpr float MaxAngularCadentOffset = 15;

struct GeneralOptions {
  // "Report"
  int paraTitles = 0;  // "Use Author's Default" 0, "Show All" 1, "Show None" 2
  bool chartPage = true, summary = true, pageBreaks = true, showExplanations = true, showGraphics = true;
  bool printColorsAsBlack = false, includePageHeaders = true, showReportSelection = true;
  int reportsInitiatedExternally = 0;  // "View in Editor" 0, "View as PDF" 1, "Email PDF" 2
  // "Compliments"
  std::array<std::string, 4> compliments;
  // "Wheels": the single-chart design (normal or with extra points) and the preview design
  std::string wheel, previewWheel;
  // "Styles"
  std::array<TTextStyle, TextStyleCount> styles{};
  // "Misc."
  bool meanNode = false, fixedFortune = false, geocentricLat = false, parallaxMoon = false;
  bool monthFirst = false, ampm = true;
  // "Planets": [1..36]
  std::array<bool, PointCount + 1> pointOn{};
  std::array<Color, PointCount + 1> pointColor{};
  // "Houses"
  int houseSystem = 5;  // code 1..30 ("Houses")
  std::optional<std::array<float, 3>> cuspOffsets;  // nothing: the scheme file could not be read
  bool houseExpansion = false;
  // "Zodiac"
  int zodiac = 0;
  std::string vernalPoint;  // the angle text of the chosen zodiac's vernal point
  // "Ephemeris"
  std::string swissEphemPath;
};


// Why a folder chosen for the Swiss Ephemeris was refused.
enum class EphemerisFolderVerdict { Taken, FilesMissing, NotSwissEphemeris };
inline constexpr const char* EphemerisFilesMissingMessage = "Required files not found in selected directory.";
inline constexpr const char* EphemerisNotSwissMessage = "Folder does not contain Swiss Ephemeris files.";

class GeneralOptionsForm {
 public:
  // Reads the settings, the set's point selection and "ParaTitles", its almuten scheme
  // file's cusp offsets and the compliments file's first four lines (missing or
  // unreadable files leave those fields as they are). `aspects` (may be null) is the
  // set's aspect set, edited in place by the aspect tab and written by Save.
  GeneralOptionsForm(const ProgramSettings& settings, const TKVReport& set, AspectSet* aspects);
  AspectSet* Aspects() const { return aspects_; }

  GeneralOptions values;
  // Set by the aspect tab when it changed the aspect set.
  bool aspectsEdited = false;

  // "Wheels": the first field's caption and which design it edits.
  bool WheelWithExtraPoints() const { return extrasWheel_; }
  std::string WheelCaption() const;

  // "Styles": the alignment buttons are disabled for "Page Headers"; pressing one there
  // changes nothing and returns false.
  static bool AlignmentEnabled(int style);
  bool SetAlignment(int style, TextAlignment alignment);

  // "Planets": "&On / Off" or a double click; the list item of a point (on: shown on
  // wheels).
  void TogglePoint(int id);
  OnOffItem PointItem(int id) const;

  // "Zodiac": choosing a zodiac shows its vernal point (the user's for "User Defined");
  // the field is editable only for "User Defined".
  void ChooseZodiac(int zodiac);
  bool VernalPointEditable() const { return values.zodiac == ZodiacUserDefinedCode; }
  // Leaving the vernal point field reformats the typed angle; false with the parser's
  // message when it does not parse.
  bool LeaveVernalPoint(Messages& messages);

  // "Houses": the cusp offset limits (angular and cadent 0..15).
  static float LimitCuspOffset(int kind, float value);

  // "Ephemeris": shown for a set with dynamic reports or extra wheel points, or when the
  // Swiss Ephemeris check succeeded at start.
  bool EphemerisTabVisible() const { return ephemerisTab_; }
  // A folder chosen with "&Browse...": refused when it lacks "SEPL_18.SE1" or `usable`
  // says no; otherwise taken (with a trailing "/"), and the asteroid files of
  // `systemPath` are copied into it.
  EphemerisFolderVerdict ChooseEphemerisFolder(const std::string& folder, bool (*usable)(const std::string&),
                                               const std::string& systemPath);

  // "&Save": writes every value into the settings and the set and the files above, in the
  // dialog's order. File errors are shown through `messages` by their writers; the other
  // values are written all the same. False when any file could not be written.
  bool Save(ProgramSettings& settings, TKVReport& set, Messages& messages) const;

  static constexpr int ZodiacUserDefinedCode = 9;

 private:
  AspectSet* aspects_ = nullptr;
  std::string almutenFile_;
  bool extrasWheel_ = false;
  bool ephemerisTab_ = false;
  double userSvp_ = 0;
};

}  // namespace korvana
