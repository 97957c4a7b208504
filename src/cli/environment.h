// What every command shares: the global options, the messages sink and the program's
// settings, loaded on first use from the data folder and settings file the options name.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "core/util/messages.h"

namespace korvana {
struct ProgramSettings;
struct TKVReport;
}

namespace korvana::cli {

// Messages for batch use: warnings and errors go to stderr, questions take their
// default answer (OK / Yes / the initial text) and say so on stderr.
class StderrMessages : public Messages {
 public:
  explicit StderrMessages(std::ostream& err) : err_(err) {}
  void Warning(std::string_view text) override;
  void Error(std::string_view text) override;
  void Information(std::string_view text) override;
  bool Confirm(std::string_view text) override;
  bool YesNo(std::string_view text) override;
  Answer YesNoCancel(std::string_view text) override;
  std::optional<std::string> InputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view initial) override;
  int ErrorCount() const { return errors_; }

 private:
  void Print(std::string_view label, std::string_view text);
  std::ostream& err_;
  int errors_ = 0;
};

class Environment {
 public:
  Environment(std::string home, std::string config, std::ostream& err);
  ~Environment();

  const std::string& HomeOption() const { return home_; }
  const std::string& ConfigOption() const { return config_; }
  StderrMessages& MessagesSink() { return messages_; }

  // The program settings after start-up (data folder seeded, settings loaded).
  ProgramSettings& Settings();

  // The current report set (the settings' "ProjectFile"), loaded on first use; its
  // caption is "No Report Selected" when the file does not exist.
  TKVReport& Report();

 private:
  std::string home_;
  std::string config_;
  StderrMessages messages_;
  std::unique_ptr<ProgramSettings> settings_;
  std::unique_ptr<TKVReport> report_;
};

}  // namespace korvana::cli
