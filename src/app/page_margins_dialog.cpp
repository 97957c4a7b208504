#include "app/page_margins_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvana::app {

namespace {

constexpr const char* FieldCaptions[4] = {"&Top", "&Left", "&Right", "&Bottom"};

QString Shown(double value) { return QString::fromStdString(MarginText(value)); }

double Read(const QLineEdit* field) { return ReadMarginField(field->text().toStdString()); }

}  // namespace

PageMarginsDialog::PageMarginsDialog(const PageMargins& margins, int unitCode, QWidget* parent)
    : QDialog(parent), shown_(MarginUnitOf(unitCode)) {
  setWindowTitle(tr("Page Margins"));
  auto* form = new QFormLayout;
  const std::int32_t twips[4] = {margins.top, margins.left, margins.right, margins.bottom};
  for (int i = 0; i < 4; ++i) {
    fields_[i] = new QLineEdit(Shown(MarginFromTwips(twips[i], shown_)), this);
    fields_[i]->setObjectName(QStringLiteral("txtMargin%1").arg(i));
    // Leaving a field writes its number again, three decimals.
    connect(fields_[i], &QLineEdit::editingFinished, this, [this, i] { fields_[i]->setText(Shown(Read(fields_[i]))); });
    form->addRow(tr(FieldCaptions[i]), fields_[i]);
  }
  inches_ = new QRadioButton(tr("&Inches"), this);
  centimetres_ = new QRadioButton(tr("C&entimetres"), this);
  (shown_ == MarginUnit::Inches ? inches_ : centimetres_)->setChecked(true);
  connect(inches_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) SwitchUnit(MarginUnit::Inches);
  });
  connect(centimetres_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) SwitchUnit(MarginUnit::Centimetres);
  });
  auto* units = new QGroupBox(tr("Units"), this);
  auto* unitLayout = new QVBoxLayout(units);
  unitLayout->addWidget(inches_);
  unitLayout->addWidget(centimetres_);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(tr("&Apply"), QDialogButtonBox::AcceptRole)->setObjectName("btnApply");
  buttons->addButton(tr("&Cancel"), QDialogButtonBox::RejectRole)->setObjectName("btnCancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* top = new QHBoxLayout;
  top->addLayout(form);
  top->addWidget(units);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);
}

MarginUnit PageMarginsDialog::Unit() const { return inches_->isChecked() ? MarginUnit::Inches : MarginUnit::Centimetres; }

void PageMarginsDialog::SwitchUnit(MarginUnit to) {
  if (to == shown_) return;
  for (QLineEdit* field : fields_) field->setText(Shown(ConvertMargin(Read(field), shown_, to)));
  shown_ = to;
}

PageMargins PageMarginsDialog::Margins() const {
  PageMargins m;
  std::int32_t* twips[4] = {&m.top, &m.left, &m.right, &m.bottom};
  for (int i = 0; i < 4; ++i) *twips[i] = TwipsFromMargin(Read(fields_[i]), Unit());
  return m;
}

int PageMarginsDialog::UnitCode() const { return static_cast<int>(Unit()); }

bool EditPageMargins(ProgramSettings& settings, int& unitCode, QWidget* parent) {
  const PageMargins margins{settings.PageMarginT, settings.PageMarginL, settings.PageMarginR, settings.PageMarginB};
  PageMarginsDialog dialog(margins, unitCode, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  const PageMargins chosen = dialog.Margins();
  settings.PageMarginT = chosen.top;
  settings.PageMarginL = chosen.left;
  settings.PageMarginR = chosen.right;
  settings.PageMarginB = chosen.bottom;
  unitCode = dialog.UnitCode();
  return true;
}

}  // namespace korvana::app
