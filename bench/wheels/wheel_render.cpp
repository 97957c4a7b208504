// Time to draw a full wheel (36 points, aspect lines) after the shipped default design.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdlib>

#include "core/analysis/aspect_file.h"
#include "core/util/messages.h"
#include "render/metafile.h"
#include "render/wheel_renderer.h"

namespace korvana {
namespace {

struct Setup {
  WheelDesign design;
  AspectSet aspects;
  CalculatedChart chart;
  ProgramSettings settings;
  WheelRenderInput input;
  Setup() {
    SilentMessages quiet;
    const std::string dir = std::string(KORVANA_TEMPLATE_DIR) + "/userdata/";
    auto d = LoadWheelDesign(dir + "uni5.wh1", quiet);
    if (!d || !LoadAspectFile(dir + "modern.asp", aspects, quiet)) std::abort();
    design = *d;
    for (int k = 1; k <= 12; ++k) chart.Houses.Cusps[static_cast<std::size_t>(k)] = std::fmod(95.0 + 31.0 * (k - 1), 360.0);
    for (int id = 1; id <= LastPoint; ++id) chart.Point(id).Longitude = std::fmod(id * 47.3, 360.0);
    input.charts = {WheelChart{.chart = &chart}};
    input.selection.fill(true);
    input.aspects = &aspects;
  }
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

void BM_WheelImage2000(benchmark::State& state) {
  Setup& s = Shared();
  SilentMessages quiet;
  for (auto _ : state) {
    QImage image(2000, 2000, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    RenderWheel(painter, QRect(0, 0, 2000, 2000), s.design, s.input, s.settings, quiet);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_WheelImage2000)->Unit(benchmark::kMillisecond);

void BM_WheelMetafile(benchmark::State& state) {
  Setup& s = Shared();
  SilentMessages quiet;
  for (auto _ : state) {
    TMetafile metafile(2000, 2000);
    QPainter painter(&metafile);
    PrepareMetafileCanvas(painter, QRect(0, 0, 2000, 2000));
    RenderWheel(painter, QRect(0, 0, 2000, 2000), s.design, s.input, s.settings, quiet);
    painter.end();
    benchmark::DoNotOptimize(metafile.Data().size());
  }
}
BENCHMARK(BM_WheelMetafile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvana

#include "../support/gui_benchmark_main.h"
