// Replays the compiled report reader fuzz entry over a compiled report made by the
// program's record writer (sections at several depths, statements linked to the next of
// their level, texts with 8-bit and control characters), its section index with sections
// switched off, and their mutations: record fields overwritten with extreme values or
// with the positions of other records, records cut short, repeated or dropped.
#include <vector>

#include "core/reports/compiler/compiled_reader.h"
#include "core/reports/reportset/compiled_record.h"
#include "core/reports/reportset/section_index.h"
#include "core/util/records.h"
#include "support/fuzz_replay.h"

namespace {

using namespace korvana;

CompiledRecord Record(std::uint8_t code, std::int32_t depth, std::int32_t level, std::string text) {
  CompiledRecord r;
  r.code = code;
  r.params = {depth, 2, -7, 0, 12, 0, 0, 360};
  r.level = level;
  r.noText = text.empty();
  r.text = std::move(text);
  return r;
}

// Record i's start is starts[i]; statements at the same level under one parent link on.
std::string CompiledReport() {
  const CompiledRecord records[] = {
      Record(SectionCode, 0, 0, "Front Page"),
      Record(7, 0, 1, "Opening {\\b words}\r\n"),
      Record(SectionCode, 1, 0, "Planets"),
      Record(SectionCode, 2, 0, "Sun \xC3\xA9t\xC3\xA9 \xE2\x80\x94 caf\xC3\xA9"),
      Record(11, 2, 1, "Sun in the signs"),
      Record(12, 2, 2, "\x01\t\"quoted\"\x1F"),
      Record(12, 2, 2, ""),
      Record(11, 2, 1, "Sun in the houses"),
      Record(SectionCode, 5, 0, ""),
      Record(SectionCode, 1, 0, "Aspects"),
      Record(40, 1, 1, std::string(200, 'a')),
  };
  std::string data;
  std::vector<std::size_t> starts;
  for (const CompiledRecord& r : records) {
    starts.push_back(data.size());
    data += EncodeCompiledRecord(r);
  }
  const std::pair<int, int> links[] = {{4, 7}, {5, 6}};
  for (auto [from, to] : links) PatchI32(data, starts[from] + 43, static_cast<std::int32_t>(starts[to]));
  return data;
}

// The index with its second section switched off and the one below it off with it.
std::string SwitchedIndex(std::string index) {
  const std::size_t second = CompiledHeaderSize + 10;  // after "Front Page"
  index[second] = static_cast<char>(SectionOff);
  index[second + CompiledHeaderSize + 7] = static_cast<char>(SectionInheritedOff);
  return index;
}

// Record starts of sound data, by their stored text lengths.
std::vector<std::size_t> Starts(const std::string& data) {
  std::vector<std::size_t> starts;
  ByteReader reader(data);
  try {
    while (!reader.AtEnd()) {
      starts.push_back(reader.Position());
      ReadCompiledRecord(reader);
    }
  } catch (const ERecordError&) {
  }
  return starts;
}

void MutateFields(std::string& data, testing::FuzzMutator& m) {
  const auto starts = Starts(data);
  if (starts.empty()) return;
  const std::size_t start = starts[m.Below(starts.size())];
  const std::size_t other = starts[m.Below(starts.size())];
  switch (m.Below(8)) {
    case 0: data[start] = static_cast<char>(m.Below(2) ? SectionCode : m.Next()); break;  // code or state
    case 1: m.Put(data, start + 1 + 4 * m.Below(8), static_cast<std::uint32_t>(m.ExtremeInt())); break;
    case 2: m.Put(data, start + 34, static_cast<std::uint32_t>(m.ExtremeInt())); break;  // level
    case 3: m.Put(data, start + 39, static_cast<std::uint32_t>(m.ExtremeInt())); break;  // text length
    case 4:  // link: extreme, or at, next to or inside another record
      m.Put(data, start + 43,
            static_cast<std::uint32_t>(m.Below(2) ? m.ExtremeInt() : static_cast<std::int32_t>(other + m.Below(3)) - 1));
      break;
    case 5: data.resize(start + m.Below(CompiledHeaderSize + 4)); break;  // a record cut short
    case 6: data += data.substr(other, data.size() - other); break;       // records repeated
    default: data.erase(other, start > other ? start - other : 0); break;  // records dropped
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string compiled = CompiledReport();
  const std::string index = SectionIndexBytes(compiled);
  const std::vector<korvana::testing::FuzzSeed> seeds = {
      {"report.bin", compiled},
      {"report.ind", index},
      {"switched.ind", SwitchedIndex(index)},
  };
  for (const auto& seed : seeds) {
    // A damaged seed would test nothing but the first damage.
    if (korvana::CompiledReportReader(seed.data, seed.name.ends_with(".ind")).Damaged()) return 1;
  }
  // Fewer rounds than a pure byte reader gets: every input also writes, loads and saves
  // a section tree.
  return korvana::testing::ReplayFuzzEntry(argc, argv, "reports_compiler_fuzz_replay", seeds, MutateFields, 1500);
}
