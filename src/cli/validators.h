// Checks of option and argument values that have a fixed form. A value that fails one is
// a usage error: "NAME: takes ..." says what the value must be.
#pragma once

#include <climits>
#include <string>
#include <vector>

#include "cli/options.h"

namespace korvana::cli {

// A whole number (as ParseInt32 reads it) from low to high, rewritten to plain decimal
// digits; `what` names it in the message ("a house system number").
ValueCheck WholeNumber(int low, int high, const std::string& what);

// Any text but the empty one (a file name).
ValueCheck NotEmpty();

// One of `words`, compared without regard to case when ignoreCase; the value keeps the
// spelling given.
ValueCheck OneOf(std::vector<std::string> words, bool ignoreCase = false);

// Comma-separated genders, "m" or "f" (either case) or empty for each chart.
ValueCheck GenderList();

// A picture size "WxH", each side from low to high pixels.
ValueCheck PictureSize(int low, int high);

// A file name that ends with one of `extensions` (".png"), compared without regard to case.
ValueCheck FileExtension(std::vector<std::string> extensions);

}  // namespace korvana::cli
