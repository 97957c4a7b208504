#include "core/preferences/composite_options.h"

#include <algorithm>

#include "core/config/program_settings.h"

namespace korvana {

namespace {

constexpr std::array<int, 2> MethodValues = {2, 15};
constexpr std::array<int, 3> AnchorValues = {0, 1, 10};

template <std::size_t N>
int PositionOf(const std::array<int, N>& values, int value) {
  const auto it = std::find(values.begin(), values.end(), value);
  return it == values.end() ? 0 : static_cast<int>(it - values.begin());
}

template <std::size_t N>
int ValueAt(const std::array<int, N>& values, int position) {
  return position >= 0 && position < static_cast<int>(N) ? values[static_cast<std::size_t>(position)] : values[0];
}

}  // namespace

CompositeOptionsChoice CompositeOptionsFrom(const ProgramSettings& settings) {
  return {PositionOf(MethodValues, settings.CompositeChartMethod), PositionOf(AnchorValues, settings.CompositeMPBaseHouse)};
}

bool ApplyCompositeOptions(const CompositeOptionsChoice& choice, ProgramSettings& settings) {
  const int method = ValueAt(MethodValues, choice.method);
  const int anchor = ValueAt(AnchorValues, choice.anchor);
  const bool changed = method != settings.CompositeChartMethod || anchor != settings.CompositeMPBaseHouse;
  settings.CompositeChartMethod = method;
  settings.CompositeMPBaseHouse = anchor;
  return changed;
}

}  // namespace korvana
