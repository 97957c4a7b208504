// Checks of option and argument values that have a fixed form, for the CLI11 parser. A
// value that fails one is a usage error: "NAME: takes ..." says what the value must be.
#pragma once

#include <CLI/CLI.hpp>

#include <climits>
#include <string>
#include <vector>

namespace korvana::cli {

// A whole number (as ParseInt32 reads it) from low to high, rewritten to plain decimal
// digits; `what` names it in the message ("a house system number").
CLI::Validator WholeNumber(int low, int high, const std::string& what);

// Any text but the empty one (a file name).
CLI::Validator NotEmpty();

// One of `words`, compared without regard to case when ignoreCase; the value keeps the
// spelling given.
CLI::Validator OneOf(std::vector<std::string> words, bool ignoreCase = false);

// Comma-separated genders, "m" or "f" (either case) or empty for each chart.
CLI::Validator GenderList();

// A picture size "WxH", each side from low to high pixels.
CLI::Validator PictureSize(int low, int high);

// A file name that ends with one of `extensions` (".png"), compared without regard to case.
CLI::Validator FileExtension(std::vector<std::string> extensions);

}  // namespace korvana::cli
