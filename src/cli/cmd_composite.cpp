// korvana composite: the combined chart of two charts, by midpoints (houses anchored
// automatically, on the 1st or on the 10th) or as the Davison chart, printed as cast
// prints a chart; --save appends it to a chart file.
#include <memory>
#include <ostream>

#include "cli/chart_options.h"
#include "cli/chart_printing.h"
#include "cli/command.h"
#include "cli/environment.h"
#include "cli/validators.h"
#include "core/astro/ephemeris.h"
#include "core/charts/chart_files.h"
#include "core/charts/chart_reference.h"
#include "core/derived/combined_chart.h"
#include "core/time/entry_parsing.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

struct CompositeArguments {
  OptionMap chart;
  std::string chart2, method, anchor, save;
  bool json = false;
};

int Run(CommandContext& ctx, const CompositeArguments& a) {
  ProgramSettings& s = ctx.env.Settings();
  Messages& messages = ctx.env.MessagesSink();
  CombinedChartOptions options = CombinedChartOptionsFrom(s);
  if (!a.method.empty()) options.method = ToLowerAscii(a.method) == "davison" ? CompositeDavison : CompositeMidpoints;
  if (!a.anchor.empty()) options.anchor = ToLowerAscii(a.anchor) == "auto" ? AnchorAutomatic : std::stoi(a.anchor);
  CalculatedChart combined;
  try {
    const auto first = ReadChosenChart(a.chart, s, messages);
    if (!first) return 1;
    const CalculatedChart chartA = CastChart(first->record, CastOptionsFor(*first, s));
    const StoredChart second = ReadChartReference(a.chart2, s);
    CastOptions castB = CastOptionsFrom(s);
    castB.HouseSystem = second.houseSystem;
    const CalculatedChart chartB = CastChart(second.chart, castB);
    if (const std::string why = CombinationRefusal(chartA, chartB, options.method); !why.empty()) {
      messages.Error(why);
      return 1;
    }
    combined = MakeCombinedChart(chartA, chartB, options);
    // Named after the pair, as a composite report names it.
    combined.Chart.Name = LimitText(std::string(Trim(chartA.Chart.Name)) + " and " + std::string(Trim(chartB.Chart.Name)),
                                    ChartNameLength);
  } catch (const std::exception& e) {
    ctx.err << "korvana: " << e.what() << "\n";
    return 1;
  }
  const bool swiss = options.method == CompositeDavison || SwissEphemerisInUse();
  if (a.json)
    PrintChartJson(ctx.out, combined, swiss);
  else
    PrintChartText(ctx.out, combined, swiss, s);
  if (!a.save.empty() && !SaveToChartFile(a.save, combined, s, messages)) return 1;
  return 0;
}

CommandRun Build(CommandOptions& app) {
  auto a = std::make_shared<CompositeArguments>();
  AddChartOptions(app, a->chart);
  app.Value("--chart2", a->chart2, "the second chart: chart N (from 1) of a chart file")
      .ValueName("FILE:N")
      .Check(NotEmpty())
      .Required();
  app.Value("--method", a->method, "midpoints or the Davison chart (default: the setting CompositeChartMethod)")
      .ValueName("midpoint|davison")
      .Check(OneOf({"midpoint", "davison"}, true));
  app.Value("--anchor", a->anchor, "the house the midpoint houses start from (default: the setting CompositeMPBaseHouse)")
      .ValueName("auto|1|10")
      .Check(OneOf({"auto", "1", "10"}, true));
  app.Value("--save", a->save, "append the combined chart to this chart file").ValueName("FILE.cht").Check(NotEmpty());
  app.Flag("--json", a->json, "print one JSON object instead of text");
  return [a](CommandContext& ctx) { return Run(ctx, *a); };
}

CommandRegistration reg({"composite",
                         std::string("composite ") + ChartSynopsis +
                             " --chart2 FILE:N [--method midpoint|davison] [--anchor auto|1|10] [--json] [--save FILE.cht]",
                         "the composite (midpoint) or Davison chart of two charts", Build});

}  // namespace
}  // namespace korvana::cli
