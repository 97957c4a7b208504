#include "core/util/records.h"

#include <gtest/gtest.h>

namespace korvana {
namespace {

TEST(Records, RoundTripLittleEndian) {
  ByteWriter w;
  w.U8(0xAB);
  w.I16(-2);
  w.I32(-123456);
  w.F64(2451545.25);
  w.F32(1.5f);
  w.ShortString("Adelaide", 5);  // truncated to the field width
  EXPECT_EQ(w.Size(), 1u + 2 + 4 + 8 + 4 + 6);
  EXPECT_EQ(w.Data().substr(1, 2), std::string("\xFE\xFF", 2));

  ByteReader r(w.Data());
  EXPECT_EQ(r.U8(), 0xAB);
  EXPECT_EQ(r.I16(), -2);
  EXPECT_EQ(r.I32(), -123456);
  EXPECT_EQ(r.F64(), 2451545.25);
  EXPECT_EQ(r.F32(), 1.5f);
  EXPECT_EQ(r.ShortString(5), "Adela");
  EXPECT_TRUE(r.AtEnd());
}

TEST(Records, DamagedDataNeverReadsOutside) {
  std::string bad("\x09" "abc", 4);  // count byte 9 but field of 3 and too short
  ByteReader r(bad);
  EXPECT_THROW(r.ShortString(5), ERecordError);
  const std::string damaged("\xFF" "abc", 4);
  ByteReader clamp(damaged);
  EXPECT_EQ(clamp.ShortString(3), "abc");  // count clamped to the width
  ByteReader empty("");
  EXPECT_THROW(empty.I32(), ERecordError);
  EXPECT_THROW(empty.Seek(1), ERecordError);
}

}  // namespace
}  // namespace korvana
