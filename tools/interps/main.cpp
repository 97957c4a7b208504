// Builds an interpretation file from its readable source text.
//   korvana_interps SOURCE OUTPUT [--version N] [--directed]
#include <iostream>
#include <string>

#include "core/reports/interps/interp_builder.h"
#include "core/util/text.h"

int main(int argc, char** argv) {
  using namespace korvana;
  std::string source, output;
  std::optional<int> version;
  std::optional<bool> directed;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--version" && i + 1 < argc) {
      auto v = ParseInt32(argv[++i]);
      if (!v) {
        std::cerr << "korvana_interps: --version needs a number\n";
        return 2;
      }
      version = *v;
    } else if (a == "--directed") {
      directed = true;
    } else if (source.empty()) {
      source = a;
    } else if (output.empty()) {
      output = a;
    } else {
      source.clear();
      break;
    }
  }
  if (source.empty() || output.empty()) {
    std::cerr << "usage: korvana_interps SOURCE OUTPUT [--version N] [--directed]\n";
    return 2;
  }
  try {
    BuildInterpFileFromSource(source, output, version, directed);
  } catch (const EInterpSourceError& e) {
    std::cerr << "korvana_interps: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
