// korvana interp build|get: build an interpretation file from its readable source, or
// fetch one paragraph from an interpretation file as a report would.
#include <ostream>

#include "cli/command.h"
#include "core/reports/interps/interp_builder.h"
#include "core/reports/interps/interps.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

constexpr const char* Usage =
    "interp build SOURCE -o FILE [--version N] [--directed] | interp get FILE KIND A S B";

int Build(CommandContext& ctx) {
  std::string source, output;
  std::optional<int> version;
  std::optional<bool> directed;
  for (std::size_t i = 1; i < ctx.args.size(); ++i) {
    const std::string& a = ctx.args[i];
    if ((a == "-o" || a == "--output") && i + 1 < ctx.args.size()) {
      output = ctx.args[++i];
    } else if (a == "--version" && i + 1 < ctx.args.size()) {
      auto v = ParseInt32(ctx.args[++i]);
      if (!v || *v < 1 || *v > InterpMaxVersion) {
        ctx.err << "korvana: the version must be a number from 1 to 300\n";
        return 2;
      }
      version = *v;
    } else if (a == "--directed") {
      directed = true;
    } else if (source.empty() && !a.empty() && a[0] != '-') {
      source = a;
    } else {
      return UsageError(ctx, Usage);
    }
  }
  if (source.empty() || output.empty()) return UsageError(ctx, Usage);
  try {
    BuildInterpFileFromSource(source, output, version, directed);
  } catch (const EInterpSourceError& e) {
    ctx.err << "korvana: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

std::optional<int> KindOf(const std::string& word) {
  if (EqualsNoCase(word, "DegreeText")) return DegreeText;
  if (EqualsNoCase(word, "PointInHouse")) return PointInHouse;
  if (EqualsNoCase(word, "PointInSign")) return PointInSign;
  if (EqualsNoCase(word, "AspectText")) return AspectText;
  auto n = ParseInt32(word);
  if (n) return *n;
  return std::nullopt;
}

int Get(CommandContext& ctx) {
  if (ctx.args.size() != 6) return UsageError(ctx, Usage);
  auto kind = KindOf(ctx.args[2]);
  auto a = ParseInt32(ctx.args[3]), s = ParseInt32(ctx.args[4]), b = ParseInt32(ctx.args[5]);
  if (!kind || !a || !s || !b) return UsageError(ctx, Usage);
  TEMInterps interps;
  try {
    interps.Open(ctx.args[1]);
  } catch (const EInterpFileError& e) {
    ctx.err << "korvana: " << e.what() << "\n";
    return 1;
  }
  std::string text;
  if (!interps.GetText(*kind, *a, *s, *b, text)) {
    ctx.err << text << "\n";
    return 1;
  }
  ctx.out << text << "\n";
  return 0;
}

int Run(CommandContext& ctx) {
  if (ctx.args.empty()) return UsageError(ctx, Usage);
  if (ctx.args[0] == "build") return Build(ctx);
  if (ctx.args[0] == "get") return Get(ctx);
  return UsageError(ctx, Usage);
}

CommandRegistration reg({"interp", Usage,
                         "build an interpretation file from its source, or fetch one paragraph from it", Run});

}  // namespace
}  // namespace korvana::cli
