// The chart page of a real report, as a word processor shows it: the report written by
// korvana for a sample chart is converted to PDF by LibreOffice, and the page after the
// front page carries the wheel — ink along a circle, not a blank or broken picture.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>

#include "support/temp_folder.h"

namespace korvana {
namespace {

int RunProgram(const QString& program, const QStringList& args, std::string* output = nullptr) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, args);
  if (!process.waitForStarted(30000)) return -1;
  process.waitForFinished(300000);
  if (output) *output = process.readAll().toStdString();
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool Dark(const QImage& img, int x, int y) {
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return false;
  QRgb p = img.pixel(x, y);
  return qRed(p) + qGreen(p) + qBlue(p) < 3 * 160;
}

// Writes the report of sample chart `chart` as RTF with korvana (extra arguments added),
// converts it to "report.pdf" with LibreOffice and renders its second page, the chart
// page, at 50 dots per inch; the page's image, null when a step failed (its output in
// `out`).
QImage ChartPageInAWordProcessor(const testing::TempFolder& folder, const QStringList& extra, std::string& out) {
  QStringList args{"--home", QString::fromStdString(folder / "home"), "--config",
                   QString::fromStdString(folder / "registry.ini"), "report", "--chart", "main.cht:1",
                   "-o", QString::fromStdString(folder / "report.rtf")};
  args += extra;
  if (RunProgram(KORVANA_BINARY, args, &out) != 0) return {};
  if (RunProgram("soffice", {"-env:UserInstallation=file://" + QString::fromStdString(folder / "profile"), "--headless",
                             "--convert-to", "pdf", "--outdir", QString::fromStdString(folder.Path()),
                             QString::fromStdString(folder / "report.rtf")},
                 &out) != 0)
    return {};
  if (RunProgram("pdftoppm", {"-f", "2", "-l", "2", "-r", "50", "-singlefile", "-png",
                              QString::fromStdString(folder / "report.pdf"), QString::fromStdString(folder / "page")},
                 &out) != 0)
    return {};
  return QImage(QString::fromStdString(folder / "page.png")).convertToFormat(QImage::Format_RGB32);
}

TEST(ReportWheelPage, TheChartPageShowsTheWheelInAWordProcessor) {
  testing::TempFolder folder;
  std::string out;
  QImage page = ChartPageInAWordProcessor(folder, {}, out);
  ASSERT_FALSE(page.isNull()) << out;

  // The inked area: the wheel, with the chart's details block above it; the page number
  // in the footer left out.
  int left = page.width(), right = -1, top = page.height(), bottom = -1;
  for (int y = 0; y < page.height() * 9 / 10; ++y)
    for (int x = 0; x < page.width(); ++x)
      if (Dark(page, x, y)) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  ASSERT_GT(bottom, top);
  // Below the details block only the wheel is inked: its width gives the wheel's size.
  for (int y = top + (bottom - top) * 4 / 10; y <= bottom; ++y)
    for (int x = 0; x < page.width(); ++x)
      if (Dark(page, x, y)) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  ASSERT_GT(right, left);
  const double width = right - left;
  EXPECT_GT(width, page.width() * 0.5) << "the wheel fills the text width";
  // The wheel's top: the first ink down its middle column, below the details block.
  int wheelTop = bottom;
  for (int y = bottom; y >= top; --y)
    if (Dark(page, (left + right) / 2, y)) wheelTop = y;
  EXPECT_NEAR((bottom - wheelTop) / width, 1.0, 0.15) << "a round wheel";

  // Its outer circle: nearly every direction from the centre meets ink near the radius.
  const double cx = (left + right) / 2.0, r = width / 2.0, cy = bottom - r;
  int inked = 0;
  for (int a = 0; a < 360; ++a) {
    const double t = a * M_PI / 180.0;
    bool hit = false;
    for (double d = r * 0.9; d <= r * 1.02 && !hit; d += 0.5)
      hit = Dark(page, static_cast<int>(std::lround(cx + d * std::cos(t))), static_cast<int>(std::lround(cy + d * std::sin(t))));
    inked += hit;
  }
  EXPECT_GT(inked, 340) << "directions with ink near the wheel's rim";
}

// The RTF carries its page: opened on A4 and on Letter, the word processor lays it out on
// that paper with its margins, the chart page's ink stays inside the margins, and every
// page shows its number in the footer.
TEST(ReportWheelPage, TheRtfKeepsItsPaperMarginsAndPageNumbers) {
  struct Paper {
    const char* name;
    double widthPt, heightPt;
  };
  for (const Paper& paper : {Paper{"A4", 595, 842}, Paper{"Letter", 612, 792}}) {
    testing::TempFolder folder;
    std::string out;
    QImage page = ChartPageInAWordProcessor(folder, {"--paper", paper.name}, out);
    ASSERT_FALSE(page.isNull()) << paper.name << ": " << out;
    ASSERT_EQ(RunProgram("pdfinfo", {QString::fromStdString(folder / "report.pdf")}, &out), 0);
    const QString info = QString::fromStdString(out);
    EXPECT_TRUE(info.contains(QString("Page size:       %1 x %2").arg(paper.widthPt).arg(paper.heightPt)) ||
                info.contains(QString("Page size:       %1.").arg(paper.widthPt)))
        << paper.name << "\n" << out;
    const int pages = QRegularExpression("Pages:\\s+(\\d+)").match(info).captured(1).toInt();
    ASSERT_GT(pages, 3);
    ASSERT_EQ(RunProgram("pdftotext", {QString::fromStdString(folder / "report.pdf"), "-"}, &out), 0);
    for (int n = 1; n <= pages; ++n)
      EXPECT_NE(out.find("Page " + std::to_string(n)), std::string::npos) << paper.name << ": page " << n;

    // The chart page at 50 dots per inch: its ink within the half-inch margins (25 pixels).
    int left = page.width(), right = -1, top = page.height(), bottom = -1;
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x)
        if (Dark(page, x, y)) {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
    ASSERT_GT(right, left) << paper.name;
    EXPECT_GE(left, 24) << paper.name;
    EXPECT_LE(right, page.width() - 24) << paper.name;
    EXPECT_GE(top, 24) << paper.name;
    EXPECT_LE(bottom, page.height() - 24) << paper.name;
    EXPECT_GT(right - left, page.width() * 0.6) << paper.name << ": the wheel fills the text width";
  }
}

}  // namespace
}  // namespace korvana
