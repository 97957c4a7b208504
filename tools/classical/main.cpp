// Builds the rulership tables and almuten scheme files from their readable sources.
//   korvana_classical rulers|terms|triplicities|scheme SOURCE OUTPUT
#include <iostream>
#include <string>

#include "core/analysis/almuten_scheme.h"
#include "core/analysis/classical_sources.h"
#include "core/util/files.h"

int main(int argc, char** argv) {
  using namespace korvana;
  if (argc != 4) {
    std::cerr << "usage: korvana_classical rulers|terms|triplicities|scheme SOURCE OUTPUT\n";
    return 2;
  }
  const std::string kind = argv[1], source = argv[2], output = argv[3];
  auto text = ReadFileBytes(source);
  if (!text) {
    std::cerr << "korvana_classical: cannot read " << source << "\n";
    return 1;
  }
  std::string bytes;
  try {
    if (kind == "rulers") bytes = BuildRulershipFile(*text);
    else if (kind == "terms") bytes = BuildDegreeFile(*text);
    else if (kind == "triplicities") bytes = BuildTriplicityFile(*text);
    else if (kind == "scheme") bytes = EncodeAlmutenRecord(ParseAlmutenSchemeSource(*text));
    else {
      std::cerr << "korvana_classical: unknown kind " << kind << "\n";
      return 2;
    }
  } catch (const EClassicalSourceError& e) {
    std::cerr << "korvana_classical: " << source << ": " << e.what() << "\n";
    return 1;
  }
  if (!WriteFileAtomic(output, bytes)) {
    std::cerr << "korvana_classical: cannot write " << output << "\n";
    return 1;
  }
  return 0;
}
