// The report set: a ".swp" INI file that names a report and points to its compiled text,
// source, aspect, almuten, options and star files, and holds its options. LoadReportSet
// fills the one current report definition (TKVReport) from it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/config/program_settings.h"
#include "core/util/messages.h"

namespace korvana {

struct TKVReport {
  std::string caption = "No Report Selected";
  std::string frontPageTitle;
  std::string description;
  std::string compiledFile;     // BinaryFile
  bool sourceAvailable = true;
  std::string sourceFile;
  std::string aspectFile;
  std::string almutenFile;      // AlmFile
  std::int32_t paraTitles = 0;  // 0 keyword titles switchable by the text, 1 on, 2 off
  std::string points = "101011111111";
  std::string splashFile;
  bool askQuesitedHouse = false;  // GetQuesitedHouse
  bool askChartGender = false;    // GetChartGender
  bool synastry = false;
  bool composite = false;
  std::string starFile;
  std::string optionsFile;
  std::int32_t frontPageStyle = 0;
  std::string author;
  std::string translator;
  std::string frontPageGraphicFile;
  float frontPageGraphicWidth = 0.3f;
  bool includesDynRep = false;
  // One entry per dynamic section.
  std::vector<std::string> dynFiles, dynTypeNames, dynP1TypeNames, dynP2TypeNames, dynPointsAvailable,
      radixPointsAvailable, dynAspectsAvailable, dynPointsSelected, radixPointsSelected,
      dynAspectsSelected;
  double orbEntering = 1.0;  // the last DynOrbEnter read
  double orbLeaving = 1.0;   // the last DynOrbLeave read
  std::vector<std::string> dynWorkingList;
  bool usesExtraPoints = false;
  std::vector<std::int32_t> extraPointNumbers;  // AsteroidID n
  std::vector<std::string> extraPointNames;     // AsteroidName n
  bool includesSolarReturn = false;
  bool includesLunarReturn = false;

  // Not fields of the file's "Report" section, but loaded with it.
  std::string setFile;                           // the ".swp" itself
  std::array<bool, PointCount + 1> pointSelection{};  // [1..36] from `points`
  std::vector<std::string> options;              // "Mnemonic=Description"
  std::vector<std::string> starNames;            // at most 300
  int language = 0;                              // 0 EN, 1 SP, 2 NO, 3 FR
};

// Reads a report set into `report` and the parts of the settings it governs (the wheel in
// use, "Summary" off for lunar returns). A missing file shows "Project file does not
// exist: " + path, sets the caption to "No Report Selected" and returns false; the rest
// of the definition stays. The aspect file and the composer's per-report state are loaded
// by the caller (they belong to the analysis and composer layers).
bool LoadReportSet(const std::string& setFile, TKVReport& report, ProgramSettings& settings, Messages& messages);

// The options list: "Mnemonic=Description" from sections "Option 1", "Option 2", ... up to
// the first without a description.
std::vector<std::string> LoadOptions(const std::string& optionsFile);

// The points selection from a "Points" text: character i equal to "1" selects point i.
std::array<bool, PointCount + 1> ParsePointSelection(const std::string& points);

// The wheel in use for a report set.
std::string ChooseWheel(const TKVReport& report, const ProgramSettings& settings);

// Names of the fixed stars in a star file (ReadStarFile, StarNameOf); at most 300.
// Throws EStarFileError when the file cannot be read or is cut short; LoadReportSet then
// keeps the single star word "Error".
std::vector<std::string> ReadStarNames(const std::string& starFile);

// Writes the user-adjustable keys back into the report set file: "ParaTitles", "Points"
// and the dynamic sections' selections and orbs. Returns false when the file cannot be
// written (it is then left as it was).
bool WriteBackReportSet(const TKVReport& report);

// One line of "Select Report": the caption shown and the set's file name in lower case.
struct ReportSetEntry {
  std::string selectCaption;
  std::string fileName;
};
// Every "*.swp" of the folder, sorted by file name.
std::vector<ReportSetEntry> ListReportSets(const std::string& systemPath);

// What "Select Report" shows for a chosen set: its description and splash picture path;
// `splashMissing` holds "File missing: " + name when the picture does not exist.
struct ReportSetPreview {
  std::string description;
  std::string splashPath;
  std::string splashMissing;
};
ReportSetPreview PreviewReportSet(const std::string& systemPath, const std::string& fileName);

}  // namespace korvana
