// "File Manager" without the window: the folders its folder menu offers (the program's
// user folder and the chart folders of the installed versions of the sibling program
// Emberly), the files a mask shows, the description of a file, and creating and deleting
// files.
//
// Where Emberly's settings are looked for on Linux. Emberly is a Windows program; on
// Linux it runs under Wine, so its "Windows folder" is the Windows folder of the Wine
// prefix ($WINEPREFIX, else ~/.wine, then "drive_c/windows/"), and the user's documents
// folder is the XDG documents folder ($XDG_DOCUMENTS_DIR, else ~/Documents/). The folders
// its settings name are Windows paths: they are read as the Wine prefix maps them ("C:"
// to drive_c, "Z:" to the root, other letters through dosdevices), with backslashes as
// "/", letters of each part in any case. A POSIX path is taken as it is.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvana {

class Messages;

// Where the sibling program's settings are looked for (see above).
struct SiblingPlaces {
  std::string winePrefix;       // ending in "/"
  std::string windowsFolder;    // the prefix's Windows folder, ending in "/"
  std::string documentsFolder;  // the user's documents folder, ending in "/"
};

// The places of this user from the environment: WINEPREFIX, HOME, XDG_DOCUMENTS_DIR.
SiblingPlaces SiblingPlacesFromEnvironment();

// A Windows path of the sibling program's settings as a path on this system (see above),
// ending in "/" when the Windows path ended in a backslash. An empty text stays empty.
std::string SiblingPathToLocal(const SiblingPlaces& places, std::string_view windowsPath);

struct ManagerFolder {
  std::string caption;  // "Korvana Folder", "Emberly 7 Folder", "Emberly Folder"
  std::string folder;   // ending in "/"
};

// The folder menu: first "Korvana Folder" (the user folder), then for n from 9 down to 2
// the chart folder of Emberly version n, each folder once (compared without regard to
// case), titled "Emberly " + n + " Folder" ("Emberly Folder" for 2):
//  - its settings file is "emberly" + n + ".ini" ("emberly.ini" for 2) in the Windows folder;
//  - n 2..6: key "ChartDataPath" of section "Emberly", else its key "UserDataPath";
//  - n 7..9, only when the settings file exists: the user folder is its key "UserFolder"
//    (section "Emberly"), else the documents folder + "Emberly User Files/"; the chart
//    folder is key "ChartDataPath" of the file of the same name in the user folder's
//    "Settings/" subfolder, else the user folder + "Charts/".
// A folder that is not named or does not exist is not offered.
std::vector<ManagerFolder> ManagerFolders(const std::string& userFolder, const SiblingPlaces& places);

// The index of the menu entry that is the current folder (compared with a final "/"), or
// nothing.
std::optional<std::size_t> CurrentManagerFolder(const std::vector<ManagerFolder>& folders, const std::string& current);

// The files of a folder that match one of the ";"-separated patterns of a mask
// ("*.cht;*.EMcht"), without regard to case, sorted by name; folders are left out.
std::vector<std::string> ManagerFiles(const std::string& folder, std::string_view mask);

// What the description panel shows for a file: its chart file title (ChartFileInfo) when
// its extension in lower case is ".cht", else "(No description found)".
std::string ManagerFileDescription(const std::string& path);

// The row to select after the file at `row` was deleted from a list now `count` long: the
// same row, or the last; nothing when the list is empty.
std::optional<std::size_t> RowAfterDelete(std::size_t row, std::size_t count);

// The full name of a file to create from the typed path: a name without an extension
// gets the extension of the file selected in the list, or, when none is selected, that of
// the mask's first pattern.
std::string NameToCreate(const std::string& typed, const std::string& selectedFile, std::string_view mask);

// "C&reate New...": refuses an existing file ("Cannot create this file because it already
// exists."); ".cht" makes an own-format chart file and ".EMcht" an empty collection, both
// titled "New chart file"; any other extension an empty file. True when made.
bool CreateManagedFile(const std::string& path, Messages& messages);

// "D&elete...": asks "Are you sure that you wish to permanently delete this file?\r\n\r\n"
// and the file name, then deletes it. False when declined or refused by the system (its
// reason shown).
bool DeleteManagedFile(const std::string& path, Messages& messages);

}  // namespace korvana
