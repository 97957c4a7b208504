// Builds a binary aspect file from its readable source (see core/analysis/aspect_source.h).
#include <iostream>

#include "core/analysis/aspect_file.h"
#include "core/analysis/aspect_source.h"
#include "core/util/files.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: korvana_aspectfile SOURCE.txt OUT.asp\n";
    return 2;
  }
  auto text = korvana::ReadFileBytes(argv[1]);
  if (!text) {
    std::cerr << "cannot read " << argv[1] << "\n";
    return 1;
  }
  korvana::AspectSet set;
  try {
    set = korvana::ParseAspectSource(*text);
  } catch (const korvana::EAspectSourceError& e) {
    std::cerr << argv[1] << ": " << e.what() << "\n";
    return 1;
  }
  if (!korvana::SaveAspectFile(argv[2], set)) {
    std::cerr << "cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
