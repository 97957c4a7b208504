// The command-line front end's command table. Each command lives in its own file and
// registers itself with a static CommandRegistration, so adding a command touches no
// other file. A command's build function adds its options (options.h) bound to an
// options struct it keeps, and gives back the run that reads them once the whole command
// line parsed.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "cli/options.h"

namespace korvana::cli {

class Environment;

// One run of one parsed command: where to write, and what every command shares.
struct CommandContext {
  std::ostream& out;
  std::ostream& err;
  Environment& env;
};

// Wrong usage (unknown option, missing or malformed value, missing argument) is found by
// the parser before any command runs and ends the program with this code.
constexpr int UsageExitCode = 2;

// A command's work after a successful parse: returns the exit code, 0 on success, 1 on a
// failure it reported.
using CommandRun = std::function<int(CommandContext&)>;

// Adds a command's options and arguments and returns its run.
using CommandBuild = std::function<CommandRun(CommandOptions&)>;

struct CommandInfo {
  std::string name;
  std::string usage;    // the synopsis after "korvana ", e.g. "reportset show [FILE.swp]"
  std::string summary;  // one line
  CommandBuild build;
};

// The registered top-level commands, in registration order.
std::vector<CommandInfo>& Commands();

struct CommandRegistration {
  explicit CommandRegistration(CommandInfo info);
};

// Adds each command as a subcommand of `parent` (nested commands call this from their
// build function) and makes the command line name exactly one of them. The returned run
// runs the one the parse chose; call it only after the parse succeeded.
CommandRun AddSubcommands(CommandOptions& parent, const std::vector<CommandInfo>& commands);

// The words the program was started with (its argv), as CommandLine::Parse received them.
const std::vector<std::string>& StartWords();

// The whole command line: the program's own options, then one of the registered
// commands. Help and usage errors show "usage: korvana SYNOPSIS" lines.
class CommandLine {
 public:
  // `description` heads the help; `usage` is the program's synopsis after "korvana ".
  CommandLine(const std::string& description, const std::string& usage);
  ~CommandLine();

  // The program's own options, given before the command.
  CommandOptions& ProgramOptions() { return options_; }

  // Adds the registered commands and parses argv. Gives back the chosen command's run,
  // or an empty run when the parse ended the program, with exitCode set to its code:
  // help asked for ("--help", "help": printed on out, 0), no arguments (the help on
  // err, UsageExitCode), or a usage error ("korvana: MESSAGE" and the usage of the
  // command it belongs to on err, UsageExitCode). Call it once.
  CommandRun Parse(int argc, char** argv, std::ostream& out, std::ostream& err, int& exitCode);

 private:
  std::unique_ptr<CLI::App> program_;
  CommandOptions options_;
};

}  // namespace korvana::cli
