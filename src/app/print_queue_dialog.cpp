#include "app/print_queue_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/desktop_messages.h"

namespace korvana::app {

namespace {

constexpr int StatusColumn = 2;

// Passes each entry to the printer the run started with and keeps the dialog's label,
// selection and progress with the run; lets a "Stop" click through between entries.
class DialogRun : public QueueEntryPrinter {
 public:
  DialogRun(QueueEntryPrinter& inner, std::function<void(int, int)> starting, std::function<void()> between)
      : inner_(inner), starting_(std::move(starting)), between_(std::move(between)) {}
  bool Print(const QueueEntry& entry) override { return inner_.Print(entry); }
  void Starting(int index, int count) override {
    starting_(index, count);
    inner_.Starting(index, count);
  }
  void Between() override {
    inner_.Between();
    between_();
  }

 private:
  QueueEntryPrinter& inner_;
  std::function<void(int, int)> starting_;
  std::function<void()> between_;
};

}  // namespace

PrintQueueDialog::PrintQueueDialog(PrintQueue& queue, QueueSetSwitch::Loader loadSet, std::string currentSetFile,
                                   PrintStart start, QWidget* parent)
    : QDialog(parent),
      queue_(queue),
      model_(queue),
      loadSet_(std::move(loadSet)),
      currentSetFile_(std::move(currentSetFile)),
      start_(std::move(start)) {
  setWindowTitle(tr("Report Print Queue"));
  list_ = new QTreeWidget(this);
  list_->setObjectName("lstQueue");
  list_->setHeaderLabels({tr("Chart Name"), tr("Report Type"), tr("Status")});
  list_->setRootIsDecorated(false);
  list_->setColumnWidth(0, 250);
  list_->setColumnWidth(1, 150);
  list_->setColumnWidth(2, 125);
  list_->header()->setStretchLastSection(true);
  list_->header()->setSectionsClickable(true);
  list_->setMinimumSize(540, 220);
  label_ = new QLabel(this);
  label_->setObjectName("lblCount");
  progress_ = new QProgressBar(this);
  progress_->setTextVisible(false);
  printAll_ = new QPushButton(tr("Print All"), this);
  printAll_->setObjectName("btnPrintAll");
  quit_ = new QPushButton(tr("&Quit"), this);
  quit_->setObjectName("btnQuit");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(label_, 1);
  buttons->addWidget(printAll_);
  buttons->addWidget(quit_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(progress_);
  layout->addLayout(buttons);

  connect(printAll_, &QPushButton::clicked, this, &PrintQueueDialog::PrintAll);
  connect(quit_, &QPushButton::clicked, this, &PrintQueueDialog::QuitOrStop);
  connect(list_, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { ToggleEntry(list_->indexOfTopLevelItem(item)); });
  connect(list_->header(), &QHeaderView::sectionClicked, this, [this](int section) {
    if (section == StatusColumn && list_->currentItem()) ToggleEntry(list_->indexOfTopLevelItem(list_->currentItem()));
  });
  Fill();
}

void PrintQueueDialog::Fill() {
  model_.Load();
  list_->clear();
  for (std::size_t i = 0; i < model_.Entries().size(); ++i) {
    list_->addTopLevelItem(new QTreeWidgetItem(list_));
    ShowEntry(static_cast<int>(i));
  }
  label_->setText(QString::fromStdString(model_.LabelText()));
  progress_->setValue(0);
}

void PrintQueueDialog::ShowEntry(int index) {
  QTreeWidgetItem* item = list_->topLevelItem(index);
  if (!item) return;
  const QueueEntry& entry = model_.Entries()[static_cast<std::size_t>(index)];
  item->setText(0, " " + ShownText(EntryDisplayName(entry)));
  item->setText(1, ShownText(entry.caption));
  item->setText(2, tr(StatusText(entry.status)));
  // What is still to print (or printing) stands out.
  const bool pending = entry.status == QueueStatus::Queued || entry.status == QueueStatus::Printing;
  for (int column = 0; column < 3; ++column) {
    QFont font = item->font(column);
    font.setBold(pending);
    item->setFont(column, font);
  }
}

void PrintQueueDialog::ToggleEntry(int index) {
  if (model_.Printing() || index < 0) return;
  model_.Toggle(static_cast<std::size_t>(index));
  ShowEntry(index);
  label_->setText(QString::fromStdString(model_.LabelText()));
}

void PrintQueueDialog::PrintAll() {
  if (model_.Printing() || model_.Unprinted() <= 0) return;
  std::unique_ptr<QueueEntryPrinter> printer = start_ ? start_() : nullptr;
  if (!printer) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  printAll_->setEnabled(false);
  quit_->setText(tr("&Stop"));
  list_->header()->setEnabled(false);
  const int count = static_cast<int>(model_.Entries().size());
  progress_->setRange(0, std::max(1, count));
  DialogRun run(
      *printer,
      [this](int index, int total) {
        label_->setText(tr("Report %1 of %2").arg(index).arg(total));
        list_->setCurrentItem(list_->topLevelItem(index - 1));
        progress_->setValue(index);
        ShowEntry(index - 1);
      },
      [this] {
        for (int i = 0; i < list_->topLevelItemCount(); ++i) ShowEntry(i);
        QApplication::processEvents();
      });
  QueueSetSwitch sets(currentSetFile_, loadSet_);
  model_.PrintAll(run, sets);
  for (int i = 0; i < list_->topLevelItemCount(); ++i) ShowEntry(i);
  progress_->setValue(0);
  printAll_->setEnabled(true);
  quit_->setText(tr("&Quit"));
  label_->setText(QString::fromStdString(model_.LabelText()));
  list_->clearSelection();
  list_->setCurrentItem(nullptr);
  list_->header()->setEnabled(true);
  QApplication::restoreOverrideCursor();
}

void PrintQueueDialog::QuitOrStop() {
  if (model_.Quit() != QueueQuit::StopRequested) accept();
}

void PrintQueueDialog::closeEvent(QCloseEvent* event) {
  // A print run in progress is stopped with "Stop", not by closing the window.
  if (model_.Printing()) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void PrintQueueDialog::reject() {
  if (model_.Printing()) return;
  QDialog::reject();
}

}  // namespace korvana::app
