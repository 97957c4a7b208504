#include "app/chart_entry_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/atlas_dialog.h"
#include "app/desktop_messages.h"
#include "app/place_database_dialog.h"
#include "app/zone_list_dialog.h"

namespace korvana::app {

namespace {

DateTimeRec NowRecord() {
  const QDateTime now = QDateTime::currentDateTime();
  DateTimeRec r;
  r.Year = static_cast<std::int16_t>(now.date().year());
  r.Month = static_cast<std::uint8_t>(now.date().month());
  r.Day = static_cast<std::uint8_t>(now.date().day());
  r.Hour = static_cast<std::uint8_t>(now.time().hour());
  r.Minute = static_cast<std::uint8_t>(now.time().minute());
  return r;
}

QString Candidate(const AtlasPlace& p) {
  QString line = QString::fromStdString(p.name);
  if (!p.state.empty()) line += ", " + QString::fromStdString(p.state);
  return line + ", " + QString::fromStdString(p.country) +
         QStringLiteral(" (%1, %2)").arg(p.latitude, 0, 'f', 2).arg(p.longitude, 0, 'f', 2);
}

}  // namespace

ChartEntryDialog::ChartEntryDialog(ProgramSettings& settings, const ZoneList* zones, PlaceLookupSources sources,
                                   Messages& messages, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      zones_(zones),
      form_(settings, zones, NowRecord()),
      sources_(sources),
      messages_(messages) {
  setWindowTitle(tr("Chart Data Entry"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  int row = 0;
  const auto add = [&](const QString& caption, int maxLength) {
    auto* edit = new QLineEdit(this);
    edit->setMaxLength(maxLength);
    grid->addWidget(new QLabel(caption, this), row, 0);
    grid->addWidget(edit, row, 1);
    ++row;
    return edit;
  };
  name_ = add(tr("Chart Name"), static_cast<int>(NewChartNameLength));
  date_ = add(tr("Date"), static_cast<int>(NewChartEntryLength));
  time_ = add(tr("Time"), static_cast<int>(NewChartEntryLength));
  time_->setToolTip(tr("Type \"unknown\" when the birth time is not known: the chart is cast for noon, "
                       "without angles and houses (\"unknown 9:15\" casts it for 9:15)."));
  place_ = add(tr("Place"), static_cast<int>(NewChartPlaceLength));
  auto* choosePlace = new QPushButton(tr("&Place..."), this);
  choosePlace->setObjectName("choosePlace");
  grid->addWidget(choosePlace, row - 1, 2);
  country_ = add(tr("Country"), static_cast<int>(NewChartPlaceLength));
  zone_ = add(tr("Zone"), static_cast<int>(NewChartEntryLength));
  auto* chooseZone = new QPushButton(tr("&Zone..."), this);
  chooseZone->setObjectName("chooseZone");
  grid->addWidget(chooseZone, row - 1, 2);
  latitude_ = add(tr("Latitude"), static_cast<int>(NewChartEntryLength));
  longitude_ = add(tr("Longitude"), static_cast<int>(NewChartEntryLength));
  type_ = new QComboBox(this);
  for (std::string_view kind : EventKindNames) type_->addItem(ShownText(kind));
  grid->addWidget(new QLabel(tr("Chart Type"), this), row, 0);
  grid->addWidget(type_, row++, 1);
  const std::pair<QLineEdit*, const char*> names[] = {{name_, "name"}, {date_, "date"}, {time_, "time"},
                                                      {place_, "place"}, {country_, "country"}, {zone_, "zone"},
                                                      {latitude_, "latitude"}, {longitude_, "longitude"}};
  for (const auto& [edit, objectName] : names) edit->setObjectName(objectName);

  auto* lookupRow = new QHBoxLayout;
  atlasChoice_ = new QComboBox(this);
  atlasChoice_->addItems({tr("Korvana"), tr("Atlas")});
  atlasChoice_->setCurrentIndex(settings_.UseACSAtlas ? 1 : 0);
  autoLookup_ = new QCheckBox(tr("Auto Lookup"), this);
  autoLookup_->setChecked(settings_.AutoAtlasLookup);
  auto* lookup = new QPushButton(tr("&Lookup"), this);
  lookupDone_ = new QLabel(tr("Lookup Successful"), this);
  lookupDone_->setVisible(false);
  lookupRow->addWidget(new QLabel(tr("Atlas to Use"), this));
  lookupRow->addWidget(atlasChoice_);
  lookupRow->addWidget(autoLookup_);
  lookupRow->addWidget(lookup);
  lookupRow->addWidget(lookupDone_);
  layout->addLayout(lookupRow);

  auto* placeRow = new QHBoxLayout;
  auto* now = new QPushButton(tr("&Now"), this);
  auto* save = new QPushButton(tr("&Save"), this);
  auto* restore = new QPushButton(tr("&Restore"), this);
  placeRow->addWidget(now);
  placeRow->addStretch();
  placeRow->addWidget(new QLabel(tr("Default Place"), this));
  placeRow->addWidget(save);
  placeRow->addWidget(restore);
  layout->addLayout(placeRow);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(lookup, &QPushButton::clicked, this, &ChartEntryDialog::LookUp);
  connect(chooseZone, &QPushButton::clicked, this, &ChartEntryDialog::ChooseZone);
  connect(choosePlace, &QPushButton::clicked, this, &ChartEntryDialog::ChoosePlace);
  connect(now, &QPushButton::clicked, this, [this] {
    ToForm();
    form_.Now(NowRecord());
    FromForm();
  });
  connect(save, &QPushButton::clicked, this, [this] {
    ToForm();
    form_.SaveDefaultPlace(messages_);
  });
  connect(restore, &QPushButton::clicked, this, [this] {
    ToForm();
    form_.RestoreDefaultPlace();
    FromForm();
  });
  // The settings follow the controls at once.
  connect(atlasChoice_, &QComboBox::currentIndexChanged, this, [this](int index) { settings_.UseACSAtlas = index == 1; });
  connect(autoLookup_, &QCheckBox::toggled, this, [this](bool on) { settings_.AutoAtlasLookup = on; });
  for (QLineEdit* edit : {date_, time_, place_, country_})
    connect(edit, &QLineEdit::textEdited, this, [this] { form_.PlaceEdited(); });
  const std::pair<QLineEdit*, FieldKind> normalised[] = {{date_, FieldKind::Date},
                                                         {time_, FieldKind::Time},
                                                         {zone_, FieldKind::Zone},
                                                         {latitude_, FieldKind::Latitude},
                                                         {longitude_, FieldKind::Longitude}};
  for (const auto& [edit, kind] : normalised)
    connect(edit, &QLineEdit::editingFinished, this, [this, edit = edit, kind = kind] { Leave(edit, kind); });
  connect(country_, &QLineEdit::editingFinished, this, &ChartEntryDialog::AutoLookUp);
  for (QLineEdit* edit : {zone_, latitude_, longitude_}) edit->installEventFilter(this);
  FromForm();
}

void ChartEntryDialog::ToForm() {
  NewChartFields& f = form_.fields;
  f.name = name_->text().toStdString();
  f.date = date_->text().toStdString();
  f.time = time_->text().toStdString();
  f.place = place_->text().toStdString();
  f.country = country_->text().toStdString();
  f.zone = zone_->text().toStdString();
  f.latitude = latitude_->text().toStdString();
  f.longitude = longitude_->text().toStdString();
  f.eventKind = type_->currentIndex();
}

void ChartEntryDialog::FromForm() {
  filling_ = true;
  const NewChartFields& f = form_.fields;
  const std::pair<QLineEdit*, const std::string*> texts[] = {{name_, &f.name},       {date_, &f.date},
                                                             {time_, &f.time},       {place_, &f.place},
                                                             {country_, &f.country}, {zone_, &f.zone},
                                                             {latitude_, &f.latitude}, {longitude_, &f.longitude}};
  for (const auto& [edit, text] : texts)
    if (edit->text().toStdString() != *text) edit->setText(ShownText(*text));
  type_->setCurrentIndex(f.eventKind);
  filling_ = false;
}

void ChartEntryDialog::Load(const NewChartFields& fields) {
  form_.Load(fields);
  FromForm();
}

void ChartEntryDialog::ChooseZone() {
  static const ZoneList none;
  ToForm();
  ZoneListDialog dialog(zones_ ? *zones_ : none, form_.ZoneAbbrevTyped(), this);
  if (dialog.exec() != QDialog::Accepted || !dialog.Chosen()) return;
  form_.ChooseZone(*dialog.Chosen());
  FromForm();
}

void ChartEntryDialog::Leave(QLineEdit* edit, FieldKind kind) {
  if (filling_) return;
  ToForm();
  if (!form_.LeaveField(kind, messages_)) {
    edit->setFocus();
    return;
  }
  FromForm();
}

void ChartEntryDialog::LookUp() {
  ToForm();
  PlaceLookupOutcome outcome = form_.Lookup(sources_, messages_);
  if (!outcome.candidates.empty()) {
    QStringList items;
    for (const AtlasPlace& p : outcome.candidates) items << Candidate(p);
    bool ok = false;
    const QString chosen = QInputDialog::getItem(this, tr("Places"), tr("Several places have this name; choose one:"),
                                                 items, 0, false, &ok);
    if (!ok) return;
    outcome = form_.ChooseAtlasPlace(outcome.candidates[static_cast<std::size_t>(items.indexOf(chosen))], messages_);
  }
  // A place the lookup does not find is chosen in the place browser of the atlas in use.
  if (outcome.placeMissing) {
    ChoosePlace();
    return;
  }
  ShowLookedUp(outcome);
}

void ChartEntryDialog::ShowLookedUp(const PlaceLookupOutcome& outcome) {
  if (!outcome.found) return;
  FromForm();
  if (!outcome.timeWarning.empty()) messages_.Warning(outcome.timeWarning);
  lookupDone_->setVisible(true);
  QTimer::singleShot(2000, lookupDone_, [label = lookupDone_] { label->setVisible(false); });
}

void ChartEntryDialog::ChoosePlace() {
  ToForm();
  if (!settings_.UseACSAtlas) {
    PlaceDatabaseDialog dialog(settings_, zones_, sources_.placeFiles.tables, messages_, this);
    dialog.FindAndSelect(form_.fields.place);
    if (dialog.exec() != QDialog::Accepted || !dialog.Chosen()) return;
    form_.TakePlace(*dialog.Chosen(), sources_.placeFiles.tables, messages_);
    FromForm();
    return;
  }
  if (sources_.atlas == nullptr) {
    messages_.Warning("The atlas could not be opened; look the place up in the place files instead.");
    return;
  }
  std::optional<DateTimeRec> moment;
  const DateEntry date = ParseDate(form_.fields.date, nullptr, settings_.MonthFirst, settings_.CenturyPivotYear);
  const TimeEntry time = ParseBirthTime(form_.fields.time, nullptr).time;
  if (!date.error && !time.error) moment = MomentOf(date, time);
  AtlasDialog dialog(*sources_.atlas, form_.fields.place, form_.fields.country, moment, settings_, messages_, this);
  if (dialog.exec() != QDialog::Accepted || !dialog.Chosen()) return;
  ShowLookedUp(form_.ChooseAtlasPlace(*dialog.Chosen(), messages_));
}

void ChartEntryDialog::AutoLookUp() {
  if (!filling_ && form_.AutoLookupDue()) LookUp();
}

bool ChartEntryDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) AutoLookUp();
  return QDialog::eventFilter(watched, event);
}

void ChartEntryDialog::accept() {
  AutoLookUp();
  ToForm();
  chart_ = form_.Accept(messages_);
  if (chart_) QDialog::accept();
}

}  // namespace korvana::app
