#include "app/place_database_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/desktop_messages.h"
#include "app/select_buttons.h"
#include "app/file_manager_dialog.h"
#include "app/zone_list_dialog.h"
#include "app/zone_tables_dialog.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::app {

namespace {

constexpr int NumberRole = Qt::UserRole;

// The detail fields: caption and the most characters a record keeps.
struct DetailSpec {
  const char* name;
  const char* caption;
  int length;
};
constexpr DetailSpec Details[] = {{"place", "City or Place", 19},  {"country", "Country or Region", 19},
                                  {"zone", "Zone", 13},            {"latitude", "Latitude", 7},
                                  {"longitude", "Longitude", 8}};

}  // namespace

PlaceDatabaseDialog::PlaceDatabaseDialog(ProgramSettings& settings, const ZoneList* zones, ZoneTableFiles tables,
                                         Messages& messages, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      zones_(zones),
      tables_(std::move(tables)),
      messages_(messages),
      db_(settings.Places) {
  setWindowTitle(tr("Place Database"));
  resize(760, 480);
  auto* layout = new QVBoxLayout(this);
  auto* body = new QHBoxLayout;
  list_ = new QTreeWidget(this);
  list_->setObjectName("places");
  list_->setRootIsDecorated(false);
  list_->setColumnCount(3);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setColumnWidth(0, 170);
  list_->setColumnWidth(1, 150);
  body->addWidget(list_, 3);

  auto* side = new QVBoxLayout;
  auto* form = new QFormLayout;
  QLineEdit** edits[] = {&place_, &country_, &zone_, &latitude_, &longitude_};
  for (std::size_t i = 0; i < std::size(Details); ++i) {
    *edits[i] = new QLineEdit(this);
    (*edits[i])->setObjectName(Details[i].name);
    (*edits[i])->setMaxLength(Details[i].length);
  }
  form->addRow(tr(Details[0].caption), place_);
  form->addRow(tr(Details[1].caption), country_);
  auto* zoneRow = new QHBoxLayout;
  auto* chooseZone = new QPushButton(tr("&Zone..."), this);
  zoneRow->addWidget(zone_, 1);
  zoneRow->addWidget(chooseZone);
  form->addRow(tr(Details[2].caption), zoneRow);
  form->addRow(tr(Details[3].caption), latitude_);
  form->addRow(tr(Details[4].caption), longitude_);
  auto* tableRow = new QHBoxLayout;
  auto* chooseTable = new QPushButton(tr("&Table..."), this);
  table_ = new QLabel(this);
  table_->setObjectName("table");
  tableRow->addWidget(chooseTable);
  tableRow->addWidget(table_, 1);
  form->addRow(tableRow);
  side->addLayout(form);

  auto* grid = new QGridLayout;
  const auto button = [&](const QString& caption, int row, int column) {
    auto* b = new QPushButton(caption, this);
    grid->addWidget(b, row, column);
    return b;
  };
  auto* addNew = button(tr("Add as &New"), 0, 0);
  auto* replace = button(tr("&Replace Current"), 0, 1);
  auto* copy = button(tr("C&opy..."), 1, 0);
  auto* remove = button(tr("&Delete..."), 1, 1);
  auto* find = button(tr("F&ind..."), 2, 0);
  auto* clear = button(tr("Clea&r"), 2, 1);
  auto* selectAll = button(tr("Select A&ll"), 3, 0);
  auto* file = button(tr("&File..."), 3, 1);
  side->addLayout(grid);
  countryFirst_ = new QCheckBox(tr("C&ountry First"), this);
  countryFirst_->setObjectName("countryFirst");
  side->addWidget(countryFirst_);
  side->addStretch();
  body->addLayout(side, 2);
  layout->addLayout(body, 1);

  auto* bottom = new QHBoxLayout;
  status_ = new QLabel(this);
  status_->setObjectName("status");
  bottom->addWidget(status_, 1);
  auto* buttons = SelectCancelButtons(this);
  bottom->addWidget(buttons);
  layout->addLayout(bottom);

  connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(list_, &QTreeWidget::currentItemChanged, this, &PlaceDatabaseDialog::ShowDetails);
  connect(countryFirst_, &QCheckBox::toggled, this, [this](bool on) {
    const int keep = CurrentNumber();
    db_.SetOrder(on ? PlaceOrder::CountryFirst : PlaceOrder::PlaceFirst);
    ShowList(keep);
  });
  connect(chooseZone, &QPushButton::clicked, this, &PlaceDatabaseDialog::ChooseZone);
  connect(chooseTable, &QPushButton::clicked, this, &PlaceDatabaseDialog::ChooseTable);
  connect(addNew, &QPushButton::clicked, this, [this] {
    if (const auto number = db_.AddNew(Typed(), messages_)) ShowList(*number);
  });
  connect(replace, &QPushButton::clicked, this, [this] {
    const int number = CurrentNumber();
    if (number > 0 && db_.Replace(number, Typed(), messages_)) ShowList(number);
  });
  connect(copy, &QPushButton::clicked, this, &PlaceDatabaseDialog::CopySelected);
  connect(remove, &QPushButton::clicked, this, [this] {
    const std::vector<int> numbers = SelectedNumbers();
    if (!numbers.empty() && db_.Delete(numbers, messages_)) ShowList(0);
  });
  connect(find, &QPushButton::clicked, this, [this] {
    bool ok = false;
    const QString typed = QInputDialog::getText(this, tr("Find"), countryFirst_->isChecked() ? tr("Country:") : tr("Place:"),
                                                QLineEdit::Normal, {}, &ok);
    if (ok) FindAndSelect(typed.toStdString());
  });
  connect(clear, &QPushButton::clicked, this, [this] {
    for (QLineEdit* edit : {place_, country_, zone_, latitude_, longitude_}) edit->clear();
    shownTable_ = 0;
    table_->clear();
  });
  connect(selectAll, &QPushButton::clicked, list_, &QTreeWidget::selectAll);
  connect(file, &QPushButton::clicked, this, &PlaceDatabaseDialog::ChooseFile);
  db_.Load(messages_);
  ShowList(0);
}

void PlaceDatabaseDialog::ShowList(int selectNumber) {
  list_->clear();
  list_->setHeaderLabels(db_.Order() == PlaceOrder::CountryFirst
                             ? QStringList{tr("Country or Region"), tr("City or Place"), tr("No.")}
                             : QStringList{tr("City or Place"), tr("Country or Region"), tr("No.")});
  for (std::size_t row = 0; row < db_.List().size(); ++row) {
    auto* item = new QTreeWidgetItem(list_);
    const std::vector<std::string> columns = Split(db_.RowText(row), '\t');
    for (std::size_t c = 0; c < columns.size() && c < 3; ++c) item->setText(static_cast<int>(c), ShownText(columns[c]));
    const int number = db_.List()[row].number;
    item->setData(0, NumberRole, number);
    if (number == selectNumber) {
      list_->setCurrentItem(item);
      list_->scrollToItem(item);
    }
  }
  status_->setText(ShownText(db_.StatusText()) + "    " + ShownText(NameOf(db_.File())));
}

void PlaceDatabaseDialog::ShowDetails() {
  const auto place = db_.Place(CurrentNumber());
  if (!place) return;
  const std::pair<QLineEdit*, const std::string*> texts[] = {{place_, &place->Place},       {country_, &place->Country},
                                                             {zone_, &place->Zone},         {latitude_, &place->Latitude},
                                                             {longitude_, &place->Longitude}};
  for (const auto& [edit, text] : texts) edit->setText(ShownText(*text));
  shownTable_ = place->ZoneTable;
  table_->setText(ShownText(PlaceDatabase::TableText(*place)));
}

PlaceRecord PlaceDatabaseDialog::Typed() const {
  return {place_->text().trimmed().toStdString(),    country_->text().trimmed().toStdString(),
          zone_->text().trimmed().toStdString(),     latitude_->text().trimmed().toStdString(),
          longitude_->text().trimmed().toStdString(), shownTable_};
}

int PlaceDatabaseDialog::CurrentNumber() const {
  const QTreeWidgetItem* item = list_->currentItem();
  return item ? item->data(0, NumberRole).toInt() : 0;
}

std::vector<int> PlaceDatabaseDialog::SelectedNumbers() const {
  std::vector<int> numbers;
  for (const QTreeWidgetItem* item : list_->selectedItems()) numbers.push_back(item->data(0, NumberRole).toInt());
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

bool PlaceDatabaseDialog::FindAndSelect(const std::string& typed) {
  const auto row = db_.Find(typed);
  if (!row) return false;
  QTreeWidgetItem* item = list_->topLevelItem(static_cast<int>(*row));
  list_->clearSelection();
  list_->setCurrentItem(item);
  list_->scrollToItem(item);
  return true;
}

void PlaceDatabaseDialog::ChooseFile() {
  FileManagerDialog manager(tr("Open Place File"), "*.plc", FolderOf(db_.File()), db_.File(), settings_, messages_, this);
  if (manager.exec() != QDialog::Accepted) return;
  settings_.Places = manager.Chosen();
  db_.Open(settings_.Places, messages_);
  ShowList(0);
}

void PlaceDatabaseDialog::ChooseZone() {
  static const ZoneList none;
  ZoneListDialog dialog(zones_ ? *zones_ : none, Split(zone_->text().trimmed().toStdString(), ' ').front(), this);
  if (dialog.exec() != QDialog::Accepted || !dialog.Chosen()) return;
  zone_->setText(ShownText(std::string(Trim(dialog.Chosen()->abbrev + " " + FormatZoneHours(dialog.Chosen()->hours)))));
}

void PlaceDatabaseDialog::ChooseTable() {
  const std::vector<int> numbers = SelectedNumbers();
  if (numbers.empty()) return;
  EntryOptions options;
  options.monthFirst = settings_.MonthFirst;
  options.twelveHour = settings_.AMPM;
  options.pivotYear = settings_.CenturyPivotYear;
  ZoneTablesDialog dialog(tables_, options, shownTable_, tr("TimeZone Table for ") + place_->text(), messages_, this);
  if (dialog.exec() != QDialog::Accepted || !dialog.Chosen()) return;
  const int keep = CurrentNumber();
  if (db_.SetTable(numbers, static_cast<std::int16_t>(*dialog.Chosen()), messages_)) ShowList(keep);
}

void PlaceDatabaseDialog::CopySelected() {
  const std::vector<int> numbers = SelectedNumbers();
  if (numbers.empty()) return;
  FileManagerDialog manager(tr("Place File to Copy to"), "*.plc", FolderOf(db_.File()), {}, settings_, messages_, this);
  if (manager.exec() == QDialog::Accepted) db_.CopyTo(numbers, manager.Chosen(), messages_);
}

void PlaceDatabaseDialog::accept() {
  chosen_ = db_.Place(CurrentNumber());
  if (chosen_) QDialog::accept();
}

}  // namespace korvana::app
