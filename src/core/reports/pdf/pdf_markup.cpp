#include "core/reports/pdf/pdf_markup.h"

#include <cctype>
#include <cstdlib>

#include "core/reports/pdf/pdf_layout.h"
#include "core/util/codepage.h"
#include "core/util/text.h"

namespace korvana {
namespace pdf_markup {

std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from) {
  if (what.empty() || text.size() < what.size()) return std::string_view::npos;
  for (std::size_t i = from; i + what.size() <= text.size(); ++i)
    if (EqualsNoCase(text.substr(i, what.size()), what)) return i;
  return std::string_view::npos;
}

bool RemoveAllNoCase(std::string& text, std::string_view what) {
  bool found = false;
  for (std::size_t at; (at = FindNoCase(text, what)) != std::string::npos;) {
    text.erase(at, what.size());
    found = true;
  }
  return found;
}

void RemoveFirst(std::string& text, std::string_view what) {
  if (const std::size_t at = text.find(what); at != std::string::npos) text.erase(at, what.size());
}

}  // namespace pdf_markup

std::string PlainReportText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '{' || c == '}') {
      ++i;
      continue;
    }
    if (c != '\\' || i + 1 >= text.size()) {
      out.push_back(c);
      ++i;
      continue;
    }
    const char n = text[i + 1];
    if (n == '\\' || n == '{' || n == '}') {
      out.push_back(n);
      i += 2;
    } else if (n == '\'' && i + 3 < text.size()) {
      const std::string hex(text.substr(i + 2, 2));
      char* end = nullptr;
      const long byte = std::strtol(hex.c_str(), &end, 16);
      if (end == hex.c_str() + 2) out += Cp1252ToUtf8(std::string(1, static_cast<char>(byte)));
      i += 4;
    } else if (n == 'u' && i + 2 < text.size() && (std::isdigit(static_cast<unsigned char>(text[i + 2])) || text[i + 2] == '-')) {
      std::size_t j = i + 2;
      if (text[j] == '-') ++j;
      while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
      const long value = std::strtol(std::string(text.substr(i + 2, j - i - 2)).c_str(), nullptr, 10);
      AppendUtf8(out, static_cast<char32_t>(value < 0 ? value + 65536 : value));
      i = j;
      if (i < text.size() && text[i] == '?') ++i;
    } else if (std::isalpha(static_cast<unsigned char>(n))) {
      // Any other control word is formatting: dropped with its number and one blank.
      std::size_t j = i + 1;
      while (j < text.size() && std::isalpha(static_cast<unsigned char>(text[j]))) ++j;
      if (j < text.size() && text[j] == '-') ++j;
      while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
      if (j < text.size() && text[j] == ' ') ++j;
      i = j;
    } else {
      i += 2;
    }
  }
  return out;
}

}  // namespace korvana
