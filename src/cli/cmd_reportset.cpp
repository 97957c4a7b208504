// korvana reportset show|index|tree: the report set, its section index and section tree.
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "core/reports/language/language.h"
#include "core/reports/reportset/compiled_record.h"
#include "core/reports/reportset/report_set.h"
#include "core/reports/reportset/section_index.h"
#include "core/reports/reportset/section_tree.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

constexpr const char* Usage =
    "reportset show [FILE.swp] | reportset index FILE.bin | reportset tree [FILE.ind]";

std::string Join(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& i : items) out += (out.empty() ? "" : ", ") + i;
  return out;
}

void PrintReport(std::ostream& o, const TKVReport& r) {
  auto line = [&](const char* key, const std::string& value) { o << key << " = " << value << "\n"; };
  auto flag = [&](const char* key, bool v) { line(key, v ? "1" : "0"); };
  line("SetFile", r.setFile);
  line("Caption", r.caption);
  line("FrontPageTitle", r.frontPageTitle);
  line("Description", r.description);
  line("BinaryFile", r.compiledFile);
  flag("SourceAvailable", r.sourceAvailable);
  line("SourceFile", r.sourceFile);
  line("AspectFile", r.aspectFile);
  line("AlmFile", r.almutenFile);
  line("ParaTitles", std::to_string(r.paraTitles));
  line("Points", r.points);
  line("SplashFile", r.splashFile);
  flag("GetQuesitedHouse", r.askQuesitedHouse);
  flag("GetChartGender", r.askChartGender);
  flag("Synastry", r.synastry);
  flag("Composite", r.composite);
  line("StarFile", r.starFile);
  line("OptionsFile", r.optionsFile);
  line("FrontPageStyle", std::to_string(r.frontPageStyle));
  line("Author", r.author);
  line("Translator", r.translator);
  line("FrontPageGraphicFile", r.frontPageGraphicFile);
  line("FrontPageGraphicWidth", FormatReal(r.frontPageGraphicWidth));
  flag("IncludesDynRep", r.includesDynRep);
  for (std::size_t i = 0; i < r.dynFiles.size(); ++i) {
    std::string n = std::to_string(i + 1);
    o << "DynFile" << n << " = " << r.dynFiles[i] << "\n"
      << "DynTypeName" << n << " = " << r.dynTypeNames[i] << "\n"
      << "DynP1TypeName" << n << " = " << r.dynP1TypeNames[i] << "\n"
      << "DynP2TypeName" << n << " = " << r.dynP2TypeNames[i] << "\n"
      << "DynPointsAvailable" << n << " = " << r.dynPointsAvailable[i] << "\n"
      << "RadixPointsAvailable" << n << " = " << r.radixPointsAvailable[i] << "\n"
      << "DynAspectsAvailable" << n << " = " << r.dynAspectsAvailable[i] << "\n"
      << "DynPointsSelected" << n << " = " << r.dynPointsSelected[i] << "\n"
      << "RadixPointsSelected" << n << " = " << r.radixPointsSelected[i] << "\n"
      << "DynAspectsSelected" << n << " = " << r.dynAspectsSelected[i] << "\n";
  }
  if (!r.dynFiles.empty()) {
    line("DynOrbEnter", FormatReal(r.orbEntering));
    line("DynOrbLeave", FormatReal(r.orbLeaving));
  }
  flag("UsesExtraPoints", r.usesExtraPoints);
  for (std::size_t i = 0; i < r.extraPointNumbers.size(); ++i)
    o << "AsteroidID" << i + 1 << " = " << r.extraPointNumbers[i] << "\n"
      << "AsteroidName" << i + 1 << " = " << r.extraPointNames[i] << "\n";
  flag("IncludesSolRetRep", r.includesSolarReturn);
  flag("IncludesLunRetRep", r.includesLunarReturn);
  line("Language", std::string(lang::LanguageCodes[static_cast<std::size_t>(r.language)]));
  line("Options", Join(r.options));
  line("StarNames", Join(r.starNames));
}

int Show(CommandContext& ctx) {
  if (ctx.args.size() > 2) return UsageError(ctx, Usage);
  ProgramSettings& s = ctx.env.Settings();
  if (ctx.args.size() == 1) {
    PrintReport(ctx.out, ctx.env.Report());
    return ctx.env.Report().setFile.empty() ? 1 : 0;
  }
  TKVReport report;
  std::string file = ResolveInFolder(ctx.args[1], s.SystemPath);
  if (!LoadReportSet(file, report, s, ctx.env.MessagesSink())) return 1;
  PrintReport(ctx.out, report);
  return 0;
}

int Index(CommandContext& ctx) {
  if (ctx.args.size() != 2) return UsageError(ctx, Usage);
  const std::string& compiled = ctx.args[1];
  if (!FileExists(compiled)) {
    ctx.err << "korvana: the compiled report file " << compiled << " was not found\n";
    return 1;
  }
  std::string index = SectionIndexFileFor(compiled);
  if (!BuildSectionIndex(compiled, index, ctx.env.MessagesSink())) return 1;
  ctx.out << index << "\n";
  return 0;
}

int Tree(CommandContext& ctx) {
  if (ctx.args.size() > 2) return UsageError(ctx, Usage);
  std::string index = ctx.args.size() == 2 ? ctx.args[1] : SectionIndexFileFor(ctx.env.Report().compiledFile);
  if (!FileExists(index)) {
    ctx.err << "korvana: the section index " << index << " was not found\n";
    return 1;
  }
  SectionTree tree = SectionTree::Load(index);
  for (auto id : tree.InTreeOrder()) {
    const char* state = tree.OwnOff(id) ? "off" : tree.InheritedOff(id) ? "inherited-off" : "on";
    ctx.out << std::string(2 * static_cast<std::size_t>(tree.Depth(id) - 1), ' ') << tree.At(id).title
            << "  [" << state << "]\n";
  }
  return 0;
}

int Run(CommandContext& ctx) {
  if (ctx.args.empty()) return UsageError(ctx, Usage);
  if (ctx.args[0] == "show") return Show(ctx);
  if (ctx.args[0] == "index") return Index(ctx);
  if (ctx.args[0] == "tree") return Tree(ctx);
  return UsageError(ctx, Usage);
}

CommandRegistration reg({"reportset", Usage,
                         "show a report set, rebuild a section index, or print a section tree", Run});

}  // namespace
}  // namespace korvana::cli
