// Conversion between the program's UTF-8 strings and the 8-bit Windows-1252 code page
// that the stored record files, INI files of older versions and RTF documents use.
#pragma once

#include <string>
#include <string_view>

namespace korvana {

// Each byte of a Windows-1252 text becomes its UTF-8 form. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252; a character the code page lacks becomes '?'. Invalid UTF-8 bytes
// are taken as Windows-1252 bytes as they stand, so already 8-bit text passes unchanged.
std::string Utf8ToCp1252(std::string_view utf8);

// Decodes one UTF-8 character at text[pos] and advances pos. Invalid sequences yield the
// byte's value and advance one byte.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

// The Windows-1252 byte for a code point, or -1 when the code page has none.
int Cp1252FromCodePoint(char32_t cp);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace korvana
