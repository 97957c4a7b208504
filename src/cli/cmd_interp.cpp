// korvana interp build|get: build an interpretation file from its readable source, or
// fetch one paragraph from an interpretation file as a report would.
#include <climits>
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/validators.h"
#include "core/reports/interps/interp_builder.h"
#include "core/reports/interps/interps.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

// What the command line asks of interp build.
struct BuildArguments {
  std::string source;
  std::string output;
  std::optional<int> version;
  bool directed = false;
};

int RunBuild(CommandContext& ctx, const BuildArguments& a) {
  const std::optional<bool> directed = a.directed ? std::optional<bool>(true) : std::nullopt;
  try {
    BuildInterpFileFromSource(a.source, a.output, a.version, directed);
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

// What the command line asks of interp get.
struct GetArguments {
  std::string file;
  std::string kind;
  int a = 0, s = 0, b = 0;
};

int RunGet(CommandContext& ctx, const GetArguments& g) {
  const int kind = *KindOf(g.kind);
  TEMInterps interps;
  try {
    interps.Open(g.file);
  } catch (const EInterpFileError& e) {
    ctx.err << "korvana: " << e.what() << "\n";
    return 1;
  }
  std::string text;
  if (!interps.GetText(kind, g.a, g.s, g.b, text)) {
    ctx.err << text << "\n";
    return 1;
  }
  ctx.out << text << "\n";
  return 0;
}

CommandRun BuildCommand(CommandOptions& app) {
  auto a = std::make_shared<BuildArguments>();
  app.Value("SOURCE", a->source, "the readable source").Required();
  app.Value("-o,--output", a->output, "the interpretation file to write")
      .ValueName("FILE")
      .Required()
      .Check(NotEmpty());
  app.Value("--version", a->version, "the file's version number (default: the source's)")
      .ValueName("N")
      .Check(WholeNumber(1, InterpMaxVersion, "a version number"));
  app.Flag("--directed", a->directed, "aspect texts differ by the order of their points");
  return [a](CommandContext& ctx) { return RunBuild(ctx, *a); };
}

CommandRun GetCommand(CommandOptions& app) {
  auto g = std::make_shared<GetArguments>();
  app.Value("FILE", g->file, "the interpretation file").Required();
  app.Value("KIND", g->kind, "DegreeText, PointInHouse, PointInSign, AspectText or a number")
      .Required()
      .Check([](std::string& word) { return KindOf(word) ? std::string() : std::string("takes a paragraph kind"); });
  for (auto [name, target] : {std::pair{"A", &g->a}, {"S", &g->s}, {"B", &g->b}})
    app.Value(name, *target, "the paragraph's key").Required().Check(WholeNumber(INT_MIN, INT_MAX, "a number"));
  return [g](CommandContext& ctx) { return RunGet(ctx, *g); };
}

CommandRun Build(CommandOptions& app) {
  return AddSubcommands(
      app, {{"build", "interp build SOURCE -o FILE [--version N] [--directed]",
             "build an interpretation file from its readable source", BuildCommand},
            {"get", "interp get FILE KIND A S B", "fetch one paragraph from an interpretation file", GetCommand}});
}

CommandRegistration reg({"interp",
                         "interp build SOURCE -o FILE [--version N] [--directed] | interp get FILE KIND A S B",
                         "build an interpretation file from its source, or fetch one paragraph from it", Build});

}  // namespace
}  // namespace korvana::cli
