#include "core/preferences/general_options.h"

#include <gtest/gtest.h>

#include "core/analysis/almuten_scheme.h"
#include "core/config/start_up.h"
#include "core/points/point_id.h"
#include "core/reports/reportset/report_set.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::RecordingMessages;
using testing::TempFolder;

// Settings and a report set whose files (almuten scheme, compliments, point colours) lie
// in a scratch folder.
class GeneralOptionsTest : public ::testing::Test {
 protected:
  GeneralOptionsTest() {
    AlmutenScheme scheme;
    scheme.cuspOffsets = {8, 5, 3};
    scheme.title = "Test scheme";
    set.almutenFile = folder.Write("test.alm", EncodeAlmutenRecord(scheme));
    set.points = "101011111111000000011110010000000000";
    set.pointSelection = ParsePointSelection(set.points);
    settings.Compliments = folder.Write("compliments.txt", "Prepared for\r\nyou\r\nwith\r\ncare\r\nextra\r\n");
    settings.PointColors = folder / "colors.dat";
    for (int id = 1; id <= PointCount; ++id) settings.PointColor[static_cast<std::size_t>(id)] = MakeColor(id, 0, 0);
    settings.WheelPointSelection = set.pointSelection;
    settings.DefWheel = "single.whl";
    settings.DefExtrasWheel = "extras.whl";
    settings.BiWheel = "bi.whl";
  }
  GeneralOptionsForm Form() { return GeneralOptionsForm(settings, set, nullptr); }

  TempFolder folder;
  ProgramSettings settings;
  TKVReport set;
  RecordingMessages messages;
};

TEST_F(GeneralOptionsTest, OnlyUserDefinedLetsTheVernalPointBeTyped) {
  settings.UserSVP = 335.5;
  GeneralOptionsForm form = Form();
  struct Case {
    int zodiac;
    bool editable;
    const char* shown;
  };
  const Case cases[] = {
      {0, false, "0\u00b0Ar00'"},      // tropical: no sidereal vernal point
      {1, false, "6\u00b0Pi39'21\""},  // Fagan-Allen 336.6560694
      {8, false, "0\u00b0Ar00'"},      // draconic
      {9, true, "5\u00b0Pi30'"},       // the user's 335.5
  };
  for (const Case& c : cases) {
    form.ChooseZodiac(c.zodiac);
    EXPECT_EQ(form.VernalPointEditable(), c.editable) << c.zodiac;
    EXPECT_EQ(form.values.vernalPoint, c.shown) << c.zodiac;
  }
  form.values.vernalPoint = "24pi15";
  ASSERT_TRUE(form.LeaveVernalPoint(messages));
  EXPECT_EQ(form.values.vernalPoint, "24\u00b0Pi15'") << "leaving the field reformats the angle";
  form.values.vernalPoint = "nonsense";
  EXPECT_FALSE(form.LeaveVernalPoint(messages));
  EXPECT_FALSE(messages.messages.empty());
  form.values.vernalPoint = "24pi15";
  ASSERT_TRUE(form.LeaveVernalPoint(messages));
  ASSERT_TRUE(form.Save(settings, set, messages));
  EXPECT_EQ(settings.Zodiac, 9);
  EXPECT_NEAR(settings.UserSVP, 354.25, 1e-3);

  // Another zodiac saved leaves the user's vernal point alone.
  GeneralOptionsForm again = Form();
  again.ChooseZodiac(2);
  ASSERT_TRUE(again.Save(settings, set, messages));
  EXPECT_EQ(settings.Zodiac, 2);
  EXPECT_NEAR(settings.UserSVP, 354.25, 1e-3);
}

TEST_F(GeneralOptionsTest, APointSwitchedOffLeavesWheelsAndTheSetOnlyWhenSaved) {
  ASSERT_TRUE(settings.WheelPointSelection[PointMars]);
  {
    GeneralOptionsForm cancelled = Form();
    cancelled.TogglePoint(PointMars);
    cancelled.values.pointColor[PointMars] = MakeColor(1, 2, 3);
    // Dropped without Save: Cancel.
  }
  GeneralOptionsForm form = Form();
  EXPECT_TRUE(form.values.pointOn[PointMars]) << "a new dialog starts from the settings again";
  EXPECT_EQ(form.PointItem(PointMars).text, "Mars");
  EXPECT_TRUE(form.PointItem(PointMars).bold);
  form.TogglePoint(PointMars);
  const OnOffItem off = form.PointItem(PointMars);
  EXPECT_EQ(off.text, "(Mars)");
  EXPECT_FALSE(off.bold);
  EXPECT_EQ(off.indent, 20);
  EXPECT_TRUE(settings.WheelPointSelection[PointMars]) << "the working copy is not the settings";
  form.values.pointColor[PointMars] = MakeColor(10, 20, 30);

  ASSERT_TRUE(form.Save(settings, set, messages));
  EXPECT_FALSE(settings.WheelPointSelection[PointMars]);
  EXPECT_FALSE(set.pointSelection[PointMars]);
  EXPECT_EQ(set.points, "101011011111000000011110010000000000");
  EXPECT_EQ(settings.PointColor[PointMars], MakeColor(10, 20, 30));
  EXPECT_EQ(ReadPointColorFile(settings.PointColors)[PointMars], MakeColor(10, 20, 30)) << "the colour file";
}

TEST_F(GeneralOptionsTest, TheWheelInUseFollowsTheKindOfSet) {
  struct Case {
    const char* name;
    bool synastry, solar, extras;
    const char* edited;  // the single-chart design the first field edits
    const char* inUse;
  };
  const Case cases[] = {
      {"natal", false, false, false, "DefWheel", "new.whl"},
      {"extra points", false, false, true, "DefExtrasWheel", "new.whl"},
      {"synastry", true, false, false, "DefWheel", "bi.whl"},
      {"solar returns", false, true, false, "DefWheel", "bi.whl"},
  };
  for (const Case& c : cases) {
    ProgramSettings s = settings;
    TKVReport r = set;
    r.synastry = c.synastry;
    r.includesSolarReturn = c.solar;
    r.usesExtraPoints = c.extras;
    GeneralOptionsForm form(s, r, nullptr);
    EXPECT_EQ(form.WheelCaption(), c.extras ? "Style for Wheels with Extra Points" : "Style for Normal Wheels") << c.name;
    EXPECT_EQ(form.values.wheel, c.extras ? "extras.whl" : "single.whl") << c.name;
    form.values.wheel = "new.whl";
    ASSERT_TRUE(form.Save(s, r, messages)) << c.name;
    EXPECT_EQ(std::string(c.edited) == "DefWheel" ? s.DefWheel : s.DefExtrasWheel, "new.whl") << c.name;
    EXPECT_EQ(s.CurrentWheel, c.inUse) << c.name;
  }
}

TEST_F(GeneralOptionsTest, PageHeadersKeepTheirAlignment) {
  GeneralOptionsForm form = Form();
  const auto before = form.values.styles[PageHeaders].alignment;
  for (TextAlignment a : {TextAlignment::Left, TextAlignment::Right, TextAlignment::Centre, TextAlignment::Justify}) {
    EXPECT_FALSE(form.SetAlignment(PageHeaders, a));
    EXPECT_EQ(form.values.styles[PageHeaders].alignment, before);
    EXPECT_TRUE(form.SetAlignment(BodyText, a));
    EXPECT_EQ(form.values.styles[BodyText].alignment, static_cast<std::uint8_t>(a));
  }
  EXPECT_FALSE(GeneralOptionsForm::AlignmentEnabled(PageHeaders));
  EXPECT_TRUE(GeneralOptionsForm::AlignmentEnabled(MainHeader1));
  EXPECT_FALSE(form.SetAlignment(TextStyleCount, TextAlignment::Left)) << "no such style";
  form.values.styles[BodyText].fontName = "Liberation Serif";
  ASSERT_TRUE(form.Save(settings, set, messages));
  EXPECT_EQ(settings.TextStyles[BodyText].fontName, "Liberation Serif");
  EXPECT_EQ(settings.TextStyles[BodyText].alignment, static_cast<std::uint8_t>(TextAlignment::Justify));
}

TEST_F(GeneralOptionsTest, CuspOffsetsAreTheAlmutenSchemesAndGoBackIntoIt) {
  GeneralOptionsForm form = Form();
  ASSERT_TRUE(form.values.cuspOffsets.has_value());
  EXPECT_EQ(*form.values.cuspOffsets, (std::array<float, 3>{8, 5, 3}));
  form.values.cuspOffsets = std::array<float, 3>{10, 20, 2};
  form.values.houseSystem = 7;
  ASSERT_TRUE(form.Save(settings, set, messages));
  const AlmutenScheme read = ReadAlmutenScheme(set.almutenFile);
  EXPECT_EQ(read.cuspOffsets, (std::array<float, 3>{10, 20, 2}));
  EXPECT_EQ(read.title, "Test scheme") << "the rest of the record stays";
  EXPECT_EQ(settings.Houses, 7);

  const std::pair<int, float> limits[] = {{0, 16}, {0, -1}, {1, 40}, {2, 15.5f}, {2, 4}};
  const float expected[] = {15, 0, 40, 15, 4};
  for (std::size_t i = 0; i < std::size(limits); ++i)
    EXPECT_EQ(GeneralOptionsForm::LimitCuspOffset(limits[i].first, limits[i].second), expected[i]) << i;

  // A scheme that cannot be read is neither shown nor made.
  set.almutenFile = folder / "missing.alm";
  GeneralOptionsForm without = Form();
  EXPECT_FALSE(without.values.cuspOffsets.has_value());
  ASSERT_TRUE(without.Save(settings, set, messages));
  EXPECT_FALSE(std::filesystem::exists(set.almutenFile));
}

TEST_F(GeneralOptionsTest, FieldsMapOntoTheirSettingsAndFiles) {
  GeneralOptionsForm form = Form();
  EXPECT_EQ(form.values.compliments, (std::array<std::string, 4>{"Prepared for", "you", "with", "care"}));
  GeneralOptions& v = form.values;
  v.compliments[1] = "Ann";
  v.printColorsAsBlack = true;
  v.showReportSelection = false;
  v.reportsInitiatedExternally = 2;
  v.meanNode = true;
  v.fixedFortune = true;
  v.monthFirst = true;
  v.ampm = false;
  v.paraTitles = 2;
  v.summary = false;
  ASSERT_TRUE(form.Save(settings, set, messages));
  EXPECT_FALSE(settings.PrintInColor);
  EXPECT_TRUE(settings.SkipSelectDialog);
  EXPECT_EQ(settings.RepDefMenuOpt, 2);
  EXPECT_EQ(settings.Node, 1);
  EXPECT_TRUE(settings.PFDayOnly);
  EXPECT_TRUE(settings.MonthFirst);
  EXPECT_FALSE(settings.AMPM);
  EXPECT_EQ(set.paraTitles, 2);
  EXPECT_FALSE(settings.Summary);
  EXPECT_EQ(folder.Read("compliments.txt"), "Prepared for\r\nAnn\r\nwith\r\ncare\r\n");
}

TEST_F(GeneralOptionsTest, AnEphemerisFolderIsTakenOnlyWithUsableFiles) {
  GeneralOptionsForm form = Form();
  const std::string empty = folder / "empty";
  std::filesystem::create_directories(empty);
  const std::string swiss = folder / "swiss";
  folder.Write("swiss/sepl_18.se1", "x");
  const auto yes = [](const std::string&) { return true; };
  const auto no = [](const std::string&) { return false; };
  EXPECT_EQ(form.ChooseEphemerisFolder(empty, yes, folder.Path()), EphemerisFolderVerdict::FilesMissing);
  EXPECT_EQ(form.ChooseEphemerisFolder(swiss, no, folder.Path()), EphemerisFolderVerdict::NotSwissEphemeris);
  EXPECT_EQ(form.values.swissEphemPath, settings.SwissEphemPath) << "a refused folder is not taken";
  EXPECT_EQ(form.ChooseEphemerisFolder(swiss, yes, folder.Path()), EphemerisFolderVerdict::Taken);
  EXPECT_EQ(form.values.swissEphemPath, swiss + "/");

  TKVReport dynamic = set;
  dynamic.includesDynRep = true;
  settings.SwissEphemerisAvailable = false;
  EXPECT_FALSE(Form().EphemerisTabVisible());
  EXPECT_TRUE(GeneralOptionsForm(settings, dynamic, nullptr).EphemerisTabVisible());
  settings.SwissEphemerisAvailable = true;
  EXPECT_TRUE(Form().EphemerisTabVisible());
}

}  // namespace
}  // namespace korvana
