#include "core/util/codepage.h"

namespace korvana {
namespace {

// Code points of bytes 0x80..0x9F in Windows-1252 (undefined bytes keep their value).
constexpr char32_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) out += ch;
    else if (b < 0xA0) AppendUtf8(out, HighControls[b - 0x80]);
    else AppendUtf8(out, b);
  }
  return out;
}

char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  auto b0 = static_cast<unsigned char>(text[pos]);
  int extra = 0;
  char32_t cp = 0;
  if (b0 < 0x80) {
    ++pos;
    return b0;
  } else if ((b0 & 0xE0) == 0xC0) {
    extra = 1;
    cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2;
    cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3;
    cp = b0 & 0x07;
  } else {
    ++pos;
    return b0;
  }
  if (pos + extra >= text.size()) {
    ++pos;
    return b0;
  }
  for (int i = 1; i <= extra; ++i) {
    auto b = static_cast<unsigned char>(text[pos + i]);
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return b0;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  pos += extra + 1;
  return cp;
}

int Cp1252FromCodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i)
    if (HighControls[i] == cp) return 0x80 + i;
  return -1;
}

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = NextCodePoint(utf8, pos);
    int b = Cp1252FromCodePoint(cp);
    out += b < 0 ? '?' : static_cast<char>(b);
  }
  return out;
}

}  // namespace korvana
