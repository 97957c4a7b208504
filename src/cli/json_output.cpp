#include "cli/json_output.h"

#include <cstdio>
#include <cstdlib>
#include <ostream>

namespace korvana::cli {
namespace {

std::string Scalar(const JsonValue& value) {
  return value.dump(-1, ' ', false, JsonValue::error_handler_t::replace);
}

void WriteInline(std::ostream& out, const JsonValue& value) {
  if (value.is_object()) {
    out << "{";
    const char* separator = "";
    for (const auto& [key, member] : value.items()) {
      out << separator << Scalar(JsonValue(key)) << ": ";
      WriteInline(out, member);
      separator = ", ";
    }
    out << "}";
  } else if (value.is_array()) {
    out << "[";
    const char* separator = "";
    for (const JsonValue& element : value) {
      out << separator;
      WriteInline(out, element);
      separator = ", ";
    }
    out << "]";
  } else {
    out << Scalar(value);
  }
}

bool IsListOfObjects(const JsonValue& value) {
  if (!value.is_array() || value.empty()) return false;
  for (const JsonValue& element : value)
    if (!element.is_object()) return false;
  return true;
}

}  // namespace

void WriteJson(std::ostream& out, const JsonValue& document) {
  if (!document.is_object() || document.empty()) {
    WriteInline(out, document);
    out << "\n";
    return;
  }
  out << "{\n";
  std::size_t left = document.size();
  for (const auto& [key, member] : document.items()) {
    out << "  " << Scalar(JsonValue(key)) << ": ";
    if (IsListOfObjects(member)) {
      out << "[\n";
      std::size_t elementsLeft = member.size();
      for (const JsonValue& element : member) {
        out << "    ";
        WriteInline(out, element);
        out << (--elementsLeft ? ",\n" : "\n");
      }
      out << "  ]";
    } else {
      WriteInline(out, member);
    }
    out << (--left ? ",\n" : "\n");
  }
  out << "}\n";
}

double RoundedTo(double value, int decimals) {
  char text[400];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return std::strtod(text, nullptr);
}

}  // namespace korvana::cli
