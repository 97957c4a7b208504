// The commands that draw (wheel pictures, metafiles, reports with their chart page) run
// in the drawing program "korvana-draw", the only one that loads the GUI libraries. The
// command-line program "korvana" lists them like its own but hands each one over whole to
// the drawing program, so that every other command starts without those libraries.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvana::cli {

inline constexpr const char* DrawingProgramName = "korvana-draw";

// How a command is named and described in the help.
struct CommandText {
  std::string name;
  std::string usage;    // the synopsis after "korvana "
  std::string summary;  // one line
};

// wheel, metafile, report and queue, in that order.
const std::vector<CommandText>& DrawingCommands();

// The drawing command of that name; throws std::out_of_range for any other name.
const CommandText& DrawingCommand(std::string_view name);

}  // namespace korvana::cli
