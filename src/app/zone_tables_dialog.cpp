#include "app/zone_tables_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/desktop_messages.h"
#include "app/select_buttons.h"
#include "app/zone_table_edit_dialog.h"

namespace korvana::app {

ZoneTablesDialog::ZoneTablesDialog(ZoneTableFiles files, EntryOptions options, std::int32_t current,
                                   const QString& title, Messages& messages, QWidget* parent)
    : QDialog(parent), files_(std::move(files)), options_(options), messages_(messages) {
  setWindowTitle(tr("Time Zone Tables"));
  resize(420, 440);
  auto* layout = new QVBoxLayout(this);
  if (!title.isEmpty()) layout->addWidget(new QLabel(title, this));
  auto* body = new QHBoxLayout;
  list_ = new QListWidget(this);
  list_->setObjectName("tables");
  body->addWidget(list_, 1);
  auto* side = new QVBoxLayout;
  auto* edit = new QPushButton(tr("&Edit..."), this);
  auto* add = new QPushButton(tr("&Add New..."), this);
  auto* remove = new QPushButton(tr("&Delete..."), this);
  for (QPushButton* button : {edit, add, remove}) side->addWidget(button);
  side->addStretch();
  body->addLayout(side);
  layout->addLayout(body, 1);
  auto* buttons = SelectCancelButtons(this);
  layout->addWidget(buttons);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(edit, &QPushButton::clicked, this, [this] {
    if (const auto table = Chosen(); table && *table > 0) Edit(*table);
  });
  connect(add, &QPushButton::clicked, this, [this] { Edit(0); });
  connect(remove, &QPushButton::clicked, this, &ZoneTablesDialog::DeleteSelected);
  Reload(current);
}

void ZoneTablesDialog::Reload(std::int32_t select) {
  list_->clear();
  std::vector<std::string> rows;
  try {
    rows = TableChoiceRows(files_);
  } catch (const std::exception& e) {
    messages_.Error(e.what());
    rows = {NoTableListText};
  }
  for (const std::string& row : rows) {
    auto* item = new QListWidgetItem(ShownText(row), list_);
    if (TableNumberFromListText(row) == select) list_->setCurrentItem(item);
  }
  if (list_->currentItem()) list_->scrollToItem(list_->currentItem());
}

std::optional<std::int32_t> ZoneTablesDialog::Chosen() const {
  const QListWidgetItem* item = list_->currentItem();
  if (!item) return std::nullopt;
  return TableNumberFromListText(item->text().toStdString());
}

void ZoneTablesDialog::Edit(std::int32_t tableNo) {
  TZTable table;
  std::vector<TZCode> codes;
  try {
    codes = ReadZoneCodes(files_, ZoneTableEditor::MaxCodes);
    if (tableNo > 0) table = LoadTable(files_, tableNo, ZoneTableEditor::MaxEntries);
  } catch (const std::exception& e) {
    messages_.Error(e.what());
    return;
  }
  ZoneTableEditDialog dialog(files_, ZoneTableEditor(std::move(table), std::move(codes), options_), messages_, this);
  dialog.exec();
  Reload(dialog.SavedAs() ? *dialog.SavedAs() : tableNo);
}

void ZoneTablesDialog::DeleteSelected() {
  const auto table = Chosen();
  if (!table || *table <= 0) return;
  const int row = list_->currentRow();
  if (!DeleteZoneTable(files_, *table, messages_)) return;
  Reload(0);
  list_->setCurrentRow(std::min(row, list_->count() - 1));
}

void ZoneTablesDialog::accept() {
  if (Chosen()) QDialog::accept();
}

}  // namespace korvana::app
