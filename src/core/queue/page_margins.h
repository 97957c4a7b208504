// The "Page Margins" dialog's numbers: margins are stored in twips (1/1440 inch) and
// shown in inches or centimetres with three decimals.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvana {

// The unit codes the dialog takes and gives back (the viewer's ruler unit).
enum class MarginUnit { Centimetres = 0, Inches = 2 };

// The unit for a caller's code: 2 inches, anything else centimetres.
MarginUnit MarginUnitOf(int code);

// What a field shows for a stored margin.
double MarginFromTwips(std::int32_t twips, MarginUnit unit);

// A field's number with three decimals ("1.270").
std::string MarginText(double value);

// A field's number as typed; an unreadable, negative or non-finite number reads as 0.5.
double ReadMarginField(std::string_view text);

// A field's value after switching its unit.
double ConvertMargin(double value, MarginUnit from, MarginUnit to);

// The margin to store: value x 1440 (inches) or x 566.92914 (centimetres), rounded
// (halves to even); beyond 32767 twips (about 58 cm) it is 32767.
std::int32_t TwipsFromMargin(double value, MarginUnit unit);

// The four margins in the dialog's order: top, left, right, bottom.
struct PageMargins {
  std::int32_t top = 720, left = 720, right = 720, bottom = 720;
};

}  // namespace korvana
