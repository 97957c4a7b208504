#include "core/reports/interps/interps.h"

#include <fstream>
#include <limits>

#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/records.h"
#include "core/util/text.h"

namespace korvana {
namespace {

// Checked signed 32-bit arithmetic: the file format's record numbers and positions are
// 32-bit values and a request that leaves that range is an error, not a wrap-around.
std::int32_t Add(std::int32_t x, std::int32_t y) {
  std::int32_t r;
  if (__builtin_add_overflow(x, y, &r)) throw std::overflow_error("interpretation record arithmetic overflow");
  return r;
}
std::int32_t Sub(std::int32_t x, std::int32_t y) {
  std::int32_t r;
  if (__builtin_sub_overflow(x, y, &r)) throw std::overflow_error("interpretation record arithmetic overflow");
  return r;
}
std::int32_t Mul(std::int32_t x, std::int32_t y) {
  std::int32_t r;
  if (__builtin_mul_overflow(x, y, &r)) throw std::overflow_error("interpretation record arithmetic overflow");
  return r;
}

constexpr std::size_t MaxHeaderBytes =
    InterpHeaderSize300 + 2 * InterpAspectCount + InterpAspectCount * InterpAspectNameSize;

}  // namespace

int PointCapacityOf(int version) {
  if (version >= 300) return 50;
  if (version >= 200) return 36;
  return 26;
}

InterpKindAddressing InterpAddressingOf(int kind) {
  using enum InterpLayout;
  static constexpr std::array<InterpKindAddressing, InterpKindCount> table = {{
      {OneText, false},        // 0
      {OneText, false},        // 1
      {OneText, false},        // 2
      {OnePerItem, false},     // 3 DegreeText
      {OnePerItem, false},     // 4
      {ThreePerItem, false},   // 5
      {ThreePerItem, false},   // 6
      {ThreePerItem, false},   // 7
      {ThreePerItem, false},   // 8
      {ThreePerItem, false},   // 9
      {ThreePerItem, false},   // 10
      {OnePerItem, false},     // 11
      {ThreePerItem, false},   // 12
      {ThreePerItem, false},   // 13
      {OnePerItem, true},      // 14
      {TwelvePerItem, true},   // 15 PointInHouse
      {TwelvePerItem, true},   // 16 PointInSign
      {TwelvePerItem, false},  // 17
      {AspectPairs, true},     // 18 AspectText
  }};
  if (kind < 0 || kind >= InterpKindCount) return {};
  return table[static_cast<std::size_t>(kind)];
}

std::int32_t InterpRecordNumber(int version, bool directedPairs, int aspectCount, int kind,
                                std::int32_t a, std::int32_t s, std::int32_t b) {
  const std::int32_t n = PointCapacityOf(version);
  const InterpKindAddressing addressing = InterpAddressingOf(kind);
  switch (addressing.layout) {
    case InterpLayout::OneText:
      return 0;
    case InterpLayout::OnePerItem:
      // One text per item. Item numbers are 1-based: 0 or below would address the
      // records in front of the section.
      if (a < 1 || (addressing.pointItems && a > n)) return -1;
      return a - 1;
    case InterpLayout::TwelvePerItem:
      // Twelve texts per item (a sign or a house each); a thirteenth "sign" would read
      // the next item's first text, so s is held to 1..12.
      if (a < 1 || s < 1 || s > 12 || (addressing.pointItems && a > n)) return -1;
      return Add(Mul(a - 1, 12), s - 1);
    case InterpLayout::ThreePerItem: {
      if (a < 1) return -1;
      std::int32_t r = Add(Mul(a - 1, 3), s);
      return r < 0 ? -1 : r;
    }
    case InterpLayout::AspectPairs: {
      const std::int32_t k = aspectCount;
      const std::int32_t m = s;
      if (m < 1 || m > k || a < 1 || b < 1) return -1;
      if (version < 200) {
        if (b < a) std::swap(a, b);
        if (b > n) return -1;
        // Upper triangle of the pair matrix including a point with itself.
        std::int32_t p = Add(Sub(Mul(a - 1, n), Mul(a - 1, a - 2) / 2), b - a);
        return Add(Mul(p, k), m - 1);
      }
      if (version < 300) {
        if (!directedPairs && b < a) std::swap(a, b);
        if (a > n || b > n) return -1;
        return Add(Mul(Add(Mul(a - 1, n), b - 1), k), m - 1);
      }
      if (!directedPairs) {
        if (b < a) std::swap(a, b);
        if (a > n || b > n) return -1;
        return Add(Add(Mul(Mul(a - 1, n), k), Mul(m - 1, n)), b - 1);
      }
      if (a > n || b > n) return -1;
      return Add(Mul(Add(Mul(a - 1, n), b - 1), k), m - 1);
    }
    case InterpLayout::None:
      return -1;
  }
  return -1;
}

void TEMInterps::Unload() {
  Version = 0;
  FileName.clear();
  SectionOffset.fill(0);
  DirectedPairs = 0;
  AspectCount = 0;
  Reserved16.fill(0);
  Reserved32.fill(0);
  Unused300.fill(0);
  AspectMap.fill(0);
  for (auto& n : FileAspectNames) n.clear();
  DataStart = 0;
}

void TEMInterps::Open(const std::string& fileName) {
  Unload();
  auto path = FindPathNoCase(fileName);
  if (!path || !FileExists(*path)) return;

  std::ifstream in(*path, std::ios::binary);
  if (!in) throw EInterpFileError("Unable to open interpretation file: " + fileName);
  std::string head(MaxHeaderBytes, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));

  const std::string damaged = "Interpretation file is truncated or damaged: " + fileName;
  try {
    ByteReader r(head);
    std::int16_t version = r.I16();
    if (version > InterpMaxVersion || version < 1)
      throw EInterpFileError(interp_messages::IncompatibleVersion + fileName);
    std::array<std::int32_t, InterpKindCount> offsets{};
    for (auto& o : offsets) o = r.I32();
    if (version == InterpMaxVersion) {
      for (auto& u : Unused300) u = r.U8();
    }
    std::int32_t directed = r.I32();
    std::int16_t aspectCount = r.I16();
    for (auto& v : Reserved16) v = r.I16();
    for (auto& v : Reserved32) v = r.I32();
    if (aspectCount < 0 || aspectCount > InterpAspectCount) throw EInterpFileError(damaged);
    for (int i = 1; i <= InterpAspectCount; ++i) AspectMap[static_cast<std::size_t>(i)] = r.I16();
    for (int i = 1; i <= aspectCount; ++i)
      FileAspectNames[static_cast<std::size_t>(i)] =
          std::string(Trim(Cp1252ToUtf8(r.Bytes(InterpAspectNameSize))));
    SectionOffset = offsets;
    DirectedPairs = directed;
    AspectCount = aspectCount;
    DataStart = static_cast<std::int32_t>(r.Position());
    Version = version;
    FileName = *path;
  } catch (const ERecordError&) {
    Unload();
    throw EInterpFileError(damaged);
  } catch (...) {
    Unload();
    throw;
  }
}

std::int32_t TEMInterps::RecordPosition(int kind, std::int32_t a, std::int32_t s, std::int32_t b) const {
  if (kind < 0 || kind >= InterpKindCount) return 0;
  const std::int32_t offset = SectionOffset[static_cast<std::size_t>(kind)];
  if (offset == 0) return 0;
  std::int32_t r = InterpRecordNumber(Version, DirectedPairs != 0, AspectCount, kind, a, s, b);
  if (r < 0) return -1;
  return Add(Add(DataStart, offset), Mul(6, r));
}

bool TEMInterps::GetText(int kind, std::int32_t a, std::int32_t s, std::int32_t b, std::string& text) const {
  if (FileName.empty()) {
    text = interp_messages::NoFile;
    return false;
  }
  if (kind == AspectText) {
    std::int32_t m = (s >= 1 && s <= InterpAspectCount) ? AspectMap[static_cast<std::size_t>(s)] : 0;
    // An entry beyond the file's own aspect list can only come from a damaged map;
    // following it would fetch another aspect's text.
    if (m < 1 || m > AspectCount) {
      text = interp_messages::AspectNotIncluded;
      return false;
    }
    s = m;
  }
  try {
    std::int32_t position = RecordPosition(kind, a, s, b);
    if (position <= 0) {
      text = interp_messages::NoInformation;
      return false;
    }
    std::ifstream in(FileName, std::ios::binary);
    if (!in) throw ERecordError("open");
    std::string record(6, '\0');
    in.seekg(position);
    in.read(record.data(), 6);
    if (in.gcount() != 6) throw ERecordError("index record");
    ByteReader r(record);
    std::int32_t textPosition = r.I32();
    std::int16_t length = r.I16();
    if (textPosition < 1 || length < 1) {
      text = interp_messages::NoTopicText;
      return false;
    }
    std::string bytes(static_cast<std::size_t>(length), '\0');
    in.seekg(textPosition - 1);
    in.read(bytes.data(), length);
    if (in.gcount() != length) throw ERecordError("paragraph");
    text = Cp1252ToUtf8(bytes);
    return true;
  } catch (const std::exception&) {
    text = std::string(interp_messages::ReadException) + FileName;
    return false;
  }
}

}  // namespace korvana
