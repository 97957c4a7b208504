#include "core/config/start_up.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "core/points/point_catalogue.h"
#include "core/util/files.h"
#include "core/util/records.h"
#include "core/util/text.h"

namespace fs = std::filesystem;

namespace korvana {

static_assert(LastPoint == PointCount, "the point catalogue and the settings tables must agree");

namespace {

std::string EnvOr(const char* name) {
  const char* v = std::getenv(name);
  return v && *v ? std::string(v) : std::string();
}

std::string HomeFolder() {
  std::string home = EnvOr("HOME");
  return home.empty() ? std::string("/tmp") : home;
}

}  // namespace

std::string ResolveDataFolder(const std::string& option) {
  std::string folder = option;
  if (folder.empty()) folder = EnvOr("KORVANA_HOME");
  if (folder.empty()) {
    std::string xdg = EnvOr("XDG_DATA_HOME");
    folder = (xdg.empty() ? HomeFolder() + "/.local/share" : xdg) + "/korvana";
  }
  return NormalisePath(WithTrailingSlash(folder));
}

std::string ResolveSettingsFile(const std::string& option) {
  std::string file = option;
  if (file.empty()) file = EnvOr("KORVANA_CONFIG");
  if (file.empty()) {
    std::string xdg = EnvOr("XDG_CONFIG_HOME");
    file = (xdg.empty() ? HomeFolder() + "/.config" : xdg) + "/korvana/registry.ini";
  }
  return NormalisePath(file);
}

bool SeedDataFolder(const std::string& dataFolder, const std::string& templateFolder) {
  if (!MakeFolders(dataFolder)) return false;
  std::error_code ec;
  if (templateFolder.empty() || !fs::is_directory(templateFolder, ec)) return true;
  for (fs::recursive_directory_iterator it(templateFolder, ec), end; !ec && it != end; it.increment(ec)) {
    // Lexically: the iterator's paths lie under the template folder as written, and
    // resolving links for every file would cost a start-up a dozen milliseconds.
    fs::path rel = it->path().lexically_relative(templateFolder);
    fs::path target = fs::path(dataFolder) / rel;
    if (it->is_directory(ec)) {
      fs::create_directories(target, ec);
    } else if (!IsWorkFileName(rel.filename().string()) && !fs::exists(target, ec)) {
      // A work file in the template is a file being made there (the build tree's
      // template while the build runs), not part of it.
      fs::create_directories(target.parent_path(), ec);
      fs::copy_file(it->path(), target, ec);
    }
  }
  return true;
}

std::array<bool, PointCount + 1> InitialWheelPointSelection() {
  std::array<bool, PointCount + 1> on{};
  for (int p : {1, 3, 5, 6, 7, 8, 9, 10, 11, 12, 20, 21, 22, 23, 26}) on[p] = true;
  return on;
}

void BuildGlyphTables(ProgramSettings& s) {
  for (int n = 1; n <= PointCount; ++n) s.PointGlyph[n] = static_cast<std::uint8_t>(PointGlyph(n));
  for (int n = 1; n <= SignCount; ++n) s.SignGlyph[n] = static_cast<std::uint8_t>(n + 127);
  s.SignGlyph[1] = 220;
  s.SignGlyph[2] = 221;
}

Rgb ToRgb(Color c) {
  return Rgb{static_cast<std::uint8_t>(RedOf(c)), static_cast<std::uint8_t>(GreenOf(c)),
             static_cast<std::uint8_t>(BlueOf(c))};
}

void BuildSignColors(ProgramSettings& s) {
  for (int n = 1; n <= SignCount; ++n) {
    double hue = (n - 1) / 12.0;
    s.SignColor[n] = ToRgb(HslToColor(hue, 0.75, 0.5));
    s.SignColorLight[n] = ToRgb(HslToColor(hue, 1.0, 0.875));
  }
  s.SignColor[13] = Rgb{255, 0, 0};
}

std::array<Color, PointCount + 1> ReadPointColorFile(const std::string& path) {
  auto data = ReadFileBytes(path);
  if (!data || data->size() < PointCount * 4)
    throw EPointColorFileError("Unable to read color file: \r\n\r\n" + path);
  std::array<Color, PointCount + 1> colors{};
  ByteReader r(*data);
  for (int n = 1; n <= PointCount; ++n) colors[n] = r.U32();
  return colors;
}

bool ReadPointColors(ProgramSettings& s, Messages& messages) {
  s.PointColor.fill(0);
  try {
    s.PointColor = ReadPointColorFile(s.PointColors);
    return true;
  } catch (const EPointColorFileError& e) {
    messages.Error(e.what());
    return false;
  }
}

bool WritePointColors(const ProgramSettings& s, Messages& messages) {
  ByteWriter w;
  for (int n = 1; n <= PointCount; ++n) w.U32(s.PointColor[n]);
  if (WriteFileAtomic(s.PointColors, w.Data())) return true;
  messages.Error("Unable to write color file: \r\n\r\n" + s.PointColors);
  return false;
}

const char* const DefaultComplimentsLines[4] = {
    "COMPLIMENTS OF", "Korvana Astrology Software",
    "PO Box 2417, North Adelaide SA 5006, Australia",
    "Tel +61 8 7200 4410  |  reports@korvana.example  |  www.korvana.example"};

const char* const FormerMakerAddressLine = "ABN 00 000 000 000  |  PO Box 1, Stirling SA 5152";

std::vector<std::string> ConvertOldCompliments(const std::vector<std::string>& lines) {
  std::vector<std::string> items;
  for (const auto& l : lines)
    if (!Trim(l).empty()) items.emplace_back(l);
  std::vector<std::string> out(4);
  for (std::size_t i = 0; i < 2 && i < items.size(); ++i) out[i] = items[i];
  std::size_t k = items.size() > 2 ? items.size() - 2 : 0;
  std::size_t first = (k + 1) / 2;
  for (std::size_t i = 0; i < k; ++i) {
    std::string& line = out[i < first ? 2 : 3];
    const std::string& item = items[2 + i];
    if (line.empty()) line = item;
    else if (line.back() == ',') line += " " + item;
    else line += "  |  " + item;
  }
  return out;
}

static bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  return WriteFileAtomic(path, text);
}

void UpkeepComplimentsFile(const std::string& systemPath, const std::string& complimentsFile) {
  std::error_code ec;
  const std::string backup = systemPath + "compli-backup.txt", temp = systemPath + "compli-temp.txt",
                    old = systemPath + "compli.txt", archived = systemPath + "compli-archived.txt";
  if (FileExists(backup)) {
    fs::remove(temp, ec);
    fs::rename(old, temp, ec);
    if (!ec && CopyFileTo(backup, old, false)) {
      fs::remove(temp, ec);
      fs::remove(archived, ec);
      fs::rename(backup, archived, ec);
    }
  }
  if (!FileExists(complimentsFile) && FileExists(old)) {
    if (auto text = ReadFileBytes(old)) WriteLines(complimentsFile, ConvertOldCompliments(SplitLines(*text)));
  }
  bool replace = !FileExists(complimentsFile);
  if (!replace) {
    auto lines = SplitLines(ReadFileBytes(complimentsFile).value_or(""));
    replace = lines.size() > 2 && lines[1] == "ZEPHRAM" && lines[2] == FormerMakerAddressLine;
    if (replace) {
      CopyFileTo(complimentsFile, systemPath + "compliments-Zephram.txt", true);
      fs::remove(complimentsFile, ec);
    }
  }
  if (replace && FolderExists(FolderOf(complimentsFile)))
    WriteLines(complimentsFile, {std::begin(DefaultComplimentsLines), std::end(DefaultComplimentsLines)});
}

int AsteroidNumberOfFile(const std::string& fileName) {
  std::string base = BaseNameOf(fileName);
  if (!base.empty() && AsciiLower(base.back()) == 's') base.pop_back();
  std::string digits;
  if (StartsWithNoCase(base, "se")) digits = base.substr(2);
  else if (StartsWithNoCase(base, "s")) digits = base.substr(1);
  return ParseInt32(digits).value_or(0);
}

int DistributeAsteroidFiles(const std::string& systemPath, const std::string& swissEphemPath) {
  int copied = 0;
  for (const auto& name : ListFiles(systemPath, "s*.se1")) {
    int number = AsteroidNumberOfFile(name);
    if (number <= 0) continue;
    std::string folder = swissEphemPath + "ast" + std::to_string(number / 1000) + "/";
    if (FileExists(folder + name)) continue;
    if (MakeFolders(folder) && CopyFileTo(systemPath + name, folder + name, false)) ++copied;
  }
  return copied;
}

void SetPageSize(ProgramSettings& s, const std::optional<PrinterCapabilities>& printer) {
  if (printer && printer->dpiX > 0 && printer->dpiY > 0 && printer->physicalHeight > 0 &&
      printer->physicalWidth > 0) {
    s.PageHeightTwips = static_cast<std::int32_t>(
        std::trunc(static_cast<double>(printer->physicalHeight - printer->offsetY) / printer->dpiY * 1440.0));
    s.PageWidthTwips = static_cast<std::int32_t>(
        std::trunc(static_cast<double>(printer->physicalWidth - printer->offsetX) / printer->dpiX * 1440.0));
  } else {
    s.PageHeightTwips = 16951;
    s.PageWidthTwips = 12018;
  }
}

MailFailureText ShowMapiFailure(int code, const std::string& body, const std::string& attachment) {
  MailFailureText t;
  if (code == 0 || code == 1) return t;
  t.show = true;
  t.message = "Unable to launch MAPI email client - Error code: " + std::to_string(code) +
              "\r\n\r\nYou must have a valid MAPI email program installed, such as Outlook or Eudora, "
              "and to have its MAPI options enabled in order to use this automatic email option.";
  if (!body.empty() || !attachment.empty()) {
    t.message += "\r\n\r\nYou can still send the information manually by creating a new email";
    if (!body.empty()) {
      t.message += " and pasting the contents of the clipboard into the body of the email";
      t.clipboard = body;
    }
    if (!attachment.empty()) t.message += " and attaching the following file to it:\r\n\r\n" + attachment;
    t.message += ".";  // the first part already ends with its own full stop
  }
  return t;
}

void InitialiseProgram(ProgramSettings& s, IniFile& store, const StartupEnvironment& env, Messages& messages) {
  s.CenturyPivotYear = 1930;
  s.WheelPointSelection = InitialWheelPointSelection();
  s.SymbolFontInstalled = env.options.symbolFontInstalled;
  LoadSettings(s, store, env.options);
  SetPageSize(s, env.printer);
  BuildGlyphTables(s);
  ReadPointColors(s, messages);
  BuildSignColors(s);
  s.TempPath = s.SystemPath + "TEMP/";
  MakeFolders(s.TempPath);
  // Work files an interrupted run left behind in the program's folders.
  for (const std::string* folder : {&s.SystemPath, &s.UserPath, &s.ChartPath, &s.ReportPath, &s.CompilePath})
    RemoveStaleWorkFiles(*folder);
  s.SwissEphemerisAvailable = env.swissEphemerisCheck && env.swissEphemerisCheck(s.SwissEphemPath);
  if (s.SwissEphemerisAvailable) DistributeAsteroidFiles(s.SystemPath, s.SwissEphemPath);
}

}  // namespace korvana
