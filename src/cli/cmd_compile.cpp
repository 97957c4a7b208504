// korvana compile SOURCE [-o OUT.bin]: compiles a report source text into a compiled
// report and its section index, printing the compiler's message list.
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "cli/validators.h"
#include "core/reports/compiler/compiler.h"
#include "core/reports/reportset/report_set.h"

namespace korvana::cli {
namespace {

// What the command line asks of compile.
struct CompileArguments {
  std::string source;
  std::optional<std::string> output;
};

int Run(CommandContext& ctx, const CompileArguments& a) {
  // The current report set gives the default output and the option and star words.
  const TKVReport& report = ctx.env.Report();
  const std::string output = a.output ? *a.output : report.compiledFile;
  if (output.empty()) {
    ctx.err << "korvana: no report set is selected to name the compiled file; give -o OUT.bin\n";
    return 1;
  }
  CompileInputs inputs;
  inputs.options = report.options;
  inputs.starNames = report.starNames;

  std::vector<std::string> list;
  CompileResult result = CompileReportText(a.source, output, list, ctx.env.MessagesSink(), inputs);
  for (const std::string& line : list) ctx.out << line << "\n";
  // The list is the compiler's log; its errors also go where errors belong.
  if (result.errors) {
    for (const std::string& line : list)
      if (line.rfind("!!! Error", 0) == 0) ctx.err << "korvana: " << line << "\n";
    ctx.err << "korvana: errors found in " << a.source << "; no compiled file was written\n";
  }
  return result.written ? 0 : 1;
}

CommandRun Build(CommandOptions& app) {
  auto a = std::make_shared<CompileArguments>();
  app.Value("SOURCE", a->source, "the report source text").Required();
  app.Value("-o,--output", a->output, "the compiled report (default: the current report set's)")
      .ValueName("OUT.bin")
      .Check(NotEmpty());
  return [a](CommandContext& ctx) { return Run(ctx, *a); };
}

CommandRegistration reg({"compile", "compile SOURCE [-o OUT.bin]",
                         "compile a report source text into a compiled report and section index", Build});

}  // namespace
}  // namespace korvana::cli
