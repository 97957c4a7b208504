// Messages: how the core talks to the user without knowing any window system.
//
// Every place that would show a message box in a desktop program calls one of these.
// The GUI implements them with message boxes, the command line with stderr and fixed
// answers, the tests with a recorder (tests/support/recording_messages.h).
// Texts are UTF-8; lines are separated by "\r\n" as the program's messages are written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvana {

enum class MessageKind { Warning, Error, Information, Confirmation };

// The answer to a question box.
enum class Answer { Ok, Cancel, Yes, No };

class Messages {
 public:
  virtual ~Messages() = default;

  virtual void Warning(std::string_view text) = 0;
  virtual void Error(std::string_view text) = 0;
  virtual void Information(std::string_view text) = 0;

  // An OK/Cancel confirmation; true for OK.
  virtual bool Confirm(std::string_view text) = 0;

  // A Yes/No question; true for Yes.
  virtual bool YesNo(std::string_view text) = 0;

  // Yes/No/Cancel; returns Answer::Yes, Answer::No or Answer::Cancel.
  virtual Answer YesNoCancel(std::string_view text) = 0;

  // A one-line input box; nullopt when the user cancels.
  virtual std::optional<std::string> InputBox(std::string_view caption, std::string_view prompt,
                                              std::string_view initial) = 0;
};

// Messages that go nowhere and answer every question with its default (OK, Yes, the
// initial text). For code paths that must run without a user.
class SilentMessages : public Messages {
 public:
  void Warning(std::string_view) override {}
  void Error(std::string_view) override {}
  void Information(std::string_view) override {}
  bool Confirm(std::string_view) override { return true; }
  bool YesNo(std::string_view) override { return true; }
  Answer YesNoCancel(std::string_view) override { return Answer::Yes; }
  std::optional<std::string> InputBox(std::string_view, std::string_view,
                                      std::string_view initial) override {
    return std::string(initial);
  }
};

}  // namespace korvana
