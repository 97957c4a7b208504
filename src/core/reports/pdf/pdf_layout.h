// The page layout of a PDF report. A PDF engine places text at positions, so the layout
// keeps its own vertical position on the page (the used height below the header) and
// does page breaks, page headers, line breaking, justification, inline emphasis, lists,
// tables and pictures itself.
//
// Texts are report markup: "\r\n\par" ends a line; "<BOLDON>", "<ITALICON>",
// "<UNDERLINEON>" and their "OFF" tokens switch emphasis within a paragraph; "<CENTER>"
// (or "<CENTRE>") centres a line; "<PSTOPICTITLE>" sets a line in the keyword title style;
// "<TABLEON>"..."<TABLEOFF>" and "<LIST>"..."<ENDLIST>" are tables and bulleted lists in
// a block. Names substituted into a text keep their RTF escapes ("\'hh", "\uN?", "\\",
// "\{", "\}"); the layout writes them as the characters they stand for.
//
// Limits: a line is cut into at most 9999 words; a table has at most 100 rows of at most
// 100 cells; a row with more cells than the first loses the extra ones and a shorter row
// is filled with empty cells; a list has at most 100 items.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/program_settings.h"
#include "core/reports/pdf/pdf_engine.h"

namespace korvana {

// One table for DrawTable.
struct PdfTable {
  std::vector<std::vector<std::string>> rows;  // cell texts, row by row
  std::vector<double> fractions;               // per column, of the table width
  std::vector<std::string> titles;             // per column
  int alignment = 0;                           // cells: 0 left, 2 centred
  double widthFraction = 1.0;                  // of the text width
  bool header = false;                         // the header row of the titles is shown
};

// The parts of a line written in several styles: a whole paragraph, or the first,
// middle and last pieces of one line.
enum PdfPart { PdfWhole = 0, PdfFirstPiece = 1, PdfMiddlePiece = 2, PdfLastPiece = 3 };

// Layout passes of a line in pieces.
enum PdfPass { PdfNormalPass = 0, PdfMeasuringPass = 1, PdfWritingPass = 2 };

// Report markup with the RTF escapes of substituted names turned back into characters
// and any other RTF control word dropped.
std::string PlainReportText(std::string_view text);

class PdfLayout {
 public:
  PdfLayout(PdfEngine& engine, const std::array<TTextStyle, TextStyleCount>& styles);

  PdfEngine& Engine() { return engine_; }
  const TTextStyle& Style(int style) const;
  // Changes a text style for the rest of the run (the front page scales one for a line).
  void SetStyle(int style, const TTextStyle& value);

  // The page geometry (given to the engine too).
  void SetPage(const PdfPageSetup& page);
  const PdfPageSetup& Page() const { return page_; }
  // The bottom margin alone (the front page narrows it while the compliments block is
  // written); pixels.
  void SetBottomMargin(double pixels);
  // The text written at the left of every page header after the first page.
  void SetHeaderText(std::string text) { headerText_ = std::move(text); }
  // The word written before the page number in the header ("Page" unless set).
  void SetPageWord(std::string word) { pageWord_ = std::move(word); }

  // Text width W, usable height U (page less margins and header), the height left on the
  // current page, and the height of "X" in the engine's current font.
  double TextWidth() const;
  double UsableHeight() const;
  double RemainingHeight() const;
  double XHeight();

  // Starts a page unless nothing has been written on the current one; the new page gets
  // its header: the header text at the left, "Page " + the page count at the right, in
  // the page header style.
  void NewPage();
  // Reserves n lines of the height of "X" (in the given font size unless negative) on this
  // page when they fit, else starts a new page.
  void EnsureRoom(int lines, double fontSize = -1);

  // One paragraph (part PdfWhole) or one piece of a line in several styles, in a text
  // style (0..10). With addSpacing the used height grows afterwards by spacingPercent of
  // the height of "X" (for whole paragraphs and last pieces).
  void WriteParagraph(std::string_view text, int style, int part, int spacingPercent, bool addSpacing);
  // Paragraphs mixed with tables and lists.
  void WriteBlock(std::string_view text, int style, bool addSpacing);
  // A table, continued on the following pages (with its header row) while it does not fit.
  void DrawTable(const PdfTable& table);
  // A ".bmp" (always as an image) or ".wmf" picture (vector drawing unless asImage),
  // fraction of the text width wide, centred; aspect > 0.001 fixes a metafile's
  // width / height. A picture taller than the usable height is scaled down to it. Other
  // files are ignored. Throws Error when the picture cannot be read.
  void DrawPicture(const std::string& file, bool asImage, double widthFraction, double aspect = 0);

  // Layout state of the run.
  double usedHeight = 0;
  double continuationX = 0;
  double centringOffset = 0;
  int pass = PdfNormalPass;

 private:
  struct Word {
    std::string text;  // plain text
    int blanks = 0;    // blanks after it
    std::uint8_t emphasis = 0;
    double x = 0;
  };
  std::vector<Word> SplitWords(std::string_view line, int part, std::uint8_t& emphasis) const;
  void LayoutLine(std::string line, int alignment, int part, std::uint8_t& emphasis);
  void PlaceLine(const std::vector<Word>& words, std::size_t first, std::size_t last, double end, bool lastLine,
                 int alignment, int part, std::uint8_t base);
  void UseStyle(int style);
  static PdfFont FontOf(const TTextStyle& s);
  void StartTable(const PdfTableSetup& setup);

  PdfEngine& engine_;
  std::array<TTextStyle, TextStyleCount> styles_;
  PdfPageSetup page_;
  std::string headerText_;
  std::string pageWord_ = "Page";
};

}  // namespace korvana
