// Little-endian record reading and writing for the program's fixed-layout files.
//
// ByteReader walks a byte buffer and throws ERecordError instead of reading past its end,
// so a truncated or damaged file can never make a reader run outside the data.
// Length-prefixed strings are stored as one count byte and a fixed field width; the
// count is clamped to the width when a file is damaged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/error.h"

namespace korvana {

class ERecordError : public Error {
 public:
  using Error::Error;
};

class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : data_(data) {}

  std::size_t Position() const { return pos_; }
  std::size_t Size() const { return data_.size(); }
  std::size_t Remaining() const { return data_.size() - pos_; }
  bool AtEnd() const { return pos_ >= data_.size(); }
  void Seek(std::size_t pos);
  void Skip(std::size_t n);

  std::uint8_t U8();
  std::int8_t I8() { return static_cast<std::int8_t>(U8()); }
  std::uint16_t U16();
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
  std::uint32_t U32();
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  float F32();
  double F64();
  bool Bool() { return U8() != 0; }
  std::string Bytes(std::size_t n);
  // A string of one count byte followed by a field of `width` characters.
  std::string ShortString(std::size_t width);

 private:
  void Need(std::size_t n) const;
  std::string_view data_;
  std::size_t pos_ = 0;
};

class ByteWriter {
 public:
  void U8(std::uint8_t v) { out_.push_back(static_cast<char>(v)); }
  void I8(std::int8_t v) { U8(static_cast<std::uint8_t>(v)); }
  void U16(std::uint16_t v);
  void I16(std::int16_t v) { U16(static_cast<std::uint16_t>(v)); }
  void U32(std::uint32_t v);
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void F32(float v);
  void F64(double v);
  void Bool(bool v) { U8(v ? 1 : 0); }
  void Bytes(std::string_view bytes) { out_.append(bytes); }
  // Count byte plus `width` characters, truncated to the width and padded with zeros.
  void ShortString(std::string_view s, std::size_t width);
  void Zeros(std::size_t n) { out_.append(n, '\0'); }

  const std::string& Data() const { return out_; }
  std::string Take() { return std::move(out_); }
  std::size_t Size() const { return out_.size(); }

 private:
  std::string out_;
};

// Overwrites a little-endian 32-bit value at a position of a buffer.
void PatchI32(std::string& buffer, std::size_t pos, std::int32_t value);

}  // namespace korvana
