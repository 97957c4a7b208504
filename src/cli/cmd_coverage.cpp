// korvana coverage: for report authors, which paragraphs of a report set a collection of
// charts reaches. The set's report is walked for every chart of --charts, or for --random
// N random charts (repeatable: a fixed seed unless --seed), without writing a document;
// two-chart sets take pairs (each chart with --chart2, else with the next chart; random
// pairs). Prints each paragraph with its section, source line and how many runs reached
// it, then the paragraphs no run reached and the sections that came out empty; --json
// prints the same as one JSON document. Exits 1 when the set cannot be walked.
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "cli/json_output.h"
#include "cli/validators.h"
#include "core/charts/chart_reference.h"
#include "core/reports/compiler/compiled_reader.h"
#include "core/reports/coverage/random_charts.h"
#include "core/reports/coverage/set_coverage.h"
#include "core/util/files.h"

namespace korvana::cli {
namespace {

struct CoverageArguments {
  std::string setFile, charts, chart2;
  std::optional<int> random;
  int seed = static_cast<int>(DefaultCoverageSeed);
  bool json = false;
};

std::string SourceOf(const CoverageParagraph& p) {
  return p.line == 0 ? std::string("?") : p.file + ":" + std::to_string(p.line);
}

void PrintText(std::ostream& out, const SetCoverage& c, const std::string& over) {
  out << "Coverage of " << c.caption << " (" << c.setFile << ") over " << over << "\n";
  out << "Runs walked: " << c.runs << ", refused: " << c.refused << "\n";
  const auto unreached = c.Unreached();
  const auto empty = c.AlwaysEmpty();
  out << "Paragraphs: " << c.paragraphs.size() << ", reached: " << c.paragraphs.size() - unreached.size()
      << ", never reached: " << unreached.size() << "\n";
  out << "Sections: " << c.sections.size() << ", always empty: " << empty.size() << "\n";
  out << "\nParagraphs (runs reaching each):\n";
  std::size_t section = static_cast<std::size_t>(-1);
  for (const CoverageParagraph& p : c.paragraphs) {
    if (p.section != section) {
      section = p.section;
      out << "  [" << c.sections[section].title << "]\n";
    }
    out << "    " << p.reached << "\t" << SourceOf(p) << "\t" << p.statement << "\n";
  }
  out << "\nParagraphs no run reached:" << (unreached.empty() ? " none" : "") << "\n";
  for (const CoverageParagraph* p : unreached)
    out << "  " << SourceOf(*p) << "\t[" << c.sections[p->section].title << "]\t" << p->statement
        << (c.sections[p->section].switchedOn ? "" : " (section switched off)") << "\n";
  out << "\nSections that came out empty (runs empty / runs entered):\n";
  bool any = false;
  for (const CoverageSection& s : c.sections) {
    if (s.depth < 1 || s.empty == 0) continue;
    out << "  " << s.empty << "/" << s.walked << "\t" << s.title << "\n";
    any = true;
  }
  for (const CoverageSection& s : c.sections)
    if (s.depth >= 1 && s.walked == 0) {
      out << "  never entered\t" << s.title << (s.switchedOn ? "" : " (switched off)") << "\n";
      any = true;
    }
  if (!any) out << "  none\n";
  if (!c.messages.empty()) {
    out << "\nMessages the runs showed (times):\n";
    for (const auto& [text, times] : c.messages) out << "  " << times << "\t" << text << "\n";
  }
}

void PrintJson(std::ostream& out, const SetCoverage& c) {
  JsonValue doc;
  doc["set"] = c.setFile;
  doc["caption"] = c.caption;
  doc["runs"] = c.runs;
  doc["refused"] = c.refused;
  doc["sourceLines"] = c.sourceLines;
  JsonValue sections = JsonValue::array();
  for (const CoverageSection& s : c.sections)
    sections.push_back({{"title", s.title}, {"depth", s.depth}, {"switchedOn", s.switchedOn}, {"entered", s.walked},
                        {"empty", s.empty}});
  doc["sections"] = sections;
  JsonValue paragraphs = JsonValue::array();
  for (const CoverageParagraph& p : c.paragraphs) {
    JsonValue j{{"section", c.sections[p.section].title}, {"statement", p.statement}, {"reached", p.reached}};
    if (p.line != 0) {
      j["file"] = p.file;
      j["line"] = p.line;
    }
    paragraphs.push_back(j);
  }
  doc["paragraphs"] = paragraphs;
  JsonValue messages = JsonValue::array();
  for (const auto& [text, times] : c.messages) messages.push_back({{"text", text}, {"times", times}});
  doc["messages"] = messages;
  WriteJson(out, doc);
}

int Run(CommandContext& ctx, const CoverageArguments& a) {
  ProgramSettings& s = ctx.env.Settings();
  TKVReport set;
  const std::string file = FileExists(a.setFile) ? a.setFile : ResolveInFolder(a.setFile, s.SystemPath);
  if (!LoadReportSet(file, set, s, ctx.env.MessagesSink())) return 1;
  if (!FileExists(set.compiledFile)) {
    ctx.err << "korvana: the report file " << set.compiledFile << " was not found; compile the report first\n";
    return 1;
  }
  std::vector<CoverageRun> runs;
  std::string over;
  try {
    if (a.random) {
      runs = RandomCoverageRuns(set, *a.random, static_cast<std::uint64_t>(a.seed), s);
      over = std::to_string(*a.random) + " random " + (set.synastry || set.composite ? "pairs" : "charts") +
             " (seed " + std::to_string(a.seed) + ")";
    } else {
      std::vector<StoredChart> charts;
      for (const std::string& ref : ChartRunReferences(ChartRun{a.charts, 1, 0}, s))
        charts.push_back(ReadChartReference(ref, s));
      std::optional<StoredChart> partner;
      if (!a.chart2.empty()) partner = ReadChartReference(a.chart2, s);
      runs = ChartCoverageRuns(set, charts, partner);
      over = std::to_string(runs.size()) + " charts of " + a.charts;
    }
    const SetCoverage coverage = MeasureCoverage(set, runs, s);
    if (a.json)
      PrintJson(ctx.out, coverage);
    else
      PrintText(ctx.out, coverage, over);
  } catch (const std::exception& e) {  // a chart file or compiled report that cannot be read
    ctx.err << "korvana: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

CommandRun Build(CommandOptions& app) {
  auto a = std::make_shared<CoverageArguments>();
  app.Value("--set", a->setFile, "the report set").ValueName("FILE.swp").Check(NotEmpty()).Required();
  app.Value("--charts", a->charts, "walk the report for every chart of this chart file").ValueName("FILE.cht").Check(NotEmpty());
  app.Value("--random", a->random, "walk the report for N random charts (random pairs for two-chart sets)")
      .ValueName("N")
      .Check(WholeNumber(1, 1000000, "a number of charts"));
  app.Value("--seed", a->seed, "the random charts' seed (default 1: the same charts every run)")
      .ValueName("S")
      .Check(WholeNumber(0, INT_MAX, "a seed"));
  app.Value("--chart2", a->chart2, "the second chart of every pair of a two-chart set (with --charts)")
      .ValueName("FILE:N")
      .Check(NotEmpty());
  app.Flag("--json", a->json, "print one JSON document instead of text");
  app.AfterParse([a] {
    if (a->charts.empty() == !a->random) throw UsageError("coverage takes either --charts FILE.cht or --random N");
    if (!a->chart2.empty() && a->random) throw UsageError("--chart2 goes with --charts; random runs make their own pairs");
  });
  return [a](CommandContext& ctx) { return Run(ctx, *a); };
}

CommandRegistration reg({"coverage",
                         "coverage --set FILE.swp (--charts FILE.cht [--chart2 FILE:N] | --random N [--seed S]) [--json]",
                         "which paragraphs of a report set the charts reach", Build});

}  // namespace
}  // namespace korvana::cli
