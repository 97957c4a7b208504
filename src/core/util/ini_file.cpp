#include "core/util/ini_file.h"

#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana {
namespace {

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    auto b = static_cast<unsigned char>(s[i]);
    int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0) return false;
    for (int k = 1; k <= extra; ++k)
      if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

// "[Name]" -> Name; nullopt for any other line.
std::optional<std::string_view> SectionHeader(std::string_view line) {
  line = Trim(line);
  if (line.size() >= 2 && line.front() == '[') {
    auto close = line.find(']');
    if (close != std::string_view::npos) return Trim(line.substr(1, close - 1));
  }
  return std::nullopt;
}

// "key=value" -> (key, value), trimmed; nullopt for comments and lines without "=".
std::optional<std::pair<std::string_view, std::string_view>> KeyValue(std::string_view line) {
  std::string_view t = Trim(line);
  if (t.empty() || t.front() == ';') return std::nullopt;
  auto eq = t.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return std::make_pair(Trim(t.substr(0, eq)), Trim(t.substr(eq + 1)));
}

// The index's name of a key: section and key without regard to case.
std::string IndexName(std::string_view section, std::string_view key) {
  return ToLowerAscii(Trim(section)) + '\n' + ToLowerAscii(Trim(key));
}

std::string Unquote(std::string_view v) {
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
  return std::string(v);
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  if (auto data = ReadFileBytes(path_)) {
    std::string text = IsValidUtf8(*data) ? *data : Cp1252ToUtf8(*data);
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    lines_ = SplitLines(text);
    loaded_ = true;
  }
}

IniFile IniFile::FromText(std::string_view text) {
  IniFile ini;
  ini.lines_ = SplitLines(text);
  ini.loaded_ = true;
  return ini;
}

std::string IniFile::Text() const {
  std::string out;
  for (const auto& line : lines_) {
    out += line;
    out += "\r\n";
  }
  return out;
}

bool IniFile::Save() {
  if (path_.empty()) return false;
  if (!WriteFileAtomic(path_, Text())) return false;
  modified_ = false;
  return true;
}

std::optional<std::pair<std::size_t, std::size_t>> IniFile::SectionRange(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    auto name = SectionHeader(lines_[i]);
    if (name && EqualsNoCase(*name, Trim(section))) {
      std::size_t end = i + 1;
      while (end < lines_.size() && !SectionHeader(lines_[end])) ++end;
      return std::make_pair(i, end);
    }
  }
  return std::nullopt;
}

const std::unordered_map<std::string, std::size_t>& IniFile::KeyIndex() const {
  if (indexed_) return keyIndex_;
  keyIndex_.clear();
  std::unordered_map<std::string, bool> sectionsSeen;
  std::optional<std::string> section;  // nullopt before the first header and in a repeated section
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (auto name = SectionHeader(lines_[i])) {
      const std::string lower = ToLowerAscii(*name);
      section = sectionsSeen.emplace(lower, true).second ? std::optional<std::string>(lower) : std::nullopt;
    } else if (auto kv = KeyValue(lines_[i]); kv && section) {
      keyIndex_.emplace(IndexName(*section, kv->first), i);
    }
  }
  indexed_ = true;
  return keyIndex_;
}

std::optional<std::size_t> IniFile::KeyLine(std::string_view section, std::string_view key) const {
  const auto& index = KeyIndex();
  auto it = index.find(IndexName(section, key));
  if (it == index.end()) return std::nullopt;
  return it->second;
}

bool IniFile::SectionExists(std::string_view section) const { return SectionRange(section).has_value(); }

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
  return KeyLine(section, key).has_value();
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
  auto line = KeyLine(section, key);
  if (!line) return std::nullopt;
  return Unquote(KeyValue(lines_[*line])->second);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
  auto v = Find(section, key);
  return v ? *v : std::string(defaultValue);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t defaultValue) const {
  auto v = Find(section, key);
  if (!v) return defaultValue;
  return ParseInt32(*v).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::string line = std::string(Trim(key)) + "=" + std::string(value);
  modified_ = true;
  if (auto at = KeyLine(section, key)) {
    lines_[*at] = line;
    return;
  }
  if (auto range = SectionRange(section)) {
    // After the last non-blank line of the section.
    std::size_t insert = range->second;
    while (insert > range->first + 1 && Trim(lines_[insert - 1]).empty()) --insert;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert), line);
    indexed_ = false;
    return;
  }
  if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
  lines_.push_back("[" + std::string(Trim(section)) + "]");
  lines_.push_back(line);
  indexed_ = false;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  if (auto at = KeyLine(section, key)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*at));
    modified_ = true;
    indexed_ = false;
  }
}

void IniFile::EraseSection(std::string_view section) {
  while (auto range = SectionRange(section)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->first),
                 lines_.begin() + static_cast<std::ptrdiff_t>(range->second));
    modified_ = true;
    indexed_ = false;
  }
}

std::vector<std::string> IniFile::SectionNames() const {
  std::vector<std::string> names;
  for (const auto& line : lines_) {
    if (auto name = SectionHeader(line)) {
      bool seen = false;
      for (const auto& n : names) seen = seen || EqualsNoCase(n, *name);
      if (!seen) names.emplace_back(*name);
    }
  }
  return names;
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
  std::vector<std::string> keys;
  auto range = SectionRange(section);
  if (!range) return keys;
  for (std::size_t i = range->first + 1; i < range->second; ++i)
    if (auto kv = KeyValue(lines_[i])) keys.emplace_back(kv->first);
  return keys;
}

}  // namespace korvana
