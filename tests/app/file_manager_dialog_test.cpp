// "File Manager": the files of a mask in a folder, the folder menu, the description, and
// creating and deleting files.
#include "app/file_manager_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>

#include "core/charts/chart_files.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana::app {
namespace {

using testing::RecordingMessages;
using testing::TempFolder;

class FileManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.UserPath = folder / "user/";
    std::filesystem::create_directories(settings.UserPath);
    for (int i = 1; i <= 12; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "f%02d.cht", i);
      ASSERT_TRUE(CreateChartFile(settings.UserPath + name, messages, "Title " + std::to_string(i)));
    }
    folder.Write("user/places.plc", "");
    folder.Write("user/wheel.wh1", "");
    places = {folder / "wine/", folder / "wine/drive_c/windows/", folder / "docs/"};
    std::filesystem::create_directories(folder / "docs/Emberly User Files/Charts");
    folder.Write("wine/drive_c/windows/emberly8.ini", "[Emberly]\r\n");
  }
  QStringList Files(FileManagerDialog& dialog) {
    QStringList names;
    auto* list = dialog.findChild<QListWidget*>("files");
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    return names;
  }
  QString Current(FileManagerDialog& dialog) {
    const QListWidgetItem* item = dialog.findChild<QListWidget*>("files")->currentItem();
    return item ? item->text() : QString();
  }

  TempFolder folder;
  ProgramSettings settings;
  RecordingMessages messages;
  SiblingPlaces places;
};

TEST_F(FileManagerTest, ShowsTheMasksFilesWithThePreselectedOnesDescription) {
  FileManagerDialog dialog("Open Chart File", "*.cht;*.EMcht", settings.UserPath, settings.UserPath + "F10.CHT",
                           settings, messages, nullptr, places);
  EXPECT_EQ(dialog.findChild<QLabel*>("titlePanel")->text(), "Open Chart File");
  EXPECT_EQ(Files(dialog).size(), 12);
  EXPECT_EQ(Current(dialog), "f10.cht") << "preselected without regard to case";
  EXPECT_EQ(dialog.findChild<QLabel*>("description")->text(), "Title 10");
  ASSERT_EQ(dialog.MenuFolders().size(), 2u);
  EXPECT_EQ(dialog.MenuFolders()[0].caption, "Korvana Folder");
  EXPECT_EQ(dialog.MenuFolders()[1].caption, "Emberly 8 Folder");
  dialog.ShowFolder(dialog.MenuFolders()[1].folder);
  EXPECT_TRUE(Files(dialog).isEmpty());
  EXPECT_EQ(dialog.findChild<QLabel*>("description")->text(), "");
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted) << "Select needs a selected file";
}

TEST_F(FileManagerTest, CreatesAndDeletesFilesAndNeverForWheelFiles) {
  FileManagerDialog dialog("Open Chart File", "*.cht;*.EMcht", settings.UserPath, settings.UserPath + "f12.cht",
                           settings, messages, nullptr, places);
  ASSERT_TRUE(dialog.CreateFile(settings.UserPath + "clients"));
  EXPECT_EQ(Current(dialog), "clients.cht") << "the extension of the selected file";
  EXPECT_EQ(ChartFileInfo(settings.UserPath + "clients.cht").title, "New chart file");
  EXPECT_EQ(dialog.findChild<QLabel*>("description")->text(), "New chart file");
  EXPECT_FALSE(dialog.CreateFile(settings.UserPath + "f01.cht"));
  EXPECT_EQ(messages.messages.back().text, "Cannot create this file because it already exists.");

  dialog.ShowFolder(settings.UserPath, "f12.cht");
  messages.answers = {Answer::Ok};
  ASSERT_TRUE(dialog.DeleteSelected());
  EXPECT_FALSE(std::filesystem::exists(settings.UserPath + "f12.cht"));
  EXPECT_EQ(Current(dialog), "f11.cht") << "the last entry after the last was deleted";
  dialog.ShowFolder(settings.UserPath, "f01.cht");
  messages.answers = {Answer::Cancel};
  EXPECT_FALSE(dialog.DeleteSelected());
  EXPECT_TRUE(std::filesystem::exists(settings.UserPath + "f01.cht"));
  messages.answers = {Answer::Ok};
  ASSERT_TRUE(dialog.DeleteSelected());
  EXPECT_EQ(Current(dialog), "f02.cht") << "the entry now at the same position";

  dialog.accept();
  EXPECT_EQ(dialog.Chosen(), settings.UserPath + "f02.cht");

  FileManagerDialog wheels("Select Wheel File", "*.wh1", settings.UserPath, "", settings, messages, nullptr, places);
  EXPECT_EQ(Files(wheels), QStringList{"wheel.wh1"});
  for (QPushButton* button : wheels.findChildren<QPushButton*>())
    if (button->text() == "C&reate New..." || button->text() == "D&elete...") {
      EXPECT_FALSE(button->isEnabled());
    }
}

}  // namespace
}  // namespace korvana::app
