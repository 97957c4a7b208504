#include "core/analysis/aspect_file.h"

#include <algorithm>

#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/messages.h"
#include "core/util/records.h"

namespace korvana {
namespace {

constexpr std::size_t NameWidth = 20;

AspectFileHeader ReadHeader(ByteReader& r) {
  AspectFileHeader h;
  for (auto& b : h.reserved) b = r.U8();
  h.selectionMode = r.I16();
  h.moietyCombination = r.I16();
  h.separationMeasure = r.I16();
  h.moietyChoice = r.I16();
  h.count = r.I16();
  return h;
}

std::string ReadName(ByteReader& r) {
  std::string raw = r.Bytes(NameWidth);
  std::size_t end = raw.find_last_not_of(std::string_view(" \0", 2));
  raw.erase(end == std::string::npos ? 0 : end + 1);
  return Cp1252ToUtf8(raw);
}

AspectRecord ReadRecord(ByteReader& r) {
  AspectRecord a;
  a.aspectType = r.I16();
  a.name = ReadName(r);
  for (auto& b : a.reserved1) b = r.U8();
  a.glyph = r.U8();
  a.angle = r.F64();
  for (auto& b : a.reserved2) b = r.U8();
  a.inUse = r.I16() != 0;
  a.color = r.U32();
  a.lineStyle = r.I16();
  for (auto& o : a.orbs) o = r.F64();
  return a;
}

void WriteRecord(ByteWriter& w, const AspectRecord& a) {
  w.I16(a.aspectType);
  std::string name = Utf8ToCp1252(a.name);
  name.resize(NameWidth, ' ');
  w.Bytes(name);
  for (auto b : a.reserved1) w.U8(b);
  w.U8(a.glyph);
  w.F64(a.angle);
  for (auto b : a.reserved2) w.U8(b);
  w.I16(a.inUse ? -1 : 0);
  w.U32(a.color);
  w.I16(a.lineStyle);
  for (auto o : a.orbs) w.F64(o);
}

}  // namespace

bool AspectRecord::HasNatalOrb() const {
  for (int i : NatalOrbIndexes)
    if (orbs[static_cast<std::size_t>(i)] > 0) return true;
  return false;
}

int AspectSet::Count() const { return std::clamp<int>(header.count, 0, MaxAspectRecords); }

const AspectRecord* AspectSet::Record(int n) const {
  return n >= 1 && n <= Count() ? &records[static_cast<std::size_t>(n)] : nullptr;
}

AspectRecord* AspectSet::Record(int n) {
  return n >= 1 && n <= Count() ? &records[static_cast<std::size_t>(n)] : nullptr;
}

void AspectSet::RecomputeDisplayedMoieties() {
  double base = records[1].Orb(OrbApplying, OrbLuminary, OrbNatal);
  for (int p = 1; p <= MoietyPointCount; ++p)
    displayedMoieties[static_cast<std::size_t>(p)] =
        static_cast<float>(base * moietyFactors[static_cast<std::size_t>(p)]);
}

void ParseAspectFile(std::string_view bytes, AspectSet& set, const std::string& path) {
  set = AspectSet{};
  if (bytes.size() < AspectHeaderSize) throw EAspectFileError("Unable to open aspect file: " + path);
  ByteReader r(bytes);
  set.header = ReadHeader(r);
  set.loaded = true;
  const int declared = std::max<int>(set.header.count, 0);
  const int wanted = std::min(declared, MaxAspectRecords);
  bool whole = true;
  int read = 0;
  try {
    for (int n = 1; n <= wanted; ++n) {
      set.records[static_cast<std::size_t>(n)] = ReadRecord(r);
      read = n;
    }
  } catch (const ERecordError&) {
    whole = false;
  }
  set.header.count = static_cast<std::int16_t>(read);
  if (whole && set.header.HasMoietyBlock()) {
    // The block follows the last record the file declares, held or not.
    std::size_t at = AspectHeaderSize + static_cast<std::size_t>(declared) * AspectRecordSize;
    if (at + MoietyBlockSize <= bytes.size()) {
      r.Seek(at);
      for (int p = 1; p <= MoietyPointCount; ++p)
        set.moietyFactors[static_cast<std::size_t>(p)] = r.F32();
    } else {
      whole = false;
    }
  }
  set.RecomputeDisplayedMoieties();
  if (!whole) throw EAspectFileCutShort("Aspect file is cut short: " + path);
}

void ReadAspectFile(const std::string& path, AspectSet& set) {
  auto found = FindPathNoCase(path);
  auto bytes = ReadFileBytes(found ? *found : path);
  ParseAspectFile(bytes ? std::string_view(*bytes) : std::string_view(), set, path);
}

std::string SerializeAspectFile(const AspectSet& set) {
  ByteWriter w;
  const int count = set.Count();
  for (auto b : set.header.reserved) w.U8(b);
  w.I16(set.header.selectionMode);
  w.I16(set.header.moietyCombination);
  w.I16(set.header.separationMeasure);
  w.I16(set.header.moietyChoice);
  w.I16(static_cast<std::int16_t>(count));
  for (int n = 1; n <= count; ++n) WriteRecord(w, set.records[static_cast<std::size_t>(n)]);
  for (int p = 1; p <= MoietyPointCount; ++p)
    w.F32(set.moietyFactors[static_cast<std::size_t>(p)]);
  return w.Take();
}

bool LoadAspectFile(const std::string& path, AspectSet& set, Messages& messages) {
  try {
    ReadAspectFile(path, set);
    return true;
  } catch (const EAspectFileCutShort&) {
    return false;
  } catch (const EAspectFileError& e) {
    set = AspectSet{};
    messages.Error(e.what());
    return false;
  }
}

bool SaveAspectFile(const std::string& path, const AspectSet& set) {
  return WriteFileAtomic(path, SerializeAspectFile(set));
}

bool WriteDynamicAspectFile(const std::string& currentPath, const std::string& targetPath,
                            std::string_view selection, double enterOrb, double leaveOrb) {
  AspectSet set;
  try {
    ReadAspectFile(currentPath, set);
  } catch (const EAspectFileError&) {
    return false;
  }
  for (int n = 1; n <= std::min(set.Count(), 26); ++n) {
    AspectRecord& a = set.records[static_cast<std::size_t>(n)];
    for (int cls : {OrbLuminary, OrbOther}) {
      a.SetOrb(OrbApplying, cls, OrbDynamic, enterOrb);
      a.SetOrb(OrbSeparating, cls, OrbDynamic, leaveOrb);
    }
    std::size_t i = static_cast<std::size_t>(n - 1);
    a.inUse = i < selection.size() && selection[i] == '1';
  }
  return SaveAspectFile(targetPath, set);
}

}  // namespace korvana
