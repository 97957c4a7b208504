// The drawing commands as the command-line program knows them: listed in its help, and
// handed over whole to the drawing program beside it, which parses and runs them.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <vector>

#include "cli/command.h"
#include "cli/drawing_commands.h"

namespace korvana::cli {
namespace {

// The drawing program in the folder of the running program.
std::string DrawingProgram() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return (ec ? std::filesystem::path(".") : self.parent_path()) / DrawingProgramName;
}

// Replaces this process by the drawing program with the same words; returns only when
// that program cannot be started.
int HandOver(CommandContext& ctx) {
  const std::string program = DrawingProgram();
  std::vector<std::string> words = StartWords();
  words.at(0) = program;
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  ctx.out.flush();
  ctx.err.flush();
  ::execv(program.c_str(), argv.data());
  ctx.err << "korvana: the drawing program " << program << " cannot be started: " << std::strerror(errno) << "\n";
  return 1;
}

struct Registrations {
  Registrations() {
    for (const CommandText& text : DrawingCommands())
      CommandRegistration({text.name, text.usage, text.summary, [](CommandOptions& options) -> CommandRun {
                             options.PassThrough();
                             return HandOver;
                           }});
  }
};

const Registrations registrations;

}  // namespace
}  // namespace korvana::cli
