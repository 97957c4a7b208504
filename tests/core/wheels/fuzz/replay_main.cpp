// Runs the wheel design fuzz entry without libFuzzer: over seeds of both record versions
// and a description, and over a fixed, reproducible series of their mutations (bytes
// changed, counts overwritten, records cut short).
#include <cstdint>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "core/wheels/wheel_design.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size);

namespace {

void Run(const std::string& s) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

std::vector<std::string> Seeds() {
  korvana::WheelDesign d;
  d.circleCount = 3;
  d.chartCount = 1;
  d.circles[0].radius = 1.0f;
  d.zodiac[0][0].band = {2, 1};
  d.zodiac[0][0].longTickInterval = 30;
  std::string v2 = korvana::SerializeWheelDesign(d);
  std::string v1(korvana::WheelDesignV1Size, '\0');
  v1[0] = 1;
  v1[82] = 3;
  v1[84] = 2;
  const std::string text =
      "[design]\ncircles = 2\ncharts = 1\n[circle 1]\nradius = 1\npen_color = #102030\n"
      "[zodiac 1 1]\ninner = 2\nouter = 1\n[points 1]\nradii = 0.8, 0.5, 0.3, 0.2, 0.1\n";
  return {v2, v1, text};
}

}  // namespace

int main() {
  std::mt19937 rng(20261210);
  std::size_t runs = 0;
  for (const std::string& seed : Seeds()) {
    Run(seed);
    ++runs;
    for (std::size_t cut = 0; cut <= seed.size(); cut += 37) {
      Run(seed.substr(0, cut));
      ++runs;
    }
    for (int round = 0; round < 3000; ++round) {
      std::string s = seed;
      const int flips = 1 + static_cast<int>(rng() % 16);
      for (int i = 0; i < flips; ++i) s[rng() % s.size()] = static_cast<char>(rng());
      if (round % 3 == 0 && s.size() > 86) {   // counts anywhere in their range and beyond
        s[82] = static_cast<char>(rng());
        s[84] = static_cast<char>(rng());
      }
      Run(s);
      ++runs;
    }
  }
  std::cout << runs << " inputs read without a fault\n";
  return 0;
}
