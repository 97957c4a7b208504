// The command line's JSON output: documents are built as nlohmann-json values and written
// in one fixed layout that keeps a record per line.
#pragma once

#include <nlohmann/json.hpp>

#include <iosfwd>

namespace korvana::cli {

using JsonValue = nlohmann::ordered_json;  // members keep the order they were added in

// Writes `document` and a newline: the top object's members one per line, an array of
// objects there one object per line, everything deeper on one line with ", " and ": "
// between items. Strings and numbers are written by nlohmann-json (invalid UTF-8 in a
// string becomes U+FFFD; a number is the shortest text that reads back as the same double).
void WriteJson(std::ostream& out, const JsonValue& document);

// `value` rounded to `decimals` decimals, so that its JSON text is the value a
// fixed-decimals format would show (without its trailing zeros).
double RoundedTo(double value, int decimals);

}  // namespace korvana::cli
