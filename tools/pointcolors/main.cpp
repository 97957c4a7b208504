// Builds the point colour file: 36 little-endian 32-bit colours (red in the low byte),
// one per chart point, from a text list of "number name red green blue" lines.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "core/util/files.h"
#include "core/util/records.h"
#include "core/util/text.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: korvana_pointcolors COLORS.txt OUT.cpt\n";
    return 2;
  }
  auto text = korvana::ReadFileBytes(argv[1]);
  if (!text) {
    std::cerr << "cannot read " << argv[1] << "\n";
    return 1;
  }
  std::uint32_t colors[37] = {};
  bool seen[37] = {};
  int lineNo = 0;
  for (const auto& raw : korvana::SplitLines(*text)) {
    ++lineNo;
    auto line = korvana::Trim(raw);
    if (line.empty() || line.front() == '#') continue;
    std::istringstream in{std::string(line)};
    int n, r, g, b;
    std::string name;
    if (!(in >> n >> name >> r >> g >> b) || n < 1 || n > 36 || r < 0 || r > 255 || g < 0 || g > 255 ||
        b < 0 || b > 255 || seen[n]) {
      std::cerr << argv[1] << ":" << lineNo << ": expected \"number name red green blue\"\n";
      return 1;
    }
    seen[n] = true;
    colors[n] = static_cast<std::uint32_t>(r | (g << 8) | (b << 16));
  }
  for (int n = 1; n <= 36; ++n) {
    if (!seen[n]) {
      std::cerr << argv[1] << ": point " << n << " has no colour\n";
      return 1;
    }
  }
  korvana::ByteWriter w;
  for (int n = 1; n <= 36; ++n) w.U32(colors[n]);
  if (!korvana::WriteFileAtomic(argv[2], w.Data())) {
    std::cerr << "cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
