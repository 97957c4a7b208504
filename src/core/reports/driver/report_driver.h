// The report driver: turns a compiled report and one or two calculated charts into an
// RTF report. It walks the section index in the user's order, writes the front page for
// the front page section and each switched-on section's title, and walks the section's
// statements as a tree: the composer decides each statement, the texts of true
// statements go through the paragraph pipeline (SubstituteNames, ConvertTokens,
// ConvertTables, ConvertLists, ConvertBars, StyledParagraph) into the document, and a
// false statement is skipped with everything nested under it. A few statements steer
// the walk or the run state and are handled here (keyword titles, rulership scheme,
// TestBothCharts, SectionCount, Graphic, Starset, asteroids, InterpFile, CheckForText,
// Untimed and the dynamic sections).
//
// The front page and the dynamic sections come through interfaces (FrontPageWriter,
// DynamicSectionWriter) so that their own modules can supply them; the defaults here
// write the report's title as the front page, and no dynamic sections.
//
// Failures: any error during the walk (a damaged compiled report or index, a picture that
// cannot be read) is shown as "Problem occured whilst producing report:\r\n" + the
// error; the document end is still written and the document saved as far as it went,
// unless a file of that name exists: a failed run never replaces an earlier report.
// A missing compiled report or section index writes nothing and shows nothing.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/astro/calculated_chart.h"
#include "core/reports/compiler/compiled_reader.h"
#include "core/reports/composer/composer.h"
#include "core/reports/driver/time_notes.h"
#include "core/reports/reportset/report_set.h"
#include "core/reports/rtf/rtf_emitter.h"
#include "core/util/files.h"
#include "core/util/messages.h"

namespace korvana {

class TEMInterps;

inline constexpr const char* ReportProblemMessage = "Problem occured whilst producing report:\r\n";

// One extra wheel point of a report set computed for a chart.
struct TExtraPlotPoint {
  std::string name;
  std::string abbreviation;
  std::string glyph;
  std::int32_t number = 0;
  PointPos position;  // Longitude -1 when it could not be computed
};

struct TExtraPlotPoints {
  std::vector<TExtraPlotPoint> points;
  std::vector<double> positions;     // longitudes, parallel to points
  std::vector<std::int32_t> flags;   // 1 computed, 0 not
  int Count() const { return static_cast<int>(points.size()); }
};

// The star set of the last Starset statement.
struct TStarset {
  std::string name;
  double lowerBound = 0;
  double upperBound = 0;
  bool headingWritten = false;
};

// What a report run knows besides the statements: given to the front page writer and
// the dynamic section writer.
struct ReportRun;

// Writes the front page of the front page section, after the document header that the
// driver writes first (base size 11). The default writes only the report's front page
// title (the section's title when the report set has none) in the "Main Header 1" style;
// the full front page comes with its own writer.
class FrontPageWriter {
 public:
  // The front page's heading as RTF: the report set's front page title as plain text, or
  // else the section's title as its author wrote it.
  static std::string Heading(const ReportRun& run, const std::string& title);

  virtual ~FrontPageWriter() = default;
  virtual void WriteFrontPage(RtfFile& file, const ReportRun& run, const std::string& title);
  // The astrological summary written after the front page when the Summary setting is on.
  // The default writes nothing.
  virtual void WriteSummary(RtfFile& file, const ReportRun& run);
};

// Where the entries of a dynamic section go: the RTF document or the PDF page layout.
class DynamicSectionOutput {
 public:
  virtual ~DynamicSectionOutput() = default;
  // Before the section's first printed entry: a page break when the PageBreaks setting is
  // on, then the period line as a section header.
  virtual void PeriodLine(const std::string& line) = 0;
  // An entry's time line: a placeable metafile drawn at the full text width.
  virtual void TimeLine(const std::string& picture) = 0;
  // An entry with text: its heading (report markup, in the keyword title style) and its
  // paragraph (names substituted, the keyword prefix included) in the body text style.
  virtual void Entry(const std::string& heading, const std::string& text) = 0;
};

// The dynamic sections of a report set: the event searches before the walk and the
// printing of a section's entries. The default finds no events and prints nothing.
class DynamicSectionWriter {
 public:
  virtual ~DynamicSectionWriter() = default;
  virtual void SearchEvents(const ReportRun& run);
  // Section `section` (0-based) from its background list (houses and signs) or its report
  // list (the rest); with keyword titles on, each paragraph begins with its keyword in
  // capitals and " - ".
  virtual void WriteSection(DynamicSectionOutput& out, const ReportRun& run, int section, bool background,
                            bool keywordTitles);
  // The summary text of every dynamic section, in section order (none before a search).
  virtual std::vector<std::string> Summaries() const;
};

struct ReportRun {
  std::string compiledFile;
  std::string indexFile;
  std::string outputFile;
  std::string pictureFolder;  // where the chart page's pictures are made; empty: the report folder
  std::vector<CalculatedChart> charts;  // [0] first chart, [1] second chart
  int highChart = 0;
  std::vector<TExtraPlotPoints> extraPoints;  // per chart
  const TKVReport* report = nullptr;
  const ProgramSettings* settings = nullptr;
  std::vector<std::string> ownerNames;  // "%1", "%2"
  // A composite report: the report's name for the pair (at most 65 characters, the chart
  // record holds at most 30 of it) and the names of the two charts it was made from.
  std::string compositeName;
  std::vector<std::string> compositeSourceNames;
  int quesitedHouse = 1;
  int chosenOption = 0;  // 1-based report option of the run, 0 none
  bool debug = false;    // "DBG>>> " lines
  // How the finished report is written (a batch writes without waiting for the disk and
  // flushes once at its end).
  Durability durability = Durability::Flushed;
  const AspectSet* aspects = nullptr;
  const RulershipTables* tables = nullptr;
  TEMInterps* interps = nullptr;  // the interpretation reader InterpFile opens
  Messages* messages = nullptr;
  FrontPageWriter* frontPage = nullptr;      // default when null
  DynamicSectionWriter* dynamic = nullptr;   // default when null
};

// Where the walk's output goes: the RTF document, or the PDF path's page layout. The walk
// decides what is written and in which order; the writer decides how it looks.
class ReportWriter {
 public:
  virtual ~ReportWriter() = default;
  // Opens the document; called before any output, later calls do nothing.
  virtual void Begin() = 0;
  // The front page section: the front page, the summary when the Summary setting is on,
  // and the end of the front page.
  virtual void FrontPageSection(const ReportRun& run, const std::string& title) = 0;
  // The title of a switched-on section of depth 1 or more.
  virtual void SectionTitle(const std::string& title, int depth) = 0;
  // The pending keyword titles, their bars already turned into paragraph ends.
  virtual void KeywordTitles(const std::string& titles) = 0;
  // A statement's text (or the composer's), names substituted, in the body text style.
  virtual void Text(const std::string& text) = 0;
  // The picture of a Graphic statement, `percent` of the text width wide.
  virtual void Picture(const std::string& file, int percent) = 0;
  // A "DBG>>> " line of a debug report.
  virtual void DebugLine(const std::string& text) = 0;
  // The entries of a dynamic section (see DynamicSectionWriter::WriteSection).
  virtual void DynamicSection(const ReportRun& run, int section, bool background, bool keywordTitles) = 0;
  // Ends the document and writes it to `path` in one step; false when it cannot be written.
  virtual bool Finish(const std::string& path) = 0;
  // The walk enters the statements of the section whose record starts at `position` of
  // the compiled report (after its title or front page). The default does nothing.
  virtual void SectionBegins(std::size_t position);
  // The statement starting at `position` of the compiled report was included and writes
  // its paragraph (called before its text reaches Text). The default does nothing.
  virtual void ParagraphReached(std::size_t position);
};

// How a run ended.
struct ReportOutcome {
  bool written = false;   // an output file was written (possibly cut short by an error)
  bool failed = false;    // the problem message was shown
  std::string problem;    // the error's message
  int statements = 0;     // statements reached by the walk
  int paragraphs = 0;     // statements that wrote text
};

class ReportDriver {
 public:
  // The run state, reset at the start of every run and readable afterwards.
  std::array<std::int32_t, 100> nextAtLevel{};
  bool keywordTitles = true;
  int sectionCounter = 0;
  int pendingCount = 0;
  int bothCountdown = 0;
  int bothMode = 0;
  std::array<std::array<bool, 3>, 3> bothResults{};  // [chart 1..2][countdown 1..2]
  bool carry = false;
  bool carriedTruth = false;
  std::string pendingTitles;
  TStarset starset;
  double asteroidMaxOrb = 0;
  ReportComposer composer;

  // The RTF report of the run (the writer below).
  ReportOutcome GenerateRtfReport(const ReportRun& run);
  // The run's walk with its output going to `writer`.
  ReportOutcome Generate(const ReportRun& run, ReportWriter& writer);

 private:
  struct Walk;
  // A compiled report or section index as last loaded, kept for the next run of a batch.
  struct LoadedFile {
    FileStamp stamp;
    std::shared_ptr<const CompiledReportReader> reader;
  };
  // The reader of `path`: the one kept in `last` while the file is unchanged, else the
  // file loaded afresh (throws ECompiledFileError as CompiledReportReader::Load does).
  static std::shared_ptr<const CompiledReportReader> Loaded(const std::string& path, bool isSectionIndex,
                                                            LoadedFile& last);
  LoadedFile loadedBin_, loadedIndex_;
};

// The RTF form of a report: document header, front page through the run's front page
// writer, section titles, keyword titles and texts through the paragraph pipeline,
// pictures, page breaks and the document end.
class RtfReportWriter : public ReportWriter {
 public:
  explicit RtfReportWriter(const ReportRun& run);
  void Begin() override;
  void FrontPageSection(const ReportRun& run, const std::string& title) override;
  void SectionTitle(const std::string& title, int depth) override;
  void KeywordTitles(const std::string& titles) override;
  void Text(const std::string& text) override;
  void Picture(const std::string& file, int percent) override;
  void DebugLine(const std::string& text) override;
  void DynamicSection(const ReportRun& run, int section, bool background, bool keywordTitles) override;
  bool Finish(const std::string& path) override;
  const RtfFile& File() const { return file_; }

 private:
  const ProgramSettings& settings_;
  Durability durability_;
  RtfLayout layout_;
  RtfFile file_;
  FrontPageWriter defaultFront_;
  DynamicSectionWriter defaultDynamic_;
  FrontPageWriter& front_;
  DynamicSectionWriter& dynamic_;
  bool begun_ = false;
};

// A statement's paragraph with the placeholders its code fills (StatementPlaceholders:
// "%P" ..) replaced by the composer's texts, written as RTF literals; a placeholder of the
// code without a text (a negated statement names nothing) becomes empty. Other "%"
// sequences ("%1", "%2") are left for SubstituteNames.
std::string FillPlaceholders(const std::string& text, StatementCode code,
                             const std::vector<std::pair<char, std::string>>& fills);

// The owners whose names SubstituteNames puts into a run's texts.
ReportOwners OwnersOf(const ReportRun& run);

// The untimed ingress table of a chart: every point but the angles and the Part of
// Fortune, from the chart cast at 00:00:00 and at 23:59:59 of its day.
UntimedIngressTable ComputeUntimedIngress(const CalculatedChart& chart, const ProgramSettings& settings);
// The same from the two cast charts.
UntimedIngressTable IngressFromCharts(const CalculatedChart& atStart, const CalculatedChart& atEnd);

// The classical analysis of the report's charts: planetary day and hour, Algol, rulers
// of the geniture ("geniture.alm"), almutens of points and cusps ("house.alm"), the
// offset cusps and scores of the report set's own scheme, the hyleg and its almutens.
// A scheme file that cannot be read skips what needs it.
ClassicalInputs PrepareClassicalAnalysis(const std::vector<CalculatedChart>& charts, int highChart,
                                         const TKVReport& report, const ProgramSettings& settings,
                                         const RulershipTables& tables);

// Fills the extra points of a chart from the report set's extra point list; points that
// fail are listed in one warning "Could not calculate position of the following
// asteroids:\r\n" + lines "\r\n" + name + " - Reason: " + reason.
TExtraPlotPoints ComputeExtraPoints(const CalculatedChart& chart, const TKVReport& report, Messages& messages);

}  // namespace korvana
