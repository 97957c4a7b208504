#include "app/dynamic_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/desktop_messages.h"
#include "app/on_off_list.h"
#include "app/save_cancel_row.h"
#include "core/reports/reportset/report_set.h"
#include "core/time/entry_parsing.h"

namespace korvana::app {

namespace {


DateTimeRec Today() {
  const QDate today = QDate::currentDate();
  DateTimeRec r;
  r.Year = static_cast<std::int16_t>(today.year());
  r.Month = static_cast<std::uint8_t>(today.month());
  r.Day = static_cast<std::uint8_t>(today.day());
  return r;
}

void Draw(QListWidget* list, const std::vector<DynamicItem>& items) {
  for (int row = 0; row < static_cast<int>(items.size()) && row < list->count(); ++row) {
    ShowOnOff(list, list->item(row), DynamicOptionsForm::Look(items[static_cast<std::size_t>(row)]));
  }
}

// "&On / Off" or a double click: the highlighted item's flag inverted, the list redrawn.
void ToggleHighlighted(QListWidget* list, std::vector<DynamicItem>& items) {
  DynamicOptionsForm::Toggle(items, list->currentRow());
  Draw(list, items);
}

}  // namespace

DynamicOptionsDialog::DynamicOptionsDialog(TDynRepUserData& period, TKVReport& set, const AspectSet* aspects,
                                           ProgramSettings& settings, const ZoneList* zones, Messages& messages,
                                           QWidget* parent)
    : QDialog(parent),
      period_(period),
      set_(set),
      settings_(settings),
      zones_(zones),
      messages_(messages),
      form_(period, set, aspects, settings, Today()) {
  setWindowTitle(tr("Dynamic Options"));
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  layout->addWidget(tabs_);
  if (form_.HasDynamicReports()) {
    tabs_->addTab(DatesTab(), tr("Dynamic Dates"));
    tabs_->addTab(PointsTab(), tr("Dynamic Points"));
    tabs_->addTab(AspectsTab(), tr("Dynamic Aspects"));
    tabs_->addTab(ReportTab(), tr("Dynamic Report"));
  } else {
    tabs_->setVisible(false);
  }
  connect(AddSaveCancelRow(this, layout), &QPushButton::clicked, this, &DynamicOptionsDialog::Save);
  if (form_.HasDynamicReports()) ShowPeriod();
}

QWidget* DynamicOptionsDialog::DatesTab() {
  auto* page = new QWidget(this);
  auto* outer = new QVBoxLayout(page);
  auto* startBox = new QGroupBox(tr(" Report Start Date "), page);
  auto* grid = new QGridLayout(startBox);
  specified_ = new QRadioButton(tr("Use &specified date"), startBox);
  current_ = new QRadioButton(tr("Use current date as &base"), startBox);
  specified_->setObjectName("optDynUseSpecifiedDate");
  current_->setObjectName("optDynUseCurrentDate");
  dateLabel_ = new QLabel(tr("Start &Date"), startBox);
  date_ = new QLineEdit(startBox);
  date_->setObjectName("txtDate");
  dateLabel_->setBuddy(date_);
  goTo_ = new QCheckBox(tr("&Go to"), startBox);
  goTo_->setObjectName("chkDynGoTo");
  goToUnit_ = new QComboBox(startBox);
  goToUnit_->addItems({tr("Start of Month"), tr("Start of Quarter"), tr("Start of Year")});
  adjust_ = new QCheckBox(tr("Then &adjust by"), startBox);
  adjust_->setObjectName("chkDynAdjust");
  amount_ = new QLineEdit(startBox);
  amount_->setObjectName("txtDynAdjust");
  amount_->setMaximumWidth(60);
  amountUpDown_ = new QWidget(startBox);
  auto* arrows = new QVBoxLayout(amountUpDown_);
  arrows->setContentsMargins(0, 0, 0, 0);
  arrows->setSpacing(0);
  for (const auto& [arrow, step] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
    auto* button = new QToolButton(amountUpDown_);
    button->setArrowType(arrow);
    button->setFixedSize(16, 11);
    button->setAutoRepeat(true);
    arrows->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, step = step] { StepAmount(step); });
  }
  adjustUnit_ = new QComboBox(startBox);
  adjustUnit_->addItems({tr("Months"), tr("Quarters"), tr("Years")});
  zone_ = new QLineEdit(startBox);
  zone_->setObjectName("txtZone");
  auto* zoneButton = new QPushButton(tr("..."), startBox);
  zoneButton->setMaximumWidth(30);
  auto* zoneLabel = new QLabel(tr("&Zone"), startBox);
  zoneLabel->setBuddy(zone_);

  grid->addWidget(specified_, 0, 0, 1, 2);
  grid->addWidget(dateLabel_, 0, 2);
  grid->addWidget(date_, 0, 3, 1, 2);
  grid->addWidget(current_, 1, 0, 1, 2);
  grid->addWidget(goTo_, 2, 0);
  grid->addWidget(goToUnit_, 2, 1, 1, 2);
  grid->addWidget(adjust_, 3, 0);
  auto* amountRow = new QHBoxLayout;
  amountRow->setSpacing(0);
  amountRow->addWidget(amount_);
  amountRow->addWidget(amountUpDown_);
  grid->addLayout(amountRow, 3, 1);
  grid->addWidget(adjustUnit_, 3, 2);
  grid->addWidget(zoneLabel, 4, 0);
  auto* zoneRow = new QHBoxLayout;
  zoneRow->addWidget(zone_);
  zoneRow->addWidget(zoneButton);
  grid->addLayout(zoneRow, 4, 1, 1, 2);
  outer->addWidget(startBox);

  auto* durationBox = new QGroupBox(tr(" Report Duration "), page);
  auto* row = new QHBoxLayout(durationBox);
  duration_ = new QLineEdit(durationBox);
  duration_->setObjectName("txtDuration");
  duration_->setMaximumWidth(60);
  durationUnit_ = new QComboBox(durationBox);
  durationUnit_->addItems({tr("Years"), tr("Months")});
  row->addWidget(duration_);
  row->addWidget(durationUnit_);
  row->addStretch();
  outer->addWidget(durationBox);
  outer->addStretch();

  for (QAbstractButton* button : {static_cast<QAbstractButton*>(specified_), static_cast<QAbstractButton*>(current_),
                                  static_cast<QAbstractButton*>(goTo_), static_cast<QAbstractButton*>(adjust_)})
    connect(button, &QAbstractButton::clicked, this, &DynamicOptionsDialog::Refresh);
  for (QComboBox* combo : {goToUnit_, adjustUnit_, durationUnit_})
    connect(combo, &QComboBox::currentIndexChanged, this, &DynamicOptionsDialog::Refresh);
  for (QLineEdit* edit : {amount_, duration_}) connect(edit, &QLineEdit::textEdited, this, &DynamicOptionsDialog::Refresh);
  connect(date_, &QLineEdit::editingFinished, this, [this] {
    if (filling_ || !date_->isEnabled()) return;
    form_.dateText = date_->text().toStdString();
    if (form_.LeaveDate(Today(), messages_)) ShowPeriod();
  });
  connect(zone_, &QLineEdit::editingFinished, this, [this] {
    if (filling_) return;
    form_.zoneText = zone_->text().toStdString();
    static const ZoneList none;
    if (form_.LeaveZone(zones_ ? *zones_ : none, messages_)) zone_->setText(ShownText(form_.zoneText));
  });
  connect(zoneButton, &QPushButton::clicked, this, &DynamicOptionsDialog::ChooseZone);
  for (QLineEdit* edit : {date_, zone_, duration_}) edit->installEventFilter(this);
  return page;
}

QListWidget* DynamicOptionsDialog::OnOffList(std::vector<DynamicItem>& items, const char* name) {
  auto* list = new QListWidget(this);
  list->setObjectName(name);
  UseOnOffDrawing(list);
  for (std::size_t i = 0; i < items.size(); ++i) list->addItem(QString());
  Draw(list, items);
  if (list->count() > 0) list->setCurrentRow(0);
  connect(list, &QListWidget::itemDoubleClicked, this, [list, &items] { ToggleHighlighted(list, items); });
  return list;
}

QPushButton* DynamicOptionsDialog::OnOffButton(QListWidget* list, std::vector<DynamicItem>& items, QWidget* parent) {
  auto* button = new QPushButton(tr("&On / Off"), parent);
  connect(button, &QPushButton::clicked, this, [list, &items] { ToggleHighlighted(list, items); });
  return button;
}

QWidget* DynamicOptionsDialog::PointsTab() {
  auto* page = new QWidget(this);
  auto* outer = new QHBoxLayout(page);
  const auto group = [&](const QString& caption, std::vector<DynamicItem>& items, const char* name) {
    auto* box = new QGroupBox(caption, page);
    auto* column = new QVBoxLayout(box);
    QListWidget* list = OnOffList(items, name);
    column->addWidget(list);
    column->addWidget(OnOffButton(list, items, box));
    outer->addWidget(box);
  };
  group(tr(" Transiting Points "), form_.transiting, "lstDynTran");
  group(tr(" Radix Points "), form_.radix, "lstDynRadix");
  return page;
}

QWidget* DynamicOptionsDialog::AspectsTab() {
  auto* page = new QWidget(this);
  auto* outer = new QVBoxLayout(page);
  auto* box = new QGroupBox(tr(" Transiting Aspects "), page);
  auto* grid = new QGridLayout(box);
  QListWidget* list = OnOffList(form_.aspects, "lstDynAspects");
  grid->addWidget(list, 0, 0, 4, 1);
  grid->addWidget(OnOffButton(list, form_.aspects, box), 0, 1, 1, 2);
  entering_ = new QLineEdit(ShownText(form_.enteringOrb), box);
  entering_->setObjectName("edtDynOrbEnter");
  leaving_ = new QLineEdit(ShownText(form_.leavingOrb), box);
  leaving_->setObjectName("edtDynOrbLeave");
  auto* enterLabel = new QLabel(tr("&Entering Orb"), box);
  enterLabel->setBuddy(entering_);
  auto* leaveLabel = new QLabel(tr("&Leaving Orb"), box);
  leaveLabel->setBuddy(leaving_);
  grid->addWidget(enterLabel, 1, 1);
  grid->addWidget(entering_, 1, 2);
  grid->addWidget(leaveLabel, 2, 1);
  grid->addWidget(leaving_, 2, 2);
  grid->setRowStretch(3, 1);
  outer->addWidget(box);
  for (const auto& [edit, text] : {std::pair{entering_, &form_.enteringOrb}, std::pair{leaving_, &form_.leavingOrb}}) {
    connect(edit, &QLineEdit::editingFinished, this, [this, edit = edit, text = text] {
      std::string typed = edit->text().toStdString();
      if (!DynamicOptionsForm::LeaveOrb(typed, messages_)) return;
      *text = typed;
      edit->setText(ShownText(typed));
    });
    edit->installEventFilter(this);
  }
  return page;
}

QWidget* DynamicOptionsDialog::ReportTab() {
  auto* page = new QWidget(this);
  auto* outer = new QVBoxLayout(page);
  auto* box = new QGroupBox(tr(" Layout Options "), page);
  auto* column = new QVBoxLayout(box);
  timeLines_ = new QCheckBox(tr("Include Timeline Diagrams"), box);
  timeLines_->setObjectName("chkTimeLines");
  timeLines_->setChecked(form_.timeLines);
  column->addWidget(timeLines_);
  outer->addWidget(box);
  outer->addStretch();
  return page;
}

void DynamicOptionsDialog::Refresh() {
  if (filling_) return;
  TDynRepUserData& p = form_.period;
  p.DurationUnit = static_cast<std::uint8_t>(durationUnit_->currentIndex());
  p.DoGoTo = goTo_->isChecked();
  p.GoToStartOf = goToUnit_->currentIndex();
  p.DoAdjust = adjust_->isChecked();
  p.AdjustUnits = adjustUnit_->currentIndex();
  p.UseCurrentDateAsBase = !specified_->isChecked();
  form_.durationText = duration_->text().toStdString();
  form_.amountText = amount_->text().toStdString();
  form_.Refresh(Today());
  ShowPeriod();
}

void DynamicOptionsDialog::ShowPeriod() {
  filling_ = true;
  const TDynRepUserData& p = form_.period;
  (p.UseCurrentDateAsBase ? current_ : specified_)->setChecked(true);
  date_->setText(ShownText(form_.dateText));
  goTo_->setChecked(p.DoGoTo);
  goToUnit_->setCurrentIndex(std::clamp(p.GoToStartOf, 0, 2));
  adjust_->setChecked(p.DoAdjust);
  // The amount box keeps what is being typed unless the limit changed it.
  if (amount_->text().toStdString() != form_.amountText) amount_->setText(QString::fromStdString(form_.amountText));
  adjustUnit_->setCurrentIndex(std::clamp(p.AdjustUnits, 0, 2));
  if (!zone_->hasFocus()) zone_->setText(ShownText(form_.zoneText));
  if (!duration_->hasFocus()) duration_->setText(QString::number(p.Duration));
  durationUnit_->setCurrentIndex(std::clamp<int>(p.DurationUnit, 0, 1));
  const DynamicPeriodControls enabled = form_.Controls();
  date_->setEnabled(enabled.date);
  dateLabel_->setEnabled(enabled.date);
  goTo_->setEnabled(enabled.goTo);
  goToUnit_->setEnabled(enabled.goToUnit);
  adjust_->setEnabled(enabled.goToUnit);
  for (QWidget* w : {static_cast<QWidget*>(amount_), static_cast<QWidget*>(amountUpDown_),
                     static_cast<QWidget*>(adjustUnit_)})
    w->setEnabled(enabled.adjust);
  filling_ = false;
}

void DynamicOptionsDialog::StepAmount(int step) {
  amount_->setText(QString::number(std::clamp(form_.period.AdjustAmount + step, -MaxAdjustAmount, MaxAdjustAmount)));
  Refresh();
}

void DynamicOptionsDialog::ChooseZone() {
  if (zones_ == nullptr || zones_->Empty()) return;
  QStringList items;
  int current = 0;
  const ZoneEntry typed = ParseZone(zone_->text().toStdString(), nullptr, *zones_);
  for (const ZoneListEntry& z : zones_->Entries()) {
    if (!typed.error && z.abbrev == typed.abbrev) current = static_cast<int>(items.size());
    items << ShownText(z.abbrev + "  " + z.name);
  }
  bool ok = false;
  const QString chosen = QInputDialog::getItem(this, tr("Time Zone Selection"), tr("Zone"), items, current, false, &ok);
  if (!ok) return;
  const ZoneListEntry& z = zones_->Entries()[static_cast<std::size_t>(items.indexOf(chosen))];
  form_.period.RepZoneHrs = static_cast<float>(z.hours);
  form_.period.RepZoneAbbr = z.abbrev;
  form_.zoneText = DynamicZoneText(form_.period);
  zone_->setText(ShownText(form_.zoneText));
}

bool DynamicOptionsDialog::eventFilter(QObject* watched, QEvent* event) {
  // A click into a box selects its whole text.
  if (event->type() == QEvent::MouseButtonRelease)
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) QTimer::singleShot(0, edit, &QLineEdit::selectAll);
  return QDialog::eventFilter(watched, event);
}

void DynamicOptionsDialog::Save() {
  if (form_.HasDynamicReports()) {
    Refresh();
    form_.enteringOrb = entering_->text().toStdString();
    form_.leavingOrb = leaving_->text().toStdString();
    form_.timeLines = timeLines_->isChecked();
    form_.Save(period_, set_, settings_);
  }
  accept();
}

}  // namespace korvana::app
