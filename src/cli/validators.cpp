#include "cli/validators.h"

#include "core/util/text.h"

namespace korvana::cli {
namespace {

// "a, b or c"
std::string Listed(const std::vector<std::string>& words) {
  std::string text;
  for (std::size_t i = 0; i < words.size(); ++i)
    text += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + words[i];
  return text;
}

}  // namespace

CLI::Validator WholeNumber(int low, int high, const std::string& what) {
  std::string message = "takes " + what;
  if (low != INT_MIN && high != INT_MAX) message += " from " + std::to_string(low) + " to " + std::to_string(high);
  else if (low != INT_MIN) message += " from " + std::to_string(low) + " up";
  return CLI::Validator(
      [low, high, message](std::string& value) {
        const auto n = ParseInt32(value);
        if (!n || *n < low || *n > high) return message;
        value = std::to_string(*n);
        return std::string();
      },
      "");
}

CLI::Validator NotEmpty() {
  return CLI::Validator([](std::string& value) { return value.empty() ? std::string("takes a name") : std::string(); },
                        "");
}

CLI::Validator OneOf(std::vector<std::string> words, bool ignoreCase) {
  const std::string message = "takes " + Listed(words);
  return CLI::Validator(
      [words, ignoreCase, message](std::string& value) {
        for (const std::string& w : words)
          if (ignoreCase ? EqualsNoCase(w, value) : w == value) return std::string();
        return message;
      },
      "");
}

CLI::Validator GenderList() {
  return CLI::Validator(
      [](std::string& value) {
        for (std::string_view part : Split(value, ','))
          if (const std::string g = ToLowerAscii(Trim(part)); !g.empty() && g != "m" && g != "f")
            return std::string("takes m or f for each chart, separated by commas");
        return std::string();
      },
      "");
}

CLI::Validator PictureSize(int low, int high) {
  const std::string message =
      "takes WxH, each from " + std::to_string(low) + " to " + std::to_string(high);
  return CLI::Validator(
      [low, high, message](std::string& value) {
        const auto parts = Split(value, 'x');
        if (parts.size() != 2) return message;
        for (const std::string& part : parts)
          if (const auto n = ParseInt32(part); !n || *n < low || *n > high) return message;
        return std::string();
      },
      "");
}

CLI::Validator FileExtension(std::vector<std::string> extensions) {
  const std::string message = "must be a " + Listed(extensions) + " file";
  return CLI::Validator(
      [extensions, message](std::string& value) {
        for (const std::string& ext : extensions)
          if (value.size() >= ext.size() && EqualsNoCase(value.substr(value.size() - ext.size()), ext))
            return std::string();
        return message;
      },
      "");
}

}  // namespace korvana::cli
