// Whole korvana processes, started and waited for: wall time per process (the benchmark's
// own time) and the child's CPU time as the counter "cpu_ms". A command that draws nothing
// must start without the GUI libraries; a report goes through the drawing program. Batch
// work casts the sixteen sample charts, or reports the fifteen birth charts among them (a
// natal set refuses the horary one), in one process ("items" per second).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

// A data folder and settings file of the benchmark's own, made by the first run.
const std::string& Scratch() {
  static const std::string folder = [] {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "korvana_bench_startup";
    std::filesystem::create_directories(dir);
    return dir.string() + "/";
  }();
  return folder;
}

// Runs korvana with the benchmark's folders and the words given; returns the child's CPU
// seconds, or a negative number when it did not exit with 0.
double RunKorvana(const std::vector<std::string>& words) {
  std::vector<std::string> all = {KORVANA_BINARY, "--home", Scratch() + "home", "--config", Scratch() + "registry.ini"};
  all.insert(all.end(), words.begin(), words.end());
  std::vector<char*> argv;
  for (std::string& w : all) argv.push_back(w.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void Process(benchmark::State& state, const std::vector<std::string>& words, int charts = 1) {
  if (RunKorvana(words) < 0) {  // also makes the data folder before timing starts
    state.SkipWithError("korvana failed");
    return;
  }
  double cpu = 0;
  for (auto _ : state) {
    const double used = RunKorvana(words);
    if (used < 0) {
      state.SkipWithError("korvana failed");
      return;
    }
    cpu += used;
  }
  state.counters["cpu_ms"] = benchmark::Counter(cpu * 1000, benchmark::Counter::kAvgIterations);
  state.SetItemsProcessed(state.iterations() * charts);
}

void BM_ParseDate(benchmark::State& state) { Process(state, {"parse", "date", "1 Jan 2000"}); }
void BM_CastOneChart(benchmark::State& state) { Process(state, {"cast", "--chart", "main.cht:1"}); }
void BM_ReportOneChart(benchmark::State& state) {
  Process(state, {"report", "--chart", "main.cht:1", "-o", Scratch() + "report.rtf"});
}

void BM_CastSixteenChartsInOneProcess(benchmark::State& state) {
  Process(state, {"cast", "--chart", "main.cht:all", "--json"}, 16);
}
void BM_ReportFifteenChartsInOneProcess(benchmark::State& state) {
  Process(state, {"report", "--chart", "main.cht:1-15", "-j", std::to_string(state.range(0))}, 15);
}

BENCHMARK(BM_ParseDate)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CastOneChart)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReportOneChart)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CastSixteenChartsInOneProcess)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReportFifteenChartsInOneProcess)->Arg(1)->Arg(2)->ArgName("jobs")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
