// korvana compile SOURCE [-o OUT.bin]: compiles a report source text into a compiled
// report and its section index, printing the compiler's message list.
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "core/reports/compiler/compiler.h"
#include "core/reports/reportset/report_set.h"

namespace korvana::cli {
namespace {

constexpr const char* Usage = "compile SOURCE [-o OUT.bin]";

int Run(CommandContext& ctx) {
  std::string source;
  std::string output;
  bool outputGiven = false;
  for (std::size_t i = 0; i < ctx.args.size(); ++i) {
    const std::string& arg = ctx.args[i];
    if (arg == "-o") {
      if (outputGiven || i + 1 >= ctx.args.size()) return UsageError(ctx, Usage);
      output = ctx.args[++i];
      outputGiven = true;
    } else if (source.empty() && !arg.empty() && arg[0] != '-') {
      source = arg;
    } else {
      return UsageError(ctx, Usage);
    }
  }
  if (source.empty() || (outputGiven && output.empty())) return UsageError(ctx, Usage);

  // The current report set gives the default output and the option and star words.
  const TKVReport& report = ctx.env.Report();
  if (!outputGiven) output = report.compiledFile;
  if (output.empty()) {
    ctx.err << "korvana: no report set is selected to name the compiled file; give -o OUT.bin\n";
    return 1;
  }
  CompileInputs inputs;
  inputs.options = report.options;
  inputs.starNames = report.starNames;

  std::vector<std::string> list;
  CompileResult result = CompileReportText(source, output, list, ctx.env.MessagesSink(), inputs);
  for (const std::string& line : list) ctx.out << line << "\n";
  return result.written ? 0 : 1;
}

CommandRegistration reg({"compile", Usage,
                         "compile a report source text into a compiled report and section index", Run});

}  // namespace
}  // namespace korvana::cli
