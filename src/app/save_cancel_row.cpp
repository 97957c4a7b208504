#include "app/save_cancel_row.h"

namespace korvana::app {

QPushButton* AddSaveCancelRow(QDialog* dialog, QBoxLayout* layout) {
  auto* buttons = new QHBoxLayout;
  auto* save = new QPushButton(QObject::tr("&Save"), dialog);
  save->setObjectName("save");
  auto* cancel = new QPushButton(QObject::tr("&Cancel"), dialog);
  buttons->addStretch();
  buttons->addWidget(save);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return save;
}

}  // namespace korvana::app
