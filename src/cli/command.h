// The command-line front end's command table, on the CLI11 parser. Each command lives in
// its own file and registers itself with a static CommandRegistration, so adding a command
// touches no other file. A command's build function adds its options to its CLI11
// subcommand, bound to an options struct it keeps, and gives back the run that reads
// them once the whole command line parsed.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
class ParseError;
}

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

// Adds a command's options and arguments to its subcommand and returns its run.
using CommandBuild = std::function<CommandRun(CLI::App&)>;

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

// Makes `program` print "usage: korvana SYNOPSIS" lines in its help and usage errors,
// `usage` being its own synopsis. Call it before adding any subcommand.
void UseKorvanaHelp(CLI::App& program, const std::string& usage);

// Adds each command as a subcommand of `app` (nested commands call this from their build
// function) and makes the command line name exactly one of them. The returned run runs
// the one the parse chose; call it only after the parse succeeded.
CommandRun AddSubcommands(CLI::App& app, const std::vector<CommandInfo>& commands);

// Reports a parse error of `program`'s command line on err: "korvana: MESSAGE" and the
// usage of the command the error belongs to. Returns UsageExitCode.
int ReportUsageError(const CLI::App& program, const CLI::ParseError& error, std::ostream& err);

// "cast", "charts add": the words that name a subcommand on the command line.
std::string CommandPath(const CLI::App& app);

}  // namespace korvana::cli
