// korvana: the command-line front end. Global options come first, then a command:
//   korvana [--home DIR] [--config FILE] COMMAND [ARGS...]
#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/environment.h"

namespace korvana::cli {

std::vector<CommandInfo>& Commands() {
  static std::vector<CommandInfo> commands;
  return commands;
}

CommandRegistration::CommandRegistration(CommandInfo info) { Commands().push_back(std::move(info)); }

int UsageError(CommandContext& ctx, const std::string& usage) {
  ctx.err << "usage: korvana " << usage << "\n";
  return 2;
}

namespace {

void PrintHelp(std::ostream& out) {
  out << "usage: korvana [--home DIR] [--config FILE] COMMAND [ARGS...]\n\n"
         "  --home DIR      the data folder (default $KORVANA_HOME, else ~/.local/share/korvana/)\n"
         "  --config FILE   the settings file (default $KORVANA_CONFIG, else\n"
         "                  ~/.config/korvana/registry.ini)\n\ncommands:\n";
  for (const auto& c : Commands()) out << "  " << c.usage << "\n      " << c.summary << "\n";
}

int Run(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string home, config;
  std::size_t i = 0;
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    if ((a == "--home" || a == "--config") && i + 1 < args.size()) {
      (a == "--home" ? home : config) = args[++i];
    } else if (a.rfind("--home=", 0) == 0) {
      home = a.substr(7);
    } else if (a.rfind("--config=", 0) == 0) {
      config = a.substr(9);
    } else if (a == "--help" || a == "-h" || a == "help") {
      PrintHelp(std::cout);
      return 0;
    } else {
      break;
    }
  }
  if (i >= args.size()) {
    PrintHelp(std::cerr);
    return 2;
  }
  std::string name = args[i];
  for (const auto& c : Commands()) {
    if (c.name == name) {
      Environment env(home, config, std::cerr);
      CommandContext ctx{std::vector<std::string>(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end()),
                         std::cout, std::cerr, env};
      try {
        return c.run(ctx);
      } catch (const std::exception& e) {
        std::cerr << "korvana: " << e.what() << "\n";
        return 1;
      }
    }
  }
  std::cerr << "korvana: unknown command \"" << name << "\" (try korvana --help)\n";
  return 2;
}

}  // namespace
}  // namespace korvana::cli

int main(int argc, char** argv) { return korvana::cli::Run(argc, argv); }
