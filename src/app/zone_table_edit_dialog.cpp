#include "app/zone_table_edit_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/desktop_messages.h"
#include "core/util/text.h"

namespace korvana::app {

ZoneTableEditDialog::ZoneTableEditDialog(ZoneTableFiles files, ZoneTableEditor editor, Messages& messages,
                                         QWidget* parent)
    : QDialog(parent), files_(std::move(files)), editor_(std::move(editor)), messages_(messages) {
  setWindowTitle(tr("Edit Time Zone Table"));
  resize(520, 520);
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  name_ = new QLineEdit(ShownText(editor_.Table().header.Name), this);
  name_->setObjectName("name");
  name_->setMaxLength(static_cast<int>(ZoneTableEditor::NameLength));
  form->addRow(tr("Table Name"), name_);
  next_ = new QComboBox(this);
  std::vector<std::string> choices;
  try {
    choices = NextTableChoiceRows(files_);
  } catch (const std::exception& e) {
    messages_.Error(e.what());
    choices = {NoNextTableListText};
  }
  const std::int32_t next = editor_.Table().header.NextTable;
  for (const std::string& choice : choices) {
    next_->addItem(ShownText(choice));
    if (TableNumberFromListText(choice) == std::max(next, 0)) next_->setCurrentIndex(next_->count() - 1);
  }
  form->addRow(tr("Next Table"), next_);
  beyond_ = new QCheckBox(tr("Show &verification message for dates beyond table"), this);
  beyond_->setChecked(next == -1);
  form->addRow(beyond_);
  layout->addLayout(form);
  entries_ = new QListWidget(this);
  entries_->setObjectName("entries");
  layout->addWidget(entries_, 1);
  auto* fields = new QHBoxLayout;
  date_ = new QLineEdit(this);
  time_ = new QLineEdit(this);
  zone_ = new QLineEdit(this);
  date_->setObjectName("date");
  time_->setObjectName("time");
  zone_->setObjectName("zone");
  for (auto [label, edit] : {std::pair{tr("Start Date"), date_}, {tr("Start Time"), time_}, {tr("Time Zone"), zone_}}) {
    auto* column = new QFormLayout;
    column->addRow(label, edit);
    fields->addLayout(column);
  }
  layout->addLayout(fields);
  auto* commands = new QHBoxLayout;
  auto* add = new QPushButton(tr("&Add Entry"), this);
  auto* remove = new QPushButton(tr("&Delete Entry"), this);
  auto* sort = new QPushButton(tr("&Sort Table"), this);
  auto* save = new QPushButton(tr("&Save"), this);
  for (QPushButton* button : {add, remove, sort, save}) commands->addWidget(button);
  layout->addLayout(commands);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(entries_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row == shownRow_) return;
    // The entry shown is taken from its fields first; one that does not parse stays shown.
    if (shownRow_ >= 0 && !TakeEntry()) {
      entries_->setCurrentRow(shownRow_);
      return;
    }
    ShowEntry();
  });
  connect(add, &QPushButton::clicked, this, [this] {
    if (TakeEntry() && editor_.AddEntry(messages_)) ShowEntries(static_cast<int>(editor_.Entries().size()) - 1);
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    const int row = entries_->currentRow();
    if (row < 0) return;
    editor_.DeleteEntry(static_cast<std::size_t>(row));
    shownRow_ = -1;
    ShowEntries(std::min(row, static_cast<int>(editor_.Entries().size()) - 1));
  });
  connect(sort, &QPushButton::clicked, this, [this] {
    if (TakeEntry() && editor_.SortEntries()) ShowEntries(0);
  });
  connect(save, &QPushButton::clicked, this, &ZoneTableEditDialog::Save);
  ShowEntries(0);
}

void ZoneTableEditDialog::ShowEntries(int select) {
  shownRow_ = -1;
  entries_->clear();
  for (std::size_t i = 0; i < editor_.Entries().size(); ++i)
    entries_->addItem(ShownText(editor_.EntryRowText(i)));
  if (select >= 0 && select < entries_->count()) entries_->setCurrentRow(select);
  ShowEntry();
}

void ZoneTableEditDialog::ShowEntry() {
  shownRow_ = entries_->currentRow();
  const std::vector<std::string> parts =
      shownRow_ >= 0 ? Split(editor_.EntryRowText(static_cast<std::size_t>(shownRow_)), '\t') : std::vector<std::string>{};
  QLineEdit* edits[] = {date_, time_, zone_};
  for (std::size_t i = 0; i < 3; ++i) edits[i]->setText(i < parts.size() ? ShownText(parts[i]) : QString());
}

bool ZoneTableEditDialog::TakeEntry() {
  if (shownRow_ < 0 || shownRow_ >= static_cast<int>(editor_.Entries().size())) return true;
  const auto row = static_cast<std::size_t>(shownRow_);
  const std::string before = editor_.EntryRowText(row);
  const std::vector<std::string> parts = Split(before, '\t');
  const std::string date = date_->text().toStdString(), time = time_->text().toStdString(),
                    zone = zone_->text().toStdString();
  if (parts.size() == 3 && parts[0] == date && parts[1] == time && parts[2] == zone) return true;
  if (!editor_.SetEntry(row, date, time, zone, messages_)) return false;
  entries_->item(shownRow_)->setText(ShownText(editor_.EntryRowText(row)));
  return true;
}

void ZoneTableEditDialog::Save() {
  if (!TakeEntry()) return;
  editor_.SetName(name_->text().toStdString());
  editor_.SetNextTable(beyond_->isChecked(), TableNumberFromListText(next_->currentText().toStdString()).value_or(0));
  const auto result = editor_.Save(files_, messages_);
  if (result && !result->failed) savedAs_ = result->tableNo;
}

}  // namespace korvana::app
