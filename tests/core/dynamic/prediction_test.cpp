// The prediction run through its files: settings, chart, selections and aspects in, the
// event file out, and the event file read back and grouped as a report section would.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/analysis/aspect_file.h"
#include "core/astro/ephemeris.h"
#include "core/charts/chart_files.h"
#include "core/config/program_settings.h"
#include "core/dynamic/dynamic_entries.h"
#include "core/dynamic/event_file.h"
#include "core/dynamic/prediction.h"
#include "core/util/files.h"
#include "core/util/ini_file.h"
#include "dynamic_test_support.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

class PredictionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SwissEphemerisUsable(SystemSwissEphemerisFolder));
    testing::RecordingMessages messages;
    const std::string chart = dir / "KV_Dyn1.cht";
    ASSERT_TRUE(CreateChartFile(chart, messages, "Dynamic Report"));
    ASSERT_TRUE(AppendChart(chart, testing::ChartAt(1987, 3, 9, 6, 0, 52.0, -13.4), 5, ProgramSettings{}, messages));
    std::array<bool, 37> movers{}, radix{};
    movers[PointSun] = movers[PointMars] = movers[PointSaturn] = true;
    movers[PointAscendant] = true;  // not a transiting point: left out of the search
    radix[PointSun] = radix[PointMoon] = radix[PointMidheaven] = true;
    dir.Write("transit.trp", SerializePointSelectionFile(movers));
    dir.Write("tr_radix.pts", SerializePointSelectionFile(radix));
    ASSERT_TRUE(testing::SaveTestAspectFile(dir / "transit.asp"));
    settings.chartFile = chart;
    settings.start = {2026, 1, 1, 0, 0, 0, calAuto};
    settings.houseIngress = true;
    settings.signIngress = true;
    settings.dynamicPointsFile = dir / "transit.trp";
    settings.radixPointsFile = dir / "tr_radix.pts";
    settings.aspectFile = dir / "transit.asp";
    settings.eventFile = dir / "KV_Dyn1.bin";
  }
  std::string WriteSettings() {
    IniFile ini(dir / "KV_Dyn1.ini");
    WritePredictionSettings(ini, settings);
    EXPECT_TRUE(ini.Save());
    return dir / "KV_Dyn1.ini";
  }
  testing::TempFolder dir;
  PredictionSettings settings;
};

TEST_F(PredictionTest, WritesAnEventFileThatGroupsIntoTheConfigurations) {
  std::string message;
  ASSERT_EQ(Predict(WriteSettings(), &message), PredictOk) << message;
  const TDynamicReport report = ReadEventFile(settings.eventFile);
  EXPECT_EQ(report, ParseEventFile(SerializeEventFile(report)));
  ASSERT_EQ(report.DynamicPoints.size(), 3u);
  EXPECT_EQ(report.DynamicPoints[2].PointNo, PointSaturn);
  EXPECT_EQ(report.RadixPoints[2].PointNo, PointMidheaven);

  // The Sun passes every radix point once by conjunction and twice by square in a year.
  TDynamicTextEntries entries;
  const double start = 2461041.5, end = start + 365;
  GroupEvents(report, start, end, entries);
  int sunAspects = 0, sunSigns = 0, oppositions = 0;
  for (const TDynamicTextEntry& e : entries.Items) {
    if (e.Category == 0 && e.AspectNo == 2) ++oppositions;
    if (e.FirstPoint != PointSun) continue;
    if (e.Category == 0) {
      ++sunAspects;
      EXPECT_EQ(e.ExactTimes.size(), 1u);
      EXPECT_LT(e.EndTime - e.StartTime, 3.0);  // 1.5 + 1 degrees at a degree a day
    }
    if (e.Category == 2) ++sunSigns;
  }
  EXPECT_EQ(sunAspects, 9);
  EXPECT_EQ(sunSigns, 13);  // the sign it starts in is entered again at the end of the year
  EXPECT_EQ(oppositions, 0);
}

TEST_F(PredictionTest, AFailedRunLeavesNoEventFile) {
  const PredictionSettings good = settings;
  std::ofstream(settings.eventFile) << "left by an earlier search";
  settings.aspectFile = dir / "missing.asp";
  std::string message;
  EXPECT_EQ(Predict(WriteSettings(), &message), PredictAspectsUnreadable);
  EXPECT_FALSE(FileExists(settings.eventFile));
  EXPECT_NE(message.find("missing.asp"), std::string::npos) << message;

  struct Case {
    const char* what;
    std::function<void(PredictionSettings&)> change;
    int code;
  };
  const Case cases[] = {
      {"no chart", [](PredictionSettings& s) { s.chartIndex = 7; }, PredictChartUnreadable},
      {"cut selection", [this](PredictionSettings& s) { s.radixPointsFile = dir.Write("short.pts", "Sun"); },
       PredictSelectionUnreadable},
      {"unknown technique", [](PredictionSettings& s) { s.dynamicType = 4; }, PredictRefused},
      {"no duration", [](PredictionSettings& s) { s.duration = 0; }, PredictRefused},
  };
  for (const Case& c : cases) {
    settings = good;
    c.change(settings);
    EXPECT_EQ(Predict(WriteSettings()), c.code) << c.what;
  }
  EXPECT_EQ(Predict(dir / "nothing.ini"), PredictNoSettings);

  // An event file name that is a folder is refused, and the folder stays.
  settings = good;
  std::filesystem::create_directories(dir / "events");
  settings.eventFile = dir / "events";
  EXPECT_EQ(Predict(WriteSettings()), PredictCannotWrite);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "events"));
}

TEST(EventFileTest, ADamagedFileIsRefusedWithItsName) {
  TDynamicReport r;
  r.Events.resize(2);
  r.Events[1].dynamicIndex = 1;
  r.EventCount = 2;
  r.Order = {1, 0};
  r.DynamicPoints = {{0, PointSun, 0}, {0, PointMoon, 0}};
  r.RadixPoints = {{0, PointVenus, 0}};
  const std::string bytes = SerializeEventFile(r);
  ASSERT_EQ(bytes.size(), 4 + 2 * 62 + 2 * 4 + 4 + 2 * 9 + 4 + 9);
  EXPECT_EQ(ParseEventFile(bytes), r);
  EXPECT_THROW(ParseEventFile(bytes.substr(0, bytes.size() - 1), "KV_Dyn1.bin"), EEventFileError);
  TDynamicReport badOrder = r;
  badOrder.Order = {0, 2};
  EXPECT_THROW(ParseEventFile(SerializeEventFile(badOrder)), EEventFileError);
  TDynamicReport badPoint = r;
  badPoint.Events[0].radixIndex = 3;
  EXPECT_THROW(ParseEventFile(SerializeEventFile(badPoint)), EEventFileError);
  try {
    ReadEventFile("/nonexistent/KV_Dyn1.bin");
    FAIL();
  } catch (const EEventFileError& e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent/KV_Dyn1.bin"), std::string::npos);
  }
}

}  // namespace
}  // namespace korvana
