// korvana cast: casts a chart (from a chart file or from its fields) and prints the
// moment, every point with its speeds and equatorial coordinates, and the house cusps;
// --json prints the same as one JSON object.
#include <cmath>
#include <cstdio>
#include <memory>
#include <ostream>
#include <sstream>
#include <vector>

#include "cli/chart_options.h"
#include "cli/chart_printing.h"
#include "cli/command.h"
#include "cli/environment.h"
#include "cli/json_output.h"
#include "cli/validators.h"
#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"
#include "core/astro/houses.h"
#include "core/points/point_catalogue.h"
#include "core/astro/zodiac.h"
#include "core/charts/chart_record.h"
#include "core/charts/chart_reference.h"
#include "core/config/program_settings.h"
#include "core/time/entry_parsing.h"
#include "core/time/time_zone.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

// What the command line asks of cast.
struct CastArguments {
  OptionMap chart;
  std::optional<int> houses;
  std::optional<int> zodiac;
  bool meanNode = false;
  std::optional<std::string> backend;
  bool json = false;
};

int CastOne(CommandContext& ctx, const CastArguments& a) {
  CalcBackend backend = CalcBackend::Automatic;
  if (a.backend) backend = *a.backend == "swiss" ? CalcBackend::Swiss : CalcBackend::Own;

  ProgramSettings& s = ctx.env.Settings();
  Messages& messages = ctx.env.MessagesSink();
  CalculatedChart chart;
  bool swiss = false;
  try {
    auto chosen = ReadChosenChart(a.chart, s, messages);
    if (!chosen) return 1;
    ChartRecord& record = chosen->record;
    if (a.zodiac) record.Zodiac = static_cast<std::uint8_t>(*a.zodiac);
    if (a.meanNode) record.MeanNode = true;
    CastOptions options = CastOptionsFor(*chosen, s);
    if (a.houses) options.HouseSystem = *a.houses;
    options.Backend = backend;
    swiss = backend == CalcBackend::Swiss ||
            (backend == CalcBackend::Automatic && SwissEphemerisInUse());
    if (backend == CalcBackend::Swiss && !SwissEphemerisInUse())
      ctx.err << "korvana: the Swiss Ephemeris files in " << s.SwissEphemPath
              << " are not usable; the library uses its built-in theory\n";
    chart = CastChart(record, options);
  } catch (const std::exception& e) {
    ctx.err << "korvana: " << e.what() << "\n";
    return 1;
  }
  SayWhatWasNotComputed(ctx.err, chart, swiss, s);
  if (a.json)
    PrintChartJson(ctx.out, chart, swiss);
  else
    PrintChartText(ctx.out, chart, swiss, s);
  return 0;
}

// One chart, or each chart of a run: the text blocks of the charts cast, a blank line
// between two, or one JSON array of them. A chart that cannot be cast is said on stderr
// and leaves no gap in the output.
int Run(CommandContext& ctx, const CastArguments& a) {
  const bool array = a.json && NamesChartRun(a.chart);
  bool first = true;
  const int status = ForEachChart(ctx, a.chart, [&](const OptionMap& chart) {
    CastArguments one = a;
    one.chart = chart;
    std::ostringstream text;
    CommandContext own{text, ctx.err, ctx.env};
    const int cast = CastOne(own, one);
    if (cast == 0) {
      ctx.out << (first ? (array ? "[\n" : "") : (a.json ? ",\n" : "\n")) << text.str();
      first = false;
    }
    return cast;
  });
  if (array && !first) ctx.out << "]\n";
  return status;
}

CommandRun Build(CommandOptions& app) {
  auto a = std::make_shared<CastArguments>();
  AddChartOptions(app, a->chart);
  app.Value("--houses", a->houses, "the house system number instead of the chart's")
      .ValueName("N")
      .Check(WholeNumber(1, HouseSystemCount, "a house system number"));
  app.Value("--zodiac", a->zodiac, "the zodiac number instead of the chart's")
      .ValueName("N")
      .Check(WholeNumber(0, ZodiacCount - 1, "a zodiac number"));
  app.Flag("--mean-node", a->meanNode, "the mean lunar node instead of the true one");
  app.Value("--backend", a->backend, "the planetary back end (default: as the settings choose)")
      .ValueName("swiss|own")
      .Check(OneOf({"swiss", "own"}));
  app.Flag("--json", a->json, "print one JSON object instead of text (an array of them for a run of charts)");
  return [a](CommandContext& ctx) { return Run(ctx, *a); };
}

CommandRegistration reg({"cast",
                         std::string("cast ") + ChartSynopsis +
                             " [--houses N] [--zodiac N] [--mean-node] [--backend swiss|own] [--json]",
                         "cast a chart: points, speeds, equatorial coordinates, houses", Build});

}  // namespace
}  // namespace korvana::cli
