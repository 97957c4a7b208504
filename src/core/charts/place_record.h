// One place of a place file: a fixed record of 73 bytes, little-endian, no file header.
//
// Layout (offsets in bytes):
//   0 place name (20), 20 country or region (20), 40 zone as typed (14), 54 latitude as
//   typed (8), 62 longitude as typed (9), 71 zone history table number (signed 16-bit,
//   0 for none).
// Each text is 8-bit Windows-1252, NUL-terminated in its field, so it holds at most the
// field's width less one character. Latitude and longitude keep only blanks, digits and
// capital letters ("34S55", "138E35").
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/util/error.h"

namespace korvana {

constexpr std::size_t PlaceRecordSize = 73;

// A place record that cannot be read, or a place file that cannot be read or written;
// what() is the message for the user.
class EPlaceFileError : public Error {
 public:
  using Error::Error;
};

// A place as the program works with it: texts in UTF-8.
struct PlaceRecord {
  std::string Place;
  std::string Country;
  std::string Zone;
  std::string Latitude;
  std::string Longitude;
  std::int16_t ZoneTable = 0;

  friend bool operator==(const PlaceRecord&, const PlaceRecord&) = default;
};

// The text of a latitude or longitude as a record keeps it: small letters made capital,
// every character other than a blank, a digit or a capital letter dropped.
std::string CoordinateText(std::string_view typed);

// The 73 bytes of a place. Texts are converted to Windows-1252 and cut to their field;
// latitude and longitude go through CoordinateText. Never throws.
std::string PlaceRecordBytes(const PlaceRecord& place);

// The place held by exactly 73 bytes. Throws EPlaceFileError when a text field has no
// terminating NUL or a latitude or longitude holds a character a record never keeps:
// such bytes are not a place record, and reading on would show garbage as places.
PlaceRecord PlaceFromBytes(std::string_view record);

}  // namespace korvana
