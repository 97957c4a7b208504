// The atlas as a chart dialog uses it: opened once, then a look-up per typed name. A
// prefix look-up runs when nothing matches the whole name, over every place of the atlas.
#include <benchmark/benchmark.h>

#include "core/charts/atlas.h"

namespace {

const korvana::Atlas& Shared() {
  static const korvana::Atlas atlas(KORVANA_ATLAS_DB);
  return atlas;
}

void BM_OpenAtlas(benchmark::State& state) {
  for (auto _ : state) {
    korvana::Atlas atlas(KORVANA_ATLAS_DB);
    benchmark::DoNotOptimize(&atlas);
  }
}

void Lookup(benchmark::State& state, const char* text) {
  const korvana::Atlas& atlas = Shared();
  for (auto _ : state) benchmark::DoNotOptimize(atlas.Find(text));
}

void BM_PrefixLookup(benchmark::State& state) { Lookup(state, "Sydn"); }
void BM_WholeNameWithState(benchmark::State& state) { Lookup(state, "Sydney, NSW"); }
void BM_AmbiguousName(benchmark::State& state) { Lookup(state, "Paris"); }
void BM_AccentsAndCase(benchmark::State& state) { Lookup(state, "sao paulo"); }

BENCHMARK(BM_OpenAtlas)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrefixLookup)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WholeNameWithState)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AmbiguousName)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AccentsAndCase)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
