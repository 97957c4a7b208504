// The base of every error the core raises for a file or entry it cannot read.
//
// A reader that meets a damaged, cut short or missing file throws a subclass of Error
// whose what() is the message for the user, word for word as the program shows it.
// Callers catch Error (or the subclass they expect) and pass what() to Messages; no
// reader shows a message itself or returns a marker value for a failure.
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
