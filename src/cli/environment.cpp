#include "cli/environment.h"

#include <unistd.h>

#include <filesystem>
#include <ostream>

#include "core/astro/ephemeris.h"
#include "core/config/start_up.h"
#include "core/reports/reportset/report_set.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::cli {

void StderrMessages::Print(std::string_view label, std::string_view text) {
  err_ << "korvana: " << label << WithUnixLineBreaks(text) << "\n";
}

void StderrMessages::Warning(std::string_view text) { Print("warning: ", text); }
void StderrMessages::Error(std::string_view text) {
  ++errors_;
  Print("error: ", text);
}
void StderrMessages::Information(std::string_view text) { Print("", text); }
bool StderrMessages::Confirm(std::string_view text) {
  Print("question (answered OK): ", text);
  return true;
}
bool StderrMessages::YesNo(std::string_view text) {
  Print("question (answered Yes): ", text);
  return true;
}
Answer StderrMessages::YesNoCancel(std::string_view text) {
  Print("question (answered Yes): ", text);
  return Answer::Yes;
}
std::optional<std::string> StderrMessages::InputBox(std::string_view, std::string_view prompt,
                                                    std::string_view initial) {
  Print("input (answered with the default): ", prompt);
  return std::string(initial);
}

namespace {

// The installed template (<prefix>/share/korvana beside bin/), else the build tree's.
std::string TemplateFolder() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    auto installed = exe.parent_path().parent_path() / "share" / "korvana";
    if (std::filesystem::is_directory(installed, ec)) return installed.string() + "/";
  }
  return KORVANA_TEMPLATE_DIR "/";
}

}  // namespace

Environment::Environment(std::string home, std::string config, std::ostream& err)
    : home_(std::move(home)), config_(std::move(config)), messages_(err) {}

Environment::~Environment() = default;

ProgramSettings& Environment::Settings() {
  if (settings_) return *settings_;
  settings_ = std::make_unique<ProgramSettings>();
  std::string dataFolder = ResolveDataFolder(home_);
  if (!SeedDataFolder(dataFolder, TemplateFolder()))
    messages_.Error("Unable to create the data folder: " + dataFolder);
  IniFile store(ResolveSettingsFile(config_));
  StartupEnvironment env;
  env.options.programFolder = dataFolder;
  env.swissEphemerisCheck = &SwissEphemerisUsable;
  InitialiseProgram(*settings_, store, env, messages_);
  return *settings_;
}

TKVReport& Environment::Report() {
  if (report_) return *report_;
  report_ = std::make_unique<TKVReport>();
  ProgramSettings& s = Settings();
  if (FileExists(s.ProjectFile)) LoadReportSet(s.ProjectFile, *report_, s, messages_);
  return *report_;
}

}  // namespace korvana::cli
