// korvana places list|find|add|replace|delete|copy: place files from the command line.
//
// A FILE argument is taken as written when it exists or names a folder; a bare name is
// otherwise looked for in the places folder. Places are numbered from 1 in file order;
// several places are named by their numbers separated by commas ("1,4,7"). Look-ups
// use the country index of the places folder and "State.ini" of the data folder.
#include <climits>
#include <memory>
#include <ostream>
#include <tuple>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/environment.h"
#include "cli/validators.h"
#include "core/charts/place_file.h"
#include "core/charts/place_lookup.h"
#include "core/config/program_settings.h"
#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/messages.h"
#include "core/util/text.h"

namespace korvana::cli {
namespace {

// What the command line asks of a places subcommand; each uses the fields it needs.
struct PlacesArguments {
  std::string file;
  std::string to;       // places copy's target
  std::string numbers;  // "N[,N...]"
  int number = 0;       // places replace's N
  std::string name;     // places find's NAME
  std::optional<std::string> place, country, zone, latitude, longitude;
  std::optional<int> table;
  bool countryFirst = false;
};

PlaceOrder OrderOf(const PlacesArguments& a) {
  return a.countryFirst ? PlaceOrder::CountryFirst : PlaceOrder::PlaceFirst;
}

// Texts read from a file are shown without control characters.
std::string Shown(const std::string& text) { return WithoutControlCharacters(text); }

void PrintEntry(std::ostream& o, const PlaceListEntry& entry, PlaceOrder order) {
  const PlaceRecord& p = entry.place;
  const bool countryFirst = order == PlaceOrder::CountryFirst;
  o << entry.number << " | " << Shown(countryFirst ? p.Country : p.Place) << " | "
    << Shown(countryFirst ? p.Place : p.Country) << " | " << Shown(p.Zone) << " | " << Shown(p.Latitude) << " | "
    << Shown(p.Longitude) << " | " << p.ZoneTable << "\n";
}

void PrintPlace(std::ostream& o, const PlaceRecord& p) {
  o << "Place = " << Shown(p.Place) << "\n"
    << "Country = " << Shown(p.Country) << "\n"
    << "Zone = " << Shown(p.Zone) << "\n"
    << "Latitude = " << Shown(p.Latitude) << "\n"
    << "Longitude = " << Shown(p.Longitude) << "\n"
    << "ZoneTable = " << p.ZoneTable << "\n";
}

// The numbers of "N[,N...]"; the check (NumberList) has made sure they read.
std::vector<int> NumbersOf(const std::string& text) {
  std::vector<int> numbers;
  for (const std::string& part : Split(text, ',')) numbers.push_back(*ParseInt32(part));
  return numbers;
}

ValueCheck NumberList() {
  return [](std::string& value) -> std::string {
    for (const std::string& part : Split(value, ','))
      if (const auto n = ParseInt32(part); !n || *n < 1) return "takes place numbers from 1, separated by commas";
    return "";
  };
}

// The given fields over `place`; warns where a field keeps only the start of the text.
PlaceRecord WithFields(PlaceRecord place, const PlacesArguments& a, Messages& messages) {
  const std::tuple<const char*, const std::optional<std::string>*, std::string*, std::size_t> fields[] = {
      {"place", &a.place, &place.Place, 19},          {"country", &a.country, &place.Country, 19},
      {"zone", &a.zone, &place.Zone, 13},             {"latitude", &a.latitude, &place.Latitude, 7},
      {"longitude", &a.longitude, &place.Longitude, 8},
  };
  for (const auto& [label, given, field, width] : fields) {
    if (!*given) continue;
    *field = **given;
    const std::size_t kept = label == std::string_view("latitude") || label == std::string_view("longitude")
                                 ? CoordinateText(**given).size()
                                 : Utf8ToCp1252(**given).size();
    if (kept > width)
      messages.Warning(std::string("The place file keeps the first ") + std::to_string(width) + " characters of the " +
                       label + ".");
  }
  if (a.table) place.ZoneTable = static_cast<std::int16_t>(*a.table);
  return place;
}

int List(CommandContext& ctx, const PlacesArguments& a) {
  const std::string path = ResolvePlaceFile(a.file, ctx.env.Settings());
  const std::vector<PlaceRecord> places = ReadPlaceFile(path);
  ctx.out << "file: " << path << "\n"
          << "Places: " << places.size() << "\n";
  for (const PlaceListEntry& entry : MakePlaceList(places, OrderOf(a))) PrintEntry(ctx.out, entry, OrderOf(a));
  return 0;
}

int Find(CommandContext& ctx, const PlacesArguments& a) {
  const ProgramSettings& s = ctx.env.Settings();
  const std::string path = ResolvePlaceFile(a.file, s);
  const std::vector<PlaceListEntry> list = MakePlaceList(ReadPlaceFile(path), OrderOf(a));
  const PlaceSources sources{s.PlacesPath, WithTrailingSlash(s.SystemPath) + "State.ini"};
  const auto found = FindPlace(a.name, a.country.value_or(""), list, OrderOf(a), sources, ctx.env.MessagesSink());
  if (!found) return 1;
  PrintPlace(ctx.out, *found);
  return 0;
}

int Add(CommandContext& ctx, const PlacesArguments& a) {
  const std::string path = ResolvePlaceFile(a.file, ctx.env.Settings());
  Messages& messages = ctx.env.MessagesSink();
  const auto number = AddPlace(path, WithFields(PlaceRecord{}, a, messages), messages);
  if (!number) return 1;
  ctx.out << "Added place " << *number << " to " << path << "\n";
  return 0;
}

int Replace(CommandContext& ctx, const PlacesArguments& a) {
  const std::string path = ResolvePlaceFile(a.file, ctx.env.Settings());
  Messages& messages = ctx.env.MessagesSink();
  const std::vector<PlaceRecord> places = ReadPlaceFile(path);
  const PlaceRecord old = a.number <= static_cast<int>(places.size()) ? places[static_cast<std::size_t>(a.number - 1)]
                                                                      : PlaceRecord{};
  if (!ReplacePlace(path, a.number, WithFields(old, a, messages), messages)) return 1;
  ctx.out << "Replaced place " << a.number << " of " << path << "\n";
  return 0;
}

int Delete(CommandContext& ctx, const PlacesArguments& a) {
  const std::string path = ResolvePlaceFile(a.file, ctx.env.Settings());
  return DeletePlaces(path, NumbersOf(a.numbers), ctx.env.MessagesSink()) ? 0 : 1;
}

int Copy(CommandContext& ctx, const PlacesArguments& a) {
  const ProgramSettings& s = ctx.env.Settings();
  return CopyPlaces(ResolvePlaceFile(a.file, s), NumbersOf(a.numbers), ResolvePlaceFile(a.to, s),
                    ctx.env.MessagesSink())
             ? 0
             : 1;
}

using PlacesWork = int (*)(CommandContext&, const PlacesArguments&);

// Adds FILE and returns the run of `work`, which reports a place file that cannot be read.
CommandRun PlacesCommand(CommandOptions& app, const std::shared_ptr<PlacesArguments>& a, PlacesWork work) {
  app.Value("FILE", a->file, "the place file, in the places folder unless a path").Required().Check(NotEmpty());
  return [a, work](CommandContext& ctx) {
    try {
      return work(ctx, *a);
    } catch (const EPlaceFileError& e) {
      ctx.env.MessagesSink().Error(e.what());
      return 1;
    }
  };
}

void FieldOptions(CommandOptions& sub, PlacesArguments& a) {
  sub.Value("--place", a.place, "the place's name (at most 19 characters)").ValueName("NAME");
  sub.Value("--country", a.country, "its country or region (at most 19 characters)").ValueName("COUNTRY");
  sub.Value("--zone", a.zone, "its zone as typed, e.g. \"AEST -10\" (at most 13 characters)").ValueName("ZONE");
  sub.Value("--lat", a.latitude, "its latitude as typed, e.g. 34S55").ValueName("LAT");
  sub.Value("--lon", a.longitude, "its longitude as typed, e.g. 138E35").ValueName("LON");
  sub.Value("--table", a.table, "its zone history table number, 0 for none")
      .ValueName("N")
      .Check(WholeNumber(-32768, 32767, "a zone table number"));
}

CommandRun Build(CommandOptions& app) {
  auto a = std::make_shared<PlacesArguments>();
  return AddSubcommands(
      app,
      {{"list", "places list FILE [--country-first]", "every place of a place file, one per line, in list order",
        [a](CommandOptions& sub) {
          CommandRun run = PlacesCommand(sub, a, List);
          sub.Flag("--country-first", a->countryFirst, "sort by country, then place");
          return run;
        }},
       {"find", "places find FILE NAME [--country COUNTRY] [--country-first]",
        "look a place up: in FILE's list, then in the place files of its country and that country's alternates",
        [a](CommandOptions& sub) {
          CommandRun run = PlacesCommand(sub, a, Find);
          sub.Value("NAME", a->name, "the place name, or its start").Required();
          sub.Value("--country", a->country, "the country or region to look in").ValueName("COUNTRY");
          sub.Flag("--country-first", a->countryFirst, "search FILE's list on the country column");
          return run;
        }},
       {"add", "places add FILE --place NAME [--country COUNTRY] [--zone ZONE] [--lat LAT] [--lon LON] [--table N]",
        "append a place (the file is created when missing)",
        [a](CommandOptions& sub) {
          CommandRun run = PlacesCommand(sub, a, Add);
          FieldOptions(sub, *a);
          return run;
        }},
       {"replace",
        "places replace FILE N [--place NAME] [--country COUNTRY] [--zone ZONE] [--lat LAT] [--lon LON] [--table N]",
        "rewrite place N with the fields given, keeping the others",
        [a](CommandOptions& sub) {
          CommandRun run = PlacesCommand(sub, a, Replace);
          sub.Value("N", a->number, "the place's number, from 1").Required().Check(WholeNumber(1, INT_MAX, "a place number"));
          FieldOptions(sub, *a);
          return run;
        }},
       {"delete", "places delete FILE N[,N...]", "delete places",
        [a](CommandOptions& sub) {
          CommandRun run = PlacesCommand(sub, a, Delete);
          sub.Value("N", a->numbers, "the places' numbers, separated by commas").Required().Check(NumberList());
          return run;
        }},
       {"copy", "places copy FILE N[,N...] TO", "append places of FILE to the place file TO",
        [a](CommandOptions& sub) {
          CommandRun run = PlacesCommand(sub, a, Copy);
          sub.Value("N", a->numbers, "the places' numbers, separated by commas").Required().Check(NumberList());
          sub.Value("TO", a->to, "the place file to copy to, in the places folder unless a path")
              .Required()
              .Check(NotEmpty());
          return run;
        }}});
}

CommandRegistration reg({"places", "places list|find|add|replace|delete|copy ...",
                         "list, look up and change place files", Build});

}  // namespace
}  // namespace korvana::cli
