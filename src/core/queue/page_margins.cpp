#include "core/queue/page_margins.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/util/text.h"

namespace korvana {

namespace {

constexpr double InchesPerTwip = 0.00069444446;
constexpr double CentimetresPerTwip = 0.0017638889;
constexpr double TwipsPerInch = 1440.0;
constexpr double TwipsPerCentimetre = 566.92914;
constexpr double UnreadableMargin = 0.5;
constexpr double LargestTwips = 32767.0;

}  // namespace

MarginUnit MarginUnitOf(int code) { return code == 2 ? MarginUnit::Inches : MarginUnit::Centimetres; }

double MarginFromTwips(std::int32_t twips, MarginUnit unit) {
  return twips * (unit == MarginUnit::Inches ? InchesPerTwip : CentimetresPerTwip);
}

std::string MarginText(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

double ReadMarginField(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  if (trimmed.empty() || trimmed.find_first_not_of("0123456789.,") != std::string_view::npos) return UnreadableMargin;
  if (trimmed.find_first_of("0123456789") == std::string_view::npos) return UnreadableMargin;
  if (std::count_if(trimmed.begin(), trimmed.end(), [](char c) { return c == '.' || c == ','; }) > 1)
    return UnreadableMargin;
  const double value = ParseDecimal(trimmed);
  return std::isfinite(value) && value >= 0 ? value : UnreadableMargin;
}

double ConvertMargin(double value, MarginUnit from, MarginUnit to) {
  if (from == to) return value;
  return to == MarginUnit::Centimetres ? value * 2.54 : value * 0.39370078;
}

std::int32_t TwipsFromMargin(double value, MarginUnit unit) {
  const double twips = std::nearbyint(value * (unit == MarginUnit::Inches ? TwipsPerInch : TwipsPerCentimetre));
  return static_cast<std::int32_t>(std::clamp(twips, 0.0, LargestTwips));
}

}  // namespace korvana
