// The print queue on the desktop: the main window's queue commands and count, the
// "Report Print Queue" dialog, the closing question, and "Page Margins".
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "app/main_window.h"
#include "main_window_fixture.h"
#include "app/page_margins_dialog.h"
#include "app/print_queue_dialog.h"
#include "core/queue/queue_texts.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana::app {
namespace {

// Records each entry printed with the report set current at that moment.
struct RecordingPrinter : QueueEntryPrinter {
  RecordingPrinter(const MainWindow& window, std::vector<std::string>& printed) : window(window), printed(printed) {}
  bool Print(const QueueEntry& entry) override {
    printed.push_back(EntryDisplayName(entry) + "@" + NameOf(window.ReportSet().setFile));
    return true;
  }
  static std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }
  const MainWindow& window;
  std::vector<std::string>& printed;
};

class PrintQueueTest : public MainWindowFixture {
 protected:
  // Queues the report of `set` for sample chart n through the window's command.
  void Queue(const char* set, int n) {
    ASSERT_TRUE(window->UseReportSet(settings.SystemPath + set));
    window->PlaceCharts({SampleChart(n)});
    ASSERT_TRUE(window->Action("actReportQueueAdd")->isEnabled());
    window->Action("actReportQueueAdd")->trigger();
  }
  std::string QueueFile() const { return settings.SystemPath + QueueFileName; }
  std::vector<QString> Column(const PrintQueueDialog& dialog, int column) {
    std::vector<QString> texts;
    for (int i = 0; i < dialog.List()->topLevelItemCount(); ++i) texts.push_back(dialog.List()->topLevelItem(i)->text(column));
    return texts;
  }

};

TEST_F(PrintQueueTest, AddingAndClearingShowTheCountInTheStatusBar) {
  EXPECT_EQ(window->QueueCountText(), "Reports in Queue: 0");
  Queue("modern.swp", 1);
  Queue("traditional.swp", 2);
  EXPECT_TRUE(messages.Empty()) << messages.messages[0].text;
  EXPECT_EQ(window->QueueCountText(), "Reports in Queue: 2");

  // Cancelled: nothing cleared. OK: the file goes.
  messages.answers = {Answer::Cancel};
  window->Action("actReportQueueClear")->trigger();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, ClearQueueQuestion(2));
  EXPECT_EQ(window->QueueCountText(), "Reports in Queue: 2");
  window->Action("actReportQueueClear")->trigger();
  EXPECT_EQ(window->QueueCountText(), "Reports in Queue: 0");
  EXPECT_FALSE(std::filesystem::exists(QueueFile()));

  // With nothing queued the command asks nothing.
  messages.messages.clear();
  window->Action("actReportQueueClear")->trigger();
  EXPECT_TRUE(messages.Empty());
}

TEST_F(PrintQueueTest, DialogPrintsEachEntryWithItsSetAndTogglesStatuses) {
  Queue("modern.swp", 1);
  Queue("traditional.swp", 2);
  Queue("modern.swp", 3);
  ASSERT_TRUE(window->UseReportSet(settings.SystemPath + "modern.swp"));
  PrintQueue queue(QueueFile());
  std::vector<std::string> printed;  // by every run the dialog starts
  PrintQueueDialog dialog(
      queue, [this](const std::string& file) { return window->UseReportSet(file); }, window->ReportSet().setFile,
      [&] { return std::make_unique<RecordingPrinter>(*window, printed); });
  EXPECT_EQ(dialog.windowTitle(), "Report Print Queue");
  EXPECT_EQ(dialog.List()->headerItem()->text(2), "Status");
  EXPECT_EQ(Column(dialog, 2), (std::vector<QString>{"Queued", "Queued", "Queued"}));
  EXPECT_EQ(dialog.Label()->text(), "Reports to Print: 3");
  EXPECT_TRUE(dialog.List()->topLevelItem(0)->font(0).bold());

  // A double click cancels the second entry; the run leaves it alone.
  QTreeWidgetItem* second = dialog.List()->topLevelItem(1);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  const QPoint at = dialog.List()->visualItemRect(second).center();
  QTest::mouseClick(dialog.List()->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(dialog.List()->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(second->text(2), "Cancelled");
  EXPECT_FALSE(second->font(0).bold());
  EXPECT_EQ(dialog.Label()->text(), "Reports to Print: 2");

  QTest::mouseClick(dialog.findChild<QPushButton*>("btnPrintAll"), Qt::LeftButton);
  EXPECT_EQ(printed.size(), 2u);
  EXPECT_EQ(Column(dialog, 2), (std::vector<QString>{"Printed", "Cancelled", "Printed"}));
  EXPECT_EQ(dialog.Label()->text(), "All Printed");
  EXPECT_EQ(dialog.findChild<QPushButton*>("btnQuit")->text(), "&Quit");

  // Re-queued, the traditional entry prints with its own set; modern is current again.
  dialog.ToggleEntry(1);
  EXPECT_EQ(dialog.Label()->text(), "Reports to Print: 1");
  printed.clear();
  dialog.PrintAll();
  ASSERT_EQ(printed.size(), 1u);
  EXPECT_NE(printed[0].find("@traditional.swp"), std::string::npos) << printed[0];
  EXPECT_EQ(RecordingPrinter::NameOf(window->ReportSet().setFile), "modern.swp");

  // Quitting with everything printed deletes the queue.
  QTest::mouseClick(dialog.findChild<QPushButton*>("btnQuit"), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(std::filesystem::exists(QueueFile()));
}

TEST_F(PrintQueueTest, ClosingWithUnprintedReportsAsksWhetherToKeepThem) {
  Queue("modern.swp", 1);
  messages.messages.clear();
  // The unsaved chart is not saved (No); then the queue question.
  messages.answers = {Answer::No, Answer::Cancel};
  EXPECT_FALSE(window->close());
  ASSERT_FALSE(messages.Empty());
  EXPECT_EQ(messages.messages.back().text, ExitQueueQuestion(1));
  EXPECT_TRUE(std::filesystem::exists(QueueFile()));

  messages.answers = {Answer::No, Answer::No};
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(std::filesystem::exists(QueueFile())) << "No clears the queue";
}

TEST_F(PrintQueueTest, ClosingWithYesKeepsTheQueue) {
  Queue("modern.swp", 1);
  messages.answers = {Answer::No, Answer::Yes};
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(std::filesystem::exists(QueueFile()));
}

TEST(PageMarginsDialogTest, HalfAnInchShownAppliedAndSwitched) {
  PageMarginsDialog inches({720, 720, 720, 1440}, 2, nullptr);
  EXPECT_EQ(inches.windowTitle(), "Page Margins");
  EXPECT_TRUE(inches.InchesButton()->isChecked());
  EXPECT_EQ(inches.Field(0)->text(), "0.500");
  EXPECT_EQ(inches.Field(3)->text(), "1.000");
  EXPECT_EQ(inches.Margins().top, 720);
  EXPECT_EQ(inches.UnitCode(), 2);

  inches.CentimetresButton()->setChecked(true);
  EXPECT_EQ(inches.Field(0)->text(), "1.270");
  EXPECT_EQ(inches.Field(3)->text(), "2.540");
  EXPECT_EQ(inches.Margins().top, 720);
  EXPECT_EQ(inches.Margins().bottom, 1440);
  EXPECT_EQ(inches.UnitCode(), 0);

  // Any other unit code opens in centimetres; an unreadable field counts as 0.5.
  PageMarginsDialog centimetres({720, 720, 720, 720}, 1, nullptr);
  EXPECT_TRUE(centimetres.CentimetresButton()->isChecked());
  centimetres.Field(1)->setText("wide");
  EXPECT_EQ(centimetres.Margins().left, 283);  // 0.5 cm
}

}  // namespace
}  // namespace korvana::app
