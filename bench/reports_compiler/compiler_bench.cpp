// Throughput of the report text compiler on generated sources: a typical report (one
// file of a few hundred kilobytes) and a large one (several megabytes over many includes).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/reports/compiler/compiler.h"
#include "core/util/messages.h"

namespace {

const char* const Statements[] = {
    "*Sun in Aries",           "++Moon in the 7th House", "+++Mars not Retrograde",
    "*Venus Conjunct Jupiter", "++Ruler of the 1st House is Combust",
    "*Saturn Approaches Square Uranus",
};

std::string Paragraphs(int section, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += Statements[i % 6];
    text += "\nThis interpretation paragraph describes the placement in some detail, as report\n"
            "authors write it, spread over a few lines of plain text for section " +
            std::to_string(section) + ".\n\nA second paragraph follows after a blank line.\n";
  }
  return text;
}

class Source {
 public:
  // `files` files of `sections` sections with `statements` statements each.
  Source(int files, int sections, int statements) {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvana-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    folder_ = pattern + "/";
    std::string main = "; generated report source\n";
    for (int f = 0; f < files; ++f) {
      std::string body;
      for (int s = 0; s < sections; ++s)
        body += "*Section 1\nSection " + std::to_string(f) + "." + std::to_string(s) + "\n" + Paragraphs(s, statements);
      if (files == 1) {
        main += body;
      } else {
        std::string name = "part" + std::to_string(f) + ".txt";
        Write(name, body);
        main += "#include " + name + "\n";
      }
    }
    Write("report.txt", main);
  }
  ~Source() { std::filesystem::remove_all(folder_); }

  std::string SourceFile() const { return folder_ + "report.txt"; }
  std::string CompiledFile() const { return folder_ + "report.bin"; }
  std::size_t Bytes() const { return bytes_; }

 private:
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ + name, std::ios::binary) << text;
    bytes_ += text.size();
  }
  std::string folder_;
  std::size_t bytes_ = 0;
};

void Compile(benchmark::State& state, const Source& source) {
  korvana::SilentMessages messages;
  std::vector<std::string> list;
  for (auto _ : state) {
    korvana::CompileResult result = korvana::CompileReportText(source.SourceFile(), source.CompiledFile(), list, messages);
    if (!result.written) state.SkipWithError("compilation failed");
    benchmark::DoNotOptimize(result.records);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * source.Bytes()));
  state.counters["source_bytes"] = static_cast<double>(source.Bytes());
}

void BM_CompileTypicalReport(benchmark::State& state) {
  static const Source source(1, 20, 60);
  Compile(state, source);
}
BENCHMARK(BM_CompileTypicalReport)->Unit(benchmark::kMillisecond);

void BM_CompileLargeReportWithIncludes(benchmark::State& state) {
  static const Source source(200, 5, 60);
  Compile(state, source);
}
BENCHMARK(BM_CompileLargeReportWithIncludes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
