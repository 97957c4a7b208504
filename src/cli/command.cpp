#include "cli/command.h"

#include <CLI/CLI.hpp>

#include <map>
#include <memory>
#include <ostream>

namespace korvana::cli {
namespace {

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

}  // namespace

std::vector<CommandInfo>& Commands() {
  static std::vector<CommandInfo> commands;
  return commands;
}

CommandRegistration::CommandRegistration(CommandInfo info) { Commands().push_back(std::move(info)); }

void UseKorvanaHelp(CLI::App& program, const std::string& usage) {
  auto formatter = std::make_shared<KorvanaFormatter>();
  formatter->SetUsage(&program, usage);
  program.formatter(formatter);
}

CommandRun AddSubcommands(CLI::App& app, const std::vector<CommandInfo>& commands) {
  std::vector<std::pair<const CLI::App*, CommandRun>> runs;
  for (const CommandInfo& command : commands) {
    CLI::App* sub = app.add_subcommand(command.name, command.summary)->group("Commands");
    if (auto formatter = FormatterOf(app)) formatter->SetUsage(sub, command.usage);
    runs.emplace_back(sub, command.build(*sub));
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

std::string CommandPath(const CLI::App& app) {
  std::string path;
  for (const CLI::App* a = &app; a && a->get_parent(); a = a->get_parent())
    path = a->get_name() + (path.empty() ? "" : " " + path);
  return path;
}

}  // namespace korvana::cli
