#include "core/reports/compiler/compiled_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/util/records.h"

namespace korvana {
namespace {

using ::testing::HasSubstr;

CompiledRecord Make(std::uint8_t code, std::int32_t level, std::string text, std::int32_t link = 0) {
  CompiledRecord r;
  r.code = code;
  r.params[0] = 3;
  r.level = level;
  r.noText = text.empty();
  r.text = std::move(text);
  r.link = link;
  return r;
}

// Section (0), s1 at level 1 (47 + 1 = 48 .. ), its child, s2 at level 1.
struct SoundFile {
  std::string data;
  std::size_t section, s1, child, s2;
  SoundFile() {
    section = data.size();
    data += EncodeCompiledRecord(Make(3, 0, "A"));
    s1 = data.size();
    data += EncodeCompiledRecord(Make(7, 1, "s1"));
    child = data.size();
    data += EncodeCompiledRecord(Make(7, 2, "c1"));
    s2 = data.size();
    data += EncodeCompiledRecord(Make(7, 1, "s2"));
    PatchI32(data, s1 + 43, static_cast<std::int32_t>(s2));
  }
};

TEST(CompiledReportReaderTest, SoundFileWalksAndFollowsLinks) {
  SoundFile f;
  CompiledReportReader reader(f.data, false);
  EXPECT_FALSE(reader.Damaged());
  ASSERT_EQ(reader.Records().size(), 4u);
  const PlacedRecord* s1 = reader.At(f.s1);
  ASSERT_NE(s1, nullptr);
  EXPECT_EQ(s1->record.text, "s1");
  const PlacedRecord* next = reader.Follow(*s1);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->position, f.s2);
  EXPECT_EQ(reader.Follow(*reader.At(f.s2)), nullptr);  // link 0
  EXPECT_EQ(reader.At(f.s1 + 1), nullptr);              // not a record start
}

TEST(CompiledReportReaderTest, DamageIsReportedAndNeverFollowed) {
  struct Case {
    const char* what;
    std::size_t patchAt;  // offset from the start of s1; SIZE_MAX: cut the file instead
    std::int32_t value;
    std::size_t cutTo;
    std::size_t readable;  // records still read
    const char* problem;
  };
  SoundFile f;
  const std::size_t none = static_cast<std::size_t>(-1);
  const Case cases[] = {
      {"header cut short", none, 0, f.s2 + 20, 3, "truncated record header"},
      {"text cut short", none, 0, f.s2 + 48, 3, "bad text length"},
      {"negative text length", 39, -5, 0, 1, "bad text length -5"},
      {"text length past the end", 39, 1 << 30, 0, 1, "bad text length"},
      {"link past the end", 43, 1 << 30, 0, 4, "bad link"},
      {"negative link", 43, -47, 0, 4, "bad link -47"},
      {"link backwards", 43, 0 + 1, 0, 4, "bad link 1"},
      {"link into a record", 43, static_cast<std::int32_t>(f.s2 + 3), 0, 4, "bad link"},
      {"link to another level", 43, static_cast<std::int32_t>(f.child), 0, 4, "another level"},
  };
  for (const Case& c : cases) {
    std::string data = f.data;
    if (c.patchAt == none) data.resize(c.cutTo);
    else PatchI32(data, f.s1 + c.patchAt, c.value);
    CompiledReportReader reader(data, false);
    EXPECT_TRUE(reader.Damaged()) << c.what;
    ASSERT_FALSE(reader.Problems().empty()) << c.what;
    EXPECT_THAT(reader.Problems()[0], HasSubstr(c.problem)) << c.what;
    EXPECT_EQ(reader.Records().size(), c.readable) << c.what;
    const PlacedRecord* s1 = reader.At(f.s1);
    if (s1 && c.patchAt == 43 && std::string(c.what) != "link to another level") {
      EXPECT_EQ(reader.Follow(*s1), nullptr) << c.what;
    }
  }
}

TEST(CompiledReportReaderTest, SectionIndexLinksPointIntoTheCompiledFile) {
  std::string data = EncodeCompiledRecord(Make(SectionOn, 0, "A", 5000));
  CompiledReportReader index(data, true);
  EXPECT_FALSE(index.Damaged());
  EXPECT_EQ(index.Follow(index.Records()[0]), nullptr);
  PatchI32(data, 43, -1);
  EXPECT_TRUE(CompiledReportReader(data, true).Damaged());
}

TEST(CompiledReportReaderTest, EmptyAndMissingFiles) {
  CompiledReportReader empty("", false);
  EXPECT_FALSE(empty.Damaged());
  EXPECT_TRUE(empty.Records().empty());
  EXPECT_THROW(CompiledReportReader::Load("/nonexistent/korvana/x.bin", false), ECompiledFileError);
}

TEST(DescribeRecordTest, OneLinePerRecordWithShortenedText) {
  CompiledRecord r = Make(9, 1, "Caf\xC3\xA9\r\n\\par \"quoted\" and a long tail", 94);
  r.params = {3, 1, 0, 0, 0, 0, 0, 0};
  r.negated = true;
  EXPECT_EQ(DescribeRecord({47, r}, false, 20),
            "47 code 9 params 3,1,0,0,0,0,0,0 neg 1 level 1 link 94 length 35 "
            "\"Caf\xC3\xA9\\r\\n\\par \\\"quoted\\\" \"...");
  CompiledRecord s = Make(3, 0, "");
  s.params = {1, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(DescribeRecord({0, s}, true), "0 state 3 params 1,0,0,0,0,0,0,0 neg 0 level 0 link 0 length 0 \"\"");
}

}  // namespace
}  // namespace korvana
