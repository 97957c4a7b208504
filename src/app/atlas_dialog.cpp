#include "app/atlas_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/desktop_messages.h"
#include "app/select_buttons.h"
#include "core/session/atlas_browsing.h"
#include "core/time/entry_parsing.h"
#include "core/time/zone_in_force.h"
#include "core/util/text.h"

namespace korvana::app {

namespace {

// The years whose clock changes are listed.
constexpr int FirstChangeYear = 1800;
constexpr int LastChangeYear = 2100;

}  // namespace

AtlasDialog::AtlasDialog(const Atlas& atlas, const std::string& place, const std::string& country,
                         std::optional<DateTimeRec> moment, const ProgramSettings& settings, Messages& messages,
                         QWidget* parent)
    : QDialog(parent), atlas_(atlas), moment_(moment), settings_(settings), messages_(messages) {
  setWindowTitle(tr("Select Place from Atlas"));
  resize(1000, 560);
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(tr("Select Country or State"), this), 0, 0);
  countryList_ = new QListWidget(this);
  countryList_->setObjectName("countries");
  grid->addWidget(countryList_, 1, 0, 3, 1);
  stateList_ = new QComboBox(this);
  stateList_->setObjectName("states");
  grid->addWidget(stateList_, 4, 0);
  auto* placeCaption = new QLabel(tr("Select Place in "), this);
  grid->addWidget(placeCaption, 0, 1);
  placeList_ = new QListWidget(this);
  placeList_->setObjectName("places");
  grid->addWidget(placeList_, 1, 1, 4, 1);
  details_ = new QLabel(this);
  details_->setObjectName("details");
  details_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  details_->setMinimumHeight(60);
  details_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  grid->addWidget(details_, 1, 2);
  grid->addWidget(new QLabel(tr("Changes of the clock"), this), 2, 2);
  changes_ = new QTreeWidget(this);
  changes_->setObjectName("changes");
  changes_->setRootIsDecorated(false);
  changes_->setHeaderLabels({tr("Changed at"), tr("Clocks showed"), tr("Zone"), tr("Kind")});
  grid->addWidget(changes_, 3, 2, 2, 1);
  grid->setColumnStretch(0, 2);
  grid->setColumnStretch(1, 2);
  grid->setColumnStretch(2, 3);
  grid->setRowStretch(3, 1);
  auto* buttons = SelectCancelButtons(this);
  grid->addWidget(buttons, 5, 0, 1, 3);
  connect(placeList_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(placeList_, &QListWidget::currentRowChanged, this, &AtlasDialog::ShowPlace);
  connect(countryList_, &QListWidget::currentRowChanged, this, [this, placeCaption](int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= countries_.size()) return;
    placeCaption->setText(tr("Select Place in ") + ShownText(countries_[static_cast<std::size_t>(row)].name));
    ChooseCountry(countries_[static_cast<std::size_t>(row)].code);
  });
  connect(stateList_, &QComboBox::activated, this, [this](int index) {
    ChooseState(index <= 0 ? std::string() : states_[static_cast<std::size_t>(index - 1)].code);
  });

  Guarded([this] { countries_ = atlas_.Countries(); });
  for (const AtlasRegion& c : countries_) countryList_->addItem(ShownText(c.name));
  const std::string typed = BrowseCountryName(country);
  std::optional<std::string> code;
  Guarded([&] { code = typed.empty() ? std::nullopt : atlas_.CountryCode(typed); });
  for (std::size_t i = 0; code && i < countries_.size(); ++i)
    if (countries_[i].code == *code) {
      countryList_->setCurrentRow(static_cast<int>(i));
      countryList_->scrollToItem(countryList_->item(static_cast<int>(i)), QAbstractItemView::PositionAtCenter);
    }
  if (!Trim(place).empty()) ChoosePlace(std::string(Trim(place)));
}

template <typename F>
bool AtlasDialog::Guarded(F&& read) {
  try {
    read();
    return true;
  } catch (const EAtlasError& e) {
    messages_.Error(e.what());
    return false;
  }
}

bool AtlasDialog::ChooseCountry(const std::string& code) {
  states_.clear();
  Guarded([&] { states_ = atlas_.States(code); });
  stateList_->clear();
  stateList_->addItem(tr("(All states)"));
  for (const AtlasRegion& s : states_) stateList_->addItem(ShownText(s.name));
  stateList_->setEnabled(!states_.empty());
  for (std::size_t i = 0; i < countries_.size(); ++i)
    if (countries_[i].code == code && countryList_->currentRow() != static_cast<int>(i)) {
      countryList_->setCurrentRow(static_cast<int>(i));  // comes back here through the list
      return true;
    }
  ChooseState({});
  return true;
}

void AtlasDialog::ChooseState(const std::string& code) {
  const int row = countryList_->currentRow();
  if (row < 0) return;
  places_.clear();
  Guarded([&] { places_ = atlas_.PlacesIn(countries_[static_cast<std::size_t>(row)].code, code, PlaceLimit); });
  placeList_->clear();
  for (const AtlasPlace& p : places_) placeList_->addItem(ShownText(AtlasPlaceRow(p)));
  ShowPlace();
}

bool AtlasDialog::ChoosePlace(const std::string& name) {
  const std::string key = atlas_.Fold(name);
  for (std::size_t i = 0; i < places_.size(); ++i)
    if (atlas_.Fold(places_[i].name) == key) {
      placeList_->setCurrentRow(static_cast<int>(i));
      placeList_->scrollToItem(placeList_->item(static_cast<int>(i)), QAbstractItemView::PositionAtCenter);
      return true;
    }
  return false;
}

void AtlasDialog::ShowPlace() {
  changes_->clear();
  const int row = placeList_->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= places_.size()) {
    details_->clear();
    return;
  }
  const AtlasPlace& p = places_[static_cast<std::size_t>(row)];
  QString text = ShownText(AtlasPlaceRow(p) + ", " + p.country) + "\n" +
                 ShownText(FormatLatLong(false, p.latitude) + "  " + FormatLatLong(true, -p.longitude)) + "\n" +
                 ShownText(p.zone);
  const auto changes = ZoneChangesBetween(p.zone, FirstChangeYear, LastChangeYear, -p.longitude);
  if (!changes) {
    details_->setText(text + "  " + tr("Not found"));
    return;
  }
  if (moment_) {
    if (const auto zone = ZoneInForceAt(p.zone, *moment_, -p.longitude))
      text += "  " + ShownText(std::string(Trim(zone->abbreviation + " " + FormatZoneHours(zone->hours))));
  }
  details_->setText(text);
  for (const std::string& line : ZoneChangeRows(*changes, settings_.MonthFirst, settings_.AMPM)) {
    auto* item = new QTreeWidgetItem(changes_);
    const std::vector<std::string> columns = Split(line, '\t');
    for (std::size_t c = 0; c < columns.size() && c < 4; ++c) item->setText(static_cast<int>(c), ShownText(columns[c]));
  }
  for (int c = 0; c < changes_->columnCount(); ++c) changes_->resizeColumnToContents(c);
}

void AtlasDialog::accept() {
  const int row = placeList_->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= places_.size()) return;
  chosen_ = places_[static_cast<std::size_t>(row)];
  QDialog::accept();
}

}  // namespace korvana::app
