#include "core/reports/compiler/index_pairing.h"

#include <gtest/gtest.h>

#include "core/reports/reportset/section_index.h"

namespace korvana {
namespace {

CompiledRecord Section(std::int32_t depth, std::string title) {
  CompiledRecord r;
  r.code = SectionCode;
  r.params[0] = depth;
  r.noText = title.empty();
  r.text = std::move(title);
  return r;
}

CompiledRecord Statement(std::string text) {
  CompiledRecord r;
  r.code = 7;
  r.level = 1;
  r.noText = text.empty();
  r.text = std::move(text);
  return r;
}

// A front page section and two chapters, each with one paragraph of the given texts.
std::string Compiled(const std::string& first, const std::string& second, bool third = false) {
  std::string data = EncodeCompiledRecord(Section(0, "Front"));
  data += EncodeCompiledRecord(Section(1, "One"));
  data += EncodeCompiledRecord(Statement(first));
  data += EncodeCompiledRecord(Section(1, "Two"));
  data += EncodeCompiledRecord(Statement(second));
  if (third) data += EncodeCompiledRecord(Section(2, "Three"));
  return data;
}

std::vector<CompiledRecord> Entries(const std::string& index) {
  std::vector<CompiledRecord> entries;
  for (const PlacedRecord& p : ReadCompiledRecords(index, true)) entries.push_back(p.record);
  return entries;
}

std::string Encode(const std::vector<CompiledRecord>& entries) {
  std::string out;
  for (const CompiledRecord& e : entries) out += EncodeCompiledRecord(e);
  return out;
}

// The user's own changes: chapters swapped, one switched off and renamed.
std::string EditedIndex(const std::string& compiled) {
  std::vector<CompiledRecord> e = Entries(SectionIndexBytes(compiled));
  std::swap(e[1], e[2]);
  e[1].code = SectionOff;
  e[1].text = "My own title";
  return Encode(e);
}

std::string WithDuplicate(const std::string& compiled) {
  std::vector<CompiledRecord> e = Entries(SectionIndexBytes(compiled));
  e[2] = e[1];
  return Encode(e);
}

std::string WithDepthChanged(const std::string& compiled) {
  std::vector<CompiledRecord> e = Entries(SectionIndexBytes(compiled));
  e[2].params[0] = 2;
  return Encode(e);
}

TEST(SectionIndexPairingTest, IndexBelongsOnlyToTheCompileItWasMadeFrom) {
  const std::string report = Compiled("Sun in Aries.", "Moon in Leo.");
  struct Case {
    const char* what;
    std::string compiled;
    std::string index;
    bool belongs;
  };
  const Case cases[] = {
      {"the index made with it", report, SectionIndexBytes(report), true},
      {"the user's order, states and titles", report, EditedIndex(report), true},
      {"a recompile that leaves every section where it was", Compiled("Sun in Virgo.", "Moon in Leo."),
       SectionIndexBytes(report), true},
      {"a recompile that moves a section", Compiled("Sun in Sagittarius.", "Moon in Leo."),
       SectionIndexBytes(report), false},
      {"a recompile that adds a section", Compiled("Sun in Aries.", "Moon in Leo.", true), SectionIndexBytes(report),
       false},
      {"another report's index", report, SectionIndexBytes(Compiled("A much longer first paragraph.", "B")), false},
      {"an index naming one section twice", report, WithDuplicate(report), false},
      {"an index whose section lies at another depth", report, WithDepthChanged(report), false},
      {"an empty index", report, "", false},
  };
  for (const Case& c : cases) {
    const CompiledReportReader bin(c.compiled, false);
    const CompiledReportReader ind(c.index, true);
    EXPECT_EQ(!SectionIndexMismatch(bin, ind).has_value(), c.belongs) << c.what;
  }
}

}  // namespace
}  // namespace korvana
