// IniFile: INI text files with the semantics of Windows private profile files.
//
// - Section and key names compare without regard to case; the first matching section and
//   the first matching key in it win, later duplicates are ignored.
// - Names and values are trimmed; a value enclosed in one pair of double quotes loses them.
// - Lines starting with ";" are comments and are kept as they are.
// - Writing a value replaces the first matching key line in place or appends the key at the
//   end of its section (a new section at the end of the file); every other line of the file,
//   comments included, stays as it was.
// - A file that is not valid UTF-8 is read as Windows-1252 (older files); files are written
//   as UTF-8.
// Save() writes through a work file and a rename, so a failed save leaves the old file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korvana {

class IniFile {
 public:
  IniFile() = default;
  // Loads the file at path; a missing or unreadable file gives an empty profile that will
  // be created by Save().
  explicit IniFile(std::string path);

  static IniFile FromText(std::string_view text);

  const std::string& Path() const { return path_; }
  void SetPath(std::string path) { path_ = std::move(path); }
  bool Loaded() const { return loaded_; }
  bool Modified() const { return modified_; }

  bool Save();
  std::string Text() const;

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // Integer values: decimal or "$"/"0x" hex; anything else gives the default.
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t defaultValue) const;
  // Booleans are integers; any non-zero integer is true.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  void DeleteKey(std::string_view section, std::string_view key);
  // Removes every section of that name with all its lines.
  void EraseSection(std::string_view section);

  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(std::string_view section) const;

 private:
  struct Line {
    std::string text;
  };
  // Index range [begin, end) of the lines of the first matching section (begin is the
  // header line), or nullopt.
  std::optional<std::pair<std::size_t, std::size_t>> SectionRange(std::string_view section) const;
  std::optional<std::size_t> KeyLine(std::string_view section, std::string_view key) const;
  // Every key of the first section of each name, first line of each key, so that reading
  // a file of thousands of keys does not scan it for each one. Made on the first look-up
  // after a change that moved lines.
  const std::unordered_map<std::string, std::size_t>& KeyIndex() const;

  std::string path_;
  std::vector<std::string> lines_;
  mutable std::unordered_map<std::string, std::size_t> keyIndex_;
  mutable bool indexed_ = false;
  bool loaded_ = false;
  bool modified_ = false;
};

}  // namespace korvana
