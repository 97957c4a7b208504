// Builds a wheel design file from its readable description:
//   korvana_wheeldesign DESCRIPTION.txt OUTPUT
// A description with "version = 1" is written in the older 962-byte layout (for designs
// that fit it); any other in the current one. The output is written through a work file,
// so a failed build leaves no half file.
#include <cstdio>
#include <string>

#include "core/util/files.h"
#include "core/wheels/wheel_design_text.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: korvana_wheeldesign DESCRIPTION.txt OUTPUT\n");
    return 2;
  }
  auto text = korvana::ReadFileBytes(argv[1]);
  if (!text) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  korvana::WheelDesign design;
  try {
    design = korvana::ParseWheelDescription(*text);
  } catch (const korvana::EWheelDescriptionError& e) {
    std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
    return 1;
  }
  std::string bytes;
  if (design.version == 1) {
    auto v1 = korvana::SerializeWheelDesignV1(design);
    if (!v1) {
      std::fprintf(stderr, "%s: the design does not fit the version-1 layout\n", argv[1]);
      return 1;
    }
    bytes = *v1;
  } else {
    bytes = korvana::SerializeWheelDesign(design);
  }
  if (!korvana::WriteFileAtomic(argv[2], bytes)) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
