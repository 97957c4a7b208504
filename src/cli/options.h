// The options and arguments a command adds to its part of the command line. The parser
// library stays behind this interface: only command.cpp, which implements it, includes
// the library, so the command files compile without its templates.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace korvana::cli {

// A check of one given value: returns the empty text when the value is fine (it may
// rewrite the value into its plain form first), else the reason, e.g. "takes a name",
// which the usage error shows after the option's name.
using ValueCheck = std::function<std::string(std::string& value)>;

// Thrown by a check after the parse (CommandOptions::AfterParse) for a command line that
// is wrong as a whole; it becomes a usage error with exactly this message.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One option or argument just added; each setter gives back the same handle to chain on.
class Option {
 public:
  explicit Option(CLI::Option& option) : option_(&option) {}

  // A command line without it is a usage error.
  Option& Required();

  // A value that fails `check` is a usage error; the checks run in the order added.
  Option& Check(ValueCheck check);

  // The value's name in the help ("--houses N"), instead of the value's type.
  Option& ValueName(const std::string& name);

 private:
  CLI::Option* option_;
};

// The options and arguments of one command or subcommand. A copy refers to the same
// command, so it may be kept beyond the call that received it.
class CommandOptions {
 public:
  explicit CommandOptions(CLI::App& app) : app_(&app), checks_(std::make_shared<std::vector<std::function<void()>>>()) {}

  // Adds an option ("--name", "-o,--output") or, for a name without dashes ("FILE"), the
  // next positional argument; the value given is stored in `target`, which must outlive
  // the parse. A value that does not read as the target's type is a usage error.
  Option Value(const std::string& names, std::string& target, const std::string& description);
  Option Value(const std::string& names, std::optional<std::string>& target, const std::string& description);
  Option Value(const std::string& names, int& target, const std::string& description);
  Option Value(const std::string& names, std::optional<int>& target, const std::string& description);

  // Like Value, but the value given is handed to `store` during the parse.
  Option ValueTo(const std::string& names, std::function<void(const std::string&)> store,
                 const std::string& description);

  // Adds an option without a value; `target` becomes true when it is given.
  void Flag(const std::string& names, bool& target, const std::string& description);

  // Options this command does not know are taken by the command above it (a subcommand
  // passing its parent's options on).
  void FallThrough();

  // Takes every word after the command as it stands, "--help" included, without
  // checking any: for a command that another program parses and runs.
  void PassThrough();

  // Runs `check` once the whole command line parsed and this command was chosen; a
  // UsageError it throws is a usage error of this command. Checks run in the order added.
  void AfterParse(std::function<void()> check);

  // "cast", "charts add": the words that name this command on the command line.
  std::string Path() const;

  // The parser's own command, for the command table; usable only where the parser
  // library is included (command.cpp).
  CLI::App& App() const { return *app_; }

 private:
  CLI::App* app_;
  std::shared_ptr<std::vector<std::function<void()>>> checks_;  // shared by the copies
};

}  // namespace korvana::cli
