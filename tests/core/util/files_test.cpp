#include "core/util/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

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
  // A scratch write skips only the wait for the disk: it still replaces through a rename
  // and refuses what a flushed write refuses; the folder's flush says when it failed.
  ASSERT_TRUE(WriteFileAtomic(dir / "f.bin", "scratch", Durability::Scratch));
  EXPECT_EQ(dir.Read("f.bin"), "scratch");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1);
  EXPECT_FALSE(WriteFileAtomic(dir / "missing/f.bin", "x", Durability::Scratch));
  EXPECT_TRUE(FlushFileSystemOf(dir.Path()));
  EXPECT_FALSE(FlushFileSystemOf(dir / "missing"));
  EXPECT_FALSE(FlushFileSystemOf(dir / "f.bin")) << "a file is not a folder";
  EXPECT_FALSE(IsFileInUse(dir / "nothing"));
  EXPECT_FALSE(IsFileInUse(dir / "f.bin"));
}

// What a rewrite may replace, and what it keeps of the file it replaces.
TEST(Files, AtomicWriteKeepsWhatTheFileIs) {
  testing::TempFolder dir;
  namespace fs = std::filesystem;

  // A private file stays private.
  const std::string secret = dir.Write("secret.cht", "old");
  ::chmod(secret.c_str(), 0600);
  ASSERT_TRUE(WriteFileAtomic(secret, "new"));
  struct stat st {};
  ASSERT_EQ(::stat(secret.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(dir.Read("secret.cht"), "new");

  // A link stays a link; the file it leads to is rewritten.
  const std::string target = dir.Write("real/charts.cht", "old");
  fs::create_symlink(target, dir / "link.cht");
  ASSERT_TRUE(WriteFileAtomic(dir / "link.cht", "new"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.cht"));
  EXPECT_EQ(dir.Read("real/charts.cht"), "new");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator()), 1) << "no work file left";

  // A pipe or a folder is never replaced, by a write or by a finished work file.
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
  fs::create_directory(dir / "folder");
  for (const char* name : {"pipe", "folder"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(IsReplaceableTarget(dir / name));
    EXPECT_FALSE(WriteFileAtomic(dir / name, "x"));
    const std::string work = dir.Write("work.tmp", "x");
    EXPECT_FALSE(ReplaceFile(work, dir / name));
    EXPECT_FALSE(fs::exists(work)) << "the work file is removed";
  }
  EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
  EXPECT_TRUE(fs::is_directory(dir / "folder"));
  EXPECT_TRUE(IsReplaceableTarget(dir / "new.rtf"));
  EXPECT_FALSE(IsReplaceableTarget("/dev/null"));
}

// Work files left by a program that is gone are removed; others stay.
TEST(Files, StaleWorkFilesAreRemoved) {
  testing::TempFolder dir;
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ASSERT_GT(gone, 0);
  ::waitpid(gone, nullptr, 0);
  const std::string mine = std::to_string(::getpid()), dead = std::to_string(gone);
  using Names = std::vector<std::string>;
  for (const std::string& name : Names{"a.cht", "a.cht.work" + dead + "_17", "a.chm.work" + dead + "_3",
                                       "a.cht.work" + mine + "_5", "notes.work", "b.work12x_4", "c.work_4"})
    dir.Write(name, "x");
  EXPECT_EQ(RemoveStaleWorkFiles(dir.Path()), 2);
  namespace fs = std::filesystem;
  EXPECT_FALSE(fs::exists(dir / ("a.cht.work" + dead + "_17")));
  EXPECT_FALSE(fs::exists(dir / ("a.chm.work" + dead + "_3")));
  for (const std::string& name : Names{"a.cht", "a.cht.work" + mine + "_5", "notes.work", "b.work12x_4", "c.work_4"})
    EXPECT_TRUE(fs::exists(dir / name)) << name;
  // Work files are named so that the next start finds them.
  const std::string work = WorkFileFor(dir / "r.rtf");
  EXPECT_EQ(work.rfind(dir / ("r.rtf.work" + mine + "_"), 0), 0u) << work;
  EXPECT_EQ(RemoveStaleWorkFiles(dir / "missing/"), 0);
}

TEST(Files, WorkFileNames) {
  struct Case { const char* name; bool work; };
  const Case cases[] = {
      {"a.cht.work123_17", true},  {"traditional.asp.work9_0", true}, {".work1_2", true},
      {"a.cht", false},            {"notes.work", false},             {"b.work12x_4", false},
      {"c.work_4", false},         {"d.work12_", false},              {"e.work12_3x", false},
      {"f.work0_3", false},        {"work12_3", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsWorkFileName(c.name), c.work) << c.name;
}

TEST(Files, InsideAFolder) {
  testing::TempFolder dir;
  dir.Write("data/reports/r.bin", "x");
  std::filesystem::create_symlink("/tmp", dir / "data/outside");
  struct Case { std::string path; bool inside; };
  const Case cases[] = {
      {dir / "data/reports/r.bin", true},
      {dir / "data/reports/new.ind", true},        // not there yet
      {dir / "data", true},
      {dir / "data/../elsewhere/r.ind", false},
      {dir / "database/r.ind", false},             // a sibling sharing the prefix
      {dir / "data/outside/r.ind", false},         // a link leading out
      {"/etc/r.ind", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsInsideFolder(c.path, dir / "data/"), c.inside) << c.path;
  EXPECT_FALSE(IsInsideFolder(dir / "data/r.ind", ""));
}

TEST(Text, ControlCharactersAreDropped) {
  struct Case { const char* text; const char* shown; };
  const Case cases[] = {
      {"Anna Smith", "Anna Smith"},
      {"Evil\x1b[2J\rName\n", "Evil[2JName"},
      {"Tab\there\x7f", "Tabhere"},
      {"Troms\xC3\xB8", "Troms\xC3\xB8"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(WithoutControlCharacters(c.text), c.shown) << c.text;
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

TEST(Files, OnlyRegularFilesAreRead) {
  testing::TempFolder dir;
  EXPECT_FALSE(ReadFileBytes(dir.Path()));
  EXPECT_FALSE(ReadFileBytes(dir / "missing"));
  // A pipe without a writer would block a reader that opened it, and never end.
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  EXPECT_FALSE(ReadFileBytes(dir / "pipe"));
  dir.Write("f", "abc");
  EXPECT_EQ(ReadFileBytes(dir / "f"), "abc");
  EXPECT_EQ(ReadFileBytes(dir.Write("empty", "")), "");
  const std::string big(200000, 'x');  // longer than one read
  EXPECT_EQ(ReadFileBytes(dir.Write("big", big)), big);
}

}  // namespace
}  // namespace korvana
