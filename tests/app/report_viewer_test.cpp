// The report viewer window: its zoom and placement rules, the formats it opens and saves
// (HTML refused), the views, find and replace, and the main window's "View in Editor"
// opening the report in it.
#include "app/report_viewer.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QGraphicsTextItem>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include "app/main_window.h"
#include "app/report_page_view.h"
#include "core/astro/ephemeris.h"
#include "core/charts/chart_reference.h"
#include "core/config/program_start.h"
#include "core/reports/job/preset_questions.h"
#include "core/util/files.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana::app {
namespace {

using testing::RecordingMessages;
using testing::TempFolder;

// A short report: a heading, a page break and a paragraph.
constexpr const char* SmallReport =
    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}\\pard\\qc\\fs40 Natal Report\\par \\page"
    "\\pard\\fs24 The Sun in Pisces gives a gentle nature. The Sun shines.\\par}";

class ReportViewerTest : public ::testing::Test {
 protected:
  std::unique_ptr<ReportViewer> NewViewer() { return std::make_unique<ReportViewer>(settings, messages); }
  std::string Report() { return folder.Write("report.rtf", SmallReport); }

  TempFolder folder;
  ProgramSettings settings;
  RecordingMessages messages;
};

TEST_F(ReportViewerTest, OpensAtAStoredZoomStepElseAtOneHundredAndStoresIt) {
  const std::pair<int, int> cases[] = {{120, 100}, {50, 50}, {75, 75}, {100, 100}, {150, 150}, {200, 200}, {0, 100}, {-50, 100}};
  for (const auto& [stored, opened] : cases) {
    settings.ReportWindow.zoom = stored;
    auto viewer = NewViewer();
    viewer->show();
    EXPECT_EQ(viewer->Zoom(), opened) << stored;
    EXPECT_DOUBLE_EQ(viewer->View()->transform().m11(), opened / 100.0) << stored;
    for (int step : ViewerZoomSteps)
      EXPECT_EQ(viewer->Action(QStringLiteral("actZoom%1").arg(step))->isChecked(), step == opened) << stored;
    settings.ReportWindow.zoom = -1;
    viewer->close();
    EXPECT_EQ(settings.ReportWindow.zoom, opened) << stored;
  }
  auto viewer = NewViewer();
  viewer->Action("actZoom150")->trigger();
  EXPECT_EQ(viewer->Zoom(), 150);
  viewer->close();
  EXPECT_EQ(settings.ReportWindow.zoom, 150);
}

TEST_F(ReportViewerTest, KeepsItsNormalPlaceWhenClosedMaximisedAndItsView) {
  settings.ReportWindow = {0, 100, 30, 40, 700, 500, false};
  auto viewer = NewViewer();
  viewer->show();
  EXPECT_EQ(viewer->geometry(), QRect(30, 40, 700, 500));
  EXPECT_TRUE(viewer->PageLayoutView());
  viewer->Action("actViewNormal")->trigger();
  viewer->setWindowState(Qt::WindowMaximized);
  viewer->close();
  EXPECT_EQ(settings.ReportWindow.windowState, 2);
  EXPECT_EQ(settings.ReportWindow.width, 700);
  EXPECT_EQ(settings.ReportWindow.left, 30);
  EXPECT_TRUE(settings.ReportWindow.viewNormal);

  auto again = NewViewer();
  again->show();
  EXPECT_TRUE(again->isMaximized());
  EXPECT_FALSE(again->PageLayoutView());
  EXPECT_TRUE(again->Action("actViewNormal")->isChecked());
}

TEST_F(ReportViewerTest, LoadsAReportAndTracksChanges) {
  auto viewer = NewViewer();
  const std::string path = Report();
  ASSERT_TRUE(viewer->LoadReport(path));
  EXPECT_EQ(viewer->windowTitle().toStdString(), "Report Viewer - " + path);
  EXPECT_EQ(viewer->Path(), path);
  EXPECT_EQ(viewer->Format(), ViewerFormat::Rtf);
  EXPECT_TRUE(viewer->Document()->toPlainText().startsWith("Natal Report\nThe Sun in Pisces"));
  EXPECT_FALSE(viewer->Modified());
  QTextCursor cursor(viewer->Document());
  cursor.insertText("Edited ");
  EXPECT_TRUE(viewer->Modified());
  ASSERT_TRUE(viewer->SaveReport(path));
  EXPECT_FALSE(viewer->Modified());
  EXPECT_NE(ReadFileBytes(path)->find("Edited Natal Report"), std::string::npos);
  EXPECT_TRUE(messages.Empty());
}

TEST_F(ReportViewerTest, AFileThatIsNoReportIsRefusedAndTheShownReportStays) {
  auto viewer = NewViewer();
  ASSERT_TRUE(viewer->LoadReport(Report()));
  const std::string bad = folder.Write("bad.rtf", "just words");
  EXPECT_FALSE(viewer->LoadReport(bad));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
  EXPECT_TRUE(viewer->Document()->toPlainText().startsWith("Natal Report"));
  EXPECT_EQ(viewer->Path(), folder / "report.rtf");
  EXPECT_FALSE(viewer->LoadReport(folder / "missing.rtf"));
  EXPECT_EQ(messages.messages.size(), 2u);
}

TEST_F(ReportViewerTest, SavesAsRtfOrTextAndRefusesHtmlAndOtherFormats) {
  struct Case {
    const char* name;
    bool saved;
    const char* starts;  // the saved file's beginning
  };
  const Case cases[] = {
      {"out.rtf", true, "{\\rtf1"},   {"OUT2.RTF", true, "{\\rtf1"},   {"out.txt", true, "Natal Report\nThe Sun"},
      {"out.htm", false, nullptr},    {"out.HTML", false, nullptr},    {"out.doc", false, nullptr},
      {"no_extension", false, nullptr},
  };
  auto viewer = NewViewer();
  ASSERT_TRUE(viewer->LoadReport(Report()));
  for (const Case& c : cases) {
    messages.messages.clear();
    const std::string path = folder / c.name;
    EXPECT_EQ(viewer->SaveAs(path), c.saved) << c.name;
    if (c.saved) {
      EXPECT_EQ(ReadFileBytes(path).value_or("").rfind(c.starts, 0), 0u) << c.name;
      EXPECT_EQ(viewer->windowTitle().toStdString(), path) << c.name;
      EXPECT_EQ(viewer->Path(), path) << c.name;
      EXPECT_TRUE(messages.Empty()) << c.name;
    } else {
      EXPECT_FALSE(FileExists(path)) << c.name;
      EXPECT_EQ(messages.Only(), "Unsupported file format!") << c.name;
      EXPECT_NE(viewer->Path(), path) << c.name;
    }
  }
}

TEST_F(ReportViewerTest, AnOpenedHtmlFileIsShownButNotSaved) {
  auto viewer = NewViewer();
  const std::string html = folder.Write("page.htm", "<html><body><p>Hello <b>there</b></p></body></html>");
  ASSERT_TRUE(viewer->OpenFile(html));
  EXPECT_EQ(viewer->windowTitle().toStdString(), html);
  EXPECT_EQ(viewer->Document()->toPlainText(), "Hello there");
  EXPECT_FALSE(viewer->SaveReport(html));
  EXPECT_EQ(messages.Only(), "Unsupported file format!");
  EXPECT_EQ(*ReadFileBytes(html), "<html><body><p>Hello <b>there</b></p></body></html>");
  messages.messages.clear();
  EXPECT_FALSE(viewer->OpenFile(folder.Write("notes.doc", "x")));
  EXPECT_EQ(messages.Only(), "Unsupported file format!");
}

TEST_F(ReportViewerTest, PageLayoutViewCutsTheReportIntoPages) {
  auto viewer = NewViewer();
  ASSERT_TRUE(viewer->LoadReport(Report()));
  EXPECT_TRUE(viewer->Action("actViewPageLayout")->isChecked());
  EXPECT_EQ(viewer->PageCount(), 2);  // the page break starts a second page
  const QSizeF page = viewer->Document()->pageSize();
  EXPECT_NEAR(page.width(), settings.PageWidthTwips / 15.0, 0.01);
  EXPECT_NEAR(page.height(), settings.PageHeightTwips / 15.0, 0.01);
  viewer->Action("actViewNormal")->trigger();
  EXPECT_FALSE(viewer->PageLayoutView());
  EXPECT_EQ(viewer->PageCount(), 1);
  EXPECT_LT(viewer->Document()->pageSize().height(), 0);
}

TEST_F(ReportViewerTest, FindSelectsTheNextOccurrenceAndReplaceChangesEveryOne) {
  auto viewer = NewViewer();
  ASSERT_TRUE(viewer->LoadReport(Report()));
  QGraphicsTextItem* text = viewer->View()->TextItem();
  ASSERT_TRUE(viewer->FindText("Sun"));
  const int first = text->textCursor().selectionStart();
  EXPECT_EQ(text->textCursor().selectedText(), "Sun");
  ASSERT_TRUE(viewer->FindText("Sun"));
  const int second = text->textCursor().selectionStart();
  EXPECT_GT(second, first);
  ASSERT_TRUE(viewer->FindText("Sun"));  // wraps round to the first
  EXPECT_EQ(text->textCursor().selectionStart(), first);
  EXPECT_FALSE(viewer->FindText("Moon"));
  EXPECT_EQ(viewer->ReplaceAll("Sun", "Moon"), 2);
  EXPECT_FALSE(viewer->FindText("Sun"));
  EXPECT_TRUE(viewer->Modified());
}

TEST(ReportViewerMainWindow, ViewInEditorOpensTheReportInTheViewer) {
  TempFolder folder;
  ProgramSettings settings;
  RecordingMessages messages;
  PresetReportQuestions answers;
  StartProgram(settings, folder / "home", folder / "registry.ini", TemplateFolder(KORVANA_TEMPLATE_DIR),
               &SwissEphemerisUsable, messages);
  settings.SkipSelectDialog = true;
  MainWindow window(settings, folder / "registry.ini");
  window.SetMessages(&messages);
  window.SetReportQuestions(&answers);
  ASSERT_TRUE(window.UseReportSet(settings.SystemPath + "modern.swp"));
  ASSERT_TRUE(window.PlaceCharts({ReadChartReference("main.cht:1", settings)}));
  const auto report = window.GenerateReport();
  ASSERT_TRUE(report.has_value());
  ReportViewer& viewer = window.Viewer();
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_EQ(viewer.Path(), *report);
  EXPECT_EQ(viewer.windowTitle().toStdString(), "Report Viewer - " + *report);
  EXPECT_TRUE(viewer.Document()->toPlainText().contains("Albert"));
  EXPECT_GT(viewer.PageCount(), 3);
  viewer.close();
}

}  // namespace
}  // namespace korvana::app
