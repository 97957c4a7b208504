// The base of every error the core raises for a file or entry it cannot read.
//
// A reader that meets a missing, damaged or cut short file throws a subclass of Error
// whose what() is the message for the user, word for word as the program shows it; it
// returns no marker value for a failure. A caller catches Error (or the subclass it
// expects) and passes what() to Messages, or goes on without the file where the program
// does so silently. The functions that take a Messages (LoadAspectFile, LoadWheelDesign,
// ReadPointColors, ...) are such callers, kept for the code that reports in one step.
// Subclasses are named with an "E" prefix after the file or entry they concern.
#pragma once

#include <stdexcept>
#include <string>

namespace korvana {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace korvana
