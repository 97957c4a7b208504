#include "app/composite_options_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvana::app {

namespace {

template <std::size_t N>
QButtonGroup* RadioGroup(QWidget* owner, QLayout* layout, const QString& caption,
                         const std::array<const char*, N>& names, int checked) {
  auto* box = new QGroupBox(caption, owner);
  auto* column = new QVBoxLayout(box);
  auto* group = new QButtonGroup(owner);
  for (std::size_t i = 0; i < N; ++i) {
    auto* button = new QRadioButton(QObject::tr(names[i]), box);
    group->addButton(button, static_cast<int>(i));
    column->addWidget(button);
  }
  if (auto* button = group->button(checked)) button->setChecked(true);
  layout->addWidget(box);
  return group;
}

}  // namespace

CompositeOptionsDialog::CompositeOptionsDialog(const CompositeOptionsChoice& choice, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(tr("Composite Chart Options"));
  auto* layout = new QVBoxLayout(this);
  method_ = RadioGroup(this, layout, tr("Composite Chart Method"), CompositeMethodNames, choice.method);
  anchor_ = RadioGroup(this, layout, tr("Composite Chart Houses"), CompositeAnchorNames, choice.anchor);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

CompositeOptionsChoice CompositeOptionsDialog::Choice() const { return {method_->checkedId(), anchor_->checkedId()}; }

}  // namespace korvana::app
