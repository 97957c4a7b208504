// File helpers: whole-file reads, safe replacement of files, case-insensitive lookup of
// data files, wildcard listing and the folder/path rules the settings use.
//
// Folders are POSIX paths that end in "/". Writes that replace a file go through a work
// file in the same folder and a rename, so a failure leaves the old file untouched.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvana {

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

// What tells one version of a file from another without reading it: the path, the file
// number and the size and change time the file system keeps. A file rewritten in place,
// or replaced through a rename, gets another stamp; caches of what was read from a file
// (converted logos, compiled reports) compare stamps to know whether to read it again.
struct FileStamp {
  std::string path;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t changedNs = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of a regular file (a symbolic link followed), or nullopt when there is none.
std::optional<FileStamp> StampOf(const std::string& path);

// The whole of a regular file (a symbolic link followed), or nullopt when the path names
// anything else (a folder, a pipe, a device) or the file cannot be read. Never throws.
std::optional<std::string> ReadFileBytes(const std::string& path);

// True when a write may replace what is at `path`: nothing yet (a new name), or a regular
// file the user may write, a symbolic link judged by where it leads. Device nodes, pipes,
// sockets, folders and read-only files are never replaced.
bool IsReplaceableTarget(const std::string& path);

// How far a replacing write goes before the rename. Flushed waits until the data is on
// the disk, so that a power cut leaves the old file or the new one; Scratch skips that
// wait for files the program makes again on every run (the pictures a report embeds, the
// last converted logo), where the wait is most of the cost of a report batch.
enum class Durability { Flushed, Scratch };

// Writes data to a work file beside the target, flushes it (see Durability) and renames
// it over the target: `path`, or where `path` leads when it is a symbolic link (the link
// stays). The new file keeps the old one's permissions. Returns false (and leaves any old
// file as it was) on failure or when the target is not replaceable.
bool WriteFileAtomic(const std::string& path, std::string_view data, Durability durability = Durability::Flushed);

// The name of a new work file for `path`: path + ".work" + the process id + "_" + a
// random number. Every work file of the program is named so, which lets a later start
// find the ones an interrupted program left behind.
std::string WorkFileFor(const std::string& path);

// True when `name` (a bare file name) is a work file's: name.workPID_N with digits for PID
// and N. Such a file is never data: it is about to replace its target or was left
// behind by an interrupted program.
bool IsWorkFileName(std::string_view name);

// Removes the work files in `folder` (not below it) whose program is no longer running;
// returns how many were removed. Work files of running programs are left alone.
int RemoveStaleWorkFiles(const std::string& folder);

// Waits until everything written to the file system holding `folder` is on the disk
// (what a batch of Durability::Scratch writes does once at its end). False when the
// folder cannot be opened or the flush fails.
bool FlushFileSystemOf(const std::string& folder);

// The first half of WriteFileAtomic: writes data to a new work file beside the target of
// `path` and flushes it (see Durability). Returns the work file's name for ReplaceFile, or
// nullopt (and leaves nothing behind) on failure or when the target is not replaceable.
std::optional<std::string> WriteWorkFile(const std::string& path, std::string_view data,
                                         Durability durability = Durability::Flushed);

// Renames a finished work file over its target, as WriteFileAtomic does (links followed,
// permissions kept, only a replaceable target); the work file is removed on failure and
// the old target stays.
bool ReplaceFile(const std::string& workFile, const std::string& target);

// True when `path` lies inside `folder` (or is the folder), both taken as absolute paths
// with "..", "." and symbolic links of their existing parts resolved. False for an empty
// folder.
bool IsInsideFolder(const std::string& path, const std::string& folder);

// Creates a folder and its missing parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder);

// Copies a file; never overwrites when overwrite is false.
bool CopyFileTo(const std::string& from, const std::string& to, bool overwrite);

// The folder part of a path including its final "/", or "" when there is none.
std::string FolderOf(std::string_view path);
// The name after the last "/".
std::string NameOf(std::string_view path);
// The name without folder and without its last extension.
std::string BaseNameOf(std::string_view path);
// The extension with its dot ("" when none).
std::string ExtensionOf(std::string_view path);
// The path with its extension replaced (ext includes the dot).
std::string ChangeExtension(std::string_view path, std::string_view ext);
// Adds a trailing "/" when missing (an empty folder stays empty).
std::string WithTrailingSlash(std::string_view folder);
// An absolute, normalised form of a path ("." and ".." removed), keeping a trailing "/".
std::string NormalisePath(std::string_view path);

// Finds an existing file whose path equals `path` without regard to the case of each
// component (data files named SEPL_18.SE1 are found as sepl_18.se1). The exact path is
// tried first. Returns nullopt when there is no such file.
std::optional<std::string> FindPathNoCase(const std::string& path);

// Windows-style wildcard match ("*" any run, "?" one character), case-insensitive.
bool MatchesMask(std::string_view name, std::string_view mask);

// The bare names of all entries of the folder that match the mask, sorted by name.
std::vector<std::string> ListFiles(const std::string& folder, std::string_view mask);

// When the file name has a folder part it is returned unchanged; otherwise folder + name.
std::string ResolveInFolder(std::string_view fileName, std::string_view folder);

// When the folder part of the full path equals the folder exactly (byte comparison)
// only the file name is returned; otherwise the full path unchanged.
std::string RelativeToFolder(std::string_view fullPath, std::string_view folder);

// True when the file exists and another process holds a lock on it, or it cannot be
// opened for reading and writing; false when it does not exist or opens freely.
bool IsFileInUse(const std::string& path);

}  // namespace korvana
