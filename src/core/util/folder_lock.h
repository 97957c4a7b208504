// An exclusive advisory lock on the folder that holds a file. Writers that read, change
// and rewrite a file (a chart file and its memo file) hold it for the whole change, so
// that two programs changing files of one folder at once take turns instead of one
// losing the other's change. Readers need no lock: every rewrite replaces its file whole.
#pragma once

#include <chrono>
#include <string>

namespace korvana {

inline constexpr const char* FolderBusyMessage =
    "The file is being changed by another program. Try again in a moment.";

class FolderWriteLock {
 public:
  // Locks the folder of `path`, waiting up to `wait` while another program holds it.
  explicit FolderWriteLock(const std::string& path,
                           std::chrono::milliseconds wait = std::chrono::seconds(5));
  ~FolderWriteLock();
  FolderWriteLock(const FolderWriteLock&) = delete;
  FolderWriteLock& operator=(const FolderWriteLock&) = delete;

  // False when the folder could not be opened or the lock was not got in time.
  bool Locked() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace korvana
