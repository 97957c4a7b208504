#include "core/analysis/almuten_scheme.h"

#include <algorithm>

#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/records.h"

namespace korvana {
namespace {

constexpr std::size_t TitleOffset = 20;
constexpr std::size_t TitleWidth = 39;
constexpr std::size_t WeightsOffset = 315;

}  // namespace

double AlmutenScheme::CuspOffset(int house) const {
  if (house < 1 || house > 12) return 0.0;
  return cuspOffsets[static_cast<std::size_t>((house - 1) % 3)];
}

AlmutenScheme ParseAlmutenRecord(std::string_view record) {
  AlmutenScheme s;
  ByteReader r(record);
  s.raw = std::string(record.substr(0, AlmutenRecordSize));
  r.Seek(TitleOffset);
  s.title = Cp1252ToUtf8(r.ShortString(TitleWidth));
  r.Seek(WeightsOffset);
  for (auto& w : s.dignityWeights) w = r.I16();
  for (auto& w : s.receptionWeights) w = r.I16();
  s.dayBonus = r.I16();
  s.hourBonus = r.I16();
  for (int h = 1; h <= 12; ++h) s.houseWeights[static_cast<std::size_t>(h)] = r.I16();
  s.triplicityByte = r.U8();
  r.Skip(1);
  s.termSystem = r.U8();
  r.Skip(1);
  for (auto& f : s.receptionCounts) f = r.I16();
  s.ownPlace = r.I16();
  for (auto& p : s.positions) p = r.I16();
  r.Skip(2);
  s.reversedFortune = r.I16();
  s.rulershipScheme = r.I16();
  s.houseSystem = r.I16();
  for (auto& o : s.cuspOffsets) o = r.F32();
  s.degreeShift = r.I16();
  s.sectCondition = r.I16();
  s.peregrineWeight = r.I16();
  return s;
}

std::string EncodeAlmutenRecord(const AlmutenScheme& s) {
  std::string out = s.raw;
  out.resize(AlmutenRecordSize, '\0');
  ByteWriter title;
  title.ShortString(Utf8ToCp1252(s.title), TitleWidth);
  out.replace(TitleOffset, title.Size(), title.Data());
  ByteWriter w;
  for (auto v : s.dignityWeights) w.I16(v);
  for (auto v : s.receptionWeights) w.I16(v);
  w.I16(s.dayBonus);
  w.I16(s.hourBonus);
  for (int h = 1; h <= 12; ++h) w.I16(s.houseWeights[static_cast<std::size_t>(h)]);
  w.U8(s.triplicityByte);
  w.U8(static_cast<std::uint8_t>(out[WeightsOffset + 57]));
  w.U8(s.termSystem);
  w.U8(static_cast<std::uint8_t>(out[WeightsOffset + 59]));
  for (auto v : s.receptionCounts) w.I16(v);
  w.I16(s.ownPlace);
  for (auto v : s.positions) w.I16(v);
  w.Bytes(std::string_view(out).substr(459, 2));
  w.I16(s.reversedFortune);
  w.I16(s.rulershipScheme);
  w.I16(s.houseSystem);
  for (auto v : s.cuspOffsets) w.F32(v);
  w.I16(s.degreeShift);
  w.I16(s.sectCondition);
  w.I16(s.peregrineWeight);
  out.replace(WeightsOffset, w.Size(), w.Data());
  return out;
}

AlmutenScheme ReadAlmutenScheme(const std::string& path, int recordNumber) {
  auto found = FindPathNoCase(path);
  auto bytes = found && recordNumber >= 1 ? ReadFileBytes(*found) : std::nullopt;
  const std::size_t start = static_cast<std::size_t>(std::max(recordNumber - 1, 0)) * AlmutenRecordSize;
  if (!bytes || bytes->size() < start + AlmutenRecordSize)
    throw EAlmutenSchemeError("Unable to read almuten file: " + path);
  return ParseAlmutenRecord(std::string_view(*bytes).substr(start, AlmutenRecordSize));
}

std::optional<AlmutenScheme> AlmutenSchemeOrNone(const std::string& path) {
  try {
    return ReadAlmutenScheme(path);
  } catch (const EAlmutenSchemeError&) {
    return std::nullopt;
  }
}

bool WriteAlmutenScheme(const std::string& path, int recordNumber, const AlmutenScheme& scheme) {
  if (recordNumber < 1) return false;
  std::string target = FindPathNoCase(path).value_or(path);
  std::string bytes;
  if (FileExists(target)) {
    auto old = ReadFileBytes(target);
    if (!old) return false;
    bytes = std::move(*old);
  }
  const std::size_t start = static_cast<std::size_t>(recordNumber - 1) * AlmutenRecordSize;
  if (bytes.size() < start + AlmutenRecordSize) bytes.resize(start + AlmutenRecordSize, '\0');
  bytes.replace(start, AlmutenRecordSize, EncodeAlmutenRecord(scheme));
  return WriteFileAtomic(target, bytes);
}

}  // namespace korvana
