#include <gtest/gtest.h>

#include <cmath>

#include "core/reports/pdf/paper_sizes.h"
#include "core/reports/pdf/pdf_layout.h"
#include "core/reports/pdf/pdf_report.h"
#include "recording_pdf_engine.h"

namespace korvana {
namespace {

using testing::RecordingPdfEngine;
using testing::WrittenText;

// A small page: text width 400 pixels, usable height 360; every style 10 points, so
// that "X" is 10 pixels high, a character 5 wide and a line 10.5 high.
class PdfLayoutTest : public ::testing::Test {
 protected:
  PdfLayoutTest() : layout(engine, Styles()) {
    PdfPageSetup page;
    page.dpi = 96;
    page.widthInches = page.heightInches = 5;
    page.marginLeft = page.marginRight = page.marginTop = page.marginBottom = 40;
    page.header = 40;
    page.footer = 0;
    layout.SetPage(page);
    layout.SetHeaderText("Korvana Report - Ann");
    engine.BeginDocument();
  }

  static std::array<TTextStyle, TextStyleCount> Styles() {
    std::array<TTextStyle, TextStyleCount> styles = DefaultTextStyles();
    for (TTextStyle& s : styles) {
      s.fontSize = 10;
      s.fontStyle = 0;
      s.alignment = 0;
    }
    return styles;
  }

  void SetAlignment(int style, TextAlignment a) {
    TTextStyle s = layout.Style(style);
    s.alignment = static_cast<std::uint8_t>(a);
    layout.SetStyle(style, s);
  }

  // Fills the page until the next line would start a new one.
  void FillPage() {
    while (layout.RemainingHeight() >= 2 * 10.5) layout.WriteParagraph("line", BodyText, PdfWhole, 100, false);
  }

  RecordingPdfEngine engine;
  PdfLayout layout;
};

TEST(PaperSizes, PrinterPagesByTheOnePercentRule) {
  struct Case {
    double width, height;
    const char* paper;
  };
  const Case cases[] = {
      {8.27, 11.69, "A4"}, {8.347, 11.806, "A4"}, {8.5, 11.0, "Letter"}, {8.0, 10.0, "Custom"}, {11.0, 17.0, "Tabloid"},
  };
  for (const Case& c : cases) {
    const PaperSize p = ChoosePaperSize({c.width, c.height});
    EXPECT_EQ(p.name, c.paper) << c.width << " x " << c.height;
    if (p.name == "Custom") {
      EXPECT_EQ(p.widthInches, c.width);
      EXPECT_EQ(p.heightInches, c.height);
    }
  }
  EXPECT_EQ(ChoosePaperSize(NoPrinterPage).name, "A4");
  // Without a printer the report's page is A4, margins from twips, header 15 mm.
  ProgramSettings settings;
  settings.PageMarginL = 1440;
  const PdfPageSetup page = PdfPageFor(settings, {});
  EXPECT_EQ(page.paperName, "A4");
  EXPECT_DOUBLE_EQ(page.marginLeft, 96);
  EXPECT_NEAR(page.header, 15 / 25.4 * 96, 1e-9);
}

TEST_F(PdfLayoutTest, NewPageOnlyAfterSomethingWasWrittenAndWithItsHeader) {
  layout.NewPage();
  EXPECT_EQ(engine.pages, 1) << "nothing written: no new page";
  layout.WriteParagraph("Hello", BodyText, PdfWhole, 100, false);
  layout.NewPage();
  EXPECT_EQ(engine.pages, 2);
  EXPECT_EQ(layout.usedHeight, 0);
  layout.NewPage();
  EXPECT_EQ(engine.pages, 2);
  ASSERT_EQ(engine.texts.size(), 3u);
  const WrittenText& title = engine.texts[1];
  const WrittenText& number = engine.texts[2];
  EXPECT_TRUE(title.header && number.header);
  EXPECT_EQ(title.text, "Korvana Report - Ann");
  EXPECT_EQ(title.x, 0);
  EXPECT_EQ(number.text, "Page 2");
  EXPECT_DOUBLE_EQ(number.x, 400 - 6 * 5) << "the page number ends at the right edge";

  // Page headers switched off: the header text is empty, the number stays.
  ReportRun run;
  ProgramSettings settings;
  TKVReport report;
  report.caption = "Natal";
  CalculatedChart chart;
  chart.Chart.Name = "Ann   ";
  run.charts = {chart};
  run.report = &report;
  run.settings = &settings;
  EXPECT_EQ(PdfHeaderText(run), "Korvana Natal - Ann");
  settings.IncludePageHeaders = false;
  EXPECT_EQ(PdfHeaderText(run), "");
}

TEST_F(PdfLayoutTest, EmptyParagraphStillAdvancesByOneLine) {
  layout.WriteParagraph("", BodyText, PdfWhole, 100, false);
  EXPECT_DOUBLE_EQ(layout.usedHeight, 10.5);
  layout.WriteParagraph("", BodyText, PdfWhole, 100, true);
  EXPECT_DOUBLE_EQ(layout.usedHeight, 10.5 + 10.5 + 10) << "and by its spacing";
  // Every line break of a text is a line of its own.
  layout.WriteParagraph("a\r\n\\par b\r\n\\PAR c", BodyText, PdfWhole, 100, false);
  EXPECT_DOUBLE_EQ(layout.usedHeight, 31 + 3 * 10.5);
}

TEST_F(PdfLayoutTest, JustifiedLinesReachTheRightEdgeButTheLastLine) {
  SetAlignment(BodyText, TextAlignment::Justify);
  std::string text;
  for (int i = 0; i < 40; ++i) text += "word" + std::to_string(i % 7) + " ";
  layout.WriteParagraph(text, BodyText, PdfWhole, 100, false);
  const std::vector<WrittenText> body = engine.Body();
  std::map<double, std::vector<WrittenText>> lines;
  for (const WrittenText& t : body) lines[t.y].push_back(t);
  ASSERT_GE(lines.size(), 3u);
  std::size_t n = 0;
  for (const auto& [y, words] : lines) {
    const WrittenText& last = words.back();
    const double end = last.x + 5.0 * static_cast<double>(last.text.size());
    EXPECT_EQ(words.front().x, 0);
    if (++n < lines.size()) {
      EXPECT_NEAR(end, 400, 1e-9) << "line at " << y;
    } else {
      // The last line is set left: one blank (5 pixels) between its words.
      for (std::size_t k = 1; k < words.size(); ++k)
        EXPECT_DOUBLE_EQ(words[k].x, words[k - 1].x + 5.0 * static_cast<double>(words[k - 1].text.size()) + 5);
    }
  }
}

TEST_F(PdfLayoutTest, EmphasisTokensChangeWordsAsTheyStand) {
  struct Case {
    const char* text;
    std::vector<std::pair<std::string, bool>> words;  // word, bold
  };
  const Case cases[] = {
      {"one <BOLDON>two<BOLDOFF> three", {{"one", false}, {"two", true}, {"three", false}}},
      {"one <BOLDON> two three", {{"one", false}, {"two", true}, {"three", true}}},
      {"ab<BOLDON>cd ef", {{"ab", false}, {"cd", true}, {"ef", true}}},
      {"<BOLDON>all<BOLDOFF>", {{"all", true}}},
  };
  for (const Case& c : cases) {
    engine.texts.clear();
    layout.WriteParagraph(c.text, BodyText, PdfWhole, 100, false);
    ASSERT_EQ(engine.texts.size(), c.words.size()) << c.text;
    for (std::size_t i = 0; i < c.words.size(); ++i) {
      EXPECT_EQ(engine.texts[i].text, c.words[i].first) << c.text;
      EXPECT_EQ((engine.texts[i].font.emphasis & StyleBold) != 0, c.words[i].second) << c.text << ": " << c.words[i].first;
    }
  }
  // A token inside a word splits it into two pieces written without a blank between them.
  engine.texts.clear();
  layout.WriteParagraph("ab<ITALICON>cd", BodyText, PdfWhole, 100, false);
  ASSERT_EQ(engine.texts.size(), 2u);
  EXPECT_DOUBLE_EQ(engine.texts[1].x, engine.texts[0].x + 10);
  EXPECT_EQ(engine.texts[1].font.emphasis, StyleItalic);
  // The style's own font comes back after the paragraph.
  EXPECT_EQ(engine.font.emphasis, 0);
}

TEST_F(PdfLayoutTest, TablesOfOneTwoAndFiveColumnsHaveTheirWidths) {
  struct Case {
    const char* row;
    double width;
    int alignment;
  };
  const Case cases[] = {
      {"a", 0.5 * 400, 2},
      {"a\tb", 0.67 * 400, 2},
      {"a\tb\tc\td\te", 400, 0},
  };
  for (const Case& c : cases) {
    engine.tables.clear();
    layout.WriteBlock(std::string("<TABLEON>") + c.row + "<ENDROW>" + c.row + "<ENDROW><TABLEOFF>after", BodyText, true);
    ASSERT_EQ(engine.tables.size(), 1u) << c.row;
    const PdfTableSetup& t = engine.tables[0].setup;
    double width = 0;
    for (const PdfTableColumn& col : t.columns) {
      width += col.width;
      EXPECT_NEAR(col.width, c.width / static_cast<double>(t.columns.size()), 1e-9) << "equal columns";
      EXPECT_EQ(col.alignment, c.alignment) << c.row;
    }
    EXPECT_NEAR(width, c.width, 1e-9) << c.row;
    EXPECT_NEAR(t.left, (400 - c.width) / 2, 1e-9) << "centred: " << c.row;
    EXPECT_EQ(t.headerHeight, 0) << "block tables have no header row";
    EXPECT_EQ(engine.tables[0].cells.size(), 2 * t.columns.size());
  }
  EXPECT_EQ(engine.Body().back().text, "after") << "the text after the table follows";
}

TEST_F(PdfLayoutTest, TableRunsOnToTheNextPageWithItsHeaderRow) {
  PdfTable table;
  table.titles = {"Planet", "Sign"};
  table.fractions = {0.5, 0.5};
  table.header = true;
  for (int i = 0; i < 60; ++i) table.rows.push_back({"P" + std::to_string(i), "S" + std::to_string(i)});
  layout.WriteParagraph("Before", BodyText, PdfWhole, 100, false);
  layout.DrawTable(table);
  ASSERT_GE(engine.tables.size(), 3u) << "60 rows of 12 pixels need three pages of 360";
  std::vector<std::string> cells;
  for (std::size_t k = 0; k < engine.tables.size(); ++k) {
    const testing::BegunTable& t = engine.tables[k];
    EXPECT_EQ(t.page, static_cast<int>(k) + 1);
    EXPECT_EQ(t.setup.headerHeight, 12) << "the header row on every page";
    EXPECT_EQ(t.setup.columns[0].title, "Planet");
    if (k > 0) {
      EXPECT_EQ(t.setup.top, 0) << "continued at the top of the page";
    }
    cells.insert(cells.end(), t.cells.begin(), t.cells.end());
  }
  ASSERT_EQ(cells.size(), 120u);
  EXPECT_EQ(cells.front(), "P0");
  EXPECT_EQ(cells.back(), "S59");
  EXPECT_LE(layout.usedHeight, 360);
  EXPECT_GT(layout.usedHeight, 0);
}

TEST_F(PdfLayoutTest, TallMetafileIsScaledToTheUsableHeightOnANewPage) {
  engine.pictureSizes["tall.wmf"] = {100, 1000};
  engine.pictureSizes["logo.bmp"] = {200, 100};
  layout.DrawPicture("logo.bmp", false, 0.5);
  ASSERT_EQ(engine.pictures.size(), 1u);
  EXPECT_TRUE(engine.pictures[0].asImage) << "bitmaps are always images";
  EXPECT_DOUBLE_EQ(engine.pictures[0].width, 200);
  EXPECT_DOUBLE_EQ(engine.pictures[0].height, 100);
  EXPECT_DOUBLE_EQ(engine.pictures[0].x, 100) << "centred";

  layout.DrawPicture("tall.wmf", false, 1.0);
  ASSERT_EQ(engine.pictures.size(), 2u);
  const testing::DrawnPicture& tall = engine.pictures[1];
  EXPECT_FALSE(tall.asImage);
  EXPECT_EQ(tall.page, 2) << "less room on the first page";
  EXPECT_DOUBLE_EQ(tall.height, 360);
  EXPECT_DOUBLE_EQ(tall.width, 36);
  EXPECT_DOUBLE_EQ(tall.y, 0);
  EXPECT_DOUBLE_EQ(layout.usedHeight, 360);

  // A fixed aspect sets a metafile's height; other files are ignored; a missing one fails.
  layout.NewPage();
  layout.DrawPicture("tall.wmf", false, 0.5, 2.0);
  EXPECT_DOUBLE_EQ(engine.pictures.back().height, 100);
  layout.DrawPicture("notes.txt", false, 1.0);
  EXPECT_EQ(engine.pictures.size(), 3u);
  EXPECT_THROW(layout.DrawPicture("missing.wmf", false, 1.0), Error);
}

TEST_F(PdfLayoutTest, ListsAreBulletedParagraphs) {
  layout.WriteBlock("<LIST> <BULLET>first<BULLET>second<ENDLIST>", BodyText, false);
  const std::vector<WrittenText> body = engine.Body();
  ASSERT_EQ(body.size(), 4u);
  EXPECT_EQ(body[0].text, "\u2022");
  EXPECT_EQ(body[1].text, "first");
  EXPECT_EQ(body[3].text, "second");
  EXPECT_GT(body[2].y, body[0].y);
}

TEST_F(PdfLayoutTest, LineInPiecesIsCentredAsAWholeAfterMeasuring) {
  SetAlignment(ComplimentsText, TextAlignment::Centre);  // the last piece's style centres the line
  auto pieces = [&] {
    layout.WriteParagraph("Tel: ", ComplimentsTextHighlight, PdfFirstPiece, 100, false);
    layout.WriteParagraph("555 0100", ComplimentsText, PdfLastPiece, 100, false);
  };
  layout.pass = PdfMeasuringPass;
  layout.centringOffset = 0;
  pieces();
  EXPECT_TRUE(engine.texts.empty()) << "the measuring pass writes nothing";
  EXPECT_EQ(layout.usedHeight, 0);
  layout.pass = PdfWritingPass;
  pieces();
  layout.pass = PdfNormalPass;
  ASSERT_EQ(engine.texts.size(), 3u);
  for (const WrittenText& t : engine.texts) EXPECT_EQ(t.y, 0) << "one line";
  // "Tel: " is 25 wide, then 1 pixel, then "555 0100" 40 wide: 66 centred in 400.
  const double offset = (400 - 66) / 2.0;
  EXPECT_DOUBLE_EQ(engine.texts[0].x, offset);
  EXPECT_DOUBLE_EQ(engine.texts[1].x, offset + 26);
  EXPECT_DOUBLE_EQ(layout.usedHeight, 10.5);
}

TEST(PlainReportText, EscapesOfNamesBecomeTheirCharacters) {
  EXPECT_EQ(PlainReportText("Jos\\'e9 \\'3cB\\'3e \\{x\\} a\\\\b \\u8364?"), "Jos\u00e9 <B> {x} a\\b \u20ac");
  EXPECT_EQ(PlainReportText("{\\b bold} plain"), "bold plain");
}

}  // namespace
}  // namespace korvana
