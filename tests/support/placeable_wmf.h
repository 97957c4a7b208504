// A placeable metafile with the given box and an empty record list: the smallest picture
// a report accepts, for tests whose picture sources stand in for the render layer.
#pragma once

#include <cstdint>
#include <string>

#include "core/util/records.h"

namespace korvana::testing {

inline std::string PlaceableWmf(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom,
                                std::uint16_t unitsPerInch = 1440) {
  ByteWriter w;
  w.U32(0x9AC6CDD7u);
  w.U16(0);
  for (std::int16_t v : {left, top, right, bottom}) w.I16(v);
  w.U16(unitsPerInch);
  w.U32(0);
  w.U16(0);  // checksum (not checked by readers of the box)
  // Metafile header: type, header words, version, size in words, objects, max record, 0;
  // then the end record.
  for (std::uint16_t v : {1, 9, 0x0300}) w.U16(v);
  w.U32(12);
  w.U16(0);
  w.U32(3);
  w.U16(0);
  w.U32(3);
  w.U16(0);
  return w.Take();
}

}  // namespace korvana::testing
