#include "cli/drawing_commands.h"

#include <stdexcept>

#include "cli/chart_options.h"
#include "cli/return_options.h"

namespace korvana::cli {

const std::vector<CommandText>& DrawingCommands() {
  static const std::vector<CommandText> commands = {
      {"wheel",
       std::string("wheel ") + ChartSynopsis +
           " [--chart2 FILE:N] [--design FILE] [--aspects FILE.asp] [--size WxH] [--house-expansion] "
           "[--output-kind screen|print|pdf] -o OUT.png|.svg|.pdf|.wmf",
       "draw the chart wheel into an image, SVG drawing, PDF or metafile"},
      {"metafile", "metafile info FILE.wmf | metafile png FILE.wmf OUT.png [WIDTH]",
       "show the frame of a Windows metafile or play it into a PNG picture"},
      {"report",
       std::string("report [--set FILE.swp] ") + ChartSynopsis + " [--chart2 FILE:N]" + std::string(" [-o OUT.rtf|OUT.pdf] [--pdf] [--open] "
                   "[--paper NAME] [--quesited N] [--gender m|f[,m|f]] [--names NAME[,NAME]] [--option MNEMONIC] "
                   "[--method midpoint|davison] [--anchor auto|1|10] ") +
           ReturnSynopsis + " [--debug] [--count]",
       "write the RTF or PDF report of a report set for one or two charts"},
      {"queue", "queue add|list|toggle|clear|print ...",
       "the print queue: queue reports, list them, print them or write them as PDF"},
  };
  return commands;
}

const CommandText& DrawingCommand(std::string_view name) {
  for (const CommandText& command : DrawingCommands())
    if (command.name == name) return command;
  throw std::out_of_range("no drawing command " + std::string(name));
}

}  // namespace korvana::cli
