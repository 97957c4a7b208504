// Runs the chart reader fuzz entry without libFuzzer: over seed files of every chart
// file format and the memo file (made here with the program's own writers), and over a
// fixed, reproducible series of mutations of them (bytes changed, counts and lengths
// overwritten, files cut short). "--write-seeds DIR" writes the seeds for libFuzzer.
#include <cstdint>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "core/charts/chart_collection.h"
#include "core/charts/chart_files.h"
#include "core/charts/memo_file.h"
#include "core/config/program_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size);

namespace {

using namespace korvana;

std::vector<std::pair<std::string, std::string>> Seeds() {
  ProgramSettings settings;
  ChartRecord a = NewChartRecord(settings);
  a.Name = "Seed south east";
  a.Moment.Year = 1975;
  a.Moment.Month = 11;
  a.Moment.Day = 23;
  a.Latitude = -33.5;
  a.Longitude = -151.25;
  a.ZoneAbbrev = "AEDT";
  a.ZoneHours = -11;
  ChartRecord b = a;
  b.Name = "Seed north west";
  b.Moment.Year = -43;
  b.Latitude = 69.65;
  b.Longitude = 74.0;
  b.ChartType = 4;
  b.ChartSubType = 7;
  b.ChartTypeParam = 301;
  const std::string ownA = OwnRecordFromChart(a, 5, 0.0f, 2), ownB = OwnRecordFromChart(b, 7, 1.5f, 0);

  TEM6ChartCollection collection;
  collection.titleField = TitleField("Seed collection");
  collection.charts.push_back({WideFromOwn(ownA), {{HeaderlessFromOwn(ownB), "event memo"}}, "chart memo"});
  collection.charts.push_back({WideFromOwn(ownB), {}, ""});

  std::string memo;
  WriteMemoData(memo, 0, "A memo of more than twenty-eight characters, three records long.");
  const std::int32_t second = WriteMemoData(memo, 0, "short");
  WriteMemoData(memo, second, "");  // a free chain

  return {
      {"own.cht", OwnFileHeader("Seed") + ownA + ownB},
      {"wide.cht", WideFileHeader("Seed") + WideFromOwn(ownA) + WideFromOwn(ownB)},
      {"collection.EMcht", SerializeCollection(collection)},
      {"headerless.cht", HeaderlessFromOwn(ownA) + HeaderlessFromOwn(ownB)},
      {"memo.chm", memo},
  };
}

void Run(const std::string& data) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
}

}  // namespace

int main(int argc, char** argv) {
  const auto seeds = Seeds();
  if (argc == 3 && std::string(argv[1]) == "--write-seeds") {
    for (const auto& [name, data] : seeds) {
      std::ofstream out(std::string(argv[2]) + "/" + name, std::ios::binary);
      out << data;
      if (!out) return 1;
    }
    return 0;
  }
  std::mt19937 rng(20261210);  // fixed: every run tries the same inputs
  long runs = 0;
  for (const auto& [name, seed] : seeds) {
    Run(seed);
    for (std::size_t cut = 0; cut < seed.size(); cut += 7) Run(seed.substr(0, cut));
    for (int i = 0; i < 3000; ++i) {
      std::string data = seed;
      const int changes = 1 + static_cast<int>(rng() % 4);
      for (int c = 0; c < changes && !data.empty(); ++c) {
        const std::size_t at = rng() % data.size();
        switch (rng() % 4) {
          case 0: data[at] = static_cast<char>(rng()); break;
          case 1: data[at] = static_cast<char>(data[at] ^ (1 << (rng() % 8))); break;
          case 2:  // a 32-bit count or length overwritten with an awkward value
            for (std::size_t k = 0; k < 4 && at + k < data.size(); ++k) {
              static const std::uint32_t awkward[] = {0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 1000000u, 2u, 0u};
              data[at + k] = static_cast<char>((awkward[i % 6] >> (8 * k)) & 0xFF);
            }
            break;
          default: data.resize(at); break;
        }
      }
      Run(data);
      ++runs;
    }
  }
  std::cout << "charts_fuzz_replay: " << runs << " mutated inputs, no failure\n";
  return 0;
}
