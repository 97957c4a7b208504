// A Messages implementation for tests: records every message and answers questions
// from a queue (default: OK / Yes / the initial text).
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/util/messages.h"

namespace korvana::testing {

struct RecordedMessage {
  MessageKind kind;
  std::string text;
};

class RecordingMessages : public Messages {
 public:
  std::vector<RecordedMessage> messages;
  std::deque<Answer> answers;                       // consumed by Confirm/YesNo/YesNoCancel
  std::deque<std::optional<std::string>> inputs;    // consumed by InputBox

  void Warning(std::string_view t) override { Add(MessageKind::Warning, t); }
  void Error(std::string_view t) override { Add(MessageKind::Error, t); }
  void Information(std::string_view t) override { Add(MessageKind::Information, t); }
  bool Confirm(std::string_view t) override {
    Add(MessageKind::Confirmation, t);
    return Next(Answer::Ok) == Answer::Ok;
  }
  bool YesNo(std::string_view t) override {
    Add(MessageKind::Confirmation, t);
    return Next(Answer::Yes) == Answer::Yes;
  }
  Answer YesNoCancel(std::string_view t) override {
    Add(MessageKind::Confirmation, t);
    return Next(Answer::Yes);
  }
  std::optional<std::string> InputBox(std::string_view, std::string_view prompt,
                                      std::string_view initial) override {
    Add(MessageKind::Confirmation, prompt);
    if (inputs.empty()) return std::string(initial);
    auto v = inputs.front();
    inputs.pop_front();
    return v;
  }

  bool Empty() const { return messages.empty(); }
  // Text of the only message; fails loudly in a test when there is not exactly one.
  std::string Only() const { return messages.size() == 1 ? messages[0].text : std::string("<") + std::to_string(messages.size()) + " messages>"; }

 private:
  void Add(MessageKind k, std::string_view t) { messages.push_back({k, std::string(t)}); }
  Answer Next(Answer fallback) {
    if (answers.empty()) return fallback;
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
};

}  // namespace korvana::testing
