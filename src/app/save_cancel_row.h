// The "&Save" and "&Cancel" buttons at the foot of the option dialogs.
#pragma once

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace korvana::app {

// Adds the row to `layout`; "&Cancel" rejects `dialog`. The "&Save" button (object name
// "save") is returned for the dialog to connect.
QPushButton* AddSaveCancelRow(QDialog* dialog, QBoxLayout* layout);

}  // namespace korvana::app
