// The front page section of an RTF report: the title page with the report's names and
// logos, the compliments block, the chart page with the wheel, and the astrological
// summary with the tables of point positions and aspects.
//
// Every printed word that is not a name comes from the language tables (ReportPhrases
// rows by number). The pictures of the chart page (the wheel and the essential dignity
// table) are drawn by the render layer through FrontPagePictures; without a picture
// source the chart page holds only its tables.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/reports/driver/report_driver.h"

namespace korvana {

// The kind of a compliments line is its line number in the file (the first four lines).
enum ComplimentsKind : std::uint8_t {
  ComplimentsFirstHeader = 0,
  ComplimentsSecondHeader = 1,
  ComplimentsFirstBlock = 2,
  ComplimentsSecondBlock = 3,
};

// One line of the compliments file, or a segment of a text block's line.
struct TCompliments {
  std::uint8_t kind = ComplimentsFirstHeader;  // ComplimentsKind
  std::uint8_t highlight = 0;
  std::string text;
};

// What the summary tables need besides the charts.
struct SummaryInputs {
  const TKVReport* report = nullptr;
  const ProgramSettings* settings = nullptr;
  const AspectSet* aspects = nullptr;
  std::vector<CalculatedChart> charts;             // [0] first, [1] second
  std::vector<TExtraPlotPoints> extraPoints;       // per chart
  // Offset cusps [1..12] per chart; a chart without them uses its own cusps.
  std::array<std::optional<std::array<double, 13>>, 2> offsetCusps;
  bool twoCharts = false;                          // a synastry report
  // The owners' names ("%1", "%2"), which head a synastry report's aspects; a missing
  // one is taken from its chart's name.
  std::vector<std::string> ownerNames;
  // A composite report's name for the pair (at most 65 characters); empty: the chart's name.
  std::string compositeName;
  // Summary texts of the dynamic sections, parallel to the report's dynTypeNames.
  std::vector<std::string> dynamicSummaries;
};

// The summary inputs of a report run: offset cusps from the report set's almuten scheme.
SummaryInputs SummaryInputsFromRun(const ReportRun& run);

// The dedication line: for a synastry report row 1 + first name + row 2 + second name
// (with the language's contractions), otherwise row 1 + the first name (the composite
// name for a composite report). On a composite report a line of 66 characters or more
// gives the composite name alone.
std::string DedicationLine(const TKVReport& report, const std::vector<std::string>& names);

// The compliments lines turned into entries: line 1 first header, line 2 second header,
// lines 3 and 4 the text blocks cut into label segments (highlight 1: the word before a
// colon with the colon and one following blank) and plain segments. The first
// "Compliments of" of every line becomes the language's row 4.
std::vector<TCompliments> ParseCompliments(const std::vector<std::string>& lines, int language);

// One compliments line in the report language: its "Compliments of", in any case, becomes
// the language's row 4, written in capitals where the line had it in capitals
// ("COMPLIMENTS OF" -> "CORTESÍA DE"). Other lines are returned unchanged.
std::string ComplimentsLineInLanguage(std::string line, int language);

// The front page's logo file in the system folder (any letter case), else
// "penstars.wmf" there, else empty.
std::string FrontPageLogo(const std::string& systemPath, const std::string& name);

// The lines of the compliments file (the Compliments setting, else "compliments.txt" in
// the system folder; UTF-8 or Windows-1252); nullopt when it cannot be read.
std::optional<std::vector<std::string>> ReadComplimentsLines(const ProgramSettings& settings);

// A table of the summary as cells: the header row's titles and the rows. Texts are report
// markup (names carry their RTF escapes).
struct SummaryTable {
  std::vector<std::string> titles;
  std::vector<std::vector<std::string>> rows;
};

// The charts the summary shows: both for a synastry report, else the first.
int SummaryChartCount(const SummaryInputs& in);
// "<BOLDON><UNDERLINEON>" + "Chart Point Positions: " + the chart's name ("Composite - "
// before it on a composite report) + "<UNDERLINEOFF><BOLDOFF>".
std::string ChartHeading(const SummaryInputs& in, int chart);
// On a solar or lunar return report "Solar Return:   " (or "Lunar Return:   ") + date,
// clock time, zone abbreviation, zone offset, place + ", " + region; otherwise empty.
std::string ReturnLine(const SummaryInputs& in, int chart);
// Planet, sign, position, house, comment: one row per report point (dashes for a point not
// computed).
SummaryTable PositionsTable(const SummaryInputs& in, int chart);
// Abbreviation, name, sign, position, house, comment: one row per extra point.
SummaryTable ExtraPointsTable(const SummaryInputs& in, int chart);
// The aspects heading (synastry: both names) and table (each pair once with applying or
// separating for one chart; every pair between the charts for synastry).
std::string AspectsHeading(const SummaryInputs& in);
SummaryTable AspectsTable(const SummaryInputs& in);
// "Abbr" and the column title: one row per computed extra point.
SummaryTable KeyTable(const TExtraPlotPoints& points, const std::string& columnTitle);
// "<TABLEON><BOLDON>" titles "<BOLDOFF><ENDROW>", the rows, "<TABLEOFF>"; cells at tabs.
std::string TableMarkup(const SummaryTable& table);
// The dynamic sections' summaries under their type names; barAfterName puts a paragraph
// end after each name's line break.
std::string DynamicSummaries(const SummaryInputs& in, bool barAfterName);

// The RTF of the compliments block.
std::string ComplimentsBlock(const RtfLayout& layout, const std::vector<TCompliments>& entries);

// The key table of the extra points: abbreviation and name of every computed point.
void WriteKeyTable(RtfFile& file, const RtfLayout& layout, const TExtraPlotPoints& points,
                   const std::string& title, const std::string& columnTitle);

// The positions of the extra points for each chart, under the title.
void WriteExtraPointSummary(RtfFile& file, const RtfLayout& layout, const SummaryInputs& in,
                            const std::string& title);

// The astrological summary: a new page, the heading, per chart its heading and positions
// table, then the aspects table (each pair once with applying/separating for one chart;
// every pair between the charts for synastry) and the dynamic summaries. With extra
// points in use, the extra point summary instead.
void WriteSummary(RtfFile& file, const RtfLayout& layout, const SummaryInputs& in);

// The canvas of the chart page's wheel picture and where the wheel sits on it (0 centred,
// 1 left/top, 2 right/bottom; the chart details block takes the top left corner). A width
// of 0 stands for the primary screen's size. Output kind 1 draws for the printer, 2 for
// a PDF report.
struct WheelCanvas {
  int width = 0, height = 0;
  int horizontal = 0, vertical = 0;
  int outputKind = 1;
  // With a width of 0: the height as this part of the screen's width (0: the screen's).
  double heightPerWidth = 0;
};

// The RTF chart page's wheel: as wide as the screen and 1.3 times as high, the wheel at
// the bottom, so that the details block above it stays clear of the wheel's rim. At the
// text width it fits the text height of A4 and Letter pages.
inline constexpr WheelCanvas RtfWheelCanvas{0, 0, 0, 2, 1, 1.3};

// Draws the pictures of the chart page. Each call writes the picture as a placeable
// metafile at `path` and returns true, or returns false when it cannot draw it.
class FrontPagePictures {
 public:
  virtual ~FrontPagePictures() = default;
  virtual bool DrawWheel(const ReportRun& run, const std::string& path, const WheelCanvas& canvas) = 0;
  virtual bool DrawDignityTable(const ReportRun& run, const std::string& path) = 0;
};

// The title page, the compliments block and the chart page. `pictures` may be null: the
// chart page then carries no wheel and no dignity table.
void WriteFrontPage(RtfFile& file, const ReportRun& run, const std::string& title,
                    FrontPagePictures* pictures);

// The front page writer of a report run.
class RtfFrontPageWriter : public FrontPageWriter {
 public:
  explicit RtfFrontPageWriter(FrontPagePictures* pictures = nullptr) : pictures_(pictures) {}
  void WriteFrontPage(RtfFile& file, const ReportRun& run, const std::string& title) override;
  void WriteSummary(RtfFile& file, const ReportRun& run) override;

 private:
  FrontPagePictures* pictures_;
};

}  // namespace korvana
