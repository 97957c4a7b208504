// korvana reportset show|index|tree: the report set, its section index and section tree.
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "core/reports/compiler/index_pairing.h"
#include "core/reports/language/language.h"
#include "core/reports/reportset/compiled_record.h"
#include "core/reports/reportset/report_set.h"
#include "core/reports/reportset/section_index.h"
#include "core/reports/reportset/section_tree.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

// What the command line asks of reportset show, index or tree: the file, when given.
struct FileArgument {
  std::optional<std::string> file;
};

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

int Show(CommandContext& ctx, const FileArgument& a) {
  ProgramSettings& s = ctx.env.Settings();
  if (!a.file) {
    PrintReport(ctx.out, ctx.env.Report());
    return ctx.env.Report().setFile.empty() ? 1 : 0;
  }
  TKVReport report;
  std::string file = ResolveInFolder(*a.file, s.SystemPath);
  if (!LoadReportSet(file, report, s, ctx.env.MessagesSink())) return 1;
  PrintReport(ctx.out, report);
  return 0;
}

int Index(CommandContext& ctx, const FileArgument& a) {
  const std::string& compiled = *a.file;
  if (!FileExists(compiled)) {
    ctx.err << "korvana: the compiled report file " << compiled << " was not found\n";
    return 1;
  }
  std::string index = SectionIndexFileFor(compiled);
  if (!BuildSectionIndex(compiled, index, ctx.env.MessagesSink())) return 1;
  ctx.out << index << "\n";
  return 0;
}

int Tree(CommandContext& ctx, const FileArgument& a) {
  const std::string compiled = a.file ? ChangeExtension(*a.file, ".bin") : ctx.env.Report().compiledFile;
  std::string index = a.file ? *a.file : SectionIndexFileFor(compiled);
  if (!FileExists(index)) {
    ctx.err << "korvana: the section index " << index << " was not found\n";
    return 1;
  }
  // An index left from another compile would show another report's sections.
  if (FileExists(compiled)) {
    const CompiledReportReader bin = CompiledReportReader::Load(compiled, false);
    const CompiledReportReader ind = CompiledReportReader::Load(index, true);
    if (!ind.Damaged() && SectionIndexMismatch(bin, ind)) {
      ctx.env.MessagesSink().Error(MismatchedIndexMessage(compiled, index));
      return 1;
    }
  }
  SectionTree tree = SectionTree::Load(index);
  for (auto id : tree.InTreeOrder()) {
    const char* state = tree.OwnOff(id) ? "off" : tree.InheritedOff(id) ? "inherited-off" : "on";
    ctx.out << std::string(2 * static_cast<std::size_t>(tree.Depth(id) - 1), ' ') << tree.At(id).title
            << "  [" << state << "]\n";
  }
  return 0;
}

// A subcommand taking one file argument, required or not.
CommandBuild FileCommand(const char* name, const char* description, bool required,
                         int (*run)(CommandContext&, const FileArgument&)) {
  return [=](CommandOptions& app) -> CommandRun {
    auto a = std::make_shared<FileArgument>();
    Option file = app.Value(name, a->file, description);
    if (required) file.Required();
    return [a, run](CommandContext& ctx) { return run(ctx, *a); };
  };
}

CommandRun Build(CommandOptions& app) {
  return AddSubcommands(
      app, {{"show", "reportset show [FILE.swp]", "every field of a report set (the current one by default)",
             FileCommand("FILE.swp", "the report set, in the program folder unless a path", false, Show)},
            {"index", "reportset index FILE.bin", "rebuild the section index beside a compiled report",
             FileCommand("FILE.bin", "the compiled report", true, Index)},
            {"tree", "reportset tree [FILE.ind]", "the section tree (the current report set's by default)",
             FileCommand("FILE.ind", "the section index", false, Tree)}});
}

CommandRegistration reg({"reportset",
                         "reportset show [FILE.swp] | reportset index FILE.bin | reportset tree [FILE.ind]",
                         "show a report set, rebuild a section index, or print a section tree", Build});

}  // namespace
}  // namespace korvana::cli
