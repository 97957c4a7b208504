#include "app/chart_search_dialog.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/desktop_messages.h"
#include "core/util/files.h"

namespace korvana::app {

namespace {

// The columns shown, in order, with their widths.
struct SearchColumn {
  const char* title;
  int width;
};
constexpr SearchColumn SearchColumns[] = {{"Name", 120}, {"Date", 80}, {"File", 100}, {"Folder", 200}};

// The date as the system writes dates: month first ("Mar 14 1879") when its short format
// begins with the month, else the day first with the month's full name ("14 March 1879").
QString ShownDate(const DateTimeRec& m) {
  const QDate date(m.Year, m.Month, m.Day);
  if (!date.isValid()) return {};
  const QLocale c = QLocale::c();
  const bool monthFirst = QLocale::system().dateFormat(QLocale::ShortFormat).startsWith('M', Qt::CaseInsensitive);
  return monthFirst ? QStringLiteral("%1 %2 %3").arg(c.monthName(m.Month, QLocale::ShortFormat)).arg(m.Day).arg(m.Year)
                    : QStringLiteral("%1 %2 %3").arg(m.Day).arg(c.monthName(m.Month)).arg(m.Year);
}

}  // namespace

ChartSearchDialog::ChartSearchDialog(std::vector<std::string> folders, std::string pattern,
                                     const ProgramSettings& settings, QWidget* parent)
    : QDialog(parent), search_(std::make_unique<ChartSearch>(std::move(folders), std::move(pattern), settings)) {
  setWindowTitle(tr("Chart Search"));
  resize(620, 420);
  auto* layout = new QVBoxLayout(this);
  list_ = new QTreeWidget(this);
  list_->setObjectName("matches");
  list_->setRootIsDecorated(false);
  list_->setColumnCount(static_cast<int>(std::size(SearchColumns)));
  QStringList titles;
  for (const SearchColumn& column : SearchColumns) titles << tr(column.title);
  list_->setHeaderLabels(titles);
  for (int i = 0; i < list_->columnCount(); ++i) list_->setColumnWidth(i, SearchColumns[i].width);
  list_->header()->setMinimumSectionSize(5);
  list_->setTextElideMode(Qt::ElideRight);
  layout->addWidget(list_, 1);
  progress_ = new QProgressBar(this);
  progress_->setObjectName("progress");
  progress_->setTextVisible(false);
  layout->addWidget(progress_);
  auto* bottom = new QHBoxLayout;
  status_ = new QLabel(this);
  status_->setObjectName("status");
  bottom->addWidget(status_, 1);
  select_ = new QPushButton(tr("Select"), this);
  select_->setObjectName("select");
  select_->setEnabled(false);
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName("cancel");
  bottom->addWidget(select_);
  bottom->addWidget(cancel);
  layout->addLayout(bottom);
  connect(select_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(list_, &QTreeWidget::itemSelectionChanged, this,
          [this] { select_->setEnabled(!list_->selectedItems().isEmpty()); });
}

ChartSearchDialog::~ChartSearchDialog() = default;

void ChartSearchDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (started_) return;
  started_ = true;
  QTimer::singleShot(0, this, &ChartSearchDialog::Step);
}

void ChartSearchDialog::Step() {
  if (search_->Finished()) {
    ShowFinished();
    return;
  }
  status_->setText(tr("Searching: ") + ShownText(NameOf(search_->NextFile())));
  progress_->setMaximum(static_cast<int>(search_->FolderFileCount()));
  const std::size_t before = search_->Matches().size();
  search_->Step();
  AddRows(before);
  progress_->setValue(search_->Finished() ? 0 : static_cast<int>(search_->FolderFilesDone()));
  emit Stepped();
  // The next file after the window has handled what is pending, so that it stays usable.
  QTimer::singleShot(0, this, &ChartSearchDialog::Step);
}

void ChartSearchDialog::AddRows(std::size_t from) {
  const TMatchingChartArray& matches = search_->Matches();
  for (std::size_t i = from; i < matches.size(); ++i) {
    const TMatchingChart& m = matches[i];
    auto* item = new QTreeWidgetItem(list_);
    item->setText(0, ShownText(m.ChartName));
    item->setText(1, ShownDate(m.Moment));
    item->setText(2, ShownText(m.FileName));
    item->setText(3, ShownText(m.Folder));
    item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
  }
}

void ChartSearchDialog::ShowFinished() {
  status_->setText(ShownText(search_->ResultText()));
  progress_->setValue(0);
}

void ChartSearchDialog::accept() {
  const QTreeWidgetItem* item = list_->currentItem();
  if (!item || !item->isSelected()) return;
  search_->Stop();
  chosen_ = search_->Matches()[item->data(0, Qt::UserRole).toULongLong()];
  QDialog::accept();
}

void ChartSearchDialog::reject() {
  // A running search is stopped first; a finished one closes.
  if (!search_->Finished()) {
    search_->Stop();
    ShowFinished();
    return;
  }
  QDialog::reject();
}

}  // namespace korvana::app
