// The queue file is rewritten whole on every change (so that a failure keeps the old
// file): how a status change and a full read grow with the queue. And the print loop:
// a report document of N pages laid out and printed, headers and labels included.
#include <benchmark/benchmark.h>

#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <filesystem>

#include "core/queue/queue_run.h"
#include "core/reports/reportset/report_set.h"
#include "render/report_printing.h"

namespace korvana {
namespace {

std::string QueueWith(int entries) {
  const std::string file = (std::filesystem::temp_directory_path() / ("korvana-bench-queue-" + std::to_string(entries))).string();
  std::filesystem::remove(file);
  PrintQueue queue(file);
  StoredChart chart;
  chart.chart.Name = "Ann";
  TKVReport set;
  set.setFile = "/r/modern.swp";
  set.caption = "Modern Natal Report";
  const QueueEntry entry = MakeQueueEntry({chart}, set, 1);
  for (int i = 0; i < entries; ++i) queue.Add(entry);
  return file;
}

void ToggleEntry(benchmark::State& state) {
  PrintQueue queue(QueueWith(static_cast<int>(state.range(0))));
  QueueModel model(queue);
  model.Load();
  for (auto _ : state) benchmark::DoNotOptimize(model.Toggle(0));
  std::filesystem::remove(queue.File());
}
BENCHMARK(ToggleEntry)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void ReadWholeQueue(benchmark::State& state) {
  PrintQueue queue(QueueWith(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(queue.ReadAll());
  std::filesystem::remove(queue.File());
}
BENCHMARK(ReadWholeQueue)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void PrintPages(benchmark::State& state) {
  QTextDocument document;
  QTextCursor cursor(&document);
  for (int page = 0; page < state.range(0); ++page) {
    QTextBlockFormat format;
    if (page > 0) format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.insertBlock(format);
    for (int line = 0; line < 40; ++line) cursor.insertText("The Sun in Aries speaks of a pioneering spirit. ");
  }
  const std::string file = (std::filesystem::temp_directory_path() / "korvana-bench-print.pdf").string();
  ReportPageSetup setup;
  for (auto _ : state) {
    QPdfWriter writer(QString::fromStdString(file));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(600);
    ReportPrintJob job;
    job.headerText = "Korvana Modern Natal Report - Ann";
    benchmark::DoNotOptimize(PrintReport(document, writer, setup, job));
  }
  std::filesystem::remove(file);
}
BENCHMARK(PrintPages)->Arg(5)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvana

#include "../support/gui_benchmark_main.h"
