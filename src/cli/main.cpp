// korvana: the command-line front end. Global options come first, then a command:
//   korvana [--home DIR] [--config FILE] COMMAND [ARGS...]
#include <iostream>
#include <string>

#include "cli/command.h"
#include "cli/environment.h"

namespace korvana::cli {
namespace {

constexpr const char* ProgramUsage = "[--home DIR] [--config FILE] COMMAND [ARGS...]";

int Run(int argc, char** argv) {
  CommandLine commandLine("Korvana writes astrological reports; its command line runs one command.", ProgramUsage);
  std::string home, config;
  CommandOptions& program = commandLine.ProgramOptions();
  program.Value("--home", home, "the data folder (default $KORVANA_HOME, else ~/.local/share/korvana/)")
      .ValueName("DIR");
  program.Value("--config", config, "the settings file (default $KORVANA_CONFIG, else ~/.config/korvana/registry.ini)")
      .ValueName("FILE");
  int exitCode = 0;
  const CommandRun run = commandLine.Parse(argc, argv, std::cout, std::cerr, exitCode);
  if (!run) return exitCode;

  Environment env(home, config, std::cerr);
  CommandContext ctx{std::cout, std::cerr, env};
  try {
    return run(ctx);
  } catch (const std::exception& e) {
    std::cerr << "korvana: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace
}  // namespace korvana::cli

int main(int argc, char** argv) { return korvana::cli::Run(argc, argv); }
