// korvana about: the program's version and the credits of the data and libraries it uses.
#include <ostream>

#include "cli/command.h"
#include "core/config/about.h"

namespace korvana::cli {
namespace {

CommandRun Build(CommandOptions&) {
  return [](CommandContext& ctx) {
    ctx.out << AboutText();
    return 0;
  };
}

CommandRegistration reg({"about", "about", "the program's version and the credits of its data", Build});

}  // namespace
}  // namespace korvana::cli
