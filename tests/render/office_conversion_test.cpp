// What the program writes opens in a real word processor: a metafile converted by
// LibreOffice shows the drawing the player shows, and an RTF report built with the
// emitter converts to a PDF with its pages, words and pictures.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPageSize>
#include <QPdfWriter>
#include <QProcess>
#include <QStringList>
#include <regex>

#include "core/reports/rtf/picture_files.h"
#include "core/reports/rtf/rtf_emitter.h"
#include "render/dtp_table.h"
#include "render/metafile.h"
#include "render/render_test_support.h"
#include "render/wmf_player.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::InkDifference;
using testing::TempFolder;
using testing::TotalInk;
using testing::WhiteImage;

struct ProgramRun {
  int exitCode = -1;
  std::string out;
};

ProgramRun RunProgram(const QString& program, const QStringList& args) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, args);
  ProgramRun run;
  if (!process.waitForStarted(30000)) {
    run.out = "could not start " + program.toStdString();
    return run;
  }
  process.waitForFinished(300000);
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAll().toStdString();
  return run;
}

// Converts a file with LibreOffice into `format` in the same folder, with a private profile
// so that runs never meet another office instance.
std::string OfficeConvert(const TempFolder& folder, const std::string& file, const QString& format) {
  ProgramRun run = RunProgram("soffice", {"-env:UserInstallation=file://" + QString::fromStdString(folder / "profile"),
                                   "--headless", "--convert-to", format, "--outdir",
                                   QString::fromStdString(folder.Path()), QString::fromStdString(file)});
  EXPECT_EQ(run.exitCode, 0) << run.out;
  std::string base = file.substr(0, file.rfind('.'));
  return base + "." + format.section(':', 0, 0).toStdString();
}

// The part of a picture that holds ink.
QImage InkedPart(const QImage& image) {
  QImage img = image.convertToFormat(QImage::Format_RGB32);
  int left = img.width(), right = -1, top = img.height(), bottom = -1;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      QRgb p = img.pixel(x, y);
      if (qAlpha(p) > 0 && qRed(p) + qGreen(p) + qBlue(p) < 3 * 200) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
  }
  if (right < 0) return QImage();
  return img.copy(QRect(QPoint(left, top), QPoint(right, bottom)));
}

// A drawing inside a frame, so that the inked part of every rendering is the whole picture.
void DrawFramedScene(QPainter& p) {
  p.setPen(QPen(Qt::black, 2));
  p.drawRect(1, 1, 397, 297);
  p.setPen(QPen(Qt::blue, 2));
  p.setBrush(QColor(0, 150, 0));
  p.drawRect(30, 40, 100, 70);
  p.setBrush(QColor(230, 180, 0));
  p.drawEllipse(QRectF(260, 30, 110, 110));
  PaintPie(p, QRectF(160, 150, 120, 120), 30, 120);
  p.setPen(QPen(Qt::darkRed, 5));
  p.drawLine(20, 280, 380, 160);
  p.setPen(Qt::black);
  QFont text("Liberation Sans");
  text.setPixelSize(28);
  p.setFont(text);
  p.drawText(QPointF(30, 170), "Report");
  QFont glyphs("DejaVu Sans");
  glyphs.setPixelSize(48);
  p.setFont(glyphs);
  p.drawText(QPointF(30, 250), QString::fromUtf8("\u2648\u2649\u264A"));
}

TEST(OfficeConversion, MetafileLooksTheSameInLibreOfficeAsInThePlayer) {
  TempFolder folder;
  TMetafile mf(400, 300);
  {
    QPainter p(&mf);
    DrawFramedScene(p);
  }
  const std::string wmfPath = folder / "scene.wmf";
  ASSERT_TRUE(mf.Save(wmfPath));

  QImage office(QString::fromStdString(OfficeConvert(folder, wmfPath, "png")));
  ASSERT_FALSE(office.isNull());
  QImage officePart = InkedPart(office);
  ASSERT_FALSE(officePart.isNull());

  QImage played = WhiteImage(400, 300);
  {
    QPainter p(&played);
    PlayMetafile(mf.Data(), p, QRectF(0, 0, 400, 300));
  }
  QImage playedPart = InkedPart(played);
  ASSERT_FALSE(playedPart.isNull());
  // Same proportions, and the same ink in every region.
  EXPECT_NEAR(double(officePart.width()) / officePart.height(),
              double(playedPart.width()) / playedPart.height(), 0.03);
  QImage officeScaled = officePart.scaled(playedPart.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  EXPECT_LT(InkDifference(officeScaled, playedPart, 8, 6), 0.08);
  EXPECT_GT(TotalInk(playedPart), 0.1);
}

TEST(OfficeConversion, PlayerWritesTextAsTextIntoPdf) {
  TempFolder folder;
  TMetafile mf(400, 300);
  {
    QPainter p(&mf);
    DrawFramedScene(p);
  }
  const std::string pdfPath = folder / "played.pdf";
  {
    QPdfWriter pdf(QString::fromStdString(pdfPath));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    QPainter p(&pdf);
    PlayMetafile(mf.Data(), p, QRectF(0, 0, pdf.width(), pdf.width() * 0.75));
  }
  ProgramRun text = RunProgram("pdftotext", {QString::fromStdString(pdfPath), "-"});
  ASSERT_EQ(text.exitCode, 0) << text.out;
  EXPECT_NE(text.out.find("Report"), std::string::npos) << text.out;
  ProgramRun page = RunProgram("pdftoppm", {"-r", "30", "-png", QString::fromStdString(pdfPath),
                                            QString::fromStdString(folder / "played")});
  ASSERT_EQ(page.exitCode, 0) << page.out;
  QImage rendered(QString::fromStdString(folder / "played-1.png"));
  ASSERT_FALSE(rendered.isNull());
  EXPECT_GT(TotalInk(rendered), 0.03);
}

TEST(OfficeConversion, TableMetafileKeepsItsTextsInLibreOffice) {
  TempFolder folder;
  TDTPTable table;
  const int heading = table.AddColStructure(1, true);
  table.SetColDefn(heading, 1, 0, DTPCentre, 0);
  const int grid = table.AddColStructure(3, false);
  table.SetColDefn(grid, 1, DTPSingleLine, DTPLeft, 5);
  table.SetColDefn(grid, 2, DTPDoubleLine, DTPCentre, 7);
  table.SetColDefn(grid, 3, 0, DTPRight, 7);
  const int text = table.FontID("Default", 12, 0);
  const int glyph = table.FontID("ZP Symbol", 12, 0);
  table.RepItemAdd(heading, 1, ColorRed, text, "ESSENTIAL DIGNITIES", 1);
  table.RepItemAdd(grid, 2, 0, text, "Pt", 1);
  table.RepItemAdd(grid, 2, 0, text, "Ruler", 2);
  table.RepItemAdd(grid, 2, 0, text, "Score", 3);
  table.RepItemAdd(grid, 3, 0, glyph, "\xC2\xB8", 1);  // the Sun
  table.RepItemAdd(grid, 3, 0, text, "Exalted", 2);
  table.RepItemAdd(grid, 3, 0, text, "+5", 3);
  TMetafile mf(800, 300);
  {
    QPainter p(&mf);
    table.Draw(true, p, QRect(0, 0, 800, 300));
  }
  const std::string wmfPath = folder / "essdig.wmf";
  ASSERT_TRUE(mf.Save(wmfPath));
  const std::string pdfPath = OfficeConvert(folder, wmfPath, "pdf");
  ProgramRun text2 = RunProgram("pdftotext", {QString::fromStdString(pdfPath), "-"});
  ASSERT_EQ(text2.exitCode, 0) << text2.out;
  for (const char* word : {"ESSENTIAL DIGNITIES", "Pt", "Ruler", "Score", "Exalted", "+5"}) {
    EXPECT_NE(text2.out.find(word), std::string::npos) << word << "\n" << text2.out;
  }
}

TEST(OfficeConversion, ReportDocumentOpensInAWordProcessor) {
  TempFolder folder;
  RtfLayout layout;
  for (int i = 0; i < TextStyleCount; ++i) {
    layout.styles[i].fontName = "Arial";
    layout.styles[i].fontSize = i == SectionHeaders ? 20 : 11;
    layout.styles[i].fontStyle = i == SectionHeaders ? StyleBold : 0;
    layout.styles[i].alignment = i == SectionHeaders ? 2 : 3;
  }
  layout.systemPath = folder.Path();

  // Pictures: a JPEG and a metafile with a large filled shape.
  RgbImage photo{60, 40, std::string(60 * 40 * 3, '\x30')};
  const std::string jpegPath = folder.Write("photo.jpg", EncodeJpeg(photo, 85));
  TMetafile mf(600, 400);
  {
    QPainter p(&mf);
    p.setPen(QPen(Qt::black, 4));
    p.setBrush(QColor(20, 20, 160));
    p.drawEllipse(QRectF(50, 50, 500, 300));
  }
  const std::string wmfPath = folder / "chart.wmf";
  ASSERT_TRUE(mf.Save(wmfPath));

  ReportOwners owners{{"Anna"}, {2, 0}, false, false};
  auto paragraph = [&](std::string text, int style) {
    SubstituteNames(text, owners);
    ConvertTokens(layout, text);
    ConvertTables(layout, text);
    ConvertLists(layout, text);
    ConvertBars(text);
    return StyledParagraph(layout, text, style, false, 0);
  };

  RtfFile doc;
  WriteText(doc, DocumentHeader(layout, 11));
  WriteText(doc, StyledParagraph(layout, "Lighthouse Summary", SectionHeaders, false, 0));
  WriteText(doc, paragraph("<BOLDON>Marigold<BOLDOFF> is written for %1, and [he/she] reads it. "
                           "Cortesía de Korvana, Kvinne og Féminin, Ωmega.|<TABLEON>Planet\tSign\tHouse<ENDROW>"
                           "Saturn\tCapricorn\tTenth<ENDROW>Jupiter\tPisces\tTwelfth<TABLEOFF>",
                           BodyText));
  WriteText(doc, paragraph("<LIST><BULLET>Hazelnut<BULLET>Quince<ENDLIST>", BodyText));
  InsertPicture(doc, layout, jpegPath, 2000);
  PageBreak(doc);
  WriteText(doc, paragraph("Second page with Tamarind.", BodyText));
  PageBreak(doc);
  InsertPicture(doc, layout, wmfPath, layout.TextWidth());
  WriteText(doc, DocumentEnd());
  const std::string rtfPath = folder / "report.rtf";
  ASSERT_TRUE(doc.Save(rtfPath));

  const std::string pdfPath = OfficeConvert(folder, rtfPath, "pdf");
  ProgramRun info = RunProgram("pdfinfo", {QString::fromStdString(pdfPath)});
  ASSERT_EQ(info.exitCode, 0) << info.out;
  std::smatch pages;
  ASSERT_TRUE(std::regex_search(info.out, pages, std::regex("Pages:\\s+(\\d+)"))) << info.out;
  EXPECT_EQ(pages[1].str(), "3") << info.out;

  ProgramRun text = RunProgram("pdftotext", {"-layout", QString::fromStdString(pdfPath), "-"});
  ASSERT_EQ(text.exitCode, 0);
  for (const char* word : {"Lighthouse Summary", "Marigold", "Anna", "she reads", "Cortesía de Korvana", "Kvinne og Féminin", "Ωmega",
                           "Saturn", "Capricorn", "Twelfth", "Hazelnut", "Quince", "Tamarind"}) {
    EXPECT_NE(text.out.find(word), std::string::npos) << word << "\n" << text.out;
  }
  EXPECT_EQ(text.out.find("<BOLDON>"), std::string::npos);
  EXPECT_EQ(text.out.find("<TABLE"), std::string::npos);

  // The JPEG is an image of the PDF; the metafile is drawn on the third page.
  ProgramRun images = RunProgram("pdfimages", {"-list", QString::fromStdString(pdfPath)});
  EXPECT_NE(images.out.find("   60    40"), std::string::npos) << images.out;
  ProgramRun page = RunProgram("pdftoppm", {"-f", "3", "-l", "3", "-r", "30", "-png",
                                     QString::fromStdString(pdfPath), QString::fromStdString(folder / "page")});
  ASSERT_EQ(page.exitCode, 0) << page.out;
  QImage third(QString::fromStdString(folder / "page-3.png"));
  ASSERT_FALSE(third.isNull());
  EXPECT_GT(TotalInk(third), 0.1);
}

}  // namespace
}  // namespace korvana
