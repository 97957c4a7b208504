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

ValueCheck WholeNumber(int low, int high, const std::string& what) {
  std::string message = "takes " + what;
  if (low != INT_MIN && high != INT_MAX) message += " from " + std::to_string(low) + " to " + std::to_string(high);
  else if (low != INT_MIN) message += " from " + std::to_string(low) + " up";
  return [low, high, message](std::string& value) {
    const auto n = ParseInt32(value);
    if (!n || *n < low || *n > high) return message;
    value = std::to_string(*n);
    return std::string();
  };
}

ValueCheck NotEmpty() {
  return [](std::string& value) { return value.empty() ? std::string("takes a name") : std::string(); };
}

ValueCheck OneOf(std::vector<std::string> words, bool ignoreCase) {
  const std::string message = "takes " + Listed(words);
  return [words, ignoreCase, message](std::string& value) {
    for (const std::string& w : words)
      if (ignoreCase ? EqualsNoCase(w, value) : w == value) return std::string();
    return message;
  };
}

ValueCheck GenderList() {
  return [](std::string& value) {
    for (std::string_view part : Split(value, ','))
      if (const std::string g = ToLowerAscii(Trim(part)); !g.empty() && g != "m" && g != "f")
        return std::string("takes m or f for each chart, separated by commas");
    return std::string();
  };
}

ValueCheck PictureSize(int low, int high) {
  const std::string message =
      "takes WxH, each from " + std::to_string(low) + " to " + std::to_string(high);
  return [low, high, message](std::string& value) {
    const auto parts = Split(value, 'x');
    if (parts.size() != 2) return message;
    for (const std::string& part : parts)
      if (const auto n = ParseInt32(part); !n || *n < low || *n > high) return message;
    return std::string();
  };
}

ValueCheck FileExtension(std::vector<std::string> extensions) {
  const std::string message = "must be a " + Listed(extensions) + " file";
  return [extensions, message](std::string& value) {
    for (const std::string& ext : extensions)
      if (value.size() >= ext.size() && EqualsNoCase(value.substr(value.size() - ext.size()), ext))
        return std::string();
    return message;
  };
}

}  // namespace korvana::cli
