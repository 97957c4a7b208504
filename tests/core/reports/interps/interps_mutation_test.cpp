// Damaged interpretation files: a valid file mutated byte by byte and at random must
// never crash the reader or make it read outside the file; every request answers with a
// paragraph or one of the reader's messages.
#include <gtest/gtest.h>

#include <random>

#include "core/reports/interps/interp_builder.h"
#include "fuzz/exercise_interps.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

std::string ValidFile(int version) {
  return BuildInterpFile(ParseInterpSource("Aspects=Conjunction, Square\n"
                                           "[Aspect Sun, Square, Moon]\nSquare.\n"
                                           "[Sign Sun, Aries]\nAries.\n"
                                           "[House Moon, 12]\nTwelfth.\n"
                                           "[Degree 1]\nOne.\n"),
                         version, false);
}

TEST(InterpsMutation, ValidFilesAnswer) {
  testing::TempFolder folder;
  for (int version : {150, 250, 300})
    EXPECT_GT(testing::ExerciseInterpFile(ValidFile(version), folder / "f.int"), 0);
}

TEST(InterpsMutation, EveryHeaderByteSetToExtremes) {
  testing::TempFolder folder;
  for (int version : {150, 300}) {
    const std::string good = ValidFile(version);
    const std::size_t headerEnd = (version == 300 ? 166u : 154u) + 52 + 24;
    for (std::size_t i = 0; i < headerEnd; ++i)
      for (unsigned char v : {0x00, 0x80, 0xFF}) {
        std::string bad = good;
        bad[i] = static_cast<char>(v);
        testing::ExerciseInterpFile(bad, folder / "f.int");
      }
  }
}

TEST(InterpsMutation, RandomDamageAndTruncation) {
  testing::TempFolder folder;
  std::mt19937 random(20261210);
  const std::string good = ValidFile(250);
  for (int round = 0; round < 200; ++round) {
    std::string bad = good;
    int changes = 1 + static_cast<int>(random() % 8);
    for (int c = 0; c < changes; ++c) bad[random() % bad.size()] = static_cast<char>(random() & 0xFF);
    if (round % 3 == 0) bad.resize(random() % bad.size());
    testing::ExerciseInterpFile(bad, folder / "f.int");
  }
}

}  // namespace
}  // namespace korvana
