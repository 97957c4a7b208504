// Readable descriptions of wheel designs, from which the shipped design files are built.
//
// A description is a series of sections, each a header line in brackets followed by
// "key = value" lines; ";" starts a comment. Sections:
//   [design]                 counts, design radius and dial (version, circles, charts,
//                            design_radius, dial_degrees, fixed_rotation,
//                            rotation_degrees, swap_degree_and_minute)
//   [circle N]               circle N (1..20)
//   [cusps L C], [cusp_labels L C], [house_numbers L C], [zodiac L C]
//                            style of layer L (1..2), chart C (1..5)
//   [points C], [extra_points C]   point ring / extra-point ring of chart C
//   [aspects]                the aspect area
// Values: integers, decimals, yes/no, colours as #RRGGBB, lists as comma-separated
// decimals. Unknown sections or keys and malformed values are errors, so a typing
// mistake in a description can never silently produce a different design.
#pragma once

#include <string>
#include <string_view>

#include "core/util/error.h"
#include "core/wheels/wheel_design.h"

namespace korvana {

// A description that cannot be read; the message is "line N: ..." of the first fault, or
// the fault alone when it concerns the whole description (the counts).
class EWheelDescriptionError : public Error {
 public:
  using Error::Error;
};

// The design a description gives. Throws EWheelDescriptionError at the first fault.
WheelDesign ParseWheelDescription(std::string_view text);

}  // namespace korvana
