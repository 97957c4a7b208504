#include "core/config/settings_store.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace korvana {
namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  testing::TempFolder dir;
  StartupOptions options;
  void SetUp() override { options.programFolder = dir.Path(); }
  ProgramSettings Load(IniFile& store, bool noRelocate = false) {
    ProgramSettings s;
    StartupOptions o = options;
    o.noRelocate = noRelocate;
    LoadSettings(s, store, o);
    return s;
  }
};

TEST_F(SettingsStoreTest, EmptyStoreGivesDefaultsUnderTheProgramFolder) {
  IniFile store;
  ProgramSettings s = Load(store);
  const std::string& sys = dir.Path();
  EXPECT_EQ(s.SystemPath, sys);
  EXPECT_EQ(s.SwissEphemPath, sys + "swisseph/");
  EXPECT_EQ(s.UserPath, sys + "userdata/");
  EXPECT_EQ(s.ChartPath, sys + "userdata/");
  EXPECT_EQ(s.ReportPath, sys + "reports/");
  EXPECT_EQ(s.SourcePath, sys + "source/");
  EXPECT_EQ(s.CompilePath, sys);
  EXPECT_EQ(s.ProjectFile, sys + "modern.swp");
  EXPECT_EQ(s.Charts, sys + "userdata/main.cht");
  EXPECT_EQ(s.DefWheel, sys + "userdata/uni5.wh1");
  EXPECT_EQ(s.PlacesParentPath, sys);  // the parent of userdata/
  EXPECT_EQ(s.TimeZones, sys + "timezone.fil");
  EXPECT_EQ(s.Rulers, sys + "rulers2.fil");
  EXPECT_EQ(s.PointColors, sys + "userdata/korvana.cpt");
  EXPECT_EQ(s.EMTTFont, "ZP Astro");
  EXPECT_EQ(s.Houses, 5);
  EXPECT_EQ(s.CompositeChartMethod, 2);
  EXPECT_DOUBLE_EQ(s.CombustOrb, 8.0);
  EXPECT_TRUE(s.AMPM);
  EXPECT_FALSE(s.SkipSelectDialog);
  EXPECT_EQ(s.PageMarginB, 720);
  EXPECT_EQ(s.DefaultPlace.zone, "ACST -9:30");
  EXPECT_EQ(s.ReportWindow.zoom, 100);
  EXPECT_TRUE(s.RecentCharts.empty());
  EXPECT_EQ(s.TextStyles[AstrologicalTitles].fontColor, ColorRed);
  EXPECT_EQ(s.TextStyles[AstrologicalTitles].fontStyle, StyleItalic);
  EXPECT_EQ(s.TextStyles[BodyText].alignment, 3);
  EXPECT_EQ(s.TextStyles[MainHeader1].fontSize, 26);
}

TEST_F(SettingsStoreTest, RelocationResetsTheSystemSectionUnlessNoRelocate) {
  const char* text =
      "[System]\nSystemPath=/old/place/\nReportPath=/old/place/reports/\nProjectFile=other.swp\n"
      "[Calculations]\nHouses=7\n";
  IniFile moved = IniFile::FromText(text);
  ProgramSettings s = Load(moved);
  EXPECT_EQ(s.SystemPath, dir.Path());
  EXPECT_EQ(s.ReportPath, dir.Path() + "reports/");
  EXPECT_EQ(s.ProjectFile, dir.Path() + "modern.swp");
  EXPECT_EQ(s.Houses, 7);  // other sections are kept
  EXPECT_FALSE(moved.SectionExists("System"));

  IniFile kept = IniFile::FromText(text);
  ProgramSettings k = Load(kept, /*noRelocate=*/true);
  EXPECT_EQ(k.SystemPath, "/old/place/");
  EXPECT_EQ(k.ReportPath, "/old/place/reports/");
  EXPECT_EQ(k.ProjectFile, "/old/place/other.swp");

  // The comparison ignores case and a missing trailing slash is added.
  std::string upper = dir.Path();
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  IniFile same = IniFile::FromText("[System]\nSystemPath=" + upper.substr(0, upper.size() - 1) +
                                   "\nReportPath=/elsewhere/\n");
  ProgramSettings c = Load(same);
  EXPECT_EQ(c.ReportPath, "/elsewhere/");
}

TEST_F(SettingsStoreTest, StylesAreReadOnlyOnceTheStoreWasSavedByThisVersion) {
  const std::string styles = "[Styles2]\nFontName4=Georgia\nFontSize4=14\nFontBold4=1\nAlignment4=1\n";
  IniFile fresh = IniFile::FromText(styles);
  ProgramSettings s = Load(fresh);
  EXPECT_EQ(s.TextStyles[BodyText].fontName, "Arial");
  EXPECT_EQ(s.TextStyles[BodyText].fontSize, 11);

  IniFile saved = IniFile::FromText("[System]\nTessaly=1\n" + styles);
  ProgramSettings t = Load(saved);
  EXPECT_EQ(t.TextStyles[BodyText].fontName, "Georgia");
  EXPECT_EQ(t.TextStyles[BodyText].fontSize, 14);
  EXPECT_EQ(t.TextStyles[BodyText].fontStyle, StyleBold);
  EXPECT_EQ(t.TextStyles[BodyText].alignment, 1);
  EXPECT_EQ(t.TextStyles[BodyText].fontColor, MakeColor(35, 31, 32));  // unset value: default
}

TEST_F(SettingsStoreTest, SaveWritesRelativeFilesAndMarksTheStore) {
  IniFile store = IniFile::FromText(
      "[System]\nCompliments=mine.txt\nWheelAspectRatioAdjustment=1,25\n"
      "[ChartsMRU]\nChartsMRU0=a.cht\nChartsMRU1=b.cht\nChartsMRU2=c.cht\n");
  ProgramSettings s = Load(store);
  EXPECT_DOUBLE_EQ(s.WheelAspectRatioAdjustment, 1.25);
  EXPECT_EQ(s.RecentCharts.size(), 3u);
  s.ProjectFile = dir.Path() + "traditional.swp";
  s.Charts = "/charts/family.cht";
  std::string upper = dir.Path();
  upper[1] = static_cast<char>(std::toupper(static_cast<unsigned char>(upper[1])));
  s.DefWheel = upper + "userdata/uni5.wh1";  // differs only in case: kept in full
  s.RecentCharts = {"x.cht"};
  s.UserSVP = 24.5;
  SaveSettings(s, store);
  EXPECT_EQ(store.ReadString("System", "ProjectFile", ""), "traditional.swp");
  EXPECT_EQ(store.ReadString("System", "Charts", ""), "/charts/family.cht");
  EXPECT_EQ(store.ReadString("System", "DefWheel", ""), upper + "userdata/uni5.wh1");
  EXPECT_EQ(store.ReadString("System", "Rulers", ""), "rulers2.fil");
  EXPECT_TRUE(store.ReadBool("System", "Tessaly", false));
  // Read-only values stay as they were; stale recent charts are not removed.
  EXPECT_EQ(store.ReadString("System", "Compliments", ""), "mine.txt");
  EXPECT_EQ(store.ReadString("System", "WheelAspectRatioAdjustment", ""), "1,25");
  EXPECT_FALSE(store.ValueExists("System", "EMTTFont"));
  EXPECT_EQ(store.ReadString("ChartsMRU", "ChartsMRU0", ""), "x.cht");
  EXPECT_EQ(store.ReadString("ChartsMRU", "ChartsMRU1", ""), "b.cht");
  EXPECT_EQ(store.ReadString("Styles2", "FontName10", ""), "Arial");

  ProgramSettings again = Load(store);
  EXPECT_DOUBLE_EQ(again.UserSVP, 24.5);
  EXPECT_EQ(again.ProjectFile, dir.Path() + "traditional.swp");
  EXPECT_EQ(again.TextStyles[SectionHeaders].fontColor, ColorGrey);
}

TEST_F(SettingsStoreTest, RecentChartsStopAtTheFirstGap) {
  IniFile store = IniFile::FromText("[ChartsMRU]\nChartsMRU1=b.cht\n");
  EXPECT_TRUE(Load(store).RecentCharts.empty());
}

TEST_F(SettingsStoreTest, UnreadableRealsReadAsZero) {
  IniFile store = IniFile::FromText("[Calculations]\nCombustOrb=eight\nUserSVP=\n");
  ProgramSettings s = Load(store);
  EXPECT_DOUBLE_EQ(s.CombustOrb, 0.0);
  EXPECT_DOUBLE_EQ(s.UserSVP, 0.0);
}

}  // namespace
}  // namespace korvana
