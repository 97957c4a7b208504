// korvana charts list|show|create|add|delete|memo|title: chart files from the command line.
//
// A FILE argument is taken as written when it exists; a bare name is also looked for in
// the chart folder and the user data folder (ResolveChartFile). Charts are numbered
// from 1, as "FILE:N" chart references elsewhere on the command line number them.
#include <map>
#include <ostream>
#include <set>
#include <tuple>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/environment.h"
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

constexpr const char* Usage =
    "charts list FILE | charts show FILE N | charts create FILE [--title TEXT] |\n"
    "               charts add FILE --name NAME --date DATE --time TIME --zone ZONE --place PLACE\n"
    "                 --country COUNTRY --lat LAT --lon LON [--kind unspecified|male|female|event|horary] |\n"
    "               charts delete FILE N | charts memo FILE N [--set TEXT] | charts title FILE TEXT";

// Positional arguments and --name value options; false (usage error) for an unknown or
// repeated option or one without its value.
struct Arguments {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
};

bool SplitArguments(const std::vector<std::string>& args, const std::set<std::string>& known, Arguments& out) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) == 0 && a.size() > 2) {
      std::string name = a.substr(2), value;
      const std::size_t eq = name.find('=');
      if (eq != std::string::npos) {
        value = name.substr(eq + 1);
        name.resize(eq);
      } else {
        if (i + 1 >= args.size()) return false;
        value = args[++i];
      }
      if (!known.count(name) || out.options.count(name)) return false;
      out.options[name] = value;
    } else {
      out.positional.push_back(a);
    }
  }
  return true;
}

std::optional<int> ChartNumber(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  auto n = ParseInt32(text);
  if (!n || *n < 1) return std::nullopt;
  return *n;
}

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

// The chart file a FILE argument names; an error on stderr when it is no chart file.
// A chart's memo as the commands print it: a memo that cannot be read shows the error's
// text in its place.
std::optional<std::string> ShownMemo(const std::string& path, int index) {
  try {
    return ReadChartMemo(path, index);
  } catch (const EMemoError& e) {
    return std::string(e.what());
  }
}

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

int List(CommandContext& ctx, const Arguments& a) {
  if (a.positional.size() != 1 || !a.options.empty()) return UsageError(ctx, "charts list FILE");
  auto file = OpenFile(ctx, a.positional[0]);
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
    ctx.out << entry.index << " | " << c.Name << " | " << KindText(c) << " | " << DateText(s, c.Moment) << " | "
            << TimeText(s, c.Moment) << " | " << ZoneText(c) << " | " << c.Place << " | " << c.Country << " | "
            << FormatLatLong(false, c.Latitude) << " | " << FormatLatLong(true, c.Longitude) << "\n";
  }
  return failures == 0 ? 0 : 1;
}

int Show(CommandContext& ctx, const Arguments& a) {
  const auto number = a.positional.size() == 2 ? ChartNumber(a.positional[1]) : std::nullopt;
  if (!number || !a.options.empty()) return UsageError(ctx, "charts show FILE N");
  auto file = OpenFile(ctx, a.positional[0]);
  if (!file) return 1;
  ProgramSettings& s = ctx.env.Settings();
  const StoredChart stored = ReadChart(file->first, file->second.format, *number, s);
  const ChartRecord& c = stored.chart;
  const DateTimeRec& m = c.Moment;
  std::ostream& o = ctx.out;
  o << "file = " << file->first << "\n"
    << "format = " << file->second.format << " (" << ChartFormatName(file->second.format) << ")\n"
    << "chart = " << *number << " of " << file->second.count << "\n"
    << "Name = " << c.Name << "\n"
    << "EventKind = " << int(c.EventKind) << " (" << EventKindName(c.EventKind) << ")\n"
    << "Date = " << DateText(s, m) << " (year " << m.Year << ", month " << int(m.Month) << ", day "
    << int(m.Day) << ", " << (IsGregorianDate(m) ? "Gregorian" : "Julian") << " calendar)\n"
    << "Time = " << TimeText(s, m) << " (" << int(m.Hour) << ":" << int(m.Minute) << ":" << int(m.Second)
    << ")\n"
    << "Calendar = " << int(m.Calendar) << "\n"
    << "Place = " << c.Place << "\n"
    << "Country = " << c.Country << "\n"
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
  auto memo = ShownMemo(file->first, *number);
  o << "Memo = " << (memo ? *memo : std::string("(EMv2 chart file cannot contain comments)")) << "\n";
  return 0;
}

int Create(CommandContext& ctx, const Arguments& a) {
  if (a.positional.size() != 1) return UsageError(ctx, "charts create FILE [--title TEXT]");
  auto title = a.options.find("title");
  const std::string path = a.positional[0];
  if (!CreateChartFile(path, ctx.env.MessagesSink(), title == a.options.end() ? "New chart file" : title->second))
    return 1;
  ctx.out << "Created " << path << "\n";
  return 0;
}

int Add(CommandContext& ctx, const Arguments& a) {
  const char* usage =
      "charts add FILE --name NAME --date DATE --time TIME --zone ZONE --place PLACE --country COUNTRY "
      "--lat LAT --lon LON [--kind unspecified|male|female|event|horary]";
  if (a.positional.size() != 1) return UsageError(ctx, usage);
  for (const char* required : {"name", "date", "time", "zone", "lat", "lon"})
    if (!a.options.count(required)) {
      ctx.err << "korvana: charts add needs --" << required << "\n";
      return UsageError(ctx, usage);
    }
  auto option = [&](const char* name) {
    auto it = a.options.find(name);
    return it == a.options.end() ? std::string() : it->second;
  };
  ProgramSettings& s = ctx.env.Settings();
  Messages& messages = ctx.env.MessagesSink();
  ChartEventKind eventKind = EventUnspecified;
  if (a.options.count("kind")) {
    const std::string kind = option("kind");
    static const std::map<std::string, ChartEventKind> kinds = {
        {"unspecified", EventUnspecified}, {"male", EventMale}, {"female", EventFemale},
        {"event", EventEvent},             {"horary", EventHorary}};
    auto k = kinds.find(ToLowerAscii(kind));
    if (k == kinds.end()) {
      ctx.err << "korvana: unknown chart kind \"" << kind << "\"\n";
      return UsageError(ctx, usage);
    }
    eventKind = k->second;
  }
  auto fields = ChartFromFields(a.options, s, messages);
  if (!fields) return 1;
  ChartRecord c = *fields;
  if (a.options.count("kind")) c.EventKind = eventKind;

  // The record layouts keep at most 29 characters of the name and 19 of the place and
  // country; say so rather than cut without a word.
  for (auto [label, text, width] : {std::tuple{"name", &c.Name, 29}, {"place", &c.Place, 19}, {"country", &c.Country, 19}})
    if (Utf8ToCp1252(*text).size() > static_cast<std::size_t>(width))
      messages.Warning(std::string("The chart file keeps the first ") + std::to_string(width) + " characters of the " +
                       label + ".");

  const std::string path = ResolveChartFile(a.positional[0], s);
  const auto number = AppendChart(path, c, DefaultHouseSystem(s), s, messages);
  if (!number) return 1;
  ctx.out << "Added chart " << *number << " to " << path << "\n";
  return 0;
}

int Delete(CommandContext& ctx, const Arguments& a) {
  const auto number = a.positional.size() == 2 ? ChartNumber(a.positional[1]) : std::nullopt;
  if (!number || !a.options.empty()) return UsageError(ctx, "charts delete FILE N");
  auto file = OpenFile(ctx, a.positional[0]);
  if (!file) return 1;
  if (!DeleteChart(file->first, *number, ctx.env.MessagesSink())) return 1;
  ctx.out << "Deleted chart " << *number << " from " << file->first << "\n";
  return 0;
}

int Memo(CommandContext& ctx, const Arguments& a) {
  const auto number = a.positional.size() == 2 ? ChartNumber(a.positional[1]) : std::nullopt;
  if (!number) return UsageError(ctx, "charts memo FILE N [--set TEXT]");
  auto file = OpenFile(ctx, a.positional[0]);
  if (!file) return 1;
  auto set = a.options.find("set");
  if (set != a.options.end()) return SetChartMemo(file->first, *number, set->second, ctx.env.MessagesSink()) ? 0 : 1;
  auto memo = ShownMemo(file->first, *number);
  if (!memo) {
    ctx.out << "(EMv2 chart file cannot contain comments)\n";
  } else {
    ctx.out << (memo->empty() ? std::string("(No memo text found)") : *memo) << "\n";
  }
  return 0;
}

int Title(CommandContext& ctx, const Arguments& a) {
  if (a.positional.size() != 2 || !a.options.empty()) return UsageError(ctx, "charts title FILE TEXT");
  auto file = OpenFile(ctx, a.positional[0]);
  if (!file) return 1;
  if (file->second.format == ChartFormatHeaderless) {
    ctx.err << "korvana: a headerless chart file has no title\n";
    return 1;
  }
  if (!SetFileTitle(file->first, std::string(Trim(a.positional[1])))) {
    ctx.err << "korvana: the title of " << file->first << " could not be written\n";
    return 1;
  }
  return 0;
}

int Run(CommandContext& ctx) {
  if (ctx.args.empty()) return UsageError(ctx, Usage);
  const std::string sub = ctx.args[0];
  const std::vector<std::string> rest(ctx.args.begin() + 1, ctx.args.end());
  static const std::map<std::string, std::pair<std::set<std::string>, int (*)(CommandContext&, const Arguments&)>>
      subcommands = {
          {"list", {{}, List}},
          {"show", {{}, Show}},
          {"create", {{"title"}, Create}},
          {"add", {{"name", "date", "time", "zone", "place", "country", "lat", "lon", "kind"}, Add}},
          {"delete", {{}, Delete}},
          {"memo", {{"set"}, Memo}},
          {"title", {{}, Title}},
      };
  auto it = subcommands.find(sub);
  if (it == subcommands.end()) return UsageError(ctx, Usage);
  Arguments a;
  if (!SplitArguments(rest, it->second.first, a)) return UsageError(ctx, Usage);
  try {
    return it->second.second(ctx, a);
  } catch (const EChartFileError& e) {
    ctx.env.MessagesSink().Error(e.what());
    return 1;
  }
}

static CommandRegistration reg({"charts", Usage, "list, show, create and change chart files and their memos", Run});

}  // namespace
}  // namespace korvana::cli
