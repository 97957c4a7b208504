// A temporary folder for one test, removed with everything in it at the end of the test.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <stdlib.h>

namespace korvana::testing {

class TempFolder {
 public:
  TempFolder() : TempFolder(std::filesystem::temp_directory_path()) {}
  // A folder under `base`.
  explicit TempFolder(const std::filesystem::path& base) {
    std::string pattern = (base / "korvana-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern + "/" : std::string();
  }
  ~TempFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, ending in "/".
  const std::string& Path() const { return path_; }
  std::string operator/(std::string_view name) const { return path_ + std::string(name); }

  // Writes a file (folders are created) and returns its full path.
  std::string Write(std::string_view name, std::string_view content) const {
    std::string full = path_ + std::string(name);
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream(full, std::ios::binary) << content;
    return full;
  }

  std::string Read(std::string_view name) const {
    std::ifstream in(path_ + std::string(name), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

 private:
  std::string path_;
};

}  // namespace korvana::testing
