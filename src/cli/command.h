// The command-line front end's command table. Each command lives in its own file and
// registers itself with a static CommandRegistration, so adding a command touches no
// other file.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace korvana::cli {

class Environment;

// One run of one command: its arguments after the command name, and where to write.
struct CommandContext {
  std::vector<std::string> args;
  std::ostream& out;
  std::ostream& err;
  Environment& env;
};

// A command returns the process exit code: 0 on success, 1 on a failure it reported,
// 2 on wrong usage.
using CommandFunction = std::function<int(CommandContext&)>;

struct CommandInfo {
  std::string name;
  std::string usage;    // e.g. "reportset show [FILE.swp]"
  std::string summary;  // one line
  CommandFunction run;
};

std::vector<CommandInfo>& Commands();

struct CommandRegistration {
  explicit CommandRegistration(CommandInfo info);
};

// Prints "usage: korvana <usage>" to err and returns 2.
int UsageError(CommandContext& ctx, const std::string& usage);

}  // namespace korvana::cli
