// korvana dump FILE.bin|FILE.ind: one line per record of a compiled report or section
// index; damage in the file is reported on stderr.
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "core/reports/compiler/compiled_reader.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

int Run(CommandContext& ctx, const std::string& file) {
  bool isIndex = EqualsNoCase(ExtensionOf(file), ".ind");
  std::optional<CompiledReportReader> reader;
  try {
    if (!FolderExists(file)) reader = CompiledReportReader::Load(file, isIndex);
  } catch (const ECompiledFileError&) {
  }
  if (!reader) {
    ctx.err << "korvana: cannot read " << file << "\n";
    return 1;
  }
  for (const PlacedRecord& placed : reader->Records()) ctx.out << DescribeRecord(placed, isIndex) << "\n";
  for (const std::string& problem : reader->Problems()) ctx.err << "korvana: " << file << ": " << problem << "\n";
  return reader->Damaged() ? 1 : 0;
}

CommandRun Build(CommandOptions& app) {
  auto file = std::make_shared<std::string>();
  app.Value("FILE", *file, "a compiled report (.bin) or section index (.ind)")
      .Required();
  return [file](CommandContext& ctx) { return Run(ctx, *file); };
}

CommandRegistration reg({"dump", "dump FILE.bin|FILE.ind", "list the records of a compiled report or section index",
                         Build});

}  // namespace
}  // namespace korvana::cli
