// Compiles a report source text for the shipped data: the compiler's message list goes to
// stderr when the compilation fails; the exit status is 0 when the compiled file and its
// section index were written.
#include <iostream>
#include <string>
#include <vector>

#include "core/reports/compiler/compiler.h"
#include "core/reports/reportset/report_set.h"
#include "core/util/messages.h"

namespace {

class StderrMessages : public korvana::SilentMessages {
 public:
  void Warning(std::string_view text) override { std::cerr << "warning: " << text << "\n"; }
  void Error(std::string_view text) override { std::cerr << "error: " << text << "\n"; }
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string source, output, options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--options" && i + 1 < args.size()) options = args[++i];
    else if (source.empty()) source = args[i];
    else if (output.empty()) output = args[i];
    else source.clear(), i = args.size();
  }
  if (source.empty() || output.empty()) {
    std::cerr << "usage: korvana_reportc SOURCE OUT.bin [--options FILE.opt]\n";
    return 2;
  }
  korvana::CompileInputs inputs;
  if (!options.empty()) inputs.options = korvana::LoadOptions(options);
  StderrMessages messages;
  std::vector<std::string> list;
  korvana::CompileResult result = korvana::CompileReportText(source, output, list, messages, inputs);
  if (!result.written || !result.indexWritten) {
    for (const std::string& line : list) std::cerr << line << "\n";
    return 1;
  }
  return 0;
}
