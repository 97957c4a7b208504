#include "cli/environment.h"

#include <ostream>

#include "core/astro/ephemeris.h"
#include "core/config/program_start.h"
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


Environment::Environment(std::string home, std::string config, std::ostream& err)
    : home_(std::move(home)), config_(std::move(config)), messages_(err) {}

Environment::~Environment() = default;

ProgramSettings& Environment::Settings() {
  if (settings_) return *settings_;
  settings_ = std::make_unique<ProgramSettings>();
  StartProgram(*settings_, home_, config_, TemplateFolder(KORVANA_TEMPLATE_DIR), &SwissEphemerisUsable, messages_);
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
