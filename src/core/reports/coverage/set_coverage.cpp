#include "core/reports/coverage/set_coverage.h"

#include <set>

#include "core/reports/compiler/compiled_reader.h"
#include "core/reports/compiler/compiler.h"
#include "core/reports/compiler/statements.h"
#include "core/reports/reportset/section_index.h"
#include "core/reports/coverage/random_charts.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana {
namespace {

// Statements whose text is a file or a name, never a paragraph.
bool TextIsAName(StatementCode code) {
  return code == StatementCode::Graphic || code == StatementCode::Starset || code == StatementCode::Asteroid ||
         code == StatementCode::InterpFile;
}

// Collects what the runs show, each distinct text once with its count; questions take
// their defaults (no run asks any: the answers are given beforehand).
class CollectedMessages : public SilentMessages {
 public:
  explicit CollectedMessages(std::map<std::string, int>& seen) : seen_(seen) {}
  void Warning(std::string_view text) override { ++seen_[std::string(text)]; }
  void Error(std::string_view text) override { ++seen_[std::string(text)]; }
  void Information(std::string_view text) override { ++seen_[std::string(text)]; }

 private:
  std::map<std::string, int>& seen_;
};

// A dynamic section's entries, only counted.
class CountingDynamicOutput : public DynamicSectionOutput {
 public:
  int entries = 0;
  void PeriodLine(const std::string&) override {}
  void TimeLine(const std::string&) override {}
  void Entry(const std::string&, const std::string&) override { ++entries; }
};

// The walk of one run, kept as the positions of the sections entered and the paragraphs
// written; no document.
class CoverageWriter : public ReportWriter {
 public:
  std::set<std::size_t> walked, withContent, reached;

  void Begin() override {}
  void FrontPageSection(const ReportRun&, const std::string&) override {}
  void SectionTitle(const std::string&, int) override {}
  void KeywordTitles(const std::string&) override {}
  void Text(const std::string&) override {}
  void Picture(const std::string&, int) override {}
  void DebugLine(const std::string&) override {}
  void DynamicSection(const ReportRun& run, int section, bool background, bool keywordTitles) override {
    if (!run.dynamic) return;
    CountingDynamicOutput counted;
    run.dynamic->WriteSection(counted, run, section, background, keywordTitles);
    if (counted.entries > 0) withContent.insert(current_);
  }
  bool Finish(const std::string&) override { return true; }
  void SectionBegins(std::size_t position) override {
    current_ = position;
    walked.insert(position);
  }
  void ParagraphReached(std::size_t position) override {
    reached.insert(position);
    withContent.insert(current_);
  }

 private:
  std::size_t current_ = 0;
};

// The statement lines of the set's source, when it still compiles to the same records.
void AddSourceLines(const TKVReport& set, const std::string& binBytes, SetCoverage& coverage) {
  if (set.sourceFile.empty() || !FileExists(set.sourceFile)) return;
  std::vector<std::string> list;
  SilentMessages quiet;
  CompileInputs inputs;
  inputs.starNames = set.starNames;
  inputs.options = set.options;
  inputs.dryRun = true;
  const CompileResult compiled = CompileReportText(set.sourceFile, set.compiledFile, list, quiet, inputs);
  if (compiled.errors || compiled.compiled != binBytes) return;
  std::map<std::size_t, const RecordSource*> byPosition;
  for (const RecordSource& s : compiled.sources) byPosition[s.position] = &s;
  for (CoverageParagraph& p : coverage.paragraphs) {
    const RecordSource& s = *byPosition.at(p.position);
    p.statement = s.statement;
    p.file = s.file;
    p.line = s.line;
  }
  coverage.sourceLines = true;
}

// The option mnemonic of run k: none for every (n+1)th run, else options 1..n in turn.
std::string OptionOfRun(const TKVReport& set, std::size_t k) {
  const std::size_t n = set.options.size();
  if (n == 0) return {};
  const std::size_t choice = k % (n + 1);
  if (choice == 0) return {};
  const std::string& entry = set.options[choice - 1];
  return std::string(Trim(std::string_view(entry).substr(0, entry.find('='))));
}

bool TwoCharts(const TKVReport& set) { return set.synastry || set.composite; }

}  // namespace

std::vector<const CoverageParagraph*> SetCoverage::Unreached() const {
  std::vector<const CoverageParagraph*> list;
  for (const CoverageParagraph& p : paragraphs)
    if (p.reached == 0) list.push_back(&p);
  return list;
}

std::vector<const CoverageSection*> SetCoverage::AlwaysEmpty() const {
  std::vector<const CoverageSection*> list;
  for (const CoverageSection& s : sections)
    if (s.depth >= 1 && s.empty == s.walked) list.push_back(&s);
  return list;
}

std::vector<CoverageRun> RandomCoverageRuns(const TKVReport& set, int count, std::uint64_t seed,
                                            const ProgramSettings& settings) {
  RandomCharts random(seed);
  std::vector<CoverageRun> runs;
  for (int k = 0; k < count; ++k) {
    CoverageRun run;
    for (int c = 0; c < (TwoCharts(set) ? 2 : 1); ++c) {
      run.charts.push_back(random.Next(settings));
      if (set.askQuesitedHouse) run.charts.back().chart.EventKind = EventHorary;
    }
    run.quesited = std::to_string(random.Between(1, 12));
    run.yearsAfterBirth = random.Between(1, 80);
    run.option = OptionOfRun(set, static_cast<std::size_t>(k));
    runs.push_back(std::move(run));
  }
  return runs;
}

std::vector<CoverageRun> ChartCoverageRuns(const TKVReport& set, const std::vector<StoredChart>& charts,
                                           const std::optional<StoredChart>& partner) {
  std::vector<CoverageRun> runs;
  for (std::size_t k = 0; k < charts.size(); ++k) {
    CoverageRun run;
    run.charts.push_back(charts[k]);
    if (TwoCharts(set)) run.charts.push_back(partner ? *partner : charts[(k + 1) % charts.size()]);
    run.quesited = std::to_string(k % 12 + 1);
    run.yearsAfterBirth = static_cast<int>(k % 80) + 1;
    run.option = OptionOfRun(set, k);
    runs.push_back(std::move(run));
  }
  return runs;
}

SetCoverage CoverageOutline(const TKVReport& set, const ProgramSettings&) {
  SetCoverage coverage;
  coverage.caption = set.caption;
  coverage.setFile = set.setFile;
  const CompiledReportReader bin = CompiledReportReader::Load(set.compiledFile, false);
  const CompiledReportReader index = CompiledReportReader::Load(SectionIndexFileFor(set.compiledFile), true);
  std::map<std::size_t, bool> switchedOn;
  for (const PlacedRecord& entry : index.Records())
    switchedOn[static_cast<std::size_t>(entry.record.link)] =
        entry.record.code != SectionOff && entry.record.code != SectionInheritedOff;
  for (const PlacedRecord& placed : bin.Records()) {
    const CompiledRecord& rec = placed.record;
    if (rec.IsSection()) {
      CoverageSection s;
      s.position = placed.position;
      s.title = rec.text;
      s.depth = rec.params[0];
      s.switchedOn = !switchedOn.contains(placed.position) || switchedOn[placed.position];
      coverage.sections.push_back(std::move(s));
      continue;
    }
    if (rec.noText || TextIsAName(rec.Statement()) || coverage.sections.empty()) continue;
    CoverageParagraph p;
    p.position = placed.position;
    p.section = coverage.sections.size() - 1;
    p.statement = DescribeStatement(rec.Statement());
    coverage.paragraphs.push_back(std::move(p));
  }
  AddSourceLines(set, ReadFileBytes(set.compiledFile).value_or(""), coverage);
  return coverage;
}

SetCoverage MeasureCoverage(const TKVReport& set, const std::vector<CoverageRun>& runs, ProgramSettings& settings) {
  SetCoverage coverage = CoverageOutline(set, settings);
  std::map<std::size_t, std::size_t> paragraphAt, sectionAt;
  for (std::size_t i = 0; i < coverage.paragraphs.size(); ++i) paragraphAt[coverage.paragraphs[i].position] = i;
  for (std::size_t i = 0; i < coverage.sections.size(); ++i) sectionAt[coverage.sections[i].position] = i;

  CollectedMessages messages(coverage.messages);
  ReportContext context(settings, messages);
  for (const CoverageRun& run : runs) {
    CoverageWriter writer;
    PresetReportQuestions questions;
    questions.quesited = run.quesited;
    ReportRequest request;
    request.currentSet = &set;
    for (const StoredChart& chart : run.charts) request.charts.push_back({"", chart});
    request.option = run.option;
    request.questions = &questions;
    request.writer = &writer;
    const int years = run.yearsAfterBirth;
    request.returnSearch = [&settings, years](const CalculatedChart& natal) {
      ReturnSearchRequest search;
      search.base = natal.Chart;
      search.base.Moment.Year = static_cast<std::int16_t>(search.base.Moment.Year + years);
      if (search.base.Moment.Month == 2 && search.base.Moment.Day == 29) search.base.Moment.Day = 28;
      search.which = ReturnWhich::Nearest;
      search.options = ReturnOptionsFrom(settings);
      return std::optional<ReturnSearchRequest>(search);
    };
    // A period of the chart's own years, not the current date's: repeatable and varied.
    if (set.includesDynRep && !run.charts.empty()) {
      const DateTimeRec& birth = run.charts.front().chart.Moment;
      request.dynamicPeriod.from = DateTimeRec{static_cast<std::int16_t>(birth.Year + years), 1, 1, 0, 0, 0, calAuto};
    }
    const ProgramSettings kept = settings;  // a run may change the wheel it shows
    const ReportJobResult result = RunReportJob(request, context);
    settings = kept;
    if (!result.written || result.failed) {
      ++coverage.refused;
      // What the job showed is collected already; a refusal it returns is noted here.
      if (result.error != ReportJobError::Shown && result.error != ReportJobError::None)
        ++coverage.messages[result.detail.empty() ? "A run was refused." : result.detail];
      continue;
    }
    ++coverage.runs;
    for (std::size_t position : writer.reached)
      if (auto it = paragraphAt.find(position); it != paragraphAt.end()) ++coverage.paragraphs[it->second].reached;
    // A section has content when it or a section nested under it wrote something.
    std::vector<bool> content(coverage.sections.size(), false);
    for (std::size_t position : writer.withContent)
      if (auto it = sectionAt.find(position); it != sectionAt.end()) content[it->second] = true;
    for (std::size_t i = coverage.sections.size(); i-- > 0;) {
      CoverageSection& s = coverage.sections[i];
      for (std::size_t j = i + 1; j < coverage.sections.size() && coverage.sections[j].depth > s.depth; ++j)
        if (content[j]) content[i] = true;
      if (!writer.walked.contains(s.position)) continue;
      ++s.walked;
      if (!content[i] && s.depth >= 1) ++s.empty;
    }
  }
  return coverage;
}

}  // namespace korvana
