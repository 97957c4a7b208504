// "Edit" in the main window: the chart data entry filled from the pair's chart, OK puts
// the edited chart back.
#include <QAction>
#include <QInputDialog>
#include <QLineEdit>

#include "app/chart_entry_dialog.h"
#include "core/session/chart_edit.h"
#include "main_window_fixture.h"

namespace korvana::app {
namespace {

class EditChartTest : public MainWindowTest {
 protected:
  QString Field(ChartEntryDialog& dialog, const char* name) { return dialog.findChild<QLineEdit*>(name)->text(); }
  void Type(ChartEntryDialog& dialog, const char* name, const char* text) {
    dialog.findChild<QLineEdit*>(name)->setText(text);
  }
};

TEST_F(EditChartTest, TheDialogShowsTheChartAndOkReplacesItInItsSlot) {
  ASSERT_TRUE(window->UseReportSet(settings.SystemPath + "modern.swp"));
  EXPECT_FALSE(Enabled("actChartEdit")) << "nothing to edit without a chart";
  const StoredChart original = SampleChart(1);
  ASSERT_TRUE(window->PlaceCharts({original}));
  ASSERT_TRUE(Enabled("actChartEdit"));
  settings.AutoAtlasLookup = true;  // the loaded place must not be looked up again

  bool shown = false;
  WhenShown<ChartEntryDialog>(
      [&](ChartEntryDialog& dialog) {
        EXPECT_EQ(Field(dialog, "name"), "Albert Einstein");
        EXPECT_EQ(Field(dialog, "date"), "14 Mar 1879");
        EXPECT_EQ(Field(dialog, "place"), ShownText(original.chart.Place));
        EXPECT_EQ(Field(dialog, "latitude").toStdString(), FormatLatLong(false, original.chart.Latitude));
        Type(dialog, "name", "Albert E.");
        Type(dialog, "time", "12:00");
        dialog.accept();
      },
      shown);
  window->Action("actChartEdit")->trigger();
  ASSERT_TRUE(shown);
  const StoredChart& edited = window->Pair().slot[0].chart;
  EXPECT_EQ(edited.chart.Name, "Albert E.");
  EXPECT_EQ(edited.chart.Moment.Hour, 12);
  EXPECT_EQ(edited.chart.Moment.Minute, 0);
  EXPECT_EQ(edited.chart.Moment.Day, original.chart.Moment.Day);
  EXPECT_NEAR(edited.chart.Longitude, original.chart.Longitude, 1.0 / 3600);
  EXPECT_EQ(edited.chart.ZoneAbbrev, original.chart.ZoneAbbrev);
  EXPECT_EQ(edited.houseSystem, original.houseSystem);
  EXPECT_FALSE(window->Pair().slot[0].saved);
  EXPECT_EQ(window->Pair().slot[1].chart, edited) << "the one-chart pair stays one chart";
}

TEST_F(EditChartTest, CancelLeavesTheChartAsItWas) {
  ASSERT_TRUE(window->UseReportSet(settings.SystemPath + "modern.swp"));
  ASSERT_TRUE(window->PlaceCharts({SampleChart(2)}));
  bool shown = false;
  WhenShown<ChartEntryDialog>(
      [&](ChartEntryDialog& dialog) {
        Type(dialog, "name", "Someone Else");
        dialog.reject();
      },
      shown);
  window->Action("actChartEdit")->trigger();
  ASSERT_TRUE(shown);
  EXPECT_EQ(window->Pair().slot[0].chart, SampleChart(2));
}

TEST_F(EditChartTest, AReturnSetIsNotEditedButExplained) {
  const std::string set = folder.Write("home/returns.swp", "[Report]\r\nTitle=Returns\r\nBinaryFile=modern.bin\r\n"
                                                            "IncludesSolRetRep=1\r\n");
  ASSERT_TRUE(window->UseReportSet(set));
  ASSERT_TRUE(window->PlaceCharts({SampleChart(1)}));
  window->Action("actChartEdit")->trigger();
  ASSERT_FALSE(messages.messages.empty());
  EXPECT_EQ(messages.messages.back().text, EditReturnMessage);
}

// In a synastry set of two charts the user picks the chart to edit; only that slot changes.
TEST_F(EditChartTest, ASynastrySetAsksWhichChartAndEditsThatOne) {
  const std::string set = folder.Write("home/synastry.swp", "[Report]\r\nTitle=Pair\r\nBinaryFile=modern.bin\r\n"
                                                             "Synastry=1\r\n");
  ASSERT_TRUE(window->UseReportSet(set));
  ASSERT_TRUE(window->PlaceCharts({SampleChart(1)}));
  ASSERT_TRUE(window->PlaceCharts({SampleChart(2)}));
  const StoredChart first = window->Pair().slot[0].chart;
  const StoredChart second = window->Pair().slot[1].chart;
  ASSERT_NE(first, second);
  bool asked = false, edited = false;
  WhenShown<QInputDialog>(
      [&](QInputDialog& choice) {
        EXPECT_EQ(choice.windowTitle(), "Select Chart to Edit...");
        WhenShown<ChartEntryDialog>(
            [&](ChartEntryDialog& dialog) {
              EXPECT_EQ(Field(dialog, "name"), ShownText(second.chart.Name));
              Type(dialog, "name", "Second Edited");
              dialog.accept();
            },
            edited);
        choice.setTextValue(choice.comboBoxItems().at(1));
        choice.accept();
      },
      asked);
  window->Action("actChartEdit")->trigger();
  ASSERT_TRUE(asked);
  ASSERT_TRUE(edited);
  EXPECT_EQ(window->Pair().slot[0].chart, first);
  EXPECT_EQ(window->Pair().slot[1].chart.chart.Name, "Second Edited");
}

}  // namespace
}  // namespace korvana::app
