// Time to read a document of a report's size and kind (about 60 pages of formatted
// paragraphs, escapes, a table and a wheel metafile) as the viewer does: parsing alone,
// parsing and building the QTextDocument, and writing the document back as RTF.
#include <benchmark/benchmark.h>

#include <QPainter>
#include <QTextDocument>
#include <string>

#include "render/metafile.h"
#include "render/rtf_reader/rtf_text_document.h"

namespace korvana::rtf {
namespace {

std::string Wheel() {
  TMetafile metafile(700, 900);
  {
    QPainter painter(&metafile);
    PrepareMetafileCanvas(painter, QRect(0, 0, 700, 900));
    for (int r = 50; r < 340; r += 15) painter.drawEllipse(QPoint(350, 450), r, r);
    for (int k = 0; k < 360; k += 5) painter.drawLine(350, 450, 350 + k % 300, 150 + k);
  }
  return metafile.Data().substr(22);
}

std::string Report() {
  const std::string wheel = Wheel();
  std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Arial;}{\\f3\\fnil ZP Sans Serif;}}"
                    "{\\colortbl\\red0\\green0\\blue0;\\red128\\green0\\blue64;}\\paperw12018\\paperh16951\r\n";
  rtf += "\\pard\\qc {\\pict\\wmetafile8\\picwgoal10578\\pichgoal13751\\bin" + std::to_string(wheel.size()) + " " + wheel +
         "}\\par \\page\r\n";
  for (int row = 0; row < 30; ++row)
    rtf += "\\trowd\\trleft360\\cellx2000\\cellx3600\\cellx5200\\intbl\\ql The Moon\\cell Sagittarius\\cell 14\\'b0Sg31'\\cell\\row\r\n";
  for (int p = 0; p < 1200; ++p) {
    rtf += "\\pard\\keepn\\f3\\fs28\\cf1 {\\b Sun in Pisces}\\par\r\n\\pard\\qj\\f3\\fs22\\cf0 ";
    for (int s = 0; s < 4; ++s)
      rtf += "You are sensitive and {\\i receptive}, with a caf\\'e9 \\u8364? imagination that colours what you see. ";
    rtf += "\\par\r\n";
  }
  return rtf + "}";
}

const std::string& Document() {
  static const std::string rtf = Report();
  return rtf;
}

void BM_ParseRtf(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ParseRtf(Document()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Document().size()));
}
BENCHMARK(BM_ParseRtf)->Unit(benchmark::kMillisecond);

void BM_ReadRtfIntoTextDocument(benchmark::State& state) {
  for (auto _ : state) {
    QTextDocument doc;
    ReadRtf(Document(), doc);
    benchmark::DoNotOptimize(doc.characterCount());
  }
}
BENCHMARK(BM_ReadRtfIntoTextDocument)->Unit(benchmark::kMillisecond);

void BM_WriteRtf(benchmark::State& state) {
  QTextDocument doc;
  const PageGeometry page = ReadRtf(Document(), doc);
  for (auto _ : state) benchmark::DoNotOptimize(WriteRtf(doc, page));
}
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvana::rtf

#include "../support/gui_benchmark_main.h"
