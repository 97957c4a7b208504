#include "core/queue/queue_run.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/queue/queue_texts.h"
#include "queue_test_fixture.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::QueueChart;
using testing::QueueSet;

// Records what a print run prints and with which report set current; can fail one entry
// or ask to stop after one.
struct FakePrinter : QueueEntryPrinter {
  explicit FakePrinter(const QueueSetSwitch& sets) : sets(sets) {}
  bool Print(const QueueEntry& entry) override {
    const std::string name = EntryDisplayName(entry);
    printed.push_back(name + "@" + sets.InUse());
    return name != failing;
  }
  void Between() override {
    if (model && printed.size() == stopAfter) model->RequestStop();
  }
  const QueueSetSwitch& sets;
  std::vector<std::string> printed;
  std::string failing;
  QueueModel* model = nullptr;
  std::size_t stopAfter = 0;
};

class QueueDialogRules : public ::testing::Test {
 protected:
  void Add(const std::string& name, const std::string& setFile = "/r/Natal.swp") {
    ASSERT_TRUE(queue.Add(MakeQueueEntry({QueueChart(name)}, QueueSet(setFile, "Set"), 1)));
  }
  std::vector<QueueStatus> FileStatuses() const {
    std::vector<QueueStatus> statuses;
    for (const QueueEntry& e : queue.ReadAll().entries) statuses.push_back(e.status);
    return statuses;
  }
  QueuePrintRun PrintAll(FakePrinter& printer) {
    model.Load();
    return model.PrintAll(printer, sets);
  }

  testing::TempFolder folder;
  PrintQueue queue{folder / QueueFileName};
  QueueModel model{queue};
  std::vector<std::string> loads;
  QueueSetSwitch sets{"/r/Natal.swp", [this](const std::string& file) {
                        loads.push_back(file);
                        return file != "/r/Missing.swp";
                      }};
};

TEST_F(QueueDialogRules, CancellingAndRequeueingMoveTheCount) {
  Add("Ann");
  Add("Bob");
  model.Load();
  EXPECT_EQ(model.LabelText(), "Reports to Print: 2");

  // Queued -> Cancelled lowers the count, and clicking again queues it once more.
  ASSERT_TRUE(model.Toggle(0));
  EXPECT_EQ(model.LabelText(), "Reports to Print: 1");
  EXPECT_EQ(FileStatuses(), (std::vector<QueueStatus>{QueueStatus::Cancelled, QueueStatus::Queued}));
  ASSERT_TRUE(model.Toggle(0));
  EXPECT_EQ(model.Unprinted(), 2);
  EXPECT_EQ(FileStatuses(), (std::vector<QueueStatus>{QueueStatus::Queued, QueueStatus::Queued}));
  EXPECT_FALSE(model.Toggle(2));

  // "Printing..." left in the file by an interrupted run stays as it is.
  QueueEntry stuck = *queue.Read(2);
  stuck.status = QueueStatus::Printing;
  ASSERT_TRUE(queue.Write(2, stuck));
  model.Load();
  EXPECT_EQ(model.Unprinted(), 1);
  EXPECT_FALSE(model.Toggle(1));
  EXPECT_EQ(queue.Read(2)->status, QueueStatus::Printing);
}

TEST_F(QueueDialogRules, APrintedEntryClickedAgainIsPrintedByTheNextRun) {
  Add("Ann");
  Add("Bob");
  FakePrinter printer(sets);
  EXPECT_EQ(PrintAll(printer).printed, 2);
  EXPECT_EQ(model.LabelText(), "All Printed");
  EXPECT_EQ(FileStatuses(), (std::vector<QueueStatus>{QueueStatus::Printed, QueueStatus::Printed}));

  ASSERT_TRUE(model.Toggle(1));
  EXPECT_EQ(model.LabelText(), "Reports to Print: 1");
  printer.printed.clear();
  EXPECT_EQ(model.PrintAll(printer, sets).printed, 1);
  EXPECT_EQ(printer.printed, (std::vector<std::string>{"Bob@/r/Natal.swp"}));
}

TEST_F(QueueDialogRules, EachEntryPrintsWithItsOwnSetAndTheCurrentSetComesBack) {
  Add("Ann", "/r/Natal.swp");
  Add("Bob", "/r/Horary.swp");
  Add("Cid", "/r/HORARY.SWP");  // the same set, named in other letters: no reload
  Add("Dee", "/r/Natal.swp");
  FakePrinter printer(sets);
  const QueuePrintRun run = PrintAll(printer);
  EXPECT_EQ(run.printed, 4);
  EXPECT_EQ(printer.printed, (std::vector<std::string>{"Ann@/r/Natal.swp", "Bob@/r/Horary.swp",
                                                       "Cid@/r/Horary.swp", "Dee@/r/Natal.swp"}));
  EXPECT_EQ(loads, (std::vector<std::string>{"/r/Horary.swp", "/r/Natal.swp"}));
  EXPECT_EQ(sets.InUse(), "/r/Natal.swp");
}

TEST_F(QueueDialogRules, RunEndingOnAnotherSetRestoresTheFormerOne) {
  Add("Ann", "/r/Horary.swp");
  FakePrinter printer(sets);
  PrintAll(printer);
  EXPECT_EQ(loads, (std::vector<std::string>{"/r/Horary.swp", "/r/Natal.swp"}));
  EXPECT_EQ(sets.InUse(), "/r/Natal.swp");
}

TEST_F(QueueDialogRules, FailuresStayQueuedAndCancelledEntriesAreSkipped) {
  Add("Ann");
  Add("Bob", "/r/Missing.swp");  // its set cannot be loaded
  Add("Cid");
  Add("Dee");
  FakePrinter printer(sets);
  printer.failing = "Cid";
  model.Load();
  ASSERT_TRUE(model.Toggle(3));  // Dee cancelled
  const QueuePrintRun run = model.PrintAll(printer, sets);
  EXPECT_EQ(run.printed, 1);
  EXPECT_EQ(run.failed, 2);
  EXPECT_EQ(printer.printed, (std::vector<std::string>{"Ann@/r/Natal.swp", "Cid@/r/Natal.swp"}));
  EXPECT_EQ(FileStatuses(), (std::vector<QueueStatus>{QueueStatus::Printed, QueueStatus::Queued,
                                                      QueueStatus::Queued, QueueStatus::Cancelled}));
  EXPECT_EQ(model.LabelText(), "Reports to Print: 2");
}

TEST_F(QueueDialogRules, StopEndsTheRunBetweenEntries) {
  Add("Ann");
  Add("Bob");
  Add("Cid");
  FakePrinter printer(sets);
  printer.model = &model;
  printer.stopAfter = 1;
  const QueuePrintRun run = PrintAll(printer);
  EXPECT_TRUE(run.stopped);
  EXPECT_EQ(printer.printed.size(), 1u);
  EXPECT_EQ(FileStatuses(), (std::vector<QueueStatus>{QueueStatus::Printed, QueueStatus::Queued, QueueStatus::Queued}));
  EXPECT_FALSE(model.Printing());
}

// Asks to quit while the run prints its first entry.
struct QuittingPrinter : QueueEntryPrinter {
  QueueModel* model = nullptr;
  QueueQuit asked = QueueQuit::Closed;
  bool Print(const QueueEntry&) override {
    asked = model->Quit();
    return true;
  }
};

TEST_F(QueueDialogRules, QuitRules) {
  // While printing, quitting only stops the run; nothing is deleted.
  Add("Ann");
  Add("Bob");
  QuittingPrinter quitting;
  quitting.model = &model;
  model.Load();
  const QueuePrintRun run = model.PrintAll(quitting, sets);
  EXPECT_EQ(quitting.asked, QueueQuit::StopRequested);
  EXPECT_TRUE(run.stopped);
  EXPECT_TRUE(std::filesystem::exists(queue.File()));

  // With reports still to print, the queue is kept.
  EXPECT_EQ(model.Quit(), QueueQuit::Closed);
  EXPECT_EQ(queue.Count(), 2);

  // After everything printed (or cancelled), quitting deletes the queue file.
  ASSERT_TRUE(model.Toggle(1));
  EXPECT_EQ(model.Quit(), QueueQuit::ClearedAndClosed);
  EXPECT_FALSE(std::filesystem::exists(queue.File()));
}

TEST(QueueTexts, MainWindowTextsAndExitChoices) {
  EXPECT_EQ(ReportsInQueueText(3), "Reports in Queue: 3");
  EXPECT_EQ(ClearQueueQuestion(2), "Reports in Queue: 2\r\n\r\nAre you sure you wish to clear them?");
  EXPECT_EQ(ExitQueueQuestion(4),
            "The report queue contains 4 unprinted reports.\r\n\r\nDo you wish to retain the queue for you next "
            "session?\r\n\r\nChoose YES to retain the queue and exit.\r\nChoose NO to clear the queue and "
            "exit.\r\nChoose CANCEL to return to the program.");
  EXPECT_EQ(ExitQueueChoiceOf(Answer::Yes), ExitQueueChoice::KeepAndExit);
  EXPECT_EQ(ExitQueueChoiceOf(Answer::No), ExitQueueChoice::ClearAndExit);
  EXPECT_EQ(ExitQueueChoiceOf(Answer::Cancel), ExitQueueChoice::Stay);
}

}  // namespace
}  // namespace korvana
