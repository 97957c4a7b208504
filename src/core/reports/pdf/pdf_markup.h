// Report markup as the PDF layout reads it: the emphasis tokens in the order they are
// handled within a word, the layout's limits and search helpers that ignore letter case.
// Internal to the PDF path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/config/program_settings.h"

namespace korvana::pdf_markup {

inline constexpr std::size_t MaxWords = 9999;
inline constexpr std::size_t MaxTableRows = 100;
inline constexpr std::size_t MaxTableCells = 100;
inline constexpr std::size_t MaxListItems = 100;

// The emphasis tokens in the order they are handled within a word.
struct EmphasisToken {
  std::string_view token;
  std::uint8_t bit;
  bool on;
};
inline constexpr EmphasisToken EmphasisTokens[] = {
    {"<BOLDON>", StyleBold, true},          {"<ITALICON>", StyleItalic, true},
    {"<UNDERLINEON>", StyleUnderline, true}, {"<BOLDOFF>", StyleBold, false},
    {"<ITALICOFF>", StyleItalic, false},    {"<UNDERLINEOFF>", StyleUnderline, false},
};

inline std::uint8_t Apply(std::uint8_t state, const EmphasisToken& t) {
  return t.on ? static_cast<std::uint8_t>(state | t.bit) : static_cast<std::uint8_t>(state & ~t.bit);
}

// The first occurrence of `what` from `from` on, letter case ignored; npos when none.
std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from = 0);
// Removes every occurrence (letter case ignored); true when there was one.
bool RemoveAllNoCase(std::string& text, std::string_view what);
// Removes the first occurrence (letter case kept).
void RemoveFirst(std::string& text, std::string_view what);

}  // namespace korvana::pdf_markup
