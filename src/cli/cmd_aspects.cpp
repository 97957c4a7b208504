// korvana aspects: casts a chart and lists every aspect between its points that the
// aspect file (the current report set's, or --aspect-file) defines. --points limits the
// points to a selection string as report sets keep them ("1" at position i: point i on).
#include <cmath>
#include <iomanip>
#include <memory>
#include <ostream>
#include <sstream>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/environment.h"
#include "core/analysis/aspect_file.h"
#include "core/analysis/aspect_type.h"
#include "core/analysis/find_aspect.h"
#include "core/astro/cast_chart.h"
#include "core/points/point_catalogue.h"
#include "core/charts/chart_record.h"
#include "core/charts/chart_reference.h"
#include "core/config/program_settings.h"
#include "core/reports/reportset/report_set.h"
#include "core/time/entry_parsing.h"
#include "core/time/time_zone.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

// What the command line asks of aspects.
struct AspectsArguments {
  OptionMap chart;
  std::optional<std::string> aspectFile;
  std::optional<std::string> points;
};

std::string ModeText(const AspectFileHeader& h) {
  std::string mode;
  switch (h.BaseMode()) {
    case SelectBySign: mode = "by sign"; break;
    case SelectByMoiety: mode = h.AlsoBySign() ? "moieties, by sign" : "moieties"; break;
    default: mode = h.AlsoBySign() ? "by orb and by sign" : "by orb"; break;
  }
  return mode + (h.separationMeasure == -1 ? ", great-circle separation" : ", separation in longitude");
}

std::string Padded(std::string_view text, std::size_t width) {
  std::string s(text);
  // Pad by characters, not bytes, so that degree signs keep the columns.
  std::size_t chars = 0;
  for (unsigned char ch : s) chars += (ch & 0xC0) != 0x80;
  if (chars < width) s.append(width - chars, ' ');
  return s;
}

std::string Position(double longitude) {
  return FormatZodiacal(2, SignTexts{}, true, false, true, longitude);
}

std::string OrbText(float orb) {
  return std::string(orb < 0 ? "-" : "+") + FormatAngle(1, true, false, true, std::fabs(orb));
}

int AspectsOfOne(CommandContext& ctx, const AspectsArguments& o) {

  ProgramSettings& s = ctx.env.Settings();
  Messages& messages = ctx.env.MessagesSink();
  const std::optional<CalculatedChart> cast = CastChosenChart(ctx, o.chart);
  if (!cast) return 1;
  const CalculatedChart& chart = *cast;

  std::string aspectFile;
  if (o.aspectFile) {
    aspectFile = *o.aspectFile;
    if (!FileExists(aspectFile) && !FindPathNoCase(aspectFile))
      aspectFile = ResolveInFolder(aspectFile, s.UserPath);
  } else {
    aspectFile = ctx.env.Report().aspectFile;
    if (aspectFile.empty()) {
      ctx.err << "korvana: the current report set names no aspect file; give one with --aspect-file\n";
      return 1;
    }
  }
  AspectSet set;
  if (!LoadAspectFile(aspectFile, set, messages)) {
    if (set.loaded) ctx.err << "korvana: the aspect file " << aspectFile << " is cut short\n";
    return 1;
  }

  const ChartRecord& c = chart.Chart;
  std::ostream& out = ctx.out;
  out << "chart: " << c.Name << ", " << FormatDate(s.MonthFirst, c.Moment.Day, c.Moment.Month, c.Moment.Year)
      << " " << FormatTime(s.AMPM, c.Moment.Hour, c.Moment.Minute, c.Moment.Second) << " "
      << FormatZoneHours(c.ZoneHours) << ", " << FormatLatLong(false, c.Latitude) << " "
      << FormatLatLong(true, c.Longitude) << "\n";
  out << "aspect file: " << aspectFile << " (" << ModeText(set.header) << ")\n";

  // Points not computed take no part; --points narrows the rest.
  auto selected = [&](int p) {
    if (!chart.Point(p).Computed()) return false;
    if (!o.points) return true;
    const std::size_t i = static_cast<std::size_t>(p - 1);
    return i < o.points->size() && (*o.points)[i] == '1';
  };
  int found = 0;
  for (int a = FirstPoint; a <= LastPoint; ++a) {
    if (!selected(a)) continue;
    for (int b = a + 1; b <= LastPoint; ++b) {
      if (!selected(b)) continue;
      const AspectMatch m = FindAspect(set, a, b, chart.Point(a), chart.Point(b));
      if (!m.Found()) continue;
      const AspectRecord& r = *set.Record(m.record);
      std::string name = r.name.empty() ? std::string(AspectTypeName(r.aspectType)) : r.name;
      out << Padded(PointShortName(a), 16) << Padded(Position(chart.Longitude(a)), 10) << "  "
          << Padded(name, 17) << Padded(PointShortName(b), 16) << Padded(Position(chart.Longitude(b)), 10)
          << "  orb " << Padded(OrbText(m.orb), 8) << "  " << (m.applying ? "applying" : "separating")
          << "\n";
      ++found;
    }
  }
  out << found << (found == 1 ? " aspect" : " aspects") << "\n";
  return 0;
}

// One chart, or each chart of a run, a blank line between two.
int Run(CommandContext& ctx, const AspectsArguments& o) {
  return ForEachChart(
      ctx, o.chart,
      [&](const OptionMap& chart) {
        AspectsArguments one = o;
        one.chart = chart;
        return AspectsOfOne(ctx, one);
      },
      [&] { ctx.out << "\n"; });
}

CommandRun Build(CommandOptions& app) {
  auto a = std::make_shared<AspectsArguments>();
  AddChartOptions(app, a->chart);
  app.Value("--aspect-file", a->aspectFile, "the aspect file (default: the current report set's)")
      .ValueName("FILE");
  app.Value("--points", a->points, "the points taking part: \"1\" at position i takes point i")
      .ValueName("SELECTION");
  return [a](CommandContext& ctx) { return Run(ctx, *a); };
}

CommandRegistration reg({"aspects",
                         std::string("aspects ") + ChartSynopsis + " [--aspect-file FILE] [--points SELECTION]",
                         "the aspects between a chart's points", Build});

}  // namespace
}  // namespace korvana::cli
