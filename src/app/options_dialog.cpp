#include "app/options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QDoubleSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/desktop_messages.h"
#include "app/on_off_list.h"
#include "app/save_cancel_row.h"
#include "core/analysis/aspect_preferences.h"
#include "core/astro/ephemeris.h"
#include "core/astro/houses.h"
#include "core/astro/zodiac.h"
#include "core/reports/reportset/report_set.h"
#include "render/glyphs.h"

namespace korvana::app {

namespace {


QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
Color FromQColor(const QColor& c) { return MakeColor(c.red(), c.green(), c.blue()); }

QButtonGroup* Radios(QWidget* owner, QBoxLayout* layout, const QStringList& captions, int checked) {
  auto* group = new QButtonGroup(owner);
  for (int i = 0; i < captions.size(); ++i) {
    auto* button = new QRadioButton(captions[i], owner);
    group->addButton(button, i);
    layout->addWidget(button);
  }
  if (auto* button = group->button(checked)) button->setChecked(true);
  return group;
}

QGroupBox* Group(const QString& caption, QWidget* owner, QBoxLayout*& layout) {
  auto* box = new QGroupBox(caption, owner);
  layout = new QVBoxLayout(box);
  return box;
}

QFont StyleFont(const TTextStyle& style) {
  QFont font(ResolveFontFamily(style.fontName));
  font.setPointSize(std::max(1, style.fontSize));
  font.setBold(style.fontStyle & StyleBold);
  font.setItalic(style.fontStyle & StyleItalic);
  font.setUnderline(style.fontStyle & StyleUnderline);
  return font;
}

// The alignment buttons in their order, with the value each sets.
constexpr std::pair<const char*, TextAlignment> AlignmentButtons[] = {{"Left Justify", TextAlignment::Left},
                                                                     {"Centre", TextAlignment::Centre},
                                                                     {"Right Justify", TextAlignment::Right},
                                                                     {"Full Justify", TextAlignment::Justify}};

}  // namespace

OptionsDialog::OptionsDialog(ProgramSettings& settings, TKVReport& set, AspectSet* aspects, Messages& messages,
                             QWidget* parent)
    : QDialog(parent), settings_(settings), set_(set), messages_(messages), form_(settings, set, aspects) {
  setWindowTitle(tr("Options"));
  setMinimumWidth(840);  // every tab title in view
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("tabs");
  layout->addWidget(tabs_);
  tabs_->addTab(ReportTab(), tr("Report"));
  tabs_->addTab(ComplimentsTab(), tr("Compliments"));
  tabs_->addTab(WheelsTab(), tr("Wheels"));
  tabs_->addTab(StylesTab(), tr("Styles"));
  tabs_->addTab(MiscTab(), tr("Misc."));
  tabs_->addTab(PlanetsTab(), tr("Planets"));
  tabs_->addTab(HousesTab(), tr("Houses"));
  tabs_->addTab(ZodiacTab(), tr("Zodiac"));
  if (aspects != nullptr) tabs_->addTab(AspectsTab(), UsesMoietyGrid(*aspects) ? tr("Moieties") : tr("Aspects"));
  if (form_.EphemerisTabVisible()) tabs_->addTab(EphemerisTab(), tr("Ephemeris"));

  connect(AddSaveCancelRow(this, layout), &QPushButton::clicked, this, &OptionsDialog::Save);
}

QWidget* OptionsDialog::ReportTab() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  GeneralOptions& v = form_.values;
  QBoxLayout* box = nullptr;
  QGroupBox* titles = Group(tr("Show Astrological Titles?"), page, box);
  titles_ = Radios(page, box, {tr("Use Author's Default"), tr("Show All"), tr("Show None")}, v.paraTitles);
  grid->addWidget(titles, 0, 0);
  const auto checks = [&](QBoxLayout* to, std::initializer_list<std::pair<QString, bool*>> items) {
    for (const auto& [caption, value] : items) {
      auto* check = new QCheckBox(caption, page);
      check->setChecked(*value);
      to->addWidget(check);
      checks_.push_back({check, value});
    }
  };
  QGroupBox* layoutOptions = Group(tr(" Layout Options "), page, box);
  checks(box, {{tr("Include Chart Page"), &v.chartPage},
               {tr("Astrological Summary"), &v.summary},
               {tr("Section Page Breaks"), &v.pageBreaks},
               {tr("Include Explanations"), &v.showExplanations},
               {tr("Include Illustrations"), &v.showGraphics}});
  grid->addWidget(layoutOptions, 0, 1, 2, 1);
  QGroupBox* printing = Group(tr(" Printing Options "), page, box);
  checks(box, {{tr("Print Colors as Black"), &v.printColorsAsBlack}, {tr("Include Page Headers"), &v.includePageHeaders}});
  grid->addWidget(printing, 1, 0);
  QGroupBox* startup = Group(tr(" Startup Options "), page, box);
  checks(box, {{tr("Show report selection"), &v.showReportSelection}});
  box->addWidget(new QLabel(tr("Reports initiated externally"), page));
  external_ = Radios(page, box, {tr("View in Editor"), tr("View as PDF"), tr("Email PDF")}, v.reportsInitiatedExternally);
  grid->addWidget(startup, 2, 0, 1, 2);
  grid->setRowStretch(3, 1);
  return page;
}

QWidget* OptionsDialog::ComplimentsTab() {
  auto* page = new QWidget(this);
  auto* outer = new QVBoxLayout(page);
  auto* box = new QGroupBox(tr("Compliments text to appear in report"), page);
  auto* grid = new QGridLayout(box);
  for (int i = 0; i < 4; ++i) {
    auto* edit = new QLineEdit(ShownText(form_.values.compliments[static_cast<std::size_t>(i)]), box);
    compliments_[static_cast<std::size_t>(i)] = edit;
    grid->addWidget(new QLabel(tr("PARAGRAPH %1").arg(i + 1), box), i, 0);
    grid->addWidget(edit, i, 1);
    grid->addWidget(new QLabel(tr(ComplimentLineStyles[static_cast<std::size_t>(i)]), box), i, 2);
  }
  grid->setColumnStretch(1, 1);
  outer->addWidget(box);
  outer->addStretch();
  return page;
}

QWidget* OptionsDialog::WheelsTab() {
  auto* page = new QWidget(this);
  auto* outer = new QVBoxLayout(page);
  auto* box = new QGroupBox(tr(" Wheel Display Styles "), page);
  auto* grid = new QGridLayout(box);
  const auto field = [&](int row, const QString& caption, std::string& value) {
    auto* edit = new QLineEdit(QString::fromStdString(value), box);
    edit->setReadOnly(true);
    auto* browse = new QPushButton(tr("&Browse..."), box);
    grid->addWidget(new QLabel(caption, box), row, 0, 1, 2);
    grid->addWidget(edit, row + 1, 0);
    grid->addWidget(browse, row + 1, 1);
    connect(browse, &QPushButton::clicked, this, [this, edit, &value] {
      const QString file = QFileDialog::getOpenFileName(this, tr("Wheel Design"), QString::fromStdString(settings_.WheelPath),
                                                        tr("Wheel designs (*.wh1 *.wh2 *.whl)"));
      if (file.isEmpty()) return;
      value = file.toStdString();
      edit->setText(file);
    });
    return edit;
  };
  wheel_ = field(0, QString::fromStdString(form_.WheelCaption()), form_.values.wheel);
  previewWheel_ = field(2, tr("Style for Preview Wheels"), form_.values.previewWheel);
  outer->addWidget(box);
  outer->addStretch();
  return page;
}

QWidget* OptionsDialog::StylesTab() {
  auto* page = new QWidget(this);
  auto* outer = new QHBoxLayout(page);
  auto* box = new QGroupBox(tr(" Text Styles "), page);
  auto* column = new QVBoxLayout(box);
  styles_ = new QListWidget(box);
  styles_->setObjectName("styles");
  for (const char* name : TextStyleNames) styles_->addItem(tr(name));
  column->addWidget(styles_);
  auto* font = new QPushButton(tr("&Font..."), box);
  auto* colour = new QPushButton(tr("Co&lor..."), box);
  auto* fontRow = new QHBoxLayout;
  fontRow->addWidget(font);
  fontRow->addWidget(colour);
  column->addLayout(fontRow);
  auto* alignRow = new QHBoxLayout;
  alignment_ = new QButtonGroup(box);
  alignment_->setExclusive(true);
  for (const auto& [caption, value] : AlignmentButtons) {
    auto* button = new QToolButton(box);
    button->setText(tr(caption));
    button->setObjectName(caption);
    button->setCheckable(true);
    alignment_->addButton(button, static_cast<int>(value));
    alignRow->addWidget(button);
  }
  column->addLayout(alignRow);
  outer->addWidget(box);
  auto* sampleBox = new QGroupBox(tr(" Sample Text "), page);
  auto* sampleLayout = new QVBoxLayout(sampleBox);
  sample_ = new QLabel(tr("Sample Text"), sampleBox);
  sample_->setMinimumWidth(220);
  sampleLayout->addWidget(sample_);
  outer->addWidget(sampleBox, 1);

  connect(styles_, &QListWidget::currentRowChanged, this, &OptionsDialog::ShowStyle);
  connect(font, &QPushButton::clicked, this, &OptionsDialog::ChooseFont);
  connect(colour, &QPushButton::clicked, this, [this] {
    const int style = styles_->currentRow();
    if (style < 0) return;
    TTextStyle& s = form_.values.styles[static_cast<std::size_t>(style)];
    const QColor chosen = QColorDialog::getColor(ToQColor(s.fontColor), this);
    if (!chosen.isValid()) return;
    s.fontColor = FromQColor(chosen);
    ShowStyle(style);
  });
  connect(alignment_, &QButtonGroup::idClicked, this, [this](int id) {
    form_.SetAlignment(styles_->currentRow(), static_cast<TextAlignment>(id));
    ShowStyle(styles_->currentRow());
  });
  styles_->setCurrentRow(0);
  return page;
}

void OptionsDialog::ShowStyle(int style) {
  if (style < 0 || style >= TextStyleCount) return;
  const TTextStyle& s = form_.values.styles[static_cast<std::size_t>(style)];
  sample_->setFont(StyleFont(s));
  sample_->setStyleSheet(QStringLiteral("color: %1").arg(ToQColor(s.fontColor).name()));
  const auto align = static_cast<TextAlignment>(s.alignment);
  // Justified text shows as centred in the one-line sample.
  sample_->setAlignment((align == TextAlignment::Left    ? Qt::AlignLeft
                         : align == TextAlignment::Right ? Qt::AlignRight
                                                         : Qt::AlignHCenter) |
                        Qt::AlignVCenter);
  if (auto* button = alignment_->button(s.alignment)) button->setChecked(true);
  for (QAbstractButton* button : alignment_->buttons()) button->setEnabled(GeneralOptionsForm::AlignmentEnabled(style));
}

void OptionsDialog::ChooseFont() {
  const int style = styles_->currentRow();
  if (style < 0) return;
  TTextStyle& s = form_.values.styles[static_cast<std::size_t>(style)];
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, StyleFont(s), this);
  if (!ok) return;
  s.fontName = font.family().toStdString();
  s.fontSize = font.pointSize();
  s.fontStyle = static_cast<std::uint8_t>((font.bold() ? StyleBold : 0) | (font.italic() ? StyleItalic : 0) |
                                          (font.underline() ? StyleUnderline : 0));
  ShowStyle(style);
}

QWidget* OptionsDialog::MiscTab() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  const GeneralOptions& v = form_.values;
  QBoxLayout* box = nullptr;
  QGroupBox* node = Group(tr("Lunar Node Type"), page, box);
  node_ = Radios(page, box, {tr("&True Node"), tr("&Mean Node")}, v.meanNode ? 1 : 0);
  grid->addWidget(node, 0, 0);
  QGroupBox* fortune = Group(tr("Part of Fortune Type"), page, box);
  fortune_ = Radios(page, box, {tr("&Fixed Formula"), tr("&Different Day/Night")}, v.fixedFortune ? 0 : 1);
  grid->addWidget(fortune, 0, 1);
  QGroupBox* corrections = Group(tr("Optional Correction Factors"), page, box);
  for (const auto& [caption, value] : {std::pair{tr("Apply &Geocentric Correction to Latitude"), &form_.values.geocentricLat},
                                       std::pair{tr("Apply &Parallax Correction to Moon"), &form_.values.parallaxMoon}}) {
    auto* check = new QCheckBox(caption, page);
    check->setChecked(*value);
    box->addWidget(check);
    checks_.push_back({check, value});
  }
  grid->addWidget(corrections, 1, 0, 1, 2);
  QGroupBox* date = Group(tr("Date Display Order"), page, box);
  dateOrder_ = Radios(page, box, {tr("Day / Month / Yr"), tr("Month / Day / Yr")}, v.monthFirst ? 1 : 0);
  grid->addWidget(date, 2, 0);
  QGroupBox* time = Group(tr("Time Display Format"), page, box);
  timeFormat_ = Radios(page, box, {tr("AM / PM"), tr("24 Hr Clock")}, v.ampm ? 0 : 1);
  grid->addWidget(time, 2, 1);
  grid->setRowStretch(3, 1);
  return page;
}

QWidget* OptionsDialog::PlanetsTab() {
  auto* page = new QWidget(this);
  auto* outer = new QHBoxLayout(page);
  auto* box = new QGroupBox(tr("Select Points to Display"), page);
  auto* column = new QVBoxLayout(box);
  points_ = new QListWidget(box);
  points_->setObjectName("points");
  UseOnOffDrawing(points_);
  for (int id = 1; id <= PointCount; ++id) {
    points_->addItem(QString());
    RedrawPoint(id);
  }
  column->addWidget(points_);
  outer->addWidget(box, 1);
  auto* side = new QVBoxLayout;
  auto* onOff = new QPushButton(tr("&On / Off"), page);
  auto* colour = new QPushButton(tr("&Color..."), page);
  glyph_ = new QLabel(page);
  glyph_->setObjectName("glyph");
  glyph_->setAlignment(Qt::AlignCenter);
  glyph_->setMinimumSize(80, 80);
  QFont glyphFont(GlyphFontFamily);
  glyphFont.setPointSize(36);
  glyph_->setFont(glyphFont);
  side->addWidget(onOff);
  side->addWidget(colour);
  side->addWidget(glyph_);
  side->addStretch();
  outer->addLayout(side);

  const auto toggle = [this] {
    const int id = points_->currentRow() + 1;
    form_.TogglePoint(id);
    RedrawPoint(id);
  };
  connect(onOff, &QPushButton::clicked, this, toggle);
  connect(points_, &QListWidget::itemDoubleClicked, this, toggle);
  connect(points_, &QListWidget::currentRowChanged, this, [this](int row) { ShowPoint(row + 1); });
  connect(colour, &QPushButton::clicked, this, [this] {
    const int id = points_->currentRow() + 1;
    if (id < 1) return;
    const QColor chosen = QColorDialog::getColor(ToQColor(form_.values.pointColor[static_cast<std::size_t>(id)]), this);
    if (chosen.isValid()) SetPointColor(id, FromQColor(chosen));
  });
  points_->setCurrentRow(0);
  return page;
}

void OptionsDialog::RedrawPoint(int id) {
  QListWidgetItem* item = points_->item(id - 1);
  if (item == nullptr) return;
  ShowOnOff(points_, item, form_.PointItem(id));
}

void OptionsDialog::ShowPoint(int id) {
  if (id < 1 || id > PointCount) return;
  glyph_->setText(GlyphText(settings_.PointGlyph[static_cast<std::size_t>(id)]));
  glyph_->setStyleSheet(
      QStringLiteral("color: %1").arg(ToQColor(form_.values.pointColor[static_cast<std::size_t>(id)]).name()));
}

void OptionsDialog::SetPointColor(int id, Color color) {
  if (id < 1 || id > PointCount) return;
  form_.values.pointColor[static_cast<std::size_t>(id)] = color;
  if (points_->currentRow() + 1 == id) ShowPoint(id);
}

QWidget* OptionsDialog::HousesTab() {
  auto* page = new QWidget(this);
  auto* outer = new QHBoxLayout(page);
  auto* listBox = new QGroupBox(tr("House System for New Charts"), page);
  auto* listLayout = new QVBoxLayout(listBox);
  houses_ = new QListWidget(listBox);
  houses_->setObjectName("houses");
  for (int code = 1; code <= OfferedHouseSystems; ++code) houses_->addItem(QString::fromUtf8(HouseSystemName(code).data(), static_cast<int>(HouseSystemName(code).size())));
  houses_->setCurrentRow(form_.values.houseSystem - 1);
  listLayout->addWidget(houses_);
  outer->addWidget(listBox, 1);
  auto* side = new QVBoxLayout;
  auto* offsets = new QGroupBox(tr("House Cusp Degree OffSets"), page);
  auto* grid = new QGridLayout(offsets);
  const char* captions[] = {"Angular (1, 4, 7, 10)", "Succedent (2, 5, 8, 11)", "Cadent (3, 6, 9, 12)"};
  const std::array<float, 3> shown = form_.values.cuspOffsets.value_or(std::array<float, 3>{8, 5, 3});
  for (int kind = 0; kind < 3; ++kind) {
    // Fractions of a degree in the scheme file are kept.
    auto* spin = new QDoubleSpinBox(offsets);
    spin->setDecimals(2);
    const bool limited = kind != 1;
    spin->setRange(limited ? 0 : -9999, limited ? MaxAngularCadentOffset : 9999);
    spin->setValue(shown[static_cast<std::size_t>(kind)]);
    // Without a readable scheme file there is nothing to write the offsets into.
    spin->setEnabled(form_.values.cuspOffsets.has_value());
    grid->addWidget(new QLabel(tr(captions[kind]), offsets), kind, 0);
    grid->addWidget(spin, kind, 1);
    offsets_[static_cast<std::size_t>(kind)] = spin;
  }
  side->addWidget(offsets);
  auto* expansion = new QCheckBox(tr("House Expansion in Chart Display"), page);
  expansion->setChecked(form_.values.houseExpansion);
  checks_.push_back({expansion, &form_.values.houseExpansion});
  side->addWidget(expansion);
  side->addStretch();
  outer->addLayout(side);
  return page;
}

QWidget* OptionsDialog::ZodiacTab() {
  auto* page = new QWidget(this);
  auto* outer = new QVBoxLayout(page);
  auto* box = new QGroupBox(tr("Zodiac System to Use for New Charts"), page);
  auto* column = new QVBoxLayout(box);
  zodiacs_ = new QListWidget(box);
  zodiacs_->setObjectName("zodiacs");
  for (std::string_view name : ZodiacNames) zodiacs_->addItem(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
  column->addWidget(zodiacs_);
  column->addWidget(new QLabel(tr("Position of the Sidereal Vernal Point on 1st January 1900:-"), box));
  vernalPoint_ = new QLineEdit(box);
  vernalPoint_->setObjectName("vernalPoint");
  column->addWidget(vernalPoint_);
  outer->addWidget(box);
  const auto show = [this] {
    vernalPoint_->setText(ShownText(form_.values.vernalPoint));
    vernalPoint_->setEnabled(form_.VernalPointEditable());
  };
  connect(zodiacs_, &QListWidget::currentRowChanged, this, [this, show](int row) {
    form_.ChooseZodiac(row);
    show();
  });
  connect(vernalPoint_, &QLineEdit::editingFinished, this, [this, show] {
    if (!form_.VernalPointEditable()) return;
    form_.values.vernalPoint = vernalPoint_->text().toStdString();
    if (form_.LeaveVernalPoint(messages_)) show();
  });
  zodiacs_->setCurrentRow(form_.values.zodiac);
  show();
  return page;
}

QWidget* OptionsDialog::AspectsTab() {
  auto* page = new QWidget(this);
  auto* outer = new QVBoxLayout(page);
  AspectSet& aspects = *form_.Aspects();
  aspectGrid_ = new QTableWidget(page);
  aspectGrid_->setObjectName("aspectGrid");
  aspectGrid_->verticalHeader()->setVisible(false);
  const auto cell = [](double value) {
    auto* item = new QTableWidgetItem(QString::number(value, 'f', 2));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
  };
  const auto label = [](const std::string& text) {
    auto* item = new QTableWidgetItem(ShownText(text));
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
  };
  if (UsesMoietyGrid(aspects)) {
    outer->addWidget(new QLabel(tr("Moiety Aspect Orbs"), page));
    const auto rows = MoietyGridRows(aspects, settings_.CombustOrb);
    aspectGrid_->setColumnCount(2);
    aspectGrid_->setHorizontalHeaderLabels({tr("Point's Name"), tr("Orb (Degrees)")});
    aspectGrid_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
      aspectGrid_->setItem(r, 0, label(rows[static_cast<std::size_t>(r)].name));
      aspectGrid_->setItem(r, 1, cell(rows[static_cast<std::size_t>(r)].orb));
    }
  } else {
    outer->addWidget(new QLabel(tr("Aspect Orbs"), page));
    const auto rows = OrbGridRows(aspects);
    aspectGrid_->setColumnCount(5);
    aspectGrid_->setHorizontalHeaderLabels({tr("Aspect Name"), tr("Lum App"), tr("Lum Sep"), tr("Oth App"), tr("Oth Sep")});
    aspectGrid_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
      const OrbGridRow& row = rows[static_cast<std::size_t>(r)];
      aspectGrid_->setItem(r, 0, label(row.name));
      for (int c = 0; c < 4; ++c) aspectGrid_->setItem(r, c + 1, cell(row.orbs[static_cast<std::size_t>(c)]));
    }
    const OrbChoices choices = OrbChoicesOf(aspects);
    auto* row = new QHBoxLayout;
    byOrb_ = new QCheckBox(tr("By ORB"), page);
    bySign_ = new QCheckBox(tr("By SIGN"), page);
    byOrb_->setChecked(choices.byOrb);
    bySign_->setChecked(choices.bySign);
    aspectGrid_->setEnabled(choices.GridEditable());
    row->addWidget(byOrb_);
    row->addWidget(bySign_);
    row->addStretch();
    outer->addLayout(row);
    // The two can never both be off; the grid is edited only "By ORB".
    const auto sync = [this](bool orbClicked) {
      OrbChoices c{byOrb_->isChecked(), bySign_->isChecked()};
      if (orbClicked) c.SetByOrb(c.byOrb); else c.SetBySign(c.bySign);
      QSignalBlocker b1(byOrb_), b2(bySign_);
      byOrb_->setChecked(c.byOrb);
      bySign_->setChecked(c.bySign);
      aspectGrid_->setEnabled(c.GridEditable());
    };
    connect(byOrb_, &QCheckBox::toggled, this, [sync] { sync(true); });
    connect(bySign_, &QCheckBox::toggled, this, [sync] { sync(false); });
  }
  aspectGrid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  outer->insertWidget(1, aspectGrid_);
  return page;
}

QWidget* OptionsDialog::EphemerisTab() {
  auto* page = new QWidget(this);
  auto* outer = new QVBoxLayout(page);
  auto* box = new QGroupBox(tr("Swiss Ephemeris Location"), page);
  auto* row = new QHBoxLayout(box);
  ephemeris_ = new QLineEdit(QString::fromStdString(form_.values.swissEphemPath), box);
  ephemeris_->setReadOnly(true);
  auto* browse = new QPushButton(tr("&Browse..."), box);
  row->addWidget(ephemeris_, 1);
  row->addWidget(browse);
  outer->addWidget(box);
  outer->addStretch();
  connect(browse, &QPushButton::clicked, this, &OptionsDialog::BrowseEphemeris);
  return page;
}

void OptionsDialog::BrowseEphemeris() {
  const QString folder = QFileDialog::getExistingDirectory(this, tr("Select directory containing Swiss Ephemeris files:"),
                                                           QString::fromStdString(form_.values.swissEphemPath));
  if (folder.isEmpty()) return;
  switch (form_.ChooseEphemerisFolder(folder.toStdString(), &SwissEphemerisUsable, settings_.SystemPath)) {
    case EphemerisFolderVerdict::FilesMissing: messages_.Error(EphemerisFilesMissingMessage); return;
    case EphemerisFolderVerdict::NotSwissEphemeris: messages_.Error(EphemerisNotSwissMessage); return;
    case EphemerisFolderVerdict::Taken: ephemeris_->setText(QString::fromStdString(form_.values.swissEphemPath)); return;
  }
}

void OptionsDialog::TakeFields() {
  GeneralOptions& v = form_.values;
  v.paraTitles = titles_->checkedId();
  v.reportsInitiatedExternally = external_->checkedId();
  for (const auto& [check, value] : checks_) *value = check->isChecked();
  for (std::size_t i = 0; i < compliments_.size(); ++i) v.compliments[i] = compliments_[i]->text().toStdString();
  v.meanNode = node_->checkedId() == 1;
  v.fixedFortune = fortune_->checkedId() == 0;
  v.monthFirst = dateOrder_->checkedId() == 1;
  v.ampm = timeFormat_->checkedId() == 0;
  v.houseSystem = houses_->currentRow() + 1;
  if (v.cuspOffsets)
    for (std::size_t kind = 0; kind < 3; ++kind)
      (*v.cuspOffsets)[kind] = GeneralOptionsForm::LimitCuspOffset(static_cast<int>(kind), static_cast<float>(offsets_[kind]->value()));
  if (form_.VernalPointEditable()) v.vernalPoint = vernalPoint_->text().toStdString();
}

void OptionsDialog::Save() {
  TakeFields();
  if (!form_.LeaveVernalPoint(messages_)) {
    tabs_->setCurrentWidget(vernalPoint_->parentWidget()->parentWidget());
    return;
  }
  if (aspectGrid_ != nullptr) {
    AspectSet& aspects = *form_.Aspects();
    const auto number = [this](int row, int column) {
      bool ok = false;
      const double value = aspectGrid_->item(row, column)->text().toDouble(&ok);
      return ok ? value : -1.0;  // refused by the grid's rules below
    };
    bool applied = false;
    if (UsesMoietyGrid(aspects)) {
      auto rows = MoietyGridRows(aspects, settings_.CombustOrb);
      for (int r = 0; r < static_cast<int>(rows.size()); ++r) rows[static_cast<std::size_t>(r)].orb = number(r, 1);
      applied = ApplyMoietyGrid(aspects, rows, settings_.CombustOrb);
    } else {
      auto rows = OrbGridRows(aspects);
      for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < 4; ++c) rows[static_cast<std::size_t>(r)].orbs[static_cast<std::size_t>(c)] = number(r, c + 1);
      applied = ApplyOrbGrid(aspects, rows, {byOrb_->isChecked(), bySign_->isChecked()});
    }
    if (!applied) {
      messages_.Error("The aspect orbs must be numbers of 0 or more.");
      tabs_->setCurrentWidget(aspectGrid_->parentWidget());
      return;
    }
    form_.aspectsEdited = true;
  }
  form_.Save(settings_, set_, messages_);
  accept();
}

}  // namespace korvana::app
