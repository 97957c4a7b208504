#include "app/zone_list_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/desktop_messages.h"
#include "app/select_buttons.h"
#include "core/util/text.h"

namespace korvana::app {

namespace {

constexpr int EntryRole = Qt::UserRole;

// The radio buttons of the orders, and the column titles of each layout.
struct OrderSpec {
  ZoneListOrder order;
  const char* caption;
  const char* columns[3];
};
constexpr OrderSpec Orders[] = {
    {ZoneListOrder::FullName, "&Full Name", {"Name", "Zone", "Hours"}},
    {ZoneListOrder::ZoneTime, "&Zone Time", {"Hours", "Zone", "Name"}},
    {ZoneListOrder::Mnemonic, "&Mnemonic", {"Zone", "Hours", "Name"}},
};

}  // namespace

ZoneListDialog::ZoneListDialog(const ZoneList& zones, const std::string& current, QWidget* parent)
    : QDialog(parent), zones_(zones) {
  setWindowTitle(tr("Time Zone Selection"));
  resize(480, 460);
  auto* layout = new QVBoxLayout(this);
  list_ = new QTreeWidget(this);
  list_->setObjectName("zones");
  list_->setRootIsDecorated(false);
  list_->setColumnCount(3);
  layout->addWidget(list_, 1);
  auto* sortBox = new QGroupBox(tr("Sort Order"), this);
  auto* sortRow = new QHBoxLayout(sortBox);
  auto* group = new QButtonGroup(this);
  for (const OrderSpec& spec : Orders) {
    auto* button = new QRadioButton(tr(spec.caption), sortBox);
    button->setChecked(spec.order == order_);
    group->addButton(button, static_cast<int>(spec.order));
    sortRow->addWidget(button);
  }
  layout->addWidget(sortBox);
  auto* buttons = SelectCancelButtons(this);
  layout->addWidget(buttons);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(group, &QButtonGroup::idClicked, this, [this](int id) { SetOrder(static_cast<ZoneListOrder>(id)); });
  SetOrder(order_);
  for (int i = 0; i < list_->topLevelItemCount() && !current.empty(); ++i) {
    QTreeWidgetItem* item = list_->topLevelItem(i);
    if (zones_.Entries()[item->data(0, EntryRole).toULongLong()].abbrev == current) {
      list_->setCurrentItem(item);
      list_->scrollToItem(item, QAbstractItemView::PositionAtCenter);
      break;
    }
  }
}

void ZoneListDialog::SetOrder(ZoneListOrder order) {
  const QTreeWidgetItem* selected = list_->currentItem();
  const qulonglong keep = selected ? selected->data(0, EntryRole).toULongLong() : ~0ULL;
  order_ = order;
  list_->clear();
  for (const OrderSpec& spec : Orders) {
    if (spec.order != order) continue;
    list_->setHeaderLabels({tr(spec.columns[0]), tr(spec.columns[1]), tr(spec.columns[2])});
  }
  for (const ZoneListRow& row : ZoneListRows(zones_, order)) {
    auto* item = new QTreeWidgetItem(list_);
    const std::vector<std::string> columns = Split(row.text, '\t');
    for (std::size_t c = 0; c < columns.size() && c < 3; ++c) item->setText(static_cast<int>(c), ShownText(columns[c]));
    item->setData(0, EntryRole, static_cast<qulonglong>(row.entry));
    if (row.entry == keep) list_->setCurrentItem(item);
  }
  for (int c = 0; c < 3; ++c) list_->resizeColumnToContents(c);
  if (list_->currentItem()) list_->scrollToItem(list_->currentItem(), QAbstractItemView::PositionAtCenter);
}

std::optional<ZoneListEntry> ZoneListDialog::Chosen() const {
  const QTreeWidgetItem* item = list_->currentItem();
  if (!item) return std::nullopt;
  return zones_.Entries()[item->data(0, EntryRole).toULongLong()];
}

void ZoneListDialog::accept() {
  if (Chosen()) QDialog::accept();
}

}  // namespace korvana::app
