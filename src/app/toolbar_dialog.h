// "Customize Toolbar": which commands the toolbar shows, in menu order. The choice is kept
// in the data folder's "tb1.dat", one command name a line.
#pragma once

#include <QDialog>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QListWidget;

namespace korvana::app {

// The command names kept in a toolbar layout file; nothing when there is none or it
// cannot be read.
std::optional<QStringList> ReadToolbarLayout(const std::string& path);
// Writes the layout through a work file; false when it cannot be written.
bool WriteToolbarLayout(const std::string& path, const QStringList& names);

class ToolbarDialog : public QDialog {
  Q_OBJECT
 public:
  // `commands` in menu order; those named in `shown` start ticked.
  ToolbarDialog(const std::vector<QAction*>& commands, const QStringList& shown, QWidget* parent = nullptr);
  // The ticked commands' names, in menu order.
  QStringList Shown() const;

 private:
  QListWidget* list_ = nullptr;
};

}  // namespace korvana::app
