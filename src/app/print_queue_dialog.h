// "Report Print Queue": the queued reports with their statuses. A double click on a line
// (or a click on the "Status" header) cancels or re-queues the selected entry; "Print All"
// prints every queued entry, each with its own report set, while "&Quit" becomes "&Stop";
// quitting with nothing left to print deletes the queue. The rules are the core's
// QueueModel; the dialog shows them.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "core/queue/queue_run.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace korvana::app {

class PrintQueueDialog : public QDialog {
  Q_OBJECT
 public:
  // Starts a print run: asks for the printer and gives back what prints each entry, or
  // null when the user cancelled.
  using PrintStart = std::function<std::unique_ptr<QueueEntryPrinter>()>;

  PrintQueueDialog(PrintQueue& queue, QueueSetSwitch::Loader loadSet, std::string currentSetFile, PrintStart start,
                   QWidget* parent = nullptr);

  QueueModel& Model() { return model_; }
  QTreeWidget* List() const { return list_; }
  QLabel* Label() const { return label_; }

  // "Print All", "&Quit"/"&Stop", and a click on an entry (from 0).
  void PrintAll();
  void QuitOrStop();
  void ToggleEntry(int index);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void Fill();
  void ShowEntry(int index);

  PrintQueue& queue_;
  QueueModel model_;
  QueueSetSwitch::Loader loadSet_;
  std::string currentSetFile_;
  PrintStart start_;
  QTreeWidget* list_;
  QLabel* label_;
  QProgressBar* progress_;
  QPushButton* printAll_;
  QPushButton* quit_;
};

}  // namespace korvana::app
