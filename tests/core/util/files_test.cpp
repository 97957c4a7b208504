#include "core/util/files.h"

#include <gtest/gtest.h>

#include "core/util/codepage.h"
#include "core/util/text.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

TEST(Files, FindsDataFilesWhateverTheirCase) {
  testing::TempFolder dir;
  dir.Write("SwissEph/SEPL_18.SE1", "x");
  auto found = FindPathNoCase(dir / "swisseph/sepl_18.se1");
  ASSERT_TRUE(found);
  EXPECT_EQ(*found, dir / "SwissEph/SEPL_18.SE1");
  EXPECT_FALSE(FindPathNoCase(dir / "swisseph/semo_18.se1"));
}

TEST(Files, MasksAndListing) {
  struct Case { const char* name; const char* mask; bool match; };
  const Case cases[] = {
      {"se00433.se1", "s*.se1", true}, {"SE00433.SE1", "s*.se1", true},
      {"seplm.se1", "s*.se1", true},   {"se1", "s*.se1", false},
      {"modern.swp", "*.swp", true},   {"modern.swpx", "*.swp", false},
      {"a.txt", "?.txt", true},        {"ab.txt", "?.txt", false}};
  for (const auto& c : cases) EXPECT_EQ(MatchesMask(c.name, c.mask), c.match) << c.name << " " << c.mask;

  testing::TempFolder dir;
  dir.Write("b.swp", "");
  dir.Write("A.SWP", "");
  dir.Write("c.txt", "");
  EXPECT_EQ(ListFiles(dir.Path(), "*.swp"), (std::vector<std::string>{"A.SWP", "b.swp"}));
}

TEST(Files, ResolveAndRelative) {
  EXPECT_EQ(ResolveInFolder("modern.swp", "/k/"), "/k/modern.swp");
  EXPECT_EQ(ResolveInFolder("/x/modern.swp", "/k/"), "/x/modern.swp");
  EXPECT_EQ(RelativeToFolder("/k/modern.swp", "/k/"), "modern.swp");
  EXPECT_EQ(RelativeToFolder("/K/modern.swp", "/k/"), "/K/modern.swp");  // case-sensitive
  EXPECT_EQ(RelativeToFolder("/k/sub/modern.swp", "/k/"), "/k/sub/modern.swp");
  EXPECT_EQ(ChangeExtension("/a.b/c.bin", ".ind"), "/a.b/c.ind");
  EXPECT_EQ(BaseNameOf("/a/modern.swp"), "modern");
  EXPECT_EQ(NormalisePath("/a/b/../c/"), "/a/c/");
}

TEST(Files, AtomicWriteAndInUse) {
  testing::TempFolder dir;
  ASSERT_TRUE(WriteFileAtomic(dir / "f.bin", "new"));
  EXPECT_EQ(dir.Read("f.bin"), "new");
  EXPECT_FALSE(WriteFileAtomic(dir / "missing/f.bin", "x"));
  EXPECT_FALSE(IsFileInUse(dir / "nothing"));
  EXPECT_FALSE(IsFileInUse(dir / "f.bin"));
}

TEST(Text, CodePageAndNumbers) {
  EXPECT_EQ(Utf8ToCp1252("Jos\xC3\xA9 \xE2\x82\xAC \xE2\x99\x88"), "Jos\xE9 \x80 ?");
  EXPECT_EQ(Cp1252ToUtf8("\xE6\xF8\xE5\x80"), "\xC3\xA6\xC3\xB8\xC3\xA5\xE2\x82\xAC");
  EXPECT_EQ(ParseInt32(" -17 "), -17);
  EXPECT_FALSE(ParseInt32("3000000000"));
  EXPECT_FALSE(ParseInt32("1.5"));
  EXPECT_EQ(ParseReal("0.75"), 0.75);
  EXPECT_FALSE(ParseReal("abc"));
  EXPECT_EQ(SplitLines("a\r\nb\nc\r"), (std::vector<std::string>{"a", "b", "c"}));
}

}  // namespace
}  // namespace korvana

namespace korvana {
namespace {

TEST(Files, ReadingAFolderOrMissingFileGivesNothing) {
  testing::TempFolder dir;
  EXPECT_FALSE(ReadFileBytes(dir.Path()));
  EXPECT_FALSE(ReadFileBytes(dir / "missing"));
  dir.Write("f", "abc");
  EXPECT_EQ(ReadFileBytes(dir / "f"), "abc");
}

}  // namespace
}  // namespace korvana
