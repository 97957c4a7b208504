// korvana: the command-line front end. Global options come first, then a command:
//   korvana [--home DIR] [--config FILE] COMMAND [ARGS...]
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

#include "cli/command.h"
#include "cli/environment.h"

namespace korvana::cli {
namespace {

constexpr const char* ProgramUsage = "[--home DIR] [--config FILE] COMMAND [ARGS...]";

int Run(int argc, char** argv) {
  CLI::App program("Korvana writes astrological reports; its command line runs one command.", "korvana");
  UseKorvanaHelp(program, ProgramUsage);
  std::string home, config;
  program.add_option("--home", home, "the data folder (default $KORVANA_HOME, else ~/.local/share/korvana/)")
      ->option_text("DIR");
  program
      .add_option("--config", config,
                  "the settings file (default $KORVANA_CONFIG, else ~/.config/korvana/registry.ini)")
      ->option_text("FILE");
  // "korvana help" is "korvana --help".
  const CLI::App* help = program.add_subcommand("help")->group("");
  program.set_help_flag("-h,--help", "print this help (after a command: the command's help)");
  std::vector<CommandInfo> commands = Commands();
  const CommandRun run = AddSubcommands(program, commands);

  if (argc <= 1) {
    std::cerr << program.help();
    return UsageExitCode;
  }
  try {
    program.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << program.help();
    return 0;
  } catch (const CLI::ParseError& e) {
    return ReportUsageError(program, e, std::cerr);
  }
  if (help->parsed()) {
    std::cout << program.get_formatter()->make_help(&program, "korvana", CLI::AppFormatMode::Normal);
    return 0;
  }

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
