#include "app/return_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/atlas_candidates.h"
#include "app/desktop_messages.h"

namespace korvana::app {

namespace {

DateTimeRec Today() {
  const QDateTime now = QDateTime::currentDateTime();
  DateTimeRec r;
  r.Year = static_cast<std::int16_t>(now.date().year());
  r.Month = static_cast<std::uint8_t>(now.date().month());
  r.Day = static_cast<std::uint8_t>(now.date().day());
  r.Hour = 12;
  return r;
}

}  // namespace

ReturnOptionsDialog::ReturnOptionsDialog(ProgramSettings& settings, const ZoneList* zones, PlaceLookupSources sources,
                                         ReturnKind kind, const ChartRecord& natal, Messages& messages,
                                         QWidget* parent)
    : QDialog(parent),
      form_(settings, zones, sources.atlas, kind, natal, Today()),
      sources_(sources),
      messages_(messages) {
  setWindowTitle(tr("Return Options"));
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(QString::fromStdString(ReturnOptionsLabel(kind)), this);
  layout->addWidget(group);
  auto* grid = new QGridLayout(group);
  int row = 0;
  const auto add = [&](const QString& caption, const char* name, std::size_t maxLength) {
    auto* edit = new QLineEdit(group);
    edit->setObjectName(name);
    edit->setMaxLength(static_cast<int>(maxLength));
    grid->addWidget(new QLabel(caption, group), row, 0);
    grid->addWidget(edit, row++, 1, 1, 2);
    return edit;
  };
  date_ = add(tr("Date"), "date", NewChartEntryLength);
  time_ = add(tr("Time"), "time", NewChartEntryLength);
  natal_ = new QRadioButton(tr("&Natal"), group);
  relocated_ = new QRadioButton(tr("&Relocated"), group);
  natal_->setObjectName("natal");
  relocated_->setObjectName("relocated");
  natal_->setChecked(true);
  grid->addWidget(new QLabel(tr("Location"), group), row, 0);
  grid->addWidget(natal_, row, 1);
  grid->addWidget(relocated_, row++, 2);
  place_ = add(tr("Place"), "place", NewChartPlaceLength);
  country_ = add(tr("Country"), "country", NewChartPlaceLength);
  zone_ = add(tr("Zone"), "zone", NewChartEntryLength);
  latitude_ = add(tr("Latitude"), "latitude", NewChartEntryLength);
  longitude_ = add(tr("Longitude"), "longitude", NewChartEntryLength);
  auto* lookup = new QPushButton(tr("&Lookup"), group);
  lookup_ = lookup;
  grid->addWidget(lookup, row++, 2);

  auto* options = new QHBoxLayout;
  showNatal_ = new QCheckBox(tr("Show Natal Chart?"), this);
  showNatal_->setObjectName("showNatal");
  which_ = new QComboBox(this);
  which_->setObjectName("which");
  which_->addItems({tr("Current"), tr("Nearest"), tr("Next")});
  options->addWidget(showNatal_);
  options->addStretch();
  options->addWidget(new QLabel(tr("Which Return"), this));
  options->addWidget(which_);
  layout->addLayout(options);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(lookup, &QPushButton::clicked, this, &ReturnOptionsDialog::LookUp);
  connect(relocated_, &QRadioButton::toggled, this, [this](bool on) {
    ToForm();
    form_.SetRelocated(on);
    FromForm();
  });
  for (QLineEdit* edit : {date_, time_, place_, country_})
    connect(edit, &QLineEdit::textEdited, this, [this] { form_.Fields().PlaceEdited(); });
  FromForm();
}

void ReturnOptionsDialog::ToForm() {
  NewChartFields& f = form_.Fields().fields;
  const std::pair<QLineEdit*, std::string*> texts[] = {{date_, &f.date},         {time_, &f.time},
                                                       {place_, &f.place},       {country_, &f.country},
                                                       {zone_, &f.zone},         {latitude_, &f.latitude},
                                                       {longitude_, &f.longitude}};
  for (const auto& [edit, text] : texts) *text = edit->text().toStdString();
  form_.showNatal = showNatal_->isChecked();
  form_.which = ReturnWhichAt(which_->currentIndex());
}

void ReturnOptionsDialog::FromForm() {
  const NewChartFields& f = form_.Fields().fields;
  const std::pair<QLineEdit*, const std::string*> texts[] = {{date_, &f.date},         {time_, &f.time},
                                                             {place_, &f.place},       {country_, &f.country},
                                                             {zone_, &f.zone},         {latitude_, &f.latitude},
                                                             {longitude_, &f.longitude}};
  for (const auto& [edit, text] : texts) edit->setText(ShownText(*text));
  showNatal_->setChecked(form_.showNatal);
  which_->setCurrentIndex(ReturnWhichIndex(form_.which));
  QSignalBlocker block(relocated_);
  (form_.Relocated() ? relocated_ : natal_)->setChecked(true);
  ShowRelocation();
}

void ReturnOptionsDialog::ShowRelocation() {
  // The natal place is the natal chart's; only a relocated place is typed or looked up.
  for (QLineEdit* edit : {place_, country_, zone_, latitude_, longitude_}) edit->setReadOnly(!form_.Relocated());
  lookup_->setEnabled(form_.Relocated());
}

void ReturnOptionsDialog::LookUp() {
  if (!form_.Relocated()) return;
  ToForm();
  PlaceLookupOutcome outcome = form_.Fields().Lookup(sources_, messages_);
  if (!outcome.candidates.empty()) {
    const std::optional<std::size_t> chosen = ChooseAtlasCandidate(this, outcome.candidates);
    if (!chosen) return;
    outcome = form_.Fields().ChooseAtlasPlace(outcome.candidates[*chosen], messages_);
  }
  if (!outcome.found) return;
  FromForm();
  if (!outcome.timeWarning.empty()) messages_.Warning(outcome.timeWarning);
}

void ReturnOptionsDialog::accept() {
  ToForm();
  search_ = form_.Accept(messages_);
  if (search_) QDialog::accept();
}

}  // namespace korvana::app
