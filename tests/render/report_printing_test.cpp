// The print loop: a report document printed to a PDF printer, read back with pdftotext.
#include "render/report_printing.h"

#include <gtest/gtest.h>

#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <filesystem>
#include <regex>

#include "support/temp_folder.h"

namespace korvana {
namespace {

// The A4 page in twips, as the settings hold the printer's page.
constexpr int A4WidthTwips = 11906, A4HeightTwips = 16838;

// A report of four pages: the cover, the chart page and two pages of text.
void FillReport(QTextDocument& document) {
  QTextCursor cursor(&document);
  const char* pages[] = {"Cover", "Wheel", "Body one", "Body two"};
  for (int i = 0; i < 4; ++i) {
    if (i > 0) {
      QTextBlockFormat format;
      format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      cursor.insertBlock(format);
    }
    cursor.insertText(pages[i]);
  }
}

std::string Run(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForStarted(30000) || !process.waitForFinished(60000)) return "could not run " + program.toStdString();
  return process.readAllStandardOutput().toStdString();
}

// The text of each page of a PDF.
std::vector<std::string> PageTexts(const std::string& pdf) {
  const std::string info = Run("pdfinfo", {QString::fromStdString(pdf)});
  std::smatch m;
  const int pages = std::regex_search(info, m, std::regex(R"(Pages:\s+(\d+))")) ? std::stoi(m[1]) : 0;
  std::vector<std::string> texts;
  for (int p = 1; p <= pages; ++p) {
    std::string text = Run("pdftotext", {"-layout", "-f", QString::number(p), "-l", QString::number(p), QString::fromStdString(pdf), "-"});
    text = std::regex_replace(text, std::regex(R"(\s+)"), " ");
    texts.push_back(std::regex_replace(text, std::regex(R"(^ | $|\f)"), ""));
  }
  return texts;
}

class ReportPrinting : public ::testing::Test {
 protected:
  ReportPrinting() {
    FillReport(document);
    setup.pageWidthTwips = A4WidthTwips;
    setup.pageHeightTwips = A4HeightTwips;
  }
  PrintOutcome Print(const ReportPrintJob& job, bool fullPage = true) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(fullPage);
    if (!fullPage) printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    return PrintReport(document, printer, setup, job);
  }
  static ReportPrintJob Pages(int first, int last, const char* header = "Korvana Natal Report - Ann") {
    ReportPrintJob job;
    job.firstPage = first;
    job.lastPage = last;
    job.headerText = header;
    return job;
  }

  testing::TempFolder folder;
  std::string pdf = folder / "printed.pdf";
  QTextDocument document;
  ReportPageSetup setup;
};

TEST_F(ReportPrinting, LeadingPagesCarryNoHeaderAndCountingStartsAfterThem) {
  struct Case {
    bool chartPage, includeHeaders;
    std::vector<std::string> pages;
  };
  const Case cases[] = {
      {true, true, {"Cover", "Wheel", "Korvana Natal Report - Ann Page 1 Body one"}},
      {false, true, {"Cover", "Korvana Natal Report - Ann Page 1 Wheel", "Korvana Natal Report - Ann Page 2 Body one"}},
      {true, false, {"Cover", "Wheel", "Page 1 Body one"}},
  };
  for (const Case& c : cases) {
    setup.chartPage = c.chartPage;
    setup.includePageHeaders = c.includeHeaders;
    const PrintOutcome outcome = Print(Pages(1, 3));
    ASSERT_TRUE(outcome.printed) << outcome.error;
    EXPECT_EQ(outcome.pages, 3);
    EXPECT_EQ(PageTexts(pdf), c.pages) << "chart page " << c.chartPage << ", headers " << c.includeHeaders;
  }
}

TEST_F(ReportPrinting, CollatedCopiesRepeatTheRangeUncollatedRepeatEachPage) {
  struct Case {
    ReportPrintJob job;
    std::vector<std::string> pages;
  };
  ReportPrintJob collated = CopiesFromDialog(2, true), uncollated = CopiesFromDialog(2, false);
  for (ReportPrintJob* job : {&collated, &uncollated}) job->firstPage = 3, job->headerText = "H";
  const Case cases[] = {
      {collated, {"H Page 1 Body one", "H Page 2 Body two", "H Page 1 Body one", "H Page 2 Body two"}},
      {uncollated, {"H Page 1 Body one", "H Page 1 Body one", "H Page 2 Body two", "H Page 2 Body two"}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Print(c.job).printed);
    EXPECT_EQ(PageTexts(pdf), c.pages);
  }
  EXPECT_EQ(CopiesFromDialog(0, true).outerCopies, 1);
  EXPECT_EQ(CopiesFromDialog(3, true).innerCopies, 1);
}

// Where the first word of a page's header and the end of its label sit, in points.
struct HeaderPlace {
  double headerLeft = -1, headerTop = -1, labelRight = -1;
};
HeaderPlace PlaceOnPage(const std::string& pdf, int page, const std::string& firstWord) {
  const std::string html = Run("pdftotext", {"-bbox", "-f", QString::number(page), "-l", QString::number(page),
                                             QString::fromStdString(pdf), "-"});
  const std::regex word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
  HeaderPlace place;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), word); it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    if (m[4] == firstWord && place.headerLeft < 0) place.headerLeft = std::stod(m[1]), place.headerTop = std::stod(m[2]);
    if (m[4] == "Page") place.labelRight = -2;
    else if (place.labelRight == -2) place.labelRight = std::stod(m[3]);  // the number after "Page"
  }
  return place;
}

TEST_F(ReportPrinting, HeaderSitsAtTheMarginsWhateverThePrintersOffsets) {
  // 1440 twips = 72 points left and top; 720 twips = 36 points right.
  setup.marginLeft = 1440;
  setup.marginTop = 1440;
  setup.marginRight = 720;
  const double a4Width = 595.276;
  for (bool fullPage : {true, false}) {
    ASSERT_TRUE(Print(Pages(3, 3, "Korvana"), fullPage).printed);
    const HeaderPlace place = PlaceOnPage(pdf, 1, "Korvana");
    EXPECT_NEAR(place.headerLeft, 72, 1.5) << "full page " << fullPage;
    EXPECT_NEAR(place.headerTop, 72, 6) << "full page " << fullPage;
    EXPECT_NEAR(place.labelRight, a4Width - 36, 1.5) << "full page " << fullPage;
  }
}

TEST_F(ReportPrinting, ImpossibleJobsPrintNothing) {
  const PrintOutcome beyond = Print(Pages(5, 6));
  EXPECT_FALSE(beyond.printed);
  EXPECT_NE(beyond.error.find("no page 5"), std::string::npos) << beyond.error;
  setup.marginLeft = setup.marginRight = A4WidthTwips / 2 + 10;
  const PrintOutcome noRoom = Print(Pages(1, 3));
  EXPECT_FALSE(noRoom.printed);
  EXPECT_FALSE(noRoom.error.empty());
  EXPECT_FALSE(std::filesystem::exists(pdf));
  EXPECT_EQ(PageLabel(2, 2), "");
  EXPECT_EQ(PageLabel(5, 2), "Page 3");
}

}  // namespace
}  // namespace korvana
