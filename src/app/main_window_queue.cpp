// The main window's print queue commands, its count in the status bar, the closing
// question about queued reports, and the page margins command.
#include <QEvent>
#include <QLabel>

#include "app/main_window.h"
#include "app/page_margins_dialog.h"
#include "app/print_queue_dialog.h"
#include "app/queue_printing.h"
#include "core/queue/queue_add.h"
#include "core/queue/queue_texts.h"

namespace korvana::app {

namespace {

PrintQueue QueueIn(const ProgramSettings& settings) { return PrintQueue(settings.SystemPath + QueueFileName); }

}  // namespace

QString MainWindow::QueueCountText() const { return queueCount_->text(); }

void MainWindow::RefreshQueueCount() {
  queueCount_->setText(QString::fromStdString(ReportsInQueueText(QueueIn(settings_).Count())));
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Another copy of the program may have changed the queue meanwhile.
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) RefreshQueueCount();
}

void MainWindow::AddToPrintQueue() {
  std::vector<StoredChart> charts;
  const bool two = Kind() == PairKind::Synastry || Kind() == PairKind::Composite || pair_.returnInPair;
  for (int slot = 0; slot < (two ? 2 : 1); ++slot) {
    const PairSlot& s = pair_.slot[static_cast<std::size_t>(slot)];
    if (!s.Empty() && s.chart.chart.ChartType > 0) charts.push_back(s.chart);
  }
  PrintQueue queue = QueueIn(settings_);
  const QueueAddResult added = AddToQueue(queue, charts, set_, *reportAsk_);
  if (added.outcome == QueueAddOutcome::Failed)
    Msg().Error(std::string(AddToQueueFailedMessage) + (added.detail.empty() ? "" : "\r\n\r\n" + added.detail));
  RefreshQueueCount();
}

void MainWindow::ViewQueue() {
  PrintQueue queue = QueueIn(settings_);
  PrintQueueDialog::PrintStart start = queuePrintStart_;
  if (!start) start = [this] { return AskForQueuePrinter(this, settings_, set_, Msg()); };
  PrintQueueDialog dialog(
      queue, [this](const std::string& file) { return UseReportSet(file); }, set_.setFile, start, this);
  dialog.exec();
  RefreshQueueCount();
}

void MainWindow::ClearQueue() {
  PrintQueue queue = QueueIn(settings_);
  const int count = queue.Count();
  if (count > 0 && Msg().Confirm(ClearQueueQuestion(count)) && !queue.Clear())
    Msg().Error("The print queue " + queue.File() + " could not be deleted.");
  RefreshQueueCount();
}

bool MainWindow::KeepOrClearQueueOnClose() {
  PrintQueue queue = QueueIn(settings_);
  // The question speaks of unprinted reports: printed ones do not count.
  const int count = UnprintedCount(queue);
  if (count <= 0) return true;
  switch (ExitQueueChoiceOf(Msg().YesNoCancel(ExitQueueQuestion(count)))) {
    case ExitQueueChoice::KeepAndExit: return true;
    case ExitQueueChoice::ClearAndExit: queue.Clear(); return true;
    case ExitQueueChoice::Stay: break;
  }
  return false;
}

void MainWindow::EditPageMargins() { korvana::app::EditPageMargins(settings_, marginUnit_, this); }

}  // namespace korvana::app
