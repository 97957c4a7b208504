// korvana charts list|show|create|add|delete|memo|title: chart files from the command line.
//
// A FILE argument is taken as written when it exists; a bare name is also looked for in
// the chart folder and the user data folder (ResolveChartFile). Charts are numbered
// from 1, as "FILE:N" chart references elsewhere on the command line number them.
#include <climits>
#include <map>
#include <memory>
#include <ostream>
#include <tuple>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/environment.h"
#include "cli/validators.h"
#include "core/charts/chart_files.h"
#include "core/charts/chart_reference.h"
#include "core/charts/memo_file.h"
#include "core/config/program_settings.h"
#include "core/time/entry_parsing.h"
#include "core/time/time_zone.h"
#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

// What the command line asks of a charts subcommand; each uses the fields it needs.
struct ChartsArguments {
  std::string file;
  int number = 0;                    // N, from 1
  std::string text;                  // charts title's TEXT
  std::optional<std::string> title;  // charts create --title
  std::optional<std::string> set;    // charts memo --set
  OptionMap fields;                  // charts add's chart fields
  std::optional<std::string> kind;   // charts add --kind
};

// The chart kinds --kind names, by their lower-case words.
const std::map<std::string, ChartEventKind> ChartKinds = {{"unspecified", EventUnspecified},
                                                          {"male", EventMale},
                                                          {"female", EventFemale},
                                                          {"event", EventEvent},
                                                          {"horary", EventHorary}};

std::string ZoneText(const ChartRecord& c) {
  std::string hours = FormatZoneHours(c.ZoneHours);
  return c.ZoneAbbrev.empty() ? hours : c.ZoneAbbrev + " " + hours;
}

std::string DateText(const ProgramSettings& s, const DateTimeRec& m) {
  return FormatDate(s.MonthFirst, m.Day, m.Month, m.Year);
}

std::string TimeText(const ProgramSettings& s, const DateTimeRec& m) {
  return FormatTime(s.AMPM, m.Hour, m.Minute, m.Second);
}

std::string KindText(const ChartRecord& c) {
  std::string kind = ChartKindName(c.ChartType, c.ChartSubType);
  if (c.EventKind != EventUnspecified) kind += " (" + std::string(EventKindName(c.EventKind)) + ")";
  return kind;
}

// A chart's memo as the commands print it: a memo that cannot be read shows the error's
// text in its place.
std::optional<std::string> ShownMemo(const std::string& path, int index) {
  try {
    return ReadChartMemo(path, index);
  } catch (const EMemoError& e) {
    return std::string(e.what());
  }
}

// The chart file a FILE argument names; an error on stderr when it is no chart file.

std::optional<std::pair<std::string, ChartFileDescription>> OpenFile(CommandContext& ctx, const std::string& arg) {
  const std::string path = ResolveChartFile(arg, ctx.env.Settings());
  ChartFileDescription info = ChartFileInfo(path);
  if (info.format == ChartFormatInvalid) {
    ctx.err << "korvana: " << info.title << ": " << path << "\n";
    return std::nullopt;
  }
  return std::make_pair(path, info);
}

void PrintHeader(std::ostream& o, const std::string& path, const ChartFileDescription& info) {
  o << "file: " << path << "\n"
    << "format: " << info.format << " (" << ChartFormatName(info.format) << ")\n"
    << "title: " << info.title << "\n"
    << "count: " << info.count << "\n";
}

int List(CommandContext& ctx, const ChartsArguments& a) {
  auto file = OpenFile(ctx, a.file);
  if (!file) return 1;
  const ProgramSettings& s = ctx.env.Settings();
  PrintHeader(ctx.out, file->first, file->second);
  int failures = 0;
  for (const ChartListEntry& entry : ListCharts(file->first, s)) {
    if (!entry.chart) {
      ++failures;
      ctx.env.MessagesSink().Error("Chart " + std::to_string(entry.index) + ": " + entry.error);
      ctx.out << entry.index << " | (damaged)\n";
      continue;
    }
    const ChartRecord& c = entry.chart->chart;
    // Names and places read from a file are shown without control characters.
    ctx.out << entry.index << " | " << WithoutControlCharacters(c.Name) << " | " << KindText(c) << " | "
            << DateText(s, c.Moment) << " | " << TimeText(s, c.Moment) << " | " << ZoneText(c) << " | "
            << WithoutControlCharacters(c.Place) << " | " << WithoutControlCharacters(c.Country) << " | "
            << FormatLatLong(false, c.Latitude) << " | " << FormatLatLong(true, c.Longitude) << "\n";
  }
  return failures == 0 ? 0 : 1;
}

int Show(CommandContext& ctx, const ChartsArguments& a) {
  auto file = OpenFile(ctx, a.file);
  if (!file) return 1;
  ProgramSettings& s = ctx.env.Settings();
  const StoredChart stored = ReadChart(file->first, file->second.format, a.number, s);
  const ChartRecord& c = stored.chart;
  const DateTimeRec& m = c.Moment;
  std::ostream& o = ctx.out;
  o << "file = " << file->first << "\n"
    << "format = " << file->second.format << " (" << ChartFormatName(file->second.format) << ")\n"
    << "chart = " << a.number << " of " << file->second.count << "\n"
    << "Name = " << WithoutControlCharacters(c.Name) << "\n"
    << "EventKind = " << int(c.EventKind) << " (" << EventKindName(c.EventKind) << ")\n"
    << "Date = " << DateText(s, m) << " (year " << m.Year << ", month " << int(m.Month) << ", day "
    << int(m.Day) << ", " << (IsGregorianDate(m) ? "Gregorian" : "Julian") << " calendar)\n"
    << "Time = " << TimeText(s, m) << " (" << int(m.Hour) << ":" << int(m.Minute) << ":" << int(m.Second)
    << ")\n"
    << "Calendar = " << int(m.Calendar) << "\n"
    << "Place = " << WithoutControlCharacters(c.Place) << "\n"
    << "Country = " << WithoutControlCharacters(c.Country) << "\n"
    << "ZoneHours = " << FormatReal(c.ZoneHours) << " (" << FormatZoneHours(c.ZoneHours) << ")\n"
    << "ZoneAbbrev = " << c.ZoneAbbrev << "\n"
    << "Latitude = " << FormatReal(c.Latitude) << " (" << FormatLatLong(false, c.Latitude) << ")\n"
    << "Longitude = " << FormatReal(c.Longitude) << " (" << FormatLatLong(true, c.Longitude) << ")\n"
    << "CalcVersion = " << c.CalcVersion << "\n"
    << "Zodiac = " << int(c.Zodiac) << "\n"
    << "MeanNode = " << (c.MeanNode ? 1 : 0) << "\n"
    << "VulcanOption = " << int(c.VulcanOption) << "\n"
    << "PFDayOnly = " << (c.PFDayOnly ? 1 : 0) << "\n"
    << "ParallaxMoon = " << (c.ParallaxMoon ? 1 : 0) << "\n"
    << "GeocentricLat = " << (c.GeocentricLat ? 1 : 0) << "\n"
    << "ChartType = " << c.ChartType << "\n"
    << "ChartSubType = " << c.ChartSubType << "\n"
    << "ChartTypeParam = " << c.ChartTypeParam << "\n"
    << "Kind = " << ChartKindName(c.ChartType, c.ChartSubType) << "\n"
    << "Title = " << ChartTitle(c.ChartType, c.ChartSubType, c.ChartTypeParam, c.EventKind) << "\n"
    << "HouseSystem = " << stored.houseSystem << "\n"
    << "UserSVP = " << FormatReal(stored.userSvp) << "\n";
  if (file->second.format == ChartFormatOwn || file->second.format == ChartFormatWide)
    o << "MemoRecord = " << stored.memoRecord << "\n";
  auto memo = ShownMemo(file->first, a.number);
  o << "Memo = " << (memo ? *memo : std::string("(EMv2 chart file cannot contain comments)")) << "\n";
  return 0;
}

int Create(CommandContext& ctx, const ChartsArguments& a) {
  const std::string& path = a.file;
  if (!CreateChartFile(path, ctx.env.MessagesSink(), a.title ? *a.title : "New chart file"))
    return 1;
  ctx.out << "Created " << path << "\n";
  return 0;
}

int Add(CommandContext& ctx, const ChartsArguments& a) {
  ProgramSettings& s = ctx.env.Settings();
  Messages& messages = ctx.env.MessagesSink();
  auto fields = ChartFromFields(a.fields, s, messages);
  if (!fields) return 1;
  ChartRecord c = *fields;
  if (a.kind) c.EventKind = ChartKinds.at(ToLowerAscii(*a.kind));

  // The record layouts keep at most 29 characters of the name and 19 of the place and
  // country; say so rather than cut without a word.
  for (auto [label, text, width] : {std::tuple{"name", &c.Name, 29}, {"place", &c.Place, 19}, {"country", &c.Country, 19}})
    if (Utf8ToCp1252(*text).size() > static_cast<std::size_t>(width))
      messages.Warning(std::string("The chart file keeps the first ") + std::to_string(width) + " characters of the " +
                       label + ".");

  const std::string path = ResolveChartFile(a.file, s);
  const auto number = AppendChart(path, c, DefaultHouseSystem(s), s, messages);
  if (!number) return 1;
  ctx.out << "Added chart " << *number << " to " << path << "\n";
  return 0;
}

int Delete(CommandContext& ctx, const ChartsArguments& a) {
  auto file = OpenFile(ctx, a.file);
  if (!file) return 1;
  if (!DeleteChart(file->first, a.number, ctx.env.MessagesSink())) return 1;
  ctx.out << "Deleted chart " << a.number << " from " << file->first << "\n";
  return 0;
}

int Memo(CommandContext& ctx, const ChartsArguments& a) {
  auto file = OpenFile(ctx, a.file);
  if (!file) return 1;
  if (a.set) return SetChartMemo(file->first, a.number, *a.set, ctx.env.MessagesSink()) ? 0 : 1;
  auto memo = ShownMemo(file->first, a.number);
  if (!memo) {
    ctx.out << "(EMv2 chart file cannot contain comments)\n";
  } else {
    ctx.out << (memo->empty() ? std::string("(No memo text found)") : *memo) << "\n";
  }
  return 0;
}

int Title(CommandContext& ctx, const ChartsArguments& a) {
  auto file = OpenFile(ctx, a.file);
  if (!file) return 1;
  if (file->second.format == ChartFormatHeaderless) {
    ctx.err << "korvana: a headerless chart file has no title\n";
    return 1;
  }
  if (!SetFileTitle(file->first, std::string(Trim(a.text)))) {
    ctx.err << "korvana: the title of " << file->first << " could not be written\n";
    return 1;
  }
  return 0;
}

using ChartsWork = int (*)(CommandContext&, const ChartsArguments&);

// Adds FILE (and N when `numbered`) and returns the run of `work`, which reports a chart
// file that cannot be read or written.
CommandRun ChartsCommand(CommandOptions& app, const std::shared_ptr<ChartsArguments>& a, bool numbered,
                         ChartsWork work) {
  app.Value("FILE", a->file, "the chart file, in the chart folder unless a path").Required().Check(NotEmpty());
  if (numbered)
    app.Value("N", a->number, "the chart's number, from 1")
        .Required()
        .Check(WholeNumber(1, INT_MAX, "a chart number"));
  return [a, work](CommandContext& ctx) {
    try {
      return work(ctx, *a);
    } catch (const EChartFileError& e) {
      ctx.env.MessagesSink().Error(e.what());
      return 1;
    }
  };
}

CommandRun Build(CommandOptions& app) {
  auto a = std::make_shared<ChartsArguments>();
  auto plain = [a](bool numbered, ChartsWork work) {
    return [a, numbered, work](CommandOptions& sub) { return ChartsCommand(sub, a, numbered, work); };
  };
  return AddSubcommands(
      app,
      {{"list", "charts list FILE", "every chart of a chart file, one per line", plain(false, List)},
       {"show", "charts show FILE N", "every field of chart N", plain(true, Show)},
       {"create", "charts create FILE [--title TEXT]", "create an empty chart file",
        [a](CommandOptions& sub) {
          CommandRun run = ChartsCommand(sub, a, false, Create);
          sub.Value("--title", a->title, "the file's title (default \"New chart file\")").ValueName("TEXT");
          return run;
        }},
       {"add",
        "charts add FILE --name NAME --date DATE --time TIME (--zone ZONE --lat LAT --lon LON [--place PLACE] "
        "[--country COUNTRY] | --place PLACE [--country COUNTRY] [--places FILE.plc]) "
        "[--kind unspecified|male|female|event|horary]",
        "add a chart from its fields",
        [a](CommandOptions& sub) {
          CommandRun run = ChartsCommand(sub, a, false, Add);
          AddChartOptions(sub, a->fields, ChartSource::Fields);
          sub.Value("--kind", a->kind, "the kind of chart (default unspecified)")
              .ValueName("unspecified|male|female|event|horary")
              .Check(OneOf({"unspecified", "male", "female", "event", "horary"}, true));
          return run;
        }},
       {"delete", "charts delete FILE N", "delete chart N", plain(true, Delete)},
       {"memo", "charts memo FILE N [--set TEXT]", "print chart N's memo, or set it",
        [a](CommandOptions& sub) {
          CommandRun run = ChartsCommand(sub, a, true, Memo);
          sub.Value("--set", a->set, "the new memo text").ValueName("TEXT");
          return run;
        }},
       {"title", "charts title FILE TEXT", "set the file's title",
        [a](CommandOptions& sub) {
          CommandRun run = ChartsCommand(sub, a, false, Title);
          sub.Value("TEXT", a->text, "the new title").Required();
          return run;
        }}});
}

CommandRegistration reg({"charts", "charts list|show|create|add|delete|memo|title ...",
                         "list, show, create and change chart files and their memos", Build});

}  // namespace
}  // namespace korvana::cli
