// The paper sizes a PDF page can take, and the choice of one for a printer's page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvana {

struct PaperSize {
  std::string_view name;
  double widthInches = 0, heightInches = 0;
};

// The page of the default printer in inches; nullopt when it cannot be asked.
struct PrinterPage {
  double widthInches = 0, heightInches = 0;
};

// The page size used when there is no printer: 8.347 x 11.806 inches (A4 by the rule below).
inline constexpr PrinterPage NoPrinterPage{8.347, 11.806};

// The first paper size (Letter, LetterSmall, Tabloid, ... ISOB4) whose width and height
// both differ from the page's by less than 1 % (|table / page - 1| < 0.01); otherwise
// "Custom" with the page's own width and height.
PaperSize ChoosePaperSize(const PrinterPage& page);

// A paper size by name ("A4", "Letter", ... letter case ignored); nullopt when unknown.
std::optional<PaperSize> PaperSizeNamed(std::string_view name);

}  // namespace korvana
