// Fuzz entry of the report set reader: any text as a report set (".swp") and as its
// options file (".opt"), read with settings whose folders lie in the entry's scratch
// folder. Whatever the text, the set loads with its lists in step and within their
// limits, and writing back the user's choices leaves a set that loads to the same
// definition.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "core/reports/reportset/report_set.h"
#include "support/fuzz_folder.h"
#include "support/recording_messages.h"

namespace {

using namespace korvana;

void Require(bool condition) {
  if (!condition) std::abort();
}

struct Scratch {
  ProgramSettings settings;
  std::string setFile, optionsFile;
  Scratch() {
    const auto& folder = korvana::testing::FuzzFolder();
    settings.SystemPath = folder / "system/";
    settings.CompilePath = folder / "bin/";
    settings.SourcePath = folder / "source/";
    settings.UserPath = folder / "user/";
    settings.DefWheel = "def.wh1";
    settings.BiWheel = "bi.wh2";
    settings.DefExtrasWheel = "extra.wh1";
    setFile = folder.Write("system/fuzz.swp", "");
    optionsFile = folder.Write("system/fuzz.opt", "");
  }
};

void Write(const std::string& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

// The set as loaded, or nothing when it names a file outside the program's folders: then
// refused with one message and no definition but the caption "No Report Selected".
std::optional<TKVReport> Load(const Scratch& scratch, ProgramSettings& settings) {
  TKVReport report;
  korvana::testing::RecordingMessages messages;
  if (!LoadReportSet(scratch.setFile, report, settings, messages)) {
    Require(messages.messages.size() == 1 && messages.Only().rfind("The report set ", 0) == 0);
    Require(report.caption == "No Report Selected" && report.setFile.empty());
    return std::nullopt;
  }
  Require(messages.Empty());
  return report;
}

void CheckReport(const TKVReport& r, const ProgramSettings& settings) {
  const std::size_t dyn = r.dynFiles.size();
  Require(dyn <= 999 && (dyn == 0 || r.includesDynRep));
  for (const auto* list : {&r.dynTypeNames, &r.dynP1TypeNames, &r.dynP2TypeNames, &r.dynPointsAvailable,
                           &r.radixPointsAvailable, &r.dynAspectsAvailable, &r.dynPointsSelected,
                           &r.radixPointsSelected, &r.dynAspectsSelected, &r.dynWorkingList})
    Require(list->size() == dyn);
  for (const std::string& file : r.dynFiles) Require(!file.empty());
  Require(r.extraPointNumbers.size() == r.extraPointNames.size() && r.extraPointNumbers.size() <= 1000);
  Require(r.usesExtraPoints || r.extraPointNumbers.empty());
  for (std::int32_t id : r.extraPointNumbers) Require(id != -1);
  Require(r.frontPageGraphicWidth > 0.0f && r.frontPageGraphicWidth <= 1.0f);
  Require(r.language >= 0 && r.language <= 3);
  Require(r.starNames.size() <= 300);
  Require(!r.pointSelection[0]);
  Require(settings.CurrentWheel == ChooseWheel(r, settings));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static const Scratch scratch;
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  Write(scratch.setFile, text);
  Write(scratch.optionsFile, text);

  for (const std::string& option : LoadOptions(scratch.optionsFile)) Require(option.find('=') != std::string::npos);

  ProgramSettings settings = scratch.settings;
  const std::optional<TKVReport> loaded = Load(scratch, settings);
  if (!loaded) return 0;
  const TKVReport& report = *loaded;
  Require(report.setFile == scratch.setFile);
  CheckReport(report, settings);

  const auto sets = ListReportSets(settings.SystemPath);
  Require(sets.size() == 1 && sets[0].fileName == "fuzz.swp");
  const ReportSetPreview preview = PreviewReportSet(settings.SystemPath, "fuzz.swp");
  Require(preview.splashPath.empty() != preview.splashMissing.empty());

  // The user's choices written back load again; the rest of the set is unchanged.
  TKVReport chosen = report;
  chosen.paraTitles = 2;
  for (std::string& selected : chosen.dynPointsSelected) selected = "0101";
  Require(WriteBackReportSet(chosen));
  ProgramSettings again = scratch.settings;
  const std::optional<TKVReport> reread = Load(scratch, again);
  Require(reread.has_value());
  const TKVReport& reloaded = *reread;
  CheckReport(reloaded, again);
  Require(reloaded.paraTitles == 2 && reloaded.caption == report.caption && reloaded.dynFiles == report.dynFiles &&
          reloaded.dynPointsSelected == chosen.dynPointsSelected &&
          reloaded.extraPointNumbers == report.extraPointNumbers && reloaded.options == report.options);
  return 0;
}
