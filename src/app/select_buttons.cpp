#include "app/select_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace korvana::app {

QDialogButtonBox* SelectCancelButtons(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, dialog);
  buttons->addButton(QDialog::tr("&Select"), QDialogButtonBox::AcceptRole)->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace korvana::app
