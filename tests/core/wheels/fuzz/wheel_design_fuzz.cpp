// Fuzz entry of the wheel design readers: any bytes as a design record of either version
// and as a readable design description. Whatever is read must write back to a record of
// the current size and read again to the same counts.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/wheels/wheel_design.h"
#include "core/wheels/wheel_design_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  using namespace korvana;
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  auto check = [](const WheelDesign& d) {
    const std::string out = SerializeWheelDesign(d);
    if (out.size() != WheelDesignSize) std::abort();
    auto again = ParseWheelDesign(out);
    if (!again || again->circleCount != d.circleCount || again->chartCount != d.chartCount) {
      std::abort();
    }
  };
  if (data.size() >= WheelDesignSize) {
    if (auto d = ParseWheelDesign(data.substr(0, WheelDesignSize))) check(*d);
  }
  if (auto v2 = ConvertWheelDesignV1(data)) {
    if (v2->size() != WheelDesignSize) std::abort();
    if (auto d = ParseWheelDesign(*v2)) check(*d);
  }
  try {
    check(ParseWheelDescription(data));
  } catch (const EWheelDescriptionError&) {
  }
  return 0;
}
