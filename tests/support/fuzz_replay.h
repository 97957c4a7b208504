// Replays a fuzz entry (LLVMFuzzerTestOneInput) without libFuzzer, so that every build
// and the sanitizer build run it: over its seeds, every seed cut short at steps, and a
// fixed, reproducible series of mutations of each seed (bytes changed, 32-bit fields
// overwritten with extreme values, records cut short, garbage or a repeated slice
// appended), every other round after the entry's own mutation of the fields its reader
// trusts least. "--write-seeds DIR" writes the seeds for libFuzzer instead; file names
// given run those files once each (inputs libFuzzer saved).
#pragma once

#include <climits>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size);

namespace korvana::testing {

struct FuzzSeed {
  std::string name;  // file name under which --write-seeds writes it
  std::string data;
};

// The random source of one replay, with the values readers find hardest.
class FuzzMutator {
 public:
  explicit FuzzMutator(std::uint32_t seed) : rng_(seed) {}

  std::uint32_t Next() { return static_cast<std::uint32_t>(rng_()); }
  // A number in [0, n); 0 when n is 0.
  std::size_t Below(std::size_t n) { return n == 0 ? 0 : Next() % n; }

  // Counts, lengths, sizes and links at and beyond the edges of their ranges.
  std::int32_t ExtremeInt() {
    static constexpr std::int32_t values[] = {0,       1,          -1,       2,       INT32_MAX, INT32_MIN,
                                              0x7FFF,  0x8000,     -0x8000,  0xFFFF,  0x10000,   32769,
                                              1000000, -1000000,   1 << 30,  255,     256,       -2};
    return values[Below(sizeof values / sizeof values[0])];
  }

  // Overwrites a little-endian value of `bytes` bytes at `at`, as far as the data reaches.
  static void Put(std::string& data, std::size_t at, std::uint32_t value, int bytes = 4) {
    for (int k = 0; k < bytes && at + k < data.size(); ++k)
      data[at + k] = static_cast<char>((value >> (8 * k)) & 0xFF);
  }

  // One to four changes anywhere in the data.
  void Generic(std::string& data) {
    const int changes = 1 + static_cast<int>(Below(4));
    for (int c = 0; c < changes; ++c) {
      const std::size_t at = Below(data.size());
      switch (Below(7)) {
        case 0:
          if (!data.empty()) data[at] = static_cast<char>(Next());
          break;
        case 1:
          if (!data.empty()) data[at] = static_cast<char>(data[at] ^ (1u << Below(8)));
          break;
        case 2:
        case 3: Put(data, at, static_cast<std::uint32_t>(ExtremeInt())); break;
        case 4: data.resize(at); break;
        case 5:
          for (std::size_t n = 1 + Below(64); n > 0; --n) data.push_back(static_cast<char>(Next()));
          break;
        default:  // a slice repeated at the end, as a record written twice
          data += data.substr(at, Below(data.size() - at + 1));
          break;
      }
    }
  }

 private:
  std::mt19937 rng_;
};

// Changes an entry makes to the fields of its format (may use Generic too).
using FuzzFieldMutation = std::function<void(std::string& data, FuzzMutator& mutator)>;

inline void RunFuzzInput(const std::string& data) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
}

// The replay's main: returns the exit code. Any fault of the entry aborts the process.
inline int ReplayFuzzEntry(int argc, char** argv, std::string_view name, const std::vector<FuzzSeed>& seeds,
                           const FuzzFieldMutation& fieldMutation, int rounds = 3000) {
  if (argc == 3 && std::string_view(argv[1]) == "--write-seeds") {
    for (const FuzzSeed& seed : seeds) {
      std::ofstream out(std::string(argv[2]) + "/" + seed.name, std::ios::binary);
      out << seed.data;
      if (!out) return 1;
    }
    return 0;
  }
  if (argc > 1) {  // inputs to run once each, as libFuzzer's findings
    for (int i = 1; i < argc; ++i) {
      std::ifstream in(argv[i], std::ios::binary);
      if (!in) {
        std::cerr << name << ": cannot read " << argv[i] << "\n";
        return 2;
      }
      RunFuzzInput(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }
    return 0;
  }
  FuzzMutator mutator(20261210);  // fixed: every run tries the same inputs
  long runs = 0;
  for (const FuzzSeed& seed : seeds) {
    RunFuzzInput(seed.data);
    const std::size_t step = seed.data.size() / 64 + 1;
    for (std::size_t cut = 0; cut < seed.data.size(); cut += step, ++runs) RunFuzzInput(seed.data.substr(0, cut));
    for (int round = 0; round < rounds; ++round, ++runs) {
      std::string data = seed.data;
      const bool fields = fieldMutation && round % 2 == 0;
      if (fields) fieldMutation(data, mutator);
      if (!fields || mutator.Below(4) == 0) mutator.Generic(data);
      RunFuzzInput(data);
    }
  }
  std::cout << name << ": " << runs << " inputs read without a fault\n";
  return 0;
}

}  // namespace korvana::testing
