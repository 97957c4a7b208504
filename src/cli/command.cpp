// The one unit that includes the parser library: the option interface of options.h, the
// command table's subcommands and the program's command line of command.h.
#include "cli/command.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <map>
#include <memory>
#include <ostream>

namespace korvana::cli {
namespace {

// "cast", "charts add": the words that name a subcommand on the command line.
std::string CommandPath(const CLI::App& app) {
  std::string path;
  for (const CLI::App* a = &app; a && a->get_parent(); a = a->get_parent())
    path = a->get_name() + (path.empty() ? "" : " " + path);
  return path;
}

// CLI11's help with Korvana's synopses: "usage: korvana SYNOPSIS" under the description,
// and each subcommand listed with its synopsis and summary.
class KorvanaFormatter : public CLI::Formatter {
 public:
  void SetUsage(const CLI::App* app, std::string usage) { usage_[app] = std::move(usage); }

  std::string Usage(const CLI::App* app) const {
    auto it = usage_.find(app);
    return it == usage_.end() ? CommandPath(*app) : it->second;
  }

  std::string make_usage(const CLI::App* app, std::string) const override {
    return "usage: korvana " + Usage(app) + "\n";
  }

  std::string make_subcommand(const CLI::App* sub) const override {
    return "  " + Usage(sub) + "\n      " + sub->get_description() + "\n";
  }

 private:
  std::map<const CLI::App*, std::string> usage_;
};

std::shared_ptr<KorvanaFormatter> FormatterOf(const CLI::App& app) {
  return std::dynamic_pointer_cast<KorvanaFormatter>(app.get_formatter());
}

// Reports a parse error of `program`'s command line on err: "korvana: MESSAGE" and the
// usage of the command the error belongs to. Returns UsageExitCode.
int ReportUsageError(const CLI::App& program, const CLI::ParseError& error, std::ostream& err) {
  // The error belongs to the innermost command the parse reached.
  const CLI::App* reached = &program;
  while (!reached->get_subcommands().empty()) reached = reached->get_subcommands().front();
  // A word that names no command reads better as such than as a missing command.
  const std::vector<std::string> left = program.remaining(true);
  if (reached->get_require_subcommand_min() > 0 && !left.empty() && !left.front().empty() && left.front()[0] != '-')
    err << "korvana: unknown command \"" << CommandPath(*reached) + (reached == &program ? "" : " ") + left.front()
        << "\" (try korvana " << CommandPath(*reached) + (reached == &program ? "" : " ") << "--help)\n";
  else
    err << "korvana: " << error.what() << "\n";
  auto formatter = FormatterOf(program);
  err << "usage: korvana " << (formatter ? formatter->Usage(reached) : CommandPath(*reached)) << "\n";
  return UsageExitCode;
}

}  // namespace

Option& Option::Required() {
  option_->required();
  return *this;
}

Option& Option::Check(ValueCheck check) {
  option_->check(CLI::Validator(std::move(check), ""));
  return *this;
}

Option& Option::ValueName(const std::string& name) {
  option_->option_text(name);
  return *this;
}

Option CommandOptions::Value(const std::string& names, std::string& target, const std::string& description) {
  return Option(*app_->add_option(names, target, description));
}

Option CommandOptions::Value(const std::string& names, std::optional<std::string>& target,
                             const std::string& description) {
  return Option(*app_->add_option(names, target, description));
}

Option CommandOptions::Value(const std::string& names, int& target, const std::string& description) {
  return Option(*app_->add_option(names, target, description));
}

Option CommandOptions::Value(const std::string& names, std::optional<int>& target, const std::string& description) {
  return Option(*app_->add_option(names, target, description));
}

Option CommandOptions::ValueTo(const std::string& names, std::function<void(const std::string&)> store,
                               const std::string& description) {
  return Option(*app_->add_option_function<std::string>(names, std::move(store), description));
}

void CommandOptions::Flag(const std::string& names, bool& target, const std::string& description) {
  app_->add_flag(names, target, description);
}

void CommandOptions::FallThrough() { app_->fallthrough(); }

void CommandOptions::AfterParse(std::function<void()> check) {
  if (checks_->empty()) {
    app_->final_callback([checks = checks_] {
      try {
        for (const auto& run : *checks) run();
      } catch (const UsageError& e) {
        throw CLI::ValidationError(e.what());
      }
    });
  }
  checks_->push_back(std::move(check));
}

void CommandOptions::PassThrough() {
  app_->set_help_flag();
  app_->prefix_command();
}

std::string CommandOptions::Path() const { return CommandPath(*app_); }

namespace {

std::vector<std::string>& StartWordsStore() {
  static std::vector<std::string> words;
  return words;
}

}  // namespace

const std::vector<std::string>& StartWords() { return StartWordsStore(); }

std::vector<CommandInfo>& Commands() {
  static std::vector<CommandInfo> commands;
  return commands;
}

CommandRegistration::CommandRegistration(CommandInfo info) { Commands().push_back(std::move(info)); }

CommandRun AddSubcommands(CommandOptions& parent, const std::vector<CommandInfo>& commands) {
  CLI::App& app = parent.App();
  std::vector<std::pair<const CLI::App*, CommandRun>> runs;
  for (const CommandInfo& command : commands) {
    CLI::App* sub = app.add_subcommand(command.name, command.summary)->group("Commands");
    if (auto formatter = FormatterOf(app)) formatter->SetUsage(sub, command.usage);
    CommandOptions options(*sub);
    runs.emplace_back(sub, command.build(options));
    // An argument is shown by its name alone ("FILE"), not with CLI11's type words.
    for (CLI::Option* argument : sub->get_options([](const CLI::Option* o) { return o->get_positional(); }))
      argument->type_name("");
  }
  // Exactly one: once a command is chosen, a later word that names another command is
  // one of the chosen command's arguments.
  app.require_subcommand(1, 1);
  return [runs = std::move(runs)](CommandContext& ctx) {
    for (const auto& [sub, run] : runs)
      if (sub->parsed()) return run(ctx);
    return UsageExitCode;
  };
}

CommandLine::CommandLine(const std::string& description, const std::string& usage)
    : program_(std::make_unique<CLI::App>(description, "korvana")), options_(*program_) {
  auto formatter = std::make_shared<KorvanaFormatter>();
  formatter->SetUsage(program_.get(), usage);
  program_->formatter(formatter);
}

CommandLine::~CommandLine() = default;

CommandRun CommandLine::Parse(int argc, char** argv, std::ostream& out, std::ostream& err, int& exitCode) {
  StartWordsStore().assign(argv, argv + argc);
  CLI::App& program = *program_;
  // "korvana help" is "korvana --help".
  const CLI::App* help = program.add_subcommand("help")->group("");
  program.set_help_flag("-h,--help", "print this help (after a command: the command's help)");
  // The help lists the commands by name, whichever program's files registered them first.
  std::vector<CommandInfo> commands = Commands();
  std::sort(commands.begin(), commands.end(), [](const CommandInfo& a, const CommandInfo& b) { return a.name < b.name; });
  const CommandRun run = AddSubcommands(options_, commands);

  if (argc <= 1) {
    err << program.help();
    exitCode = UsageExitCode;
    return {};
  }
  try {
    program.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    out << program.help();
    exitCode = 0;
    return {};
  } catch (const CLI::ParseError& e) {
    exitCode = ReportUsageError(program, e, err);
    return {};
  }
  if (help->parsed()) {
    out << program.get_formatter()->make_help(&program, "korvana", CLI::AppFormatMode::Normal);
    exitCode = 0;
    return {};
  }
  exitCode = 0;
  return run;
}

}  // namespace korvana::cli
