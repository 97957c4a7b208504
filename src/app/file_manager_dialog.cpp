#include "app/file_manager_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/desktop_messages.h"
#include "app/select_buttons.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::app {

namespace {

// The preselected file is shown as the eighth visible line when it lies further down.
constexpr int PreselectLine = 8;

}  // namespace

FileManagerDialog::FileManagerDialog(const QString& title, std::string mask, const std::string& folder,
                                     const std::string& preselect, const ProgramSettings& settings,
                                     Messages& messages, QWidget* parent, SiblingPlaces places)
    : QDialog(parent), mask_(std::move(mask)), settings_(settings), messages_(messages), places_(std::move(places)) {
  setWindowTitle(tr("File Manager"));
  resize(560, 460);
  auto* layout = new QVBoxLayout(this);
  auto* titlePanel = new QLabel(title, this);
  titlePanel->setObjectName("titlePanel");
  titlePanel->setFrameShape(QFrame::StyledPanel);
  QFont bold = titlePanel->font();
  bold.setBold(true);
  titlePanel->setFont(bold);
  layout->addWidget(titlePanel);
  auto* folderRow = new QHBoxLayout;
  folderLabel_ = new QLabel(this);
  folderLabel_->setObjectName("folder");
  folderLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  folderMenu_ = new QPushButton(tr("Folders"), this);
  auto* showTree = new QPushButton(tr("&Folder"), this);
  showTree->setCheckable(true);
  folderRow->addWidget(folderLabel_, 1);
  folderRow->addWidget(folderMenu_);
  folderRow->addWidget(showTree);
  layout->addLayout(folderRow);
  auto* body = new QHBoxLayout;
  model_ = new QFileSystemModel(this);
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  model_->setRootPath(QStringLiteral("/"));
  tree_ = new QTreeView(this);
  tree_->setModel(model_);
  for (int c = 1; c < model_->columnCount(); ++c) tree_->hideColumn(c);
  tree_->setHeaderHidden(true);
  tree_->setVisible(false);
  body->addWidget(tree_, 1);
  files_ = new QListWidget(this);
  files_->setObjectName("files");
  body->addWidget(files_, 1);
  layout->addLayout(body, 1);
  description_ = new QLabel(this);
  description_->setObjectName("description");
  description_->setFrameShape(QFrame::StyledPanel);
  layout->addWidget(description_);
  auto* bottom = new QHBoxLayout;
  auto* create = new QPushButton(tr("C&reate New..."), this);
  auto* remove = new QPushButton(tr("D&elete..."), this);
  // Wheel designs are chosen here, never made or removed.
  const bool editable = !EqualsNoCase(mask_, "*.wh1");
  create->setEnabled(editable);
  remove->setEnabled(editable);
  bottom->addWidget(create);
  bottom->addWidget(remove);
  bottom->addStretch();
  auto* buttons = SelectCancelButtons(this);
  bottom->addWidget(buttons);
  layout->addLayout(bottom);

  connect(files_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(files_, &QListWidget::currentItemChanged, this, &FileManagerDialog::ShowDescription);
  connect(folderMenu_, &QPushButton::clicked, this, &FileManagerDialog::ShowFolderMenu);
  connect(showTree, &QPushButton::toggled, this, [this](bool shown) {
    tree_->setVisible(shown);
    tree_->scrollTo(tree_->currentIndex(), QAbstractItemView::PositionAtCenter);
  });
  // The model reads folders in the background: the current folder is shown once it is read.
  connect(model_, &QFileSystemModel::directoryLoaded, this,
          [this] { tree_->scrollTo(tree_->currentIndex(), QAbstractItemView::PositionAtCenter); });
  connect(tree_, &QTreeView::clicked, this,
          [this](const QModelIndex& index) { ShowFolder(model_->filePath(index).toStdString()); });
  connect(create, &QPushButton::clicked, this, [this] {
    QStringList filters;
    for (const std::string& pattern : Split(mask_, ';')) filters << ShownText(pattern);
    const QString typed = QFileDialog::getSaveFileName(this, tr("File to Create..."), ShownText(folder_),
                                                       filters.join(' '), nullptr, QFileDialog::DontConfirmOverwrite);
    if (!typed.isEmpty()) CreateFile(typed.toStdString());
  });
  connect(remove, &QPushButton::clicked, this, &FileManagerDialog::DeleteSelected);
  menuFolders_ = ManagerFolders(settings_.UserPath, places_);
  ShowFolder(folder.empty() ? settings_.UserPath : folder, NameOf(preselect));
}

void FileManagerDialog::ShowFolder(const std::string& folder, const std::string& file) {
  folder_ = WithTrailingSlash(folder);
  folderLabel_->setText(ShownText(folder_));
  files_->clear();
  for (const std::string& name : ManagerFiles(folder_, mask_)) {
    auto* item = new QListWidgetItem(ShownText(name), files_);
    if (!file.empty() && EqualsNoCase(name, file)) files_->setCurrentItem(item);
  }
  if (QListWidgetItem* current = files_->currentItem()) {
    // The preselected file as the eighth visible line when it lies further down.
    const int row = files_->row(current);
    files_->scrollToItem(files_->item(std::max(0, row - (PreselectLine - 1))), QAbstractItemView::PositionAtTop);
    if (row < PreselectLine - 1) files_->scrollToTop();
  }
  const QModelIndex index = model_->index(ShownText(folder_));
  if (index.isValid()) {
    tree_->setCurrentIndex(index);
    tree_->scrollTo(index, QAbstractItemView::PositionAtCenter);
  }
  ShowDescription();
}

void FileManagerDialog::ShowFolderMenu() {
  menuFolders_ = ManagerFolders(settings_.UserPath, places_);
  const auto current = CurrentManagerFolder(menuFolders_, folder_);
  QMenu menu(this);
  for (std::size_t i = 0; i < menuFolders_.size(); ++i) {
    QAction* action = menu.addAction(ShownText(menuFolders_[i].caption));
    action->setCheckable(true);
    action->setChecked(current == i);
    action->setData(static_cast<qulonglong>(i));
  }
  const QAction* chosen = menu.exec(folderMenu_->mapToGlobal(QPoint(0, folderMenu_->height())));
  if (chosen) ShowFolder(menuFolders_[chosen->data().toULongLong()].folder);
}

std::string FileManagerDialog::SelectedFile() const {
  const QListWidgetItem* item = files_->currentItem();
  return item ? folder_ + item->text().toStdString() : std::string();
}

void FileManagerDialog::ShowDescription() {
  const std::string file = SelectedFile();
  description_->setText(file.empty() ? QString() : ShownText(ManagerFileDescription(file)));
}

bool FileManagerDialog::CreateFile(const std::string& typed) {
  const std::string path = NameToCreate(typed, SelectedFile(), mask_);
  if (!CreateManagedFile(path, messages_)) return false;
  ShowFolder(FolderOf(path), NameOf(path));
  return true;
}

bool FileManagerDialog::DeleteSelected() {
  const std::string file = SelectedFile();
  if (file.empty()) return false;
  const int row = files_->currentRow();
  if (!DeleteManagedFile(file, messages_)) return false;
  ShowFolder(folder_);
  if (const auto next = RowAfterDelete(static_cast<std::size_t>(row), static_cast<std::size_t>(files_->count())))
    files_->setCurrentRow(static_cast<int>(*next));
  return true;
}

void FileManagerDialog::accept() {
  const std::string file = SelectedFile();
  if (file.empty()) return;
  chosen_ = file;
  QDialog::accept();
}

}  // namespace korvana::app
