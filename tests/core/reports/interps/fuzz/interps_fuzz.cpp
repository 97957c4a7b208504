// libFuzzer entry point for the interpretation reader (built only with clang).
#include <string>

#include <unistd.h>

#include "exercise_interps.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "/tmp/korvana-interps-fuzz-" + std::to_string(::getpid()) + ".int";
  korvana::testing::ExerciseInterpFile(std::string_view(reinterpret_cast<const char*>(data), size), path);
  return 0;
}
