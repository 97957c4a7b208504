#include "app/main_window.h"
#include "main_window_fixture.h"

#include "app/chart_entry_dialog.h"
#include "app/compile_dialog.h"
#include "app/open_chart_dialog.h"
#include "app/report_structure_dialog.h"
#include "app/toolbar_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <QProcess>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include "core/astro/ephemeris.h"
#include "core/charts/chart_files.h"
#include "core/charts/chart_reference.h"
#include "core/config/program_start.h"
#include "core/reports/job/preset_questions.h"
#include "core/util/files.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"
#include "main_window_fixture.h"

namespace korvana::app {
namespace {

using testing::RecordingMessages;
using testing::TempFolder;

TEST_F(MainWindowTest, AChartPlacedEnablesTheReportWhichIsWritten) {
  ASSERT_TRUE(window->UseReportSet(settings.SystemPath + "modern.swp"));
  EXPECT_TRUE(window->windowTitle().startsWith("Korvana  v")) << window->windowTitle().toStdString();
  EXPECT_TRUE(window->windowTitle().endsWith(QString::fromStdString(" - " + window->ReportSet().caption)));
  EXPECT_FALSE(Enabled("actReportView"));
  EXPECT_FALSE(Enabled("actChartSave"));

  ASSERT_TRUE(window->PlaceCharts({SampleChart(1)}));
  EXPECT_TRUE(Enabled("actReportView"));
  EXPECT_TRUE(Enabled("actChartPrint"));
  const auto report = window->GenerateReport();
  ASSERT_TRUE(report.has_value()) << (messages.messages.empty() ? "" : messages.messages[0].text);
  const auto bytes = ReadFileBytes(*report);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(bytes->rfind("{\\rtf1", 0), 0u);
  EXPECT_NE(bytes->find("Albert"), std::string::npos);
}

// Puts a shell script named `name` first on PATH for the test's lifetime; it appends its
// working folder and arguments, one per line, to `log` and exits with `status`.
class FakeProgram {
 public:
  FakeProgram(const TempFolder& folder, const std::string& name, const std::string& log, int status)
      : oldPath_(std::getenv("PATH")) {
    const std::string bin = folder / "fakebin";
    MakeFolders(bin + "/");
    const std::string script = folder.Write("fakebin/" + name, "#!/bin/sh\npwd >> '" + log +
                                                                   "'\nfor a in \"$@\"; do echo \"$a\" >> '" + log +
                                                                   "'; done\nexit " + std::to_string(status) + "\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    setenv("PATH", (bin + ":" + oldPath_).c_str(), 1);
  }
  ~FakeProgram() { setenv("PATH", oldPath_.c_str(), 1); }

 private:
  std::string oldPath_;
};

// Waits until the file holds `lines` lines (a program started without waiting for it).
std::string WaitForLines(const std::string& file, int lines) {
  for (int i = 0; i < 100; ++i) {
    const std::string text = ReadFileBytes(file).value_or("");
    if (std::count(text.begin(), text.end(), '\n') >= lines) return text;
    QTest::qWait(50);
  }
  return ReadFileBytes(file).value_or("");
}

TEST_F(MainWindowTest, PdfReportsAreNamedAndNumberedAndTheMailProgramGetsTheAttachment) {
  ASSERT_TRUE(window->UseReportSet(settings.SystemPath + "modern.swp"));
  ASSERT_TRUE(window->PlaceCharts({SampleChart(1)}));
  EXPECT_TRUE(Enabled("actReportPdf"));
  EXPECT_TRUE(Enabled("actReportEmail"));
  const std::string caption = window->ReportSet().caption;
  const auto viewed = window->ViewAsPdf();
  ASSERT_TRUE(viewed.has_value()) << (messages.messages.empty() ? "" : messages.messages[0].text);
  EXPECT_EQ(*viewed, settings.ReportPath + caption + " for Albert Einstein.pdf");
  EXPECT_EQ(ReadFileBytes(*viewed).value_or("").rfind("%PDF", 0), 0u);

  // The mail program takes the message; then one that fails leaves the body on the clipboard.
  struct Case {
    int status;
    const char* file;
    bool failureShown;
  };
  const Case cases[] = {{0, "report2.pdf", false}, {3, "report3.pdf", true}};
  for (const Case& c : cases) {
    const std::string log = folder / ("mail" + std::to_string(c.status) + ".log");
    FakeProgram mailer(folder, "xdg-email", log, c.status);
    messages.messages.clear();
    const auto mailed = window->EmailPdf();
    ASSERT_TRUE(mailed.has_value());
    EXPECT_EQ(*mailed, settings.ReportPath + c.file);
    EXPECT_EQ(ReadFileBytes(*mailed).value_or("").rfind("%PDF", 0), 0u);
    const std::string args = ReadFileBytes(log).value_or("");
    EXPECT_NE(args.find("\n--subject\nKorvana " + caption + " for Albert Einstein\n"), std::string::npos) << args;
    EXPECT_NE(args.find("\n--attach\n" + *mailed + "\n"), std::string::npos) << args;
    EXPECT_EQ(!messages.messages.empty(), c.failureShown);
    if (c.failureShown) {
      EXPECT_NE(messages.messages.back().text.find(*mailed), std::string::npos) << "names the file to attach by hand";
      EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("The attached report was generated by Korvana"));
    }
  }
}

TEST_F(MainWindowTest, EditDynamicInterpretationsOpensTheFirstDynamicFileInTheUsersEditor) {
  const std::string dynamic = folder.Write("home/source/trans.txt", "text");
  const std::string set = folder.Write("home/dyn.swp", "[Report]\r\nTitle=Dyn\r\nBinaryFile=dyn.bin\r\nIncludesDynRep=1\r\n"
                                                       "DynFile1=" + dynamic + "\r\nSourceFile=" + (folder / "home/source/dyn.txt") + "\r\n");
  window->UseReportSet(settings.SystemPath + "modern.swp");
  EXPECT_FALSE(window->Action("actEditDynamic")->isVisible());
  ASSERT_TRUE(window->UseReportSet(set)) << (messages.messages.empty() ? "" : messages.messages[0].text);
  window->show();
  EXPECT_TRUE(window->Action("actEditDynamic")->isVisible());
  const std::string log = folder / "editor.log";
  FakeProgram editor(folder, "fake-editor", log, 0);
  setenv("VISUAL", "fake-editor --new-window", 1);
  messages.messages.clear();
  window->Action("actEditDynamic")->trigger();
  unsetenv("VISUAL");
  const std::string args = WaitForLines(log, 3);
  EXPECT_EQ(args, (folder / "home/source") + "\n--new-window\n" + dynamic + "\n");
  EXPECT_TRUE(messages.messages.empty());
  // A set whose dynamic file is gone says so.
  std::filesystem::remove(dynamic);
  window->Action("actEditDynamic")->trigger();
  ASSERT_FALSE(messages.messages.empty());
  EXPECT_EQ(messages.messages.back().text, "The file " + dynamic + " was not found.");
}

TEST_F(MainWindowTest, AReportSetWithoutItsCompiledReportIsRefusedWithTheMessage) {
  const std::string set = folder.Write("home/broken.swp", "[Report]\r\nTitle=Broken\r\nBinaryFile=nowhere.bin\r\n");
  ASSERT_TRUE(window->UseReportSet(set));
  window->PlaceCharts({SampleChart(1)});
  EXPECT_FALSE(window->GenerateReport().has_value());
  ASSERT_FALSE(messages.messages.empty());
  EXPECT_NE(messages.messages.back().text.find("was not found.\r\n\r\nIt may need to be compiled before it can be used."),
            std::string::npos)
      << messages.messages.back().text;
}

TEST_F(MainWindowTest, ADoubleClickUnselectsTheChartsWhenConfirmed) {
  window->UseReportSet(settings.SystemPath + "modern.swp");
  window->PlaceCharts({SampleChart(2)});
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  messages.answers = {Answer::Cancel};
  QTest::mouseDClick(window->centralWidget(), Qt::LeftButton);
  EXPECT_FALSE(window->Pair().slot[0].Empty());
  messages.answers = {Answer::Ok};
  QTest::mouseDClick(window->centralWidget(), Qt::LeftButton);
  EXPECT_TRUE(window->Pair().slot[0].Empty());
  EXPECT_FALSE(Enabled("actReportView"));
}

TEST_F(MainWindowTest, ClosingAsksToSaveAnUnsavedChartAndCancelKeepsTheWindow) {
  window->UseReportSet(settings.SystemPath + "modern.swp");
  StoredChart typed = SampleChart(1);
  typed.chart.Name = "Typed Chart";
  window->PlaceCharts({typed});
  window->show();
  messages.answers = {Answer::Cancel};
  EXPECT_FALSE(window->close());
  ASSERT_FALSE(messages.messages.empty());
  EXPECT_EQ(messages.messages.back().text,
            "Chart has not been saved. \r\n\r\nTyped Chart\r\n\r\nDo you wish to save it before exiting?");
  messages.answers = {Answer::No};
  EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, TheWindowKeepsItsPlacementInTheSettings) {
  window->show();
  window->resize(640, 480);
  window->SetOpenReports(false);
  ASSERT_TRUE(window->close());
  MainWindow again(settings, folder / "registry.ini");
  EXPECT_EQ(again.size(), QSize(640, 480));
}

TEST_F(MainWindowTest, ChartDataEntryLooksThePlaceUpInTheAtlasAndMakesTheChart) {
  settings.UseACSAtlas = true;
  ChartEntryDialog& dialog = window->EntryDialog();
  const auto field = [&](const char* name) { return dialog.findChild<QLineEdit*>(name); };
  field("name")->setText("Albert");
  field("date")->setText("14 Mar 1879");
  field("time")->setText("11:30");
  field("place")->setText("ulm");
  field("country")->setText("Germany");
  dialog.LookUp();
  EXPECT_EQ(field("place")->text(), "Ulm");
  EXPECT_EQ(field("zone")->text(), "LMT -0:39:58");
  EXPECT_EQ(field("latitude")->text(), QString::fromUtf8("48°N23'54\""));
  dialog.accept();
  ASSERT_TRUE(dialog.Chart().has_value()) << (messages.messages.empty() ? "" : messages.messages[0].text);
  EXPECT_EQ(dialog.Chart()->Name, "Albert");
  EXPECT_NEAR(dialog.Chart()->ZoneHours, -(9 + 59.5 / 60) / 15, 0.001);
  EXPECT_TRUE(messages.messages.empty()) << messages.messages[0].text;
}

TEST_F(MainWindowTest, OpenChartListsChooseAndDeleteCharts) {
  settings.Charts = settings.UserPath + "main.cht";
  settings.ChartsSorted = false;
  settings.NamesReversed = false;
  OpenChartDialog dialog(settings, messages);
  dialog.Prepare(false);
  auto* list = dialog.findChild<QTreeWidget*>("charts");
  ASSERT_NE(list, nullptr);
  const int count = list->topLevelItemCount();
  ASSERT_GT(count, 3);
  EXPECT_EQ(list->topLevelItem(0)->text(0), " Albert Einstein");
  list->setCurrentItem(list->topLevelItem(1));
  dialog.accept();
  ASSERT_EQ(dialog.Chosen().size(), 1u);
  EXPECT_EQ(dialog.Chosen()[0].chart.Name, SampleChart(2).chart.Name);

  // Three charts for a synastry set are refused.
  dialog.Prepare(true);
  for (int i = 0; i < 3; ++i) list->topLevelItem(i)->setSelected(true);
  dialog.accept();
  ASSERT_FALSE(messages.messages.empty());
  EXPECT_EQ(messages.messages.back().text, "You must select only 1 or 2 charts at a time.");

  // The Delete key deletes the current chart once confirmed.
  list->clearSelection();
  list->setCurrentItem(list->topLevelItem(0));
  messages.answers = {Answer::Ok};
  QTest::keyClick(list, Qt::Key_Delete);
  EXPECT_EQ(list->topLevelItemCount(), count - 1);
  EXPECT_EQ(ListCharts(settings.Charts, settings).size(), static_cast<std::size_t>(count - 1));
}

TEST_F(MainWindowTest, TheToolbarShowsTheCommandsOfItsLayoutFile) {
  auto* toolbar = window->findChild<QToolBar*>("toolbar");
  ASSERT_NE(toolbar, nullptr);
  EXPECT_TRUE(toolbar->actions().contains(window->Action("actChartOpen"))) << "the default layout";
  ASSERT_TRUE(WriteToolbarLayout(settings.SystemPath + "tb1.dat", {"actReportView", "actHelpAbout"}));
  MainWindow again(settings, folder / "registry.ini");
  auto* customised = again.findChild<QToolBar*>("toolbar");
  ASSERT_NE(customised, nullptr);
  EXPECT_EQ(customised->actions(), (QList<QAction*>{again.Action("actReportView"), again.Action("actHelpAbout")}));
}

TEST_F(MainWindowTest, ReportStructureSwitchesASectionOffAndSavesTheIndex) {
  ASSERT_TRUE(window->UseReportSet(settings.SystemPath + "modern.swp"));
  const std::string index = ChangeExtension(window->ReportSet().compiledFile, ".ind");
  ReportStructureDialog dialog(index, window->ReportSet().compiledFile, messages);
  auto* tree = dialog.findChild<QTreeWidget*>();
  ASSERT_NE(tree, nullptr);
  ASSERT_GT(tree->topLevelItemCount(), 0);
  tree->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
  const SectionTree::NodeId first = dialog.Tree().At(SectionTree::Root).children.front();
  EXPECT_TRUE(dialog.Tree().OwnOff(first));
  dialog.accept();
  EXPECT_TRUE(SectionTree::Load(index).OwnOff(first)) << "saved in the section index";
}

TEST_F(MainWindowTest, TheCompilerCompilesTheSetsTextAndListsTheRun) {
  ASSERT_TRUE(window->UseReportSet(settings.SystemPath + "modern.swp"));
  TKVReport set = window->ReportSet();
  CompileDialog dialog(set, messages);
  const CompileResult result = dialog.Compile();
  EXPECT_FALSE(result.errors);
  EXPECT_TRUE(result.written);
  auto* list = dialog.findChild<QListWidget*>();
  ASSERT_NE(list, nullptr);
  ASSERT_GT(list->count(), 0);
  EXPECT_EQ(list->item(list->count() - 1)->text(), "*** Finished ***");
}

// A second start with "DoStart" hands its request to the running copy, which writes the
// report the settings' "Start" section asks for; the second start ends with status 0.
TEST(SingleInstance, ASecondStartHandsTheStartRequestToTheFirst) {
  TempFolder folder;
  const QString home = QString::fromStdString(folder / "home");
  const QString config = QString::fromStdString(folder / "registry.ini");
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  QProcess first;
  first.setProcessEnvironment(env);
  first.start(KORVANA_DESKTOP, {"--home", home, "--config", config});
  ASSERT_TRUE(first.waitForStarted());
  // The data folder is seeded by the first copy; its settings file then takes the request.
  for (int i = 0; i < 100 && !FileExists(folder / "home/userdata/main.cht"); ++i) QTest::qWait(100);
  QTest::qWait(500);
  // A set that asks no questions, so that the report runs without a dialog.
  folder.Write("home/plain.swp", "[Report]\r\nTitle=Plain\r\nBinaryFile=modern.bin\r\nAspectFile=modern.asp\r\nAlmFile=modern.alm\r\n"
                                     "OptionsFile=modern.opt\r\nGetChartGender=0\r\n");
  folder.Write("registry.ini", "[Start]\r\nDone=0\r\nReport=plain.swp\r\nChartFile=" + (folder / "home/userdata/main.cht") +
                                   "\r\nChartIndex=3\r\n");
  QProcess second;
  second.setProcessEnvironment(env);
  second.start(KORVANA_DESKTOP, {"--home", home, "--config", config, "DoStart"});
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitCode(), 0);
  bool written = false;
  for (int i = 0; i < 100 && !written; ++i) {
    QTest::qWait(100);
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder / "home/reports", ec))
      written = written || entry.path().extension() == ".rtf";
  }
  EXPECT_TRUE(written) << "the first copy wrote the report";
  first.kill();
  first.waitForFinished();
}

}  // namespace
}  // namespace korvana::app
