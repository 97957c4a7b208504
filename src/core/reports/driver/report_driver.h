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
#include <string>
#include <vector>

#include "core/astro/calculated_chart.h"
#include "core/reports/composer/composer.h"
#include "core/reports/reportset/report_set.h"
#include "core/reports/rtf/rtf_emitter.h"
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

// The dynamic sections of a report set: the event searches before the walk and the
// printing of a section's entries. The default finds no events and prints nothing.
class DynamicSectionWriter {
 public:
  virtual ~DynamicSectionWriter() = default;
  virtual void SearchEvents(const ReportRun& run);
  virtual void WriteSection(RtfFile& file, const ReportRun& run, int section, bool background);
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
  const AspectSet* aspects = nullptr;
  const RulershipTables* tables = nullptr;
  TEMInterps* interps = nullptr;  // the interpretation reader InterpFile opens
  Messages* messages = nullptr;
  FrontPageWriter* frontPage = nullptr;      // default when null
  DynamicSectionWriter* dynamic = nullptr;   // default when null
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

  ReportOutcome GenerateRtfReport(const ReportRun& run);

 private:
  struct Walk;
};

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
