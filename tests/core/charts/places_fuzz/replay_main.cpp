// Replays the place file fuzz entry over place files made here with the program's own
// writer and over their mutations: text fields losing their terminating NUL or taking
// bytes of every kind, latitudes and longitudes with characters a record never keeps,
// zone table numbers at their extremes, files cut inside a record.
#include <string>
#include <vector>

#include "core/charts/place_file.h"
#include "support/fuzz_replay.h"

namespace {

using namespace korvana;
using korvana::testing::FuzzMutator;
using korvana::testing::FuzzSeed;

// Offset and width of each field of a record.
constexpr std::size_t FieldStarts[] = {0, 20, 40, 54, 62, 71};
constexpr std::size_t FieldWidths[] = {20, 20, 14, 8, 9, 2};

std::vector<FuzzSeed> Seeds() {
  const std::vector<PlaceRecord> australia{
      {"Sydney", "NSW", "AEST", "33S52", "151E13", 12},
      {"Perth", "WA", "AWST -8", "31S57", "115E51", 0},
      {"Perthville", "NSW", "AEST", "33S29", "149E33", -1},
  };
  const std::vector<PlaceRecord> europe{
      {"Zürich", "Schweiz", "MEZ", "47N22", "8E33", 32767},
      {"Nineteen characters", "Nineteen characters", "Thirteen char", "1234567", "12345678", -32768},
  };
  return {{"australia.plc", EncodePlaceFile(australia)}, {"europe.plc", EncodePlaceFile(europe)}};
}

void MutateFields(std::string& data, FuzzMutator& mutator) {
  if (data.size() < PlaceRecordSize) return;
  const std::size_t record = mutator.Below(data.size() / PlaceRecordSize) * PlaceRecordSize;
  const std::size_t field = mutator.Below(6);
  const std::size_t at = record + FieldStarts[field];
  switch (mutator.Below(4)) {
    case 0:  // the field filled to its end
      for (std::size_t i = 0; i < FieldWidths[field]; ++i) data[at + i] = static_cast<char>('A' + mutator.Below(26));
      break;
    case 1: data[at + mutator.Below(FieldWidths[field])] = static_cast<char>(mutator.Next()); break;
    case 2: FuzzMutator::Put(data, at, static_cast<std::uint32_t>(mutator.ExtremeInt()), 2); break;
    default: data.resize(record + mutator.Below(PlaceRecordSize)); break;
  }
}

}  // namespace

int main(int argc, char** argv) {
  return korvana::testing::ReplayFuzzEntry(argc, argv, "places_fuzz_replay", Seeds(), MutateFields);
}
