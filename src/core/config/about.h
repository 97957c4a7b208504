// The program's about text: its name, version and the credits that the licences of the
// data and libraries it ships with ask for. The desktop program's about box and
// `korvana about` show it.
#pragma once

#include <string>

namespace korvana {

// The version of this build ("0.1.0").
const char* ProgramVersion();

// The about text, lines separated by "\n".
std::string AboutText();

}  // namespace korvana
