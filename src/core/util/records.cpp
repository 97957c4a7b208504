#include "core/util/records.h"

#include <algorithm>
#include <cstring>

namespace korvana {

void ByteReader::Need(std::size_t n) const {
  if (n > data_.size() - pos_)
    throw ERecordError("unexpected end of data at byte " + std::to_string(pos_));
}

void ByteReader::Seek(std::size_t pos) {
  if (pos > data_.size()) throw ERecordError("position " + std::to_string(pos) + " is outside the data");
  pos_ = pos;
}

void ByteReader::Skip(std::size_t n) {
  Need(n);
  pos_ += n;
}

std::uint8_t ByteReader::U8() {
  Need(1);
  return static_cast<std::uint8_t>(data_[pos_++]);
}

std::uint16_t ByteReader::U16() {
  Need(2);
  auto b = reinterpret_cast<const unsigned char*>(data_.data() + pos_);
  pos_ += 2;
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t ByteReader::U32() {
  Need(4);
  auto b = reinterpret_cast<const unsigned char*>(data_.data() + pos_);
  pos_ += 4;
  return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

float ByteReader::F32() {
  std::uint32_t bits = U32();
  float v;
  std::memcpy(&v, &bits, 4);
  return v;
}

double ByteReader::F64() {
  std::uint64_t lo = U32();
  std::uint64_t hi = U32();
  std::uint64_t bits = lo | (hi << 32);
  double v;
  std::memcpy(&v, &bits, 8);
  return v;
}

std::string ByteReader::Bytes(std::size_t n) {
  Need(n);
  std::string out(data_.substr(pos_, n));
  pos_ += n;
  return out;
}

std::string ByteReader::ShortString(std::size_t width) {
  std::size_t count = std::min<std::size_t>(U8(), width);
  Need(width);
  std::string out(data_.substr(pos_, count));
  pos_ += width;
  return out;
}

void ByteWriter::U16(std::uint16_t v) {
  U8(static_cast<std::uint8_t>(v & 0xFF));
  U8(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::U32(std::uint32_t v) {
  for (int i = 0; i < 4; ++i) U8(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

void ByteWriter::F32(float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, 4);
  U32(bits);
}

void ByteWriter::F64(double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, 8);
  U32(static_cast<std::uint32_t>(bits & 0xFFFFFFFFu));
  U32(static_cast<std::uint32_t>(bits >> 32));
}

void ByteWriter::ShortString(std::string_view s, std::size_t width) {
  std::size_t count = std::min(s.size(), std::min<std::size_t>(width, 255));
  U8(static_cast<std::uint8_t>(count));
  out_.append(s.substr(0, count));
  Zeros(width - count);
}

void PatchI32(std::string& buffer, std::size_t pos, std::int32_t value) {
  if (pos + 4 > buffer.size()) throw ERecordError("patch position outside the buffer");
  auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) buffer[pos + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace korvana
