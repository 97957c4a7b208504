#include "core/config/start_up.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "core/util/files.h"
#include "core/util/text.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

TEST(StartUpTables, GlyphsAndSignColours) {
  ProgramSettings s;
  BuildGlyphTables(s);
  BuildSignColors(s);
  EXPECT_EQ(s.PointGlyph[1], 182);
  EXPECT_EQ(s.PointGlyph[36], 217);
  EXPECT_EQ(s.SignGlyph[1], 220);
  EXPECT_EQ(s.SignGlyph[2], 221);
  EXPECT_EQ(s.SignGlyph[3], 130);
  EXPECT_EQ(s.SignGlyph[12], 139);
  EXPECT_EQ(s.SignColor[1], (Rgb{223, 32, 32}));
  EXPECT_EQ(s.SignColorLight[1], (Rgb{255, 191, 191}));
  EXPECT_EQ(s.SignColor[5], (Rgb{32, 223, 32}));   // hue 1/3
  EXPECT_EQ(s.SignColor[9], (Rgb{32, 32, 223}));   // hue 2/3
  EXPECT_EQ(s.SignColor[13], (Rgb{255, 0, 0}));
  EXPECT_EQ(HslToColor(0.3, 0.0, 0.5), MakeColor(128, 128, 128));
  auto wheel = InitialWheelPointSelection();
  EXPECT_TRUE(wheel[1] && wheel[3] && wheel[12] && wheel[20] && wheel[23] && wheel[26]);
  EXPECT_FALSE(wheel[2] || wheel[4] || wheel[13] || wheel[24] || wheel[36]);
}

// The template fills in what the data folder lacks: never the user's own files, never a
// work file of a template being made while a program starts.
TEST(StartUpSeed, CopiesWhatIsMissingButNoWorkFiles) {
  testing::TempFolder dir;
  const std::string work = "userdata/traditional.asp.work" + std::to_string(::getpid()) + "_17";
  for (const char* name : {"modern.bin", "userdata/main.cht", "userdata/traditional.asp"})
    dir.Write(std::string("template/") + name, "template");
  dir.Write("template/" + work, "half made");
  dir.Write("data/userdata/main.cht", "mine");
  ASSERT_TRUE(SeedDataFolder(dir / "data/", dir / "template/"));
  EXPECT_EQ(dir.Read("data/modern.bin"), "template");
  EXPECT_EQ(dir.Read("data/userdata/traditional.asp"), "template");
  EXPECT_EQ(dir.Read("data/userdata/main.cht"), "mine");
  EXPECT_FALSE(FileExists(dir / ("data/" + work)));
}

TEST(StartUpPointColors, ReadWriteAndFailures) {
  testing::TempFolder dir;
  testing::RecordingMessages messages;
  ProgramSettings s;
  s.PointColors = dir / "korvana.cpt";
  s.PointColor[1] = MakeColor(1, 2, 3);
  s.PointColor[36] = MakeColor(200, 100, 50);
  ASSERT_TRUE(WritePointColors(s, messages));
  EXPECT_EQ(dir.Read("korvana.cpt").size(), 144u);
  ProgramSettings r;
  r.PointColors = s.PointColors;
  ASSERT_TRUE(ReadPointColors(r, messages));
  EXPECT_EQ(r.PointColor[36], MakeColor(200, 100, 50));
  EXPECT_TRUE(messages.Empty());

  dir.Write("short.cpt", std::string(100, '\x7f'));
  r.PointColors = dir / "short.cpt";
  EXPECT_FALSE(ReadPointColors(r, messages));
  EXPECT_EQ(r.PointColor[1], 0u);
  EXPECT_EQ(messages.Only(), "Unable to read color file: \r\n\r\n" + r.PointColors);

  messages.messages.clear();
  s.PointColors = dir / "missing/korvana.cpt";
  EXPECT_FALSE(WritePointColors(s, messages));
  EXPECT_EQ(messages.Only(), "Unable to write color file: \r\n\r\n" + s.PointColors);
}

TEST(StartUpCompliments, ConvertsOldLines) {
  struct Case {
    std::vector<std::string> in;
    std::vector<std::string> out;
  };
  const Case cases[] = {
      {{"COMPLIMENTS OF", "", "Star Studio", "12 Main St,", "Adelaide", "Tel 1", "Fax 2"},
       {"COMPLIMENTS OF", "Star Studio", "12 Main St, Adelaide", "Tel 1  |  Fax 2"}},
      {{"A", "B", "c1", "c2", "c3"}, {"A", "B", "c1  |  c2", "c3"}},
      {{"A", "B"}, {"A", "B", "", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(ConvertOldCompliments(c.in), c.out);
}

TEST(StartUpCompliments, UpkeepRestoresConvertsAndReplaces) {
  testing::TempFolder dir;
  const std::string file = dir / "compliments.txt";
  // A backup is restored over compli.txt, then converted.
  dir.Write("compli.txt", "old\r\n");
  dir.Write("compli-backup.txt", "HEAD\r\nFirm\r\nline a\r\nline b\r\n");
  UpkeepComplimentsFile(dir.Path(), file);
  EXPECT_TRUE(FileExists(dir / "compli-archived.txt"));
  EXPECT_FALSE(FileExists(dir / "compli-backup.txt"));
  EXPECT_FALSE(FileExists(dir / "compli-temp.txt"));
  EXPECT_EQ(dir.Read("compliments.txt"), "HEAD\r\nFirm\r\nline a\r\nline b\r\n");

  // The former maker's file is kept aside and replaced by ours.
  dir.Write("compliments.txt", std::string("COMPLIMENTS OF\r\nZEPHRAM\r\n") + FormerMakerAddressLine + "\r\nx\r\n");
  UpkeepComplimentsFile(dir.Path(), file);
  EXPECT_TRUE(FileExists(dir / "compliments-Zephram.txt"));
  auto lines = SplitLines(dir.Read("compliments.txt"));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "COMPLIMENTS OF");
  EXPECT_EQ(lines[1], DefaultComplimentsLines[1]);

  // A user's own file is left alone.
  dir.Write("compliments.txt", "COMPLIMENTS OF\r\nMy Practice\r\n");
  UpkeepComplimentsFile(dir.Path(), file);
  EXPECT_EQ(dir.Read("compliments.txt"), "COMPLIMENTS OF\r\nMy Practice\r\n");
}

TEST(StartUpAsteroids, DistributesByThousands) {
  struct Case { const char* name; int number; };
  const Case numbers[] = {{"se00433.se1", 433}, {"s433s.se1", 433}, {"se12345.se1", 12345},
                          {"seplm.se1", 0},     {"sx.se1", 0},       {"S2060.SE1", 2060}};
  for (const auto& c : numbers) EXPECT_EQ(AsteroidNumberOfFile(c.name), c.number) << c.name;

  testing::TempFolder dir;
  dir.Write("sys/se00433.se1", "a");
  dir.Write("sys/s433s.se1", "b");
  dir.Write("sys/se12345.se1", "c");
  dir.Write("sys/seplm.se1", "d");
  dir.Write("eph/ast0/s433s.se1", "existing");
  EXPECT_EQ(DistributeAsteroidFiles(dir / "sys/", dir / "eph/"), 2);
  EXPECT_EQ(dir.Read("eph/ast0/se00433.se1"), "a");
  EXPECT_EQ(dir.Read("eph/ast0/s433s.se1"), "existing");
  EXPECT_EQ(dir.Read("eph/ast12/se12345.se1"), "c");
  EXPECT_FALSE(FileExists(dir / "eph/ast0/seplm.se1"));
}

TEST(StartUpPrinter, PageSizeAndFallback) {
  ProgramSettings s;
  SetPageSize(s, std::nullopt);
  EXPECT_EQ(s.PageHeightTwips, 16951);
  EXPECT_EQ(s.PageWidthTwips, 12018);
  PrinterCapabilities a4{4960, 7016, 100, 100, 600, 600};
  SetPageSize(s, a4);
  EXPECT_EQ(s.PageHeightTwips, 16598);  // (7016 - 100) / 600 * 1440 = 16598.4
  EXPECT_EQ(s.PageWidthTwips, 11664);
  PrinterCapabilities broken{};
  SetPageSize(s, broken);
  EXPECT_EQ(s.PageHeightTwips, 16951);
}

TEST(StartUpMail, FailureTexts) {
  EXPECT_FALSE(ShowMapiFailure(0, "b", "a").show);
  EXPECT_FALSE(ShowMapiFailure(1, "b", "a").show);
  auto bare = ShowMapiFailure(2, "", "");
  EXPECT_EQ(bare.message,
            "Unable to launch MAPI email client - Error code: 2\r\n\r\nYou must have a valid MAPI email "
            "program installed, such as Outlook or Eudora, and to have its MAPI options enabled in order "
            "to use this automatic email option.");
  auto both = ShowMapiFailure(3, "Body", "/r/report.pdf");
  EXPECT_EQ(both.clipboard, "Body");
  EXPECT_NE(both.message.find("creating a new email and pasting the contents of the clipboard into the body "
                              "of the email and attaching the following file to it:\r\n\r\n/r/report.pdf."),
            std::string::npos);
  auto attachOnly = ShowMapiFailure(3, "", "/r/x.pdf");
  EXPECT_TRUE(attachOnly.clipboard.empty());
  EXPECT_NE(attachOnly.message.find("new email and attaching"), std::string::npos);
}

TEST(StartUpProgram, InitialiseCreatesTempAndReportsMissingColours) {
  testing::TempFolder dir;
  testing::RecordingMessages messages;
  IniFile store;
  StartupEnvironment env;
  env.options.programFolder = dir.Path();
  ProgramSettings s;
  InitialiseProgram(s, store, env, messages);
  EXPECT_TRUE(FolderExists(dir / "TEMP/"));
  EXPECT_EQ(s.TempPath, dir / "TEMP/");
  EXPECT_EQ(s.CenturyPivotYear, 1930);
  EXPECT_FALSE(s.SwissEphemerisAvailable);
  EXPECT_EQ(messages.Only(), "Unable to read color file: \r\n\r\n" + dir / "userdata/korvana.cpt");
  EXPECT_TRUE(FileExists(dir / "compliments.txt"));
}

}  // namespace
}  // namespace korvana
