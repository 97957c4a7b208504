// Small text helpers shared by every module: case-insensitive comparison (ASCII letters,
// as file names and keys are compared), trimming, splitting and number conversion with
// the strict rules the stored files need.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvana {

char AsciiLower(char c);
char AsciiUpper(char c);
std::string ToLowerAscii(std::string_view s);
std::string ToUpperAscii(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view s, std::string_view prefix);
bool EndsWithNoCase(std::string_view s, std::string_view suffix);

// Removes blanks, tabs, CR and LF at both ends.
std::string_view Trim(std::string_view s);

// The text without its control characters (bytes below 32 and 127): a name or place as it
// may be stored and shown, so that it cannot move a terminal's cursor or break a line.
std::string WithoutControlCharacters(std::string_view s);

// The text with each CR LF pair turned into a single LF: a message as a terminal shows it.
std::string WithUnixLineBreaks(std::string_view s);

// Splits at every occurrence of sep; an empty text gives one empty piece.
std::vector<std::string> Split(std::string_view s, char sep);

// Lines of a text file; "\r\n", "\n" and "\r" all end a line; no final empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Whole-text integer conversion: optional blanks, sign, decimal digits or a "$"/"0x" hex
// number. Anything else, or a value outside 32 bits, gives nullopt.
std::optional<std::int32_t> ParseInt32(std::string_view s);

// Whole-text real conversion with '.' as the decimal mark; nullopt on anything else.
std::optional<double> ParseReal(std::string_view s);

// Formats a real with '.' and the shortest text that reads back to the same value.
std::string FormatReal(double value);

}  // namespace korvana

namespace korvana {

// Reads a stored real number whatever decimal mark it was written with: every character
// other than "0123456789-+ " becomes the decimal point, then the text is converted; a
// text that does not convert reads as 0.
double ParseDecimal(std::string_view text);

}  // namespace korvana
