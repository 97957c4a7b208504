#include "core/reports/reportset/report_set.h"

#include <optional>
#include <utility>

#include "core/astro/stars.h"
#include "core/reports/language/language.h"
#include "core/util/files.h"
#include "core/util/ini_file.h"
#include "core/util/records.h"
#include "core/util/text.h"

namespace korvana {
namespace {

constexpr const char* Report = "Report";
constexpr int MaxDynamicSections = 999;
constexpr int MaxExtraPoints = 1000;
constexpr std::size_t MaxStars = 300;
constexpr const char* AllPointsOn = "111111111111111111111111111111111111";

std::string Numbered(const char* key, int n) { return key + std::to_string(n); }

float GraphicWidth(const std::string& text) {
  auto v = ParseReal(text);
  if (!v || !(*v > 0.0) || *v > 1.0) return 0.3f;
  // A width too small for a float (1e-320) would become 0: no picture at all.
  const float width = static_cast<float>(*v);
  return width > 0.0f ? width : 0.3f;
}

void LoadDynamicSections(const IniFile& ini, TKVReport& r, const ProgramSettings& s) {
  for (auto* list : {&r.dynFiles, &r.dynTypeNames, &r.dynP1TypeNames, &r.dynP2TypeNames,
                     &r.dynPointsAvailable, &r.radixPointsAvailable, &r.dynAspectsAvailable,
                     &r.dynPointsSelected, &r.radixPointsSelected, &r.dynAspectsSelected, &r.dynWorkingList})
    list->clear();
  if (!r.includesDynRep) return;
  for (int n = 1; n <= MaxDynamicSections; ++n) {
    std::string file = ini.ReadString(Report, Numbered("DynFile", n), "");
    if (file.empty()) break;
    r.dynFiles.push_back(ResolveInFolder(file, s.SourcePath));
    r.dynTypeNames.push_back(ini.ReadString(Report, Numbered("DynTypeName", n), "Transits"));
    r.dynP1TypeNames.push_back(ini.ReadString(Report, Numbered("DynP1TypeName", n), "Transiting"));
    r.dynP2TypeNames.push_back(ini.ReadString(Report, Numbered("DynP2TypeName", n), "Radix"));
    r.dynPointsAvailable.push_back(ini.ReadString(Report, Numbered("DynPointsAvailable", n), "00000011111"));
    r.radixPointsAvailable.push_back(ini.ReadString(Report, Numbered("RadixPointsAvailable", n), "10111111111"));
    r.dynAspectsAvailable.push_back(ini.ReadString(Report, Numbered("DynAspectsAvailable", n), "1111111"));
    r.dynPointsSelected.push_back(ini.ReadString(Report, Numbered("DynPointsSelected", n), AllPointsOn));
    r.radixPointsSelected.push_back(ini.ReadString(Report, Numbered("RadixPointsSelected", n), AllPointsOn));
    r.dynAspectsSelected.push_back(ini.ReadString(Report, Numbered("DynAspectsSelected", n), AllPointsOn));
    r.orbEntering = ParseDecimal(ini.ReadString(Report, Numbered("DynOrbEnter", n), "1.0"));
    r.orbLeaving = ParseDecimal(ini.ReadString(Report, Numbered("DynOrbLeave", n), "1.0"));
    r.dynWorkingList.emplace_back();
  }
}

void LoadExtraPoints(const IniFile& ini, TKVReport& r) {
  r.extraPointNumbers.clear();
  r.extraPointNames.clear();
  r.usesExtraPoints = ini.ReadBool("Extra Wheel Points", "UsesExtraPoints", false);
  if (!r.usesExtraPoints) return;
  for (int n = 1; n <= MaxExtraPoints; ++n) {
    std::int32_t id = ini.ReadInteger("Extra Wheel Points", Numbered("AsteroidID", n), -1);
    if (id == -1) break;
    r.extraPointNumbers.push_back(id);
    r.extraPointNames.push_back(ini.ReadString("Extra Wheel Points", Numbered("AsteroidName", n), ""));
  }
}

}  // namespace

std::array<bool, PointCount + 1> ParsePointSelection(const std::string& points) {
  std::array<bool, PointCount + 1> on{};
  for (std::size_t i = 0; i < points.size() && i < PointCount; ++i) on[i + 1] = points[i] == '1';
  return on;
}

std::string ChooseWheel(const TKVReport& r, const ProgramSettings& s) {
  if (r.synastry || r.includesSolarReturn || r.includesLunarReturn) return s.BiWheel;
  if (r.usesExtraPoints) return s.DefExtrasWheel;
  return s.DefWheel;
}

std::vector<std::string> LoadOptions(const std::string& optionsFile) {
  std::vector<std::string> options;
  IniFile ini(optionsFile);
  for (int n = 1;; ++n) {
    std::string section = "Option " + std::to_string(n);
    std::string description = ini.ReadString(section, "Description", "");
    if (description.empty()) break;
    options.push_back(ini.ReadString(section, "Mnemonic", "") + "=" + description);
  }
  return options;
}

std::vector<std::string> ReadStarNames(const std::string& starFile) {
  std::vector<std::string> names;
  for (const StarRecord& star : ReadStarFile(starFile)) names.push_back(StarNameOf(star));
  return names;
}

namespace {

// The files a report set names, by key, as the loaded definition holds them.
std::vector<std::pair<std::string, std::string>> NamedFiles(const TKVReport& r) {
  std::vector<std::pair<std::string, std::string>> files = {
      {"BinaryFile", r.compiledFile}, {"SourceFile", r.sourceFile},   {"AspectFile", r.aspectFile},
      {"AlmFile", r.almutenFile},     {"OptionsFile", r.optionsFile}, {"StarFile", r.starFile}};
  for (std::size_t i = 0; i < r.dynFiles.size(); ++i) files.emplace_back(Numbered("DynFile", int(i) + 1), r.dynFiles[i]);
  return files;
}

// The first file the set names outside the program's report folders, as "key = path".
std::optional<std::string> FileOutsideTheFolders(const TKVReport& r, const ProgramSettings& s) {
  for (const auto& [key, path] : NamedFiles(r))
    if (!path.empty() && !IsInReportFolders(path, s)) return key + " = " + path;
  return std::nullopt;
}

// Every field of the set's file, files resolved against their folders.
void ReadReportSet(const std::string& setFile, TKVReport& r, const ProgramSettings& s) {
  IniFile ini(setFile);
  const std::string base = BaseNameOf(setFile);
  r.setFile = setFile;
  r.caption = ini.ReadString(Report, "Caption", base);
  r.frontPageTitle = ini.ReadString(Report, "FrontPageTitle", r.caption);
  std::string title = ini.ReadString(Report, "Title", base);
  r.description = ini.ReadString(Report, "Description", title);
  r.compiledFile = ResolveInFolder(ini.ReadString(Report, "BinaryFile", s.CompilePath + base + ".bin"), s.CompilePath);
  r.sourceFile = ResolveInFolder(ini.ReadString(Report, "SourceFile", s.SourcePath + base + ".txt"), s.SourcePath);
  r.sourceAvailable = ini.ReadBool(Report, "SourceAvailable", true);
  r.aspectFile = ResolveInFolder(ini.ReadString(Report, "AspectFile", s.UserPath + base + ".asp"), s.UserPath);
  r.almutenFile = ResolveInFolder(ini.ReadString(Report, "AlmFile", s.SystemPath + base + ".alm"), s.SystemPath);
  r.paraTitles = ini.ReadInteger(Report, "ParaTitles", 0);
  r.points = ini.ReadString(Report, "Points", "101011111111");
  r.splashFile = ini.ReadString(Report, "SplashFile", s.SystemPath + base + ".bmp");
  r.askQuesitedHouse = ini.ReadBool(Report, "GetQuesitedHouse", false);
  r.askChartGender = ini.ReadBool(Report, "GetChartGender", false);
  r.synastry = ini.ReadBool(Report, "Synastry", false);
  r.composite = ini.ReadBool(Report, "Composite", false);
  std::string star = ini.ReadString(Report, "StarFile", "");
  r.starFile = Trim(star).empty() ? std::string() : ResolveInFolder(star, s.UserPath);
  r.optionsFile = ResolveInFolder(ini.ReadString(Report, "OptionsFile", base + ".opt"), s.SystemPath);
  r.frontPageStyle = ini.ReadInteger(Report, "FrontPageStyle", 0);
  r.author = ini.ReadString(Report, "Author", "");
  r.translator = ini.ReadString(Report, "Translator", "");
  r.frontPageGraphicFile = ini.ReadString(Report, "FrontPageGraphicFile", "");
  r.frontPageGraphicWidth = GraphicWidth(ini.ReadString(Report, "FrontPageGraphicWidth", "0.3"));
  r.includesDynRep = ini.ReadBool(Report, "IncludesDynRep", false);
  LoadDynamicSections(ini, r, s);
  r.includesSolarReturn = ini.ReadBool(Report, "IncludesSolRetRep", false);
  r.includesLunarReturn = ini.ReadBool(Report, "IncludesLunRetRep", false);
  std::string language = ini.ReadString(Report, "Language", "");

  LoadExtraPoints(ini, r);
  r.pointSelection = ParsePointSelection(r.points);
  r.language = lang::LanguageFromCode(language);
}

}  // namespace

bool LoadReportSet(const std::string& setFile, TKVReport& report, ProgramSettings& s, Messages& messages) {
  report.caption = "No Report Selected";
  if (!FileExists(setFile)) {
    messages.Error("Project file does not exist: " + setFile);
    return false;
  }
  TKVReport r;
  ReadReportSet(setFile, r, s);
  // A set may only name files in the program's folders: compiling it writes beside them.
  if (const auto outside = FileOutsideTheFolders(r, s)) {
    messages.Error("The report set " + setFile + " names a file outside the program's folders:" + "\r\n\r\n" +
                   *outside);
    return false;
  }

  s.CurrentWheel = ChooseWheel(r, s);
  if (r.includesLunarReturn) s.Summary = false;

  r.starNames.clear();
  if (!r.starFile.empty()) {
    try {
      r.starNames = ReadStarNames(r.starFile);
    } catch (const EStarFileError&) {
      r.starNames = {"Error"};  // the star words of a set whose star file cannot be read
    }
  }
  r.options = LoadOptions(r.optionsFile);
  report = std::move(r);
  return true;
}

bool WriteBackReportSet(const TKVReport& r) {
  if (r.setFile.empty() || !FileExists(r.setFile)) return false;
  IniFile ini(r.setFile);
  ini.WriteInteger(Report, "ParaTitles", r.paraTitles);
  ini.WriteString(Report, "Points", r.points);
  for (std::size_t i = 0; i < r.dynFiles.size(); ++i) {
    int n = static_cast<int>(i) + 1;
    ini.WriteString(Report, Numbered("DynPointsSelected", n), r.dynPointsSelected[i]);
    ini.WriteString(Report, Numbered("RadixPointsSelected", n), r.radixPointsSelected[i]);
    ini.WriteString(Report, Numbered("DynAspectsSelected", n), r.dynAspectsSelected[i]);
    ini.WriteString(Report, Numbered("DynOrbEnter", n), FormatReal(r.orbEntering));
    ini.WriteString(Report, Numbered("DynOrbLeave", n), FormatReal(r.orbLeaving));
  }
  return ini.Save();
}

std::vector<ReportSetEntry> ListReportSets(const std::string& systemPath) {
  std::vector<ReportSetEntry> sets;
  for (const auto& name : ListFiles(systemPath, "*.swp")) {
    IniFile ini(systemPath + name);
    std::string caption = ini.ReadString(Report, "Caption", BaseNameOf(name));
    sets.push_back({ini.ReadString(Report, "SelectCaption", caption), ToLowerAscii(name)});
  }
  return sets;
}

ReportSetPreview PreviewReportSet(const std::string& systemPath, const std::string& fileName) {
  IniFile ini(systemPath + fileName);
  ReportSetPreview p;
  std::string title = ini.ReadString(Report, "Title", BaseNameOf(fileName));
  p.description = ini.ReadString(Report, "Description", title);
  std::string splash = ini.ReadString(Report, "SplashFile", BaseNameOf(fileName) + ".bmp");
  if (auto found = FindPathNoCase(systemPath + splash)) p.splashPath = *found;
  else p.splashMissing = "File missing: " + splash;
  return p;
}

}  // namespace korvana
