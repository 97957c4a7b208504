// korvana return: the solar or lunar return of a natal chart near a date, for the natal
// place or another: the moment found (Universal Time and local), its accuracy, what the
// search took, and the return chart as cast prints it; --save appends it to a chart file.
#include <cmath>
#include <cstdio>
#include <memory>
#include <ostream>

#include "cli/chart_printing.h"
#include "cli/command.h"
#include "cli/environment.h"
#include "cli/return_options.h"
#include "cli/validators.h"
#include "core/astro/ephemeris.h"
#include "core/charts/chart_files.h"
#include "core/charts/chart_reference.h"
#include "core/derived/returns.h"
#include "core/time/entry_parsing.h"

namespace korvana::cli {
namespace {

struct ReturnCommandArguments {
  std::string chart, save;
  bool solar = false, lunar = false, json = false;
  ReturnArguments search;
};

// "2020-03-14 15:23:45.123 UT": the moment to the millisecond.
std::string UniversalText(double jd) {
  const double dayStart = std::floor(jd + 0.5) - 0.5;
  const double seconds = std::min((jd - dayStart) * 86400.0, 86399.999);
  const DateTimeRec date = JDToDateRec(calAuto, dayStart);
  const int whole = static_cast<int>(seconds);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%06.3f UT", int(date.Year), int(date.Month), int(date.Day),
                whole / 3600, whole / 60 % 60, seconds - (whole / 60) * 60);
  return text;
}

// "14 Mar 2020 16:23:46 CET -1:00 Zurich, Switzerland", as the report summary writes it.
std::string LocalText(const ChartRecord& c, const ProgramSettings& s) {
  const DateTimeRec& m = c.Moment;
  return FormatDate(s.MonthFirst, m.Day, m.Month, m.Year) + " " + FormatTime(false, m.Hour, m.Minute, m.Second) + " " +
         c.ZoneAbbrev + " " + FormatZoneHours(c.ZoneHours) + " " + c.Place + (c.Country.empty() ? "" : ", " + c.Country);
}

int Run(CommandContext& ctx, const ReturnCommandArguments& a) {
  ProgramSettings& s = ctx.env.Settings();
  Messages& messages = ctx.env.MessagesSink();
  const ReturnKind kind = a.lunar ? ReturnLunar : ReturnSolar;
  ReturnResult found;
  bool swiss = false;
  try {
    const StoredChart stored = ReadChartReference(a.chart, s);
    CastOptions cast = CastOptionsFrom(s);
    cast.HouseSystem = stored.houseSystem;
    const CalculatedChart natal = CastChart(stored.chart, cast);
    const std::optional<ReturnSearchRequest> search = ReturnSearchFor(a.search, natal.Chart, s, messages);
    if (!search) return 1;
    swiss = SwissEphemerisInUse();
    found = CastReturn(natal, search->base, kind, search->which, search->options);
  } catch (const EReturnError& e) {
    messages.Error(e.what());
    return 1;
  } catch (const std::exception& e) {
    ctx.err << "korvana: " << e.what() << "\n";
    return 1;
  }
  const char* name = kind == ReturnSolar ? "solar" : "lunar";
  if (a.json) {
    JsonValue doc;
    doc["return"] = {{"kind", name},
                     {"JDUT", RoundedTo(found.search.jdUT, 9)},
                     {"universal", UniversalText(found.search.jdUT)},
                     {"local", LocalText(found.chart.Chart, s)},
                     {"accuracySeconds", RoundedTo(found.accuracySeconds, 3)},
                     {"casts", found.search.casts},
                     {"attempts", found.search.attempts}};
    doc["chart"] = ChartJson(found.chart, swiss);
    WriteJson(ctx.out, doc);
  } else {
    char accuracy[32];
    std::snprintf(accuracy, sizeof accuracy, "%.2f", found.accuracySeconds);
    ctx.out << name << " return: " << UniversalText(found.search.jdUT) << "\n"
            << "local: " << LocalText(found.chart.Chart, s) << "\n"
            << "accuracy: " << accuracy << " s\n"
            << "search: " << found.search.casts << " casts, " << found.search.attempts
            << (found.search.attempts == 1 ? " run" : " runs") << "\n\n";
    PrintChartText(ctx.out, found.chart, swiss, s);
  }
  if (!a.save.empty() && !SaveToChartFile(a.save, found.chart, s, messages)) return 1;
  return 0;
}

CommandRun Build(CommandOptions& app) {
  auto a = std::make_shared<ReturnCommandArguments>();
  app.Value("--chart", a->chart, "the natal chart: chart N (from 1) of a chart file")
      .ValueName("FILE:N")
      .Check(NotEmpty())
      .Required();
  app.Flag("--solar", a->solar, "the Sun's return");
  app.Flag("--lunar", a->lunar, "the Moon's return");
  AddReturnOptions(app, a->search);
  app.Value("--save", a->save, "append the return chart to this chart file").ValueName("FILE.cht").Check(NotEmpty());
  app.Flag("--json", a->json, "print one JSON object instead of text");
  app.AfterParse([app, a] {
    if (a->solar == a->lunar) throw UsageError("return needs one of --solar and --lunar");
    CheckReturnOptions(app, a->search);
  });
  return [a](CommandContext& ctx) { return Run(ctx, *a); };
}

CommandRegistration reg({"return",
                         std::string("return --chart FILE:N --solar|--lunar ") + ReturnSynopsis +
                             " [--json] [--save FILE.cht]",
                         "the solar or lunar return of a natal chart near a date", Build});

}  // namespace
}  // namespace korvana::cli
