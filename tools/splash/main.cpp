// korvana_splash STYLE OUT.bmp: writes the splash picture of a shipped report set (STYLE
// is the set's name, one of splash::StyleNames) as a 24-bit bitmap.
#include <iostream>
#include <string>

#include "core/util/files.h"
#include "splash.h"

int main(int argc, char** argv) {
  korvana::splash::Style style;
  if (argc != 3 || !korvana::splash::ParseStyle(argv[1], style)) {
    std::string names;
    for (const auto& entry : korvana::splash::StyleNames) names += (names.empty() ? "" : "|") + std::string(entry.name);
    std::cerr << "usage: korvana_splash " << names << " OUT.bmp\n";
    return 2;
  }
  const auto image = korvana::splash::DrawSplash(style, 400, 300);
  if (!korvana::WriteFileAtomic(argv[2], korvana::splash::EncodeBmp(image))) {
    std::cerr << "cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
