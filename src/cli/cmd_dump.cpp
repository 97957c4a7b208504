// korvana dump FILE.bin|FILE.ind: one line per record of a compiled report or section
// index; damage in the file is reported on stderr.
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "core/reports/compiler/compiled_reader.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

constexpr const char* Usage = "dump FILE.bin|FILE.ind";

int Run(CommandContext& ctx) {
  if (ctx.args.size() != 1) return UsageError(ctx, Usage);
  const std::string& file = ctx.args[0];
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

CommandRegistration reg({"dump", Usage, "list the records of a compiled report or section index", Run});

}  // namespace
}  // namespace korvana::cli
