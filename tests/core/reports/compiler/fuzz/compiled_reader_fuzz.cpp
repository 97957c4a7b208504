// Fuzz entry of the compiled report and section index readers: any bytes as a compiled
// report and as a section index. The safe reader must keep every record before the
// damage and follow only sound links; the strict reader must agree with it on sound
// files; a sound compiled report must index, and its index and any readable index must
// load as a section tree that survives saving and loading again.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/reports/compiler/compiled_reader.h"
#include "core/reports/reportset/section_index.h"
#include "core/reports/reportset/section_tree.h"
#include "core/util/codepage.h"
#include "support/fuzz_folder.h"

namespace {

using namespace korvana;

void Require(bool condition) {
  if (!condition) std::abort();
}

bool SameRecords(const std::vector<PlacedRecord>& a, const std::vector<PlacedRecord>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].position != b[i].position || !(a[i].record == b[i].record)) return false;
  return true;
}

void CheckReader(std::string_view data, bool isSectionIndex) {
  const CompiledReportReader reader{std::string(data), isSectionIndex};
  const auto& records = reader.Records();
  std::size_t previousEnd = 0;
  for (const PlacedRecord& placed : records) {
    Require(placed.position == previousEnd && placed.position < data.size());
    Require(reader.At(placed.position) == &placed);
    previousEnd = placed.position + CompiledHeaderSize + Utf8ToCp1252(placed.record.text).size();
    const PlacedRecord* next = reader.Follow(placed);
    if (next) {
      Require(!isSectionIndex && next->position > placed.position);
      Require(next->position == static_cast<std::size_t>(placed.record.link));
    } else if (!isSectionIndex && !reader.Damaged()) {
      Require(placed.record.link == 0);
    }
    for (std::size_t maxText : {std::size_t{0}, std::size_t{60}, std::string::npos}) {
      const std::string line = DescribeRecord(placed, isSectionIndex, maxText);
      Require(line.rfind(std::to_string(placed.position) + (isSectionIndex ? " state " : " code "), 0) == 0);
    }
  }
  Require(reader.Damaged() || previousEnd == data.size());
  try {
    Require(SameRecords(ReadCompiledRecords(data, isSectionIndex), records));
  } catch (const ERecordError&) {
    Require(reader.Damaged());
  }
}

const std::string& IndexFile() {
  static const std::string path = korvana::testing::FuzzFolder() / "fuzz.ind";
  return path;
}

void WriteIndex(std::string_view bytes) {
  std::ofstream out(IndexFile(), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Titles and images of the tree, parents before children.
std::vector<std::pair<std::string, int>> Shape(const SectionTree& tree) {
  std::vector<std::pair<std::string, int>> shape;
  for (SectionTree::NodeId id : tree.InTreeOrder()) {
    Require(tree.Depth(id) >= 1 && tree.Depth(id) <= MaxSectionDepth);
    shape.emplace_back(tree.At(id).title, tree.At(id).image);
  }
  return shape;
}

// Loads the index bytes as a section tree; a readable one saves and loads again to the
// same tree, with its first section switched over.
void CheckTree(std::string_view index, std::size_t sections) {
  WriteIndex(index);
  SectionTree tree;
  try {
    tree = SectionTree::Load(IndexFile());
  } catch (const ERecordError&) {
    return;
  }
  Require(tree.InTreeOrder().size() == sections);
  if (tree.Empty()) return;
  tree.Toggle(tree.InTreeOrder().front());
  const auto shape = Shape(tree);
  Require(tree.Save(IndexFile()));
  Require(Shape(SectionTree::Load(IndexFile())) == shape);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  CheckReader(data, false);
  CheckReader(data, true);

  std::size_t sections = 0;
  try {
    sections = ReadCompiledRecords(data, true).size();
  } catch (const ERecordError&) {
  }
  CheckTree(data, sections);

  try {
    const std::string index = SectionIndexBytes(data);
    const CompiledReportReader compiled{std::string(data), false};
    const CompiledReportReader entries{index, true};
    Require(!entries.Damaged());
    std::size_t count = 0;
    for (const PlacedRecord& placed : compiled.Records()) count += placed.record.IsSection() ? 1 : 0;
    Require(entries.Records().size() == count);
    for (const PlacedRecord& entry : entries.Records()) {
      const PlacedRecord* section = compiled.At(static_cast<std::size_t>(entry.record.link));
      Require(section && section->record.IsSection() && entry.record.code == SectionOn);
      Require(section->record.text == entry.record.text && section->record.params == entry.record.params);
    }
    CheckTree(index, count);
  } catch (const ERecordError&) {
  }
  return 0;
}
