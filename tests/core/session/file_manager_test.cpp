#include "core/session/file_manager.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/charts/chart_files.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::RecordingMessages;
using testing::TempFolder;

TEST(SiblingPathToLocal, ReadsWindowsPathsAsTheWinePrefixMapsThem) {
  const SiblingPlaces places{"/home/u/.wine/", "/home/u/.wine/drive_c/windows/", "/home/u/Documents/"};
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Emberly\\Charts\\", "/home/u/.wine/drive_c/Emberly/Charts/"},
      {"c:\\data", "/home/u/.wine/drive_c/data"},
      {"Z:\\home\\u\\charts\\", "/home/u/charts/"},
      {"D:\\Charts", "/home/u/.wine/dosdevices/d:/Charts"},
      {"/srv/charts/", "/srv/charts/"},
      {"  ", ""},
  };
  for (const auto& [windows, local] : cases) EXPECT_EQ(SiblingPathToLocal(places, windows), local) << windows;
}

// A Wine prefix with settings files of several versions of the sibling program.
class ManagerFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    places = {folder / "wine/", folder / "wine/drive_c/windows/", folder / "docs/"};
    for (const char* f : {"wine/drive_c/E2/Charts/", "wine/drive_c/E5data/", "wine/drive_c/Users/u/E7/Charts/",
                          "docs/Emberly User Files/Charts/", "wine/drive_c/E9/MyCharts/", "user/"})
      std::filesystem::create_directories(folder / f);
  }
  void Settings(const std::string& name, const std::string& text) { folder.Write("wine/drive_c/windows/" + name, text); }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const ManagerFolder& f : ManagerFolders(folder / "user/", places)) captions.push_back(f.caption + " " + f.folder);
    return captions;
  }

  TempFolder folder;
  SiblingPlaces places;
};

TEST_F(ManagerFoldersTest, OffersTheUserFolderAndEachInstalledVersionsChartFolderOnce) {
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Korvana Folder " + folder / "user/"})) << "nothing installed";

  Settings("emberly.ini", "[Emberly]\r\nChartDataPath=C:\\E2\\Charts\\\r\n");
  Settings("EMBERLY5.INI", "[Emberly]\r\nUserDataPath=c:\\e5DATA\\\r\n");             // the default key, any case
  Settings("emberly6.ini", "[Emberly]\r\nChartDataPath=C:\\Nowhere\\\r\n");          // not there: not offered
  Settings("emberly4.ini", "[Emberly]\r\nChartDataPath=C:\\E2\\Charts\\\r\n");       // the same as version 2
  Settings("emberly7.ini", "[Emberly]\r\nUserFolder=C:\\Users\\u\\E7\\\r\n");        // its Charts/ by default
  Settings("emberly8.ini", "[Emberly]\r\n");                                         // the documents folder
  Settings("emberly9.ini", "[Emberly]\r\nUserFolder=C:\\E9\\\r\n");
  folder.Write("wine/drive_c/E9/Settings/emberly9.ini", "[Emberly]\r\nChartDataPath=C:\\E9\\MyCharts\\\r\n");
  EXPECT_EQ(Captions(), (std::vector<std::string>{
                            "Korvana Folder " + folder / "user/",
                            "Emberly 9 Folder " + folder / "wine/drive_c/E9/MyCharts/",
                            "Emberly 8 Folder " + folder / "docs/Emberly User Files/Charts/",
                            "Emberly 7 Folder " + folder / "wine/drive_c/Users/u/E7/Charts/",
                            "Emberly 5 Folder " + folder / "wine/drive_c/E5data/",
                            "Emberly 4 Folder " + folder / "wine/drive_c/E2/Charts/",
                        }));
  const auto folders = ManagerFolders(folder / "user/", places);
  EXPECT_EQ(CurrentManagerFolder(folders, folder / "wine/drive_c/E5DATA"), 4u);
  EXPECT_EQ(CurrentManagerFolder(folders, folder / "elsewhere/"), std::nullopt);
}

TEST(ManagerFiles, ListTheFilesOfEachPatternOfTheMask) {
  TempFolder folder;
  for (const char* name : {"b.cht", "A.CHT", "c.EMcht", "d.plc", "e.cht.bak"}) folder.Write(name, "");
  std::filesystem::create_directories(folder / "dir.cht");
  EXPECT_EQ(ManagerFiles(folder.Path(), "*.cht;*.EMcht"), (std::vector<std::string>{"A.CHT", "b.cht", "c.EMcht"}));
  EXPECT_EQ(ManagerFiles(folder.Path(), "*.plc"), (std::vector<std::string>{"d.plc"}));
  EXPECT_TRUE(ManagerFiles(folder / "missing/", "*.plc").empty());
}

TEST(ManagerFileDescription, IsTheChartFileTitleForOwnChartFilesOnly) {
  TempFolder folder;
  RecordingMessages messages;
  ASSERT_TRUE(CreateChartFile(folder / "a.CHT", messages, "My clients"));
  ASSERT_TRUE(CreateChartFile(folder / "b.EMcht", messages, "Collected"));
  folder.Write("c.plc", "");
  EXPECT_EQ(ManagerFileDescription(folder / "a.CHT"), "My clients");
  EXPECT_EQ(ManagerFileDescription(folder / "b.EMcht"), "(No description found)");
  EXPECT_EQ(ManagerFileDescription(folder / "c.plc"), "(No description found)");
}

TEST(NameToCreate, GivesATypedNameWithoutExtensionOne) {
  struct Case {
    const char* typed;
    const char* selected;
    const char* mask;
    const char* name;
  };
  const Case cases[] = {
      {"/f/new", "/f/old.EMcht", "*.cht;*.EMcht", "/f/new.EMcht"},
      {"/f/new", "", "*.cht;*.EMcht", "/f/new.cht"},
      {"/f/new.txt", "/f/old.cht", "*.cht", "/f/new.txt"},
      {"/f.d/new", "", "*.plc", "/f.d/new.plc"},
      {"/f/new", "", "*.*", "/f/new"},
  };
  for (const Case& c : cases) EXPECT_EQ(NameToCreate(c.typed, c.selected, c.mask), c.name) << c.typed;
}

TEST(CreateManagedFile, MakesChartFilesByExtensionAndNeverTouchesAnExistingFile) {
  TempFolder folder;
  RecordingMessages messages;
  ASSERT_TRUE(CreateManagedFile(folder / "new.cht", messages));
  EXPECT_EQ(ChartFileInfo(folder / "new.cht").format, ChartFormatOwn);
  EXPECT_EQ(ChartFileInfo(folder / "new.cht").title, "New chart file");
  ASSERT_TRUE(CreateManagedFile(folder / "new.EMcht", messages));
  EXPECT_EQ(ChartFileInfo(folder / "new.EMcht").format, ChartFormatCollection);
  EXPECT_EQ(ChartFileInfo(folder / "new.EMcht").count, 0);
  ASSERT_TRUE(CreateManagedFile(folder / "places.plc", messages));
  EXPECT_EQ(folder.Read("places.plc"), "");
  EXPECT_TRUE(messages.messages.empty());

  folder.Write("kept.cht", "precious");
  EXPECT_FALSE(CreateManagedFile(folder / "kept.cht", messages));
  EXPECT_EQ(messages.messages.back().text, "Cannot create this file because it already exists.");
  EXPECT_EQ(folder.Read("kept.cht"), "precious");
  EXPECT_FALSE(CreateManagedFile(folder / "no/such/folder/x.plc", messages));
}

TEST(DeleteManagedFile, DeletesOnlyWhenConfirmed) {
  TempFolder folder;
  RecordingMessages messages;
  const std::string file = folder.Write("old.cht", "x");
  messages.answers = {Answer::Cancel};
  EXPECT_FALSE(DeleteManagedFile(file, messages));
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(messages.messages.back().text, "Are you sure that you wish to permanently delete this file?\r\n\r\nold.cht");
  messages.answers = {Answer::Ok};
  EXPECT_TRUE(DeleteManagedFile(file, messages));
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(RowAfterDelete(3, 3), 2u);
  EXPECT_EQ(RowAfterDelete(1, 3), 1u);
  EXPECT_EQ(RowAfterDelete(0, 0), std::nullopt);
}

}  // namespace
}  // namespace korvana
