#include "core/util/files.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "core/util/text.h"

namespace fs = std::filesystem;

namespace korvana {

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

bool FolderExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  // The change time, not the modification time: a program cannot set it back.
  const std::int64_t changed = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
  return FileStamp{path, static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                   static_cast<std::int64_t>(st.st_size), changed};
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  // Only a regular file is read: a pipe or device named in a data file could block or
  // never end. Opening does not wait for a pipe's writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  std::string data;
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  try {
    if (ok) data.reserve(static_cast<std::size_t>(st.st_size));
    // Read to the end rather than to the size seen, which may have changed since.
    char buffer[65536];
    while (ok) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        ok = n == 0;
        break;
      }
      data.append(buffer, static_cast<std::size_t>(n));
    }
  } catch (const std::exception&) {
    ok = false;  // a file larger than memory cannot be read
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  return data;
}

std::string WorkFileFor(const std::string& path) {
  // One generator per thread: threads writing side by side draw their own numbers.
  thread_local std::mt19937 rng{std::random_device{}()};
  return path + ".work" + std::to_string(::getpid()) + "_" + std::to_string(rng() % 100000);
}

// The process id in a work file's name (name.workPID_N), 0 when it is none.
static long WorkFileOwner(std::string_view name) {
  const std::size_t at = name.rfind(".work");
  if (at == std::string::npos) return 0;
  const std::size_t underscore = name.find('_', at);
  if (underscore == std::string::npos || underscore == at + 5) return 0;
  long pid = 0;
  for (std::size_t i = at + 5; i < underscore; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i])) || pid > 100000000) return 0;
    pid = pid * 10 + (name[i] - '0');
  }
  for (std::size_t i = underscore + 1; i < name.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
  return underscore + 1 < name.size() ? pid : 0;
}

bool IsWorkFileName(std::string_view name) { return WorkFileOwner(name) > 0; }

int RemoveStaleWorkFiles(const std::string& folder) {
  int removed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    const long pid = WorkFileOwner(it->path().filename().string());
    if (pid <= 0) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;  // still running
    std::error_code gone;
    if (fs::remove(it->path(), gone)) ++removed;
  }
  return removed;
}

// The file a write to `path` replaces: where a symbolic link leads, else the path.
static std::string WriteTarget(const std::string& path) {
  std::error_code ec;
  if (!fs::is_symlink(path, ec)) return path;
  const fs::path resolved = fs::weakly_canonical(path, ec);
  return ec ? path : resolved.string();
}

bool IsInsideFolder(const std::string& path, const std::string& folder) {
  if (folder.empty() || path.empty()) return false;
  std::error_code ec;
  const fs::path p = fs::weakly_canonical(fs::absolute(path, ec), ec);
  if (ec) return false;
  const fs::path f = fs::weakly_canonical(fs::absolute(folder, ec), ec);
  if (ec) return false;
  auto pi = p.begin();
  for (auto fi = f.begin(); fi != f.end(); ++fi, ++pi) {
    if (fi->empty()) continue;  // the trailing separator of "folder/"
    if (pi == p.end() || *pi != *fi) return false;
  }
  return true;
}

bool IsReplaceableTarget(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno == ENOENT;
  return S_ISREG(st.st_mode) && ::access(path.c_str(), W_OK) == 0;
}

bool ReplaceFile(const std::string& workFile, const std::string& target) {
  const std::string real = WriteTarget(target);
  bool ok = IsReplaceableTarget(real);
  struct stat st {};
  if (ok && ::stat(real.c_str(), &st) == 0) ok = ::chmod(workFile.c_str(), st.st_mode & 07777) == 0;
  std::error_code ec;
  if (ok) {
    fs::rename(workFile, real, ec);
    ok = !ec;
  }
  if (!ok) fs::remove(workFile, ec);
  return ok;
}

bool FlushFileSystemOf(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::syncfs(fd) == 0;
  ::close(fd);
  return ok;
}

bool WriteFileAtomic(const std::string& path, std::string_view data, Durability durability) {
  const std::optional<std::string> work = WriteWorkFile(path, data, durability);
  return work && ReplaceFile(*work, path);
}

std::optional<std::string> WriteWorkFile(const std::string& path, std::string_view data, Durability durability) {
  if (!IsReplaceableTarget(WriteTarget(path))) return std::nullopt;
  std::string work = WorkFileFor(WriteTarget(path));
  int fd = ::open(work.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return std::nullopt;
  const char* p = data.data();
  std::size_t left = data.size();
  bool ok = true;
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n <= 0) {
      ok = false;
      break;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  if (ok && durability == Durability::Flushed && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (!ok) {
    ::unlink(work.c_str());
    return std::nullopt;
  }
  return work;
}

bool MakeFolders(const std::string& folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  return FolderExists(folder);
}

bool CopyFileTo(const std::string& from, const std::string& to, bool overwrite) {
  if (!overwrite && fs::exists(to)) return false;
  std::error_code ec;
  fs::copy_file(from, to, overwrite ? fs::copy_options::overwrite_existing : fs::copy_options::none, ec);
  return !ec;
}

std::string FolderOf(std::string_view path) {
  auto slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string NameOf(std::string_view path) {
  auto slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string BaseNameOf(std::string_view path) {
  std::string name = NameOf(path);
  auto dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string ExtensionOf(std::string_view path) {
  std::string name = NameOf(path);
  auto dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? std::string() : name.substr(dot);
}

std::string ChangeExtension(std::string_view path, std::string_view ext) {
  std::string folder = FolderOf(path);
  return folder + BaseNameOf(path) + std::string(ext);
}

std::string WithTrailingSlash(std::string_view folder) {
  std::string out(folder);
  if (!out.empty() && out.back() != '/') out += '/';
  return out;
}

std::string NormalisePath(std::string_view path) {
  if (path.empty()) return std::string();
  bool trailing = path.back() == '/';
  std::error_code ec;
  fs::path p = fs::absolute(fs::path(std::string(path)), ec).lexically_normal();
  std::string out = p.string();
  if (trailing || out.back() == '/') {
    while (out.size() > 1 && out.back() == '/') out.pop_back();
    out += '/';
    if (out == "//") out = "/";
  }
  return out;
}

std::optional<std::string> FindPathNoCase(const std::string& path) {
  if (path.empty()) return std::nullopt;
  std::error_code ec;
  if (fs::exists(path, ec)) return path;
  fs::path p(path);
  fs::path current = p.is_absolute() ? fs::path("/") : fs::path(".");
  for (const auto& part : p.relative_path()) {
    std::string name = part.string();
    if (name.empty() || name == ".") continue;
    fs::path candidate = current / name;
    if (fs::exists(candidate, ec)) {
      current = candidate;
      continue;
    }
    bool found = false;
    for (fs::directory_iterator it(current, ec), end; !ec && it != end; it.increment(ec)) {
      if (EqualsNoCase(it->path().filename().string(), name)) {
        current = it->path();
        found = true;
        break;
      }
    }
    if (!found) return std::nullopt;
  }
  std::string out = current.string();
  if (!p.is_absolute() && out.rfind("./", 0) == 0) out = out.substr(2);
  return out;
}

bool MatchesMask(std::string_view name, std::string_view mask) {
  // Iterative wildcard match with backtracking to the last "*".
  std::size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || AsciiLower(mask[m]) == AsciiLower(name[n]))) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      starM = m++;
      starN = n;
    } else if (starM != std::string_view::npos) {
      m = starM + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

std::vector<std::string> ListFiles(const std::string& folder, std::string_view mask) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (MatchesMask(name, mask)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ResolveInFolder(std::string_view fileName, std::string_view folder) {
  if (fileName.find('/') != std::string_view::npos) return std::string(fileName);
  return std::string(folder) + std::string(fileName);
}

std::string RelativeToFolder(std::string_view fullPath, std::string_view folder) {
  if (FolderOf(fullPath) == folder) return NameOf(fullPath);
  return std::string(fullPath);
}

bool IsFileInUse(const std::string& path) {
  if (!FileExists(path)) return false;
  int fd = ::open(path.c_str(), O_RDWR);
  if (fd < 0) return true;
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  bool locked = ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
  ::close(fd);
  return locked;
}

}  // namespace korvana
