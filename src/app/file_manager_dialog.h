// "File Manager": picks a file of a mask (chart, place or wheel files) in a folder, with
// the folder menu (the program's folder and the sibling program's chart folders), the
// folder tree shown or hidden by "&Folder", the selected file's description, and creating
// and deleting files (not for wheel files). What is offered and done is the core's
// (core/session/file_manager.h).
#pragma once

#include <QDialog>
#include <string>

#include "core/config/program_settings.h"
#include "core/session/file_manager.h"
#include "core/util/messages.h"

class QFileSystemModel;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeView;

namespace korvana::app {

class FileManagerDialog : public QDialog {
  Q_OBJECT
 public:
  // `title` shows in the title panel; `mask` is ";"-separated ("*.cht;*.EMcht");
  // `preselect` is a file to select at first (empty for none).
  FileManagerDialog(const QString& title, std::string mask, const std::string& folder, const std::string& preselect,
                    const ProgramSettings& settings, Messages& messages, QWidget* parent = nullptr,
                    SiblingPlaces places = SiblingPlacesFromEnvironment());

  // The chosen file's path after "&Select".
  const std::string& Chosen() const { return chosen_; }
  const std::string& Folder() const { return folder_; }
  // Shows a folder's files and selects `file` (a name) when it is there.
  void ShowFolder(const std::string& folder, const std::string& file = {});
  // The folder menu as it is offered now.
  const std::vector<ManagerFolder>& MenuFolders() const { return menuFolders_; }
  // "C&reate New..." with the path the save dialog gave; "D&elete..." of the selected file.
  bool CreateFile(const std::string& typed);
  bool DeleteSelected();

  void accept() override;

 private:
  void ShowFolderMenu();
  void ShowDescription();
  std::string SelectedFile() const;

  std::string mask_;
  std::string folder_;
  std::string chosen_;
  const ProgramSettings& settings_;
  Messages& messages_;
  SiblingPlaces places_;
  std::vector<ManagerFolder> menuFolders_;
  QLabel* folderLabel_ = nullptr;
  QListWidget* files_ = nullptr;
  QTreeView* tree_ = nullptr;
  QFileSystemModel* model_ = nullptr;
  QLabel* description_ = nullptr;
  QPushButton* folderMenu_ = nullptr;
};

}  // namespace korvana::app
