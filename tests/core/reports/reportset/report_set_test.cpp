#include "core/reports/reportset/report_set.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/astro/stars.h"
#include "core/util/ini_file.h"
#include "core/util/records.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

class ReportSetTest : public ::testing::Test {
 protected:
  testing::TempFolder dir;
  testing::RecordingMessages messages;
  ProgramSettings settings;
  TKVReport report;

  void SetUp() override {
    settings.SystemPath = dir.Path();
    settings.CompilePath = dir / "bin/";
    settings.SourcePath = dir / "source/";
    settings.UserPath = dir / "user/";
    settings.DefWheel = "def.wh1";
    settings.BiWheel = "bi.wh2";
    settings.DefExtrasWheel = "extra.wh1";
  }
  bool Load(const std::string& name, const std::string& text) {
    return LoadReportSet(dir.Write(name, text), report, settings, messages);
  }
};

TEST_F(ReportSetTest, EmptySetTakesItsDefaultsFromTheFileName) {
  ASSERT_TRUE(Load("natal.swp", ""));
  EXPECT_EQ(report.caption, "natal");
  EXPECT_EQ(report.frontPageTitle, "natal");
  EXPECT_EQ(report.description, "natal");
  EXPECT_EQ(report.compiledFile, dir / "bin/natal.bin");
  EXPECT_EQ(report.sourceFile, dir / "source/natal.txt");
  EXPECT_EQ(report.aspectFile, dir / "user/natal.asp");
  EXPECT_EQ(report.almutenFile, dir / "natal.alm");
  EXPECT_EQ(report.optionsFile, dir / "natal.opt");
  EXPECT_EQ(report.splashFile, dir / "natal.bmp");
  EXPECT_EQ(report.points, "101011111111");
  EXPECT_FLOAT_EQ(report.frontPageGraphicWidth, 0.3f);
  EXPECT_EQ(report.language, 0);
  EXPECT_TRUE(report.dynFiles.empty());
  EXPECT_EQ(settings.CurrentWheel, "def.wh1");
  EXPECT_TRUE(messages.Empty());
}

TEST_F(ReportSetTest, KeysResolveAgainstTheirFolders) {
  ASSERT_TRUE(Load("set.swp",
                   "[Report]\nCaption=Cap\nTitle=T\nBinaryFile=x.bin\nSourceFile=" + (dir / "user/x.txt") + "\n"
                   "StarFile=stars.fst\nOptionsFile=o.opt\nLanguage=fr\n"));
  EXPECT_EQ(report.frontPageTitle, "Cap");
  EXPECT_EQ(report.description, "T");
  EXPECT_EQ(report.compiledFile, dir / "bin/x.bin");
  EXPECT_EQ(report.sourceFile, dir / "user/x.txt");  // a path is kept as it stands
  EXPECT_EQ(report.starFile, dir / "user/stars.fst");
  EXPECT_EQ(report.starNames, std::vector<std::string>{"Error"});  // unreadable star file
  EXPECT_EQ(report.language, 3);
}

TEST_F(ReportSetTest, FilesOutsideTheProgramsFoldersAreRefused) {
  testing::TempFolder elsewhere;
  std::filesystem::create_directories(dir / "user");
  std::filesystem::create_symlink(elsewhere.Path(), dir / "user/link");
  const std::string outside[] = {
      "BinaryFile=" + (elsewhere / "x.bin"),
      "SourceFile=" + (dir / "source/../../x.txt"),
      "AspectFile=" + (dir / "user/link/x.asp"),  // a link inside that leads out
      "AlmFile=/etc/x.alm",
      "OptionsFile=" + (elsewhere / "x.opt"),
      "StarFile=" + (elsewhere / "x.fst"),
      "IncludesDynRep=1\nDynFile1=dyn.txt\nDynFile2=" + (elsewhere / "dyn.txt"),
  };
  for (const std::string& line : outside) {
    ASSERT_TRUE(Load("good.swp", "[Report]\nCaption=Good\n"));
    messages.messages.clear();
    EXPECT_FALSE(Load("bad.swp", "[Report]\nCaption=Bad\n" + line + "\n")) << line;
    // The earlier definition stays, as for a missing file, but for its caption.
    EXPECT_EQ(report.caption, "No Report Selected") << line;
    EXPECT_EQ(report.compiledFile, dir / "bin/good.bin") << line;
    const std::string key = line.substr(line.rfind('\n') + 1, line.rfind('=') - line.rfind('\n') - 1);
    EXPECT_EQ(messages.Only().rfind("The report set " + (dir / "bad.swp") +
                                        " names a file outside the program's folders:\r\n\r\n" + key + " = ",
                                    0),
              0u)
        << messages.Only();
  }
}

TEST_F(ReportSetTest, GraphicWidthAcceptsOnlyFractions) {
  struct Case { const char* text; float width; };
  const Case cases[] = {{"1.5", 0.3f}, {"0", 0.3f}, {"abc", 0.3f}, {"0.75", 0.75f}, {"1", 1.0f}, {"-0.2", 0.3f}, {"1e-320", 0.3f}};
  for (const auto& c : cases) {
    ASSERT_TRUE(Load("w.swp", std::string("[Report]\nFrontPageGraphicWidth=") + c.text + "\n"));
    EXPECT_FLOAT_EQ(report.frontPageGraphicWidth, c.width) << c.text;
  }
}

TEST_F(ReportSetTest, PointsSelectOnlyWhereTheCharacterIsOne) {
  auto on = ParsePointSelection("10x1");
  EXPECT_TRUE(on[1]);
  EXPECT_FALSE(on[2]);
  EXPECT_FALSE(on[3]);
  EXPECT_TRUE(on[4]);
  EXPECT_FALSE(on[5]);
  EXPECT_FALSE(on[36]);
  auto all = ParsePointSelection(std::string(40, '1'));
  EXPECT_TRUE(all[36]);
}

TEST_F(ReportSetTest, DynamicSectionsUntilTheFirstEmptyFile) {
  ASSERT_TRUE(Load("dyn.swp", "[Report]\nIncludesDynRep=1\nDynFile1=\nDynFile2=b.ini\n"));
  EXPECT_TRUE(report.dynFiles.empty());
  ASSERT_TRUE(Load("dyn.swp",
                   "[Report]\nIncludesDynRep=1\nDynFile1=tr.ini\nDynFile2=" + (dir / "user/pr.ini") +
                       "\nDynTypeName2=Progressions\n"
                   "DynOrbEnter1=2,5\nDynOrbEnter2=1.5\n"));
  ASSERT_EQ(report.dynFiles.size(), 2u);
  EXPECT_EQ(report.dynFiles[0], dir / "source/tr.ini");
  EXPECT_EQ(report.dynFiles[1], dir / "user/pr.ini");
  EXPECT_EQ(report.dynTypeNames[0], "Transits");
  EXPECT_EQ(report.dynTypeNames[1], "Progressions");
  EXPECT_EQ(report.dynP1TypeNames[0], "Transiting");
  EXPECT_EQ(report.dynPointsSelected[0].size(), 36u);
  EXPECT_DOUBLE_EQ(report.orbEntering, 1.5);  // the last one read
  EXPECT_EQ(report.dynWorkingList.size(), 2u);
}

TEST_F(ReportSetTest, WheelSummaryAndExtraPoints) {
  ASSERT_TRUE(Load("x.swp",
                   "[Report]\n[Extra Wheel Points]\nUsesExtraPoints=1\nAsteroidID1=433\nAsteroidName1=Eros\n"
                   "AsteroidID2=-1\nAsteroidID3=5\n"));
  EXPECT_EQ(report.extraPointNumbers, std::vector<std::int32_t>{433});
  EXPECT_EQ(report.extraPointNames, std::vector<std::string>{"Eros"});
  EXPECT_EQ(settings.CurrentWheel, "extra.wh1");
  settings.Summary = true;
  ASSERT_TRUE(Load("lunar.swp", "[Report]\nIncludesLunRetRep=1\n"));
  EXPECT_EQ(settings.CurrentWheel, "bi.wh2");
  EXPECT_FALSE(settings.Summary);
}

TEST_F(ReportSetTest, MissingFileKeepsTheDefinitionButItsCaption) {
  ASSERT_TRUE(Load("a.swp", "[Report]\nCaption=A\n"));
  EXPECT_FALSE(LoadReportSet(dir / "nothing.swp", report, settings, messages));
  EXPECT_EQ(messages.Only(), "Project file does not exist: " + dir / "nothing.swp");
  EXPECT_EQ(report.caption, "No Report Selected");
  EXPECT_EQ(report.setFile, dir / "a.swp");
}

TEST_F(ReportSetTest, OptionsStopAtTheFirstEmptyDescription) {
  dir.Write("o.opt",
            "[Option 1]\nMnemonic=ASP\nDescription=Aspects\n[Option 2]\nMnemonic=X\n"
            "[Option 3]\nMnemonic=Y\nDescription=never read\n");
  EXPECT_EQ(LoadOptions(dir / "o.opt"), std::vector<std::string>{"ASP=Aspects"});
  EXPECT_TRUE(LoadOptions(dir / "none.opt").empty());
}

TEST_F(ReportSetTest, StarNamesFromTheStarFile) {
  ByteWriter w;
  w.I16(2);
  for (const char* name : {"Algol", "Regulus"}) {
    std::string record(78, '\0');
    std::string padded = std::string(name) + std::string(24 - std::string(name).size(), ' ');
    record.replace(0, 24, padded);
    w.Bytes(record);
  }
  dir.Write("user/s.fst", w.Data());
  EXPECT_EQ(ReadStarNames(dir / "user/s.fst"), (std::vector<std::string>{"Algol", "Regulus"}));
  dir.Write("user/short.fst", w.Data().substr(0, 100));
  EXPECT_THROW(ReadStarNames(dir / "user/short.fst"), EStarFileError);
  ASSERT_TRUE(Load("short.swp", "[Report]\nStarFile=short.fst\n"));
  EXPECT_EQ(report.starNames, std::vector<std::string>{"Error"});
}

TEST_F(ReportSetTest, WriteBackKeepsTheRestOfTheFile) {
  ASSERT_TRUE(Load("wb.swp", "; mine\n[Report]\nCaption=Keep\nIncludesDynRep=1\nDynFile1=t.ini\n"));
  report.paraTitles = 2;
  report.points = "111";
  report.dynPointsSelected[0] = "0101";
  report.orbLeaving = 2.5;
  ASSERT_TRUE(WriteBackReportSet(report));
  IniFile ini(dir / "wb.swp");
  EXPECT_EQ(ini.ReadString("Report", "Caption", ""), "Keep");
  EXPECT_EQ(ini.ReadInteger("Report", "ParaTitles", 0), 2);
  EXPECT_EQ(ini.ReadString("Report", "Points", ""), "111");
  EXPECT_EQ(ini.ReadString("Report", "DynPointsSelected1", ""), "0101");
  EXPECT_EQ(ini.ReadString("Report", "DynOrbLeave1", ""), "2.5");
  EXPECT_EQ(dir.Read("wb.swp").rfind("; mine", 0), 0u);
}

TEST_F(ReportSetTest, SelectionListAndPreview) {
  dir.Write("Modern.SWP", "[Report]\nCaption=Modern\nSelectCaption=Modern Natal\nDescription=D\n");
  dir.Write("horary.swp", "[Report]\nTitle=Horary\nSplashFile=horary.bmp\n");
  dir.Write("HORARY.BMP", "BM");
  auto sets = ListReportSets(dir.Path());
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(sets[0].selectCaption, "Modern Natal");
  EXPECT_EQ(sets[0].fileName, "modern.swp");
  EXPECT_EQ(sets[1].selectCaption, "horary");
  auto modern = PreviewReportSet(dir.Path(), "Modern.SWP");
  EXPECT_EQ(modern.description, "D");
  EXPECT_EQ(modern.splashMissing, "File missing: Modern.bmp");
  auto horary = PreviewReportSet(dir.Path(), "horary.swp");
  EXPECT_EQ(horary.description, "Horary");
  EXPECT_EQ(horary.splashPath, dir / "HORARY.BMP");
}

}  // namespace
}  // namespace korvana
