#include "app/open_chart_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/chart_search_dialog.h"
#include "app/desktop_messages.h"
#include "app/file_manager_dialog.h"
#include "app/wheel_view.h"
#include "core/astro/cast_chart.h"
#include "core/charts/chart_reference.h"
#include "core/time/entry_parsing.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::app {

namespace {

constexpr const char* NoMemoText = "(No memo text found)";
constexpr const char* NoCommentsText = "(EMv2 chart file cannot contain comments)";
constexpr int NumberRole = Qt::UserRole;

QString DateOfKey(const std::string& key, bool monthFirst) {
  if (key.size() != 9) return {};
  const int year = std::stoi(key.substr(0, 5)) - 10000;
  return ShownText(FormatDate(monthFirst, std::stoi(key.substr(7, 2)), std::stoi(key.substr(5, 2)), year));
}

}  // namespace

OpenChartDialog::OpenChartDialog(ProgramSettings& settings, Messages& messages, QWidget* parent)
    : QDialog(parent), settings_(settings), messages_(messages) {
  setWindowTitle(tr("Open Chart"));
  resize(760, 520);
  order_ = settings_.ChartsSorted ? ChartOrder::Name : ChartOrder::File;
  auto* layout = new QVBoxLayout(this);
  title_ = new QLineEdit(this);
  title_->setObjectName("title");
  title_->setMaxLength(80);
  layout->addWidget(title_);
  auto* body = new QHBoxLayout;
  list_ = new QTreeWidget(this);
  list_->setObjectName("charts");
  list_->setColumnCount(3);
  list_->setRootIsDecorated(false);
  list_->setHeaderLabels({tr("Name (Alphabetical)"), tr("Date"), tr("Type")});
  list_->header()->setSectionsClickable(true);
  list_->setColumnWidth(0, 240);
  list_->installEventFilter(this);
  body->addWidget(list_, 3);
  preview_ = new QStackedWidget(this);
  comments_ = new QPlainTextEdit(this);
  comments_->setObjectName("comments");
  comments_->installEventFilter(this);
  wheel_ = new WheelView(settings_, messages_, this);
  preview_->addWidget(comments_);
  preview_->addWidget(wheel_);
  body->addWidget(preview_, 2);
  layout->addLayout(body, 1);
  auto* options = new QHBoxLayout;
  lastNameFirst_ = new QCheckBox(tr("&Last Name First"), this);
  lastNameFirst_->setChecked(settings_.NamesReversed);
  wheelPreview_ = new QCheckBox(tr("&Wheel Preview"), this);
  wheelPreview_->setChecked(settings_.ChartPreview);
  auto* file = new QPushButton(tr("&File..."), this);
  auto* recent = new QPushButton(tr("Recent"), this);
  auto* search = new QPushButton(tr("&Search All Files..."), this);
  options->addWidget(lastNameFirst_);
  options->addWidget(wheelPreview_);
  options->addStretch();
  options->addWidget(file);
  options->addWidget(recent);
  options->addWidget(search);
  layout->addLayout(options);
  auto* bottom = new QHBoxLayout;
  status_ = new QLabel(this);
  bottom->addWidget(status_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
  bottom->addWidget(buttons);
  layout->addLayout(bottom);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(list_, &QTreeWidget::currentItemChanged, this, [this] {
    SaveComments();
    ShowSelected();
  });
  connect(list_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
    if (column == 0) {
      order_ = order_ == ChartOrder::File ? ChartOrder::Name : ChartOrder::File;
      settings_.ChartsSorted = order_ == ChartOrder::Name;
    } else if (column == 1) {
      order_ = ChartOrder::Date;
    } else {
      return;
    }
    Reload();
  });
  connect(lastNameFirst_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.NamesReversed = on;
    Reload();
  });
  connect(wheelPreview_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.ChartPreview = on;
    ShowSelected();
  });
  connect(comments_, &QPlainTextEdit::textChanged, this, [this] { commentsChanged_ = true; });
  connect(title_, &QLineEdit::editingFinished, this, [this] {
    if (format_ == ChartFormatHeaderless || format_ == ChartFormatInvalid) return;
    SetFileTitle(settings_.Charts, title_->text().trimmed().toStdString());
  });
  connect(file, &QPushButton::clicked, this, [this] {
    FileManagerDialog manager(tr("Open Chart File"), "*.cht;*.EMcht", FolderOf(settings_.Charts), settings_.Charts,
                              settings_, messages_, this);
    if (manager.exec() == QDialog::Accepted) UseFile(manager.Chosen());
  });
  connect(recent, &QPushButton::clicked, this, &OpenChartDialog::ShowRecentMenu);
  connect(search, &QPushButton::clicked, this, &OpenChartDialog::SearchAllFiles);
}

void OpenChartDialog::Prepare(bool twoCharts) {
  list_->setSelectionMode(twoCharts ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
  if (FileExists(settings_.Charts)) AddToRecentCharts(settings_.RecentCharts, settings_.Charts);
  Reload();
}

void OpenChartDialog::UseFile(const std::string& path) {
  settings_.Charts = path;
  settings_.ChartPath = FolderOf(path);
  AddToRecentCharts(settings_.RecentCharts, path);
  Reload();
}

void OpenChartDialog::Reload(int selectNumber) {
  list_->clear();
  commentsFor_ = 0;
  const std::string& path = settings_.Charts;
  if (!FileExists(path)) {
    status_->setText(tr("No chart file"));
    return;
  }
  const ChartFileDescription info = ChartFileInfo(path);
  format_ = info.format;
  status_->setText(ShownText(ToLowerAscii(BaseNameOf(path))) + "    " + tr("Charts: %1").arg(info.count));
  title_->setText(ShownText(info.title));
  const bool holdsComments = format_ != ChartFormatHeaderless && format_ != ChartFormatInvalid;
  title_->setEnabled(holdsComments);
  comments_->setEnabled(holdsComments);
  list_->headerItem()->setText(0, order_ == ChartOrder::Date   ? tr("Name (Date Order)")
                                  : order_ == ChartOrder::Name ? tr("Name (Alphabetical)")
                                                               : tr("Name (File Order)"));
  std::vector<ChartListEntry> charts;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    charts = ListCharts(path, settings_);
  } catch (const std::exception& e) {
    QApplication::restoreOverrideCursor();
    messages_.Error(e.what());
    return;
  }
  QApplication::restoreOverrideCursor();
  for (const ChartListRow& row : MakeChartRows(charts, order_, settings_.NamesReversed)) {
    auto* item = new QTreeWidgetItem(list_);
    item->setText(0, " " + (row.error.empty() ? ShownText(row.name) : tr("(chart %1: %2)").arg(row.number).arg(ShownText(row.error))));
    item->setText(1, DateOfKey(row.dateKey, settings_.MonthFirst));
    item->setText(2, ShownText(row.kind));
    item->setData(0, NumberRole, row.number);
    if (row.number == selectNumber) {
      list_->setCurrentItem(item);
      list_->scrollToItem(item);
    }
  }
}

std::vector<int> OpenChartDialog::SelectedNumbers() const {
  std::vector<int> numbers;
  for (int i = 0; i < list_->topLevelItemCount(); ++i)
    if (list_->topLevelItem(i)->isSelected()) numbers.push_back(list_->topLevelItem(i)->data(0, NumberRole).toInt());
  return numbers;
}

void OpenChartDialog::ShowSelected() {
  const QTreeWidgetItem* item = list_->currentItem();
  preview_->setCurrentWidget(settings_.ChartPreview ? static_cast<QWidget*>(wheel_) : comments_);
  wheel_->ShowCharts({}, {}, false, nullptr);
  if (!item) return;
  const int number = item->data(0, NumberRole).toInt();
  try {
    if (settings_.ChartPreview) {
      const StoredChart chart = ReadChart(settings_.Charts, format_, number, settings_);
      CastOptions options = CastOptionsFrom(settings_);
      options.HouseSystem = chart.houseSystem;
      wheel_->ShowCharts({CastChart(chart.chart, options)}, settings_.SmallWheel, false, nullptr);
      return;
    }
    const std::optional<std::string> memo = ReadChartMemo(settings_.Charts, number);
    comments_->setPlainText(!memo ? tr(NoCommentsText) : memo->empty() ? tr(NoMemoText) : ShownText(*memo));
  } catch (const std::exception& e) {
    comments_->setPlainText(ShownText(e.what()));
  }
  commentsFor_ = number;
  commentsChanged_ = false;
}

void OpenChartDialog::SaveComments() {
  if (commentsFor_ == 0 || !commentsChanged_ || settings_.ChartPreview) return;
  const QString text = comments_->toPlainText();
  commentsChanged_ = false;
  if (text == tr(NoMemoText) || text == tr(NoCommentsText)) return;
  SetChartMemo(settings_.Charts, commentsFor_, text.toStdString(), messages_);
}

void OpenChartDialog::DeleteSelected() {
  const QTreeWidgetItem* item = list_->currentItem();
  if (!item || !messages_.Confirm("Are you sure that you wish to delete this chart?")) return;
  const int row = list_->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
  const int number = item->data(0, NumberRole).toInt();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool deleted = DeleteChart(settings_.Charts, number, messages_);
  QApplication::restoreOverrideCursor();
  if (!deleted) return;
  Reload();
  const int count = list_->topLevelItemCount();
  if (count > 0 && row > 0) list_->setCurrentItem(list_->topLevelItem(std::min(row, count - 1)));
}

void OpenChartDialog::ShowRecentMenu() {
  QMenu menu(this);
  const std::string folder = ToLowerAscii(FolderOf(settings_.Charts));
  for (std::size_t i = 0; i < settings_.RecentCharts.size(); ++i) {
    const std::string& path = settings_.RecentCharts[i];
    const std::string shown = ToLowerAscii(FolderOf(path)) == folder ? NameOf(path) : path;
    QAction* action = menu.addAction(QStringLiteral("%1 %2").arg(i + 1).arg(ShownText(shown)));
    action->setCheckable(i == 0);
    action->setChecked(i == 0);
    action->setData(QString::fromStdString(path));
  }
  const QAction* chosen = menu.exec(QCursor::pos());
  if (!chosen) return;
  const std::string path = chosen->data().toString().toStdString();
  if (FileExists(path)) {
    UseFile(path);
  } else {
    std::erase(settings_.RecentCharts, path);
  }
}

void OpenChartDialog::SearchAllFiles() {
  bool ok = false;
  const QString typed = QInputDialog::getText(this, tr("Chart Name Search"),
                                              tr("Enter one or more characters to match with chart names:"),
                                              QLineEdit::Normal, {}, &ok);
  const std::string pattern = ChartSearchPattern(typed.toStdString());
  if (!ok || pattern.empty()) return;
  ChartSearchDialog search(ChartSearchFolders(settings_.RecentCharts), pattern, settings_, this);
  if (search.exec() != QDialog::Accepted || !search.Chosen()) return;
  const TMatchingChart& match = *search.Chosen();
  const std::string file = WithTrailingSlash(match.Folder) + match.FileName;
  settings_.Charts = file;
  settings_.ChartPath = FolderOf(file);
  AddToRecentCharts(settings_.RecentCharts, file);
  Reload(match.Index);
}

bool OpenChartDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    DeleteSelected();
    return true;
  }
  if (watched == comments_ && event->type() == QEvent::FocusOut) SaveComments();
  return QDialog::eventFilter(watched, event);
}

void OpenChartDialog::accept() {
  SaveComments();
  const std::vector<int> numbers = SelectedNumbers();
  if (numbers.empty()) return;
  if (numbers.size() > 2) {
    messages_.Warning("You must select only 1 or 2 charts at a time.");
    return;
  }
  std::vector<StoredChart> chosen;
  try {
    for (int number : numbers) chosen.push_back(ReadChart(settings_.Charts, format_, number, settings_));
  } catch (const std::exception& e) {
    messages_.Error(e.what());
    return;
  }
  chosen_ = std::move(chosen);
  QDialog::accept();
}

}  // namespace korvana::app
