// The "&Select" and "Cancel" buttons that close the choosing dialogs: "&Select" is the
// default button and accepts, "Cancel" rejects.
#pragma once

class QDialog;
class QDialogButtonBox;

namespace korvana::app {

// Makes the two buttons for `dialog` and connects them; the caller places the box.
QDialogButtonBox* SelectCancelButtons(QDialog* dialog);

}  // namespace korvana::app
